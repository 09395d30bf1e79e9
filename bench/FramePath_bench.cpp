// One frame of the saver on a real X server (Xvfb): the effect alone, and the effect until
// the server has the frame. Both draw into shared memory, as the saver does.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <memory>

#include "components/VekImage.h"
#include "testkit/Xvfb.h"
#include "engine/Quenbrel.h"
#include "framework/ui/Application.h"
#include "framework/ui/Form.h"
#include "framework/platform/x11/X11WindowSystem.h"

namespace {

constexpr int kWidth = 1920, kHeight = 1080;

// A private server. The same effect runs into an image shown on a screen-sized form (the
// saver's path) and into an image of the same shared memory that is shown nowhere.
struct TScreenRig {
  TXvfb Server{kWidth, kHeight};
  std::unique_ptr<TApplication> App;
  TQuenbrel OnScreen{"/nonexistent/zzQuenbrel.ini"};
  TQuenbrel Unshown{"/nonexistent/zzQuenbrel.ini"};
  TVekImage UnshownSurface{nullptr};

  TScreenRig() {
    setenv("DISPLAY", Server.Name().c_str(), 1);
    App = std::make_unique<TApplication>(std::make_shared<TX11WindowSystem>());
    auto* form = new TForm(App.get());
    form->BorderStyle = TBorderStyle::bsNone;
    form->SetBounds(0, 0, kWidth, kHeight);
    auto* image = new TVekImage(form);
    image->SetParent(form);
    image->SetAlign(TAlign::alClient);
    form->Show();
    App->ProcessMessages();
    Start(OnScreen, *image);
    UnshownSurface.Picture().Bitmap().SetMemoryProvider(App->WindowSystem().PixelMemory());
    UnshownSurface.SetHeightWidth(kHeight, kWidth);
    Start(Unshown, UnshownSurface);
  }

  static void Start(TQuenbrel& engine, TVekImage& target) {
    engine.Target = &target;
    engine.LoadSettings();
    engine.Resize();
  }
};

TScreenRig& Rig() {
  static TScreenRig rig;
  return rig;
}

void BM_NextFrameOnScreen(benchmark::State& state) {
  TScreenRig& rig = Rig();
  for (auto _ : state) rig.Unshown.NextFrame();
}
BENCHMARK(BM_NextFrameOnScreen)->Args({kWidth, kHeight})->Unit(benchmark::kMillisecond);

// NextFrame on the saver's path: until the X server has the whole frame (XSync).
void BM_FramePath(benchmark::State& state) {
  TScreenRig& rig = Rig();
  for (auto _ : state) rig.OnScreen.NextFrame();
}
BENCHMARK(BM_FramePath)->Args({kWidth, kHeight})->Unit(benchmark::kMillisecond);

}  // namespace
