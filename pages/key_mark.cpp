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

std::span<const SettingRow> MarkedRows::Make(std::span<const SettingRow> templates,
                                             const char* mark, const std::string& name) {
  rows_.clear();
  keys_.clear();
  for (const SettingRow& row : templates) {
    keys_.push_back(WithMark(row.key, mark, name));
    SettingRow made = row;
    made.key = keys_.back().c_str();
    rows_.push_back(made);
  }
  return rows_;
}

}  // namespace kdw::pages
