#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "engine/Quenbrel.h"
#include "framework/base/Exceptions.h"
#include "support/TempDir.h"

namespace {

std::vector<unsigned char> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string& path, const std::vector<unsigned char>& bytes) {
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

class SettingsFile : public ::testing::Test {
 protected:
  TTempDir Dir;
  std::string Path = Dir.File("zzQuenbrel.ini");
  TQuenbrel Engine{Path};
};

TEST_F(SettingsFile, WithoutAFileTheDefaultsAreBlueAndBlackAndSaveAsTheseBytes) {
  Engine.Color1 = 0x123456;
  Engine.LoadSettings();
  EXPECT_EQ(Engine.Color1, 0xFF);
  EXPECT_EQ(Engine.Color2, 0);
  Engine.SaveSettings();
  EXPECT_EQ(ReadBytes(Path), (std::vector<unsigned char>{0xFF, 0, 0, 0, 0, 0, 0, 0}));
}

TEST_F(SettingsFile, SaveAndLoadGiveBackBothWordsWithByte3) {
  Engine.Color1 = static_cast<std::int32_t>(0xAB123456);
  Engine.Color2 = 0x01FF00FF;
  Engine.SaveSettings();
  EXPECT_EQ(ReadBytes(Path), (std::vector<unsigned char>{0x56, 0x34, 0x12, 0xAB, 0xFF, 0x00, 0xFF, 0x01}));
  TQuenbrel other(Path);
  other.LoadSettings();
  EXPECT_EQ(other.Color1, static_cast<std::int32_t>(0xAB123456));
  EXPECT_EQ(other.Color2, 0x01FF00FF);
  EXPECT_EQ(other.PaletteColor(0), 0x123456u);  // the palette ignores byte 3
}

TEST_F(SettingsFile, ShortFileGivesTheDefaultForEachColourNotReadWhole) {
  WriteBytes(Path, {1, 2, 3, 0, 9, 9});
  Engine.LoadSettings();
  EXPECT_EQ(Engine.Color1, 0x030201);
  EXPECT_EQ(Engine.Color2, TQuenbrel::DefaultColor2);
  WriteBytes(Path, {1, 2, 3});
  Engine.Color2 = 77;
  Engine.LoadSettings();
  EXPECT_EQ(Engine.Color1, TQuenbrel::DefaultColor1);
  EXPECT_EQ(Engine.Color2, TQuenbrel::DefaultColor2);
}

TEST_F(SettingsFile, LongFileCountsOnlyItsFirstEightBytesAndTheNextSaveShortensIt) {
  WriteBytes(Path, {1, 0, 0, 0, 2, 0, 0, 0, 3, 3, 3, 3});
  Engine.LoadSettings();
  EXPECT_EQ(Engine.Color1, 1);
  EXPECT_EQ(Engine.Color2, 2);
  Engine.SaveSettings();
  EXPECT_EQ(std::filesystem::file_size(Path), 8u);
}

// Neither waits: a FIFO would block opening it until another process opened its other end.
// A device would swallow the colours and report success.
TEST_F(SettingsFile, ADirectoryAFifoOrALinkToADeviceLoadsTheDefaultsAndCannotBeSaved) {
  using TMake = int (*)(const char*);
  const std::pair<TMake, std::string> kinds[] = {
      {+[](const char* path) { return ::mkdir(path, 0700); }, "Is a directory"},
      {+[](const char* path) { return ::mkfifo(path, 0600); }, "not a regular file"},
      {+[](const char* path) { return ::symlink("/dev/zero", path); }, "not a regular file"}};
  for (const auto& [make, reason] : kinds) {
    std::filesystem::remove(Path);
    ASSERT_EQ(make(Path.c_str()), 0);
    Engine.Color1 = 5;
    Engine.LoadSettings();
    EXPECT_EQ(Engine.Color1, 0xFF);
    try {
      Engine.SaveSettings();
      ADD_FAILURE() << "saving over something else than a file succeeded";
    } catch (const EFCreateError& e) {
      EXPECT_EQ(e.Message(), "Cannot create file " + Path + ": " + reason);
    }
  }
}

TEST_F(SettingsFile, UnreadableFileRaisesOpenErrorAndKeepsTheColours) {
  WriteBytes(Path, {1, 0, 0, 0, 2, 0, 0, 0});
  chmod(Path.c_str(), 0);
  const std::string outcome = RunUnprivileged([&] {
    TQuenbrel engine(Path);
    engine.Color1 = 42;
    try {
      engine.LoadSettings();
      return std::string("loaded");
    } catch (const EFOpenError& e) {
      return e.Message() + (engine.Color1 == 42 ? "" : " (colour changed)");
    }
  });
  EXPECT_EQ(outcome, "Cannot open file " + Path + ": Permission denied");
}

TEST_F(SettingsFile, UnwritableFileOrFolderRaisesCreateErrorAndLeavesTheFileAlone) {
  WriteBytes(Path, {1, 0, 0, 0, 2, 0, 0, 0});
  chmod(Path.c_str(), 0444);
  const auto trySave = [&](const std::string& path) {
    return RunUnprivileged([path] {
      TQuenbrel engine(path);
      try {
        engine.SaveSettings();
        return std::string("saved");
      } catch (const EFCreateError& e) {
        return e.Message();
      }
    });
  };
  EXPECT_EQ(trySave(Path), "Cannot create file " + Path + ": Permission denied");
  EXPECT_EQ(ReadBytes(Path).size(), 8u);

  const std::string lockedDir = Dir.File("locked");
  std::filesystem::create_directory(lockedDir);
  chmod(lockedDir.c_str(), 0555);
  EXPECT_EQ(trySave(lockedDir + "/zzQuenbrel.ini"), "Cannot create file " + lockedDir + "/zzQuenbrel.ini: the folder " +
                                                        lockedDir + "/ cannot take a new file: Permission denied");
}

// The old bytes stay until the new ones are whole on the disk: a write that fails (here past
// the file-size limit, as on a full disk) leaves them, and no temporary file beside them.
TEST_F(SettingsFile, AFailedWriteKeepsTheOldFileAndLeavesNothingBeside) {
  WriteBytes(Path, {1, 0, 0, 0, 2, 0, 0, 0});
  // The unprivileged user's own file, where the test may give it away.
  const int givenAway = ::chown(Path.c_str(), 65534, 65534);
  static_cast<void>(givenAway);
  const std::string outcome = RunUnprivileged([this] {
    signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{4, 4};
    setrlimit(RLIMIT_FSIZE, &limit);
    try {
      Engine.SaveSettings();
      return std::string("saved");
    } catch (const EWriteError& e) {
      return e.Message();
    }
  });
  EXPECT_EQ(outcome, "Cannot write file " + Path + ": File too large");
  EXPECT_EQ(ReadBytes(Path), (std::vector<unsigned char>{1, 0, 0, 0, 2, 0, 0, 0}));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Dir.Path()), {}), 1);
}

}  // namespace

