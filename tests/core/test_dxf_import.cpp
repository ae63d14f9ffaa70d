// The DXF import's core: chords within their rule, ends merged, chains
// nested and turned, hole points inside even awkward holes, layers to
// conditions, and a refusal that leaves the model as it was. Drawings come
// from ezdxf (the dxf_drawings fixture) or are built here as curves.

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "core/files/ProjectFile.h"
#include "core/import/DrawingImport.h"
#include "core/import/DxfReader.h"

namespace {

constexpr double kTurn = 2 * std::numbers::pi;

DrawingCurve Arc(DrawingPoint c, DrawingPoint u, DrawingPoint v, double t0, double t1) {
  return ArcCurve(c, u, v, t0, t1, std::fabs(t1 - t0) >= kTurn);
}

DrawingCurve Line(DrawingPoint a, DrawingPoint b, int32_t layer = 0) {
  DrawingCurve l = LineCurve(a, b);
  l.layer = layer;
  return l;
}

Drawing Of(std::vector<DrawingCurve> curves, int32_t layers = 1) {
  Drawing d;
  for (int32_t i = 0; i < layers; ++i) d.layers.push_back({"L" + std::to_string(i), 1});
  d.curves = std::move(curves);
  d.extent = CurvesExtent(d.curves);
  return d;
}

double Distance(DrawingPoint a, DrawingPoint b, DrawingPoint p) {
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double t = std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
  return std::hypot(a.x + t * dx - p.x, a.y + t * dy - p.y);
}

// The farthest the curve strays from its chords when cut into n.
double Deviation(const DrawingCurve& c, int64_t n) {
  double worst = 0.0;
  for (int64_t k = 0; k < n; ++k) {
    const double ta = c.t0 + (c.t1 - c.t0) * double(k) / double(n);
    const double tb = c.t0 + (c.t1 - c.t0) * double(k + 1) / double(n);
    for (int i = 1; i < 50; ++i)
      worst = std::max(worst, Distance(c.at(ta), c.at(tb), c.at(ta + (tb - ta) * i / 50)));
  }
  return worst;
}

bool Inside(const std::vector<DrawingPoint>& polygon, DrawingPoint q) {
  bool in = false;
  for (size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
    const DrawingPoint a = polygon[i], b = polygon[j];
    if ((a.y > q.y) != (b.y > q.y) && q.x < a.x + (q.y - a.y) * (b.x - a.x) / (b.y - a.y)) in = !in;
  }
  return in;
}

DxfResult Read(const char* name) {
  return ReadDxfFile(std::string(DXF_DRAWINGS) + "/" + name);
}

}  // namespace

// Each curve is cut as finely as its rule asks and no finer: within the
// tolerance, where one chord fewer would not be; or N chords a full turn.
TEST(DxfChords, ToleranceAndCountPerCircle) {
  struct Case {
    const char* what;
    DrawingCurve curve;
  };
  const Case cases[] = {
      {"circle", Arc({0, 0}, {10, 0}, {0, 10}, 0, kTurn)},
      {"quarter arc, clockwise", Arc({5, 5}, {3, 0}, {0, 3}, std::numbers::pi, std::numbers::pi / 2)},
      {"rotated ellipse", Arc({1, 2}, {6, 6}, {-1.5, 1.5}, 0, kTurn)},
      {"unevenly scaled arc", Arc({0, 0}, {20, 0}, {0, 4}, 0.3, 2.9)},
  };
  for (const Case& c : cases) {
    for (double tolerance : {0.5, 0.05, 0.001}) {
      const int64_t n = ChordsFor(c.curve, {tolerance, 0});
      EXPECT_LE(Deviation(c.curve, n), tolerance * (1 + 1e-9)) << c.what << " at " << tolerance;
      if (n > (c.curve.closed ? 3 : 1)) {
        EXPECT_GT(Deviation(c.curve, n - 1), tolerance * 0.5) << c.what << " cut finer than needed: " << n;
      }
    }
    for (int32_t perCircle : {3, 8, 36}) {
      const double turns = std::fabs(c.curve.t1 - c.curve.t0) / kTurn;
      const int64_t n = ChordsFor(c.curve, {0, perCircle});
      EXPECT_EQ(n, std::max<int64_t>(c.curve.closed ? 3 : 1, int64_t(std::ceil(perCircle * turns - 1e-9))))
          << c.what;
      // The plan's points are the chords' ends, on the curve: taken back
      // through the ellipse's axes they lie on the unit circle, within the arc.
      const ImportPlan plan = PlanImport(Of({c.curve}), {1.0, {0, perCircle}, 0.0, {}, {}, {}});
      EXPECT_EQ(int64_t(plan.segments.size()), n) << c.what;
      const DrawingCurve& e = c.curve;
      const double det = e.u.x * e.v.y - e.u.y * e.v.x;
      for (const DrawingPoint& p : plan.points) {
        const double dx = p.x - e.centre.x, dy = p.y - e.centre.y;
        const double cs = (e.v.y * dx - e.v.x * dy) / det, sn = (-e.u.y * dx + e.u.x * dy) / det;
        EXPECT_NEAR(std::hypot(cs, sn), 1.0, 1e-6) << c.what;
        double t = std::atan2(sn, cs);
        while (t < std::min(e.t0, e.t1) - 1e-9) t += kTurn;
        EXPECT_LE(t, std::max(e.t0, e.t1) + 1e-9) << c.what;
      }
    }
  }
}

