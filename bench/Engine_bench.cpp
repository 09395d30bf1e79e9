// The effect's frame against the plain per-pixel reference and against the memory floor.
#include <benchmark/benchmark.h>

#include <vector>

#include "components/VekImage.h"
#include "engine/Quenbrel.h"
#include "engine/ReferenceFrame.h"

namespace {

struct TBenchRig {
  TQuenbrel Engine{"/nonexistent/zzQuenbrel.ini"};
  TVekImage Surface{nullptr};
  TBenchRig(int width, int height) {
    Engine.Target = &Surface;
    Engine.LoadSettings();
    Surface.SetHeightWidth(height, width);
    Engine.Resize();
  }
};

void SetPixelsProcessed(benchmark::State& state, int width, int height) {
  state.SetItemsProcessed(state.iterations() * width * height);
}

void BM_NextFrame(benchmark::State& state) {
  const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
  TBenchRig rig(w, h);
  for (auto _ : state) rig.Engine.NextFrame();
  SetPixelsProcessed(state, w, h);
}
BENCHMARK(BM_NextFrame)->Args({800, 600})->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMillisecond);

void BM_ReferenceFrame(benchmark::State& state) {
  const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
  TBenchRig rig(w, h);
  for (auto _ : state) ReferenceNextFrame(rig.Engine);
  SetPixelsProcessed(state, w, h);
}
BENCHMARK(BM_ReferenceFrame)->Args({1920, 1080})->Unit(benchmark::kMillisecond);

// A resize to a new size: both bitmaps made again and the pattern drawn (at an unchanged size
// Resize does nothing). The height alternates between h and h - 1.
void BM_Resize(benchmark::State& state) {
  const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
  TBenchRig rig(w, h);
  int resizes = 0;
  for (auto _ : state) {
    rig.Surface.SetHeightWidth(h - ++resizes % 2, w);
    rig.Engine.Resize();
  }
  SetPixelsProcessed(state, w, h);
}
BENCHMARK(BM_Resize)->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMillisecond);

// What no frame loop can beat: read two frame-sized buffers, add, write one.
void BM_MemoryFloor(benchmark::State& state) {
  const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
  const std::size_t n = static_cast<std::size_t>(w) * h;
  std::vector<std::uint32_t> a(n, 1), b(n, 2), out(n);
  for (auto _ : state) {
    const std::uint32_t* pa = a.data();
    const std::uint32_t* pb = b.data();
    std::uint32_t* po = out.data();
    for (std::size_t i = 0; i < n; ++i) po[i] = pa[i] + pb[i];
    benchmark::DoNotOptimize(po);
    benchmark::ClobberMemory();
  }
  SetPixelsProcessed(state, w, h);
}
BENCHMARK(BM_MemoryFloor)->Args({1920, 1080})->Unit(benchmark::kMillisecond);

}  // namespace
