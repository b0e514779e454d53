// The Group Policy templates, read back as the editors read them: the XML
// pair by a small parser of its own (so the writer's escaping is not trusted
// to check itself), the ADM file line by line.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <vector>

#include "base/text.h"
#include "forms/controls.h"
#include "pages/catalogue.h"
#include "pages/office/office_version.h"
#include "shell/policy_templates.h"
#include "tests/shell/shell_fixture.h"

namespace kdw::shell {
namespace {

struct Node {
  std::string name;
  std::map<std::string, std::string> attributes;
  std::vector<std::unique_ptr<Node>> children;
  std::string text;

  std::vector<const Node*> All(const std::string& wanted) const {
    std::vector<const Node*> found;
    for (const auto& child : children) {
      if (child->name == wanted) found.push_back(child.get());
      for (const Node* below : child->All(wanted)) found.push_back(below);
    }
    return found;
  }
  const Node* Child(const std::string& wanted) const {
    for (const auto& child : children)
      if (child->name == wanted) return child.get();
    return nullptr;
  }
  std::string Attr(const std::string& key) const {
    auto found = attributes.find(key);
    return found == attributes.end() ? "<none>" : found->second;
  }
};

// Just enough XML: a declaration, comments, elements, attributes in double
// quotes and the five entities. Anything else is an error.
class XmlReader {
 public:
  explicit XmlReader(std::string text) : text_(std::move(text)) {}

  std::unique_ptr<Node> Read() {
    Skip("<?xml", "?>");
    Space();
    while (text_.compare(at_, 4, "<!--") == 0) Skip("<!--", "-->"), Space();
    auto root = Element();
    Space();
    if (at_ != text_.size()) Fail("text after the root element");
    return root;
  }

