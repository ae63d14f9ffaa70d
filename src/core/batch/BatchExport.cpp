#include "core/batch/BatchExport.h"

#include <sys/resource.h>
#include <unistd.h>

#include <future>
#include <memory>
#include <optional>

#include "core/batch/BatchRequest.h"
#include "core/files/CNumbers.h"
#include "core/files/ExportFile.h"
#include "core/files/OpenExport.h"
#include "core/files/ProjectFile.h"
#include "core/files/ShownName.h"
#include "core/mesh/GenerationReport.h"
#include "core/results/Solution.h"
#include "core/simd/VectorState.h"
#include "core/solve/Adapt.h"
#include "core/solve/Solver.h"
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
  MesherOptions mesher = options;
  if (r->maxTriangles > 0) mesher.limits = LargeMeshLimits(r->maxTriangles);
  auto model = std::make_unique<Model>();
  InitModelData(*model);
  FileResult loaded;
  if (drawings && HasExtension(r->project, ".dxf")) {
    // The drawing's message names the file itself.
    loaded.ok = drawings(r->project, r->drawing, *model, loaded.message, messages);
  } else {
    loaded = LoadProjectFile(r->project, *model);
    if (!loaded.ok) loaded.message = ShownName(r->project) + ": " + loaded.message;
  }
  if (!loaded.ok) {
    messages << loaded.message << '\n';
    return kBatchUnreadableProject;
  }
  for (const IntegrationTarget& t : r->integrate) {
    if (const std::string why = MissingTarget(t, *model); !why.empty()) {
      messages << why << '\n';
      return kBatchBadArguments;
    }
  }
  const std::optional<ExportLayout> layout = LayoutByExtension(r->out);
  if (model->elementCount < 3) {
    messages << Tr("BatchExport", "Generacja siatki nie powiodła się") << '\n';
    std::vector<Finding> causes;
    for (Finding& f : CheckModel(*model, r->area, '.', &mesher)) {
      if (f.severity == Severity::Error) causes.push_back(std::move(f));
    }
    ListCauses(causes, messages);
    return kBatchMeshFailed;
  }
  if (layout && mesher.limits.triangles > kMaxMeshTriangles) {
    // Within the layouts' own limits the helper tells at once whether the
    // mesh would fit them, before a large mesh is made only to be refused.
    MesherOptions basic = options;
    basic.limits = MeshLimits{};
    const MeshTrial t = TryMesh(*model, r->area, basic);
    if (t.fault == MeshFault::TooLarge) {
      messages << ShownName(r->out) << ": " << *LayoutRefusal(t.triangles, t.points, t.estimated)
               << LayoutRemedy() << '\n';
      return kBatchExportFailed;
    }
  }
  const GenerationReport report = RunGeneration(*model, r->area, mesher, '.');
  if (report.outcome != MeshOutcome::Success) {
    for (const ReportLine& line : report.lines) messages << line.text << '\n';
    if (report.outcome == MeshOutcome::Overflow && r->maxTriangles > 0) {
      messages << (report.suggestedArea
                       ? Tr("BatchExport",
                            "Zwiększ pole trójkąta (na przykład --area %1) albo --max-triangles.")
                             .with(AreaText(*report.suggestedArea, '.'))
                       : Tr("BatchExport", "Zwiększ pole trójkąta albo --max-triangles."))
               << '\n';
    }
    if (report.checked) ListCauses(report.causes, messages);
    return kBatchMeshFailed;
  }
  const std::optional<OpenFormat> open = OpenFormatForName(r->out, r->msh22);
  std::optional<SolveResult> solution;
  // The file's mesh part needs no solution: it is written while the solver
  // works, at the lowest priority, so that it takes only the time the
  // solver leaves a core idle (the factorisation runs on one).
  std::future<OpenExportText> meshPart;
  if (r->solve) {
    if (r->adapt <= 0.0) {
      meshPart = std::async(std::launch::async, [&model, format = *open] {
        (void)::setpriority(PRIO_PROCESS, static_cast<id_t>(::gettid()), 19);
        return OpenExportText(*model, format, true);
      });
      solution = Solve(*model);
    } else {
      // The mesh changes with every step: its part of the file waits for the last.
      const int32_t budget = r->maxTriangles > 0 ? r->maxTriangles : kMaxMeshTriangles;
      AdaptResult adapted = Adapt(*model, r->adapt, budget, kAdaptSteps, mesher,
                                  [&messages](const AdaptStep& s, const SolveResult&) {
                                    messages << Tr("BatchExport", "Krok %1: %2, szacowany błąd %3")
                                                    .with(s.step, Triangles(s.triangles), EstimateText(s.eta))
                                             << '\n';
                                  });
      if (adapted.steps.empty()) {
        messages << adapted.why << '\n';
        return kBatchSolveRefused;
      }
      if (adapted.end == AdaptEnd::Failed) {
        messages << adapted.why << '\n';
        return kBatchMeshFailed;
      }
      messages << AdaptEndText(adapted, r->adapt, budget) << '\n';
      solution = std::move(adapted.solution);
      meshPart = std::async(std::launch::deferred,
                            [&model, format = *open] { return OpenExportText(*model, format, true); });
    }
    if (!solution->solved) {
      messages << solution->refusal << '\n';
      return kBatchSolveRefused;
    }
  }
  // A mesh past the layouts' limits is refused by the layout's writer.
  const FileResult written = meshPart.valid() ? WriteOpenExport(*model, meshPart, r->out, &*solution)
                             : open           ? WriteOpenExport(*model, *open, r->out)
                                              : WriteExportFile(*model, *layout, r->out);
  if (!written.ok) {
    // The open formats' hint belongs to a layout that refused the mesh, not
    // to an open format that could not be written.
    messages << ShownName(r->out) << ": " << written.message
             << (layout && LayoutRefusal(*model) ? LayoutRemedy() : std::string()) << '\n';
    return kBatchExportFailed;
  }
  messages << (r->solve ? Tr("BatchExport", "Zapisano siatkę z rozwiązaniem: %1 (%2, %3)")
                        : Tr("BatchExport", "Plik wyeksportowano poprawnie: %1 (%2, %3)"))
                  .with(ShownName(r->out), Triangles(model->meshTriangleCount), Nodes(model->meshNodeCount))
           << '\n';
  if (const std::string note = open ? DanglingElementsNote(*model) : ""; !note.empty())
    messages << note << '\n';
  if (solution)
    messages << Tr("BatchExport", "Szacowany błąd: %1").with(EstimateText(solution->estimate.eta)) << '\n';
  if (solution && !solution->note.empty()) messages << solution->note << '\n';
  if (solution && !r->integrate.empty()) {
    Solution solved{*model, std::move(*solution)};
    for (const IntegrationTarget& t : r->integrate)
      PrintIntegrals(t, solved, integrals ? *integrals : messages);
  }
  return kBatchDone;
}
