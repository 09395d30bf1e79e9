#pragma once
#include <string>

// Where the program keeps the two colours. From a build tree, whose folder the user can
// write, the file lies beside the program. An installed program's folder belongs to root:
// each user's file is then $XDG_CONFIG_HOME/zzQuenbrel/zzQuenbrel.ini (~/.config when the
// variable is unset or not an absolute path), and a file beside the program, which only an
// administrator can put there, is the default for users who have none yet. Every mode
// (/s, /p, /c) reads the same file.
struct TSettingsLocation {
  std::string Path;          // read, and written on OK
  std::string DefaultsPath;  // read while Path does not exist; empty: none
};

// `programDir` ends with "/". `xdgConfigHome` and `home` are the variables' values, or null.
TSettingsLocation SettingsLocationFor(const std::string& programDir, bool programDirWritable, const char* xdgConfigHome,
                                      const char* home);
// The location for this process: its program's folder, the folder's permissions for the
// user, the environment, and the password file's home folder when HOME is unset.
TSettingsLocation SettingsLocation();
// HOME, or the password file's home folder where HOME is unset or not absolute; null when
// neither gives one.
const char* HomeFolder();
