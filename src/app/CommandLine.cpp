#include "CommandLine.h"

namespace {

std::vector<std::string>& Arguments() {
  static std::vector<std::string> arguments;
  return arguments;
}

}  // namespace

// On Linux the shell (xscreensaver runs its command lines through /bin/sh) has split the
// command line and dropped its quotes before the program starts.
void SetProgramArguments(std::vector<std::string> arguments) { Arguments() = std::move(arguments); }

int ParamCount() { return Arguments().empty() ? 0 : static_cast<int>(Arguments().size()) - 1; }

std::string ParamStr(int index) {
  if (index < 0 || index >= static_cast<int>(Arguments().size())) return "";
  return Arguments()[static_cast<std::size_t>(index)];
}

const std::vector<std::string>& ProgramArguments() { return Arguments(); }
