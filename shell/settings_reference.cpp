#include "shell/settings_reference.h"

#include <map>
#include <vector>

#include "pages/settings_index.h"
#include "registry/reg_file.h"
#include "shell/main_window.h"

namespace kdw::shell {
namespace {

const char* TypeName(ValueType type) {
  switch (type) {
    case ValueType::kDword: return "REG_DWORD";
    case ValueType::kExpandSz: return "REG_EXPAND_SZ";
    default: return "REG_SZ";
  }
}

std::string SectionOf(const pages::IndexedSetting& setting) {
  const Section* section = SectionOfPage(pages::ShownOn(*setting.page));
  return section ? section->name : "";
}

std::string ValueName(const pages::IndexedSetting& setting) {
  if (setting.shape == pages::IndexedSetting::kAllValues) return "(every value)";
  return setting.value.empty() ? "(Default)" : setting.value;
}

std::string Place(const pages::IndexedSetting& setting) {
  return "`" + KeyPath(setting.hive, setting.key) + "` `" + ValueName(setting) + "`";
}

}  // namespace

std::string SettingsList(const Registry& registry) {
  std::string out;
  for (const pages::IndexedSetting& setting : pages::IndexSettings(registry)) {
    for (const std::string& field :
         {SectionOf(setting), setting.caption, std::string(HiveName(setting.hive)), setting.key,
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
    if (SectionOf(first) != section) {
      section = SectionOf(first);
      out += "\n## " + section + "\n";
    }
    out += "\n### " + first.caption;
    if (group.size() > 1) out += " … " + last.caption;
    out += "\n\n" + Place(first);
    if (group.size() > 1) out += " … " + Place(last) + " (" + std::to_string(group.size()) + " settings)";
    out += ", " + std::string(TypeName(first.type)) + ". Takes effect " +
           pages::WhenText(first.effect) + ".\n\n" + first.explanation + "\n";
  }
  return out;
}

}  // namespace kdw::shell
