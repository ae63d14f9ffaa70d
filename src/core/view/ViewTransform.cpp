#include "core/view/ViewTransform.h"

#include <cmath>
#include <limits>

#include "core/model/Model.h"

namespace {

int32_t TruncToPixel(double v) {
  if (std::isnan(v)) return std::numeric_limits<int32_t>::min();
  if (v >= 2147483647.0) return std::numeric_limits<int32_t>::max();
  if (v <= -2147483648.0) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(v);  // toward zero
}

int32_t BaseY(const ViewTransform& view, int32_t clientHeight) {
  return clientHeight - view.marginBottom;
}

// Nearest multiple of the step, counted from 0; a tie goes to the lower one.
double Snap(double distance, double step) {
  const double kf = std::floor(distance / step);
  const double kc = std::ceil(distance / step);
  const double k = std::fabs(kc * step - distance) < std::fabs(kf * step - distance) ? kc : kf;
  return k * step;
}

}  // namespace

bool HasDrawingArea(const ViewTransform& view) {
  return view.scale > 0.0f && std::isfinite(view.scale);
}

void ComputeScale(ViewTransform& view, int32_t clientWidth, int32_t clientHeight) {
  const double drawWidth = clientWidth - (view.marginLeft + view.marginRight);
  const double drawHeight = clientHeight - (view.marginTop + view.marginBottom);
  float x0 = view.viewXMin, y0 = view.viewYMin, x1 = view.viewXMax, y1 = view.viewYMax;
  // A zero coordinate counts as 1, as long as that does not turn the
  // region over: a part below one unit that touches an axis (0..0.5) keeps
  // its own extent instead of a negative scale that mirrors the picture.
  if (x0 == 0.0f && x1 > 1.0f) x0 = 1.0f;
  if (y0 == 0.0f && y1 > 1.0f) y0 = 1.0f;
  if (x1 == 0.0f && x0 < 1.0f) x1 = 1.0f;
  if (y1 == 0.0f && y0 < 1.0f) y1 = 1.0f;
  if (x0 == x1) x1 = x1 + 1.0f;
  if (y0 == y1) y1 = y1 + 1.0f;
  if (view.gridDx == 0.0f) view.gridDx = 10.0f;
  if (view.gridDy == 0.0f) view.gridDy = 10.0f;
  const double sx = drawWidth / (double(x1) - double(x0));
  const double sy = drawHeight / (double(y1) - double(y0));
  view.scale = static_cast<float>(std::min(sx, sy));
}

ScreenPoint ModelToScreen(const ViewTransform& view, int32_t clientHeight, double x, double y, double offsetX,
                          double offsetY) {
  const ScreenMapping map = MappingFor(view, clientHeight);
  return {TruncToPixel(map.x(x) + offsetX), TruncToPixel(map.y(y) + offsetY)};
}

ModelPoint ScreenToModel(const ViewTransform& view, int32_t clientHeight, int32_t px, int32_t py) {
  const double u = (double(px) - view.marginLeft) / double(view.scale);
  const double v = (double(BaseY(view, clientHeight)) - py) / double(view.scale);
  if (view.gridShown == 0) return {double(view.viewXMin) + u, double(view.viewYMin) + v};
  return {double(view.viewXMin) + Snap(u, view.gridDx), double(view.viewYMin) + Snap(v, view.gridDy)};
}

bool ZoomIn(ViewTransform& view) {
  if (!(4.0 * view.gridDx < double(view.viewXMax) - view.viewXMin &&
        4.0 * view.gridDy < double(view.viewYMax) - view.viewYMin)) {
    return false;
  }
  view.viewXMin += view.gridDx;
  view.viewXMax -= view.gridDx;
  view.viewYMin += view.gridDy;
  view.viewYMax -= view.gridDy;
  return true;
}

void ZoomOut(ViewTransform& view) {
  view.viewXMin -= view.gridDx;
  view.viewXMax += view.gridDx;
  view.viewYMin -= view.gridDy;
  view.viewYMax += view.gridDy;
}

