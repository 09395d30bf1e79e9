#pragma once
#include <cstdint>
#include <memory>

#include "framework/platform/headless/HeadlessWindowSystem.h"
#include "framework/ui/core/Application.h"
#include "framework/ui/dialogs/MessageBox.h"

// A fresh application on the in-memory window system, for one test.
struct THeadlessApp {
  std::shared_ptr<THeadlessWindowSystem> System = std::make_shared<THeadlessWindowSystem>();
  TApplication App{System};

  THeadlessApp() { ShowExceptionsInMessageBoxes(App); }

  // Runs the loop until `done` holds, one message at a time.
  template <class F>
  void RunUntil(F&& done) {
    while (!done()) App.HandleMessage();
  }

  // The same, but the virtual clock stops at `endMs` if `done` has not come by then; every
  // tick due on the way runs.
  template <class F>
  void RunUntil(F&& done, std::int64_t endMs) {
    System->At(endMs, [] {});
    RunUntil([&] { return done() || System->NowMs() >= endMs; });
  }
  void RunTo(std::int64_t endMs) {
    RunUntil([] { return false; }, endMs);
  }
};