 private:
  [[noreturn]] void Fail(const std::string& what) {
    throw std::runtime_error(what + " at " + std::to_string(at_) + ": " + text_.substr(at_, 40));
  }
  void Space() {
    while (at_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[at_]))) ++at_;
  }
  void Skip(const std::string& open, const std::string& close) {
    if (text_.compare(at_, open.size(), open) != 0) Fail("expected " + open);
    const std::size_t end = text_.find(close, at_);
    if (end == std::string::npos) Fail("unclosed " + open);
    at_ = end + close.size();
  }
  std::string Name() {
    const std::size_t start = at_;
    while (at_ < text_.size() && (std::isalnum(static_cast<unsigned char>(text_[at_])) ||
                                  text_[at_] == ':' || text_[at_] == '_' || text_[at_] == '-'))
      ++at_;
    if (start == at_) Fail("expected a name");
    return text_.substr(start, at_ - start);
  }
  // Text up to `stop`, its entities resolved; a bare < or & is an error.
  std::string Chars(char stop) {
    std::string out;
    while (at_ < text_.size() && text_[at_] != stop) {
      const char c = text_[at_];
      if (c == '<' || (stop == '"' && c == '>')) Fail("unescaped markup");
      if (c == '&') {
        static const std::map<std::string, char> kEntities = {
            {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&apos;", '\''}};
        const std::size_t end = text_.find(';', at_);
        auto found = end == std::string::npos ? kEntities.end()
                                              : kEntities.find(text_.substr(at_, end - at_ + 1));
        if (found == kEntities.end()) Fail("bad entity");
        out += found->second;
        at_ = end + 1;
        continue;
      }
      out += c;
      ++at_;
    }
    if (at_ == text_.size()) Fail("unexpected end");
    return out;
  }
  std::unique_ptr<Node> Element() {
    if (text_[at_] != '<') Fail("expected an element");
    ++at_;
    auto node = std::make_unique<Node>();
    node->name = Name();
    for (;;) {
      Space();
      if (text_.compare(at_, 2, "/>") == 0) {
        at_ += 2;
        return node;
      }
      if (text_[at_] == '>') break;
      const std::string key = Name();
      if (text_.compare(at_, 2, "=\"") != 0) Fail("unquoted attribute");
      at_ += 2;
      if (!node->attributes.emplace(key, Chars('"')).second) Fail("repeated attribute");
      ++at_;
    }
    ++at_;
    for (;;) {
      node->text += Chars('<');
      if (text_.compare(at_, 2, "</") == 0) break;
      node->children.push_back(Element());
    }
    at_ += 2;
    if (Name() != node->name) Fail("mismatched end tag of " + node->name);
    Space();
    if (text_[at_] != '>') Fail("expected >");
    ++at_;
    return node;
  }

  std::string text_;
  std::size_t at_ = 0;
};

std::string PolicyKeyOf(const pages::IndexedSetting& setting, const std::string& key) {
  return setting.hive == HKCR ? "Software\\Classes\\" + key : key;
}

// The settings a template cannot carry, by page and control.
const std::set<std::pair<std::string, std::string>> kLeftOut = {
    {"frmDrives", "Check2"},   // fixed REG_EXPAND_SZ data
    {"frmOthers", "Check14"},  // makes and removes whole keys
    {"frmOffice", "Combo2"},   // this program's own choice of Office version
};

// What a box's state writes, in the words PolicyTemplatesTest::Data gives.
std::string Stored(const pages::WriteAction& action, int state) {
  switch (action.kind) {
    case pages::WriteKind::kStateDword: return "decimal:" + std::to_string(state);
    case pages::WriteKind::kStateText: return "string:" + std::to_string(state);
    case pages::WriteKind::kDword: return "decimal:" + std::to_string(action.number);
    case pages::WriteKind::kString: return std::string("string:") + action.text;
    case pages::WriteKind::kDeleteValue: return "delete:";
    default: return "<none>";
  }
}

// Children in an order the schema's sequence allows, each named in it.
::testing::AssertionResult InOrder(const Node& node, const std::vector<std::string>& order) {
  std::size_t last = 0;
  for (const auto& child : node.children) {
    const auto at = static_cast<std::size_t>(std::find(order.begin(), order.end(), child->name) -
                                             order.begin());
    if (at == order.size() || at < last) {
      return ::testing::AssertionFailure()
             << node.name << " " << node.Attr("name") << ": " << child->name << " out of place";
    }
    last = at;
  }
  return ::testing::AssertionSuccess();
}

// The ADM file as XP's editor reads it: each policy in the words the XML
// side is compared in, and the strings. Any line out of place throws.
struct AdmFile {
  struct Policy {
    std::string class_name, category, key, value, on, off, element;
  };
  std::map<std::string, Policy> policies;
  std::map<std::string, std::string> category_parents;
  std::map<std::string, std::string> strings;
  std::vector<std::string> references;  // every !!name
};

[[noreturn]] void Fail(const std::string& line) { throw std::runtime_error("ADM line: " + line); }

// Words and quoted texts (kept with their opening quote); a quoted text has
// no quote inside it, so one is followed by a blank or the line's end.
std::vector<std::string> Words(const std::string& line) {
  std::vector<std::string> words;
  for (std::size_t at = 0; at < line.size();) {
    if (line[at] == ' ') {
      ++at;
    } else if (line[at] == '"') {
      const std::size_t end = line.find('"', at + 1);
      if (end == std::string::npos || (end + 1 < line.size() && line[end + 1] != ' ')) Fail(line);
      words.push_back(line.substr(at, end - at));
      at = end + 1;
    } else {
      const std::size_t end = std::min(line.find(' ', at), line.size());
      words.push_back(line.substr(at, end - at));
      at = end;
    }
  }
  return words;
}

std::string Quoted(const std::string& word, const std::string& line) {
  if (word.empty() || word[0] != '"') Fail(line);
  return word.substr(1);
}

AdmFile ReadAdm(const std::string& text) {
  AdmFile adm;
  std::vector<std::string> open, categories;
  std::string class_name;
  AdmFile::Policy* policy = nullptr;
  bool in_strings = false;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    if (line.empty() || line.back() != '\r') Fail("not CRLF: " + line);
    line.pop_back();
    line.erase(0, line.find_first_not_of(' '));
    if (line.empty() || line[0] == ';') continue;
    if (in_strings) {
      const std::size_t equals = line.find('=');
      const std::vector<std::string> text_words = Words(line.substr(equals + 1));
      if (equals == std::string::npos || text_words.size() != 1) Fail(line);
      adm.strings[line.substr(0, equals)] = Quoted(text_words[0], line);
      continue;
    }
    const std::vector<std::string> words = Words(line);
    for (const std::string& word : words)
      if (word.rfind("!!", 0) == 0) adm.references.push_back(word.substr(2));
    const std::string& first = words[0];
    const std::string block = open.empty() ? "" : open.back();
    const auto need = [&](std::size_t count, const std::string& in) {
      if (words.size() != count || block.rfind(in, 0) != 0) Fail(line);
    };
    // NUMERIC n, DELETE or a quoted text, from words[at] on.
    const auto data = [&](std::size_t at) -> std::string {
      if (words.size() == at + 2 && words[at] == "NUMERIC") return "decimal:" + words[at + 1];
      if (words.size() != at + 1) Fail(line);
      return words[at] == "DELETE" ? "delete:" : "string:" + Quoted(words[at], line);
    };
    if (first == "[strings]" || first == "CLASS") {
      if (!open.empty() || words.size() != (first == "CLASS" ? 2u : 1u)) Fail(line);
      in_strings = first == "[strings]";
      class_name = words.back();
    } else if (first == "CATEGORY") {
      if (block != "" && block != "CATEGORY") Fail(line);
      need(2, block);
      adm.category_parents[words[1].substr(2)] = categories.empty() ? "" : categories.back();
      categories.push_back(words[1].substr(2));
      open.push_back(first);
    } else if (first == "POLICY") {
      need(2, "CATEGORY");
      policy = &adm.policies[words[1].substr(2)];
      if (!policy->class_name.empty()) Fail("twice: " + line);
      *policy = {class_name, categories.back(), "", "", "<none>", "<none>", ""};
      open.push_back(first);
    } else if (first == "END") {
      need(2, words[1]);
      if (block != words[1]) Fail(line);
      open.pop_back();
      if (block == "CATEGORY") categories.pop_back();
    } else if (first == "KEYNAME") {
      if (block == "PART") {
        need(2, "PART");
        policy->element += " key=" + Quoted(words[1], line);
      } else {
        need(2, "POLICY");
        policy->key = Quoted(words[1], line);
      }
    } else if (first == "EXPLAIN") {
      need(2, "POLICY");
    } else if (first == "VALUENAME") {
      if (block == "PART") {
        need(2, "PART");
        policy->element += " value=" + Quoted(words[1], line);
      } else {
        need(2, block == "POLICY" ? "POLICY" : "ACTIONLIST");
        policy->value = Quoted(words[1], line);
        // Its own value: 1 when on and deleted when off, unless told.
        if (block == "POLICY") policy->on = "decimal:1", policy->off = "delete:";
      }
    } else if (first == "VALUEON" || first == "VALUEOFF") {
      if (block != "POLICY" || policy->on == "<none>") Fail(line);  // before VALUENAME
      (first == "VALUEON" ? policy->on : policy->off) = data(1);
      if (data(1) == "delete:") Fail("VALUEON and VALUEOFF cannot delete: " + line);
    } else if (first == "ACTIONLISTON" || first == "ACTIONLISTOFF") {
      need(1, "POLICY");
      open.push_back(first);
    } else if (first == "VALUE") {
      if (block.rfind("ACTIONLIST", 0) != 0) Fail(line);
      (block == "ACTIONLISTON" ? policy->on : policy->off) = data(1);
    } else if (first == "PART") {
      if (block != "POLICY" || words.size() < 3 || words.size() > 4) Fail(line);
      policy->element = words[2] + (words.size() == 4 ? " " + words[3] : "");
      open.push_back(first);
    } else if (first == "VALUEPREFIX") {
      need(2, "PART");
      policy->element += " prefix=" + Quoted(words[1], line);
    } else if (first == "MIN") {
      need(6, "PART");
      if (words[2] != "MAX" || words[4] != "DEFAULT") Fail(line);
      policy->element += " " + words[1] + ".." + words[3];
    } else {
      Fail(line);
    }
  }
  if (!open.empty() || !in_strings) Fail("unclosed " + (open.empty() ? "[strings]" : open.back()));
  return adm;
}

class PolicyTemplatesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    templates = MakePolicyTemplates();
    admx = XmlReader(templates.admx).Read();
    adml = XmlReader(templates.adml).Read();
    for (const Node* policy : admx->All("policy")) policies.push_back(policy);
    for (const Node* string : adml->All("string")) {
      EXPECT_TRUE(strings.emplace(string->Attr("id"), string->text).second) << string->Attr("id");
    }
  }
  // The policies storing the value (as theirs or as an element's).
  std::vector<const Node*> Storing(const std::string& key, const std::string& value) const {
    std::vector<const Node*> found;
    for (const Node* policy : policies) {
      if (!SameName(policy->Attr("key"), key)) continue;
      bool stores = SameName(policy->Attr("valueName"), value);
      for (const char* kind : {"text", "decimal"})
        for (const Node* element : policy->All(kind)) stores |= SameName(element->Attr("valueName"), value);
      stores |= value == "*" && !policy->All("list").empty();
      if (stores) found.push_back(policy);
    }
    return found;
  }
  const Node& Only(const std::string& key, const std::string& value) const {
    const auto found = Storing(key, value);
    EXPECT_EQ(found.size(), 1u) << key << " " << value;
    if (found.empty()) throw std::runtime_error("no policy for " + key);
    return *found.front();
  }
  static std::string Data(const Node& policy, const char* state) {
    const Node* holder = policy.Child(state);
    if (!holder || holder->children.empty()) return "<none>";
    const Node& data = *holder->children.front();
    return data.name + ":" + (data.name == "decimal" ? data.Attr("value") : data.text);
  }
  // A policy's element in the words of the ADM reader.
  static std::string ElementOf(const Node& policy) {
    const Node* elements = policy.Child("elements");
    if (!elements) return "";
    const Node& element = *elements->children.at(0);
    if (element.name == "list") return "LISTBOX key=" + element.Attr("key") + " prefix=" + element.Attr("valuePrefix");
    if (element.name == "decimal") {
      return "NUMERIC value=" + element.Attr("valueName") + " " + element.Attr("minValue") + ".." +
             element.Attr("maxValue");
    }
    return std::string("EDITTEXT") + (element.Attr("expandable") == "true" ? " EXPANDABLETEXT" : "") +
           " value=" + element.Attr("valueName");
  }
  std::string Text(const std::string& reference) const {
    const auto found = strings.find(reference.substr(9, reference.size() - 10));
    return found == strings.end() ? "<undefined " + reference + ">" : found->second;
  }

  PolicyTemplates templates;
  std::unique_ptr<Node> admx, adml;
  std::vector<const Node*> policies;
  std::map<std::string, std::string> strings;
};

