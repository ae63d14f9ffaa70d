#include "core/mesh/ModelCheck.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <iterator>
#include <map>
#include <numeric>

namespace {

struct P {
  double x, y;
  bool operator==(const P&) const = default;
};

double Orient(P a, P b, P c) {
  return (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
}

int Sign(double v) {
  return (v > 0) - (v < 0);
}

// Whether c, known to lie on the line through a and b, lies on the segment.
bool Within(P a, P b, P c) {
  return std::min(a.x, b.x) <= c.x && c.x <= std::max(a.x, b.x) && std::min(a.y, b.y) <= c.y &&
         c.y <= std::max(a.y, b.y);
}

bool OnSegment(P a, P b, P c) {
  return Orient(a, b, c) == 0 && Within(a, b, c);
}

// Four significant digits; rounded up when asked, so that a suggested
// area is never below the one it stands for.
std::string Number(double v, char decimalPoint, bool up = false) {
  if (up && v > 0) {
    const double step = std::pow(10.0, std::floor(std::log10(v)) - 3);
    v = std::ceil(v / step) * step;
  }
  char text[32];
  std::snprintf(text, sizeof text, "%.4g", v);
  std::string s = text;
  std::replace(s.begin(), s.end(), '.', decimalPoint);
  return s;
}

std::string List(const std::vector<int32_t>& numbers) {
  std::string s;
  for (size_t i = 0; i < numbers.size(); ++i) {
    if (i > 0) s += i + 1 == numbers.size() ? " i " : ", ";
    s += std::to_string(numbers[i]);
  }
  return s;
}

// Ray to the right: the number of segments crossed decides inside.
bool Inside(const std::vector<std::pair<P, P>>& edges, P q) {
  bool inside = false;
  for (const auto& [a, b] : edges) {
    if ((a.y > q.y) != (b.y > q.y) && q.x < a.x + (q.y - a.y) * (b.x - a.x) / (b.y - a.y)) inside = !inside;
  }
  return inside;
}

class Checker {
 public:
  Checker(const Model& m, double maxArea, char decimalPoint)
      : m_(m), maxArea_(maxArea), point_(decimalPoint) {}

  std::vector<Finding> run() {
    points();
    elements();
    doubleNodes();
    crossings();
    degrees();
    contours();
    holes();
    region();
    std::vector<Finding> all;
    all.reserve(std::accumulate(out_.begin(), out_.end(), size_t(0),
                                [](size_t n, const std::vector<Finding>& kind) { return n + kind.size(); }));
    for (std::vector<Finding>& kind : out_) std::move(kind.begin(), kind.end(), std::back_inserter(all));
    return all;
  }

 private:
  void add(FindingKind kind, std::vector<int32_t> nodes, std::vector<int32_t> elements,
           std::vector<int32_t> internal, std::string text) {
    out_[size_t(kind)].push_back(
        {kind, std::move(nodes), std::move(elements), std::move(internal), std::move(text)});
  }

  P node(int32_t i) const { return {m_.NodeTable[i].x, m_.NodeTable[i].y}; }
  P start(int32_t e) const { return node(m_.ElementTable[e].startNode); }
  P end(int32_t e) const { return node(m_.ElementTable[e].endNode); }

  void points() {
    finite_.assign(size_t(m_.nodeCount) + 1, true);
    for (int32_t i = 1; i <= m_.nodeCount; ++i) {
      finite_[i] = std::isfinite(m_.NodeTable[i].x) && std::isfinite(m_.NodeTable[i].y);
      if (!finite_[i])
        add(FindingKind::NotFinite, {i}, {}, {},
            "Węzeł " + std::to_string(i) + " ma współrzędną, która nie jest liczbą skończoną.");
    }
    for (int32_t i = 1; i <= m_.internalNodeCount; ++i) {
      const InternalNode& n = m_.InternalNodeTable[i];
      if (std::isfinite(n.x) && std::isfinite(n.y)) continue;
      add(FindingKind::NotFinite, {}, {}, {i},
          "Węzeł wewnętrzny " + std::to_string(i) + " ma współrzędną, która nie jest liczbą skończoną.");
    }
  }

  // Elements with both ends known and finite take part in the geometry;
  // each node gets the list of such elements that use it.
  void elements() {
    usable_.assign(size_t(m_.elementCount) + 1, false);
    uses_.assign(size_t(m_.nodeCount) + 1, {});
    for (int32_t e = 1; e <= m_.elementCount; ++e) {
      const Element& el = m_.ElementTable[e];
      bool known = true;
      for (int32_t n : {el.startNode, el.endNode}) {
        if (n >= 1 && n <= m_.nodeCount) continue;
        known = false;
        add(FindingKind::MissingNode, {}, {e}, {},
            "Element " + std::to_string(e) + " wskazuje węzeł " + std::to_string(n) + ", którego nie ma.");
      }
      if (!known || !finite_[el.startNode] || !finite_[el.endNode]) continue;
      if (start(e) == end(e)) {
        add(FindingKind::ZeroLength, {el.startNode, el.endNode}, {e}, {},
            "Element " + std::to_string(e) + " ma długość zero: oba końce leżą w jednym punkcie.");
        continue;
      }
      usable_[e] = true;
      uses_[el.startNode].push_back(e);
      uses_[el.endNode].push_back(e);
    }
  }

  void doubleNodes() {
    std::map<std::pair<double, double>, std::vector<int32_t>> at;
    for (int32_t i = 1; i <= m_.nodeCount; ++i) {
      if (!uses_[i].empty()) at[{m_.NodeTable[i].x, m_.NodeTable[i].y}].push_back(i);
    }
    for (const auto& [point, nodes] : at) {
      if (nodes.size() < 2) continue;
      add(FindingKind::DoubleNodes, nodes, {}, {},
          "Węzły " + List(nodes) + " leżą w jednym punkcie (podwójne węzły).");
    }
  }

  // Pairs of elements that meet anywhere but in a shared end point; two
  // that lie along one line and share more than a point overlap.
  void crossings() {
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
        if (++met > kMostCrossings) continue;
        add(FindingKind::Crossing, {}, {e, f}, {},
            "Elementy " + std::to_string(e) + " i " + std::to_string(f) + " " + how + ".");
      }
    }
    if (met > kMostCrossings) {
      add(FindingKind::Crossing, {}, {}, {},
          "Spotyka się jeszcze " + std::to_string(met - kMostCrossings) + " par elementów.");
    }
  }

