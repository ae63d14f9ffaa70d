// The area search after an overflow: trials with the helper.

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

#include "core/mesh/ModelCheck.h"
#include "core/text/NumberText.h"

namespace {

// Rounded up to three significant digits, so that a larger area, which
// never needs more triangles, stands for the one found.
double RoundedUp(double v) {
  const double step = std::pow(10.0, std::floor(std::log10(v)) - 2);
  return std::ceil(v / step - 1e-9) * step;
}

// The mesh grows about as the area shrinks: each trial scales the area by
// how far its count passes the limit. A count that is only a lower bound
// (the helper did not mesh) falls short of a quality mesh's by about a half.
std::optional<FittingArea> ScaledArea(const Model& m, double area, MeshTrial t, const MesherOptions& mesher) {
  const double limit = mesher.limits.triangles;
  for (int i = 0; i < 6 && t.fault == MeshFault::TooLarge && !mesher.wasCancelled(); ++i) {
    const double factor = t.estimated ? 1.7 : 1.05;
    area = RoundedUp(area * std::max(1.0, double(t.triangles) / limit) * factor);
    t = TryMesh(m, area, mesher);
    if (t.outcome == MeshOutcome::Success) return FittingArea{area, t};
  }
  return std::nullopt;
}

// Halving the ratio between an area too small and one that fits.
std::optional<FittingArea> SmallestArea(const Model& m, double tooSmall, const MesherOptions& mesher) {
  // Far above any triangle of the region: the box around every node.
  double x0 = INFINITY, y0 = INFINITY, x1 = -INFINITY, y1 = -INFINITY;
  for (int32_t i = 1; i <= m.nodeCount; ++i) {
    x0 = std::min(x0, double(m.NodeTable[i].x)), x1 = std::max(x1, double(m.NodeTable[i].x));
    y0 = std::min(y0, double(m.NodeTable[i].y)), y1 = std::max(y1, double(m.NodeTable[i].y));
  }
  double lo = tooSmall, hi = std::max(2 * (x1 - x0) * (y1 - y0), 4 * tooSmall);
  if (!std::isfinite(hi) || !(lo > 0)) return std::nullopt;
  if (TryMesh(m, hi, mesher).outcome != MeshOutcome::Success) return std::nullopt;
  while (hi / lo > 1.001) {
    const double mid = std::sqrt(lo * hi);
    const MeshTrial t = TryMesh(m, mid, mesher);
    if (t.outcome == MeshOutcome::Success) {
      hi = mid;
    } else if (t.fault == MeshFault::TooLarge) {
      lo = mid;
    } else {
      break;
    }
  }
  // The rounded area is tried too, and the next ones up while it does not
  // fit: a mesh need not shrink as the area grows.
  double rounded = RoundedUp(hi);
  for (int i = 0; i < 8 && !mesher.wasCancelled(); ++i, rounded = RoundedUp(rounded * 1.005)) {
    const MeshTrial t = TryMesh(m, rounded, mesher);
    if (t.outcome == MeshOutcome::Success) return FittingArea{rounded, t};
  }
  return std::nullopt;
}

}  // namespace

std::optional<FittingArea> FindFittingArea(const Model& m, double tooSmall, const MeshTrial& there,
                                           const MesherOptions& mesher) {
  std::optional<FittingArea> found = mesher.limits.triangles > kMaxMeshTriangles
                                         ? ScaledArea(m, tooSmall, there, mesher)
                                         : SmallestArea(m, tooSmall, mesher);
  return mesher.wasCancelled() ? std::nullopt : found;
}

std::string AreaText(double area, char decimalPoint) {
  // Fifteen significant digits, which drop the noise the area search's
  // arithmetic leaves in the last ones, then the fewest that read back as
  // that: never a long string of zeros for a tiny area nor of digits for a
  // vast one.
  char digits[32];
  const char* end =
      std::to_chars(digits, digits + sizeof digits, area, std::chars_format::scientific, 14).ptr;
  double rounded = area;
  std::from_chars(digits, end, rounded);
  return ShortestText(rounded, decimalPoint);
}
