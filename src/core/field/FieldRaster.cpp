#include "core/field/FieldRaster.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "core/view/PixelLines.h"

void TriangleLocator::build(const Model& m, const std::vector<double>& x, const std::vector<double>& y) {
  x_ = x;
  y_ = y;
  corners_.clear();
  start_.clear();
  items_.clear();
  nx_ = ny_ = 0;
  const int32_t nodes = std::min<int32_t>(m.meshNodeCount, int32_t(std::min(x.size(), y.size())) - 1);
  double xMin = std::numeric_limits<double>::infinity(), xMax = -xMin, yMin = xMin, yMax = -xMin;
  corners_.reserve(size_t(std::max(m.meshTriangleCount, 0)));
  for (int32_t t = 1; t <= m.meshTriangleCount; ++t) {
    const MeshTriangle& c = m.MeshTriangleTable[t];
    std::array<int32_t, 3> k{c.corner1, c.corner2, c.corner3};
    bool valid = true;
    for (int32_t n : k) valid = valid && n >= 1 && n <= nodes;
    if (!valid) k = {0, 0, 0};
    corners_.push_back(k);
    for (int32_t n : k) {
      if (n == 0) continue;
      xMin = std::min(xMin, x[size_t(n)]), xMax = std::max(xMax, x[size_t(n)]);
      yMin = std::min(yMin, y[size_t(n)]), yMax = std::max(yMax, y[size_t(n)]);
    }
  }
  if (!(xMin <= xMax && yMin <= yMax)) return;
  // About one cell per triangle, square where the box allows.
  const double w = std::max(xMax - xMin, 1e-300), h = std::max(yMax - yMin, 1e-300);
  const double count = double(corners_.size());
  nx_ = std::clamp(int32_t(std::sqrt(count * w / h)), 1, 4096);
  ny_ = std::clamp(int32_t(count / nx_), 1, 4096);
  x0_ = xMin, y0_ = yMin;
  cellW_ = w / nx_, cellH_ = h / ny_;
  fillCells();
}

void TriangleLocator::fillCells() {
  const auto cellX = [&](double v) { return std::clamp(int32_t((v - x0_) / cellW_), 0, nx_ - 1); };
  const auto cellY = [&](double v) { return std::clamp(int32_t((v - y0_) / cellH_), 0, ny_ - 1); };
  start_.assign(size_t(nx_) * size_t(ny_) + 1, 0);
  // Twice: counting the cells' entries, then filling them.
  for (int pass = 0; pass < 2; ++pass) {
    for (size_t t = 0; t < corners_.size(); ++t) {
      const auto& k = corners_[t];
      if (k[0] == 0) continue;
      const double bx0 = std::min({x_[size_t(k[0])], x_[size_t(k[1])], x_[size_t(k[2])]});
      const double bx1 = std::max({x_[size_t(k[0])], x_[size_t(k[1])], x_[size_t(k[2])]});
      const double by0 = std::min({y_[size_t(k[0])], y_[size_t(k[1])], y_[size_t(k[2])]});
      const double by1 = std::max({y_[size_t(k[0])], y_[size_t(k[1])], y_[size_t(k[2])]});
      if (!(bx0 <= bx1 && by0 <= by1)) continue;  // NaN positions
      for (int32_t j = cellY(by0); j <= cellY(by1); ++j) {
        for (int32_t i = cellX(bx0); i <= cellX(bx1); ++i) {
          const size_t cell = size_t(j) * size_t(nx_) + size_t(i);
          if (pass == 0) {
            ++start_[cell + 1];
          } else {
            items_[size_t(start_[cell]++)] = int32_t(t + 1);
          }
        }
      }
    }
    if (pass == 0) {
      for (size_t i = 1; i < start_.size(); ++i) start_[i] += start_[i - 1];
      items_.resize(size_t(start_.back()));
    } else {
      // The fill moved each start to the next cell's; move them back.
      for (size_t i = start_.size() - 1; i > 0; --i) start_[i] = start_[i - 1];
      start_[0] = 0;
    }
  }
}

