#pragma once
// "Wyniki...": the solution's figures as a table of what, value and where.

#include <QStringList>

#include "front/ui/FormDialog.h"

struct AppState;
class QTableWidget;

class ResultsWindow : public FormDialog {
  Q_OBJECT
 public:
  ResultsWindow(const AppState& state, Prompter& prompter, QWidget* parent = nullptr);
  void refresh() override;
  void okClicked() override;
  // The rows as shown, their cells joined by " | ".
  QStringList lines() const;

 private:
  const AppState& state_;
  QTableWidget* table_;
};
