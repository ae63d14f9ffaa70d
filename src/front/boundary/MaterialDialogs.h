#pragma once
// The materials of a project and the region points that place them: the
// material table, edited on a copy that "OK" applies at once, and the
// dialog of one region point.

#include "front/boundary/PhysicsDialogs.h"

class QComboBox;
class QLabel;
class QLineEdit;

// "Materiały": each row a name and the two properties of the problem's
// family, labelled as the project's own pair is. "Dodaj" and "Zmień" take
// the editor's name and numbers; "OK" checks every row once more, so that a
// name read from a file that is no longer allowed is caught too.
class MaterialsDialog : public TableDialog {
  Q_OBJECT
 public:
  MaterialsDialog(AppState& state, Prompter& prompter, QWidget* parent = nullptr);
  void refresh() override;
  void okClicked() override;

 protected:
  QStringList rowTexts() const override;
  void showRow(int32_t row) override;
  void addRow() override;
  void changeRow(int32_t row) override;
  void deleteRow(int32_t row) override;

 private:
  // The editor's name and numbers into `m`; false, with a message and the
  // cursor on the bad field, when one is not allowed.
  bool read(Material& m);

  QLineEdit* name_;
  QLabel* labels_[2];
  QLineEdit* values_[2];
};

// The longest material name, in bytes of UTF-8.
inline constexpr int kMaxMaterialName = 64;

// "Punkt obszaru": the point's number, its coordinates, its material
// ("0: materiał projektu" or one of the table's) and the largest triangle
// area there, empty for none. The number is fixed when the command chose
// the point; otherwise the typed number picks the point to change. A
// refusal keeps the dialog open with what the user typed.
class RegionPointDialog : public FormDialog {
  Q_OBJECT
 public:
  RegionPointDialog(AppState& state, Prompter& prompter, QWidget* parent = nullptr);
  void refresh() override;
  void okClicked() override;

 protected:
  bool refillsOnActivation() const override { return false; }

 private:
  void numberChanged(const QString& text);
  void showPoint(int32_t number);

  AppState& state_;
  QLineEdit* number_;
  QLineEdit* xx_;
  QLineEdit* yy_;
  QComboBox* material_;
  QLineEdit* area_;
};
