// Frames of the saver on a real X server (Xvfb): the effect alone, the effect until the
// server has the frame, and frames paced by the saver's timer with the program idle between
// them. All draw into shared memory, as the saver does.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <time.h>

#include <map>
#include <memory>
#include <utility>

#include "components/VekImage.h"
#include "engine/Quenbrel.h"
#include "framework/platform/x11/X11WindowSystem.h"
#include "framework/ui/core/Application.h"
#include "framework/ui/core/Form.h"
#include "framework/ui/core/Timer.h"
#include "testkit/Xvfb.h"

namespace {

constexpr int kScreenWidth = 3840, kScreenHeight = 2160;

void Start(TQuenbrel& engine, TVekImage& target) {
  engine.Target = &target;
  engine.LoadSettings();
  engine.Resize();
}

// The effect on a borderless form of its size at the screen's top-left corner, as the saver
// shows it, with the saver's timer.
struct TShownEffect {
  TForm* Form;
  TTimer* Timer;
  TQuenbrel Engine{"/nonexistent/zzQuenbrel.ini"};
  int Frames = 0;

  TShownEffect(TApplication& app, int width, int height) : Form(new TForm(&app)), Timer(new TTimer(Form)) {
    Form->BorderStyle = TBorderStyle::bsNone;
    Form->SetBounds(0, 0, width, height);
    auto* image = new TVekImage(Form);
    image->SetParent(Form);
    image->SetAlign(TAlign::alClient);
    Timer->SetEnabled(false);
    Timer->SetInterval(1);
    Timer->OnTimer = [this](TComponent*) {
      Engine.NextFrame();
      ++Frames;
    };
    Form->Show();
    Start(Engine, *image);
  }
};

// A private server with one form per size, of which the one measured is the only one shown;
// and the same effect drawing into shared memory that is shown nowhere.
struct TScreenRig {
  TXvfb Server{kScreenWidth, kScreenHeight};
  std::unique_ptr<TApplication> App;
  std::map<std::pair<int, int>, std::unique_ptr<TShownEffect>> Shown;
  TQuenbrel Unshown{"/nonexistent/zzQuenbrel.ini"};
  TVekImage UnshownSurface{nullptr};

  TScreenRig() {
    setenv("DISPLAY", Server.Name().c_str(), 1);
    App = std::make_unique<TApplication>(std::make_shared<TX11WindowSystem>());
    UnshownSurface.Picture().Bitmap().SetMemoryProvider(App->WindowSystem().PixelMemory());
    UnshownSurface.SetHeightWidth(1080, 1920);
    Start(Unshown, UnshownSurface);
  }

  TShownEffect& Show(int width, int height) {
    for (auto& [size, effect] : Shown)
      if (size != std::pair{width, height}) effect->Form->Hide();
    auto& effect = Shown[{width, height}];
    if (!effect) effect = std::make_unique<TShownEffect>(*App, width, height);
    effect->Form->Show();
    App->ProcessMessages();
    return *effect;
  }
};

TScreenRig& Rig() {
  static TScreenRig rig;
  return rig;
}

double ProcessCpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

void BM_NextFrameOnScreen(benchmark::State& state) {
  TScreenRig& rig = Rig();
  for (auto _ : state) rig.Unshown.NextFrame();
}
BENCHMARK(BM_NextFrameOnScreen)->Args({1920, 1080})->Unit(benchmark::kMillisecond);

// NextFrame on the saver's path: until the X server has the whole frame (XSync).
void BM_FramePath(benchmark::State& state) {
  TShownEffect& shown = Rig().Show(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  for (auto _ : state) shown.Engine.NextFrame();
}
BENCHMARK(BM_FramePath)->Args({1920, 1080})->Unit(benchmark::kMillisecond);

// The saver's own rhythm: one frame per tick of its timer, the program idle in between while
// the server and everything else run and the caches go cold. The time is the CPU that the
// program spends per frame, idle time excluded.
void BM_PacedFrame(benchmark::State& state) {
  TScreenRig& rig = Rig();
  TShownEffect& shown = rig.Show(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  shown.Timer->SetEnabled(true);
  for (auto _ : state) {
    const double start = ProcessCpuSeconds();
    const int frame = shown.Frames;
    while (shown.Frames == frame) rig.App->HandleMessage();
    state.SetIterationTime(ProcessCpuSeconds() - start);
  }
  shown.Timer->SetEnabled(false);
}
BENCHMARK(BM_PacedFrame)->Args({1920, 1080})->Args({3840, 2160})->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
