#pragma once
// Plane geometry on exact coordinates, for the model check.

#include <algorithm>
#include <utility>
#include <vector>

namespace plane {

struct P {
  double x, y;
  bool operator==(const P&) const = default;
};

inline double Orient(P a, P b, P c) {
  return (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
}

inline int Sign(double v) {
  return (v > 0) - (v < 0);
}

// Whether c, known to lie on the line through a and b, lies on the segment.
inline bool Within(P a, P b, P c) {
  return std::min(a.x, b.x) <= c.x && c.x <= std::max(a.x, b.x) && std::min(a.y, b.y) <= c.y &&
         c.y <= std::max(a.y, b.y);
}

inline bool OnSegment(P a, P b, P c) {
  return Orient(a, b, c) == 0 && Within(a, b, c);
}

// On the segment and not one of its ends.
inline bool InsideSegment(P a, P b, P c) {
  return c != a && c != b && OnSegment(a, b, c);
}

// Ray to the right: the number of segments crossed decides inside.
inline bool Inside(const std::vector<std::pair<P, P>>& edges, P q) {
  bool inside = false;
  for (const auto& [a, b] : edges) {
    if ((a.y > q.y) != (b.y > q.y) && q.x < a.x + (q.y - a.y) * (b.x - a.x) / (b.y - a.y)) inside = !inside;
  }
  return inside;
}

}  // namespace plane
