#include <gtest/gtest.h>
#include <xmmintrin.h>

#include <algorithm>
#include <cmath>

#include "core/Fixtures.h"
#include "core/mesh/MeshStatistics.h"
#include "core/view/MeshRaster.h"
#include "core/view/Scene.h"

namespace {

constexpr int32_t kW = 640;
constexpr int32_t kH = 436;

TEST(ViewTransform, ScaleUsesTheFarEdgesAndRepairsZeroSpacing) {
  ViewTransform v;
  ComputeScale(v, kW, kH);
  // Extent 1..50 (a zero corner counts as 1), the smaller of 620/49 and 376/49.
  EXPECT_FLOAT_EQ(v.scale, float(376.0 / 49.0));
  EXPECT_TRUE(HasDrawingArea(v));
  v.gridDx = 0;
  v.viewXMin = 0;
  v.viewXMax = 0.5f;
  ComputeScale(v, kW, kH);
  EXPECT_EQ(v.gridDx, 10.0f);
  EXPECT_FLOAT_EQ(v.scale, float(376.0 / 49.0)) << "0..0.5 keeps its extent: never a mirrored picture";
  v.viewYMax = 0.25f;
  v.viewYMin = 0;
  ComputeScale(v, kW, kH);
  EXPECT_FLOAT_EQ(v.scale, float(620.0 / 0.5)) << "a part below one unit on both axes fills the window";
  v = ViewTransform{};
  v.viewXMin = v.viewXMax = v.viewYMin = v.viewYMax = 5;
  ComputeScale(v, kW, kH);
  EXPECT_FLOAT_EQ(v.scale, 376.0f) << "an empty extent becomes one unit";
  // No room inside the margins: 60 pixels high, or 20 wide.
  for (const auto& [w, h] : {std::pair{kW, 60}, {20, kH}, {kW, 50}}) {
    ComputeScale(v, w, h);
    EXPECT_FALSE(HasDrawingArea(v)) << w << " x " << h;
  }
}

// Model to pixel truncates toward zero after adding the offset and pins
// what the 32-bit range cannot hold; pixel to model snaps to the nearest
// grid line, a tie going down, also below zero.
TEST(ViewTransform, MappingTruncatesSaturatesAndSnaps) {
  ViewTransform v;
  v.scale = 10;
  const int32_t row = kH - 40;
  EXPECT_EQ(ModelToScreen(v, kH, 0, 0), (ScreenPoint{10, row}));
  EXPECT_EQ(ModelToScreen(v, kH, 1.25, 1.25), (ScreenPoint{22, 383}));  // 396 - 12.5 = 383.5
  EXPECT_EQ(ModelToScreen(v, kH, 1.25, 1.25, -3, 3), (ScreenPoint{19, 386}));
  for (const auto& [x, px] :
       {std::pair{-1.25, -2}, {1e30, INT32_MAX}, {-1e30, INT32_MIN}, {std::nan(""), INT32_MIN}}) {
    EXPECT_EQ(ModelToScreen(v, kH, x, 0).x, px) << x;
  }
  for (const auto& [px, x] : {std::pair{39, 2.0}, {41, 4.0}, {40, 2.0}, {-20, -4.0}}) {
    EXPECT_EQ(ScreenToModel(v, kH, px, row).x, x) << px;
  }
  EXPECT_EQ(ScreenToModel(v, kH, 10, row - 31).y, 4.0);
  v.gridShown = 0;
  EXPECT_DOUBLE_EQ(ScreenToModel(v, kH, 39, row).x, 2.9);
  PanLeft(v);
  EXPECT_EQ(ScreenToModel(v, kH, 10, row).x, 2.0) << "the corner is part of the mapping";
  v.gridShown = 1;
  EXPECT_EQ(ScreenToModel(v, kH, 10, row).x, 2.0);
}

TEST(ViewTransform, ZoomStopsAtFourStepsPanMovesAndShowAllSnapsTowardZero) {
  ViewTransform v;
  std::vector<float> widths;
  while (ZoomIn(v)) widths.push_back(v.viewXMax - v.viewXMin);
  EXPECT_EQ(widths, (std::vector<float>{46, 42, 38, 34, 30, 26, 22, 18, 14, 10, 6}));
  const ViewTransform before = v;
  EXPECT_FALSE(ZoomIn(v));
  EXPECT_EQ(v, before);

  ViewTransform w;
  ZoomOut(w);
  EXPECT_EQ(w.viewXMin, -2.0f);
  EXPECT_EQ(w.viewYMax, 52.0f);
  ASSERT_TRUE(ZoomIn(w));
  EXPECT_EQ(w, ViewTransform{});
  PanDown(w);
  PanUp(w);
  PanRight(w);
  EXPECT_EQ(w.viewXMin, -2.0f);
  EXPECT_EQ(w.viewYMin, 0.0f);

  auto m = NewProject();
  EXPECT_FALSE(ShowAll(w, *m));
  EXPECT_EQ(w.viewXMin, -2.0f);
  (void)AppendNode(*m, Node{5.3f, 7.9f});
  ASSERT_TRUE(ShowAll(w, *m));
  EXPECT_EQ(std::vector<float>({w.viewXMin, w.viewYMin, w.viewXMax, w.viewYMax}),
            std::vector<float>({4, 6, 6, 8}));
  (void)AppendNode(*m, Node{-3.5f, 1});
  (void)AppendNode(*m, Node{9.7f, 1});
  ASSERT_TRUE(ShowAll(w, *m));
  EXPECT_EQ(w.viewXMin, -2.0f);
  EXPECT_EQ(w.viewXMax, 8.0f);
  // A box shown as it is, sides at zero included, fits the drawing whole,
  // with subnormal floats flushed to zero as well.
  for (const bool flush : {false, true}) {
    const unsigned csr = _mm_getcsr();
    if (flush) _mm_setcsr(csr | 0x8040);  // flush to zero, denormals are zero
    ShowBox(w, NodesBox{0.0f, 0.0f, 0.35f, 1.0f});
    ComputeScale(w, kW, kH);
    const ScreenPoint low = ModelToScreen(w, kH, 0.0, 0.0), high = ModelToScreen(w, kH, 0.35, 1.0);
    _mm_setcsr(csr);
    EXPECT_EQ(std::pair(low.x, high.y), std::pair(w.marginLeft, w.marginTop)) << flush;
    EXPECT_EQ(low.y, kH - w.marginBottom) << flush;
  }
  // Bars over the area's top and bottom edges: the box keeps clear of them.
  ShowBox(w, NodesBox{0.0f, 0.0f, 0.35f, 1.0f}, DrawingArea{kW, kH, 34, 56});
  ComputeScale(w, kW, kH);
  const int32_t top = ModelToScreen(w, kH, 0.35, 1.0).y, bottom = ModelToScreen(w, kH, 0.0, 0.0).y;
  EXPECT_TRUE(top >= 34 && top <= 36 && bottom < kH - 56 && bottom >= kH - 58) << top << " " << bottom;
}

struct Built {
  std::unique_ptr<Model> model = NewProject();
  ViewTransform view;
  DisplaySettings display;
  bool meshShown = true;
  Scene scene;
  void build(int32_t w = kW, int32_t h = kH) { BuildScene(*model, view, display, meshShown, w, h, scene); }
  std::vector<const Primitive*> where(bool (*pred)(const Primitive&)) const {
    std::vector<const Primitive*> out;
    for (const Primitive& p : scene.items) {
      if (pred(p)) out.push_back(&p);
    }
    return out;
  }
  // Mesh nodes 1..n at the given points, and triangles 1..t.
  void mesh(std::initializer_list<MeshNode> nodes, std::initializer_list<MeshTriangle> triangles) {
    for (const MeshNode& n : nodes) model->MeshNodeTable[++model->meshNodeCount] = n;
    for (const MeshTriangle& t : triangles) model->MeshTriangleTable[++model->meshTriangleCount] = t;
  }
};

using Is = bool (*)(const Primitive&);
constexpr Is IsDot = [](const Primitive& p) { return p.shape == Shape::Ellipse && p.pen == colors::kGrey; };
constexpr Is IsNodeDisc = [](const Primitive& p) {
  return p.shape == Shape::Ellipse && p.brush == colors::kMaroon;
};
constexpr Is IsText = [](const Primitive& p) { return p.shape == Shape::Text; };
constexpr Is IsLine = [](const Primitive& p) { return p.shape == Shape::Line; };
constexpr Is IsInternal = [](const Primitive& p) {
  return p.shape == Shape::Ellipse && p.pen == colors::kGreen;
};

TEST(Scene, EmptyModelIsBackgroundAndGridFromTheCorner) {
  Built b;
  b.build();
  ASSERT_FALSE(b.scene.items.empty());
  const Primitive& bg = b.scene.items.front();
  EXPECT_TRUE(bg.shape == Shape::FillRect && bg.brush == colors::kWhite && bg.x2 == kW && bg.y2 == kH);
  const auto dots = b.where(IsDot);
  EXPECT_EQ(int(dots.size()) + 1, int(b.scene.items.size())) << "nothing but background and dots";
  EXPECT_EQ(b.scene.gridDots, int(dots.size()));
  const ScreenPoint origin = ModelToScreen(b.view, kH, 0, 0);
  EXPECT_EQ(dots.front()->x1, origin.x - 1);
  EXPECT_EQ(dots.front()->y2, origin.y + 1);
  // x runs to (640 div 436 + 1.5) * 50 = 125, y to (0 + 1) * 50: 63 by 26 dots.
  EXPECT_EQ(b.scene.gridDots, 63 * 26);
}

TEST(Scene, LayersComeInOrderWithTheirColours) {
  Built b;
  Model& m = *b.model;
  AddContour(m, {{0, 0}, {10, 0}, {0, 10}});
  m.elementCount = 2;
  (void)AppendInternalNode(m, InternalNode{2, 2});
  b.mesh({{0, 0}, {10, 0}, {0, 10}}, {{1, 2, 3}});
  b.display.showNodeNumbers = 1;
  b.display.showElementNumbers = 1;
  b.view.gridShown = 0;
  b.build();

  std::string shapes;  // box, ellipse, line, text
  for (const Primitive& p : b.scene.items) shapes += "BELT"[int(p.shape)];
  EXPECT_EQ(shapes, "BEEETTTTTLLELLL");
  const auto texts = b.where(IsText);
  EXPECT_TRUE(texts[0]->text == colors::kMaroon && texts[0]->brush == colors::kWhite &&
              texts[2]->number == 3);
  EXPECT_TRUE(texts[3]->text == colors::kBlue && texts[3]->number == 1);
  const ScreenPoint mid = ModelToScreen(b.view, kH, 5, 0);
  EXPECT_EQ((ScreenPoint{texts[3]->x1, texts[3]->y1}), mid) << "element numbers stand at the midpoint";
  EXPECT_EQ(texts[1]->x1, ModelToScreen(b.view, kH, 10, 0).x) << "a node number's corner is on the node";
  const auto lines = b.where(IsLine);
  EXPECT_TRUE(lines[0]->pen == colors::kBlue && lines[0]->penWidth == 2);
  EXPECT_TRUE(lines[2]->pen == colors::kBlack && lines[2]->penWidth == 1)
      << "a drawn element leaves a 1-pixel pen";
  const auto disc = b.where(IsNodeDisc);
  ASSERT_EQ(disc.size(), 3u);
  EXPECT_EQ(disc[0]->x1, ModelToScreen(b.view, kH, 0, 0, -3, -3).x);
  EXPECT_EQ(disc[0]->x2 - disc[0]->x1, 6);
  EXPECT_EQ(b.where(IsInternal)[0]->brush, colors::kWhite);
}

TEST(Scene, NumbersWithoutMarkersAndPenWidthCarriedOver) {
  Built b;
  Model& m = *b.model;
  for (const Node& n : {Node{1, 1}, Node{5, 1}}) (void)AppendNode(m, n);
  (void)AppendInternalNode(m, InternalNode{2, 2});
  b.mesh({{1, 1}, {5, 1}, {1, 5}}, {{1, 2, 3}});
  b.display.showNodes = 0;
  b.display.showNodeNumbers = 1;
  b.build();
  EXPECT_TRUE(b.where(IsNodeDisc).empty());
  EXPECT_EQ(b.where(IsText).size(), 2u);
  EXPECT_EQ(b.where(IsInternal)[0]->penWidth, 2) << "no element drawn";
  EXPECT_EQ(b.where(IsLine)[0]->penWidth, 2);

  (void)AppendElement(m, Element{1, 2, 1, 1});
  b.display.showElements = 0;
  b.build();
  EXPECT_EQ(b.where(IsInternal)[0]->penWidth, 2) << "elements hidden";
  b.display.showElements = 1;
  b.build();
  EXPECT_EQ(b.where(IsInternal)[0]->penWidth, 1);
  EXPECT_EQ(b.where(IsLine).back()->penWidth, 1);
  b.meshShown = false;
  b.build();
  EXPECT_EQ(b.where(IsLine).size(), 1u) << "the mesh is hidden, the element stays";
}

TEST(Scene, FarElementsAndTrianglesAreSkippedNodesAreNot) {
  Built b;
  Model& m = *b.model;
  for (const Node& n : {Node{1, 1}, Node{5000, 1}, Node{2, 1}}) (void)AppendNode(m, n);
  (void)AppendElement(m, Element{1, 2, 1, 1});
  (void)AppendElement(m, Element{1, 3, 1, 1});
  b.mesh({{1, 1}, {5000, 1}, {1, 2}}, {{1, 2, 3}});
  b.build();
  EXPECT_EQ(b.where(IsLine).size(), 1u);
  EXPECT_EQ(b.where(IsNodeDisc).size(), 3u);
  EXPECT_GT(ModelToScreen(b.view, kH, 5000, 1).x, kPixelLimit);
}

TEST(Scene, GridLimitBoundsAndDegenerateWindows) {
  Built b;
  b.view.gridDx = b.view.gridDy = 0.01f;
  b.build();
  EXPECT_TRUE(b.scene.gridLimitHit && b.view.gridShown == 0);
  EXPECT_EQ(b.where(IsDot).size(), size_t(b.scene.gridDots));
  EXPECT_EQ(b.scene.gridDots, kMaxGridDots + 1);
  b.build();
  EXPECT_FALSE(b.scene.gridLimitHit || !b.where(IsDot).empty());

  Built far;  // the grid follows the region's far edge
  far.view.viewXMin = -14;
  far.view.viewXMax = -10;
  far.build();
  EXPECT_EQ(far.scene.gridDots, 0);
  far.view.viewXMin = -52;
  far.view.viewXMax = -2;
  far.build();
  int32_t maxX = INT32_MIN;
  for (const Primitive* p : far.where(IsDot)) maxX = std::max(maxX, p->x1 + 1);
  EXPECT_LE(maxX, ModelToScreen(far.view, kH, -3, 0).x) << "no dots right of x = -3";
  EXPECT_GT(far.scene.gridDots, 0);

  Built d;
  for (const auto& [w, h] : {std::pair{0, 0}, {0, 300}, {300, 0}}) d.build(w, h);
  EXPECT_EQ(d.scene.gridDots, 0);
  // Far from the origin a unit step no longer moves x; with no row to draw
  // (the y bound lies below the start) the grid loop must still end.
  d.view = ViewTransform{0, 1, 2, 1, 10, 10, 20, 40, 2e9f, -10, 1e9f, 10};
  d.build();
  EXPECT_EQ(d.scene.gridDots, 0);
}

}  // namespace

