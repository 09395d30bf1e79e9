#include "CommandLine.h"

namespace {

std::vector<std::string>& Arguments() {
  static std::vector<std::string> arguments;
  return arguments;
}

bool Separates(char c) { return c >= 1 && c <= ' '; }

}  // namespace

void SetProgramArguments(std::vector<std::string> arguments) { Arguments() = std::move(arguments); }

int ParamCount() { return Arguments().empty() ? 0 : static_cast<int>(Arguments().size()) - 1; }

std::string ParamStr(int index) {
  if (index < 0 || index >= static_cast<int>(Arguments().size())) return "";
  return Arguments()[static_cast<std::size_t>(index)];
}

std::vector<std::string> SplitCommandLine(const std::string& text) {
  std::vector<std::string> arguments;
  std::size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && Separates(text[i])) ++i;
    if (i == text.size()) break;
    std::string argument;
    bool quoted = false;
    for (; i < text.size() && (quoted || !Separates(text[i])); ++i) {
      if (text[i] == '"') quoted = !quoted;
      else argument += text[i];
    }
    arguments.push_back(argument);
  }
  return arguments;
}