// The tolerance offered: a thousandth of the diagonal, rounded down to 1,
// 2 or 5 times a power of ten.
TEST(DxfChords, DefaultToleranceReadsWell) {
  const std::pair<double, double> cases[] = {{100, 0.1}, {116.6, 0.1}, {199.9, 0.1}, {200, 0.2},
                                             {499, 0.2}, {500, 0.5},   {9999, 5},    {3e6, 2000}};
  for (const auto& [diagonal, tolerance] : cases) {
    EXPECT_NEAR(DefaultTolerance(Of({Line({0, 0}, {diagonal, 0})})), tolerance, tolerance * 1e-12)
        << diagonal;
  }
}

// Lines that nearly meet, one drawn twice and some drawn backwards close
// into one contour of four nodes, counter-clockwise; a chain with a free
// end stays open and as drawn.
TEST(DxfChains, EndsMergeAndContoursTurn) {
  const double e = 1e-9;
  const ImportPlan square =
      PlanImport(Of({Line({0, 0}, {0, 10}), Line({0, 10 + e}, {10, 10}), Line({10, 10}, {10, e}),
                     Line({10, 0}, {0, 0}), Line({0, 0}, {0, 10})}),
                 {1.0, {0.1, 0}, 0.0, {}, {}, {}});
  ASSERT_EQ(square.chains.size(), 1u);
  EXPECT_EQ(square.points.size(), 4u);
  EXPECT_EQ(square.duplicates, 1);
  EXPECT_EQ(square.chains[0].role, ChainRole::Outer);
  EXPECT_GT(square.chains[0].area, 99.0);
  EXPECT_EQ(square.chains[0].flipped, 4);  // all four were drawn clockwise
  for (size_t i = 0; i < square.segments.size(); ++i) {
    EXPECT_EQ(square.segments[i].to, square.segments[(i + 1) % square.segments.size()].from);
  }
  const ImportPlan open =
      PlanImport(Of({Line({0, 0}, {5, 0}), Line({9, 3}, {5, 0})}), {1.0, {0.1, 0}, 0.0, {}, {}, {}});
  ASSERT_EQ(open.chains.size(), 1u);
  EXPECT_EQ(open.chains[0].role, ChainRole::Open);
  EXPECT_EQ(open.chains[0].flipped, 0);
  EXPECT_EQ(open.points.size(), 3u);
}

