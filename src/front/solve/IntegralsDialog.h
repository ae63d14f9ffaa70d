#pragma once
// "Całki...": integrals of the solution over the selected elements, a
// condition row's elements, a material or the whole region, for a field
// the problem offers, shown as lines of text the user can select and copy.

#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

#include "core/field/FieldValues.h"
#include "core/integrals/Integrals.h"
#include "front/ui/FormDialog.h"

struct AppState;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

// One more thing to integrate over, given from outside the dialog (the
// plot's segment): its name in the list and the integrals it gives for the
// solution and the field chosen.
struct IntegralsSource {
  QString label;
  std::function<std::vector<IntegralLine>(const Solution&, FieldKind)> lines;
};

class IntegralsDialog : public FormDialog {
  Q_OBJECT
 public:
  IntegralsDialog(const AppState& state, Prompter& prompter, QWidget* parent = nullptr);
  // Offers `source` after the dialog's own choices; nothing clears it.
  void setExtraSource(std::optional<IntegralsSource> source);
  void refresh() override;
  void okClicked() override;

  QComboBox& overBox() { return *over_; }
  QComboBox& fieldBox() { return *field_; }
  QLineEdit& pointX() { return *x_; }
  QLineEdit& pointY() { return *y_; }
  // The results as shown, a line each.
  QStringList lines() const;

 private:
  // What the list offers: its kind and number (a condition row, a material).
  struct Choice {
    enum Kind { Selection, Condition, Material, Region, Extra } kind = Region;
    int32_t number = 0;
    bool operator==(const Choice&) const = default;
  };
  void recompute();

  const AppState& state_;
  std::optional<IntegralsSource> extra_;
  std::vector<Choice> choices_;
  QComboBox* over_;
  QComboBox* field_;
  QLineEdit* x_;
  QLineEdit* y_;
  QPlainTextEdit* results_;
};
