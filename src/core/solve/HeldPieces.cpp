// Whether every piece of the region is held: a potential problem's by a
// held value or convection, the disc's against both slides and the turn;
// the refusal names the piece and what would hold it.

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/boundary/Codes.h"
#include "core/lists/NumberList.h"
#include "core/solve/SolverParts.h"

namespace solver {

namespace {

// Sets of items joined one pair at a time.
class Pieces {
 public:
  explicit Pieces(size_t count) : parent_(count) {
    for (size_t i = 0; i < count; ++i) parent_[i] = int32_t(i);
  }
  int32_t root(int32_t i) {
    while (parent_[size_t(i)] != i) i = parent_[size_t(i)] = parent_[size_t(parent_[size_t(i)])];
    return i;
  }
  void join(int32_t a, int32_t b) {
    a = root(a), b = root(b);
    if (a != b) parent_[size_t(std::max(a, b))] = std::min(a, b);
  }

 private:
  std::vector<int32_t> parent_;
};

// What the held displacements of a piece of the disc take from its rigid
// motions. A motion (a, b, θ) moves the node at (x, y) by (a − θy, b + θx):
// a held ux takes away a − θy, a held uy b + θx. All three motions are gone
// when both directions are held somewhere and either the held ux lie at two
// heights or the held uy at two abscissae; otherwise the piece can still
// slide or turn.
struct Support {
  double yLow = INFINITY, yHigh = -INFINITY;  // the heights of the held ux
  double xLow = INFINITY, xHigh = -INFINITY;  // the abscissae of the held uy
  double tolerance = 0.0;                     // below it two places are one: 1e-9 of the piece's size
  bool rollers = false;                       // some node has one displacement held, not both
  bool held() const {
    return yLow <= yHigh && xLow <= xHigh && (yHigh - yLow > tolerance || xHigh - xLow > tolerance);
  }
};

Support Supports(const Model& m, const std::vector<int32_t>& nodes, const std::vector<char>& fixed) {
  Support s;
  double x0 = INFINITY, y0 = INFINITY, x1 = -INFINITY, y1 = -INFINITY;
  for (int32_t n : nodes) {
    const MeshNode& q = m.MeshNodeTable[n];
    x0 = std::min(x0, q.x), y0 = std::min(y0, q.y), x1 = std::max(x1, q.x), y1 = std::max(y1, q.y);
    const char bits = fixed[size_t(n)];
    if (bits & 1) s.yLow = std::min(s.yLow, q.y), s.yHigh = std::max(s.yHigh, q.y);
    if (bits & 2) s.xLow = std::min(s.xLow, q.x), s.xHigh = std::max(s.xHigh, q.x);
    s.rollers = s.rollers || bits == 1 || bits == 2;
  }
  s.tolerance = 1e-9 * std::max(x1 - x0, y1 - y0);
  return s;
}

std::string Point(double x, double y) {
  return "(" + Number(x) + "; " + Number(y) + ")";
}

}  // namespace

std::optional<std::string> UnheldPiece(const Model& m, bool disc, const std::vector<TriangleShape>& shapes,
                                       const std::vector<BoundaryEdge>& edges) {
  const auto nodes = size_t(m.meshNodeCount) + 1;
  // Each triangle's piece. A potential problem's triangles that share a node
  // already share its value; the disc's must share an edge, since two parts
  // meeting at one node may turn about it.
  Pieces pieces(shapes.size());
  if (disc) {
    std::vector<int32_t> start(nodes + 1, 0), around(3 * (shapes.size() - 1));
    for (size_t t = 1; t < shapes.size(); ++t) {
      for (int32_t n : shapes[t].nodes) ++start[size_t(n) + 1];
    }
    for (size_t n = 1; n < start.size(); ++n) start[n] += start[n - 1];
    std::vector<int32_t> next(start.begin(), start.end() - 1);
    for (size_t t = 1; t < shapes.size(); ++t) {
      for (int32_t n : shapes[t].nodes) around[size_t(next[size_t(n)]++)] = int32_t(t);
    }
    for (size_t t = 1; t < shapes.size(); ++t) {
      const auto& c = shapes[t].nodes;
      for (size_t i = 0; i < 3; ++i) {
        const int32_t a = c[i], b = c[(i + 1) % 3];
        for (int32_t k = start[size_t(a)]; k < start[size_t(a) + 1]; ++k) {
          const auto& o = shapes[size_t(around[size_t(k)])].nodes;
          if (around[size_t(k)] > int32_t(t) && (o[0] == b || o[1] == b || o[2] == b))
            pieces.join(int32_t(t), around[size_t(k)]);
        }
      }
    }
  } else {
    Pieces byNode(nodes);
    for (size_t t = 1; t < shapes.size(); ++t) {
      byNode.join(shapes[t].nodes[0], shapes[t].nodes[1]);
      byNode.join(shapes[t].nodes[0], shapes[t].nodes[2]);
    }
    std::vector<int32_t> first(nodes, 0);  // the first triangle at each node's root
    for (size_t t = 1; t < shapes.size(); ++t) {
      int32_t& f = first[size_t(byNode.root(shapes[t].nodes[0]))];
      if (f == 0) f = int32_t(t);
      pieces.join(f, int32_t(t));
    }
  }
  // What holds each node: bit 0 its value or its ux, bit 1 its uy.
  std::vector<char> fixed(nodes, 0);
  std::vector<char> idleConvection(shapes.size(), 0);  // per piece, an edge with α = 0
  for (const BoundaryEdge& e : edges) {
    const BoundaryCondition& row = m.BcTable[e.condition];
    char bits = 0;
    if (!disc) {
      bits = row.kind == 1.0f || (row.kind == 3.0f && row.value1 > 0.0f) ? 3 : 0;
    } else if (row.kind == 2.0f) {
      bits = 3;
    } else if (row.kind == kDiscRoller && RollerComponent(row.value1) >= 0) {
      bits = char(1 << RollerComponent(row.value1));
    }
    fixed[size_t(e.a)] |= bits, fixed[size_t(e.b)] |= bits;
  }
  // Each piece's nodes, then pieces held in turn until none more is.
  std::vector<int32_t> root(shapes.size(), 0);
  std::vector<std::vector<int32_t>> members(shapes.size());
  std::vector<int32_t> seen(nodes, 0);
  for (size_t t = 1; t < shapes.size(); ++t) {
    root[t] = pieces.root(int32_t(t));
    for (int32_t n : shapes[t].nodes) {
      if (seen[size_t(n)] == root[t]) continue;
      seen[size_t(n)] = root[t];
      members[size_t(root[t])].push_back(n);
    }
  }
  // A node where pieces meet may have been met more than once by each.
  if (std::count_if(members.begin(), members.end(), [](const auto& p) { return !p.empty(); }) > 1) {
    for (std::vector<int32_t>& p : members) MakeDistinct(p);
  }
  std::vector<char> held(shapes.size(), 0);
  for (bool more = true; more;) {
    more = false;
    for (size_t p = 1; p < shapes.size(); ++p) {
      if (members[p].empty() || held[p]) continue;
      if (disc ? !Supports(m, members[p], fixed).held()
               : std::none_of(members[p].begin(), members[p].end(),
                              [&](int32_t n) { return fixed[size_t(n)]; }))
        continue;
      held[p] = 1, more = true;
      for (int32_t n : members[p]) fixed[size_t(n)] = 3;
    }
  }
  for (size_t p = 1; p < shapes.size(); ++p) {
    if (members[p].empty() || held[p]) continue;
    std::fill(seen.begin(), seen.end(), 0);
    double x0 = INFINITY, y0 = INFINITY, x1 = -INFINITY, y1 = -INFINITY;
    int32_t pin = 0;
    for (int32_t n : members[p]) {
      seen[size_t(n)] = 1;
      const MeshNode& q = m.MeshNodeTable[n];
      x0 = std::min(x0, q.x), y0 = std::min(y0, q.y), x1 = std::max(x1, q.x), y1 = std::max(y1, q.y);
      if (fixed[size_t(n)]) pin = n;
    }
    std::vector<int32_t> around;
    bool idle = false;
    for (const BoundaryEdge& e : edges) {
      if (!seen[size_t(e.a)] || !seen[size_t(e.b)]) continue;
      around.push_back(e.element);
      const BoundaryCondition& row = m.BcTable[e.condition];
      idle = idle || (!disc && row.kind == 3.0f && row.value1 == 0.0f);
    }
    const std::string piece = "część obszaru między " + Point(x0, y0) + " a " + Point(x1, y1) +
                              ", o brzegu z elementów " + NumberList(around);
    if (disc) {
      const std::string start = "Tarcza nie jest utwierdzona przed ruchem sztywnym: jej " + piece;
      const Support h = Supports(m, members[p], fixed);
      if (h.rollers) {
        const bool ux = h.yLow <= h.yHigh, uy = h.xLow <= h.xHigh;
        const std::string how =
            ux && uy ? ", jest podparta tylko tak, że może się obracać wokół punktu " + Point(h.xLow, h.yLow)
            : ux ? ", ma ustalone tylko przemieszczenie ux, więc może się przesuwać w kierunku y" +
                       std::string(h.yHigh - h.yLow > h.tolerance ? "" : " i obracać")
                 : ", ma ustalone tylko przemieszczenie uy, więc może się przesuwać w kierunku x" +
                       std::string(h.xHigh - h.xLow > h.tolerance ? "" : " i obracać");
        return start + how +
               ". Podeprzyj ją (podpora przesuwna, rodzaj 3) albo utwierdź (rodzaj 2) tak, by nie mogła się "
               "ani przesuwać, ani obracać.";
      }
      const MeshNode& q = m.MeshNodeTable[pin];
      return start +
             (pin > 0 ? ", jest utwierdzona tylko w punkcie " + Point(q.x, q.y) +
                            " i może się wokół niego obracać"
                      : ", nie jest utwierdzona i może się swobodnie przesuwać i obracać") +
             ". Utwierdź ją (rodzaj 2) na odcinku, nie w jednym punkcie.";
    }
    return "Zadanie nie ma rozwiązania jednoznacznego: " + piece +
           ", nie ma warunku, który ustala w niej wartość. Nadaj któremuś z tych elementów warunek wartości "
           "(rodzaj 1) albo konwekcji z α > 0 (rodzaj 3)" +
           (idle ? "; konwekcja z α = 0 nie ustala wartości." : ".");
  }
  return std::nullopt;
}

}  // namespace solver
