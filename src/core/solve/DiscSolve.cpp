#include <algorithm>
#include <cmath>

#include "core/boundary/Codes.h"
#include "core/solve/Factorisation.h"
#include "core/solve/SolverParts.h"
#include "core/text/Tr.h"

namespace solver {

namespace {

// Plane stress: σ = D ε, D = E/(1 - ν²) [1 ν 0; ν 1 0; 0 0 (1 - ν)/2],
// ε = (∂ux/∂x, ∂uy/∂y, ∂ux/∂y + ∂uy/∂x); one D per material.
using Elasticity = std::array<std::array<double, 3>, 3>;

// The disc loaded in its plane: displacements held (kind 2) or held in one
// direction (a roller), and loads on the edges (kind 1).
class Disc final : public Family {
 public:
  Disc(const Model& m, const std::vector<TriangleShape>& shapes, const std::vector<BoundaryEdge>& edges)
      : m_(m), shapes_(shapes), edges_(edges), used_(UsedMaterials(m, shapes)) {
    dOf_.resize(size_t(m.materialCount) + 1);
    for (const int32_t i : used_) {
      const MaterialProperties p = *PropertiesOf(m, i);
      const double nu = p.property2;
      const double d = double(p.property1) / (1.0 - nu * nu);
      dOf_[size_t(i)] = {{{d, d * nu, 0.0}, {d * nu, d, 0.0}, {0.0, 0.0, d * (1.0 - nu) / 2.0}}};
    }
  }

  bool disc() const override { return true; }

  std::optional<std::string> refusal() const override {
    for (const int32_t i : used_) {
      const MaterialProperties p = *PropertiesOf(m_, i);
      if (!(p.property1 > 0.0f) || !std::isfinite(p.property1)) {
        return NotFinitePositive(OfMaterial(Tr("DiscSolve", "Moduł Younga E"), i),
                                 Tr("DiscSolve", "skończony i dodatni"), p.property1);
      }
      if (!(p.property2 > -1.0f && p.property2 < 0.5f)) {
        return Tr("DiscSolve", "%1 musi leżeć między -1 a 0,5, bez końców (jest %2).")
            .with(OfMaterial(Tr("DiscSolve", "Liczba Poissona ν"), i), Number(p.property2));
      }
    }
    const bool held = std::any_of(edges_.begin(), edges_.end(), [&](const BoundaryEdge& b) {
      return m_.BcTable[b.condition].kind == 2.0f || m_.BcTable[b.condition].kind == kDiscRoller;
    });
    if (!held) {
      return Tr("DiscSolve",
                "Tarcza nie jest utwierdzona: żaden brzeg nie ma warunku przemieszczenia (rodzaj 2), więc "
                "może się swobodnie przesuwać i obracać.");
    }
    return std::nullopt;
  }

  void load(System& s, SolveResult& r) const override {
    r.force.assign(size_t(m_.bcCount) + 1, {0.0, 0.0});
    for (const BoundaryEdge& b : edges_) {
      const BoundaryCondition& row = m_.BcTable[b.condition];
      for (int32_t n : {b.a, b.b}) {
        if (row.kind == 2.0f) {
          Hold(s, 2 * n, row.value1, b.condition);
          Hold(s, 2 * n + 1, row.value2, b.condition);
        } else if (row.kind == kDiscRoller) {
          // One component held, the other left to the other rows or free.
          Hold(s, 2 * n + RollerComponent(row.value1), row.value2, b.condition);
        } else {
          s.f[size_t(2 * n)] += row.value1 * b.length / 2.0;
          s.f[size_t(2 * n + 1)] += row.value2 * b.length / 2.0;
        }
      }
      if (row.kind == 1.0f) {
        r.force[size_t(b.condition)][0] += row.value1 * b.length;
        r.force[size_t(b.condition)][1] += row.value2 * b.length;
      }
    }
  }

  void elements(const StiffnessTake& take) const override {
    ElementStiffness e;
    e.count = 6;
    for (size_t t = 1; t < shapes_.size(); ++t) {
      const TriangleShape& sh = shapes_[t];
      const Elasticity& dm = dOf_[size_t(sh.material)];
      // B (3 x 6) times twice the area; K = A Bᵀ D B.
      std::array<std::array<double, 6>, 3> bm{};
      for (size_t i = 0; i < 3; ++i) {
        bm[0][2 * i] = sh.b[i];
        bm[1][2 * i + 1] = sh.c[i];
        bm[2][2 * i] = sh.c[i];
        bm[2][2 * i + 1] = sh.b[i];
      }
      const double scale = 1.0 / (2.0 * sh.twiceArea);
      for (size_t p = 0; p < 6; ++p) {
        e.dofs[p] = 2 * sh.nodes[p / 2] + int32_t(p % 2);
        for (size_t q = 0; q < 6; ++q) {
          double v = 0.0;
          for (size_t a = 0; a < 3; ++a) {
            for (size_t b = 0; b < 3; ++b) v += bm[a][p] * dm[a][b] * bm[b][q];
          }
          e.k[6 * p + q] = scale * v;
        }
      }
      take(e);
    }
  }

