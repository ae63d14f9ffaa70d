#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <future>
#include <memory>
#include <optional>

#include "core/parallel/ForkJoin.h"
#include "core/solve/Factorisation.h"
#include "core/solve/Ordering.h"
#include "core/solve/SolverParts.h"

namespace solver {

void Hold(System& s, int32_t dof, double value, int32_t condition) {
  if (s.heldBy[size_t(dof)] == 0 || condition < s.heldBy[size_t(dof)]) {
    s.held[size_t(dof)] = value;
    s.heldBy[size_t(dof)] = condition;
  }
}

System NewSystem(const Model& m, const std::vector<TriangleShape>& shapes, int32_t perNode) {
  System s;
  s.perNode = perNode;
  s.dofs = (m.meshNodeCount + 1) * perNode;
  s.f.assign(size_t(s.dofs), 0.0);
  s.held.assign(size_t(s.dofs), kNaN);
  s.heldBy.assign(size_t(s.dofs), 0);
  s.used.assign(size_t(s.dofs), false);
  for (size_t t = 1; t < shapes.size(); ++t) {
    for (int32_t n : shapes[t].nodes) {
      for (int32_t c = 0; c < perNode; ++c) s.used[size_t(n * perNode + c)] = true;
    }
  }
  return s;
}

namespace {

// Whether the system is factorised in two parts at once: the one place
// that decides it. The ordering's first cut gives the parts, its two halves
// ordered on two threads; the factorisation takes them when the unknowns
// are many and the separator short. The parts' dense separator matrices
// cost its size cubed: on a plane mesh that size squared is about the
// unknowns, for the disc twice that. A longer separator is not worth it.
struct SplitPolicy {
  static constexpr ptrdiff_t kWorthCutting = 20000;  // nodes
  static constexpr int32_t kWorthSplitting = 20000, kLargestSeparator = 3000;
  int workers = Workers();

