#include "front/commands/SolveCommands.h"

#include <QBuffer>
#include <QDialog>
#include <QFileInfo>
#include <QPainter>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <future>
#include <mutex>

#include "core/files/SafeFile.h"
#include "core/files/WriteCause.h"
#include "core/results/Solution.h"
#include "core/solve/Adapt.h"
#include "core/text/NumberText.h"
#include "front/commands/CommandContext.h"
#include "front/commands/FileCommands.h"
#include "front/solve/IntegralsDialog.h"
#include "front/solve/LinePlotWindow.h"
#include "front/solve/ResultsWindow.h"
#include "front/solve/SolutionDialogs.h"
#include "front/ui/LocaleNumbers.h"
#include "front/ui/Prompter.h"
#include "front/ui/ShownNames.h"
#include "front/ui/SvgPicture.h"
#include "front/ui/UiText.h"

namespace {

QString SolveTitle() {
  return Ui("SolveCommands", "Rozwiązanie");
}
QString NoSolution() {
  return Ui("SolveCommands", "Brak rozwiązania: najpierw rozwiąż zadanie (Rozwiązanie > Rozwiąż).");
}

QString GenerateFirst() {
  return Ui("SolveCommands", "Siatka nie została wygenerowana: najpierw GENERUJ (Ctrl+G).");
}

// What a solver that failed in an unforeseen way leaves to say.
std::string InternalFailure() {
  return Ui("SolveCommands", "Nie udało się rozwiązać zadania: błąd wewnętrzny.").toStdString();
}

// Runs `work` off the window's thread and pumps the indicator here until it
// has ended, `poll` first each time; an "Anuluj", Escape or close of the
// window sets `cancel`. Pumped at least once, so that a cancel given at once
// counts.
template <typename Work, typename Poll>
auto PumpedWhileWorking(const CommandContext& c, Progress& progress, std::atomic<bool>& cancel, Work work,
                        Poll poll) {
  auto done = std::async(std::launch::async, std::move(work));
  do {
    poll();
    progress.pump();
    if (progress.cancelled() || c.cancelRequested()) cancel = true;
  } while (done.wait_for(std::chrono::milliseconds(10)) != std::future_status::ready);
  return done.get();
}

}  // namespace

SolveCommands::SolveCommands(CommandContext& context)
    : c_(context),
      results_([&context] { return std::make_shared<ResultsWindow>(context.state, context.prompter); }),
      field_([&context] { return std::make_shared<FieldDialog>(context.state, context.prompter); }),
      integrals_([&context] { return std::make_shared<IntegralsDialog>(context.state, context.prompter); }),
      values_([&context] { return std::make_shared<ValuesWindow>(context.state, context.prompter); }),
      segment_([&context] { return std::make_shared<SegmentDialog>(context.state, context.prompter); }),
      plot_([&context] { return std::make_shared<LinePlotWindow>(context.state, context.prompter); }) {}

SolveCommands::~SolveCommands() = default;

void SolveCommands::solve() {
  // The solve is the program's own command: it says what comes first.
  if (c_.noMesh(SolveTitle(), GenerateFirst())) return;
  // The solver works on a copy (the mesh rows are shared, not copied), so
  // that the window may paint the model meanwhile.
  const auto model = std::make_shared<const Model>(c_.state.model);
  std::atomic<bool> cancel{false};
  const std::string failure = InternalFailure();
  std::unique_ptr<Progress> progress =
      c_.prompter.progress(SolveTitle(), Ui("SolveCommands", "Trwa rozwiązywanie zadania…"));
  SolveResult result = c_.whileBusy([&] {
    return PumpedWhileWorking(
        c_, *progress, cancel,
        [&] {
          try {
            return Solve(*model, &cancel);
          } catch (...) {
            SolveResult failed;
            failed.refusal = failure;
            return failed;
          }
        },
        [] {});
  });
  // Closed before anything else shows, so that no click meant for it lands
  // there; a late "Anuluj" still counts.
  const bool cancelled = progress->finish() || c_.cancelRequested() || result.cancelled;
  progress.reset();
  if (cancelled) return;
  if (!result.solved) {
    c_.prompter.message(QString::fromStdString(result.refusal), SolveTitle(), MessageIcon::Stop);
    return;
  }
  keepSolution(*model, std::move(result));
  c_.prompter.message(QString::fromStdString(SolvedSummary(*c_.state.solution, UserDecimalPoint())),
                      SolveTitle(), MessageIcon::None);
}

