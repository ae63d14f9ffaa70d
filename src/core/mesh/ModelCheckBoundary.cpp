// The boundary as the mesher will see it: nodes and elements it cannot
// take, nodes on one point, elements that cross or overlap, open ends and
// branches, the closed contours and the hole points among them.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <map>

#include "core/lists/NumberList.h"
#include "core/mesh/ModelCheckParts.h"
#include "core/mesh/PlaneGeometry.h"
#include "core/text/NumberText.h"
#include "core/text/Tr.h"

namespace model_check {

void Checker::points() {
  finite_.assign(size_t(m_.nodeCount) + 1, true);
  vertex_.assign(size_t(m_.nodeCount) + 1, 0);
  std::map<std::pair<double, double>, int32_t> first;
  for (int32_t i = 1; i <= m_.nodeCount; ++i) {
    finite_[i] = std::isfinite(m_.NodeTable[i].x) && std::isfinite(m_.NodeTable[i].y);
    if (!finite_[i]) {
      add(FindingKind::NotFinite, {i}, {}, {},
          Tr("ModelCheck",
             "Węzeł %1 ma współrzędną, która nie jest liczbą skończoną. Popraw ją: „Zmień > Współrzędne "
             "węzła”.")
              .with(N(i)));
      continue;
    }
    vertex_[i] = first.try_emplace({m_.NodeTable[i].x, m_.NodeTable[i].y}, i).first->second;
  }
  // Three elements or more on fewer points: a contour that comes back to
  // its nodes, and what the mesher is never given.
  if (first.size() < 3 && m_.elementCount >= 3 && out_[size_t(FindingKind::NotFinite)].empty()) fewPoints();
  for (int32_t i = 1; i <= m_.internalNodeCount; ++i) {
    const InternalNode& n = m_.InternalNodeTable[i];
    if (std::isfinite(n.x) && std::isfinite(n.y)) continue;
    add(FindingKind::NotFinite, {}, {}, {i},
        Tr("ModelCheck",
           "Węzeł wewnętrzny %1 ma współrzędną, która nie jest liczbą skończoną. Popraw ją: „Zmień > Współ. "
           "węzła wewnętrznego”.")
            .with(N(i)));
  }
}

void Checker::fewPoints() {
  std::map<int32_t, std::vector<int32_t>> at;  // first node on a point -> every node on it
  for (int32_t i = 1; i <= m_.nodeCount; ++i) at[vertex_[i]].push_back(i);
  std::string where;
  std::vector<int32_t> all;
  for (const auto& [v, nodes] : at) {
    if (!where.empty()) where += Tr("ModelCheck", " i ");
    where += (nodes.size() == 1 ? Tr("ModelCheck", "węzeł %1 w punkcie (%2; %3)")
                                : Tr("ModelCheck", "węzły %1 w punkcie (%2; %3)"))
                 .with(List(nodes), ShortestText(m_.NodeTable[v].x, point_),
                       ShortestText(m_.NodeTable[v].y, point_));
    all.insert(all.end(), nodes.begin(), nodes.end());
  }
  std::sort(all.begin(), all.end());
  add(FindingKind::FewPoints, all, {}, {},
      (at.size() == 1
           ? Tr("ModelCheck",
                "Wszystkie węzły leżą w jednym punkcie: %1. Kontur z powtórzonymi węzłami nie otacza "
                "żadnego obszaru. Przesuń węzły („Zmień > Współrzędne węzła”), tak by kontur otaczał "
                "obszar.")
           : Tr("ModelCheck",
                "Wszystkie węzły leżą w dwóch punktach: %1. Kontur z powtórzonymi węzłami nie otacza "
                "żadnego obszaru. Przesuń węzły („Zmień > Współrzędne węzła”), tak by kontur otaczał "
                "obszar."))
          .with(where));
}

void Checker::elements() {
  usable_.assign(size_t(m_.elementCount) + 1, false);
  uses_.assign(size_t(m_.nodeCount) + 1, {});
  joins_.assign(size_t(m_.nodeCount) + 1, 0);
  used_.assign(size_t(m_.nodeCount) + 1, false);
  for (int32_t e = 1; e <= m_.elementCount; ++e) {
    const Element& el = m_.ElementTable[e];
    bool known = true;
    for (int32_t n : {el.startNode, el.endNode}) {
      if (n >= 1 && n <= m_.nodeCount) continue;
      known = false;
      add(FindingKind::MissingNode, {}, {e}, {},
          Tr("ModelCheck",
             "Element %1 wskazuje węzeł %2, którego nie ma. Popraw go („Zmień > Własności elementu”) albo "
             "usuń "
             "(„Usuń > Element” %1).")
              .with(N(e), N(n)));
    }
    for (int32_t n : {el.startNode, el.endNode}) {
      if (n >= 1 && n <= m_.nodeCount) used_[n] = true;
    }
    const bool ends = known && finite_[el.startNode] && finite_[el.endNode];
    if (!ends) {
      for (int32_t n : {el.startNode, el.endNode}) {
        if (n >= 1 && n <= m_.nodeCount && finite_[n]) ++joins_[vertex_[n]];
      }
      continue;
    }
    if (from(e) == to(e)) {
      // Between two nodes on one point it belongs to their double node.
      if (el.startNode == el.endNode) {
        add(FindingKind::ZeroLength, {el.startNode}, {e}, {},
            Tr("ModelCheck",
               "Element %1 prowadzi od węzła %2 do niego samego; generacja go pomija. Można go usunąć: „Usuń "
               "> "
               "Element” %1.")
                .with(N(e), N(el.startNode)));
      } else {
        zeroBetween_[from(e)].push_back(e);
      }
      continue;
    }
    usable_[e] = true;
    uses_[from(e)].push_back(e);
    uses_[to(e)].push_back(e);
  }
}

void Checker::doubleNodes() {
  std::map<int32_t, std::vector<int32_t>> at;
  for (int32_t i = 1; i <= m_.nodeCount; ++i) {
    if (used_[i] && finite_[i]) at[vertex_[i]].push_back(i);
  }
  for (const auto& [v, nodes] : at) {
    if (nodes.size() < 2) continue;
    const std::vector<int32_t>& zero = zeroBetween_[v];
    const std::string text =
        (zero.empty()
             ? Tr("ModelCheck",
                  "Węzły %1 leżą w jednym punkcie (podwójne węzły). Generacja traktuje je jak jeden węzeł; "
                  "scal je: „Usuń > Podwójne węzły”.")
         : zero.size() == 1 ? Tr("ModelCheck",
                                 "Węzły %1 leżą w jednym punkcie (podwójne węzły), a element %2 między nimi "
                                 "ma długość zero. "
                                 "Generacja traktuje je jak jeden węzeł; scal je: „Usuń > Podwójne węzły”.")
                            : Tr("ModelCheck",
                                 "Węzły %1 leżą w jednym punkcie (podwójne węzły), a elementy %2 między nimi "
                                 "mają długość zero. "
                                 "Generacja traktuje je jak jeden węzeł; scal je: „Usuń > Podwójne węzły”."))
            .with(List(nodes), List(zero));
    add(FindingKind::DoubleNodes, nodes, zero, {}, text);
  }
}

void Checker::crossings() {
  struct Box {
    double x0, y0, x1, y1;
  };
  // Past this many, a drawing is a tangle; the rest are only counted.
  constexpr int32_t kMostCrossings = 1000;
  int32_t met = 0;
  std::vector<Box> boxes(size_t(m_.elementCount) + 1);
  for (int32_t e = 1; e <= m_.elementCount; ++e) {
    if (!usable_[e]) continue;
    const P a = start(e), b = end(e);
    boxes[e] = {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
  }
  for (int32_t e = 1; e <= m_.elementCount; ++e) {
    if (!usable_[e]) continue;
    const Box& u = boxes[e];
    for (int32_t f = e + 1; f <= m_.elementCount; ++f) {
      const Box& v = boxes[f];
      if (!usable_[f] || v.x0 > u.x1 || v.x1 < u.x0 || v.y0 > u.y1 || v.y1 < u.y0) continue;
      const char* how = meeting(e, f);
      if (how == nullptr) continue;
      for (const auto& [g, h] : {std::pair{e, f}, std::pair{f, e}}) {
        if (InsideSegment(start(h), end(h), start(g))) ++joins_[from(g)];
        if (InsideSegment(start(h), end(h), end(g))) ++joins_[to(g)];
      }
      if (++met > kMostCrossings) continue;
      add(FindingKind::Crossing, {}, {e, f}, {}, Tr("ModelCheck", how).with(N(e), N(f)));
    }
  }
  if (met > kMostCrossings) {
    add(FindingKind::Crossing, {}, {}, {},
        Tr("ModelCheck", "Spotyka się jeszcze %1 par elementów.").with(N(met - kMostCrossings)));
  }
}

const char* Checker::meeting(int32_t e, int32_t f) const {
  const P a = start(e), b = end(e), c = start(f), d = end(f);
  const int o1 = Sign(Orient(a, b, c)), o2 = Sign(Orient(a, b, d));
  const int o3 = Sign(Orient(c, d, a)), o4 = Sign(Orient(c, d, b));
  if (o1 == 0 && o2 == 0) {
    // Along one line: the shared stretch, measured on the longer axis.
    const bool alongX = std::abs(b.x - a.x) >= std::abs(b.y - a.y);
    const auto t = [&](P p) { return alongX ? p.x : p.y; };
    const double lo = std::max(std::min(t(a), t(b)), std::min(t(c), t(d)));
    const double hi = std::min(std::max(t(a), t(b)), std::max(t(c), t(d)));
    if (hi > lo) return TrNoop("ModelCheck", "Elementy %1 i %2 zachodzą na siebie.");
    if (hi < lo) return nullptr;
    return a == c || a == d || b == c || b == d ? nullptr
                                                : TrNoop("ModelCheck", "Elementy %1 i %2 stykają się.");
  }
  if (o1 * o2 > 0 || o3 * o4 > 0) return nullptr;
  // One point in common; a shared end is where contours join.
  if (a == c || a == d || b == c || b == d) return nullptr;
  return o1 == 0 || o2 == 0 || o3 == 0 || o4 == 0 ? TrNoop("ModelCheck", "Elementy %1 i %2 stykają się.")
                                                  : TrNoop("ModelCheck", "Elementy %1 i %2 przecinają się.");
}

std::pair<std::vector<int32_t>, int32_t> Checker::connectedParts() const {
  std::vector<int32_t> part(size_t(m_.nodeCount) + 1, 0);
  int32_t parts = 0;
  for (int32_t v = 1; v <= m_.nodeCount; ++v) {
    if (uses_[v].empty() || part[v] != 0) continue;
    const int32_t id = ++parts;
    std::vector<int32_t> todo{v};
    part[v] = id;
    while (!todo.empty()) {
      const int32_t at = todo.back();
      todo.pop_back();
      for (int32_t e : uses_[at]) {
        for (int32_t w : {from(e), to(e)}) {
          if (part[w] == 0) part[w] = id, todo.push_back(w);
        }
      }
    }
  }
  return {std::move(part), parts};
}

std::string Checker::openContourText(
    int32_t a, int32_t b, int32_t id, const std::vector<int32_t>& part,
    const std::vector<std::vector<std::pair<int32_t, int32_t>>>& openIn) const {
  if (closesAlong(a, b, id, part)) {
    return Tr("ModelCheck",
              "Kontur nie jest zamknięty: jego końce to węzły %1 i %2. Zamknij go: „Dodaj > Element” od "
              "węzła "
              "%2 do węzła %1.")
        .with(N(a), N(b));
  }
  if (const auto [from, to] = nearestOpen({a, b}, size_t(id), openIn); from != 0) {
    return Tr("ModelCheck",
              "Kontur nie jest zamknięty: jego końce to węzły %1 i %2, a element między nimi biegłby wzdłuż "
              "niego. Połącz go z najbliższym otwartym konturem: „Dodaj > Element” od węzła %3 do węzła %4.")
        .with(N(a), N(b), N(from), N(to));
  }
  return Tr("ModelCheck",
            "Kontur nie jest zamknięty: jego końce to węzły %1 i %2, a element między nimi biegłby wzdłuż "
            "niego; dorysuj brakujące elementy.")
      .with(N(a), N(b));
}

void Checker::ends() {
  const auto [part, parts] = connectedParts();
  std::vector<std::vector<std::pair<int32_t, int32_t>>> openIn(size_t(parts) +
                                                               1);  // per part: (node, element)
  for (int32_t v = 1; v <= m_.nodeCount; ++v) {
    const std::vector<int32_t>& u = uses_[v];
    if (u.size() == 1 && joins_[v] == 0) {
      const Element& el = m_.ElementTable[u[0]];
      openIn[size_t(part[v])].push_back({vertex_[el.startNode] == v ? el.startNode : el.endNode, u[0]});
    } else if (u.size() >= 3) {
      add(FindingKind::Branch, {v}, u, {},
          (u.size() < 5 ? Tr("ModelCheck", "W węźle %1 spotykają się %2 elementy: %3.")
                        : Tr("ModelCheck", "W węźle %1 spotyka się %2 elementów: %3."))
              .with(N(v), N(int32_t(u.size())), List(u)));
    }
  }
  for (size_t id = 0; id < openIn.size(); ++id) {
    const auto& open = openIn[id];
    if (open.size() == 2) {
      const auto [a, ea] = open[0];
      const auto [b, eb] = open[1];
      add(FindingKind::OpenEnd, {a, b}, {ea, eb}, {}, openContourText(a, b, int32_t(id), part, openIn));
      continue;
    }
    for (const auto& [n, e] : open) {
      add(FindingKind::OpenEnd, {n}, {e}, {},
          Tr("ModelCheck",
             "Element %1 kończy się w węźle %2, z którego nie prowadzi żaden inny element: kontur nie jest "
             "zamknięty.")
              .with(N(e), N(n)));
    }
  }
}

bool Checker::closesAlong(int32_t a, int32_t b, int32_t id, const std::vector<int32_t>& part) const {
  const int32_t va = vertex_[a], vb = vertex_[b];
  for (int32_t e : uses_[va]) {
    if (from(e) == vb || to(e) == vb) return false;
  }
  for (int32_t v = 1; v <= m_.nodeCount; ++v) {
    if (part[v] == id && Sign(Orient(node(a), node(b), node(v))) != 0) return true;
  }
  return false;
}

std::pair<int32_t, int32_t> Checker::nearestOpen(
    std::array<int32_t, 2> ends, size_t id,
    const std::vector<std::vector<std::pair<int32_t, int32_t>>>& openIn) const {
  std::pair<int32_t, int32_t> best{0, 0};
  double nearest = INFINITY;
  for (size_t k = 0; k < openIn.size(); ++k) {
    if (k == id) continue;
    for (const auto& [c, e] : openIn[k]) {
      for (int32_t end : ends) {
        const P p = node(end), q = node(c);
        const double d = std::hypot(p.x - q.x, p.y - q.y);
        if (d < nearest) nearest = d, best = {end, c};
      }
    }
  }
  return best;
}

void Checker::contours() {
  std::vector<bool> seen(size_t(m_.elementCount) + 1, false);
  for (int32_t e0 = 1; e0 <= m_.elementCount; ++e0) {
    if (!usable_[e0] || seen[e0]) continue;
    std::vector<int32_t> todo{e0};
    std::vector<std::pair<P, P>> edges;
    seen[e0] = true;
    bool closed = true;
    while (!todo.empty()) {
      const int32_t e = todo.back();
      todo.pop_back();
      edges.push_back({start(e), end(e)});
      for (int32_t v : {from(e), to(e)}) {
        closed = closed && uses_[v].size() == 2;
        for (int32_t f : uses_[v]) {
          if (!seen[f]) todo.push_back(f), seen[f] = true;
        }
      }
    }
    if (closed) contours_.push_back(std::move(edges));
  }
}

void Checker::holes() {
  // Elements that do not cross make a plane graph, and the outline of each
  // group of connected elements counts as a contour, branches and all (two
  // materials meet in a node of three elements); otherwise the closed
  // contours alone.
  std::vector<std::vector<std::pair<P, P>>> outlines;
  if (out_[size_t(FindingKind::Crossing)].empty()) {
    for (Face& f : faces()) {
      if (f.area < 0) outlines.push_back(std::move(f.edges));
    }
  } else {
    outlines = contours_;
  }
  for (int32_t i = 1; i <= m_.internalNodeCount; ++i) {
    const P q{m_.InternalNodeTable[i].x, m_.InternalNodeTable[i].y};
    if (!std::isfinite(q.x) || !std::isfinite(q.y)) continue;
    int32_t on = 0;
    for (int32_t e = 1; e <= m_.elementCount && on == 0; ++e) {
      if (usable_[e] && OnSegment(start(e), end(e), q)) on = e;
    }
    const std::string remedy =
        Tr("ModelCheck",
           " Przesuń go („Zmień > Współ. węzła wewnętrznego”) albo usuń („Usuń > Węzeł wewnętrzny” %1).")
            .with(N(i));
    if (on != 0) {
      add(FindingKind::HoleOnElement, {}, {on}, {i},
          Tr("ModelCheck",
             "Węzeł wewnętrzny %1 leży na elemencie %2: nie wiadomo, po której stronie jest otwór.")
                  .with(N(i), N(on)) +
              remedy);
      continue;
    }
    // Inside an odd number of contours lies the region; a hole point
    // there takes away the region around it.
    const auto depth =
        std::count_if(outlines.begin(), outlines.end(), [&](const auto& edges) { return Inside(edges, q); });
    if (depth == 0) {
      add(FindingKind::HoleOutside, {}, {}, {i},
          Tr("ModelCheck",
             "Węzeł wewnętrzny %1 leży poza wszystkimi zamkniętymi konturami; generacja go pomija.")
              .with(N(i)));
    } else if (depth % 2 == 1) {
      add(FindingKind::HoleInRegion, {}, {}, {i},
          Tr("ModelCheck", "Węzeł wewnętrzny %1 leży w obszarze, a nie w otworze: usuwa obszar wokół siebie.")
                  .with(N(i)) +
              remedy);
    }
  }
}

}  // namespace model_check
