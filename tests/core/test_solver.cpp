#include <dlfcn.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <vector>

#include "core/Fixtures.h"
#include "core/boundary/Codes.h"
#include "core/boundary/Physics.h"
#include "core/files/OpenExport.h"
#include "core/files/ProjectFile.h"
#include "core/lists/NumberList.h"
#include "core/mesh/MeshDriver.h"
#include "core/parallel/Workers.h"
#include "core/results/Solution.h"
#include "core/simd/VectorState.h"
#include "core/solve/FactorModule.h"
#include "core/solve/Recovery.h"
#include "core/solve/Solver.h"

namespace {

// The rectangle [X0, X0 + L] x [Y0, Y0 + H], meshed by the real helper; its
// sides are elements 1 (bottom), 2 (right), 3 (top), 4 (left), each naming
// the condition row of its own number. The rows and the properties are set
// after meshing: the solver reads them as they are now.
constexpr double X0 = 1.0, Y0 = -1.0, L = 4.0, H = 2.0;
enum Side { Bottom = 1, Right = 2, Top = 3, Left = 4 };

std::unique_ptr<Model> MeshedRectangle() {
  auto m = NewProject();
  const float x0 = float(X0), y0 = float(Y0), x1 = float(X0 + L), y1 = float(Y0 + H);
  for (const Node& n : {Node{x0, y0}, Node{x1, y0}, Node{x1, y1}, Node{x0, y1}}) {
    EXPECT_NE(AppendNode(*m, n), 0);
  }
  for (int32_t e = 1; e <= 4; ++e) EXPECT_NE(AppendElement(*m, Element{e, e % 4 + 1, e, 1}), 0);
  MesherOptions mesher;
  mesher.helperPath = MESHER_PATH;
  EXPECT_EQ(GenerateMesh(*m, 0.2, mesher), MeshOutcome::Success);
  EXPECT_GT(m->meshTriangleCount, 20);
  m->bcCount = 4;
  return m;
}

using Field = std::function<double(double x, double y)>;

// The largest error at a node of a field a linear element reproduces
// exactly, relative to the field's largest magnitude; kept over the suite.
double worstRelative = 0.0;
double RelativeError(const Model& m, const std::vector<double>& got, const Field& exact) {
  double scale = 0.0, error = 0.0;
  for (int32_t n = 1; n <= m.meshNodeCount; ++n) {
    const MeshNode& p = m.MeshNodeTable[n];
    scale = std::max(scale, std::abs(exact(p.x, p.y)));
    error = std::max(error, std::abs(got[size_t(n)] - exact(p.x, p.y)));
  }
  const double relative = scale > 0.0 ? error / scale : error;
  worstRelative = std::max(worstRelative, relative);
  return relative;
}

bool Near(double got, double want, double scale) {
  return std::abs(got - want) <= 1e-9 * scale;
}

struct PotentialCase {
  const char* name;
  int32_t problem;
  float property;                         // lambda, sigma or mu
  std::array<BoundaryCondition, 4> rows;  // bottom, right, top, left
  double slope;                           // du/dx of the exact field
  double leftValue;                       // u at x = X0
};

constexpr BoundaryCondition kInsulated{2.0f, 0.0f};
constexpr double kAlpha = 5.0, kLambda = 2.0, kT0 = 20.0, kTInf = 80.0, kQ = 3.0, kMu = 0.5;

// Fields that vary only with x: a linear element holds them exactly.
const PotentialCase kPotentialCases[] = {
    {"two temperatures", 1, 1.5f, {kInsulated, {1.0f, 0.0f}, kInsulated, {1.0f, 100.0f}}, -100.0 / L, 100.0},
    {"temperature and convection",
     1,
     float(kLambda),
     {kInsulated, {3.0f, float(kAlpha), float(kTInf)}, kInsulated, {1.0f, float(kT0)}},
     kAlpha*(kTInf - kT0) / (kLambda + kAlpha * L),
     kT0},
    // k = 1/mu; the flux kQ flows in at the left, so k du/dx = -kQ.
    {"magnetic flux and value",
     3,
     float(kMu),
     {kInsulated, {1.0f, 10.0f}, kInsulated, {2.0f, float(kQ)}},
     -kQ* kMu,
     10.0 + kQ* kMu* L},
};

TEST(Solver, PotentialFieldsLinearInXAreExact) {
  const auto meshed = MeshedRectangle();
  for (const PotentialCase& c : kPotentialCases) {
    SCOPED_TRACE(c.name);
    auto m = std::make_unique<Model>(*meshed);
    m->ProblemKind = c.problem;
    m->Conductivity = c.property;
    m->SecondProperty = 0.0f;
    for (int32_t k = 1; k <= 4; ++k) m->BcTable[k] = c.rows[size_t(k - 1)];
    const SolveResult r = Solve(*m);
    ASSERT_TRUE(r.solved) << r.refusal;
    EXPECT_LE(RelativeError(*m, r.u, [&](double x, double) { return c.leftValue + c.slope * (x - X0); }),
              1e-9);
    const double k = c.problem == 3 ? 1.0 / c.property : c.property;
    const double flow = k * c.slope * H;  // in at the right, out at the left
    const std::pair<Side, double> inflows[] = {{Left, -flow}, {Right, flow}, {Top, 0.0}, {Bottom, 0.0}};
    for (const auto& [side, want] : inflows) EXPECT_TRUE(Near(r.inflow[side], want, std::abs(flow))) << side;
    for (int32_t t = 1; t <= m->meshTriangleCount; ++t) {
      EXPECT_TRUE(Near(r.gradient[size_t(t)][0], c.slope, std::abs(c.slope)));
      EXPECT_TRUE(Near(r.gradient[size_t(t)][1], 0.0, std::abs(c.slope)));
      EXPECT_TRUE(Near(r.flux[size_t(t)][0], -k * c.slope, std::abs(k * c.slope)));
    }
    EXPECT_TRUE(Near(r.balance[0], 0.0, std::abs(flow)));
  }
}

// With sources the field is quadratic, not exact, but what flows out still
// equals what the sources give.
TEST(Solver, SourcesBalanceTheOutflow) {
  auto m = MeshedRectangle();
  m->ProblemKind = 1;
  m->Conductivity = 3.0f;
  m->SecondProperty = 7.0f;
  const BoundaryCondition rows[] = {kInsulated, {1.0f, 0.0f}, {3.0f, 4.0f, 10.0f}, {1.0f, 50.0f}};
  for (int32_t k = 1; k <= 4; ++k) m->BcTable[k] = rows[k - 1];
  const SolveResult r = Solve(*m);
  ASSERT_TRUE(r.solved) << r.refusal;
  EXPECT_TRUE(Near(r.sources, 7.0 * L * H, 7.0 * L * H));
  double scale = r.sources;
  for (double q : r.inflow) scale += std::abs(q);
  EXPECT_TRUE(Near(r.balance[0], 0.0, scale)) << r.balance[0];
  EXPECT_NE(r.inflow[Top], 0.0);
}

struct DiscCase {
  const char* name;
  float nu;
  std::array<BoundaryCondition, 4> rows;  // bottom, right, top, left
  Field ux, uy;
  TriangleStress stress;
  Side held;
  std::array<double, 2> reaction;
};

constexpr double kE = 200.0, kP = 3.0, kTau = 2.0, kShearNu = 0.25, kPull = 0.015625;  // exact as floats
constexpr double kG = kE / (2.0 * (1.0 + kShearNu));
constexpr BoundaryCondition kFree{1.0f, 0.0f, 0.0f};

// Uniform strain, held where the exact displacement is constant along the
// edge: pulled by a load, pulled by a held displacement, sheared.
const DiscCase kDiscCases[] = {
    {"tension by load",
     0.0f,
     {kFree, {1.0f, float(kP), 0.0f}, kFree, {2.0f, 0.0f, 0.0f}},
     [](double x, double) { return kP / kE * (x - X0); },
     [](double, double) { return 0.0; },
     {kP, 0.0, 0.0, kP},
     Left,
     {-kP * H, 0.0}},
    {"tension by displacement",
     0.0f,
     {kFree, {2.0f, float(kPull), 0.0f}, kFree, {2.0f, 0.0f, 0.0f}},
     [](double x, double) { return kPull * (x - X0) / L; },
     [](double, double) { return 0.0; },
     {kE * kPull / L, 0.0, 0.0, kE* kPull / L},
     Right,
     {kE * kPull / L * H, 0.0}},
    {"shear",
     float(kShearNu),
     {{{2.0f, 0.0f, 0.0f}, {1.0f, 0.0f, float(kTau)}, {1.0f, float(kTau), 0.0f}, {1.0f, 0.0f, float(-kTau)}}},
     [](double, double y) { return kTau / kG * (y - Y0); },
     [](double, double) { return 0.0; },
     {0.0, 0.0, kTau, std::sqrt(3.0) * kTau},
     Bottom,
     {-kTau * L, 0.0}},
    // Roller supports alone: ux held on the left, uy along the bottom.
    {"tension on rollers",
     float(kShearNu),
     {{{3.0f, 2.0f, 0.0f}, {1.0f, float(kP), 0.0f}, kFree, {3.0f, 1.0f, 0.0f}}},
     [](double x, double) { return kP / kE * (x - X0); },
     [](double, double y) { return -kShearNu * kP / kE * (y - Y0); },
     {kP, 0.0, 0.0, kP},
     Left,
     {-kP * H, 0.0}},
};

TEST(Solver, DiscUnderUniformStrainIsExact) {
  const auto meshed = MeshedRectangle();
  for (const DiscCase& c : kDiscCases) {
    SCOPED_TRACE(c.name);
    auto m = std::make_unique<Model>(*meshed);
    m->ProblemKind = 10;
    m->Conductivity = float(kE);
    m->SecondProperty = c.nu;
    for (int32_t k = 1; k <= 4; ++k) m->BcTable[k] = c.rows[size_t(k - 1)];
    const SolveResult r = Solve(*m);
    ASSERT_TRUE(r.solved) << r.refusal;
    EXPECT_LE(RelativeError(*m, r.ux, c.ux), 1e-9);
    EXPECT_LE(RelativeError(*m, r.uy, c.uy), 1e-9);
    const double s = c.stress.vonMises;
    for (int32_t t = 1; t <= m->meshTriangleCount; ++t) {
      const TriangleStress& got = r.stress[size_t(t)];
      EXPECT_TRUE(Near(got.sx, c.stress.sx, s) && Near(got.sy, c.stress.sy, s) &&
                  Near(got.txy, c.stress.txy, s) && Near(got.vonMises, s, s))
          << t << ": " << got.sx << " " << got.sy << " " << got.txy << " " << got.vonMises;
    }
    const double scale = std::abs(c.reaction[0]) + std::abs(c.reaction[1]);
    EXPECT_TRUE(Near(r.force[c.held][0], c.reaction[0], scale) &&
                Near(r.force[c.held][1], c.reaction[1], scale))
        << r.force[c.held][0] << " " << r.force[c.held][1];
    EXPECT_TRUE(Near(r.balance[0], 0.0, scale) && Near(r.balance[1], 0.0, scale));
  }
  std::cout << "largest relative nodal error in the exact cases: " << worstRelative << "\n";
}

struct RefusalCase {
  const char* name;
  int32_t problem;
  float first, second;
  std::array<BoundaryCondition, 4> rows;
  int32_t leftCondition;  // the left element's condition number
  const char* says;
};

const RefusalCase kRefusals[] = {
    {"floating disc",
     10,
     200.0f,
     0.3f,
     {kFree, {1.0f, 1.0f}, kFree, {1.0f, -1.0f}},
     4,
     "nie jest utwierdzona"},
    {"pure flux",
     1,
     1.0f,
     0.0f,
     {kInsulated, {2.0f, 1.0f}, kInsulated, {2.0f, -1.0f}},
     4,
     "żaden brzeg nie ma warunku wartości"},
    {"convection that fixes nothing",
     1,
     1.0f,
     0.0f,
     {kInsulated, {3.0f, 0.0f, 5.0f}, kInsulated, kInsulated},
     4,
     "elementów 1, 2, 3, 4, nie ma warunku, który ustala w niej wartość"},
    {"unknown potential kind",
     1,
     1.0f,
     0.0f,
     {kInsulated, {1.0f}, kInsulated, {4.0f, 1.0f}},
     4,
     "Warunek nr 4 (element 4) ma rodzaj 4,"},
    {"unknown disc kind", 10, 200.0f, 0.3f, {kFree, {2.0f}, kFree, {4.0f, 1.0f}}, 4, "ma rodzaj 4,"},
    {"rollers that let it slide",
     10,
     200.0f,
     0.3f,
     {kFree, {1.0f, 1.0f}, kFree, {3.0f, 1.0f}},
     4,
     "ma ustalone tylko przemieszczenie ux, więc może się przesuwać w kierunku y. Podeprzyj"},
    {"rollers that let it turn",
     10,
     200.0f,
     0.3f,
     {{{3.0f, 1.0f}, {1.0f, 1.0f}, kFree, {3.0f, 2.0f}}},
     4,
     "jest podparta tylko tak, że może się obracać wokół punktu (1; -1)."},
    {"roller component 7",
     10,
     200.0f,
     0.3f,
     {kFree, {2.0f}, kFree, {3.0f, 7.0f}},
     4,
     "Warunek nr 4 (element 4) to podpora przesuwna ze składową 7: podpora ustala przemieszczenie ux "
     "(składowa 1) albo uy (składowa 2)."},
    {"missing condition",
     1,
     1.0f,
     0.0f,
     {kInsulated, {1.0f}, kInsulated, kInsulated},
     7,
     "Element 4 wskazuje warunek nr 7"},
    {"no condition", 1, 1.0f, 0.0f, {kInsulated, {1.0f}, kInsulated, kInsulated}, 0, "warunek nr 0"},
    {"zero conductivity",
     1,
     0.0f,
     0.0f,
     {kInsulated, {1.0f}, kInsulated, kInsulated},
     4,
     "λ musi być skończona i dodatnia (jest 0)"},
    {"infinite conductivity",
     1,
     INFINITY,
     0.0f,
     {kInsulated, {1.0f}, kInsulated, kInsulated},
     4,
     "λ musi być skończona i dodatnia (jest nieskończona: liczba za duża dla typu float"},
    {"negative permeability",
     3,
     -2.5f,
     0.0f,
     {kInsulated, {1.0f}, kInsulated, kInsulated},
     4,
     "μ musi być skończona i dodatnia (jest -2,5)"},
    {"zero modulus",
     10,
     0.0f,
     0.3f,
     {kFree, {2.0f}, kFree, kFree},
     4,
     "E musi być skończony i dodatni (jest 0)"},
    {"incompressible", 10, 200.0f, 0.5f, {kFree, {2.0f}, kFree, kFree}, 4, "(jest 0,5)"},
};

TEST(Solver, RefusalsNameTheCause) {
  const auto meshed = MeshedRectangle();
  for (const RefusalCase& c : kRefusals) {
    SCOPED_TRACE(c.name);
    auto m = std::make_unique<Model>(*meshed);
    m->ProblemKind = c.problem;
    m->Conductivity = c.first;
    m->SecondProperty = c.second;
    for (int32_t k = 1; k <= 4; ++k) m->BcTable[k] = c.rows[size_t(k - 1)];
    m->ElementTable[Left].bcNumber = c.leftCondition;
    const SolveResult r = Solve(*m);
    EXPECT_FALSE(r.solved);
    EXPECT_NE(r.refusal.find(c.says), std::string::npos) << r.refusal;
    EXPECT_TRUE(r.u.empty() && r.ux.empty() && r.inflow.empty());
  }
  auto unmeshed = NewProject();
  EXPECT_EQ(Solve(*unmeshed).refusal, "Nie ma siatki: wygeneruj ją przed rozwiązaniem zadania.");
}

// The mesh stands for the geometry it was made from: moving that geometry
// makes it stale, while conditions, assignments and properties are read as
// they are now. A cancel leaves nothing.
TEST(Solver, StaleMeshRefusedPhysicsReadNowCancelLeavesNothing) {
  auto meshed = MeshedRectangle();
  meshed->ProblemKind = 1;
  meshed->Conductivity = 1.0f;
  for (int32_t k = 1; k <= 4; ++k)
    meshed->BcTable[k] = k == Right || k == Left ? BoundaryCondition{1.0f, 5.0f} : kInsulated;
  const std::pair<const char*, std::function<void(Model&)>> edits[] = {
      {"węzły modelu", [](Model& m) { m.NodeTable[2].x += 0.5f; }},
      {"się elementy", [](Model& m) { std::swap(m.ElementTable[1].startNode, m.ElementTable[1].endNode); }},
      {"węzły wewnętrzne",
       [](Model& m) {
         EXPECT_EQ(AppendInternalNode(m, InternalNode{2.0f, 0.0f}), 1);
       }},
      {"węzły, elementy i węzły wewnętrzne",
       [](Model& m) {
         m.NodeTable[1].y = -2.0f;
         m.ElementTable[4].endNode = 2;
         m.InternalNodeTable[1].x = 1.5f;
         m.internalNodeCount = 1;
       }},
  };
  for (const auto& [says, edit] : edits) {
    auto m = std::make_unique<Model>(*meshed);
    edit(*m);
    const SolveResult r = Solve(*m);
    EXPECT_FALSE(r.solved);
    EXPECT_NE(r.refusal.find(says), std::string::npos) << r.refusal;
  }
  auto m = std::make_unique<Model>(*meshed);
  m->BcTable[Left].value1 = 25.0f;
  m->ElementTable[Top].bcNumber = Left;
  m->ProblemKind = 5;
  const SolveResult r = Solve(*m);
  ASSERT_TRUE(r.solved) << r.refusal;
  EXPECT_NE(r.note.find("Zadanie rodzaju 5 nie ma własnej nazwy"), std::string::npos) << r.note;
  for (int32_t n = 1; n <= m->meshNodeCount; ++n) {
    const MeshNode& p = m->MeshNodeTable[n];
    if (p.y == Y0 + H && p.x < X0 + L) {
      EXPECT_EQ(r.u[size_t(n)], 25.0);  // the right corner is held at 5
    }
  }
  const std::atomic<bool> cancel{true};
  const SolveResult cancelled = Solve(*m, &cancel);
  EXPECT_TRUE(cancelled.cancelled && !cancelled.solved && cancelled.refusal.empty() && cancelled.u.empty());
}

MesherOptions RealMesher() {
  MesherOptions mesher;
  mesher.helperPath = MESHER_PATH;
  return mesher;
}

// Every example that ships with the program solves to a field that varies,
// with its flows or forces in balance; the results name each condition's
// elements sorted, once each, at most twelve of them.
TEST(Solver, EveryExampleSolvesToAFieldInBalance) {
  int examples = 0;
  for (const auto& entry : std::filesystem::directory_iterator(EXAMPLES)) {
    if (entry.path().extension() != ".vdk") continue;
    SCOPED_TRACE(entry.path().filename().string());
    ++examples;
    auto m = NewProject();
    ASSERT_TRUE(LoadProjectFile(entry.path().string(), *m).ok);
    ASSERT_EQ(GenerateMesh(*m, 5.0, RealMesher()), MeshOutcome::Success);
    const SolveResult r = Solve(*m);
    ASSERT_TRUE(r.solved) << r.refusal;
    EXPECT_FALSE(r.unloaded) << r.note;
    const std::vector<double>& field = r.disc ? r.ux : r.u;
    double low = INFINITY, high = -INFINITY;
    for (size_t n = 1; n < field.size(); ++n) {
      if (!std::isnan(field[n])) low = std::min(low, field[n]), high = std::max(high, field[n]);
    }
    EXPECT_GT(high - low, 1e-3 * std::max(std::abs(low), std::abs(high))) << low << " " << high;
    double scale = std::abs(r.sources);
    for (double q : r.inflow) scale += std::abs(q);
    for (const auto& f : r.force) scale += std::abs(f[0]) + std::abs(f[1]);
    EXPECT_GT(scale, 0.0);
    EXPECT_LE(std::hypot(r.balance[0], r.balance[1]), 1e-9 * scale);
    for (const ResultRow& row : ResultRows(Solution{*m, r})) {
      if (!row.where.starts_with("element")) continue;
      std::vector<int32_t> listed;
      for (const char* at = row.where.c_str(); *at != 0 && !std::string_view(at).starts_with(" …"); ++at) {
        if (std::isdigit(static_cast<unsigned char>(*at)) &&
            !std::isdigit(static_cast<unsigned char>(at[-1])))
          listed.push_back(std::atoi(at));
      }
      EXPECT_TRUE(std::is_sorted(listed.begin(), listed.end()) &&
                  std::adjacent_find(listed.begin(), listed.end()) == listed.end() && listed.size() <= 12)
          << row.where;
    }
  }
  EXPECT_EQ(examples, 6);
}

// Numbers in a message come sorted, each once, and past twelve are counted.
TEST(Solver, NumberListsAreSortedDistinctAndCutAfterTwelve) {
  std::vector<int32_t> fifteen;
  for (int32_t i = 15; i >= 1; --i) fifteen.insert(fifteen.end(), {i, i});
  const std::pair<std::vector<int32_t>, std::string> lists[] = {
      {{2, 3, 4, 3, 4, 2, 3, 2}, "2, 3, 4"},
      {{12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 12}, "1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12"},
      {fifteen, "1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12 … i 3 dalszych"},
  };
  for (const auto& [numbers, text] : lists) EXPECT_EQ(NumberList(numbers), text);
  // Every edge of three sides names a row that does not exist.
  auto m = MeshedRectangle();
  m->ProblemKind = 1;
  m->BcTable[1] = {1.0f, 0.0f};
  for (int32_t e : {Top, Left, Right}) m->ElementTable[e].bcNumber = 9;
  EXPECT_EQ(Solve(*m).refusal, "Elementy 2, 3, 4 wskazują warunek nr 9, którego nie ma w tabeli warunków.");
}

// Nothing loads a problem whose sources, loads and held values are all
// zero: it solves to zero and says so, with what would load it; one value
// that is not zero loads it.
TEST(Solver, AZeroAnswerSaysNothingLoadsIt) {
  const auto meshed = MeshedRectangle();
  struct Case {
    const char* name;
    int32_t problem;
    float second;
    std::array<BoundaryCondition, 4> rows;  // bottom, right, top, left
    const char* loads;                      // what would load it; null when loaded
  };
  const char* potential = "strumień różny od zera (rodzaj 2)";
  const char* disc = "obciążenie ciągłe różne od zera (rodzaj 1)";
  const Case cases[] = {
      {"held at zero, convecting to zero",
       1,
       0.0f,
       {kInsulated, {1.0f}, kInsulated, {3.0f, 2.0f}},
       potential},
      {"a source", 1, 1.0f, {kInsulated, {1.0f}, kInsulated, {3.0f, 2.0f}}, nullptr},
      {"convecting to 20", 2, 0.0f, {kInsulated, {1.0f}, kInsulated, {3.0f, 2.0f, 20.0f}}, nullptr},
      {"a flux", 3, 0.0f, {BoundaryCondition{2.0f, 1.0f}, {1.0f}, kInsulated, kInsulated}, nullptr},
      {"a disc held at zero", 10, 0.3f, {kFree, {2.0f}, kFree, kFree}, disc},
      {"a disc held and pulled", 10, 0.3f, {kFree, {2.0f}, kFree, {1.0f, 1.0f}}, nullptr},
      {"a disc moved", 10, 0.3f, {kFree, {2.0f}, kFree, {2.0f, 0.0f, 1e-3f}}, nullptr},
  };
  const std::string zero = "Nic nie obciąża zadania: rozwiązanie jest zerowe.";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto m = std::make_unique<Model>(*meshed);
    m->ProblemKind = c.problem;
    m->Conductivity = c.problem == 10 ? 200.0f : 2.0f;
    m->SecondProperty = c.second;
    for (int32_t k = 1; k <= 4; ++k) m->BcTable[k] = c.rows[size_t(k - 1)];
    const SolveResult r = Solve(*m);
    ASSERT_TRUE(r.solved) << r.refusal;
    EXPECT_EQ(r.unloaded, c.loads != nullptr);
    EXPECT_EQ(r.note.starts_with(zero), c.loads != nullptr) << r.note;
    if (c.loads) {
      EXPECT_NE(r.note.find(c.loads), std::string::npos) << r.note;
    }
    double largest = 0.0;
    for (const auto* field : {&r.u, &r.ux, &r.uy}) {
      for (size_t n = 1; n < field->size(); ++n) largest = std::max(largest, std::abs((*field)[n]));
    }
    EXPECT_EQ(largest == 0.0, c.loads != nullptr) << largest;
    const Solution solution{*m, r};
    const std::vector<ResultRow> rows = ResultRows(solution);
    EXPECT_EQ(
        std::count_if(rows.begin(), rows.end(), [&](const ResultRow& row) { return row.value == zero; }),
        c.loads ? 1 : 0);
    EXPECT_EQ(SolvedSummary(solution).find(zero) != std::string::npos, c.loads != nullptr);
  }
}

