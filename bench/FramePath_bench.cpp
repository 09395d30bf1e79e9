// One frame of the saver on a real X server (Xvfb): the effect alone, and the effect until
// the server has the frame. Both draw into shared memory, as the saver does.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <chrono>
#include <memory>

#include "components/VekImage.h"
#include "e2e/Xvfb.h"
#include "engine/Quenbrel.h"
#include "framework/x11/X11WindowSystem.h"

namespace {

constexpr int kWidth = 1920, kHeight = 1080;

// A screen-sized window on a private server, and an engine drawing into shared memory.
struct TScreenRig {
  TXvfb Server{kWidth, kHeight};
  std::unique_ptr<TX11WindowSystem> System;
  TWindowHandle Window = 0;
  TQuenbrel Engine{"/nonexistent/zzQuenbrel.ini"};
  TVekImage Surface{nullptr};

  TScreenRig() {
    setenv("DISPLAY", Server.Name().c_str(), 1);
    System = std::make_unique<TX11WindowSystem>();
    TWindowParams params;
    params.FullScreen = true;
    Window = System->CreateWindow(params);
    System->ShowWindow(Window, true);
    Surface.Picture().Bitmap().SetMemoryProvider(System->PixelMemory());
    Engine.Target = &Surface;
    Engine.LoadSettings();
    Surface.SetHeightWidth(kHeight, kWidth);
    Engine.Resize();
    System->Flush();
  }

  void Show() {
    System->PutPixels(Window, Surface.Picture().Bitmap(), Bounds(0, 0, kWidth, kHeight), {0, 0});
    System->Flush();
  }
};

TScreenRig& Rig() {
  static TScreenRig rig;
  return rig;
}

void BM_NextFrameOnScreen(benchmark::State& state) {
  TScreenRig& rig = Rig();
  for (auto _ : state) rig.Engine.NextFrame();
}
BENCHMARK(BM_NextFrameOnScreen)->Args({kWidth, kHeight})->Unit(benchmark::kMillisecond);

// NextFrame until the X server has the frame (PutPixels, then XSync). The counter
// NextFrameMs is NextFrame's own share of each frame: on this path its memory is shared with
// the server, which has just read it, so it costs more than in the loop above.
void BM_FramePath(benchmark::State& state) {
  TScreenRig& rig = Rig();
  std::chrono::duration<double, std::milli> inNextFrame{0};
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    rig.Engine.NextFrame();
    inNextFrame += std::chrono::steady_clock::now() - start;
    rig.Show();
  }
  state.counters["NextFrameMs"] = benchmark::Counter(inNextFrame.count(), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_FramePath)->Args({kWidth, kHeight})->Unit(benchmark::kMillisecond);

}  // namespace
