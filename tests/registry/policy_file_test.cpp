// Policy files byte for byte against entries laid out by hand from the
// format.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "registry/policy_file.h"

namespace kdw {
namespace {

using Bytes = std::vector<std::uint8_t>;

const Bytes kHeader = {'P', 'R', 'e', 'g', 1, 0, 0, 0};

// UTF-16LE of ASCII text, each character then a zero byte.
Bytes W(const std::string& text) {
  Bytes out;
  for (char c : text) out.insert(out.end(), {static_cast<std::uint8_t>(c), 0});
  return out;
}

Bytes Cat(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const Bytes& part : parts) out.insert(out.end(), part.begin(), part.end());
  return out;
}

// One entry: [key NUL ; value NUL ; type ; size ; data ], with the type and
// size as the four bytes given.
Bytes Entry(const std::string& key, const std::string& value, Bytes type, Bytes size, Bytes data) {
  return Cat({W("["), W(key), W(std::string(1, '\0')), W(";"), W(value), W(std::string(1, '\0')),
              W(";"), type, W(";"), size, W(";"), data, W("]")});
}

TEST(PolicyFile, EachTypeIsLaidOutAsTheFormatSays) {
  PolicyFile file;
  EXPECT_EQ(file.bytes(), kHeader);

  const std::uint8_t number[] = {0x78, 0x56, 0x34, 0x12};
  file.SetValue("K", "V", regtype::kDword, number);
  // Every byte written out once, to pin the layout down.
  const Bytes dword = {'[', 0, 'K', 0, 0,    0,    ';',  0,    'V', 0, 0, 0, ';', 0, 4, 0,
                       0,   0, ';', 0, 4,    0,    0,    0,    ';', 0, 0x78, 0x56, 0x34, 0x12,
                       ']', 0};
  EXPECT_EQ(file.bytes(), Cat({kHeader, dword}));

  const char text[] = "C:\\Docs";  // with its NUL, as RegQueryValueExA gives it
  file.SetValue("Software\\Policies\\Kelmor", "Folder", regtype::kSz,
                {reinterpret_cast<const std::uint8_t*>(text), sizeof text});
  const char expand[] = "%SystemRoot%\\x";
  file.SetValue("Software\\Policies\\Kelmor", "", regtype::kExpandSz,
                {reinterpret_cast<const std::uint8_t*>(expand), sizeof expand});
  const std::uint8_t binary[] = {0x00, 0x01, 0xfe};
  file.SetValue("Software\\Policies\\Kelmor", "Bits", regtype::kBinary, binary);
  EXPECT_EQ(file.bytes(),
            Cat({kHeader, dword,
                 Entry("Software\\Policies\\Kelmor", "Folder", {1, 0, 0, 0}, {16, 0, 0, 0},
                       W(std::string("C:\\Docs\0", 8))),
                 Entry("Software\\Policies\\Kelmor", "", {2, 0, 0, 0}, {30, 0, 0, 0},
                       W(std::string("%SystemRoot%\\x\0", 15))),
                 Entry("Software\\Policies\\Kelmor", "Bits", {3, 0, 0, 0}, {3, 0, 0, 0},
                       {0x00, 0x01, 0xfe})}));
}

TEST(PolicyFile, TextOfTheCodePageBecomesUtf16WithItsNulsKept) {
  PolicyFile file;
  // "Größe" and a euro sign in code page 1252; a NUL inside the data stays.
  const std::uint8_t data[] = {0x80, 0, 'a', 0};
  file.SetValue("Gr\xf6\xdf" "e", "\x80", regtype::kSz, data);
  const Bytes key = {'G', 0, 'r', 0, 0xf6, 0, 0xdf, 0, 'e', 0};
  EXPECT_EQ(file.bytes(),
            Cat({kHeader, W("["), key, W(std::string(1, '\0')), W(";"), {0xac, 0x20, 0, 0},
                 W(";"), {1, 0, 0, 0}, W(";"), {8, 0, 0, 0}, W(";"),
                 {0xac, 0x20, 0, 0, 'a', 0, 0, 0}, W("]")}));
}

TEST(PolicyFile, RemovalsAreTheCommandsGroupPolicyReads) {
  PolicyFile file;
  file.DeleteValue("Software\\Policies\\Kelmor", "NoRun");
  file.DeleteValue("Software\\Policies\\Kelmor", "");  // the default value
  file.DeleteAllValues("Software\\Policies\\Kelmor\\DisallowRun");
  const std::string subkeys[] = {"EditText", "Other"};
  file.DeleteSubkeys("Software\\Classes\\*\\shell", subkeys);
  const Bytes nul = {0, 0};
  EXPECT_EQ(file.bytes(),
            Cat({kHeader,
                 Entry("Software\\Policies\\Kelmor", "**del.NoRun", {1, 0, 0, 0}, {2, 0, 0, 0}, nul),
                 Entry("Software\\Policies\\Kelmor", "**del.", {1, 0, 0, 0}, {2, 0, 0, 0}, nul),
                 Entry("Software\\Policies\\Kelmor\\DisallowRun", "**delvals.", {1, 0, 0, 0},
                       {2, 0, 0, 0}, nul),
                 Entry("Software\\Classes\\*\\shell", "**DeleteKeys", {1, 0, 0, 0}, {30, 0, 0, 0},
                       W(std::string("EditText;Other\0", 15)))}));

  // What applying would misread is left out: a name read as a command, a
  // subkey name holding the separator, an empty list.
  PolicyFile odd;
  odd.SetValue("K", "**del.NoRun", regtype::kDword, std::span<const std::uint8_t>());
  odd.DeleteValue("K", "**delvals.");
  const std::string bad[] = {"a;b", ""};
  odd.DeleteSubkeys("K", bad);
  odd.DeleteSubkeys("K", {});
  EXPECT_EQ(odd.bytes(), kHeader);
}

}  // namespace
}  // namespace kdw
