#include "registry/reg_import.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "base/text.h"
#include "registry/code_page.h"
#include "registry/reg_file.h"

namespace kdw {
namespace {

constexpr char kUnicodeHeader[] = "Windows Registry Editor Version 5.00";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// One to eight hex digits and nothing else.
std::optional<std::uint32_t> HexNumber(std::string_view digits) {
  if (digits.empty() || digits.size() > 8) return std::nullopt;
  std::uint32_t number = 0;
  for (const char c : digits) {
    const int digit = HexDigit(c);
    if (digit < 0) return std::nullopt;
    number = number << 4 | static_cast<std::uint32_t>(digit);
  }
  return number;
}

// Thrown with the reason; Read turns it into the file's error.
struct Bad {
  std::size_t line;
  std::string what;
};

class Reader {
 public:
  Reader(std::vector<std::string> lines, bool unicode)
      : lines_(std::move(lines)), unicode_(unicode) {}

  std::vector<RegistryChange> Read() {
    const char* header = unicode_ ? kUnicodeHeader : kRegFileHeader;
    if (lines_.empty() || Trimmed(lines_[0]) != header) {
      throw Bad{1, std::string("not a registry file: the first line is not \"") + header + "\""};
    }
    for (at_ = 1; at_ < lines_.size(); ++at_) Line(Trimmed(lines_[at_]));
    return std::move(changes_);
  }

 private:
  [[noreturn]] void Fail(const std::string& what) const { throw Bad{at_ + 1, what}; }

  void Line(std::string_view line) {
    if (line.empty() || line.front() == ';') return;
    if (line.front() == '[') return Key(line);
    if (line.front() == '"' || line.front() == '@') return Value(line);
    Fail("not a key, a value or a comment");
  }

  void Key(std::string_view line) {
    if (line.back() != ']') Fail("a key without its closing ]");
    line = line.substr(1, line.size() - 2);
    const bool remove = !line.empty() && line.front() == '-';
    if (remove) line.remove_prefix(1);
    const std::size_t cut = line.find('\\');
    const std::string root(line.substr(0, cut));
    Hive hive;
    if (!HiveFromName(root, &hive)) Fail("unknown root key \"" + root + "\"");
    std::string path(cut == std::string_view::npos ? std::string_view() : line.substr(cut + 1));
    while (!path.empty() && path.back() == '\\') path.pop_back();
    if (remove && path.empty()) Fail("the removal of a whole root key");
    if (remove) {
      changes_.push_back(RegistryChange::Of(RegistryChange::kDeleteKey, hive, path));
      key_.reset();
    } else {
      changes_.push_back(RegistryChange::Of(RegistryChange::kCreateKey, hive, path));
      key_ = RegistryChange::Of(RegistryChange::kSetValue, hive, path);
    }
  }

  // A quoted text from `*at` (on its opening quote) to its closing quote,
  // \\ and \" read as the characters they stand for.
  std::string Quoted(std::string_view line, std::size_t* at) const {
    std::string text;
    for (std::size_t i = *at + 1; i < line.size(); ++i) {
      if (line[i] == '"') {
        *at = i + 1;
        return text;
      }
      if (line[i] == '\\') {
        if (i + 1 >= line.size() || (line[i + 1] != '\\' && line[i + 1] != '"')) {
          Fail("a bad escape (only \\\\ and \\\" are known)");
        }
        ++i;
      }
      text += line[i];
    }
    Fail("a text without its closing quote");
  }

  void Value(std::string_view line) {
    if (!key_) Fail("a value outside a key");
    RegistryChange change = *key_;
    std::size_t at = 0;
    if (line.front() == '@') {
      at = 1;
    } else {
      change.name = Quoted(line, &at);
    }
    std::string_view rest = Trimmed(line.substr(at));
    if (rest.empty() || rest.front() != '=') Fail("a value name without =");
    rest = Trimmed(rest.substr(1));
    if (rest == "-") {
      change.kind = RegistryChange::kDeleteValue;
    } else if (!rest.empty() && rest.front() == '"') {
      std::size_t end = 0;
      const std::string text = Quoted(rest, &end);
      if (end != rest.size()) Fail("text after the closing quote");
      change.type = regtype::kSz;
      change.data.assign(text.begin(), text.end());
      change.data.push_back(0);
    } else if (rest.starts_with("dword:")) {
      const auto number = HexNumber(rest.substr(6));
      if (!number) Fail("a dword that is not one to eight hex digits");
      change.type = regtype::kDword;
      for (int shift = 0; shift < 32; shift += 8)
        change.data.push_back(static_cast<std::uint8_t>(*number >> shift));
    } else if (rest.starts_with("hex")) {
      Hex(rest.substr(3), &change);
    } else {
      Fail("unknown value data");
    }
    changes_.push_back(std::move(change));
  }

