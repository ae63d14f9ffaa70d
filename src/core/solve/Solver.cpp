#include "core/solve/Solver.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <map>
#include <new>
#include <optional>

#include "core/solve/Factorisation.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// A boundary edge of the mesh with the condition its element names now.
struct BoundaryEdge {
  int32_t a = 0;
  int32_t b = 0;
  int32_t condition = 0;
  double length = 0.0;
};

// A triangle's geometry: twice its area, and the gradient of each corner's
// shape function times twice the area, (b_i, c_i).
struct TriangleShape {
  std::array<int32_t, 3> nodes{};
  double twiceArea = 0.0;
  std::array<double, 3> b{};
  std::array<double, 3> c{};
};

// A value as the program shows it: the shortest text that reads back as the
// stored float, with a decimal comma.
std::string Number(double v) {
  char text[32];
  const auto r = std::to_chars(text, text + sizeof text, static_cast<float>(v));
  std::string s(text, r.ptr);
  std::replace(s.begin(), s.end(), '.', ',');
  return s;
}

std::string List(const std::vector<int32_t>& numbers) {
  std::string s;
  for (size_t i = 0; i < numbers.size(); ++i) s += (i ? ", " : "") + std::to_string(numbers[i]);
  return s;
}

SolveResult Refusal(std::string why) {
  SolveResult r;
  r.refusal = std::move(why);
  return r;
}

bool Asked(const std::atomic<bool>* cancel) {
  return cancel != nullptr && cancel->load(std::memory_order_relaxed);
}

SolveResult CancelledSolve() {
  SolveResult r;
  r.cancelled = true;
  return r;
}

// The triangles' shapes, or a refusal for a corner outside the mesh or a
// triangle without area.
std::optional<std::string> Shapes(const Model& m, std::vector<TriangleShape>& shapes) {
  shapes.resize(size_t(m.meshTriangleCount) + 1);
  for (int32_t t = 1; t <= m.meshTriangleCount; ++t) {
    const MeshTriangle& row = m.MeshTriangleTable[t];
    TriangleShape& s = shapes[size_t(t)];
    s.nodes = {row.corner1, row.corner2, row.corner3};
    for (int32_t n : s.nodes) {
      if (n < 1 || n > m.meshNodeCount) {
        return "Trójkąt nr " + std::to_string(t) +
               " siatki ma wierzchołek spoza siatki; wygeneruj ją ponownie.";
      }
    }
    std::array<MeshNode, 3> p;
    for (int i = 0; i < 3; ++i) p[size_t(i)] = m.MeshNodeTable[s.nodes[size_t(i)]];
    for (size_t i = 0; i < 3; ++i) {
      const MeshNode& pj = p[(i + 1) % 3];
      const MeshNode& pk = p[(i + 2) % 3];
      s.b[i] = pj.y - pk.y;
      s.c[i] = pk.x - pj.x;
    }
    s.twiceArea = (p[1].x - p[0].x) * (p[2].y - p[0].y) - (p[2].x - p[0].x) * (p[1].y - p[0].y);
    if (!(s.twiceArea > 0.0)) {
      return "Trójkąt nr " + std::to_string(t) +
             " siatki ma zerowe lub ujemne pole; wygeneruj siatkę ponownie.";
    }
  }
  return std::nullopt;
}

