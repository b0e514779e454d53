#include "shell/import.h"

#include <algorithm>

#include "base/text.h"
#include "registry/memory_registry.h"
#include "registry/policy_reader.h"
#include "registry/reg_file.h"
#include "registry/reg_import.h"
#include "registry/registry_key.h"
#include "shell/find_form.h"
#include "shell/tools.h"

namespace kdw::shell {
namespace {

using pages::IndexedSetting;

constexpr char kClasses[] = "Software\\Classes";
// Longer data is cut with "..." in the preview.
constexpr std::size_t kShownText = 40;
constexpr std::size_t kShownBytes = 8;

bool AtOrBelow(const std::string& key, const std::string& parent) {
  return SameName(key, parent) || parent.empty() || IsBelow(key, parent);
}

// HKLM's Software\Classes is HKCR, as the catalogue names it.
RegistryChange Normalized(RegistryChange change) {
  if (change.hive != HKLM) return change;
  if (SameName(change.key, kClasses)) {
    change.hive = HKCR;
    change.key.clear();
  } else if (IsBelow(change.key, kClasses)) {
    change.hive = HKCR;
    change.key.erase(0, sizeof(kClasses));
  }
  return change;
}

bool Usable(const IndexedSetting& setting) { return !setting.unresolved; }

bool SameStep(const RegistryChange& a, const RegistryChange& b) {
  return a.kind == b.kind && a.hive == b.hive && SameName(a.key, b.key) && SameName(a.name, b.name);
}

// Once each: a removed key may cover a setting twice (its key and its value).
void AddStep(std::vector<RegistryChange>& steps, RegistryChange step) {
  if (std::none_of(steps.begin(), steps.end(), [&](const auto& s) { return SameStep(s, step); }))
    steps.push_back(std::move(step));
}

// The catalogued part of a removed key: catalogued keys at or below it go
// whole (deepest first), catalogued values below it one by one.
bool PlanKeyRemoval(const std::vector<IndexedSetting>& settings, const RegistryChange& change,
                    std::vector<RegistryChange>& steps) {
  std::vector<RegistryChange> found;
  for (const IndexedSetting& setting : settings) {
    if (!Usable(setting) || setting.hive != change.hive || !AtOrBelow(setting.key, change.key))
      continue;
    if (setting.shape == IndexedSetting::kValue) {
      AddStep(found, RegistryChange::Of(RegistryChange::kDeleteValue, setting.hive, setting.key, setting.value));
    } else {
      AddStep(found, RegistryChange::Of(RegistryChange::kDeleteKey, setting.hive, setting.key));
    }
  }
  // Values before keys, and deeper keys before the keys above them.
  std::stable_sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
    if (a.kind != b.kind) return a.kind == RegistryChange::kDeleteValue;
    return a.key.size() > b.key.size();
  });
  steps.insert(steps.end(), found.begin(), found.end());
  return !found.empty();
}

// The catalogued values of a key whose every value goes: all of them where
// the catalogue binds the whole key, else its catalogued ones.
bool PlanAllValues(const std::vector<IndexedSetting>& settings, const RegistryChange& change,
                   std::vector<RegistryChange>& steps) {
  std::vector<RegistryChange> found;
  for (const IndexedSetting& setting : settings) {
    if (!Usable(setting) || setting.hive != change.hive || !SameName(setting.key, change.key))
      continue;
    if (setting.shape == IndexedSetting::kAllValues) {
      AddStep(found, RegistryChange::Of(RegistryChange::kDeleteAllValues, setting.hive, setting.key));
    } else {
      AddStep(found, RegistryChange::Of(RegistryChange::kDeleteValue, setting.hive, setting.key, setting.value));
    }
  }
  steps.insert(steps.end(), found.begin(), found.end());
  return !found.empty();
}

bool Matches(const StoredValue& value, const RegistryChange& step) {
  return value.present && value.type == step.type && value.data == step.data;
}

std::string Refused(const std::string& where, RegStatus status) {
  return where + " (" + DescribeRegError(status.code()) + ")";
}

std::string Shortened(std::string text, std::size_t most) {
  if (text.size() > most) text = text.substr(0, most) + "...";
  return text;
}

