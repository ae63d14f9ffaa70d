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

#include "core/import/DrawingArrangement.h"

int32_t ImportPlan::holes() const {
  return int32_t(std::count_if(chains.begin(), chains.end(),
                               [](const ImportChain& c) { return c.role == ChainRole::Hole; }));
}

int32_t ImportPlan::regionPoints() const {
  return int32_t(std::count_if(chains.begin(), chains.end(),
                               [](const ImportChain& c) { return c.material != kNoMaterial; }));
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
    n = std::ceil(double(rule.perCircle) * sweep / arrangement::kTwoPi - 1e-9);
  } else {
    const double r = c.radius();
    // A chord over the angle θ (in t) lies at most r·(1 − cos θ/2) from the arc.
    const double step = rule.tolerance >= r ? std::numbers::pi : 2.0 * std::acos(1.0 - rule.tolerance / r);
    n = step > 0.0 ? std::ceil(sweep / step - 1e-9) : INFINITY;
  }
  if (!(n < 1e12)) n = 1e12;
  return std::max<int64_t>(c.closed ? 3 : 1, int64_t(n));
}

namespace arrangement {

void ArrangementPlanner::run() {
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
  emit(markedLayout());
}

std::vector<HalfEdgeChain> ArrangementPlanner::markedLayout() {
  std::vector<bool> marks(loops_.size(), false);
  std::vector<HalfEdgeChain> drafts = layout(marks);
  // A closed chain chosen as a region, or on a layer with a material,
  // marks the loop it runs along (a mark counts only where the loop lies
  // in a meshed part); the chains stay the same, in the same order, only
  // their roles change. What lies in a new region may be a chain of such a
  // layer only now, so again until no mark is added.
  for (bool marked = true; marked;) {
    marked = false;
    for (size_t k = 0; k < closedCount_; ++k) {
      const int32_t l = drafts[k].loop;
      if (l < 0 || marks[size_t(l)]) continue;
      if ((k < o_.regions.size() && o_.regions[k]) || materialOf(drafts[k]) != kNoMaterial)
        marks[size_t(l)] = marked = true;
    }
    if (marked) drafts = layout(marks);
  }
  return drafts;
}

int32_t ArrangementPlanner::materialOf(const HalfEdgeChain& draft) const {
  const size_t layer = size_t(edges_[size_t(draft.halves[0] >> 1)].layer);
  return layer < o_.materials.size() ? o_.materials[layer] : kNoMaterial;
}

void ArrangementPlanner::findLooseEnds() {
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

std::vector<ChainRole> ArrangementPlanner::loopRoles(const std::vector<bool>& marks) const {
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
  return roles;
}

std::vector<bool> ArrangementPlanner::meshedFaces(const std::vector<ChainRole>& roles) {
  std::vector<bool> solid(faceLoop_.size(), false);
  plan_.noRegion = true;
  for (size_t f = 0; f < solid.size(); ++f) {
    solid[f] = faceLoop_[f] >= 0 && roles[size_t(faceLoop_[f])] != ChainRole::Hole;
    if (solid[f] && faceArea_[f] > 0.0) plan_.noRegion = false;
  }
  return solid;
}

void ArrangementPlanner::walkBounds(const std::vector<bool>& bounds,
                                    std::vector<HalfEdgeChain>& closed) const {
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
      HalfEdgeChain draft;
      draft.halves = std::move(cycle);
      draft.area = SignedArea(polygonOf(draft.halves));
      draft.role = draft.area > 0.0 ? ChainRole::Outer : ChainRole::Hole;
      closed.push_back(std::move(draft));
    }
  }
}

