// The built-in solver. A heat problem on the 100 by 100 square at area
// 0.016 (about 970 000 triangles): a side held at a temperature, one with a
// flux, one convecting, one insulated, and a source. Solve() in-process; the
// command line solving it against the same command line exporting its mesh;
// the peak memory of each, and of Solve() alone in a fresh process. Then the
// factorisations that could solve its matrix: Eigen's simplicial LDLT and
// LLT (AMD ordering), CHOLMOD's simplicial LDLT and its supernodal LLT (its
// own choice of AMD or METIS) and that LLT ordered by METIS, each with time
// and memory; Solve() itself orders by nested dissection of its own. Then
// meshing and solving the square with an insert of another material and
// its own area beside the square of one material. Last, Solve() on the
// plate with a hole of the examples at the finest mesh under 1999 triangles.
//   build/bin/bench_solve --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
// The memory figures come from `bench_solve --peak WHAT`, which meshes the
// square, solves it one way and prints the growth of its peak resident size.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <Eigen/Sparse>
#ifdef VK_BENCH_CHOLMOD
#include <Eigen/CholmodSupport>
#endif
#include <Eigen/SparseCholesky>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <map>
#include <memory>
#include <numbers>
#include <string>

#include "LargeSquare.h"
#include "core/files/ProjectFile.h"
#include "core/mesh/MeshDriver.h"
#include "core/mesh/MeshProtocol.h"
#include "core/solve/Solver.h"

extern char** environ;

