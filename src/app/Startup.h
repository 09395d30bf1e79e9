#pragma once
#include <memory>
#include <string>
#include <vector>

#include "framework/platform/WindowSystem.h"

// The main routine: reads the switch in arguments[1] (arguments[0] is the program's path),
// makes the window of that mode the main form on `windowSystem` and runs the loop until it
// closes. Returns 0, also after an error shown in the exception box. A host window named
// wrongly by a hack convention raises EHostError (HostRequest.h), as no display raises
// EDisplayError: neither has a box to be shown in.
int QuenbrelMain(const std::vector<std::string>& arguments, std::shared_ptr<TWindowSystem> windowSystem);
