#include "front/mesh/MeshDialogs.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPainter>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

#include "core/files/ShownName.h"
#include "core/state/AppState.h"
#include "core/text/NumberText.h"
#include "front/ui/LocaleNumbers.h"
#include "front/ui/Prompter.h"
#include "front/ui/UiText.h"

namespace {

// "1 000 000": spaces between thousands, whatever the locale.
QString ThousandsText(int64_t n) {
  return QString::fromStdString(Thousands(n));
}

// Bars of the triangles in each 2° of smallest angle, with the axis
// marked every 10° and the count scale at the left, its top labelled with
// the largest count.
class Histogram : public QWidget {
 public:
  Histogram(const MeshStatistics& statistics, QWidget* parent)
      : QWidget(parent), statistics_(statistics), most_(new QLabel(this)) {
    setObjectName(QStringLiteral("histogram"));
    setMinimumSize(360, 170);
    most_->setObjectName(QStringLiteral("skala"));
    most_->setAlignment(Qt::AlignRight | Qt::AlignTop);
  }
  // Called whenever the statistics change.
  void refresh() {
    const auto& counts = statistics_.smallestAngles;
    most_->setText(ThousandsText(*std::max_element(counts.begin(), counts.end())));
    update();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    const auto& counts = statistics_.smallestAngles;
    const int32_t most = *std::max_element(counts.begin(), counts.end());
    const int left = kScaleWidth, right = 14, bottom = height() - 20, top = 8;
    most_->setGeometry(0, top - 2, left - 6, 16);
    const double barWidth = double(width() - left - right) / MeshStatistics::kBuckets;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 90, 170));
    for (int i = 0; i < MeshStatistics::kBuckets; ++i) {
      const int h = HistogramBarHeight(counts[size_t(i)], most, bottom - top);
      p.drawRect(QRectF(left + i * barWidth + 1, bottom - h, barWidth - 2, h));
    }
    p.setPen(Qt::black);
    p.drawLine(left, bottom, width() - right, bottom);
    p.drawLine(left, bottom, left, top);
    p.drawLine(left - 3, top, left, top);
    for (int degrees = 0; degrees <= 60; degrees += 10) {
      const int x = left + int(degrees / MeshStatistics::kBucketWidth * barWidth);
      p.drawLine(x, bottom, x, bottom + 3);
      p.drawText(QRect(x - 20, bottom + 3, 40, 16), Qt::AlignHCenter | Qt::AlignTop,
                 QString::number(degrees) + u'°');
    }
  }

 private:
  static constexpr int kScaleWidth = 64;  // room for "1 000 000"
  const MeshStatistics& statistics_;
  QLabel* most_;
};

}  // namespace

int HistogramBarHeight(int32_t count, int32_t most, int span) {
  if (count <= 0 || most <= 0) return 0;
  return std::max(1, int(double(count) / most * span + 0.5));
}

MeshStatisticsWindow::MeshStatisticsWindow(const AppState& state, Prompter& prompter, QWidget* parent)
    : FormDialog(QStringLiteral("T_statystyka"), Ui("MeshDialogs", "Statystyka siatki"), prompter, parent,
                 QStringLiteral("OK"), QString()),
      state_(state),
      figures_(new QLabel(this)),
      histogram_(new Histogram(statistics_, this)) {
  figures_->setObjectName(QStringLiteral("liczby"));
  auto* content = new QVBoxLayout;
  content->addWidget(figures_);
  content->addWidget(new QLabel(Ui("MeshDialogs", "Najmniejszy kąt trójkątów (liczba trójkątów):"), this));
  content->addWidget(histogram_);
  setContent(content);
}

void MeshStatisticsWindow::refresh() {
  if (!mesh_.changedTo(state_.model)) return;
  ++computations_;
  statistics_ = ComputeMeshStatistics(state_.model);
  figures_->setText(figures().join(u'\n'));
  static_cast<Histogram*>(histogram_)->refresh();
}

void MeshStatisticsWindow::okClicked() {
  accept();
}

