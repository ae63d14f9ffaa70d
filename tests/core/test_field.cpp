// The solution's picture computed without a window: colours of the scale,
// isolines, the deformed disc, the triangle under a point, the colour map's
// pixels and the texts of the colour bar and the read-out.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>

#include "core/Fixtures.h"
#include "core/field/FieldRaster.h"
#include "core/field/FieldValues.h"
#include "core/field/IsolineLabels.h"
#include "core/field/LineSample.h"
#include "core/field/SolutionPicture.h"
#include "core/text/Tr.h"

namespace {

// A structured mesh of cols by rows unit squares, each cut into two
// triangles along a diagonal, the nodes at (i, j) with u = field(x, y).
Solution Grid(int cols, int rows, double (*field)(double, double), bool disc = false) {
  Solution s;
  ResetModelData(s.model);
  Model& m = s.model;
  m.ProblemKind = disc ? 10 : 1;
  std::vector<MeshNode> nodes;
  for (int j = 0; j <= rows; ++j)
    for (int i = 0; i <= cols; ++i) nodes.push_back({double(i), double(j)});
  std::vector<MeshTriangle> triangles;
  for (int j = 0; j < rows; ++j) {
    for (int i = 0; i < cols; ++i) {
      const int a = j * (cols + 1) + i + 1, b = a + 1, c = a + cols + 1, d = c + 1;
      triangles.push_back({a, b, d});
      triangles.push_back({a, d, c});
    }
  }
  m.meshNodeCount = int32_t(nodes.size());
  m.meshTriangleCount = int32_t(triangles.size());
  m.MeshNodeTable.assign(std::move(nodes));
  m.MeshTriangleTable.assign(std::move(triangles));
  SolveResult& r = s.result;
  r.solved = true;
  r.disc = disc;
  r.u.assign(size_t(m.meshNodeCount) + 1, std::nan(""));
  for (int32_t k = 1; k <= m.meshNodeCount; ++k) {
    r.u[size_t(k)] = field(m.MeshNodeTable[k].x, m.MeshNodeTable[k].y);
  }
  r.flux.assign(size_t(m.meshTriangleCount) + 1, {0.0, 0.0});
  for (int32_t t = 1; t <= m.meshTriangleCount; ++t) r.flux[size_t(t)] = {3.0 * t, 4.0 * t};
  if (disc) {
    r.ux = r.u;  // ux = field, uy = -field / 2
    r.uy = r.u;
    for (double& v : r.uy) v *= -0.5;
    r.stress.assign(size_t(m.meshTriangleCount) + 1, {});
    for (int32_t t = 1; t <= m.meshTriangleCount; ++t) r.stress[size_t(t)] = {10.0 * t, 0.0, 0.0, 10.0 * t};
  }
  // The recovered field as the solver leaves it.
  std::vector<double> per;
  for (int32_t t = 0; t <= m.meshTriangleCount; ++t) {
    if (disc) {
      per.insert(per.end(), {t > 0 ? r.stress[size_t(t)].sx : 0.0, 0.0, 0.0});
    } else {
      per.insert(per.end(), {r.flux[size_t(t)][0], r.flux[size_t(t)][1]});
    }
  }
  r.recovered = Recover(m, per, disc ? 3 : 2);
  return s;
}

double Linear(double x, double y) {
  return 2.0 * x - 0.5 * y + 1.0;
}

// The viridis scale at its ends and middle; values outside the range (and
// NaN) take its ends.
TEST(FieldColours, KnownValuesOfTheScale) {
  struct Case {
    double t;
    Rgb want;
  };
  for (const Case& c : {Case{0.0, {0x44, 0x01, 0x54}}, Case{1.0, {0xfd, 0xe7, 0x25}},
                        Case{0.5, {0x21, 0x91, 0x8c}}, Case{-3.0, {0x44, 0x01, 0x54}},
                        Case{7.0, {0xfd, 0xe7, 0x25}}, Case{std::nan(""), {0x44, 0x01, 0x54}}}) {
    EXPECT_EQ(ScaleColour(c.t), c.want) << c.t;
  }
  EXPECT_DOUBLE_EQ(ScalePosition(75.0, 50.0, 150.0), 0.25);
  EXPECT_DOUBLE_EQ(ScalePosition(5.0, 5.0, 5.0), 0.5) << "a constant field sits mid-scale";
  // Perceptually ordered: the lightness (here the channels' sum) grows along the scale.
  const auto& table = ViridisTable();
  for (size_t i = 1; i < table.size(); ++i) {
    const auto sum = [](uint32_t c) { return (c >> 16 & 255) + (c >> 8 & 255) + (c & 255); };
    EXPECT_GE(sum(table[i]) + 2, sum(table[i - 1])) << i;
  }
}

// Every piece of every level lies where the linear field equals the
// level, on the edges of its triangle; a level through mesh edges is
// traced once; the pieces of a level add up to the length of its line
// across the rectangle.
TEST(Isolines, PiecesLieOnTheirLevelOnceAndWhole) {
  Solution one = Grid(1, 1, Linear);
  one.model.meshTriangleCount = 1;  // (0, 0), (1, 0), (1, 1)
  Solution grid = Grid(4, 3, Linear);
  Solution columns = Grid(4, 3, [](double x, double) { return x; });
  struct Case {
    const char* name;
    const Solution* s;
    int32_t levels;
  };
  for (const Case& c :
       {Case{"one triangle", &one, 5}, Case{"grid", &grid, 7}, Case{"columns", &columns, 3}}) {
    const Model& m = c.s->model;
    std::vector<double> x, y;
    MeshedNodes(m, x, y);
    const FieldValues f = ComputeField(*c.s, FieldKind::Potential);
    double lo = INFINITY, hi = -INFINITY;
    for (int32_t t = 1; t <= m.meshTriangleCount; ++t) {
      for (int32_t k :
           {m.MeshTriangleTable[t].corner1, m.MeshTriangleTable[t].corner2, m.MeshTriangleTable[t].corner3}) {
        lo = std::min(lo, f.values[size_t(k)]), hi = std::max(hi, f.values[size_t(k)]);
      }
    }
    const IsolineLevels levels = LevelsFor(lo, hi, c.levels);
    ASSERT_EQ(levels.count, c.levels);
    EXPECT_NEAR(levels.at(c.levels - 1) + levels.step, hi, 1e-12) << c.name;
    std::vector<double> length(size_t(c.levels), 0.0);
    // The same field given per triangle corner traces the same pieces.
    std::vector<double> corners(size_t(m.meshTriangleCount) * 3 + 1, 0.0);
    for (int32_t t = 1; t <= m.meshTriangleCount; ++t) {
      const MeshTriangle& r = m.MeshTriangleTable[t];
      for (int32_t i = 0; i < 3; ++i)
        corners[size_t(3 * (t - 1) + i + 1)] =
            f.values[size_t(std::array{r.corner1, r.corner2, r.corner3}[size_t(i)])];
    }
    size_t pieces[2] = {0, 0};
    for (const bool perCorner : {false, true}) {
      TraceIsolines(
          m, x.data(), y.data(), perCorner ? corners.data() : f.values.data(), levels,
          [&](int32_t k, double x0, double y0, double x1, double y1) {
            ++pieces[perCorner];
            if (perCorner) return;
            for (const auto& [px, py] : {std::pair{x0, y0}, {x1, y1}}) {
              EXPECT_NEAR(c.s->result.u.size() > 0 ? (c.s == &columns ? px : Linear(px, py)) : 0.0,
                          levels.at(k), 1e-12)
                  << c.name;
              EXPECT_TRUE(px >= -1e-12 && py >= -1e-12 && px <= 4 + 1e-12 && py <= 3 + 1e-12);
            }
            length[size_t(k)] += std::hypot(x1 - x0, y1 - y0);
          },
          perCorner);
    }
    EXPECT_TRUE(pieces[0] > 0 && pieces[0] == pieces[1]) << c.name;
    for (int32_t k = 0; k < c.levels && &c.s->model != &one.model; ++k) {
      const double level = levels.at(k);
      // Where x = (level - 1 + y / 2) / 2 (or x = level) crosses 0 <= x <= 4, 0 <= y <= 3.
      const double slope = c.s == &columns ? 0.0 : 0.25, at0 = c.s == &columns ? level : (level - 1) / 2;
      double y0 = 0.0, y1 = 3.0;
      if (slope > 0) y0 = std::max(y0, -at0 / slope), y1 = std::min(y1, (4 - at0) / slope);
      EXPECT_NEAR(length[size_t(k)], std::hypot(1.0, slope) * (y1 - y0), 1e-9) << c.name << " level " << k;
    }
  }
}

// The disc drawn deformed: each node moved by the factor times its
// displacement; the automatic factor makes the largest displacement a
// tenth of the region's larger side.
TEST(Deformation, NodesMoveByTheFactorAndTheAutomaticOneIsATenth) {
  const Solution s = Grid(5, 2, Linear, true);
  const double factor = AutomaticFactor(s);
  double largest = 0.0;
  for (int32_t k = 1; k <= s.model.meshNodeCount; ++k)
    largest = std::max(largest, std::hypot(s.result.ux[size_t(k)], s.result.uy[size_t(k)]));
  EXPECT_NEAR(factor * largest, 0.5, 1e-12);
  std::vector<double> x, y;
  for (double f : {factor, 3.0}) {
    DeformedNodes(s, f, x, y);
    for (int32_t k = 1; k <= s.model.meshNodeCount; ++k) {
      const MeshNode& n = s.model.MeshNodeTable[k];
      ASSERT_DOUBLE_EQ(x[size_t(k)], n.x + f * Linear(n.x, n.y));
      ASSERT_DOUBLE_EQ(y[size_t(k)], n.y - f * 0.5 * Linear(n.x, n.y));
    }
  }
  Solution still = s;
  std::fill(still.result.ux.begin(), still.result.ux.end(), 0.0);
  std::fill(still.result.uy.begin(), still.result.uy.end(), 0.0);
  EXPECT_EQ(AutomaticFactor(still), 0.0);
}

// The triangle under a point, against a scan of all triangles: points
// inside, on shared edges and at nodes are found with weights that give
// back the point and interpolate the linear field exactly; points off the
// mesh, in a triangle left out of it, or past its corner are not.
TEST(TriangleLocator, FindsWhatAScanFindsOnEdgesTooAndNothingOutside) {
  Solution s = Grid(6, 4, Linear);
  Model& m = s.model;
  --m.meshTriangleCount;  // a notch at the top right corner
  std::vector<double> x, y;
  MeshedNodes(m, x, y);
  TriangleLocator locator;
  locator.build(m, x, y);
  EXPECT_GT(locator.cells(), 10u);
  const FieldValues f = ComputeField(s, FieldKind::Potential);
  const auto inside = [&](int32_t t, double px, double py) {
    const MeshHit h = locator.weightsIn(t, px, py);
    return h.weights[0] >= -1e-12 && h.weights[1] >= -1e-12 && h.weights[2] >= -1e-12;
  };
  std::mt19937 random(7);
  std::uniform_real_distribution<double> along(-0.5, 6.5);
  std::vector<std::pair<double, double>> points = {{0, 0},     {6, 4},    {3, 2},     {2.5, 2},
                                                   {2.5, 2.5}, {6, 1.3},  {-1e-9, 1}, {6.0000001, 2},
                                                   {3, 4.5},   {1.2, 1.1}};
  for (int i = 0; i < 400; ++i) points.emplace_back(along(random), along(random) * 4 / 6);
  int found = 0;
  for (const auto& [px, py] : points) {
    bool any = false;
    for (int32_t t = 1; t <= m.meshTriangleCount; ++t) any = any || inside(t, px, py);
    const MeshHit hit = locator.find(px, py);
    ASSERT_EQ(hit.triangle != 0, any) << px << ", " << py;
    if (hit.triangle == 0) continue;
    ++found;
    const MeshTriangle& c = m.MeshTriangleTable[hit.triangle];
    double bx = 0.0, by = 0.0;
    const int32_t k[3] = {c.corner1, c.corner2, c.corner3};
    for (int i = 0; i < 3; ++i) {
      EXPECT_GE(hit.weights[size_t(i)], -1e-12);
      bx += hit.weights[size_t(i)] * x[size_t(k[i])], by += hit.weights[size_t(i)] * y[size_t(k[i])];
    }
    EXPECT_NEAR(bx, px, 1e-12);
    EXPECT_NEAR(by, py, 1e-12);
    EXPECT_NEAR(ValueAt(f, m, hit), Linear(px, py), 1e-12);
  }
  EXPECT_GT(found, 200);
  EXPECT_EQ(locator.find(5.2, 3.7).triangle, 0) << "the last triangle, (5, 3), (6, 4), (5, 4), was removed";
}

// The colour map fills every pixel whose centre lies in the mesh, and no
// other, in the colour of the field at the centre; the materials' fill in
// the colour of the triangle's material.
TEST(FieldRaster, MapAndMaterialsFillTheMeshInTheirColoursAndNothingElse) {
  const Solution s = Grid(6, 4, Linear);
  std::vector<double> x, y;
  MeshedNodes(s.model, x, y);
  ViewTransform view;
  view.viewXMax = 7, view.viewYMax = 5, view.gridShown = 0;
  constexpr int32_t w = 173, h = 151;
  ComputeScale(view, w, h);
  const ScreenMapping map = MappingFor(view, h);
  for (FieldKind kind : {FieldKind::Potential, FieldKind::FluxMagnitude}) {
    const FieldValues f = ComputeField(s, kind);
    std::vector<uint32_t> pixels(size_t(w) * h, 0u);
    FieldRaster raster;
    raster.drawMap(s.model, x, y, f, map, w, h, pixels.data(), w);
    TriangleLocator locator;
    locator.build(s.model, x, y);
    int filled = 0;
    for (int32_t py = 0; py < h; ++py) {
      for (int32_t px = 0; px < w; ++px) {
        const ModelPoint p = PixelCentre(view, h, px, py);
        const bool in = p.x > 1e-9 && p.y > 1e-9 && p.x < 6 - 1e-9 && p.y < 4 - 1e-9;
        const uint32_t got = pixels[size_t(py) * w + size_t(px)];
        if (!in) {
          if (p.x < -1e-9 || p.y < -1e-9 || p.x > 6 + 1e-9 || p.y > 4 + 1e-9) {
            ASSERT_EQ(got, 0u) << px << "," << py;
          }
          continue;
        }
        ++filled;
        ASSERT_NE(got, 0u) << px << "," << py;
        // Its place on the scale within a step; a centre on an edge two
        // triangles share may take either's colour.
        const MeshHit hit = locator.find(p.x, p.y);
        if (!f.perNode && *std::min_element(hit.weights.begin(), hit.weights.end()) < 1e-6) continue;
        const double t = 255.0 * ScalePosition(ValueAt(f, s.model, hit), f.min, f.max);
        const auto& table = ViridisTable();
        bool near = false;
        for (int i = std::max(0, int(t) - 1); i <= std::min(255, int(t) + 2); ++i)
          near = near || table[size_t(i)] == (got & 0xffffffu);
        EXPECT_TRUE(near) << px << "," << py;
      }
    }
    EXPECT_GT(filled, 5000);
  }
  // The materials' fill: each triangle's pixels in its material's colour,
  // at the positions the picture draws the mesh, past the table grey.
  Model m = s.model;
  for (int32_t t = 1; t <= m.meshTriangleCount; ++t)
    m.MeshTriangleTable[t].material = t % 3 == 0 ? 2 : t == 7 ? 400 : 0;
  std::vector<uint32_t> pixels(size_t(w) * h, 0u);
  FieldRaster().drawMaterials(m, nullptr, nullptr, map, w, h, pixels.data(), w);
  TriangleLocator locator;
  locator.build(m, x, y);
  int checked = 0;
  for (int32_t py = 0; py < h; ++py) {
    for (int32_t px = 0; px < w; ++px) {
      const ModelPoint p = PixelCentre(view, h, px, py);
      const MeshHit hit = locator.find(p.x, p.y);
      const uint32_t got = pixels[size_t(py) * w + size_t(px)];
      if (hit.triangle == 0) {
        if (p.x < -1e-9 || p.y < -1e-9 || p.x > 6 + 1e-9 || p.y > 4 + 1e-9) {
          ASSERT_EQ(got, 0u);
        }
        continue;
      }
      if (*std::min_element(hit.weights.begin(), hit.weights.end()) < 1e-6) continue;
      const Rgb c = MaterialColour(m.MeshTriangleTable[hit.triangle].material);
      ASSERT_EQ(got, 0xff000000u | uint32_t(c.r) << 16 | uint32_t(c.g) << 8 | c.b) << px << "," << py;
      ++checked;
    }
  }
  EXPECT_GT(checked, 5000);
}

// The colour bar's and the read-out's texts, with the user's decimal
// point; the disc reads ux, uy and σ_red.
TEST(FieldTexts, ColourBarAndReadOut) {
  const Solution plate = Grid(4, 2, Linear);
  const FieldValues t = ComputeField(plate, FieldKind::Potential);
  const IsolineLevels levels = LevelsFor(t.min, t.max, 3);
  const ColourBarTexts bar = ColourBarFor(t, &levels, 0.0, ',');
  EXPECT_EQ(bar.title, "T [°C]");
  EXPECT_EQ(bar.max, "9");
  EXPECT_EQ(bar.min, "0");
  EXPECT_EQ(bar.levels, (std::vector<std::string>{"2,25", "4,5", "6,75"}));
  EXPECT_EQ(bar.factor, "");
  const FieldValues q = ComputeField(plate, FieldKind::FluxMagnitude);
  EXPECT_EQ(ColourBarFor(q, nullptr, 0.0, '.').title, "|q| [W/m²]");
  EXPECT_EQ(q.max, 5.0 * plate.model.meshTriangleCount);
  const MeshHit hit{2, {0.25, 0.25, 0.5}};  // triangle 2: (0, 0), (1, 1), (0, 1)
  EXPECT_EQ(ReadOut(plate, t, hit, ','), "T = " + ShortNumber(Linear(0.25, 0.75), ',') + " °C");
  EXPECT_EQ(ReadOut(plate, t, {}, ','), "poza siatką");
  const Solution disc = Grid(4, 2, Linear, true);
  const FieldValues vm = ComputeField(disc, FieldKind::VonMises);
  EXPECT_EQ(ColourBarFor(vm, nullptr, 1234.6, ',').factor, "Odkształcenie ×1235");
  EXPECT_EQ(ColourBarFor(vm, nullptr, 0.0, ',').title, "σ_red [Pa]");
  // The disc's read-out and list give the recovered stress: σx alone here,
  // so σ_red is |σx|, interpolated from the corners.
  const RecoveredField& rec = disc.result.recovered;
  double sx = 0.0;
  for (int32_t c = 0; c < 3; ++c) sx += hit.weights[size_t(c)] * rec.corner(2, c)[0];
  EXPECT_EQ(ReadOut(disc, vm, hit, '.'),
            "ux = 1.125 m; uy = -0.5625 m; σ_red = " + ShortNumber(sx, '.') + " Pa");
  const double* at7 = rec.node(7);
  EXPECT_EQ(NodeValuesLine(disc, 7, ','), "7 - 1, 1: 2,5, -1,25; " + ShortNumber(at7[0], ',') + ", 0, 0, " +
                                              ShortNumber(std::abs(at7[0]), ','));
  EXPECT_EQ(NodeValuesHeading(plate), "Nr węzła, x, y, T [°C]; wygładzone qx, qy [W/m²]");
  EXPECT_EQ(NodeValuesHeading(disc), "Nr węzła, x, y, ux [m], uy [m]; wygładzone σx, σy, τxy, σ_red [Pa]");
}

// With a translator installed the window's field texts follow it, while
// the CSV files keep their untranslated headings byte for byte.
TEST(FieldTexts, TheWindowIsTranslatedAndFilesAreNot) {
  const Solution plate = Grid(4, 2, Linear), disc = Grid(4, 2, Linear, true);
  const std::string polishNodes = NodeValuesCsv(plate), polishDiscNodes = NodeValuesCsv(disc);
  struct Bracketed {  // each source in angle brackets, uninstalled however the test ends
    Bracketed() {
      InstallTranslator([](const char*, const char* source) { return "<" + std::string(source) + ">"; });
    }
    ~Bracketed() { InstallTranslator(nullptr); }
  } bracketed;
  const FieldValues error = ComputeField(plate, FieldKind::Error);
  EXPECT_EQ(ColourBarFor(error, nullptr, 0.0, '.').title, "<błąd> [%]");
  EXPECT_EQ(LineSamplesCsv({}, error, "m"), "s [m],x [m],y [m],błąd [%]\n");
  EXPECT_EQ(ColourBarFor(ComputeField(disc, FieldKind::VonMises), nullptr, 2.0, '.').factor,
            "<Odkształcenie ×2>");
  EXPECT_EQ(ReadOut(plate, error, {}, '.'), "<poza siatką>");
  EXPECT_EQ(NodeValuesHeading(plate), "<Nr węzła, x, y, T [°C]; wygładzone qx, qy [W/m²]>");
  EXPECT_EQ(NodeValuesCsv(plate), polishNodes);
  EXPECT_EQ(NodeValuesCsv(disc), polishDiscNodes);
}

// Labels sit on their lines where they have room: not over another
// level's line, a box kept clear or another label, and a level's labels a
// spacing apart.
TEST(IsolineLabeller, PlacesLabelsOnlyWhereTheyHaveRoom) {
  IsolineLabeller labeller;
  labeller.reset(400, 200, 3, 100);
  for (int x = 0; x < 400; x += 10) {
    labeller.add(0, x, 50, x + 10, 50);  // levels 0 and 1 six pixels apart
    labeller.add(1, x, 56, x + 10, 56);
    labeller.add(2, x, 150, x + 10, 150);
  }
  const std::vector<std::array<int32_t, 2>> sizes(3, {30, 16});
  const auto centres = [](const std::vector<IsolineLabel>& labels) {
    std::vector<std::array<int32_t, 3>> c;
    for (const IsolineLabel& l : labels)
      c.push_back({l.level, (l.box.left + l.box.right) / 2, (l.box.top + l.box.bottom) / 2});
    return c;
  };
  using Centres = std::vector<std::array<int32_t, 3>>;
  EXPECT_EQ(centres(labeller.place(sizes, {})),
            Centres({{2, 45, 150}, {2, 145, 150}, {2, 245, 150}, {2, 345, 150}}));
  const PixelBox right{200, 100, 400, 200};
  EXPECT_EQ(centres(labeller.place(sizes, {&right, 1})), Centres({{2, 45, 150}, {2, 145, 150}}));
  // Pieces either side of two regions' border: the second label, clear of
  // the first, is within the spacing.
  labeller.reset(400, 200, 3, 100);
  labeller.add(2, 90, 150, 100, 150);
  labeller.add(2, 100, 150, 110, 150);
  const std::vector<std::array<int32_t, 2>> small(3, {8, 8});
  EXPECT_EQ(centres(labeller.place(small, {})), Centres({{2, 95, 150}}));
  // Up and down lines sixteen pixels apart, either way along: labels turned
  // along them fit between, upright.
  labeller.reset(400, 200, 3, 100);
  for (int y = 0; y < 200; y += 10) labeller.add(0, 50, y, 50, y + 10), labeller.add(1, 66, y + 10, 66, y);
  const std::vector<IsolineLabel> upright = labeller.place(sizes, {});
  EXPECT_EQ(centres(upright), Centres({{0, 50, 45}, {1, 66, 45}, {0, 50, 145}, {1, 66, 145}}));
  for (const IsolineLabel& l : upright) EXPECT_NEAR(l.angle, std::numbers::pi / 2, 1e-6);
}

// The picture follows its switches: nothing without a solution or a
// layer; the automatic factor for the disc unless one is given; a point
// read in the deformed positions.
TEST(SolutionPicture, FollowsTheSwitches) {
  auto disc = std::make_shared<const Solution>(Grid(4, 2, Linear, true));
  SolutionPicture picture;
  SolutionDisplay d;
  EXPECT_FALSE(picture.update(disc, d));
  d.deformed = true;
  EXPECT_FALSE(picture.update(nullptr, d));
  EXPECT_FALSE(picture.update(std::make_shared<const Solution>(Grid(1, 1, Linear)), d))
      << "a plate has no deformation";
  ASSERT_TRUE(picture.update(disc, d));
  EXPECT_DOUBLE_EQ(picture.factor(), AutomaticFactor(*disc));
  // The isolines follow the map's field; one of a value a triangle is
  // averaged at the nodes (the grid's triangles have equal areas).
  EXPECT_EQ(std::pair(picture.field().kind, picture.isolineField().kind),
            std::pair(FieldKind::VonMisesRecovered, FieldKind::VonMisesRecovered));
  d.field = 1;
  ASSERT_TRUE(picture.update(disc, d));
  EXPECT_EQ(std::pair(picture.field().kind, picture.isolineField().kind),
            std::pair(FieldKind::VonMises, FieldKind::VonMises));
  ASSERT_TRUE(picture.isolineField().perNode);
  for (int32_t node = 1; node <= disc->model.meshNodeCount; ++node) {
    double sum = 0.0;
    int count = 0;
    for (int32_t t = 1; t <= disc->model.meshTriangleCount; ++t) {
      const MeshTriangle& c = disc->model.MeshTriangleTable[t];
      if (c.corner1 == node || c.corner2 == node || c.corner3 == node)
        sum += picture.field().values[size_t(t)], ++count;
    }
    EXPECT_NEAR(picture.isolineField().values[size_t(node)], sum / count, 1e-9 * std::abs(sum)) << node;
  }
  d.factor = 0.1, d.field = 2;
  ASSERT_TRUE(picture.update(disc, d));
  EXPECT_EQ(picture.field().kind, FieldKind::DisplacementMagnitude);
  // The last triangle, (3, 1), (4, 2), (3, 2), is drawn at (3.65, 0.675),
  // (4.8, 1.6), (3.6, 1.7): its centre lies past the meshed edge x = 4,
  // and the meshed corner (4, 2) above the drawn one.
  EXPECT_EQ(picture.hitAt((3.65 + 4.8 + 3.6) / 3, (0.675 + 1.6 + 1.7) / 3).triangle, 16);
  EXPECT_EQ(picture.hitAt(4.0, 2.0).triangle, 0);
}

}  // namespace