  bool cutApart(ptrdiff_t nodes) const { return workers >= 2 && nodes >= kWorthCutting; }
  // The parts' equations, or none for a system factorised whole.
  std::array<int32_t, 2> parts(int32_t free, std::array<int32_t, 2> halves) const {
    const int64_t separator = free - halves[0] - halves[1];
    if (workers < 2 || free < kWorthSplitting || separator > kLargestSeparator ||
        separator * separator > 4 * int64_t(free))
      return {0, 0};
    return halves;
  }
};

// The free unknowns numbered as equations, node by node in the ordering,
// and the equations of the ordering's two halves.
struct Equations {
  std::vector<int32_t> of;     // per degree of freedom: its equation, or -1
  std::vector<int32_t> dofOf;  // per equation
  std::array<int32_t, 2> halves{0, 0};
  int32_t count() const { return int32_t(dofOf.size()); }
};

Equations NumberEquations(const Model& m, const System& s, const Adjacency& adjacency,
                          const SplitPolicy& policy) {
  const int32_t p = s.perNode;
  const auto isFree = [&](int32_t d) { return s.used[size_t(d)] && std::isnan(s.held[size_t(d)]); };
  std::vector<int32_t> nodes;
  for (int32_t n = 1; n <= m.meshNodeCount; ++n) {
    for (int32_t c = 0; c < p; ++c) {
      if (isFree(n * p + c)) {
        nodes.push_back(n);
        break;
      }
    }
  }
  const std::array<ptrdiff_t, 2> halves =
      OrderByDissection(m.MeshNodeTable.rows(m.meshNodeCount), adjacency, nodes.data(),
                        nodes.data() + nodes.size(), policy.cutApart(ptrdiff_t(nodes.size())));
  Equations e;
  e.of.assign(size_t(s.dofs), -1);
  for (size_t k = 0; k < nodes.size(); ++k) {
    const int32_t n = nodes[k];
    for (int32_t c = 0; c < p; ++c) {
      if (!isFree(n * p + c)) continue;
      e.of[size_t(n * p + c)] = e.count();
      e.dofOf.push_back(n * p + c);
      if (ptrdiff_t(k) < halves[0] + halves[1]) ++e.halves[ptrdiff_t(k) < halves[0] ? 0 : 1];
    }
  }
  return e;
}

// The reduced matrix's pattern in compressed columns, its upper triangle:
// column j holds the rows i <= j of the unknowns at j's node and its
// neighbours, sorted.
struct Pattern {
  std::vector<int32_t> columnStart, rows;
  // Where row i of column j is stored (the pattern holds it).
  size_t at(int32_t i, int32_t j) const {
    const int32_t* column = rows.data();
    return size_t(std::lower_bound(column + columnStart[size_t(j)], column + columnStart[size_t(j) + 1], i) -
                  column);
  }
};

Pattern BuildPattern(const Equations& e, int32_t perNode, const Adjacency& adjacency) {
  const int32_t free = e.count();
  const auto rowsOf = [&](int32_t j, const auto& take) {
    const int32_t n = e.dofOf[size_t(j)] / perNode;
    for (int64_t k = adjacency.start[size_t(n)]; k < adjacency.start[size_t(n) + 1]; ++k) {
      for (int32_t c = 0; c < perNode; ++c) {
        const int32_t i = e.of[size_t(adjacency.nodes[size_t(k)] * perNode + c)];
        if (i >= 0 && i <= j) take(i);
      }
    }
  };
  Pattern pattern;
  pattern.columnStart.assign(size_t(free) + 1, 0);
  ForkJoin(size_t(free), [&](size_t from, size_t to) {
    for (auto j = int32_t(from); j < int32_t(to); ++j) {
      int32_t count = 0;
      rowsOf(j, [&](int32_t) { ++count; });
      pattern.columnStart[size_t(j) + 1] = count;
    }
  });
  std::vector<int32_t>& start = pattern.columnStart;
  for (size_t j = 1; j < start.size(); ++j) start[j] += start[j - 1];
  pattern.rows.resize(size_t(start[size_t(free)]));
  ForkJoin(size_t(free), [&](size_t from, size_t to) {
    for (auto j = int32_t(from); j < int32_t(to); ++j) {
      int32_t* first = pattern.rows.data() + start[size_t(j)];
      int32_t* next = first;
      rowsOf(j, [&](int32_t i) { *next++ = i; });
      std::sort(first, next);
    }
  });
  return pattern;
}

// The elements' stiffnesses added into the pattern's values; a held
// unknown's column moves to the right-hand side.
std::vector<double> Assemble(const ElementVisitor& elements, const Equations& e, const System& s,
                             const Pattern& pattern, std::vector<double>& rhs) {
  std::vector<double> values(pattern.rows.size(), 0.0);
  elements([&](const ElementStiffness& el) {
    for (int32_t r = 0; r < el.count; ++r) {
      const int32_t i = e.of[size_t(el.dofs[size_t(r)])];
      if (i < 0) continue;
      for (int32_t c = 0; c < el.count; ++c) {
        const double k = el.k[size_t(r * el.count + c)];
        const int32_t j = e.of[size_t(el.dofs[size_t(c)])];
        if (j < 0)
          rhs[size_t(i)] -= k * s.held[size_t(el.dofs[size_t(c)])];
        else if (i <= j)
          values[pattern.at(i, j)] += k;
      }
    }
  });
  return values;
}

// Scales the system to a unit diagonal, D^-1/2 K D^-1/2, so that the
// pivot test judges how the mesh is held, not the size of its properties
// or of the region: λ = 1e-12 with α = 1 is the same matrix as λ = 1 with
// α = 1e12. Rows are sorted, so each column's diagonal is its last entry.
// Returns the scale, or nothing when a diagonal is not positive.
std::optional<std::vector<double>> ScaleToUnitDiagonal(const Pattern& pattern, std::vector<double>& values,
                                                       std::vector<double>& rhs) {
  std::vector<double> scale(rhs.size());
  for (size_t j = 0; j < scale.size(); ++j) {
    const double d = values[size_t(pattern.columnStart[j + 1] - 1)];
    if (!(d > 0.0) || !std::isfinite(d)) return std::nullopt;
    scale[j] = 1.0 / std::sqrt(d);
    rhs[j] *= scale[j];
  }
  ForkJoin(scale.size(), [&](size_t from, size_t to) {
    for (size_t j = from; j < to; ++j) {
      for (int32_t k = pattern.columnStart[j]; k < pattern.columnStart[j + 1]; ++k)
        values[size_t(k)] *= scale[size_t(pattern.rows[size_t(k)])] * scale[j];
    }
  });
  return scale;
}

// Solves the free unknowns into x. The pattern is analysed on another
// thread while the values are assembled.
SystemOutcome SolveFree(const System& s, const ElementVisitor& elements, const Equations& e,
                        const Adjacency& adjacency, const SplitPolicy& policy, std::vector<double>& x,
                        const std::atomic<bool>* cancel) {
  const int32_t free = e.count();
  std::vector<double> rhs(static_cast<size_t>(free));
  for (int32_t j = 0; j < free; ++j) rhs[size_t(j)] = s.f[size_t(e.dofOf[size_t(j)])];
  const Pattern pattern = BuildPattern(e, s.perNode, adjacency);
  const std::array<int32_t, 2> parts = policy.parts(free, e.halves);
  const FactorOptions options{policy.workers, policy.workers};
  auto analysed = std::async(policy.workers > 1 ? std::launch::async : std::launch::deferred, [&] {
    return std::make_unique<PositiveDefiniteSolver>(
        UpperPattern{free, pattern.columnStart.data(), pattern.rows.data()}, parts[0], parts[1], options);
  });
  std::vector<double> values = Assemble(elements, e, s, pattern, rhs);
  const std::optional<std::vector<double>> scale = ScaleToUnitDiagonal(pattern, values, rhs);
  const std::unique_ptr<PositiveDefiniteSolver> solver = analysed.get();
  if (!scale) return SystemOutcome::Singular;
  if (CancelAsked(cancel)) return SystemOutcome::Cancelled;
  std::vector<double> solution(static_cast<size_t>(free));
  FactorOutcome outcome = solver->factorise(values.data(), cancel);
  if (outcome == FactorOutcome::Solved) outcome = solver->solve(rhs.data(), solution.data());
  if (outcome == FactorOutcome::Cancelled) return SystemOutcome::Cancelled;
  if (outcome == FactorOutcome::Singular) return SystemOutcome::Singular;
  for (int32_t j = 0; j < free; ++j)
    x[size_t(e.dofOf[size_t(j)])] = solution[size_t(j)] * (*scale)[size_t(j)];
  return SystemOutcome::Solved;
}

// K x - F, from the elements again.
std::vector<double> Residual(const System& s, const ElementVisitor& elements, const std::vector<double>& x) {
  std::vector<double> residual(size_t(s.dofs), 0.0);
  elements([&](const ElementStiffness& e) {
    for (int32_t r = 0; r < e.count; ++r) {
      double sum = 0.0;
      for (int32_t c = 0; c < e.count; ++c)
        sum += e.k[size_t(r * e.count + c)] * x[size_t(e.dofs[size_t(c)])];
      residual[size_t(e.dofs[size_t(r)])] += sum;
    }
  });
  for (int32_t d = 0; d < s.dofs; ++d) residual[size_t(d)] -= s.f[size_t(d)];
  return residual;
}

}  // namespace

SystemOutcome SolveSystem(const Model& m, const std::vector<TriangleShape>& shapes, System& s,
                          const ElementVisitor& elements, std::vector<double>& x,
                          std::vector<double>& residual, const std::atomic<bool>* cancel) {
  const SplitPolicy policy;
  const Adjacency adjacency = Neighbours(m.meshNodeCount, shapes);
  const Equations e = NumberEquations(m, s, adjacency, policy);
  x.assign(size_t(s.dofs), kNaN);
  for (int32_t d = 0; d < s.dofs; ++d) {
    if (s.used[size_t(d)] && !std::isnan(s.held[size_t(d)])) x[size_t(d)] = s.held[size_t(d)];
  }
  if (e.count() > 0) {
    const SystemOutcome outcome = SolveFree(s, elements, e, adjacency, policy, x, cancel);
    if (outcome != SystemOutcome::Solved) return outcome;
  }
  residual = Residual(s, elements, x);
  return SystemOutcome::Solved;
}

}  // namespace solver
