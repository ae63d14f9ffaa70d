// Mesh generation through the helper against Triangle in-process and
// Triangle's own program, a full-capacity project save and read, and the
// model check on a full model, and the largest mesh the tables take
// exported in the solver layout and in each open format. Then a mesh of
// about a million triangles (a 100 by 100 square at area 0.016): through the
// helper against Triangle in-process, the command line against Triangle's
// own program writing its files, the open exports against one write of the
// same bytes, and the resident memory after a hundred edits.
//   build/bin/bench_core --benchmark_repetitions=15 --benchmark_report_aggregates_only=true

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>

#include "LargeSquare.h"
#include "core/files/ExportFile.h"
#include "core/files/OpenExport.h"
#include "core/files/ProjectFile.h"
#include "core/mesh/MeshDriver.h"
#include "core/mesh/ModelCheck.h"
#include "core/state/History.h"
#include "mesher/TriangleCall.h"

extern char** environ;

namespace {

// A closed circle of 299 nodes and 299 elements.
std::unique_ptr<Model> Circle() {
  auto m = std::make_unique<Model>();
  ResetModelData(*m);
  for (int i = 0; i < kMaxNodes; ++i) {
    const double a = 2.0 * M_PI * i / kMaxNodes;
    (void)AppendNode(*m, Node{float(20.0 * std::cos(a)), float(20.0 * std::sin(a))});
  }
  for (int i = 1; i <= kMaxNodes; ++i) (void)AppendElement(*m, Element{i, i % kMaxNodes + 1, 1, 1});
  return m;
}

// The smallest area whose mesh the tables still take. With 299 nodes on
// the contour the 999-node limit comes first, at about 1700 triangles.
double AreaForLargestAcceptedMesh(const Model& m) {
  double lo = 0.01, hi = 100.0;
  for (int i = 0; i < 40; ++i) {
    const double mid = std::sqrt(lo * hi);
    const MeshReply r = RunTriangle(*BuildMeshRequest(m, mid), MeshSwitches(mid));
    (ReplyWithinLimits(r, MeshLimits{}) ? hi : lo) = mid;
  }
  return hi;
}

struct Fixture {
  std::unique_ptr<Model> model = Circle();
  double area = AreaForLargestAcceptedMesh(*model);
  std::string dir = std::filesystem::temp_directory_path() / "vk-bench";
  std::string poly = dir + "/circle.poly";

