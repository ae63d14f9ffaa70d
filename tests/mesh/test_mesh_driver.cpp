#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>

#include "core/TempDir.h"
#include "mesh/MeshDriver.h"

namespace {

std::unique_ptr<Model> NewProject() {
  auto m = std::make_unique<Model>();
  ResetModelData(*m);
  return m;
}

// A closed contour through the given points, joined in order.
void AddContour(Model& m, std::initializer_list<Node> nodes) {
  const int32_t first = m.nodeCount + 1;
  for (const Node& n : nodes) ASSERT_NE(AppendNode(m, n), 0);
  for (int32_t i = first; i <= m.nodeCount; ++i) {
    ASSERT_NE(AppendElement(m, Element{i, i < m.nodeCount ? i + 1 : first, 1, 1}), 0);
  }
}

MesherOptions RealMesher() {
  MesherOptions o;
  o.helperPath = MESHER_PATH;
  return o;
}

MesherOptions FakeMesher(const std::string& mode) {
  MesherOptions o;
  o.helperPath = FAKE_MESHER_PATH;
  o.extraArgs = {mode};
  o.timeLimit = std::chrono::milliseconds(1500);
  return o;
}

double MeshArea(const Model& m) {
  double sum = 0;
  for (int32_t t = 1; t <= m.meshTriangleCount; ++t) {
    const MeshTriangle& c = m.MeshTriangleTable[t];
    const MeshNode& a = m.MeshNodeTable[c.corner1];
    const MeshNode& b = m.MeshNodeTable[c.corner2];
    const MeshNode& d = m.MeshNodeTable[c.corner3];
    sum += std::fabs((b.x - a.x) * (d.y - a.y) - (d.x - a.x) * (b.y - a.y)) * 0.5;
  }
  return sum;
}

void ExpectNoMesh(const Model& m) {
  EXPECT_EQ(m.MeshFailureFlag, 1);
  EXPECT_EQ(m.meshNodeCount, 0);
  EXPECT_EQ(m.meshTriangleCount, 0);
}

TEST(MeshDriver, ClosedTriangleMeshesAndKeepsBoundaryNodesFirst) {
  auto m = NewProject();
  AddContour(*m, {{0, 0}, {10, 0}, {0, 10}});
  ASSERT_EQ(GenerateMesh(*m, 10.0, RealMesher()), MeshOutcome::Success);
  EXPECT_EQ(m->MeshFailureFlag, 0);
  ASSERT_GE(m->meshNodeCount, 3);
  EXPECT_GE(m->meshTriangleCount, 5) << "area 50 in triangles of at most 10";
  for (int32_t i = 1; i <= 3; ++i) {
    EXPECT_EQ(m->MeshNodeTable[i].x, m->NodeTable[i].x);
    EXPECT_EQ(m->MeshNodeTable[i].y, m->NodeTable[i].y);
  }
  EXPECT_NEAR(MeshArea(*m), 50.0, 1e-3);
  for (int32_t t = 1; t <= m->meshTriangleCount; ++t) {
    const MeshTriangle& c = m->MeshTriangleTable[t];
    for (int32_t corner : {c.corner1, c.corner2, c.corner3}) {
      EXPECT_GE(corner, 1);
      EXPECT_LE(corner, m->meshNodeCount);
    }
  }
}

TEST(MeshDriver, InternalNodesAreHolePoints) {
  auto m = NewProject();
  AddContour(*m, {{0, 0}, {10, 0}, {0, 10}});
  (void)AppendInternalNode(*m, InternalNode{2, 2});
  m->meshTriangleCount = 7;
  EXPECT_EQ(GenerateMesh(*m, 10.0, RealMesher()), MeshOutcome::Failure)
      << "the whole region is eaten, no triangle is left";
  ExpectNoMesh(*m);

  auto ring = NewProject();
  AddContour(*ring, {{0, 0}, {10, 0}, {10, 10}, {0, 10}});
  AddContour(*ring, {{4, 4}, {4, 6}, {6, 6}, {6, 4}});
  ASSERT_EQ(GenerateMesh(*ring, 2.0, RealMesher()), MeshOutcome::Success);
  EXPECT_NEAR(MeshArea(*ring), 100.0, 1e-3) << "without a hole point the inner contour is meshed over";
  (void)AppendInternalNode(*ring, InternalNode{5, 5});
  ASSERT_EQ(GenerateMesh(*ring, 2.0, RealMesher()), MeshOutcome::Success);
  EXPECT_NEAR(MeshArea(*ring), 96.0, 1e-3);
}

TEST(MeshDriver, TooSmallAreasFailOrOverflowAndTheProgramGoesOn) {
  auto m = NewProject();
  AddContour(*m, {{0, 0}, {10, 0}, {0, 10}});
  EXPECT_EQ(MeshSwitches(0.0000001), "Qpqa0.000000/0");
  EXPECT_EQ(MeshSwitches(10.0), "Qpqa10.000000/0");
  EXPECT_EQ(MeshSwitches(0.5), "Qpqa0.500000/0");
  // printf in a Polish C library locale would write "0,500000".
  ASSERT_NE(std::setlocale(LC_ALL, "pl_PL.UTF-8"), nullptr) << "the pl_PL.UTF-8 locale is not installed";
  const std::string polish = MeshSwitches(0.5);
  std::setlocale(LC_ALL, "C");
  EXPECT_EQ(polish, "Qpqa0.500000/0");
  EXPECT_EQ(GenerateMesh(*m, 0.0000001, RealMesher()), MeshOutcome::Failure);
  ExpectNoMesh(*m);

  // Triangle itself ends the helper on an area of zero; that is a failure.
  MeshRequest zero = *BuildMeshRequest(*m, 0.0);
  EXPECT_FALSE(RunMesher(zero, RealMesher()).has_value());

  EXPECT_EQ(GenerateMesh(*m, 0.01, RealMesher()), MeshOutcome::Overflow) << "5000 or more triangles";
  ExpectNoMesh(*m);
  // Just fine enough that Triangle has to build the mesh before the count
  // can be known: 50 / 0.03 is under 1999, the mesh is not.
  EXPECT_EQ(GenerateMesh(*m, 0.03, RealMesher()), MeshOutcome::Overflow);
  ExpectNoMesh(*m);
  EXPECT_EQ(GenerateMesh(*m, 10.0, RealMesher()), MeshOutcome::Success) << "and the next one works";
}

TEST(MeshDriver, MisbehavingHelpersAreFailuresNotHangs) {
  for (const char* mode : {"exit", "crash", "hang", "garbage", "oversize", "bad-corner"}) {
    auto m = NewProject();
    AddContour(*m, {{0, 0}, {10, 0}, {0, 10}});
    MesherOptions options = FakeMesher(mode);
    options.timeLimit = std::chrono::milliseconds(300);
    EXPECT_EQ(GenerateMesh(*m, 10.0, options), MeshOutcome::Failure) << mode;
    ExpectNoMesh(*m);
  }
  auto m = NewProject();
  AddContour(*m, {{0, 0}, {10, 0}, {0, 10}});
  EXPECT_EQ(GenerateMesh(*m, 10.0, FakeMesher("overflow")), MeshOutcome::Overflow);
  MesherOptions missing = RealMesher();
  missing.helperPath = "/nonexistent/vendrel-mesher";
  EXPECT_EQ(GenerateMesh(*m, 10.0, missing), MeshOutcome::Failure);
}

TEST(MeshDriver, LimitsHoldAtTheirEdges) {
  const std::tuple<const char*, const char*, MeshOutcome> sizes[] = {
      {"999", "1999", MeshOutcome::Success},
      {"1000", "10", MeshOutcome::Overflow},
      {"10", "2000", MeshOutcome::Overflow},
  };
  for (const auto& [points, triangles, outcome] : sizes) {
    auto m = NewProject();
    AddContour(*m, {{0, 0}, {10, 0}, {0, 10}});
    MesherOptions options = FakeMesher("sized");
    options.extraArgs.insert(options.extraArgs.end(), {points, triangles});
    EXPECT_EQ(GenerateMesh(*m, 10.0, options), outcome) << points << " points, " << triangles << " triangles";
    EXPECT_EQ(m->meshNodeCount, outcome == MeshOutcome::Success ? 999 : 0);
    EXPECT_EQ(m->meshTriangleCount, outcome == MeshOutcome::Success ? 1999 : 0);
  }
}

TEST(MeshDriver, WaitingCallbackRunsAndWhatItThrowsIsAFailure) {
  auto m = NewProject();
  AddContour(*m, {{0, 0}, {10, 0}, {0, 10}});
  int calls = 0;
  MesherOptions options = FakeMesher("slow");
  options.whileWaiting = [&calls] { ++calls; };
  EXPECT_EQ(GenerateMesh(*m, 10.0, options), MeshOutcome::Success);
  EXPECT_GT(calls, 0);
  // Memory that cannot be had while the helper works ends the generation,
  // not the program.
  options.whileWaiting = [] { throw std::bad_alloc(); };
  EXPECT_EQ(GenerateMesh(*m, 10.0, options), MeshOutcome::Failure);
  ExpectNoMesh(*m);
}

TEST(MeshDriver, CrashingInputIsRefusedBeforeTheHelperStarts) {
  // The canned helper always succeeds, so a failure proves it never ran.
  auto m = NewProject();
  AddContour(*m, {{0, 0}, {10, 0}, {0, 10}});
  ASSERT_EQ(GenerateMesh(*m, 10.0, FakeMesher("canned")), MeshOutcome::Success);

  m->NodeTable[2].x = std::nanf("");
  EXPECT_EQ(GenerateMesh(*m, 10.0, FakeMesher("canned")), MeshOutcome::Failure);
  ExpectNoMesh(*m);
  m->NodeTable[2].x = 10;
  m->NodeTable[3].y = INFINITY;
  EXPECT_EQ(GenerateMesh(*m, 10.0, FakeMesher("canned")), MeshOutcome::Failure);
  m->NodeTable[3].y = 10;
  m->ElementTable[3].endNode = 4;
  EXPECT_EQ(GenerateMesh(*m, 10.0, FakeMesher("canned")), MeshOutcome::Failure);
  m->ElementTable[3].endNode = 1;
  (void)AppendInternalNode(*m, InternalNode{std::nanf(""), 1});
  EXPECT_EQ(GenerateMesh(*m, 10.0, FakeMesher("canned")), MeshOutcome::Failure);
}

// Triangle's own program on the same graph written as a .poly file.
struct ProgramMesh {
  std::vector<double> points;
  std::vector<int32_t> triangles;
};

ProgramMesh RunTriangleProgram(const Model& m, double area, const TempDir& dir) {
  const std::string poly = dir.file("graph.poly");
  {
    std::ofstream out(poly);
    out.precision(17);
    out << m.nodeCount << " 2 0 0\n";
    for (int32_t i = 1; i <= m.nodeCount; ++i) {
      out << i << ' ' << double(m.NodeTable[i].x) << ' ' << double(m.NodeTable[i].y) << '\n';
    }
    out << m.elementCount << " 0\n";
    for (int32_t i = 1; i <= m.elementCount; ++i) {
      out << i << ' ' << m.ElementTable[i].startNode << ' ' << m.ElementTable[i].endNode << '\n';
    }
    out << m.internalNodeCount << '\n';
    for (int32_t i = 1; i <= m.internalNodeCount; ++i) {
      out << i << ' ' << double(m.InternalNodeTable[i].x) << ' ' << double(m.InternalNodeTable[i].y) << '\n';
    }
  }
  std::string switches = MeshSwitches(area);
  switches = switches.substr(0, switches.size() - 2);  // the program does not need the "/0"
  const std::string command = std::string(TRIANGLE_PROGRAM) + " -" + switches + " " + poly + " > /dev/null";
  EXPECT_EQ(std::system(command.c_str()), 0) << command;

  ProgramMesh result;
  std::ifstream nodes(dir.file("graph.1.node"));
  int count = 0, dim = 0, attrs = 0, markers = 0;
  nodes >> count >> dim >> attrs >> markers;
  for (int i = 0; i < count; ++i) {
    int index = 0, marker = 0;
    double x = 0, y = 0;
    nodes >> index >> x >> y;
    for (int a = 0; a < attrs; ++a) nodes >> marker;
    if (markers) nodes >> marker;
    EXPECT_EQ(index, i + 1);
    result.points.push_back(x);
    result.points.push_back(y);
  }
  std::ifstream ele(dir.file("graph.1.ele"));
  int corners = 0;
  ele >> count >> corners >> attrs;
  for (int i = 0; i < count; ++i) {
    int index = 0, a = 0, b = 0, c = 0;
    ele >> index >> a >> b >> c;
    result.triangles.insert(result.triangles.end(), {a, b, c});
  }
  return result;
}

TEST(MeshDriver, MeshEqualsWhatTrianglesOwnProgramWrites) {
  auto m = NewProject();
  AddContour(*m, {{0, 0}, {12, 0}, {14, 5}, {12, 10}, {6, 13}, {0, 10}, {-2, 5}});
  AddContour(*m, {{4, 4}, {4, 7}, {7, 7}, {7, 4}});
  AddContour(*m, {{8.5f, 2}, {10.5f, 2}, {9.5f, 3.5f}});
  (void)AppendInternalNode(*m, InternalNode{5.5f, 5.5f});
  for (double area : {3.0, 0.4}) {
    TempDir dir;
    const ProgramMesh expected = RunTriangleProgram(*m, area, dir);
    ASSERT_EQ(GenerateMesh(*m, area, RealMesher()), MeshOutcome::Success);
    ASSERT_EQ(size_t(m->meshNodeCount), expected.points.size() / 2);
    ASSERT_EQ(size_t(m->meshTriangleCount), expected.triangles.size() / 3);
    for (int32_t i = 1; i <= m->meshNodeCount; ++i) {
      EXPECT_EQ(m->MeshNodeTable[i].x, float(expected.points[2 * (i - 1)])) << "node " << i;
      EXPECT_EQ(m->MeshNodeTable[i].y, float(expected.points[2 * (i - 1) + 1])) << "node " << i;
    }
    for (int32_t t = 1; t <= m->meshTriangleCount; ++t) {
      const MeshTriangle& c = m->MeshTriangleTable[t];
      EXPECT_EQ(c.corner1, expected.triangles[3 * (t - 1)]) << "triangle " << t;
      EXPECT_EQ(c.corner2, expected.triangles[3 * (t - 1) + 1]) << "triangle " << t;
      EXPECT_EQ(c.corner3, expected.triangles[3 * (t - 1) + 2]) << "triangle " << t;
    }
  }
}

}  // namespace
