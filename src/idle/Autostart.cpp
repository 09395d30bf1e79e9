#include "idle/Autostart.h"

#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// An absolute, non-empty value of a variable; the XDG rules ignore a relative one.
const char* AbsoluteVariable(const char* name) {
  const char* value = std::getenv(name);
  return value && value[0] == '/' ? value : nullptr;
}

// An Exec argument: quoted, with the characters the desktop-entry rules reserve escaped, when
// it holds any of them.
std::string ExecArgument(const std::string& argument) {
  if (argument.find_first_of(" \t\n\"'\\><~|&;$*?#()`%") == std::string::npos) return argument;
  std::string quoted = "\"";
  for (const char c : argument) {
    if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
    if (c == '%') quoted += '%';
    quoted += c;
  }
  // The entry's own escape rules apply before the Exec rules: each backslash doubled again.
  std::string escaped;
  for (const char c : quoted + "\"") escaped += c == '\\' ? std::string("\\\\") : std::string(1, c);
  return escaped;
}

}  // namespace

fs::path AutostartEntryPath() {
  fs::path config;
  if (const char* home = AbsoluteVariable("XDG_CONFIG_HOME")) config = home;
  else if (const char* userHome = AbsoluteVariable("HOME")) config = fs::path(userHome) / ".config";
  else throw std::runtime_error("neither XDG_CONFIG_HOME nor HOME names the user's folders");
  return config / "autostart" / "zzQuenbrel-idle.desktop";
}

std::string AutostartEntry(const fs::path& program, unsigned seconds) {
  return "[Desktop Entry]\n"
         "Type=Application\n"
         "Name=zzQuenbrel on idle\n"
         "Comment=Starts the zzQuenbrel screen saver when the session has been idle\n"
         "Exec=" +
         ExecArgument(program.string()) + " " + std::to_string(seconds) +
         "\n"
         "Icon=zzquenbrel\n"
         "NoDisplay=true\n"
         "X-GNOME-Autostart-enabled=true\n";
}

void EnableAutostart(const fs::path& program, unsigned seconds) {
  const fs::path entry = AutostartEntryPath();
  std::error_code error;
  fs::create_directories(entry.parent_path(), error);
  if (error) throw std::runtime_error("cannot make " + entry.parent_path().string() + ": " + error.message());
  const fs::path part = entry.string() + ".new";
  {
    std::ofstream file(part);
    file << AutostartEntry(program, seconds);
    if (!file.flush()) throw std::runtime_error("cannot write " + part.string());
  }
  fs::rename(part, entry, error);
  if (error) {
    fs::remove(part);
    throw std::runtime_error("cannot write " + entry.string() + ": " + error.message());
  }
}

bool DisableAutostart() {
  const fs::path entry = AutostartEntryPath();
  std::error_code error;
  const bool removed = fs::remove(entry, error);
  if (error) throw std::runtime_error("cannot remove " + entry.string() + ": " + error.message());
  return removed;
}