TEST_F(PolicyTemplatesTest, TheXmlPairIsWellFormedAndEveryReferenceResolves) {
  ASSERT_EQ(admx->name, "policyDefinitions");
  ASSERT_EQ(adml->name, "policyDefinitionResources");
  // The element order of the published schema.
  EXPECT_TRUE(InOrder(*admx, {"policyNamespaces", "supersededAdm", "annotation", "resources",
                              "supportedOn", "categories", "policies"}));
  EXPECT_EQ(admx->children.at(0)->name, "policyNamespaces");
  EXPECT_TRUE(admx->Child("resources"));
  EXPECT_TRUE(InOrder(*adml, {"displayName", "description", "annotation", "resources"}));
  EXPECT_TRUE(InOrder(*adml->Child("resources"), {"stringTable", "presentationTable"}));
  for (const Node* category : admx->All("category"))
    EXPECT_TRUE(InOrder(*category, {"annotation", "parentCategory", "seeAlso", "keywords"}));

  std::set<std::string> presentations, categories, names, supported;
  for (const Node* presentation : adml->All("presentation"))
    EXPECT_TRUE(presentations.insert(presentation->Attr("id")).second);
  for (const Node* category : admx->All("category"))
    EXPECT_TRUE(categories.insert(category->Attr("name")).second) << category->Attr("name");
  for (const Node* definition : admx->All("definition")) supported.insert(definition->Attr("name"));

  // Every $(string.X) and $(presentation.X) of the ADMX, wherever it stands.
  std::vector<const Node*> nodes = admx->All("category");
  nodes.insert(nodes.end(), policies.begin(), policies.end());
  nodes.push_back(admx->All("definition").at(0));
  for (const Node* node : nodes) {
    for (const auto& [key, value] : node->attributes) {
      if (value.rfind("$(string.", 0) == 0) {
        EXPECT_TRUE(strings.count(value.substr(9, value.size() - 10))) << value;
      } else if (value.rfind("$(presentation.", 0) == 0) {
        EXPECT_TRUE(presentations.count(value.substr(15, value.size() - 16))) << value;
      }
    }
  }
  for (const Node* parent : admx->All("parentCategory")) EXPECT_TRUE(categories.count(parent->Attr("ref")));

  for (const Node* policy : policies) {
    const std::string name = policy->Attr("name");
    EXPECT_TRUE(names.insert(name).second) << name;
    EXPECT_TRUE(policy->Attr("class") == "User" || policy->Attr("class") == "Machine") << name;
    EXPECT_TRUE(InOrder(*policy, {"parentCategory", "seeAlso", "keywords", "supportedOn",
                                  "enabledValue", "disabledValue", "enabledList", "disabledList",
                                  "elements"}));
    EXPECT_EQ(policy->children.at(0)->name, "parentCategory") << name;
    EXPECT_TRUE(supported.count(policy->Child("supportedOn")->Attr("ref"))) << name;
    // A state's data is for the policy's own value.
    if (policy->Child("enabledValue") || policy->Child("disabledValue")) {
      EXPECT_TRUE(policy->attributes.count("valueName")) << name;
    }
    const Node* elements = policy->Child("elements");
    EXPECT_EQ(elements != nullptr, policy->attributes.count("presentation") == 1) << name;
    if (!elements) continue;
    const Node* shown = nullptr;
    for (const Node* presentation : adml->All("presentation"))
      if (policy->Attr("presentation") == "$(presentation." + presentation->Attr("id") + ")") shown = presentation;
    ASSERT_TRUE(shown) << name;
    ASSERT_EQ(shown->children.size(), elements->children.size()) << name;
    for (std::size_t i = 0; i < elements->children.size(); ++i)
      EXPECT_EQ(shown->children[i]->Attr("refId"), elements->children[i]->Attr("id")) << name;
  }
}