MeshHit TriangleLocator::find(double px, double py) const {
  if (nx_ == 0 || !(px >= x0_ && px <= x0_ + cellW_ * nx_ && py >= y0_ && py <= y0_ + cellH_ * ny_))
    return {};
  const int32_t i = std::clamp(int32_t((px - x0_) / cellW_), 0, nx_ - 1);
  const int32_t j = std::clamp(int32_t((py - y0_) / cellH_), 0, ny_ - 1);
  const size_t cell = size_t(j) * size_t(nx_) + size_t(i);
  // A point on an edge counts for the triangles on both sides; rounding may
  // put it a hair outside both, which the tolerance forgives.
  constexpr double kTolerance = 1e-12;
  for (int32_t n = start_[cell]; n < start_[cell + 1]; ++n) {
    const int32_t t = items_[size_t(n)];
    const auto& k = corners_[size_t(t - 1)];
    const double x0 = x_[size_t(k[0])], y0 = y_[size_t(k[0])], x1 = x_[size_t(k[1])], y1 = y_[size_t(k[1])];
    const double x2 = x_[size_t(k[2])], y2 = y_[size_t(k[2])];
    const double d = (y1 - y2) * (x0 - x2) + (x2 - x1) * (y0 - y2);
    if (d == 0.0) continue;
    const double w0 = ((y1 - y2) * (px - x2) + (x2 - x1) * (py - y2)) / d;
    const double w1 = ((y2 - y0) * (px - x2) + (x0 - x2) * (py - y2)) / d;
    const double w2 = 1.0 - w0 - w1;
    if (w0 >= -kTolerance && w1 >= -kTolerance && w2 >= -kTolerance) return {t, {w0, w1, w2}};
  }
  return {};
}

MeshHit TriangleLocator::weightsIn(int32_t t, double px, double py) const {
  if (t < 1 || size_t(t) > corners_.size() || corners_[size_t(t - 1)][0] == 0) return {};
  const auto& k = corners_[size_t(t - 1)];
  const double x0 = x_[size_t(k[0])], y0 = y_[size_t(k[0])], x1 = x_[size_t(k[1])], y1 = y_[size_t(k[1])];
  const double x2 = x_[size_t(k[2])], y2 = y_[size_t(k[2])];
  const double d = (y1 - y2) * (x0 - x2) + (x2 - x1) * (y0 - y2);
  if (d == 0.0) return {};
  const double w0 = ((y1 - y2) * (px - x2) + (x2 - x1) * (py - y2)) / d;
  const double w1 = ((y2 - y0) * (px - x2) + (x0 - x2) * (py - y2)) / d;
  return {t, {w0, w1, 1.0 - w0 - w1}};
}

ModelPoint PixelCentre(const ViewTransform& view, int32_t clientHeight, int32_t px, int32_t py) {
  const ScreenMapping map = MappingFor(view, clientHeight);
  return {map.xMin + (px + 0.5 - map.left) / map.scale, map.yMin + (map.base - (py + 0.5)) / map.scale};
}

