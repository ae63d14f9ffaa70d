// Integrals of a solution on the large heat square of bench_solve (about
// 970 000 triangles) with a square insert of another material at its
// centre: over the material around the insert (most of the triangles) for
// the nodal temperature, the recovered flux (per corner) and the flux per
// triangle, the field's values given; the same with ComputeField; over the
// whole region; and along one side's elements.
//   build/bin/bench_integrals --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

#include <benchmark/benchmark.h>

#include <memory>

#include "LargeSquare.h"
#include "core/integrals/Integrals.h"
#include "core/solve/Solver.h"

namespace {

const Solution& LargeSolution() {
  static const std::unique_ptr<Solution> s = [] {
    auto m = LargeSquare({BoundaryCondition{1, 100}, BoundaryCondition{2, 50}, BoundaryCondition{3, 10, 20},
                          BoundaryCondition{2, 0}});
    m->ProblemKind = 1;
    m->Conductivity = 45.0f;
    m->SecondProperty = 1000.0f;
    const int32_t first = m->nodeCount + 1;
    for (const Node& n : {Node{40, 40}, Node{60, 40}, Node{60, 60}, Node{40, 60}}) (void)AppendNode(*m, n);
    for (int32_t i = 0; i < 4; ++i) (void)AppendElement(*m, Element{first + i, first + (i + 1) % 4, 4, 1});
    (void)AppendMaterial(*m, Material{"miedź", 4500.0f, 0.0f});
    (void)AppendRegionPoint(*m, RegionPoint{50.0f, 50.0f, 1, float(kLargeArea)});
    auto solution = std::make_unique<Solution>();
    if (GenerateMesh(*m, kLargeArea, LargeMesher()) == MeshOutcome::Success) {
      solution->result = Solve(*m);
      solution->model = *m;
    }
    return solution;
  }();
  return *s;
}

const FieldKind kFields[] = {FieldKind::Potential, FieldKind::FluxRecovered, FieldKind::FluxMagnitude};

void Count(benchmark::State& state, const Solution& s, int32_t material) {
  int32_t triangles = 0;
  for (int32_t t = 1; t <= s.model.meshTriangleCount; ++t)
    triangles += material == kWholeRegion || s.model.MeshTriangleTable[t].material == material;
  state.counters["triangles"] = triangles;
}

// Arg 0: the material 0 around the insert, 1: the whole region; Arg 1 the field.
void BM_IntegrateArea(benchmark::State& state) {
  const Solution& s = LargeSolution();
  if (!s.result.solved) return state.SkipWithError("not solved");
  const int32_t material = state.range(0) == 0 ? 0 : kWholeRegion;
  const FieldValues f = ComputeField(s, kFields[state.range(1)]);
  for (auto _ : state) benchmark::DoNotOptimize(IntegrateArea(s, f, material));
  Count(state, s, material);
}
BENCHMARK(BM_IntegrateArea)
    ->ArgsProduct({{0, 1}, {0, 1, 2}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(20);

// The field computed each time, as the dialog and --integrate do.
void BM_ComputeAndIntegrate(benchmark::State& state) {
  const Solution& s = LargeSolution();
  if (!s.result.solved) return state.SkipWithError("not solved");
  for (auto _ : state) {
    const FieldValues f = ComputeField(s, kFields[state.range(0)]);
    benchmark::DoNotOptimize(IntegrateArea(s, f, 0));
  }
  Count(state, s, 0);
}
BENCHMARK(BM_ComputeAndIntegrate)
    ->DenseRange(0, 2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(20);

// The bottom side's elements: one pass over the triangles to find their own.
void BM_IntegrateEdges(benchmark::State& state) {
  const Solution& s = LargeSolution();
  if (!s.result.solved) return state.SkipWithError("not solved");
  for (auto _ : state) benchmark::DoNotOptimize(IntegrateEdges(s, ElementsOfCondition(s, 1)));
}
BENCHMARK(BM_IntegrateEdges)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);

}  // namespace

BENCHMARK_MAIN();
