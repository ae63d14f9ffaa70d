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

// -div(k grad u) = f over the triangles, with values held (kind 1), flows
// across the edges (kind 2) and convection α (u∞ - u) (kind 3).
class Potential final : public Family {
 public:
  Potential(const Model& m, const std::vector<TriangleShape>& shapes, const std::vector<BoundaryEdge>& edges)
      : m_(m), shapes_(shapes), edges_(edges), used_(UsedMaterials(m, shapes)) {
    kOf_.assign(size_t(m.materialCount) + 1, 0.0);
    fOf_.assign(kOf_.size(), 0.0);
    for (const int32_t i : used_) {
      const MaterialProperties p = *PropertiesOf(m, i);
      kOf_[size_t(i)] = m.ProblemKind == 3 ? 1.0 / double(p.property1) : double(p.property1);
      fOf_[size_t(i)] = p.property2;
    }
  }

  bool disc() const override { return false; }

  std::optional<std::string> refusal() const override {
    for (const int32_t i : used_) {
      const MaterialProperties p = *PropertiesOf(m_, i);
      if (!(p.property1 > 0.0f) || !std::isfinite(p.property1)) {
        return NotFinitePositive(OfMaterial(PropertyName(m_.ProblemKind), i),
                                 Tr("PotentialSolve", "skończona i dodatnia"), p.property1);
      }
      if (!std::isfinite(p.property2)) {
        return Tr("PotentialSolve", "%1 nie jest liczbą.")
            .with(OfMaterial(Tr("PotentialSolve", "Wydajność źródeł"), i));
      }
    }
    const bool anchored = std::any_of(edges_.begin(), edges_.end(), [&](const BoundaryEdge& e) {
      const float kind = m_.BcTable[e.condition].kind;
      return kind == 1.0f || kind == 3.0f;
    });
    if (!anchored) {
      return Tr("PotentialSolve",
                "Zadanie nie ma rozwiązania jednoznacznego: żaden brzeg nie ma warunku wartości (rodzaj 1) "
                "ani konwekcji (rodzaj 3).");
    }
    return std::nullopt;
  }

  void load(System& s, SolveResult& r) const override {
    for (size_t t = 1; t < shapes_.size(); ++t) {
      const TriangleShape& sh = shapes_[t];
      const double f = fOf_[size_t(sh.material)];
      for (size_t i = 0; i < 3; ++i) s.f[size_t(sh.nodes[i])] += f * sh.twiceArea / 6.0;
      r.sources += f * sh.twiceArea / 2.0;
      r.materialSources[size_t(sh.material)] += f * sh.twiceArea / 2.0;
    }
    for (const BoundaryEdge& e : edges_) {
      const BoundaryCondition& row = m_.BcTable[e.condition];
      if (row.kind == 1.0f) {
        Hold(s, e.a, row.value1, e.condition);
        Hold(s, e.b, row.value1, e.condition);
      } else if (row.kind == 2.0f) {
        s.f[size_t(e.a)] += row.value1 * e.length / 2.0;
        s.f[size_t(e.b)] += row.value1 * e.length / 2.0;
      } else {
        // α u∞ L/2 per node; the edge's stiffness is among the elements.
        const double alpha = row.value1;
        s.f[size_t(e.a)] += alpha * row.value2 * e.length / 2.0;
        s.f[size_t(e.b)] += alpha * row.value2 * e.length / 2.0;
      }
    }
  }

  // The triangles' conduction, then the convecting edges': α (u∞ - u) on an
  // edge, u linear along it, gives the edge's mass matrix α L/6 [2 1; 1 2].
  void elements(const StiffnessTake& take) const override {
    ElementStiffness e;
    e.count = 3;
    for (size_t t = 1; t < shapes_.size(); ++t) {
      const TriangleShape& sh = shapes_[t];
      const double scale = kOf_[size_t(sh.material)] / (2.0 * sh.twiceArea);
      for (size_t i = 0; i < 3; ++i) {
        e.dofs[i] = sh.nodes[i];
        for (size_t j = 0; j < 3; ++j) e.k[3 * i + j] = scale * (sh.b[i] * sh.b[j] + sh.c[i] * sh.c[j]);
      }
      take(e);
    }
    e.count = 2;
    for (const BoundaryEdge& b : edges_) {
      const BoundaryCondition& row = m_.BcTable[b.condition];
      if (row.kind != 3.0f) continue;
      e.dofs[0] = b.a;
      e.dofs[1] = b.b;
      e.k[0] = e.k[3] = row.value1 * b.length / 3.0;
      e.k[1] = e.k[2] = row.value1 * b.length / 6.0;
      take(e);
    }
  }

