#include "platform/fake_drives.h"

#include <cctype>

namespace kdw {

void FakeDrives::AddDrive(char letter, std::uint32_t type, std::optional<DiskSpace> space,
                          const std::string& remote) {
  drives_[static_cast<char>(std::toupper(static_cast<unsigned char>(letter)))] = {type, space,
                                                                                  remote};
}

FakeDrives FakeDrives::TypicalMachine() {
  FakeDrives drives;
  // 4 KiB clusters: 10,000,000 of them, 2,500,000 free.
  drives.AddDrive('C', drivetype::kFixed, DiskSpace{8, 512, 2500000, 10000000});
  drives.AddDrive('D', drivetype::kCdRom);
  return drives;
}

const FakeDrives::Drive* FakeDrives::Find(const std::string& name, bool root) const {
  // Windows takes "C:\" for a root and "C:" for a local device name.
  const std::size_t length = root ? 3 : 2;
  if (name.size() != length || name[1] != ':' || (root && name[2] != '\\')) return nullptr;
  auto it = drives_.find(static_cast<char>(std::toupper(static_cast<unsigned char>(name[0]))));
  return it == drives_.end() ? nullptr : &it->second;
}

std::uint32_t FakeDrives::DriveType(const std::string& root) {
  const Drive* drive = Find(root, true);
  return drive ? drive->type : drivetype::kNoRootDir;
}

bool FakeDrives::DiskFreeSpace(const std::string& root, DiskSpace& space) {
  const Drive* drive = Find(root, true);
  if (!drive || !drive->space) return false;
  space = *drive->space;
  return true;
}

std::string FakeDrives::RemoteName(const std::string& local) {
  const Drive* drive = Find(local, false);
  return drive && drive->type == drivetype::kRemote ? drive->remote : "";
}

}  // namespace kdw