// Whether a problem is held does not depend on how large its properties
// are: held at T0 on the left and convecting on the right, the slab solves
// to its exact linear field for λ from 1e-30 to 1e30; convecting on both
// sides as well where double precision can tell the level.
TEST(Solver, HoldingDoesNotDependOnTheScaleOfTheProperties) {
  const auto meshed = MeshedRectangle();
  constexpr double a1 = 2.0, a2 = 5.0, t1 = 20.0, t2 = 80.0;
  for (const float lambda : {1e-30f, 1e-12f, 1e-3f, 1.0f, 1e6f, 1e12f, 1e30f}) {
    for (const bool bothConvect : {false, true}) {
      if (bothConvect && lambda > 1e6f) continue;
      SCOPED_TRACE(testing::Message()
                   << "λ = " << lambda << (bothConvect ? ", convecting on both sides" : ""));
      auto m = std::make_unique<Model>(*meshed);
      m->ProblemKind = 1;
      m->Conductivity = lambda;
      m->SecondProperty = 0.0f;
      m->BcTable[Bottom] = m->BcTable[Top] = kInsulated;
      m->BcTable[Right] = {3.0f, float(a2), float(t2)};
      m->BcTable[Left] =
          bothConvect ? BoundaryCondition{3.0f, float(a1), float(t1)} : BoundaryCondition{1.0f, float(t1)};
      const double k = lambda;
      // The flux k s crosses the slab: in at the right by convection, out
      // at the left by convection or into the held edge.
      const double s = bothConvect ? (t2 - t1) / (L + k / a1 + k / a2) : a2 * (t2 - t1) / (k + a2 * L);
      const double left = bothConvect ? t1 + k * s / a1 : t1;
      const SolveResult r = Solve(*m);
      ASSERT_TRUE(r.solved) << r.refusal;
      EXPECT_LE(RelativeError(*m, r.u, [&](double x, double) { return left + s * (x - X0); }), 1e-9);
    }
  }
}

