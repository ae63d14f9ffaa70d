#include "front/solve/LinePlotWindow.h"

#include <QBuffer>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <limits>

#include "core/files/SafeFile.h"
#include "core/files/WriteCause.h"
#include "core/state/AppState.h"
#include "front/solve/SolutionDialogs.h"
#include "front/ui/LocaleNumbers.h"
#include "front/ui/Prompter.h"
#include "front/ui/ShownNames.h"
#include "front/ui/SvgPicture.h"
#include "front/ui/UiText.h"

namespace {

QString PlotTitle() {
  return Ui("LinePlotWindow", "Wykres wzdłuż odcinka");
}

QString WithUnit(const std::string& name, const std::string& unit) {
  return QString::fromStdString(unit.empty() ? name : name + " [" + unit + "]");
}

}  // namespace

SegmentDialog::SegmentDialog(AppState& state, Prompter& prompter, QWidget* parent)
    : FormDialog(QStringLiteral("T_odcinek"), PlotTitle(), prompter, parent), state_(state) {
  const char* names[4] = {"x1", "y1", "x2", "y2"};
  for (int i = 0; i < 4; ++i) ends_[i] = field(QString::fromLatin1(names[i]));
  auto* pick = new QPushButton(Ui("LinePlotWindow", "&Wskaż na rysunku"), this);
  pick->setObjectName(QStringLiteral("wskaz"));
  connect(pick, &QPushButton::clicked, this, [this] { done(kPickOnDrawing); });
  QGridLayout* grid = rows({{Ui("LinePlotWindow", "Początek x1:"), ends_[0]},
                            {Ui("LinePlotWindow", "Początek y1:"), ends_[1]},
                            {Ui("LinePlotWindow", "Koniec x2:"), ends_[2]},
                            {Ui("LinePlotWindow", "Koniec y2:"), ends_[3]}});
  grid->addWidget(pick, grid->rowCount(), 0, 1, 2);
  setContent(grid);
}

void SegmentDialog::refresh() {
  PlotSegment s{};
  if (state_.plotSegment) {
    s = *state_.plotSegment;
  } else {
    // Across the mesh's width, halfway up.
    const Model& m = state_.solution ? state_.solution->model : state_.model;
    double x0 = std::numeric_limits<double>::infinity(), x1 = -x0, y0 = x0, y1 = -x0;
    for (int32_t k = 1; k <= m.meshNodeCount; ++k) {
      const MeshNode& n = m.MeshNodeTable[k];
      x0 = std::min(x0, n.x), x1 = std::max(x1, n.x), y0 = std::min(y0, n.y), y1 = std::max(y1, n.y);
    }
    if (x0 <= x1) s = {{x0, 0.5 * (y0 + y1)}, {x1, 0.5 * (y0 + y1)}};
  }
  const double v[4] = {s.a.x, s.a.y, s.b.x, s.b.y};
  for (int i = 0; i < 4; ++i) ends_[i]->setText(GeneralText(v[i]));
}

void SegmentDialog::okClicked() {
  double v[4];
  for (int i = 0; i < 4; ++i) {
    const std::optional<double> typed = ParseTypedNumber(ends_[i]->text());
    if (!typed) {
      prompter_.message(Ui("LinePlotWindow", "Współrzędna końca odcinka musi być liczbą."), PlotTitle(),
                        MessageIcon::Stop);
      focusOn(ends_[i]);
      return;
    }
    v[i] = *typed;
  }
  if (v[0] == v[2] && v[1] == v[3]) {
    prompter_.message(Ui("LinePlotWindow", "Początek i koniec odcinka muszą być różne."), PlotTitle(),
                      MessageIcon::Stop);
    focusOn(ends_[2]);
    return;
  }
  state_.plotSegment = PlotSegment{{v[0], v[1]}, {v[2], v[3]}};
  accept();
}

