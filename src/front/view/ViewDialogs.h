#pragma once
// The three dialogs of the "Widok" menu. Each reads and writes the view
// state it is given; none keeps a copy of it.

#include "front/ui/FormDialog.h"

struct AppState;
class QCheckBox;
class QLineEdit;

// "Ustawienia ekranu": the drawn layers, the grid spacing and the grid switch.
class ScreenSettingsDialog : public FormDialog {
  Q_OBJECT
 public:
  ScreenSettingsDialog(AppState& state, Prompter& prompter, QWidget* parent = nullptr);

  void refresh() override;
  // Applies the controls, checks the spacing, closes.
  void okClicked() override;

 private:
  AppState& state_;
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
class GridDialog : public FormDialog {
  Q_OBJECT
 public:
  // Its fields start with the spacing given, which the window takes at its
  // start, and then keep what the user typed.
  GridDialog(AppState& state, Prompter& prompter, float shownDx, float shownDy, QWidget* parent = nullptr);
  void okClicked() override;

 private:
  AppState& state_;
  QLineEdit* dx_;
  QLineEdit* dy_;
};

// "Ustawienia obszaru": the corners of the view region.
class RegionDialog : public FormDialog {
  Q_OBJECT
 public:
  RegionDialog(AppState& state, Prompter& prompter, QWidget* parent = nullptr);
  void refresh() override;
  void okClicked() override;

 private:
  AppState& state_;
  QLineEdit* xMin_;
  QLineEdit* yMin_;
  QLineEdit* xMax_;
  QLineEdit* yMax_;
};
