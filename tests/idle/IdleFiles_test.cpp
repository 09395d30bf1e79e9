#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "idle/Autostart.h"
#include "idle/SaverProgram.h"
#include "idle/SessionLock.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

// A variable set for one test and put back as it was.
class TScopedVariable {
 public:
  TScopedVariable(const char* name, const char* value) : FName(name) {
    if (const char* old = getenv(name)) FOld = old;
    FHad = getenv(name) != nullptr;
    value ? setenv(name, value, 1) : unsetenv(name);
  }
  ~TScopedVariable() { FHad ? setenv(FName, FOld.c_str(), 1) : unsetenv(FName); }

 private:
  const char* FName;
  std::string FOld;
  bool FHad = false;
};

TEST(IdleAutostart, TheEntryGoesWhereTheUsersConfigurationIs) {
  const TScopedVariable home("HOME", "/home/someone");
  {
    const TScopedVariable config("XDG_CONFIG_HOME", "/elsewhere/config");
    EXPECT_EQ(AutostartEntryPath(), "/elsewhere/config/autostart/zzQuenbrel-idle.desktop");
  }
  // A relative XDG_CONFIG_HOME counts as unset.
  const TScopedVariable relative("XDG_CONFIG_HOME", "config");
  EXPECT_EQ(AutostartEntryPath(), "/home/someone/.config/autostart/zzQuenbrel-idle.desktop");
  const TScopedVariable noHome("HOME", nullptr);
  EXPECT_THROW(AutostartEntryPath(), std::runtime_error);
}

// A path with the characters the entry's rules reserve is quoted and escaped, so that the
// session runs that very path.
TEST(IdleAutostart, ExecRunsTheProgramGivenWithItsSeconds) {
  EXPECT_NE(AutostartEntry("/usr/bin/zzQuenbrel-idle", 300).find("\nExec=/usr/bin/zzQuenbrel-idle 300\n"),
            std::string::npos);
  EXPECT_NE(AutostartEntry("/opt/my build/100%/zz\"Q$", 5).find("\nExec=\"/opt/my build/100%%/zz\\\\\"Q\\\\$\" 5\n"),
            std::string::npos);
}

// Enabled twice (the second time replacing the first) and disabled, the folder is as it was:
// the user's other entries untouched, no leftover file.
TEST(IdleAutostart, EnableThenDisableLeavesTheFolderAsBefore) {
  const TTempDir config;
  const TScopedVariable variable("XDG_CONFIG_HOME", config.Path().c_str());
  fs::create_directory(config.File("autostart"));
  std::ofstream(config.File("autostart/other.desktop")) << "[Desktop Entry]\n";
  EnableAutostart("/usr/bin/zzQuenbrel-idle", 60);
  EnableAutostart("/usr/bin/zzQuenbrel-idle", 300);
  std::ifstream written(AutostartEntryPath());
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(written), {}), AutostartEntry("/usr/bin/zzQuenbrel-idle", 300));
  EXPECT_TRUE(DisableAutostart());
  EXPECT_FALSE(DisableAutostart());
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(config.File("autostart"))) names.push_back(entry.path().filename());
  EXPECT_EQ(names, std::vector<std::string>{"other.desktop"});
}

// Beside the program first, then the absolute folders of PATH in order, then the hack folder.
TEST(IdleSaverProgram, FindsTheSaverInItsOrderOfPlaces) {
  const TTempDir root;
  for (const char* folder : {"own", "path1", "path2", "hacks"}) {
    fs::create_directory(root.File(folder));
    std::ofstream(root.File(folder) + "/zzQuenbrel.scr") << "#!/bin/sh\n";
    chmod((root.File(folder) + "/zzQuenbrel.scr").c_str(), 0755);
  }
  const std::string path = "relative:" + root.File("path1") + ":" + root.File("path2");
  EXPECT_EQ(FindSaver(root.File("own"), path, root.File("hacks")), root.File("own") + "/zzQuenbrel.scr");
  EXPECT_EQ(FindSaver(root.File("none"), path, root.File("hacks")), root.File("path1") + "/zzQuenbrel.scr");
  chmod((root.File("path1") + "/zzQuenbrel.scr").c_str(), 0644);  // not runnable: passed over
  EXPECT_EQ(FindSaver(root.File("none"), path, root.File("hacks")), root.File("path2") + "/zzQuenbrel.scr");
  EXPECT_EQ(FindSaver(root.File("none"), "", root.File("hacks")), root.File("hacks") + "/zzQuenbrel.scr");
  EXPECT_EQ(FindSaver(root.File("none"), "", root.File("none")), "");
}

TEST(IdleSessionLock, OneWatcherPerSession) {
  const TTempDir runtime;
  const TScopedVariable folder("XDG_RUNTIME_DIR", runtime.Path().c_str());
  const TScopedVariable wayland("WAYLAND_DISPLAY", "/some/where/wayland-1");
  EXPECT_EQ(SessionLockPath(), runtime.File("zzQuenbrel-idle-wayland-1.lock"));
  {
    const TSessionLock first(SessionLockPath());
    EXPECT_THROW(TSessionLock{SessionLockPath()}, std::runtime_error);
  }
  EXPECT_NO_THROW(TSessionLock{SessionLockPath()});  // given back with the first
}

}  // namespace
