#include "shell/policy_templates.h"

#include <algorithm>
#include <optional>
#include <set>
#include <vector>

#include "base/text.h"
#include "pages/office/office_version.h"
#include "registry/code_page.h"
#include "registry/memory_registry.h"
#include "shell/main_window.h"

namespace kdw::shell {
namespace {

using pages::IndexedSetting;
using pages::LoadRule;
using pages::SettingRow;
using pages::WriteAction;
using pages::WriteKind;

constexpr char kRootCategory[] = "Cat_Deskwarden";
constexpr char kSupported[] = "SUPPORTED_WindowsXP";

// What one state of a policy stores in its value.
struct Data {
  enum Kind { kNone, kDecimal, kText, kDelete } kind = kNone;
  std::uint32_t number = 0;
  std::string text;
};

// The one element a policy may have: what the user types or picks when it
// is enabled. It stores the policy's value (a list, the values of the
// policy's key, numbered from 1) and is labelled with the policy's name.
struct Element {
  enum Kind { kText, kDecimal, kList } kind = kText;
  bool expandable = false;
  std::uint32_t min = 0;
  std::uint32_t max = 0;
};

struct Policy {
  std::string id;
  std::string category;
  bool machine = false;
  std::string name;
  std::string explain;
  std::string key;
  std::string value;  // a check box's own, or else its element's
  Data on;
  Data off;
  std::optional<Element> element;
};

struct Category {
  std::string id;
  std::string name;
  std::string parent;  // "" for the root
};

// Letters, digits and single underscores: valid in both template languages.
std::string Identifier(const std::string& text) {
  std::string id;
  for (char c : text) {
    const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
    if (plain) {
      id += c;
    } else if (!id.empty() && id.back() != '_') {
      id += '_';
    }
  }
  while (!id.empty() && id.back() == '_') id.pop_back();
  return id;
}

std::string FormId(const char* form) {
  const std::string name = form;
  return Identifier(name.rfind("frm", 0) == 0 ? name.substr(3) : name);
}

bool Writes(const SettingRow& row, WriteKind kind) {
  return row.checked.kind == kind || row.unchecked.kind == kind;
}

Data DataOf(const WriteAction& action, std::uint32_t state) {
  switch (action.kind) {
    case WriteKind::kStateDword: return {Data::kDecimal, state, ""};
    case WriteKind::kStateText: return {Data::kText, 0, std::to_string(state)};
    case WriteKind::kDword: return {Data::kDecimal, static_cast<std::uint32_t>(action.number), ""};
    case WriteKind::kString: return {Data::kText, 0, action.text};
    case WriteKind::kDeleteValue: return {Data::kDelete, 0, ""};
    default: return {};
  }
}

// The caption of the control that opens a dialog, on the page that opens it.
std::string OpenerCaption(const pages::PageEntry& dialog) {
  const pages::PageEntry* opener = pages::FindPage(dialog.opened_by);
  if (!opener) return FormId(dialog.decl.name);
  for (const forms::ControlSpec& control : pages::ControlsOf(opener->decl)) {
    if (std::string(control.name) == dialog.opener && *control.caption) return control.caption;
  }
  return FormId(dialog.decl.name);
}

// A mask's bits, from the boxes that show them, and what they stand for.
struct Mask {
  std::uint32_t bits = 0;
  std::string explained;
};

Mask MaskOf(const IndexedSetting& setting) {
  Mask mask;
  mask.explained = "The number is the sum of the items chosen:";
  const char* separator = " ";
  for (const SettingRow& row : setting.page->decl.rows) {
    if (row.load != LoadRule::kBit || !SameName(row.key, setting.key) ||
        !SameName(row.value, setting.value)) {
      continue;
    }
    const std::uint32_t bit = std::uint32_t{1} << row.number;
    mask.bits |= bit;
    mask.explained += separator;
    mask.explained += std::string(row.caption) + " " + std::to_string(bit);
    separator = ", ";
  }
  mask.explained += ".";
  return mask;
}

bool IsPickerEntry(const IndexedSetting& setting) {
  const pages::EntryPicker* picker = setting.page->decl.picker;
  if (!picker || setting.shape == IndexedSetting::kAllValues) return false;
  const SettingRow* first = picker->rows.data();
  return setting.row >= first && setting.row < first + picker->rows.size();
}

class Builder {
 public:
  Builder() {
    categories_.push_back({kRootCategory, "Kelmor Deskwarden", ""});
    // No version is stored here: Office keys keep their mark, and each
    // version gets its own copy.
    MemoryRegistry empty;
    const Registry registry(empty);
    for (const IndexedSetting& setting : pages::IndexSettings(registry)) {
      if (LeftOutOfTemplates(setting)) continue;
      if (!setting.unresolved) {
        Add(setting, setting.key, "", "");
        continue;
      }
      for (const char* version : pages::kOfficeVersions) {
        const std::string number = pages::OfficeVersionNumber(version);
        Add(setting, pages::WithVersion(setting.key.c_str(), number), version, Identifier(number));
      }
    }
  }

