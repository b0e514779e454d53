#include <gtest/gtest.h>

#include <vector>

#include "registry/registry.h"
#include "tests/registry/contract.h"

namespace kdw::contract {
namespace {

class RegistryContract : public ::testing::Test {
 protected:
  void SetUp() override {
    backend_ = MakeBackend();
    backend_->Clean();
  }
  void TearDown() override { backend_->Clean(); }

  RegistryApi& api() { return backend_->api(); }
  Registry reg() { return Registry(api()); }

  // Stores raw bytes exactly as another program might have.
  void Raw(const std::string& name, ValueType type, const std::string& bytes,
           const std::string& subkey = "") {
    RegKey key = 0;
    ASSERT_EQ(0, api().CreateKey(HKCU, Path(subkey), &key));
    ASSERT_EQ(0, api().SetValue(key, name, type,
                                reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                static_cast<std::uint32_t>(bytes.size())));
    api().CloseKey(key);
  }

  // Type and size of a stored value as the ANSI query reports them.
  std::pair<ValueType, std::uint32_t> Probe(const std::string& name,
                                                const std::string& subkey = "") {
    RegKey key = 0;
    api().OpenKey(HKCU, Path(subkey), &key);
    ValueType type = ValueType::kNone;
    std::uint32_t size = 0;
    const long rc = api().QueryValue(key, name, &type, nullptr, &size);
    api().CloseKey(key);
    return rc == 0 ? std::make_pair(type, size) : std::make_pair(ValueType::kNone, 0u);
  }

  bool KeyExists(const std::string& subkey) {
    RegKey key = 0;
    const long rc = api().OpenKey(HKCU, Path(subkey), &key);
    api().CloseKey(key);
    return rc == 0;
  }

  static std::string Path(const std::string& subkey) {
    return subkey.empty() ? kScratch : kScratch + "\\" + subkey;
  }

