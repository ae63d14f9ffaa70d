#include "core/mesh/GenerationReport.h"

#include "core/text/Tr.h"

namespace {

ReportLine Line(std::string text, ReportLine::Kind kind) {
  return {std::move(text), kind};
}

}  // namespace

std::string AreaTooSmallText(double area, char decimalPoint) {
  return Tr("GenerationReport",
            "Pole trójkąta %1 jest za małe: program generujący siatkę dostaje pole zaokrąglone do sześciu "
            "miejsc "
            "po przecinku, a to byłoby równe 0.")
      .with(AreaText(area, decimalPoint));
}

namespace {

// After a failure: the check's errors, or under a large limit, where the
// count says what went wrong, an area that fits.
void ExplainFailure(const Model& m, double area, const MesherOptions& mesher, char decimalPoint,
                    GenerationReport& r) {
  if (r.outcome == MeshOutcome::Overflow && !(mesher.limits == MeshLimits{})) {
    if (const std::optional<FittingArea> fits = FindFittingArea(m, area, r.trial, mesher)) {
      r.suggestedArea = fits->area;
    }
    return;
  }
  // Starting from what the mesher did: only what keeps the mesh from being
  // made is named.
  r.checked = true;
  for (Finding& f : CheckModel(m, area, decimalPoint, &mesher, &r.trial)) {
    if (f.severity != Severity::Error) continue;
    if (f.kind == FindingKind::TooFine && f.area > 0) r.suggestedArea = f.area;
    r.causes.push_back(std::move(f));
  }
}

}  // namespace

GenerationReport RunGeneration(Model& m, double area, const MesherOptions& mesher, char decimalPoint) {
  GenerationReport r;
  const MeshSnapshot before(m);
  r.outcome = GenerateMesh(m, area, mesher, &r.trial);
  using Kind = ReportLine::Kind;
  switch (r.outcome) {
    case MeshOutcome::Cancelled: return r;
    case MeshOutcome::Success:
      r.lines.push_back(Line(Tr("GenerationReport", "Generacja siatki powiodła się"), Kind::Success));
      return r;
    case MeshOutcome::Overflow:
      r.lines.push_back(
          mesher.limits == MeshLimits{}
              ? Line(Tr("GenerationReport", "Zbyt duża liczba elementów lub węzłów"), Kind::Refusal)
              : Line(OverLimitText(r.trial, mesher.limits), Kind::Refusal));
      break;
    case MeshOutcome::Failure:
      if (AreaTooSmallToWrite(area))
        r.lines.push_back(Line(AreaTooSmallText(area, decimalPoint), Kind::Refusal));
      break;
  }
  r.lines.push_back(Line(Tr("GenerationReport", "Generacja siatki nie powiodła się"), Kind::Failure));
  // An area too small to write needs no explaining beyond its line.
  if (!AreaTooSmallToWrite(area)) ExplainFailure(m, area, mesher, decimalPoint, r);
  // A cancel given up to the end, as the success is asked before its mesh
  // is taken, cancels the whole generation: the mesh before stands again
  // and nothing is said.
  if (mesher.wasCancelled() || (mesher.stillWanted && !mesher.stillWanted())) {
    before.restore(m);
    r = GenerationReport{};
    r.outcome = MeshOutcome::Cancelled;
  }
  return r;
}
