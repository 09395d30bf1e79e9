#include "idle/CommandLine.h"

#include <charconv>
#include <string_view>

namespace {

// Decimal digits only: no sign, no spaces, no unit.
TIdleCommand WithSeconds(TIdleCommand::TAction action, const char* text) {
  TIdleCommand command;
  command.Action = action;
  if (!text) {
    command.Error = "the idle time in seconds is missing";
    return command;
  }
  const std::string_view digits(text);
  unsigned long value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (digits.empty() || error == std::errc::invalid_argument || end != digits.data() + digits.size())
    command.Error = "'" + std::string(digits) + "' is not a number of seconds";
  else if (error == std::errc::result_out_of_range || value < 1 || value > kMostIdleSeconds)
    command.Error =
        "an idle time of " + std::string(digits) + " seconds is not between 1 and " + std::to_string(kMostIdleSeconds);
  else command.Seconds = static_cast<unsigned>(value);
  return command;
}

}  // namespace

TIdleCommand ParseIdleCommand(int argc, const char* const* argv) {
  using TAction = TIdleCommand::TAction;
  const std::string_view first = argc > 1 ? argv[1] : "";
  const char* second = argc > 2 ? argv[2] : nullptr;
  const int expected = first == "--enable" ? 3 : 2;
  TIdleCommand command;
  if (first == "--help" || first == "-h") command.Action = TAction::Help;
  else if (first == "--disable") command.Action = TAction::Disable;
  else if (first == "--enable") command = WithSeconds(TAction::Enable, second);
  else if (first.starts_with("-") && first.size() > 1 && !(first[1] >= '0' && first[1] <= '9'))
    command.Error = "unknown option '" + std::string(first) + "'";
  else command = WithSeconds(TAction::Watch, argc > 1 ? argv[1] : nullptr);
  if (command.Error.empty() && argc > expected) command.Error = "unexpected '" + std::string(argv[expected]) + "'";
  return command;
}
