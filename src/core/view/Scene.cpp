#include "core/view/Scene.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <iterator>
#include <string>
#include <vector>

#include "core/boundary/Physics.h"
#include "core/text/Tr.h"

namespace {

bool WithinPixelLimit(ScreenPoint p) {
  return p.x >= -kPixelLimit && p.x <= kPixelLimit && p.y >= -kPixelLimit && p.y <= kPixelLimit;
}

// True when both ends of element `e` are rows of the node table.
bool HasNodes(const Model& m, int32_t e) {
  const Element& el = m.ElementTable[e];
  return el.startNode >= 1 && el.startNode <= m.nodeCount && el.endNode >= 1 && el.endNode <= m.nodeCount;
}

// The client pixels of element `e`'s ends; false when either lies past the
// pixel limit, where no line is drawn.
bool ElementEnds(const Model& m, const ViewTransform& view, int32_t clientHeight, int32_t e, ScreenPoint& a,
                 ScreenPoint& b) {
  const Node& p = m.NodeTable[m.ElementTable[e].startNode];
  const Node& q = m.NodeTable[m.ElementTable[e].endNode];
  a = ModelToScreen(view, clientHeight, p.x, p.y);
  b = ModelToScreen(view, clientHeight, q.x, q.y);
  return WithinPixelLimit(a) && WithinPixelLimit(b);
}

// Tracks the canvas's pen and brush the way the window's drawing code sets
// them, so every primitive records what was in force.
class SceneWriter {
 public:
  SceneWriter(Scene& scene, const ViewTransform& view, int32_t clientHeight)
      : scene_(scene), view_(view), clientHeight_(clientHeight) {}

  Rgb pen = colors::kBlack;
  Rgb brush = colors::kWhite;
  Rgb text = colors::kBlack;
  uint8_t penWidth = 1;

  ScreenPoint at(double x, double y, double dx = 0, double dy = 0) const {
    return ModelToScreen(view_, clientHeight_, x, y, dx, dy);
  }

  void add(Shape shape, int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t number = 0) {
    scene_.items.push_back(Primitive{shape, penWidth, pen, brush, text, x1, y1, x2, y2, number});
  }

  bool elementEnds(const Model& m, int32_t e, ScreenPoint& a, ScreenPoint& b) const {
    return ElementEnds(m, view_, clientHeight_, e, a, b);
  }

  // A disc of six pixels around a model point.
  void marker(double x, double y) {
    const ScreenPoint a = at(x, y, -3, -3);
    const ScreenPoint b = at(x, y, 3, 3);
    add(Shape::Ellipse, a.x, a.y, b.x, b.y);
  }

