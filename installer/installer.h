// kdwsetup: frmMain ("OCX Setup") does all its work in its load and ends the
// program; its window is never shown, so nothing but message boxes appear.
// The load checks the account, checks the package (the program's own file)
// and copies each packaged file into the Windows system folder.
#pragma once

#include <functional>
#include <string>

#include "installer/package.h"
#include "platform/crypto.h"
#include "platform/file_system.h"
#include "platform/message_boxes.h"
#include "registry/registry.h"

namespace kdw::installer {

inline constexpr char kTitle[] = "Kelmor Deskwarden";
inline constexpr char kAdministratorNeeded[] =
    "Sorry, you need administrator rights to install these OCX.";
inline constexpr char kDamaged[] = "This package is damaged.\r\nDownload another copy of it.";
inline constexpr char kCannotInstall[] =
    "Cannot install OCX files.\r\nDo you want to retry or abort?";
inline constexpr char kInstalled[] = "OCX were installed successfully.";
// After Ignore skipped a file, success would be a false report.
inline constexpr char kNotAllInstalled[] = "Some OCX files were not installed.";
// Windows XP before Service Pack 3 has no SHA-256 to check a sealed package.
inline constexpr char kUncheckable[] =
    "This package cannot be checked on this computer.\r\n"
    "Install Windows XP Service Pack 3 and try again.";

// Where the destination folder comes from: SystemRoot, then "\System32\".
inline constexpr char kWindowsKey[] = "Software\\Microsoft\\Windows NT\\CurrentVersion";
inline constexpr char kSystemRootValue[] = "SystemRoot";

// The program's exit code.
enum class Outcome : int {
  kInstalled = 0,
  kLimitedAccount = 1,
  kDamaged = 2,
  kAborted = 3,
  kNotAllInstalled = 4,
  kUncheckable = 5,
};

class Installer {
 public:
  Installer(const Registry& registry, MessageBoxes& messages, FileSystem& files, Crypto& crypto)
      : registry_(registry), messages_(messages), files_(files), crypto_(crypto) {}

  // frmMain's Form_Load; the program ends with its outcome.
  Outcome Load();

  // The program's own file: its folder, a backslash, its name and ".exe".
  std::string PackagePath() const;

 private:
  enum class Step { kDone, kIgnored, kAborted };
  // Runs a copy step until it succeeds, asking Abort / Retry / Ignore after
  // each failure.
  Step Attempt(const std::function<bool()>& step);
  bool Copy(const Bytes& package, const std::vector<PackageEntry>& entries, bool& all_copied);
  int Tell(const char* text, std::uint32_t style);

  const Registry& registry_;
  MessageBoxes& messages_;
  FileSystem& files_;
  Crypto& crypto_;
};

}  // namespace kdw::installer
