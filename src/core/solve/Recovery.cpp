#include "core/solve/Recovery.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <memory>
#include <numeric>
#include <span>

#include "core/parallel/ForkJoin.h"

namespace {

struct Corners {
  std::array<int32_t, 3> k{};
  bool valid = false;
};

// The mesh's rows read straight from their storage where it is one block,
// as it is for any mesh the mesher made, without the checks of the tables'
// operator[]; through it otherwise.
class MeshRows {
 public:
  explicit MeshRows(const Model& m)
      : m_(m),
        nodes_(m.MeshNodeTable.rows(m.meshNodeCount)),
        triangles_(m.MeshTriangleTable.rows(m.meshTriangleCount)) {}
  const MeshNode& node(int32_t k) const { return nodes_[k]; }
  const MeshTriangle& triangle(int32_t t) const { return triangles_[t]; }
  Corners corners(int32_t t) const {
    const MeshTriangle& c = triangle(t);
    Corners out{{c.corner1, c.corner2, c.corner3}, true};
    for (int32_t k : out.k) out.valid = out.valid && k >= 1 && k <= m_.meshNodeCount;
    return out;
  }

 private:
  const Model& m_;
  MeshTable<MeshNode>::View nodes_;
  MeshTable<MeshTriangle>::View triangles_;
};

// What recovery reads of a triangle, in one cache line: the patches of
// neighbouring nodes read the same triangles, and a million of them do not
// stay in the cache otherwise. Left uninitialized when made: the threads
// that fill the rows touch their pages first, instead of one thread
// clearing them all beforehand.
struct alignas(64) Patchwork {
  std::array<int32_t, 3> k;  // all 0 for a triangle passed over
  int32_t material;
  double cx, cy, area;
  std::array<double, 3> v;
};
using Triangles = std::span<const Patchwork>;

// The triangles around each node, as compressed rows.
struct NodeTriangles {
  std::vector<int32_t> start, list;
  NodeTriangles(int32_t nodes, Triangles t) : start(size_t(nodes) + 2, 0) {
    for (size_t i = 1; i < t.size(); ++i) {
      if (t[i].k[0] == 0) continue;
      for (int32_t k : t[i].k) ++start[size_t(k) + 1];
    }
    std::partial_sum(start.begin(), start.end(), start.begin());
    list.resize(size_t(start.back()));
    std::vector<int32_t> fill(start.begin(), start.end() - 1);
    for (size_t i = 1; i < t.size(); ++i) {
      if (t[i].k[0] == 0) continue;
      for (int32_t k : t[i].k) list[size_t(fill[size_t(k)]++)] = int32_t(i);
    }
  }
  const int32_t* begin(int32_t n) const { return list.data() + start[size_t(n)]; }
  const int32_t* end(int32_t n) const { return list.data() + start[size_t(n + 1)]; }
};

// Whether the node lies on the edge of the fan of `patch` around it: some
// edge from it belongs to one triangle of the patch only.
bool OnEdgeOfFan(int32_t node, std::span<const int32_t> patch, Triangles t) {
  std::array<std::pair<int32_t, int32_t>, 64> seen;  // the first `count` used
  size_t count = 0;
  for (int32_t i : patch) {
    for (int32_t k : t[size_t(i)].k) {
      if (k == node) continue;
      size_t j = 0;
      while (j < count && seen[j].first != k) ++j;
      if (j == count) {
        if (count == seen.size()) return true;  // a fan this wide is no fan
        seen[count++] = {k, 0};
      }
      ++seen[j].second;
    }
  }
  for (size_t j = 0; j < count; ++j) {
    if (seen[j].second != 2) return true;
  }
  return false;
}

// The slots of nodes first … last - 1, numbered from 0: each one's value
// and the plane fitted over its patch (the value at the node and the
// slopes), and which lie on the edge of their material's region.
struct NodeRange {
  std::vector<double> values;
  std::vector<double> slopes;  // 2 nc a slot: d/dx, then d/dy, of each component
  std::vector<int32_t> edge;   // the slots on an edge, and the node of each
  std::vector<int32_t> edgeNode;
  int32_t slots = 0;
};

// The patch of a group of triangles around node n, all of one material:
// the group itself, and where the node is on its region's edge or the
// group is small, the triangles of the same material around the group's
// other corners too, gathered in `patch`. Returns the patch and whether
// the node is on the edge.
std::pair<std::span<const int32_t>, bool> PatchOf(int32_t n, std::span<const int32_t> group, Triangles tri,
                                                  const NodeTriangles& around, std::vector<int32_t>& patch) {
  if (group.size() >= 3 && !OnEdgeOfFan(n, group, tri)) return {group, false};
  patch.assign(group.begin(), group.end());
  const int32_t mat = tri[size_t(group.front())].material;
  for (int32_t t : group) {
    for (int32_t k : tri[size_t(t)].k) {
      if (k == n) continue;
      for (const int32_t* u = around.begin(k); u != around.end(k); ++u) {
        if (tri[size_t(*u)].material == mat && std::find(patch.begin(), patch.end(), *u) == patch.end())
          patch.push_back(*u);
      }
    }
  }
  return {patch, true};
}

// The least-squares plane v = a + b ξ + c η through the values at the
// patch's centroids, ξ and η the offsets from the node: each component's
// value at the node into `values` and its two slopes into `slopes`. A
// patch too thin for a plane gives the area-weighted mean of the node's own
// group and no slope.
void FitPlane(const MeshNode& at, std::span<const int32_t> patch, std::span<const int32_t> group,
              Triangles tri, size_t nc, std::vector<double>& values, std::vector<double>& slopes) {
  std::array<double, 6> a{};  // the normal matrix's upper triangle: 00 01 02 11 12 22
  std::array<double, 9> rhs{};
  for (int32_t t : patch) {
    const Patchwork& w = tri[size_t(t)];
    const double xi = w.cx - at.x, eta = w.cy - at.y;
    a[0] += 1, a[1] += xi, a[2] += eta, a[3] += xi * xi, a[4] += xi * eta, a[5] += eta * eta;
    for (size_t i = 0; i < nc; ++i) {
      rhs[i] += w.v[i], rhs[nc + i] += xi * w.v[i], rhs[2 * nc + i] += eta * w.v[i];
    }
  }
  // By the adjugate. The determinant against the product of the diagonal
  // (at most 1 for a positive definite matrix, whatever the patch's size)
  // tells a patch too thin for a plane.
  const double m00 = a[0], m01 = a[1], m02 = a[2], m11 = a[3], m12 = a[4], m22 = a[5];
  const double c00 = m11 * m22 - m12 * m12, c01 = m02 * m12 - m01 * m22, c02 = m01 * m12 - m02 * m11;
  const double c11 = m00 * m22 - m02 * m02, c12 = m01 * m02 - m00 * m12, c22 = m00 * m11 - m01 * m01;
  const double det = m00 * c00 + m01 * c01 + m02 * c02;
  const bool plane = patch.size() >= 3 && det > 1e-6 * m00 * m11 * m22;
  for (size_t i = 0; i < nc; ++i) {
    const double r0 = rhs[i], r1 = rhs[nc + i], r2 = rhs[2 * nc + i];
    double v = 0.0;
    if (plane) {
      v = (c00 * r0 + c01 * r1 + c02 * r2) / det;
    } else {
      double weight = 0.0;
      for (int32_t t : group) v += tri[size_t(t)].area * tri[size_t(t)].v[i], weight += tri[size_t(t)].area;
      v = weight > 0 ? v / weight : tri[size_t(group.front())].v[i];
    }
    values.push_back(v);
  }
  for (size_t i = 0; i < nc; ++i) {
    const double r0 = rhs[i], r1 = rhs[nc + i], r2 = rhs[2 * nc + i];
    slopes.push_back(plane ? (c01 * r0 + c11 * r1 + c12 * r2) / det : 0.0);
    slopes.push_back(plane ? (c02 * r0 + c12 * r1 + c22 * r2) / det : 0.0);
  }
}

// Nodes first … last - 1: a slot for each material's group of triangles
// around each node, its value and plane fitted over the group's patch.
NodeRange RecoverNodes(const Model& m, Triangles tri, const NodeTriangles& around, size_t nc, int32_t first,
                       int32_t last, RecoveredField& out) {
  NodeRange range;
  range.values.reserve(size_t(last - first) * nc);
  range.slopes.reserve(size_t(last - first) * 2 * nc);
  const auto material = [&tri](int32_t t) { return tri[size_t(t)].material; };
  const MeshRows mesh(m);
  std::vector<int32_t> fan, wider;
  for (int32_t n = first; n < last; ++n) {
    fan.assign(around.begin(n), around.end(n));
    // By material, in place: a fan is a handful of triangles, mostly of one.
    for (size_t i = 1; i < fan.size(); ++i) {
      const int32_t t = fan[i];
      size_t j = i;
      for (; j > 0 && material(fan[j - 1]) > material(t); --j) fan[j] = fan[j - 1];
      fan[j] = t;
    }
    for (size_t from = 0; from < fan.size();) {
      size_t to = from;
      while (to < fan.size() && material(fan[to]) == material(fan[from])) ++to;
      const std::span<const int32_t> group(fan.data() + from, to - from);
      from = to;
      const auto [patch, onEdge] = PatchOf(n, group, tri, around, wider);
      FitPlane(mesh.node(n), patch, group, tri, nc, range.values, range.slopes);
      const int32_t slot = range.slots++;
      if (onEdge) range.edge.push_back(slot), range.edgeNode.push_back(n);
      if (out.nodeSlot[size_t(n)] < 0) out.nodeSlot[size_t(n)] = slot;  // the lowest material's
      for (int32_t t : group) {
        for (int c = 0; c < 3; ++c) {
          if (tri[size_t(t)].k[size_t(c)] == n) out.cornerSlot[size_t(3 * (t - 1) + c)] = slot;
        }
      }
    }
  }
  return range;
}

// A node on the edge of its region is where a one-sided fit is least sure:
// its value is the mean of the planes fitted around its neighbours inside
// the region, each taken at the node. One with no such neighbour keeps its
// own fit over the wider patch.
void RecoverEdges(const Model& m, Triangles tri, const NodeTriangles& around, size_t nc,
                  const std::vector<double>& slopes, const std::vector<int32_t>& edge,
                  const std::vector<int32_t>& edgeNode, RecoveredField& out) {
  std::vector<bool> onEdge(out.values.size() / nc, false);
  for (int32_t slot : edge) onEdge[size_t(slot)] = true;
  std::vector<int32_t> seen;
  std::array<double, 3> sum{};
  for (size_t e = 0; e < edge.size(); ++e) {
    const int32_t slot = edge[e], n = edgeNode[e];
    const MeshNode& at = m.MeshNodeTable[n];
    seen.clear();
    sum.fill(0.0);
    for (const int32_t* u = around.begin(n); u != around.end(n); ++u) {
      const int32_t t = *u;
      if (out.cornerSlot[size_t(3 * (t - 1)) +
                         size_t(std::find(tri[size_t(t)].k.begin(), tri[size_t(t)].k.end(), n) -
                                tri[size_t(t)].k.begin())] != slot)
        continue;  // a triangle of another material
      for (int32_t c = 0; c < 3; ++c) {
        const int32_t k = tri[size_t(t)].k[size_t(c)];
        const int32_t other = out.cornerSlot[size_t(3 * (t - 1) + c)];
        if (k == n || onEdge[size_t(other)] || std::find(seen.begin(), seen.end(), other) != seen.end())
          continue;
        seen.push_back(other);
        const MeshNode& from = m.MeshNodeTable[k];
        for (size_t i = 0; i < nc; ++i) {
          const double* s = &slopes[size_t(other) * 2 * nc + 2 * i];
          sum[i] += out.values[size_t(other) * nc + i] + s[0] * (at.x - from.x) + s[1] * (at.y - from.y);
        }
      }
    }
    if (seen.empty()) continue;
    for (size_t i = 0; i < nc; ++i) out.values[size_t(slot) * nc + i] = sum[i] / double(seen.size());
  }
}

// Each valid triangle's corners, material, centroid, area and value; the
// rows of triangles passed over have no corners.
std::unique_ptr<Patchwork[]> PatchworkRows(const Model& m, const std::vector<double>& perTriangle,
                                           size_t nc) {
  const int32_t triangles = m.meshTriangleCount;
  auto rows = std::make_unique_for_overwrite<Patchwork[]>(size_t(triangles) + 1);
  rows[0].k = {0, 0, 0};
  const MeshRows mesh(m);
  ForkJoin(size_t(triangles), [&](size_t from, size_t to) {
    for (int32_t t = int32_t(from) + 1; t <= int32_t(to); ++t) {
      const Corners c = mesh.corners(t);
      Patchwork& w = rows[size_t(t)];
      if (!c.valid) {
        w.k = {0, 0, 0};
        w.material = 0;
        continue;
      }
      w.k = c.k;
      w.material = mesh.triangle(t).material;
      const MeshNode &a = mesh.node(c.k[0]), &b = mesh.node(c.k[1]), &d = mesh.node(c.k[2]);
      w.cx = (a.x + b.x + d.x) / 3.0, w.cy = (a.y + b.y + d.y) / 3.0;
      w.area = 0.5 * std::abs((b.x - a.x) * (d.y - a.y) - (d.x - a.x) * (b.y - a.y));
      for (size_t i = 0; i < nc; ++i) w.v[i] = perTriangle[size_t(t) * nc + i];
    }
  });
  return rows;
}

// Every node's slots, recovered in chunks of the nodes at once. Each chunk
// numbers its own slots from 0 in the nodes' order; each chunk's then
// follow the chunks' before it, so the slots are numbered as one pass over
// the nodes would number them, however many chunks there were.
NodeRange RecoverAllNodes(const Model& m, Triangles tri, const NodeTriangles& around, size_t nc,
                          RecoveredField& out) {
  const int32_t nodes = m.meshNodeCount;
  const RangeSplit split(size_t(nodes), Workers(), SmallestChunk());
  std::vector<NodeRange> ranges(split.chunks());
  split.run([&](size_t chunk, size_t from, size_t to) {
    ranges[chunk] = RecoverNodes(m, tri, around, nc, int32_t(from) + 1, int32_t(to) + 1, out);
  });
  // What each node's slots move by: its chunk's offset.
  std::vector<int32_t> offset(ranges.size(), 0), shift(size_t(nodes) + 1, 0);
  for (size_t k = 1; k < ranges.size(); ++k) {
    offset[k] = offset[k - 1] + ranges[k - 1].slots;
    std::fill(shift.begin() + ptrdiff_t(split.from(k)) + 1, shift.begin() + ptrdiff_t(split.from(k + 1)) + 1,
              offset[k]);
  }
  for (int32_t n = 1; n <= nodes; ++n) {
    if (out.nodeSlot[size_t(n)] >= 0) out.nodeSlot[size_t(n)] += shift[size_t(n)];
  }
  ForkJoin(tri.size() - 1, [&](size_t from, size_t to) {
    for (size_t t = from + 1; t <= to; ++t) {
      for (size_t c = 0; c < 3; ++c) {
        int32_t& slot = out.cornerSlot[3 * (t - 1) + c];
        if (slot >= 0) slot += shift[size_t(tri[t].k[c])];
      }
    }
  });
  NodeRange all;
  for (size_t k = 0; k < ranges.size(); ++k) {
    const NodeRange& r = ranges[k];
    all.values.insert(all.values.end(), r.values.begin(), r.values.end());
    all.slopes.insert(all.slopes.end(), r.slopes.begin(), r.slopes.end());
    for (int32_t slot : r.edge) all.edge.push_back(slot + offset[k]);
    all.edgeNode.insert(all.edgeNode.end(), r.edgeNode.begin(), r.edgeNode.end());
    all.slots += r.slots;
  }
  return all;
}

}  // namespace

