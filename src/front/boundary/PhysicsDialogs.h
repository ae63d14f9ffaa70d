#pragma once
// The physics of a project: the condition table, the boundary table, and
// the problem kind with its two properties. Each opening of a dialog works
// on its own copy: "OK" applies every change made in it at once, so that
// the command records them as one step, and "Anuluj" or Escape discards
// them. After a refusal the dialog stays as the user left it, the cursor on
// the bad field: these dialogs do not refill themselves on activation.

#include <utility>
#include <vector>

#include "core/model/Model.h"
#include "front/ui/FormDialog.h"

struct AppState;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;

// A value that is not one: "Zła wartość" and the field's label, and for a
// number past what a float holds, that it is too large.
QString BadValue(const QString& label, const QString& typed);

// A table's rows as a list with an editor below and "Dodaj", "Zmień",
// "Usuń"; "OK" applies, "Anuluj" discards. Return in the editor applies the
// edit to the row shown ("Zmień"); elsewhere it is "OK".
class TableDialog : public FormDialog {
  Q_OBJECT
 public:
  TableDialog(const QString& name, const QString& caption, AppState& state, Prompter& prompter,
              QWidget* parent = nullptr);
  // Takes a fresh copy of the model and lists its rows.
  void refresh() override;
  // Puts the copy, with every change made since the dialog opened, into
  // the model, and closes.
  void okClicked() override;
  // The row shown in the editor (1-based), 0 for none.
  int32_t row() const;
  void selectRow(int32_t row);
  // The model as the dialog has changed it so far.
  const Model& draft() const { return begun_; }

 protected:
  bool refillsOnActivation() const override { return false; }
  void keyPressEvent(QKeyEvent* event) override;
  // Lets the copy go, so that a closed dialog keeps no old mesh alive.
  void hideEvent(QHideEvent* event) override;
  // The list's lines, a row each.
  virtual QStringList rowTexts() const = 0;
  // Fills the editor from a row.
  virtual void showRow(int32_t row) = 0;
  virtual void addRow() = 0;
  virtual void changeRow(int32_t row) = 0;
  virtual void deleteRow(int32_t row) = 0;
  // Puts the editor under the list and the three buttons under it; Return
  // in one of `editors` changes the row shown.
  void setEditor(QLayout* editor, std::vector<QWidget*> editors);
  // Lists the copy's rows again and shows row `select`.
  void relist(int32_t select);
  // The kind selector's items; `current` is the item shown.
  void fillKinds(const QStringList& words, int current);
  // Says that the kind chosen is not one of the family's, and puts the
  // cursor on the selector.
  void refuseKind(const QString& why);

  AppState& state_;
  Model begun_;
  QListWidget* list_;
  QComboBox* kind_;
  // The row whose own code, one the family does not know, is the
  // selector's last item; 0 when there is no such item.
  int32_t ownRow_ = 0;

 private:
  std::vector<QWidget*> editors_;
};

// "Warunki brzegowe": conditions with their kind and the values the kind
// uses, labelled by what they mean in the project's family. A row's code
// that the family does not know is kept exactly as read, NaN included,
// until another kind is chosen; "Dodaj" takes only the family's kinds.
class ConditionsDialog : public TableDialog {
  Q_OBJECT
 public:
  ConditionsDialog(AppState& state, Prompter& prompter, QWidget* parent = nullptr);

 protected:
  QStringList rowTexts() const override;
  void showRow(int32_t row) override;
  void addRow() override;
  void changeRow(int32_t row) override;
  void deleteRow(int32_t row) override;

 private:
  void relabel();
  // The kind chosen and the values typed in the fields in use, into `c`;
  // false, with a message, when the kind is not the family's (unless it
  // is row `own`'s own), a value is not a finite number, or a roller
  // support's component is neither 1 (ux) nor 2 (uy).
  bool read(BoundaryCondition& c, int32_t own);

  std::vector<float> codes_;  // the selector's codes, item by item
  QLabel* labels_[6];
  QLineEdit* values_[6];
};

// "Brzegi": boundaries and their kind, outer or inner; a kind read from a
// file that is neither stays as it is, an integer, until another is chosen.
class BoundariesDialog : public TableDialog {
  Q_OBJECT
 public:
  BoundariesDialog(AppState& state, Prompter& prompter, QWidget* parent = nullptr);

 protected:
  QStringList rowTexts() const override;
  void showRow(int32_t row) override;
  void addRow() override;
  void changeRow(int32_t row) override;
  void deleteRow(int32_t row) override;

 private:
  // The kind chosen into `kind`; false, with a message, as for conditions.
  bool read(int32_t& kind, int32_t own);

  std::vector<int32_t> codes_;
};

// "Zadanie i własności": the problem kind by its family name and the two
// properties, labelled as the family reads them. A kind from a file that is
// none of the four stays, shown by its number, until another is chosen. A
// change of family under which conditions read differently is asked first.
class ProblemDialog : public FormDialog {
  Q_OBJECT
 public:
  ProblemDialog(AppState& state, Prompter& prompter, QWidget* parent = nullptr);
  void refresh() override;
  // Stores the kind and both properties and closes; a value that is not a
  // finite number is refused with a message, and the dialog stays, as it
  // does when the user does not confirm a change of family.
  void okClicked() override;

 protected:
  bool refillsOnActivation() const override { return false; }

 private:
  void relabel();
  int32_t chosenKind() const;
  // The conditions that the new kind reads differently, as "before → after"
  // lines; empty when none does.
  QStringList rereadConditions(int32_t kind) const;

  AppState& state_;
  QComboBox* kind_;
  QLabel* labels_[2];
  QLineEdit* values_[2];
};
