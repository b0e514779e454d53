#include "shell/waiting_changes.h"

#include <algorithm>

#include "base/text.h"
#include "pages/setting_page.h"
#include "pages/settings_index.h"
#include "shell/find_form.h"

namespace kdw::shell {
namespace {

std::string IdOf(const RegistryJournal::Entry& entry) {
  return FoldCase(std::to_string(static_cast<std::uint32_t>(entry.hive)) + "|" + entry.key + "|" +
                  (entry.is_key ? "\\" : entry.name));
}

// Whether the noted value or key is part of the setting: a key entry (whose
// name is empty) is part of a key or a list, never of one value.
bool Covers(const pages::IndexedSetting& setting, const RegistryJournal::Entry& entry) {
  return (!entry.is_key || setting.shape != pages::IndexedSetting::kValue) &&
         pages::Covers(setting, entry.hive, entry.key, entry.name);
}

// Data that a page shows alike are no change: a box's write-back of 0 where
// nothing was stored, a click and a click back.
bool SameMeaning(const pages::IndexedSetting& setting, const RegistryJournal::Entry& entry,
                 const StoredValue& a, const StoredValue& b) {
  if (a == b) return true;
  if (entry.is_key || !setting.row || setting.row->kind == pages::ValueKind::kKey) return false;
  return pages::MeaningOf(*setting.row, a) == pages::MeaningOf(*setting.row, b);
}

}  // namespace

std::vector<WaitingChange> WaitingChanges::List(const RegistryJournal& journal,
                                                const Registry& registry) const {
  const std::vector<RegistryJournal::Entry> changed = journal.ChangedEntries();
  if (changed.empty()) return {};
  std::vector<WaitingChange> waiting;
  for (const pages::IndexedSetting& setting : pages::IndexSettings(registry)) {
    if (setting.effect == pages::Effect::kImmediately) continue;
    const bool waits = std::any_of(changed.begin(), changed.end(), [&](const auto& entry) {
      if (!Covers(setting, entry)) return false;
      const StoredValue now = journal.Current(entry);
      if (SameMeaning(setting, entry, entry.before, now)) return false;
      if (setting.effect != pages::Effect::kExplorerRestart) return true;
      const auto saw = explorer_saw_.find(IdOf(entry));
      return saw == explorer_saw_.end() || !SameMeaning(setting, entry, saw->second, now);
    });
    if (waits) waiting.push_back({SectionNameOf(setting), setting.caption, setting.effect});
  }
  return waiting;
}

void WaitingChanges::ExplorerRestarted(const RegistryJournal& journal) {
  for (const RegistryJournal::Entry& entry : journal.entries()) {
    explorer_saw_[IdOf(entry)] = journal.Current(entry);
  }
}

std::string WaitingLine(const std::vector<WaitingChange>& waiting) {
  struct Clause {
    pages::Effect effect;
    const char* when;
  };
  constexpr Clause kClauses[] = {{pages::Effect::kNextLogon, "at the next log on"},
                                 {pages::Effect::kExplorerRestart, "when Explorer restarts"},
                                 {pages::Effect::kWindowsRestart, "after Windows restarts"}};
  std::string line;
  for (const Clause& clause : kClauses) {
    const auto count = std::count_if(waiting.begin(), waiting.end(),
                                     [&](const WaitingChange& c) { return c.effect == clause.effect; });
    if (count == 0) continue;
    const std::string number = std::to_string(count);
    if (line.empty()) {
      line = number + (count == 1 ? " change takes effect " : " changes take effect ") + clause.when;
    } else {
      line += "; " + number + " " + clause.when;
    }
  }
  return line.empty() ? line : line + ".";
}

}  // namespace kdw::shell
