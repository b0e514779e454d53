// What only the in-process registry can show: the account rule, that no
// operation leaves a handle open, and values that change under a reader.
#include <gtest/gtest.h>

#include "registry/memory_registry.h"
#include "registry/registry.h"

namespace kdw {
namespace {

TEST(MemoryRegistry, LimitedAccountCannotWriteMachineWideHives) {
  MemoryRegistry api;
  Registry reg(api);
  EXPECT_TRUE(reg.SaveStringValue(HKLM, "Software\\Kelmor", "Account", "old").ok());
  EXPECT_TRUE(reg.SaveDwordValue(HKCR, "lnkfile", "v", 1).ok());
  api.SetMachineWideReadOnly(true);

  // Every refusal reaches the caller with Windows' code.
  const RegStatus denied(regerr::kAccessDenied);
  EXPECT_EQ(denied, reg.SaveStringValue(HKLM, "Software\\Kelmor", "Account", "Admin"));
  EXPECT_EQ(denied, reg.SaveStringValue(HKLM, "Software\\New", "v", "x"));
  EXPECT_EQ(denied, reg.SaveDwordValue(HKU, ".DEFAULT\\x", "v", 1));
  EXPECT_EQ(denied, reg.DeleteValue(HKLM, "Software\\Kelmor", "Account"));
  EXPECT_EQ(denied, reg.DeleteKey(HKCR, "lnkfile"));
  EXPECT_EQ("old", reg.GetStringValue(HKLM, "Software\\Kelmor", "Account"));
  EXPECT_FALSE(api.KeyExists(HKLM, "Software\\New"));
  EXPECT_FALSE(api.KeyExists(HKU, ".DEFAULT"));
  EXPECT_TRUE(api.KeyExists(HKCR, "lnkfile"));
  EXPECT_EQ(1, reg.GetDwordValue(HKCR, "lnkfile", "v"));

  EXPECT_TRUE(reg.SaveDwordValue(HKCU, "Software\\Policies", "v", 4).ok());
  EXPECT_EQ(4, reg.GetDwordValue(HKCU, "Software\\Policies", "v"));
}

TEST(MemoryRegistry, EveryOperationClosesWhatItOpened) {
  MemoryRegistry api;
  Registry reg(api);
  EXPECT_TRUE(reg.SaveStringValue(HKCU, "Software\\A", "s", "x").ok());
  EXPECT_TRUE(reg.SaveExpandStringValue(HKCU, "Software\\A", "e", "x").ok());
  EXPECT_TRUE(reg.SaveDwordValue(HKCU, "Software\\A", "d", 1).ok());
  reg.GetStringValue(HKCU, "Software\\A", "s");
  reg.GetExpandStringValue(HKCU, "Software\\A", "e");
  reg.GetMultiStringValue(HKCU, "Software\\Missing", "m");
  reg.GetDwordValue(HKCU, "Software\\A", "d");
  reg.ValuePresence(HKCU, "Software\\A", "d");
  EXPECT_TRUE(reg.DeleteValue(HKCU, "Software\\A", "d").ok());
  EXPECT_TRUE(reg.DeleteKey(HKCU, "Software\\A").ok());
  EXPECT_EQ(0u, api.OpenHandleCount());
}

TEST(MemoryRegistry, HandleOfADeletedKeyAnswersKeyDeleted) {
  MemoryRegistry api;
  RegKey key = 0;
  ASSERT_EQ(0, api.CreateKey(HKCU, "Software\\Gone", &key));
  ASSERT_EQ(0, api.DeleteKey(HKCU, "Software\\Gone"));
  ValueType type = ValueType::kNone;
  std::uint32_t size = 0;
  EXPECT_EQ(regerr::kKeyDeleted, api.QueryValue(key, "v", &type, nullptr, &size));
  EXPECT_EQ(regerr::kKeyDeleted, api.SetValue(key, "v", regtype::kDword, nullptr, 0));
  EXPECT_EQ(0, api.CloseKey(key));
}

// Makes the value longer after each query that read data, `grows` times,
// as another program writing at the same moment would: each time past the
// size the last answer named.
class GrowingRegistry : public MemoryRegistry {
 public:
  long QueryValue(RegKey key, const std::string& name, ValueType* type, std::uint8_t* data,
                  std::uint32_t* size) override {
    ++queries;
    if (data && grows > 0) {
      --grows;
      text += std::string(300, 'x');
      static_cast<void>(SetValue(key, name, regtype::kSz,
                                 reinterpret_cast<const std::uint8_t*>(text.data()),
                                 static_cast<std::uint32_t>(text.size())));
    }
    return MemoryRegistry::QueryValue(key, name, type, data, size);
  }
  int grows = 0;
  int queries = 0;
  std::string text = "short";
};

TEST(RegistryLayer, AValueThatGrowsDuringTheReadIsReadWholeAsItIsThen) {
  GrowingRegistry api;
  Registry reg(api);
  EXPECT_TRUE(reg.SaveStringValue(HKCU, "Software\\A", "s", api.text).ok());
  // Short data: one query, and no second one.
  EXPECT_EQ("short", reg.GetStringValue(HKCU, "Software\\A", "s"));
  EXPECT_EQ(1, api.queries);
  // Grows past the first buffer, then past each size an answer named.
  api.queries = 0;
  api.grows = 3;
  const std::string read = reg.GetStringValue(HKCU, "Software\\A", "s");
  EXPECT_EQ(read, api.text);
  EXPECT_EQ(905u, read.size());
  EXPECT_EQ(4, api.queries);
  // One that never stops growing gives the default rather than a part.
  api.grows = 100;
  EXPECT_EQ("fallback", reg.GetStringValue(HKCU, "Software\\A", "s", "fallback"));
}

TEST(RegistryLayer, TextWritersPassTheByteCountOfMultiByteText) {
  // Two double-byte characters: four bytes in the code page, two characters.
  const std::string wide = "\x93\xfa\x96\x7b";
  MemoryRegistry api;
  Registry reg(api);
  EXPECT_TRUE(reg.SaveStringValue(HKCU, "Software\\A", "s", wide).ok());
  EXPECT_EQ(wide, reg.GetStringValue(HKCU, "Software\\A", "s"));
}

}  // namespace
}  // namespace kdw

