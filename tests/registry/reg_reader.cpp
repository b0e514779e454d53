#include "tests/registry/reg_reader.h"

#include <cstdint>
#include <stdexcept>

#include "registry/registry_api.h"

namespace kdw::test {
namespace {

struct Failure : std::runtime_error {
  using std::runtime_error::runtime_error;
};

[[noreturn]] void Fail(std::size_t line, const std::string& what) {
  throw Failure("line " + std::to_string(line + 1) + ": " + what);
}

// Splits at CR LF; a lone CR or LF, or text after the last CR LF, is an error.
std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::string current;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r') {
      if (i + 1 >= text.size() || text[i + 1] != '\n') Fail(lines.size(), "CR without LF");
      lines.push_back(current);
      current.clear();
      ++i;
    } else if (c == '\n') {
      Fail(lines.size(), "LF without CR");
    } else {
      current += c;
    }
  }
  if (!current.empty()) Fail(lines.size(), "last line has no CR LF");
  return lines;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;  // upper case is not what we write, so it counts as wrong
}

// Reads "..." starting at text[pos] == '"'; returns the unescaped text and
// leaves pos after the closing quote.
std::string ReadQuoted(const std::string& text, std::size_t& pos, std::size_t line) {
  if (pos >= text.size() || text[pos] != '"') Fail(line, "expected a quote");
  std::string result;
  for (++pos; pos < text.size(); ++pos) {
    const char c = text[pos];
    if (c == '"') {
      ++pos;
      return result;
    }
    if (c == '\\') {
      if (++pos >= text.size()) break;
      if (text[pos] != '\\' && text[pos] != '"') Fail(line, "unknown escape");
      result += text[pos];
    } else {
      result += c;
    }
  }
  Fail(line, "unterminated quote");
}

std::uint32_t ParseHexNumber(const std::string& digits, std::size_t line) {
  if (digits.empty() || digits.size() > 8) Fail(line, "bad hex number '" + digits + "'");
  std::uint32_t number = 0;
  for (char c : digits) {
    const int d = HexDigit(c);
    if (d < 0) Fail(line, "bad hex digit in '" + digits + "'");
    number = number << 4 | static_cast<std::uint32_t>(d);
  }
  return number;
}

// The bytes after "hex:" or "hex(N):", across continuation lines. `index`
// is the value's first line and is left on its last.
std::vector<std::uint8_t> ReadHexBytes(const std::vector<std::string>& lines, std::size_t& index,
                                       std::string rest) {
  std::vector<std::uint8_t> bytes;
  for (;;) {
    bool continues = false;
    if (!rest.empty() && rest.back() == '\\') {
      continues = true;
      rest.pop_back();
      if (rest.empty() || rest.back() != ',') Fail(index, "line break not after a comma");
    }
    std::size_t pos = 0;
    while (pos < rest.size()) {
      if (pos + 2 > rest.size()) Fail(index, "half a byte");
      const int high = HexDigit(rest[pos]);
      const int low = HexDigit(rest[pos + 1]);
      if (high < 0 || low < 0) Fail(index, "bad byte '" + rest.substr(pos, 2) + "'");
      bytes.push_back(static_cast<std::uint8_t>(high << 4 | low));
      pos += 2;
      if (pos == rest.size()) break;
      if (rest[pos] != ',') Fail(index, "expected a comma");
      ++pos;
      if (pos == rest.size() && !continues) Fail(index, "comma at the end");
    }
    if (!continues) return bytes;
    if (++index >= lines.size()) Fail(index, "continuation past the end");
    const std::string& next = lines[index];
    if (next.size() < 3 || next.compare(0, 2, "  ") != 0 || next[2] == ' ') {
      Fail(index, "continuation not indented by two spaces");
    }
    rest = next.substr(2);
  }
}

