#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/Fixtures.h"
#include "core/TempDir.h"
#include "core/edit/NodeEditing.h"
#include "core/files/ExitCleanup.h"
#include "core/files/ProjectFile.h"
#include "core/mesh/MeshDriver.h"

namespace {

MesherOptions RealMesher() {
  MesherOptions o;
  o.helperPath = MESHER_PATH;
  return o;
}

MesherOptions FakeMesher(std::initializer_list<std::string> args, int milliseconds = 1500) {
  MesherOptions o;
  o.helperPath = FAKE_MESHER_PATH;
  o.extraArgs = args;
  o.timeLimit = std::chrono::milliseconds(milliseconds);
  return o;
}

void ExpectNoMesh(const Model& m) {
  EXPECT_EQ(std::vector({m.MeshFailureFlag, m.meshNodeCount, m.meshTriangleCount}), std::vector({1, 0, 0}));
  EXPECT_FALSE(m.meshTags) << "a failure leaves no tags of the mesh before";
}

TEST(MeshDriver, AnInternalNodeInsideTheOnlyContourLeavesNoMesh) {
  auto m = TriangleProject();
  ASSERT_EQ(GenerateMesh(*m, 10.0, RealMesher()), MeshOutcome::Success);
  EXPECT_EQ(m->MeshFailureFlag, 0);
  (void)AppendInternalNode(*m, InternalNode{2, 2});
  EXPECT_EQ(GenerateMesh(*m, 10.0, RealMesher()), MeshOutcome::Failure) << "the region is eaten whole";
  ExpectNoMesh(*m);
}

TEST(MeshDriver, TooSmallAreasFailOrOverflowAndTheProgramGoesOn) {
  auto m = TriangleProject();
  EXPECT_EQ(MeshSwitches(0.0000001), "Qpqa0.000000/0");
  EXPECT_EQ(MeshSwitches(10.0), "Qpqa10.000000/0");
  // printf in a Polish C library locale would write "0,500000".
  ASSERT_NE(std::setlocale(LC_ALL, "pl_PL.UTF-8"), nullptr) << "the pl_PL.UTF-8 locale is not installed";
  const std::string polish = MeshSwitches(0.5);
  std::setlocale(LC_ALL, "C");
  EXPECT_EQ(polish, "Qpqa0.500000/0");
  EXPECT_EQ(GenerateMesh(*m, 0.0000001, RealMesher()), MeshOutcome::Failure);
  ExpectNoMesh(*m);
  // Triangle itself ends the helper on an area of zero; that is a failure.
  EXPECT_FALSE(RunMesher(*BuildMeshRequest(*m, 0.0), RealMesher()).has_value());

  EXPECT_EQ(GenerateMesh(*m, 0.01, RealMesher()), MeshOutcome::Overflow) << "5000 or more triangles";
  ExpectNoMesh(*m);
  // Just fine enough that Triangle has to build the mesh before the count
  // can be known: 50 / 0.03 is under 1999, the mesh is not.
  EXPECT_EQ(GenerateMesh(*m, 0.03, RealMesher()), MeshOutcome::Overflow);
  ExpectNoMesh(*m);
  EXPECT_EQ(GenerateMesh(*m, 10.0, RealMesher()), MeshOutcome::Success) << "and the next one works";
}

// Each failure says what went wrong, so that the user can be told.
TEST(MeshDriver, MisbehavingHelpersAreFailuresNotHangs) {
  using F = MeshFault;
  const std::pair<const char*, MeshFault> modes[] = {{"exit", F::Crashed},       {"crash", F::Crashed},
                                                     {"hang", F::TimedOut},      {"garbage", F::BadReply},
                                                     {"oversize", F::BadReply},  {"bad-corner", F::BadReply},
                                                     {"bad-piece", F::BadReply}, {"bad-marker", F::BadReply}};
  for (const auto& [mode, fault] : modes) {
    auto m = TriangleProject();
    ASSERT_EQ(GenerateMesh(*m, 10.0, FakeMesher({"canned"})), MeshOutcome::Success);
    EXPECT_EQ(m->meshTags->edges, std::vector<MeshEdge>({{1, 2, 1}}))
        << "the canned mesh comes with its edge";
    MeshTrial trial;
    EXPECT_EQ(GenerateMesh(*m, 10.0, FakeMesher({mode}, 2000), &trial), MeshOutcome::Failure) << mode;
    EXPECT_EQ(trial.fault, fault) << mode;
    ExpectNoMesh(*m);
  }
  auto m = TriangleProject();
  EXPECT_EQ(GenerateMesh(*m, 10.0, FakeMesher({"overflow"})), MeshOutcome::Overflow);
  MesherOptions missing = RealMesher();
  missing.helperPath = "/nonexistent/vendrel-mesher";
  EXPECT_EQ(GenerateMesh(*m, 10.0, missing), MeshOutcome::Failure);
  // And the real helper: what it cannot be given, what it leaves empty, what
  // does not fit; a trial leaves the model as it was.
  (void)AppendInternalNode(*m, InternalNode{2, 2});
  auto broken = TriangleProject();
  broken->NodeTable[1].x = INFINITY;
  const std::vector<MeshTrial> trials = {
      TryMesh(*m, 10.0, missing), TryMesh(*broken, 10.0, RealMesher()), TryMesh(*m, 10.0, RealMesher()),
      TryMesh(*TriangleProject(), 0.01, RealMesher()), TryMesh(*TriangleProject(), 10.0, RealMesher())};
  std::vector<std::tuple<MeshOutcome, MeshFault, bool>> seen;
  for (const MeshTrial& t : trials) seen.emplace_back(t.outcome, t.fault, t.triangles > 0);
  EXPECT_EQ(seen, (std::vector<std::tuple<MeshOutcome, MeshFault, bool>>{
                      {MeshOutcome::Failure, F::NotStarted, false},
                      {MeshOutcome::Failure, F::Refused, false},
                      {MeshOutcome::Failure, F::NoTriangles, false},
                      {MeshOutcome::Overflow, F::TooLarge, true},
                      {MeshOutcome::Success, F::None, true}}));
  EXPECT_EQ(std::pair(m->meshTriangleCount, m->internalNodeCount), std::pair(0, 1));
}

// The solver layouts' limits by default, the large one when asked for: the
// request carries it, so the helper answers to it.
TEST(MeshDriver, LimitsHoldAtTheirEdges) {
  const std::tuple<int32_t, const char*, const char*, MeshOutcome> sizes[] = {
      {0, "999", "1999", MeshOutcome::Success},
      {0, "1000", "10", MeshOutcome::Overflow},
      {0, "10", "2000", MeshOutcome::Overflow},
      {30000, "15000", "30000", MeshOutcome::Success},
      {30000, "15000", "30001", MeshOutcome::Overflow}};
  for (const auto& [large, points, triangles, outcome] : sizes) {
    auto m = TriangleProject();
    MesherOptions fake = FakeMesher({"sized", points, triangles});
    if (large > 0) fake.limits = LargeMeshLimits(large);
    EXPECT_EQ(GenerateMesh(*m, 10.0, fake), outcome) << points << ", " << triangles;
    const bool made = outcome == MeshOutcome::Success;
    EXPECT_EQ(m->meshNodeCount, made ? std::atoi(points) : 0);
    EXPECT_EQ(m->meshTriangleCount, made ? std::atoi(triangles) : 0);
  }
  // The real helper: a lower bound when the area alone passes the limit.
  MesherOptions real = RealMesher();
  real.limits = LargeMeshLimits(20000);
  MeshTrial trial;
  auto m = TriangleProject();
  EXPECT_EQ(GenerateMesh(*m, 0.001, real, &trial), MeshOutcome::Overflow);
  EXPECT_TRUE(trial.estimated && trial.triangles >= 50000) << trial.triangles;
  EXPECT_EQ(GenerateMesh(*m, 0.01, real, &trial), MeshOutcome::Success);
  EXPECT_GT(m->meshTriangleCount, kMaxMeshTriangles);
  EXPECT_EQ(TimeLimit(real), real.timeLimit + std::chrono::milliseconds((20000 - 1999) / 50));
}

TEST(MeshDriver, WaitingCallbackRunsAndWhatItThrowsIsAFailure) {
  auto m = TriangleProject();
  int calls = 0;
  MesherOptions options = FakeMesher({"slow"});
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
  auto m = TriangleProject();
  ASSERT_EQ(GenerateMesh(*m, 10.0, FakeMesher({"canned"})), MeshOutcome::Success);
  for (int broken = 0; broken < 6; ++broken) {
    auto b = TriangleProject();
    if (broken == 0) b->NodeTable[2].x = std::nanf("");
    if (broken == 1) b->NodeTable[3].y = INFINITY;
    if (broken == 2) b->ElementTable[3].endNode = 4;
    if (broken == 3) (void)AppendInternalNode(*b, InternalNode{std::nanf(""), 1});
    // Nodes repeated on two points, or on one: fewer than Triangle's three.
    if (broken >= 4) b->NodeTable[3] = b->NodeTable[1];
    if (broken == 5) b->NodeTable[2] = b->NodeTable[1];
    EXPECT_EQ(GenerateMesh(*b, 10.0, FakeMesher({"canned"})), MeshOutcome::Failure) << broken;
    ExpectNoMesh(*b);
  }
}

// What Triangle's own program makes of the model written as a .poly file
// with each segment marked by its element's number: x and y of every node
// (the program writes the doubles in full), the corners of every triangle,
// as the mesh tables would hold them, then
// the lower node, the higher node and the mark of every segment piece.
std::vector<double> ProgramMesh(const Model& m, double area, const TempDir& dir) {
  std::ofstream poly(dir.file("g.poly"));
  poly.precision(17);
  poly << m.nodeCount << " 2 0 0\n";
  for (int32_t i = 1; i <= m.nodeCount; ++i)
    poly << i << ' ' << m.NodeTable[i].x << ' ' << m.NodeTable[i].y << '\n';
  poly << m.elementCount << " 1\n";
  for (int32_t i = 1; i <= m.elementCount; ++i)
    poly << i << ' ' << m.ElementTable[i].startNode << ' ' << m.ElementTable[i].endNode << ' ' << i << '\n';
  poly << m.internalNodeCount << '\n';
  for (int32_t i = 1; i <= m.internalNodeCount; ++i)
    poly << i << ' ' << m.InternalNodeTable[i].x << ' ' << m.InternalNodeTable[i].y << '\n';
  poly.close();
  const std::string switches = MeshSwitches(area);  // the program does not need the "/0"
  const std::string command = std::string(TRIANGLE_PROGRAM) + " -" + switches.substr(0, switches.size() - 2) +
                              " " + dir.file("g.poly") + " > /dev/null";
  EXPECT_EQ(std::system(command.c_str()), 0) << command;
  // Both files: a count and the numbers of columns, then a numbered row each.
  std::vector<double> mesh;
  for (const char* name : {"g.1.node", "g.1.ele"}) {
    std::ifstream in(dir.file(name));
    int rows = 0, values = 0, attributes = 0, markers = 0;
    in >> rows >> values >> attributes;
    if (values == 2) in >> markers;
    const int width = 1 + values + attributes + markers;
    for (int i = 0; i < rows * width; ++i) {
      double v = 0;
      in >> v;
      const int column = i % width;  // the row's number, its values, then the rest
      if (column >= 1 && column <= values) mesh.push_back(v);
    }
  }
  std::ifstream pieces(dir.file("g.1.poly"));
  int skip = 0, rows = 0, marked = 0;
  pieces >> skip >> skip >> skip >> skip >> rows >> marked;
  std::vector<std::array<double, 3>> segments(static_cast<size_t>(rows));
  for (auto& [low, high, mark] : segments) {
    pieces >> skip >> low >> high >> mark;
    if (low > high) std::swap(low, high);
  }
  std::sort(segments.begin(), segments.end());
  for (const auto& row : segments) mesh.insert(mesh.end(), row.begin(), row.end());
  return mesh;
}

// Boundary nodes first and in order, holes where hole points are, inner
// contours without one meshed over: node for node, corner for corner and
// boundary edge for boundary edge what Triangle's own program makes of the
// same graph. The edges run the way their elements run.
TEST(MeshDriver, MeshEqualsWhatTrianglesOwnProgramWrites) {
  auto m = NewProject();
  AddContour(*m, {{0, 0}, {12, 0}, {14, 5}, {12, 10}, {6, 13}, {0, 10}, {-2, 5}});
  AddContour(*m, {{4, 4}, {4, 7}, {7, 7}, {7, 4}});
  AddContour(*m, {{8.5f, 2}, {10.5f, 2}, {9.5f, 3.5f}});
  (void)AppendInternalNode(*m, InternalNode{5.5f, 5.5f});
  for (double area : {3.0, 0.4}) {
    TempDir dir;
    const std::vector<double> expected = ProgramMesh(*m, area, dir);
    ASSERT_EQ(GenerateMesh(*m, area, RealMesher()), MeshOutcome::Success);
    std::vector<double> ours;
    for (int32_t i = 1; i <= m->meshNodeCount; ++i)
      ours.insert(ours.end(), {m->MeshNodeTable[i].x, m->MeshNodeTable[i].y});
    for (int32_t t = 1; t <= m->meshTriangleCount; ++t) {
      const MeshTriangle& c = m->MeshTriangleTable[t];
      ours.insert(ours.end(), {double(c.corner1), double(c.corner2), double(c.corner3)});
    }
    ASSERT_TRUE(m->meshTags);
    std::vector<std::array<double, 3>> edges;
    for (const MeshEdge& e : m->meshTags->edges) {
      edges.push_back(
          {double(std::min(e.node1, e.node2)), double(std::max(e.node1, e.node2)), double(e.element)});
      const Element& element = m->ElementTable[e.element];
      const Node &start = m->NodeTable[element.startNode], &end = m->NodeTable[element.endNode];
      const MeshNode &a = m->MeshNodeTable[e.node1], &b = m->MeshNodeTable[e.node2];
      EXPECT_GT((b.x - a.x) * (end.x - start.x) + (b.y - a.y) * (end.y - start.y), 0.0f) << e.element;
    }
    std::sort(edges.begin(), edges.end());
    for (const auto& row : edges) ours.insert(ours.end(), row.begin(), row.end());
    EXPECT_EQ(ours, expected) << "area " << area;
    EXPECT_EQ(m->meshTags->elements.size(), size_t(m->elementCount));
  }
}

// The examples that ship with the program open and mesh; the fin's double
// node is merged first, as its user would.
TEST(MeshDriver, ExamplesOpenAndMesh) {
  for (const char* name : {"plyta-z-otworem.vdk", "tarcza.vdk", "zebro.vdk"}) {
    auto m = NewProject();
    ASSERT_TRUE(LoadProjectFile(std::string(EXAMPLES) + "/" + name, *m).ok) << name;
    EXPECT_EQ(RemoveDuplicateNodes(*m), std::string(name) == "zebro.vdk" ? 1 : 0) << name;
    EXPECT_EQ(GenerateMesh(*m, 5.0, RealMesher()), MeshOutcome::Success) << name;
  }
}

// Coincident nodes reach Triangle as one point, so the fin meshes unmerged
// exactly as merged, whatever the allocator leaves in fresh memory.
TEST(MeshDriver, CoincidentNodesReachTheMesherOnce) {
  auto merged = NewProject();
  ASSERT_TRUE(LoadProjectFile(std::string(EXAMPLES) + "/zebro.vdk", *merged).ok);
  auto unmerged = std::make_unique<Model>(*merged);
  EXPECT_EQ(RemoveDuplicateNodes(*merged), 1);
  const MeshRequest request = *BuildMeshRequest(*unmerged, 1.0);
  EXPECT_EQ(request.points, BuildMeshRequest(*merged, 1.0)->points);
  EXPECT_EQ(request.segments, std::vector<int32_t>({1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 1}))
      << "the zero-length element goes, the others follow their merged ends";
  EXPECT_EQ(request.markers, std::vector<int32_t>({1, 3, 4, 5, 6, 7, 8}))
      << "each keeps its element's number";
  ::setenv("MALLOC_PERTURB_", "190", 1);
  const MeshOutcome outcomes[] = {GenerateMesh(*unmerged, 1.0, RealMesher()),
                                  GenerateMesh(*merged, 1.0, RealMesher())};
  ::unsetenv("MALLOC_PERTURB_");
  ASSERT_EQ(std::vector(std::begin(outcomes), std::end(outcomes)), std::vector(2, MeshOutcome::Success));
  EXPECT_EQ(unmerged->meshNodeCount, merged->meshNodeCount);
  EXPECT_TRUE(unmerged->MeshNodeTable.sameRows(merged->MeshNodeTable, merged->meshNodeCount) &&
              unmerged->MeshTriangleTable.sameRows(merged->MeshTriangleTable, merged->meshTriangleCount));
}

}  // namespace

