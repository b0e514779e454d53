// The installer's load over the memory registry and the fakes: the account
// check, the package check and the copy loop with Abort / Retry / Ignore.
#include "installer/installer.h"

#include <gtest/gtest.h>

#include <memory>

#include "platform/fakes.h"
#include "registry/memory_registry.h"
#include "tests/installer/package_maker.h"
#include "tests/platform/crypto_backend.h"

namespace kdw::installer {
namespace {

using testing::Closing;
using testing::MakePackage;
using testing::PackedFile;
using testing::PutFromEnd;
using testing::StandIn;

constexpr char kPackagePath[] = "C:\\Setup\\kdwsetup.exe";
constexpr char kSystem[] = "C:\\WINDOWS\\System32\\";

// The fake file system, watched: which files were read and, in order, which
// were replaced.
class WatchedFiles : public FileSystem {
 public:
  explicit WatchedFiles(FakeFileSystem& inner) : inner_(inner) {}
  bool IsNormalFile(const std::string& path) override { return inner_.IsNormalFile(path); }
  std::vector<std::string> ListFiles(const std::string& folder,
                                     const std::string& pattern) override {
    return inner_.ListFiles(folder, pattern);
  }
  std::string ProgramFolder() override { return inner_.ProgramFolder(); }
  bool IsFolder(const std::string& path) const override { return inner_.IsFolder(path); }
  bool MakeFolder(const std::string& path) override { return inner_.MakeFolder(path); }
  std::string ProgramName() override { return inner_.ProgramName(); }
  bool ReadWholeFile(const std::string& path, Bytes& bytes) override {
    reads.push_back(path);
    return inner_.ReadWholeFile(path, bytes);
  }
  bool WriteWholeFile(const std::string& path, const Bytes& bytes) override {
    ADD_FAILURE() << "a copy must replace its destination in one step: " << path;
    return inner_.WriteWholeFile(path, bytes);
  }
  bool ReplaceWholeFile(const std::string& path, const Bytes& bytes) override {
    const bool done = inner_.ReplaceWholeFile(path, bytes);
    if (done) replaced.push_back(path);
    return done;
  }

  std::vector<std::string> reads;
  std::vector<std::string> replaced;

 private:
  FakeFileSystem& inner_;
};

class InstallerTest : public ::testing::Test {
 protected:
  InstallerTest() {
    fs_.SetProgramFolder("C:\\Setup");
    fs_.SetProgramName("kdwsetup");
    fs_.AddFolder(kSystem);
    EXPECT_TRUE(registry_.SaveStringValue(HKLM, kWindowsKey, kSystemRootValue, "C:\\WINDOWS").ok());
  }

  void Package(const Bytes& package) { fs_.AddFile(kPackagePath, package); }
  void PackageTwo() {
    Package(MakePackage(*crypto_, StandIn(200, 0),
                        {{"COMDLG32.OCX", first_}, {"MSCOMCTL.OCX", second_}}));
  }
  Outcome Load(Crypto* crypto = nullptr) {
    return Installer(registry_, messages_, files_, crypto ? *crypto : *crypto_).Load();
  }
  void ExpectOnlyMessage(const char* text, std::uint32_t icon) {
    ASSERT_EQ(1u, messages_.shown().size());
    const ShownMessage& shown = messages_.shown()[0];
    EXPECT_EQ(text, shown.text);
    EXPECT_EQ(kTitle, shown.title);
    EXPECT_EQ(icon, shown.icon());
    EXPECT_EQ(mb::kOk, shown.buttons());
    EXPECT_EQ(0u, shown.owner);
  }
  // The boxes shown, by text.
  std::vector<std::string> Shown() const {
    std::vector<std::string> texts;
    for (const auto& shown : messages_.shown()) texts.push_back(shown.text);
    return texts;
  }
  Bytes Installed(const std::string& name) const {
    return fs_.Contents(kSystem + name).value_or(Bytes{'-', '-'});
  }

