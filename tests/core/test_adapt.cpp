// Refinement of a mesh by the helper and the adaptive loop built on it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <numbers>
#include <tuple>
#include <vector>

#include "core/Fixtures.h"
#include "core/mesh/MeshDriver.h"
#include "core/solve/Adapt.h"
#include "core/solve/Solver.h"

namespace {

MesherOptions RealMesher(int32_t triangles = 40'000) {
  MesherOptions o;
  o.helperPath = MESHER_PATH;
  o.limits = LargeMeshLimits(triangles);
  return o;
}

double Area(const Model& m, int32_t t) {
  const MeshTriangle& r = m.MeshTriangleTable[t];
  const MeshNode &a = m.MeshNodeTable[r.corner1], &b = m.MeshNodeTable[r.corner2],
                 &c = m.MeshNodeTable[r.corner3];
  return 0.5 * std::fabs((b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y));
}

MeshNode Centroid(const Model& m, int32_t t) {
  const MeshTriangle& r = m.MeshTriangleTable[t];
  const MeshNode &a = m.MeshNodeTable[r.corner1], &b = m.MeshNodeTable[r.corner2],
                 &c = m.MeshNodeTable[r.corner3];
  return {(a.x + b.x + c.x) / 3, (a.y + b.y + c.y) / 3};
}

double LargestArea(const Model& m) {
  double most = 0.0;
  for (int32_t t = 1; t <= m.meshTriangleCount; ++t) most = std::max(most, Area(m, t));
  return most;
}

// A heat problem on a closed outline, each element with the condition given
// for it: 1 u = 0, 2 u = 1, 3 insulated.
std::unique_ptr<Model> HeatOutline(std::initializer_list<std::pair<Node, int32_t>> outline) {
  auto m = NewProject();
  m->ProblemKind = 1;
  m->Conductivity = 1.0f;
  m->bcCount = 3;
  m->BcTable[1] = {1.0f, 0.0f};
  m->BcTable[2] = {1.0f, 1.0f};
  m->BcTable[3] = {2.0f, 0.0f};
  const auto count = int32_t(outline.size());
  int32_t k = 0;
  for (const auto& [node, condition] : outline) {
    EXPECT_NE(AppendNode(*m, node), 0);
    EXPECT_NE(AppendElement(*m, Element{k + 1, (k + 1) % count + 1, condition, 1}), 0);
    ++k;
  }
  return m;
}

// The corner of a square refined, the rest left: every triangle in the
// corner within its area, none larger than before, every boundary piece on
// its element, and a linear temperature still exact.
TEST(RefineMesh, OneCornerRefinedKeepsTheBoundaryAndTheSolution) {
  auto m = HeatOutline({{{0, 0}, 3}, {{5, 0}, 3}, {{10, 0}, 2}, {{10, 10}, 3}, {{5, 10}, 3}, {{0, 10}, 1}});
  // Two halves of two materials, alike but for their numbers; the right
  // one with triangles of at most 0.5.
  ASSERT_NE(AppendElement(*m, Element{2, 5, 3, 1}), 0);
  ASSERT_EQ(AppendMaterial(*m, Material{"a", 1.0f, 0.0f}), 1);
  ASSERT_EQ(AppendMaterial(*m, Material{"b", 1.0f, 0.0f}), 2);
  ASSERT_EQ(AppendRegionPoint(*m, RegionPoint{2.5f, 5.0f, 1, 0.0f}), 1);
  ASSERT_EQ(AppendRegionPoint(*m, RegionPoint{7.5f, 5.0f, 2, 0.5f}), 2);
  ASSERT_EQ(GenerateMesh(*m, 4.0, RealMesher()), MeshOutcome::Success);
  const Model before = *m;
  std::vector<double> areas(size_t(m->meshTriangleCount) + 1, 0.0);
  for (int32_t t = 1; t <= m->meshTriangleCount; ++t) {
    const MeshNode c = Centroid(*m, t);
    if (c.x < 3 && c.y < 3) areas[size_t(t)] = 0.05;
  }
  ASSERT_EQ(RefineMesh(*m, areas, RealMesher()), MeshOutcome::Success);
  EXPECT_GT(m->meshTriangleCount, before.meshTriangleCount + 100);
  EXPECT_LE(LargestArea(*m), LargestArea(before) * (1 + 1e-9));
  // A new triangle inside an old one marked must be within its area.
  const auto inside = [&](const MeshNode& p, int32_t t) {
    const MeshTriangle& r = before.MeshTriangleTable[t];
    const MeshNode* v[3] = {&before.MeshNodeTable[r.corner1], &before.MeshNodeTable[r.corner2],
                            &before.MeshNodeTable[r.corner3]};
    double sign[3];
    for (int i = 0; i < 3; ++i) {
      const MeshNode &a = *v[i], &b = *v[(i + 1) % 3];
      sign[i] = (b.x - a.x) * (p.y - a.y) - (b.y - a.y) * (p.x - a.x);
    }
    return (sign[0] >= 0 && sign[1] >= 0 && sign[2] >= 0) || (sign[0] <= 0 && sign[1] <= 0 && sign[2] <= 0);
  };
  const auto marked = [&](const MeshNode& p) {
    for (int32_t old = 1; old <= before.meshTriangleCount; ++old) {
      if (areas[size_t(old)] > 0 && inside(p, old)) return true;
    }
    return false;
  };
  int32_t inCorner = 0;
  for (int32_t t = 1; t <= m->meshTriangleCount; ++t) {
    const MeshTriangle& r = m->MeshTriangleTable[t];
    if (marked(m->MeshNodeTable[r.corner1]) && marked(m->MeshNodeTable[r.corner2]) &&
        marked(m->MeshNodeTable[r.corner3]) && marked(Centroid(*m, t))) {
      ++inCorner;
      EXPECT_LE(Area(*m, t), 0.05 * (1 + 1e-9)) << t;
    }
  }
  EXPECT_GT(inCorner, 100);
  for (int32_t t = 1; t <= m->meshTriangleCount; ++t) {
    const bool right = Centroid(*m, t).x > 5;
    EXPECT_EQ(m->MeshTriangleTable[t].material, right ? 2 : 1) << t;
    EXPECT_LE(Area(*m, t), right ? 0.5 * (1 + 1e-9) : 4.0) << t;
  }
  // The pieces cover their elements exactly, running their way.
  std::vector<double> covered(8, 0.0);
  for (const MeshEdge& e : m->meshTags->edges) {
    const MeshNode &a = m->MeshNodeTable[e.node1], &b = m->MeshNodeTable[e.node2];
    const Node &s = m->NodeTable[m->ElementTable[e.element].startNode],
               &f = m->NodeTable[m->ElementTable[e.element].endNode];
    EXPECT_NEAR((f.x - s.x) * (a.y - s.y) - (f.y - s.y) * (a.x - s.x), 0.0, 1e-9) << e.element;
    EXPECT_NEAR((f.x - s.x) * (b.y - s.y) - (f.y - s.y) * (b.x - s.x), 0.0, 1e-9) << e.element;
    EXPECT_GT((b.x - a.x) * (f.x - s.x) + (b.y - a.y) * (f.y - s.y), 0.0) << e.element;
    covered[size_t(e.element)] += std::hypot(b.x - a.x, b.y - a.y);
  }
  for (int32_t e = 1; e <= 7; ++e) EXPECT_NEAR(covered[size_t(e)], e == 3 || e >= 6 ? 10.0 : 5.0, 1e-9) << e;
  EXPECT_EQ(StaleMesh(*m), "");
  const SolveResult r = Solve(*m);
  ASSERT_TRUE(r.solved) << r.refusal;
  for (int32_t n = 1; n <= m->meshNodeCount; ++n)
    EXPECT_NEAR(r.u[size_t(n)], m->MeshNodeTable[n].x / 10.0, 1e-9) << n;
}

// Truncated requests and counts past every limit are refused before
// anything is allocated for them; a good one goes there and back whole.
TEST(RefineMesh, HostileRequestsAreRefused) {
  auto m = HeatOutline({{{0, 0}, 3}, {{10, 0}, 2}, {{10, 10}, 3}, {{0, 10}, 1}});
  ASSERT_EQ(GenerateMesh(*m, 4.0, RealMesher()), MeshOutcome::Success);
  const std::optional<MeshRequest> request = BuildRefineRequest(*m, {0.0, 1.0});
  ASSERT_TRUE(request);
  const std::string bytes = EncodeRequest(*request);
  const std::optional<MeshRequest> back = DecodeRequest(bytes);
  ASSERT_TRUE(back && back->refine);
  EXPECT_EQ(std::tuple(back->points, back->triangles, back->triangleAreas, back->segments, back->markers),
            std::tuple(request->points, request->triangles, request->triangleAreas, request->segments,
                       request->markers));
  EXPECT_EQ(RefineSwitches(*request).substr(0, 6), "Qrpqaa");
  for (size_t cut : {size_t(3), size_t(20), bytes.size() / 2, bytes.size() - 1})
    EXPECT_FALSE(DecodeRequest(bytes.substr(0, cut))) << cut;
  EXPECT_FALSE(DecodeRequest(bytes + "x"));
  // The counts follow the magic, the area and the limits: points at 20,
  // triangles after the points.
  const size_t pointsAt = 4 + 8 + 8, trianglesAt = pointsAt + 4 + request->points.size() * 8;
  for (const auto& [at, count] :
       {std::pair{pointsAt, int32_t{2'000'000'000}}, std::pair{pointsAt, int32_t{-1}},
        std::pair{trianglesAt, int32_t{2'000'000'000}}, std::pair{trianglesAt, int32_t{0}},
        std::pair{size_t(12), int32_t{0}}}) {
    std::string bad = bytes;
    std::memcpy(bad.data() + at, &count, sizeof count);
    EXPECT_FALSE(DecodeRequest(bad)) << at << " " << count;
  }
  for (int broken = 0; broken < 4; ++broken) {
    MeshRequest bad = *request;
    if (broken == 0) bad.triangles[4] = int32_t(bad.points.size() / 2) + 1;
    if (broken == 1) bad.markers[0] = 0;
    if (broken == 2) bad.triangleAreas[0] = NAN;
    if (broken == 3) bad.materials.assign(bad.triangles.size() / 3, kMaxMaterials + 1);
    EXPECT_FALSE(DecodeRequest(EncodeRequest(bad))) << broken;
  }
  // And through the helper: past the limit the count comes back alone.
  std::vector<double> tiny(size_t(m->meshTriangleCount) + 1, 0.001);
  MeshTrial trial;
  const int32_t triangles = m->meshTriangleCount;
  EXPECT_EQ(RefineMesh(*m, tiny, RealMesher(5000), &trial), MeshOutcome::Overflow);
  EXPECT_TRUE(trial.estimated);
  EXPECT_EQ(m->meshTriangleCount, triangles) << "the mesh stays as it was";
  Model bare = *m;
  bare.meshTags.reset();
  EXPECT_EQ(RefineMesh(bare, tiny, RealMesher()), MeshOutcome::Failure);
}

// Heat flows around the re-entrant corner of an L from the edge held at 1
// to the one held at 0; the flux is singular at the corner.
TEST(Adapt, LShapeMeetsItsTargetDensestAtTheCornerAndBeatsUniform) {
  auto m = HeatOutline({{{0, 0}, 3}, {{2, 0}, 2}, {{2, 1}, 3}, {{1, 1}, 3}, {{1, 2}, 1}, {{0, 2}, 3}});
  ASSERT_EQ(GenerateMesh(*m, 0.25, RealMesher()), MeshOutcome::Success);
  // The true error of each step from a fine uniform mesh: with the boundary
  // values exact and no source, ‖u − u_h‖² = ‖u_h‖² − ‖u‖².
  auto fine = HeatOutline({{{0, 0}, 3}, {{2, 0}, 2}, {{2, 1}, 3}, {{1, 1}, 3}, {{1, 2}, 1}, {{0, 2}, 3}});
  ASSERT_EQ(GenerateMesh(*fine, 1e-5, RealMesher(600'000)), MeshOutcome::Success);
  const double exact2 = std::pow(Solve(*fine).estimate.energy, 2);
  std::vector<double> effectivity;
  const AdaptResult a =
      Adapt(*m, 0.02, 20'000, 10, RealMesher(), [&](const AdaptStep& s, const SolveResult& r) {
        const double truth = std::sqrt(r.estimate.energy * r.estimate.energy - exact2);
        effectivity.push_back(r.estimate.error / truth);
        std::printf("L: step %d eta %.4f triangles %d effectivity %.3f\n", s.step, s.eta, s.triangles,
                    effectivity.back());
      });
  ASSERT_EQ(a.end, AdaptEnd::TargetMet) << a.why;
  for (size_t i = 1; i < a.steps.size(); ++i) EXPECT_LT(a.steps[i].eta, a.steps[i - 1].eta) << i;
  EXPECT_GE(a.steps.size(), 3u);
  for (double e : effectivity) EXPECT_TRUE(e > 0.5 && e < 2.0) << e;
  // The error falls about as N^(−1/2), a smooth answer's rate, where a
  // uniform mesh's falls as N^(−1/3) at this corner.
  const AdaptStep &first = a.steps[1], &last = a.steps.back();
  const double slope = std::log(last.eta / first.eta) / std::log(double(last.triangles) / first.triangles);
  std::printf("L: adapted error ~ N^%.3f\n", slope);
  EXPECT_LT(slope, -0.4);
  EXPECT_GT(slope, -0.8);
  EXPECT_LE(a.steps.back().eta, 0.02);
  EXPECT_EQ(a.steps.back().triangles, m->meshTriangleCount);
  EXPECT_DOUBLE_EQ(a.solution.estimate.eta, a.steps.back().eta);
  // The smallest triangles at the corner, the mean near it far below the mean away from it.
  double smallest = 1e9, near = 0, far = 0;
  int32_t at = 0, nearCount = 0, farCount = 0;
  for (int32_t t = 1; t <= m->meshTriangleCount; ++t) {
    const MeshNode c = Centroid(*m, t);
    const double area = Area(*m, t), d = std::hypot(c.x - 1, c.y - 1);
    if (area < smallest) smallest = area, at = t;
    (d < 0.1 ? near : far) += area;
    ++(d < 0.1 ? nearCount : farCount);
  }
  const MeshNode c = Centroid(*m, at);
  EXPECT_LT(std::hypot(c.x - 1, c.y - 1), 0.05);
  EXPECT_LT(near / nearCount, 0.1 * far / farCount);
  // A uniform mesh with at least as many triangles is further off.
  auto uniform = HeatOutline({{{0, 0}, 3}, {{2, 0}, 2}, {{2, 1}, 3}, {{1, 1}, 3}, {{1, 2}, 1}, {{0, 2}, 3}});
  ASSERT_EQ(GenerateMesh(*uniform, 3.0 / m->meshTriangleCount, RealMesher()), MeshOutcome::Success);
  const SolveResult u = Solve(*uniform);
  std::printf("L: adapted %d triangles eta %.4f, uniform %d triangles eta %.4f\n", m->meshTriangleCount,
              a.steps.back().eta, uniform->meshTriangleCount, u.estimate.eta);
  EXPECT_GE(uniform->meshTriangleCount, m->meshTriangleCount);
  EXPECT_GT(u.estimate.eta, 1.3 * a.steps.back().eta);
}

// Kirsch: a plate 40 wide with a hole of radius 1, pulled at 100 along x;
// its quarter, with rollers on the two cuts. The peak σx, at the hole
// across the pull, is 3 · 100 times the finite width's factor: 302.1 by
// FEniCSx with quadratic elements on a fine mesh of the same polygon
// (tests/scripts/kirsch_reference.py).
std::unique_ptr<Model> KirschQuarter() {
  auto m = NewProject();
  m->ProblemKind = 10;
  m->Conductivity = 1000.0f;
  m->SecondProperty = 0.3f;
  m->bcCount = 4;
  m->BcTable[1] = {3.0f, 2.0f, 0.0f};    // uy held: the cut along y = 0
  m->BcTable[2] = {1.0f, 100.0f, 0.0f};  // the pull
  m->BcTable[3] = {1.0f, 0.0f, 0.0f};    // free
  m->BcTable[4] = {3.0f, 1.0f, 0.0f};    // ux held: the cut along x = 0
  constexpr int32_t kSides = 256;
  std::vector<std::pair<Node, int32_t>> outline = {
      {{1, 0}, 1}, {{20, 0}, 2}, {{20, 20}, 3}, {{0, 20}, 4}, {{0, 1}, 3}};
  for (int32_t k = kSides - 1; k >= 1; --k) {
    const double angle = std::numbers::pi / 2 * k / kSides;
    outline.push_back({{float(std::cos(angle)), float(std::sin(angle))}, 3});
  }
  const auto count = int32_t(outline.size());
  for (int32_t k = 0; k < count; ++k) {
    EXPECT_NE(AppendNode(*m, outline[size_t(k)].first), 0);
    EXPECT_NE(AppendElement(*m, Element{k + 1, (k + 1) % count + 1, outline[size_t(k)].second, 1}), 0);
  }
  return m;
}

TEST(Adapt, KirschPeakWithinOnePercentOfTheReference) {
  auto m = KirschQuarter();
  ASSERT_EQ(GenerateMesh(*m, 4.0, RealMesher()), MeshOutcome::Success);
  const auto peak = [&m](const SolveResult& r) {
    int32_t at = 1;
    for (int32_t n = 1; n <= m->meshNodeCount; ++n) {
      if (std::hypot(m->MeshNodeTable[n].x, m->MeshNodeTable[n].y - 1) <
          std::hypot(m->MeshNodeTable[at].x, m->MeshNodeTable[at].y - 1))
        at = n;
    }
    return r.recovered.node(at)[0];
  };
  constexpr double kReference = 302.1;
  std::printf("step  eta %%   triangles  peak sx  vs %.1f\n", kReference);
  double last = 0;
  const AdaptResult a =
      Adapt(*m, 0.01, 30'000, 12, RealMesher(), [&](const AdaptStep& s, const SolveResult& r) {
        last = peak(r);
        std::printf("%4d  %6.3f  %9d  %7.2f  %+6.2f %%\n", s.step, 100 * s.eta, s.triangles, last,
                    100 * (last / kReference - 1));
      });
  ASSERT_EQ(a.end, AdaptEnd::TargetMet) << a.why;
  EXPECT_LE(m->meshTriangleCount, 30'000);
  EXPECT_NEAR(peak(a.solution), kReference, 0.01 * kReference);
  EXPECT_EQ(last, peak(a.solution));
}

// Lamé: a thick cylinder, radii 1 and 2, under an inner pressure of 100;
// its quarter, with rollers on the cuts, both circles drawn with 64 sides.
// The pressure pushes each side of the bore outwards along its normal, a
// load row each. The hoop stress at the bore is p (a² + b²) / (b² − a²).
TEST(Adapt, LameHoopStressAtTheBoreWithinOnePercent) {
  auto m = NewProject();
  m->ProblemKind = 10;
  m->Conductivity = 2e5f;
  m->SecondProperty = 0.3f;
  m->bcCount = 3;
  m->BcTable[1] = {3.0f, 2.0f, 0.0f};  // uy held on y = 0
  m->BcTable[2] = {3.0f, 1.0f, 0.0f};  // ux held on x = 0
  m->BcTable[3] = {1.0f, 0.0f, 0.0f};  // the free outer surface
  constexpr int32_t kSides = 64;
  constexpr double kP = 100.0, kA = 1.0, kB = 2.0;
  const auto at = [](double r, int32_t k) {
    const double angle = std::numbers::pi / 2 * k / kSides;
    return Node{float(r * std::cos(angle)), float(r * std::sin(angle))};
  };
  // Round the outer circle counter-clockwise, down the cut x = 0, back round
  // the bore clockwise, and along the cut y = 0.
  std::vector<std::pair<Node, int32_t>> outline;
  for (int32_t k = 0; k < kSides; ++k) outline.push_back({at(kB, k), 3});
  outline.push_back({at(kB, kSides), 2});
  for (int32_t k = kSides; k >= 1; --k) {
    const double mid = std::numbers::pi / 2 * (k - 0.5) / kSides;
    const int32_t row =
        AppendCondition(*m, BoundaryCondition{1.0f, float(kP * std::cos(mid)), float(kP * std::sin(mid))});
    ASSERT_NE(row, 0);
    outline.push_back({at(kA, k), row});
  }
  outline.push_back({at(kA, 0), 1});
  const auto count = int32_t(outline.size());
  for (int32_t k = 0; k < count; ++k) {
    ASSERT_NE(AppendNode(*m, outline[size_t(k)].first), 0);
    ASSERT_NE(AppendElement(*m, Element{k + 1, (k + 1) % count + 1, outline[size_t(k)].second, 1}), 0);
  }
  ASSERT_EQ(GenerateMesh(*m, 0.05, RealMesher()), MeshOutcome::Success);
  const AdaptResult a = Adapt(*m, 0.01, 30'000, 8, RealMesher());
  ASSERT_EQ(a.end, AdaptEnd::TargetMet) << a.why;
  const double hoop = kP * (kA * kA + kB * kB) / (kB * kB - kA * kA);
  // The hoop stress is σy at (1, 0) and σx at (0, 1).
  for (const auto& [x, y, component] : {std::tuple(1.0, 0.0, 1), std::tuple(0.0, 1.0, 0)}) {
    int32_t node = 1;
    for (int32_t n = 1; n <= m->meshNodeCount; ++n) {
      if (std::hypot(m->MeshNodeTable[n].x - x, m->MeshNodeTable[n].y - y) <
          std::hypot(m->MeshNodeTable[node].x - x, m->MeshNodeTable[node].y - y))
        node = n;
    }
    std::printf("Lamé: σθ at (%g, %g) %.3f against %.3f, η %.3f %%, %d triangles\n", x, y,
                a.solution.recovered.node(node)[component], hoop, 100 * a.steps.back().eta,
                m->meshTriangleCount);
    EXPECT_NEAR(a.solution.recovered.node(node)[component], hoop, 0.01 * hoop)
        << x << ", " << y << " after " << a.steps.size() << " solves, " << m->meshTriangleCount
        << " triangles";
  }
}

}  // namespace