  std::vector<Category> categories_;
  std::vector<Policy> policies_;

 private:
  // `version` names the Office version the key is for ("" for none), and
  // `version_id` is its number as an identifier.
  void Add(const IndexedSetting& setting, const std::string& key, const std::string& version,
           const std::string& version_id) {
    const SettingRow& row = *setting.row;
    Policy policy;
    policy.category = CategoryOf(setting, version, version_id);
    policy.machine = setting.hive != HKCU;
    policy.name = setting.caption;
    policy.key = setting.hive == HKCR ? "Software\\Classes\\" + key : key;
    policy.explain = setting.explanation;
    policy.value = setting.value;
    Element element;
    if (setting.shape == IndexedSetting::kAllValues) {
      element.kind = Element::kList;
      policy.element = element;
    } else if (row.load == LoadRule::kText || row.load == LoadRule::kChoice) {
      element.expandable = setting.type == ValueType::kExpandSz;
      policy.element = element;
    } else if (row.load == LoadRule::kPosition || row.load == LoadRule::kBit) {
      element.kind = Element::kDecimal;
      if (row.load == LoadRule::kBit) {
        const Mask mask = MaskOf(setting);
        element.max = mask.bits;
        policy.explain += "\n\n" + mask.explained;
      } else {
        element.min = static_cast<std::uint32_t>(row.slider_min);
        element.max = static_cast<std::uint32_t>(row.slider_max);
      }
      policy.element = element;
    } else {
      policy.on = DataOf(row.checked, 1);
      policy.off = DataOf(row.unchecked, 0);
    }
    policy.explain += "\n\n" + pages::EffectSentence(setting.effect);
    std::string id = FormId(setting.page->decl.name) + "_" + setting.control;
    if (setting.item >= 0) id += "_" + std::to_string(setting.item);
    if (IsPickerEntry(setting)) id += "_" + Identifier(setting.caption);
    if (!version.empty()) id += "_" + version_id;
    id = Identifier(id);
    // Two settings of one control (a row making several keys) are kept distinct.
    const std::string base = id;
    for (int n = 2; !ids_.insert(id).second; ++n) id = base + "_" + std::to_string(n);
    policy.id = id;
    policies_.push_back(std::move(policy));
  }

  // The section's category, and below it the version's and the dialog's.
  std::string CategoryOf(const IndexedSetting& setting, const std::string& version,
                         const std::string& version_id) {
    const Section* section = SectionOfPage(pages::ShownOn(*setting.page));
    std::string id = Need("Cat_" + FormId(section ? section->page : setting.page->decl.name),
                          section ? section->name : "", kRootCategory);
    if (!version.empty()) id = Need(id + "_" + version_id, version, id);
    if (*setting.page->opened_by) {
      const char* caption = setting.page->decl.caption;
      id = Need(id + "_" + FormId(setting.page->decl.name),
                *caption ? std::string(caption) : OpenerCaption(*setting.page), id);
    }
    return id;
  }

  const std::string& Need(const std::string& id, const std::string& name,
                          const std::string& parent) {
    auto found = std::find_if(categories_.begin(), categories_.end(),
                              [&](const Category& category) { return category.id == id; });
    if (found == categories_.end()) {
      categories_.push_back({id, name, parent});
      return categories_.back().id;
    }
    return found->id;
  }

