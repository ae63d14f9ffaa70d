#include "core/batch/BatchExport.h"

#include <sys/resource.h>
#include <unistd.h>

#include <future>
#include <memory>
#include <optional>

#include "core/batch/BatchRequest.h"
#include "core/files/ExportFile.h"
#include "core/files/OpenExport.h"
#include "core/files/ProjectFile.h"
#include "core/files/ShownName.h"
#include "core/mesh/GenerationReport.h"
#include "core/parallel/Workers.h"
#include "core/results/Solution.h"
#include "core/simd/VectorState.h"
#include "core/solve/Adapt.h"
#include "core/solve/Solver.h"
#include "core/text/NumberText.h"
#include "core/text/Tr.h"

namespace {

// What to do with a mesh the solver layouts refuse, in this run's words.
std::string LayoutRemedy() {
  return Tr("BatchExport", " Taką siatkę zapisuje plik .msh albo .vtu (--export PLIK.msh).");
}

void ListCauses(const std::vector<Finding>& causes, std::ostream& messages) {
  if (causes.empty()) {
    messages << Tr("BatchExport", "Sprawdzenie modelu nie znalazło znanej sobie przyczyny.") << '\n';
    return;
  }
  messages << Tr("BatchExport", "Możliwe przyczyny:") << '\n';
  for (const Finding& f : causes) messages << f.text << '\n';
}

// How an adaptation ended, in a sentence with the error it reached.
std::string AdaptEndText(const AdaptResult& a, double target, int32_t budget) {
  const AdaptStep& last = a.steps.back();
  const std::string reached =
      Tr("BatchExport", "szacowany błąd %1 (%2)").with(EstimateText(last.eta), Triangles(last.triangles));
  switch (a.end) {
    case AdaptEnd::TargetMet:
      return Tr("BatchExport", "Osiągnięto zadaną dokładność %1: %2.").with(EstimateText(target), reached);
    case AdaptEnd::Budget:
      return Tr("BatchExport", "Limit %1 nie pozwala osiągnąć dokładności %2: %3.")
          .with(Triangles(budget), EstimateText(target), reached);
    case AdaptEnd::Steps:
      return Tr("BatchExport", "Po %1 krokach nie osiągnięto dokładności %2: %3.")
          .with(std::to_string(a.steps.size() - 1), EstimateText(target), reached);
    case AdaptEnd::Cancelled:
    case AdaptEnd::Failed: break;
  }
  return Tr("BatchExport", "Przerwano zagęszczanie: %1.").with(reached);
}

// One window-less run after its arguments are read, in stages. Each stage
// returns kBatchDone to go on, or the run's status once it has told why
// the run ends there.
class BatchRun {
 public:
  BatchRun(const Request& r, const MesherOptions& options, std::ostream& messages)
      : r_(r),
        options_(options),
        mesher_(options),
        messages_(messages),
        model_(std::make_unique<Model>()),
        layout_(LayoutByExtension(r.out)),
        open_(OpenFormatForName(r.out, r.msh22)) {
    if (r.maxTriangles > 0) mesher_.limits = LargeMeshLimits(r.maxTriangles);
    InitModelData(*model_);
  }

  int load(const DrawingReader& drawings);
  int checkModel();
  int generate();
  int solve();
  int write(std::ostream* integrals);

 private:
  int solveAdapting();

