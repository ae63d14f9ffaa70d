#pragma once
// Lines drawn straight into a 32-bit picture: the mesh, the isolines and the
// deformed disc share them.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>

namespace pixel_lines {

// Clips the segment to [0, w) × [0, h) in place (Liang and Barsky); false
// when nothing of it is left.
inline bool Clip(double& x0, double& y0, double& x1, double& y1, int32_t w, int32_t h) {
  double t0 = 0.0, t1 = 1.0;
  const double dx = x1 - x0, dy = y1 - y0;
  const double p[] = {-dx, dx, -dy, dy};
  const double q[] = {x0, double(w - 1) - x0, y0, double(h - 1) - y0};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0.0) {
      if (q[i] < 0.0) return false;
      continue;
    }
    const double r = q[i] / p[i];
    if (p[i] < 0.0) {
      t0 = std::max(t0, r);
    } else {
      t1 = std::min(t1, r);
    }
    if (t0 > t1) return false;
  }
  const double ax = x0, ay = y0;
  x0 = ax + t0 * dx, y0 = ay + t0 * dy;
  x1 = ax + t1 * dx, y1 = ay + t1 * dy;
  return true;
}

// Bresenham's line, both ends drawn, every pixel inside the picture.
inline void Line(int32_t x0, int32_t y0, int32_t x1, int32_t y1, uint32_t* pixels, ptrdiff_t stride,
                 uint32_t colour) {
  const int32_t dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
  const int32_t sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
  int32_t err = dx + dy;
  for (;;) {
    pixels[ptrdiff_t(y0) * stride + x0] = colour;
    if (x0 == x1 && y0 == y1) return;
    const int32_t e2 = 2 * err;
    if (e2 >= dy) err += dy, x0 += sx;
    if (e2 <= dx) err += dx, y0 += sy;
  }
}

}  // namespace pixel_lines