void SolveCommands::keepSolution(const Model& model, SolveResult result) {
  c_.state.solution = std::make_shared<const Solution>(Solution{model, std::move(result)});
  c_.state.solutionDisplay.factor = 0.0;  // a new solution is magnified anew
  emit c_.solutionChanged();
  emit c_.repaintRequested();
}

void SolveCommands::solveAdaptively() {
  const QString title = Ui("SolveCommands", "Rozwiąż z dokładnością");
  if (c_.noMesh(title, GenerateFirst())) return;
  const auto [options, limit] = mesher_ ? mesher_() : std::pair(MesherOptions{}, MeshLimitChoice{});
  const std::optional<AdaptRequest> request =
      askAdaptRequest(title, limit.large ? limit.triangles : kMaxMeshTriangles);
  if (!request) return;
  c_.nameStep(Ui("SolveCommands", "rozwiązanie z dokładnością"));
  // The loop works on a copy off the window's thread; the window takes its
  // mesh only once it has ended.
  auto model = std::make_shared<Model>(c_.state.model);
  AdaptResult result = refineAndSolve(title, *model, *request, options);
  if (result.steps.empty() || !result.solution.solved) {
    if (!result.why.empty() && result.end != AdaptEnd::Cancelled)
      c_.prompter.message(QString::fromStdString(result.why), title, MessageIcon::Stop);
    return;
  }
  // The last finished step, whatever ended the loop.
  c_.state.model = *model;
  keepSolution(*model, std::move(result.solution));
  reportAdapt(title, result, *request);
}

std::optional<SolveCommands::AdaptRequest> SolveCommands::askAdaptRequest(const QString& title,
                                                                          int32_t limitTriangles) {
  const std::optional<QString> etaText =
      c_.prompter.input(title, Ui("SolveCommands", "Szacowany błąd względny [%] :"), GeneralText(1.0));
  if (!etaText) return std::nullopt;
  const std::optional<double> percent = ParseTypedNumber(*etaText);
  const std::optional<QString> budgetText = c_.prompter.input(
      title, Ui("SolveCommands", "Największa liczba trójkątów :"), QString::number(limitTriangles));
  if (!budgetText) return std::nullopt;
  const std::optional<QString> stepsText =
      c_.prompter.input(title, Ui("SolveCommands", "Największa liczba kroków :"), QStringLiteral("8"));
  if (!stepsText) return std::nullopt;
  bool budgetOk = false, stepsOk = false;
  const int budget = budgetText->trimmed().remove(u' ').toInt(&budgetOk);
  const int steps = stepsText->trimmed().toInt(&stepsOk);
  if (!percent || !(*percent > 0.0) || !(*percent < 100.0) || !budgetOk || budget < 1 ||
      budget > kLargestMeshTriangles || !stepsOk || steps < 0 || steps > 100) {
    c_.prompter.message(Ui("SolveCommands",
                           "Podaj błąd od 0 do 100 %, liczbę trójkątów od 1 do %1 i liczbę kroków "
                           "od 0 do 100.")
                            .arg(kLargestMeshTriangles),
                        title, MessageIcon::Stop);
    return std::nullopt;
  }
  return AdaptRequest{*percent, budget, steps};
}

