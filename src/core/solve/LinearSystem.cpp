#include <algorithm>
#include <cmath>
#include <functional>

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
  std::vector<int64_t> first(size_t(nodeCount) + 2, 0);  // the triangles at each node
  for (size_t t = 1; t < shapes.size(); ++t) {
    for (int32_t n : shapes[t].nodes) ++first[size_t(n) + 1];
  }
  for (size_t n = 1; n < first.size(); ++n) first[n] += first[n - 1];
  std::vector<int32_t> triangles(size_t(first.back()));
  {
    std::vector<int64_t> next(first.begin(), first.end() - 1);
    for (size_t t = 1; t < shapes.size(); ++t) {
      for (int32_t n : shapes[t].nodes) triangles[size_t(next[size_t(n)]++)] = int32_t(t);
    }
  }
  Adjacency a;
  a.start.assign(size_t(nodeCount) + 2, 0);
  a.nodes.reserve(size_t(nodeCount) * 7 + 16);
  std::vector<int32_t> around;
  for (int32_t n = 0; n <= nodeCount; ++n) {
    around.clear();
    for (int64_t i = first[size_t(n)]; i < first[size_t(n) + 1]; ++i) {
      const auto& corners = shapes[size_t(triangles[size_t(i)])].nodes;
      around.insert(around.end(), corners.begin(), corners.end());
    }
    std::sort(around.begin(), around.end());
    a.nodes.insert(a.nodes.end(), around.begin(), std::unique(around.begin(), around.end()));
    a.start[size_t(n) + 1] = int64_t(a.nodes.size());
  }
  return a;
}

// Nested dissection by coordinates, in place: the nodes of [begin, end) are
// cut across the longer side of their box at the median; the nodes on one
// side of the cut that touch the other (the side where they are fewer)
// separate the halves and go last, after the two halves ordered the same
// way. On a plane mesh this order takes about a third fewer operations to
// factorise than a minimum-degree one (AMD), and costs less to find.
class Dissection {
 public:
  Dissection(const Model& m, const Adjacency& adjacency)
      : m_(m), adjacency_(adjacency), side_(size_t(m.meshNodeCount) + 1, 0) {}

  void order(int32_t* begin, int32_t* end) {
    constexpr ptrdiff_t kSmall = 8;  // a block this small fills little whatever its order
    if (end - begin <= kSmall) return;
    double x0 = m_.MeshNodeTable[*begin].x, x1 = x0, y0 = m_.MeshNodeTable[*begin].y, y1 = y0;
    for (const int32_t* n = begin; n != end; ++n) {
      const MeshNode& p = m_.MeshNodeTable[*n];
      x0 = std::min(x0, p.x), x1 = std::max(x1, p.x), y0 = std::min(y0, p.y), y1 = std::max(y1, p.y);
    }
    const bool alongX = x1 - x0 >= y1 - y0;
    const auto coordinate = [&](int32_t n) { return alongX ? m_.MeshNodeTable[n].x : m_.MeshNodeTable[n].y; };
    int32_t* middle = begin + (end - begin) / 2;
    std::nth_element(begin, middle, end, [&](int32_t a, int32_t b) {
      const double ca = coordinate(a), cb = coordinate(b);
      return ca < cb || (ca == cb && a < b);
    });
    stamp_ += 2;  // stamp_ - 1 marks the low half, stamp_ the high one
    for (const int32_t* n = begin; n != end; ++n) side_[size_t(*n)] = n < middle ? stamp_ - 1 : stamp_;
    const auto touches = [&](int32_t mark) {
      return [this, mark](int32_t n) {
        for (int64_t i = adjacency_.start[size_t(n)]; i < adjacency_.start[size_t(n) + 1]; ++i) {
          if (side_[size_t(adjacency_.nodes[size_t(i)])] == mark) return true;
        }
        return false;
      };
    };
    const ptrdiff_t low = std::count_if(begin, middle, touches(stamp_));
    const ptrdiff_t high = std::count_if(middle, end, touches(stamp_ - 1));
    int32_t* first = nullptr;
    int32_t* second = nullptr;
    if (low <= high) {  // [low rest | separator | high] to [low rest | high | separator]
      int32_t* separator = std::stable_partition(begin, middle, std::not_fn(touches(stamp_)));
      first = begin, second = separator;
      std::rotate(separator, middle, end);
    } else {
      std::stable_partition(middle, end, std::not_fn(touches(stamp_ - 1)));
      first = begin, second = middle;
    }
    const ptrdiff_t secondSize = (end - begin) - std::min(low, high) - (second - first);
    order(first, second);
    order(second, second + secondSize);
  }

