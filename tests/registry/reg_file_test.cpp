// The exported .reg text: byte for byte against files written by hand, and
// read back by an independent reader over many generated values.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "registry/reg_file.h"
#include "registry/registry_api.h"
#include "tests/registry/reg_reader.h"

namespace kdw {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes B(std::initializer_list<int> bytes) {
  Bytes out;
  for (int b : bytes) out.push_back(static_cast<std::uint8_t>(b));
  return out;
}

Bytes Text(const std::string& text) { return Bytes(text.begin(), text.end()); }

// Text with its terminating NUL, as RegQueryValueExA gives a REG_SZ.
Bytes Sz(const std::string& text) {
  Bytes out = Text(text);
  out.push_back(0);
  return out;
}

Bytes Counting(int first, int count) {
  Bytes out;
  for (int i = 0; i < count; ++i) out.push_back(static_cast<std::uint8_t>(first + i));
  return out;
}

RegFileValue Value(const std::string& name, ValueType type, Bytes data) {
  return RegFileValue{name, true, type, std::move(data)};
}
// Types the program never writes, by their numbers.
RegFileValue Value(const std::string& name, std::uint32_t type, Bytes data) {
  return Value(name, static_cast<ValueType>(type), std::move(data));
}

RegFileValue Deleted(const std::string& name) { return RegFileValue{name, false, ValueType::kNone, {}}; }

std::string ReadGolden(const std::string& name) {
  std::ifstream in(std::string(KDW_REG_GOLDEN_DIR) + "/" + name, std::ios::binary);
  EXPECT_TRUE(in) << "missing golden file " << name;
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Where two texts first differ, with a little context, so a failure shows the line.
std::string FirstDifference(const std::string& expected, const std::string& actual) {
  std::size_t i = 0;
  while (i < expected.size() && i < actual.size() && expected[i] == actual[i]) ++i;
  const std::size_t from = i < 40 ? 0 : i - 40;
  std::ostringstream out;
  out << "first difference at byte " << i << "\nexpected: ..."
      << testing::PrintToString(expected.substr(from, 80)) << "\nactual:   ..."
      << testing::PrintToString(actual.substr(from, 80));
  return out.str();
}

bool HasNul(const Bytes& data) {
  for (std::uint8_t b : data) {
    if (b == 0) return true;
  }
  return false;
}

// What an import of the file gives back is what was exported, except that a
// text value without its NUL comes back with one.
void ExpectSameAfterImport(const std::vector<RegFileKey>& sent,
                           const std::vector<RegFileKey>& read) {
  ASSERT_EQ(sent.size(), read.size());
  for (std::size_t k = 0; k < sent.size(); ++k) {
    SCOPED_TRACE("key " + std::to_string(k) + " " + sent[k].path);
    EXPECT_EQ(sent[k].hive, read[k].hive);
    EXPECT_EQ(sent[k].path, read[k].path);
    EXPECT_EQ(sent[k].remove, read[k].remove);
    if (sent[k].remove) {
      EXPECT_TRUE(read[k].values.empty());
      continue;
    }
    ASSERT_EQ(sent[k].values.size(), read[k].values.size());
    for (std::size_t v = 0; v < sent[k].values.size(); ++v) {
      const RegFileValue& want = sent[k].values[v];
      const RegFileValue& got = read[k].values[v];
      SCOPED_TRACE("value " + std::to_string(v) + " " + testing::PrintToString(want.name));
      EXPECT_EQ(want.name, got.name);
      EXPECT_EQ(want.present, got.present);
      if (!want.present) continue;
      EXPECT_EQ(want.type, got.type);
      Bytes with_nul = want.data;
      with_nul.push_back(0);
      const bool nul_added = want.type == regtype::kSz && !HasNul(want.data) && got.data == with_nul;
      if (!nul_added) {
        EXPECT_EQ(want.data, got.data);
      }
    }
  }
}

void ExpectGolden(const std::string& file, const std::vector<RegFileKey>& keys,
                  const std::vector<RegFileKey>& imported) {
  const std::string golden = ReadGolden(file);
  const std::string written = FormatRegFile(keys);
  EXPECT_EQ(golden, written) << FirstDifference(golden, written);
  // The hand-written file says what it was meant to say.
  const test::ReadRegFile read = test::ReadRegText(golden);
  ASSERT_EQ("", read.error);
  ExpectSameAfterImport(imported, read.keys);
}

void ExpectGolden(const std::string& file, const std::vector<RegFileKey>& keys) {
  ExpectGolden(file, keys, keys);
}

TEST(RegFileGolden, EachTypeAndTheDefaultValue) {
  const std::vector<RegFileKey> keys = {
      {HKLM, "Software\\Kelmor\\Types", false,
       {
           Value("", regtype::kSz, Sz("Default text")),
           Value("Text", regtype::kSz, Text("Kelmor Deskwarden")),
           Value("TextNul", regtype::kSz, Sz("ends in one NUL")),
           Value("Empty", regtype::kSz, {}),
           Value("EmptyNul", regtype::kSz, B({0})),
           Value("Accents", regtype::kSz, Sz("caf\xe9 cr\xe8me")),
           Value("InnerNul", regtype::kSz, B({'a', 0, 'b', 0})),
           Value("TwoNuls", regtype::kSz, B({'a', 'b', 0, 0})),
           Value("OnlyNuls", regtype::kSz, B({0, 0})),
           Value("CR", regtype::kSz, B({'a', '\r', 'b', 0})),
           Value("LF", regtype::kSz, B({'a', '\n', 'b'})),
           Value("Dword", regtype::kDword, B({1, 0, 0, 0})),
           Value("Big", regtype::kDword, B({0xef, 0xbe, 0xad, 0xde})),
           Value("Short", regtype::kDword, B({1, 2, 3})),
           Value("Wide", regtype::kDword, B({1, 0, 0, 0, 0})),
           Value("NoDword", regtype::kDword, {}),
           Value("Expand", regtype::kExpandSz, Sz("%SystemRoot%")),
           Value("Multi", regtype::kMultiSz, B({'a', 0, 'b', 0, 0})),
           Value("Binary", regtype::kBinary, B({0x00, 0xff, 0x10})),
           Value("NoBytes", regtype::kBinary, {}),
           Value("None", regtype::kNone, {}),
           Value("NoneByte", regtype::kNone, B({0x7f})),
           Value("Qword", 11, B({1, 2, 3, 4, 5, 6, 7, 8})),
           Value("Odd", 0x1a, B({0xaa})),
           Value("Vendor", 0x80000001u, B({1})),
       }},
  };
  ExpectGolden("types.reg", keys);
}

TEST(RegFileGolden, EscapingOfNamesAndText) {
  const std::vector<RegFileKey> keys = {
      {HKCU, "Software\\Kelmor\\Say \"hi\"", false,
       {
           Value("", regtype::kSz, Sz("say \"hi\"")),
           Value("Back\\slash", regtype::kSz, Sz("C:\\Program Files\\Kelmor\\")),
           Value("Quote\"d", regtype::kSz, Sz("\"\"")),
           Value("@", regtype::kSz, Sz("not the default")),
           Value("\\\\server\\share", regtype::kSz, Sz("\\\\server\\share")),
           Value("Mixed \\\" name", regtype::kSz, Sz("a\\\"b")),
           Value("Semi;colon = [sign]", regtype::kSz, Sz("[HKEY_LOCAL_MACHINE\\x]")),
           Value("Tab\there", regtype::kSz, Sz("=-")),
       }},
  };
  ExpectGolden("escaping.reg", keys);
}

TEST(RegFileGolden, DeletedValuesAndRemovedKeys) {
  const std::vector<RegFileKey> keys = {
      {HKCU, "Software\\Kelmor\\Deletions", false,
       {
           Deleted("Gone"),
           Deleted(""),
           Value("Kept", regtype::kDword, B({2, 0, 0, 0})),
           // The type and data of a deleted value do not matter.
           RegFileValue{"Quote\"Gone\\", false, regtype::kSz, Sz("ignored")},
       }},
      // The values of a removed key are not written.
      {HKLM, "Software\\Kelmor\\Old", true,
       {Value("Stale", regtype::kSz, Sz("x")), Deleted("Other")}},
      {HKCR, ".kdw", true, {}},
      {HKU, ".DEFAULT\\Control Panel\\Desktop", false, {Value("Wallpaper", regtype::kSz, Sz(""))}},
      {HKCU, "Software\\Kelmor\\Empty", false, {}},
  };
  ExpectGolden("deletions.reg", keys);
}

TEST(RegFileGolden, LongHexDataWraps) {
  const std::vector<RegFileKey> keys = {
      {HKCU, "Software\\Kelmor\\Wrapping", false,
       {
           Value("Fits", regtype::kBinary, Counting(0, 22)),
           Value("Wrap", regtype::kBinary, Counting(0, 23)),
           Value("Wrap13", regtype::kBinary, Counting(0, 23)),
           Value("Full", regtype::kBinary, Counting(0, 47)),
           Value("Long", regtype::kBinary, Counting(0, 100)),
           Value("", regtype::kBinary, Counting(0, 30)),
           Value("Path", regtype::kExpandSz, Counting(0x40, 30)),
           Value("a\\b\\c\\d", regtype::kBinary, Counting(0, 25)),
           Value(std::string(75, 'N'), regtype::kMultiSz, Counting(0, 3)),
       }},
  };
  ExpectGolden("wrapping.reg", keys);
}

// A line break in a name or path would end the line early and let the rest
// be read as a key or value of its own; such entries are left out, and so is
// a removal of a whole root key.
TEST(RegFileGolden, WhatCannotBeWrittenIsLeftOut) {
  const std::vector<RegFileKey> keys = {
      {0x80000005u, "Software", false, {Value("v", regtype::kSz, Sz("x"))}},
      {HKCU, "Software\\Kelmor\\Names", false,
       {
           Value("Before", regtype::kDword, B({1, 0, 0, 0})),
           Value("x\r\n[HKEY_LOCAL_MACHINE\\Software]", regtype::kSz, Sz("y")),
           Deleted("a\nb"),
           Value(std::string("nul\0inside", 10), regtype::kSz, Sz("y")),
           Value("After", regtype::kDword, B({2, 0, 0, 0})),
       }},
      {HKLM, "Software\r\n[-HKEY_LOCAL_MACHINE\\Software]", false,
       {Value("v", regtype::kSz, Sz("x"))}},
      {HKLM, std::string("Software\0x", 10), true, {}},
      {HKCU, "", true, {}},
      {HKCU, "", false, {Value("AtRoot", regtype::kSz, Sz("x"))}},
  };
  const std::vector<RegFileKey> imported = {
      {HKCU, "Software\\Kelmor\\Names", false,
       {
           Value("Before", regtype::kDword, B({1, 0, 0, 0})),
           Value("After", regtype::kDword, B({2, 0, 0, 0})),
       }},
      {HKCU, "", false, {Value("AtRoot", regtype::kSz, Sz("x"))}},
  };
  ExpectGolden("left_out.reg", keys, imported);
}

// --- Generated values, written and read back ---------------------------

class Generator {
 public:
  explicit Generator(std::uint32_t seed) : random_(seed) {}

  std::vector<RegFileKey> Keys(int count) {
    static constexpr std::uint32_t kHives[] = {HKCR, HKCU, HKLM, HKU};
    std::vector<RegFileKey> keys;
    for (int k = 0; k < count; ++k) {
      RegFileKey key{kHives[Below(4)], Path(), Below(10) == 0, {}};
      const int values = static_cast<int>(Below(30));
      for (int v = 0; v < values; ++v) key.values.push_back(NextValue());
      keys.push_back(std::move(key));
    }
    return keys;
  }

 private:
  std::uint32_t Below(std::uint32_t n) {
    return std::uniform_int_distribution<std::uint32_t>(0, n - 1)(random_);
  }

  // Any byte but NUL, CR and LF, with the characters that matter to the
  // format often.
  char NameChar() {
    static constexpr char kFormatChars[] = "\\\"@=;[]-, \t\xe9\xff";
    if (Below(3) == 0) return kFormatChars[Below(sizeof kFormatChars - 1)];
    for (;;) {
      const char c = static_cast<char>(Below(256));
      if (c != '\0' && c != '\r' && c != '\n') return c;
    }
  }

  std::string Path() {
    std::string path;
    const int parts = 1 + static_cast<int>(Below(4));
    for (int p = 0; p < parts; ++p) {
      if (p > 0) path += '\\';
      const int length = 1 + static_cast<int>(Below(12));
      for (int i = 0; i < length; ++i) {
        char c = NameChar();
        if (c == '\\') c = '_';
        path += c;
      }
    }
    return path;
  }

  Bytes RandomBytes(std::size_t length) {
    Bytes data;
    for (std::size_t i = 0; i < length; ++i) data.push_back(static_cast<std::uint8_t>(Below(256)));
    return data;
  }

  RegFileValue NextValue() {
    RegFileValue value;
    const std::uint32_t name_kind = Below(10);
    const std::size_t name_length = name_kind == 0 ? 0 : name_kind == 1 ? 60 + Below(40) : 1 + Below(16);
    for (std::size_t i = 0; i < name_length; ++i) value.name += NameChar();
    if (Below(10) == 0) {
      value.present = false;
      return value;
    }
    static constexpr std::uint32_t kTypes[] = {0, 1, 1, 1, 2, 3, 3, 4, 4, 4, 7, 11};
    value.type = static_cast<ValueType>(Below(8) == 0 ? static_cast<std::uint32_t>(random_()) : kTypes[Below(12)]);
    if (value.type == regtype::kSz && Below(2) == 0) {
      // Text, with or without its NUL; now and then a NUL, CR or LF in it.
      const std::size_t length = Below(120);
      for (std::size_t i = 0; i < length; ++i) value.data.push_back(static_cast<std::uint8_t>(NameChar()));
      if (length > 0 && Below(8) == 0) {
        static constexpr std::uint8_t kBreakers[] = {0, '\r', '\n'};
        value.data[Below(static_cast<std::uint32_t>(length))] = kBreakers[Below(3)];
      }
      if (Below(3) != 0) value.data.push_back(0);
      if (Below(10) == 0) value.data.push_back(0);
    } else if (value.type == regtype::kDword && Below(5) != 0) {
      value.data = RandomBytes(4);
    } else {
      value.data = RandomBytes(Below(4) == 0 ? Below(8) : Below(400));
    }
    return value;
  }

  std::mt19937 random_;
};

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(text.substr(start, end - start));
  }
  return lines;
}

