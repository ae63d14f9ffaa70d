#include "core/import/DrawingChains.h"

#include <algorithm>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstring>
#include <numbers>
#include <numeric>
#include <unordered_map>
#include <utility>

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

// Points closer than this fraction of the drawing's size are one node.
constexpr double kMergeFraction = 1e-6;
// Horizontal lines a hole point is looked for on, at most.
constexpr size_t kScanLines = 96;

double SignedArea(const std::vector<DrawingPoint>& polygon) {
  double twice = 0.0;
  for (size_t i = 0; i < polygon.size(); ++i) {
    const DrawingPoint& p = polygon[i];
    const DrawingPoint& q = polygon[(i + 1) % polygon.size()];
    twice += p.x * q.y - q.x * p.y;
  }
  return twice / 2.0;
}

// Ray to the right: the number of edges crossed decides.
bool Inside(const std::vector<DrawingPoint>& polygon, DrawingPoint q) {
  bool inside = false;
  for (size_t i = 0; i < polygon.size(); ++i) {
    const DrawingPoint& a = polygon[i];
    const DrawingPoint& b = polygon[(i + 1) % polygon.size()];
    if ((a.y > q.y) != (b.y > q.y) && q.x < a.x + (q.y - a.y) * (b.x - a.x) / (b.y - a.y)) inside = !inside;
  }
  return inside;
}

double SegmentDistance(DrawingPoint a, DrawingPoint b, DrawingPoint p) {
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double length2 = dx * dx + dy * dy;
  double t = length2 > 0.0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / length2 : 0.0;
  t = std::clamp(t, 0.0, 1.0);
  return std::hypot(a.x + t * dx - p.x, a.y + t * dy - p.y);
}

}  // namespace

int32_t ImportPlan::holes() const {
  return int32_t(std::count_if(chains.begin(), chains.end(),
                               [](const ImportChain& c) { return c.role == ChainRole::Hole; }));
}

namespace {

// A fraction of the drawing's diagonal rounded down to 1, 2 or 5 times a
// power of ten, so that it reads well.
double RoundedFraction(const Drawing& d, double fraction) {
  const double diagonal = d.extent.diagonal();
  if (!(diagonal > 0.0)) return 1.0;
  const double part = diagonal * fraction;
  const double decade = std::pow(10.0, std::floor(std::log10(part)));
  for (const double step : {5.0, 2.0}) {
    if (part >= step * decade) return step * decade;
  }
  return decade;
}

}  // namespace

double DefaultTolerance(const Drawing& d) {
  return RoundedFraction(d, 1e-3);
}

double DefaultJoinDistance(const Drawing& d) {
  return RoundedFraction(d, 2e-4);
}

int64_t ChordsFor(const DrawingCurve& c, const ChordRule& rule) {
  if (c.kind == DrawingCurve::Kind::Line) return 1;
  const double sweep = std::fabs(c.t1 - c.t0);
  double n = 0.0;
  if (rule.perCircle > 0) {
    n = std::ceil(double(rule.perCircle) * sweep / kTwoPi - 1e-9);
  } else {
    const double r = c.radius();
    // A chord over the angle θ (in t) lies at most r·(1 − cos θ/2) from the arc.
    const double step = rule.tolerance >= r ? std::numbers::pi : 2.0 * std::acos(1.0 - rule.tolerance / r);
    n = step > 0.0 ? std::ceil(sweep / step - 1e-9) : INFINITY;
  }
  if (!(n < 1e12)) n = 1e12;
  return std::max<int64_t>(c.closed ? 3 : 1, int64_t(n));
}

bool PointInside(const std::vector<DrawingPoint>& outer, const std::vector<std::vector<DrawingPoint>>& inner,
                 DrawingPoint& point) {
  std::vector<std::pair<DrawingPoint, DrawingPoint>> edges;
  std::vector<double> ys;
  for (const std::vector<DrawingPoint>* polygon = &outer; polygon != nullptr;) {
    for (size_t i = 0; i < polygon->size(); ++i) {
      edges.emplace_back((*polygon)[i], (*polygon)[(i + 1) % polygon->size()]);
      ys.push_back((*polygon)[i].y);
    }
    const size_t next = polygon == &outer ? 0 : size_t(polygon - inner.data()) + 1;
    polygon = next < inner.size() ? &inner[next] : nullptr;
  }
  std::sort(ys.begin(), ys.end());
  ys.erase(std::unique(ys.begin(), ys.end()), ys.end());
  if (ys.size() < 2) return false;
  // Lines halfway between neighbouring vertex heights never pass through a
  // vertex, so each crosses the polygons' edges cleanly: inside lies between
  // the first and second crossing, the third and fourth, and so on.
  const size_t gaps = ys.size() - 1;
  const size_t stride = std::max<size_t>(1, gaps / kScanLines);
  double best = 0.0;
  std::vector<double> xs;
  for (size_t g = 0; g < gaps; g += stride) {
    const double y = (ys[g] + ys[g + 1]) / 2.0;
    xs.clear();
    for (const auto& [a, b] : edges) {
      if ((a.y > y) != (b.y > y)) xs.push_back(a.x + (y - a.y) * (b.x - a.x) / (b.y - a.y));
    }
    std::sort(xs.begin(), xs.end());
    for (size_t i = 0; i + 1 < xs.size(); i += 2) {
      const DrawingPoint candidate{(xs[i] + xs[i + 1]) / 2.0, y};
      double clearance = INFINITY;
      for (const auto& [a, b] : edges) clearance = std::min(clearance, SegmentDistance(a, b, candidate));
      if (clearance > best) {
        best = clearance;
        point = candidate;
      }
    }
  }
  return best > 0.0;
}