// Nesting alternates solid and hole; a nested chain marked a region is
// meshed, and what lies in it is a hole again.
TEST(DxfChains, NestingDecidesRolesAndOrientation) {
  const auto square = [](double x0, double size) {
    std::vector<DrawingCurve> s;
    const DrawingPoint p[] = {{x0, x0}, {x0 + size, x0}, {x0 + size, x0 + size}, {x0, x0 + size}};
    for (int i = 0; i < 4; ++i) s.push_back(Line(p[i], p[(i + 1) % 4]));
    return s;
  };
  std::vector<DrawingCurve> curves;
  for (auto [x0, size] : {std::pair{0.0, 100.0}, {10.0, 80.0}, {20.0, 60.0}, {30.0, 40.0}}) {
    for (const DrawingCurve& c : square(x0, size)) curves.push_back(c);
  }
  struct Case {
    std::vector<bool> regions;
    std::vector<ChainRole> roles;
  };
  using R = ChainRole;
  const Case cases[] = {{{}, {R::Outer, R::Hole, R::Outer, R::Hole}},
                        {{false, true}, {R::Outer, R::Region, R::Hole, R::Outer}},
                        {{false, true, true}, {R::Outer, R::Region, R::Region, R::Hole}}};
  for (const Case& c : cases) {
    const ImportPlan plan = PlanImport(Of(curves), {1.0, {0.1, 0}, 0.0, {}, c.regions, {}});
    ASSERT_EQ(plan.chains.size(), 4u);
    for (size_t k = 0; k < 4; ++k) {
      EXPECT_EQ(plan.chains[k].role, c.roles[k]) << k;
      EXPECT_EQ(plan.chains[k].area < 0, c.roles[k] == R::Hole) << k;
      EXPECT_EQ(plan.chains[k].parent, int32_t(k) - 1);
      if (c.roles[k] != R::Hole) continue;
      const DrawingPoint h = plan.chains[k].holePoint;
      const double lo = 10.0 * double(k), hi = 100.0 - lo, innerLo = lo + 10.0, innerHi = hi - 10.0;
      EXPECT_TRUE(h.x > lo && h.x < hi && h.y > lo && h.y < hi) << k;
      if (k < 3) {
        EXPECT_FALSE(h.x > innerLo && h.x < innerHi && h.y > innerLo && h.y < innerHi) << "in the island";
      }
    }
  }
}

// A hole point lies inside thin and non-convex holes, where the centroid
// does not, and outside the islands within them.
TEST(DxfChains, HolePointInsideAwkwardShapes) {
  struct Case {
    const char* what;
    std::vector<DrawingPoint> outer;
    std::vector<std::vector<DrawingPoint>> inner;
  };
  const Case cases[] = {
      {"sliver", {{0, 0}, {100, 0.01}, {100, 0.02}}, {}},
      {"C shape", {{0, 0}, {10, 0}, {10, 1}, {1, 1}, {1, 9}, {10, 9}, {10, 10}, {0, 10}}, {}},
      {"comb",
       {{0, 0}, {9, 0}, {9, 5}, {8, 5}, {8, 1}, {5, 1}, {5, 5}, {4, 5}, {4, 1}, {1, 1}, {1, 5}, {0, 5}},
       {}},
      {"ring", {{0, 0}, {10, 0}, {10, 10}, {0, 10}}, {{{0.5, 0.5}, {9.5, 0.5}, {9.5, 9.5}, {0.5, 9.5}}}},
      {"two islands",
       {{0, 0}, {20, 0}, {20, 4}, {0, 4}},
       {{{1, 1}, {9, 1}, {9, 3}, {1, 3}}, {{11, 1}, {19, 1}, {19, 3}, {11, 3}}}},
  };
  for (const Case& c : cases) {
    DrawingPoint p;
    ASSERT_TRUE(PointInside(c.outer, c.inner, p)) << c.what;
    EXPECT_TRUE(Inside(c.outer, p)) << c.what;
    for (const auto& island : c.inner) EXPECT_FALSE(Inside(island, p)) << c.what;
    EXPECT_TRUE(Inside(c.outer, {double(float(p.x)), double(float(p.y))}))
        << c.what << " in single precision";
  }
  DrawingPoint p;
  EXPECT_FALSE(PointInside({{0, 0}, {1, 1}, {2, 2}}, {}, p)) << "a polygon without area";
}

