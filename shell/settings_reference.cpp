#include "shell/settings_reference.h"

#include <map>
#include <vector>

#include "pages/settings_index.h"
#include "registry/reg_file.h"
#include "shell/find_form.h"

namespace kdw::shell {
namespace {

const char* TypeName(ValueType type) {
  switch (type) {
    case ValueType::kDword: return "REG_DWORD";
    case ValueType::kExpandSz: return "REG_EXPAND_SZ";
    default: return "REG_SZ";
  }
}

std::string ValueName(const pages::IndexedSetting& setting) {
  if (setting.shape == pages::IndexedSetting::kAllValues) return "(every value)";
  return setting.value.empty() ? "(Default)" : setting.value;
}

std::string Place(const pages::IndexedSetting& setting) {
  std::string text = "`";
  text += KeyPath(setting.hive, setting.key);
  text += "` `";
  text += ValueName(setting);
  text += '`';
  return text;
}

}  // namespace

std::string SettingsList(const Registry& registry) {
  std::string out;
  for (const pages::IndexedSetting& setting : pages::IndexSettings(registry)) {
    for (const std::string& field :
         {SectionNameOf(setting), setting.caption, std::string(HiveName(setting.hive)), setting.key,
          ValueName(setting), std::string(TypeName(setting.type)),
          std::string(pages::WhenText(setting.effect)), setting.explanation}) {
      out += field;
      out += '\t';
    }
    out.back() = '\n';
  }
  return out;
}

std::string SettingsReference(const Registry& registry) {
  const std::vector<pages::IndexedSetting> settings = pages::IndexSettings(registry);
  // The settings one explanation serves, in the order the first is met.
  std::vector<std::vector<const pages::IndexedSetting*>> groups;
  std::map<std::string, std::size_t> group_of;
  for (const pages::IndexedSetting& setting : settings) {
    const std::string id = std::string(setting.page->decl.name) + "|" + setting.control + "|" +
                           setting.explanation;
    const auto [at, fresh] = group_of.emplace(id, groups.size());
    if (fresh) groups.emplace_back();
    groups[at->second].push_back(&setting);
  }
  std::string out =
      "# Settings reference\n\n"
      "Every setting Kelmor Deskwarden changes, section by section: what it does, where "
      "Windows keeps it and when a change takes effect. This file is generated from the "
      "program's own catalogue (`kdw3.exe /list` prints the same as tab-separated text); "
      "keys holding `<version>` name the Office version chosen on the Microsoft Office "
      "page.\n";
  std::string section;
  for (const auto& group : groups) {
    const pages::IndexedSetting& first = *group.front();
    const pages::IndexedSetting& last = *group.back();
    if (SectionNameOf(first) != section) {
      section = SectionNameOf(first);
      out.append("\n## ").append(section).append("\n");
    }
    out += "\n### ";
    out += first.caption;
    if (group.size() > 1) out.append(" … ").append(last.caption);
    out.append("\n\n").append(Place(first));
    if (group.size() > 1) {
      out.append(" … ").append(Place(last));
      out.append(" (").append(std::to_string(group.size())).append(" settings)");
    }
    out.append(", ").append(TypeName(first.type)).append(". ");
    out.append(pages::EffectSentence(first.effect)).append("\n\n").append(first.explanation).append("\n");
  }
  return out;
}

}  // namespace kdw::shell