  const Request& r_;
  const MesherOptions& options_;
  MesherOptions mesher_;  // with the large limit, when given
  std::ostream& messages_;
  std::unique_ptr<Model> model_;
  const std::optional<ExportLayout> layout_;
  const std::optional<OpenFormat> open_;
  std::optional<SolveResult> solution_;
  // The file's mesh part, when it is made apart from the rest; declared
  // after the model, which it may still be reading.
  std::future<OpenExportText> meshPart_;
};

// Reads the project, or the drawing named in its place, into the model.
int BatchRun::load(const DrawingReader& drawings) {
  FileResult loaded;
  if (drawings && HasExtension(r_.project, ".dxf")) {
    // The drawing's message names the file itself.
    loaded.ok = drawings(r_.project, r_.drawing, *model_, loaded.message, messages_);
  } else {
    loaded = LoadProjectFile(r_.project, *model_);
    if (!loaded.ok) loaded.message = ShownName(r_.project) + ": " + loaded.message;
  }
  if (!loaded.ok) {
    messages_ << loaded.message << '\n';
    return kBatchUnreadableProject;
  }
  return kBatchDone;
}

// Before any meshing: the targets to integrate are in the model, it has
// elements to mesh, and a layout's limits can hold its mesh.
int BatchRun::checkModel() {
  for (const IntegrationTarget& t : r_.integrate) {
    if (const std::string why = MissingTarget(t, *model_); !why.empty()) {
      messages_ << why << '\n';
      return kBatchBadArguments;
    }
  }
  if (model_->elementCount < 3) {
    messages_ << Tr("BatchExport", "Generacja siatki nie powiodła się") << '\n';
    std::vector<Finding> causes;
    for (Finding& f : CheckModel(*model_, r_.area, '.', &mesher_)) {
      if (f.severity == Severity::Error) causes.push_back(std::move(f));
    }
    ListCauses(causes, messages_);
    return kBatchMeshFailed;
  }
  if (layout_ && mesher_.limits.triangles > kMaxMeshTriangles) {
    // Within the layouts' own limits the helper tells at once whether the
    // mesh would fit them, before a large mesh is made only to be refused.
    MesherOptions basic = options_;
    basic.limits = MeshLimits{};
    const MeshTrial t = TryMesh(*model_, r_.area, basic);
    if (t.fault == MeshFault::TooLarge) {
      messages_ << ShownName(r_.out) << ": " << *LayoutRefusal(t.triangles, t.points, t.estimated)
                << LayoutRemedy() << '\n';
      return kBatchExportFailed;
    }
  }
  return kBatchDone;
}

// Meshes the model; on a failure tells the report and what may have caused it.
int BatchRun::generate() {
  const GenerationReport report = RunGeneration(*model_, r_.area, mesher_, '.');
  if (report.outcome == MeshOutcome::Success) return kBatchDone;
  for (const ReportLine& line : report.lines) messages_ << line.text << '\n';
  if (report.outcome == MeshOutcome::Overflow && r_.maxTriangles > 0) {
    messages_ << (report.suggestedArea
                      ? Tr("BatchExport",
                           "Zwiększ pole trójkąta (na przykład --area %1) albo --max-triangles.")
                            .with(AreaText(*report.suggestedArea, '.'))
                      : Tr("BatchExport", "Zwiększ pole trójkąta albo --max-triangles."))
              << '\n';
  }
  if (report.checked) ListCauses(report.causes, messages_);
  return kBatchMeshFailed;
}

// With --solve, solves the mesh (refining it with --adapt). The file's
// mesh part needs no solution: on a mesh that stays, and with more than one
// worker, it is written while the solver works, at the lowest priority, so
// that it takes only the time the solver leaves a core idle; with one
// worker it is written after the solve.
int BatchRun::solve() {
  if (!r_.solve) return kBatchDone;
  if (r_.adapt <= 0.0) {
    const bool beside = Workers() > 1;
    meshPart_ = std::async(beside ? std::launch::async : std::launch::deferred,
                           [&model = *model_, format = *open_, beside] {
                             if (beside) (void)::setpriority(PRIO_PROCESS, static_cast<id_t>(::gettid()), 19);
                             return OpenExportText(model, format, true);
                           });
    solution_ = Solve(*model_);
  } else if (const int status = solveAdapting(); status != kBatchDone) {
    return status;
  }
  if (!solution_->solved) {
    messages_ << solution_->refusal << '\n';
    return kBatchSolveRefused;
  }
  return kBatchDone;
}

// Refines and solves until the estimated error is small enough, telling
// each step and how it ended.
int BatchRun::solveAdapting() {
  // The mesh changes with every step: its part of the file waits for the last.
  const int32_t budget = r_.maxTriangles > 0 ? r_.maxTriangles : kMaxMeshTriangles;
  AdaptResult adapted =
      Adapt(*model_, r_.adapt, budget, kAdaptSteps, mesher_, [this](const AdaptStep& s, const SolveResult&) {
        messages_ << Tr("BatchExport", "Krok %1: %2, szacowany błąd %3")
                         .with(s.step, Triangles(s.triangles), EstimateText(s.eta))
                  << '\n';
      });
  if (adapted.steps.empty()) {
    messages_ << adapted.why << '\n';
    return kBatchSolveRefused;
  }
  if (adapted.end == AdaptEnd::Failed) {
    messages_ << adapted.why << '\n';
    return kBatchMeshFailed;
  }
  messages_ << AdaptEndText(adapted, r_.adapt, budget) << '\n';
  solution_ = std::move(adapted.solution);
  meshPart_ = std::async(std::launch::deferred,
                         [&model = *model_, format = *open_] { return OpenExportText(model, format, true); });
  return kBatchDone;
}

// Writes the file, then tells what it holds and prints the integrals.
int BatchRun::write(std::ostream* integrals) {
  const Model& model = *model_;
  // A mesh past the layouts' limits is refused by the layout's writer.
  const FileResult written = meshPart_.valid() ? WriteOpenExport(model, meshPart_, r_.out, &*solution_)
                             : open_           ? WriteOpenExport(model, *open_, r_.out)
                                               : WriteExportFile(model, *layout_, r_.out);
  if (!written.ok) {
    // The open formats' hint belongs to a layout that refused the mesh, not
    // to an open format that could not be written.
    messages_ << ShownName(r_.out) << ": " << written.message
              << (layout_ && LayoutRefusal(model) ? LayoutRemedy() : std::string()) << '\n';
    return kBatchExportFailed;
  }
  messages_ << (r_.solve ? Tr("BatchExport", "Zapisano siatkę z rozwiązaniem: %1 (%2, %3)")
                         : Tr("BatchExport", "Plik wyeksportowano poprawnie: %1 (%2, %3)"))
                   .with(ShownName(r_.out), Triangles(model.meshTriangleCount), Nodes(model.meshNodeCount))
            << '\n';
  if (const std::string note = open_ ? DanglingElementsNote(model) : ""; !note.empty())
    messages_ << note << '\n';
  if (solution_)
    messages_ << Tr("BatchExport", "Szacowany błąd: %1").with(EstimateText(solution_->estimate.eta)) << '\n';
  if (solution_ && !solution_->note.empty()) messages_ << solution_->note << '\n';
  if (solution_ && !r_.integrate.empty()) {
    Solution solved{model, std::move(*solution_)};
    for (const IntegrationTarget& t : r_.integrate)
      PrintIntegrals(t, solved, integrals ? *integrals : messages_);
  }
  return kBatchDone;
}

}  // namespace

int RunBatchExport(const std::vector<std::string>& args, const MesherOptions& options, std::ostream& messages,
                   const DrawingReader& drawings, std::ostream* integrals) {
  ClearUpperVectorState();
  std::string why;
  const std::optional<Request> r = ParseBatchRequest(args, why);
  if (!r) {
    messages << why << "\n\n" << BatchExportHelp() << '\n';
    return kBatchBadArguments;
  }
  BatchRun run(*r, options, messages);
  int status = run.load(drawings);
  if (status == kBatchDone) status = run.checkModel();
  if (status == kBatchDone) status = run.generate();
  if (status == kBatchDone) status = run.solve();
  if (status == kBatchDone) status = run.write(integrals);
  return status;
}