  const char* meeting(int32_t e, int32_t f) const {
    const P a = start(e), b = end(e), c = start(f), d = end(f);
    const int o1 = Sign(Orient(a, b, c)), o2 = Sign(Orient(a, b, d));
    const int o3 = Sign(Orient(c, d, a)), o4 = Sign(Orient(c, d, b));
    if (o1 == 0 && o2 == 0) {
      // Along one line: the shared stretch, measured on the longer axis.
      const bool alongX = std::abs(b.x - a.x) >= std::abs(b.y - a.y);
      const auto t = [&](P p) { return alongX ? p.x : p.y; };
      const double lo = std::max(std::min(t(a), t(b)), std::min(t(c), t(d)));
      const double hi = std::min(std::max(t(a), t(b)), std::max(t(c), t(d)));
      if (hi > lo) return "zachodzą na siebie";
      if (hi < lo) return nullptr;
      return a == c || a == d || b == c || b == d ? nullptr : "stykają się";
    }
    if (o1 * o2 > 0 || o3 * o4 > 0) return nullptr;
    // One point in common; a shared end is where contours join.
    if (a == c || a == d || b == c || b == d) return nullptr;
    return o1 == 0 || o2 == 0 || o3 == 0 || o4 == 0 ? "stykają się" : "przecinają się";
  }

  void degrees() {
    for (int32_t i = 1; i <= m_.nodeCount; ++i) {
      const std::vector<int32_t>& u = uses_[i];
      if (u.size() == 1) {
        add(FindingKind::OpenEnd, {i}, u, {},
            "Węzeł " + std::to_string(i) + " należy tylko do elementu " + std::to_string(u[0]) +
                ": kontur nie jest zamknięty.");
      } else if (u.size() >= 3) {
        add(FindingKind::Branch, {i}, u, {},
            "Węzeł " + std::to_string(i) + " należy do " + std::to_string(u.size()) +
                " elementów: " + List(u) + ".");
      }
    }
  }

