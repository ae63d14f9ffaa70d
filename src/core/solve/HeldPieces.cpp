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
#include "core/text/Tr.h"

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

// The disc's triangles that share an edge: two parts meeting at one node
// may turn about it.
void JoinAcrossEdges(const std::vector<TriangleShape>& shapes, size_t nodes, Pieces& pieces) {
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
}

// A potential problem's triangles that share a node, which already share
// its value.
void JoinAtNodes(const std::vector<TriangleShape>& shapes, size_t nodes, Pieces& pieces) {
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

// What the conditions hold at each node: bit 0 its value or its ux, bit 1
// its uy.
std::vector<char> FixedNodes(const Model& m, bool disc, size_t nodes,
                             const std::vector<BoundaryEdge>& edges) {
  std::vector<char> fixed(nodes, 0);
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
  return fixed;
}

// Each piece's nodes, indexed by the piece's root triangle.
std::vector<std::vector<int32_t>> MembersOf(const std::vector<TriangleShape>& shapes, size_t nodes,
                                            Pieces& pieces) {
  std::vector<std::vector<int32_t>> members(shapes.size());
  std::vector<int32_t> seen(nodes, 0);
  for (size_t t = 1; t < shapes.size(); ++t) {
    const int32_t root = pieces.root(int32_t(t));
    for (int32_t n : shapes[t].nodes) {
      if (seen[size_t(n)] == root) continue;
      seen[size_t(n)] = root;
      members[size_t(root)].push_back(n);
    }
  }
  // A node where pieces meet may have been met more than once by each.
  if (std::count_if(members.begin(), members.end(), [](const auto& p) { return !p.empty(); }) > 1) {
    for (std::vector<int32_t>& p : members) MakeDistinct(p);
  }
  return members;
}

// Holds pieces in turn until none more is: a held piece holds every node
// it shares with the others.
std::vector<char> HoldPieces(const Model& m, bool disc, const std::vector<std::vector<int32_t>>& members,
                             std::vector<char>& fixed) {
  std::vector<char> held(members.size(), 0);
  for (bool more = true; more;) {
    more = false;
    for (size_t p = 1; p < members.size(); ++p) {
      if (members[p].empty() || held[p]) continue;
      if (disc ? !Supports(m, members[p], fixed).held()
               : std::none_of(members[p].begin(), members[p].end(),
                              [&](int32_t n) { return fixed[size_t(n)]; }))
        continue;
      held[p] = 1, more = true;
      for (int32_t n : members[p]) fixed[size_t(n)] = 3;
    }
  }
  return held;
}

// Where an unheld piece lies and what bounds it.
struct PieceView {
  std::string low, high;  // the corners of its bounding box
  std::string elements;   // the elements of its boundary
  int32_t pin = 0;        // a node of it something holds, or 0
  bool idle = false;      // some edge of it has convection with α = 0
};

PieceView ViewOf(const Model& m, bool disc, const std::vector<int32_t>& members,
                 const std::vector<char>& fixed, const std::vector<BoundaryEdge>& edges) {
  PieceView v;
  std::vector<char> seen(size_t(m.meshNodeCount) + 1, 0);
  double x0 = INFINITY, y0 = INFINITY, x1 = -INFINITY, y1 = -INFINITY;
  for (int32_t n : members) {
    seen[size_t(n)] = 1;
    const MeshNode& q = m.MeshNodeTable[n];
    x0 = std::min(x0, q.x), y0 = std::min(y0, q.y), x1 = std::max(x1, q.x), y1 = std::max(y1, q.y);
    if (fixed[size_t(n)]) v.pin = n;
  }
  std::vector<int32_t> around;
  for (const BoundaryEdge& e : edges) {
    if (!seen[size_t(e.a)] || !seen[size_t(e.b)]) continue;
    around.push_back(e.element);
    const BoundaryCondition& row = m.BcTable[e.condition];
    v.idle = v.idle || (!disc && row.kind == 3.0f && row.value1 == 0.0f);
  }
  v.low = Point(x0, y0), v.high = Point(x1, y1), v.elements = NumberList(around);
  return v;
}

// A piece of the disc that rollers hold in one direction only, or about
// one point.
std::string OnRollers(const PieceView& v, const Support& h) {
  const bool ux = h.yLow <= h.yHigh, uy = h.xLow <= h.xHigh;
  std::string what;
  if (ux && uy) {
    what = Tr("HeldPieces",
              "Tarcza nie jest utwierdzona przed ruchem sztywnym: jej część obszaru między %1 a %2, o brzegu "
              "z elementów %3, jest podparta tylko tak, że może się obracać wokół punktu %4.")
               .with(v.low, v.high, v.elements, Point(h.xLow, h.yLow));
  } else if (ux) {
    what = (h.yHigh - h.yLow > h.tolerance
                ? Tr("HeldPieces",
                     "Tarcza nie jest utwierdzona przed ruchem sztywnym: jej część obszaru między %1 a %2, o "
                     "brzegu z elementów %3, ma ustalone tylko przemieszczenie ux, więc może się przesuwać w "
                     "kierunku y.")
                : Tr("HeldPieces",
                     "Tarcza nie jest utwierdzona przed ruchem sztywnym: jej część obszaru między %1 a %2, o "
                     "brzegu z elementów %3, ma ustalone tylko przemieszczenie ux, więc może się przesuwać w "
                     "kierunku y i obracać."))
               .with(v.low, v.high, v.elements);
  } else {
    what = (h.xHigh - h.xLow > h.tolerance
                ? Tr("HeldPieces",
                     "Tarcza nie jest utwierdzona przed ruchem sztywnym: jej część obszaru między %1 a %2, o "
                     "brzegu z elementów %3, ma ustalone tylko przemieszczenie uy, więc może się przesuwać w "
                     "kierunku x.")
                : Tr("HeldPieces",
                     "Tarcza nie jest utwierdzona przed ruchem sztywnym: jej część obszaru między %1 a %2, o "
                     "brzegu z elementów %3, ma ustalone tylko przemieszczenie uy, więc może się przesuwać w "
                     "kierunku x i obracać."))
               .with(v.low, v.high, v.elements);
  }
  return what + " " +
         Tr("HeldPieces",
            "Podeprzyj ją (podpora przesuwna, rodzaj 3) albo utwierdź (rodzaj 2) tak, by nie mogła się ani "
            "przesuwać, ani obracać.");
}

std::string UnheldDiscPiece(const Model& m, const PieceView& v, const Support& h) {
  if (h.rollers) return OnRollers(v, h);
  std::string what;
  if (v.pin > 0) {
    const MeshNode& q = m.MeshNodeTable[v.pin];
    what = Tr("HeldPieces",
              "Tarcza nie jest utwierdzona przed ruchem sztywnym: jej część obszaru między %1 a %2, o brzegu "
              "z elementów %3, jest utwierdzona tylko w punkcie %4 i może się wokół niego obracać.")
               .with(v.low, v.high, v.elements, Point(q.x, q.y));
  } else {
    what = Tr("HeldPieces",
              "Tarcza nie jest utwierdzona przed ruchem sztywnym: jej część obszaru między %1 a %2, o brzegu "
              "z elementów %3, nie jest utwierdzona i może się swobodnie przesuwać i obracać.")
               .with(v.low, v.high, v.elements);
  }
  return what + " " + Tr("HeldPieces", "Utwierdź ją (rodzaj 2) na odcinku, nie w jednym punkcie.");
}

std::string UnheldPotentialPiece(const PieceView& v) {
  return Tr("HeldPieces",
            "Zadanie nie ma rozwiązania jednoznacznego: część obszaru między %1 a %2, o brzegu z elementów "
            "%3, "
            "nie ma warunku, który ustala w niej wartość.")
             .with(v.low, v.high, v.elements) +
         " " +
         (v.idle ? Tr("HeldPieces",
                      "Nadaj któremuś z tych elementów warunek wartości (rodzaj 1) albo konwekcji z α > 0 "
                      "(rodzaj 3); konwekcja z α = 0 nie ustala wartości.")
                 : Tr("HeldPieces",
                      "Nadaj któremuś z tych elementów warunek wartości (rodzaj 1) albo konwekcji z α > 0 "
                      "(rodzaj 3)."));
}

}  // namespace

std::optional<std::string> UnheldPiece(const Model& m, bool disc, const std::vector<TriangleShape>& shapes,
                                       const std::vector<BoundaryEdge>& edges) {
  const auto nodes = size_t(m.meshNodeCount) + 1;
  Pieces pieces(shapes.size());
  if (disc) {
    JoinAcrossEdges(shapes, nodes, pieces);
  } else {
    JoinAtNodes(shapes, nodes, pieces);
  }
  std::vector<char> fixed = FixedNodes(m, disc, nodes, edges);
  const std::vector<std::vector<int32_t>> members = MembersOf(shapes, nodes, pieces);
  const std::vector<char> held = HoldPieces(m, disc, members, fixed);
  for (size_t p = 1; p < members.size(); ++p) {
    if (members[p].empty() || held[p]) continue;
    const PieceView v = ViewOf(m, disc, members[p], fixed, edges);
    return disc ? UnheldDiscPiece(m, v, Supports(m, members[p], fixed)) : UnheldPotentialPiece(v);
  }
  return std::nullopt;
}

}  // namespace solver
