#pragma once
// How a drawing's import is planned, in three steps, a file each: the
// chords made a plane arrangement (DrawingArrangement.cpp), its faces and
// the drawing's loops (DrawingFaces.cpp), and the chains the loops' roles
// give, with the plan (DrawingChains.cpp). Only those files include this.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <unordered_map>
#include <utility>
#include <vector>

#include "core/import/DrawingChains.h"

namespace arrangement {

inline constexpr double kTwoPi = 2.0 * std::numbers::pi;

// Points closer than this fraction of the drawing's size are one node.
inline constexpr double kMergeFraction = 1e-6;
// Horizontal lines a hole point is looked for on, at most.
inline constexpr size_t kScanLines = 96;

inline double SignedArea(const std::vector<DrawingPoint>& polygon) {
  double twice = 0.0;
  for (size_t i = 0; i < polygon.size(); ++i) {
    const DrawingPoint& p = polygon[i];
    const DrawingPoint& q = polygon[(i + 1) % polygon.size()];
    twice += p.x * q.y - q.x * p.y;
  }
  return twice / 2.0;
}

// Ray to the right: the number of edges crossed decides.
inline bool Inside(const std::vector<DrawingPoint>& polygon, DrawingPoint q) {
  bool inside = false;
  for (size_t i = 0; i < polygon.size(); ++i) {
    const DrawingPoint& a = polygon[i];
    const DrawingPoint& b = polygon[(i + 1) % polygon.size()];
    if ((a.y > q.y) != (b.y > q.y) && q.x < a.x + (q.y - a.y) * (b.x - a.x) / (b.y - a.y)) inside = !inside;
  }
  return inside;
}

inline double SegmentDistance(DrawingPoint a, DrawingPoint b, DrawingPoint p) {
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double length2 = dx * dx + dy * dy;
  double t = length2 > 0.0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / length2 : 0.0;
  t = std::clamp(t, 0.0, 1.0);
  return std::hypot(a.x + t * dx - p.x, a.y + t * dy - p.y);
}

inline double Cross(DrawingPoint o, DrawingPoint a, DrawingPoint b) {
  return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
}

inline double Distance(DrawingPoint a, DrawingPoint b) {
  return std::hypot(a.x - b.x, a.y - b.y);
}

// The join distance, 1, 2 or 5 times a power of ten, that reaches over a
// gap; 0 for no gap or an endless one.
inline double JoinOver(double gap) {
  if (!(gap > 0.0) || !std::isfinite(gap)) return 0.0;
  gap *= 1.0 + 1e-9;
  const double decade = std::pow(10.0, std::floor(std::log10(gap)));
  for (const double step : {1.0, 2.0, 5.0}) {
    if (step * decade >= gap) return step * decade;
  }
  return 10.0 * decade;
}

inline DrawingBox BoxOf(const std::vector<DrawingPoint>& polygon) {
  DrawingBox b{INFINITY, INFINITY, -INFINITY, -INFINITY};
  for (const DrawingPoint& p : polygon) {
    b.minX = std::min(b.minX, p.x);
    b.minY = std::min(b.minY, p.y);
    b.maxX = std::max(b.maxX, p.x);
    b.maxY = std::max(b.maxY, p.y);
  }
  return b;
}

inline bool InBox(const DrawingBox& b, DrawingPoint p) {
  return p.x >= b.minX && p.x <= b.maxX && p.y >= b.minY && p.y <= b.maxY;
}

// A closed walk of the drawing: a curve closed by itself, curves joined end
// to end, or a face bounded by curves that end on others.
struct Loop {
  std::vector<int32_t> halves;
  std::vector<DrawingPoint> polygon;
  DrawingBox box;
  double area = 0.0;  // unsigned
  DrawingPoint deep;
  int32_t parent = -1;
  bool face = false;  // a face bounded by curves that end on others
};

// A chain before its nodes are numbered: its half-edges in walking order,
// its role and area, and the drawn loop it runs along.
struct HalfEdgeChain {
  std::vector<int32_t> halves;
  ChainRole role = ChainRole::Open;
  double area = 0.0;
  int32_t loop = -1;  // the drawing's loop it runs along whole, if any
};

// The drawing's chords as a plane arrangement: ends within the join
// distance one node, chords split where they cross or where a node lies on
// them, pieces drawn more than once taken once. Edge e has the half-edges
// 2e (as first drawn) and 2e + 1 (against it).
class ArrangementPlanner {
 public:
  ArrangementPlanner(const Drawing& d, const ImportOptions& o, ImportPlan& plan)
      : d_(d), o_(o), plan_(plan) {}

  void run();

 private:
  struct Chord {
    int32_t a, b, layer, curve;
  };
  struct Edge {
    int32_t from, to, layer;
  };
  struct Split {
    double t;
    int32_t node;
  };

