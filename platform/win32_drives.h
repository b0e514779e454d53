// The drives interface over kernel32 and mpr (cross build only).
#pragma once

#include "platform/drives.h"

namespace kdw {

class Win32Drives : public Drives {
 public:
  std::uint32_t DriveType(const std::string& root) override;
  bool DiskFreeSpace(const std::string& root, DiskSpace& space) override;
  std::string RemoteName(const std::string& local) override;
};

}  // namespace kdw