TEST_F(PolicyTemplatesTest, EveryCataloguedSettingIsDescribedInItsClassOrLeftOutOnPurpose) {
  MemoryRegistry empty;
  std::size_t described = 0;
  for (const pages::IndexedSetting& setting : pages::IndexSettings(Registry(empty))) {
    std::vector<std::string> keys = {setting.key};
    if (setting.unresolved) {
      keys.clear();
      for (const char* version : pages::kOfficeVersions)
        keys.push_back(pages::WithVersion(setting.key.c_str(), pages::OfficeVersionNumber(version)));
    }
    const std::string value = setting.shape == pages::IndexedSetting::kAllValues ? "*" : setting.value;
    const bool left_out = setting.hive == HKU || kLeftOut.count({setting.page->decl.name, setting.control});
    EXPECT_EQ(LeftOutOfTemplates(setting) != nullptr, left_out) << setting.caption;
    for (const std::string& key : keys) {
      const auto found = Storing(PolicyKeyOf(setting, key), value);
      EXPECT_EQ(found.empty(), left_out) << setting.caption << " " << key;
      for (const Node* policy : found) {
        EXPECT_EQ(policy->Attr("class"), setting.hive == HKCU ? "User" : "Machine") << setting.caption;
        EXPECT_EQ(Text(policy->Attr("displayName")), setting.caption);
        const std::string help = Text(policy->Attr("explainText"));
        EXPECT_EQ(help.rfind(setting.explanation + "\n\n", 0), 0u) << setting.caption;
        EXPECT_TRUE(help.ends_with("\n\n" + pages::EffectSentence(setting.effect))) << setting.caption;
        // A box stores what its page writes in each state: inverted boxes,
        // states as text and deletions included.
        if (policy->Child("elements")) continue;
        EXPECT_EQ(Data(*policy, "enabledValue"), Stored(setting.row->checked, 1)) << setting.caption;
        EXPECT_EQ(Data(*policy, "disabledValue"), Stored(setting.row->unchecked, 0)) << setting.caption;
      }
      described += !found.empty();
    }
  }
  EXPECT_EQ(described, policies.size()) << "every policy stands for a catalogued setting";
}