  // Closed contours: connected elements whose every node has two of them.
  void contours() {
    std::vector<bool> seen(size_t(m_.elementCount) + 1, false);
    for (int32_t e0 = 1; e0 <= m_.elementCount; ++e0) {
      if (!usable_[e0] || seen[e0]) continue;
      std::vector<int32_t> todo{e0}, part;
      seen[e0] = true;
      bool closed = true;
      while (!todo.empty()) {
        const int32_t e = todo.back();
        todo.pop_back();
        part.push_back(e);
        for (int32_t n : {m_.ElementTable[e].startNode, m_.ElementTable[e].endNode}) {
          closed = closed && uses_[n].size() == 2;
          for (int32_t f : uses_[n]) {
            if (!seen[f]) todo.push_back(f), seen[f] = true;
          }
        }
      }
      if (!closed) continue;
      Contour c;
      for (int32_t e : part) c.edges.push_back({start(e), end(e)});
      // Walking the cycle gives the shoelace sum whatever each element's direction.
      int32_t at = m_.ElementTable[part[0]].startNode, e = part[0];
      const int32_t first = at;
      do {
        const int32_t next =
            m_.ElementTable[e].startNode == at ? m_.ElementTable[e].endNode : m_.ElementTable[e].startNode;
        c.area += node(at).x * node(next).y - node(next).x * node(at).y;
        at = next;
        e = uses_[at][0] == e ? uses_[at][1] : uses_[at][0];
      } while (at != first);
      c.area = std::abs(c.area) / 2;
      c.corner = start(part[0]);
      contours_.push_back(std::move(c));
    }
  }

  void holes() {
    for (int32_t i = 1; i <= m_.internalNodeCount; ++i) {
      const P q{m_.InternalNodeTable[i].x, m_.InternalNodeTable[i].y};
      if (!std::isfinite(q.x) || !std::isfinite(q.y)) continue;
      int32_t on = 0;
      for (int32_t e = 1; e <= m_.elementCount && on == 0; ++e) {
        if (usable_[e] && OnSegment(start(e), end(e), q)) on = e;
      }
      if (on != 0) {
        add(FindingKind::HoleOnElement, {}, {on}, {i},
            "Węzeł wewnętrzny " + std::to_string(i) + " leży na elemencie " + std::to_string(on) + ".");
        continue;
      }
      // Inside an odd number of contours lies the region; a hole point
      // there takes away the region around it.
      const auto depth = std::count_if(contours_.begin(), contours_.end(),
                                       [&](const Contour& c) { return Inside(c.edges, q); });
      if (depth == 0) {
        add(FindingKind::HoleOutside, {}, {}, {i},
            "Węzeł wewnętrzny " + std::to_string(i) + " leży poza wszystkimi zamkniętymi konturami.");
      } else if (depth % 2 == 1) {
        add(FindingKind::HoleInRegion, {}, {}, {i},
            "Węzeł wewnętrzny " + std::to_string(i) +
                " leży w obszarze, a nie w otworze: usunąłby obszar wokół siebie.");
      }
    }
  }

  // Contours inside an even number of others add to the region, the rest
  // are holes in it. Every triangle is at most maxArea, so the region
  // needs at least area / maxArea of them.
  void region() {
    if (!(maxArea_ > 0) || contours_.empty()) return;
    double area = 0;
    for (const Contour& c : contours_) {
      const auto depth = std::count_if(contours_.begin(), contours_.end(), [&](const Contour& o) {
        return &o != &c && Inside(o.edges, c.corner);
      });
      area += depth % 2 == 0 ? c.area : -c.area;
    }
    if (!(area / maxArea_ > kMostTriangles)) return;
    const double smallest = area / kMostTriangles;
    add(FindingKind::TooFine, {}, {}, {},
        "Obszar o polu " + Number(area, point_) + " przy polu trójkąta " + Number(maxArea_, point_) +
            " wymaga ponad " + std::to_string(kMostTriangles) +
            " trójkątów; najmniejsze pole, które się zmieści: " + Number(smallest, point_, true) + ".");
  }

  struct Contour {
    std::vector<std::pair<P, P>> edges;
    double area = 0;
    P corner{};
  };

  const Model& m_;
  double maxArea_;
  char point_;
  std::vector<bool> finite_, usable_;
  std::vector<std::vector<int32_t>> uses_;
  std::vector<Contour> contours_;
  std::array<std::vector<Finding>, size_t(FindingKind::TooFine) + 1> out_;  // by kind
};

}  // namespace

std::vector<Finding> CheckModel(const Model& model, double maxArea, char decimalPoint) {
  return Checker(model, maxArea, decimalPoint).run();
}
