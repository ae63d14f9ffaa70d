// The solve both problem families share: the checks, the system's loads
// and held values, the linear solve, the results and the field's recovery,
// in that order, with what differs asked of the family.

#include "core/solve/SolverParts.h"

namespace solver {

SolveResult SolveFamily(const Model& m, const std::vector<TriangleShape>& shapes,
                        const std::vector<BoundaryEdge>& edges, const Family& family,
                        const std::atomic<bool>* cancel) {
  if (auto why = family.refusal()) return Refusal(*why);
  if (auto why = UnheldPiece(m, family.disc(), shapes, edges)) return Refusal(*why);
  SolveResult r;
  r.disc = family.disc();
  System s = NewSystem(m, shapes, r.disc ? 2 : 1);
  r.materialArea.assign(size_t(m.materialCount) + 1, 0.0);
  r.materialSources.assign(r.materialArea.size(), 0.0);
  for (size_t t = 1; t < shapes.size(); ++t)
    r.materialArea[size_t(shapes[t].material)] += shapes[t].twiceArea / 2.0;
  family.load(s, r);
  r.unloaded = Unloaded(s);
  std::vector<double> x, residual;
  const ElementVisitor elements = [&family](const StiffnessTake& take) { family.elements(take); };
  const SystemOutcome outcome = SolveSystem(m, shapes, s, elements, x, residual, cancel);
  if (outcome == SystemOutcome::Cancelled) return CancelledSolve();
  if (outcome == SystemOutcome::Singular) return Refusal(NumericallySingular());
  family.results(s, x, residual, r);
  const std::vector<double> field = family.field(r);
  r.recovered = Recover(m, field, family.components());
  r.estimate = EstimateError(m, field, r.recovered, family.compliances());
  std::vector<std::string> notes;
  if (r.unloaded) notes.push_back(UnloadedNote(r.disc));
  for (std::string& note : family.notes()) notes.push_back(std::move(note));
  for (const std::string& n : notes) r.note += (r.note.empty() ? "" : "\n") + n;
  r.solved = true;
  return r;
}

}  // namespace solver
