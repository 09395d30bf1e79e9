#pragma once
#include <memory>

#include "framework/Application.h"
#include "framework/headless/HeadlessWindowSystem.h"

// A fresh application on the in-memory window system, for one test.
struct THeadlessApp {
  std::shared_ptr<THeadlessWindowSystem> System = std::make_shared<THeadlessWindowSystem>();
  TApplication App{System};

  // Runs the loop until `done` holds, one message at a time.
  template <class F>
  void RunUntil(F&& done) {
    while (!done()) App.HandleMessage();
  }
};