namespace {

// The state letter of a process ('Z' a zombie), or 0 once it is gone.
char ProcessState(pid_t pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string text((std::istreambuf_iterator<char>(stat)), {});
  const size_t close = text.rfind(')');
  return close == std::string::npos || close + 2 >= text.size() ? 0 : text[close + 2];
}

// A child of `parent`, or 0 when it has none.
pid_t ChildOf(pid_t parent) {
  for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
    const std::string name = entry.path().filename();
    if (name.find_first_not_of("0123456789") != std::string::npos) continue;
    std::ifstream stat(entry.path() / "stat");
    std::string text((std::istreambuf_iterator<char>(stat)), {});
    const size_t close = text.rfind(')');
    if (close == std::string::npos) continue;
    std::istringstream rest(text.substr(close + 2));
    char state = 0;
    pid_t ppid = 0;
    if (rest >> state >> ppid && ppid == parent) return std::stoi(name);
  }
  return 0;
}

}  // namespace

// The helper ends with the program that started it: killed outright, the
// kernel ends it; ended by SIGTERM, the program ends it on its way out. And
// a helper whose program is gone before it has started never meshes.
TEST(MeshDriver, TheHelperEndsWithTheProgram) {
  for (const int sig : {SIGKILL, SIGTERM}) {
    const pid_t program = ::fork();
    if (program == 0) {
      InstallExitCleanup();
      auto m = NewProject();
      AddContour(*m, {{0, 0}, {100, 0}, {100, 100}, {0, 100}});
      MesherOptions options = RealMesher();
      options.limits = LargeMeshLimits(kLargestMeshTriangles);
      options.timeLimit = std::chrono::minutes(5);
      (void)GenerateMesh(*m, 0.002, options);  // millions of triangles: seconds of work
      ::_exit(0);
    }
    pid_t helper = 0;
    for (int i = 0; i < 1000 && helper == 0; ++i, ::usleep(10'000)) helper = ChildOf(program);
    ASSERT_NE(helper, 0) << "the helper started";
    ::kill(program, sig);
    int status = 0;
    ::waitpid(program, &status, 0);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == sig);
    char state = ProcessState(helper);
    for (int i = 0; i < 1000 && state != 0 && state != 'Z'; ++i, ::usleep(10'000))
      state = ProcessState(helper);
    EXPECT_TRUE(state == 0 || state == 'Z') << "the helper of a program ended by " << sig << " is " << state;
  }
  const std::string late = std::string(kMesherParentVariable) + "=1 " + MESHER_PATH + " </dev/null";
  const int status = std::system(late.c_str());
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 6) << status;
}
