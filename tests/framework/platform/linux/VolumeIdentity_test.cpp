#include <gtest/gtest.h>

#include "framework/platform/linux/UdevData.h"
#include "framework/platform/linux/VolumeIdentity.h"

namespace {

TEST(VolumeSerialNumber, IsTheVolumeIdOfFatAndTheFirstDigitsOfOtherUuids) {
  EXPECT_EQ(VolumeSerialNumber("1A2B-3C4D", "vfat"), 0x1A2B3C4Du);
  EXPECT_EQ(VolumeSerialNumber("0000-abcd", "exfat"), 0xABCDu);
  EXPECT_EQ(VolumeSerialNumber("0a1b2c3d-1111-2222-3333-444455556666", "ext4"), 0x0A1B2C3Du);
  EXPECT_EQ(VolumeSerialNumber("", "ext4"), 0u);
  EXPECT_EQ(VolumeSerialNumber("12ab", "ext4"), 0x12ABu);
  EXPECT_EQ(VolumeSerialNumber("12zz3456", "ext4"), 0x12u);
}

TEST(VolumeSerialNumber, IsTheLowHalfOfTheSerialOfNtfs) {
  EXPECT_EQ(VolumeSerialNumber("0123456789ABCDEF", "ntfs"), 0x89ABCDEFu);
  EXPECT_EQ(VolumeSerialNumber("0123456789ABCDEF", "ntfs3"), 0x89ABCDEFu);
  EXPECT_EQ(VolumeSerialNumber("0123456789ABCDEF", "xfs"), 0x01234567u);
}

TEST(UdevData, GivesLabelUuidAndTypeWithTheLabelUnescaped) {
  const TVolumeIdentity volume = ParseUdevVolume(
      "S:disk/by-label/My_Disk\n"
      "E:ID_FS_LABEL=My_Disk\n"
      "E:ID_FS_LABEL_ENC=My\\x20Disk\\x2f\\xZZ\n"
      "E:ID_FS_UUID=1A2B-3C4D\n"
      "E:ID_FS_UUID_ENC=ignored\n"
      "E:ID_FS_TYPE=vfat\n"
      "E:ID_FS_TYPEX=wrong\n"
      "G:systemd");
  EXPECT_EQ(volume.Label, "My Disk/\\xZZ");
  EXPECT_EQ(volume.Uuid, "1A2B-3C4D");
  EXPECT_EQ(volume.Type, "vfat");
}

TEST(UdevData, FallsBackToThePlainLabel) {
  EXPECT_EQ(ParseUdevVolume("E:ID_FS_LABEL=DATA\n").Label, "DATA");
  EXPECT_EQ(ParseUdevVolume("E:ID_FS_LABEL_ENC=\n").Label, "");
  EXPECT_EQ(ParseUdevVolume("").Uuid, "");
}

}  // namespace