  int32_t origin(int32_t h) const {
    const Edge& e = edges_[size_t(h >> 1)];
    return (h & 1) != 0 ? e.to : e.from;
  }
  int32_t head(int32_t h) const { return origin(h ^ 1); }
  DrawingPoint at(int32_t node) const { return nodes_[size_t(node)]; }

  // The arrangement (DrawingArrangement.cpp).
  // Every chord's ends, in the model's units, curve by curve.
  void cut();
  int64_t cellOf(double v) const {
    const double c = std::floor(v / cell_);
    return int64_t(std::clamp(std::isnan(c) ? 0.0 : c, -1e15, 1e15));
  }
  static uint64_t key(int64_t x, int64_t y) { return uint64_t(x) * 0x9E3779B97F4A7C15ull ^ uint64_t(y); }
  // The node within the join distance nearest to p, or a new one there.
  int32_t nodeAt(DrawingPoint p, double& distance);
  // Points within the join distance of a node are that node: within the
  // distance asked for, a millionth of the drawing's size, and what single
  // precision, as the model holds them, cannot tell apart. A closed curve
  // left with fewer than three nodes has vanished.
  void merge();
  // Chords between distinct nodes, split at every node that lies on one
  // (within the join distance, away from its ends) and where two cross;
  // the count of pieces only, once it passes what a plan is made for.
  void split();
  // Where p lies along the chord, from 0 at its start to 1 at its end.
  double param(const Chord& s, DrawingPoint p) const;
  // The splits at the nodes lying on a chord, and where two chords cross;
  // the first false once the pieces pass what a plan is made for.
  bool splitAtNodes();
  void splitAtCrossings();
  // The pieces as edges, each pair of nodes once, and each curve's path
  // along them; round every node its half-edges counter-clockwise.
  void arrange();

  // Faces and loops (DrawingFaces.cpp).
  // Round the head of h, the first half-edge after h's twin clockwise that
  // `fits`.
  template <typename Fits>
  int32_t turn(int32_t h, Fits fits) const {
    const std::vector<int32_t>& hs = around_[size_t(head(h))];
    const size_t k = hs.size(), from = size_t(place_[size_t(h ^ 1)]);
    for (size_t step = 1; step <= k; ++step) {
      const int32_t c = hs[(from + k - step) % k];
      if (fits(c)) return c;
    }
    return -1;
  }

  // The closed walks `next` makes of the half-edges, each half-edge once.
  template <typename Next>
  std::vector<std::vector<int32_t>> walks(Next next) const {
    std::vector<std::vector<int32_t>> out;
    std::vector<bool> seen(2 * edges_.size(), false);
    for (int32_t h0 = 0; h0 < int32_t(seen.size()); ++h0) {
      if (seen[size_t(h0)]) continue;
      std::vector<int32_t> walk;
      for (int32_t h = h0; h >= 0 && !seen[size_t(h)]; h = next(h)) {
        seen[size_t(h)] = true;
        walk.push_back(h);
      }
      out.push_back(std::move(walk));
    }
    return out;
  }
  // The polygon without the nodes that split its sides where others cross
  // or touch them, so that its deep point is the drawn shape's, whatever
  // crosses it.
  std::vector<DrawingPoint> drawn(const std::vector<DrawingPoint>& polygon) const;
  // A closed walk split into simple ones wherever it comes back to a node.
  std::vector<std::vector<int32_t>> simple(const std::vector<int32_t>& walk) const;
  std::vector<DrawingPoint> polygonOf(const std::vector<int32_t>& halves) const;
  // The faces of the arrangement, walked with each face on the left, and
  // a point of each just beside its longest edge, within the face.
  void findFaces();
  void addLoop(std::vector<int32_t> halves, bool face);
  // The drawing's loops: each closed curve, and each run of curves joined
  // end to end where just two curve ends meet; a curve whose every piece
  // another, longer (or earlier) one also runs along is left out, so that
  // an edge drawn again in part does not break them. The curves left over
  // (ending on others, or where more than two ends meet: tabs on an edge,
  // parts sharing an edge, a dividing line) take part through the faces
  // they bound: such a face is a loop of its own, meshed as what holds it.
  void findLoops();
  // The curves whose every piece a longer (or, as long, earlier) curve also
  // runs along.
  std::vector<bool> coveredCurves() const;
  // Curves joined end to end: which are walked, which are open, the curve
  // ends at each node (the curve, and whether it starts there), and the
  // curves of the last walk.
  struct CurveWalk {
    std::vector<bool> walked, open;
    std::vector<std::vector<std::pair<int32_t, bool>>> ends;
    std::vector<int32_t> trail;
  };
  // The half-edges of the curves walked from curve c on, while just two
  // curve ends meet.
  std::vector<int32_t> walkCurves(CurveWalk& w, int32_t c, bool forward) const;
  // Curves with a free end lead nowhere: they are open, and leave the
  // count of ends where their other end is, so that a line drawn from a
  // corner does not break the loop through it.
  void dropFreeCurves(CurveWalk& w) const;
  // One pass over the curves taken: the open ones marked, the others
  // closed into loops.
  void loopPass(CurveWalk& w, const std::vector<bool>& taken);
  // The faces along the open curves that no other covers, as loops.
  void addLeftOverFaces(const std::vector<bool>& open, const std::vector<bool>& covered);
  // Each loop's parent, the loops along each edge, each face's innermost loop.
  void nestLoops();

