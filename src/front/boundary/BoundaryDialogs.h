#pragma once
// The element dialog and the internal-node dialog.

#include "front/ui/FormDialog.h"

struct AppState;
class QComboBox;
class QLineEdit;

// "Własności elementu" (Tw_elem): an element's start and end nodes, with its
// condition and boundary carried through hidden selectors. With
// SelectedNumber set the element number is fixed; with 0 the user picks the
// element and the selectors follow it.
class ElementDialog : public FormDialog {
  Q_OBJECT
 public:
  ElementDialog(AppState& state, Prompter& prompter, QWidget* parent = nullptr);
  void refresh() override;
  // Stores the four numbers in the numbered element; closes with OK in every
  // case.
  void okClicked() override;

 private:
  void numberChanged(const QString& text);
  void showElement(int32_t n);

  AppState& state_;
  QLineEdit* number_;
  QComboBox* selectors_[4];  // start, end, condition, boundary
  // The shown element's numbers, kept for a selector that has no item for
  // its number (a condition or boundary past its table, from a file).
  int32_t shown_[4] = {};
};

// "Węzeł wewnętrzny" (Twwew): an internal node's number and coordinates.
// With SelectedNumber set the number is fixed (a node being added).
class InternalNodeDialog : public FormDialog {
  Q_OBJECT
 public:
  InternalNodeDialog(AppState& state, Prompter& prompter, QWidget* parent = nullptr);
  void refresh() override;
  // Stores the coordinates and closes with OK; anything not a number, or a
  // number with no node, is refused and the dialog ends as cancelled.
  void okClicked() override;

 private:
  void numberChanged(const QString& text);

  AppState& state_;
  QLineEdit* number_;
  QLineEdit* xx_;
  QLineEdit* yy_;
};
