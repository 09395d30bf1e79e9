// The source pattern against its per-pixel extended-precision reference and against a plain
// write of every pixel of the same bitmap.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "engine/PaletteLookup.h"
#include "engine/Quenbrel.h"
#include "engine/ReferencePattern.h"
#include "engine/SourcePattern.h"
#include "framework/graphics/Bitmap.h"

namespace {

struct TPatternRig {
  TQuenbrel Engine{"/nonexistent/zzQuenbrel.ini"};
  TBitmap Bitmap;
  TPatternRig(const benchmark::State& state)
      : Bitmap(static_cast<int>(state.range(0)), static_cast<int>(state.range(1))) {}
};

void SetPixelsProcessed(benchmark::State& state) {
  state.SetItemsProcessed(state.iterations() * state.range(0) * state.range(1));
}

void BM_SourcePattern(benchmark::State& state) {
  TPatternRig rig(state);
  const TPaletteLookup palette(rig.Engine.PaletteWords());
  std::vector<std::uint8_t> indexes(static_cast<std::size_t>(rig.Bitmap.Width()) * rig.Bitmap.Height());
  for (auto _ : state) PaintSourcePattern(rig.Engine, palette, rig.Bitmap, indexes.data());
  SetPixelsProcessed(state);
}
BENCHMARK(BM_SourcePattern)->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMillisecond);

void BM_ReferencePattern(benchmark::State& state) {
  TPatternRig rig(state);
  for (auto _ : state) ReferencePaintSource(rig.Engine, rig.Bitmap);
  SetPixelsProcessed(state);
}
BENCHMARK(BM_ReferencePattern)->Args({3840, 2160})->Unit(benchmark::kMillisecond);

// What no pattern can beat: one computed value stored into every pixel.
void BM_PlainWrite(benchmark::State& state) {
  TPatternRig rig(state);
  const int width = rig.Bitmap.Width(), height = rig.Bitmap.Height();
  for (auto _ : state) {
    for (int y = 0; y < height; ++y) {
      std::uint32_t* row = rig.Bitmap.Row32(y);
      for (int x = 0; x < width; ++x) row[x] = static_cast<std::uint32_t>(x ^ y);
    }
    benchmark::ClobberMemory();
  }
  SetPixelsProcessed(state);
}
BENCHMARK(BM_PlainWrite)->Args({3840, 2160})->Unit(benchmark::kMillisecond);

}  // namespace