LinePlotWindow::LinePlotWindow(const AppState& state, Prompter& prompter, QWidget* parent)
    : QDialog(parent),
      state_(state),
      prompter_(prompter),
      field_(new QComboBox(this)),
      view_(new QChartView(new QChart, this)),
      flow_(new QLabel(this)) {
  setObjectName(QStringLiteral("T_wykres"));
  setWindowTitle(PlotTitle());
  setModal(false);
  field_->setObjectName(QStringLiteral("pole"));
  flow_->setObjectName(QStringLiteral("przeplyw"));
  view_->setRenderHint(QPainter::Antialiasing);
  view_->setMinimumSize(480, 320);
  auto* top = new QHBoxLayout;
  top->addWidget(new QLabel(Ui("LinePlotWindow", "Pole:"), this));
  top->addWidget(field_, 1);
  const auto button = [this](const QString& name, const QString& text) {
    auto* b = new QPushButton(text, this);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
  };
  QPushButton* csv = button(QStringLiteral("zapiszCsv"), Ui("LinePlotWindow", "Zapisz &CSV..."));
  QPushButton* image = button(QStringLiteral("zapiszObraz"), Ui("LinePlotWindow", "Zapisz &obraz..."));
  QPushButton* close = button(QStringLiteral("zamknij"), Ui("LinePlotWindow", "&Zamknij"));
  connect(csv, &QPushButton::clicked, this, [this] { saveCsv(); });
  connect(image, &QPushButton::clicked, this, [this] { saveImage(); });
  connect(close, &QPushButton::clicked, this, &QDialog::close);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(flow_, 1);
  for (QPushButton* b : {csv, image, close}) buttons->addWidget(b);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(view_, 1);
  layout->addLayout(buttons);
  connect(field_, &QComboBox::currentIndexChanged, this, [this] { redraw(); });
}

LinePlotWindow::~LinePlotWindow() = default;

void LinePlotWindow::plot(const PlotSegment& segment) {
  solution_ = state_.solution;
  segment_ = segment;
  if (!solution_) return;
  const Solution& s = *solution_;
  {
    const QSignalBlocker quiet(field_);
    field_->clear();
    for (FieldKind kind : FieldChoices(s.result.disc)) field_->addItem(FieldName(kind, s.model.ProblemKind));
    field_->setCurrentIndex(std::clamp<int32_t>(state_.solutionDisplay.field, 0, field_->count() - 1));
  }
  const char point = UserDecimalPoint();
  const FieldNames names = NamesOfField(s.model.ProblemKind);
  const auto number = [point](double v) { return QString::fromStdString(SignificantText(v, 6, point)); };
  const auto unit = [](const std::string& u) {
    return u.empty() ? QString() : " " + QString::fromStdString(u);
  };
  if (s.result.disc) {
    const std::array<double, 2> f = ForceThroughSegment(s, segment.a, segment.b);
    flow_->setText(
        Ui("LinePlotWindow", "Siła na odcinku: Fx = %1 N/m, Fy = %2 N/m").arg(number(f[0]), number(f[1])));
  } else {
    flow_->setText(Ui("LinePlotWindow", "Przepływ przez odcinek: %1%2")
                       .arg(number(FlowThroughSegment(s, segment.a, segment.b)), unit(names.flowUnit)));
  }
  redraw();
}

QString LinePlotWindow::flowText() const {
  return flow_->text();
}