  Fixture() {
    std::filesystem::create_directories(dir);
    std::ofstream out(poly);
    out.precision(17);
    out << model->nodeCount << " 2 0 0\n";
    for (int i = 1; i <= model->nodeCount; ++i) {
      out << i << ' ' << double(model->NodeTable[i].x) << ' ' << double(model->NodeTable[i].y) << '\n';
    }
    out << model->elementCount << " 0\n";
    for (int i = 1; i <= model->elementCount; ++i) {
      out << i << ' ' << model->ElementTable[i].startNode << ' ' << model->ElementTable[i].endNode << '\n';
    }
    out << "0\n";
  }
};

Fixture& Shared() {
  static Fixture f;
  return f;
}

void BM_DriverGeneration(benchmark::State& state) {
  Fixture& f = Shared();
  MesherOptions options;
  options.helperPath = MESHER_PATH;
  for (auto _ : state) {
    if (GenerateMesh(*f.model, f.area, options) != MeshOutcome::Success) state.SkipWithError("failed");
  }
  state.counters["triangles"] = f.model->meshTriangleCount;
  state.counters["nodes"] = f.model->meshNodeCount;
}
BENCHMARK(BM_DriverGeneration)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_DirectTriangulate(benchmark::State& state) {
  Fixture& f = Shared();
  const MeshRequest request = *BuildMeshRequest(*f.model, f.area);
  const std::string switches = MeshSwitches(f.area);
  int triangles = 0;
  for (auto _ : state) triangles = RunTriangle(request, switches).triangleCount;
  state.counters["triangles"] = triangles;
}
BENCHMARK(BM_DirectTriangulate)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_TriangleProgram(benchmark::State& state) {
  Fixture& f = Shared();
  std::string switches = MeshSwitches(f.area);
  switches = "-" + switches.substr(0, switches.size() - 2);
  std::string program = TRIANGLE_PROGRAM;
  std::vector<char*> argv{program.data(), switches.data(), f.poly.data(), nullptr};
  for (auto _ : state) {
    pid_t pid = 0;
    if (posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0) {
      state.SkipWithError("cannot start triangle");
      break;
    }
    int status = 0;
    waitpid(pid, &status, 0);
  }
}
BENCHMARK(BM_TriangleProgram)->Unit(benchmark::kMillisecond)->UseRealTime();

std::unique_ptr<Model> FullProject() {
  auto m = Circle();
  for (int i = kMaxNodes + 1; i <= kMaxElements; ++i) (void)AppendElement(*m, Element{1, 2, 1, 1});
  while (AppendCondition(*m, BoundaryCondition{1, 1.5f, 2.5f, 3.5f, 0, 0, 0}) != 0) {
  }
  while (AppendBoundary(*m, Boundary{2}) != 0) {
  }
  while (AppendInternalNode(*m, InternalNode{0.25f, -0.5f}) != 0) {
  }
  return m;
}

void BM_SaveAndReadFullProject(benchmark::State& state) {
  const auto model = FullProject();
  auto back = std::make_unique<Model>();
  const std::string path = Shared().dir + "/full.vdk";
  for (auto _ : state) {
    if (!SaveProjectFile(*model, path).ok || !LoadProjectFile(path, *back).ok) state.SkipWithError("failed");
  }
}
BENCHMARK(BM_SaveAndReadFullProject)->Unit(benchmark::kMillisecond)->UseRealTime();

// The model check on a full model: the circle, 200 chords across it (so
// about 20 000 crossings, the worst case; the first thousand are named)
// and 99 internal nodes, at an area far too small; and on the clean circle.
void BM_CheckFullModel(benchmark::State& state) {
  std::unique_ptr<Model> m = Circle();
  for (int i = 1; m->elementCount < kMaxElements; ++i) {
    (void)AppendElement(*m, Element{i, (i + 149) % kMaxNodes + 1, 1, 1});
  }
  for (int i = 0; i < kMaxInternalNodes; ++i) {
    (void)AppendInternalNode(*m, InternalNode{float(i % 10 * 4 - 18), float(i / 10 * 4 - 18)});
  }
  size_t found = 0;
  for (auto _ : state) found = CheckModel(*m, 0.001).size();
  state.counters["findings"] = double(found);
}
BENCHMARK(BM_CheckFullModel)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_CheckCleanCircle(benchmark::State& state) {
  std::unique_ptr<Model> m = Circle();
  size_t found = 1;
  for (auto _ : state) found = CheckModel(*m, 1.0).size();
  state.counters["findings"] = double(found);
}
BENCHMARK(BM_CheckCleanCircle)->Unit(benchmark::kMillisecond)->UseRealTime();

// A square of four elements with two conditions, meshed as finely as the
// tables take: square meshes come up to the triangle limit.
std::unique_ptr<Model> LargestSquareMesh() {
  auto m = std::make_unique<Model>();
  ResetModelData(*m);
  for (const Node& n : {Node{0, 0}, Node{40, 0}, Node{40, 40}, Node{0, 40}}) (void)AppendNode(*m, n);
  (void)AppendCondition(*m, BoundaryCondition{1, 100});
  for (int i = 1; i <= 4; ++i) (void)AppendElement(*m, Element{i, i % 4 + 1, i % 2 + 1, 1});
  MesherOptions options;
  options.helperPath = MESHER_PATH;
  if (GenerateMesh(*m, AreaForLargestAcceptedMesh(*m), options) != MeshOutcome::Success)
    m->meshTriangleCount = 0;
  return m;
}

// 0: the m2d layout, then MSH 4.1, MSH 2.2 and VTU, each written safely.
void BM_ExportLargestMesh(benchmark::State& state) {
  static const std::unique_ptr<Model> m = LargestSquareMesh();
  if (m->meshTriangleCount == 0) state.SkipWithError("no mesh");
  const auto format = static_cast<OpenFormat>(state.range(0) - 1);
  const std::string path = Shared().dir + "/export";
  for (auto _ : state) {
    const bool ok = state.range(0) == 0 ? WriteExportFile(*m, ExportLayout::M2d, path).ok
                                        : WriteOpenExport(*m, format, path).ok;
    if (!ok) state.SkipWithError("failed");
  }
  state.counters["triangles"] = m->meshTriangleCount;
  state.counters["nodes"] = m->meshNodeCount;
  state.counters["bytes"] = double(std::filesystem::file_size(path));
}
BENCHMARK(BM_ExportLargestMesh)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond)->UseRealTime();

// The large mesh: the square of four elements at area 0.016.
const Model& LargeMesh() {
  static const std::unique_ptr<Model> m = [] {
    auto square = LargeSquare();
    if (GenerateMesh(*square, kLargeArea, LargeMesher()) != MeshOutcome::Success)
      square->meshTriangleCount = 0;
    return square;
  }();
  return *m;
}

void BM_LargeThroughHelper(benchmark::State& state) {
  auto m = LargeSquare();
  for (auto _ : state) {
    if (GenerateMesh(*m, kLargeArea, LargeMesher()) != MeshOutcome::Success) state.SkipWithError("failed");
  }
  state.counters["triangles"] = m->meshTriangleCount;
}
BENCHMARK(BM_LargeThroughHelper)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void BM_LargeInProcess(benchmark::State& state) {
  const MeshRequest request = *BuildMeshRequest(*LargeSquare(), kLargeArea);
  int triangles = 0;
  for (auto _ : state) triangles = RunTriangle(request, MeshSwitches(kLargeArea)).triangleCount;
  state.counters["triangles"] = triangles;
}
BENCHMARK(BM_LargeInProcess)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// A program run to its end, in the benchmark's folder.
void Run(benchmark::State& state, std::vector<std::string> args) {
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  pid_t pid = 0;
  if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) {
    state.SkipWithError("cannot start");
    return;
  }
  int status = 0;
  waitpid(pid, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) state.SkipWithError("failed");
}

