#pragma once
// The mapping between model coordinates and window pixels, and the grid.

#include <cstdint>
#include <optional>

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
  bool operator==(const ViewTransform&) const = default;
};

// Every field back to its default except `scale`, which stays valid for
// mouse input until the next repaint computes it again.
inline void ResetViewDefaults(ViewTransform& view) {
  const float scale = view.scale;
  view = ViewTransform{};
  view.scale = scale;
}

struct Model;

struct ScreenPoint {
  int32_t x = 0;
  int32_t y = 0;
  bool operator==(const ScreenPoint&) const = default;
};

struct ModelPoint {
  double x = 0.0;
  double y = 0.0;
};

// True while the last computed scale maps pixels to finite model points:
// a client area with no room inside its margins has none.
bool HasDrawingArea(const ViewTransform& view);

// Sets `scale` for a client area of the given size, repairing a zero grid
// spacing to 10. Run before anything is drawn.
void ComputeScale(ViewTransform& view, int32_t clientWidth, int32_t clientHeight);

// The mapping of model coordinates to pixel coordinates for one client
// area, before truncation: the one formula ModelToScreen and the mesh raster
// share. Made once, it maps any number of points.
struct ScreenMapping {
  double left, xMin, base, yMin, scale;
  double x(double modelX) const { return left + (modelX - xMin) * scale; }
  double y(double modelY) const { return base - (modelY - yMin) * scale; }
};
inline ScreenMapping MappingFor(const ViewTransform& view, int32_t clientHeight) {
  return {double(view.marginLeft), double(view.viewXMin), double(clientHeight - view.marginBottom),
          double(view.viewYMin), double(view.scale)};
}

// Model point to pixel, truncated toward zero after adding the offset. A
// result beyond the 32-bit range (or from a value that is not a number) is
// pinned to the range's end, never undefined.
ScreenPoint ModelToScreen(const ViewTransform& view, int32_t clientHeight, double x, double y,
                          double offsetX = 0.0, double offsetY = 0.0);

// Pixel to model point, snapped to the nearest grid line while the grid is
// shown (a tie goes to the lower line).
ModelPoint ScreenToModel(const ViewTransform& view, int32_t clientHeight, int32_t px, int32_t py);

// Zoom in by one grid step on every side; false (and nothing changed) when
// the region is not more than four steps wide or high.
bool ZoomIn(ViewTransform& view);
void ZoomOut(ViewTransform& view);
void PanLeft(ViewTransform& view);  // the picture moves left
void PanRight(ViewTransform& view);
void PanUp(ViewTransform& view);  // the picture moves up
void PanDown(ViewTransform& view);

// The boundary nodes' bounding box; nothing without nodes.
struct NodesBox {
  float xMin, yMin, xMax, yMax;
};
std::optional<NodesBox> BoxOfNodes(const Model& model);

// The boundary nodes' bounding box snapped toward zero to the grid; false
// (and nothing changed) without nodes.
bool ShowAll(ViewTransform& view, const Model& model);
// What of a client area the drawing may use: its size, and how far the
// bars laid over its top and bottom edges reach into it.
struct DrawingArea {
  int32_t width = 0, height = 0;
  int32_t topHidden = 0, bottomHidden = 0;
};
// The view spans the box, so that all of it shows in the area and none of
// it under the bars over its edges; a box with no width or height is
// widened by a grid step.
void ShowBox(ViewTransform& view, NodesBox box, const DrawingArea& area = {});
