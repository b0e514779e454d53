// The .reg reader: what regedit writes (and what our export writes) comes
// back as the same changes, in both encodings; anything unclear makes the
// whole file unread with its line named.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "registry/reg_file.h"
#include "registry/reg_import.h"

namespace kdw {
namespace {

using Bytes = std::vector<std::uint8_t>;

ReadChanges ReadText(const std::string& text) {
  return ReadRegFile(Bytes(text.begin(), text.end()));
}

// The text as a UTF-16LE file with its byte-order mark; `extra` bytes after it.
Bytes Unicode(const std::u16string& text, Bytes extra = {}) {
  Bytes bytes = {0xff, 0xfe};
  for (const char16_t c : text) {
    bytes.push_back(static_cast<std::uint8_t>(c & 0xff));
    bytes.push_back(static_cast<std::uint8_t>(c >> 8));
  }
  bytes.insert(bytes.end(), extra.begin(), extra.end());
  return bytes;
}

Bytes Data(const std::string& text) { return Bytes(text.begin(), text.end()); }

void ExpectChange(const RegistryChange& change, RegistryChange::Kind kind, Hive hive,
                  const std::string& key, const std::string& name, ValueType type = ValueType::kNone,
                  const Bytes& data = {}) {
  EXPECT_EQ(change.kind, kind) << key << "\\" << name;
  EXPECT_EQ(change.hive, hive) << key << "\\" << name;
  EXPECT_EQ(change.key, key);
  EXPECT_EQ(change.name, name);
  if (kind == RegistryChange::kSetValue) {
    EXPECT_EQ(change.type, type) << name;
    EXPECT_EQ(change.data, data) << name;
  }
}

TEST(RegImport, ReadsEveryValueKindOfARegedit4File) {
  const ReadChanges read = ReadText(
      "REGEDIT4\r\n\r\n"
      "; a comment\r\n"
      "[HKEY_CURRENT_USER\\Software\\Test]\r\n"
      "@=\"default\"\r\n"
      "\"Text\"=\"say \\\"hi\\\" C:\\\\x\"\r\n"
      "\"Number\"=dword:0000ff01\r\n"
      "\"Bytes\"=hex:01,ab,\\\r\n"
      "  FF\r\n"
      "\"Expand\"=hex(2):25,00\r\n"
      "\"List\"=hex(7):61,00,62,00,00\r\n"
      "\"Quad\"=hex(b):01,00,00,00,00,00,00,00\r\n"
      "\"Empty\"=hex:\r\n"
      "\"Gone\"=-\r\n"
      "\n"
      "[-HKEY_LOCAL_MACHINE\\Software\\Old\\]\r\n"
      "[hkey_classes_root\\*\\shell]\r\n"
      "\"Edit\" = \"x\"\n");
  ASSERT_TRUE(read.ok()) << read.error;
  ASSERT_EQ(read.changes.size(), 13u);
  const auto& c = read.changes;
  constexpr auto kSet = RegistryChange::kSetValue;
  const std::string key = "Software\\Test";
  ExpectChange(c[0], RegistryChange::kCreateKey, HKCU, key, "");
  ExpectChange(c[1], kSet, HKCU, key, "", regtype::kSz, Data(std::string("default\0", 8)));
  ExpectChange(c[2], kSet, HKCU, key, "Text", regtype::kSz, Data(std::string("say \"hi\" C:\\x\0", 14)));
  ExpectChange(c[3], kSet, HKCU, key, "Number", regtype::kDword, {0x01, 0xff, 0, 0});
  ExpectChange(c[4], kSet, HKCU, key, "Bytes", regtype::kBinary, {0x01, 0xab, 0xff});
  ExpectChange(c[5], kSet, HKCU, key, "Expand", regtype::kExpandSz, {0x25, 0});
  ExpectChange(c[6], kSet, HKCU, key, "List", regtype::kMultiSz, {0x61, 0, 0x62, 0, 0});
  ExpectChange(c[7], kSet, HKCU, key, "Quad", static_cast<ValueType>(11), {1, 0, 0, 0, 0, 0, 0, 0});
  ExpectChange(c[8], kSet, HKCU, key, "Empty", regtype::kBinary, {});
  ExpectChange(c[9], RegistryChange::kDeleteValue, HKCU, key, "Gone");
  ExpectChange(c[10], RegistryChange::kDeleteKey, HKLM, "Software\\Old", "");
  ExpectChange(c[11], RegistryChange::kCreateKey, HKCR, "*\\shell", "");
  ExpectChange(c[12], kSet, HKCR, "*\\shell", "Edit", regtype::kSz, Data(std::string("x\0", 2)));
}

// What the export's formatter writes, wrapped hex lines included, comes
// back as the values it was given (text with the NUL an import adds).
TEST(RegImport, ReadsBackWhatTheFormatterWrites) {
  Bytes long_data;
  for (int i = 0; i < 300; ++i) long_data.push_back(static_cast<std::uint8_t>(i * 7));
  const std::vector<RegFileKey> keys = {
      {HKLM, "Software\\Removed", true, {}},
      {HKCU,
       "Software\\A \"quoted\" key",
       false,
       {{"", true, regtype::kSz, Data(std::string("x\0", 2))},
        {std::string(90, 'n'), true, regtype::kBinary, long_data},
        {"Line\\Break", true, regtype::kSz, Data("a\r\nb")},
        {"Word", true, regtype::kDword, {4, 3, 2, 1}},
        {"Short", true, regtype::kDword, {4, 3}},
        {"Deleted", false, regtype::kNone, {}}}},
  };
  const ReadChanges read = ReadText(FormatRegFile(keys));
  ASSERT_TRUE(read.ok()) << read.error;
  ASSERT_EQ(read.changes.size(), 8u);
  ExpectChange(read.changes[0], RegistryChange::kDeleteKey, HKLM, "Software\\Removed", "");
  ExpectChange(read.changes[1], RegistryChange::kCreateKey, HKCU, keys[1].path, "");
  for (std::size_t i = 0; i < 6; ++i) {
    const RegFileValue& value = keys[1].values[i];
    if (!value.present) {
      ExpectChange(read.changes[i + 2], RegistryChange::kDeleteValue, HKCU, keys[1].path, value.name);
    } else {
      ExpectChange(read.changes[i + 2], RegistryChange::kSetValue, HKCU, keys[1].path, value.name,
                   value.type, value.data);
    }
  }
}

// The Unicode form: text in UTF-16 comes back in the code page (1252 here),
// so does hex text data; binary data stays as it is.
TEST(RegImport, ReadsTheUnicodeFormIntoTheCodePage) {
  const ReadChanges read = ReadRegFile(Unicode(
      u"Windows Registry Editor Version 5.00\r\n\r\n"
      u"[HKEY_CURRENT_USER\\Software\\Caf\u00e9]\r\n"
      u"\"Name\"=\"\u20ac 5\"\r\n"
      u"\"Path\"=hex(2):25,00,e9,00,00,00\r\n"
      u"\"Raw\"=hex:e9,00,01\r\n"));
  ASSERT_TRUE(read.ok()) << read.error;
  ASSERT_EQ(read.changes.size(), 4u);
  const std::string key = "Software\\Caf\xe9";
  ExpectChange(read.changes[0], RegistryChange::kCreateKey, HKCU, key, "");
  ExpectChange(read.changes[1], RegistryChange::kSetValue, HKCU, key, "Name", regtype::kSz,
               Data(std::string("\x80 5\0", 4)));
  ExpectChange(read.changes[2], RegistryChange::kSetValue, HKCU, key, "Path", regtype::kExpandSz,
               Data(std::string("%\xe9\0", 3)));
  ExpectChange(read.changes[3], RegistryChange::kSetValue, HKCU, key, "Raw", regtype::kBinary,
               {0xe9, 0x00, 0x01});
}

TEST(RegImport, BadInputNamesItsLineAndGivesNothing) {
  const std::string header = "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\T]\r\n\"Fine\"=dword:1\r\n";
  const struct {
    Bytes file;
    std::string error;
  } cases[] = {
      {Data("Windows Registry Editor Version 5.00\r\n"),
       "line 1: not a registry file: the first line is not \"REGEDIT4\""},
      {Unicode(u"REGEDIT4\r\n"),
       "line 1: not a registry file: the first line is not \"Windows Registry Editor Version 5.00\""},
      {Data("REGEDIT4\r\n\"Early\"=dword:1\r\n"), "line 2: a value outside a key"},
      {Data("REGEDIT4\r\n[-HKEY_CURRENT_USER\\X]\r\n\"After\"=-\r\n"), "line 3: a value outside a key"},
      {Data(header + "\"Bad\\n\"=\"x\"\r\n"), "line 5: a bad escape (only \\\\ and \\\" are known)"},
      {Data(header + "\"Open=\"x\r\n"), "line 5: a value name without ="},
      {Data(header + "\"Text\"=\"x\" tail\r\n"), "line 5: text after the closing quote"},
      {Data(header + "\"N\"=dword:123456789\r\n"), "line 5: a dword that is not one to eight hex digits"},
      {Data(header + "\"H\"=hex:01,2\r\n"), "line 5: hex data that is not two-digit bytes between commas"},
      {Data(header + "\"H\"=hex:01,\r\n"), "line 5: hex data that ends in a comma"},
      {Data(header + "\"H\"=hex(x):01\r\n"), "line 5: a hex type that is not a hex number in brackets"},
      {Data(header + "\"H\"=hex:01,\\\r\n"), "line 5: hex data that goes on past the end of the file"},
      {Data(header + "\"S\"=string\r\n"), "line 5: unknown value data"},
      {Data(header + "[HKEY_CURRENT_CONFIG\\X]\r\n"), "line 5: unknown root key \"HKEY_CURRENT_CONFIG\""},
      {Data(header + "[-HKEY_CURRENT_USER]\r\n"), "line 5: the removal of a whole root key"},
      {Data(header + "[HKEY_CURRENT_USER\\X\r\n"), "line 5: a key without its closing ]"},
      {Data(header + "junk\r\n"), "line 5: not a key, a value or a comment"},
      {Unicode(u"Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\X]\r\n", {0x41}),
       "line 4: the file ends in the middle of a UTF-16 character"},
      {Unicode(u"Windows Registry Editor Version 5.00\r\n[HKEY_CURRENT_USER\\\u4e00]\r\n"),
       "line 2: a character the system code page cannot hold"},
      {Unicode(u"Windows Registry Editor Version 5.00\r\n[HKEY_CURRENT_USER\\X]\r\n\"S\"=hex(1):41\r\n"),
       "line 3: UTF-16 text data of an odd number of bytes"},
  };
  for (const auto& bad : cases) {
    const ReadChanges read = ReadRegFile(bad.file);
    EXPECT_EQ(read.error, bad.error);
    EXPECT_TRUE(read.changes.empty()) << bad.error;
  }
}

}  // namespace
}  // namespace kdw