namespace {

std::string Dir() {
  static const std::string dir = [] {
    const std::string d = std::filesystem::temp_directory_path() / "vk-bench-solve";
    std::filesystem::create_directories(d);
    return d;
  }();
  return dir;
}

// Bottom at 100 °C, right side taking 50 W/m in, top convecting to 20 °C
// with alpha = 10, left insulated; lambda = 45, a source of 1000 W/m³.
std::unique_ptr<Model> HeatSquare() {
  auto m = LargeSquare({BoundaryCondition{1, 100}, BoundaryCondition{2, 50}, BoundaryCondition{3, 10, 20},
                        BoundaryCondition{2, 0}});
  m->ProblemKind = 1;
  m->Conductivity = 45.0f;
  m->SecondProperty = 1000.0f;
  return m;
}

std::unique_ptr<Model> MeshedHeatSquare() {
  auto m = HeatSquare();
  if (GenerateMesh(*m, kLargeArea, LargeMesher()) != MeshOutcome::Success) m->meshTriangleCount = 0;
  return m;
}

const Model& LargeHeat() {
  static const std::unique_ptr<Model> m = MeshedHeatSquare();
  return *m;
}

// The reduced matrix of the large problem: P1 stiffness plus the convecting
// edges' mass, the nodes at a temperature left out.
const Eigen::SparseMatrix<double>& LargeMatrix() {
  static const Eigen::SparseMatrix<double> a = [] {
    const Model& m = LargeHeat();
    const double k = m.Conductivity;
    std::vector<int32_t> equation(size_t(m.meshNodeCount) + 1, 0);
    for (const MeshEdge& e : m.meshTags->edges) {
      if (m.BcTable[m.ElementTable[e.element].bcNumber].kind == 1.0f) equation[size_t(e.node1)] = -1;
      if (m.BcTable[m.ElementTable[e.element].bcNumber].kind == 1.0f) equation[size_t(e.node2)] = -1;
    }
    int32_t free = 0;
    for (int32_t n = 1; n <= m.meshNodeCount; ++n)
      equation[size_t(n)] = equation[size_t(n)] < 0 ? -1 : free++;
    std::vector<Eigen::Triplet<double>> t;
    t.reserve(size_t(m.meshTriangleCount) * 9);
    for (int32_t i = 1; i <= m.meshTriangleCount; ++i) {
      const MeshTriangle& tri = m.MeshTriangleTable[i];
      const std::array<int32_t, 3> c{tri.corner1, tri.corner2, tri.corner3};
      std::array<double, 3> b{}, g{};
      for (size_t j = 0; j < 3; ++j) {
        const MeshNode& p = m.MeshNodeTable[c[(j + 1) % 3]];
        const MeshNode& q = m.MeshNodeTable[c[(j + 2) % 3]];
        b[j] = p.y - q.y;
        g[j] = q.x - p.x;
      }
      const double area2 = b[0] * g[1] - b[1] * g[0];
      for (size_t r = 0; r < 3; ++r) {
        for (size_t s = 0; s < 3; ++s) {
          const int32_t er = equation[size_t(c[r])], es = equation[size_t(c[s])];
          if (er >= 0 && es >= 0) t.emplace_back(er, es, k * (b[r] * b[s] + g[r] * g[s]) / (2.0 * area2));
        }
      }
    }
    for (const MeshEdge& e : m.meshTags->edges) {
      const BoundaryCondition& row = m.BcTable[m.ElementTable[e.element].bcNumber];
      if (row.kind != 3.0f) continue;
      const MeshNode& p = m.MeshNodeTable[e.node1];
      const MeshNode& q = m.MeshNodeTable[e.node2];
      const double length = std::hypot(q.x - p.x, q.y - p.y);
      const int32_t ea = equation[size_t(e.node1)], eb = equation[size_t(e.node2)];
      if (ea < 0 || eb < 0) continue;
      t.emplace_back(ea, ea, row.value1 * length / 3.0);
      t.emplace_back(eb, eb, row.value1 * length / 3.0);
      t.emplace_back(ea, eb, row.value1 * length / 6.0);
      t.emplace_back(eb, ea, row.value1 * length / 6.0);
    }
    Eigen::SparseMatrix<double> s(free, free);
    s.setFromTriplets(t.begin(), t.end());
    return s;
  }();
  return a;
}

// Factorises the large matrix one way and solves it for a right-hand side of
// ones; returns the nonzeros of the factor.
using Factoriser = std::function<double(const Eigen::SparseMatrix<double>&, Eigen::VectorXd&)>;
using Lower = Eigen::SparseMatrix<double>;

template <typename Solver>
double Factorise(Solver& solver, const Eigen::SparseMatrix<double>& a, Eigen::VectorXd& x) {
  solver.compute(a);
  if (solver.info() != Eigen::Success) return -1.0;
  x = solver.solve(Eigen::VectorXd::Ones(a.rows()));
  if constexpr (requires { solver.matrixL(); }) {
    return double(Eigen::SparseMatrix<double>(solver.matrixL()).nonZeros());
  } else {
    return solver.cholmod().lnz;
  }
}

template <typename Solver>
double Plain(const Eigen::SparseMatrix<double>& a, Eigen::VectorXd& x) {
  Solver solver;
  return Factorise(solver, a, x);
}

#ifdef VK_BENCH_CHOLMOD
using CholmodLdlt = Eigen::CholmodSimplicialLDLT<Lower, Eigen::Lower>;
using CholmodLlt = Eigen::CholmodSupernodalLLT<Lower, Eigen::Lower>;

// CHOLMOD ordered by METIS only, instead of trying AMD first.
double CholmodMetis(const Eigen::SparseMatrix<double>& a, Eigen::VectorXd& x) {
  CholmodLlt solver;
  solver.cholmod().nmethods = 1;
  solver.cholmod().method[0].ordering = CHOLMOD_METIS;
  return Factorise(solver, a, x);
}
#endif

const std::map<std::string, Factoriser>& Factorisers() {
  static const std::map<std::string, Factoriser> f = {
      {"eigen-ldlt", Plain<Eigen::SimplicialLDLT<Lower>>}, {"eigen-llt", Plain<Eigen::SimplicialLLT<Lower>>},
#ifdef VK_BENCH_CHOLMOD
      {"cholmod-simplicial-ldlt", Plain<CholmodLdlt>},     {"cholmod-supernodal-llt", Plain<CholmodLlt>},
      {"cholmod-supernodal-llt-metis", CholmodMetis},
#endif
  };
  return f;
}

// The growth of this process's peak resident size while `work` runs.
double PeakGrowthMB(const std::function<void()>& work) {
  const auto status = [](const char* key) {
    std::ifstream in("/proc/self/status");
    std::string line;
    while (std::getline(in, line)) {
      if (line.rfind(key, 0) == 0) return std::stod(line.substr(std::strlen(key))) / 1024.0;
    }
    return 0.0;
  };
  std::ofstream("/proc/self/clear_refs") << "5";  // the peak starts again from now
  const double before = status("VmRSS:");
  work();
  return status("VmHWM:") - before;
}

// `--peak WHAT`: what the solve or one factorisation adds to the peak.
int PrintPeak(const std::string& what) {
  if (LargeHeat().meshTriangleCount == 0) return 1;
  double mb = 0.0;
  if (what == "solve") {
    mb = PeakGrowthMB([] { (void)Solve(LargeHeat()); });
  } else {
    const auto f = Factorisers().find(what);
    if (f == Factorisers().end()) return 1;
    const Eigen::SparseMatrix<double>& a = LargeMatrix();
    Eigen::VectorXd x;
    mb = PeakGrowthMB([&] { (void)f->second(a, x); });
  }
  std::printf("%.1f\n", mb);
  return 0;
}

// A program run to its end under /usr/bin/time, quietly; its peak resident
// size in MB (wait4's own figure would count this process's size too: the
// child inherits it up to its exec).
double Run(benchmark::State& state, std::vector<std::string> args) {
  const std::string peakFile = Dir() + "/peak";
  args.insert(args.begin(), {"/usr/bin/time", "-f", "%M", "-o", peakFile});
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  pid_t pid = 0;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  const int started = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (started != 0) {
    state.SkipWithError("cannot start");
    return 0.0;
  }
  int status = 0;
  waitpid(pid, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) state.SkipWithError("failed");
  double kb = 0.0;
  std::ifstream(peakFile) >> kb;
  return kb / 1024.0;
}

// The peak that `bench_solve --peak WHAT` prints, in a fresh process.
double PeakInFreshProcess(const std::string& what) {
  const std::string command = std::filesystem::read_symlink("/proc/self/exe").string() + " --peak " + what;
  FILE* out = ::popen(command.c_str(), "r");
  double mb = -1.0;
  if (out == nullptr) return mb;
  if (std::fscanf(out, "%lf", &mb) != 1) mb = -1.0;
  return ::pclose(out) == 0 ? mb : -1.0;
}

void BM_LargeSolve(benchmark::State& state) {
  const Model& m = LargeHeat();
  if (m.meshTriangleCount == 0) state.SkipWithError("no mesh");
  double balance = 0.0;
  for (auto _ : state) {
    const SolveResult r = Solve(m);
    if (!r.solved) state.SkipWithError("not solved");
    balance = r.balance[0] / r.sources;
  }
  state.counters["triangles"] = m.meshTriangleCount;
  state.counters["nodes"] = m.meshNodeCount;
  state.counters["balance_rel"] = balance;
  state.counters["peak_growth_MB"] = PeakInFreshProcess("solve");
}
BENCHMARK(BM_LargeSolve)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// What the recovery of the flux and the error estimate take of that solve
// (Solve() does both): the two again on its result.
void BM_LargeRecovery(benchmark::State& state) {
  const Model& m = LargeHeat();
  if (m.meshTriangleCount == 0) state.SkipWithError("no mesh");
  const SolveResult r = Solve(m);
  std::vector<double> flux(2 * r.flux.size(), 0.0);
  for (size_t t = 1; t < r.flux.size(); ++t) flux[2 * t] = r.flux[t][0], flux[2 * t + 1] = r.flux[t][1];
  const std::vector<Compliance> weights(size_t(m.materialCount) + 1, Compliance{1.0, 1.0, 0.0, 0.0});
  double eta = 0.0;
  for (auto _ : state) {
    const RecoveredField recovered = Recover(m, flux, 2);
    eta = EstimateError(m, flux, recovered, weights).eta;
  }
  state.counters["eta"] = eta;
}
BENCHMARK(BM_LargeRecovery)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

// The heat square with a square insert 20 × 20 at its centre, of a material
// a hundred times as conductive and with no source, meshed twice as finely
// (its own largest area); the global area is raised by the share the
// insert's finer mesh adds, so that both meshes have about as many
// triangles. Its edges carry the insulated condition, which adds nothing
// across an interface.
std::unique_ptr<Model> HeatSquareWithInsert() {
  auto m = HeatSquare();
  const int32_t first = m->nodeCount + 1;
  for (const Node& n : {Node{40, 40}, Node{60, 40}, Node{60, 60}, Node{40, 60}}) (void)AppendNode(*m, n);
  for (int32_t i = 0; i < 4; ++i) (void)AppendElement(*m, Element{first + i, first + (i + 1) % 4, 4, 1});
  (void)AppendMaterial(*m, Material{"miedź", 4500.0f, 0.0f});
  (void)AppendRegionPoint(*m, RegionPoint{50.0f, 50.0f, 1, float(kLargeArea / 2)});
  return m;
}

constexpr double kInsertShare = 0.04;  // of the square's area

// 0: one material, 1: the insert. Meshing through the helper, then Solve()
// on the mesh made, each timed on its own, the two cases side by side.
std::unique_ptr<Model> RegionCase(int64_t which) {
  return which == 0 ? HeatSquare() : HeatSquareWithInsert();
}
double RegionCaseArea(int64_t which) {
  return which == 0 ? kLargeArea : kLargeArea * (1.0 + kInsertShare);
}

void BM_LargeRegionsMesh(benchmark::State& state) {
  auto m = RegionCase(state.range(0));
  for (auto _ : state) {
    if (GenerateMesh(*m, RegionCaseArea(state.range(0)), LargeMesher()) != MeshOutcome::Success)
      state.SkipWithError("failed");
  }
  state.counters["triangles"] = m->meshTriangleCount;
}
BENCHMARK(BM_LargeRegionsMesh)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

void BM_LargeRegionsSolve(benchmark::State& state) {
  auto m = RegionCase(state.range(0));
  if (GenerateMesh(*m, RegionCaseArea(state.range(0)), LargeMesher()) != MeshOutcome::Success)
    state.SkipWithError("no mesh");
  for (auto _ : state) {
    if (!Solve(*m).solved) state.SkipWithError("not solved");
  }
  state.counters["triangles"] = m->meshTriangleCount;
}
BENCHMARK(BM_LargeRegionsSolve)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

// 0: `vendrel --export OUT.msh`, 1: `vendrel --solve OUT.vtu`, of the same
// project: read, mesh through the helper, (solve,) write.
void BM_LargeCommandLine(benchmark::State& state) {
  const std::string project = Dir() + "/heat.vdk";
  if (!SaveProjectFile(*HeatSquare(), project).ok) state.SkipWithError("no project");
  const bool solve = state.range(0) == 1;
  const std::string out = Dir() + (solve ? "/heat.vtu" : "/heat.msh");
  double peak = 0.0;
  for (auto _ : state) {
    peak = Run(state, {VENDREL_PATH, solve ? "--solve" : "--export", out, "--max-triangles", "1000000",
                       "--area", "0.016", project});
  }
  state.counters["peak_MB"] = peak;
}
BENCHMARK(BM_LargeCommandLine)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// Kirsch's quarter plate (40 wide, a hole of radius 1 drawn with 256 sides
// on the quarter, rollers on the cuts, pulled at 100) adapted to 1 % from
// the command line: reading, meshing at area 4, the solves and the
// refinements, and writing the solution.
void BM_KirschAdaptCommandLine(benchmark::State& state) {
  auto m = std::make_unique<Model>();
  ResetModelData(*m);
  m->ProblemKind = 10;
  m->Conductivity = 1000.0f;
  m->SecondProperty = 0.3f;
  // 1 uy held on the cut y = 0, 2 the pull, 3 free, 4 ux held on the cut x = 0.
  m->bcCount = 4;
  m->BcTable[1] = {3, 2, 0};
  m->BcTable[2] = {1, 100, 0};
  m->BcTable[3] = {1, 0, 0};
  m->BcTable[4] = {3, 1, 0};
  std::vector<std::pair<Node, int32_t>> outline = {{{1, 0}, 1}, {{20, 0}, 2}, {{20, 20}, 3}, {{0, 20}, 4}};
  for (int32_t k = 256; k >= 1; --k) {
    const double angle = std::numbers::pi / 2 * k / 256;
    outline.push_back({{float(std::cos(angle)), float(std::sin(angle))}, 3});
  }
  for (size_t k = 0; k < outline.size(); ++k) {
    (void)AppendNode(*m, outline[k].first);
    (void)AppendElement(*m,
                        Element{int32_t(k + 1), int32_t((k + 1) % outline.size() + 1), outline[k].second, 1});
  }
  const std::string project = Dir() + "/kirsch.vdk";
  if (!SaveProjectFile(*m, project).ok) state.SkipWithError("no project");
  for (auto _ : state) {
    (void)Run(state, {VENDREL_PATH, "--solve", Dir() + "/kirsch.vtu", "--adapt", "0.01", "--area", "4",
                      "--max-triangles", "30000", project});
  }
}
BENCHMARK(BM_KirschAdaptCommandLine)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(7);

// Factorisation and one solve of the large reduced matrix, by name.
void BM_LargeFactorise(benchmark::State& state, const std::string& name) {
  const Eigen::SparseMatrix<double>& a = LargeMatrix();
  const Factoriser& f = Factorisers().at(name);
  Eigen::VectorXd x;
  double factorNonZeros = 0.0;
  for (auto _ : state) factorNonZeros = f(a, x);
  if (factorNonZeros < 0.0) state.SkipWithError("failed");
  state.counters["unknowns"] = double(a.rows());
  state.counters["factor_nnz_M"] = factorNonZeros / 1e6;
  state.counters["peak_growth_MB"] = PeakInFreshProcess(name);
}
// The plate with a hole of the examples, meshed as finely as stays under
// 1999 triangles: its left side held at 100 °C, its right side convecting
// to 20 °C, the rest (the hole too) insulated as the example has it.
const Model& SmallPlate() {
  static const std::unique_ptr<Model> m = [] {
    auto plate = std::make_unique<Model>();
    if (!LoadProjectFile(EXAMPLES_DIR "/plyta-z-otworem.vdk", *plate).ok) return plate;
    plate->ElementTable[4].bcNumber = AppendCondition(*plate, BoundaryCondition{1, 100});
    plate->ElementTable[2].bcNumber = AppendCondition(*plate, BoundaryCondition{3, 10, 20});
    plate->Conductivity = 45.0f;
    MesherOptions options;
    options.helperPath = MESHER_PATH;
    double lo = 1e-4, hi = 1e4;
    for (int i = 0; i < 40; ++i) {
      const double mid = std::sqrt(lo * hi);
      const bool fits =
          GenerateMesh(*plate, mid, options) == MeshOutcome::Success && plate->meshTriangleCount < 1999;
      (fits ? hi : lo) = mid;
    }
    if (GenerateMesh(*plate, hi, options) != MeshOutcome::Success) plate->meshTriangleCount = 0;
    return plate;
  }();
  return *m;
}

void BM_SmallSolve(benchmark::State& state) {
  const Model& m = SmallPlate();
  if (m.meshTriangleCount == 0) state.SkipWithError("no mesh");
  for (auto _ : state) {
    const SolveResult r = Solve(m);
    if (!r.solved) state.SkipWithError(r.refusal.c_str());
  }
  state.counters["triangles"] = m.meshTriangleCount;
  state.counters["nodes"] = m.meshNodeCount;
}
BENCHMARK(BM_SmallSolve)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "--peak") return PrintPeak(argv[2]);
  for (const auto& [name, f] : Factorisers()) {
    benchmark::RegisterBenchmark(("BM_LargeFactorise/" + name).c_str(), BM_LargeFactorise, name)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime()
        ->Iterations(3);
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