// A piece of the region that nothing holds is named by its elements and
// where it lies, while the piece beside it is held.
TEST(Solver, AnUnheldPieceIsNamed) {
  auto meshed = NewProject();
  AddContour(*meshed, {{0, 0}, {2, 0}, {2, 2}, {0, 2}});
  AddContour(*meshed, {{10, 0}, {12, 0}, {12, 2}, {10, 2}});
  meshed->ElementTable[4].bcNumber = 2;
  meshed->bcCount = 2;
  ASSERT_EQ(GenerateMesh(*meshed, 0.2, RealMesher()), MeshOutcome::Success);
  const std::string piece = "część obszaru między (10; 0) a (12; 2), o brzegu z elementów 5, 6, 7, 8, ";
  const std::tuple<int32_t, BoundaryCondition, BoundaryCondition, std::string> cases[] = {
      {1,
       kInsulated,
       {1.0f, 10.0f},
       "Zadanie nie ma rozwiązania jednoznacznego: " + piece + "nie ma warunku"},
      {10,
       kFree,
       {2.0f},
       "Tarcza nie jest utwierdzona przed ruchem sztywnym: jej " + piece + "nie jest utwierdzona"},
  };
  for (const auto& [problem, first, second, says] : cases) {
    auto m = std::make_unique<Model>(*meshed);
    m->ProblemKind = problem;
    m->SecondProperty = 0.0f;
    m->BcTable[1] = first;
    m->BcTable[2] = second;
    const SolveResult r = Solve(*m);
    EXPECT_TRUE(!r.solved && r.refusal.starts_with(says)) << r.refusal;
    m->ElementTable[6].bcNumber = 2;  // held on an edge of the second piece too
    EXPECT_TRUE(Solve(*m).solved);
  }
  // A second square touching the held one at a corner: its value is held
  // there, but a disc may turn about it.
  auto touching = NewProject();
  AddContour(*touching, {{0, 0}, {2, 0}, {2, 2}, {0, 2}});
  AddContour(*touching, {{2, 2}, {4, 2}, {4, 4}, {2, 4}});
  touching->ElementTable[4].bcNumber = 2;
  touching->bcCount = 2;
  ASSERT_EQ(GenerateMesh(*touching, 0.2, RealMesher()), MeshOutcome::Success);
  for (const int32_t problem : {1, 10}) {
    touching->ProblemKind = problem;
    touching->SecondProperty = 0.0f;
    touching->BcTable[1] = problem == 10 ? kFree : kInsulated;
    touching->BcTable[2] = {problem == 10 ? 2.0f : 1.0f, 10.0f};
    const SolveResult r = Solve(*touching);
    EXPECT_EQ(r.solved, problem == 1) << r.refusal;
    if (problem == 10) {
      EXPECT_EQ(r.refusal,
                "Tarcza nie jest utwierdzona przed ruchem sztywnym: jej część obszaru między (2; 2) a "
                "(4; 4), o brzegu z elementów 5, 6, 7, 8, jest utwierdzona tylko w punkcie (2; 2) i "
                "może się wokół niego obracać. Utwierdź ją (rodzaj 2) na odcinku, nie w jednym punkcie.");
    }
  }
}

