#pragma once
#include <cstdint>

// What the first argument asks the program to be.
enum class TMode : std::uint8_t {
  Saver = 0,     // "/s" in any case: the full-screen saver
  Preview = 1,   // "/p" in any case, the host window's handle following as argument 2, or a
                 // hack convention naming the host window (-root, -window-id: HostRequest.h)
  Settings = 2,  // any argument holding "/c" exactly so: the settings dialog
  None = 3,      // nothing, or anything else: end at once
};

// The mode of the program's arguments (see CommandLine.h).
TMode SelectMode();