TEST_F(PolicyTemplatesTest, ElementsAreTheControlsTheyStandFor) {
  // A slider's range, for each Office version.
  for (const char* version : {"10.0", "11.0", "12.0"}) {
    const Node& cache = Only(std::string("Software\\Microsoft\\Office\\") + version + "\\Word\\Options",
                             "CACHESIZE");
    EXPECT_EQ(ElementOf(cache), "NUMERIC value=CACHESIZE 64..1024");
    EXPECT_EQ(cache.Attr("class"), "User");
  }
  // A shell folder, stored unexpanded.
  const Node& personal = Only(
      "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders", "Personal");
  EXPECT_EQ(ElementOf(personal), "EDITTEXT EXPANDABLETEXT value=Personal");
  // The programs a user may not start: values named 1, 2, 3 and on.
  const std::string disallow = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\DisallowRun";
  EXPECT_EQ(ElementOf(Only(disallow, "*")), "LISTBOX key=" + disallow + " prefix=");
  // The drives to hide: one mask of 26 letters.
  const Node& drives = Only("Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer", "NoDrives");
  EXPECT_EQ(ElementOf(drives), "NUMERIC value=NoDrives 0..67108863");
  // A box under HKEY_CLASSES_ROOT whose checked state deletes.
  const Node& arrow = Only("Software\\Classes\\lnkfile", "IsShortcut");
  EXPECT_EQ(arrow.Attr("class"), "Machine");
  EXPECT_EQ(Data(arrow, "enabledValue"), "delete:");
}

