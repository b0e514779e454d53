#include "platform/win32_drives.h"

#include <windows.h>
// after windows.h
#include <winnetwk.h>

#include "platform/file_dialogs.h"

namespace kdw {
namespace {

// Asking an empty floppy or CD drive would otherwise put up Windows' own
// "no disk" box; the caller only wants to hear that there is nothing there.
class QuietCriticalErrors {
 public:
  QuietCriticalErrors() : previous_(SetErrorMode(SEM_FAILCRITICALERRORS)) {}
  ~QuietCriticalErrors() { SetErrorMode(previous_); }
  QuietCriticalErrors(const QuietCriticalErrors&) = delete;
  QuietCriticalErrors& operator=(const QuietCriticalErrors&) = delete;

 private:
  UINT previous_;
};

}  // namespace

std::uint32_t Win32Drives::DriveType(const std::string& root) {
  return GetDriveTypeA(root.c_str());
}

bool Win32Drives::DiskFreeSpace(const std::string& root, DiskSpace& space) {
  QuietCriticalErrors quiet;
  DWORD sectors = 0, bytes = 0, free_clusters = 0, total_clusters = 0;
  if (!GetDiskFreeSpaceA(root.c_str(), &sectors, &bytes, &free_clusters, &total_clusters))
    return false;
  space = {sectors, bytes, free_clusters, total_clusters};
  return true;
}

std::string Win32Drives::RemoteName(const std::string& local) {
  // A buffer of 255 characters, of which 254 are offered, as always.
  char buffer[255];
  DWORD length = sizeof buffer - 1;
  if (WNetGetConnectionA(local.c_str(), buffer, &length) != NO_ERROR) return "";
  return TextBeforeNul(buffer, sizeof buffer - 1);
}

}  // namespace kdw