// Short readable text for a stored value: "(absent)", a number in decimal,
// text in quotes, a list of texts, or hex bytes.
std::string DescribeValue(const StoredValue& value) {
  if (!value.present) return "(absent)";
  const std::vector<std::uint8_t>& data = value.data;
  auto quoted = [](const std::string& text) {
    std::string quoted(1, '"');
    quoted.append(Shortened(text, kShownText)).append(1, '"');
    return quoted;
  };
  switch (value.type) {
    case regtype::kDword:
      if (data.size() == 4) return std::to_string(static_cast<std::uint32_t>(DwordOf(value)));
      break;
    case regtype::kSz:
    case regtype::kExpandSz:
      return quoted(TextOf(value, value.type));
    case regtype::kMultiSz: {
      std::string text;
      for (auto at = data.begin(); at != data.end() && *at != 0;) {
        auto end = std::find(at, data.end(), 0);
        if (!text.empty()) text += ", ";
        text += quoted(std::string(at, end));
        at = end == data.end() ? end : end + 1;
      }
      return text.empty() ? "(no text)" : Shortened(text, kShownText);
    }
    default:
      break;
  }
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string hex = "hex:";
  for (std::size_t i = 0; i < data.size() && i < kShownBytes; ++i) {
    hex += ' ';
    hex += kDigits[data[i] >> 4];
    hex += kDigits[data[i] & 0x0f];
  }
  if (data.size() > kShownBytes) hex += " ...";
  return hex;
}

// What a setting is, in words: its value, or for a whole key whether it is
// there, or for a key of entries every value of it.
std::string DescribeSetting(const Registry& registry, const IndexedSetting& setting) {
  auto shown = [&](const StoredValue& value) {
    return setting.secret && value.present ? std::string("(hidden)") : DescribeValue(value);
  };
  switch (setting.shape) {
    case IndexedSetting::kValue:
      return shown(registry.Read(setting.hive, setting.key, setting.value));
    case IndexedSetting::kKey: {
      if (!registry.KeyExists(setting.hive, setting.key)) return "(absent)";
      const StoredValue value = registry.Read(setting.hive, setting.key, "");
      return value.present ? shown(value) : "(present)";
    }
    case IndexedSetting::kAllValues: {
      if (!registry.KeyExists(setting.hive, setting.key)) return "(absent)";
      std::vector<std::string> names = registry.ValueNames(setting.hive, setting.key);
      if (names.empty()) return "(empty)";
      std::sort(names.begin(), names.end(), [](const auto& a, const auto& b) { return FoldCase(a) < FoldCase(b); });
      std::string text;
      for (const std::string& name : names) {
        if (!text.empty()) text += ", ";
        text += (name.empty() ? "@" : name) + "=" + shown(registry.Read(setting.hive, setting.key, name));
      }
      return text;
    }
  }
  return {};
}

// A copy of every catalogued key as it is now, to carry the plan out on
// without touching the registry.
void CopyCatalogued(const Registry& from, const std::vector<IndexedSetting>& settings,
                    const Registry& to) {
  for (const IndexedSetting& setting : settings) {
    if (!Usable(setting) || !from.KeyExists(setting.hive, setting.key)) continue;
    RegistryKey::Create(to.api(), setting.hive, setting.key);
    for (const std::string& name : from.ValueNames(setting.hive, setting.key)) {
      const StoredValue value = from.Read(setting.hive, setting.key, name);
      (void)to.Write(setting.hive, setting.key, name, value.type, value.data);
    }
  }
}

}  // namespace

bool IsPolicyFile(const std::string& path) {
  return path.size() >= 4 && SameName(path.substr(path.size() - 4), ".pol");
}

std::optional<Hive> PolicyHiveOf(const std::string& path) {
  const std::string folder = FileNameOfPath(FolderOfPath(path));
  if (SameName(folder, "User")) return HKCU;
  if (SameName(folder, "Machine")) return HKLM;
  return std::nullopt;
}

ReadChanges ReadImportFile(const std::string& path, const Bytes& bytes, Hive hive) {
  ReadChanges read = IsPolicyFile(path) ? ReadPolicyFile(bytes, hive) : ReadRegFile(bytes);
  for (RegistryChange& change : read.changes) change = Normalized(std::move(change));
  return read;
}