// End to end: read the project, mesh through the helper, write MSH 4.1.
void BM_LargeCommandLine(benchmark::State& state) {
  const std::string dir = Shared().dir;
  if (!SaveProjectFile(*LargeSquare(), dir + "/square.vdk").ok) state.SkipWithError("no project");
  for (auto _ : state) {
    Run(state, {VENDREL_PATH, "--export", dir + "/square.msh", "--max-triangles", "1000000", "--area",
                "0.016", dir + "/square.vdk"});
  }
}
BENCHMARK(BM_LargeCommandLine)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// Triangle's own program on the same square, writing .node and .ele.
void BM_LargeTriangleProgram(benchmark::State& state) {
  const std::string poly = Shared().dir + "/square.poly";
  std::ofstream(poly) << "4 2 0 0\n1 0 0\n2 100 0\n3 100 100\n4 0 100\n4 0\n1 1 2\n2 2 3\n3 3 4\n4 4 1\n0\n";
  for (auto _ : state) Run(state, {TRIANGLE_PROGRAM, "-Qpqa0.016", poly});
}
BENCHMARK(BM_LargeTriangleProgram)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// 0 MSH 4.1, 2 VTU, written safely; against one write() of the same bytes.
void BM_LargeExport(benchmark::State& state) {
  const Model& m = LargeMesh();
  const auto format = static_cast<OpenFormat>(state.range(0));
  const std::string path = Shared().dir + "/large";
  for (auto _ : state) {
    if (!WriteOpenExport(m, format, path).ok) state.SkipWithError("failed");
  }
  state.counters["triangles"] = m.meshTriangleCount;
  state.counters["MB"] = double(std::filesystem::file_size(path)) / 1e6;
}
BENCHMARK(BM_LargeExport)->Arg(0)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

// The look for nodes on one point and flat triangles that every open
// export makes before it writes.
void BM_LargeDegeneracyCheck(benchmark::State& state) {
  const Model& m = LargeMesh();
  for (auto _ : state) benchmark::DoNotOptimize(OpenExportRefusal(m));
}
BENCHMARK(BM_LargeDegeneracyCheck)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

void BM_LargeOneWrite(benchmark::State& state) {
  const std::string bytes = EncodeOpenExport(LargeMesh(), static_cast<OpenFormat>(state.range(0)));
  const std::string path = Shared().dir + "/large-one";
  for (auto _ : state) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0 || ::write(fd, bytes.data(), bytes.size()) != ssize_t(bytes.size()))
      state.SkipWithError("failed");
    ::close(fd);
  }
}
BENCHMARK(BM_LargeOneWrite)->Arg(0)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

// "Anuluj" 300 ms into a million-triangle generation: the time from the
// cancel to the helper killed and reaped.
void BM_LargeCancel(benchmark::State& state) {
  auto m = LargeSquare();
  double worst = 0.0;
  for (auto _ : state) {
    MesherOptions options = LargeMesher();
    const auto cancelAt = std::chrono::steady_clock::now() + std::chrono::milliseconds(300);
    options.cancelled = [cancelAt] { return std::chrono::steady_clock::now() >= cancelAt; };
    if (GenerateMesh(*m, kLargeArea, options) != MeshOutcome::Cancelled) state.SkipWithError("not cancelled");
    const double late =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - cancelAt).count();
    worst = std::max(worst, late);
    state.SetIterationTime(late / 1000.0);
  }
  state.counters["worst_ms"] = worst;
}
BENCHMARK(BM_LargeCancel)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(10);

size_t ResidentBytes() {
  std::ifstream statm("/proc/self/statm");
  size_t pages = 0, resident = 0;
  statm >> pages >> resident;
  return resident * size_t(::sysconf(_SC_PAGESIZE));
}

// A hundred edits recorded after the mesh: the snapshots share it.
void BM_LargeMemoryAfterEdits(benchmark::State& state) {
  for (auto _ : state) {
    const size_t before = ResidentBytes();
    auto m = LargeSquare();
    if (GenerateMesh(*m, kLargeArea, LargeMesher()) != MeshOutcome::Success) state.SkipWithError("failed");
    History history;
    for (int i = 0; i < 100; ++i) {
      history.record("edycja", *m);
      m->NodeTable[1].x += 0.001f;
    }
    const double mesh = 12.0 * m->meshTriangleCount + 16.0 * m->meshNodeCount;
    state.counters["mesh_MB"] = mesh / 1e6;
    state.counters["resident_MB"] = double(ResidentBytes() - before) / 1e6;
    state.counters["bound_MB"] = (2 * mesh + 50e6) / 1e6;
  }
}
BENCHMARK(BM_LargeMemoryAfterEdits)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