QStringList MeshStatisticsWindow::figures() const {
  const MeshStatistics& s = statistics_;
  const auto degrees = [](double v) { return DecimalsText(v, 1) + u'°'; };
  // Six significant digits: the sums of single-precision areas carry noise
  // past them.
  const auto area = [](double v) {
    return QString::number(v, 'g', 6).replace(u'.', QLatin1Char(UserDecimalPoint()));
  };
  QStringList lines = {
      Ui("MeshDialogs", "Węzły: %1").arg(ThousandsText(s.nodes)),
      Ui("MeshDialogs", "Trójkąty: %1").arg(ThousandsText(s.triangles)),
      Ui("MeshDialogs", "Pole obszaru: %1").arg(area(s.totalArea)),
      Ui("MeshDialogs", "Pole trójkąta: od %1 do %2").arg(area(s.smallestArea), area(s.largestArea)),
      Ui("MeshDialogs", "Kąt: od %1 do %2").arg(degrees(s.smallestAngle), degrees(s.largestAngle))};
  // In a mesh of several materials, the triangles of each.
  if (s.perMaterial.size() > 1) {
    for (size_t i = 0; i < s.perMaterial.size(); ++i) {
      if (s.perMaterial[i] == 0) continue;
      const QString count = ThousandsText(s.perMaterial[i]);
      lines << (i == 0
                    ? Ui("MeshDialogs", "Trójkąty materiału własnego modelu: %1").arg(count)
                    : Ui("MeshDialogs", "Trójkąty materiału %1 (%2): %3")
                          .arg(QString::number(i),
                               QString::fromStdString(ShownName(state_.model.MaterialTable[int32_t(i)].name)),
                               count));
    }
  }
  return lines;
}

QString LimitText(const MeshLimitChoice& choice) {
  if (!choice.large) return {};
  return Ui("MeshDialogs", "Duże siatki: do %1 trójkątów").arg(ThousandsText(choice.triangles));
}

QString ShortLimitText(const MeshLimitChoice& choice) {
  if (!choice.large) return {};
  return Ui("MeshDialogs", "Duże siatki ≤ %1").arg(ThousandsText(choice.triangles));
}

MeshLimitDialog::MeshLimitDialog(MeshLimitChoice& choice, Prompter& prompter, QWidget* parent)
    : FormDialog(QStringLiteral("T_limit"), Ui("MeshDialogs", "Limit siatki"), prompter, parent),
      choice_(choice) {
  basic_ = new QRadioButton(Ui("MeshDialogs", "Limit podstawowy: 1 999 trójkątów i 999 węzłów"), this);
  basic_->setObjectName(QStringLiteral("podstawowy"));
  large_ = new QRadioButton(Ui("MeshDialogs", "Duże siatki, do eksportu w formatach otwartych"), this);
  large_->setObjectName(QStringLiteral("duze"));
  triangles_ = field(QStringLiteral("trojkaty"));
  auto* content = new QVBoxLayout;
  content->addWidget(basic_);
  content->addWidget(large_);
  auto* count = new QGridLayout;
  count->addWidget(new QLabel(Ui("MeshDialogs", "Najwięcej trójkątów:"), this), 0, 0);
  count->addWidget(triangles_, 0, 1);
  content->addLayout(count);
  content->addWidget(new QLabel(Ui("MeshDialogs",
                                   "Eksport do .m2d, .ulx i .n2d przyjmuje tylko siatki w limicie "
                                   "podstawowym."),
                                this));
  connect(large_, &QRadioButton::toggled, triangles_, &QLineEdit::setEnabled);
  setContent(content);
  markCancelKey();
}

void MeshLimitDialog::refresh() {
  (choice_.large ? large_ : basic_)->setChecked(true);
  triangles_->setText(QString::number(choice_.triangles));
  triangles_->setEnabled(choice_.large);
}

void MeshLimitDialog::okClicked() {
  if (large_->isChecked()) {
    bool ok = false;
    const qlonglong n = triangles_->text().remove(u' ').toLongLong(&ok);
    if (!ok || n < kLeastLargeLimit || n > kLargestMeshTriangles) {
      prompter_.message(Ui("MeshDialogs", "Podaj liczbę trójkątów od %1 do %2.")
                            .arg(ThousandsText(kLeastLargeLimit), ThousandsText(kLargestMeshTriangles)),
                        windowTitle(), MessageIcon::Exclamation);
      focusOn(triangles_);
      return;
    }
    choice_.triangles = static_cast<int32_t>(n);
  }
  choice_.large = large_->isChecked();
  accept();
}
