#include "SettingsLocation.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

#include "engine/Quenbrel.h"
#include "vekutils/Vekutils.h"

namespace {

bool Absolute(const char* path) { return path && path[0] == '/'; }

}  // namespace

TSettingsLocation SettingsLocationFor(const std::string& programDir, bool programDirWritable, const char* xdgConfigHome,
                                      const char* home) {
  const std::string beside = programDir + TQuenbrel::SettingsFileName;
  std::string configHome;
  if (Absolute(xdgConfigHome)) configHome = xdgConfigHome;
  else if (Absolute(home)) configHome = std::string(home) + "/.config";
  // Without a home folder there is nowhere else to go: saving fails and says where.
  if (programDirWritable || configHome.empty()) return {beside, ""};
  return {configHome + "/zzQuenbrel/" + TQuenbrel::SettingsFileName, beside};
}

const char* HomeFolder() {
  const char* home = std::getenv("HOME");
  const passwd* user = Absolute(home) ? nullptr : getpwuid(getuid());
  return user ? user->pw_dir : home;
}

TSettingsLocation SettingsLocation() {
  const std::string programDir = AppDir();
  return SettingsLocationFor(programDir, ::access(programDir.c_str(), W_OK) == 0, std::getenv("XDG_CONFIG_HOME"),
                             HomeFolder());
}
