#include "SaverScreens.h"

#include <algorithm>
#include <utility>

#include "Form1.h"
#include "engine/Quenbrel.h"
#include "framework/base/Handler.h"
#include "framework/ui/Application.h"
#include "framework/ui/Timer.h"

TSaverScreens::TSaverScreens(TComponent* owner, TForm1* main) : TComponent(owner) {
  const std::vector<TScreenInfo> screens = Application->WindowSystem().Screens();
  if (main && !screens.empty()) FForms[screens.front().Id] = main;
  FListener = Application->AddListener([this](TEventKind kind) {
    if (kind == TEventKind::ScreensChanged) Follow();
  });
  Follow();
}

TSaverScreens::~TSaverScreens() {
  if (Application) Application->RemoveListener(FListener);
}

void TSaverScreens::Follow() {
  const std::vector<TScreenInfo> screens = Application->WindowSystem().Screens();
  std::erase_if(FForms, [&](const auto& entry) {
    const bool gone = std::none_of(screens.begin(), screens.end(),
                                   [&](const TScreenInfo& screen) { return screen.Id == entry.first; });
    if (gone) Application->Release(entry.second);
    return gone;
  });
  for (const TScreenInfo& screen : screens)
    if (!FForms.count(screen.Id)) Cover(screen.Id);
  Pace();
}

void TSaverScreens::Pace() {
  bool first = true;
  for (const auto& [screen, form] : FForms) {
    if (std::exchange(first, false)) {
      form->Timer1->OnTimer = Handler(form, &TForm1::Timer1Timer);
      continue;
    }
    form->Timer1->OnTimer = [form = form](TComponent* sender) {
      const TQuenbrelMotion kept = QuenbrelMotion();
      form->Timer1Timer(sender);
      QuenbrelMotion() = kept;
    };
  }
}

void TSaverScreens::Cover(TScreenId screen) {
  auto* form = new TForm1(Application);
  FForms[screen] = form;
  form->ScreenId = screen;
  // Only the main form's closing ends the application by itself.
  form->OnClose = [](TComponent*, TCloseAction&) { Application->Terminate(); };
  form->Show();
}