void PanLeft(ViewTransform& view) {
  view.viewXMin += view.gridDx;
  view.viewXMax += view.gridDx;
}

void PanRight(ViewTransform& view) {
  view.viewXMin -= view.gridDx;
  view.viewXMax -= view.gridDx;
}

void PanUp(ViewTransform& view) {
  view.viewYMin -= view.gridDy;
  view.viewYMax -= view.gridDy;
}

void PanDown(ViewTransform& view) {
  view.viewYMin += view.gridDy;
  view.viewYMax += view.gridDy;
}

std::optional<NodesBox> BoxOfNodes(const Model& m) {
  if (m.nodeCount <= 0) return std::nullopt;
  NodesBox b{m.NodeTable[1].x, m.NodeTable[1].y, m.NodeTable[1].x, m.NodeTable[1].y};
  for (int32_t i = 2; i <= m.nodeCount; ++i) {
    b.xMin = std::min(b.xMin, m.NodeTable[i].x);
    b.xMax = std::max(b.xMax, m.NodeTable[i].x);
    b.yMin = std::min(b.yMin, m.NodeTable[i].y);
    b.yMax = std::max(b.yMax, m.NodeTable[i].y);
  }
  return b;
}

void ShowBox(ViewTransform& view, NodesBox box, const DrawingArea& area) {
  if (!(box.xMax > box.xMin)) box.xMax = box.xMin + view.gridDx;
  if (!(box.yMax > box.yMin)) box.yMax = box.yMin + view.gridDy;
  // Where a bar reaches past the margin, the box grows by as much at the
  // scale it will be drawn at: the scale that fits it in what the bars
  // leave, which the grown box then gives again. A pixel more keeps a
  // point that rounds down off the bar.
  const auto past = [](int32_t hidden, int32_t margin) { return hidden > margin ? hidden - margin + 1 : 0; };
  const int32_t top = past(area.topHidden, view.marginTop);
  const int32_t bottom = past(area.bottomHidden, view.marginBottom);
  const double width = area.width - (view.marginLeft + view.marginRight);
  const double height = area.height - (view.marginTop + view.marginBottom) - top - bottom;
  if ((top > 0 || bottom > 0) && width > 0 && height > 0) {
    const double scale =
        std::min(width / (double(box.xMax) - box.xMin), height / (double(box.yMax) - box.yMin));
    box.yMax = float(box.yMax + top / scale);
    box.yMin = float(box.yMin - bottom / scale);
  }
  // The scale counts a side at exactly 0 as at 1; a side a hair off zero
  // keeps the box's own extent, so that nothing of it falls outside. The
  // hair is the least normal float: a subnormal one reads as zero where
  // the processor is told to flush them.
  const auto offZero = [](float& v, float away) {
    if (v == 0.0f) v = away * std::numeric_limits<float>::min();
  };
  offZero(box.xMin, -1.0f);
  offZero(box.yMin, -1.0f);
  offZero(box.xMax, 1.0f);
  offZero(box.yMax, 1.0f);
  view.viewXMin = box.xMin;
  view.viewYMin = box.yMin;
  view.viewXMax = box.xMax;
  view.viewYMax = box.yMax;
}

bool ShowAll(ViewTransform& view, const Model& m) {
  const std::optional<NodesBox> box = BoxOfNodes(m);
  if (!box) return false;
  auto [xMin, yMin, xMax, yMax] = *box;
  const auto snap = [](float b, float d) {
    return static_cast<float>(std::trunc(double(b) / double(d)) * double(d));
  };
  xMin = snap(xMin, view.gridDx);
  xMax = snap(xMax, view.gridDx);
  yMin = snap(yMin, view.gridDy);
  yMax = snap(yMax, view.gridDy);
  if (xMin == xMax) xMax = xMin + view.gridDx;
  if (yMin == yMax) yMax = yMin + view.gridDy;
  view.viewXMin = xMin;
  view.viewYMin = yMin;
  view.viewXMax = xMax;
  view.viewYMax = yMax;
  return true;
}