  // After "hex": "(N)" or nothing, ':', then bytes, lines joined where
  // they end in a backslash.
  void Hex(std::string_view rest, RegistryChange* change) {
    const std::size_t first_line = at_;
    change->type = regtype::kBinary;
    if (!rest.empty() && rest.front() == '(') {
      const std::size_t close = rest.find(')');
      const auto number = close == std::string_view::npos ? std::nullopt : HexNumber(rest.substr(1, close - 1));
      if (!number) Fail("a hex type that is not a hex number in brackets");
      change->type = static_cast<ValueType>(*number);
      rest.remove_prefix(close + 1);
    }
    if (rest.empty() || rest.front() != ':') Fail("hex data without :");
    std::string digits(Trimmed(rest.substr(1)));
    while (!digits.empty() && digits.back() == '\\') {
      digits.pop_back();
      if (++at_ >= lines_.size()) {
        at_ = first_line;
        Fail("hex data that goes on past the end of the file");
      }
      digits += Trimmed(lines_[at_]);
    }
    std::vector<std::uint8_t> bytes;
    std::string_view list = digits;
    while (!list.empty()) {
      const std::size_t comma = list.find(',');
      const std::string_view byte = Trimmed(list.substr(0, comma));
      const auto number = byte.size() == 2 ? HexNumber(byte) : std::nullopt;
      if (!number) Fail("hex data that is not two-digit bytes between commas");
      bytes.push_back(static_cast<std::uint8_t>(*number));
      if (comma == std::string_view::npos) break;
      list.remove_prefix(comma + 1);
      if (list.empty()) Fail("hex data that ends in a comma");
    }
    const ValueType type = change->type;
    if (unicode_ && IsTextType(type)) {
      if (bytes.size() % 2 != 0) Fail("UTF-16 text data of an odd number of bytes");
      const std::u16string wide = Utf16FromLittleEndian(bytes);
      std::string text;
      if (!CodePageFromUtf16(wide, &text)) Fail("text the system code page cannot hold");
      bytes.assign(text.begin(), text.end());
    }
    change->data = std::move(bytes);
  }

  std::vector<std::string> lines_;
  bool unicode_;
  std::size_t at_ = 0;
  std::optional<RegistryChange> key_;  // the key values go to; none at first or after a removal
  std::vector<RegistryChange> changes_;
};

// Lines split at LF, a CR before it dropped; the LF that ends the file
// begins no line of its own.
template <typename Text>
std::vector<Text> SplitLines(const Text& text) {
  std::vector<Text> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find(typename Text::value_type('\n'), start);
    if (end == Text::npos) end = text.size();
    Text line = text.substr(start, end - start);
    if (!line.empty() && line.back() == typename Text::value_type('\r')) line.pop_back();
    lines.push_back(std::move(line));
    start = end + 1;
  }
  return lines;
}

ReadChanges Failed(std::size_t line, const std::string& what) {
  return {{}, "line " + std::to_string(line) + ": " + what};
}

}  // namespace

bool HiveFromName(const std::string& name, Hive* hive) {
  for (const Hive known : {HKCR, HKCU, HKLM, HKU}) {
    if (SameName(name, HiveName(known))) {
      *hive = known;
      return true;
    }
  }
  return false;
}

ReadChanges ReadRegFile(std::span<const std::uint8_t> bytes) {
  const bool unicode = bytes.size() >= 2 && bytes[0] == 0xff && bytes[1] == 0xfe;
  std::vector<std::string> lines;
  if (unicode) {
    const std::u16string wide = Utf16FromLittleEndian(bytes.subspan(2));
    if (bytes.size() % 2 != 0) {
      const auto breaks = std::count(wide.begin(), wide.end(), u'\n');
      return Failed(static_cast<std::size_t>(breaks) + 1,
                    "the file ends in the middle of a UTF-16 character");
    }
    const std::vector<std::u16string> wide_lines = SplitLines(wide);
    for (const std::u16string& wide_line : wide_lines) {
      std::string line;
      if (!CodePageFromUtf16(wide_line, &line)) {
        return Failed(lines.size() + 1, "a character the system code page cannot hold");
      }
      lines.push_back(std::move(line));
    }
  } else {
    lines = SplitLines(std::string(bytes.begin(), bytes.end()));
  }
  try {
    return {Reader(std::move(lines), unicode).Read(), {}};
  } catch (const Bad& bad) {
    return Failed(bad.line, bad.what);
  }
}

}  // namespace kdw
