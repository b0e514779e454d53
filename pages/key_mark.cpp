#include "pages/key_mark.h"

#include <string_view>

namespace kdw::pages {

std::string WithMark(const char* key, const char* mark, const std::string& name) {
  std::string made = key;
  if (const auto at = made.find(mark); at != std::string::npos) {
    made.replace(at, std::string_view(mark).size(), name);
  }
  return made;
}

const char* MarkedRows::Keep(const char* text, const char* mark, const std::string& name) {
  if (std::string_view(text).find(mark) == std::string_view::npos) return text;
  keys_.push_back(WithMark(text, mark, name));
  return keys_.back().c_str();
}

std::span<const SettingRow> MarkedRows::Make(std::span<const SettingRow> templates,
                                             const char* mark, const std::string& name,
                                             const std::string& caption) {
  Clear();
  rows_.assign(templates.begin(), templates.end());
  return Also(mark, name, caption);
}

std::span<const SettingRow> MarkedRows::Also(const char* mark, const std::string& name,
                                             const std::string& caption) {
  for (SettingRow& row : rows_) {
    row.key = Keep(row.key, mark, name);
    row.value = Keep(row.value, mark, name);
    row.caption = Keep(row.caption, mark, caption);
  }
  return rows_;
}

void MarkedRows::Clear() {
  rows_.clear();
  keys_.clear();
}

}  // namespace kdw::pages