// The range a slider row declares is the one its page's slider has, and so
// the one the templates allow.
class SliderRangeTest : public ShellTest {};

TEST_F(SliderRangeTest, EachSliderRangeIsItsPagesOwn) {
  int sliders = 0;
  for (const pages::PageEntry& page : pages::Catalogue()) {
    std::vector<pages::SettingRow> rows(page.decl.rows.begin(), page.decl.rows.end());
    rows.insert(rows.end(), page.decl.marked_rows.begin(), page.decl.marked_rows.end());
    for (const pages::SettingRow& row : rows) {
      if (row.load != pages::LoadRule::kPosition) continue;
      ++sliders;
      auto made = page.make(context);
      const auto& slider = dynamic_cast<const forms::Slider&>(made->form().control(row.control));
      EXPECT_EQ(row.slider_min, slider.min()) << page.decl.name;
      EXPECT_EQ(row.slider_max, slider.max()) << page.decl.name;
    }
  }
  EXPECT_EQ(sliders, 2);
}

// The ADM file says what the XML pair says, in its own language.
TEST_F(PolicyTemplatesTest, TheAdmFileIsWellFormedAndSaysWhatTheXmlSays) {
  AdmFile adm;
  ASSERT_NO_THROW(adm = ReadAdm(templates.adm));
  for (const std::string& name : adm.references) EXPECT_TRUE(adm.strings.count(name)) << name;
  EXPECT_EQ(adm.strings["Drives_Image1"], "Prevent Access to C:\\");
  // The same texts, with the line breaks and quotes the language allows.
  std::size_t same = 0;
  for (const auto& [id, text] : adm.strings) {
    const auto found = strings.find(id);
    if (found == strings.end()) continue;
    std::string expected;
    for (char c : found->second) expected += c == '\n' ? std::string("\\n") : std::string(1, c == '"' ? '\'' : c);
    EXPECT_EQ(text, expected) << id;
    ++same;
  }
  EXPECT_GT(same, 2 * policies.size());
  for (const Node* category : admx->All("category")) {
    const Node* parent = category->Child("parentCategory");
    if (!adm.category_parents.count(category->Attr("name"))) continue;  // none of its class
    EXPECT_EQ(adm.category_parents[category->Attr("name")], parent ? parent->Attr("ref") : "");
  }
  ASSERT_EQ(adm.policies.size(), policies.size());
  for (const Node* policy : policies) {
    const std::string name = policy->Attr("name");
    ASSERT_TRUE(adm.policies.count(name)) << name;
    const AdmFile::Policy& read = adm.policies[name];
    EXPECT_EQ(read.class_name, policy->Attr("class") == "Machine" ? "MACHINE" : "USER") << name;
    EXPECT_EQ(read.category, policy->Child("parentCategory")->Attr("ref")) << name;
    EXPECT_EQ(read.key, policy->Attr("key")) << name;
    EXPECT_EQ(read.value, policy->attributes.count("valueName") ? policy->Attr("valueName") : "") << name;
    EXPECT_EQ(read.on, Data(*policy, "enabledValue")) << name;
    EXPECT_EQ(read.off, Data(*policy, "disabledValue")) << name;
    EXPECT_EQ(read.element, ElementOf(*policy)) << name;
  }
}

}  // namespace
}  // namespace kdw::shell
