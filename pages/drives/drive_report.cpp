#include "pages/drives/drive_report.h"

#include <cfenv>
#include <cmath>
#include <cstdint>

namespace kdw::pages {
namespace {

// The report's word for a drive type; the network's is followed at once by
// the remote name.
std::string KindText(std::uint32_t type) {
  switch (type) {
    case drivetype::kUnknown: return "Unknown";
    case drivetype::kNoRootDir: return "No Root-Directory";
    case drivetype::kRemovable: return "Floppy or Removable Drive";
    case drivetype::kFixed: return "Fixed Drive";
    case drivetype::kRemote: return "Network drive";
    case drivetype::kCdRom: return "CD-ROM Drive";
    case drivetype::kRamDisk: return "RAM Disk";
    default: return "Unknown Device";
  }
}

// Clusters to whole megabytes: divided by 1024 before the cluster size is
// applied, in double precision, rounded half to even.
long long Megabytes(std::uint32_t clusters, std::uint32_t bytes_per_cluster) {
  const double mb = static_cast<double>(clusters) / 1024.0 * bytes_per_cluster / 1024.0;
  const int mode = std::fegetround();
  std::fesetround(FE_TONEAREST);
  const double rounded = std::nearbyint(mb);
  std::fesetround(mode);
  return static_cast<long long>(rounded);
}

}  // namespace

std::string GetDriveKind(Drives& drives, const std::string& letter) {
  switch (drives.DriveType(letter + ":\\")) {
    case drivetype::kNoRootDir: return "x";
    case drivetype::kRemovable: return "remove";
    case drivetype::kFixed: return "fix";
    case drivetype::kRemote: return "remote";
    case drivetype::kCdRom: return "cd";
    // A RAM disk is used as a disk is, so it shows as one.
    case drivetype::kRamDisk: return "ram";
    default: return "?";
  }
}

DriveImage ImageOfKind(const std::string& kind) {
  if (kind == "fix" || kind == "ram") return DriveImage::kDrive;
  if (kind == "remove") return DriveImage::kFloppy;
  if (kind == "remote") return DriveImage::kNet;
  if (kind == "cd") return DriveImage::kCd;
  return DriveImage::kNone;
}

std::string TrimAtNul(const std::string& text) {
  const std::size_t end = text.size() < 255 ? text.size() : 255;
  const std::size_t nul = text.find('\0');
  return nul < end ? text.substr(0, nul) : text;
}

std::string DriveInfoText(Drives& drives, const std::string& root) {
  const std::uint32_t type = drives.DriveType(root);
  std::string kind = KindText(type);
  if (type == drivetype::kRemote) kind += TrimAtNul(drives.RemoteName(root.substr(0, 2)));

  DiskSpace space;
  if (!drives.DiskFreeSpace(root, space)) return "";
  const std::uint32_t bytes_per_cluster = space.sectors_per_cluster * space.bytes_per_sector;
  const long long size = Megabytes(space.total_clusters, bytes_per_cluster);
  const long long free = Megabytes(space.free_clusters, bytes_per_cluster);
  if (size <= 0) return "";
  return root + " drive - " + kind + "\r\n\tDrive Size: " + std::to_string(size) +
         " MB\r\n\tFree Space: " + std::to_string(free) + " MB\r\n\r\n";
}

}  // namespace kdw::pages