AdaptResult SolveCommands::refineAndSolve(const QString& title, Model& model, const AdaptRequest& request,
                                          MesherOptions worker) {
  // The helper is waited for on the worker's thread, so it pumps nothing;
  // the indicator is pumped here and shows the last finished step.
  worker.whileWaiting = nullptr;
  worker.cancelled = nullptr;
  worker.stillWanted = nullptr;
  std::atomic<bool> cancel{false};
  std::mutex lastLock;
  QString last, shown;
  const char point = UserDecimalPoint();
  const QString stepText = Ui("SolveCommands", "Krok %1: %2, szacowany błąd %3");
  const std::string failure = InternalFailure();
  const std::unique_ptr<Progress> progress =
      c_.prompter.progress(title, Ui("SolveCommands", "Trwa rozwiązywanie zadania…"));
  AdaptResult result = c_.whileBusy([&] {
    return PumpedWhileWorking(
        c_, *progress, cancel,
        [&] {
          try {
            return Adapt(
                model, request.percent / 100.0, request.budget, request.steps, worker,
                [&](const AdaptStep& s, const SolveResult&) {
                  const QString text =
                      stepText.arg(QString::number(s.step), QString::fromStdString(Triangles(s.triangles)),
                                   QString::fromStdString(EstimateText(s.eta, point)));
                  const std::lock_guard<std::mutex> hold(lastLock);
                  last = text;
                },
                &cancel);
          } catch (...) {
            AdaptResult failed;
            failed.why = failure;
            return failed;
          }
        },
        [&] {
          const std::lock_guard<std::mutex> hold(lastLock);
          if (last != shown) progress->setText(shown = last);
        });
  });
  progress->finish();
  return result;
}

void SolveCommands::reportAdapt(const QString& title, const AdaptResult& result,
                                const AdaptRequest& request) {
  const char point = UserDecimalPoint();
  const AdaptStep& reached = result.steps.back();
  const QString target = QString::fromStdString(EstimateText(request.percent / 100.0, point));
  const QString error = QString::fromStdString(EstimateText(reached.eta, point));
  QString end;
  switch (result.end) {
    case AdaptEnd::TargetMet:
      end = Ui("SolveCommands", "Osiągnięto zadaną dokładność %1.").arg(target);
      break;
    case AdaptEnd::Budget:
      end = Ui("SolveCommands", "Limit %1 nie pozwala osiągnąć dokładności %2.")
                .arg(QString::fromStdString(Triangles(request.budget)), target);
      break;
    case AdaptEnd::Steps:
      end =
          Ui("SolveCommands", "Po %1 krokach nie osiągnięto dokładności %2.").arg(request.steps).arg(target);
      break;
    case AdaptEnd::Cancelled:
    case AdaptEnd::Failed: end = Ui("SolveCommands", "Przerwano zagęszczanie."); break;
  }
  c_.prompter.message(end + Ui("SolveCommands", "\nSzacowany błąd %1 (%2, krok %3).")
                                .arg(error, QString::fromStdString(Triangles(reached.triangles)))
                                .arg(reached.step),
                      title, MessageIcon::None);
}

bool SolveCommands::solutionNeeded(const QString& title) {
  if (c_.state.solution) return false;
  c_.prompter.message(NoSolution(), title, MessageIcon::Stop);
  return true;
}

void SolveCommands::showResults() {
  if (solutionNeeded(Ui("SolveCommands", "Wyniki"))) return;
  c_.prompter.showDialog(*results_);
}

IntegralsDialog& SolveCommands::integralsDialog() {
  return *integrals_;
}

void SolveCommands::integrals() {
  if (solutionNeeded(Ui("SolveCommands", "Całki"))) return;
  // The plot's segment, while there is one, is one more thing to integrate across.
  std::optional<IntegralsSource> across;
  if (const std::optional<PlotSegment> s = c_.state.plotSegment) {
    across = IntegralsSource{
        Ui("SolveCommands", "Odcinek wykresu (%1; %2) – (%3; %4)")
            .arg(GeneralText(s->a.x), GeneralText(s->a.y), GeneralText(s->b.x), GeneralText(s->b.y)),
        [segment = *s](const Solution& solution, FieldKind) { return SegmentLines(solution, segment); }};
  }
  integralsDialog().setExtraSource(std::move(across));
  c_.prompter.showDialog(integralsDialog());
}

void SolveCommands::toggle(bool SolutionDisplay::*layer, const QString& title) {
  if (!solutionNeeded(title)) {
    c_.state.solutionDisplay.*layer = !(c_.state.solutionDisplay.*layer);
  }
  // The tick follows the state, whatever the menu's own toggle did.
  emit c_.repaintRequested();
}

