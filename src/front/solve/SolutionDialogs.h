#pragma once
// "Pole...": the field the colour map shows, the isolines' count and the
// deformation's magnification; and "Lista wartości", the nodes' values.

#include <QStringList>

#include "core/field/FieldValues.h"
#include "front/ui/FormDialog.h"

struct AppState;
class NodeValueModel;
class QComboBox;
class QLabel;
class QLineEdit;
class QListView;

// A field as the choices name it: "T [°C] (w węzłach, interpolowane)".
QString FieldName(FieldKind kind, int32_t problem);

class FieldDialog : public FormDialog {
  Q_OBJECT
 public:
  FieldDialog(AppState& state, Prompter& prompter, QWidget* parent = nullptr);
  void refresh() override;
  void okClicked() override;
  QComboBox& fieldBox() { return *field_; }
  QLineEdit& levelsField() { return *levels_; }
  QLineEdit& factorField() { return *factor_; }

 protected:
  bool refillsOnActivation() const override { return false; }

 private:
  AppState& state_;
  QComboBox* field_;
  QLineEdit* levels_;
  QLineEdit* factor_;
  QLabel* automatic_;
};

// One line a node, made as the view shows it, so that a million nodes open
// at once.
class ValuesWindow : public FormDialog {
  Q_OBJECT
 public:
  ValuesWindow(const AppState& state, Prompter& prompter, QWidget* parent = nullptr);
  void refresh() override;
  void okClicked() override;
  int lineCount() const;
  QString line(int row) const;

 private:
  const AppState& state_;
  NodeValueModel* model_;
  QListView* view_;
};
