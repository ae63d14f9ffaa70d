#pragma once
// The mapping between model coordinates and window pixels, and the grid.

#include <cstdint>

struct ViewTransform {
  float scale = 0.0f;  // pixels per model unit; recomputed at every repaint
  float gridDx = 2.0f;
  float gridDy = 2.0f;
  int32_t gridShown = 1;
  int32_t marginLeft = 10;
  int32_t marginRight = 10;
  int32_t marginTop = 20;
  int32_t marginBottom = 40;
  float viewXMax = 50.0f;
  float viewYMax = 50.0f;
  float viewXMin = 0.0f;
  float viewYMin = 0.0f;
};

// Every field back to its default except `scale`, which stays valid for
// mouse input until the next repaint computes it again.
inline void ResetViewDefaults(ViewTransform& view) {
  const float scale = view.scale;
  view = ViewTransform{};
  view.scale = scale;
}
