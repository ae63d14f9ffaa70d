#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <future>
#include <memory>
#include <optional>

#include "core/parallel/ForkJoin.h"
#include "core/solve/Factorisation.h"
#include "core/solve/SolverParts.h"

namespace solver {

namespace {

// Each node's neighbours in the mesh, itself included, in increasing order.
struct Adjacency {
  std::vector<int64_t> start;  // node n's at nodes[start[n]] .. nodes[start[n + 1] - 1]
  std::vector<int32_t> nodes;
};

Adjacency Neighbours(int32_t nodeCount, const std::vector<TriangleShape>& shapes) {
  // Every triangle names each corner's two others, in one pass over the
  // triangles; each node's names are then sorted and made unique.
  std::vector<int64_t> first(size_t(nodeCount) + 2, 0);
  for (size_t t = 1; t < shapes.size(); ++t) {
    for (int32_t n : shapes[t].nodes) first[size_t(n) + 1] += 2;
  }
  for (size_t n = 1; n < first.size(); ++n) first[n] += first[n - 1];
  std::vector<int32_t> named(size_t(first.back()));
  {
    std::vector<int64_t> next(first.begin(), first.end() - 1);
    for (size_t t = 1; t < shapes.size(); ++t) {
      const auto& c = shapes[t].nodes;
      for (size_t i = 0; i < 3; ++i) {
        int64_t& at = next[size_t(c[i])];
        named[size_t(at++)] = c[(i + 1) % 3];
        named[size_t(at++)] = c[(i + 2) % 3];
      }
    }
  }
  // Sorted in place, then counted, then copied: each distinct name and the
  // node itself.
  const auto each = [&](int32_t n, const auto& take) {
    const int32_t* around = named.data() + first[size_t(n)];
    const int32_t* aroundEnd = named.data() + first[size_t(n) + 1];
    if (around == aroundEnd) return;
    bool self = false;
    for (const int32_t* i = around; i != aroundEnd; ++i) {
      if (i != around && *i == i[-1]) continue;
      if (!self && *i > n) take(n), self = true;
      take(*i);
    }
    if (!self) take(n);
  };
  Adjacency a;
  a.start.assign(size_t(nodeCount) + 2, 0);
  ForkJoin(size_t(nodeCount) + 1, [&](size_t from, size_t to) {
    for (auto n = int32_t(from); n < int32_t(to); ++n) {
      std::sort(named.data() + first[size_t(n)], named.data() + first[size_t(n) + 1]);
      int64_t count = 0;
      each(n, [&](int32_t) { ++count; });
      a.start[size_t(n) + 1] = count;
    }
  });
  for (size_t n = 1; n < a.start.size(); ++n) a.start[n] += a.start[n - 1];
  a.nodes.resize(size_t(a.start.back()));
  ForkJoin(size_t(nodeCount) + 1, [&](size_t from, size_t to) {
    for (auto n = int32_t(from); n < int32_t(to); ++n) {
      int32_t* out = a.nodes.data() + a.start[size_t(n)];
      each(n, [&](int32_t k) { *out++ = k; });
    }
  });
  return a;
}

// Nested dissection by coordinates: the nodes of a range are cut across the
// longer side of their box at the median; the fewest nodes that cover every
// edge across the cut separate the halves and go last, after the two halves
// ordered the same way. On a plane mesh this order takes about half the
// operations of a minimum-degree one (AMD) to factorise, and costs less to
// find.
class Dissection {
 public:
  // mesh[n - 1] is node n.
  Dissection(const MeshNode* mesh, const Adjacency& adjacency)
      : mesh_(mesh),
        adjacency_(adjacency),
        side_(adjacency.start.size(), 0),
        place_(adjacency.start.size(), 0) {}

  // The two halves of [begin, end) after its cut, to be ordered in turn;
  // the separator follows the second.
  struct Cut {
    int32_t* first;
    int32_t* second;
    int32_t* separator;
  };

