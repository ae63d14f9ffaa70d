#pragma once
// "Rozwiązanie": solving the mesh's problem and its results.

#include <memory>

class CommandContext;
class ResultsWindow;

class SolveCommands {
 public:
  explicit SolveCommands(CommandContext& context);
  ~SolveCommands();

  // Solves on the current mesh off the window's thread, with a progress
  // indicator and "Anuluj" once it takes long; the solution is kept beside
  // the model, which does not change.
  void solve();
  // "Wyniki...": the field's extremes, the flows or reactions, the balance.
  void showResults();

 private:
  CommandContext& c_;
  std::unique_ptr<ResultsWindow> results_;
};
