#include "installer/installer.h"

#include "registry/account_type.h"

namespace kdw::installer {

std::string Installer::PackagePath() const {
  return files_.ProgramFolder() + "\\" + files_.ProgramName() + ".exe";
}

int Installer::Tell(const char* text, std::uint32_t style) {
  return messages_.Show(0, text, kTitle, style);
}

Outcome Installer::Load() {
  if (DetectAccountType(registry_) == AccountType::kLimited) {
    Tell(kAdministratorNeeded, mb::kIconStop | mb::kOk);
    return Outcome::kLimitedAccount;
  }

  // The package is read once: the copy takes its bytes from what was checked
  // here, not from a file that might have changed since.
  Bytes package;
  std::optional<std::vector<PackageEntry>> entries;
  Seal seal = Seal::kNone;
  if (files_.ReadWholeFile(PackagePath(), package)) {
    entries = ReadPackageIndex(package);
    if (entries) seal = CheckSeal(package, crypto_);
  }
  if (!entries || seal == Seal::kBroken) {
    Tell(kDamaged, mb::kIconStop | mb::kOk);
    return Outcome::kDamaged;
  }
  if (seal == Seal::kUncheckable) {
    Tell(kUncheckable, mb::kIconStop | mb::kOk);
    return Outcome::kUncheckable;
  }

  bool all_copied = true;
  if (!Copy(package, *entries, all_copied)) return Outcome::kAborted;
  if (!all_copied) {
    Tell(kNotAllInstalled, mb::kIconExclamation | mb::kOk);
    return Outcome::kNotAllInstalled;
  }
  Tell(kInstalled, mb::kIconInformation | mb::kOk);
  return Outcome::kInstalled;
}

Installer::Step Installer::Attempt(const std::function<bool()>& step) {
  while (!step()) {
    switch (Tell(kCannotInstall, mb::kIconExclamation | mb::kAbortRetryIgnore)) {
      case mb::kIdRetry:
        continue;
      case mb::kIdIgnore:
        return Step::kIgnored;
      default:  // Abort; a box that could not be shown ends the program too
        return Step::kAborted;
    }
  }
  return Step::kDone;
}

// Module1's copy procedure: entry 1 (the file appended last) first.
bool Installer::Copy(const Bytes& package, const std::vector<PackageEntry>& entries,
                     bool& all_copied) {
  for (const PackageEntry& entry : entries) {
    const auto begin = package.begin() + static_cast<std::ptrdiff_t>(entry.offset);
    const Bytes data(begin, begin + static_cast<std::ptrdiff_t>(entry.size));

    // Without a Windows folder the destination would be a System32 folder
    // under the root of whatever drive is current.
    std::string destination;
    Step step = Attempt([&] {
      const std::string windows = registry_.GetStringValue(HKLM, kWindowsKey, kSystemRootValue);
      if (windows.empty()) return false;
      destination = windows + "\\System32\\" + entry.name;
      return true;
    });
    if (step == Step::kAborted) return false;
    if (step == Step::kIgnored) all_copied = false;

    step = Attempt([&] { return files_.ReplaceWholeFile(destination, data); });
    if (step == Step::kAborted) return false;
    if (step == Step::kIgnored) all_copied = false;
  }
  return true;
}

}  // namespace kdw::installer
