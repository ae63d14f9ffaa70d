#include "front/boundary/BoundaryDialogs.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include "core/boundary/Codes.h"
#include "core/state/AppState.h"
#include "front/ui/LocaleNumbers.h"
#include "front/ui/Prompter.h"
#include "front/ui/UiText.h"

namespace {

QString NodeItem(int32_t number, const Node& node) {
  return Ui("BoundaryDialogs", "nr %1, x%2, y%3")
      .arg(number)
      .arg(DecimalsText(node.x, 3), DecimalsText(node.y, 3));
}

QString ConditionItem(int32_t number, const BoundaryCondition& c, int32_t problemKind) {
  const QString word = QString::fromStdString(ShownConditionKindWord(problemKind, c.kind));
  return Ui("BoundaryDialogs", "nr %1, %2%3 %4 %5")
      .arg(number)
      .arg(word.isEmpty() ? QString() : word + QLatin1Char(' '))
      .arg(DecimalsText(c.value1, 3), DecimalsText(c.value2, 3), DecimalsText(c.value3, 3));
}

QString BoundaryItem(int32_t number, const Boundary& b) {
  const QString word = QString::fromStdString(ShownBoundaryKindWord(b.kind));
  return word.isEmpty() ? Ui("BoundaryDialogs", "nr %1").arg(number)
                        : Ui("BoundaryDialogs", "nr %1, %2").arg(QString::number(number), word);
}

}  // namespace

ElementDialog::ElementDialog(AppState& state, Prompter& prompter, QWidget* parent)
    : FormDialog(QStringLiteral("Tw_elem"), Ui("BoundaryDialogs", "Własności elementu"), prompter, parent),
      state_(state) {
  number_ = field(QStringLiteral("numer"));
  const char* names[] = {"poczatek", "koniec", "warunek", "brzeg"};
  for (int i = 0; i < 4; ++i) {
    selectors_[i] = new QComboBox(this);
    selectors_[i]->setObjectName(QString::fromLatin1(names[i]));
    selectors_[i]->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  }
  QGridLayout* grid = rows({{Ui("BoundaryDialogs", "Numer elementu"), number_},
                            {Ui("BoundaryDialogs", "Nr węzeła początkowego"), selectors_[0]},
                            {Ui("BoundaryDialogs", "Nr węzeł końcowego"), selectors_[1]},
                            {Ui("BoundaryDialogs", "Nr warunku brzegowego"), selectors_[2]},
                            {Ui("BoundaryDialogs", "Nr brzegu"), selectors_[3]}});
  // The condition and the boundary only travel through the dialog.
  for (int row : {3, 4}) {
    for (int column : {0, 1}) grid->itemAtPosition(row, column)->widget()->hide();
  }
  setContent(grid);
  connect(number_, &QLineEdit::textChanged, this, &ElementDialog::numberChanged);
}

void ElementDialog::refresh() {
  const Model& m = state_.model;
  showNumber(number_, m.SelectedNumber);
  for (QComboBox* selector : selectors_) selector->clear();
  for (int32_t i = 1; i <= m.nodeCount; ++i) {
    selectors_[0]->addItem(NodeItem(i, m.NodeTable[i]));
    selectors_[1]->addItem(NodeItem(i, m.NodeTable[i]));
  }
  for (int32_t i = 1; i <= m.bcCount; ++i)
    selectors_[2]->addItem(ConditionItem(i, m.BcTable[i], m.ProblemKind));
  for (int32_t i = 1; i <= m.boundaryCount; ++i) selectors_[3]->addItem(BoundaryItem(i, m.BoundaryTable[i]));
  if (m.SelectedNumber != 0) {
    showElement(m.SelectedNumber);
  } else {
    numberChanged(number_->text());
  }
}

void ElementDialog::numberChanged(const QString& text) {
  const Model& m = state_.model;
  if (keepsFixedNumber(number_, m.SelectedNumber)) return;
  const std::optional<int32_t> typed = ParseInteger(text);
  if (!typed || m.elementCount < 1) return;
  const int32_t n = std::clamp(*typed, 1, m.elementCount);
  if (n != *typed) showNumber(number_, n);
  showElement(n);
}

