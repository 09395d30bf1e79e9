#include <gtest/gtest.h>

#include "app/SettingsLocation.h"

namespace {

TEST(SettingsLocation, BesideAProgramWhoseFolderTheUserCanWrite) {
  const TSettingsLocation location = SettingsLocationFor("/home/ana/build/", true, "/home/ana/cfg", "/home/ana");
  EXPECT_EQ(location.Path, "/home/ana/build/zzQuenbrel.ini");
  EXPECT_EQ(location.DefaultsPath, "");
}

TEST(SettingsLocation, InTheUsersConfigFolderOnceInstalledWithTheFileBesideTheProgramAsDefault) {
  const std::string dir = "/usr/libexec/xscreensaver/";
  const TSettingsLocation xdg = SettingsLocationFor(dir, false, "/home/ana/cfg", "/home/ana");
  EXPECT_EQ(xdg.Path, "/home/ana/cfg/zzQuenbrel/zzQuenbrel.ini");
  EXPECT_EQ(xdg.DefaultsPath, "/usr/libexec/xscreensaver/zzQuenbrel.ini");
  // XDG_CONFIG_HOME unset, empty or relative: ~/.config.
  for (const char* unusable : {static_cast<const char*>(nullptr), "", "cfg"})
    EXPECT_EQ(SettingsLocationFor(dir, false, unusable, "/home/ana").Path,
              "/home/ana/.config/zzQuenbrel/zzQuenbrel.ini");
  // Without a home folder the file stays beside the program, where saving fails and says so.
  EXPECT_EQ(SettingsLocationFor(dir, false, nullptr, nullptr).Path, "/usr/libexec/xscreensaver/zzQuenbrel.ini");
  EXPECT_EQ(SettingsLocationFor(dir, false, nullptr, "relative").DefaultsPath, "");
}

}  // namespace
