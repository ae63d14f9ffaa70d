// Integrals of a solution along elements and over materials, on fields the
// linear triangles reproduce exactly, so that every value is known in
// closed form.

#include <gtest/gtest.h>

#include <cmath>

#include "core/Fixtures.h"
#include "core/integrals/Integrals.h"
#include "core/mesh/MeshDriver.h"
#include "core/solve/Solver.h"

namespace {

// Two layers side by side, x = 0 … L1 of material 1 and L1 … L1 + L2 of
// material 2, height H, parted by element 7 running up x = L1. Elements
// 1–6 go round counter-clockwise from the bottom left; element 6 (x = 0)
// names condition 2, element 3 (x = L1 + L2) condition 3, the rest 1.
constexpr double kL1 = 0.25, kL2 = 0.125, kH = 0.5, kX2 = kL1 + kL2;
enum Elements { kBottomLeft = 1, kRight = 3, kLeft = 6, kInterface = 7 };

std::unique_ptr<Model> TwoLayers(int32_t problem, Material first, Material second) {
  auto m = NewProject();
  m->ProblemKind = problem;
  const float l1 = float(kL1), x2 = float(kX2), h = float(kH);
  for (const Node& n : std::initializer_list<Node>{{0, 0}, {l1, 0}, {x2, 0}, {x2, h}, {l1, h}, {0, h}})
    EXPECT_NE(AppendNode(*m, n), 0);
  for (const Element& e : std::initializer_list<Element>{
           {1, 2, 1, 1}, {2, 3, 1, 1}, {3, 4, 3, 1}, {4, 5, 1, 1}, {5, 6, 1, 1}, {6, 1, 2, 1}, {2, 5, 1, 1}})
    EXPECT_NE(AppendElement(*m, e), 0);
  m->bcCount = 3;
  EXPECT_EQ(AppendMaterial(*m, first), 1);
  EXPECT_EQ(AppendMaterial(*m, second), 2);
  EXPECT_EQ(AppendRegionPoint(*m, RegionPoint{l1 / 2, h / 2, 1, 0.0f}), 1);
  EXPECT_EQ(AppendRegionPoint(*m, RegionPoint{(l1 + x2) / 2, h / 2, 2, 0.0f}), 2);
  MesherOptions mesher;
  mesher.helperPath = MESHER_PATH;
  EXPECT_EQ(GenerateMesh(*m, 0.002, mesher), MeshOutcome::Success);
  EXPECT_GT(m->meshTriangleCount, 50);
  return m;
}

Solution Solved(std::unique_ptr<Model> m) {
  SolveResult r = Solve(*m);
  EXPECT_TRUE(r.solved) << r.refusal;
  return {*m, std::move(r)};
}

void ExpectNear(double got, double want, const char* what) {
  EXPECT_NEAR(got, want, 1e-9 * std::max(1.0, std::abs(want))) << what;
}

// Heat through the layers, 100 °C at x = 0 and 0 °C at x = L1 + L2, the
// rest insulated: T is linear in each layer, the flux q = 100 / (L1/k1 +
// L2/k2) everywhere, the interface at Ti = 100 - q L1 / k1.
TEST(Integrals, HeatThroughLayersIsExact) {
  constexpr double k1 = 45.0, k2 = 1.5;
  auto m = TwoLayers(1, {"stal", float(k1), 0.0f}, {"izolacja", float(k2), 0.0f});
  m->BcTable[1] = {2.0f, 0.0f};
  m->BcTable[2] = {1.0f, 100.0f};
  m->BcTable[3] = {1.0f, 0.0f};
  const Solution s = Solved(std::move(m));
  const double q = 100.0 / (kL1 / k1 + kL2 / k2), ti = 100.0 - q * kL1 / k1;

  struct EdgeCase {
    const char* name;
    std::vector<int32_t> elements;
    double length, flow, mean;
  };
  // In at the hot side, out at the cold, and across the interface from
  // its right (material 2) into its left: -q H.
  const EdgeCase edges[] = {
      {"hot side", ElementsOfCondition(s, 2), kH, q * kH, 100.0},
      {"cold side", {kRight}, kH, -q * kH, 0.0},
      {"interface", {kInterface, kInterface, 99}, kH, -q * kH, ti},
      {"both sides", {kLeft, kRight}, 2 * kH, 0.0, 50.0},
      {"insulated bottom", {kBottomLeft}, kL1, 0.0, (100.0 + ti) / 2},
  };
  for (const EdgeCase& c : edges) {
    SCOPED_TRACE(c.name);
    const EdgeIntegrals e = IntegrateEdges(s, c.elements);
    ExpectNear(e.length, c.length, "length");
    ExpectNear(e.flow, c.flow, "flow");
    ExpectNear(e.mean, c.mean, "mean");
  }
  EXPECT_EQ(ElementsOfCondition(s, 2), std::vector<int32_t>{kLeft});
  // A held edge's flow from the triangles is the solver's reaction here.
  ExpectNear(IntegrateEdges(s, {kLeft}).flow, s.result.inflow[2], "inflow row");

  struct AreaCase {
    int32_t material;
    FieldKind field;
    double area, mean, min, max;
  };
  const AreaCase areas[] = {
      {1, FieldKind::Potential, kL1 * kH, (100.0 + ti) / 2, ti, 100.0},
      {2, FieldKind::Potential, kL2 * kH, ti / 2, 0.0, ti},
      {kWholeRegion, FieldKind::Potential, kX2 * kH, (kL1 * (100.0 + ti) / 2 + kL2 * ti / 2) / kX2, 0.0,
       100.0},
      {2, FieldKind::FluxMagnitude, kL2 * kH, q, q, q},
      {kWholeRegion, FieldKind::FluxRecovered, kX2 * kH, q, q, q},
      {0, FieldKind::Potential, 0.0, 0.0, 0.0, 0.0},
  };
  for (const AreaCase& c : areas) {
    SCOPED_TRACE(int(c.field) * 10 + c.material);
    const FieldValues f = ComputeField(s, c.field);
    const AreaIntegrals a = IntegrateArea(s, f, c.material);
    ExpectNear(a.area, c.area, "area");
    ExpectNear(a.integral, c.mean * c.area, "integral");
    ExpectNear(a.mean, c.mean, "mean");
    ExpectNear(a.min, c.min, "min");
    ExpectNear(a.max, c.max, "max");
  }
  EXPECT_EQ(MaterialsInMesh(s.model), std::vector<int32_t>({1, 2}));
}

// A disc of one material under uniform tension p, on rollers at x = 0 and
// y = 0, pulled at x = L1 + L2, free at the top.
TEST(Integrals, PulledDiscForcesMomentsAndEnergy) {
  constexpr double p = 1000.0, e = 2.0e5, nu = 0.25;
  auto m = TwoLayers(10, {"a", float(e), float(nu)}, {"b", float(e), float(nu)});
  m->bcCount = 4;
  m->ElementTable[kBottomLeft].bcNumber = m->ElementTable[2].bcNumber = 4;  // the bottom
  m->BcTable[1] = {1.0f, 0.0f, 0.0f};                                       // free top, interface
  m->BcTable[2] = {3.0f, 1.0f, 0.0f};                                       // x = 0: ux = 0
  m->BcTable[3] = {1.0f, float(p), 0.0f};                                   // pulled
  m->BcTable[4] = {3.0f, 2.0f, 0.0f};                                       // y = 0: uy = 0
  const Solution s = Solved(std::move(m));
  struct Case {
    const char* name;
    std::vector<int32_t> elements;
    std::array<double, 2> point;
    double fx, fy, moment;
  };
  const double load = p * kH, arm = kH / 2;
  const Case cases[] = {
      {"held edge: minus the load", {kLeft}, {0.0, 0.0}, -load, 0.0, load * arm},
      {"held edge about its middle", {kLeft}, {0.0, arm}, -load, 0.0, 0.0},
      {"loaded edge", {kRight}, {0.0, 0.0}, load, 0.0, -load * arm},
      {"loaded edge about a point below", {kRight}, {1.0, -2.0}, load, 0.0, -load * (arm + 2.0)},
      {"whole boundary in balance", {1, 2, 3, 4, 5, 6}, {3.0, 4.0}, 0.0, 0.0, 0.0},
      {"interface: the right part pulls the left", {kInterface}, {kL1, 0.0}, load, 0.0, -load * arm},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const EdgeIntegrals i = IntegrateEdges(s, c.elements, c.point);
    EXPECT_NEAR(i.force[0], c.fx, 1e-9 * load);
    EXPECT_NEAR(i.force[1], c.fy, 1e-9 * load);
    EXPECT_NEAR(i.moment, c.moment, 1e-9 * load);
  }
  // Down a cut through the whole height, beyond it at both ends: the
  // tension times the height crossed, along the normal to its left (+x).
  const std::vector<IntegralLine> cut = SegmentLines(s, PlotSegment{{kL1 / 2, kH + 1.0}, {kL1 / 2, -1.0}});
  ASSERT_EQ(cut.size(), 3u);
  EXPECT_NEAR(cut[0].value, kH + 2.0, 1e-12);
  EXPECT_NEAR(cut[1].value, load, 1e-9 * load);
  EXPECT_NEAR(cut[2].value, 0.0, 1e-9 * load);
  // ux = p x / E along the loaded edge; the strain energy ½ σ²/E per area.
  const EdgeIntegrals right = IntegrateEdges(s, {kRight});
  ExpectNear(right.meanDisplacement[0], p * kX2 / e, "mean ux");
  ExpectNear(right.meanDisplacement[1], -nu * p / e * kH / 2, "mean uy");
  const FieldValues vonMises = ComputeField(s, FieldKind::VonMises);
  for (int32_t material : {1, kWholeRegion}) {
    const AreaIntegrals a = IntegrateArea(s, vonMises, material);
    ExpectNear(a.strainEnergy, 0.5 * p * p / e * a.area, "strain energy");
    ExpectNear(a.mean, p, "mean σ_red");
  }
}

// The names scripts read, and the units they write.
TEST(Integrals, LinesNameEachQuantity) {
  auto m = TwoLayers(1, {"a", 1.0f, 0.0f}, {"b", 1.0f, 0.0f});
  m->BcTable[1] = {2.0f, 0.0f};
  m->BcTable[2] = {1.0f, 1.0f};
  m->BcTable[3] = {1.0f, 0.0f};
  const Solution s = Solved(std::move(m));
  std::string keys;
  for (const IntegralLine& l : EdgeLines(s, IntegrateEdges(s, {kLeft}))) keys += l.key + " " + l.unit + "; ";
  const FieldValues f = ComputeField(s, FieldKind::FluxRecovered);
  for (const IntegralLine& l : AreaLines(s, f, IntegrateArea(s, f, 1))) keys += l.key + " " + l.unit + "; ";
  EXPECT_EQ(keys,
            "length m; flow W/m; mean.T °C; area m²; integral.flux_recovered W/m²·m²; "
            "mean.flux_recovered W/m²; min.flux_recovered W/m²; max.flux_recovered W/m²; ");
  EXPECT_EQ(AsciiUnit("W/m²·m²") + AsciiUnit("") + AsciiUnit("°C"), "W/m2*m2-°C");
}

}  // namespace