  MemoryRegistry api_;
  const Registry registry_{api_};
  FakeMessageBoxes messages_;
  FakeFileSystem fs_;
  WatchedFiles files_{fs_};
  std::unique_ptr<Crypto> crypto_ = kdw::testing::MakePlatformCrypto();
  const Bytes first_ = StandIn(123, 1);
  const Bytes second_ = StandIn(456, 2);
};

TEST_F(InstallerTest, ShippedPackageCopiesBothFilesLastAppendedFirst) {
  const Bytes comdlg = StandIn(198'656, 1);
  const Bytes mscomctl = StandIn(1'077'336, 2);
  Package(MakePackage(*crypto_, StandIn(77'824, 0),
                      {{"COMDLG32.OCX", comdlg}, {"MSCOMCTL.OCX", mscomctl}}, Closing::kPlain));

  EXPECT_EQ(Outcome::kInstalled, Load());
  EXPECT_EQ((std::vector<std::string>{kPackagePath}), files_.reads);
  EXPECT_EQ((std::vector<std::string>{std::string(kSystem) + "MSCOMCTL.OCX",
                                      std::string(kSystem) + "COMDLG32.OCX"}),
            files_.replaced);
  EXPECT_EQ(mscomctl, Installed("MSCOMCTL.OCX"));
  EXPECT_EQ(comdlg, Installed("COMDLG32.OCX"));
  ExpectOnlyMessage(kInstalled, mb::kIconInformation);
  // The account probe leaves nothing behind.
  EXPECT_EQ(Presence::kMissing, registry_.ValuePresence(HKLM, "Software\\Kelmor", "Account"));
}

TEST_F(InstallerTest, LimitedAccountIsToldAndThePackageIsNeverOpened) {
  PackageTwo();
  api_.SetMachineWideReadOnly(true);
  EXPECT_EQ(Outcome::kLimitedAccount, Load());
  ExpectOnlyMessage(kAdministratorNeeded, mb::kIconStop);
  EXPECT_TRUE(files_.reads.empty());
  EXPECT_TRUE(files_.replaced.empty());
}

TEST_F(InstallerTest, ADamagedPackageCopiesNothing) {
  PackageTwo();
  const Bytes good = *fs_.Contents(kPackagePath);
  std::vector<std::pair<std::string, Bytes>> damaged;
  damaged.emplace_back("cut by one byte", Bytes(good.begin(), good.end() - 1));
  // These two carry a seal that matches: the index alone refuses them.
  damaged.emplace_back("count above 32767", good);
  PutFromEnd(damaged.back().second, 519, "40000");
  testing::Reseal(*crypto_, damaged.back().second);
  damaged.emplace_back("name leaving the folder", good);
  PutFromEnd(damaged.back().second, 569, std::string(27, '\r') + "..\\WIN.INI\r\r\r");
  testing::Reseal(*crypto_, damaged.back().second);
  // And this one only the seal refuses.
  damaged.emplace_back("payload byte flipped", good);
  damaged.back().second[200 + 60] ^= 0x80;
  damaged.emplace_back("no more than a closing block", Bytes(good.end() - 514, good.end()));

  for (const auto& [what, package] : damaged) {
    SCOPED_TRACE(what);
    messages_.Clear();
    fs_.AddFile(kPackagePath, package);
    EXPECT_EQ(Outcome::kDamaged, Load());
    ExpectOnlyMessage(kDamaged, mb::kIconStop);
    EXPECT_TRUE(files_.replaced.empty());
  }

  messages_.Clear();
  fs_.Remove(kPackagePath);  // a package that cannot be read
  EXPECT_EQ(Outcome::kDamaged, Load());
  ExpectOnlyMessage(kDamaged, mb::kIconStop);
}

TEST_F(InstallerTest, PackageIsTheProgramsOwnFileUnderItsOwnName) {
  PackageTwo();
  fs_.SetProgramName("setup-copy");
  EXPECT_EQ(Outcome::kDamaged, Load());  // C:\Setup\setup-copy.exe is not there
  EXPECT_EQ("C:\\Setup\\setup-copy.exe", files_.reads.back());

  fs_.SetProgramFolder("C:");  // a program in the root
  fs_.AddFile("C:\\setup-copy.exe", *fs_.Contents(kPackagePath));
  messages_.Clear();
  EXPECT_EQ(Outcome::kInstalled, Load());
  EXPECT_EQ("C:\\setup-copy.exe", files_.reads.back());
}

TEST_F(InstallerTest, CountOfZeroStillCopiesEntryOne) {
  Bytes package = MakePackage(*crypto_, StandIn(200, 0), {{"ONLY.OCX", first_}});
  PutFromEnd(package, 519, "\r\r\r\r\r");
  testing::Reseal(*crypto_, package);
  Package(package);
  EXPECT_EQ(Outcome::kInstalled, Load());
  EXPECT_EQ(first_, Installed("ONLY.OCX"));
}

TEST_F(InstallerTest, LongerExistingFileEndsExactlyAsPackaged) {
  fs_.AddFile(std::string(kSystem) + "MSCOMCTL.OCX", StandIn(5000, 9));
  fs_.AddFile(std::string(kSystem) + "comdlg32.ocx", StandIn(10, 9), fileattr::kHidden);
  PackageTwo();
  EXPECT_EQ(Outcome::kInstalled, Load());
  EXPECT_EQ(second_, Installed("MSCOMCTL.OCX"));
  EXPECT_EQ(first_, Installed("COMDLG32.OCX"));
}

TEST_F(InstallerTest, RetryRunsTheFailedCopyAgain) {
  PackageTwo();
  fs_.RefuseWrites(std::string(kSystem) + "MSCOMCTL.OCX", 2);
  messages_.QueueAnswer(mb::kIdRetry);
  messages_.QueueAnswer(mb::kIdRetry);

  EXPECT_EQ(Outcome::kInstalled, Load());
  EXPECT_EQ((std::vector<std::string>{kCannotInstall, kCannotInstall, kInstalled}), Shown());
  const ShownMessage& question = messages_.shown()[0];
  EXPECT_EQ(mb::kIconExclamation, question.icon());
  EXPECT_EQ(mb::kAbortRetryIgnore, question.buttons());
  EXPECT_EQ(kTitle, question.title);
  EXPECT_EQ(second_, Installed("MSCOMCTL.OCX"));
  EXPECT_EQ(first_, Installed("COMDLG32.OCX"));
}

// Ignore goes on with the next file, and the end no longer claims success.
TEST_F(InstallerTest, IgnoreSkipsTheFileAndSaysNotAllWereInstalled) {
  const Bytes old = StandIn(777, 5);
  fs_.AddFile(std::string(kSystem) + "MSCOMCTL.OCX", old);
  PackageTwo();
  fs_.RefuseWrites(std::string(kSystem) + "MSCOMCTL.OCX", 1);
  messages_.QueueAnswer(mb::kIdIgnore);

  EXPECT_EQ(Outcome::kNotAllInstalled, Load());
  EXPECT_EQ((std::vector<std::string>{kCannotInstall, kNotAllInstalled}), Shown());
  EXPECT_EQ(mb::kIconExclamation, messages_.shown()[1].icon());
  EXPECT_EQ(old, Installed("MSCOMCTL.OCX"));
  EXPECT_EQ(first_, Installed("COMDLG32.OCX"));
}

TEST_F(InstallerTest, AbortEndsAtOnceAndLeavesTheOldFileWhole) {
  const Bytes old = StandIn(777, 5);
  fs_.AddFile(std::string(kSystem) + "MSCOMCTL.OCX", old, fileattr::kReadOnly);
  PackageTwo();
  messages_.QueueAnswer(mb::kIdRetry);  // still read-only: asked again
  messages_.QueueAnswer(mb::kIdAbort);

  EXPECT_EQ(Outcome::kAborted, Load());
  EXPECT_EQ((std::vector<std::string>{kCannotInstall, kCannotInstall}), Shown());
  EXPECT_EQ(old, Installed("MSCOMCTL.OCX"));
  EXPECT_FALSE(fs_.Exists(std::string(kSystem) + "COMDLG32.OCX"));
}

// Without SystemRoot there is no destination: the step fails, and a copy
// that goes on after Ignore fails for want of it and asks again.
TEST_F(InstallerTest, NoWindowsFolderMeansNoDestination) {
  EXPECT_TRUE(registry_.DeleteValue(HKLM, kWindowsKey, kSystemRootValue).ok());
  PackageTwo();
  messages_.QueueAnswer(mb::kIdIgnore);
  messages_.QueueAnswer(mb::kIdAbort);

  EXPECT_EQ(Outcome::kAborted, Load());
  EXPECT_EQ((std::vector<std::string>{kCannotInstall, kCannotInstall}), Shown());
  EXPECT_TRUE(files_.replaced.empty());
  EXPECT_FALSE(fs_.Exists("C:\\System32"));
}

TEST_F(InstallerTest, SealThatCannotBeCheckedCopiesNothing) {
  FakeCrypto no_hash(*crypto_);
  no_hash.SetHashFails(true);
  PackageTwo();
  EXPECT_EQ(Outcome::kUncheckable, Load(&no_hash));
  ExpectOnlyMessage(kUncheckable, mb::kIconStop);
  EXPECT_TRUE(files_.replaced.empty());

  // A package without a seal needs no hash.
  messages_.Clear();
  Package(MakePackage(*crypto_, StandIn(200, 0), {{"ONLY.OCX", first_}}, Closing::kPlain));
  EXPECT_EQ(Outcome::kInstalled, Load(&no_hash));
  EXPECT_EQ(first_, Installed("ONLY.OCX"));
}

// Windows XP before SP3 hashes with the bundled SHA-256: a package sealed
// by the packer (the platform's hash) installs there, and either hash seals
// it to the same bytes.
TEST_F(InstallerTest, ASealedPackageInstallsWhereOnlyTheBundledHashIs) {
  const auto bundled = kdw::testing::MakePlatformCrypto(Sha256Source::kBundled);
  const Bytes image = StandIn(200, 0);
  const std::vector<PackedFile> files = {{"COMDLG32.OCX", first_}, {"MSCOMCTL.OCX", second_}};
  const Bytes sealed = MakePackage(*crypto_, image, files);
  EXPECT_EQ(sealed, MakePackage(*bundled, image, files));
  Package(sealed);
  EXPECT_EQ(Outcome::kInstalled, Load(bundled.get()));
  EXPECT_EQ(first_, Installed("COMDLG32.OCX"));
  EXPECT_EQ(second_, Installed("MSCOMCTL.OCX"));

  // And it still tells a changed byte.
  messages_.Clear();
  Bytes changed = sealed;
  changed[150] ^= 1;
  Package(changed);
  EXPECT_EQ(Outcome::kDamaged, Load(bundled.get()));
}

}  // namespace
}  // namespace kdw::installer
