#include "front/mesh/MeshDialogs.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QRadioButton>
#include <QVBoxLayout>

#include "front/ui/Prompter.h"

namespace {

// "1 000 000": spaces between thousands, whatever the locale.
QString Thousands(int64_t n) {
  QString digits = QString::number(n);
  for (qsizetype i = digits.size() - 3; i > 0; i -= 3) digits.insert(i, u' ');
  return digits;
}

}  // namespace

QString LimitText(const MeshLimitChoice& choice) {
  if (!choice.large) return {};
  return QStringLiteral("Duże siatki: do %1 trójkątów").arg(Thousands(choice.triangles));
}

MeshLimitDialog::MeshLimitDialog(MeshLimitChoice& choice, Prompter& prompter, QWidget* parent)
    : FormDialog(QStringLiteral("T_limit"), QStringLiteral("Limit siatki"), prompter, parent),
      choice_(choice) {
  specified_ = new QRadioButton(QStringLiteral("Limit podstawowy: 1999 trójkątów i 999 węzłów"), this);
  specified_->setObjectName(QStringLiteral("podstawowy"));
  large_ = new QRadioButton(QStringLiteral("Duże siatki, do eksportu w formatach otwartych"), this);
  large_->setObjectName(QStringLiteral("duze"));
  triangles_ = field(QStringLiteral("trojkaty"));
  auto* content = new QVBoxLayout;
  content->addWidget(specified_);
  content->addWidget(large_);
  auto* count = new QGridLayout;
  count->addWidget(new QLabel(QStringLiteral("Najwięcej trójkątów:"), this), 0, 0);
  count->addWidget(triangles_, 0, 1);
  content->addLayout(count);
  content->addWidget(
      new QLabel(QStringLiteral("Eksport do .m2d, .ulx i .n2d przyjmuje tylko siatki w limicie "
                                "podstawowym."),
                 this));
  connect(large_, &QRadioButton::toggled, triangles_, &QLineEdit::setEnabled);
  setContent(content);
}

void MeshLimitDialog::refresh() {
  (choice_.large ? large_ : specified_)->setChecked(true);
  triangles_->setText(QString::number(choice_.triangles));
  triangles_->setEnabled(choice_.large);
}

void MeshLimitDialog::okClicked() {
  if (large_->isChecked()) {
    bool ok = false;
    const qlonglong n = triangles_->text().remove(u' ').toLongLong(&ok);
    if (!ok || n < kLeastLargeLimit || n > kLargestMeshTriangles) {
      prompter_.message(QStringLiteral("Podaj liczbę trójkątów od %1 do %2.")
                            .arg(Thousands(kLeastLargeLimit), Thousands(kLargestMeshTriangles)),
                        windowTitle(), MessageIcon::Exclamation);
      return;
    }
    choice_.triangles = static_cast<int32_t>(n);
  }
  choice_.large = large_->isChecked();
  accept();
}