// The ezdxf plate: its layers, units and skipped text as drawn; each
// layer's condition and boundary go to its elements, the hole gets an inner
// boundary row made for it and a hole point; counts add up.
TEST(DxfImport, PlateLayersToConditions) {
  const DxfResult read = Read("plyta.dxf");
  ASSERT_TRUE(read.ok) << read.message;
  const Drawing& d = read.drawing;
  EXPECT_EQ(d.insUnits, 4);
  EXPECT_EQ(UnitOfDrawing(d.insUnits).metres, 0.001);
  EXPECT_EQ(d.skipped.at("TEXT"), 1);
  std::map<std::string, int32_t> layers;
  for (const DrawingLayer& l : d.layers) layers[l.name] = l.entities;
  EXPECT_EQ(layers, (std::map<std::string, int32_t>{{"KONTUR", 4}, {"GORACA", 1}, {"OTWOR", 1}}));

  Model m;
  InitModelData(m);
  for (int i = 0; i < 2; ++i) (void)AppendCondition(m, BoundaryCondition{1.0f, float(20 * i)});
  std::vector<LayerPhysics> physics(d.layers.size());
  for (size_t i = 0; i < d.layers.size(); ++i) {
    physics[i].condition = d.layers[i].name == "KONTUR" ? 1 : d.layers[i].name == "GORACA" ? 2 : 3;
  }
  const ImportPlan plan = PlanImport(d, {1.0, {DefaultTolerance(d), 0}, 0.0, {}, {}, {}});
  const ImportOutcome out = ApplyImport(m, plan, d, physics, ',');
  ASSERT_TRUE(out.done) << out.message;
  EXPECT_EQ(m.nodeCount, int32_t(plan.points.size()));
  EXPECT_EQ(m.elementCount, int32_t(plan.segments.size()));
  ASSERT_EQ(m.internalNodeCount, 1);
  ASSERT_EQ(m.boundaryCount, 2);
  EXPECT_EQ(m.BoundaryTable[2].kind, 2);
  EXPECT_NE(out.message.find("węzeł wewnętrzny 1"), std::string::npos) << out.message;
  const InternalNode h = m.InternalNodeTable[1];
  EXPECT_LT(std::hypot(h.x - 35.0, h.y - 30.0), 12.0);
  for (int32_t i = 1; i <= m.elementCount; ++i) {
    const Element& e = m.ElementTable[i];
    const Node a = m.NodeTable[e.startNode], b = m.NodeTable[e.endNode];
    const bool hot = a.x == 100.0f && b.x == 100.0f;
    const bool hole = std::fabs(std::hypot(a.x - 35.0, a.y - 30.0) - 12.0) < 0.01;
    EXPECT_EQ(e.bcNumber, hot ? 2 : hole ? 3 : 1) << i;
    EXPECT_EQ(e.boundaryNumber, hole ? 2 : 1) << i;
  }
}

// A drawing past the tables is refused with its counts and the remedy, and
// the model stays bit for bit; so does one on skipped layers only, and one
// whose lines cross too often.
TEST(DxfImport, RefusalLeavesTheModel) {
  const DxfResult read = Read("wspornik.dxf");
  ASSERT_TRUE(read.ok) << read.message;
  Model m;
  InitModelData(m);
  for (int32_t i = 0; i < kMaxNodes - 10; ++i) (void)AppendNode(m, Node{float(i), 0.0f});
  const std::string before = FormatProjectFile(m);
  const std::vector<LayerPhysics> physics(read.drawing.layers.size());
  const ImportPlan plan =
      PlanImport(read.drawing, {1.0, {DefaultTolerance(read.drawing), 0}, 0.0, {}, {}, {}});
  const ImportOutcome full = ApplyImport(m, plan, read.drawing, physics, ',');
  EXPECT_FALSE(full.done);
  EXPECT_NE(full.message.find("węzłów " + std::to_string(kMaxNodes - 10 + plan.points.size())),
            std::string::npos)
      << full.message;
  EXPECT_NE(full.message.find("Zwiększ tolerancję"), std::string::npos);
  const ImportPlan none = PlanImport(
      read.drawing, {1.0, {1.0, 0}, 0.0, std::vector<bool>(read.drawing.layers.size(), true), {}, {}});
  EXPECT_FALSE(ApplyImport(m, none, read.drawing, physics, ',').done);
  // Few lines, but split where they cross past what a plan is made for.
  std::vector<DrawingCurve> grid;
  for (int i = 0; i < 70; ++i) {
    grid.push_back(Line({0, double(i)}, {70, i + 0.5}));
    grid.push_back(Line({double(i), 0}, {i + 0.5, 70}));
  }
  const ImportPlan crossed = PlanImport(Of(grid), {1.0, {1.0, 0}, 0.0, {}, {}, {}});
  EXPECT_TRUE(crossed.tooMany);
  EXPECT_GT(crossed.segmentCount, kPlanMaxSegments);
  EXPECT_FALSE(ApplyImport(m, crossed, read.drawing, physics, ',').done);
  EXPECT_EQ(FormatProjectFile(m), before);
}