 private:
  Scene& scene_;
  const ViewTransform& view_;
  int32_t clientHeight_;
};

// Each layer below sets the pen and brush it draws with whether or not it
// draws anything, and leaves them for the next layer; BuildScene calls the
// layers in drawing order.

void AddBackground(SceneWriter& w, int32_t width, int32_t height) {
  w.pen = w.brush = colors::kWhite;
  w.add(Shape::FillRect, 0, 0, width, height);
}

void AddGrid(SceneWriter& w, Scene& scene, ViewTransform& view, int32_t width, int32_t height) {
  w.pen = w.brush = colors::kGrey;
  w.penWidth = 1;
  // The bounds multiply the region's far edge; a zero-sized window has no
  // sensible bound and gets no grid.
  if (view.gridShown != 1 || width <= 0 || height <= 0) return;
  const float xBound = float((width / height) + 1.5) * view.viewXMax;
  const float yBound = float((height / width) + 1) * view.viewYMax;
  for (float x = view.viewXMin; x <= xBound; x += view.gridDx) {
    const int32_t before = scene.gridDots;
    for (float y = view.viewYMin; y <= yBound; y += view.gridDy) {
      const ScreenPoint a = w.at(x, y, -1, -1);
      const ScreenPoint b = w.at(x, y, 1, 1);
      w.add(Shape::Ellipse, a.x, a.y, b.x, b.y);
      if (++scene.gridDots > kMaxGridDots) {
        view.gridShown = 0;
        scene.gridLimitHit = true;
        return;
      }
    }
    // Far from the origin a small step can vanish against x; with no dot
    // in the column to reach the limit, the loop would never end.
    if (x + view.gridDx == x && scene.gridDots == before) break;
  }
}

void AddNodes(SceneWriter& w, const Model& m, const DisplaySettings& display) {
  w.pen = w.brush = colors::kMaroon;
  if (display.showNodes != 1) return;
  for (int32_t i = 1; i <= m.nodeCount; ++i) w.marker(m.NodeTable[i].x, m.NodeTable[i].y);
}

void AddNodeNumbers(SceneWriter& w, const Model& m, const DisplaySettings& display) {
  w.brush = colors::kWhite;
  w.text = colors::kMaroon;
  if (display.showNodeNumbers != 1) return;
  for (int32_t i = 1; i <= m.nodeCount; ++i) {
    const ScreenPoint p = w.at(m.NodeTable[i].x, m.NodeTable[i].y);
    w.add(Shape::Text, p.x, p.y, p.x, p.y, i);
  }
}

// Each element's number at its midpoint.
void AddElementNumbers(SceneWriter& w, const Model& m, const DisplaySettings& display) {
  w.text = colors::kBlue;
  if (display.showElementNumbers != 1) return;
  for (int32_t e = 1; e <= m.elementCount; ++e) {
    const Node& a = m.NodeTable[m.ElementTable[e].startNode];
    const Node& b = m.NodeTable[m.ElementTable[e].endNode];
    const ScreenPoint p = w.at((double(a.x) + b.x) * 0.5, (double(a.y) + b.y) * 0.5);
    w.add(Shape::Text, p.x, p.y, p.x, p.y, e);
  }
}

// The boundary elements, 2 pixels wide; each one drawn leaves a black
// 1-pixel pen to the layers after it.
void AddElements(SceneWriter& w, const Model& m, const DisplaySettings& display) {
  w.brush = colors::kBlack;
  w.pen = colors::kBlue;
  w.penWidth = 2;
  if (display.showElements != 1) return;
  for (int32_t e = 1; e <= m.elementCount; ++e) {
    ScreenPoint a, b;
    if (!w.elementEnds(m, e, a, b)) continue;
    w.penWidth = 2;
    w.pen = display.colourByCondition == 1 ? ConditionColour(m.ElementTable[e].bcNumber) : colors::kBlue;
    w.add(Shape::Line, a.x, a.y, b.x, b.y);
    w.penWidth = 1;
    w.pen = colors::kBlack;
  }
}

// White discs with a green outline.
void AddInternalNodes(SceneWriter& w, const Model& m, const DisplaySettings& display) {
  w.pen = colors::kGreen;
  w.brush = colors::kWhite;
  if (display.showInternalNodes != 1) return;
  for (int32_t i = 1; i <= m.internalNodeCount; ++i) {
    w.marker(m.InternalNodeTable[i].x, m.InternalNodeTable[i].y);
  }
}

// Maroon diamonds with a dot in the middle, so that they are not taken for
// internal nodes, each with its material's name to the right (the model's
// own pair for 0, the number for a material the table does not hold).
void AddRegionPoints(SceneWriter& w, Scene& scene, const Model& m) {
  w.pen = colors::kMaroon;
  w.brush = colors::kMaroon;
  for (int32_t i = 1; i <= m.regionPointCount; ++i) {
    const RegionPoint& r = m.RegionPointTable[i];
    const ScreenPoint c = w.at(r.x, r.y);
    if (!WithinPixelLimit(c)) continue;
    const ScreenPoint corners[] = {w.at(r.x, r.y, 0, -5), w.at(r.x, r.y, 5, 0), w.at(r.x, r.y, 0, 5),
                                   w.at(r.x, r.y, -5, 0)};
    for (int k = 0; k < 4; ++k) {
      const ScreenPoint& a = corners[k];
      const ScreenPoint& b = corners[(k + 1) % 4];
      w.add(Shape::Line, a.x, a.y, b.x, b.y);
    }
    w.add(Shape::FillRect, c.x - 1, c.y - 1, c.x + 1, c.y + 1);
    std::string name = Tr("Scene", "materiał projektu");
    if (r.material >= 1 && r.material <= m.materialCount) {
      name = m.MaterialTable[r.material].name;
    } else if (r.material != 0) {
      name = Tr("Scene", "materiał %1").with(r.material);
    }
    const ScreenPoint at = w.at(r.x, r.y, 8, -6);
    scene.labels.push_back(SceneLabel{at.x, at.y, colors::kMaroon, std::move(name)});
  }
}

// The mesh's triangles, over everything drawn so far. A mesh past the solver
// layouts' limits is only marked, to be rasterized (MeshRaster).
void AddMesh(SceneWriter& w, Scene& scene, const Model& m, bool meshShown) {
  w.pen = colors::kBlack;
  if (!meshShown) return;
  if (m.meshTriangleCount > kMaxMeshTriangles) {
    scene.rasterMeshAt = static_cast<ptrdiff_t>(scene.items.size());
    return;
  }
  // Single precision, as the picture has always placed them.
  const auto at = [&w](const MeshNode& n) { return w.at(SinglePrecision(n.x), SinglePrecision(n.y)); };
  for (int32_t t = 1; t <= m.meshTriangleCount; ++t) {
    const MeshTriangle& c = m.MeshTriangleTable[t];
    const ScreenPoint p1 = at(m.MeshNodeTable[c.corner1]);
    const ScreenPoint p2 = at(m.MeshNodeTable[c.corner2]);
    const ScreenPoint p3 = at(m.MeshNodeTable[c.corner3]);
    if (!WithinPixelLimit(p1) || !WithinPixelLimit(p2) || !WithinPixelLimit(p3)) continue;
    w.add(Shape::Line, p1.x, p1.y, p2.x, p2.y);
    w.add(Shape::Line, p2.x, p2.y, p3.x, p3.y);
    w.add(Shape::Line, p3.x, p3.y, p1.x, p1.y);
  }
}

// The selected elements as thick orange lines, then what a model check
// pointed out: elements as thick red lines, nodes as red rings.
void AddHighlights(SceneWriter& w, const Model& m, const Highlights& highlights) {
  const auto element = [&](int32_t e) {
    ScreenPoint a, b;
    if (e >= 1 && e <= m.elementCount && HasNodes(m, e) && w.elementEnds(m, e, a, b))
      w.add(Shape::Line, a.x, a.y, b.x, b.y);
  };
  const auto ring = [&](double x, double y) {
    const ScreenPoint a = w.at(x, y, -7, -7);
    const ScreenPoint b = w.at(x, y, 7, 7);
    w.add(Shape::Ring, a.x, a.y, b.x, b.y);
  };
  w.pen = colors::kOrange;
  w.penWidth = 4;
  for (int32_t e : highlights.selected) element(e);
  w.pen = colors::kRed;
  w.penWidth = 3;
  for (int32_t e : highlights.elements) element(e);
  w.penWidth = 2;
  for (int32_t i : highlights.nodes) {
    if (i >= 1 && i <= m.nodeCount) ring(m.NodeTable[i].x, m.NodeTable[i].y);
  }
  for (int32_t i : highlights.internalNodes) {
    if (i >= 1 && i <= m.internalNodeCount) ring(m.InternalNodeTable[i].x, m.InternalNodeTable[i].y);
  }
  for (int32_t i : highlights.regionPoints) {
    if (i >= 1 && i <= m.regionPointCount) ring(m.RegionPointTable[i].x, m.RegionPointTable[i].y);
  }
}

}  // namespace