namespace {

// Elements in their condition's colour, the legend that names each, the
// selection over them, and the elements a click or a rectangle picks.
TEST(Scene, ConditionColoursLegendSelectionAndPicking) {
  auto m = NewProject();
  AddContour(*m, {{10, 10}, {40, 10}, {40, 40}, {10, 40}});
  m->ProblemKind = 1;
  (void)AppendCondition(*m, BoundaryCondition{1, 100});
  m->ElementTable[4].bcNumber = 2;
  m->ElementTable[2].bcNumber = 9;  // past the table: its own colour, and no legend line
  const std::vector<LegendLine> legend = ConditionLegend(*m, ',');
  ASSERT_EQ(legend.size(), 2u);
  EXPECT_EQ(legend[1].text, "nr 2, temperatura: T [°C] = 100");
  EXPECT_EQ(legend[1].colour, ConditionColour(2));
  // A colour of its own for each of the 99 conditions, apart from each
  // other and from the blue of an element drawn without one.
  const auto apart = [](Rgb a, Rgb b) {
    return std::hypot(double(a.r) - b.r, double(a.g) - b.g, double(a.b) - b.b);
  };
  double nearest = apart(ConditionColour(1), colors::kBlue);
  for (int32_t a = 1; a <= kMaxConditions; ++a) {
    nearest = std::min(nearest, apart(ConditionColour(a), colors::kBlue));
    for (int32_t b = a + 1; b <= kMaxConditions; ++b)
      nearest = std::min(nearest, apart(ConditionColour(a), ConditionColour(b)));
  }
  EXPECT_GT(nearest, 20.0);
  for (int32_t k = 1; k < 12; ++k) {
    EXPECT_GT(apart(ConditionColour(k), ConditionColour(k + 1)), 100.0) << "neighbours look alike: " << k;
  }
  EXPECT_EQ(ConditionColour(kMaxConditions + 1), ConditionColour(1));
  ViewTransform v;
  DisplaySettings display;
  display.colourByCondition = 1;
  Scene scene;
  Highlights selected;
  selected.selected = {3};
  BuildScene(*m, v, display, true, kW, kH, scene, selected);
  std::vector<std::pair<Rgb, int>> lines;  // the elements' lines, then the selection
  for (const Primitive& p : scene.items) {
    if (p.shape == Shape::Line && p.penWidth >= 2) lines.push_back({p.pen, p.penWidth});
  }
  EXPECT_EQ(lines, (std::vector<std::pair<Rgb, int>>{{ConditionColour(1), 2},
                                                     {ConditionColour(9), 2},
                                                     {ConditionColour(1), 2},
                                                     {ConditionColour(2), 2},
                                                     {colors::kOrange, 4}}));
  // A click picks the nearest element within five pixels; a rectangle the
  // elements with both ends inside.
  const auto at = [&](double x, double y) { return ModelToScreen(v, kH, x, y); };
  const ScreenPoint left = at(10, 25), corner = at(10, 10), far = at(25, 25);
  EXPECT_EQ(std::vector({ElementAt(*m, v, kH, left.x + 5, left.y, 5),
                         ElementAt(*m, v, kH, left.x + 6, left.y, 5), ElementAt(*m, v, kH, far.x, far.y, 5)}),
            std::vector({4, 0, 0}));
  EXPECT_EQ(ElementAt(*m, v, kH, corner.x + 3, corner.y + 1, 5), 1) << "of two at a corner, the nearer";
  EXPECT_EQ(ElementAt(*m, v, kH, corner.x - 1, corner.y - 3, 5), 4);
  const ScreenPoint a = at(5, 5), b = at(45, 25), c = at(45, 45);
  EXPECT_EQ(ElementsWithin(*m, v, kH, a.x, a.y, b.x, b.y), std::vector<int32_t>({1}));
  EXPECT_EQ(ElementsWithin(*m, v, kH, c.x, c.y, a.x, a.y), std::vector<int32_t>({1, 2, 3, 4}));
}

// The materials' fill goes under the model only when switched on and there
// is a mesh; its legend names the materials the triangles use, the model's
// own first; a region point the check names gets a red ring.
TEST(Scene, MaterialColoursLegendAndRegionPointRings) {
  Built b;
  Model& m = *b.model;
  m.ProblemKind = 1;
  m.Conductivity = 1.5f;
  (void)AppendMaterial(m, Material{"cegła", 0.8f, 0});
  (void)AppendMaterial(m, Material{"wełna", 0.04f, 2});
  (void)AppendRegionPoint(m, RegionPoint{5, 5, 2, 0});
  b.display.colourByMaterial = 1;
  b.build();
  EXPECT_EQ(b.scene.materialsAt, -1) << "no mesh, nothing to fill";
  b.mesh({{0, 0}, {10, 0}, {10, 10}, {0, 10}}, {{1, 2, 3, 0}, {1, 3, 4, 2}});
  Highlights pointed;
  pointed.regionPoints = {1, 7};
  BuildScene(m, b.view, b.display, false, kW, kH, b.scene, pointed, true);
  EXPECT_GE(b.scene.materialsAt, 1) << "over the background";
  EXPECT_EQ(b.scene.materialsAt, b.scene.solutionAt) << "under the model, where the solution goes";
  EXPECT_EQ(
      b.where([](const Primitive& p) { return p.shape == Shape::Ring && p.pen == colors::kRed; }).size(), 1u)
      << "the ring of point 1; point 7 does not exist";
  b.display.colourByMaterial = 0;
  b.build();
  EXPECT_EQ(b.scene.materialsAt, -1);

  const std::vector<LegendLine> legend = MaterialLegend(m, ',');
  ASSERT_EQ(legend.size(), 2u);
  EXPECT_EQ(std::tuple(legend[0].text, legend[0].shortText, legend[0].colour),
            std::tuple("materiał 0: materiał projektu, λ 1,5, q 0", "M0", MaterialColour(0)));
  EXPECT_EQ(std::tuple(legend[1].text, legend[1].shortText, legend[1].colour),
            std::tuple("materiał 2: wełna, λ 0,04, q 2", "M2", MaterialColour(2)));
  // Light enough for black lines over each; the materials apart from each
  // other and from the grey of the model's own; numbers past the table grey.
  for (int32_t k = 0; k <= kMaxMaterials; ++k) {
    const Rgb c = MaterialColour(k);
    EXPECT_GT(0.3 * c.r + 0.59 * c.g + 0.11 * c.b, 150.0) << k;
    EXPECT_TRUE(k == 0 || c != MaterialColour(0)) << k;
    EXPECT_TRUE(k <= 1 || c != MaterialColour(k - 1)) << k;
  }
  EXPECT_EQ(MaterialColour(kMaxMaterials + 1), MaterialColour(0));
  EXPECT_EQ(MaterialColour(-3), MaterialColour(0));
}

}  // namespace