  // The chains (DrawingChains.cpp).
  // Nodes that only one edge reaches, with the gap to the nearest other
  // such end or edge (not the one they lie on, nor the next along it).
  void findLooseEnds();
  // The chains for the loops' roles: loops in no other are outer, those in
  // a meshed one holes (or regions, when marked), those in a hole outer
  // again; a face is meshed when its innermost loop is outer or a region.
  std::vector<HalfEdgeChain> layout(const std::vector<bool>& marks);
  // The layout again while marks are added: a closed chain chosen as a
  // region, or on a layer with a material, marks the loop it runs along.
  std::vector<HalfEdgeChain> markedLayout();
  // The parts of the layout: each loop's role, the faces meshed, the
  // walks along the region's bounds and along the other edges kept, and
  // the closed chains in order, each with the loop it runs along.
  std::vector<ChainRole> loopRoles(const std::vector<bool>& marks) const;
  std::vector<bool> meshedFaces(const std::vector<ChainRole>& roles);
  void walkBounds(const std::vector<bool>& bounds, std::vector<HalfEdgeChain>& closed) const;
  void walkRest(const std::vector<bool>& rest, std::vector<HalfEdgeChain>& closed,
                std::vector<HalfEdgeChain>& open) const;
  void orderClosed(std::vector<HalfEdgeChain>& closed, const std::vector<ChainRole>& roles);
  // The material of a closed chain's layer, kNoMaterial for none.
  int32_t materialOf(const HalfEdgeChain& draft) const;
  // The plan: chains nested, holes and chains with a material given their
  // points, nodes numbered as the chains walk them, the gaps closed.
  void emit(const std::vector<HalfEdgeChain>& drafts);
  // The chains with their parents; each hole's point, and the region point
  // of each outer contour or region with a material: inside it, outside
  // what lies directly in it and off the loose lines in it; the nodes
  // numbered as the chains walk them.
  void addChains(const std::vector<HalfEdgeChain>& drafts,
                 const std::vector<std::vector<DrawingPoint>>& polygons);
  void placePoints(const std::vector<HalfEdgeChain>& drafts,
                   const std::vector<std::vector<DrawingPoint>>& polygons);
  void numberNodes();

  const Drawing& d_;
  const ImportOptions& o_;
  ImportPlan& plan_;
  double near_ = 0.0, fine_ = 0.0, cell_ = 1.0;
  int64_t pieces_ = 0;  // the chords once split
  // The chords' ends and the chords, and per curve whether it closes by
  // itself, its size, and whether the join made it vanish.
  std::vector<DrawingPoint> raw_;
  std::vector<bool> curveEnd_;
  std::vector<Chord> chords_;
  std::vector<bool> closed_, gone_;
  std::vector<double> curveSize_;
  std::vector<int32_t> nodeOf_;
  // The nodes: where, whether a curve ends there, and the farthest an end
  // was moved to reach it.
  std::vector<DrawingPoint> nodes_;
  std::vector<bool> endNode_;
  std::vector<double> reach_;
  std::unordered_map<uint64_t, std::vector<int32_t>> grid_;
  std::vector<Chord> segments_;
  std::vector<std::vector<Split>> splits_;
  std::vector<Edge> edges_;
  std::vector<std::vector<int32_t>> paths_;   // per curve: its half-edges in order
  std::vector<std::vector<int32_t>> around_;  // per node: half-edges out, counter-clockwise
  std::vector<double> angle_;
  std::vector<int32_t> place_;                 // per half-edge: its place round its origin
  std::vector<Loop> loops_;                    // by falling area
  std::vector<std::vector<int32_t>> loopsOf_;  // per edge
  std::vector<int32_t> faceOf_;                // per half-edge: the face on its left
  std::vector<std::vector<int32_t>> faces_;    // each face's half-edges
  std::vector<double> faceArea_;
  std::vector<DrawingPoint> faceSide_;  // a point in each face
  std::vector<int32_t> faceLoop_;       // per face: its innermost loop
  std::vector<bool> nestedLoop_;        // per closed chain: runs along a loop nested in a meshed one
  size_t closedCount_ = 0;
};

}  // namespace arrangement
