// The drives of the machine: their kind, their size and free space, and the
// share a network drive is connected to.
#pragma once

#include <cstdint>
#include <string>

namespace kdw {

// GetDriveTypeA's answers, with their Win32 values.
namespace drivetype {
constexpr std::uint32_t kUnknown = 0;    // DRIVE_UNKNOWN: the type cannot be determined
constexpr std::uint32_t kNoRootDir = 1;  // DRIVE_NO_ROOT_DIR: the letter is not in use
constexpr std::uint32_t kRemovable = 2;
constexpr std::uint32_t kFixed = 3;
constexpr std::uint32_t kRemote = 4;
constexpr std::uint32_t kCdRom = 5;
constexpr std::uint32_t kRamDisk = 6;
}  // namespace drivetype

// What GetDiskFreeSpaceA answers, in its own units.
struct DiskSpace {
  std::uint32_t sectors_per_cluster = 0;
  std::uint32_t bytes_per_sector = 0;
  std::uint32_t free_clusters = 0;
  std::uint32_t total_clusters = 0;
};

class Drives {
 public:
  virtual ~Drives() = default;
  // GetDriveTypeA of a root such as "C:\".
  virtual std::uint32_t DriveType(const std::string& root) = 0;
  // GetDiskFreeSpaceA of a root: false, and `space` untouched, when the call
  // fails (no such drive, a removable drive without its medium).
  virtual bool DiskFreeSpace(const std::string& root, DiskSpace& space) = 0;
  // WNetGetConnectionA of a local name such as "Z:": the remote name
  // ("\\server\share"), or the empty text when the letter is no network
  // connection or the name cannot be had.
  virtual std::string RemoteName(const std::string& local) = 0;
};

}  // namespace kdw
