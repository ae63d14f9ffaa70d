#include "front/commands/SolveCommands.h"

#include <QBuffer>
#include <QDialog>
#include <atomic>
#include <chrono>
#include <future>

#include "core/files/SafeFile.h"
#include "core/files/WriteCause.h"
#include "core/results/Solution.h"
#include "front/commands/CommandContext.h"
#include "front/solve/ResultsWindow.h"
#include "front/solve/SolutionDialogs.h"
#include "front/ui/LocaleNumbers.h"
#include "front/ui/Prompter.h"
#include "front/ui/ShownNames.h"

namespace {

const QString kSolveTitle = QStringLiteral("Rozwiązanie");
const QString kNoSolution =
    QStringLiteral("Brak rozwiązania: najpierw rozwiąż zadanie (Rozwiązanie > Rozwiąż).");

}  // namespace

SolveCommands::SolveCommands(CommandContext& context)
    : c_(context),
      results_([&context] { return std::make_shared<ResultsWindow>(context.state, context.prompter); }),
      field_([&context] { return std::make_shared<FieldDialog>(context.state, context.prompter); }),
      values_([&context] { return std::make_shared<ValuesWindow>(context.state, context.prompter); }) {}

SolveCommands::~SolveCommands() = default;

void SolveCommands::solve() {
  // The solve is the program's own command: it says what comes first.
  if (c_.noMesh(kSolveTitle, QStringLiteral(": najpierw GENERUJ (Ctrl+G)."))) return;
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
  c_.state.solutionDisplay.factor = 0.0;  // a new solution is magnified anew
  emit c_.solutionChanged();
  emit c_.repaintRequested();
  c_.prompter.message(QString::fromStdString(SolvedSummary(*c_.state.solution, UserDecimalPoint())),
                      kSolveTitle, MessageIcon::None);
}

bool SolveCommands::solutionNeeded(const QString& title) {
  if (c_.state.solution) return false;
  c_.prompter.message(kNoSolution, title, MessageIcon::Stop);
  return true;
}

void SolveCommands::showResults() {
  if (solutionNeeded(QStringLiteral("Wyniki"))) return;
  c_.prompter.showDialog(*results_);
}

void SolveCommands::toggle(bool SolutionDisplay::*layer, const QString& title) {
  if (!solutionNeeded(title)) {
    c_.state.solutionDisplay.*layer = !(c_.state.solutionDisplay.*layer);
  }
  // The tick follows the state, whatever the menu's own toggle did.
  emit c_.repaintRequested();
}

void SolveCommands::toggleMap() {
  toggle(&SolutionDisplay::map, QStringLiteral("Mapa"));
}

void SolveCommands::toggleIsolines() {
  toggle(&SolutionDisplay::isolines, QStringLiteral("Izolinie"));
}

void SolveCommands::toggleDeformation() {
  const QString title = QStringLiteral("Odkształcenie");
  if (c_.state.solution && !c_.state.solution->result.disc) {
    c_.prompter.message(QStringLiteral("Odkształcenie rysuje się tylko dla tarczy (płaski stan naprężenia)."),
                        title, MessageIcon::Stop);
    emit c_.repaintRequested();
    return;
  }
  toggle(&SolutionDisplay::deformed, title);
}

FieldDialog& SolveCommands::fieldDialog() {
  return *field_;
}

void SolveCommands::chooseField() {
  if (solutionNeeded(QStringLiteral("Pole"))) return;
  if (c_.prompter.showDialog(fieldDialog()) == QDialog::Accepted) emit c_.repaintRequested();
}

ValuesWindow& SolveCommands::valuesWindow() {
  return *values_;
}

void SolveCommands::listValues() {
  if (solutionNeeded(QStringLiteral("Lista wartości"))) return;
  c_.prompter.showDialog(valuesWindow());
}

void SolveCommands::saveImage() {
  const QString title = QStringLiteral("Zapisz obraz");
  if (!image_) return;
  FileDialogOptions options;
  options.title = title;
  options.filters = {QStringLiteral("Obraz PNG (*.png)")};
  options.defaultSuffix = QStringLiteral("png");
  options.confirmOverwrite = true;
  const std::optional<QString> name = c_.prompter.saveFileName(options);
  if (!name) return;
  // Encoded in memory first, then written as every file of the program is:
  // a failed save never leaves half a picture over the previous one.
  QByteArray png;
  QBuffer buffer(&png);
  const bool encoded = buffer.open(QIODevice::WriteOnly) && image_().save(&buffer, "PNG");
  WriteResult written;
  if (encoded)
    written = WriteFileAtomically(LocalPath(*name), std::string_view(png.constData(), size_t(png.size())));
  if (!encoded || !written) {
    // A write that failed says why; an image that could not be encoded has
    // no cause the user could mend.
    const std::string text =
        QStringLiteral("Nie udało się zapisać obrazu do pliku %1.").arg(ShownName(*name)).toStdString();
    c_.prompter.message(QString::fromStdString(encoded ? WithWriteCause(text, written.error) : text), title,
                        MessageIcon::Stop);
  }
}