// The problem codes' families are one: the codes the dialogs offer, the
// words the open export writes and what the solver does agree for every
// code from -5 to 12.
TEST(Solver, FamiliesAgreeBetweenDialogsExportsAndSolver) {
  const auto meshed = MeshedRectangle();
  for (int32_t code = -5; code <= 12; ++code) {
    SCOPED_TRACE(code);
    auto m = std::make_unique<Model>(*meshed);
    m->ProblemKind = code;
    m->SecondProperty = 0.0f;
    for (int32_t k = 1; k <= 3; ++k) m->BcTable[k] = {1.0f, 0.0f};
    m->BcTable[Left] = {2.0f, 1.0f};
    const std::vector<float> offered = ConditionKinds(code);
    const std::string group = ConditionGroupName(1, {1.0f, 100.0f}, code);
    const SolveResult r = Solve(*m);
    if (IsPotentialFamily(code)) {
      EXPECT_EQ(offered, std::vector<float>({1.0f, 2.0f, 3.0f}));
      EXPECT_EQ(group, "warunek 1: temperatura 100");
      EXPECT_TRUE(r.solved && !r.disc) << r.refusal;
    } else if (IsDiscFamily(code)) {
      EXPECT_EQ(offered, std::vector<float>({1.0f, 2.0f, 3.0f}));
      EXPECT_EQ(group, "warunek 1: obciążenie ciągłe 100, 0");
      EXPECT_TRUE(r.solved && r.disc) << r.refusal;
    } else {
      EXPECT_TRUE(offered.empty());
      EXPECT_TRUE(group.starts_with("warunek 1: kod 1 "));
      EXPECT_EQ(r.refusal, "Zadanie rodzaju " + std::to_string(code) + " nie jest znane.");
    }
  }
}