RecoveredField Recover(const Model& m, const std::vector<double>& perTriangle, int32_t components) {
  RecoveredField out;
  out.components = components;
  const int32_t triangles = m.meshTriangleCount, nodes = m.meshNodeCount;
  if (triangles < 1 || components < 1 || components > 3 ||
      perTriangle.size() < size_t(triangles + 1) * size_t(components))
    return out;
  const size_t nc = size_t(components);
  const std::unique_ptr<Patchwork[]> rows = PatchworkRows(m, perTriangle, nc);
  const Triangles tri(rows.get(), size_t(triangles) + 1);
  const NodeTriangles around(nodes, tri);
  out.cornerSlot.assign(size_t(triangles) * 3, -1);
  out.nodeSlot.assign(size_t(nodes) + 1, -1);
  NodeRange all = RecoverAllNodes(m, tri, around, nc, out);
  out.values = std::move(all.values);
  RecoverEdges(m, tri, around, nc, all.slopes, all.edge, all.edgeNode, out);
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
  // The triangles are summed in blocks of a fixed size, whichever worker
  // takes a block, and the blocks' sums are added in order: the totals are
  // the same to the bit with any number of workers.
  constexpr size_t kBlock = 4096;
  const size_t blocks = (size_t(triangles) + kBlock - 1) / kBlock;
  std::vector<std::array<double, 2>> sums(blocks);
  const MeshRows mesh(m);
  const auto sumBlock = [&](size_t block) {
    double error2 = 0.0, energy2 = 0.0;
    const auto last = int32_t(std::min(size_t(triangles), (block + 1) * kBlock));
    for (auto t = int32_t(block * kBlock) + 1; t <= last; ++t) {
      const Corners c = mesh.corners(t);
      if (!c.valid || r.cornerSlot[size_t(3 * (t - 1))] < 0) continue;
      const MeshNode &a = mesh.node(c.k[0]), &b = mesh.node(c.k[1]), &d = mesh.node(c.k[2]);
      const double area = 0.5 * std::abs((b.x - a.x) * (d.y - a.y) - (d.x - a.x) * (b.y - a.y));
      const double* raw = &perTriangle[size_t(t) * nc];
      const int32_t material = mesh.triangle(t).material;
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
    sums[block] = {error2, energy2};
  };
  RangeSplit(blocks, Workers(), std::max<size_t>(1, SmallestChunk() / kBlock))
      .run([&](size_t, size_t from, size_t to) {
        for (size_t block = from; block < to; ++block) sumBlock(block);
      });
  double error2 = 0.0, energy2 = 0.0;
  for (const auto& sum : sums) error2 += sum[0], energy2 += sum[1];
  e.error = std::sqrt(error2);
  e.energy = std::sqrt(energy2);
  e.eta = error2 + energy2 > 0.0 ? std::sqrt(error2 / (error2 + energy2)) : 0.0;
  return e;
}
