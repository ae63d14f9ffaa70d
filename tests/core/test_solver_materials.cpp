#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "core/Fixtures.h"
#include "core/TempDir.h"
#include "core/files/ProjectFile.h"
#include "core/lists/ListLines.h"
#include "core/mesh/MeshDriver.h"
#include "core/mesh/MeshStatistics.h"
#include "core/results/Solution.h"
#include "core/solve/Solver.h"

namespace {

MesherOptions RealMesher() {
  MesherOptions mesher;
  mesher.helperPath = MESHER_PATH;
  mesher.limits = LargeMeshLimits(200'000);
  return mesher;
}

// Two layers side by side, x = 0 … L1 of material 1 and L1 … L1 + L2 of
// material 2, height H, parted by an element on x = L1. Conditions: 1 the
// sides' (as given), 2 on x = 0, 3 on x = L1 + L2.
constexpr float kL1 = 0.25f, kL2 = 0.1f, kH = 1.0f;
constexpr float kX2 = kL1 + kL2;

std::unique_ptr<Model> TwoLayers(int32_t problem, const Material& first, const Material& second,
                                 float secondArea) {
  auto m = NewProject();
  m->ProblemKind = problem;
  for (const Node& n :
       std::initializer_list<Node>{{0, 0}, {kL1, 0}, {kX2, 0}, {kX2, kH}, {kL1, kH}, {0, kH}}) {
    EXPECT_NE(AppendNode(*m, n), 0);
  }
  for (const Element& e : std::initializer_list<Element>{{1, 2, 1, 1},
                                                         {2, 3, 1, 1},
                                                         {3, 4, 3, 1},
                                                         {4, 5, 1, 1},
                                                         {5, 6, 1, 1},
                                                         {6, 1, 2, 1},
                                                         {2, 5, 1, 1}}) {
    EXPECT_NE(AppendElement(*m, e), 0);
  }
  m->bcCount = 3;
  EXPECT_EQ(AppendMaterial(*m, first), 1);
  EXPECT_EQ(AppendMaterial(*m, second), 2);
  EXPECT_EQ(AppendRegionPoint(*m, RegionPoint{kL1 / 2, kH / 2, 1, 0.0f}), 1);
  EXPECT_EQ(AppendRegionPoint(*m, RegionPoint{kL1 + kL2 / 2, kH / 2, 2, secondArea}), 2);
  return m;
}

double TriangleArea(const Model& m, const MeshTriangle& c) {
  const MeshNode &a = m.MeshNodeTable[c.corner1], &b = m.MeshNodeTable[c.corner2],
                 &d = m.MeshNodeTable[c.corner3];
  return 0.5 * ((b.x - a.x) * (d.y - a.y) - (d.x - a.x) * (b.y - a.y));
}

double CentreX(const Model& m, const MeshTriangle& c) {
  return (m.MeshNodeTable[c.corner1].x + m.MeshNodeTable[c.corner2].x + m.MeshNodeTable[c.corner3].x) / 3.0;
}

// Every triangle is of the material of its layer and within its area: the
// second layer's own, the first the global one.
void ExpectLayersMeshed(const Model& m, double globalArea, double secondArea) {
  ASSERT_GT(m.meshTriangleCount, 0);
  std::array<int32_t, 3> count{};
  for (int32_t t = 1; t <= m.meshTriangleCount; ++t) {
    const MeshTriangle& c = m.MeshTriangleTable[t];
    ASSERT_TRUE(c.material == 1 || c.material == 2) << t;
    ++count[size_t(c.material)];
    EXPECT_EQ(c.material, CentreX(m, c) < kL1 ? 1 : 2) << t;
    EXPECT_LE(TriangleArea(m, c), (c.material == 2 ? secondArea : globalArea) * (1 + 1e-9)) << t;
  }
  // The finer layer, a third of the width, has far more triangles.
  EXPECT_GT(count[2], count[1]);
  const MeshStatistics s = ComputeMeshStatistics(m);
  EXPECT_EQ(s.perMaterial, std::vector<int32_t>({0, count[1], count[2]}));
  const MeshTriangle& first = m.MeshTriangleTable[1];
  EXPECT_TRUE(TriangleLine(1, first).ends_with(" (materiał " + std::to_string(first.material) + ")"));
}

// Heat through a brick and an insulation layer in series: the flow per
// unit height is ΔT / (L1/k1 + L2/k2), the temperature linear in each layer,
// which linear elements reproduce exactly.
TEST(SolverMaterials, CompositeWallInSeriesIsExact) {
  struct Case {
    float k1, k2, t1, t2;
  };
  for (const Case& c : {Case{0.8f, 0.04f, 20.0f, -20.0f}, Case{1.0f, 3.0f, 0.0f, 100.0f}}) {
    auto m = TwoLayers(1, Material{"cegła", c.k1, 0.0f}, Material{"izolacja", c.k2, 0.0f}, 0.0005f);
    m->BcTable[1] = {2.0f, 0.0f};
    m->BcTable[2] = {1.0f, c.t1};
    m->BcTable[3] = {1.0f, c.t2};
    // The default material would be refused, but no triangle is of it.
    m->Conductivity = 0.0f;
    ASSERT_EQ(GenerateMesh(*m, 0.005, RealMesher()), MeshOutcome::Success);
    ExpectLayersMeshed(*m, 0.005, 0.0005);
    const SolveResult r = Solve(*m);
    ASSERT_TRUE(r.solved) << r.refusal;
    const double l1 = kL1, l2 = double(kX2) - kL1;
    const double q = (double(c.t1) - c.t2) / (l1 / c.k1 + l2 / c.k2);
    const double interface = c.t1 - q * l1 / c.k1;
    for (int32_t n = 1; n <= m->meshNodeCount; ++n) {
      const double x = m->MeshNodeTable[n].x;
      const double exact = x <= l1 ? c.t1 - q * x / c.k1 : interface - q * (x - l1) / c.k2;
      EXPECT_NEAR(r.u[size_t(n)], exact, 1e-9) << n;
    }
    EXPECT_NEAR(r.inflow[2], q * kH, 1e-9 * std::abs(q));
    EXPECT_NEAR(r.inflow[3], -q * kH, 1e-9 * std::abs(q));
    EXPECT_NEAR(r.materialArea[1], l1 * kH, 1e-9);
    EXPECT_NEAR(r.materialArea[2], l2 * kH, 1e-9);
    EXPECT_EQ(r.materialArea[0], 0.0);
    // The results name each material with its range and mean.
    const Solution s{*m, r};
    std::vector<std::string> whats;
    for (const ResultRow& row : ResultRows(s)) whats.push_back(row.what);
    EXPECT_NE(SolvedSummary(s, ',').find("\nSzacowany błąd: 0 %."), std::string::npos) << "exact: no error";
    EXPECT_EQ(EstimateText(0.0182, ','), "1,8 %");
    for (const char* what :
         {"Materiał 1 (cegła)", "Materiał 2 (izolacja)", "Materiał 2 (izolacja): źródła", "Szacowany błąd"}) {
      EXPECT_NE(std::find(whats.begin(), whats.end(), what), whats.end()) << what;
    }
    for (const ResultRow& row : ResultRows(s)) {
      if (row.what != "Materiał 2 (izolacja)") continue;
      const double low = std::min(double(c.t2), interface), high = std::max(double(c.t2), interface);
      EXPECT_EQ(row.value, "T od " + SignificantText(low, 6, '.') + " do " + SignificantText(high, 6, '.') +
                               ", średnio " + SignificantText((low + high) / 2, 6, '.') + " °C");
    }
  }
}

// A plate of two materials in series along the pull, held at x = 0 and
// pulled by σ at the far end, with ν = 0: each part strains by σ/E.
TEST(SolverMaterials, TwoMaterialsPulledInSeriesStrainBySigmaOverE) {
  constexpr float kSigma = 1000.0f, kE1 = 2.0e5f, kE2 = 5.0e4f;
  auto m = TwoLayers(10, Material{"stal", kE1, 0.0f}, Material{"miękki", kE2, 0.0f}, 0.0005f);
  m->BcTable[1] = {1.0f, 0.0f, 0.0f};
  m->BcTable[2] = {2.0f, 0.0f, 0.0f};
  m->BcTable[3] = {1.0f, kSigma, 0.0f};
  ASSERT_EQ(GenerateMesh(*m, 0.005, RealMesher()), MeshOutcome::Success);
  ExpectLayersMeshed(*m, 0.005, 0.0005);
  const SolveResult r = Solve(*m);
  ASSERT_TRUE(r.solved) << r.refusal;
  for (int32_t n = 1; n <= m->meshNodeCount; ++n) {
    const double x = m->MeshNodeTable[n].x;
    const double sigma = kSigma, l1 = kL1, e1 = kE1, e2 = kE2;
    const double exact = x <= l1 ? sigma * x / e1 : sigma * l1 / e1 + sigma * (x - l1) / e2;
    EXPECT_NEAR(r.ux[size_t(n)], exact, 1e-9 * kSigma * kX2 / kE2) << n;
    EXPECT_NEAR(r.uy[size_t(n)], 0.0, 1e-9 * kSigma * kX2 / kE2) << n;
  }
  for (size_t t = 1; t < r.stress.size(); ++t) {
    EXPECT_NEAR(r.stress[t].sx, kSigma, 1e-9 * kSigma) << t;
    EXPECT_NEAR(r.stress[t].sy, 0.0, 1e-9 * kSigma) << t;
  }
  // The uniform stress is recovered as it is, with no error to estimate.
  ASSERT_EQ(r.recovered.components, 3);
  for (int32_t n = 1; n <= m->meshNodeCount; ++n) {
    const double* v = r.recovered.node(n);
    ASSERT_NE(v, nullptr);
    EXPECT_NEAR(v[0], kSigma, 1e-8 * kSigma) << n;
    EXPECT_NEAR(std::hypot(v[1], v[2]), 0.0, 1e-8 * kSigma) << n;
  }
  EXPECT_LT(r.estimate.eta, 1e-8);
}

// Layers side by side across a temperature difference: the same gradient
// in both, so the flux jumps by the ratio of the conductivities. Each
// triangle's corners take their own material's flux, the nodes on the
// interface holding one for each side, and the estimate finds no error.
TEST(SolverMaterials, RecoveryKeepsTheFluxJumpBetweenLayersSideBySide) {
  constexpr float kK1 = 1.0f, kK2 = 50.0f;
  auto m = TwoLayers(1, Material{"a", kK1, 0.0f}, Material{"b", kK2, 0.0f}, 0.0005f);
  m->ElementTable[4].bcNumber = m->ElementTable[5].bcNumber = 3;  // the top, at 100
  m->ElementTable[3].bcNumber = m->ElementTable[7].bcNumber = 2;  // the right side and the interface
  m->BcTable[1] = {1.0f, 0.0f};
  m->BcTable[2] = {2.0f, 0.0f};
  m->BcTable[3] = {1.0f, 100.0f};
  ASSERT_EQ(GenerateMesh(*m, 0.005, RealMesher()), MeshOutcome::Success);
  const SolveResult r = Solve(*m);
  ASSERT_TRUE(r.solved) << r.refusal;
  std::set<int32_t> twoSided;
  for (int32_t t = 1; t <= m->meshTriangleCount; ++t) {
    const double k = m->MeshTriangleTable[t].material == 1 ? kK1 : kK2;
    for (int32_t c = 0; c < 3; ++c) {
      EXPECT_NEAR(r.recovered.corner(t, c)[0], 0.0, 1e-8 * kK2 * 100) << t;
      EXPECT_NEAR(r.recovered.corner(t, c)[1], -k * 100.0 / kH, 1e-8 * kK2 * 100) << t;
      const int32_t n = std::array{m->MeshTriangleTable[t].corner1, m->MeshTriangleTable[t].corner2,
                                   m->MeshTriangleTable[t].corner3}[size_t(c)];
      if (r.recovered.cornerSlot[size_t(3 * (t - 1) + c)] != r.recovered.nodeSlot[size_t(n)])
        twoSided.insert(n);
    }
  }
  EXPECT_GE(twoSided.size(), 4u) << "the interface's nodes";
  for (int32_t n : twoSided) EXPECT_NEAR(m->MeshNodeTable[n].x, kL1, 1e-12) << n;
  EXPECT_LT(r.estimate.eta, 1e-8);
}

// Each material's properties are checked where its triangles are, and the
// message names it; a change of the region points makes the mesh stale.
TEST(SolverMaterials, PropertiesAreCheckedPerMaterialAndRegionPointsTagTheMesh) {
  struct Case {
    int32_t problem;
    Material second;
    const char* refusal;
  };
  const Case cases[] = {
      {1,
       {"zły", 0.0f, 0.0f},
       "Współczynnik przewodzenia ciepła λ materiału nr 2 musi być skończona i dodatnia"},
      {1, {"zły", 1.0f, NAN}, "Wydajność źródeł materiału nr 2 nie jest liczbą."},
      {10, {"zły", -1.0f, 0.0f}, "Moduł Younga E materiału nr 2 musi być skończony i dodatni"},
      {10, {"zły", 1.0f, 0.5f}, "Liczba Poissona ν materiału nr 2 musi leżeć między -1 a 0,5"},
  };
  for (const Case& c : cases) {
    auto m = TwoLayers(c.problem, Material{"dobry", 1.0f, 0.0f}, c.second, 0.0f);
    const float free = c.problem == 10 ? 1.0f : 2.0f, held = c.problem == 10 ? 2.0f : 1.0f;
    m->BcTable[1] = m->BcTable[3] = {free, 0.0f};
    m->BcTable[2] = {held, 1.0f};
    ASSERT_EQ(GenerateMesh(*m, 0.05, RealMesher()), MeshOutcome::Success);
    EXPECT_TRUE(Solve(*m).refusal.starts_with(c.refusal)) << Solve(*m).refusal;
    m->MaterialTable[2] = Material{"dobry", 2.0f, 0.25f};
    EXPECT_TRUE(Solve(*m).solved) << Solve(*m).refusal;
    m->RegionPointTable[2].material = 1;
    EXPECT_NE(Solve(*m).refusal.find("punkty obszarów"), std::string::npos);
  }
}

// A hole point wins over a region point in the same region; a region point
// of material 0 sets only the density.
TEST(SolverMaterials, HolesWinOverRegionPointsAndDensityAloneKeepsTheDefault) {
  auto m = TwoLayers(1, Material{"a", 1.0f, 0.0f}, Material{"b", 2.0f, 0.0f}, 0.0f);
  ASSERT_NE(AppendInternalNode(*m, InternalNode{kL1 + kL2 / 3, kH / 3}), 0);
  m->RegionPointTable[1] = RegionPoint{kL1 / 2, kH / 2, 0, 0.001f};
  ASSERT_EQ(GenerateMesh(*m, 0.01, RealMesher()), MeshOutcome::Success);
  for (int32_t t = 1; t <= m->meshTriangleCount; ++t) {
    const MeshTriangle& c = m->MeshTriangleTable[t];
    EXPECT_LT(CentreX(*m, c), kL1) << t;
    EXPECT_EQ(c.material, 0) << t;
    EXPECT_LE(TriangleArea(*m, c), 0.001 * (1 + 1e-9)) << t;
  }
  EXPECT_EQ(TriangleLine(1, m->MeshTriangleTable[1]).find("materiał"), std::string::npos);
}

// The layered wall that ships as an example: written back byte for byte,
// the insulation meshed finer than the brick, the interface at the
// temperature of the layers in series.
TEST(SolverMaterials, TheLayeredWallExampleSolvesToTheSeriesTemperatures) {
  const std::string path = std::string(EXAMPLES) + "/sciana-warstwowa.vdk";
  auto m = NewProject();
  ASSERT_TRUE(LoadProjectFile(path, *m).ok);
  EXPECT_EQ(FormatProjectFile(*m), ReadFileBytes(path));
  EXPECT_EQ(m->MaterialTable[1].name, "Cegła");
  ASSERT_EQ(GenerateMesh(*m, kOfferedArea, RealMesher()), MeshOutcome::Success);
  ExpectLayersMeshed(*m, kOfferedArea, 0.0005);
  const SolveResult r = Solve(*m);
  ASSERT_TRUE(r.solved) << r.refusal;
  const double q = 40.0 / (0.25 / double(0.8f) + (double(kX2) - 0.25) / double(0.04f));
  int32_t onInterface = 0;
  for (int32_t n = 1; n <= m->meshNodeCount; ++n) {
    if (m->MeshNodeTable[n].x != 0.25) continue;
    ++onInterface;
    EXPECT_NEAR(r.u[size_t(n)], 20.0 - q * 0.25 / double(0.8f), 1e-9) << n;
  }
  EXPECT_GE(onInterface, 2);
}

TEST(MeshProtocolRegions, RegionsTravelAndSwitchesAskForThem) {
  auto m = TwoLayers(1, Material{"a", 1.0f, 0.0f}, Material{"b", 2.0f, 0.0f}, 0.25f);
  const std::optional<MeshRequest> request = BuildMeshRequest(*m, 10.0);
  ASSERT_TRUE(request);
  EXPECT_EQ(request->regions, std::vector<double>({kL1 / 2, kH / 2, 1, 0, kL1 + kL2 / 2, kH / 2, 2, 0.25}));
  const std::optional<MeshRequest> decoded = DecodeRequest(EncodeRequest(*request));
  ASSERT_TRUE(decoded);
  EXPECT_EQ(decoded->regions, request->regions);
  MeshRequest plain = *request;
  plain.regions.clear();
  MeshRequest noAreas = *request;
  noAreas.regions[7] = 0.0;
  EXPECT_EQ(std::vector({MeshSwitches(plain), MeshSwitches(noAreas), MeshSwitches(*request)}),
            std::vector<std::string>({"Qpqa10.000000/0", "QpqAa10.000000/0", "QpqAaa10.000000/0"}));
  // A request whose region names no material number, or a negative area, is refused.
  for (const auto& [index, value] : {std::pair{2, -1.0}, std::pair{2, 1.5}, std::pair{2, 100.0},
                                     std::pair{3, -0.5}, std::pair{0, double(NAN)}}) {
    MeshRequest bad = *request;
    bad.regions[size_t(index)] = value;
    EXPECT_FALSE(DecodeRequest(EncodeRequest(bad))) << index << " " << value;
  }
  m->RegionPointTable[1].area = -1.0f;
  EXPECT_FALSE(BuildMeshRequest(*m, 10.0));
  // A reply's materials are one per triangle, each a material number.
  MeshReply reply;
  reply.pointCount = 3;
  reply.triangleCount = 1;
  reply.points = {0, 0, 1, 0, 0, 1};
  reply.triangles = {1, 2, 3};
  for (const auto& [materials, ok] :
       {std::pair{std::vector<int32_t>{}, true}, std::pair{std::vector{7}, true},
        std::pair{std::vector{1, 1}, false}, std::pair{std::vector{-1}, false},
        std::pair{std::vector{100}, false}}) {
    reply.materials = materials;
    const std::optional<MeshReply> back = DecodeReply(EncodeReply(reply, MeshLimits{}), MeshLimits{});
    EXPECT_EQ(back.has_value(), ok) << materials.size();
    if (back) {
      EXPECT_EQ(back->materials, materials);
    }
  }
}

}  // namespace