namespace {

// Pixel positions in sixteenths, held where their products stay exact in
// 64 bits.
constexpr double kSub = 16.0;
constexpr double kReach = double(1 << 22);

// Rounded half away from zero, without a library call: a million nodes a
// repaint.
int64_t Fixed(double v) {
  const double scaled = std::clamp(v, -kReach, kReach) * kSub;
  return static_cast<int64_t>(scaled + (scaled >= 0.0 ? 0.5 : -0.5));
}

// Fills one triangle at the pixels whose centres it holds. An edge owned by
// the triangle (a top-left rule, made antisymmetric so that of two
// triangles sharing an edge exactly one owns it) takes the centres on it.
template <typename Shade>
void FillTriangle(const int64_t (&X)[3], const int64_t (&Y)[3], int32_t width, int32_t height, Shade&& shade,
                  uint32_t* pixels, ptrdiff_t stride) {
  const int64_t area = (X[1] - X[0]) * (Y[2] - Y[0]) - (Y[1] - Y[0]) * (X[2] - X[0]);
  if (area == 0) return;
  const int64_t half = int64_t(kSub) / 2;
  const int64_t xLo = std::min({X[0], X[1], X[2]}), xHi = std::max({X[0], X[1], X[2]});
  const int64_t yLo = std::min({Y[0], Y[1], Y[2]}), yHi = std::max({Y[0], Y[1], Y[2]});
  // Pixel p's centre is at 16 p + 8.
  const auto floorDiv = [](int64_t v, int64_t d) { return v >= 0 ? v / d : -((-v + d - 1) / d); };
  const auto firstPixel = [&](int64_t v) { return -floorDiv(-(v - half), int64_t(kSub)); };
  const auto lastPixel = [&](int64_t v) { return floorDiv(v - half, int64_t(kSub)); };
  const int64_t px0 = std::max<int64_t>(0, firstPixel(xLo)),
                px1 = std::min<int64_t>(width - 1, lastPixel(xHi));
  const int64_t py0 = std::max<int64_t>(0, firstPixel(yLo)),
                py1 = std::min<int64_t>(height - 1, lastPixel(yHi));
  if (px0 > px1 || py0 > py1) return;
  // Edge i runs from corner i+1 to corner i+2 and weighs corner i; with the
  // corners turned so that the area is positive, inside is where all three
  // are positive.
  const int s = area > 0 ? 1 : -1;
  int64_t a[3], b[3], c[3];
  for (int i = 0; i < 3; ++i) {
    const int j = (i + 1) % 3, k = (i + 2) % 3;
    const int64_t dx = X[k] - X[j], dy = Y[k] - Y[j];
    // E(P) = s (dx (Py - Yj) - dy (Px - Xj))
    a[i] = -s * dy;
    b[i] = s * dx;
    c[i] = -(a[i] * X[j] + b[i] * Y[j]);
    const bool owns = s * dy < 0 || (dy == 0 && s * dx > 0);
    if (!owns) c[i] -= 1;  // centres on the edge go to the neighbour
  }
  const int64_t cx = px0 * int64_t(kSub) + half, cy = py0 * int64_t(kSub) + half;
  int64_t row[3];
  for (int i = 0; i < 3; ++i) row[i] = a[i] * cx + b[i] * cy + c[i];
  const float inverse = 1.0f / float(area * s);
  for (int64_t py = py0; py <= py1; ++py) {
    int64_t e[3] = {row[0], row[1], row[2]};
    uint32_t* line = pixels + ptrdiff_t(py) * stride;
    for (int64_t px = px0; px <= px1; ++px) {
      if ((e[0] | e[1] | e[2]) >= 0) line[px] = shade(float(e[0]) * inverse, float(e[1]) * inverse);
      for (int i = 0; i < 3; ++i) e[i] += a[i] * int64_t(kSub);
    }
    for (int i = 0; i < 3; ++i) row[i] += b[i] * int64_t(kSub);
  }
}

}  // namespace

