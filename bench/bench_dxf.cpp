// Reading drawings of many layers through the reader helper, as the
// program does: 10 000 layers (the most a drawing may have, read whole)
// and 200 000 (refused for capacity once they are counted). Each should
// take a few seconds at most; the layers are found by a hash, so the time
// grows with the file, not with its square.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "core/import/DrawingHelper.h"

namespace {

std::string Layers(int64_t count) {
  std::string path =
      "/tmp/vk-bench-layers-" + std::to_string(count) + "-" + std::to_string(::getpid()) + ".dxf";
  std::ofstream out(path);
  out << "0\nSECTION\n2\nENTITIES\n";
  for (int64_t i = 0; i < count; ++i) {
    out << "0\nLINE\n8\nL" << i << "\n10\n" << i << "\n20\n0\n11\n" << i << "\n21\n1\n";
  }
  out << "0\nENDSEC\n0\nEOF\n";
  return path;
}

void BM_ReadManyLayers(benchmark::State& state) {
  const std::string path = Layers(state.range(0));
  const DrawingReadOptions options{READER_PATH, {}, {}, {}};
  for (auto _ : state) {
    const DxfResult r = ReadDrawing(path, options);
    if (r.ok != (state.range(0) <= kDrawingMaxLayers)) state.SkipWithError(r.message.c_str());
    benchmark::DoNotOptimize(r.drawing.layers.size());
  }
  std::remove(path.c_str());
}
BENCHMARK(BM_ReadManyLayers)->Arg(10'000)->Arg(200'000)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