// The blocks land where their inserts put them: the unevenly scaled
// circle is an ellipse, both squares are holes with an island each.
TEST(DxfImport, BlocksPlacedScaledAndRotated) {
  const DxfResult read = Read("bloki.dxf");
  ASSERT_TRUE(read.ok) << read.message;
  const ImportPlan plan =
      PlanImport(read.drawing, {1.0, {DefaultTolerance(read.drawing), 0}, 0.0, {}, {}, {}});
  std::vector<ChainRole> roles;
  for (const ImportChain& c : plan.chains) roles.push_back(c.role);
  using R = ChainRole;
  EXPECT_EQ(roles, (std::vector<R>{R::Outer, R::Hole, R::Hole, R::Outer, R::Outer}));
  // The islands' areas: π·3² scaled by 1.5² and by 2·1.2, less what the
  // chords cut off, at most the tolerance along the perimeter.
  std::vector<double> islands = {plan.chains[3].area, plan.chains[4].area};
  std::sort(islands.begin(), islands.end());
  const double bound = DefaultTolerance(read.drawing) * 2 * std::numbers::pi * 6;
  for (const auto& [area, drawn] : {std::pair{islands[0], std::numbers::pi * 9 * 1.5 * 1.5},
                                    std::pair{islands[1], std::numbers::pi * 9 * 2 * 1.2}}) {
    EXPECT_LT(area, drawn);
    EXPECT_GT(area, drawn - bound);
  }
}

namespace {

// What the plan meshes: its outer contours less its holes.
double MeshedArea(const ImportPlan& plan) {
  double area = 0.0;
  for (const ImportChain& c : plan.chains) {
    if (c.role == ChainRole::Outer || c.role == ChainRole::Hole) area += c.area;
  }
  return area;
}

// How far the chords may take the area from the drawing's: each arc's
// chords within the tolerance of it, each line's ends within the join
// distance of where they were drawn.
double AreaBound(const Drawing& d, double tolerance, double join) {
  double bound = 0.0;
  for (const DrawingCurve& c : d.curves) {
    bound += c.kind == DrawingCurve::Kind::Line ? join * std::hypot(c.b.x - c.a.x, c.b.y - c.a.y)
                                                : tolerance * c.radius() * std::fabs(c.t1 - c.t0);
  }
  return bound;
}

}  // namespace

// The region is what the drawing encloses, however it is drawn: a circle
// across the edge cuts a notch, an edge drawn twice hides no hole, ends a
// ten-thousandth apart close, tabs whose lines end on an edge and parts
// that share an edge are meshed whole, in millimetres as in metres.
TEST(DxfRegions, EnclosedAreaAsDrawn) {
  const double pi = std::numbers::pi;
  const double cap = 225 * std::acos(8.0 / 15) - 8 * std::sqrt(225.0 - 64);  // beyond the notch's edge
  struct Case {
    const char* file;
    double scale, area;
    int32_t holes, open, duplicates, gaps;
  };
  const Case cases[] = {
      {"wyciecie.dxf", 1, 6000 - (pi * 225 - cap) - pi * 64, 1, 0, 0, 0},
      {"krawedz-dwa-razy.dxf", 1, 6000 - pi * 100, 1, 0, 2, 0},
      {"szczeliny.dxf", 1, 3900, 0, 0, 0, 6},
      {"trojnik.dxf", 1, 4400, 0, 1, 0, 0},
      {"czesci.dxf", 1, 4800 - pi * 64, 1, 1, 1, 0},
      {"milimetry.dxf", 0.001, (3900 - pi * 2.25) * 1e-6, 1, 0, 0, 6},
  };
  for (const Case& c : cases) {
    const DxfResult read = Read(c.file);
    ASSERT_TRUE(read.ok) << read.message;
    const Drawing& d = read.drawing;
    const double tolerance = DefaultTolerance(d), join = DefaultJoinDistance(d);
    const ImportPlan plan = PlanImport(d, {c.scale, {tolerance, 0}, join, {}, {}, {}});
    EXPECT_FALSE(plan.noRegion) << c.file;
    EXPECT_NEAR(MeshedArea(plan), c.area, AreaBound(d, tolerance, join) * c.scale * c.scale) << c.file;
    EXPECT_EQ(plan.holes(), c.holes) << c.file;
    EXPECT_EQ(std::count_if(plan.chains.begin(), plan.chains.end(),
                            [](const ImportChain& k) { return k.role == ChainRole::Open; }),
              c.open)
        << c.file;
    EXPECT_EQ(plan.duplicates, c.duplicates) << c.file;
    EXPECT_TRUE(plan.looseEnds.empty()) << c.file;
    ASSERT_EQ(int32_t(plan.joinedGaps.size()), c.gaps) << c.file;
    for (const JoinedGap& g : plan.joinedGaps) {
      EXPECT_NEAR(g.width, 1e-4 * std::hypot(80, 80) * c.scale, 1e-9 * c.scale) << c.file;
    }
    // Every hole's point lies in it, outside the meshed part.
    for (const ImportChain& hole : plan.chains) {
      if (hole.role != ChainRole::Hole) continue;
      std::vector<DrawingPoint> polygon;
      for (int32_t s : hole.segments) polygon.push_back(plan.points[size_t(plan.segments[size_t(s)].from)]);
      EXPECT_TRUE(Inside(polygon, hole.holePoint)) << c.file;
    }
  }
}