namespace {

// A picture of the canvas's size, white, drawn into by a MeshRaster.
struct Picture {
  std::vector<uint32_t> pixels = std::vector<uint32_t>(size_t(kW) * kH, 0xffffffffu);
  uint32_t at(int32_t x, int32_t y) const { return pixels[size_t(y) * kW + size_t(x)]; }
  size_t black() const { return size_t(std::count(pixels.begin(), pixels.end(), 0xff000000u)); }
};

// Edges once each, whichever way the triangles turn; a large mesh is a
// raster mark in the scene, not lines; the raster lands on the very pixels
// the scene's lines end on, passes over what is off the picture, clips what
// crosses its edge and collapses what lies in one pixel.
TEST(MeshRaster, EdgesOnceCulledClippedAndCollapsed) {
  Built b;
  b.mesh({{10, 10}, {30, 10}, {30, 30}, {10, 30}, {40, 40}}, {{1, 2, 3}, {1, 3, 4}, {3, 5, 4}});
  b.model->MeshTriangleTable[3] = {3, 4, 5};  // turned clockwise: its edges are found all the same
  using Edges = std::vector<std::pair<int32_t, int32_t>>;
  Edges edges = UniqueMeshEdges(*b.model);
  std::sort(edges.begin(), edges.end());
  EXPECT_EQ(edges, Edges({{1, 2}, {1, 3}, {1, 4}, {2, 3}, {3, 4}, {3, 5}, {4, 5}}));

  b.build();
  EXPECT_EQ(b.scene.rasterMeshAt, -1);
  Picture picture;
  MeshRaster raster;
  raster.draw(*b.model, b.view, kW, kH, picture.pixels.data(), kW, 0xff000000u);
  EXPECT_EQ(raster.counts().edges, 7u);
  for (const Primitive* line : b.where(IsLine)) {
    EXPECT_EQ(picture.at(line->x1, line->y1), 0xff000000u) << line->x1 << ", " << line->y1;
    EXPECT_EQ(picture.at(line->x2, line->y2), 0xff000000u) << line->x2 << ", " << line->y2;
  }
  const size_t full = picture.black();
  // Over a map, edges shorter than the least length are left out: here
  // only 3-5, ten units across and down, the others twenty or more.
  Picture thin;
  raster.draw(*b.model, b.view, kW, kH, thin.pixels.data(), kW, 0xff000000u, nullptr, nullptr,
              int32_t(15 * b.view.scale));
  EXPECT_EQ(raster.counts().thinned, 1u);
  EXPECT_LT(thin.black(), full);

  // Zoomed on node 3: edges 1-2, 1-4 and 4-5 fall off the picture, the others are clipped.
  b.view.viewXMin = b.view.viewYMin = 29.5f;
  b.view.viewXMax = b.view.viewYMax = 30.5f;
  ComputeScale(b.view, kW, kH);
  Picture zoomed;
  raster.draw(*b.model, b.view, kW, kH, zoomed.pixels.data(), kW, 0xff000000u);
  EXPECT_EQ(raster.counts().culled, 3u);
  EXPECT_GT(zoomed.black(), 200u);
  // From afar the whole mesh is one pixel.
  b.view.viewXMin = b.view.viewYMin = 0.0f;
  b.view.viewXMax = b.view.viewYMax = 1e6f;
  ComputeScale(b.view, kW, kH);
  Picture far;
  raster.draw(*b.model, b.view, kW, kH, far.pixels.data(), kW, 0xff000000u);
  EXPECT_EQ(std::pair(raster.counts().collapsed, far.black()), std::pair(size_t(7), size_t(1)));

  // Another mesh of the same size in new rows is drawn as itself.
  b.view = ViewTransform{};
  b.build();
  b.model->MeshTriangleTable.assign({{1, 2, 4}, {2, 3, 4}, {3, 5, 4}});
  Picture other;
  raster.draw(*b.model, b.view, kW, kH, other.pixels.data(), kW, 0xff000000u);
  EXPECT_EQ(other.black(), full) << "the square's other diagonal, as long as the first";
  EXPECT_NE(other.pixels, picture.pixels);

  for (int32_t t = 4; t <= kMaxMeshTriangles + 1; ++t) b.model->MeshTriangleTable[t] = {1, 2, 3};
  b.model->meshTriangleCount = kMaxMeshTriangles + 1;
  b.build();
  EXPECT_GE(b.scene.rasterMeshAt, 0);
  EXPECT_EQ(b.where(IsLine).size(), 0u) << "no mesh lines among the primitives";
}

TEST(MeshStatistics, AreasAnglesAndTheSmallestAnglesBuckets) {
  Built b;
  const float h = std::sqrt(3.0f);
  b.mesh({{0, 0}, {1, 0}, {1, 1}, {0, 1}, {0, 2}, {2, 2}, {1, 2 + h}},
         {{1, 2, 3}, {1, 3, 4}, {5, 6, 7}, {4, 3, 1}, {2, 2, 2}});
  const MeshStatistics s = ComputeMeshStatistics(*b.model);
  EXPECT_EQ(std::pair(s.nodes, s.triangles), std::pair(7, 5));
  EXPECT_NEAR(s.totalArea, 0.5 + 0.5 + h - 0.5, 1e-6) << "the clockwise triangle counts against";
  EXPECT_NEAR(s.smallestArea, -0.5, 1e-9);
  EXPECT_NEAR(s.largestArea, h, 1e-6);
  EXPECT_EQ(std::pair(s.smallestAngle, s.largestAngle), std::pair(0.0, 180.0)) << "the degenerate triangle";
  std::array<int32_t, MeshStatistics::kBuckets> buckets{};
  buckets[0] = 1;   // the degenerate one
  buckets[22] = 3;  // 45°: the square's halves, either way round
  buckets[29] = 1;  // 60°: the equilateral one, in the last bucket
  EXPECT_EQ(s.smallestAngles, buckets);
}

}  // namespace