// Wrapped hex lines are filled as far as they go and stay within 80
// characters; only a first line with a long name may pass that, and then it
// holds a single byte.
void ExpectHexLinesWrapped(const std::string& text) {
  const std::vector<std::string> lines = Lines(text);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    const bool continuation = line.rfind("  ", 0) == 0;
    const bool wrapped = !line.empty() && line.back() == '\\' &&
                         (continuation || line.find("=hex") != std::string::npos);
    if (wrapped) {
      EXPECT_GT(line.size() - 1, 76u) << "line " << i << " could hold another byte: " << line;
      const bool single_byte = !continuation && line.size() >= 5 &&
                               line[line.size() - 5] == ':';
      if (!single_byte) {
        EXPECT_LE(line.size(), 80u) << "line " << i << ": " << line;
      }
    } else if (continuation) {
      EXPECT_LE(line.size(), 80u) << "line " << i << ": " << line;
    }
  }
}

TEST(RegFileRoundTrip, GeneratedValuesReadBackUnchanged) {
  for (std::uint32_t seed = 1; seed <= 8; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    const std::vector<RegFileKey> keys = Generator(seed).Keys(25);
    const std::string text = FormatRegFile(keys);
    const test::ReadRegFile read = test::ReadRegText(text);
    ASSERT_EQ("", read.error);
    ExpectSameAfterImport(keys, read.keys);
    ExpectHexLinesWrapped(text);
  }
}

}  // namespace
}  // namespace kdw
