#pragma once
// The three dialogs of the "Widok" menu. Each reads and writes the view
// state it is given; none keeps a copy of it.

#include <QDialog>

struct AppState;
class Prompter;
class QCheckBox;
class QLineEdit;
class QPushButton;

// "Ustawienia ekranu": the drawn layers, the grid spacing and the grid switch.
class ScreenSettingsDialog : public QDialog {
  Q_OBJECT
 public:
  ScreenSettingsDialog(AppState& state, Prompter& prompter, QWidget* parent = nullptr);

  // Fills the controls from the current values.
  void refresh();
  // The "OK" button: applies the controls, checks the spacing, closes.
  void okClicked();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  AppState& state_;
  Prompter& prompter_;
  QCheckBox* nodes_;
  QCheckBox* nodeNumbers_;
  QCheckBox* elements_;
  QCheckBox* elementNumbers_;
  QCheckBox* internalNodes_;
  QCheckBox* gridShown_;
  QLineEdit* dx_;
  QLineEdit* dy_;
};

// "Ustawienia siatki": the grid spacing. Its fields are filled once, when it
// is created, and afterwards keep whatever text they last held.
class GridDialog : public QDialog {
  Q_OBJECT
 public:
  GridDialog(AppState& state, Prompter& prompter, QWidget* parent = nullptr);
  void okClicked();

 private:
  AppState& state_;
  Prompter& prompter_;
  QLineEdit* dx_;
  QLineEdit* dy_;
};

// "Ustawienia obszaru": the corners of the view region.
class RegionDialog : public QDialog {
  Q_OBJECT
 public:
  RegionDialog(AppState& state, Prompter& prompter, QWidget* parent = nullptr);
  void refresh();
  void okClicked();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  AppState& state_;
  Prompter& prompter_;
  QLineEdit* xMin_;
  QLineEdit* yMin_;
  QLineEdit* xMax_;
  QLineEdit* yMax_;
};