// Without the join the L-plate encloses nothing: refused, naming its loose
// ends (ten, then a count) and the join distance that closes them, and the
// model stays as it was. With it, the summary names the gaps closed; a
// stray line is listed as loose ends, a circle smaller than the join as
// skipped, or, when nothing else is left, as what the join swallowed.
TEST(DxfRegions, LooseEndsGapsAndVanishedContoursInTheMessages) {
  const DxfResult read = Read("szczeliny.dxf");
  ASSERT_TRUE(read.ok) << read.message;
  Drawing d = read.drawing;
  const double tolerance = DefaultTolerance(d), join = DefaultJoinDistance(d);
  const std::vector<LayerPhysics> physics(d.layers.size());
  Model m;
  InitModelData(m);
  const std::string before = FormatProjectFile(m);

  const ImportPlan open = PlanImport(d, {1.0, {tolerance, 0}, 0.0, {}, {}, {}});
  EXPECT_TRUE(open.noRegion);
  ASSERT_EQ(open.looseEnds.size(), 12u);
  for (const LooseEnd& end : open.looseEnds) {
    EXPECT_NEAR(end.gap, 1e-4 * std::hypot(80, 80), 1e-9);
    EXPECT_EQ(end.join, join);  // the gap, 0.0113, rounded up to 1, 2 or 5
  }
  const ImportOutcome refused = ApplyImport(m, open, d, physics, ',');
  EXPECT_FALSE(refused.done);
  EXPECT_EQ(FormatProjectFile(m), before);
  const std::string& r = refused.message;
  EXPECT_NE(r.find("nie obejmuje żadnego zamkniętego obszaru"), std::string::npos) << r;
  EXPECT_NE(r.find("luźne końce (12):\n  (0; 0): przerwa 0,0113"), std::string::npos) << r;
  EXPECT_NE(r.find("\n  i 2 innych\nZwiększ odległość łączenia do 0,02 (teraz 0)"), std::string::npos) << r;

  // A stray line and a circle that the join shrinks to a point.
  d.curves.push_back(Line({100, 0}, {100, 50}));
  d.curves.push_back(Arc({40, 60}, {join / 4, 0}, {0, join / 4}, 0, kTurn));
  const ImportPlan closed = PlanImport(d, {1.0, {tolerance, 0}, join, {}, {}, {}});
  EXPECT_FALSE(closed.noRegion);
  EXPECT_EQ(closed.vanished, 1);
  EXPECT_EQ(closed.vanishedSize, join / 2);
  const ImportOutcome done = ApplyImport(m, closed, d, physics, ',');
  ASSERT_TRUE(done.done) << done.message;
  const std::string& s = done.message;
  EXPECT_NE(s.find("Połączono przerwy między końcami (6):\n  ("), std::string::npos) << s;
  EXPECT_NE(s.find("): szerokość 0,0113"), std::string::npos) << s;
  // The line's ends are free, not a gap: no join is offered for them.
  EXPECT_NE(s.find("Luźne końce, w których kontury się nie zamykają (2):\n  (100; 0): przerwa 20,"),
            std::string::npos)
      << s;
  EXPECT_NE(s.find("\n  (100; 50): przerwa 28,"), std::string::npos) << s;
  EXPECT_EQ(s.find("Zwiększ odległość łączenia"), std::string::npos) << s;
  EXPECT_NE(s.find("\nPominięto: kontury mniejsze niż odległość łączenia 1 (największy 0,01)."),
            std::string::npos)
      << s;
  // A join that swallows the only contour leaves nothing, and says why.
  const ImportPlan gone =
      PlanImport(Of({Arc({0, 0}, {1, 0}, {0, 1}, 0, kTurn)}), {1.0, {0.1, 0}, 5.0, {}, {}, {}});
  const ImportOutcome nothing = ApplyImport(m, gone, d, physics, ',');
  EXPECT_FALSE(nothing.done);
  EXPECT_NE(
      nothing.message.find("Zniknęły kontury mniejsze niż odległość łączenia: 1 (największy 2); zmniejsz ją"),
      std::string::npos)
      << nothing.message;
}

