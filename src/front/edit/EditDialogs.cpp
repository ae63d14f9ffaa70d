#include "front/edit/EditDialogs.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include "core/state/AppState.h"
#include "front/ui/LocaleNumbers.h"
#include "front/ui/Prompter.h"
#include "front/ui/UiText.h"

NodeCoordinatesDialog::NodeCoordinatesDialog(AppState& state, Prompter& prompter, QWidget* parent)
    : FormDialog(QStringLiteral("Twwez"), Ui("EditDialogs", "Współrzędne węzła"), prompter, parent),
      state_(state) {
  number_ = field(QStringLiteral("Edit1"));
  xx_ = field(QStringLiteral("xx"));
  yy_ = field(QStringLiteral("yy"));
  setContent(rows({{Ui("EditDialogs", "Numer węzła"), number_},
                   {Ui("EditDialogs", "Współrzędna x"), xx_},
                   {Ui("EditDialogs", "Współrzędna y"), yy_}}));
  connect(number_, &QLineEdit::textChanged, this, &NodeCoordinatesDialog::numberChanged);
}

void NodeCoordinatesDialog::refresh() {
  const Model& m = state_.model;
  showNumber(number_, m.SelectedNumber);
  numberChanged(number_->text());
  if (m.SelectedNumber >= 1 && m.SelectedNumber <= m.nodeCount) {
    xx_->setText(GeneralText(m.NodeTable[m.SelectedNumber].x));
    yy_->setText(GeneralText(m.NodeTable[m.SelectedNumber].y));
  }
}

void NodeCoordinatesDialog::numberChanged(const QString& text) {
  const Model& m = state_.model;
  if (keepsFixedNumber(number_, m.SelectedNumber)) return;
  const std::optional<int32_t> typed = ParseInteger(text);
  if (!typed || m.nodeCount < 1) return;
  const int32_t n = std::clamp(*typed, 1, m.nodeCount);
  if (n != *typed) showNumber(number_, n);
  xx_->setText(GeneralText(m.NodeTable[n].x));
  yy_->setText(GeneralText(m.NodeTable[n].y));
}

void NodeCoordinatesDialog::okClicked() {
  const CloseAtEnd close{*this, Accepted};
  Model& m = state_.model;
  const std::optional<int32_t> n = ParseInteger(number_->text());
  if (!n || *n < 1 || *n > m.nodeCount) {
    prompter_.message(Ui("EditDialogs", "Złe dane"), Ui("EditDialogs", "Warunek brzegowy"),
                      MessageIcon::Stop);
    return;
  }
  // x is stored before y is read, so a bad y leaves the new x in place.
  for (auto [edit, coordinate] : {std::pair{xx_, &m.NodeTable[*n].x}, std::pair{yy_, &m.NodeTable[*n].y}}) {
    const std::optional<float> value = ParseCoordinate(edit->text());
    if (!value) {
      prompter_.message(Ui("EditDialogs", "Zła wartość współrzędnej"), windowTitle(), MessageIcon::Stop);
      return;
    }
    *coordinate = *value;
  }
}

NumberPrompt::NumberPrompt(AppState& state, Prompter& prompter, QWidget* parent)
    : FormDialog(QStringLiteral("Tuwez"), Ui("EditDialogs", "Podaj numer"), prompter, parent), state_(state) {
  label_ = new QLabel(this);
  label_->setObjectName(QStringLiteral("Label"));
  number_ = field(QStringLiteral("Edit1"));
  auto* content = new QGridLayout;
  content->addWidget(label_, 0, 0);
  content->addWidget(number_, 0, 1);
  setContent(content);
}

void NumberPrompt::refresh() {
  const char* labels[] = {QT_TRANSLATE_NOOP("EditDialogs", "Numer węzła"),
                          QT_TRANSLATE_NOOP("EditDialogs", "Numer elementu"),
                          QT_TRANSLATE_NOOP("EditDialogs", "Nr węz. wewnętrznego")};
  const int32_t selected = state_.model.SelectedNumber;
  if (selected >= 1 && selected <= 3) label_->setText(Ui("EditDialogs", labels[selected - 1]));
  number_->setText(QStringLiteral("0"));
}

void NumberPrompt::okClicked() {
  state_.model.SelectedNumber = ParseInteger(number_->text()).value_or(-1);
  accept();
}
