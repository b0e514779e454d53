#include "pages/settings_index.h"

#include <algorithm>
#include <map>
#include <string_view>

#include "base/text.h"

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
      std::string caption = NameOf(row);
      if (row.load == LoadRule::kBit) {
        // A mask is one setting, however many boxes show its bits: it is
        // listed once, under its page's caption.
        if (Listed(row.hive, row.key, row.value)) continue;
        caption = page.decl.caption;
      }
      if (row.kind == ValueKind::kKey) {
        // The keys the row makes, each with its default value.
        for (const KeyDefault& key : row.checked.keys) {
          Add(page, row.control, item, caption, row.hive, key.key, "", IndexedSetting::kKey);
          Describe(row);
        }
        continue;
      }
      Add(page, row.control, item, caption, row.hive, row.key, row.value, IndexedSetting::kValue);
      Describe(row);
    }
  }

  // A picker's rows, once for each entry it declares; without entries, a
  // row whose value is the entry stands for every value of its key.
  void Picker(const PageEntry& page) {
    const EntryPicker* picker = page.decl.picker;
    if (!picker) return;
    if (picker->entries.empty()) {
      for (const SettingRow& row : picker->rows) {
        Add(page, picker->list, -1, WithoutEntry(row.caption), row.hive, row.key, "",
            IndexedSetting::kAllValues);
        Describe(row);
      }
      return;
    }
    for (const PickerEntry& entry : picker->entries) {
      MarkedRows made;
      made.Make(picker->rows, kEntryMark, entry.Name(), entry.Caption());
      for (std::size_t i = 0; i < made.rows().size(); ++i) {
        const SettingRow& row = made.rows()[i];
        Add(page, picker->found_at_list ? picker->list : row.control, -1, row.caption, row.hive,
            row.key, row.value, row.kind == ValueKind::kKey ? IndexedSetting::kKey : IndexedSetting::kValue);
        Describe(picker->rows[i]);
      }
    }
  }

 private:
  // What the row declares of the setting just listed.
  void Describe(const SettingRow& row) {
    IndexedSetting& setting = out_.back();
    setting.row = &row;
    setting.secret = row.secret;
    setting.explanation = row.explanation;
    setting.effect = row.effect;
    setting.type = row.kind == ValueKind::kDword      ? ValueType::kDword
                   : row.kind == ValueKind::kExpandSz ? ValueType::kExpandSz
                                                      : ValueType::kSz;
  }

  // The caption of a row standing for all entries: the mark and the blank
  // before it left out.
  static std::string WithoutEntry(const char* caption) {
    std::string text = WithMark(caption, kEntryMark, "");
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
  }

  bool Listed(Hive hive, const char* key, const char* value) const {
    return std::any_of(out_.begin(), out_.end(), [&](const IndexedSetting& setting) {
      return setting.hive == hive && SameName(setting.key, key) && SameName(setting.value, value);
    });
  }

  void Add(const PageEntry& page, const std::string& control, int item, const std::string& caption,
           Hive hive, const std::string& key, const std::string& value,
           IndexedSetting::Shape shape) {
    IndexedSetting setting;
    setting.page = &page;
    setting.control = control;
    setting.item = item;
    setting.caption = caption;
    setting.hive = hive;
    setting.key = key;
    setting.value = value;
    setting.shape = shape;
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
    indexer.Picker(page);
  }
  return settings;
}

bool Covers(const IndexedSetting& setting, Hive hive, const std::string& key,
            const std::string& name) {
  if (setting.unresolved || setting.hive != hive || !SameName(setting.key, key)) return false;
  switch (setting.shape) {
    case IndexedSetting::kValue: return SameName(setting.value, name);
    case IndexedSetting::kKey: return name.empty();
    case IndexedSetting::kAllValues: return true;
  }
  return false;
}

}  // namespace kdw::pages
