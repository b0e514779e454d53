// Start-up and the small procedures the rest of the program shares.
#pragma once

#include <string>

#include "platform/file_system.h"
#include "platform/process_starter.h"
#include "registry/registry.h"

namespace kdw::shell {

// The program's own values.
inline constexpr char kProductKey[] = "Software\\Kelmor\\Deskwarden";
inline constexpr char kProbeKey[] = "Software\\Kelmor";
inline constexpr char kProbeValue[] = "Account";

// "Administrator" or "Limited": the result of the last detection; empty
// before the first.
extern std::string AccountType;

// Decides afresh whether the current user may write under HKLM, by writing a
// probe value there and reading it back.
void DetectAccountType(const Registry& registry);
inline bool IsLimitedAccount(const Registry& registry) {
  DetectAccountType(registry);
  return AccountType == "Limited";
}

// Starts a command line with its window shown, without waiting; failures are
// ignored.
void RunCommand(ProcessStarter& processes, const std::string& command_line);

// Whether the path names an existing normal file (not a folder, not hidden,
// not a system file).
bool FileFound(FileSystem& files, const std::string& path);

}  // namespace kdw::shell
