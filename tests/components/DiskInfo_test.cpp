#include <gtest/gtest.h>

#include <sys/statvfs.h>

#include <algorithm>
#include <sstream>

#include "components/DiskInfo.h"
#include "framework/base/Exceptions.h"
#include "framework/platform/DiskQueries.h"
#include "framework/platform/linux/LinuxDiskQueries.h"
#include "support/DriveTree.h"

namespace {

// Four sticks and an optical drive whose volumes only the udev database describes, on a
// machine whose root is of no kind that can be told.
class DiskInfo : public ::testing::Test {
 protected:
  TDriveTree Tree;
  TLinuxDiskQueries Queries{Tree.Paths()};
  TDiskInfo Info{nullptr, Queries};

  void SetUp() override {
    Tree.MountInfo({"1 0 0:30 / / rw - overlay overlay rw", "2 1 8:1 / /media/d rw - vfat /dev/sda1 rw",
                    "3 1 8:17 / /media/e rw - ext4 /dev/sdb1 rw", "4 1 8:33 / /media/f rw - exfat /dev/sdc1 rw",
                    "5 1 8:49 / /media/g rw - vfat /dev/sdd1 rw", "6 1 11:0 / /media/h ro - udf /dev/sr0 ro"});
    Tree.Disk("pci0000:00/0000:00:17.0/ata1/host0/target0:0:0/0:0:0:0", "sda", 8, 0, false, {"sda1"});
    Tree.Disk("pci0000:00/0000:00:17.0/ata2/host1/target1:0:0/1:0:0:0", "sdb", 8, 16, false, {"sdb1"});
    Tree.Disk("pci0000:00/0000:00:17.0/ata3/host2/target2:0:0/2:0:0:0", "sdc", 8, 32, false, {"sdc1"});
    Tree.Disk("pci0000:00/0000:00:17.0/ata4/host3/target3:0:0/3:0:0:0", "sdd", 8, 48, false, {"sdd1"});
    Tree.Udev("8:1", {"ID_FS_LABEL=DATOS", "ID_FS_UUID=0012-ABCD", "ID_FS_TYPE=vfat"});
    Tree.Udev("8:17", {"ID_FS_UUID=1a2b3c4d-5e6f-7081-92a3-b4c5d6e7f809", "ID_FS_TYPE=ext4"});
    Tree.Udev("8:33", {"ID_FS_UUID=0000-ABCD", "ID_FS_TYPE=exfat"});
    Tree.Folder("/media/d");
  }
};

TEST_F(DiskInfo, StartsOnCWithoutAskingAnything) {
  EXPECT_EQ(Info.Drive(), "C");
  EXPECT_FALSE(Info.VolumeFound());
  EXPECT_EQ(Info.DriveType, "");
  EXPECT_EQ(Info.DriveSize, 0);
  EXPECT_EQ(Info.DriveFree, 0);
  EXPECT_EQ(Info.SerialNumber, 0u);
  EXPECT_EQ(Info.SerialNumberStr, "");
  EXPECT_EQ(Info.VolumeName, "");
  EXPECT_EQ(Info.FileSystem, "");
}

TEST_F(DiskInfo, StoresALowerCaseLetterUpperCasedAndQueriesThatDrive) {
  Info.SetDrive("d");
  EXPECT_EQ(Info.Drive(), "D");
  EXPECT_TRUE(Info.VolumeFound());
  EXPECT_EQ(Info.VolumeName, "DATOS");
  EXPECT_EQ(Info.FileSystem, "vfat");
  EXPECT_EQ(Info.DriveType, "Disco duro");
  EXPECT_GT(Info.DriveSize, 0);
  EXPECT_GE(Info.DriveFree, 0);
  EXPECT_LE(Info.DriveFree, Info.DriveSize);
}

TEST_F(DiskInfo, WritesTheSerialAsTwoGroupsOfFourHexadecimalDigits) {
  const std::pair<const char*, const char*> expected[] = {
      {"D", "0012-ABCD"}, {"E", "1A2B-3C4D"}, {"F", "0000-ABCD"}, {"G", "0000-0000"}};
  for (const auto& [drive, text] : expected) {
    Info.SetDrive(drive);
    EXPECT_EQ(Info.SerialNumberStr, text) << drive;
  }
  EXPECT_EQ(Info.SerialNumber, 0u);
}

TEST_F(DiskInfo, KeepsThePreviousKindWhereTheKindIsNotKnown) {
  Info.SetDrive("C");
  EXPECT_TRUE(Info.VolumeFound());
  EXPECT_EQ(Info.FileSystem, "overlay");
  EXPECT_EQ(Info.DriveType, "");
  Info.SetDrive("H");
  EXPECT_EQ(Info.DriveType, "CDRom");
  Info.SetDrive("C");
  EXPECT_EQ(Info.DriveType, "CDRom");
  Info.SetDrive("Q");  // names no drive
  EXPECT_EQ(Info.DriveType, "CDRom");
}

TEST_F(DiskInfo, ClearsWhatAFailedQueryWouldHaveFilled) {
  Info.SetDrive("D");
  Info.SetDrive("Q");
  EXPECT_FALSE(Info.VolumeFound());
  EXPECT_EQ(Info.VolumeName, "");
  EXPECT_EQ(Info.FileSystem, "");
  EXPECT_EQ(Info.SerialNumber, 0u);
  EXPECT_EQ(Info.SerialNumberStr, "0000-0000");
  EXPECT_EQ(Info.DriveSize, -1);
  EXPECT_EQ(Info.DriveFree, -1);
}

TEST_F(DiskInfo, FailsAsAWholeForAValueThatIsNotOneLetter) {
  for (const char* value : {"d:", "D:\\", "DD", "1", "\xC3\xA9", " d"}) {
    Info.SetDrive("D");
    Info.SetDrive(value);
    EXPECT_FALSE(Info.VolumeFound()) << value;
    EXPECT_EQ(Info.VolumeName, "") << value;
    EXPECT_EQ(Info.DriveSize, -1) << value;
    EXPECT_EQ(Info.DriveFree, -1) << value;
    EXPECT_EQ(Info.DriveType, "Disco duro") << value;
  }
  EXPECT_EQ(Info.Drive(), " D");
}

TEST_F(DiskInfo, RaisesARangeErrorForAnEmptyValueLeavingTheSizesAsTheyWere) {
  Info.SetDrive("D");
  const std::int64_t size = Info.DriveSize, free = Info.DriveFree;
  ASSERT_GT(size, 0);
  EXPECT_THROW(Info.SetDrive(""), ERangeError);
  EXPECT_EQ(Info.Drive(), "");
  EXPECT_EQ(Info.DriveSize, size);
  EXPECT_EQ(Info.DriveFree, free);
  EXPECT_EQ(Info.SerialNumberStr, "0000-0000");
  EXPECT_EQ(Info.DriveType, "Disco duro");
}

// Answers every letter with the same facts, counting the questions.
class TFixedDiskQueries : public TDiskQueries {
 public:
  TDriveFacts Facts;
  int Queries = 0;
  TDriveFacts Query(char) override {
    ++Queries;
    return Facts;
  }
};

TEST(DiskInfoSizes, KeepSizesBeyond32Bits) {
  TFixedDiskQueries queries;
  const TDiskSpace space{(std::int64_t{5} << 40) + 7, (std::int64_t{3} << 31) + 1};
  queries.Facts = {TVolumeInformation{"BIG", "xfs", 1}, TDriveKind::Fixed, space};
  TDiskInfo info(nullptr, queries);
  EXPECT_EQ(queries.Queries, 0);
  info.SetDrive("c");
  EXPECT_EQ(queries.Queries, 1);
  EXPECT_EQ(info.DriveSize, space.Total);
  EXPECT_EQ(info.DriveFree, space.Free);
  info.SetDrive("C");  // the same letter is asked again
  EXPECT_EQ(queries.Queries, 2);
}

TEST(DiskInfoSizes, OfThisMachinesRootAreWhatDfPrintsWithinOneBlock) {
  // Other programs write to the disk meanwhile: the answer must lie between two readings.
  const auto read = [] {
    std::istringstream text(RunProgram({"df", "-B1", "--output=size,avail", "/"}));
    std::string header1, header2;
    std::int64_t size = 0, available = 0;
    text >> header1 >> header2 >> size >> available;
    return std::pair{size, available};
  };
  const auto before = read();
  TDiskInfo info(nullptr);
  info.SetDrive("C");
  const auto after = read();
  struct statvfs root {};
  ASSERT_EQ(statvfs("/", &root), 0);
  const auto block = static_cast<std::int64_t>(root.f_frsize);
  EXPECT_GT(info.DriveSize, std::int64_t{1} << 20);
  EXPECT_NEAR(info.DriveSize, before.first, block);
  EXPECT_GE(info.DriveFree, std::min(before.second, after.second) - block);
  EXPECT_LE(info.DriveFree, std::max(before.second, after.second) + block);
  EXPECT_GT(before.second, 0);
}

}  // namespace