void ElementDialog::showElement(int32_t n) {
  const Model& m = state_.model;
  const bool exists = n >= 1 && n <= m.elementCount;
  const Element e = exists ? m.ElementTable[n] : Element{1, 1, 1, 1};
  const int32_t numbers[4] = {e.startNode, e.endNode, e.bcNumber, e.boundaryNumber};
  for (int i = 0; i < 4; ++i) {
    shown_[i] = numbers[i];
    const bool listed = numbers[i] >= 1 && numbers[i] <= selectors_[i]->count();
    selectors_[i]->setCurrentIndex(listed ? numbers[i] - 1 : -1);
  }
}

void ElementDialog::okClicked() {
  const CloseAtEnd close{*this, Accepted};
  Model& m = state_.model;
  const std::optional<int32_t> n = ParseInteger(number_->text());
  if (!n || *n < 1 || *n > m.elementCount) {
    prompter_.message(Ui("BoundaryDialogs", "Błędne dane"), Ui("BoundaryDialogs", "Własności elementu"),
                      MessageIcon::Stop);
    return;
  }
  int32_t numbers[4];
  for (int i = 0; i < 4; ++i) {
    const int index = selectors_[i]->currentIndex();
    numbers[i] = index >= 0 ? index + 1 : shown_[i];
  }
  m.ElementTable[*n] = Element{numbers[0], numbers[1], numbers[2], numbers[3]};
}

InternalNodeDialog::InternalNodeDialog(AppState& state, Prompter& prompter, QWidget* parent)
    : FormDialog(QStringLiteral("Twwew"), Ui("BoundaryDialogs", "Węzeł wewnętrzny"), prompter, parent),
      state_(state) {
  number_ = field(QStringLiteral("numer"));
  xx_ = field(QStringLiteral("xx"));
  yy_ = field(QStringLiteral("yy"));
  setContent(rows({{Ui("BoundaryDialogs", "Numer węzła"), number_},
                   {Ui("BoundaryDialogs", "współrzędna X"), xx_},
                   {Ui("BoundaryDialogs", "współrzędna Y"), yy_}}));
  connect(number_, &QLineEdit::textChanged, this, &InternalNodeDialog::numberChanged);
}

void InternalNodeDialog::refresh() {
  const Model& m = state_.model;
  showNumber(number_, m.SelectedNumber);
  xx_->setText(QStringLiteral("0"));
  yy_->setText(QStringLiteral("0"));
  if (m.SelectedNumber >= 1 && m.SelectedNumber <= m.internalNodeCount) {
    xx_->setText(GeneralText(m.InternalNodeTable[m.SelectedNumber].x));
    yy_->setText(GeneralText(m.InternalNodeTable[m.SelectedNumber].y));
  }
}

void InternalNodeDialog::numberChanged(const QString& text) {
  const Model& m = state_.model;
  if (keepsFixedNumber(number_, m.SelectedNumber)) return;
  const std::optional<int32_t> n = ParseInteger(text);
  if (!n || *n < 1 || *n > m.internalNodeCount) {
    showNumber(number_, 0);
    return;
  }
  xx_->setText(GeneralText(m.InternalNodeTable[*n].x));
  yy_->setText(GeneralText(m.InternalNodeTable[*n].y));
}

void InternalNodeDialog::okClicked() {
  Model& m = state_.model;
  const std::optional<int32_t> n = ParseInteger(number_->text());
  const std::optional<float> x = ParseCoordinate(xx_->text());
  const std::optional<float> y = ParseCoordinate(yy_->text());
  if (!n || !x || !y || *n < 1 || *n > m.internalNodeCount) {
    const CloseAtEnd close{*this, Rejected};
    prompter_.message(Ui("BoundaryDialogs", "Złe dane"), Ui("BoundaryDialogs", "Warunek brzegowy"),
                      MessageIcon::Stop);
    return;
  }
  m.InternalNodeTable[*n] = InternalNode{*x, *y};
  accept();
}