  // Orders [begin, end), the two halves of its first cut on two threads
  // when `apart`. Returns the sizes of those two halves (none when it was
  // ordered on one thread). The order is the same either way.
  std::array<ptrdiff_t, 2> orderAll(int32_t* begin, int32_t* end, bool apart) {
    if (!apart) {
      order(begin, end);
      return {0, 0};
    }
    const Cut c = cut(begin, end);
    Dissection other(mesh_, adjacency_);
    RunTogether(
        2, [&] { other.order(c.first, c.second); }, [&] { order(c.second, c.separator); });
    return {c.second - c.first, c.separator - c.second};
  }

  void order(int32_t* begin, int32_t* end) {
    constexpr ptrdiff_t kSmall = 8;  // a block this small fills little whatever its order
    if (end - begin <= kSmall) return;
    const Cut c = cut(begin, end);
    order(c.first, c.second);
    order(c.second, c.separator);
  }

 private:
  struct Placed {
    double x, y;
    int32_t node;
  };

  Cut cut(int32_t* begin, int32_t* end) {
    const size_t count = size_t(end - begin);
    placed_.resize(count);
    double x0 = mesh_[*begin - 1].x, x1 = x0, y0 = mesh_[*begin - 1].y, y1 = y0;
    for (size_t i = 0; i < count; ++i) {
      const MeshNode& p = mesh_[begin[i] - 1];
      placed_[i] = {p.x, p.y, begin[i]};
      x0 = std::min(x0, p.x), x1 = std::max(x1, p.x), y0 = std::min(y0, p.y), y1 = std::max(y1, p.y);
    }
    const auto middle = placed_.begin() + ptrdiff_t(count / 2);
    const auto by = [](double Placed::*along) {
      return [along](const Placed& a, const Placed& b) {
        return a.*along < b.*along || (a.*along == b.*along && a.node < b.node);
      };
    };
    if (x1 - x0 >= y1 - y0) {
      std::nth_element(placed_.begin(), middle, placed_.end(), by(&Placed::x));
    } else {
      std::nth_element(placed_.begin(), middle, placed_.end(), by(&Placed::y));
    }
    stamp_ += 2;  // stamp_ - 1 marks the low half, stamp_ the high one
    for (size_t i = 0; i < count; ++i) {
      begin[i] = placed_[i].node;
      side_[size_t(begin[i])] = i < count / 2 ? stamp_ - 1 : stamp_;
    }
    // The nodes of each half that touch the other: the edges between them
    // are cut. The separator is the fewest nodes that cover every cut edge,
    // a minimum vertex cover of those edges (from a maximum matching). It is
    // never larger than either side's touching nodes, and on an irregular
    // mesh much smaller; the factorisation pays for its size cubed.
    const int32_t low = stamp_ - 1, high = stamp_;
    lows_.clear(), highs_.clear();
    for (size_t i = 0; i < count; ++i) {
      const int32_t n = begin[i];
      const int32_t other = i < count / 2 ? high : low;
      place_[size_t(n)] = -1;  // touches nothing across the cut
      for (int64_t k = adjacency_.start[size_t(n)]; k < adjacency_.start[size_t(n) + 1]; ++k) {
        if (side_[size_t(adjacency_.nodes[size_t(k)])] == other) {
          std::vector<int32_t>& touching = i < count / 2 ? lows_ : highs_;
          place_[size_t(n)] = int32_t(touching.size());
          touching.push_back(n);
          break;
        }
      }
    }
    Cover();
    // [low | high] becomes [low rest | high rest | separator].
    separator_.clear();
    int32_t* kept = begin;
    int32_t* second = begin;
    for (size_t i = 0; i < count; ++i) {
      if (i == count / 2) second = kept;
      const int32_t n = begin[i], at = place_[size_t(n)];
      if (at >= 0 && (i < count / 2 ? lowCovered_ : highCovered_)[size_t(at)]) {
        separator_.push_back(n);
      } else {
        *kept++ = n;
      }
    }
    std::copy(separator_.begin(), separator_.end(), kept);
    return {begin, second, kept};
  }

