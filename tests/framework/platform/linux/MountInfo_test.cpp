#include <gtest/gtest.h>

#include "framework/platform/linux/MountInfo.h"

namespace {

TEST(MountInfo, ReadsMountPointTypeAndSourceAcrossOptionalFields) {
  const auto mounts = ParseMountInfo(
      "27 1 254:1 / / rw,relatime shared:1 - ext4 /dev/vda1 rw\n"
      "60 27 0:48 / /mnt/share rw - nfs4 server:/export rw,vers=4.2\n"
      "61 27 8:17 / /media/stick rw shared:5 master:2 propagate_from:2 - vfat /dev/sdb1 rw\n");
  ASSERT_EQ(mounts.size(), 3u);
  EXPECT_EQ(mounts[0], (TMount{"/", "ext4", "/dev/vda1"}));
  EXPECT_EQ(mounts[1], (TMount{"/mnt/share", "nfs4", "server:/export"}));
  EXPECT_EQ(mounts[2], (TMount{"/media/stick", "vfat", "/dev/sdb1"}));
}

TEST(MountInfo, DecodesTheKernelsOctalEscapesInEveryField) {
  const auto mounts =
      ParseMountInfo(R"(70 27 8:33 / /media/user/USB\040STICK\011x\012y\134z rw - vfat /dev/disk/by-label/A\040B rw)");
  ASSERT_EQ(mounts.size(), 1u);
  EXPECT_EQ(mounts[0].MountPoint, "/media/user/USB STICK\tx\ny\\z");
  EXPECT_EQ(mounts[0].Source, "/dev/disk/by-label/A B");
}

TEST(MountInfo, LeavesWhatIsNoEscapeAsItStands) {
  EXPECT_EQ(DecodeMountField(R"(/a\b)"), R"(/a\b)");
  EXPECT_EQ(DecodeMountField(R"(/a\400)"), R"(/a\400)");  // beyond one byte
  EXPECT_EQ(DecodeMountField(R"(/a\000)"), R"(/a\000)");  // no path holds a zero byte
  EXPECT_EQ(DecodeMountField(R"(/a\04)"), R"(/a\04)");    // cut short at the end
  EXPECT_EQ(DecodeMountField(R"(\\040)"), R"(\ )");
  EXPECT_EQ(DecodeMountField(R"(\377)"), "\xFF");
}

TEST(MountInfo, PassesOverLinesThatLackTheFields) {
  const auto mounts = ParseMountInfo(
      "\n"
      "garbage\n"
      "1 2 3:4 / /no-separator rw ext4 /dev/sda1 rw\n"
      "1 2 3:4 / /no-source rw - ext4\n"
      "1 2 3:4 / relative rw - ext4 /dev/sda1 rw\n"
      "1 2 3:4 / - - ext4 /dev/sda1 rw\n"
      "1 2 3:4 / /kept rw - ext4 /dev/sda2\n"
      "\t\t\t");
  ASSERT_EQ(mounts.size(), 1u);
  EXPECT_EQ(mounts[0].MountPoint, "/kept");
}

}  // namespace
