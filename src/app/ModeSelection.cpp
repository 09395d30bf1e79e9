#include "ModeSelection.h"

#include <string>

#include "CommandLine.h"
#include "HostRequest.h"

namespace {

// Only A to Z change: the switch is compared byte by byte, whatever the locale.
std::string AsciiLower(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

}  // namespace

TMode SelectMode() {
  if (ParamCount() == 0) return TMode::None;
  const std::string first = ParamStr(1);
  const std::string lower = AsciiLower(first);
  if (lower == "/s") return TMode::Saver;
  // The hack conventions of X11 hosts draw into a window they name, as the preview does.
  if (lower == "/p" || IsHackSwitch(first)) return TMode::Preview;
  if (first.find("/c") != std::string::npos) return TMode::Settings;
  return TMode::None;
}