void BuildScene(const Model& m, ViewTransform& view, const DisplaySettings& display, bool meshShown,
                int32_t width, int32_t height, Scene& scene, const Highlights& highlights,
                bool solutionShown) {
  scene.items.clear();
  scene.labels.clear();
  scene.gridDots = 0;
  scene.gridLimitHit = false;
  scene.rasterMeshAt = -1;
  scene.solutionAt = -1;
  scene.materialsAt = -1;
  SceneWriter w(scene, view, height);
  AddBackground(w, width, height);
  ComputeScale(view, width, height);
  AddGrid(w, scene, view, width, height);
  if (solutionShown) scene.solutionAt = static_cast<ptrdiff_t>(scene.items.size());
  if (display.colourByMaterial == 1 && m.meshTriangleCount >= 1)
    scene.materialsAt = static_cast<ptrdiff_t>(scene.items.size());
  AddNodes(w, m, display);
  AddNodeNumbers(w, m, display);
  AddElementNumbers(w, m, display);
  AddElements(w, m, display);
  AddInternalNodes(w, m, display);
  AddMesh(w, scene, m, meshShown);
  AddRegionPoints(w, scene, m);
  AddHighlights(w, m, highlights);
}

namespace {

// One colour for each condition the table can hold: 33 hues, 10.9° apart
// with the ones near the blue of an element drawn without its condition's
// colour left out, in three shades. Conditions 1 to 33 take the brightest
// shade, the next 33 the middle one, the last 33 the darkest, each every
// 7th hue (76° on), so that neighbouring numbers look far apart.
std::array<Rgb, kMaxConditions> MakeConditionPalette() {
  constexpr int kHues = 36;
  std::vector<double> hues;
  for (int j = 0; j < kHues; ++j) {
    const double hue = j * 360.0 / kHues;
    if (std::fabs(hue - 240.0) >= 20.0) hues.push_back(hue);
  }
  const double shades[] = {0.95, 0.7, 0.5};
  std::array<Rgb, kMaxConditions> p{};
  for (size_t k = 0; k < p.size(); ++k) {
    const double v = shades[k / hues.size()], h = hues[(7 * k) % hues.size()] / 60.0;
    const double x = v * (1 - std::fabs(std::fmod(h, 2.0) - 1));
    double r = 0, g = 0, b = 0;
    switch (int(h)) {
      case 0: r = v, g = x; break;
      case 1: r = x, g = v; break;
      case 2: g = v, b = x; break;
      case 3: g = x, b = v; break;
      case 4: r = x, b = v; break;
      default: r = v, b = x; break;
    }
    const auto channel = [](double u) { return uint8_t(std::lround(u * 255)); };
    p[k] = {channel(r), channel(g), channel(b)};
  }
  return p;
}

}  // namespace

