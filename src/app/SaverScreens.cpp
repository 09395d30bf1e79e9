#include "SaverScreens.h"

#include <algorithm>
#include <utility>

#include "Form1.h"
#include "engine/Quenbrel.h"
#include "framework/ui/core/Application.h"
#include "framework/ui/core/Timer.h"

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

// A form draws a frame only when its screen would show it. The first screen's form moves
// the process's motion; every other form moves a copy of its own, taken from it, so that each
// screen moves at the pace of its own display as if it were the only one.
void TSaverScreens::Pace() {
  bool first = true;
  for (const auto& [screen, form] : FForms) {
    if (std::exchange(first, false)) {
      form->Timer1->OnTimer = [form = form](TComponent* sender) {
        if (Application->WindowSystem().ReadyForFrame(form->Handle())) form->Timer1Timer(sender);
      };
      continue;
    }
    form->Timer1->OnTimer = [form = form, motion = QuenbrelMotion()](TComponent* sender) mutable {
      if (!Application->WindowSystem().ReadyForFrame(form->Handle())) return;
      std::swap(QuenbrelMotion(), motion);
      form->Timer1Timer(sender);
      std::swap(QuenbrelMotion(), motion);
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