template <typename XOf, typename YOf, typename Fill>
void FieldRaster::forEachTriangle(const Model& m, int32_t nodes, const XOf& xOf, const YOf& yOf,
                                  const ScreenMapping& map, int32_t width, int32_t height, Fill&& fill) {
  // Each node's fixed-point pixel position, computed once; kept between
  // repaints.
  fx_.resize(size_t(std::max(nodes, 0)) + 1);
  fy_.resize(fx_.size());
  for (int32_t k = 1; k <= nodes; ++k) {
    fx_[size_t(k)] = Fixed(map.x(xOf(k)));
    fy_[size_t(k)] = Fixed(map.y(yOf(k)));
  }
  const int64_t right = int64_t(width) * int64_t(kSub), bottom = int64_t(height) * int64_t(kSub);
  const auto rows = m.MeshTriangleTable.rows(m.meshTriangleCount);
  for (int32_t t = 1; t <= m.meshTriangleCount; ++t) {
    const MeshTriangle& c = rows[t];
    const int32_t k[3] = {c.corner1, c.corner2, c.corner3};
    if (k[0] < 1 || k[1] < 1 || k[2] < 1 || k[0] > nodes || k[1] > nodes || k[2] > nodes) continue;
    const int64_t X[3] = {fx_[size_t(k[0])], fx_[size_t(k[1])], fx_[size_t(k[2])]};
    const int64_t Y[3] = {fy_[size_t(k[0])], fy_[size_t(k[1])], fy_[size_t(k[2])]};
    if (std::max({X[0], X[1], X[2]}) < 0 || std::min({X[0], X[1], X[2]}) >= right ||
        std::max({Y[0], Y[1], Y[2]}) < 0 || std::min({Y[0], Y[1], Y[2]}) >= bottom) {
      continue;
    }
    fill(t, c, k, X, Y);
  }
}

void FieldRaster::drawMap(const Model& m, const std::vector<double>& x, const std::vector<double>& y,
                          const FieldValues& f, const ScreenMapping& map, int32_t width, int32_t height,
                          uint32_t* pixels, ptrdiff_t stride) {
  if (width <= 0 || height <= 0) return;
  const int32_t nodes = std::min<int32_t>(m.meshNodeCount, int32_t(std::min(x.size(), y.size())) - 1);
  const auto& table = ViridisTable();
  const double span = f.max > f.min ? 255.0 / (f.max - f.min) : 0.0;
  const auto place = [&](double v) {
    return std::isnan(v) ? -1.0f : float(span > 0.0 ? std::clamp((v - f.min) * span, 0.0, 255.0) : 127.5);
  };
  if (f.perNode || f.perCorner) {
    const size_t count = f.perNode ? size_t(std::max(nodes, 0)) + 1 : f.values.size();
    t_.resize(count);
    for (size_t k = 1; k < count; ++k) t_[k] = k < f.values.size() ? place(f.values[k]) : -1.0f;
  }
  forEachTriangle(
      m, nodes, [&x](int32_t k) { return x[size_t(k)]; }, [&y](int32_t k) { return y[size_t(k)]; }, map,
      width, height,
      [&](int32_t t, const MeshTriangle&, const int32_t(&k)[3], const int64_t(&X)[3], const int64_t(&Y)[3]) {
        if (f.perNode || f.perCorner) {
          // A corner's value: its node's, or its own where the field may
          // jump between triangles.
          const size_t first = size_t(3 * (t - 1) + 1);
          if (f.perCorner && first + 2 >= t_.size()) return;
          const float t0 = f.perNode ? t_[size_t(k[0])] : t_[first];
          const float t1 = f.perNode ? t_[size_t(k[1])] : t_[first + 1];
          const float t2 = f.perNode ? t_[size_t(k[2])] : t_[first + 2];
          if (t0 < 0.0f || t1 < 0.0f || t2 < 0.0f) return;
          FillTriangle(
              X, Y, width, height,
              [&](float w0, float w1) {
                const float v = t2 + w0 * (t0 - t2) + w1 * (t1 - t2);
                return 0xff000000u | table[size_t(std::clamp(int(v + 0.5f), 0, 255))];
              },
              pixels, stride);
        } else {
          const float v = size_t(t) < f.values.size() ? place(f.values[size_t(t)]) : -1.0f;
          if (v < 0.0f) return;
          const uint32_t colour = 0xff000000u | table[size_t(std::clamp(int(v + 0.5f), 0, 255))];
          FillTriangle(
              X, Y, width, height, [colour](double, double) { return colour; }, pixels, stride);
        }
      });
}