// Drawn shapes that touch or overrun each other: a hole whose side runs
// along the outline is a slot, a line across a plate divides it, lines
// drawn past the corners still enclose their square (the stubs meeting at
// each corner one open chain), squares meeting at a corner are two parts, a
// hole touching the outline at a point is a hole of its own, and a hole's
// point keeps off a line drawn into it.
TEST(DxfRegions, ShapesThatTouchOrOverrun) {
  const auto rect = [](double x0, double y0, double x1, double y1) {
    const DrawingPoint p[] = {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
    std::vector<DrawingCurve> s;
    for (int i = 0; i < 4; ++i) s.push_back(Line(p[i], p[(i + 1) % 4]));
    return s;
  };
  const auto join = [](std::vector<DrawingCurve> a, const std::vector<DrawingCurve>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
  };
  struct Case {
    const char* what;
    std::vector<DrawingCurve> curves;
    double area;
    int32_t outer, holes, open;
  };
  const Case cases[] = {
      {"slot", join(rect(0, 0, 100, 60), rect(40, 0, 60, 30)), 6000 - 600, 1, 0, 0},
      {"divider", join(rect(0, 0, 100, 60), {Line({30, 0}, {30, 60})}), 6000, 1, 0, 1},
      {"lines past the corners",
       {Line({-5, 0}, {105, 0}), Line({100, -5}, {100, 65}), Line({105, 60}, {-5, 60}),
        Line({0, 65}, {0, -5})},
       6000,
       1,
       0,
       4},
      {"squares meeting at a corner", join(rect(0, 0, 10, 10), rect(10, 10, 20, 20)), 200, 2, 0, 0},
      {"hole touching the edge at a point",
       join(rect(0, 0, 100, 60), {Line({50, 60}, {40, 50}), Line({40, 50}, {50, 40}),
                                  Line({50, 40}, {60, 50}), Line({60, 50}, {50, 60})}),
       6000 - 200, 1, 1, 0},
      {"line into a hole past its middle",
       join(join(rect(0, 0, 100, 60), rect(40, 20, 60, 40)), {Line({60, 40}, {45, 25})}), 6000 - 400, 1, 1,
       1},
  };
  for (const Case& c : cases) {
    const ImportPlan plan = PlanImport(Of(c.curves), {1.0, {0.1, 0}, 0.0, {}, {}, {}});
    EXPECT_NEAR(MeshedArea(plan), c.area, 1e-9) << c.what;
    EXPECT_EQ(plan.holes(), c.holes) << c.what;
    int32_t outer = 0, open = 0;
    for (const ImportChain& k : plan.chains) {
      outer += k.role == ChainRole::Outer;
      open += k.role == ChainRole::Open;
      // A hole point on an element leaves the mesher no side to eat.
      for (const ImportSegment& e : plan.segments) {
        if (k.role != ChainRole::Hole) continue;
        EXPECT_GT(Distance(plan.points[size_t(e.from)], plan.points[size_t(e.to)], k.holePoint), 1.0)
            << c.what;
      }
    }
    EXPECT_EQ(outer, c.outer) << c.what;
    EXPECT_EQ(open, c.open) << c.what;
  }
}

// A layer with a material makes its nested chains regions, with a region
// point of that material inside each and its outer contours, off the
// holes and regions within; a layer left a hole keeps its chains holes.
// The summary counts the points; a region point table that would overflow
// refuses the import and leaves the model as it was.
TEST(DxfRegions, LayerMaterialsPlaceRegionPoints) {
  const double square[][2] = {{0, 100}, {20, 60}, {40, 20}};  // corner and side, layer by layer
  const auto in = [&](int32_t k, DrawingPoint p) {
    const double lo = square[k][0], hi = lo + square[k][1];
    return p.x > lo && p.x < hi && p.y > lo && p.y < hi;
  };
  struct Case {
    const char* what;
    std::vector<int32_t> materials;                   // by layer, as many as squares drawn
    int32_t hole;                                     // the square holding the hole point, -1 for none
    std::vector<std::pair<int32_t, int32_t>> points;  // material and square of each region point
    const char* said;
  };
  const Case cases[] = {
      {"inner of material 1", {kNoMaterial, 1}, -1, {{1, 1}}, "Dodano 1 punkt obszaru:\n  kontur 2"},
      {"hole within the region", {kNoMaterial, 1, kNoMaterial}, 2, {{1, 1}}, "(materiał 1 „stal”)"},
      {"outer of the project's material", {0, kNoMaterial}, 1, {{0, 0}}, "(materiał projektu)"},
      {"all of material 2", {2, 2, 2}, -1, {{2, 0}, {2, 1}, {2, 2}}, "Dodano 3 punkty obszarów:"},
  };
  for (const Case& c : cases) {
    std::vector<DrawingCurve> curves;
    for (int32_t k = 0; k < int32_t(c.materials.size()); ++k) {
      const double lo = square[k][0], hi = lo + square[k][1];
      const DrawingPoint p[] = {{lo, lo}, {hi, lo}, {hi, hi}, {lo, hi}};
      for (int i = 0; i < 4; ++i) curves.push_back(Line(p[i], p[(i + 1) % 4], k));
    }
    const Drawing d = Of(curves, int32_t(c.materials.size()));
    const ImportPlan plan = PlanImport(d, {1.0, {0.1, 0}, 0.0, {}, {}, c.materials});
    const std::vector<LayerPhysics> physics(d.layers.size());
    Model m;
    InitModelData(m);
    for (const char* name : {"stal", "miedź"}) (void)AppendMaterial(m, Material{name, 1.0f, 0.0f});
    const ImportOutcome out = ApplyImport(m, plan, d, physics, ',');
    ASSERT_TRUE(out.done) << c.what << ": " << out.message;
    EXPECT_NE(out.message.find(c.said), std::string::npos) << c.what << ": " << out.message;
    ASSERT_EQ(m.internalNodeCount, c.hole < 0 ? 0 : 1) << c.what;
    const auto insideOnly = [&](int32_t k, float x, float y) {
      const DrawingPoint p{x, y};
      return in(k, p) && (k + 1 >= int32_t(c.materials.size()) || !in(k + 1, p));
    };
    if (c.hole >= 0) {
      EXPECT_TRUE(insideOnly(c.hole, m.InternalNodeTable[1].x, m.InternalNodeTable[1].y)) << c.what;
    }
    ASSERT_EQ(m.regionPointCount, int32_t(c.points.size())) << c.what;
    for (int32_t i = 1; i <= m.regionPointCount; ++i) {
      const RegionPoint& r = m.RegionPointTable[i];
      const auto [material, k] = c.points[size_t(i - 1)];
      EXPECT_EQ(r.material, material) << c.what << " " << i;
      EXPECT_TRUE(insideOnly(k, r.x, r.y)) << c.what << " " << i << " at " << r.x << ", " << r.y;
    }
    // One place short in the region point table.
    Model full;
    InitModelData(full);
    while (full.regionPointCount < kMaxRegionPoints + 1 - int32_t(c.points.size()))
      (void)AppendRegionPoint(full, RegionPoint{});
    const std::string before = FormatProjectFile(full);
    const ImportOutcome refused = ApplyImport(full, plan, d, physics, ',');
    EXPECT_FALSE(refused.done) << c.what;
    EXPECT_NE(refused.message.find("punktów obszarów " + std::to_string(kMaxRegionPoints + 1) + " ("),
              std::string::npos)
        << refused.message;
    EXPECT_EQ(refused.message.find("tolerancję"), std::string::npos) << "not a remedy here";
    EXPECT_EQ(FormatProjectFile(full), before) << c.what;
  }
}
