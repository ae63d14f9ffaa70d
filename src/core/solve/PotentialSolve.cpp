#include <algorithm>
#include <cmath>

#include "core/boundary/Physics.h"
#include "core/solve/Factorisation.h"
#include "core/solve/SolverParts.h"
#include "core/text/Tr.h"

namespace solver {

namespace {

std::string PropertyName(int32_t problem) {
  switch (problem) {
    case 1: return Tr("PotentialSolve", "Współczynnik przewodzenia ciepła λ");
    case 2: return Tr("PotentialSolve", "Przewodność elektryczna σ");
    case 3: return Tr("PotentialSolve", "Przenikalność magnetyczna μ");
    default: return Tr("PotentialSolve", "Przewodność k");
  }
}

}  // namespace

SolveResult SolvePotential(const Model& m, const std::vector<TriangleShape>& shapes,
                           const std::vector<BoundaryEdge>& edges, const std::atomic<bool>* cancel) {
  // Each material's k and f, checked for the materials the mesh uses.
  const std::vector<int32_t> used = UsedMaterials(m, shapes);
  std::vector<double> kOf(size_t(m.materialCount) + 1, 0.0), fOf(kOf.size(), 0.0);
  for (const int32_t i : used) {
    const MaterialProperties p = *PropertiesOf(m, i);
    if (!(p.property1 > 0.0f) || !std::isfinite(p.property1)) {
      return Refusal(NotFinitePositive(OfMaterial(PropertyName(m.ProblemKind), i),
                                       Tr("PotentialSolve", "skończona i dodatnia"), p.property1));
    }
    if (!std::isfinite(p.property2)) {
      return Refusal(Tr("PotentialSolve", "%1 nie jest liczbą.")
                         .with(OfMaterial(Tr("PotentialSolve", "Wydajność źródeł"), i)));
    }
    kOf[size_t(i)] = m.ProblemKind == 3 ? 1.0 / double(p.property1) : double(p.property1);
    fOf[size_t(i)] = p.property2;
  }
  const bool anchored = std::any_of(edges.begin(), edges.end(), [&](const BoundaryEdge& e) {
    const float kind = m.BcTable[e.condition].kind;
    return kind == 1.0f || kind == 3.0f;
  });
  if (!anchored) {
    return Refusal(
        Tr("PotentialSolve",
           "Zadanie nie ma rozwiązania jednoznacznego: żaden brzeg nie ma warunku wartości (rodzaj 1) "
           "ani konwekcji (rodzaj 3)."));
  }
  if (auto why = UnheldPiece(m, false, shapes, edges)) return Refusal(*why);

  SolveResult r;
  System s = NewSystem(m, shapes, 1);
  r.materialArea.assign(kOf.size(), 0.0);
  r.materialSources.assign(kOf.size(), 0.0);
  for (size_t t = 1; t < shapes.size(); ++t) {
    const TriangleShape& sh = shapes[t];
    const double f = fOf[size_t(sh.material)];
    for (size_t i = 0; i < 3; ++i) s.f[size_t(sh.nodes[i])] += f * sh.twiceArea / 6.0;
    r.sources += f * sh.twiceArea / 2.0;
    r.materialArea[size_t(sh.material)] += sh.twiceArea / 2.0;
    r.materialSources[size_t(sh.material)] += f * sh.twiceArea / 2.0;
  }
  r.inflow.assign(size_t(m.bcCount) + 1, 0.0);
  for (const BoundaryEdge& e : edges) {
    const BoundaryCondition& row = m.BcTable[e.condition];
    if (row.kind == 1.0f) {
      Hold(s, e.a, row.value1, e.condition);
      Hold(s, e.b, row.value1, e.condition);
    } else if (row.kind == 2.0f) {
      s.f[size_t(e.a)] += row.value1 * e.length / 2.0;
      s.f[size_t(e.b)] += row.value1 * e.length / 2.0;
    } else {
      // alpha (u_inf - u) on the edge, u linear along it: the edge's mass
      // matrix alpha L/6 [2 1; 1 2] and the load alpha u_inf L/2 per node.
      const double alpha = row.value1;
      s.f[size_t(e.a)] += alpha * row.value2 * e.length / 2.0;
      s.f[size_t(e.b)] += alpha * row.value2 * e.length / 2.0;
    }
  }
  // The triangles' conduction, then the convecting edges': alpha (u_inf - u)
  // on an edge, u linear along it, gives the edge's mass matrix
  // alpha L/6 [2 1; 1 2].
  const ElementVisitor elements = [&](const StiffnessTake& take) {
    ElementStiffness e;
    e.count = 3;
    for (size_t t = 1; t < shapes.size(); ++t) {
      const TriangleShape& sh = shapes[t];
      const double scale = kOf[size_t(sh.material)] / (2.0 * sh.twiceArea);
      for (size_t i = 0; i < 3; ++i) {
        e.dofs[i] = sh.nodes[i];
        for (size_t j = 0; j < 3; ++j) e.k[3 * i + j] = scale * (sh.b[i] * sh.b[j] + sh.c[i] * sh.c[j]);
      }
      take(e);
    }
    e.count = 2;
    for (const BoundaryEdge& b : edges) {
      const BoundaryCondition& row = m.BcTable[b.condition];
      if (row.kind != 3.0f) continue;
      const double m1 = row.value1 * b.length / 3.0;
      const double m2 = row.value1 * b.length / 6.0;
      e.dofs[0] = b.a;
      e.dofs[1] = b.b;
      e.k[0] = e.k[3] = m1;
      e.k[1] = e.k[2] = m2;
      take(e);
    }
  };
  r.unloaded = Unloaded(s);
  std::vector<double> u;
  std::vector<double> residual;
  const SystemOutcome outcome = SolveSystem(m, shapes, s, elements, u, residual, cancel);
  if (outcome == SystemOutcome::Cancelled) return CancelledSolve();
  if (outcome == SystemOutcome::Singular) return Refusal(NumericallySingular());
  r.u = u;
  r.u[0] = kNaN;
  for (const BoundaryEdge& e : edges) {
    const BoundaryCondition& row = m.BcTable[e.condition];
    if (row.kind == 2.0f) {
      r.inflow[size_t(e.condition)] += row.value1 * e.length;
    } else if (row.kind == 3.0f) {
      r.inflow[size_t(e.condition)] +=
          row.value1 * e.length * (row.value2 - (u[size_t(e.a)] + u[size_t(e.b)]) / 2.0);
    }
  }
  for (int32_t n = 1; n <= m.meshNodeCount; ++n) {
    if (s.heldBy[size_t(n)] > 0) r.inflow[size_t(s.heldBy[size_t(n)])] += residual[size_t(n)];
  }
  r.gradient.assign(shapes.size(), {0.0, 0.0});
  r.flux.assign(shapes.size(), {0.0, 0.0});
  for (size_t t = 1; t < shapes.size(); ++t) {
    const TriangleShape& sh = shapes[t];
    std::array<double, 2> g{0.0, 0.0};
    for (size_t i = 0; i < 3; ++i) {
      g[0] += u[size_t(sh.nodes[i])] * sh.b[i] / sh.twiceArea;
      g[1] += u[size_t(sh.nodes[i])] * sh.c[i] / sh.twiceArea;
    }
    r.gradient[t] = g;
    const double k = kOf[size_t(sh.material)];
    r.flux[t] = {-k * g[0], -k * g[1]};
  }
  {
    std::vector<double> flux(2 * shapes.size(), 0.0);
    for (size_t t = 1; t < shapes.size(); ++t) flux[2 * t] = r.flux[t][0], flux[2 * t + 1] = r.flux[t][1];
    std::vector<Compliance> weights(kOf.size());
    for (size_t i = 0; i < kOf.size(); ++i) {
      if (kOf[i] > 0.0) weights[i] = {1.0 / kOf[i], 1.0 / kOf[i], 0.0, 0.0};
    }
    r.recovered = Recover(m, flux, 2);
    r.estimate = EstimateError(m, flux, r.recovered, weights);
  }
  r.balance[0] = r.sources;
  for (double q : r.inflow) r.balance[0] += q;
  std::vector<std::string> notes;
  if (r.unloaded) notes.push_back(UnloadedNote(false));
  if (ProblemName(m.ProblemKind).empty()) {
    const double k = m.ProblemKind == 3 ? 1.0 / double(m.Conductivity) : double(m.Conductivity);
    const double f = m.SecondProperty;
    notes.push_back(Tr("PotentialSolve",
                       "Zadanie rodzaju %1 nie ma własnej nazwy: rozwiązano je jako zagadnienie potencjału "
                       "-div(k grad u) = f, z k = %2 (przewodność) i f = %3 (wydajność źródeł).")
                        .with(m.ProblemKind, Number(k), Number(f)));
  }
  for (const int32_t i : used) {
    const MaterialProperties p = *PropertiesOf(m, i);
    for (const auto& [name, value] :
         {std::pair{PropertyName(m.ProblemKind), p.property1},
          std::pair{std::string(Tr("PotentialSolve", "Wydajność źródeł")), p.property2}}) {
      if (std::string warning = AbsurdProperty(OfMaterial(name, i), value); !warning.empty())
        notes.push_back(warning);
    }
  }
  for (const std::string& n : notes) r.note += (r.note.empty() ? "" : "\n") + n;
  r.solved = true;
  return r;
}

}  // namespace solver
