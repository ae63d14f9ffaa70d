#include "core/import/DrawingChains.h"

#include <algorithm>
#include <cfloat>
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

// Union-find over the points, for the merge of points that meet.
struct Groups {
  std::vector<int32_t> parent;
  explicit Groups(size_t n) : parent(n) { std::iota(parent.begin(), parent.end(), 0); }
  int32_t root(int32_t i) {
    while (parent[size_t(i)] != i) i = parent[size_t(i)] = parent[size_t(parent[size_t(i)])];
    return i;
  }
  void join(int32_t a, int32_t b) {
    a = root(a);
    b = root(b);
    if (a != b) parent[size_t(std::max(a, b))] = std::min(a, b);
  }
};

// A step of a walk: a segment and whether it is walked from its start.
struct Step {
  int32_t segment;
  bool forward;
};

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

  // Every chord's ends, in the model's units.
  const double s = options.scale;
  std::vector<DrawingPoint> raw;
  std::vector<ImportSegment> cut;
  for (const DrawingCurve& c : drawing.curves) {
    if (!taken(c)) continue;
    const int64_t n = ChordsFor(c, options.chords);
    const int32_t first = int32_t(raw.size());
    const int64_t ends = c.closed ? n : n + 1;
    for (int64_t k = 0; k < ends; ++k) {
      DrawingPoint p = c.kind == DrawingCurve::Kind::Line
                           ? (k == 0 ? c.a : c.b)
                           : c.at(c.t0 + (c.t1 - c.t0) * double(k) / double(n));
      raw.push_back({p.x * s, p.y * s});
    }
    for (int64_t k = 0; k < n; ++k) {
      cut.push_back({first + int32_t(k), first + int32_t(c.closed ? (k + 1) % n : k + 1), c.layer, false});
    }
  }

  // Points that meet become one: within a millionth of the drawing's size,
  // or equal once held in single precision as the model holds them.
  double size = drawing.extent.diagonal() * s;
  for (const DrawingPoint& p : raw) size = std::max({size, std::fabs(p.x), std::fabs(p.y)});
  const double near = std::max(kMergeFraction * drawing.extent.diagonal() * s, 4.0 * FLT_EPSILON * size);
  Groups groups(raw.size());
  std::vector<int32_t> byX(raw.size());
  std::iota(byX.begin(), byX.end(), 0);
  std::sort(byX.begin(), byX.end(),
            [&](int32_t a, int32_t b) { return raw[size_t(a)].x < raw[size_t(b)].x; });
  for (size_t i = 0; i < byX.size(); ++i) {
    const DrawingPoint& p = raw[size_t(byX[i])];
    for (size_t j = i + 1; j < byX.size() && raw[size_t(byX[j])].x - p.x <= near; ++j) {
      const DrawingPoint& q = raw[size_t(byX[j])];
      if (std::hypot(q.x - p.x, q.y - p.y) <= near) groups.join(byX[i], byX[j]);
    }
  }
  std::unordered_map<uint64_t, int32_t> singles;
  for (size_t i = 0; i < raw.size(); ++i) {
    const int32_t r = groups.root(int32_t(i));
    const float fx = float(raw[size_t(r)].x), fy = float(raw[size_t(r)].y);
    uint32_t bx = 0, by = 0;
    std::memcpy(&bx, &fx, sizeof bx);
    std::memcpy(&by, &fy, sizeof by);
    const auto [at, fresh] = singles.try_emplace((uint64_t(bx) << 32) | by, r);
    if (!fresh) groups.join(r, at->second);
  }

  // Segments between distinct nodes, each pair of nodes once.
  std::vector<ImportSegment> segments;
  std::unordered_map<uint64_t, bool> pairs;
  for (ImportSegment seg : cut) {
    seg.from = groups.root(seg.from);
    seg.to = groups.root(seg.to);
    if (seg.from == seg.to) continue;
    const uint64_t key =
        (uint64_t(uint32_t(std::min(seg.from, seg.to))) << 32) | uint32_t(std::max(seg.from, seg.to));
    if (!pairs.emplace(key, true).second) {
      ++plan.duplicates;
      continue;
    }
    segments.push_back(seg);
  }

  // The chains: from each node where other than two segments meet, along
  // nodes of two, to the next such node; what is left is closed loops.
  std::vector<std::vector<int32_t>> at(raw.size());
  for (size_t i = 0; i < segments.size(); ++i) {
    at[size_t(segments[i].from)].push_back(int32_t(i));
    at[size_t(segments[i].to)].push_back(int32_t(i));
  }
  std::vector<bool> walked(segments.size(), false);
  const auto walk = [&](int32_t node, int32_t segment) {
    std::vector<Step> steps;
    while (segment >= 0 && !walked[size_t(segment)]) {
      walked[size_t(segment)] = true;
      const bool forward = segments[size_t(segment)].from == node;
      steps.push_back({segment, forward});
      node = forward ? segments[size_t(segment)].to : segments[size_t(segment)].from;
      segment = -1;
      if (at[size_t(node)].size() == 2) {
        for (int32_t next : at[size_t(node)]) {
          if (!walked[size_t(next)]) segment = next;
        }
      }
    }
    return steps;
  };
  std::vector<std::vector<Step>> open, closed;
  for (size_t node = 0; node < at.size(); ++node) {
    if (at[node].size() == 2) continue;
    for (int32_t segment : at[node]) {
      if (!walked[size_t(segment)]) open.push_back(walk(int32_t(node), segment));
    }
  }
  for (size_t i = 0; i < segments.size(); ++i) {
    if (!walked[i]) closed.push_back(walk(segments[i].from, int32_t(i)));
  }
  const auto startOf = [&](const Step& step) {
    const ImportSegment& seg = segments[size_t(step.segment)];
    return step.forward ? seg.from : seg.to;
  };
  const auto polygonOf = [&](const std::vector<Step>& steps) {
    std::vector<DrawingPoint> polygon;
    for (const Step& step : steps) polygon.push_back(raw[size_t(startOf(step))]);
    return polygon;
  };

  // Closed chains from the largest: each lies directly in the smallest
  // larger one that holds its first chord's midpoint.
  std::vector<std::vector<DrawingPoint>> polygons;
  std::vector<double> areas;
  for (const auto& steps : closed) {
    polygons.push_back(polygonOf(steps));
    areas.push_back(SignedArea(polygons.back()));
  }
  std::vector<size_t> order(closed.size());
  std::iota(order.begin(), order.end(), size_t(0));
  std::stable_sort(order.begin(), order.end(),
                   [&](size_t a, size_t b) { return std::fabs(areas[a]) > std::fabs(areas[b]); });
  for (size_t k = 0; k < order.size(); ++k) {
    const size_t i = order[k];
    ImportChain chain;
    const DrawingPoint a = polygons[i][0], b = polygons[i][1 % polygons[i].size()];
    const DrawingPoint mid{(a.x + b.x) / 2.0, (a.y + b.y) / 2.0};
    for (size_t m = k; m-- > 0;) {
      const size_t j = order[m];
      if (std::fabs(areas[j]) > std::fabs(areas[i]) && Inside(polygons[j], mid)) {
        chain.parent = int32_t(m);
        break;
      }
    }
    if (chain.parent < 0) {
      chain.role = ChainRole::Outer;
    } else if (plan.chains[size_t(chain.parent)].role == ChainRole::Hole) {
      chain.role = ChainRole::Outer;  // an island in a hole
    } else {
      plan.nested.push_back(int32_t(k));
      chain.role = k < options.regions.size() && options.regions[k] ? ChainRole::Region : ChainRole::Hole;
    }
    // Counter-clockwise for what is meshed, clockwise round a hole.
    std::vector<Step> steps = closed[i];
    const bool clockwise = chain.role == ChainRole::Hole;
    if ((areas[i] < 0) != clockwise) {
      std::reverse(steps.begin(), steps.end());
      for (Step& step : steps) step.forward = !step.forward;
    }
    for (const Step& step : steps) {
      chain.segments.push_back(step.segment);
      segments[size_t(step.segment)].flipped = !step.forward;
      chain.flipped += step.forward ? 0 : 1;
    }
    chain.area = clockwise ? -std::fabs(areas[i]) : std::fabs(areas[i]);
    plan.chains.push_back(std::move(chain));
  }
  // Open chains keep each segment as drawn.
  for (const auto& steps : open) {
    ImportChain chain;
    for (const Step& step : steps) chain.segments.push_back(step.segment);
    plan.chains.push_back(std::move(chain));
  }

  // Each hole's point: inside it and outside what lies directly in it.
  for (size_t k = 0; k < order.size(); ++k) {
    ImportChain& hole = plan.chains[k];
    if (hole.role != ChainRole::Hole) continue;
    std::vector<std::vector<DrawingPoint>> within;
    for (size_t m = k + 1; m < order.size(); ++m) {
      if (plan.chains[m].parent == int32_t(k)) within.push_back(polygons[order[m]]);
    }
    if (!PointInside(polygons[order[k]], within, hole.holePoint)) hole.holePoint = polygons[order[k]][0];
  }

  // Nodes numbered as the chains walk them; every segment oriented.
  std::vector<int32_t> number(raw.size(), -1);
  for (ImportChain& chain : plan.chains) {
    for (int32_t& index : chain.segments) {
      ImportSegment seg = segments[size_t(index)];
      if (seg.flipped) std::swap(seg.from, seg.to);
      for (int32_t* end : {&seg.from, &seg.to}) {
        if (number[size_t(*end)] < 0) {
          number[size_t(*end)] = int32_t(plan.points.size());
          plan.points.push_back(raw[size_t(*end)]);
        }
        *end = number[size_t(*end)];
      }
      index = int32_t(plan.segments.size());
      plan.segments.push_back(seg);
    }
  }
  plan.pointCount = int64_t(plan.points.size());
  plan.segmentCount = int64_t(plan.segments.size());
  return plan;
}