namespace {

class SettingsWithDefaults : public ::testing::Test {
 protected:
  TTempDir Dir;
  std::string UserFile = Dir.File("home/.config/zzQuenbrel/zzQuenbrel.ini");
  std::string Defaults = Dir.File("zzQuenbrel.ini");
  TQuenbrel Engine{UserFile, Defaults};
};

TEST_F(SettingsWithDefaults, TheDefaultsFileServesUntilTheUsersOwnExistsAndIsNeverWritten) {
  WriteBytes(Defaults, {1, 0, 0, 0, 2, 0, 0, 0});
  Engine.LoadSettings();
  EXPECT_EQ(Engine.Color1, 1);
  EXPECT_EQ(Engine.Color2, 2);
  Engine.Color1 = 7;
  Engine.SaveSettings();
  EXPECT_EQ(ReadBytes(Defaults), (std::vector<unsigned char>{1, 0, 0, 0, 2, 0, 0, 0}));
  TQuenbrel again(UserFile, Defaults);
  again.LoadSettings();
  EXPECT_EQ(again.Color1, 7);
  std::filesystem::remove(Defaults);
  again.LoadSettings();
  EXPECT_EQ(again.Color1, 7);
}

TEST_F(SettingsWithDefaults, SavingMakesTheMissingFoldersForTheUserAloneOrSaysWhereItCannotCreate) {
  Engine.SaveSettings();
  EXPECT_EQ(ReadBytes(UserFile).size(), 8u);
  const auto perms = std::filesystem::status(Dir.File("home/.config/zzQuenbrel")).permissions();
  EXPECT_EQ(perms, std::filesystem::perms::owner_all);
  // A file where a folder should be: the folders cannot be made, and the file not created.
  WriteBytes(Dir.File("blocked"), {0});
  TQuenbrel blocked(Dir.File("blocked/zzQuenbrel/zzQuenbrel.ini"), Defaults);
  try {
    blocked.SaveSettings();
    FAIL() << "saved under a file";
  } catch (const EFCreateError& e) {
    EXPECT_EQ(e.Message(), "Cannot create file " + Dir.File("blocked/zzQuenbrel/zzQuenbrel.ini") + ": the folder " +
                               Dir.File("blocked/zzQuenbrel/") + " cannot take a new file: Not a directory");
  }
}

}  // namespace
