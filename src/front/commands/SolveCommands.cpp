#include "front/commands/SolveCommands.h"

#include <atomic>
#include <chrono>
#include <future>

#include "core/results/Solution.h"
#include "front/commands/CommandContext.h"
#include "front/solve/ResultsWindow.h"
#include "front/ui/LocaleNumbers.h"
#include "front/ui/Prompter.h"

namespace {

const QString kSolveTitle = QStringLiteral("Rozwiązanie");

}  // namespace

SolveCommands::SolveCommands(CommandContext& context) : c_(context) {}

SolveCommands::~SolveCommands() = default;

void SolveCommands::solve() {
  if (c_.noMesh(kSolveTitle)) return;
  // The solver works on a copy (the mesh rows are shared, not copied), so
  // that the window may paint the model meanwhile.
  const auto model = std::make_shared<const Model>(c_.state.model);
  std::atomic<bool> cancel{false};
  std::unique_ptr<Progress> progress =
      c_.prompter.progress(kSolveTitle, QStringLiteral("Trwa rozwiązywanie zadania…"));
  SolveResult result = c_.whileGenerating([&] {
    std::future<SolveResult> done = std::async(std::launch::async, [&] {
      try {
        return Solve(*model, &cancel);
      } catch (...) {
        SolveResult failed;
        failed.refusal = "Nie udało się rozwiązać zadania: błąd wewnętrzny.";
        return failed;
      }
    });
    // Pumped at least once, so that an "Anuluj" or Escape given at once counts.
    do {
      progress->pump();
      if (progress->cancelled() || c_.cancelRequested()) cancel = true;
    } while (done.wait_for(std::chrono::milliseconds(10)) != std::future_status::ready);
    return done.get();
  });
  // Closed before anything else shows, so that no click meant for it lands
  // there; a late "Anuluj" still counts.
  const bool cancelled = progress->finish() || c_.cancelRequested() || result.cancelled;
  progress.reset();
  if (cancelled) return;
  if (!result.solved) {
    c_.prompter.message(QString::fromStdString(result.refusal), kSolveTitle, MessageIcon::Stop);
    return;
  }
  c_.state.solution = std::make_shared<const Solution>(Solution{*model, std::move(result)});
  emit c_.solutionChanged();
  emit c_.repaintRequested();
  c_.prompter.message(QString::fromStdString(SolvedSummary(*c_.state.solution, UserDecimalPoint())),
                      kSolveTitle, MessageIcon::None);
}

void SolveCommands::showResults() {
  const QString title = QStringLiteral("Wyniki");
  if (!c_.state.solution) {
    c_.prompter.message(QStringLiteral("Brak rozwiązania: najpierw rozwiąż zadanie (Rozwiązanie > Rozwiąż)."),
                        title, MessageIcon::Stop);
    return;
  }
  if (!results_) results_ = std::make_unique<ResultsWindow>(c_.state, c_.prompter);
  c_.prompter.showDialog(*results_);
}
