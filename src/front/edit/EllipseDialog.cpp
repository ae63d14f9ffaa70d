#include "front/edit/EllipseDialog.h"

#include <QGridLayout>
#include <QLineEdit>

#include "core/edit/Contours.h"
#include "core/state/AppState.h"
#include "front/ui/LocaleNumbers.h"
#include "front/ui/Prompter.h"
#include "front/ui/UiText.h"

EllipseDialog::EllipseDialog(AppState& state, Prompter& prompter, QWidget* parent)
    : FormDialog(QStringLiteral("Tokrag_"), Ui("EllipseDialog", "Parametry elipsy"), prompter, parent),
      state_(state) {
  xx_ = field(QStringLiteral("xx"), QStringLiteral("0"));
  yy_ = field(QStringLiteral("yy"), QStringLiteral("0"));
  rr_ = field(QStringLiteral("rr"), QStringLiteral("10"));
  ry_ = field(QStringLiteral("ry"), QStringLiteral("10"));
  nnn_ = field(QStringLiteral("nnn"), QStringLiteral("18"));
  setContent(rows({{Ui("EllipseDialog", "Współrzędne środka elipsy"), nullptr},
                   {QStringLiteral("x"), xx_},
                   {QStringLiteral("y"), yy_},
                   {Ui("EllipseDialog", "Promień x"), rr_},
                   {Ui("EllipseDialog", "Promień y"), ry_},
                   {Ui("EllipseDialog", "Liczba elementów"), nnn_}}));
}

void EllipseDialog::okClicked() {
  accept();
  // Read in this order; the first field that is not a number (or not a
  // finite one in single precision) ends it quietly.
  EllipseParams p;
  const std::optional<int32_t> n = ParseInteger(nnn_->text());
  if (!n) return;
  const std::optional<float> rx = ParseFloat(rr_->text());
  if (!rx) return;
  const std::optional<float> xc = ParseFloat(xx_->text());
  if (!xc) return;
  const std::optional<float> yc = ParseFloat(yy_->text());
  if (!yc) return;
  const std::optional<float> ry = ParseFloat(ry_->text());
  if (!ry) return;
  p.n = *n;
  p.rx = *rx;
  p.xc = *xc;
  p.yc = *yc;
  p.ry = *ry;
  const ContourChange change = AddEllipse(state_.model, p);
  if (change.full) {
    prompter_.message(QString::fromStdString(CapacityMessage(*change.full)),
                      Ui("EllipseDialog", "Parametry elipsy"), MessageIcon::Stop);
  }
}
