// Checks every page of the catalogue gets for free: the layout, the captions,
// what opening writes, what a click writes, hostile stored data and the
// account rule. Each runs over the in-process registry, page by page.
#include "pages/catalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "forms/fake_host.h"
#include "pages/office/office_version.h"
#include "pages/settings_index.h"
#include "registry/reg_file.h"
#include "registry/memory_registry.h"
#include "tests/forms/layout_check.h"
#include "tests/core/fake_platform.h"

namespace kdw::pages {
namespace {

const char* HiveName(std::uint32_t hive) {
  switch (hive) {
    case HKCR: return "HKCR";
    case HKCU: return "HKCU";
    case HKLM: return "HKLM";
    default: return "HKU";
  }
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// A value's place, as one text: "HKCU\key\name" (case folded, as the
// registry folds it).
std::string PathOf(std::uint32_t hive, const std::string& key, const std::string& name) {
  return Lower(std::string(HiveName(hive)) + "\\" + key + "\\" + name);
}

// The in-process registry, keeping a copy of every value written through it
// by place, and a log of the places each write or delete touched.
class ShadowRegistry : public MemoryRegistry {
 public:
  long OpenKey(RegKey parent, const std::string& path, RegKey* result) override {
    const long rc = MemoryRegistry::OpenKey(parent, path, result);
    if (rc == regerr::kSuccess) keys_[*result] = PathOf(static_cast<std::uint32_t>(parent), path, "");
    return rc;
  }
  long CreateKey(RegKey parent, const std::string& path, RegKey* result) override {
    if (refuse) return *result = 0, regerr::kAccessDenied;
    const long rc = MemoryRegistry::CreateKey(parent, path, result);
    if (rc == regerr::kSuccess) keys_[*result] = PathOf(static_cast<std::uint32_t>(parent), path, "");
    return rc;
  }
  long SetValue(RegKey key, const std::string& name, ValueType type, const std::uint8_t* data,
                std::uint32_t size) override {
    const long rc =
        refuse ? regerr::kAccessDenied : MemoryRegistry::SetValue(key, name, type, data, size);
    const std::string place = keys_[key] + Lower(name);
    touched.push_back(place);
    if (rc == regerr::kSuccess) {
      values[place] = std::to_string(TypeNumber(type)) + ":" + std::string(reinterpret_cast<const char*>(data), size);
    }
    return rc;
  }
  long DeleteValue(RegKey key, const std::string& name) override {
    const std::string place = keys_[key] + Lower(name);
    touched.push_back(place);
    if (refuse) return regerr::kAccessDenied;
    values.erase(place);
    return MemoryRegistry::DeleteValue(key, name);
  }
  long DeleteKey(RegKey parent, const std::string& path) override {
    const std::string place = PathOf(static_cast<std::uint32_t>(parent), path, "");
    touched.push_back(place);
    if (refuse) return regerr::kAccessDenied;
    const long rc = MemoryRegistry::DeleteKey(parent, path);
    if (rc == regerr::kSuccess) {
      for (auto it = values.lower_bound(place); it != values.end() && it->first.starts_with(place);)
        it = values.erase(it);
    }
    return rc;
  }

  std::map<std::string, std::string> values;
  std::vector<std::string> touched;
  // Every change refused, as Windows refuses a key whose permissions deny it.
  bool refuse = false;

 private:
  std::map<RegKey, std::string> keys_;
};

// The places a row may write: its value, and the keys it creates or deletes.
std::set<std::string> PlacesOf(const SettingRow& row) {
  std::set<std::string> places{PathOf(row.hive, row.key, row.value)};
  for (const WriteAction* action : {&row.checked, &row.unchecked}) {
    for (const KeyDefault& key : action->keys) {
      places.insert(PathOf(row.hive, key.key, ""));
    }
  }
  return places;
}

// Whether a write at `place` is one of the setting's: its value, or for a
// key made whole or a list of entries, anything in the key.
bool Covers(const IndexedSetting& setting, const std::string& place) {
  if (setting.shape == IndexedSetting::kValue) {
    return place == PathOf(setting.hive, setting.key, setting.value);
  }
  return place.starts_with(PathOf(setting.hive, setting.key, ""));
}

bool IsProbe(const std::string& place) {
  return place == PathOf(HKLM, kProbeKey, kProbeValue);
}

// Builds a page and loads it, as a section or its opener does; what stopped
// it, if anything.
::testing::AssertionResult BuildsAndLoads(const PageEntry& entry, Context& context) {
  try {
    entry.make(context)->Load();
    return ::testing::AssertionSuccess();
  } catch (const std::exception& error) {
    return ::testing::AssertionFailure() << entry.decl.name << ": " << error.what();
  }
}

class PageChecks : public ::testing::TestWithParam<const PageEntry*> {
 protected:
  const PageSpec& decl() const { return GetParam()->decl; }
  forms::Form& Open() {
    page_.reset();
    page_ = GetParam()->make(context_);
    page_->Load();
    return page_->form();
  }
  // The places written since the last call, the account probe left out.
  std::vector<std::string> Written() {
    std::vector<std::string> places;
    for (const std::string& place : api_.touched) {
      if (!IsProbe(place)) places.push_back(place);
    }
    api_.touched.clear();
    return places;
  }
  // The controls bound to nothing that a limited account finds disabled.
  std::set<std::string> UnboundMachineWide() const {
    std::set<std::string> names;
    for (const forms::ControlSpec& control : decl().controls) {
      if (control.machine_wide) names.insert(control.name);
    }
    return names;
  }
  static int ItemIndex(const SettingRow& row) {
    int index = 0;
    for (const SettingRow& other : GetParam()->decl.rows) {
      if (&other == &row) return index;
      if (other.list_item && std::string_view(other.control) == row.control) ++index;
    }
    return -1;
  }
  // Whether the user can change the row's control at all: a list of
  // choices needs an item other than the current one.
  static bool Changeable(forms::Form& form, const SettingRow& row) {
    return row.load != LoadRule::kChoice || form.list(row.control).count() > 1 ||
           (form.list(row.control).count() == 1 && form.list(row.control).list_index() != 0);
  }

  // Works the row's control as the user would, once.
  void UserChanges(forms::Form& form, const SettingRow& row) {
    if (row.two_states) {
      // The button that shows; of two lying on one another, the other hides.
      const char* partner = row.two_states->partner;
      forms::Control& button = form.control(row.control);
      (*partner && !button.visible() ? form.control(partner) : button).UserClick();
    } else if (row.load == LoadRule::kChoice) {
      forms::ListControl& list = form.list(row.control);
      list.UserSelect(list.list_index() == 0 ? 1 : 0);
    } else if (row.load == LoadRule::kText) {
      form.text(row.control).UserEdit(form.text(row.control).text() + "x");
    } else if (row.load == LoadRule::kPosition) {
      forms::Slider& slider = form.slider(row.control);
      slider.UserScroll(slider.value() == slider.max() ? slider.min() : slider.max());
    } else if (row.list_item) {
      form.list(row.control).UserToggle(ItemIndex(row));
    } else {
      form.check(row.control).UserClick();
    }
  }

  // What the row's control shows, as text.
  static std::string Shown(forms::Form& form, const SettingRow& row) {
    if (row.two_states) {
      const forms::Control& button = form.control(row.control);
      return button.caption() + (button.visible() ? "" : " (hidden)");
    }
    if (row.load == LoadRule::kChoice) return form.list(row.control).text();
    if (row.load == LoadRule::kText) return form.text(row.control).text();
    if (row.load == LoadRule::kPosition) return std::to_string(form.slider(row.control).value());
    if (row.list_item) return std::to_string(form.list(row.control).checked(ItemIndex(row)));
    return std::to_string(form.check(row.control).value());
  }

  // The picker's rows made for its first declared entry, with Office 11.0.
  std::span<const SettingRow> FirstEntryRows(const EntryPicker& picker) {
    const PickerEntry& first = picker.entries.front();
    made_.Make(picker.rows, kEntryMark, first.Name());
    return made_.Also("<version>", "11.0", "11.0");
  }
  MarkedRows made_;

  ShadowRegistry api_;
  Registry reg_{api_};
  forms::FakeHost host_;
  kdw::test::FakePlatform fakes_;
  Context context_ = fakes_.ContextFor(reg_, host_);
  std::unique_ptr<forms::FormController> page_;
};

TEST_P(PageChecks, LayoutFitsAndEveryNameExists) {
  forms::Form& form = Open();
  EXPECT_EQ(form.name(), decl().name);
  EXPECT_EQ(form.caption(), decl().caption);
  EXPECT_EQ(forms::ControlsOutside(form), std::vector<std::string>{});
  for (const SettingRow& row : decl().rows) {
    ASSERT_NE(form.find(row.control), nullptr) << row.control;
    if (row.machine_wide) {
      EXPECT_NE(row.hive, HKCU) << row.control << " is a per-user row";
    }
  }
  // Search takes the user to these controls.
  for (const SettingRow& row : decl().marked_rows) {
    EXPECT_NE(form.find(row.control), nullptr) << row.control;
  }
  if (const EntryPicker* picker = decl().picker) {
    EXPECT_NE(form.find(picker->list), nullptr) << picker->list;
    for (const SettingRow& row : picker->rows) {
      EXPECT_NE(form.find(row.control), nullptr) << row.control;
      EXPECT_NE(std::string(row.key) + row.value, WithMark((std::string(row.key) + row.value).c_str(), kEntryMark, ""))
          << row.control << " stands for no entry";
    }
  }
}

// Every control a page's code uses is found when the page is built, so a
// misspelt name stops this check, never a user's click.
TEST_P(PageChecks, EveryControlItsCodeUsesIsOnTheForm) {
  EXPECT_TRUE(BuildsAndLoads(*GetParam(), context_));
}

TEST_P(PageChecks, BoundCaptionsAreThereAndUnique) {
  std::set<std::string> seen;
  for (const SettingRow& row : decl().rows) {
    // Text boxes and sliders are captioned by labels of their own.
    if (row.load == LoadRule::kText || row.load == LoadRule::kPosition) continue;
    const std::string caption = row.caption;
    EXPECT_FALSE(caption.empty()) << row.control;
    const std::string scope = row.list_item ? row.control : "";
    EXPECT_TRUE(seen.insert(scope + "|" + caption).second) << "twice: " << caption;
  }
}

TEST_P(PageChecks, OpeningWritesOnlyItsOwnValuesAndOpeningAgainNothingNew) {
  std::set<std::string> own;
  for (const SettingRow& row : decl().rows) own.merge(PlacesOf(row));
  Open();
  for (const std::string& place : Written()) EXPECT_TRUE(own.count(place)) << place;
  const auto after_first = api_.values;
  Open();
  Open();
  EXPECT_EQ(api_.values, after_first);
}

TEST_P(PageChecks, AChangeWritesItsOwnValueAndNoOther) {
  for (const SettingRow& row : decl().rows) {
    forms::Form& form = Open();
    if (!Changeable(form, row)) continue;
    Written();
    UserChanges(form, row);
    const std::vector<std::string> written = Written();
    EXPECT_FALSE(written.empty()) << row.control << " " << row.caption << " wrote nothing";
    const std::set<std::string> own = PlacesOf(row);
    for (const std::string& place : written)
      EXPECT_TRUE(own.count(place)) << row.control << " " << row.caption << " wrote " << place;
  }
}

// An entry of a picker shows its rows without writing (unless the picker
// writes back what it shows), and what is typed in a row of a picker that
// edits is stored under the entry chosen, and nowhere else.
TEST_P(PageChecks, APickedEntryShowsItsRowsAndTypingStoresUnderIt) {
  const EntryPicker* picker = decl().picker;
  if (!picker || picker->entries.empty()) return;
  EXPECT_TRUE(reg_.SaveStringValue(HKLM, kOfficeChoiceKey, kOfficeChoiceValue, "Office 2003").ok());
  const std::span<const SettingRow> rows = FirstEntryRows(*picker);
  for (const SettingRow& row : rows) {
    const std::string text = std::string("stored in ") + row.control;
    const RegStatus status = row.kind == ValueKind::kExpandSz
                                 ? reg_.SaveExpandStringValue(row.hive, row.key, row.value, text)
                                 : reg_.SaveStringValue(row.hive, row.key, row.value, text);
    EXPECT_TRUE(status.ok());
  }
  forms::Form& form = Open();
  Written();
  form.list(picker->list).UserSelect(0);
  if (!picker->writes_back) {
    EXPECT_TRUE(Written().empty());
  }
  for (const SettingRow& row : rows) {
    EXPECT_EQ(form.text(row.control).text(), std::string("stored in ") + row.control);
    if (!picker->edits) continue;
    Written();
    form.text(row.control).UserEdit("typed");
    EXPECT_EQ(Written(), std::vector<std::string>{PathOf(row.hive, row.key, row.value)}) << row.control;
  }
}

// A browse button puts what its dialog gives into its box; Cancel leaves
// the box alone.
TEST_P(PageChecks, BrowseButtonsFillTheirBoxes) {
  for (const BrowseButton& button : decl().browse) {
    forms::Form& form = Open();
    if (button.needs_entry) form.list(decl().picker->list).UserSelect(0);
    const std::string before = form.text(button.box).text();
    form.control(button.button).UserClick();
    EXPECT_EQ(form.text(button.box).text(), before) << button.button << " cancelled";
    const std::string chosen = "C:\\Chosen Folder\\chosen.file";
    if (*button.filter) {
      fakes_.dialogs.QueueOpenFileResult(chosen);
    } else {
      fakes_.dialogs.QueueDirBoxResult(chosen);
    }
    form.control(button.button).UserClick();
    EXPECT_EQ(form.text(button.box).text(), button.name_only ? "chosen.file" : chosen) << button.button;
  }
}

// Each opener shows its own dialog; one for administrators only refuses a
// limited account and says why.
TEST_P(PageChecks, EachOpenerShowsItsDialog) {
  EXPECT_TRUE(reg_.SaveStringValue(HKLM, kOfficeChoiceKey, kOfficeChoiceValue, "Office 2003").ok());
  for (const DialogOpener& opener : decl().dialogs) {
    Open().control(opener.button).UserClick();
    EXPECT_EQ(host_.modal, std::vector<std::string>{opener.dialog->name}) << opener.button;
    host_.modal.clear();
  }
  api_.SetMachineWideReadOnly(true);
  for (const DialogOpener& opener : decl().dialogs) {
    fakes_.messages.Clear();
    Open().control(opener.button).UserClick();
    EXPECT_EQ(host_.modal.empty(), opener.administrators_only) << opener.button;
    EXPECT_EQ(fakes_.messages.shown().size(), opener.administrators_only ? 1u : 0u) << opener.button;
    host_.modal.clear();
  }
}

// Whatever Windows refuses, the control shows again what is stored and one
// message names the setting and the reason; a text box keeps what was typed
// and says so once, however many keystrokes follow, until a write goes
// through again.
TEST_P(PageChecks, ARefusedChangeShowsWhatIsStoredAndIsToldOnce) {
  for (const SettingRow& row : decl().rows) {
    forms::Form& form = Open();
    if (!Changeable(form, row)) continue;
    const std::string before = Shown(form, row);
    fakes_.messages.Clear();
    api_.refuse = true;
    UserChanges(form, row);
    const bool text = row.load == LoadRule::kText;
    if (text) UserChanges(form, row);
    api_.refuse = false;
    const std::string what = row.control + std::string(" ") + NameOf(row);
    if (text) {
      EXPECT_EQ(Shown(form, row), before + "xx") << what;
    } else {
      EXPECT_EQ(Shown(form, row), before) << what;
    }
    ASSERT_EQ(fakes_.messages.shown().size(), 1u) << what;
    const auto& message = fakes_.messages.shown()[0];
    EXPECT_EQ(message.text, "Kelmor Deskwarden could not change \"" + NameOf(row) +
                                "\": access is denied.") << what;
    EXPECT_EQ(message.title, "Kelmor Deskwarden");
    EXPECT_EQ(message.icon(), mb::kIconExclamation);
    EXPECT_EQ(message.buttons(), mb::kOk);
    if (text) {
      // Once a write goes through, the next refusal is told again.
      UserChanges(form, row);
      api_.refuse = true;
      UserChanges(form, row);
      api_.refuse = false;
      EXPECT_EQ(fakes_.messages.shown().size(), 2u) << what;
    }
  }
}

// What a page writes is what search and export know of it: opening with an
// Office version stored (so that the version rows are bound) writes only
// settings the index gives the page, and each version row writes its own
// value for that version.
TEST_P(PageChecks, WithAnOfficeVersionEveryWriteIsAnIndexedSetting) {
  EXPECT_TRUE(reg_.SaveStringValue(HKLM, kOfficeChoiceKey, kOfficeChoiceValue, "Office 2003").ok());
  std::vector<IndexedSetting> own;
  for (IndexedSetting& setting : IndexSettings(reg_)) {
    if (setting.page == GetParam()) own.push_back(std::move(setting));
  }
  auto indexed = [&](const std::string& place) {
    return std::any_of(own.begin(), own.end(), [&](const auto& s) { return Covers(s, place); });
  };
  Written();
  Open();
  for (const std::string& place : Written()) EXPECT_TRUE(indexed(place)) << place;
  for (const SettingRow& row : decl().marked_rows) {
    forms::Form& form = Open();
    Written();
    UserChanges(form, row);
    const std::vector<std::string> written = Written();
    EXPECT_FALSE(written.empty()) << row.control << " wrote nothing";
    for (const std::string& place : written) {
      EXPECT_EQ(place, PathOf(row.hive, WithVersion(row.key, "11.0"), row.value)) << row.control;
    }
  }
}

TEST_P(PageChecks, HostileStoredDataLoadsAndStaysAsItIs) {
  const std::string big(64 * 1024, 'A');
  const std::string with_nul("abc\0def", 7);
  const std::string multi("first\0second\0\0", 14);
  const std::uint8_t all_ones[4] = {0xff, 0xff, 0xff, 0xff};
  struct Hostile {
    const char* what;
    ValueType type;
    std::string data;
  };
  const Hostile hostile[] = {
      {"a string", regtype::kSz, "1"},
      {"a 64 KiB string", regtype::kSz, big},
      {"a string with a NUL inside", regtype::kSz, with_nul},
      {"an expandable string with a NUL inside", regtype::kExpandSz, with_nul},
      {"0xFFFFFFFF", regtype::kDword, std::string(reinterpret_cast<const char*>(all_ones), 4)},
      {"a multi-string", regtype::kMultiSz, multi},
      {"binary data", regtype::kBinary, "\x01\x02\x03"},
  };
  for (const SettingRow& row : decl().rows) {
    for (const Hostile& data : hostile) {
      // Every value of the key this row reads, in one place: HKCR's default
      // values too.
      RegKey key = 0;
      ASSERT_EQ(api_.CreateKey(row.hive, row.key, &key), regerr::kSuccess);
      api_.SetValue(key, row.value, data.type, reinterpret_cast<const std::uint8_t*>(data.data.data()),
                    static_cast<std::uint32_t>(data.data.size()));
      api_.CloseKey(key);
      const std::string place = PathOf(row.hive, row.key, row.value);
      const std::string stored = api_.values.at(place);
      fakes_.messages.Clear();
      Open();
      // A page may put back what it cannot show, but only after telling.
      if (fakes_.messages.shown().empty()) {
        EXPECT_EQ(api_.values.at(place), stored)
            << row.control << " " << row.caption << " changed " << data.what;
      }
    }
    // Keys with subkeys stay; the next row's data replaces what is left.
    static_cast<void>(reg_.DeleteKey(row.hive, row.key));
  }
}

TEST_P(PageChecks, ALimitedAccountSeesMachineWideControlsDisabledWithTheirState) {
  std::vector<const SettingRow*> machine_wide;
  for (const SettingRow& row : decl().rows) {
    if (row.machine_wide) machine_wide.push_back(&row);
  }
  // As an administrator: the machine-wide controls enabled (a page may keep
  // others disabled for reasons of its own); give each a state other than
  // its first.
  forms::Form& form = Open();
  for (const SettingRow* row : machine_wide) {
    EXPECT_TRUE(form.control(row->control).enabled()) << row->control;
  }
  for (const std::string& name : UnboundMachineWide()) EXPECT_TRUE(form.control(name).enabled()) << name;
  for (const SettingRow* row : machine_wide) {
    if (Changeable(form, *row)) UserChanges(form, *row);
  }
  // What the administrator finds on opening again after those changes.
  forms::Form& again = Open();
  std::map<std::string, bool> enabled;
  for (const auto& control : again.controls()) enabled[control->name()] = control->enabled();
  std::map<std::string, std::string> shown;
  for (const SettingRow* row : machine_wide) shown[row->control] = Shown(again, *row);

  api_.SetMachineWideReadOnly(true);
  forms::Form& limited = Open();
  for (const SettingRow* row : machine_wide) {
    EXPECT_FALSE(limited.control(row->control).enabled()) << row->control;
    EXPECT_EQ(Shown(limited, *row), shown[row->control]) << row->control;
  }
  for (const std::string& name : UnboundMachineWide()) {
    EXPECT_FALSE(limited.control(name).enabled()) << name;
  }
  // Every other control is as the administrator found it.
  std::set<std::string> disabled_for_limited = UnboundMachineWide();
  for (const SettingRow* row : machine_wide) disabled_for_limited.insert(row->control);
  for (const auto& control : limited.controls()) {
    if (disabled_for_limited.count(control->name()) || !enabled.count(control->name())) continue;
    EXPECT_EQ(enabled[control->name()], control->enabled()) << control->name();
  }
}

// Every bound control says what its setting is when asked: its shortcut
// menu offers "What's This?", and choosing it shows the row's explanation,
// when a change takes effect and where the registry keeps it, for the row
// bound now: while a mark or a picker stands for nothing, the row as
// declared; once it stands for a version or an entry, that one's.
TEST_P(PageChecks, EveryBoundControlSaysWhatItsSettingIsWhenAsked) {
  // The help shown for the control, "" for none.
  auto ask = [&](forms::Form& form, const char* control, int item) {
    host_.menus.clear();
    host_.help.clear();
    form.control(control).UserContextMenu(item);
    EXPECT_EQ(host_.menus.size(), 1u) << control << " offers no menu";
    for (const auto& menu : host_.menus) {
      EXPECT_EQ(menu.control, control);
      EXPECT_EQ(menu.items, std::vector<std::string>{"&What's This?"}) << control;
    }
    return host_.help.empty() ? std::string() : host_.help.back().text;
  };
  auto expect_explained = [](const std::string& help, const SettingRow& row) {
    const std::string place =
        row.kind != ValueKind::kKey ? ValuePath(row.hive, row.key, row.value)
                                    : KeyPath(row.hive, row.checked.keys.empty() ? row.key : row.checked.keys[0].key);
    const std::string when = EffectSentence(row.effect);
    for (const std::string& part : {std::string(row.explanation), when, place})
      EXPECT_NE(help.find(part), std::string::npos) << row.control << " " << row.caption << ": no \"" << part << "\" in \"" << help << "\"";
  };

  host_.menu_choice = 0;
  forms::Form& form = Open();
  for (const SettingRow& row : decl().rows) {
    const int item = row.list_item ? ItemIndex(row) : -1;
    expect_explained(ask(form, row.control, item), row);
    if (row.two_states && *row.two_states->partner) expect_explained(ask(form, row.two_states->partner, item), row);
  }
  // No Office version stored and no entry picked: the rows as declared.
  for (const SettingRow& row : decl().marked_rows) expect_explained(ask(form, row.control, -1), row);
  if (const EntryPicker* picker = decl().picker) {
    for (const SettingRow& row : picker->rows) expect_explained(ask(form, row.control, -1), row);
  }
  // Closed without a choice, the menu shows nothing.
  if (!decl().rows.empty()) {
    host_.menu_choice = -1;
    EXPECT_EQ(ask(form, decl().rows[0].control, decl().rows[0].list_item ? 0 : -1), "");
    host_.menu_choice = 0;
  }

  EXPECT_TRUE(reg_.SaveStringValue(HKLM, kOfficeChoiceKey, kOfficeChoiceValue, "Office 2003").ok());
  forms::Form& again = Open();
  MarkedRows version;
  version.Make(decl().marked_rows, kVersionMark, "11.0");
  for (const SettingRow& row : version.rows()) expect_explained(ask(again, row.control, -1), row);
  const EntryPicker* picker = decl().picker;
  if (!picker || again.list(picker->list).count() == 0) return;
  again.list(picker->list).UserSelect(0);
  const std::string first =
      picker->entries.empty() ? again.list(picker->list).items()[0] : picker->entries[0].Name();
  MarkedRows picked;
  picked.Make(picker->rows, kEntryMark, first);
  picked.Also(kVersionMark, "11.0", "11.0");
  for (const SettingRow& row : picked.rows()) expect_explained(ask(again, row.control, -1), row);
}

std::string PageName(const ::testing::TestParamInfo<const PageEntry*>& info) {
  return info.param->decl.name;
}

std::vector<const PageEntry*> AllPages() {
  std::vector<const PageEntry*> pages;
  for (const PageEntry& entry : Catalogue()) pages.push_back(&entry);
  return pages;
}

INSTANTIATE_TEST_SUITE_P(Catalogue, PageChecks, ::testing::ValuesIn(AllPages()), PageName);

constexpr forms::ControlSpec kTwoControls[] = {
    {"Text1", forms::ControlKind::kTextBox, "", {0, 0, 1000, 300}},
    {"Image1", forms::ControlKind::kImage, "", {0, 400, 300, 300}},
};
const PageSpec kTwoControlPage{
    .name = "frmTwo", .caption = "Two", .width = 3000, .height = 2000, .rows = {},
    .controls = kTwoControls};

// A page whose click empties a box it names as given.
template <class Box>
class ClearingPage : public SettingPage {
 public:
  ClearingPage(Context& context, const char* name)
      : SettingPage(context, kTwoControlPage), box_(Use<Box>(name)) {
    OnClick("Image1", [this] {
      if constexpr (std::is_same_v<Box, forms::TextBox>) box_.SetText("");
      else box_.SetValue(0);
    });
  }

 private:
  Box& box_;
};
constexpr char kRightName[] = "Text1";
constexpr char kMisspelt[] = "Txet1";
template <class Box, const char* name>
std::unique_ptr<forms::FormController> MakeClearingPage(Context& context) {
  return std::make_unique<ClearingPage<Box>>(context, name);
}

TEST(CatalogueTest, AMisspeltOrMistypedNameInAHandlerFailsTheChecks) {
  MemoryRegistry api;
  Registry reg(api);
  forms::FakeHost host;
  kdw::test::FakePlatform fakes;
  Context context = fakes.ContextFor(reg, host);
  const auto entry = [](PageFactory make) { return PageEntry{kTwoControlPage, std::move(make)}; };

  EXPECT_TRUE(BuildsAndLoads(entry(MakeClearingPage<forms::TextBox, kRightName>), context));
  const ::testing::AssertionResult misspelt =
      BuildsAndLoads(entry(MakeClearingPage<forms::TextBox, kMisspelt>), context);
  EXPECT_FALSE(misspelt);
  EXPECT_NE(std::string(misspelt.message()).find("Txet1"), std::string::npos) << misspelt.message();
  const ::testing::AssertionResult mistyped =
      BuildsAndLoads(entry(MakeClearingPage<forms::CheckBox, kRightName>), context);
  EXPECT_FALSE(mistyped);
  EXPECT_NE(std::string(mistyped.message()).find("Text1 is another kind of control"),
            std::string::npos)
      << mistyped.message();
}

TEST(CatalogueTest, FormNamesAreUniqueAndFound) {
  std::set<std::string> names;
  for (const PageEntry& entry : Catalogue()) {
    EXPECT_TRUE(names.insert(entry.decl.name).second) << entry.decl.name;
    EXPECT_EQ(FindPage(entry.decl.name), &entry);
  }
  EXPECT_EQ(FindPage("frmNothing"), nullptr);
}

// Every setting search lists has a caption and names its place; a page binds
// each place once; the Office version's mark is replaced as soon as a
// version is stored, and the drive mark always.
TEST(CatalogueTest, EverySettingHasACaptionAndAPlaceOfItsOwn) {
  MemoryRegistry api;
  Registry reg{api};
  for (const char* version : {"", "Office 2007"}) {
    if (*version) {
      EXPECT_TRUE(reg.SaveStringValue(HKLM, kOfficeChoiceKey, kOfficeChoiceValue, version).ok());
    }
    std::set<std::string> seen;
    int unresolved = 0;
    for (const IndexedSetting& setting : IndexSettings(reg)) {
      const std::string where = std::string(setting.page->decl.name) + " " +
                                PathOf(setting.hive, setting.key, setting.value);
      EXPECT_FALSE(setting.caption.empty()) << where;
      EXPECT_FALSE(setting.key.empty()) << where;
      EXPECT_FALSE(setting.control.empty()) << where;
      EXPECT_EQ((setting.key + setting.value + setting.caption).find(kEntryMark), std::string::npos)
          << where;
      EXPECT_EQ(setting.key.find(kVersionMark) != std::string::npos, setting.unresolved) << where;
      unresolved += setting.unresolved;
      EXPECT_TRUE(seen.insert(where + " " + std::to_string(setting.shape)).second)
          << "bound twice: " << where;
    }
    if (*version) {
      EXPECT_EQ(unresolved, 0);
    } else {
      EXPECT_GT(unresolved, 0);
    }
  }
}

// Every setting says what it does and when a change takes effect, in words
// of its own: one explanation serves one control (the entries of a picker,
// the keys of one row), never two settings that merely look alike.
TEST(CatalogueTest, EverySettingIsExplainedWithWhenItTakesEffect) {
  MemoryRegistry api;
  Registry reg{api};
  std::map<std::string, std::string> owner;  // explanation -> the control it explains
  for (const IndexedSetting& setting : IndexSettings(reg)) {
    const std::string control = std::string(setting.page->decl.name) + " " + setting.control +
                                (setting.item >= 0 ? " " + setting.caption : "");
    const std::string& text = setting.explanation;
    EXPECT_NE(setting.effect, Effect::kUnknown) << control;
    EXPECT_GE(text.size(), 40u) << control << ": " << text;
    EXPECT_LE(text.size(), 400u) << control;
    EXPECT_EQ(text.find_first_of("\t\r\n"), std::string::npos) << control;
    EXPECT_TRUE(!text.empty() && text.back() == '.') << control << ": " << text;
    const auto [at, fresh] = owner.emplace(text, control);
    EXPECT_TRUE(fresh || at->second == control) << control << " repeats " << at->second;
  }
}

// The values pages bind by their own code are found, on their page, with
// the control that changes them.
TEST(CatalogueTest, ThePagesOwnValuesAreIndexed) {
  MemoryRegistry api;
  Registry reg{api};
  EXPECT_TRUE(reg.SaveStringValue(HKLM, kOfficeChoiceKey, kOfficeChoiceValue, "Office 2003").ok());
  const std::vector<IndexedSetting> settings = IndexSettings(reg);
  constexpr const char* kExplorer =
      "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
  constexpr const char* kIcons =
      "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\DriveIcons\\";
  constexpr const char* kOffice = "Software\\Microsoft\\Office\\11.0\\";
  struct Expected {
    const char* page;
    const char* control;
    std::uint32_t hive;
    std::string key;
    const char* value;
    IndexedSetting::Shape shape = IndexedSetting::kValue;
  };
  const Expected expected[] = {
      {"frmDrv", "a", HKCU, kExplorer, "NoDrives"},
      {"frmDrives", "Image1", HKCU, kExplorer, "NoViewOnDrive"},
      {"frmDrives", "Text1", HKLM, std::string(kIcons) + "A\\DefaultLabel", "",
       IndexedSetting::kKey},
      {"frmDrives", "Text2", HKLM, std::string(kIcons) + "Z\\DefaultIcon", "",
       IndexedSetting::kKey},
      {"frmPrograms", "List1", HKCU, std::string(kExplorer) + "\\DisallowRun", "",
       IndexedSetting::kAllValues},
      {"frmPrograms", "Check1", HKCU, kExplorer, "DisallowRun"},
      {"frmWMP", "File1", HKCU, "Software\\Policies\\Microsoft\\WindowsMediaPlayer", "DefaultSkin"},
      {"frmWMP", "Command1", HKCU, "Software\\Microsoft\\MediaPlayer\\Player\\Settings",
       "EnableDVDUI"},
      {"frmOthers", "Combo1", HKCU,
       "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders", "Personal"},
      {"frmOffice", "Combo2", HKLM, kOfficeChoiceKey, kOfficeChoiceValue},
      {"frmOffice", "Text2", HKCU,
       std::string(kOffice) + "Common\\Open Find\\Places\\UserDefinedPlaces\\Place10", "Path"},
      {"frmOffice", "Check3", HKCU, std::string(kOffice) + "Common\\General", "NoTrack"},
      {"frmWord", "Slider1", HKCU, std::string(kOffice) + "Word\\Options", "CACHESIZE"},
      {"frmOutlook", "Text2", HKCU, std::string(kOffice) + "Outlook\\Security",
       "OutlookSecureTempFolder"},
      {"frmAccess", "Text1", HKLM, std::string(kOffice) + "Access\\Run-Time Options", "Titlebar"},
  };
  for (const Expected& want : expected) {
    const std::string place = PathOf(want.hive, want.key, want.value);
    const auto found = std::find_if(settings.begin(), settings.end(), [&](const IndexedSetting& s) {
      return PathOf(s.hive, s.key, s.value) == place && s.shape == want.shape;
    });
    ASSERT_NE(found, settings.end()) << place;
    EXPECT_STREQ(found->page->decl.name, want.page) << place;
    EXPECT_EQ(found->control, want.control) << place;
  }
  // A title and an icon for each letter, A to Z.
  const auto drive_keys = std::count_if(settings.begin(), settings.end(), [&](const auto& s) {
    return s.shape == IndexedSetting::kKey && s.key.starts_with(kIcons);
  });
  EXPECT_EQ(drive_keys, 2 * 26);
}

}  // namespace
}  // namespace kdw::pages
