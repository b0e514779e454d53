// A mark in a declared key that stands for a name known only at run time,
// such as the version of a program the user chose. Rows declared with a
// mark are bound when their page opens, to what the mark stands for then;
// find and export resolve it the same way.
#pragma once

#include <deque>
#include <span>
#include <string>
#include <vector>

#include "pages/setting_row.h"
#include "registry/registry.h"

namespace kdw::pages {

struct KeyMark {
  const char* mark;  // "<version>"
  // What the mark stands for now; the empty text while it stands for
  // nothing yet (rows under it are then neither read nor written).
  std::string (*current)(const Registry& registry);
};

// The key with the mark replaced by `name`.
std::string WithMark(const char* key, const char* mark, const std::string& name);

// Copies of marked rows made real for one name: the mark is replaced in
// their keys, values and captions. The rows and their texts live as long as
// this object, which the page that binds them holds.
class MarkedRows {
 public:
  // `caption` is what the mark stands for in captions, when that differs.
  std::span<const SettingRow> Make(std::span<const SettingRow> templates, const char* mark,
                                   const std::string& name) {
    return Make(templates, mark, name, name);
  }
  std::span<const SettingRow> Make(std::span<const SettingRow> templates, const char* mark,
                                   const std::string& name, const std::string& caption);
  // Replaces a second mark in the rows made already.
  std::span<const SettingRow> Also(const char* mark, const std::string& name,
                                   const std::string& caption);
  std::span<const SettingRow> rows() const { return rows_; }
  void Clear();

 private:
  const char* Keep(const char* text, const char* mark, const std::string& name);

  std::deque<std::string> keys_;
  std::vector<SettingRow> rows_;
};

}  // namespace kdw::pages