ImportPlan PlanImport(const std::vector<IndexedSetting>& settings,
                      const std::vector<RegistryChange>& changes) {
  ImportPlan plan;
  for (const RegistryChange& change : changes) {
    bool catalogued = false;
    switch (change.kind) {
      case RegistryChange::kSetValue:
      case RegistryChange::kDeleteValue:
        catalogued = std::any_of(settings.begin(), settings.end(), [&](const auto& setting) {
          return pages::Covers(setting, change.hive, change.key, change.name);
        });
        if (catalogued) plan.steps.push_back(change);
        break;
      case RegistryChange::kDeleteKey:
        catalogued = PlanKeyRemoval(settings, change, plan.steps);
        break;
      case RegistryChange::kDeleteAllValues:
        catalogued = PlanAllValues(settings, change, plan.steps);
        break;
      case RegistryChange::kCreateKey:
        // A key row or a list's key is made; a key that only holds values
        // is made with them. Made for nothing else, it is not listed apart
        // when the file does more in it or below it.
        catalogued = std::any_of(settings.begin(), settings.end(), [&](const auto& setting) {
          return setting.shape != IndexedSetting::kValue &&
                 pages::Covers(setting, change.hive, change.key, "");
        });
        if (catalogued) {
          AddStep(plan.steps, change);
        } else {
          catalogued = std::any_of(changes.begin(), changes.end(), [&](const auto& other) {
            return other.kind != RegistryChange::kCreateKey && other.hive == change.hive &&
                   (SameName(other.key, change.key) || IsBelow(other.key, change.key));
          });
        }
        break;
      case RegistryChange::kNotCarriedOut:
        break;
    }
    if (!catalogued) plan.left_alone.push_back(change);
  }
  return plan;
}

ImportResult ApplyImport(const Registry& registry, const ImportPlan& plan) {
  ImportResult result;
  auto done = [&](RegStatus status, const std::string& where) {
    if (status.ok()) {
      ++result.written;
    } else {
      result.refused.push_back(Refused(where, status));
    }
  };
  for (const RegistryChange& step : plan.steps) {
    const std::string where = ValuePath(step.hive, step.key, step.name);
    switch (step.kind) {
      case RegistryChange::kSetValue:
        if (!Matches(registry.Read(step.hive, step.key, step.name), step))
          done(registry.Write(step.hive, step.key, step.name, step.type, step.data), where);
        break;
      case RegistryChange::kDeleteValue:
        if (registry.Read(step.hive, step.key, step.name).present)
          done(registry.DeleteValue(step.hive, step.key, step.name), where);
        break;
      case RegistryChange::kDeleteKey:
        if (registry.KeyExists(step.hive, step.key))
          done(registry.DeleteKey(step.hive, step.key), KeyPath(step.hive, step.key));
        break;
      case RegistryChange::kDeleteAllValues:
        for (const std::string& name : registry.ValueNames(step.hive, step.key))
          done(registry.DeleteValue(step.hive, step.key, name), ValuePath(step.hive, step.key, name));
        break;
      case RegistryChange::kCreateKey:
        if (!registry.KeyExists(step.hive, step.key)) {
          const RegistryKey made = RegistryKey::Create(registry.api(), step.hive, step.key);
          done(made.status(), KeyPath(step.hive, step.key));
        }
        break;
      case RegistryChange::kNotCarriedOut:
        break;
    }
  }
  return result;
}

std::vector<SettingChange> PreviewImport(const Registry& registry,
                                         const std::vector<IndexedSetting>& settings,
                                         const ImportPlan& plan) {
  // The live registry is only read here: each key is opened once.
  const Registry::KeepKeysOpen keep(registry);
  MemoryRegistry scratch_api;
  const Registry scratch(scratch_api);
  CopyCatalogued(registry, settings, scratch);
  (void)ApplyImport(scratch, plan);
  std::vector<SettingChange> changes;
  for (const IndexedSetting& setting : settings) {
    if (!Usable(setting)) continue;
    std::string now = DescribeSetting(registry, setting);
    std::string after = DescribeSetting(scratch, setting);
    if (now == after) {
      // The words may hide a change of type or of bytes past a NUL.
      if (setting.shape != IndexedSetting::kValue ||
          registry.Read(setting.hive, setting.key, setting.value) ==
              scratch.Read(setting.hive, setting.key, setting.value))
        continue;
    }
    changes.push_back({SectionNameOf(setting), setting.caption, std::move(now), std::move(after)});
  }
  return changes;
}

