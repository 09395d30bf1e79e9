#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "framework/platform/linux/VolumeProbe.h"
#include "support/DriveTree.h"

namespace {

TEST(VolumeProbe, ReadsLabelAndVolumeIdOfAFatImage) {
  TTempDir dir;
  MakeVfatImage(dir.File("fat.img"), "LBL", "1A2B3C4D");
  const auto volume = ProbeVolume(dir.File("fat.img"));
  ASSERT_TRUE(volume);
  EXPECT_EQ(volume->Label, "LBL");
  EXPECT_EQ(volume->Uuid, "1A2B-3C4D");
  EXPECT_EQ(volume->Type, "vfat");
}

TEST(VolumeProbe, ReadsLabelAndUuidOfAnExt4Image) {
  TTempDir dir;
  MakeExt4Image(dir.File("ext4.img"), "TESTVOL", "0a1b2c3d-1111-2222-3333-444455556666");
  const auto volume = ProbeVolume(dir.File("ext4.img"));
  ASSERT_TRUE(volume);
  EXPECT_EQ(volume->Label, "TESTVOL");
  EXPECT_EQ(volume->Uuid, "0a1b2c3d-1111-2222-3333-444455556666");
  EXPECT_EQ(volume->Type, "ext4");
}

TEST(VolumeProbe, FindsNothingWhereThereIsNoFileSystemToRead) {
  TTempDir dir;
  std::ofstream(dir.File("zeros"), std::ios::binary) << std::string(1 << 16, '\0');
  EXPECT_FALSE(ProbeVolume(dir.File("zeros")));
  EXPECT_FALSE(ProbeVolume(dir.File("missing")));
  EXPECT_FALSE(ProbeVolume(dir.Path()));
  EXPECT_FALSE(ProbeVolume("/dev/null"));
}

TEST(VolumeProbe, FindsNothingInAnImageItMayNotRead) {
  TTempDir dir;
  MakeVfatImage(dir.File("fat.img"), "LBL", "1A2B3C4D");
  std::filesystem::permissions(dir.File("fat.img"), std::filesystem::perms::none);
  EXPECT_EQ(RunUnprivileged([&] { return ProbeVolume(dir.File("fat.img")) ? "read" : "none"; }), "none");
}

}  // namespace