  // Marks in lowCovered_ and highCovered_ a minimum vertex cover of the
  // edges between lows_ and highs_ (König: from a maximum matching, the
  // low nodes not reachable from an unmatched low node by alternating
  // paths, and the high nodes that are).
  void Cover() {
    const int32_t high = stamp_;
    const auto eachHigh = [&](int32_t lowNode, const auto& take) {
      for (int64_t k = adjacency_.start[size_t(lowNode)]; k < adjacency_.start[size_t(lowNode) + 1]; ++k) {
        const int32_t n = adjacency_.nodes[size_t(k)];
        if (side_[size_t(n)] == high && take(place_[size_t(n)])) return;
      }
    };
    const size_t lows = lows_.size(), highs = highs_.size();
    lowMate_.assign(lows, -1), highMate_.assign(highs, -1);
    for (size_t l = 0; l < lows; ++l) {  // a greedy matching first
      eachHigh(lows_[l], [&](int32_t h) {
        if (highMate_[size_t(h)] >= 0) return false;
        highMate_[size_t(h)] = int32_t(l), lowMate_[l] = h;
        return true;
      });
    }
    // Then augmenting paths from each unmatched low node, depth first.
    seen_.assign(highs, -1);
    for (size_t start = 0; start < lows; ++start) {
      if (lowMate_[start] >= 0) continue;
      path_.assign(1, {int32_t(start), -1});
      while (!path_.empty()) {
        const int32_t l = path_.back().low;
        int32_t next = -1;
        eachHigh(lows_[size_t(l)], [&](int32_t h) {
          if (seen_[size_t(h)] == int32_t(start)) return false;
          seen_[size_t(h)] = int32_t(start);
          next = h;
          return true;
        });
        if (next < 0) {
          path_.pop_back();
          continue;
        }
        path_.back().high = next;
        if (highMate_[size_t(next)] < 0) {  // free: flip the path
          for (const Step& step : path_)
            lowMate_[size_t(step.low)] = step.high, highMate_[size_t(step.high)] = step.low;
          break;
        }
        path_.push_back({highMate_[size_t(next)], -1});
      }
    }
    // Alternating reach from the unmatched low nodes.
    lowCovered_.assign(lows, true), highCovered_.assign(highs, false);
    queue_.clear();
    for (size_t l = 0; l < lows; ++l) {
      if (lowMate_[l] < 0) lowCovered_[l] = false, queue_.push_back(int32_t(l));
    }
    for (size_t q = 0; q < queue_.size(); ++q) {
      eachHigh(lows_[size_t(queue_[q])], [&](int32_t h) {
        if (highCovered_[size_t(h)]) return false;
        highCovered_[size_t(h)] = true;
        const int32_t mate = highMate_[size_t(h)];
        if (mate >= 0 && lowCovered_[size_t(mate)]) lowCovered_[size_t(mate)] = false, queue_.push_back(mate);
        return false;
      });
    }
  }

  const MeshNode* mesh_;
  const Adjacency& adjacency_;
  std::vector<int32_t> side_;  // which half of the current cut a node is in
  int32_t stamp_ = 0;
  std::vector<Placed> placed_;  // the range being cut, with coordinates
  // The cut's touching nodes on each side; place_[n] is n's index there,
  // -1 for a node of the range that touches nothing across the cut.
  std::vector<int32_t> lows_, highs_, place_;
  std::vector<int32_t> lowMate_, highMate_, seen_, queue_;
  struct Step {
    int32_t low, high;
  };
  std::vector<Step> path_;
  std::vector<bool> lowCovered_, highCovered_;
  std::vector<int32_t> separator_;
};

}  // namespace

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
      Dissection(m.MeshNodeTable.rows(m.meshNodeCount), adjacency)
          .orderAll(nodes.data(), nodes.data() + nodes.size(), policy.cutApart(ptrdiff_t(nodes.size())));
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
        UpperPattern{free, pattern.columnStart.data(), pattern.rows.data()}, options, parts[0], parts[1]);
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