namespace {

double Cross(DrawingPoint o, DrawingPoint a, DrawingPoint b) {
  return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
}

double Distance(DrawingPoint a, DrawingPoint b) {
  return std::hypot(a.x - b.x, a.y - b.y);
}

// The join distance, 1, 2 or 5 times a power of ten, that reaches over a
// gap; 0 for no gap or an endless one.
double JoinOver(double gap) {
  if (!(gap > 0.0) || !std::isfinite(gap)) return 0.0;
  gap *= 1.0 + 1e-9;
  const double decade = std::pow(10.0, std::floor(std::log10(gap)));
  for (const double step : {1.0, 2.0, 5.0}) {
    if (step * decade >= gap) return step * decade;
  }
  return 10.0 * decade;
}

DrawingBox BoxOf(const std::vector<DrawingPoint>& polygon) {
  DrawingBox b{INFINITY, INFINITY, -INFINITY, -INFINITY};
  for (const DrawingPoint& p : polygon) {
    b.minX = std::min(b.minX, p.x);
    b.minY = std::min(b.minY, p.y);
    b.maxX = std::max(b.maxX, p.x);
    b.maxY = std::max(b.maxY, p.y);
  }
  return b;
}

bool InBox(const DrawingBox& b, DrawingPoint p) {
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

// A chain before its nodes are numbered: half-edges in walking order.
struct Draft {
  std::vector<int32_t> halves;
  ChainRole role = ChainRole::Open;
  double area = 0.0;
  int32_t loop = -1;  // the drawing's loop it runs along whole, if any
};

// The drawing's chords as a plane arrangement: ends within the join
// distance one node, chords split where they cross or where a node lies on
// them, pieces drawn more than once taken once. Edge e has the half-edges
// 2e (as first drawn) and 2e + 1 (against it).
class Planner {
 public:
  Planner(const Drawing& d, const ImportOptions& o, ImportPlan& plan) : d_(d), o_(o), plan_(plan) {}

  void run() {
    cut();
    merge();
    split();
    if (pieces_ > kPlanMaxSegments) {
      // Split where they cross, the chords would pass any table by far.
      plan_.tooMany = true;
      plan_.segmentCount = plan_.pointCount = pieces_;
      return;
    }
    arrange();
    findFaces();
    findLoops();
    findLooseEnds();
    std::vector<bool> marks(loops_.size(), false);
    std::vector<Draft> drafts = layout(marks);
    // A closed chain chosen as a region marks the loop it runs along; the
    // chains stay the same, in the same order, only their roles change.
    bool marked = false;
    for (size_t k = 0; k < drafts.size() && k < o_.regions.size(); ++k) {
      if (o_.regions[k] && drafts[k].loop >= 0) marks[size_t(drafts[k].loop)] = marked = true;
    }
    if (marked) drafts = layout(marks);
    emit(drafts);
  }

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

  // Every chord's ends, in the model's units, curve by curve.
  void cut() {
    const double s = o_.scale;
    for (const DrawingCurve& c : d_.curves) {
      if (size_t(c.layer) < o_.skippedLayers.size() && o_.skippedLayers[size_t(c.layer)]) continue;
      const int64_t n = ChordsFor(c, o_.chords);
      const int32_t first = int32_t(raw_.size());
      const int64_t ends = c.closed ? n : n + 1;
      for (int64_t k = 0; k < ends; ++k) {
        const DrawingPoint p = c.kind == DrawingCurve::Kind::Line
                                   ? (k == 0 ? c.a : c.b)
                                   : c.at(c.t0 + (c.t1 - c.t0) * double(k) / double(n));
        raw_.push_back({p.x * s, p.y * s});
        curveEnd_.push_back(!c.closed && (k == 0 || k == ends - 1));
      }
      const int32_t curve = int32_t(closed_.size());
      closed_.push_back(c.closed);
      curveSize_.push_back(2.0 * c.radius() * std::fabs(s));
      for (int64_t k = 0; k < n; ++k) {
        chords_.push_back(
            {first + int32_t(k), first + int32_t(c.closed ? (k + 1) % n : k + 1), c.layer, curve});
      }
    }
  }

  int64_t cellOf(double v) const {
    const double c = std::floor(v / cell_);
    return int64_t(std::clamp(std::isnan(c) ? 0.0 : c, -1e15, 1e15));
  }
  static uint64_t key(int64_t x, int64_t y) { return uint64_t(x) * 0x9E3779B97F4A7C15ull ^ uint64_t(y); }

  // The node within the join distance nearest to p, or a new one there.
  int32_t nodeAt(DrawingPoint p, double& distance) {
    const int64_t cx = cellOf(p.x), cy = cellOf(p.y);
    int32_t best = -1;
    distance = INFINITY;
    for (int64_t x = cx - 1; x <= cx + 1; ++x) {
      for (int64_t y = cy - 1; y <= cy + 1; ++y) {
        const auto found = grid_.find(key(x, y));
        if (found == grid_.end()) continue;
        for (const int32_t n : found->second) {
          const double r = Distance(at(n), p);
          if (r <= near_ && r < distance) distance = r, best = n;
        }
      }
    }
    if (best >= 0) return best;
    distance = 0.0;
    nodes_.push_back(p);
    endNode_.push_back(false);
    reach_.push_back(0.0);
    grid_[key(cx, cy)].push_back(int32_t(nodes_.size()) - 1);
    return int32_t(nodes_.size()) - 1;
  }

  // Points within the join distance of a node are that node: within the
  // distance asked for, a millionth of the drawing's size, and what single
  // precision, as the model holds them, cannot tell apart. A closed curve
  // left with fewer than three nodes has vanished.
  void merge() {
    const double s = std::fabs(o_.scale);
    double size = d_.extent.diagonal() * s;
    for (const DrawingPoint& p : raw_) size = std::max({size, std::fabs(p.x), std::fabs(p.y)});
    fine_ = std::max(kMergeFraction * d_.extent.diagonal() * s, 4.0 * FLT_EPSILON * size);
    near_ = std::max(std::isfinite(o_.join) ? o_.join * s : 0.0, fine_);
    cell_ = near_ > 0.0 ? near_ : 1.0;
    // As the user asked for it: the millionth of the size joins only what
    // meets, which the user knows as 0.
    plan_.join = s > 0.0 && near_ > fine_ ? near_ / s : 0.0;
    nodeOf_.resize(raw_.size());
    for (size_t i = 0; i < raw_.size(); ++i) {
      double r = 0.0;
      const int32_t n = nodeOf_[i] = nodeAt(raw_[i], r);
      if (curveEnd_[i] || endNode_[size_t(n)]) reach_[size_t(n)] = std::max(reach_[size_t(n)], r);
      if (curveEnd_[i]) endNode_[size_t(n)] = true;
    }
    std::vector<std::vector<int32_t>> distinct(closed_.size());
    for (const Chord& c : chords_) {
      std::vector<int32_t>& seen = distinct[size_t(c.curve)];
      if (closed_[size_t(c.curve)] && seen.size() < 3) {
        for (const int32_t n : {nodeOf_[size_t(c.a)], nodeOf_[size_t(c.b)]}) {
          if (std::find(seen.begin(), seen.end(), n) == seen.end()) seen.push_back(n);
        }
      }
    }
    gone_.assign(closed_.size(), false);
    for (size_t c = 0; c < closed_.size(); ++c) {
      if (!closed_[c] || distinct[c].size() >= 3) continue;
      gone_[c] = true;
      ++plan_.vanished;
      plan_.vanishedSize = std::max(plan_.vanishedSize, curveSize_[c]);
    }
  }

  // Chords between distinct nodes, split at every node that lies on one
  // (within the join distance, away from its ends) and where two cross;
  // the count of pieces only, once it passes what a plan is made for.
  void split() {
    for (const Chord& c : chords_) {
      const int32_t a = nodeOf_[size_t(c.a)], b = nodeOf_[size_t(c.b)];
      if (a != b && !gone_[size_t(c.curve)]) segments_.push_back({a, b, c.layer, c.curve});
    }
    splits_.assign(segments_.size(), {});
    pieces_ = int64_t(segments_.size());
    const auto param = [&](const Chord& s, DrawingPoint p) {
      const DrawingPoint a = at(s.a), b = at(s.b);
      const double dx = b.x - a.x, dy = b.y - a.y;
      return ((p.x - a.x) * dx + (p.y - a.y) * dy) / (dx * dx + dy * dy);
    };
    std::vector<int32_t> byX(nodes_.size());
    std::iota(byX.begin(), byX.end(), 0);
    std::sort(byX.begin(), byX.end(), [&](int32_t a, int32_t b) { return at(a).x < at(b).x; });
    for (size_t i = 0; i < segments_.size(); ++i) {
      const Chord& s = segments_[i];
      const DrawingPoint a = at(s.a), b = at(s.b);
      const double x0 = std::min(a.x, b.x) - near_, x1 = std::max(a.x, b.x) + near_;
      const double y0 = std::min(a.y, b.y) - near_, y1 = std::max(a.y, b.y) + near_;
      auto k = std::lower_bound(byX.begin(), byX.end(), x0, [&](int32_t n, double x) { return at(n).x < x; });
      for (; k != byX.end() && at(*k).x <= x1; ++k) {
        const int32_t v = *k;
        const DrawingPoint p = at(v);
        if (v == s.a || v == s.b || p.y < y0 || p.y > y1) continue;
        if (Distance(p, a) <= near_ || Distance(p, b) <= near_) continue;
        const double r = SegmentDistance(a, b, p);
        if (r > near_) continue;
        splits_[i].push_back({param(s, p), v});
        if (endNode_[size_t(v)]) reach_[size_t(v)] = std::max(reach_[size_t(v)], r);
        if (++pieces_ > kPlanMaxSegments) return;
      }
    }
    std::vector<int32_t> order(segments_.size());
    std::iota(order.begin(), order.end(), 0);
    const auto minX = [&](int32_t i) {
      return std::min(at(segments_[size_t(i)].a).x, at(segments_[size_t(i)].b).x);
    };
    std::sort(order.begin(), order.end(), [&](int32_t i, int32_t j) { return minX(i) < minX(j); });
    for (size_t u = 0; u < order.size(); ++u) {
      const Chord& s = segments_[size_t(order[u])];
      const DrawingPoint a = at(s.a), b = at(s.b);
      const double maxX = std::max(a.x, b.x);
      for (size_t w = u + 1; w < order.size() && minX(order[w]) <= maxX; ++w) {
        const Chord& r = segments_[size_t(order[w])];
        if (r.a == s.a || r.a == s.b || r.b == s.a || r.b == s.b) continue;
        const DrawingPoint c = at(r.a), e = at(r.b);
        if (std::max(c.y, e.y) < std::min(a.y, b.y) || std::min(c.y, e.y) > std::max(a.y, b.y)) continue;
        const double o1 = Cross(a, b, c), o2 = Cross(a, b, e), o3 = Cross(c, e, a), o4 = Cross(c, e, b);
        if (!((o1 < 0.0 && o2 > 0.0) || (o1 > 0.0 && o2 < 0.0))) continue;
        if (!((o3 < 0.0 && o4 > 0.0) || (o3 > 0.0 && o4 < 0.0))) continue;
        const double t = o3 / (o3 - o4);
        const DrawingPoint x{a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)};
        // Near an end, that end lies on the other chord and splits it there.
        if (Distance(x, a) <= near_ || Distance(x, b) <= near_ || Distance(x, c) <= near_ ||
            Distance(x, e) <= near_)
          continue;
        double r0 = 0.0;
        const int32_t v = nodeAt(x, r0);
        splits_[size_t(order[u])].push_back({param(s, at(v)), v});
        splits_[size_t(order[w])].push_back({param(r, at(v)), v});
        if ((pieces_ += 2) > kPlanMaxSegments) return;
      }
    }
  }

  // The pieces as edges, each pair of nodes once, and each curve's path
  // along them; round every node its half-edges counter-clockwise.
  void arrange() {
    std::unordered_map<uint64_t, int32_t> edgeOf;
    paths_.assign(closed_.size(), {});
    std::vector<int32_t> along;
    for (size_t i = 0; i < segments_.size(); ++i) {
      const Chord& s = segments_[i];
      std::vector<Split>& cuts = splits_[i];
      std::stable_sort(cuts.begin(), cuts.end(), [](const Split& p, const Split& q) { return p.t < q.t; });
      along.assign(1, s.a);
      for (const Split& c : cuts) {
        if (c.node != s.b && std::find(along.begin(), along.end(), c.node) == along.end())
          along.push_back(c.node);
      }
      along.push_back(s.b);
      for (size_t k = 0; k + 1 < along.size(); ++k) {
        const int32_t p = along[k], q = along[k + 1];
        const uint64_t pair = (uint64_t(uint32_t(std::min(p, q))) << 32) | uint32_t(std::max(p, q));
        const auto [found, fresh] = edgeOf.try_emplace(pair, int32_t(edges_.size()));
        if (fresh) {
          edges_.push_back({p, q, s.layer});
        } else {
          ++plan_.duplicates;
        }
        const int32_t e = found->second;
        paths_[size_t(s.curve)].push_back(2 * e + (edges_[size_t(e)].from == p ? 0 : 1));
      }
    }
    around_.assign(nodes_.size(), {});
    for (int32_t h = 0; h < int32_t(2 * edges_.size()); ++h) around_[size_t(origin(h))].push_back(h);
    angle_.resize(2 * edges_.size());
    for (size_t h = 0; h < angle_.size(); ++h) {
      const DrawingPoint p = at(origin(int32_t(h))), q = at(head(int32_t(h)));
      angle_[h] = std::atan2(q.y - p.y, q.x - p.x);
    }
    place_.resize(2 * edges_.size());
    for (std::vector<int32_t>& hs : around_) {
      std::sort(hs.begin(), hs.end(), [&](int32_t a, int32_t b) {
        return angle_[size_t(a)] != angle_[size_t(b)] ? angle_[size_t(a)] < angle_[size_t(b)] : a < b;
      });
      for (size_t k = 0; k < hs.size(); ++k) place_[size_t(hs[k])] = int32_t(k);
    }
  }

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
  std::vector<DrawingPoint> drawn(const std::vector<DrawingPoint>& polygon) const {
    std::vector<DrawingPoint> out;
    const size_t n = polygon.size();
    for (size_t i = 0; i < n; ++i) {
      const DrawingPoint p = out.empty() ? polygon[(i + n - 1) % n] : out.back();
      if (SegmentDistance(p, polygon[(i + 1) % n], polygon[i]) > near_) out.push_back(polygon[i]);
    }
    return out.size() >= 3 ? out : polygon;
  }

  // A closed walk split into simple ones wherever it comes back to a node.
  std::vector<std::vector<int32_t>> simple(const std::vector<int32_t>& walk) const {
    std::vector<std::vector<int32_t>> out;
    std::vector<int32_t> stack;
    std::unordered_map<int32_t, size_t> place;  // a node's place on the stack, as a start
    for (const int32_t h : walk) {
      const auto found = place.find(origin(h));
      if (found != place.end()) {
        const size_t from = found->second;
        for (size_t k = from; k < stack.size(); ++k) place.erase(origin(stack[k]));
        out.emplace_back(stack.begin() + std::ptrdiff_t(from), stack.end());
        stack.resize(from);
      }
      place[origin(h)] = stack.size();
      stack.push_back(h);
    }
    if (!stack.empty()) out.push_back(std::move(stack));
    return out;
  }

  std::vector<DrawingPoint> polygonOf(const std::vector<int32_t>& halves) const {
    std::vector<DrawingPoint> polygon;
    for (const int32_t h : halves) polygon.push_back(at(origin(h)));
    return polygon;
  }

  // The faces of the arrangement, walked with each face on the left, and
  // a point of each just beside its longest edge, within the face.
  void findFaces() {
    faceOf_.assign(2 * edges_.size(), -1);
    std::vector<DrawingBox> boxes(edges_.size());
    for (size_t e = 0; e < edges_.size(); ++e) boxes[e] = BoxOf({at(edges_[e].from), at(edges_[e].to)});
    for (std::vector<int32_t>& walk :
         walks([&](int32_t h) { return turn(h, [](int32_t) { return true; }); })) {
      const int32_t f = int32_t(faces_.size());
      int32_t longest = walk[0];
      double length = 0.0;
      for (const int32_t h : walk) {
        faceOf_[size_t(h)] = f;
        const double l = Distance(at(origin(h)), at(head(h)));
        if (l > length) length = l, longest = h;
      }
      faceArea_.push_back(SignedArea(polygonOf(walk)));
      const DrawingPoint p = at(origin(longest)), q = at(head(longest));
      const DrawingPoint mid{(p.x + q.x) / 2.0, (p.y + q.y) / 2.0};
      double clear = length / 2.0;
      for (size_t e = 0; e < edges_.size(); ++e) {
        const DrawingBox& b = boxes[e];
        if (int32_t(e) == longest >> 1 || mid.x < b.minX - clear || mid.x > b.maxX + clear ||
            mid.y < b.minY - clear || mid.y > b.maxY + clear)
          continue;
        clear = std::min(clear, SegmentDistance(at(edges_[e].from), at(edges_[e].to), mid));
      }
      const double step = clear / 2.0 / length;
      faceSide_.push_back({mid.x - (q.y - p.y) * step, mid.y + (q.x - p.x) * step});
      faces_.push_back(std::move(walk));
    }
  }

  void addLoop(std::vector<int32_t> halves, bool face) {
    Loop loop;
    loop.polygon = polygonOf(halves);
    loop.area = std::fabs(SignedArea(loop.polygon));
    if (!(loop.area > near_ * near_)) return;
    loop.halves = std::move(halves);
    loop.face = face;
    loop.box = BoxOf(loop.polygon);
    if (!PointInside(drawn(loop.polygon), {}, loop.deep)) loop.deep = loop.polygon[0];
    loops_.push_back(std::move(loop));
  }

  // The drawing's loops: each closed curve, and each run of curves joined
  // end to end where just two curve ends meet; a curve whose every piece
  // another, longer (or earlier) one also runs along is left out, so that
  // an edge drawn again in part does not break them. The curves left over
  // (ending on others, or where more than two ends meet: tabs on an edge,
  // parts sharing an edge, a dividing line) take part through the faces
  // they bound: such a face is a loop of its own, meshed as what holds it.
  void findLoops() {
    const size_t curves = paths_.size();
    std::vector<std::vector<int32_t>> users(edges_.size());
    for (size_t c = 0; c < curves; ++c) {
      for (const int32_t h : paths_[c]) {
        std::vector<int32_t>& u = users[size_t(h >> 1)];
        if (u.empty() || u.back() != int32_t(c)) u.push_back(int32_t(c));
      }
    }
    std::vector<bool> covered(curves, false);
    for (size_t c = 0; c < curves; ++c) {
      const size_t n = paths_[c].size();
      covered[c] = n > 0 && std::all_of(paths_[c].begin(), paths_[c].end(), [&](int32_t h) {
                     for (const int32_t o : users[size_t(h >> 1)]) {
                       const size_t m = paths_[size_t(o)].size();
                       if (size_t(o) != c && (m > n || (m == n && size_t(o) < c))) return true;
                     }
                     return false;
                   });
    }
    // Each closed curve is a loop. Of the others, those taken run from
    // each node where other than two of their ends meet, along nodes of
    // two, to the next such node; what is left of them closes into loops.
    // First without the covered curves, then the curves still open with
    // the covered ones: a side of a hole drawn along the outline closes it.
    std::vector<bool> walked(curves, false), open(curves, false);
    std::vector<std::vector<std::pair<int32_t, bool>>> ends(nodes_.size());
    std::vector<int32_t> trail;  // the curves of the last walk
    const auto walk = [&](int32_t c, bool forward) {
      std::vector<int32_t> halves;
      trail.clear();
      while (c >= 0 && !walked[size_t(c)]) {
        walked[size_t(c)] = true;
        trail.push_back(c);
        const std::vector<int32_t>& path = paths_[size_t(c)];
        if (forward) {
          halves.insert(halves.end(), path.begin(), path.end());
        } else {
          for (size_t k = path.size(); k-- > 0;) halves.push_back(path[k] ^ 1);
        }
        const int32_t node = head(halves.back());
        c = -1;
        if (ends[size_t(node)].size() != 2) break;
        for (const auto& [other, starts] : ends[size_t(node)]) {
          if (!walked[size_t(other)]) c = other, forward = starts;
        }
      }
      return halves;
    };
    const auto pass = [&](const std::vector<bool>& taken) {
      std::fill(open.begin(), open.end(), false);
      for (std::vector<std::pair<int32_t, bool>>& at : ends) at.clear();
      for (size_t c = 0; c < curves; ++c) {
        if (!taken[c]) continue;
        walked[c] = false;
        ends[size_t(origin(paths_[c].front()))].push_back({int32_t(c), true});
        ends[size_t(head(paths_[c].back()))].push_back({int32_t(c), false});
      }
      // Curves with a free end lead nowhere: they are open, and leave the
      // count of ends where their other end is, so that a line drawn from a
      // corner does not break the loop through it.
      std::vector<int32_t> free;
      for (size_t v = 0; v < nodes_.size(); ++v) {
        if (ends[v].size() == 1) free.push_back(int32_t(v));
      }
      while (!free.empty()) {
        const int32_t v = free.back();
        free.pop_back();
        if (ends[size_t(v)].size() != 1) continue;
        const int32_t c = ends[size_t(v)][0].first;
        walked[size_t(c)] = open[size_t(c)] = true;
        for (const int32_t node : {origin(paths_[size_t(c)].front()), head(paths_[size_t(c)].back())}) {
          std::vector<std::pair<int32_t, bool>>& at = ends[size_t(node)];
          at.erase(std::remove_if(at.begin(), at.end(), [&](const auto& end) { return end.first == c; }),
                   at.end());
          if (at.size() == 1) free.push_back(node);
        }
      }
      for (size_t v = 0; v < nodes_.size(); ++v) {
        if (ends[v].size() == 2) continue;
        for (const auto& [c, starts] : ends[v]) {
          if (walked[size_t(c)]) continue;
          (void)walk(c, starts);
          for (const int32_t t : trail) open[size_t(t)] = true;
        }
      }
      for (size_t c = 0; c < curves; ++c) {
        if (taken[c] && !walked[c]) addLoop(walk(int32_t(c), true), false);
      }
    };
    std::vector<bool> taken(curves, false);
    for (size_t c = 0; c < curves; ++c) {
      const std::vector<int32_t>& path = paths_[c];
      if (path.empty()) continue;
      if (closed_[c] || origin(path.front()) == head(path.back())) {
        if (!covered[c]) addLoop(path, false);
        continue;
      }
      taken[c] = !covered[c];
    }
    pass(taken);
    for (size_t c = 0; c < curves; ++c) {
      taken[c] = !paths_[c].empty() && !closed_[c] && (open[c] || covered[c]);
    }
    pass(taken);
    std::vector<bool> leftOver(edges_.size(), false);
    for (size_t c = 0; c < curves; ++c) {
      if (!open[c] || covered[c]) continue;
      for (const int32_t h : paths_[c]) leftOver[size_t(h >> 1)] = true;
    }
    for (size_t f = 0; f < faces_.size(); ++f) {
      if (faceArea_[f] > 0.0 && std::any_of(faces_[f].begin(), faces_[f].end(),
                                            [&](int32_t h) { return leftOver[size_t(h >> 1)]; })) {
        addLoop(faces_[f], true);
      }
    }
    // By falling area, a face after a drawn loop of its size; each lies in
    // the smallest larger loop that holds its deep point, a face also in a
    // drawn loop of its own size (the one it fills).
    std::stable_sort(loops_.begin(), loops_.end(), [](const Loop& a, const Loop& b) {
      return a.area != b.area ? a.area > b.area : !a.face && b.face;
    });
    for (size_t k = 0; k < loops_.size(); ++k) {
      const Loop& loop = loops_[k];
      for (size_t m = k; m-- > 0;) {
        const bool holds =
            loop.face ? loops_[m].area >= loop.area * (1.0 - 1e-9) : loops_[m].area > loop.area;
        if (holds && InBox(loops_[m].box, loop.deep) && Inside(loops_[m].polygon, loop.deep)) {
          loops_[k].parent = int32_t(m);
          break;
        }
      }
    }
    // Where the drawn loops run, for the chains that follow one whole.
    loopsOf_.assign(edges_.size(), {});
    for (size_t k = 0; k < loops_.size(); ++k) {
      if (loops_[k].face) continue;
      for (const int32_t h : loops_[k].halves) loopsOf_[size_t(h >> 1)].push_back(int32_t(k));
    }
    // Each face's innermost loop: the smallest that holds the point beside
    // its edge. A face lies wholly inside or outside each loop, whose edges
    // are the arrangement's.
    for (const DrawingPoint& side : faceSide_) {
      int32_t in = -1;
      for (size_t k = loops_.size(); k-- > 0;) {
        if (InBox(loops_[k].box, side) && Inside(loops_[k].polygon, side)) {
          in = int32_t(k);
          break;
        }
      }
      faceLoop_.push_back(in);
    }
  }

  // Nodes that only one edge reaches, with the gap to the nearest other
  // such end or edge (not the one they lie on, nor the next along it).
  void findLooseEnds() {
    std::vector<int32_t> loose;
    for (size_t v = 0; v < around_.size(); ++v) {
      if (around_[v].size() == 1) loose.push_back(int32_t(v));
    }
    const double s = std::fabs(o_.scale);
    for (const int32_t v : loose) {
      const int32_t w = head(around_[size_t(v)][0]);
      const DrawingPoint p = at(v);
      double gap = INFINITY;
      for (const int32_t u : loose) {
        if (u != v && u != w) gap = std::min(gap, Distance(p, at(u)));
      }
      for (const Edge& e : edges_) {
        if (e.from == v || e.to == v || e.from == w || e.to == w) continue;
        gap = std::min(gap, SegmentDistance(at(e.from), at(e.to), p));
      }
      plan_.looseEnds.push_back({p, gap, s > 0.0 ? JoinOver(gap / s) : 0.0});
    }
  }

  // The chains for the loops' roles: loops in no other are outer, those in
  // a meshed one holes (or regions, when marked), those in a hole outer
  // again; a face is meshed when its innermost loop is outer or a region.
  std::vector<Draft> layout(const std::vector<bool>& marks) {
    std::vector<ChainRole> roles(loops_.size(), ChainRole::Outer);
    for (size_t k = 0; k < loops_.size(); ++k) {
      const int32_t p = loops_[k].parent;
      if (p < 0) continue;
      const bool solid = roles[size_t(p)] != ChainRole::Hole;
      if (loops_[k].face) {
        roles[k] = solid ? ChainRole::Outer : ChainRole::Hole;
      } else if (solid) {
        roles[k] = marks[k] ? ChainRole::Region : ChainRole::Hole;
      }
    }
    std::vector<bool> solid(faceLoop_.size(), false);
    plan_.noRegion = true;
    for (size_t f = 0; f < solid.size(); ++f) {
      solid[f] = faceLoop_[f] >= 0 && roles[size_t(faceLoop_[f])] != ChainRole::Hole;
      if (solid[f] && faceArea_[f] > 0.0) plan_.noRegion = false;
    }
    // Edges between a meshed face and an empty one bound the region, with
    // the meshed face on their left; edges with a meshed face on both sides
    // or the same face on both stay inside it or loose; the rest go.
    std::vector<bool> bounds(2 * edges_.size(), false), rest(edges_.size(), false);
    for (size_t e = 0; e < edges_.size(); ++e) {
      const int32_t l = faceOf_[2 * e], r = faceOf_[2 * e + 1];
      const bool sl = solid[size_t(l)], sr = solid[size_t(r)];
      if (l == r || (sl && sr)) {
        rest[e] = true;
      } else if (sl != sr) {
        bounds[sl ? 2 * e : 2 * e + 1] = true;
      }
    }
    std::vector<Draft> closed, open;
    // Round a node where the region touches itself, the walk keeps to the
    // face it is on; a walk that comes back to a node is then split there,
    // so that a hole touching the outline at a point is a hole of its own.
    std::vector<bool> used(bounds.size(), false);
    for (int32_t h0 = 0; h0 < int32_t(bounds.size()); ++h0) {
      if (!bounds[size_t(h0)] || used[size_t(h0)]) continue;
      std::vector<int32_t> walk;
      for (int32_t h = h0; h >= 0 && !used[size_t(h)];
           h = turn(h, [&](int32_t c) { return bounds[size_t(c)]; })) {
        used[size_t(h)] = true;
        walk.push_back(h);
      }
      for (std::vector<int32_t>& cycle : simple(walk)) {
        Draft draft;
        draft.halves = std::move(cycle);
        draft.area = SignedArea(polygonOf(draft.halves));
        draft.role = draft.area > 0.0 ? ChainRole::Outer : ChainRole::Hole;
        closed.push_back(std::move(draft));
      }
    }
    // The other edges kept: from each node where other than two of them
    // meet, along nodes of two, to the next such node; what is left closes
    // into regions.
    std::vector<int32_t> degree(nodes_.size(), 0);
    for (size_t e = 0; e < edges_.size(); ++e) {
      if (rest[e]) ++degree[size_t(edges_[e].from)], ++degree[size_t(edges_[e].to)];
    }
    std::vector<bool> walked(edges_.size(), false);
    const auto walk = [&](int32_t h) {
      Draft draft;
      while (h >= 0 && !walked[size_t(h >> 1)]) {
        walked[size_t(h >> 1)] = true;
        draft.halves.push_back(h);
        const int32_t v = head(h);
        h = -1;
        if (degree[size_t(v)] != 2) break;
        for (const int32_t c : around_[size_t(v)]) {
          if (rest[size_t(c >> 1)] && !walked[size_t(c >> 1)]) h = c;
        }
      }
      return draft;
    };
    for (size_t v = 0; v < nodes_.size(); ++v) {
      if (degree[v] == 2) continue;
      for (const int32_t h : around_[v]) {
        if (rest[size_t(h >> 1)] && !walked[size_t(h >> 1)]) open.push_back(walk(h));
      }
    }
    for (size_t e = 0; e < edges_.size(); ++e) {
      if (!rest[e] || walked[e]) continue;
      Draft draft = walk(int32_t(2 * e));
      draft.area = SignedArea(polygonOf(draft.halves));
      if (draft.area < 0.0) {
        std::reverse(draft.halves.begin(), draft.halves.end());
        for (int32_t& h : draft.halves) h ^= 1;
        draft.area = -draft.area;
      }
      draft.role = ChainRole::Region;
      closed.push_back(std::move(draft));
    }
    // Open chains keep each edge as drawn.
    for (Draft& draft : open) {
      for (int32_t& h : draft.halves) h &= ~1;
    }
    // Closed chains by falling area; the same edges keep the same order
    // whatever their roles.
    const auto least = [](const Draft& d) {
      int32_t e = INT32_MAX;
      for (const int32_t h : d.halves) e = std::min(e, h >> 1);
      return e;
    };
    std::sort(closed.begin(), closed.end(), [&](const Draft& a, const Draft& b) {
      const double x = std::fabs(a.area), y = std::fabs(b.area);
      return x != y ? x > y : least(a) < least(b);
    });
    std::vector<int32_t> stamp(loops_.size(), -1);
    for (size_t k = 0; k < closed.size(); ++k) {
      Draft& draft = closed[k];
      for (const int32_t l : loopsOf_[size_t(draft.halves[0] >> 1)]) {
        if (loops_[size_t(l)].halves.size() != draft.halves.size()) continue;
        bool same = true;
        for (const int32_t h : draft.halves) {
          const std::vector<int32_t>& of = loopsOf_[size_t(h >> 1)];
          same = same && std::find(of.begin(), of.end(), l) != of.end();
        }
        if (same) draft.loop = l;
      }
    }
    nestedLoop_.assign(closed.size(), false);
    for (size_t k = 0; k < closed.size(); ++k) {
      const int32_t l = closed[k].loop;
      nestedLoop_[k] = l >= 0 && loops_[size_t(l)].parent >= 0 &&
                       roles[size_t(loops_[size_t(l)].parent)] != ChainRole::Hole;
    }
    closedCount_ = closed.size();
    for (Draft& draft : open) closed.push_back(std::move(draft));
    return closed;
  }

  // The plan: chains nested, holes given their points, nodes numbered as
  // the chains walk them, the gaps closed.
  void emit(const std::vector<Draft>& drafts) {
    std::vector<std::vector<DrawingPoint>> polygons;
    for (size_t k = 0; k < closedCount_; ++k) polygons.push_back(polygonOf(drafts[k].halves));
    for (size_t k = 0; k < drafts.size(); ++k) {
      const Draft& draft = drafts[k];
      ImportChain chain;
      chain.role = draft.role;
      if (k < closedCount_) {
        chain.area = draft.area;
        const DrawingPoint a = at(origin(draft.halves[0])), b = at(head(draft.halves[0]));
        const DrawingPoint mid{(a.x + b.x) / 2.0, (a.y + b.y) / 2.0};
        for (size_t m = k; m-- > 0;) {
          if (std::fabs(drafts[m].area) > std::fabs(draft.area) && Inside(polygons[m], mid)) {
            chain.parent = int32_t(m);
            break;
          }
        }
        if (nestedLoop_[k]) plan_.nested.push_back(int32_t(k));
      }
      for (const int32_t h : draft.halves) {
        chain.segments.push_back(h);
        chain.flipped += h & 1;
      }
      plan_.chains.push_back(std::move(chain));
    }
    // Each hole's point: inside it, outside what lies directly in it and
    // off the loose lines in it (each taken there and back, a polygon
    // without area).
    std::vector<std::vector<DrawingPoint>> lines;
    for (size_t k = closedCount_; k < drafts.size(); ++k) {
      std::vector<DrawingPoint> line = polygonOf(drafts[k].halves);
      for (size_t i = drafts[k].halves.size(); i-- > 0;) line.push_back(at(head(drafts[k].halves[i])));
      lines.push_back(std::move(line));
    }
    for (size_t k = 0; k < closedCount_; ++k) {
      ImportChain& hole = plan_.chains[k];
      if (hole.role != ChainRole::Hole) continue;
      std::vector<std::vector<DrawingPoint>> within;
      for (size_t m = k + 1; m < closedCount_; ++m) {
        if (plan_.chains[m].parent == int32_t(k)) within.push_back(polygons[m]);
      }
      for (const std::vector<DrawingPoint>& line : lines) {
        const DrawingPoint a = line[0], b = line[1];
        if (Inside(polygons[k], {(a.x + b.x) / 2.0, (a.y + b.y) / 2.0})) within.push_back(line);
      }
      if (!PointInside(polygons[k], within, hole.holePoint)) hole.holePoint = polygons[k][0];
    }
    std::vector<int32_t> number(nodes_.size(), -1);
    for (ImportChain& chain : plan_.chains) {
      for (int32_t& h : chain.segments) {
        ImportSegment seg{origin(h), head(h), edges_[size_t(h >> 1)].layer, (h & 1) != 0};
        for (int32_t* end : {&seg.from, &seg.to}) {
          if (number[size_t(*end)] < 0) {
            number[size_t(*end)] = int32_t(plan_.points.size());
            plan_.points.push_back(at(*end));
          }
          *end = number[size_t(*end)];
        }
        h = int32_t(plan_.segments.size());
        plan_.segments.push_back(seg);
      }
    }
    plan_.pointCount = int64_t(plan_.points.size());
    plan_.segmentCount = int64_t(plan_.segments.size());
    for (size_t v = 0; v < nodes_.size(); ++v) {
      if (endNode_[v] && reach_[v] > fine_) plan_.joinedGaps.push_back({at(int32_t(v)), reach_[v]});
    }
    std::stable_sort(plan_.joinedGaps.begin(), plan_.joinedGaps.end(),
                     [](const JoinedGap& a, const JoinedGap& b) { return a.width > b.width; });
  }

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

}  // namespace

ImportPlan PlanImport(const Drawing& drawing, const ImportOptions& options) {
  ImportPlan plan;
  const auto taken = [&](const DrawingCurve& c) {
    return size_t(c.layer) >= options.skippedLayers.size() || !options.skippedLayers[size_t(c.layer)];
  };
  for (const DrawingCurve& c : drawing.curves) {
    if (taken(c)) plan.segmentCount += ChordsFor(c, options.chords);
    if (plan.segmentCount > kPlanMaxSegments) break;
  }
  plan.pointCount = plan.segmentCount;
  if (plan.segmentCount > kPlanMaxSegments) {
    plan.tooMany = true;
    return plan;
  }
  Planner(drawing, options, plan).run();
  return plan;
}
