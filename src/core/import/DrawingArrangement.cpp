// The chords of a drawing's curves, their ends joined within the join
// distance, split where they cross or touch, and made the arrangement's
// edges with their half-edges round every node.

#include "core/import/DrawingArrangement.h"

#include <algorithm>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstring>
#include <numbers>
#include <numeric>
#include <unordered_map>
#include <utility>

namespace arrangement {

void ArrangementPlanner::cut() {
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

int32_t ArrangementPlanner::nodeAt(DrawingPoint p, double& distance) {
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

void ArrangementPlanner::merge() {
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

void ArrangementPlanner::split() {
  for (const Chord& c : chords_) {
    const int32_t a = nodeOf_[size_t(c.a)], b = nodeOf_[size_t(c.b)];
    if (a != b && !gone_[size_t(c.curve)]) segments_.push_back({a, b, c.layer, c.curve});
  }
  splits_.assign(segments_.size(), {});
  pieces_ = int64_t(segments_.size());
  if (splitAtNodes()) splitAtCrossings();
}

double ArrangementPlanner::param(const Chord& s, DrawingPoint p) const {
  const DrawingPoint a = at(s.a), b = at(s.b);
  const double dx = b.x - a.x, dy = b.y - a.y;
  return ((p.x - a.x) * dx + (p.y - a.y) * dy) / (dx * dx + dy * dy);
}

bool ArrangementPlanner::splitAtNodes() {
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
      if (++pieces_ > kPlanMaxSegments) return false;
    }
  }
  return true;
}

void ArrangementPlanner::splitAtCrossings() {
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

void ArrangementPlanner::arrange() {
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

}  // namespace arrangement