  std::unique_ptr<Backend> backend_;
};

TEST_F(RegistryContract, TextWrittenWithoutTerminatorReadsBackWhole) {
  EXPECT_TRUE(reg().SaveStringValue(HKCU, kScratch, "abc", "abc").ok());
  EXPECT_EQ("abc", reg().GetStringValue(HKCU, kScratch, "abc"));
  // Written as three bytes; the ANSI call stores a terminator of its own.
  EXPECT_EQ(std::make_pair(regtype::kSz, 4u), Probe("abc"));

  EXPECT_TRUE(reg().SaveStringValue(HKCU, kScratch, "empty", "").ok());
  EXPECT_EQ(std::make_pair(regtype::kSz, 0u), Probe("empty"));
  EXPECT_EQ("", reg().GetStringValue(HKCU, kScratch, "empty", "default"));
  EXPECT_EQ(Presence::kThere, reg().ValuePresence(HKCU, kScratch, "empty"));

  EXPECT_TRUE(reg().SaveExpandStringValue(HKCU, kScratch, "path", "%SystemRoot%\\x").ok());
  EXPECT_EQ("%SystemRoot%\\x", reg().GetExpandStringValue(HKCU, kScratch, "path"));

  // Text with high code-page bytes is stored byte for byte.
  const std::string accented = "Caf\xe9 \xc4rger";
  EXPECT_TRUE(reg().SaveStringValue(HKCU, kScratch, "accented", accented).ok());
  EXPECT_EQ(accented, reg().GetStringValue(HKCU, kScratch, "accented"));
}

TEST_F(RegistryContract, TextReadersCutAtFirstNulAndAcceptOnlyTheirType) {
  Raw("embedded", regtype::kSz, std::string("abc\0def", 7));
  EXPECT_EQ("abc", reg().GetStringValue(HKCU, kScratch, "embedded"));

  Raw("multi", regtype::kMultiSz, std::string("one\0two\0\0", 9));
  EXPECT_EQ("one", reg().GetMultiStringValue(HKCU, kScratch, "multi"));
  EXPECT_EQ("d", reg().GetStringValue(HKCU, kScratch, "multi", "d"));

  Raw("expand", regtype::kExpandSz, std::string("%TEMP%\\a\0", 9));
  EXPECT_EQ("%TEMP%\\a", reg().GetExpandStringValue(HKCU, kScratch, "expand"));
  EXPECT_EQ("d", reg().GetStringValue(HKCU, kScratch, "expand", "d"));

  EXPECT_TRUE(reg().SaveStringValue(HKCU, kScratch, "plain", "x").ok());
  EXPECT_EQ("d", reg().GetExpandStringValue(HKCU, kScratch, "plain", "d"));
  EXPECT_EQ("d", reg().GetMultiStringValue(HKCU, kScratch, "plain", "d"));

  EXPECT_TRUE(reg().SaveDwordValue(HKCU, kScratch, "number", 1).ok());
  EXPECT_EQ("d", reg().GetStringValue(HKCU, kScratch, "number", "d"));

  EXPECT_EQ("d", reg().GetStringValue(HKCU, kScratch, "missing", "d"));
  EXPECT_EQ("", reg().GetStringValue(HKCU, kScratch + "\\NoSuchKey", "missing"));
  // The unnamed value of a key that has none.
  EXPECT_EQ("d", reg().GetStringValue(HKCU, kScratch, "", "d"));
}

TEST_F(RegistryContract, DwordReadsTheNumberOrTheDefault) {
  EXPECT_TRUE(reg().SaveDwordValue(HKCU, kScratch, "one", 1).ok());
  EXPECT_TRUE(reg().SaveDwordValue(HKCU, kScratch, "minus", -1).ok());
  EXPECT_TRUE(reg().SaveDwordValue(HKCU, kScratch, "big", 0x12345678).ok());
  EXPECT_EQ(1, reg().GetDwordValue(HKCU, kScratch, "one", 7));
  EXPECT_EQ(-1, reg().GetDwordValue(HKCU, kScratch, "minus", 7));
  EXPECT_EQ(0x12345678, reg().GetDwordValue(HKCU, kScratch, "big", 7));
  EXPECT_EQ(std::make_pair(regtype::kDword, 4u), Probe("one"));

  EXPECT_EQ(7, reg().GetDwordValue(HKCU, kScratch, "missing", 7));
  EXPECT_EQ(7, reg().GetDwordValue(HKCU, kScratch + "\\NoSuchKey", "one", 7));
  EXPECT_EQ(0, reg().GetDwordValue(HKCU, kScratch, "missing"));
  EXPECT_TRUE(reg().SaveStringValue(HKCU, kScratch, "text", "1").ok());
  EXPECT_EQ(7, reg().GetDwordValue(HKCU, kScratch, "text", 7));
  Raw("binary", regtype::kBinary, std::string("\x01\0\0\0", 4));
  EXPECT_EQ(7, reg().GetDwordValue(HKCU, kScratch, "binary", 7));
  // A DWORD too long for four bytes cannot be read into them.
  Raw("long", regtype::kDword, std::string("\x01\0\0\0\0\0\0\0", 8));
  EXPECT_EQ(7, reg().GetDwordValue(HKCU, kScratch, "long", 7));
}

TEST_F(RegistryContract, ValuePresenceTellsMissingFromShortData) {
  EXPECT_EQ(Presence::kMissing, reg().ValuePresence(HKCU, kScratch + "\\NoSuchKey", "v"));
  EXPECT_EQ(Presence::kMissing, reg().ValuePresence(HKCU, kScratch, "missing"));
  EXPECT_TRUE(reg().SaveDwordValue(HKCU, kScratch, "dword", 0).ok());
  EXPECT_EQ(Presence::kThere, reg().ValuePresence(HKCU, kScratch, "dword"));
  EXPECT_TRUE(reg().SaveStringValue(HKCU, kScratch, "no", "No").ok());
  EXPECT_EQ(Presence::kThere, reg().ValuePresence(HKCU, kScratch, "no"));
  EXPECT_TRUE(reg().SaveStringValue(HKCU, kScratch, "five", "abcde").ok());
  EXPECT_EQ(Presence::kMissing, reg().ValuePresence(HKCU, kScratch, "five"));
  // The four-byte edge: three letters and the stored terminator fit, four do not.
  EXPECT_TRUE(reg().SaveStringValue(HKCU, kScratch, "three", "abc").ok());
  EXPECT_EQ(Presence::kThere, reg().ValuePresence(HKCU, kScratch, "three"));
  EXPECT_TRUE(reg().SaveStringValue(HKCU, kScratch, "four", "abcd").ok());
  EXPECT_EQ(Presence::kMissing, reg().ValuePresence(HKCU, kScratch, "four"));
  Raw("bin4", regtype::kBinary, std::string("\x01\x02\x03\x04", 4));
  EXPECT_EQ(Presence::kThere, reg().ValuePresence(HKCU, kScratch, "bin4"));
  Raw("bin5", regtype::kBinary, std::string("\x01\x02\x03\x04\x05", 5));
  EXPECT_EQ(Presence::kMissing, reg().ValuePresence(HKCU, kScratch, "bin5"));
}

TEST_F(RegistryContract, WritersCreatePathsReadersCreateNothing) {
  EXPECT_EQ("", reg().GetStringValue(HKCU, kScratch + "\\a\\b", "v"));
  EXPECT_EQ(0, reg().GetDwordValue(HKCU, kScratch + "\\a\\b", "v"));
  EXPECT_EQ(Presence::kMissing, reg().ValuePresence(HKCU, kScratch + "\\a\\b", "v"));
  EXPECT_TRUE(reg().DeleteValue(HKCU, kScratch + "\\a\\b", "v").ok());
  EXPECT_FALSE(KeyExists(""));

  EXPECT_TRUE(reg().SaveStringValue(HKCU, kScratch + "\\s1\\s2", "v", "x").ok());
  EXPECT_TRUE(reg().SaveExpandStringValue(HKCU, kScratch + "\\e1\\e2", "v", "x").ok());
  EXPECT_TRUE(reg().SaveDwordValue(HKCU, kScratch + "\\d1\\d2", "v", 3).ok());
  EXPECT_TRUE(KeyExists("s1\\s2"));
  EXPECT_TRUE(KeyExists("e1\\e2"));
  EXPECT_EQ(3, reg().GetDwordValue(HKCU, kScratch + "\\d1\\d2", "v"));

  // Key and value names are compared without regard to case.
  EXPECT_EQ("x", reg().GetStringValue(HKCU, "SOFTWARE\\kdwcontractscratch\\S1\\s2", "V"));
  // The unnamed value.
  EXPECT_TRUE(reg().SaveStringValue(HKCU, kScratch, "", "default").ok());
  EXPECT_EQ("default", reg().GetStringValue(HKCU, kScratch, ""));
}

TEST_F(RegistryContract, DeletesRemoveOnlyWhatTheySay) {
  EXPECT_TRUE(reg().SaveDwordValue(HKCU, kScratch + "\\parent\\child", "v", 1).ok());
  EXPECT_TRUE(reg().SaveDwordValue(HKCU, kScratch + "\\parent", "v", 1).ok());
  // A key with subkeys stays, and the caller is told.
  EXPECT_EQ(RegStatus(regerr::kAccessDenied), reg().DeleteKey(HKCU, kScratch + "\\parent"));
  EXPECT_TRUE(KeyExists("parent\\child"));
  EXPECT_EQ(1, reg().GetDwordValue(HKCU, kScratch + "\\parent", "v"));

  EXPECT_TRUE(reg().DeleteKey(HKCU, kScratch + "\\parent\\child").ok());
  EXPECT_FALSE(KeyExists("parent\\child"));
  EXPECT_TRUE(reg().DeleteKey(HKCU, kScratch + "\\parent").ok());
  EXPECT_FALSE(KeyExists("parent"));
  EXPECT_TRUE(reg().DeleteKey(HKCU, kScratch + "\\parent").ok());  // already gone: nothing happens

  EXPECT_TRUE(reg().SaveDwordValue(HKCU, kScratch, "a", 1).ok());
  EXPECT_TRUE(reg().SaveDwordValue(HKCU, kScratch, "b", 2).ok());
  EXPECT_TRUE(reg().DeleteValue(HKCU, kScratch, "A").ok());
  EXPECT_TRUE(reg().DeleteValue(HKCU, kScratch, "missing").ok());
  EXPECT_EQ(Presence::kMissing, reg().ValuePresence(HKCU, kScratch, "a"));
  EXPECT_EQ(2, reg().GetDwordValue(HKCU, kScratch, "b"));
}

TEST_F(RegistryContract, PrimitivesReadWholeAndReportWhatWindowsAnswers) {
  // 64 KiB of data, far past the first buffer: read whole, type and bytes.
  std::string big(65536, '\0');
  for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>(i * 7 + 1);
  Raw("big", regtype::kBinary, big);
  const StoredValue stored = reg().Read(HKCU, kScratch, "big");
  ASSERT_TRUE(stored.present);
  EXPECT_EQ(regtype::kBinary, stored.type);
  EXPECT_EQ(big, std::string(stored.data.begin(), stored.data.end()));
  // Empty data is there, and empty.
  Raw("empty", regtype::kBinary, "");
  EXPECT_TRUE(reg().Read(HKCU, kScratch, "empty").present);
  EXPECT_TRUE(reg().Read(HKCU, kScratch, "empty").data.empty());
  EXPECT_FALSE(reg().Read(HKCU, kScratch, "missing").present);
  EXPECT_FALSE(reg().Read(HKCU, kScratch + "\\NoSuchKey", "v").present);

  // A refused write comes back with Windows' code, and stores nothing.
  EXPECT_EQ(RegStatus(regerr::kBadPathname), reg().SaveDwordValue(HKCU, "\\Software", "v", 1));
  // What is not there counts as removed.
  EXPECT_TRUE(reg().DeleteValue(HKCU, kScratch, "missing").ok());
  EXPECT_TRUE(reg().DeleteValue(HKCU, kScratch + "\\NoSuchKey", "v").ok());
  EXPECT_TRUE(reg().DeleteKey(HKCU, kScratch + "\\NoSuchKey").ok());

  // Keys kept open: writes and reads through one handle see each other, a
  // key made on the way is used from then on, and a removed one is opened
  // again rather than answered through a handle to a deleted key.
  const Registry registry(api());
  {
    const Registry::KeepKeysOpen keep(registry);
    EXPECT_FALSE(registry.Read(HKCU, kScratch + "\\kept", "v").present);
    EXPECT_TRUE(registry.SaveDwordValue(HKCU, kScratch + "\\kept", "v", 5).ok());
    EXPECT_EQ(5, registry.GetDwordValue(HKCU, kScratch + "\\KEPT", "v"));
    EXPECT_TRUE(registry.DeleteValue(HKCU, kScratch + "\\kept", "v").ok());
    EXPECT_TRUE(registry.DeleteKey(HKCU, kScratch + "\\kept").ok());
    EXPECT_FALSE(registry.KeyExists(HKCU, kScratch + "\\kept"));
    EXPECT_TRUE(registry.SaveDwordValue(HKCU, kScratch + "\\kept", "v", 6).ok());
    EXPECT_EQ(6, registry.GetDwordValue(HKCU, kScratch + "\\kept", "v"));
  }
  EXPECT_EQ(6, reg().GetDwordValue(HKCU, kScratch + "\\kept", "v"));
}

TEST_F(RegistryContract, PlatformCallsAnswerAsWindowsDoes) {
  RegKey key = 0x1234;
  EXPECT_EQ(regerr::kFileNotFound, api().OpenKey(HKCU, kScratch + "\\none", &key));
  EXPECT_EQ(0u, key);
  EXPECT_EQ(regerr::kInvalidHandle, api().CloseKey(0));
  ValueType type = ValueType::kNone;
  std::uint32_t size = 0;
  EXPECT_EQ(regerr::kInvalidHandle, api().QueryValue(0, "v", &type, nullptr, &size));
  EXPECT_EQ(regerr::kInvalidHandle, api().SetValue(0, "v", regtype::kDword, nullptr, 0));
  EXPECT_EQ(regerr::kBadPathname, api().OpenKey(HKCU, "\\Software", &key));

  ASSERT_EQ(0, api().CreateKey(HKCU, kScratch + "\\\\doubled\\", &key));
  api().CloseKey(key);
  EXPECT_TRUE(KeyExists("doubled"));

  Raw("s", regtype::kSz, "hello");
  ASSERT_EQ(0, api().OpenKey(HKCU, kScratch, &key));
  std::uint8_t buffer[8] = {'#', '#', '#', '#', '#', '#', '#', '#'};
  size = 4;
  EXPECT_EQ(regerr::kMoreData, api().QueryValue(key, "s", &type, buffer, &size));
  EXPECT_EQ(6u, size);
  EXPECT_EQ(regtype::kSz, type);
  EXPECT_EQ('#', buffer[0]);
  size = sizeof buffer;
  EXPECT_EQ(0, api().QueryValue(key, "s", &type, buffer, &size));
  EXPECT_EQ(6u, size);
  EXPECT_EQ(std::string("hello", 6), std::string(reinterpret_cast<char*>(buffer), 6));
  EXPECT_EQ(regerr::kFileNotFound, api().DeleteValue(key, "missing"));
  api().CloseKey(key);

  ASSERT_EQ(0, api().CreateKey(HKCU, kScratch + "\\p\\c", &key));
  api().CloseKey(key);
  EXPECT_EQ(regerr::kAccessDenied, api().DeleteKey(HKCU, kScratch + "\\p"));
  EXPECT_EQ(regerr::kFileNotFound, api().DeleteKey(HKCU, kScratch + "\\q"));
}

TEST_F(RegistryContract, ClassesRootIsAViewOfMachineClasses) {
  const std::string cls = "KdwContractScratchClass";
  EXPECT_TRUE(reg().SaveStringValue(HKCR, cls, "v", "x").ok());
  EXPECT_EQ("x", reg().GetStringValue(HKLM, "Software\\Classes\\" + cls, "v"));
  EXPECT_TRUE(reg().DeleteKey(HKLM, "Software\\Classes\\" + cls).ok());
  EXPECT_EQ("", reg().GetStringValue(HKCR, cls, "v"));
}

}  // namespace
}  // namespace kdw::contract