 private:
  const Model& m_;
  const Adjacency& adjacency_;
  std::vector<int32_t> side_;  // which half of the current cut a node is in
  int32_t stamp_ = 0;
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

SystemOutcome SolveSystem(const Model& m, const std::vector<TriangleShape>& shapes, System& s,
                          const ElementVisitor& elements, std::vector<double>& x,
                          std::vector<double>& residual, const std::atomic<bool>* cancel) {
  const int32_t p = s.perNode;
  const auto isFree = [&](int32_t d) { return s.used[size_t(d)] && std::isnan(s.held[size_t(d)]); };
  const Adjacency adjacency = Neighbours(m.meshNodeCount, shapes);
  std::vector<int32_t> nodes;
  for (int32_t n = 1; n <= m.meshNodeCount; ++n) {
    for (int32_t c = 0; c < p; ++c) {
      if (isFree(n * p + c)) {
        nodes.push_back(n);
        break;
      }
    }
  }
  Dissection(m, adjacency).order(nodes.data(), nodes.data() + nodes.size());
  std::vector<int32_t> equation(size_t(s.dofs), -1);
  std::vector<int32_t> dofOf;  // per equation
  for (int32_t n : nodes) {
    for (int32_t c = 0; c < p; ++c) {
      if (isFree(n * p + c)) {
        equation[size_t(n * p + c)] = int32_t(dofOf.size());
        dofOf.push_back(n * p + c);
      }
    }
  }
  nodes = {};
  const int32_t free = int32_t(dofOf.size());
  x.assign(size_t(s.dofs), kNaN);
  for (int32_t d = 0; d < s.dofs; ++d) {
    if (s.used[size_t(d)] && !std::isnan(s.held[size_t(d)])) x[size_t(d)] = s.held[size_t(d)];
  }
  if (free > 0) {
    std::vector<double> rhs(static_cast<size_t>(free));
    for (int32_t j = 0; j < free; ++j) rhs[size_t(j)] = s.f[size_t(dofOf[size_t(j)])];
    // Column j holds the rows i <= j of the unknowns at j's node and its
    // neighbours.
    const auto rowsOf = [&](int32_t j, const auto& take) {
      const int32_t n = dofOf[size_t(j)] / p;
      for (int64_t k = adjacency.start[size_t(n)]; k < adjacency.start[size_t(n) + 1]; ++k) {
        for (int32_t c = 0; c < p; ++c) {
          const int32_t i = equation[size_t(adjacency.nodes[size_t(k)] * p + c)];
          if (i >= 0 && i <= j) take(i);
        }
      }
    };
    std::vector<int32_t> columnStart(size_t(free) + 1, 0);
    for (int32_t j = 0; j < free; ++j) {
      int32_t count = 0;
      rowsOf(j, [&](int32_t) { ++count; });
      columnStart[size_t(j) + 1] = columnStart[size_t(j)] + count;
    }
    std::vector<int32_t> rows(static_cast<size_t>(columnStart[size_t(free)]));
    for (int32_t j = 0; j < free; ++j) {
      int32_t* first = rows.data() + columnStart[size_t(j)];
      int32_t* next = first;
      rowsOf(j, [&](int32_t i) { *next++ = i; });
      std::sort(first, next);
    }
    std::vector<double> values(rows.size(), 0.0);
    elements([&](const ElementStiffness& e) {
      for (int32_t r = 0; r < e.count; ++r) {
        const int32_t i = equation[size_t(e.dofs[size_t(r)])];
        if (i < 0) continue;
        for (int32_t c = 0; c < e.count; ++c) {
          const double k = e.k[size_t(r * e.count + c)];
          const int32_t j = equation[size_t(e.dofs[size_t(c)])];
          if (j < 0) {
            rhs[size_t(i)] -= k * s.held[size_t(e.dofs[size_t(c)])];
          } else if (i <= j) {
            const int32_t* column = rows.data();
            values[size_t(
                std::lower_bound(column + columnStart[size_t(j)], column + columnStart[size_t(j) + 1], i) -
                column)] += k;
          }
        }
      }
    });
    equation = {};
    if (CancelAsked(cancel)) return SystemOutcome::Cancelled;
    std::vector<double> solution(static_cast<size_t>(free));
    const FactorOutcome outcome = SolvePositiveDefinite(free, columnStart.data(), rows.data(), values.data(),
                                                        rhs.data(), solution.data(), cancel);
    if (outcome == FactorOutcome::Cancelled) return SystemOutcome::Cancelled;
    if (outcome == FactorOutcome::Singular) return SystemOutcome::Singular;
    for (int32_t j = 0; j < free; ++j) x[size_t(dofOf[size_t(j)])] = solution[size_t(j)];
  }
  residual.assign(size_t(s.dofs), 0.0);
  elements([&](const ElementStiffness& e) {
    for (int32_t r = 0; r < e.count; ++r) {
      double sum = 0.0;
      for (int32_t c = 0; c < e.count; ++c)
        sum += e.k[size_t(r * e.count + c)] * x[size_t(e.dofs[size_t(c)])];
      residual[size_t(e.dofs[size_t(r)])] += sum;
    }
  });
  for (int32_t d = 0; d < s.dofs; ++d) residual[size_t(d)] -= s.f[size_t(d)];
  return SystemOutcome::Solved;
}

}  // namespace solver
