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
  reg.SaveStringValue(HKLM, "Software\\Kelmor", "Account", "old");
  reg.SaveDwordValue(HKCR, "lnkfile", "v", 1);
  api.SetMachineWideReadOnly(true);

  reg.SaveStringValue(HKLM, "Software\\Kelmor", "Account", "Admin");
  reg.SaveStringValue(HKLM, "Software\\New", "v", "x");
  reg.SaveDwordValue(HKU, ".DEFAULT\\x", "v", 1);
  reg.DeleteValue(HKLM, "Software\\Kelmor", "Account");
  reg.DeleteKey(HKCR, "lnkfile");
  EXPECT_EQ("old", reg.GetStringValue(HKLM, "Software\\Kelmor", "Account"));
  EXPECT_FALSE(api.KeyExists(HKLM, "Software\\New"));
  EXPECT_FALSE(api.KeyExists(HKU, ".DEFAULT"));
  EXPECT_TRUE(api.KeyExists(HKCR, "lnkfile"));
  EXPECT_EQ(1, reg.GetDwordValue(HKCR, "lnkfile", "v"));

  reg.SaveDwordValue(HKCU, "Software\\Policies", "v", 4);
  EXPECT_EQ(4, reg.GetDwordValue(HKCU, "Software\\Policies", "v"));
}

TEST(MemoryRegistry, EveryOperationClosesWhatItOpened) {
  MemoryRegistry api;
  Registry reg(api);
  reg.SaveStringValue(HKCU, "Software\\A", "s", "x");
  reg.SaveExpandStringValue(HKCU, "Software\\A", "e", "x");
  reg.SaveDwordValue(HKCU, "Software\\A", "d", 1);
  reg.GetStringValue(HKCU, "Software\\A", "s");
  reg.GetExpandStringValue(HKCU, "Software\\A", "e");
  reg.GetMultiStringValue(HKCU, "Software\\Missing", "m");
  reg.GetDwordValue(HKCU, "Software\\A", "d");
  reg.ValuePresence(HKCU, "Software\\A", "d");
  reg.DeleteValue(HKCU, "Software\\A", "d");
  reg.DeleteKey(HKCU, "Software\\A");
  EXPECT_EQ(0u, api.OpenHandleCount());
}

TEST(MemoryRegistry, HandleOfADeletedKeyAnswersKeyDeleted) {
  MemoryRegistry api;
  RegKey key = 0;
  ASSERT_EQ(0, api.CreateKey(HKCU, "Software\\Gone", &key));
  ASSERT_EQ(0, api.DeleteKey(HKCU, "Software\\Gone"));
  std::uint32_t type = 0, size = 0;
  EXPECT_EQ(regerr::kKeyDeleted, api.QueryValue(key, "v", &type, nullptr, &size));
  EXPECT_EQ(regerr::kKeyDeleted, api.SetValue(key, "v", regtype::kDword, nullptr, 0));
  EXPECT_EQ(0, api.CloseKey(key));
}

// Lets the value grow between the size probe and the read, as another
// program writing at the same moment would.
class ChangingRegistry : public MemoryRegistry {
 public:
  long QueryValue(RegKey key, const std::string& name, std::uint32_t* type, std::uint8_t* data,
                  std::uint32_t* size) override {
    if (data && !changed_) {
      changed_ = true;
      const std::string longer = "a much longer text than before";
      SetValue(key, name, regtype::kSz, reinterpret_cast<const std::uint8_t*>(longer.data()),
               static_cast<std::uint32_t>(longer.size()));
    }
    return MemoryRegistry::QueryValue(key, name, type, data, size);
  }
  bool changed_ = false;
};

TEST(RegistryLayer, TextThatChangesDuringTheReadGivesTheDefault) {
  ChangingRegistry api;
  Registry reg(api);
  reg.SaveStringValue(HKCU, "Software\\A", "s", "short");
  EXPECT_EQ("fallback", reg.GetStringValue(HKCU, "Software\\A", "s", "fallback"));
  EXPECT_EQ("a much longer text than before", reg.GetStringValue(HKCU, "Software\\A", "s"));
}

TEST(RegistryLayer, TextWritersPassTheByteCountOfMultiByteText) {
  // Two double-byte characters: four bytes in the code page, two characters.
  const std::string wide = "\x93\xfa\x96\x7b";
  MemoryRegistry api;
  Registry reg(api);
  reg.SaveStringValue(HKCU, "Software\\A", "s", wide);
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
  reg.SaveStringValue(HKCU, key, "Plain", "abc");
  reg.SaveExpandStringValue(HKCU, key, "Expand", "%TEMP%");

  EXPECT_EQ("abc", reg.GetStringValue(HKCU, key, "Nul"));
  EXPECT_FALSE(reg.ReadsWhole(HKCU, key, "Nul", regtype::kSz));
  EXPECT_TRUE(reg.ReadsWhole(HKCU, key, "Plain", regtype::kSz));
  EXPECT_FALSE(reg.ReadsWhole(HKCU, key, "Expand", regtype::kSz)) << "another type";
  EXPECT_TRUE(reg.ReadsWhole(HKCU, key, "Expand", regtype::kExpandSz));
  EXPECT_FALSE(reg.ReadsWhole(HKCU, key, "Missing", regtype::kSz));

  // ValuePresence calls a value of more than four bytes missing; it is not.
  EXPECT_EQ("Yes", reg.ValuePresence(HKCU, key, "Long"));
  std::uint32_t type = 0;
  EXPECT_TRUE(reg.IsStored(HKCU, key, "Long", &type));
  EXPECT_EQ(regtype::kBinary, type);
  EXPECT_FALSE(reg.IsStored(HKCU, key, "Missing", &type));
  EXPECT_EQ(regtype::kNone, type);
  EXPECT_FALSE(reg.IsStored(HKCU, "Software\\KdwNoSuchKey", "Missing"));
  EXPECT_EQ(0u, api.OpenHandleCount());
}

}  // namespace
}  // namespace kdw