void LinePlotWindow::redraw() {
  if (!solution_) return;
  const Solution& s = *solution_;
  const std::vector<FieldKind> choices = FieldChoices(s.result.disc);
  values_ =
      ComputeField(s, choices[size_t(std::clamp<int>(field_->currentIndex(), 0, int(choices.size()) - 1))]);
  pieces_ = SampleAlongSegment(s.model, values_, segment_.a, segment_.b);
  QChart* chart = view_->chart();
  chart->removeAllSeries();
  for (QAbstractAxis* axis : chart->axes()) {
    chart->removeAxis(axis);
    delete axis;
  }
  auto* x = new QValueAxis(chart);
  auto* y = new QValueAxis(chart);
  const std::string length = LengthUnit(s);
  x->setTitleText(WithUnit("s", length));
  y->setTitleText(WithUnit(values_.name, values_.unit));
  x->setRange(0.0, std::hypot(segment_.b.x - segment_.a.x, segment_.b.y - segment_.a.y));
  double lo = std::numeric_limits<double>::infinity(), hi = -lo;
  chart->addAxis(x, Qt::AlignBottom);
  chart->addAxis(y, Qt::AlignLeft);
  for (const std::vector<LineSample>& piece : pieces_) {
    auto* series = new QLineSeries(chart);
    for (const LineSample& p : piece) {
      series->append(p.s, p.value);
      if (std::isfinite(p.value)) lo = std::min(lo, p.value), hi = std::max(hi, p.value);
    }
    chart->addSeries(series);
    series->attachAxis(x);
    series->attachAxis(y);
  }
  if (lo <= hi) {
    const double margin = hi > lo ? 0.05 * (hi - lo) : std::max(1.0, std::abs(lo)) * 0.05;
    y->setRange(lo - margin, hi + margin);
  }
  chart->legend()->hide();
  chart->setTitle(QStringLiteral("(%1; %2) → (%3; %4)")
                      .arg(GeneralText(segment_.a.x), GeneralText(segment_.a.y), GeneralText(segment_.b.x),
                           GeneralText(segment_.b.y)));
}

bool LinePlotWindow::write(const QString& name, const QByteArray& bytes, const QString& title) {
  const WriteResult written = WriteFileAtomically(QFile::encodeName(name).toStdString(),
                                                  std::string_view(bytes.constData(), size_t(bytes.size())));
  if (written) return true;
  const std::string text =
      Ui("LinePlotWindow", "Nie udało się zapisać pliku %1.").arg(ShownName(name)).toStdString();
  prompter_.message(QString::fromStdString(WithWriteCause(text, written.error)), title, MessageIcon::Stop);
  return false;
}

bool LinePlotWindow::saveCsv() {
  if (!solution_) return false;
  FileDialogOptions options;
  options.title = Ui("LinePlotWindow", "Zapisz CSV");
  options.filters = {Ui("LinePlotWindow", "Plik CSV (*.csv)")};
  options.defaultSuffix = QStringLiteral("csv");
  options.confirmOverwrite = true;
  const std::optional<QString> name = prompter_.saveFileName(options);
  if (!name) return false;
  const std::string text = LineSamplesCsv(pieces_, values_, LengthUnit(*solution_));
  return write(*name, QByteArray(text.data(), qsizetype(text.size())), options.title);
}

bool LinePlotWindow::saveImage() {
  FileDialogOptions options;
  options.title = Ui("LinePlotWindow", "Zapisz obraz");
  options.filters = {Ui("LinePlotWindow", "Obraz PNG (*.png)"), Ui("LinePlotWindow", "Obraz SVG (*.svg)")};
  options.defaultSuffix = QStringLiteral("png");
  options.confirmOverwrite = true;
  int filter = 0;
  options.chosenFilter = &filter;
  const std::optional<QString> name = prompter_.saveFileName(options);
  if (!name) return false;
  // The name's extension decides; one without tells by the filter chosen.
  const bool svg = name->endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive) ||
                   (!name->endsWith(QStringLiteral(".png"), Qt::CaseInsensitive) && filter == 1);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  bool encoded = false;
  if (svg) {
    const std::optional<QByteArray> picture =
        SvgPicture(view_->size(), QStringLiteral("Wykres wzdłuż odcinka"),
                   [this](QPainter& painter) { view_->render(&painter); });
    if ((encoded = picture.has_value())) bytes = *picture;
  } else if (buffer.open(QIODevice::WriteOnly)) {
    encoded = view_->grab().save(&buffer, "PNG");
  }
  if (!encoded) {
    prompter_.message(Ui("LinePlotWindow", "Nie udało się zapisać obrazu do pliku %1.").arg(ShownName(*name)),
                      options.title, MessageIcon::Stop);
    return false;
  }
  return write(*name, bytes, options.title);
}
