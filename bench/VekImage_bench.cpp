// The image surface's scratch drawing: the gradient progress bar writes its percentage with
// TextOutInv on every step, and nothing of it may allocate once the scratch picture is big
// enough.
#include <benchmark/benchmark.h>

#include "components/VekImage.h"
#include "framework/graphics/Canvas.h"
#include "testkit/AllocationCount.h"

namespace {

struct TSurface {
  TVekImage Image{nullptr};
  TSurface() {
    Image.SetHeightWidth(20, 100);
    Image.Canvas().Font.AddStyle(TFontStyle::fsBold);
  }
};

// Reports the allocations of the timed calls, all made after a first untimed one.
template <typename Draw>
void CountedRuns(benchmark::State& state, Draw draw) {
  draw();
  const long before = AllocationCount();
  for (auto _ : state) draw();
  state.counters["allocations"] =
      benchmark::Counter(static_cast<double>(AllocationCount() - before), benchmark::Counter::kAvgIterations);
}

void BM_TextOutInv(benchmark::State& state) {
  TSurface surface;
  CountedRuns(state, [&] { surface.Image.TextOutInv(30, 3, "50 %"); });
}
BENCHMARK(BM_TextOutInv);

void BM_RectTrans(benchmark::State& state) {
  TSurface surface;
  CountedRuns(state, [&] { surface.Image.RectTrans(0, 0, 100, 20, RGB(0x40, 0, 0x40)); });
}
BENCHMARK(BM_RectTrans);

}  // namespace
