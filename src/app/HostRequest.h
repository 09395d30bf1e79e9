#pragma once
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/platform/WindowSystem.h"

// Where the preview draws. "/p DECIMAL" is the classic host's form: the preview converts
// argument 2 itself and shows what fails in the exception box. The X11 hosts that run
// screen-saver hacks name the window in their own ways instead (-root, -window-id ID,
// XSCREENSAVER_WINDOW, "/p 0x..."): nobody could see a box inside them, so what they name
// wrongly is an EHostError, one line on standard error.
struct THostRequest {
  enum class TSource : std::uint8_t {
    Classic,  // argument 2, decimal, as the preview has always read it
    Window,   // Window, named by a hack convention
    Desktop,  // -root with no XSCREENSAVER_WINDOW: the desktop itself
  };
  TSource Source = TSource::Classic;
  TWindowHandle Window = 0;
  bool operator==(const THostRequest&) const = default;
};

class EHostError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The first argument decides, as the mode does (arguments[0] is the program's path);
// `environmentWindow` is XSCREENSAVER_WINDOW, null when it is not set. Raises EHostError.
THostRequest ReadHostRequest(const std::vector<std::string>& arguments, const char* environmentWindow);

// Whether `argument` is one of the hack conventions' switches that start the preview.
bool IsHackSwitch(const std::string& argument);

// An X window id as hosts write it: "0x" and hexadecimal digits, or decimal digits. False
// for anything else: signs, blanks, 0 (no window) and values past 32 bits.
bool ParseWindowId(const std::string& text, TWindowHandle& window);