namespace kdw {
namespace {

// The two questions the page engine asks before it writes back what it read.
TEST(RegistryLayer, WholeTextAndStoredValuesAreToldApart) {
  MemoryRegistry api;
  Registry reg(api);
  const char* key = "Software\\KdwLayer";
  RegKey handle = 0;
  api.CreateKey(HKCU, key, &handle);
  const std::string with_nul("abc\0def", 7);
  api.SetValue(handle, "Nul", regtype::kSz, reinterpret_cast<const std::uint8_t*>(with_nul.data()),
               7);
  api.SetValue(handle, "Long", regtype::kBinary, reinterpret_cast<const std::uint8_t*>("12345678"),
               8);
  api.CloseKey(handle);
  EXPECT_TRUE(reg.SaveStringValue(HKCU, key, "Plain", "abc").ok());
  EXPECT_TRUE(reg.SaveExpandStringValue(HKCU, key, "Expand", "%TEMP%").ok());

  EXPECT_EQ("abc", reg.GetStringValue(HKCU, key, "Nul"));
  EXPECT_FALSE(ReadsWhole(reg.Read(HKCU, key, "Nul"), regtype::kSz));
  EXPECT_TRUE(ReadsWhole(reg.Read(HKCU, key, "Plain"), regtype::kSz));
  EXPECT_FALSE(ReadsWhole(reg.Read(HKCU, key, "Expand"), regtype::kSz)) << "another type";
  EXPECT_TRUE(ReadsWhole(reg.Read(HKCU, key, "Expand"), regtype::kExpandSz));
  EXPECT_FALSE(ReadsWhole(reg.Read(HKCU, key, "Missing"), regtype::kSz));

  // ValuePresence calls a value of more than four bytes missing; it is not.
  EXPECT_EQ(Presence::kMissing, reg.ValuePresence(HKCU, key, "Long"));
  EXPECT_TRUE(reg.Read(HKCU, key, "Long").present);
  EXPECT_EQ(regtype::kBinary, reg.Read(HKCU, key, "Long").type);
  EXPECT_FALSE(reg.Read(HKCU, key, "Missing").present);
  EXPECT_EQ(regtype::kNone, reg.Read(HKCU, key, "Missing").type);
  EXPECT_FALSE(reg.Read(HKCU, "Software\\KdwNoSuchKey", "Missing").present);
  EXPECT_EQ(0u, api.OpenHandleCount());
}

}  // namespace
}  // namespace kdw
