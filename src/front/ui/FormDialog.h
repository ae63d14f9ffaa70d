#pragma once
// What every dialog of the program shares: created once and kept, modal,
// a fixed border without title-bar buttons, an "OK" button that is the
// default and an "Anuluj" button that cancels, and controls filled from the
// program's state each time the dialog is shown and, unless the dialog says
// otherwise, activated.

#include <QDialog>
#include <initializer_list>
#include <utility>

class Prompter;
class QCheckBox;
class QGridLayout;
class QLayout;
class QLineEdit;

// The program's font for drawing and dialogs: "MS Sans Serif" 11 pixels
// high, or the system's sans serif where that is missing.
QFont ProgramFont();

class FormDialog : public QDialog {
  Q_OBJECT
 public:
  // The buttons' object names differ from dialog to dialog ("OK" or
  // "Button1", "Anuluj" or "Button2"); an empty cancel name leaves "OK" alone.
  FormDialog(const QString& name, const QString& caption, Prompter& prompter, QWidget* parent,
             const QString& okName = QStringLiteral("OK"),
             const QString& cancelName = QStringLiteral("Anuluj"));

  // Fills the controls from the state; nothing for a dialog whose controls
  // keep what was last typed.
  virtual void refresh() {}
  // The "OK" button: reads the controls, writes the state, closes.
  virtual void okClicked() = 0;

 protected:
  // Closes the dialog with `result` when the scope ends, so that a message
  // shown on the way stands over the dialog, which then closes all the same.
  struct CloseAtEnd {
    QDialog& dialog;
    int result;
    ~CloseAtEnd() { dialog.done(result); }
  };
  // Puts the dialog's own controls above the row of buttons, which are made
  // here, after the controls.
  void setContent(QLayout* content);
  QLineEdit* field(const QString& name, const QString& text = {}, QWidget* parent = nullptr);
  QCheckBox* checkBox(const QString& name, const QString& caption, QWidget* parent);
  // Rows of a label and its control; a row without a control is a heading
  // across both columns.
  QGridLayout* rows(std::initializer_list<std::pair<QString, QWidget*>> labelled);
  // Shows a number in a field without running the field's change handling.
  static void showNumber(QLineEdit* field, int32_t number);
  // A number the command fixed (SelectedNumber not 0) is put back when the
  // user types over it. True when the number is fixed.
  static bool keepsFixedNumber(QLineEdit* field, int32_t selected);

  // True when the dialog refills itself each time it is activated. A dialog
  // that stays open for correction after a refusal says false, so that what
  // the user typed survives the message box.
  virtual bool refillsOnActivation() const { return true; }
  // After a refusal: the cursor goes to the bad control, its text selected.
  static void focusOn(QWidget* control);
  // Gives the "Anuluj" button its access letter, "&Anuluj".
  void markCancelKey();

  void showEvent(QShowEvent* event) override;
  bool event(QEvent* event) override;

  Prompter& prompter_;

 private:
  QString okName_;
  QString cancelName_;
};
