#include "core/solve/Recovery.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numeric>

namespace {

struct Corners {
  std::array<int32_t, 3> k{};
  bool valid = false;
};

Corners CornersOf(const Model& m, int32_t t) {
  const MeshTriangle& c = m.MeshTriangleTable[t];
  Corners out{{c.corner1, c.corner2, c.corner3}, true};
  for (int32_t k : out.k) out.valid = out.valid && k >= 1 && k <= m.meshNodeCount;
  return out;
}

// The triangles around each node, as compressed rows.
struct NodeTriangles {
  std::vector<int32_t> start, list;
  NodeTriangles(const Model& m, const std::vector<Corners>& corners) : start(size_t(m.meshNodeCount) + 2, 0) {
    for (size_t t = 1; t < corners.size(); ++t) {
      if (!corners[t].valid) continue;
      for (int32_t k : corners[t].k) ++start[size_t(k) + 1];
    }
    std::partial_sum(start.begin(), start.end(), start.begin());
    list.resize(size_t(start.back()));
    std::vector<int32_t> fill(start.begin(), start.end() - 1);
    for (size_t t = 1; t < corners.size(); ++t) {
      if (!corners[t].valid) continue;
      for (int32_t k : corners[t].k) list[size_t(fill[size_t(k)]++)] = int32_t(t);
    }
  }
  const int32_t* begin(int32_t n) const { return list.data() + start[size_t(n)]; }
  const int32_t* end(int32_t n) const { return list.data() + start[size_t(n + 1)]; }
};

// Whether the node lies on the edge of the fan of `patch` around it: some
// edge from it belongs to one triangle of the patch only.
bool OnEdgeOfFan(int32_t node, const std::vector<int32_t>& patch, const std::vector<Corners>& corners) {
  std::array<std::pair<int32_t, int32_t>, 64> seen{};
  size_t count = 0;
  for (int32_t t : patch) {
    for (int32_t k : corners[size_t(t)].k) {
      if (k == node) continue;
      size_t i = 0;
      while (i < count && seen[i].first != k) ++i;
      if (i == count) {
        if (count == seen.size()) return true;  // a fan this wide is no fan
        seen[count++] = {k, 0};
      }
      ++seen[i].second;
    }
  }
  for (size_t i = 0; i < count; ++i) {
    if (seen[i].second != 2) return true;
  }
  return false;
}

}  // namespace

RecoveredField Recover(const Model& m, const std::vector<double>& perTriangle, int32_t components) {
  RecoveredField out;
  out.components = components;
  const int32_t triangles = m.meshTriangleCount, nodes = m.meshNodeCount;
  if (triangles < 1 || components < 1 || perTriangle.size() < size_t(triangles + 1) * size_t(components))
    return out;
  std::vector<Corners> corners(size_t(triangles) + 1);
  std::vector<std::array<double, 2>> centroid(corners.size());
  std::vector<double> area(corners.size(), 0.0);
  for (int32_t t = 1; t <= triangles; ++t) {
    Corners& c = corners[size_t(t)];
    c = CornersOf(m, t);
    if (!c.valid) continue;
    const MeshNode &a = m.MeshNodeTable[c.k[0]], &b = m.MeshNodeTable[c.k[1]], &d = m.MeshNodeTable[c.k[2]];
    centroid[size_t(t)] = {(a.x + b.x + d.x) / 3.0, (a.y + b.y + d.y) / 3.0};
    area[size_t(t)] = 0.5 * std::abs((b.x - a.x) * (d.y - a.y) - (d.x - a.x) * (b.y - a.y));
  }
  const NodeTriangles around(m, corners);
  const auto material = [&m](int32_t t) { return m.MeshTriangleTable[t].material; };
  out.cornerSlot.assign(size_t(triangles) * 3, -1);
  out.nodeSlot.assign(size_t(nodes) + 1, -1);
  out.values.reserve(size_t(nodes) * size_t(components));
  std::vector<int32_t> stamp(corners.size(), 0), fan, group, patch;
  int32_t stampNow = 0;
  const size_t nc = size_t(components);
  std::vector<double> rhs(3 * nc);
  for (int32_t n = 1; n <= nodes; ++n) {
    fan.assign(around.begin(n), around.end(n));
    std::stable_sort(fan.begin(), fan.end(), [&](int32_t a, int32_t b) { return material(a) < material(b); });
    for (size_t first = 0; first < fan.size();) {
      const int32_t mat = material(fan[first]);
      size_t last = first;
      while (last < fan.size() && material(fan[last]) == mat) ++last;
      group.assign(fan.begin() + ptrdiff_t(first), fan.begin() + ptrdiff_t(last));
      first = last;
      // The patch: the group's triangles, and where the node is on its
      // region's edge or the group is small, the triangles of the same
      // material around the group's other corners too.
      ++stampNow;
      patch = group;
      for (int32_t t : patch) stamp[size_t(t)] = stampNow;
      if (group.size() < 3 || OnEdgeOfFan(n, group, corners)) {
        for (int32_t t : group) {
          for (int32_t k : corners[size_t(t)].k) {
            if (k == n) continue;
            for (const int32_t* u = around.begin(k); u != around.end(k); ++u) {
              if (stamp[size_t(*u)] != stampNow && material(*u) == mat) {
                stamp[size_t(*u)] = stampNow;
                patch.push_back(*u);
              }
            }
          }
        }
      }
      // Least squares of v = a + b ξ + c η at the centroids, ξ and η the
      // offsets from the node in units of the patch's size.
      const MeshNode& at = m.MeshNodeTable[n];
      double size = 0.0;
      for (int32_t t : patch) {
        size = std::max(
            {size, std::abs(centroid[size_t(t)][0] - at.x), std::abs(centroid[size_t(t)][1] - at.y)});
      }
      std::array<double, 6> a{};  // the normal matrix's upper triangle: 00 01 02 11 12 22
      std::fill(rhs.begin(), rhs.end(), 0.0);
      for (int32_t t : patch) {
        const double xi = size > 0 ? (centroid[size_t(t)][0] - at.x) / size : 0.0;
        const double eta = size > 0 ? (centroid[size_t(t)][1] - at.y) / size : 0.0;
        const double p[3] = {1.0, xi, eta};
        a[0] += 1, a[1] += xi, a[2] += eta, a[3] += xi * xi, a[4] += xi * eta, a[5] += eta * eta;
        const double* v = &perTriangle[size_t(t) * nc];
        for (size_t i = 0; i < nc; ++i)
          for (size_t j = 0; j < 3; ++j) rhs[j * nc + i] += p[j] * v[i];
      }
      // The value at the node is the first unknown: by Cramer's rule, with
      // the determinant against the matrix's scale telling a thin patch.
      const double m00 = a[0], m01 = a[1], m02 = a[2], m11 = a[3], m12 = a[4], m22 = a[5];
      const double c00 = m11 * m22 - m12 * m12, c01 = m02 * m12 - m01 * m22, c02 = m01 * m12 - m02 * m11;
      const double det = m00 * c00 + m01 * c01 + m02 * c02;
      const bool plane = patch.size() >= 3 && det > 1e-8 * m00 * m00 * m00;
      const int32_t slot = int32_t(out.values.size() / nc);
      for (size_t i = 0; i < nc; ++i) {
        double v = 0.0;
        if (plane) {
          v = (c00 * rhs[i] + c01 * rhs[nc + i] + c02 * rhs[2 * nc + i]) / det;
        } else {
          double weight = 0.0;
          for (int32_t t : group)
            v += area[size_t(t)] * perTriangle[size_t(t) * nc + i], weight += area[size_t(t)];
          v = weight > 0 ? v / weight : perTriangle[size_t(group.front()) * nc + i];
        }
        out.values.push_back(v);
      }
      if (out.nodeSlot[size_t(n)] < 0) out.nodeSlot[size_t(n)] = slot;
      for (int32_t t : group) {
        for (int c = 0; c < 3; ++c) {
          if (corners[size_t(t)].k[size_t(c)] == n) out.cornerSlot[size_t(3 * (t - 1) + c)] = slot;
        }
      }
    }
  }
  return out;
}

