// The drives interface, written once: natively against the fake set up as
// a machine with a disk, under Wine against Windows' own answers for the
// drive the system runs from and for a letter no drive uses. Then what only
// the fake can be made to show: every kind, a missing medium, a share.
#include <gtest/gtest.h>

#include <string>

#include "platform/fake_drives.h"
#ifdef _WIN32
#include <windows.h>

#include "platform/win32_drives.h"
#endif

namespace kdw {
namespace {

struct Machine {
#ifdef _WIN32
  Win32Drives drives;
  Machine() {
    char folder[MAX_PATH] = {};
    GetWindowsDirectoryA(folder, MAX_PATH);
    fixed_root = std::string(folder, 2) + "\\";
    const DWORD used = GetLogicalDrives();
    for (int i = 25; i >= 0; --i) {
      if (!(used & (1u << i))) {
        unused_root = std::string(1, static_cast<char>('A' + i)) + ":\\";
        break;
      }
    }
  }
#else
  FakeDrives drives = FakeDrives::TypicalMachine();
#endif
  std::string fixed_root = "C:\\";
  std::string unused_root = "Q:\\";
};

TEST(DrivesContract, TheSystemDriveIsAFixedDiskWithItsSpace) {
  Machine machine;
  EXPECT_EQ(machine.drives.DriveType(machine.fixed_root), drivetype::kFixed);
  // Sentinels: every field must be written.
  DiskSpace space{0xdeadbeef, 0xdeadbeef, 0xdeadbeef, 0xdeadbeef};
  ASSERT_TRUE(machine.drives.DiskFreeSpace(machine.fixed_root, space));
  EXPECT_NE(space.sectors_per_cluster, 0xdeadbeefu);
  EXPECT_GT(space.sectors_per_cluster, 0u);
  EXPECT_GT(space.bytes_per_sector, 0u);
  EXPECT_GT(space.total_clusters, 0u);
  EXPECT_LE(space.free_clusters, space.total_clusters);
  // A local disk is connected to no share.
  EXPECT_EQ(machine.drives.RemoteName(machine.fixed_root.substr(0, 2)), "");
}

TEST(DrivesContract, ALetterNoDriveUsesHasNoRootAndNoSpace) {
  Machine machine;
  ASSERT_FALSE(machine.unused_root.empty()) << "every letter is in use";
  EXPECT_EQ(machine.drives.DriveType(machine.unused_root), drivetype::kNoRootDir);
  DiskSpace space{1, 2, 3, 4};
  EXPECT_FALSE(machine.drives.DiskFreeSpace(machine.unused_root, space));
  EXPECT_EQ(space.sectors_per_cluster, 1u) << "a failed call leaves the answer alone";
  EXPECT_EQ(space.total_clusters, 4u);
  EXPECT_EQ(machine.drives.RemoteName(machine.unused_root.substr(0, 2)), "");
}

TEST(FakeDrivesTest, EveryKindSpaceAndShareIsAsSetUp) {
  FakeDrives drives;
  drives.AddDrive('a', drivetype::kRemovable);
  drives.AddDrive('R', drivetype::kRamDisk, DiskSpace{1, 512, 10, 20});
  drives.AddDrive('Z', drivetype::kRemote, DiskSpace{1, 4096, 5, 10}, "\\\\server\\share");
  EXPECT_EQ(drives.DriveType("A:\\"), drivetype::kRemovable);
  EXPECT_EQ(drives.DriveType("r:\\"), drivetype::kRamDisk) << "letters in either case";
  EXPECT_EQ(drives.DriveType("B:\\"), drivetype::kNoRootDir);
  EXPECT_EQ(drives.DriveType("R:"), drivetype::kNoRootDir) << "a root ends in a backslash";
  DiskSpace space;
  EXPECT_FALSE(drives.DiskFreeSpace("A:\\", space)) << "no medium";
  ASSERT_TRUE(drives.DiskFreeSpace("Z:\\", space));
  EXPECT_EQ(space.bytes_per_sector, 4096u);
  EXPECT_EQ(drives.RemoteName("Z:"), "\\\\server\\share");
  EXPECT_EQ(drives.RemoteName("Z:\\"), "") << "the local name is the letter and its colon";
  EXPECT_EQ(drives.RemoteName("R:"), "");
  drives.RemoveDrive('Z');
  EXPECT_EQ(drives.DriveType("Z:\\"), drivetype::kNoRootDir);
}

}  // namespace
}  // namespace kdw
