#include "core/mesh/MeshStatistics.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// The angle opposite side c, from the three sides' squares.
double Angle(double a2, double b2, double c2) {
  const double cosine = (a2 + b2 - c2) / (2.0 * std::sqrt(a2 * b2));
  return std::acos(std::clamp(cosine, -1.0, 1.0)) * (180.0 / std::numbers::pi);
}

}  // namespace

MeshStatistics ComputeMeshStatistics(const Model& m) {
  MeshStatistics s;
  s.nodes = m.meshNodeCount;
  s.triangles = m.meshTriangleCount;
  bool first = true;
  for (int32_t t = 1; t <= m.meshTriangleCount; ++t) {
    const MeshTriangle& c = m.MeshTriangleTable[t];
    const MeshNode &p = m.MeshNodeTable[c.corner1], &q = m.MeshNodeTable[c.corner2],
                   &r = m.MeshNodeTable[c.corner3];
    const double ax = double(q.x) - p.x, ay = double(q.y) - p.y;
    const double bx = double(r.x) - p.x, by = double(r.y) - p.y;
    const double area = 0.5 * (ax * by - ay * bx);
    // The sides' squares, shortest first: the smallest angle lies opposite
    // the shortest side, the largest opposite the longest.
    std::array<double, 3> sides = {ax * ax + ay * ay, bx * bx + by * by,
                                   (bx - ax) * (bx - ax) + (by - ay) * (by - ay)};
    std::sort(sides.begin(), sides.end());
    const bool degenerate = sides[0] == 0.0;
    const double smallest = degenerate ? 0.0 : Angle(sides[1], sides[2], sides[0]);
    const double largest = degenerate ? 180.0 : Angle(sides[0], sides[1], sides[2]);
    s.totalArea += area;
    s.smallestArea = first ? area : std::min(s.smallestArea, area);
    s.largestArea = first ? area : std::max(s.largestArea, area);
    s.smallestAngle = first ? smallest : std::min(s.smallestAngle, smallest);
    s.largestAngle = first ? largest : std::max(s.largestAngle, largest);
    first = false;
    if (c.material >= 0) {
      if (size_t(c.material) >= s.perMaterial.size()) s.perMaterial.resize(size_t(c.material) + 1, 0);
      ++s.perMaterial[size_t(c.material)];
    }
    const int bucket = static_cast<int>(smallest / MeshStatistics::kBucketWidth);
    ++s.smallestAngles[size_t(std::clamp(bucket, 0, MeshStatistics::kBuckets - 1))];
  }
  return s;
}
