// The drive letters of a made-up machine: its mountinfo, sysfs and udev database in a
// fixture tree, device files as images or absent, mount points as folders or absent.
#include <gtest/gtest.h>

#include <map>

#include "framework/platform/linux/LinuxDiskQueries.h"
#include "support/DriveTree.h"

namespace {

constexpr const char* kVirtio = "pci0000:00/0000:00:02.0/virtio1";
constexpr const char* kUsb = "pci0000:00/0000:00:14.0/usb2/2-1/2-1:1.0/host6/target6:0:0/6:0:0:0";
constexpr const char* kSata = "pci0000:00/0000:00:17.0/ata2/host1/target1:0:0/1:0:0:0";

class LinuxDiskQueries : public ::testing::Test {
 protected:
  TDriveTree Tree;
  TLinuxDiskQueries Queries{Tree.Paths()};

  void SetUp() override {
    Tree.MountInfo({
        "22 27 0:21 / /proc rw,relatime shared:12 - proc proc rw",
        "23 27 0:22 / /sys rw - sysfs sysfs rw",
        "24 27 0:5 / /dev rw - devtmpfs udev rw,size=8123456k",
        "25 24 0:23 / /dev/pts rw - devpts devpts rw,mode=600",
        "26 27 0:24 / /run rw - tmpfs tmpfs rw,mode=755",
        "27 1 254:1 / / rw,relatime shared:1 - ext4 /dev/vda1 rw",
        "28 23 0:26 / /sys/fs/cgroup rw - cgroup2 cgroup2 rw",
        "40 27 254:2 / /home rw shared:30 - ext4 /dev/vda2 rw",
        "41 27 8:17 / /media/user/USB\\040STICK rw,nosuid - vfat /dev/sdb1 rw,uid=1000",
        "42 27 11:0 / /media/user/CDROM ro - iso9660 /dev/sr0 ro",
        "43 27 0:50 / /mnt/share rw - nfs4 server:/export rw",
        "44 27 0:51 / /media/ram rw - tmpfs tmpfs rw,size=65536k",
        "45 27 0:52 / /var/lib/docker/overlay2/abc/merged rw - overlay overlay rw",
    });
    Tree.Disk(kVirtio, "vda", 254, 0, false, {"vda1", "vda2"});
    Tree.Disk(kUsb, "sdb", 8, 16, false, {"sdb1"});
    Tree.Disk(kSata, "sr0", 11, 0, true);
    Tree.Udev("254:1", {"ID_FS_LABEL=root", "ID_FS_UUID=0a1b2c3d-1111-2222-3333-444455556666", "ID_FS_TYPE=ext4"});
    MakeVfatImage(Tree.Path("/dev/sdb1"), "LBL", "1A2B3C4D");  // the stick itself, readable
    Tree.Folder("/media/user/USB STICK");
  }

