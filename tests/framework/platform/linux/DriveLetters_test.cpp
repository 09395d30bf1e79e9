#include <gtest/gtest.h>

#include <string>

#include "framework/platform/linux/DriveLetters.h"

namespace {

std::string Letters(const std::vector<TMount>& mounts) {
  std::string text;
  for (const TLetteredMount& drive : AssignDriveLetters(mounts))
    text += std::string(1, drive.Letter) + drive.Mount.MountPoint + " ";
  return text;
}

TEST(DriveLetters, GiveNoneToFileSystemsThatHoldNoData) {
  EXPECT_EQ(Letters({{"/proc", "proc", "proc"},
                     {"/sys", "sysfs", "sysfs"},
                     {"/sys/fs/cgroup", "cgroup2", "cgroup2"},
                     {"/dev", "devtmpfs", "udev"},
                     {"/dev/pts", "devpts", "devpts"},
                     {"/run", "tmpfs", "tmpfs"},
                     {"/tmp", "tmpfs", "tmpfs"},
                     {"/mediafiles", "tmpfs", "tmpfs"},
                     {"/var/lib/docker/overlay2/x/merged", "overlay", "overlay"},
                     {"/run/user/1000/gvfs", "fuse.gvfsd-fuse", "gvfsd-fuse"}}),
            "");
}

TEST(DriveLetters, GiveMemoryFileSystemsALetterOnlyWhereMediaGo) {
  EXPECT_EQ(Letters({{"/media", "tmpfs", "tmpfs"},
                     {"/mnt/ram", "ramfs", "ramfs"},
                     {"/run/media/user/scratch", "tmpfs", "tmpfs"},
                     {"/run/user/1000", "tmpfs", "tmpfs"}}),
            "D/media E/mnt/ram F/run/media/user/scratch ");
}

TEST(DriveLetters, SeeOnlyTheTopMountOfAMountPoint) {
  // A tmpfs laid over /home hides the partition beneath it, and a second root replaces the first.
  EXPECT_EQ(Letters({{"/", "ext4", "/dev/sda1"},
                     {"/home", "ext4", "/dev/sda2"},
                     {"/home", "tmpfs", "tmpfs"},
                     {"/", "ext4", "/dev/sdb1"}}),
            "C/ ");
  const auto drives = AssignDriveLetters({{"/", "ext4", "/dev/sda1"}, {"/", "ext4", "/dev/sdb1"}});
  EXPECT_EQ(drives.at(0).Mount.Source, "/dev/sdb1");
}

TEST(DriveLetters, StopAtZ) {
  std::vector<TMount> mounts;
  for (char c = 'a'; c <= 'z'; ++c) mounts.push_back({std::string("/data/") + c, "ext4", std::string("/dev/sd") + c});
  const auto drives = AssignDriveLetters(mounts);
  ASSERT_EQ(drives.size(), 23u);  // D to Z, and no C without a root
  EXPECT_EQ(drives.front().Letter, 'D');
  EXPECT_EQ(drives.back().Letter, 'Z');
  EXPECT_EQ(drives.back().Mount.MountPoint, "/data/w");
}

}  // namespace
