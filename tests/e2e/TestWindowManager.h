#pragma once
#include <string>

#include "ChildProcess.h"
#include "TestDisplay.h"
#include "support/TempDir.h"

// A real window manager (Openbox, with its stock configuration) on a test's display, for
// what only managed windows show: frames, activation, and the hints that tie one window to
// another. Ready when made: it manages the screen.
class TTestWindowManager {
 public:
  TTestWindowManager(const std::string& displayName, TTestDisplay& client);

 private:
  TTempDir FHome;  // so that no configuration of the user's comes into play
  TChildProcess FProcess;
};