// The boundary edges with their conditions as the model has them now, or a
// refusal naming the elements and condition rows that do not fit: an element
// gone since the mesh was made, a condition that does not exist, a kind the
// problem does not know, a value that is no number.
std::optional<std::string> Edges(const Model& m, bool disc, std::vector<BoundaryEdge>& edges) {
  std::map<int32_t, std::vector<int32_t>> missing;  // condition -> elements
  std::map<int32_t, std::vector<int32_t>> unknown;
  for (const MeshEdge& e : m.meshTags->edges) {
    if (e.element < 1 || e.element > m.elementCount || e.node1 < 1 || e.node1 > m.meshNodeCount ||
        e.node2 < 1 || e.node2 > m.meshNodeCount) {
      return "Siatka nie odpowiada modelowi (element nr " + std::to_string(e.element) +
             " nie istnieje); wygeneruj siatkę ponownie.";
    }
    const int32_t k = m.ElementTable[e.element].bcNumber;
    std::vector<int32_t>* note = nullptr;
    if (k < 1 || k > m.bcCount) {
      note = &missing[k];
    } else {
      const float kind = m.BcTable[k].kind;
      const bool known = kind == 1.0f || kind == 2.0f || (!disc && kind == 3.0f);
      if (!known) note = &unknown[k];
    }
    if (note && (note->empty() || note->back() != e.element)) note->push_back(e.element);
    const MeshNode& p = m.MeshNodeTable[e.node1];
    const MeshNode& q = m.MeshNodeTable[e.node2];
    edges.push_back({e.node1, e.node2, k, std::hypot(q.x - p.x, q.y - p.y)});
  }
  for (const auto& [k, elements] : missing) {
    const bool one = elements.size() == 1;
    return (one ? "Element " : "Elementy ") + List(elements) + (one ? " wskazuje" : " wskazują") +
           " warunek nr " + std::to_string(k) + ", którego nie ma w tabeli warunków.";
  }
  for (const auto& [k, elements] : unknown) {
    return "Warunek nr " + std::to_string(k) + (elements.size() == 1 ? " (element " : " (elementy ") +
           List(elements) + ") ma rodzaj " + Number(m.BcTable[k].kind) + ", którego to zadanie nie zna.";
  }
  for (const BoundaryEdge& e : edges) {
    const BoundaryCondition& row = m.BcTable[e.condition];
    if (!std::isfinite(row.value1) || !std::isfinite(row.value2)) {
      return "Warunek nr " + std::to_string(e.condition) + " ma wartość, która nie jest liczbą.";
    }
    if (!disc && row.kind == 3.0f && row.value1 < 0.0f) {
      return "Warunek nr " + std::to_string(e.condition) +
             ": współczynnik konwekcji α = " + Number(row.value1) + " nie może być ujemny.";
    }
  }
  return std::nullopt;
}

// One element's stiffness: its degrees of freedom and its matrix, row by
// row (count x count).
struct ElementStiffness {
  int32_t count = 0;
  std::array<int32_t, 6> dofs{};
  std::array<double, 36> k{};
};

// The linear system of a whole mesh: K u = F over every degree of freedom
// (perNode of them at each node, node n's first at n * perNode), some of
// them held at given values. K is never stored whole: the elements'
// stiffnesses are computed again when needed, which costs less than keeping
// a million triangles' matrices.
struct System {
  int32_t perNode = 1;
  int32_t dofs = 0;
  std::vector<double> f;
  std::vector<double> held;  // NaN where free
  std::vector<int32_t> heldBy;
  std::vector<bool> used;
};

void Hold(System& s, int32_t dof, double value, int32_t condition) {
  if (s.heldBy[size_t(dof)] == 0 || condition < s.heldBy[size_t(dof)]) {
    s.held[size_t(dof)] = value;
    s.heldBy[size_t(dof)] = condition;
  }
}

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

enum class SystemOutcome { Solved, Singular, Cancelled };

