// The arrangement's faces, walked with each on the left, and the drawing's
// loops that decide which of them are meshed; and the deep point inside a
// polygon that a hole's point and a loop's nesting are taken at.

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

namespace arrangement {

std::vector<DrawingPoint> ArrangementPlanner::drawn(const std::vector<DrawingPoint>& polygon) const {
  std::vector<DrawingPoint> out;
  const size_t n = polygon.size();
  for (size_t i = 0; i < n; ++i) {
    const DrawingPoint p = out.empty() ? polygon[(i + n - 1) % n] : out.back();
    if (SegmentDistance(p, polygon[(i + 1) % n], polygon[i]) > near_) out.push_back(polygon[i]);
  }
  return out.size() >= 3 ? out : polygon;
}

std::vector<std::vector<int32_t>> ArrangementPlanner::simple(const std::vector<int32_t>& walk) const {
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

std::vector<DrawingPoint> ArrangementPlanner::polygonOf(const std::vector<int32_t>& halves) const {
  std::vector<DrawingPoint> polygon;
  for (const int32_t h : halves) polygon.push_back(at(origin(h)));
  return polygon;
}

void ArrangementPlanner::findFaces() {
  faceOf_.assign(2 * edges_.size(), -1);
  std::vector<DrawingBox> boxes(edges_.size());
  for (size_t e = 0; e < edges_.size(); ++e) boxes[e] = BoxOf({at(edges_[e].from), at(edges_[e].to)});
  for (std::vector<int32_t>& walk : walks([&](int32_t h) { return turn(h, [](int32_t) { return true; }); })) {
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

void ArrangementPlanner::addLoop(std::vector<int32_t> halves, bool face) {
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

std::vector<bool> ArrangementPlanner::coveredCurves() const {
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
  return covered;
}

std::vector<int32_t> ArrangementPlanner::walkCurves(CurveWalk& w, int32_t c, bool forward) const {
  std::vector<int32_t> halves;
  w.trail.clear();
  while (c >= 0 && !w.walked[size_t(c)]) {
    w.walked[size_t(c)] = true;
    w.trail.push_back(c);
    const std::vector<int32_t>& path = paths_[size_t(c)];
    if (forward) {
      halves.insert(halves.end(), path.begin(), path.end());
    } else {
      for (size_t k = path.size(); k-- > 0;) halves.push_back(path[k] ^ 1);
    }
    const int32_t node = head(halves.back());
    c = -1;
    if (w.ends[size_t(node)].size() != 2) break;
    for (const auto& [other, starts] : w.ends[size_t(node)]) {
      if (!w.walked[size_t(other)]) c = other, forward = starts;
    }
  }
  return halves;
}

void ArrangementPlanner::dropFreeCurves(CurveWalk& w) const {
  std::vector<int32_t> free;
  for (size_t v = 0; v < nodes_.size(); ++v) {
    if (w.ends[v].size() == 1) free.push_back(int32_t(v));
  }
  while (!free.empty()) {
    const int32_t v = free.back();
    free.pop_back();
    if (w.ends[size_t(v)].size() != 1) continue;
    const int32_t c = w.ends[size_t(v)][0].first;
    w.walked[size_t(c)] = w.open[size_t(c)] = true;
    for (const int32_t node : {origin(paths_[size_t(c)].front()), head(paths_[size_t(c)].back())}) {
      std::vector<std::pair<int32_t, bool>>& at = w.ends[size_t(node)];
      at.erase(std::remove_if(at.begin(), at.end(), [&](const auto& end) { return end.first == c; }),
               at.end());
      if (at.size() == 1) free.push_back(node);
    }
  }
}

void ArrangementPlanner::loopPass(CurveWalk& w, const std::vector<bool>& taken) {
  const size_t curves = paths_.size();
  std::fill(w.open.begin(), w.open.end(), false);
  for (std::vector<std::pair<int32_t, bool>>& at : w.ends) at.clear();
  for (size_t c = 0; c < curves; ++c) {
    if (!taken[c]) continue;
    w.walked[c] = false;
    w.ends[size_t(origin(paths_[c].front()))].push_back({int32_t(c), true});
    w.ends[size_t(head(paths_[c].back()))].push_back({int32_t(c), false});
  }
  dropFreeCurves(w);
  for (size_t v = 0; v < nodes_.size(); ++v) {
    if (w.ends[v].size() == 2) continue;
    for (const auto& [c, starts] : w.ends[v]) {
      if (w.walked[size_t(c)]) continue;
      (void)walkCurves(w, c, starts);
      for (const int32_t t : w.trail) w.open[size_t(t)] = true;
    }
  }
  for (size_t c = 0; c < curves; ++c) {
    if (taken[c] && !w.walked[c]) addLoop(walkCurves(w, int32_t(c), true), false);
  }
}

void ArrangementPlanner::addLeftOverFaces(const std::vector<bool>& open, const std::vector<bool>& covered) {
  std::vector<bool> leftOver(edges_.size(), false);
  for (size_t c = 0; c < paths_.size(); ++c) {
    if (!open[c] || covered[c]) continue;
    for (const int32_t h : paths_[c]) leftOver[size_t(h >> 1)] = true;
  }
  for (size_t f = 0; f < faces_.size(); ++f) {
    if (faceArea_[f] > 0.0 && std::any_of(faces_[f].begin(), faces_[f].end(),
                                          [&](int32_t h) { return leftOver[size_t(h >> 1)]; })) {
      addLoop(faces_[f], true);
    }
  }
}

void ArrangementPlanner::findLoops() {
  const size_t curves = paths_.size();
  const std::vector<bool> covered = coveredCurves();
  // Each closed curve is a loop. Of the others, those taken run from
  // each node where other than two of their ends meet, along nodes of
  // two, to the next such node; what is left of them closes into loops.
  // First without the covered curves, then the curves still open with
  // the covered ones: a side of a hole drawn along the outline closes it.
  CurveWalk w{std::vector<bool>(curves, false),
              std::vector<bool>(curves, false),
              std::vector<std::vector<std::pair<int32_t, bool>>>(nodes_.size()),
              {}};
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
  loopPass(w, taken);
  for (size_t c = 0; c < curves; ++c) {
    taken[c] = !paths_[c].empty() && !closed_[c] && (w.open[c] || covered[c]);
  }
  loopPass(w, taken);
  addLeftOverFaces(w.open, covered);
  nestLoops();
}

void ArrangementPlanner::nestLoops() {
  // By falling area, a face after a drawn loop of its size; each lies in
  // the smallest larger loop that holds its deep point, a face also in a
  // drawn loop of its own size (the one it fills).
  std::stable_sort(loops_.begin(), loops_.end(), [](const Loop& a, const Loop& b) {
    return a.area != b.area ? a.area > b.area : !a.face && b.face;
  });
  for (size_t k = 0; k < loops_.size(); ++k) {
    const Loop& loop = loops_[k];
    for (size_t m = k; m-- > 0;) {
      const bool holds = loop.face ? loops_[m].area >= loop.area * (1.0 - 1e-9) : loops_[m].area > loop.area;
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

}  // namespace arrangement

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
  const size_t stride = std::max<size_t>(1, gaps / arrangement::kScanLines);
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
      for (const auto& [a, b] : edges)
        clearance = std::min(clearance, arrangement::SegmentDistance(a, b, candidate));
      if (clearance > best) {
        best = clearance;
        point = candidate;
      }
    }
  }
  return best > 0.0;
}