// One rule for values that are no number (NaN, infinity): refused in the
// values the condition's kind uses, naming the condition, its elements and
// the value; kept, and the task solved, in those it does not use.
TEST(Solver, NonNumbersAreRefusedOnlyInTheValuesTheKindUses) {
  const auto meshed = MeshedRectangle();
  constexpr float BoundaryCondition::*kValues[] = {&BoundaryCondition::value1, &BoundaryCondition::value2,
                                                   &BoundaryCondition::value3, &BoundaryCondition::value4,
                                                   &BoundaryCondition::value5, &BoundaryCondition::value6};
  const struct {
    int32_t problem;
    BoundaryCondition left, right;  // the kind looked at, on the left; what holds the rest
    std::vector<const char*> used;
  } kinds[] = {{1, {1.0f, 100.0f}, {2.0f}, {"T [°C]"}},
               {2, {2.0f, 1.0f}, {1.0f}, {"j [A/m²]"}},
               {1, {3.0f, 5.0f, 20.0f}, {1.0f}, {"α [W/(m²·K)]", "T∞ [°C]"}},
               {10, {1.0f, 1.0f, 0.0f}, {2.0f}, {"px [N/m]", "py [N/m]"}},
               {10, {2.0f}, {1.0f, 1.0f}, {"ux [m]", "uy [m]"}},
               {10, {3.0f, 2.0f}, {2.0f}, {"składowa (1 – ux, 2 – uy)", "przemieszczenie [m]"}}};
  for (const auto& k : kinds) {
    for (size_t i = 0; i < 6; ++i) {
      for (const float bad : {NAN, -INFINITY}) {
        SCOPED_TRACE(std::to_string(k.problem) + " " + std::to_string(k.left.kind) + " " + std::to_string(i));
        auto m = std::make_unique<Model>(*meshed);
        m->ProblemKind = k.problem;
        m->Conductivity = k.problem == 10 ? 200.0f : 1.0f;
        m->SecondProperty = k.problem == 10 ? 0.3f : 0.0f;
        m->BcTable[Bottom] = m->BcTable[Top] = {k.problem == 10 ? 1.0f : 2.0f};
        m->BcTable[Right] = k.right;
        m->BcTable[Left] = k.left;
        m->BcTable[Left].*kValues[i] = bad;
        const SolveResult r = Solve(*m);
        if (i < k.used.size()) {
          EXPECT_EQ(r.refusal, "Warunek nr 4 (element 4) ma wartość, która nie jest liczbą skończoną: " +
                                   std::string(k.used[i]) + " = " + (std::isnan(bad) ? "nan." : "-inf."));
        } else {
          EXPECT_TRUE(r.solved) << r.refusal;
        }
      }
    }
  }
}