Rgb ConditionColour(int32_t condition) {
  static const std::array<Rgb, kMaxConditions> palette = MakeConditionPalette();
  constexpr int32_t n = kMaxConditions;
  return palette[size_t(((condition - 1) % n + n) % n)];
}

std::vector<LegendLine> ConditionLegend(const Model& m, char decimalPoint) {
  std::vector<bool> used(size_t(std::max(m.bcCount, 0)) + 1, false);
  for (int32_t e = 1; e <= m.elementCount; ++e) {
    const int32_t k = m.ElementTable[e].bcNumber;
    if (k >= 1 && k <= m.bcCount) used[size_t(k)] = true;
  }
  std::vector<LegendLine> lines;
  for (int32_t i = 1; i <= m.bcCount; ++i) {
    if (used[size_t(i)]) {
      lines.push_back({ConditionColour(i), ConditionText(i, m.BcTable[i], m.ProblemKind, decimalPoint),
                       std::to_string(i)});
    }
  }
  return lines;
}

Rgb MaterialColour(int32_t material) {
  if (material < 1 || material > kMaxMaterials) return {224, 224, 224};
  // The condition's hue, mixed with white so that the mesh's lines and
  // the model's marks stay clear over it.
  const Rgb c = ConditionColour(material);
  const auto light = [](uint8_t u) { return uint8_t(u + (255 - u) * 3 / 5); };
  return {light(c.r), light(c.g), light(c.b)};
}

std::vector<LegendLine> MaterialLegend(const Model& m, char decimalPoint) {
  const int32_t materials = std::clamp(m.materialCount, 0, kMaxMaterials);
  std::vector<bool> used(size_t(materials) + 1, false);
  for (int32_t t = 1; t <= m.meshTriangleCount; ++t) {
    const int32_t k = m.MeshTriangleTable[t].material;
    if (k >= 0 && k <= materials) used[size_t(k)] = true;
  }
  std::vector<LegendLine> lines;
  for (int32_t k = 0; k <= materials; ++k) {
    if (!used[size_t(k)]) continue;
    const Material material =
        k == 0 ? Material{Tr("Scene", "materiał projektu"), m.Conductivity, m.SecondProperty}
               : m.MaterialTable[k];
    lines.push_back({MaterialColour(k), MaterialLegendText(k, material, m.ProblemKind, decimalPoint),
                     "M" + std::to_string(k)});
  }
  return lines;
}

int32_t ElementAt(const Model& m, const ViewTransform& view, int32_t clientHeight, int32_t x, int32_t y,
                  int32_t tolerance) {
  int32_t best = 0;
  double bestDistance = double(tolerance) + 0.5;
  for (int32_t e = 1; e <= m.elementCount; ++e) {
    ScreenPoint a, b;
    if (!HasNodes(m, e) || !ElementEnds(m, view, clientHeight, e, a, b)) continue;
    const double dx = b.x - a.x, dy = b.y - a.y, length2 = dx * dx + dy * dy;
    const double t = length2 > 0 ? std::clamp(((x - a.x) * dx + (y - a.y) * dy) / length2, 0.0, 1.0) : 0.0;
    const double distance = std::hypot(a.x + t * dx - x, a.y + t * dy - y);
    if (distance < bestDistance) best = e, bestDistance = distance;
  }
  return best;
}

std::vector<int32_t> ElementsWithin(const Model& m, const ViewTransform& view, int32_t clientHeight,
                                    int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  const auto inside = [&](ScreenPoint p) {
    return std::min(x1, x2) <= p.x && p.x <= std::max(x1, x2) && std::min(y1, y2) <= p.y &&
           p.y <= std::max(y1, y2);
  };
  std::vector<int32_t> found;
  for (int32_t e = 1; e <= m.elementCount; ++e) {
    ScreenPoint a, b;
    if (HasNodes(m, e) && ElementEnds(m, view, clientHeight, e, a, b) && inside(a) && inside(b))
      found.push_back(e);
  }
  return found;
}