void FieldRaster::drawMaterials(const Model& m, const double* x, const double* y, const ScreenMapping& map,
                                int32_t width, int32_t height, uint32_t* pixels, ptrdiff_t stride) {
  if (width <= 0 || height <= 0) return;
  std::array<uint32_t, kMaxMaterials + 2> colours{};
  for (int32_t k = 0; k <= kMaxMaterials + 1; ++k) {
    const Rgb c = MaterialColour(k);
    colours[size_t(k)] = 0xff000000u | uint32_t(c.r) << 16 | uint32_t(c.g) << 8 | c.b;
  }
  const auto node = m.MeshNodeTable.rows(m.meshNodeCount);
  // The undeformed mesh where the picture draws it: at its single-precision
  // coordinates, as its lines are.
  const auto xOf = [&](int32_t k) { return x != nullptr ? x[k] : double(SinglePrecision(node[k].x)); };
  const auto yOf = [&](int32_t k) { return y != nullptr ? y[k] : double(SinglePrecision(node[k].y)); };
  forEachTriangle(
      m, m.meshNodeCount, xOf, yOf, map, width, height,
      [&](int32_t, const MeshTriangle& c, const int32_t(&)[3], const int64_t(&X)[3], const int64_t(&Y)[3]) {
        const uint32_t colour = colours[size_t(std::clamp(c.material, 0, kMaxMaterials + 1))];
        FillTriangle(
            X, Y, width, height, [colour](double, double) { return colour; }, pixels, stride);
      });
}

void FieldRaster::drawIsolines(const Model& m, const std::vector<double>& x, const std::vector<double>& y,
                               const FieldValues& nodal, const IsolineLevels& levels, uint32_t colour,
                               const ScreenMapping& map, int32_t width, int32_t height, uint32_t* pixels,
                               ptrdiff_t stride, IsolineLabeller* labels) {
  segments_ = 0;
  if (labels != nullptr) labels->reset(width, height, levels.count);
  if (width <= 0 || height <= 0 || !(nodal.perNode || nodal.perCorner)) return;
  if (nodal.perCorner && nodal.values.size() < size_t(m.meshTriangleCount) * 3 + 1) return;
  const size_t count = std::min(
      {x.size(), y.size(), nodal.perNode ? nodal.values.size() : x.size(), size_t(m.meshNodeCount) + 1});
  if (count < 2) return;
  sx_.resize(count);
  sy_.resize(count);
  for (size_t k = 1; k < count; ++k) {
    sx_[k] = std::clamp(map.x(x[k]), -kReach, kReach);
    sy_[k] = std::clamp(map.y(y[k]), -kReach, kReach);
  }
  if (int32_t(count) - 1 < m.meshNodeCount) return;
  const auto& table = ViridisTable();
  TraceIsolines(
      m, sx_.data(), sy_.data(), nodal.values.data(), levels,
      [&](int32_t level, double x0, double y0, double x1, double y1) {
        if (std::max(x0, x1) < 0.0 || std::min(x0, x1) >= width || std::max(y0, y1) < 0.0 ||
            std::min(y0, y1) >= height) {
          return;
        }
        if (!pixel_lines::Clip(x0, y0, x1, y1, width, height)) return;
        if (labels != nullptr) labels->add(level, x0, y0, x1, y1);
        const auto in = [](double v, int32_t size) {
          return std::clamp(static_cast<int32_t>(v), 0, size - 1);
        };
        const uint32_t c =
            colour != 0
                ? colour
                : 0xff000000u |
                      table[size_t(std::clamp(int(255.0 * (level + 1) / (levels.count + 1) + 0.5), 0, 255))];
        pixel_lines::Line(in(x0, width), in(y0, height), in(x1, width), in(y1, height), pixels, stride, c);
        ++segments_;
      },
      nodal.perCorner);
}