  void results(const System& s, const std::vector<double>& x, const std::vector<double>& residual,
               SolveResult& r) const override {
    r.ux.assign(size_t(m_.meshNodeCount) + 1, kNaN);
    r.uy.assign(size_t(m_.meshNodeCount) + 1, kNaN);
    for (int32_t n = 1; n <= m_.meshNodeCount; ++n) {
      r.ux[size_t(n)] = x[size_t(2 * n)];
      r.uy[size_t(n)] = x[size_t(2 * n + 1)];
      for (int32_t c = 0; c < 2; ++c) {
        const int32_t by = s.heldBy[size_t(2 * n + c)];
        if (by > 0) r.force[size_t(by)][size_t(c)] += residual[size_t(2 * n + c)];
      }
    }
    r.stress.assign(shapes_.size(), {});
    for (size_t t = 1; t < shapes_.size(); ++t) r.stress[t] = stress(shapes_[t], x);
    for (const auto& fk : r.force) {
      r.balance[0] += fk[0];
      r.balance[1] += fk[1];
    }
  }

  int32_t components() const override { return 3; }

  std::vector<double> field(const SolveResult& r) const override {
    std::vector<double> stress(3 * shapes_.size(), 0.0);
    for (size_t t = 1; t < shapes_.size(); ++t) {
      stress[3 * t] = r.stress[t].sx, stress[3 * t + 1] = r.stress[t].sy, stress[3 * t + 2] = r.stress[t].txy;
    }
    return stress;
  }

  std::vector<Compliance> compliances() const override {
    std::vector<Compliance> weights(dOf_.size());
    for (const int32_t i : used_) {
      const MaterialProperties p = *PropertiesOf(m_, i);
      const double e = p.property1, nu = p.property2;
      weights[size_t(i)] = {1.0 / e, 1.0 / e, -nu / e, 2.0 * (1.0 + nu) / e};
    }
    return weights;
  }

  std::vector<std::string> notes() const override {
    std::vector<std::string> notes;
    for (const int32_t i : used_) {
      std::string warning =
          AbsurdProperty(OfMaterial(Tr("DiscSolve", "Moduł Younga E"), i), PropertiesOf(m_, i)->property1);
      if (!warning.empty()) notes.push_back(std::move(warning));
    }
    return notes;
  }

 private:
  // A triangle's stresses from the nodes' displacements.
  TriangleStress stress(const TriangleShape& sh, const std::vector<double>& x) const {
    std::array<double, 3> eps{0.0, 0.0, 0.0};
    for (size_t i = 0; i < 3; ++i) {
      const double vx = x[size_t(2 * sh.nodes[i])] / sh.twiceArea;
      const double vy = x[size_t(2 * sh.nodes[i] + 1)] / sh.twiceArea;
      eps[0] += sh.b[i] * vx;
      eps[1] += sh.c[i] * vy;
      eps[2] += sh.c[i] * vx + sh.b[i] * vy;
    }
    const Elasticity& dm = dOf_[size_t(sh.material)];
    TriangleStress st;
    st.sx = dm[0][0] * eps[0] + dm[0][1] * eps[1];
    st.sy = dm[1][0] * eps[0] + dm[1][1] * eps[1];
    st.txy = dm[2][2] * eps[2];
    st.vonMises = std::sqrt(st.sx * st.sx - st.sx * st.sy + st.sy * st.sy + 3.0 * st.txy * st.txy);
    return st;
  }

  const Model& m_;
  const std::vector<TriangleShape>& shapes_;
  const std::vector<BoundaryEdge>& edges_;
  const std::vector<int32_t> used_;
  std::vector<Elasticity> dOf_;
};

}  // namespace

SolveResult SolveDisc(const Model& m, const std::vector<TriangleShape>& shapes,
                      const std::vector<BoundaryEdge>& edges, const std::atomic<bool>* cancel) {
  return SolveFamily(m, shapes, edges, Disc(m, shapes, edges), cancel);
}

}  // namespace solver