void ArrangementPlanner::walkRest(const std::vector<bool>& rest, std::vector<HalfEdgeChain>& closed,
                                  std::vector<HalfEdgeChain>& open) const {
  // From each node where other than two of them meet, along nodes of two,
  // to the next such node; what is left closes into regions.
  std::vector<int32_t> degree(nodes_.size(), 0);
  for (size_t e = 0; e < edges_.size(); ++e) {
    if (rest[e]) ++degree[size_t(edges_[e].from)], ++degree[size_t(edges_[e].to)];
  }
  std::vector<bool> walked(edges_.size(), false);
  const auto walk = [&](int32_t h) {
    HalfEdgeChain draft;
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
    HalfEdgeChain draft = walk(int32_t(2 * e));
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
  for (HalfEdgeChain& draft : open) {
    for (int32_t& h : draft.halves) h &= ~1;
  }
}

void ArrangementPlanner::orderClosed(std::vector<HalfEdgeChain>& closed,
                                     const std::vector<ChainRole>& roles) {
  // By falling area; the same edges keep the same order whatever their roles.
  const auto least = [](const HalfEdgeChain& d) {
    int32_t e = INT32_MAX;
    for (const int32_t h : d.halves) e = std::min(e, h >> 1);
    return e;
  };
  std::sort(closed.begin(), closed.end(), [&](const HalfEdgeChain& a, const HalfEdgeChain& b) {
    const double x = std::fabs(a.area), y = std::fabs(b.area);
    return x != y ? x > y : least(a) < least(b);
  });
  for (HalfEdgeChain& draft : closed) {
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
    nestedLoop_[k] =
        l >= 0 && loops_[size_t(l)].parent >= 0 && roles[size_t(loops_[size_t(l)].parent)] != ChainRole::Hole;
  }
}

std::vector<HalfEdgeChain> ArrangementPlanner::layout(const std::vector<bool>& marks) {
  const std::vector<ChainRole> roles = loopRoles(marks);
  const std::vector<bool> solid = meshedFaces(roles);
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
  std::vector<HalfEdgeChain> closed, open;
  walkBounds(bounds, closed);
  walkRest(rest, closed, open);
  orderClosed(closed, roles);
  closedCount_ = closed.size();
  for (HalfEdgeChain& draft : open) closed.push_back(std::move(draft));
  return closed;
}

void ArrangementPlanner::addChains(const std::vector<HalfEdgeChain>& drafts,
                                   const std::vector<std::vector<DrawingPoint>>& polygons) {
  for (size_t k = 0; k < drafts.size(); ++k) {
    const HalfEdgeChain& draft = drafts[k];
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
}

void ArrangementPlanner::placePoints(const std::vector<HalfEdgeChain>& drafts,
                                     const std::vector<std::vector<DrawingPoint>>& polygons) {
  // The loose lines, each taken there and back: a polygon without area.
  std::vector<std::vector<DrawingPoint>> lines;
  for (size_t k = closedCount_; k < drafts.size(); ++k) {
    std::vector<DrawingPoint> line = polygonOf(drafts[k].halves);
    for (size_t i = drafts[k].halves.size(); i-- > 0;) line.push_back(at(head(drafts[k].halves[i])));
    lines.push_back(std::move(line));
  }
  for (size_t k = 0; k < closedCount_; ++k) {
    ImportChain& chain = plan_.chains[k];
    if (chain.role != ChainRole::Hole) {
      chain.material = materialOf(drafts[k]);
      if (chain.material == kNoMaterial) continue;
    }
    std::vector<std::vector<DrawingPoint>> within;
    for (size_t m = k + 1; m < closedCount_; ++m) {
      if (plan_.chains[m].parent == int32_t(k)) within.push_back(polygons[m]);
    }
    for (const std::vector<DrawingPoint>& line : lines) {
      const DrawingPoint a = line[0], b = line[1];
      if (Inside(polygons[k], {(a.x + b.x) / 2.0, (a.y + b.y) / 2.0})) within.push_back(line);
    }
    DrawingPoint& point = chain.role == ChainRole::Hole ? chain.holePoint : chain.regionPoint;
    if (!PointInside(polygons[k], within, point)) point = polygons[k][0];
  }
}

void ArrangementPlanner::numberNodes() {
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
}

void ArrangementPlanner::emit(const std::vector<HalfEdgeChain>& drafts) {
  std::vector<std::vector<DrawingPoint>> polygons;
  for (size_t k = 0; k < closedCount_; ++k) polygons.push_back(polygonOf(drafts[k].halves));
  addChains(drafts, polygons);
  placePoints(drafts, polygons);
  numberNodes();
  for (size_t v = 0; v < nodes_.size(); ++v) {
    if (endNode_[v] && reach_[v] > fine_) plan_.joinedGaps.push_back({at(int32_t(v)), reach_[v]});
  }
  std::stable_sort(plan_.joinedGaps.begin(), plan_.joinedGaps.end(),
                   [](const JoinedGap& a, const JoinedGap& b) { return a.width > b.width; });
}

}  // namespace arrangement

namespace {

// The chords the curves on the layers taken are cut into, counted until
// they pass what a plan is made for.
int64_t ChordCount(const Drawing& drawing, const ImportOptions& options) {
  int64_t count = 0;
  for (const DrawingCurve& c : drawing.curves) {
    const bool taken =
        size_t(c.layer) >= options.skippedLayers.size() || !options.skippedLayers[size_t(c.layer)];
    if (taken) count += ChordsFor(c, options.chords);
    if (count > kPlanMaxSegments) break;
  }
  return count;
}

}  // namespace

ImportPlan PlanImport(const Drawing& drawing, const ImportOptions& options) {
  ImportPlan plan;
  plan.segmentCount = plan.pointCount = ChordCount(drawing, options);
  if (plan.segmentCount > kPlanMaxSegments) {
    plan.tooMany = true;
    return plan;
  }
  arrangement::ArrangementPlanner(drawing, options, plan).run();
  return plan;
}