  std::set<std::string> ids_;
};

// --- the XML templates -----------------------------------------------------

// The system code page's text as UTF-8, which the XML files declare.
std::string Utf8(const std::string& text) {
  std::string out;
  for (char16_t c : Utf16FromCodePage(text)) {
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

std::string Xml(const std::string& text) {
  std::string out;
  for (char c : Utf8(text)) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

std::string Attribute(const char* name, const std::string& value) {
  return std::string(" ") + name + "=\"" + Xml(value) + "\"";
}

constexpr char kXmlHead[] =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n";
constexpr char kSchema[] =
    " xmlns:xsd=\"http://www.w3.org/2001/XMLSchema\""
    " xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" revision=\"1.0\" schemaVersion=\"1.0\""
    " xmlns=\"http://schemas.microsoft.com/GroupPolicy/2006/07/PolicyDefinitions\"";

constexpr char kLeftOutNote[] =
    "Left out: settings of HKEY_USERS (a template has no class for them), rows that make or "
    "remove whole keys, fixed REG_EXPAND_SZ data (a template stores fixed data as REG_SZ) and "
    "the Office version this program works on (the templates carry every version).";

std::string XmlData(const char* element, const Data& data) {
  switch (data.kind) {
    case Data::kDecimal:
      return std::string("      <") + element + "><decimal value=\"" +
             std::to_string(data.number) + "\" /></" + element + ">\n";
    case Data::kText:
      return std::string("      <") + element + "><string>" + Xml(data.text) + "</string></" +
             element + ">\n";
    case Data::kDelete:
      return std::string("      <") + element + "><delete /></" + element + ">\n";
    case Data::kNone: break;
  }
  return "";
}

std::string ElementId(const Policy& policy) { return policy.id + "_Value"; }

std::string Admx(const Builder& built) {
  std::string out = kXmlHead;
  out += "<!-- Kelmor Deskwarden: every setting it changes. " + Xml(kLeftOutNote) + " -->\n";
  out += std::string("<policyDefinitions") + kSchema + ">\n";
  out += "  <policyNamespaces>\n"
         "    <target prefix=\"kdw3\" namespace=\"Kelmor.Policies.Deskwarden\" />\n"
         "  </policyNamespaces>\n"
         "  <resources minRequiredRevision=\"1.0\" />\n"
         "  <supportedOn>\n    <definitions>\n";
  out += std::string("      <definition name=\"") + kSupported + "\" displayName=\"$(string." +
         kSupported + ")\" />\n";
  out += "    </definitions>\n  </supportedOn>\n  <categories>\n";
  for (const Category& category : built.categories_) {
    out += "    <category" + Attribute("name", category.id) +
           Attribute("displayName", "$(string." + category.id + ")");
    if (category.parent.empty()) {
      out += " />\n";
      continue;
    }
    out += ">\n      <parentCategory" + Attribute("ref", category.parent) + " />\n    </category>\n";
  }
  out += "  </categories>\n  <policies>\n";
  for (const Policy& policy : built.policies_) {
    out += "    <policy" + Attribute("name", policy.id) +
           Attribute("class", policy.machine ? "Machine" : "User") +
           Attribute("displayName", "$(string." + policy.id + ")") +
           Attribute("explainText", "$(string." + policy.id + "_Help)");
    if (policy.element) out += Attribute("presentation", "$(presentation." + policy.id + ")");
    out += Attribute("key", policy.key);
    if (!policy.element) out += Attribute("valueName", policy.value);
    out += ">\n      <parentCategory" + Attribute("ref", policy.category) + " />\n";
    out += std::string("      <supportedOn ref=\"") + kSupported + "\" />\n";
    out += XmlData("enabledValue", policy.on);
    out += XmlData("disabledValue", policy.off);
    if (const auto& element = policy.element) {
      out += "      <elements>\n        ";
      if (element->kind == Element::kList) {
        out += "<list" + Attribute("id", ElementId(policy)) + Attribute("key", policy.key) +
               " valuePrefix=\"\" />\n";
      } else if (element->kind == Element::kDecimal) {
        out += "<decimal" + Attribute("id", ElementId(policy)) + Attribute("valueName", policy.value) +
               Attribute("minValue", std::to_string(element->min)) +
               Attribute("maxValue", std::to_string(element->max)) + " />\n";
      } else {
        out += "<text" + Attribute("id", ElementId(policy)) + Attribute("valueName", policy.value) +
               (element->expandable ? " expandable=\"true\"" : "") + " />\n";
      }
      out += "      </elements>\n";
    }
    out += "    </policy>\n";
  }
  out += "  </policies>\n</policyDefinitions>\n";
  return out;
}

std::string Adml(const Builder& built) {
  std::string out = kXmlHead;
  out += std::string("<policyDefinitionResources") + kSchema + ">\n";
  out += "  <displayName>Kelmor Deskwarden</displayName>\n";
  out += "  <description>" +
         Xml("Every setting Kelmor Deskwarden changes, section by section. " +
             std::string(kLeftOutNote)) +
         "</description>\n  <resources>\n    <stringTable>\n";
  const auto string = [&out](const std::string& id, const std::string& text) {
    out += "      <string" + Attribute("id", id) + ">" + Xml(text) + "</string>\n";
  };
  string(kSupported, "Microsoft Windows XP or later");
  for (const Category& category : built.categories_) string(category.id, category.name);
  for (const Policy& policy : built.policies_) {
    string(policy.id, policy.name);
    string(policy.id + "_Help", policy.explain);
  }
  out += "    </stringTable>\n    <presentationTable>\n";
  for (const Policy& policy : built.policies_) {
    const auto& element = policy.element;
    if (!element) continue;
    out += "      <presentation" + Attribute("id", policy.id) + ">\n        ";
    const std::string ref = Attribute("refId", ElementId(policy));
    if (element->kind == Element::kList) {
      out += "<listBox" + ref + ">" + Xml(policy.name) + "</listBox>\n";
    } else if (element->kind == Element::kDecimal) {
      out += "<decimalTextBox" + ref + Attribute("defaultValue", std::to_string(element->min)) + ">" +
             Xml(policy.name) + "</decimalTextBox>\n";
    } else {
      out += "<textBox" + ref + "><label>" + Xml(policy.name) + "</label></textBox>\n";
    }
    out += "      </presentation>\n";
  }
  out += "    </presentationTable>\n  </resources>\n</policyDefinitionResources>\n";
  return out;
}

// --- the ADM template ------------------------------------------------------

// A quoted ADM text, a line break as \n. The language has no way to put a
// double quote inside one, so a caption's quotes become single quotes.
std::string Quoted(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '"') {
      out += '\'';
    } else if (c == '\n') {
      out += "\\n";
    } else if (c != '\r') {
      out += c;
    }
  }
  return out + "\"";
}

std::string AdmData(const char* keyword, const Data& data) {
  switch (data.kind) {
    case Data::kDecimal: return std::string(keyword) + " NUMERIC " + std::to_string(data.number);
    case Data::kText: return std::string(keyword) + " " + Quoted(data.text);
    case Data::kDelete: return std::string(keyword) + " DELETE";
    case Data::kNone: break;
  }
  return "";
}

class AdmWriter {
 public:
  explicit AdmWriter(const Builder& built) : built_(built) {}

  std::string Write() {
    Line("; Kelmor Deskwarden: every setting it changes, for the Group Policy editor.");
    Line("; " + std::string(kLeftOutNote));
    for (const bool machine : {true, false}) {
      Line("");
      Line(machine ? "CLASS MACHINE" : "CLASS USER");
      Categories("", machine, 0);
    }
    Line("");
    Line("[strings]");
    for (const Category& category : built_.categories_) String(category.id, category.name);
    for (const Policy& policy : built_.policies_) {
      String(policy.id, policy.name);
      String(policy.id + "_Help", policy.explain);
      if (policy.element) String(ElementId(policy), policy.name);
    }
    return out_;
  }

 private:
  void Line(const std::string& text, int depth = 0) {
    out_ += std::string(depth * 2, ' ') + text + "\r\n";
  }
  void String(const std::string& id, const std::string& text) { Line(id + "=" + Quoted(text)); }

  // A category is written in a class when a policy of that class lies
  // within it.
  bool Holds(const std::string& category, bool machine) const {
    for (const Policy& policy : built_.policies_) {
      if (policy.machine == machine && policy.category == category) return true;
    }
    for (const Category& child : built_.categories_) {
      if (child.parent == category && Holds(child.id, machine)) return true;
    }
    return false;
  }

  void Categories(const std::string& parent, bool machine, int depth) {
    for (const Category& category : built_.categories_) {
      if (category.parent != parent || !Holds(category.id, machine)) continue;
      Line("CATEGORY !!" + category.id, depth);
      for (const Policy& policy : built_.policies_) {
        if (policy.machine == machine && policy.category == category.id) Write(policy, depth + 1);
      }
      Categories(category.id, machine, depth + 1);
      Line("END CATEGORY", depth);
    }
  }

  void ActionList(const char* name, const Policy& policy, const Data& data, int depth) {
    Line(name, depth);
    Line("VALUENAME " + Quoted(policy.value), depth + 1);
    Line(AdmData("VALUE", data), depth + 1);
    Line(std::string("END ") + name, depth);
  }

  void Write(const Policy& policy, int depth) {
    Line("POLICY !!" + policy.id, depth);
    Line("KEYNAME " + Quoted(policy.key), depth + 1);
    Line("EXPLAIN !!" + policy.id + "_Help", depth + 1);
    if (!policy.element && policy.on.kind == Data::kDelete) {
      // VALUEON cannot delete; action lists can, for both states.
      ActionList("ACTIONLISTON", policy, policy.on, depth + 1);
      ActionList("ACTIONLISTOFF", policy, policy.off, depth + 1);
    } else if (!policy.element) {
      Line("VALUENAME " + Quoted(policy.value), depth + 1);
      if (policy.on.kind != Data::kNone) Line(AdmData("VALUEON", policy.on), depth + 1);
      // Without VALUEOFF, turning the policy off deletes the value.
      if (policy.off.kind != Data::kNone && policy.off.kind != Data::kDelete) {
        Line(AdmData("VALUEOFF", policy.off), depth + 1);
      }
    }
    if (const auto& element = policy.element) {
      const std::string head = "PART !!" + ElementId(policy);
      if (element->kind == Element::kList) {
        Line(head + " LISTBOX", depth + 1);
        Line("KEYNAME " + Quoted(policy.key), depth + 2);
        Line("VALUEPREFIX \"\"", depth + 2);
      } else if (element->kind == Element::kDecimal) {
        Line(head + " NUMERIC", depth + 1);
        Line("VALUENAME " + Quoted(policy.value), depth + 2);
        Line("MIN " + std::to_string(element->min) + " MAX " + std::to_string(element->max) +
                 " DEFAULT " + std::to_string(element->min),
             depth + 2);
      } else {
        Line(head + " EDITTEXT" + (element->expandable ? " EXPANDABLETEXT" : ""), depth + 1);
        Line("VALUENAME " + Quoted(policy.value), depth + 2);
      }
      Line("END PART", depth + 1);
    }
    Line("END POLICY", depth);
  }

  const Builder& built_;
  std::string out_;
};


}  // namespace

const char* LeftOutOfTemplates(const IndexedSetting& setting) {
  const SettingRow& row = *setting.row;
  if (setting.hive == HKU) return "a template has no class for HKEY_USERS";
  if (Writes(row, WriteKind::kCreateKeys) || Writes(row, WriteKind::kDeleteKeys)) {
    return "a template sets and deletes values, never whole keys";
  }
  if (Writes(row, WriteKind::kExpandString)) {
    return "a template stores fixed data as REG_SZ, which Windows would not expand";
  }
  if (row.load == LoadRule::kChoice && SameName(setting.key, pages::kOfficeChoiceKey) &&
      SameName(setting.value, pages::kOfficeChoiceValue)) {
    return "only this program reads it, and the templates carry every Office version";
  }
  return nullptr;
}

PolicyTemplates MakePolicyTemplates() {
  const Builder built;
  return {Admx(built), Adml(built), AdmWriter(built).Write()};
}

}  // namespace kdw::shell
