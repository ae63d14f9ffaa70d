// The region points among the elements. Where two materials meet, three
// elements meet in a node, so the closed contours of the boundary check
// (every vertex on two elements) do not tell the regions apart. Here the
// elements are taken as a plane graph instead: its bounded faces, each
// traced with the face on its left, are the regions Triangle fills and
// hole points empty, up to the segments around them.

#include <algorithm>
#include <cmath>
#include <map>

#include "core/mesh/ModelCheckParts.h"
#include "core/text/NumberText.h"
#include "core/text/Tr.h"

namespace model_check {

std::vector<Checker::Face> Checker::faces() const {
  // Each usable element as two half-edges, 2k and 2k + 1 opposite ways.
  std::vector<std::pair<int32_t, int32_t>> half;
  for (int32_t e = 1; e <= m_.elementCount; ++e) {
    if (!usable_[e] || from(e) == to(e)) continue;
    half.push_back({from(e), to(e)});
    half.push_back({to(e), from(e)});
  }
  // Around each vertex its outgoing half-edges, counter-clockwise.
  std::map<int32_t, std::vector<size_t>> around;
  for (size_t h = 0; h < half.size(); ++h) around[half[h].first].push_back(h);
  std::vector<size_t> place(half.size());
  for (auto& [v, out] : around) {
    const P o = node(v);
    const auto angle = [&](size_t h) {
      const P t = node(half[h].second);
      return std::atan2(t.y - o.y, t.x - o.x);
    };
    std::sort(out.begin(), out.end(), [&](size_t a, size_t b) { return angle(a) < angle(b); });
    for (size_t i = 0; i < out.size(); ++i) place[out[i]] = i;
  }
  // After u -> v the face on the left goes on along the half-edge that
  // comes next clockwise from v -> u around v.
  const auto next = [&](size_t h) {
    const std::vector<size_t>& out = around[half[h].second];
    return out[(place[h ^ 1] + out.size() - 1) % out.size()];
  };
  std::vector<Face> found;
  std::vector<bool> seen(half.size(), false);
  for (size_t h0 = 0; h0 < half.size(); ++h0) {
    if (seen[h0]) continue;
    Face f;
    for (size_t h = h0; !seen[h]; h = next(h)) {
      seen[h] = true;
      const P a = node(half[h].first), b = node(half[h].second);
      f.edges.push_back({a, b});
      f.area += (a.x * b.y - b.x * a.y) / 2;
    }
    found.push_back(std::move(f));
  }
  return found;
}

int32_t Checker::faceOf(const std::vector<Face>& faces, P q) const {
  int32_t best = -1;
  for (size_t i = 0; i < faces.size(); ++i) {
    if (faces[i].area > 0 && Inside(faces[i].edges, q) &&
        (best < 0 || faces[i].area < faces[size_t(best)].area))
      best = int32_t(i);
  }
  return best;
}

void Checker::regions() {
  // Crossing elements make no plane graph; the crossing is named already.
  if (m_.regionPointCount == 0 || !out_[size_t(FindingKind::Crossing)].empty()) return;
  const std::vector<Face> all = faces();
  const auto at = [&](int32_t i) { return P{m_.RegionPointTable[i].x, m_.RegionPointTable[i].y}; };
  const auto named = [&](int32_t i) {
    return N(i) + " (" + ShortestText(m_.RegionPointTable[i].x, point_) + "; " +
           ShortestText(m_.RegionPointTable[i].y, point_) + ")";
  };
  std::map<int32_t, int32_t> holeIn;  // face -> its first hole point
  for (int32_t i = 1; i <= m_.internalNodeCount; ++i) {
    const P q{m_.InternalNodeTable[i].x, m_.InternalNodeTable[i].y};
    if (std::isfinite(q.x) && std::isfinite(q.y)) holeIn.try_emplace(faceOf(all, q), i);
  }
  std::map<int32_t, int32_t> firstIn;  // face -> its first region point
  for (int32_t i = 1; i <= m_.regionPointCount; ++i) {
    const RegionPoint& r = m_.RegionPointTable[i];
    if (!std::isfinite(r.x) || !std::isfinite(r.y)) continue;
    const int32_t face = faceOf(all, at(i));
    const auto regionPoint = [&](FindingKind kind, std::vector<int32_t> points, std::vector<int32_t> internal,
                                 std::string text) {
      add(kind, {}, {}, std::move(internal), std::move(text));
      out_[size_t(kind)].back().regionPoints = std::move(points);
    };
    if (face < 0) {
      regionPoint(FindingKind::RegionOutside, {i}, {},
                  Tr("ModelCheck",
                     "Punkt obszaru %1 leży poza wszystkimi zamkniętymi konturami; generacja go pomija.")
                      .with(named(i)));
      continue;
    }
    if (const auto hole = holeIn.find(face); hole != holeIn.end()) {
      regionPoint(FindingKind::RegionInHole, {i}, {hole->second},
                  Tr("ModelCheck",
                     "Punkt obszaru %1 leży w otworze węzła wewnętrznego %2: otwór usuwa obszar wokół niego, "
                     "punkt nie ma znaczenia.")
                      .with(named(i), N(hole->second)));
      continue;
    }
    const auto [first, alone] = firstIn.try_emplace(face, i);
    if (alone) continue;
    const RegionPoint& f = m_.RegionPointTable[first->second];
    const bool material = f.material != r.material;
    const bool area = f.area != r.area;
    if (!material && !area) continue;
    std::string what;
    if (material) what = Tr("ModelCheck", "różny materiał (%1 i %2)").with(N(f.material), N(r.material));
    if (area) {
      what += (material ? Tr("ModelCheck", " i różne największe pole trójkąta (%1 i %2)")
                        : Tr("ModelCheck", "różne największe pole trójkąta (%1 i %2)"))
                  .with(ShortestText(f.area, point_), ShortestText(r.area, point_));
    }
    regionPoint(
        FindingKind::RegionsDiffer, {first->second, i}, {},
        Tr("ModelCheck",
           "Punkty obszaru %1 i %2 leżą w jednym obszarze, a mają %3: siatka weźmie tylko jeden z nich.")
            .with(named(first->second), named(i), what));
  }
}

}  // namespace model_check
