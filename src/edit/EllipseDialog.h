#pragma once

#include <QDialog>

struct AppState;
class Prompter;
class QLineEdit;

// "Parametry elipsy": centre, radii and number of elements of a new closed
// ring. Created once; its fields keep what was last typed.
class EllipseDialog : public QDialog {
  Q_OBJECT
 public:
  EllipseDialog(AppState& state, Prompter& prompter, QWidget* parent = nullptr);
  // The "OK" button: reads the fields and appends the ring, then closes.
  void okClicked();

 private:
  AppState& state_;
  Prompter& prompter_;
  QLineEdit* xx_;
  QLineEdit* yy_;
  QLineEdit* rr_;
  QLineEdit* ry_;
  QLineEdit* nnn_;
};
