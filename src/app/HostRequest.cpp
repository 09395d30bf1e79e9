#include "HostRequest.h"

#include <algorithm>

namespace {

using TSource = THostRequest::TSource;

bool IsRootSwitch(const std::string& argument) { return argument == "-root" || argument == "--root"; }
bool IsWindowIdSwitch(const std::string& argument) { return argument == "-window-id" || argument == "--window-id"; }
bool IsHex(const std::string& text) { return text.size() > 1 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'); }

THostRequest NamedWindow(const std::string& text, const std::string& where) {
  THostRequest request{TSource::Window, 0};
  if (!ParseWindowId(text, request.Window))
    throw EHostError(where + " is '" + text + "': not a window id (0x... or decimal)");
  return request;
}

THostRequest FromEnvironment(const char* environmentWindow) {
  return NamedWindow(environmentWindow, "XSCREENSAVER_WINDOW");
}

// What follows -window-id; a settings tool may append it after -root as well.
THostRequest FromWindowIdSwitch(const std::vector<std::string>& arguments, std::size_t at) {
  if (at + 1 >= arguments.size()) throw EHostError(arguments[at] + " wants a window id (0x... or decimal)");
  return NamedWindow(arguments[at + 1], arguments[at]);
}

THostRequest FromRoot(const std::vector<std::string>& arguments, const char* environmentWindow) {
  const auto windowId = std::find_if(arguments.begin() + 2, arguments.end(), IsWindowIdSwitch);
  if (windowId != arguments.end())
    return FromWindowIdSwitch(arguments, static_cast<std::size_t>(windowId - arguments.begin()));
  if (environmentWindow) return FromEnvironment(environmentWindow);
  return {TSource::Desktop, 0};
}

// "/p" keeps its decimal form and its box; only a hexadecimal id, or none at all where a
// host has set XSCREENSAVER_WINDOW, is a hack convention.
THostRequest FromPreviewSwitch(const std::vector<std::string>& arguments, const char* environmentWindow) {
  const std::string id = arguments.size() > 2 ? arguments[2] : "";
  if (IsHex(id)) return NamedWindow(id, "the window of " + arguments[1]);
  if (id.empty() && environmentWindow) return FromEnvironment(environmentWindow);
  return {};
}

}  // namespace

bool IsHackSwitch(const std::string& argument) { return IsRootSwitch(argument) || IsWindowIdSwitch(argument); }

THostRequest ReadHostRequest(const std::vector<std::string>& arguments, const char* environmentWindow) {
  if (arguments.size() < 2) return {};
  if (IsRootSwitch(arguments[1])) return FromRoot(arguments, environmentWindow);
  if (IsWindowIdSwitch(arguments[1])) return FromWindowIdSwitch(arguments, 1);
  return FromPreviewSwitch(arguments, environmentWindow);
}

bool ParseWindowId(const std::string& text, TWindowHandle& window) {
  const bool hex = IsHex(text);
  const std::size_t first = hex ? 2 : 0;
  const unsigned base = hex ? 16 : 10;
  if (text.size() == first) return false;
  std::uint64_t value = 0;
  for (std::size_t i = first; i < text.size(); ++i) {
    const char c = text[i];
    unsigned digit = 0;
    if (c >= '0' && c <= '9') digit = static_cast<unsigned>(c - '0');
    else if (hex && c >= 'a' && c <= 'f') digit = static_cast<unsigned>(c - 'a' + 10);
    else if (hex && c >= 'A' && c <= 'F') digit = static_cast<unsigned>(c - 'A' + 10);
    else return false;
    value = value * base + digit;
    if (value > UINT32_MAX) return false;
  }
  if (value == 0) return false;
  window = value;
  return true;
}
