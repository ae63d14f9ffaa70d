// The field along a segment across the 100 by 100 square at area 0.016
// (about 970 000 triangles): sampled along its diagonal and along a line
// across its middle, the field per node and per triangle, and the flow
// across the diagonal. The field is u = x and the flux constant, so that no
// solve is needed to build the fixture.
//   build/bin/bench_line --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

#include <benchmark/benchmark.h>

#include <memory>

#include "LargeSquare.h"
#include "core/field/LineSample.h"
#include "core/mesh/MeshDriver.h"

namespace {

const Solution& LargeField() {
  static const std::unique_ptr<Solution> s = [] {
    auto made = std::make_unique<Solution>();
    std::unique_ptr<Model> m = LargeSquare();
    if (GenerateMesh(*m, kLargeArea, LargeMesher()) != MeshOutcome::Success) m->meshTriangleCount = 0;
    m->ProblemKind = 1;
    made->model = *m;
    SolveResult& r = made->result;
    r.solved = true;
    r.u.assign(size_t(m->meshNodeCount) + 1, 0.0);
    for (int32_t k = 1; k <= m->meshNodeCount; ++k) r.u[size_t(k)] = m->MeshNodeTable[k].x;
    r.flux.assign(size_t(m->meshTriangleCount) + 1, {-1.0, 0.0});
    return made;
  }();
  return *s;
}

const PlotSegment kSegments[] = {{{0.0, 0.0}, {100.0, 100.0}}, {{0.0, 50.3}, {100.0, 50.3}}};

// Arg 0: the diagonal or the middle line; arg 1: u per node or |q| per triangle.
void BM_SampleAlongSegment(benchmark::State& state) {
  const Solution& s = LargeField();
  const FieldValues field =
      ComputeField(s, state.range(1) == 0 ? FieldKind::Potential : FieldKind::FluxMagnitude);
  const PlotSegment& segment = kSegments[state.range(0)];
  size_t samples = 0;
  for (auto _ : state) {
    const LinePieces pieces = SampleAlongSegment(s.model, field, segment.a, segment.b);
    samples = pieces.empty() ? 0 : pieces[0].size();
    benchmark::DoNotOptimize(samples);
  }
  state.counters["triangles"] = double(s.model.meshTriangleCount);
  state.counters["samples"] = double(samples);
}
BENCHMARK(BM_SampleAlongSegment)
    ->Args({0, 0})
    ->Args({1, 0})
    ->Args({0, 1})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_FlowThroughSegment(benchmark::State& state) {
  const Solution& s = LargeField();
  for (auto _ : state) benchmark::DoNotOptimize(FlowThroughSegment(s, kSegments[0].a, kSegments[0].b));
}
BENCHMARK(BM_FlowThroughSegment)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
