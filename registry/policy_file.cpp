#include "registry/policy_file.h"

#include "registry/code_page.h"

namespace kdw {
namespace {

using Bytes = std::vector<std::uint8_t>;

void AppendChar(Bytes& out, char16_t c) {
  out.push_back(static_cast<std::uint8_t>(c & 0xff));
  out.push_back(static_cast<std::uint8_t>(c >> 8));
}

void AppendText(Bytes& out, const std::u16string& text) {
  for (const char16_t c : text) AppendChar(out, c);
}

void AppendNumber(Bytes& out, std::uint32_t number) {
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<std::uint8_t>(number >> shift));
}

bool IsCommandName(const std::string& name) { return name.rfind("**", 0) == 0; }

}  // namespace

PolicyFile::PolicyFile() {
  bytes_ = {'P', 'R', 'e', 'g'};
  AppendNumber(bytes_, 1);
}

void PolicyFile::Entry(const std::string& key, const std::u16string& name, ValueType type,
                       std::span<const std::uint8_t> data) {
  AppendChar(bytes_, u'[');
  AppendText(bytes_, Utf16FromCodePage(key));
  AppendChar(bytes_, u'\0');
  AppendChar(bytes_, u';');
  AppendText(bytes_, name);
  AppendChar(bytes_, u'\0');
  AppendChar(bytes_, u';');
  AppendNumber(bytes_, TypeNumber(type));
  AppendChar(bytes_, u';');
  AppendNumber(bytes_, static_cast<std::uint32_t>(data.size()));
  AppendChar(bytes_, u';');
  bytes_.insert(bytes_.end(), data.begin(), data.end());
  AppendChar(bytes_, u']');
}

void PolicyFile::Command(const std::string& key, const std::u16string& name) {
  static constexpr std::uint8_t kNul[] = {0, 0};
  Entry(key, name, regtype::kSz, kNul);
}

void PolicyFile::SetValue(const std::string& key, const std::string& name, ValueType type,
                          std::span<const std::uint8_t> data) {
  if (IsCommandName(name)) return;
  if (!IsTextType(type)) {
    Entry(key, Utf16FromCodePage(name), type, data);
    return;
  }
  Bytes text;
  AppendText(text, Utf16FromCodePage({reinterpret_cast<const char*>(data.data()), data.size()}));
  Entry(key, Utf16FromCodePage(name), type, text);
}

void PolicyFile::DeleteValue(const std::string& key, const std::string& name) {
  if (IsCommandName(name)) return;
  Command(key, u"**del." + Utf16FromCodePage(name));
}

void PolicyFile::DeleteAllValues(const std::string& key) { Command(key, u"**delvals."); }

void PolicyFile::DeleteSubkeys(const std::string& key, std::span<const std::string> subkeys) {
  std::u16string list;
  for (const std::string& subkey : subkeys) {
    if (subkey.empty() || subkey.find(';') != std::string::npos) continue;
    if (!list.empty()) list += u';';
    list += Utf16FromCodePage(subkey);
  }
  if (list.empty()) return;
  list += u'\0';
  Bytes data;
  AppendText(data, list);
  Entry(key, u"**DeleteKeys", regtype::kSz, data);
}

}  // namespace kdw
