#include "front/ui/FormDialog.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "front/ui/UiText.h"

QFont ProgramFont() {
  QFont font(QStringLiteral("MS Sans Serif"));
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(11);
  return font;
}

FormDialog::FormDialog(const QString& name, const QString& caption, Prompter& prompter, QWidget* parent,
                       const QString& okName, const QString& cancelName)
    : QDialog(parent), prompter_(prompter), okName_(okName), cancelName_(cancelName) {
  setObjectName(name);
  setWindowTitle(caption);
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  setModal(true);
  setFont(ProgramFont());
}

void FormDialog::setContent(QLayout* content) {
  // The buttons come after the controls, so that tabbing reaches them last
  // and the focus starts on a control, where Return means OK.
  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setObjectName(okName_);
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, [this] { okClicked(); });
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  if (!cancelName_.isEmpty()) {
    auto* cancel = new QPushButton(Ui("FormDialog", "Anuluj"), this);
    cancel->setObjectName(cancelName_);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    buttons->addWidget(cancel);
  }
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(content);
  layout->addLayout(buttons);
}

QLineEdit* FormDialog::field(const QString& name, const QString& text, QWidget* parent) {
  auto* edit = new QLineEdit(text, parent != nullptr ? parent : this);
  edit->setObjectName(name);
  return edit;
}

QCheckBox* FormDialog::checkBox(const QString& name, const QString& caption, QWidget* parent) {
  auto* box = new QCheckBox(caption, parent);
  box->setObjectName(name);
  return box;
}

QGridLayout* FormDialog::rows(std::initializer_list<std::pair<QString, QWidget*>> labelled) {
  auto* grid = new QGridLayout;
  int row = 0;
  for (const auto& [label, control] : labelled) {
    grid->addWidget(new QLabel(label, this), row, 0, 1, control != nullptr ? 1 : 2);
    if (control != nullptr) grid->addWidget(control, row, 1);
    ++row;
  }
  return grid;
}

void FormDialog::showNumber(QLineEdit* field, int32_t number) {
  const QSignalBlocker quiet(field);
  field->setText(QString::number(number));
}

bool FormDialog::keepsFixedNumber(QLineEdit* field, int32_t selected) {
  if (selected == 0) return false;
  if (field->text() != QString::number(selected)) showNumber(field, selected);
  return true;
}

void FormDialog::focusOn(QWidget* control) {
  control->setFocus();
  if (auto* edit = qobject_cast<QLineEdit*>(control)) edit->selectAll();
}

void FormDialog::markCancelKey() {
  if (auto* cancel = findChild<QPushButton*>(cancelName_)) cancel->setText(Ui("FormDialog", "&Anuluj"));
}

void FormDialog::showEvent(QShowEvent* event) {
  refresh();
  // Each showing starts on the first control, wherever the last one ended,
  // with a field's text selected so that typing replaces it.
  for (QWidget* w = nextInFocusChain(); w != this; w = w->nextInFocusChain()) {
    if ((w->focusPolicy() & Qt::TabFocus) != 0 && w->isVisibleTo(this) && w->isEnabled()) {
      w->setFocus();
      if (auto* edit = qobject_cast<QLineEdit*>(w)) edit->selectAll();
      break;
    }
  }
  QDialog::showEvent(event);
}

bool FormDialog::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate && refillsOnActivation()) {
    refresh();
    // The refill replaced the text; typing should replace it again.
    if (auto* edit = qobject_cast<QLineEdit*>(focusWidget())) edit->selectAll();
  }
  return QDialog::event(event);
}