// A property no material has solves, with a warning that names it.
TEST(Solver, AbsurdPropertiesWarn) {
  const auto meshed = MeshedRectangle();
  const std::tuple<int32_t, float, const char*> cases[] = {
      {10, 1e-40f, "Uwaga: Moduł Younga E = 1e-40 to mniej niż 1e-30"},
      {1, 1e31f, "Uwaga: Współczynnik przewodzenia ciepła λ = 1e+31 to więcej niż 1e30"},
      {1, 2.0f, nullptr},
  };
  for (const auto& [problem, property, says] : cases) {
    auto m = std::make_unique<Model>(*meshed);
    m->ProblemKind = problem;
    m->Conductivity = property;
    m->SecondProperty = 0.0f;
    for (int32_t k = 1; k <= 4; ++k) m->BcTable[k] = {1.0f, 0.0f};
    m->BcTable[Left] = {2.0f, 1.0f};
    const SolveResult r = Solve(*m);
    ASSERT_TRUE(r.solved) << r.refusal;
    EXPECT_EQ(r.note.find("Uwaga") != std::string::npos, says != nullptr) << r.note;
    if (says) {
      EXPECT_NE(r.note.find(says), std::string::npos) << r.note;
    }
  }
}

}  // namespace

#if defined(__x86_64__)
// The upper halves of the AVX registers, left in use as Qt leaves them, are
// marked unused again: XGETBV(1) reports which register states are in use
// (bit 2: the AVX upper halves), where the processor can tell.
// Plain assembly: a function compiled for AVX would clear them on return.
static void DirtyUpperHalves() {
  asm volatile("vpcmpeqd %%ymm7, %%ymm7, %%ymm7" ::: "xmm7");
}

