#include "registry/reg_file.h"

#include <cstddef>

#include "registry/registry_api.h"

namespace kdw {
namespace {

constexpr char kEol[] = "\r\n";

// Hex data wraps the way regedit lays it out: bytes go on the line one by
// one, each followed by its comma except the last; once a comma leaves the
// line longer than 76 characters and more bytes follow, the line ends there
// with a backslash and the next one starts with two spaces. So a line never
// passes 80 characters with its backslash, a continuation line holds 25
// bytes, and the first line holds at least one byte however long the name.
constexpr std::size_t kWrapAfter = 76;
constexpr char kIndent[] = "  ";

bool HoldsLineBreakOrNul(const std::string& text) {
  return text.find_first_of(std::string("\0\r\n", 3)) != std::string::npos;
}

// Appends text between quotes with \ and " escaped by a backslash.
void AppendQuoted(std::string& out, const char* begin, const char* end) {
  out += '"';
  for (const char* p = begin; p != end; ++p) {
    if (*p == '\\' || *p == '"') out += '\\';
    out += *p;
  }
  out += '"';
}

void AppendQuoted(std::string& out, const std::string& text) {
  AppendQuoted(out, text.data(), text.data() + text.size());
}

void AppendName(std::string& out, const std::string& name) {
  if (name.empty()) {
    out += '@';
  } else {
    AppendQuoted(out, name);
  }
}

// True when the data can be written as "text" and imported back unchanged
// but for the terminating NUL regedit adds: no NUL before the last byte, at
// most one NUL at the end, and no CR or LF (a line break would split the
// line in the file).
bool IsPlainText(const std::vector<std::uint8_t>& data) {
  std::size_t length = data.size();
  if (length > 0 && data[length - 1] == 0) --length;
  for (std::size_t i = 0; i < length; ++i) {
    if (data[i] == 0 || data[i] == '\r' || data[i] == '\n') return false;
  }
  return true;
}

// `line_start` is where the current line begins in `out`, so that the
// wrapping can measure it.
void AppendHexBytes(std::string& out, std::size_t line_start,
                    const std::vector<std::uint8_t>& data) {
  static constexpr char kDigits[] = "0123456789abcdef";
  for (std::size_t i = 0; i < data.size(); ++i) {
    out += kDigits[data[i] >> 4];
    out += kDigits[data[i] & 0x0f];
    if (i + 1 == data.size()) break;
    out += ',';
    if (out.size() - line_start > kWrapAfter) {
      out += '\\';
      out += kEol;
      line_start = out.size();
      out += kIndent;
    }
  }
}

std::string HexNumber(std::uint32_t number) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string text;
  do {
    text.insert(text.begin(), kDigits[number & 0x0f]);
    number >>= 4;
  } while (number != 0);
  return text;
}

void AppendValue(std::string& out, const RegFileValue& value) {
  const std::size_t line_start = out.size();
  AppendName(out, value.name);
  out += '=';
  if (!value.present) {
    out += '-';
  } else if (value.type == regtype::kSz && IsPlainText(value.data)) {
    const char* begin = reinterpret_cast<const char*>(value.data.data());
    std::size_t length = value.data.size();
    if (length > 0 && value.data[length - 1] == 0) --length;
    AppendQuoted(out, begin, begin + length);
  } else if (value.type == regtype::kDword && value.data.size() == 4) {
    const std::uint32_t number = std::uint32_t{value.data[0]} |
                                 std::uint32_t{value.data[1]} << 8 |
                                 std::uint32_t{value.data[2]} << 16 |
                                 std::uint32_t{value.data[3]} << 24;
    std::string digits = HexNumber(number);
    out += "dword:";
    out.append(8 - digits.size(), '0');
    out += digits;
  } else {
    out += "hex";
    if (value.type != regtype::kBinary) {
      out += '(';
      out += HexNumber(TypeNumber(value.type));
      out += ')';
    }
    out += ':';
    AppendHexBytes(out, line_start, value.data);
  }
  out += kEol;
}

void AppendKey(std::string& out, const RegFileKey& key) {
  const std::string hive = HiveName(key.hive);
  if (hive.empty()) {
    out += "; Left out: a key under an unknown root key.";
  } else if (HoldsLineBreakOrNul(key.path)) {
    out += "; Left out: a key whose path holds a line break or NUL.";
  } else if (key.remove && key.path.empty()) {
    out += "; Left out: the removal of a whole root key.";
  } else {
    out += key.remove ? "[-" : "[";
    out += hive;
    if (!key.path.empty()) {
      out += '\\';
      out += key.path;
    }
    out += ']';
    out += kEol;
    if (!key.remove) {
      for (const RegFileValue& value : key.values) {
        if (HoldsLineBreakOrNul(value.name)) {
          out += "; Left out: a value whose name holds a line break or NUL.";
          out += kEol;
        } else {
          AppendValue(out, value);
        }
      }
    }
    out += kEol;
    return;
  }
  out += kEol;
  out += kEol;
}

}  // namespace

const char* HiveName(std::uint32_t hive) {
  switch (hive) {
    case HKCR: return "HKEY_CLASSES_ROOT";
    case HKCU: return "HKEY_CURRENT_USER";
    case HKLM: return "HKEY_LOCAL_MACHINE";
    case HKU: return "HKEY_USERS";
    default: return "";
  }
}

std::string FormatRegFile(std::span<const RegFileKey> keys) {
  std::string out = kRegFileHeader;
  out += kEol;
  out += kEol;
  for (const RegFileKey& key : keys) AppendKey(out, key);
  return out;
}

std::string KeyPath(std::uint32_t hive, const std::string& key) {
  return std::string(HiveName(hive)) + "\\" + key;
}

std::string ValuePath(std::uint32_t hive, const std::string& key, const std::string& name) {
  return KeyPath(hive, key) + "\\" + (name.empty() ? std::string("(Default)") : name);
}

}  // namespace kdw