namespace {

// A change as one line: "HKEY_CURRENT_USER\Software\x\Name set".
std::string DescribeChange(const RegistryChange& change) {
  switch (change.kind) {
    case RegistryChange::kSetValue:
      return ValuePath(change.hive, change.key, change.name) + " set";
    case RegistryChange::kDeleteValue:
      return ValuePath(change.hive, change.key, change.name) + " deleted";
    case RegistryChange::kDeleteKey:
      return KeyPath(change.hive, change.key) + " removed";
    case RegistryChange::kCreateKey:
      return KeyPath(change.hive, change.key) + " made";
    case RegistryChange::kDeleteAllValues:
      return KeyPath(change.hive, change.key) + " emptied of its values";
    case RegistryChange::kNotCarriedOut:
      return KeyPath(change.hive, change.key) + " " + change.name + " (a policy command)";
  }
  return {};
}

// Lines for the command line: each setting that would change, then the
// entries left alone.
std::string ImportReport(const std::vector<SettingChange>& changes, const ImportPlan& plan) {
  std::string text;
  for (const SettingChange& change : changes) {
    text += change.section + ": " + change.caption + ": " + change.now + " -> " + change.in_file + "\r\n";
  }
  for (const RegistryChange& change : plan.left_alone) {
    text += "Left alone (not a setting of this program): " + DescribeChange(change) + "\r\n";
  }
  return text;
}

constexpr char kImportUsage[] = "kdw3 /import FILE [/user|/machine] [/preview]";

}  // namespace

int RunImportCommand(const Registry& registry, FileSystem& files, const CommandLine& command,
                     std::string* output, std::string* error) {
  if (command.action != CommandLine::kImport) {
    *error = std::string("kdw3: /import needs the file to read, and at most one of /user and /machine: ") +
             kImportUsage;
    return 1;
  }
  std::optional<Hive> hive = PolicyHiveOf(command.file);
  if (command.policy_hive) hive = command.policy_hive;
  if (IsPolicyFile(command.file) && !hive) {
    *error = std::string("kdw3: say whether the policy file is for the current user or the machine: ") +
             kImportUsage;
    return 1;
  }
  Bytes bytes;
  if (!files.ReadWholeFile(command.file, bytes)) {
    *error = "kdw3: " + command.file + " cannot be read; nothing was changed";
    return 1;
  }
  const ReadChanges read = ReadImportFile(command.file, bytes, hive.value_or(HKCU));
  if (!read.ok()) {
    *error = "kdw3: " + command.file + ", " + read.error + "; nothing was changed";
    return 1;
  }
  const std::vector<pages::IndexedSetting> settings = pages::IndexSettings(registry);
  const ImportPlan plan = PlanImport(settings, read.changes);
  const std::vector<SettingChange> changes = PreviewImport(registry, settings, plan);
  *output = ImportReport(changes, plan);
  const std::string left = Counted(plan.left_alone.size(), "entry", "entries") + " left alone";
  if (command.preview) {
    *output += Counted(changes.size(), "setting", "settings") + " would change; " + left + ".\r\n";
    return changes.empty() ? 0 : 3;
  }
  const ImportResult result = ApplyImport(registry, plan);
  *output += Counted(static_cast<std::size_t>(result.written), "change", "changes") + " written; " +
             left + ".\r\n";
  if (result.refused.empty()) return 0;
  *error = std::string("kdw3: Windows refused ")
               .append(Counted(result.refused.size(), "change", "changes"))
               .append(":");
  for (std::size_t i = 0; i < result.refused.size(); ++i)
    *error += (i == 0 ? " " : "; ") + result.refused[i];
  return 2;
}

}  // namespace kdw::shell
