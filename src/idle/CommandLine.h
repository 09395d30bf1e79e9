#pragma once
#include <string>

// What the command line asks: watch the session, or turn the autostart entry on or off.
struct TIdleCommand {
  enum class TAction { Watch, Enable, Disable, Help } Action = TAction::Help;
  unsigned Seconds = 0;
  std::string Error;  // what is wrong with the command line; empty when nothing is
};

// The idle time a user may ask for: at least a second, at most a day.
constexpr unsigned kMostIdleSeconds = 24 * 60 * 60;

TIdleCommand ParseIdleCommand(int argc, const char* const* argv);
