// A scriptable machine of drives for tests: each letter a test sets up has
// a kind, and may have a size (a disc or medium in it) and a remote name.
// Every other letter is not in use, as GetDriveTypeA says of it.
#pragma once

#include <map>
#include <optional>
#include <string>

#include "platform/drives.h"

namespace kdw {

class FakeDrives : public Drives {
 public:
  std::uint32_t DriveType(const std::string& root) override;
  bool DiskFreeSpace(const std::string& root, DiskSpace& space) override;
  std::string RemoteName(const std::string& local) override;

  // Set-up, by upper-case letter. A drive without space is one whose size
  // cannot be read (an empty floppy or CD drive).
  void AddDrive(char letter, std::uint32_t type, std::optional<DiskSpace> space = std::nullopt,
                const std::string& remote = "");
  void RemoveDrive(char letter) { drives_.erase(letter); }

  // A machine as most have it: C: fixed with 40 GB, D: a CD drive without
  // a disc.
  static FakeDrives TypicalMachine();

 private:
  struct Drive {
    std::uint32_t type;
    std::optional<DiskSpace> space;
    std::string remote;
  };
  // The drive a root ("C:\", "c:\") or local name ("C:") names, or null.
  const Drive* Find(const std::string& name, bool root) const;

  std::map<char, Drive> drives_;
};

}  // namespace kdw
