#pragma once

#include "front/ui/FormDialog.h"

struct AppState;
class QLineEdit;

// "Parametry elipsy": centre, radii and number of elements of a new closed
// ring. Created once; its fields keep what was last typed.
class EllipseDialog : public FormDialog {
  Q_OBJECT
 public:
  EllipseDialog(AppState& state, Prompter& prompter, QWidget* parent = nullptr);
  // Reads the fields and appends the ring, then closes.
  void okClicked() override;

 private:
  AppState& state_;
  QLineEdit* xx_;
  QLineEdit* yy_;
  QLineEdit* rr_;
  QLineEdit* ry_;
  QLineEdit* nnn_;
};
