#pragma once
// The two small dialogs of node and element editing.

#include "front/ui/FormDialog.h"

struct AppState;
class QLabel;
class QLineEdit;

// "Współrzędne węzła" (Twwez): a node's number and coordinates. With
// SelectedNumber set the number is fixed (a node being added); with 0 the
// user picks the node by number and the coordinates follow it.
class NodeCoordinatesDialog : public FormDialog {
  Q_OBJECT
 public:
  NodeCoordinatesDialog(AppState& state, Prompter& prompter, QWidget* parent = nullptr);
  void refresh() override;
  // Stores x, then y, of the numbered node; closes with OK in every case.
  void okClicked() override;

 private:
  void numberChanged(const QString& text);

  AppState& state_;
  QLineEdit* number_;
  QLineEdit* xx_;
  QLineEdit* yy_;
};

// "Podaj numer" (Tuwez): asks for a number and leaves it in SelectedNumber
// (-1 when the text is not a whole number). SelectedNumber on showing picks
// the label: 1 a node, 2 an element, 3 an internal node.
class NumberPrompt : public FormDialog {
  Q_OBJECT
 public:
  NumberPrompt(AppState& state, Prompter& prompter, QWidget* parent = nullptr);
  void refresh() override;
  void okClicked() override;

 private:
  AppState& state_;
  QLabel* label_;
  QLineEdit* number_;
};