static bool UpperHalvesInUse() {
  uint32_t lo = 0, hi = 0;
  asm volatile("xgetbv" : "=a"(lo), "=d"(hi) : "c"(1));
  return (lo & 4u) != 0;
}

TEST(VectorState, ClearedAfterAvxUse) {
  uint32_t a = 0, b = 0, c = 0, d = 0;
  asm volatile("cpuid" : "=a"(a), "=b"(b), "=c"(c), "=d"(d) : "a"(0xd), "c"(1));
  if (!__builtin_cpu_supports("avx") || (a & 4u) == 0) GTEST_SKIP() << "no AVX or no XGETBV(1) here";
  DirtyUpperHalves();
  ASSERT_TRUE(UpperHalvesInUse());
  ClearUpperVectorState();
  EXPECT_FALSE(UpperHalvesInUse());
}
#endif

// A k x k grid's five-point matrix, numbered left columns, right columns,
// then the middle column that separates them; held at zero outside the
// grid, or (`floating`) with nothing held, which leaves it singular.
struct Grid {
  int32_t k, n;
  std::vector<int32_t> columnStart{0}, rows;
  std::vector<double> values;
  Grid(int32_t size, bool floating) : k(size), n(size * size) {
    std::vector<int32_t> number(static_cast<size_t>(n));
    int32_t next = 0;
    for (int pass = 0; pass < 3; ++pass) {
      for (int32_t c = 0; c < k; ++c) {
        const int32_t part = c < k / 2 ? 0 : c > k / 2 ? 1 : 2;
        for (int32_t r = 0; part == pass && r < k; ++r) number[size_t(r * k + c)] = next++;
      }
    }
    std::vector<std::vector<std::pair<int32_t, double>>> columns(static_cast<size_t>(n));
    for (int32_t r = 0; r < k; ++r) {
      for (int32_t c = 0; c < k; ++c) {
        const int32_t j = number[size_t(r * k + c)];
        int32_t neighbours = 0;
        for (auto [dr, dc] : {std::pair{-1, 0}, {1, 0}, {0, -1}, {0, 1}}) {
          if (r + dr < 0 || r + dr >= k || c + dc < 0 || c + dc >= k) continue;
          ++neighbours;
          const int32_t i = number[size_t((r + dr) * k + c + dc)];
          if (i < j) columns[size_t(j)].push_back({i, -1.0});
        }
        columns[size_t(j)].push_back({j, floating ? double(neighbours) : 4.0});
      }
    }
    for (auto& column : columns) {
      std::sort(column.begin(), column.end());
      for (auto [i, v] : column) rows.push_back(i), values.push_back(v);
      columnStart.push_back(int32_t(rows.size()));
    }
  }
  UpperPattern pattern() const { return {n, columnStart.data(), rows.data()}; }
  int32_t half() const { return k * (k / 2); }
};

// A singular matrix is singular whole or in halves; halves that touch are
// factorised whole and still solve.
TEST(Factorisation, SingularEitherWayAndTouchingHalvesWhole) {
  const Grid grid(41, false), floating(41, true);
  EXPECT_EQ(PositiveDefiniteSolver(floating.pattern(), floating.half(), floating.half())
                .factorise(floating.values.data(), nullptr),
            FactorOutcome::Singular);
  EXPECT_EQ(PositiveDefiniteSolver(floating.pattern()).factorise(floating.values.data(), nullptr),
            FactorOutcome::Singular);
  std::vector<double> b(size_t(grid.n), 1.0), whole(b.size()), apart(b.size());
  PositiveDefiniteSolver one(grid.pattern());
  ASSERT_EQ(one.factorise(grid.values.data(), nullptr), FactorOutcome::Solved);
  ASSERT_EQ(one.solve(b.data(), whole.data()), FactorOutcome::Solved);
  // The separator's column taken into the first half: that half touches
  // the second, so the matrix is factorised whole.
  PositiveDefiniteSolver touching(grid.pattern(), grid.half() + grid.k, grid.half() - grid.k);
  EXPECT_FALSE(touching.split());
  ASSERT_EQ(touching.factorise(grid.values.data(), nullptr), FactorOutcome::Solved);
  ASSERT_EQ(touching.solve(b.data(), apart.data()), FactorOutcome::Solved);
  EXPECT_NEAR(apart[0], whole[0], 1e-12);
}

