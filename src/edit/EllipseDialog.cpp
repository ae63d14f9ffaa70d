#include "edit/EllipseDialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/AppState.h"
#include "app/LocaleNumbers.h"
#include "app/Prompter.h"
#include "edit/Contours.h"

EllipseDialog::EllipseDialog(AppState& state, Prompter& prompter, QWidget* parent)
    : QDialog(parent), state_(state), prompter_(prompter) {
  setObjectName(QStringLiteral("Tokrag_"));
  setWindowTitle(QStringLiteral("Parametry elipsy"));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  setModal(true);
  const auto field = [this](const char* name, const char* text) {
    auto* edit = new QLineEdit(QString::fromLatin1(text), this);
    edit->setObjectName(QString::fromLatin1(name));
    return edit;
  };
  xx_ = field("xx", "0");
  yy_ = field("yy", "0");
  rr_ = field("rr", "10");
  ry_ = field("ry", "10");
  nnn_ = field("nnn", "18");
  auto* fields = new QGridLayout;
  fields->addWidget(new QLabel(QStringLiteral("Współrzędne środka elipsy"), this), 0, 0, 1, 2);
  const std::pair<const char*, QLineEdit*> rows[] = {
      {"x", xx_}, {"y", yy_}, {"Promień x", rr_}, {"Promień y", ry_}, {"Liczba elementów", nnn_}};
  int row = 1;
  for (const auto& [label, edit] : rows) {
    fields->addWidget(new QLabel(QString::fromUtf8(label), this), row, 0);
    fields->addWidget(edit, row++, 1);
  }
  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setObjectName(QStringLiteral("OK"));
  ok->setDefault(true);
  auto* cancel = new QPushButton(QStringLiteral("Anuluj"), this);
  cancel->setObjectName(QStringLiteral("Anuluj"));
  connect(ok, &QPushButton::clicked, this, &EllipseDialog::okClicked);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(fields);
  layout->addLayout(buttons);
}

void EllipseDialog::okClicked() {
  accept();
  // Read in this order; the first field that is not a number ends it quietly.
  EllipseParams p;
  const std::optional<int32_t> n = ParseInteger(nnn_->text());
  if (!n) return;
  const std::optional<double> rx = ParseNumber(rr_->text());
  if (!rx) return;
  const std::optional<double> xc = ParseNumber(xx_->text());
  if (!xc) return;
  const std::optional<double> yc = ParseNumber(yy_->text());
  if (!yc) return;
  const std::optional<double> ry = ParseNumber(ry_->text());
  if (!ry) return;
  p.n = *n;
  p.rx = static_cast<float>(*rx);
  p.xc = static_cast<float>(*xc);
  p.yc = static_cast<float>(*yc);
  p.ry = static_cast<float>(*ry);
  const ContourChange change = AddEllipse(state_.model, p);
  if (change.full) {
    prompter_.message(QString::fromStdString(CapacityMessage(*change.full)),
                      QStringLiteral("Parametry elipsy"), MessageIcon::Stop);
  }
}
