#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/EngineFactory.h"
#include "app/Form1.h"
#include "app/Startup.h"
#include "framework/platform/headless/HeadlessWindowSystem.h"
#include "support/TempDir.h"

// One run of the program on a small in-memory screen, its settings kept in a directory of
// the test's own. Input and checks are scheduled on the virtual clock before Run.
class QuenbrelRun : public ::testing::Test {
 protected:
  using Headless = THeadlessWindowSystem;

  std::shared_ptr<Headless> System = std::make_shared<Headless>(TSize{64, 48});
  TTempDir Settings;

  void SetUp() override {
    SetEngineSettingsPath(Settings.File("zzQuenbrel.ini"));
    MouseMoves = 0;
    // A program that fails to end fails the test in a second of virtual time, not a hang.
    System->TimeLimitMs = 1000;
  }
  void TearDown() override { SetEngineSettingsPath(""); }

  int Run(std::vector<std::string> switches) {
    switches.insert(switches.begin(), "/opt/savers/zzQuenbrel.scr");
    return QuenbrelMain(switches, System);
  }
};
