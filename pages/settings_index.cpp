#include "pages/settings_index.h"

#include <map>
#include <string_view>

namespace kdw::pages {
namespace {

class Indexer {
 public:
  Indexer(const Registry& registry, std::vector<IndexedSetting>& out)
      : registry_(registry), out_(out) {}

  void Rows(const PageEntry& page, std::span<const SettingRow> rows) {
    std::vector<std::string> lists;  // one entry per item row seen: its list
    for (const SettingRow& row : rows) {
      int item = -1;
      if (row.list_item) {
        item = 0;
        for (const std::string& list : lists) item += list == row.control;
        lists.push_back(row.control);
      }
      const std::string caption = NameOf(row);
      if (row.kind == ValueKind::kKey) {
        // The keys the row makes, each with its default value.
        for (const KeyDefault& key : row.checked.keys)
          Add(page, row.control, item, caption, row.hive, key.key, "", IndexedSetting::kKey);
        continue;
      }
      Add(page, row.control, item, caption, row.hive, row.key, row.value, IndexedSetting::kValue);
      out_.back().secret = row.secret;
    }
  }

  void Values(const PageEntry& page) {
    for (const PageValue& value : page.decl.values) {
      const IndexedSetting::Shape shape = value.shape;
      const std::string_view key = value.key;
      const auto mark = key.find(kDriveMark);
      if (mark == std::string_view::npos) {
        Add(page, value.control, -1, value.caption, value.hive, value.key, value.value, shape);
        continue;
      }
      for (char letter = 'A'; letter <= 'Z'; ++letter) {
        std::string made(key);
        made.replace(mark, std::string_view(kDriveMark).size(), 1, letter);
        Add(page, value.control, -1, std::string(value.caption) + " (" + letter + ":)", value.hive,
            made, value.value, shape);
      }
    }
  }

 private:
  void Add(const PageEntry& page, const std::string& control, int item, const std::string& caption,
           Hive hive, const std::string& key, const std::string& value,
           IndexedSetting::Shape shape) {
    IndexedSetting setting{&page, control, item, caption, hive, key, value, shape};
    const KeyMark* mark = page.decl.key_mark;
    if (mark && key.find(mark->mark) != std::string::npos) {
      const std::string& name = StandsFor(*mark);
      if (name.empty()) {
        setting.unresolved = true;
      } else {
        setting.key = WithMark(key.c_str(), mark->mark, name);
      }
    }
    out_.push_back(std::move(setting));
  }

  // Each mark is asked once per index.
  const std::string& StandsFor(const KeyMark& mark) {
    auto found = names_.find(&mark);
    if (found == names_.end()) found = names_.emplace(&mark, mark.current(registry_)).first;
    return found->second;
  }

  const Registry& registry_;
  std::map<const KeyMark*, std::string> names_;
  std::vector<IndexedSetting>& out_;
};

}  // namespace

std::vector<IndexedSetting> IndexSettings(const Registry& registry) {
  std::vector<IndexedSetting> settings;
  Indexer indexer(registry, settings);
  for (const PageEntry& page : Catalogue()) {
    indexer.Rows(page, page.decl.rows);
    indexer.Rows(page, page.decl.marked_rows);
    indexer.Values(page);
  }
  return settings;
}

}  // namespace kdw::pages