// Solves with the held rows eliminated; on success the full solution and the
// residual K u - F (nonzero only at held degrees of freedom: what the
// supports or the prescribed values put in). `elements(take)` calls take
// with each element's stiffness. The reduced matrix is built in compressed
// columns straight from the mesh's adjacency, its upper triangle only, with
// the unknowns numbered in nested dissection, so that the factorisation
// takes it as it is, without a copy or an ordering of its own.
template <typename Elements>
SystemOutcome SolveSystem(const Model& m, const std::vector<TriangleShape>& shapes, System& s,
                          const Elements& elements, std::vector<double>& x, std::vector<double>& residual,
                          const std::atomic<bool>* cancel) {
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
    if (Asked(cancel)) return SystemOutcome::Cancelled;
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

std::string PropertyName(int32_t problem) {
  switch (problem) {
    case 1: return "Współczynnik przewodzenia ciepła λ";
    case 2: return "Przewodność elektryczna σ";
    case 3: return "Przenikalność magnetyczna μ";
    default: return "Przewodność k";
  }
}

SolveResult SolvePotential(const Model& m, const std::vector<TriangleShape>& shapes,
                           const std::vector<BoundaryEdge>& edges, const std::atomic<bool>* cancel) {
  if (!(m.Conductivity > 0.0f) || !std::isfinite(m.Conductivity)) {
    return Refusal(PropertyName(m.ProblemKind) + " musi być dodatnia (jest " + Number(m.Conductivity) + ").");
  }
  if (!std::isfinite(m.SecondProperty)) return Refusal("Wydajność źródeł nie jest liczbą.");
  const double k = m.ProblemKind == 3 ? 1.0 / double(m.Conductivity) : double(m.Conductivity);
  const double f = m.SecondProperty;
  const bool anchored = std::any_of(edges.begin(), edges.end(), [&](const BoundaryEdge& e) {
    const float kind = m.BcTable[e.condition].kind;
    return kind == 1.0f || kind == 3.0f;
  });
  if (!anchored) {
    return Refusal(
        "Zadanie nie ma rozwiązania jednoznacznego: żaden brzeg nie ma warunku wartości (rodzaj 1) ani "
        "konwekcji (rodzaj 3).");
  }

  SolveResult r;
  System s = NewSystem(m, shapes, 1);
  for (size_t t = 1; t < shapes.size(); ++t) {
    const TriangleShape& sh = shapes[t];
    for (size_t i = 0; i < 3; ++i) s.f[size_t(sh.nodes[i])] += f * sh.twiceArea / 6.0;
    r.sources += f * sh.twiceArea / 2.0;
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
  const auto elements = [&](const auto& take) {
    ElementStiffness e;
    e.count = 3;
    for (size_t t = 1; t < shapes.size(); ++t) {
      const TriangleShape& sh = shapes[t];
      const double scale = k / (2.0 * sh.twiceArea);
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
  std::vector<double> u;
  std::vector<double> residual;
  const SystemOutcome outcome = SolveSystem(m, shapes, s, elements, u, residual, cancel);
  if (outcome == SystemOutcome::Cancelled) return CancelledSolve();
  if (outcome == SystemOutcome::Singular) {
    return Refusal(
        "Zadanie nie ma rozwiązania jednoznacznego: układ równań jest osobliwy (konwekcja z α = 0 nie "
        "ustala wartości).");
  }
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
    r.flux[t] = {-k * g[0], -k * g[1]};
  }
  r.balance[0] = r.sources;
  for (double q : r.inflow) r.balance[0] += q;
  if (m.ProblemKind > 3) {
    r.note = "Zadanie rodzaju " + std::to_string(m.ProblemKind) +
             " nie ma własnej nazwy: rozwiązano je jako zagadnienie potencjału -div(k grad u) = f, z k = " +
             Number(k) + " (przewodność) i f = " + Number(f) + " (wydajność źródeł).";
  }
  r.solved = true;
  return r;
}

SolveResult SolveDisc(const Model& m, const std::vector<TriangleShape>& shapes,
                      const std::vector<BoundaryEdge>& edges, const std::atomic<bool>* cancel) {
  const double e = m.Conductivity;
  const double nu = m.SecondProperty;
  if (!(e > 0.0) || !std::isfinite(e)) {
    return Refusal("Moduł Younga E musi być dodatni (jest " + Number(e) + ").");
  }
  if (!(nu > -1.0 && nu < 0.5)) {
    return Refusal("Liczba Poissona ν musi leżeć między -1 a 0,5, bez końców (jest " + Number(nu) + ").");
  }
  const bool held = std::any_of(edges.begin(), edges.end(),
                                [&](const BoundaryEdge& b) { return m.BcTable[b.condition].kind == 2.0f; });
  if (!held) {
    return Refusal(
        "Tarcza nie jest utwierdzona: żaden brzeg nie ma warunku przemieszczenia (rodzaj 2), więc może "
        "się swobodnie przesuwać i obracać.");
  }
  // Plane stress: sigma = D eps, D = E/(1 - nu^2) [1 nu 0; nu 1 0; 0 0 (1 - nu)/2],
  // eps = (du_x/dx, du_y/dy, du_x/dy + du_y/dx).
  const double d = e / (1.0 - nu * nu);
  const std::array<std::array<double, 3>, 3> dm = {
      {{d, d * nu, 0.0}, {d * nu, d, 0.0}, {0.0, 0.0, d * (1.0 - nu) / 2.0}}};
  SolveResult r;
  r.disc = true;
  System s = NewSystem(m, shapes, 2);
  const auto elements = [&](const auto& take) {
    ElementStiffness e;
    e.count = 6;
    for (size_t t = 1; t < shapes.size(); ++t) {
      const TriangleShape& sh = shapes[t];
      // B (3 x 6) times twice the area; K = A B^T D B.
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
  };
  r.force.assign(size_t(m.bcCount) + 1, {0.0, 0.0});
  for (const BoundaryEdge& b : edges) {
    const BoundaryCondition& row = m.BcTable[b.condition];
    for (int32_t n : {b.a, b.b}) {
      if (row.kind == 2.0f) {
        Hold(s, 2 * n, row.value1, b.condition);
        Hold(s, 2 * n + 1, row.value2, b.condition);
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
  std::vector<double> x;
  std::vector<double> residual;
  const SystemOutcome outcome = SolveSystem(m, shapes, s, elements, x, residual, cancel);
  if (outcome == SystemOutcome::Cancelled) return CancelledSolve();
  if (outcome == SystemOutcome::Singular) {
    return Refusal(
        "Tarcza nie jest utwierdzona przed ruchem sztywnym: układ równań jest osobliwy; utwierdź ją na "
        "odcinku, nie w jednym punkcie.");
  }
  r.ux.assign(size_t(m.meshNodeCount) + 1, kNaN);
  r.uy.assign(size_t(m.meshNodeCount) + 1, kNaN);
  for (int32_t n = 1; n <= m.meshNodeCount; ++n) {
    r.ux[size_t(n)] = x[size_t(2 * n)];
    r.uy[size_t(n)] = x[size_t(2 * n + 1)];
    for (int32_t c = 0; c < 2; ++c) {
      const int32_t by = s.heldBy[size_t(2 * n + c)];
      if (by > 0) r.force[size_t(by)][size_t(c)] += residual[size_t(2 * n + c)];
    }
  }
  r.stress.assign(shapes.size(), {});
  for (size_t t = 1; t < shapes.size(); ++t) {
    const TriangleShape& sh = shapes[t];
    std::array<double, 3> eps{0.0, 0.0, 0.0};
    for (size_t i = 0; i < 3; ++i) {
      const double vx = x[size_t(2 * sh.nodes[i])] / sh.twiceArea;
      const double vy = x[size_t(2 * sh.nodes[i] + 1)] / sh.twiceArea;
      eps[0] += sh.b[i] * vx;
      eps[1] += sh.c[i] * vy;
      eps[2] += sh.c[i] * vx + sh.b[i] * vy;
    }
    TriangleStress& st = r.stress[t];
    st.sx = dm[0][0] * eps[0] + dm[0][1] * eps[1];
    st.sy = dm[1][0] * eps[0] + dm[1][1] * eps[1];
    st.txy = dm[2][2] * eps[2];
    st.vonMises = std::sqrt(st.sx * st.sx - st.sx * st.sy + st.sy * st.sy + 3.0 * st.txy * st.txy);
  }
  for (const auto& fk : r.force) {
    r.balance[0] += fk[0];
    r.balance[1] += fk[1];
  }
  r.solved = true;
  return r;
}

}  // namespace

std::string StaleMesh(const Model& m) {
  if (!m.meshTags) return {};
  const MeshTags& t = *m.meshTags;
  const auto moved = [](const auto& then, int32_t count, const auto& now) {
    if (then.size() != size_t(count)) return true;
    for (int32_t i = 1; i <= count; ++i) {
      if (std::memcmp(&then[size_t(i - 1)], &now[i], sizeof now[i]) != 0) return true;
    }
    return false;
  };
  bool ends = t.elements.size() != size_t(m.elementCount);
  for (int32_t i = 1; !ends && i <= m.elementCount; ++i) {
    const Element& then = t.elements[size_t(i - 1)];
    ends = then.startNode != m.ElementTable[i].startNode || then.endNode != m.ElementTable[i].endNode;
  }
  std::vector<std::string> what;
  if (moved(t.nodes, m.nodeCount, m.NodeTable)) what.push_back("węzły");
  if (ends) what.push_back("elementy");
  if (moved(t.internalNodes, m.internalNodeCount, m.InternalNodeTable)) what.push_back("węzły wewnętrzne");
  if (what.empty()) return {};
  std::string list;
  for (size_t i = 0; i < what.size(); ++i)
    list += (i == 0 ? "" : i + 1 == what.size() ? " i " : ", ") + what[i];
  return "Od generacji siatki zmieniły się " + list +
         " modelu: siatka nie opisuje już obszaru. Wygeneruj ją ponownie (GENERUJ), a potem rozwiąż zadanie.";
}

SolveResult Solve(const Model& model, const std::atomic<bool>* cancel) {
  if (model.meshTriangleCount <= 0 || model.meshNodeCount <= 0) {
    return Refusal("Nie ma siatki: wygeneruj ją przed rozwiązaniem zadania.");
  }
  if (!model.meshTags) return Refusal("Siatka nie ma oznaczonych krawędzi brzegu; wygeneruj ją ponownie.");
  if (std::string why = StaleMesh(model); !why.empty()) return Refusal(why);
  const bool disc = model.ProblemKind == 10;
  if (!disc && !(model.ProblemKind >= 1 && model.ProblemKind < 10)) {
    return Refusal("Zadanie rodzaju " + std::to_string(model.ProblemKind) + " nie jest znane.");
  }
  std::vector<TriangleShape> shapes;
  if (auto why = Shapes(model, shapes)) return Refusal(*why);
  std::vector<BoundaryEdge> edges;
  if (auto why = Edges(model, disc, edges)) return Refusal(*why);
  if (Asked(cancel)) return CancelledSolve();
  try {
    return disc ? SolveDisc(model, shapes, edges, cancel) : SolvePotential(model, shapes, edges, cancel);
  } catch (const std::bad_alloc&) {
    return Refusal("Za mało pamięci, by rozwiązać zadanie na tej siatce.");
  }
}