  void results(const System& s, const std::vector<double>& u, const std::vector<double>& residual,
               SolveResult& r) const override {
    r.u = u;
    r.u[0] = kNaN;
    r.inflow.assign(size_t(m_.bcCount) + 1, 0.0);
    for (const BoundaryEdge& e : edges_) {
      const BoundaryCondition& row = m_.BcTable[e.condition];
      if (row.kind == 2.0f) {
        r.inflow[size_t(e.condition)] += row.value1 * e.length;
      } else if (row.kind == 3.0f) {
        r.inflow[size_t(e.condition)] +=
            row.value1 * e.length * (row.value2 - (u[size_t(e.a)] + u[size_t(e.b)]) / 2.0);
      }
    }
    for (int32_t n = 1; n <= m_.meshNodeCount; ++n) {
      if (s.heldBy[size_t(n)] > 0) r.inflow[size_t(s.heldBy[size_t(n)])] += residual[size_t(n)];
    }
    r.gradient.assign(shapes_.size(), {0.0, 0.0});
    r.flux.assign(shapes_.size(), {0.0, 0.0});
    for (size_t t = 1; t < shapes_.size(); ++t) {
      const TriangleShape& sh = shapes_[t];
      std::array<double, 2> g{0.0, 0.0};
      for (size_t i = 0; i < 3; ++i) {
        g[0] += u[size_t(sh.nodes[i])] * sh.b[i] / sh.twiceArea;
        g[1] += u[size_t(sh.nodes[i])] * sh.c[i] / sh.twiceArea;
      }
      r.gradient[t] = g;
      const double k = kOf_[size_t(sh.material)];
      r.flux[t] = {-k * g[0], -k * g[1]};
    }
    r.balance[0] = r.sources;
    for (double q : r.inflow) r.balance[0] += q;
  }

  int32_t components() const override { return 2; }

  std::vector<double> field(const SolveResult& r) const override {
    std::vector<double> flux(2 * shapes_.size(), 0.0);
    for (size_t t = 1; t < shapes_.size(); ++t) flux[2 * t] = r.flux[t][0], flux[2 * t + 1] = r.flux[t][1];
    return flux;
  }

  std::vector<Compliance> compliances() const override {
    std::vector<Compliance> weights(kOf_.size());
    for (size_t i = 0; i < kOf_.size(); ++i) {
      if (kOf_[i] > 0.0) weights[i] = {1.0 / kOf_[i], 1.0 / kOf_[i], 0.0, 0.0};
    }
    return weights;
  }

  std::vector<std::string> notes() const override {
    std::vector<std::string> notes;
    if (ProblemName(m_.ProblemKind).empty()) {
      const double k = m_.ProblemKind == 3 ? 1.0 / double(m_.Conductivity) : double(m_.Conductivity);
      notes.push_back(Tr("PotentialSolve",
                         "Zadanie rodzaju %1 nie ma własnej nazwy: rozwiązano je jako zagadnienie potencjału "
                         "-div(k grad u) = f, z k = %2 (przewodność) i f = %3 (wydajność źródeł).")
                          .with(m_.ProblemKind, Number(k), Number(m_.SecondProperty)));
    }
    for (const int32_t i : used_) {
      const MaterialProperties p = *PropertiesOf(m_, i);
      for (const auto& [name, value] :
           {std::pair{PropertyName(m_.ProblemKind), p.property1},
            std::pair{std::string(Tr("PotentialSolve", "Wydajność źródeł")), p.property2}}) {
        if (std::string warning = AbsurdProperty(OfMaterial(name, i), value); !warning.empty())
          notes.push_back(warning);
      }
    }
    return notes;
  }

 private:
  const Model& m_;
  const std::vector<TriangleShape>& shapes_;
  const std::vector<BoundaryEdge>& edges_;
  const std::vector<int32_t> used_;
  std::vector<double> kOf_, fOf_;  // each used material's k and f
};

}  // namespace

SolveResult SolvePotential(const Model& m, const std::vector<TriangleShape>& shapes,
                           const std::vector<BoundaryEdge>& edges, const std::atomic<bool>* cancel) {
  return SolveFamily(m, shapes, edges, Potential(m, shapes, edges), cancel);
}

}  // namespace solver
