#pragma once
// The physics of a project: the condition table, the boundary table, and
// the problem kind with its two properties. The table dialogs change the
// model as their buttons are pressed; their command records the whole
// session as one step.

#include <utility>
#include <vector>

#include "core/model/Model.h"
#include "front/ui/FormDialog.h"

struct AppState;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;

// A table's rows as a list with an editor below and "Dodaj", "Zmień",
// "Usuń"; "OK" closes.
class TableDialog : public FormDialog {
  Q_OBJECT
 public:
  TableDialog(const QString& name, const QString& caption, AppState& state, Prompter& prompter,
              QWidget* parent = nullptr);
  void refresh() override;
  void okClicked() override;
  // The row shown in the editor (1-based), 0 for none.
  int32_t row() const;
  void selectRow(int32_t row);

 protected:
  // The list's lines, a row each.
  virtual QStringList rowTexts() const = 0;
  // Fills the editor from a row.
  virtual void showRow(int32_t row) = 0;
  virtual void addRow() = 0;
  virtual void changeRow(int32_t row) = 0;
  virtual void deleteRow(int32_t row) = 0;
  // Puts the editor under the list and the three buttons under it.
  void setEditor(QLayout* editor);
  // The kind selector's items: the words of the known codes, and the row's
  // own code when it is none of them.
  void fillKinds(const std::vector<std::pair<QString, float>>& kinds, float current);
  float chosenKind() const;

  AppState& state_;
  QListWidget* list_;
  QComboBox* kind_;
};

// "Warunki brzegowe": conditions with their kind and the values the kind
// uses, labelled by what they mean in the project's family.
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
  // The values typed in the fields in use, into `c`; false, with a message,
  // when one is not a finite number.
  bool readValues(BoundaryCondition& c);

  QLabel* labels_[6];
  QLineEdit* values_[6];
};

// "Brzegi": boundaries and their kind, outer or inner.
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
};

// "Zadanie i własności": the problem kind by its family name and the two
// properties, labelled as the family reads them. A kind from a file that is
// none of the four stays, shown by its number, until another is chosen.
class ProblemDialog : public FormDialog {
  Q_OBJECT
 public:
  ProblemDialog(AppState& state, Prompter& prompter, QWidget* parent = nullptr);
  void refresh() override;
  // Stores the kind and both properties and closes; a value that is not a
  // finite number is refused with a message, and the dialog stays.
  void okClicked() override;

 private:
  void relabel();

  AppState& state_;
  QComboBox* kind_;
  QLabel* labels_[2];
  QLineEdit* values_[2];
};