  std::map<char, std::string> MountPoints() {
    std::map<char, std::string> points;
    for (char letter = 'A'; letter <= 'Z'; ++letter)
      if (std::string point = Queries.MountPoint(letter); !point.empty()) points[letter] = point;
    return points;
  }
};

TEST_F(LinuxDiskQueries, LetterTheMountsThatHoldDataUnderTheirDecodedMountPoints) {
  EXPECT_EQ(MountPoints(), (std::map<char, std::string>{{'C', "/"},
                                                        {'D', "/home"},
                                                        {'E', "/media/ram"},
                                                        {'F', "/media/user/CDROM"},
                                                        {'G', "/media/user/USB STICK"},
                                                        {'H', "/mnt/share"}}));
}

TEST_F(LinuxDiskQueries, TellEachKindOfDrive) {
  EXPECT_EQ(Queries.Query('C').Kind, TDriveKind::Fixed);
  EXPECT_EQ(Queries.Query('D').Kind, TDriveKind::Fixed);
  EXPECT_EQ(Queries.Query('E').Kind, TDriveKind::RamDisk);
  EXPECT_EQ(Queries.Query('F').Kind, TDriveKind::CdRom);
  EXPECT_EQ(Queries.Query('G').Kind, TDriveKind::Removable);  // on a USB bus
  EXPECT_EQ(Queries.Query('H').Kind, TDriveKind::Remote);
}

TEST_F(LinuxDiskQueries, ReadTheSuperblockWhereTheDeviceOpensAndUdevWhereNot) {
  const TVolumeInformation stick = Queries.Query('G').Volume.value();
  EXPECT_EQ(stick.Label, "LBL");
  EXPECT_EQ(stick.FileSystem, "vfat");
  EXPECT_EQ(stick.SerialNumber, 0x1A2B3C4Du);
  const TVolumeInformation root = Queries.Query('C').Volume.value();  // no device file here
  EXPECT_EQ(root.Label, "root");
  EXPECT_EQ(root.FileSystem, "ext4");
  EXPECT_EQ(root.SerialNumber, 0x0A1B2C3Du);
}

TEST_F(LinuxDiskQueries, AnswerWithoutLabelOrSerialWhereNeitherKnowsOne) {
  for (const char letter : {'D', 'E', 'H'}) {
    const TVolumeInformation volume = Queries.Query(letter).Volume.value();
    EXPECT_EQ(volume.Label, "") << letter;
    EXPECT_EQ(volume.SerialNumber, 0u) << letter;
  }
  EXPECT_EQ(Queries.Query('H').Volume->FileSystem, "nfs4");
  EXPECT_EQ(Queries.Query('E').Volume->FileSystem, "tmpfs");
}

TEST_F(LinuxDiskQueries, MeasureTheMountPointsThatCanBeReached) {
  EXPECT_TRUE(Queries.Query('C').Space);
  EXPECT_TRUE(Queries.Query('G').Space);
  EXPECT_FALSE(Queries.Query('D').Space);  // /home is no folder of the tree
}

TEST_F(LinuxDiskQueries, KnowNothingOfLettersThatNameNoMount) {
  for (const char letter : {'A', 'B', 'I', 'Z'}) {
    const TDriveFacts facts = Queries.Query(letter);
    EXPECT_FALSE(facts.Volume) << letter;
    EXPECT_EQ(facts.Kind, TDriveKind::Undetermined) << letter;
    EXPECT_FALSE(facts.Space) << letter;
  }
}

TEST_F(LinuxDiskQueries, ReadTheMountsAfreshAtEveryQuery) {
  Tree.MountInfo({"27 1 254:1 / / rw - ext4 /dev/vda1 rw", "50 27 0:60 / /mnt/new rw - cifs //nas/x rw"});
  EXPECT_EQ(MountPoints(), (std::map<char, std::string>{{'C', "/"}, {'D', "/mnt/new"}}));
  EXPECT_EQ(Queries.Query('D').Kind, TDriveKind::Remote);
  Tree.Write("/mountinfo", "");
  EXPECT_FALSE(Queries.Query('C').Volume);
}

// Machines other than the one above: each test lays out its own few mounts.
class LinuxDiskQueriesOther : public ::testing::Test {
 protected:
  TDriveTree Tree;
  TLinuxDiskQueries Queries{Tree.Paths()};
};

TEST_F(LinuxDiskQueriesOther, TellRemovableDisksRamDisksAndUndeterminedRoots) {
  Tree.MountInfo({"1 0 0:30 / / rw - overlay overlay rw",
                  "2 1 179:1 / /media/card rw - exfat /dev/disk/by-label/CARD rw",
                  "3 1 252:0 / /mnt/zram rw - ext4 /dev/zram0 rw", "4 1 1:0 / /mnt/ram rw - ext2 /dev/ram0 rw"});
  Tree.Disk("platform/mmc0/mmc0:0001", "mmcblk0", 179, 0, true, {"mmcblk0p1"});
  Tree.Write("/dev/mmcblk0p1", "");
  Tree.Link("/dev/disk/by-label/CARD", "../../mmcblk0p1");
  EXPECT_EQ(Queries.Query('C').Kind, TDriveKind::Undetermined);
  EXPECT_EQ(Queries.Query('D').Kind, TDriveKind::Removable);  // removable, though on no USB bus
  EXPECT_EQ(Queries.Query('E').Kind, TDriveKind::RamDisk);
  EXPECT_EQ(Queries.Query('F').Kind, TDriveKind::RamDisk);
}

TEST_F(LinuxDiskQueriesOther, NameAFuseblkVolumeAfterItsSuperblockWithTheLowHalfOfItsSerial) {
  Tree.MountInfo({"1 0 8:1 / / rw - ext4 /dev/sda1 rw", "2 1 0:40 / /media/win rw - fuseblk /dev/sda2 rw"});
  Tree.Disk(kSata, "sda", 8, 0, false, {"sda1", "sda2"});
  Tree.Udev("8:2", {"ID_FS_LABEL_ENC=Windows\\x20Data", "ID_FS_UUID=0123456789ABCDEF", "ID_FS_TYPE=ntfs"});
  const TVolumeInformation volume = Queries.Query('D').Volume.value();
  EXPECT_EQ(volume.FileSystem, "ntfs");
  EXPECT_EQ(volume.Label, "Windows Data");
  EXPECT_EQ(volume.SerialNumber, 0x89ABCDEFu);
  EXPECT_EQ(Queries.Query('D').Kind, TDriveKind::Fixed);
}

TEST_F(LinuxDiskQueriesOther, KnowNoDrivesWithoutAMountTable) {
  EXPECT_TRUE(Queries.Drives().empty());
  EXPECT_FALSE(Queries.Query('C').Volume);
}

}  // namespace
