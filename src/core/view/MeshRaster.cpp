#include "core/view/MeshRaster.h"

#include <algorithm>
#include <cmath>

#include "core/simd/VectorState.h"
#include "core/view/PixelLines.h"

using pixel_lines::Clip;
using pixel_lines::Line;

std::vector<std::pair<int32_t, int32_t>> UniqueMeshEdges(const Model& m) {
  const int32_t nodes = m.meshNodeCount, triangles = m.meshTriangleCount;
  const auto inMesh = [nodes](int32_t k) { return k >= 1 && k <= nodes; };
  // The triangles' directed edges, grouped by their first node.
  std::vector<int32_t> start(size_t(nodes) + 2, 0);
  for (int32_t t = 1; t <= triangles; ++t) {
    const MeshTriangle& c = m.MeshTriangleTable[t];
    for (int32_t k : {c.corner1, c.corner2, c.corner3}) {
      if (inMesh(k)) ++start[size_t(k) + 1];
    }
  }
  for (size_t k = 1; k < start.size(); ++k) start[k] += start[k - 1];
  std::vector<int32_t> to(size_t(start.back()));
  std::vector<int32_t> fill(start.begin(), start.end() - 1);
  for (int32_t t = 1; t <= triangles; ++t) {
    const MeshTriangle& c = m.MeshTriangleTable[t];
    const int32_t corners[] = {c.corner1, c.corner2, c.corner3};
    for (int i = 0; i < 3; ++i) {
      const int32_t a = corners[i], b = corners[(i + 1) % 3];
      if (inMesh(a) && inMesh(b)) to[size_t(fill[size_t(a)]++)] = b;
    }
  }
  const auto has = [&](int32_t a, int32_t b) {
    return std::find(to.begin() + start[size_t(a)], to.begin() + fill[size_t(a)], b) !=
           to.begin() + fill[size_t(a)];
  };
  // Two triangles that share an edge run it both ways: it is taken from the
  // lower node. An edge that runs only from the higher node is on the
  // boundary and taken from there; so is one of a wrongly turned triangle.
  std::vector<std::pair<int32_t, int32_t>> edges;
  edges.reserve(to.size() / 2 + size_t(nodes));
  for (int32_t a = 1; a <= nodes; ++a) {
    for (int32_t i = start[size_t(a)]; i < fill[size_t(a)]; ++i) {
      const int32_t b = to[size_t(i)];
      if (a == b || std::find(to.begin() + start[size_t(a)], to.begin() + i, b) != to.begin() + i) continue;
      if (a < b || !has(b, a)) edges.emplace_back(std::min(a, b), std::max(a, b));
    }
  }
  return edges;
}

void MeshRaster::release() {
  mesh_.forget();
  edges_ = {};
}

void MeshRaster::draw(const Model& m, const ViewTransform& view, int32_t width, int32_t height,
                      uint32_t* pixels, ptrdiff_t stride, uint32_t colour, const double* x, const double* y,
                      int32_t leastPixels) {
  ClearUpperVectorState();
  counts_ = {};
  if (width <= 0 || height <= 0 || m.meshTriangleCount < 1) return;
  if (mesh_.changedTo(m)) edges_ = UniqueMeshEdges(m);
  counts_.edges = edges_.size();
  // Every node's pixel as the scene computes it (from the single-precision
  // coordinates, truncated toward zero), held within a range where the
  // arithmetic below cannot overflow.
  const ScreenMapping map = MappingFor(view, height);
  const int32_t nodeCount = m.meshNodeCount;
  const auto pixel = [](double v) { return static_cast<int32_t>(std::clamp(v, -1e9, 1e9)); };
  sx_.resize(size_t(nodeCount) + 1);
  sy_.resize(size_t(nodeCount) + 1);
  const auto rows = m.MeshNodeTable.rows(nodeCount);
  for (int32_t k = 1; k <= nodeCount; ++k) {
    if (x != nullptr) {
      sx_[size_t(k)] = pixel(map.x(x[k]));
      sy_[size_t(k)] = pixel(map.y(y[k]));
      continue;
    }
    const MeshNode& n = rows[k];
    sx_[size_t(k)] = pixel(map.x(SinglePrecision(n.x)));
    sy_[size_t(k)] = pixel(map.y(SinglePrecision(n.y)));
  }
  for (const auto& [a, b] : edges_) {
    const int32_t x0 = sx_[size_t(a)], y0 = sy_[size_t(a)], x1 = sx_[size_t(b)], y1 = sy_[size_t(b)];
    if (std::max(x0, x1) < 0 || std::min(x0, x1) >= width || std::max(y0, y1) < 0 ||
        std::min(y0, y1) >= height) {
      ++counts_.culled;
      continue;
    }
    if (std::max(std::abs(int64_t(x1) - x0), std::abs(int64_t(y1) - y0)) < leastPixels) {
      ++counts_.thinned;
      continue;
    }
    if (x0 == x1 && y0 == y1) {
      ++counts_.collapsed;
      pixels[ptrdiff_t(y0) * stride + x0] = colour;
      continue;
    }
    if (x0 >= 0 && x0 < width && x1 >= 0 && x1 < width && y0 >= 0 && y0 < height && y1 >= 0 && y1 < height) {
      Line(x0, y0, x1, y1, pixels, stride, colour);
      continue;
    }
    double cx0 = x0, cy0 = y0, cx1 = x1, cy1 = y1;
    if (!Clip(cx0, cy0, cx1, cy1, width, height)) {
      ++counts_.culled;
      continue;
    }
    const auto in = [](double v, int32_t size) {
      return std::clamp(static_cast<int32_t>(std::lround(v)), 0, size - 1);
    };
    Line(in(cx0, width), in(cy0, height), in(cx1, width), in(cy1, height), pixels, stride, colour);
  }
}
