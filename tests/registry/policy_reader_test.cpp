// The policy file reader: what our writer makes and what a hand-laid byte
// sequence holds come back as the changes Group Policy makes; a damaged
// file names the byte where it goes wrong and gives nothing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "registry/policy_file.h"
#include "registry/policy_reader.h"

namespace kdw {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Data(const std::string& text) { return Bytes(text.begin(), text.end()); }

// Bytes of a policy file laid out by hand, from the format alone.
struct Laid {
  Bytes bytes = {'P', 'R', 'e', 'g', 1, 0, 0, 0};
  Laid& Text(const std::u16string& text) {
    for (const char16_t c : text) {
      bytes.push_back(static_cast<std::uint8_t>(c & 0xff));
      bytes.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    return *this;
  }
  Laid& Number(std::uint32_t n) {
    for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<std::uint8_t>(n >> (8 * i)));
    return *this;
  }
  Laid& Raw(const Bytes& data) {
    bytes.insert(bytes.end(), data.begin(), data.end());
    return *this;
  }
  Laid& Entry(const std::u16string& key, const std::u16string& name, std::uint32_t type,
              const Bytes& data) {
    Text(u"[" + key + std::u16string(1, u'\0') + u";" + name + std::u16string(1, u'\0') + u";");
    Number(type).Text(u";").Number(static_cast<std::uint32_t>(data.size())).Text(u";");
    return Raw(data).Text(u"]");
  }
};

Bytes Utf16(const std::u16string& text) { return Laid{{}}.Text(text).bytes; }

TEST(PolicyReader, ReadsBackWhatTheWriterMakes) {
  PolicyFile file;
  file.DeleteAllValues("Software\\Policies\\List");
  file.SetValue("Software\\Policies\\List", "1", regtype::kSz, Data(std::string("caf\xe9\0", 5)));
  file.SetValue("Software\\P", "Path", regtype::kExpandSz, Data(std::string("%x%\0", 4)));
  file.SetValue("Software\\P", "", regtype::kMultiSz, Data(std::string("a\0b\0\0", 5)));
  file.SetValue("Software\\P", "Word", regtype::kDword, Bytes{1, 2, 3, 4});
  file.SetValue("Software\\P", "Odd", regtype::kBinary, Bytes{9, 8, 7});
  file.DeleteValue("Software\\P", "Gone");
  const std::string subkeys[] = {"A", "B\\C"};
  file.DeleteSubkeys("Software\\P", subkeys);

  const ReadChanges read = ReadPolicyFile(file.bytes(), HKLM);
  ASSERT_TRUE(read.ok()) << read.error;
  const std::vector<RegistryChange> wanted = {
      {RegistryChange::kCreateKey, HKLM, "Software\\Policies\\List", "", ValueType::kNone, {}},
      {RegistryChange::kDeleteAllValues, HKLM, "Software\\Policies\\List", "", regtype::kSz, {}},
      {RegistryChange::kSetValue, HKLM, "Software\\Policies\\List", "1", regtype::kSz,
       Data(std::string("caf\xe9\0", 5))},
      {RegistryChange::kCreateKey, HKLM, "Software\\P", "", ValueType::kNone, {}},
      {RegistryChange::kSetValue, HKLM, "Software\\P", "Path", regtype::kExpandSz, Data(std::string("%x%\0", 4))},
      {RegistryChange::kSetValue, HKLM, "Software\\P", "", regtype::kMultiSz, Data(std::string("a\0b\0\0", 5))},
      {RegistryChange::kSetValue, HKLM, "Software\\P", "Word", regtype::kDword, {1, 2, 3, 4}},
      {RegistryChange::kSetValue, HKLM, "Software\\P", "Odd", regtype::kBinary, {9, 8, 7}},
      {RegistryChange::kDeleteValue, HKLM, "Software\\P", "Gone", regtype::kSz, {}},
      {RegistryChange::kDeleteKey, HKLM, "Software\\P\\A", "", regtype::kSz, {}},
      {RegistryChange::kDeleteKey, HKLM, "Software\\P\\B\\C", "", regtype::kSz, {}},
  };
  ASSERT_EQ(read.changes.size(), wanted.size());
  for (std::size_t i = 0; i < wanted.size(); ++i) {
    const RegistryChange& got = read.changes[i];
    EXPECT_EQ(got.kind, wanted[i].kind) << i;
    EXPECT_EQ(got.hive, HKLM) << i;
    EXPECT_EQ(got.key, wanted[i].key) << i;
    EXPECT_EQ(got.name, wanted[i].name) << i;
    if (got.kind == RegistryChange::kSetValue) {
      EXPECT_EQ(got.type, wanted[i].type) << i;
      EXPECT_EQ(got.data, wanted[i].data) << i;
    }
  }
}

// The commands in the spellings other writers use, and one we leave alone.
TEST(PolicyReader, ReadsTheCommandsAsOtherWritersSpellThem) {
  Laid file;
  file.Entry(u"Software\\K", u"**DelVals.", 1, Utf16(std::u16string(1, u'\0')))
      .Entry(u"Software\\K", u"**DeleteValues", 1, Utf16(u"a;;b" + std::u16string(1, u'\0')))
      .Entry(u"Software\\K", u"**DELETEKEYS", 1, Utf16(u"Sub" + std::u16string(1, u'\0')))
      .Entry(u"Software\\K", u"**soft.X", 4, {1, 0, 0, 0})
      .Entry(u"Software\\K", u"\u00e9", 3, {});
  const ReadChanges read = ReadPolicyFile(file.bytes, HKCU);
  ASSERT_TRUE(read.ok()) << read.error;
  ASSERT_EQ(read.changes.size(), 7u);
  EXPECT_EQ(read.changes[0].kind, RegistryChange::kCreateKey);  // once for the run of entries
  EXPECT_EQ(read.changes[1].kind, RegistryChange::kDeleteAllValues);
  EXPECT_EQ(read.changes[2].kind, RegistryChange::kDeleteValue);
  EXPECT_EQ(read.changes[2].name, "a");
  EXPECT_EQ(read.changes[3].name, "b");
  EXPECT_EQ(read.changes[4].kind, RegistryChange::kDeleteKey);
  EXPECT_EQ(read.changes[4].key, "Software\\K\\Sub");
  EXPECT_EQ(read.changes[5].kind, RegistryChange::kNotCarriedOut);
  EXPECT_EQ(read.changes[6].name, "\xe9");
  EXPECT_EQ(read.changes[6].type, regtype::kBinary);
  for (const RegistryChange& change : read.changes) EXPECT_EQ(change.hive, HKCU);
}

TEST(PolicyReader, BadInputNamesItsOffsetAndGivesNothing) {
  const Bytes good = Laid{}.Entry(u"K", u"V", 4, {1, 0, 0, 0}).bytes;
  Bytes cut(good.begin(), good.end() - 1);
  Bytes size_past = Laid{}.Text(u"[K").Raw({0, 0}).Text(u";V").Raw({0, 0}).Text(u";").Number(4)
                        .Text(u";").Number(200).Text(u";").bytes;
  const struct {
    Bytes file;
    std::string error;
  } cases[] = {
      {Data("PReX\1\0\0\0"), "byte 0: not a registry policy file: it does not begin with \"PReg\""},
      {Data("PReg"), "byte 0: not a registry policy file: it does not begin with \"PReg\""},
      {Data(std::string("PReg\2\0\0\0", 8)), "byte 4: a registry policy file of a version other than 1"},
      {cut, "byte 8: an entry cut short by the end of the file"},
      {size_past, "byte 28: a size past the end of the file"},
      {Laid{}.Entry(u"K", u"V", 1, {0x41}).bytes, "byte 28: text data of an odd number of bytes"},
      {Laid{}.Entry(u"K", u"V", 2, {0x00, 0x4e}).bytes, "byte 34: text the system code page cannot hold"},
      {Laid{}.Text(u"(").bytes, "byte 8: expected '[' at the start of an entry"},
      {Laid{}.Entry(u"K", u"V", 4, {}).Text(u"x").bytes, "byte 36: expected '[' at the start of an entry"},
      {Laid{}.Entry(u"K", u"V", 4, {}).Raw({'['}).bytes, "byte 36: an entry cut short by the end of the file"},
      {Laid{}.Text(u"[K").Raw({0, 0}).Text(u"!").bytes, "byte 14: expected ';' after the key"},
  };
  for (const auto& bad : cases) {
    const ReadChanges read = ReadPolicyFile(bad.file, HKLM);
    EXPECT_EQ(read.error, bad.error);
    EXPECT_TRUE(read.changes.empty()) << bad.error;
  }
}

}  // namespace
}  // namespace kdw