RegFileValue ReadValue(const std::vector<std::string>& lines, std::size_t& index) {
  const std::string& line = lines[index];
  RegFileValue value;
  std::size_t pos = 0;
  if (line[0] == '@') {
    pos = 1;
  } else {
    value.name = ReadQuoted(line, pos, index);
    if (value.name.empty()) Fail(index, "empty name instead of @");
  }
  if (pos >= line.size() || line[pos] != '=') Fail(index, "expected =");
  const std::string data = line.substr(pos + 1);
  if (data == "-") {
    value.present = false;
  } else if (!data.empty() && data[0] == '"') {
    std::size_t p = 0;
    const std::string text = ReadQuoted(data, p, index);
    if (p != data.size()) Fail(index, "text after the closing quote");
    value.type = regtype::kSz;
    value.data.assign(text.begin(), text.end());
    value.data.push_back(0);
  } else if (data.rfind("dword:", 0) == 0) {
    const std::string digits = data.substr(6);
    if (digits.size() != 8) Fail(index, "dword needs eight digits");
    const std::uint32_t number = ParseHexNumber(digits, index);
    value.type = regtype::kDword;
    for (int shift = 0; shift < 32; shift += 8) {
      value.data.push_back(static_cast<std::uint8_t>(number >> shift));
    }
  } else if (data.rfind("hex:", 0) == 0) {
    value.type = regtype::kBinary;
    value.data = ReadHexBytes(lines, index, data.substr(4));
  } else if (data.rfind("hex(", 0) == 0) {
    const std::size_t close = data.find("):");
    if (close == std::string::npos) Fail(index, "hex( without ):");
    value.type = static_cast<ValueType>(ParseHexNumber(data.substr(4, close - 4), index));
    value.data = ReadHexBytes(lines, index, data.substr(close + 2));
  } else {
    Fail(index, "unknown data '" + data + "'");
  }
  return value;
}

RegFileKey ReadKeyLine(const std::string& line, std::size_t index) {
  if (line.size() < 2 || line.back() != ']') Fail(index, "key line without ]");
  RegFileKey key{};
  std::size_t start = 1;
  if (line[1] == '-') {
    key.remove = true;
    start = 2;
  }
  const std::string full = line.substr(start, line.size() - 1 - start);
  const std::size_t slash = full.find('\\');
  const std::string root = full.substr(0, slash);
  if (slash != std::string::npos) {
    key.path = full.substr(slash + 1);
    if (key.path.empty()) Fail(index, "empty path after the root");
  }
  if (root == "HKEY_CLASSES_ROOT") {
    key.hive = HKCR;
  } else if (root == "HKEY_CURRENT_USER") {
    key.hive = HKCU;
  } else if (root == "HKEY_LOCAL_MACHINE") {
    key.hive = HKLM;
  } else if (root == "HKEY_USERS") {
    key.hive = HKU;
  } else {
    Fail(index, "unknown root '" + root + "'");
  }
  return key;
}

}  // namespace

ReadRegFile ReadRegText(const std::string& text) {
  ReadRegFile result;
  try {
    const std::vector<std::string> lines = SplitLines(text);
    if (lines.size() < 2 || lines[0] != "REGEDIT4" || !lines[1].empty()) {
      Fail(0, "no REGEDIT4 header and empty line");
    }
    for (std::size_t i = 2; i < lines.size(); ++i) {
      const std::string& line = lines[i];
      if (line.empty() || line[0] == ';') continue;
      if (line[0] == '[') {
        result.keys.push_back(ReadKeyLine(line, i));
      } else if (line[0] == '"' || line[0] == '@') {
        if (result.keys.empty()) Fail(i, "value before any key");
        if (result.keys.back().remove) Fail(i, "value under a removed key");
        result.keys.back().values.push_back(ReadValue(lines, i));
      } else {
        Fail(i, "unexpected line '" + line + "'");
      }
    }
  } catch (const Failure& failure) {
    result.error = failure.what();
  }
  return result;
}

}  // namespace kdw::test