// Two halves factorised apart and joined through their separator solve as
// the whole matrix does. Only a BLAS that may be called from two threads at
// once splits; with another the halves are factorised whole, as the first
// test checks.
TEST(Factorisation, HalvesJoinedThroughTheSeparatorSolveAsTheWhole) {
  const Grid grid(41, false);
  PositiveDefiniteSolver two(grid.pattern(), grid.half(), grid.half(),
                             FactorOptions{.workers = 2, .blasThreads = 2});
  if (!two.split())
    GTEST_SKIP() << "this BLAS may not be called from two threads (the threaded OpenBLAS may)";
  std::vector<double> b(size_t(grid.n));
  for (size_t i = 0; i < b.size(); ++i) b[i] = std::sin(0.37 * double(i)) + 1.0;
  std::vector<double> whole(b.size()), apart(b.size());
  PositiveDefiniteSolver one(grid.pattern());
  ASSERT_FALSE(one.split());
  ASSERT_EQ(one.factorise(grid.values.data(), nullptr), FactorOutcome::Solved);
  ASSERT_EQ(one.solve(b.data(), whole.data()), FactorOutcome::Solved);
  ASSERT_EQ(two.factorise(grid.values.data(), nullptr), FactorOutcome::Solved);
  ASSERT_EQ(two.solve(b.data(), apart.data()), FactorOutcome::Solved);
  double worst = 0.0;
  for (size_t i = 0; i < b.size(); ++i) worst = std::max(worst, std::abs(apart[i] - whole[i]));
  EXPECT_LT(worst, 1e-12 * *std::max_element(whole.begin(), whole.end()));
  // A x = b, row by row, from the stored upper triangle.
  std::vector<double> ax(b.size(), 0.0);
  for (int32_t j = 0; j < grid.n; ++j) {
    for (int32_t p = grid.columnStart[size_t(j)]; p < grid.columnStart[size_t(j) + 1]; ++p) {
      const auto i = size_t(grid.rows[size_t(p)]);
      ax[i] += grid.values[size_t(p)] * apart[size_t(j)];
      if (i != size_t(j)) ax[size_t(j)] += grid.values[size_t(p)] * apart[i];
    }
  }
  for (size_t i = 0; i < b.size(); ++i) ASSERT_NEAR(ax[i], b[i], 1e-10) << "row " << i;

  // The BLAS's threads are shared between the two parts, unless the user
  // set their number (this test runs a second time with
  // OPENBLAS_NUM_THREADS=2).
  void* blas = ::dlopen("libopenblas.so.0", RTLD_NOW | RTLD_NOLOAD);
  ASSERT_NE(blas, nullptr);
  const auto threads = reinterpret_cast<int (*)()>(::dlsym(blas, "openblas_get_num_threads"));
  ASSERT_NE(threads, nullptr);
  const char* userSet = std::getenv("OPENBLAS_NUM_THREADS");
  EXPECT_EQ(threads(), userSet != nullptr ? std::atoi(userSet) : 1);
  ::dlclose(blas);
}

// A module that is missing, not ours or of another build is refused with a
// sentence naming the file; nothing of it is called.
TEST(Factorisation, AModuleThatCannotBeLoadedIsNamed) {
  for (const auto& [path, why] : std::vector<std::pair<std::string, std::string>>{
           {"/nonexistent/vendrel-factor.so", "nie ma takiego pliku"},
           {"libm.so.6", "to nie jest moduł tego programu"},
           {TEST_SOURCE_FILE, "invalid ELF header"}}) {
    try {
      LoadFactorModule(path);
      ADD_FAILURE() << path << " loaded";
    } catch (const FactorModuleMissing& missing) {
      const std::string text = missing.what();
      EXPECT_EQ(text.rfind("Nie można wczytać modułu rozwiązującego " + path + ": ", 0), 0u) << text;
      EXPECT_NE(text.find(why), std::string::npos) << text;
      EXPECT_EQ(text.find(path), text.rfind(path)) << "the path once: " << text;
    }
  }
}

// One to four workers: the solve's nodal values agree to 1e-12 (a system
// this large is factorised in two parts joined through their separator
// when there are workers for them), and from the same solution the
// recovered field, its error estimate and the open export are the same to
// the bit.
TEST(Workers, OneToFourGiveTheSameResults) {
  MesherOptions mesher = RealMesher();
  mesher.limits = LargeMeshLimits(100'000);
  for (const char* example : {"tarcza-rozciagana.vdk", "plyta-z-otworem.vdk"}) {
    SCOPED_TRACE(example);
    auto m = NewProject();
    ASSERT_TRUE(LoadProjectFile(std::string(EXAMPLES) + "/" + example, *m).ok);
    ASSERT_EQ(GenerateMesh(*m, 5.0, mesher), MeshOutcome::Success);
    // Some 25 000 triangles: enough unknowns for the ordering's first cut
    // to give the factorisation two parts.
    ASSERT_EQ(GenerateMesh(*m, 5.0 * m->meshTriangleCount / 25000.0, mesher), MeshOutcome::Success);
    SolveResult first;
    std::vector<double> perTriangle;
    const std::vector<Compliance> unit(64, Compliance{1.0, 2.0, 0.25, 3.0});
    RecoveredField recovered;
    ErrorEstimate estimate;
    std::string exported;
    for (int workers = 1; workers <= 4; ++workers) {
      SCOPED_TRACE(workers);
      SetWorkers(workers, 64);  // chunks this small split even this mesh's loops
      const SolveResult r = Solve(*m);
      ASSERT_TRUE(r.solved) << r.refusal;
      const std::vector<double>& field = r.disc ? r.ux : r.u;
      if (workers == 1) {
        first = r;
        for (int32_t t = 0; t <= m->meshTriangleCount; ++t) {
          if (r.disc)
            perTriangle.insert(perTriangle.end(),
                               {r.stress[size_t(t)].sx, r.stress[size_t(t)].sy, r.stress[size_t(t)].txy});
          else
            perTriangle.insert(perTriangle.end(), {r.flux[size_t(t)][0], r.flux[size_t(t)][1]});
        }
      }
      const std::vector<double>& one = first.disc ? first.ux : first.u;
      ASSERT_EQ(field.size(), one.size());
      double worst = 0.0, scale = 0.0;
      for (size_t n = 1; n < one.size(); ++n)
        worst = std::max(worst, std::abs(field[n] - one[n])), scale = std::max(scale, std::abs(one[n]));
      EXPECT_LE(worst, 1e-12 * scale);
      const RecoveredField again = Recover(*m, perTriangle, first.disc ? 3 : 2);
      const ErrorEstimate estimated = EstimateError(*m, perTriangle, again, unit);
      const std::string text = EncodeOpenExport(*m, OpenFormat::Vtu, &first);
      if (workers == 1) {
        ASSERT_GT(again.values.size(), size_t(m->meshNodeCount));
        recovered = again, estimate = estimated, exported = text;
        continue;
      }
      EXPECT_EQ(again.values, recovered.values);
      EXPECT_EQ(again.nodeSlot, recovered.nodeSlot);
      EXPECT_EQ(again.cornerSlot, recovered.cornerSlot);
      EXPECT_EQ(estimated.triangle, estimate.triangle);
      EXPECT_EQ((std::array{estimated.error, estimated.energy, estimated.eta}),
                (std::array{estimate.error, estimate.energy, estimate.eta}));
      EXPECT_EQ(text, exported);
    }
    SetWorkers(0);
  }
}