void SolveCommands::toggleMap() {
  toggle(&SolutionDisplay::map, Ui("SolveCommands", "Mapa"));
}

void SolveCommands::toggleIsolines() {
  toggle(&SolutionDisplay::isolines, Ui("SolveCommands", "Izolinie"));
}

void SolveCommands::toggleDeformation() {
  const QString title = Ui("SolveCommands", "Odkształcenie");
  if (c_.state.solution && !c_.state.solution->result.disc) {
    c_.prompter.message(
        Ui("SolveCommands", "Odkształcenie rysuje się tylko dla tarczy (płaski stan naprężenia)."), title,
        MessageIcon::Stop);
    emit c_.repaintRequested();
    return;
  }
  toggle(&SolutionDisplay::deformed, title);
}

FieldDialog& SolveCommands::fieldDialog() {
  return *field_;
}

void SolveCommands::chooseField() {
  if (solutionNeeded(Ui("SolveCommands", "Pole"))) return;
  if (c_.prompter.showDialog(fieldDialog()) == QDialog::Accepted) emit c_.repaintRequested();
}

ValuesWindow& SolveCommands::valuesWindow() {
  return *values_;
}

void SolveCommands::listValues() {
  if (solutionNeeded(Ui("SolveCommands", "Lista wartości"))) return;
  c_.prompter.showDialog(valuesWindow());
}

void SolveCommands::saveImage() {
  const QString title = Ui("SolveCommands", "Zapisz obraz");
  if (!image_.paint) return;
  int filter = 0;
  FileDialogOptions options;
  options.title = title;
  options.filters = {Ui("SolveCommands", "Obraz PNG (*.png)"), Ui("SolveCommands", "Obraz SVG (*.svg)")};
  options.defaultSuffix = QStringLiteral("png");
  options.confirmOverwrite = true;
  options.chosenFilter = &filter;
  const std::optional<QString> name = c_.prompter.saveFileName(options);
  if (!name) return;
  const bool svg = name->endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive);
  // Encoded in memory first, then written as every file of the program is:
  // a failed save never leaves half a picture over the previous one.
  const std::optional<QByteArray> bytes = encodePicture(svg, pictureHeading());
  WriteResult written;
  if (bytes)
    written =
        WriteFileAtomically(LocalPath(*name), std::string_view(bytes->constData(), size_t(bytes->size())));
  if (!bytes || !written) {
    // A write that failed says why; an image that could not be encoded has
    // no cause the user could mend.
    const std::string text =
        Ui("SolveCommands", "Nie udało się zapisać obrazu do pliku %1.").arg(ShownName(*name)).toStdString();
    c_.prompter.message(QString::fromStdString(bytes ? WithWriteCause(text, written.error) : text), title,
                        MessageIcon::Stop);
  }
}

QString SolveCommands::pictureHeading() const {
  // The project's name, and what the colour bar names.
  const QString file = QFileInfo(ProjectFile(c_.state.model)).fileName();
  QString heading = file.isEmpty() ? Ui("SolveCommands", "bez nazwy") : file;
  if (c_.state.solution && (c_.state.solutionDisplay.map || c_.state.solutionDisplay.isolines)) {
    const FieldValues field = ComputeField(
        *c_.state.solution, ChosenField(c_.state.solutionDisplay, c_.state.solution->result.disc));
    heading += QStringLiteral(" — ") + QString::fromStdString(ColourBarFor(field, nullptr, 0.0, '.').title);
  }
  return heading;
}

std::optional<QByteArray> SolveCommands::encodePicture(bool svg, const QString& heading) const {
  const QSize size = image_.size();
  if (svg) return SvgPicture(size, heading, [&](QPainter& painter) { image_.paint(painter, heading); });
  QByteArray bytes;
  QBuffer buffer(&bytes);
  if (!buffer.open(QIODevice::WriteOnly)) return std::nullopt;
  QImage image(size, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  image_.paint(painter, heading);
  painter.end();
  if (!image.save(&buffer, "PNG")) return std::nullopt;
  buffer.close();
  return bytes;
}