ErrorEstimate EstimateError(const Model& m, const std::vector<double>& perTriangle, const RecoveredField& r,
                            const std::vector<Compliance>& perMaterial) {
  ErrorEstimate e;
  const int32_t triangles = m.meshTriangleCount;
  e.triangle.assign(size_t(std::max(triangles, 0)) + 1, 0.0);
  if (r.empty()) return e;
  const size_t nc = size_t(r.components);
  // The energy density of a field value d under a triangle's compliance.
  const auto density = [nc](const Compliance& c, const double* d) {
    if (nc == 2) return c.c11 * d[0] * d[0] + c.c22 * d[1] * d[1];
    return c.c11 * d[0] * d[0] + c.c22 * d[1] * d[1] + 2.0 * c.c12 * d[0] * d[1] + c.c33 * d[2] * d[2];
  };
  double error2 = 0.0, energy2 = 0.0;
  for (int32_t t = 1; t <= triangles; ++t) {
    const Corners c = CornersOf(m, t);
    if (!c.valid || r.cornerSlot[size_t(3 * (t - 1))] < 0) continue;
    const MeshNode &a = m.MeshNodeTable[c.k[0]], &b = m.MeshNodeTable[c.k[1]], &d = m.MeshNodeTable[c.k[2]];
    const double area = 0.5 * std::abs((b.x - a.x) * (d.y - a.y) - (d.x - a.x) * (b.y - a.y));
    const double* raw = &perTriangle[size_t(t) * nc];
    const int32_t material = m.MeshTriangleTable[t].material;
    if (material < 0 || size_t(material) >= perMaterial.size()) continue;
    const Compliance& w = perMaterial[size_t(material)];
    // The difference is linear across the triangle and its square
    // quadratic: the edges' midpoints integrate it exactly.
    double sum = 0.0;
    for (int32_t i = 0; i < 3; ++i) {
      const double* p = r.corner(t, i);
      const double* q = r.corner(t, (i + 1) % 3);
      double diff[3] = {0.0, 0.0, 0.0};
      for (size_t j = 0; j < nc; ++j) diff[j] = (p[j] + q[j]) / 2.0 - raw[j];
      sum += density(w, diff);
    }
    e.triangle[size_t(t)] = std::max(0.0, sum * area / 3.0);
    error2 += e.triangle[size_t(t)];
    energy2 += std::max(0.0, density(w, raw) * area);
  }
  e.error = std::sqrt(error2);
  e.energy = std::sqrt(energy2);
  e.eta = error2 + energy2 > 0.0 ? std::sqrt(error2 / (error2 + energy2)) : 0.0;
  return e;
}
