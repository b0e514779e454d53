// The engine's load rules and write shapes, through a small page that holds
// one row of every shape the pages use.
#include "pages/setting_page.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "forms/fake_host.h"
#include "tests/core/fake_platform.h"
#include "tests/pages/recording_registry.h"

namespace kdw::pages {
namespace {

using forms::ControlKind;
using forms::ControlSpec;
using test::RecordingRegistry;
using test::TypeOf;

constexpr const char* kKey = "Software\\KdwPageTest";
constexpr const char* kCommand = "*\\shell\\EditText\\command";
constexpr const char* kEditText = "*\\shell\\EditText";
constexpr const char* kClsid = "CLSID\\{20D04FE0-3AEA-1069-A2D8-08002B30309D}";
constexpr const char* kDontLoad = "Control Panel\\don't load";

constexpr KeyDefault kNotepadKeys[] = {{kEditText, "Edit with Notepad"},
                                       {kCommand, "notepad.exe %1"}};
constexpr KeyDefault kNotepadKeysChildFirst[] = {{kCommand}, {kEditText}};

constexpr SettingRow kRows[] = {
    Number("Check1", "Number", HKCU, kKey, "Number"),
    Inverted("Check2", "Inverted", HKLM, kKey, "Inverted"),
    Strings("Check3", "Word", HKCU, kKey, "Word", "yes", "no"),
    Numbers("Check4", "Zone", HKCU, kKey, "Zone", 3, 1),
    NonZero("Check5", "Download", HKCU, kKey, "Download", 3),
    {.control = "Check6", .caption = "Arrow", .hive = HKCR, .key = "lnkfile",
     .value = "IsShortcut", .kind = ValueKind::kDelete, .load = LoadRule::kValueAbsent,
     .checked = RemoveValue(), .unchecked = StoreString("")},
    {.control = "Check7", .caption = "Notepad", .hive = HKCR, .key = kCommand, .value = "",
     .kind = ValueKind::kKey, .load = LoadRule::kStringEquals,
     .checked = CreateKeys(kNotepadKeys), .unchecked = RemoveKeys(kNotepadKeysChildFirst),
     .literal = "notepad.exe %1"},
    {.control = "Check8", .caption = "Names", .hive = HKCR, .key = kClsid,
     .value = "LocalizedString", .kind = ValueKind::kExpandSz, .load = LoadRule::kStringEquals,
     .checked = StoreExpandString("%USERNAME% on %COMPUTERNAME%"),
     .unchecked = StoreExpandString("@%SystemRoot%\\system32\\SHELL32.dll,-9216"),
     .literal = "%USERNAME% on %COMPUTERNAME%"},
    {.control = "Check9", .caption = "Maximized", .hive = HKCU, .key = kKey,
     .value = "Maximized", .kind = ValueKind::kSz, .load = LoadRule::kStringNumber,
     .checked = StoreStateText(), .unchecked = StoreStateText()},
    Text("Text1", HKLM, kKey, "Owner"),
    Text("Text2", HKCU, kKey, "Folder", ValueKind::kExpandSz),
    Item(PresentString("List1", "access.cpl", HKCU, kDontLoad, "access.cpl", "No")),
    Item(PresentString("List1", "desk.cpl", HKCU, kDontLoad, "desk.cpl", "No")),
};

constexpr ControlSpec kControls[] = {
    {"List1", ControlKind::kCheckList, "", {}},
    {"Image1", ControlKind::kImage, "", {}},
};

// The same page with two rows and a picture marked machine-wide.
constexpr auto kMachineWideRows = [] {
  std::array<SettingRow, std::size(kRows)> rows{};
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const std::string_view name = kRows[i].control;
    rows[i] = name == "Check2" || name == "Text1" ? kRows[i].MachineWide() : kRows[i];
  }
  return rows;
}();
constexpr ControlSpec kMachineWideControls[] = {
    kControls[0],
    kControls[1].MachineWide(),
};

class SettingPageTest : public ::testing::Test {
 protected:
  SettingPage& Open(InvalidNumber invalid = InvalidNumber::kShowChecked,
                    bool machine_wide = false, bool draggable = false) {
    spec_ = PageSpec{.name = "frmTest",
                     .caption = "Test",
                     .width = 6000,
                     .height = 5000,
                     .rows = machine_wide ? std::span<const SettingRow>(kMachineWideRows)
                                          : std::span<const SettingRow>(kRows),
                     .controls = machine_wide ? std::span<const ControlSpec>(kMachineWideControls)
                                              : std::span<const ControlSpec>(kControls),
                     .invalid_number = invalid,
                     .draggable = draggable};
    page_ = std::make_unique<SettingPage>(context_, spec_);
    page_->Load();
    return *page_;
  }
  forms::CheckBox& Box(const char* name) { return page_->form().check(name); }
  int Number(const char* name) { return reg_.GetDwordValue(HKCU, kKey, name, -99); }
  std::string Text(Hive hive, const char* key, const char* name) {
    return reg_.GetStringValue(hive, key, name, "<none>");
  }

  RecordingRegistry api_;
  Registry reg_{api_};
  forms::FakeHost host_;
  // Each look at the account type writes its probe once.
  // Each probe opens its key for writing, whether or not the write is let through.
  long AccountChecks() const {
    return std::count(api_.created.begin(), api_.created.end(), std::string(kProbeKey));
  }
  kdw::test::FakePlatform fakes_;
  Context context_ = fakes_.ContextFor(reg_, host_);
  PageSpec spec_{};
  std::unique_ptr<SettingPage> page_;
};

// The inverted row (absent reads as 0, so it checks) and the value-absent row
// (absent checks) both write on an empty registry; present their data so the
// other rows can be watched alone.
void QuietenSelfCheckingRows(const Registry& reg) {
  EXPECT_TRUE(reg.SaveDwordValue(HKLM, kKey, "Inverted", 1).ok());
  EXPECT_TRUE(reg.SaveStringValue(HKCR, "lnkfile", "IsShortcut", "").ok());
}

TEST_F(SettingPageTest, NumberRowShowsTheStoredStateAndWritesItBack) {
  QuietenSelfCheckingRows(reg_);
  api_.writes.clear();
  Open();
  EXPECT_EQ(Box("Check1").value(), 0);
  EXPECT_TRUE(api_.writes.empty()) << "an absent number must stay absent";

  for (int stored : {1, 2}) {
    EXPECT_TRUE(reg_.SaveDwordValue(HKCU, kKey, "Number", stored).ok());
    api_.writes.clear();
    Open();
    EXPECT_EQ(Box("Check1").value(), stored);
    EXPECT_EQ(api_.writes, std::vector<std::string>{"set Number"});
    EXPECT_EQ(Number("Number"), stored);
  }
  // Grayed, then clicked: checked; unchecking stores 0 and keeps the value.
  Box("Check1").UserClick();
  EXPECT_EQ(Number("Number"), 1);
  Box("Check1").UserClick();
  EXPECT_EQ(Number("Number"), 0);

  // A REG_SZ "1" is no number: unchecked, and left as it is.
  EXPECT_TRUE(reg_.SaveStringValue(HKCU, kKey, "Number", "1").ok());
  api_.writes.clear();
  Open();
  EXPECT_EQ(Box("Check1").value(), 0);
  EXPECT_TRUE(api_.writes.empty());
}

TEST_F(SettingPageTest, OutOfRangeNumberShowsCheckedAndWaitsForTheUser) {
  QuietenSelfCheckingRows(reg_);
  for (std::int32_t stored : {5, static_cast<std::int32_t>(0xFFFFFFFFu)}) {
    EXPECT_TRUE(reg_.SaveDwordValue(HKCU, kKey, "Number", stored).ok());
    api_.writes.clear();
    Open();
    EXPECT_EQ(Box("Check1").value(), 1) << stored;
    EXPECT_TRUE(api_.writes.empty()) << stored;
  }
  Box("Check1").UserClick();
  EXPECT_EQ(Number("Number"), 0);
  Box("Check1").UserClick();
  EXPECT_EQ(Number("Number"), 1);

  // A page that leaves such boxes alone shows them unchecked, writing nothing.
  EXPECT_TRUE(reg_.SaveDwordValue(HKCU, kKey, "Number", 7).ok());
  EXPECT_TRUE(reg_.SaveStringValue(HKCU, kKey, "Maximized", "9").ok());
  api_.writes.clear();
  Open(InvalidNumber::kLeaveAlone);
  EXPECT_EQ(Box("Check1").value(), 0);
  EXPECT_EQ(Box("Check9").value(), 0);
  EXPECT_TRUE(api_.writes.empty());
}

TEST_F(SettingPageTest, FixedNumberRows) {
  // Inverted: absent reads as 0 and checks, so opening stores 0.
  Open();
  EXPECT_EQ(Box("Check2").value(), 1);
  EXPECT_EQ(reg_.GetDwordValue(HKLM, kKey, "Inverted", -99), 0);
  Box("Check2").UserClick();
  EXPECT_EQ(reg_.GetDwordValue(HKLM, kKey, "Inverted", -99), 1);
  EXPECT_TRUE(reg_.SaveDwordValue(HKLM, kKey, "Inverted", 5).ok());
  Open();
  EXPECT_EQ(Box("Check2").value(), 0);
  EXPECT_EQ(reg_.GetDwordValue(HKLM, kKey, "Inverted", -99), 5);

  // Equal to a number: only 3 checks; unchecking writes 1, never 0.
  EXPECT_TRUE(reg_.SaveDwordValue(HKCU, kKey, "Zone", 1).ok());
  Open();
  EXPECT_EQ(Box("Check4").value(), 0);
  Box("Check4").UserClick();
  EXPECT_EQ(Number("Zone"), 3);
  Box("Check4").UserClick();
  EXPECT_EQ(Number("Zone"), 1);

  // Non-zero checks and is rewritten as the checked number; so is a grayed
  // state set in code.
  EXPECT_TRUE(reg_.SaveDwordValue(HKCU, kKey, "Download", 1).ok());
  Open();
  EXPECT_EQ(Box("Check5").value(), 1);
  EXPECT_EQ(Number("Download"), 3);
  Box("Check5").UserClick();
  EXPECT_EQ(Number("Download"), 0);
  Box("Check5").SetValue(2);
  EXPECT_EQ(Number("Download"), 3);
  // A number that is no box state shows checked and is not replaced by
  // opening; the checked number itself is not written again either.
  QuietenSelfCheckingRows(reg_);
  for (std::int32_t stored : {3, 7, static_cast<std::int32_t>(0xFFFFFFFFu)}) {
    EXPECT_TRUE(reg_.SaveDwordValue(HKCU, kKey, "Download", stored).ok());
    api_.writes.clear();
    Open();
    EXPECT_EQ(Box("Check5").value(), 1) << stored;
    EXPECT_TRUE(api_.writes.empty()) << stored;
    EXPECT_EQ(Number("Download"), stored);
  }
}

TEST_F(SettingPageTest, StringRowsCompareExactlyAndWriteTheirWords) {
  EXPECT_TRUE(reg_.SaveStringValue(HKCU, kKey, "Word", "Yes").ok());
  Open();
  EXPECT_EQ(Box("Check3").value(), 0) << "the comparison is case-sensitive";
  EXPECT_TRUE(reg_.SaveStringValue(HKCU, kKey, "Word", "yes").ok());
  Open();
  EXPECT_EQ(Box("Check3").value(), 1);
  Box("Check3").UserClick();
  EXPECT_EQ(Text(HKCU, kKey, "Word"), "no");

  // The expand-string row reads only REG_EXPAND_SZ and writes it.
  EXPECT_TRUE(reg_.SaveStringValue(HKCR, kClsid, "LocalizedString", "%USERNAME% on %COMPUTERNAME%").ok());
  Open();
  EXPECT_EQ(Box("Check8").value(), 0);
  EXPECT_TRUE(reg_.SaveExpandStringValue(HKCR, kClsid, "LocalizedString", "%USERNAME% on %COMPUTERNAME%").ok());
  Open();
  EXPECT_EQ(Box("Check8").value(), 1);
  Box("Check8").UserClick();
  EXPECT_EQ(reg_.GetExpandStringValue(HKCR, kClsid, "LocalizedString"),
            "@%SystemRoot%\\system32\\SHELL32.dll,-9216");

  // The state as decimal text: "2" loads grayed and is written back as text;
  // text that is no number, or a REG_DWORD, leaves the box unchecked.
  EXPECT_TRUE(reg_.SaveStringValue(HKCU, kKey, "Maximized", "2").ok());
  Open();
  EXPECT_EQ(Box("Check9").value(), 2);
  Box("Check9").UserClick();
  EXPECT_EQ(Text(HKCU, kKey, "Maximized"), "1");
  EXPECT_TRUE(reg_.SaveStringValue(HKCU, kKey, "Maximized", "abc").ok());
  Open();
  EXPECT_EQ(Box("Check9").value(), 0);
  EXPECT_EQ(Text(HKCU, kKey, "Maximized"), "abc");
  EXPECT_TRUE(reg_.SaveDwordValue(HKCU, kKey, "Maximized", 1).ok());
  Open();
  EXPECT_EQ(Box("Check9").value(), 0);
}

TEST_F(SettingPageTest, ValuePresenceRowsAndListItems) {
  // Absent checks the box (its write-back deletes the absent value again);
  // unchecking recreates it empty, checking deletes it.
  EXPECT_TRUE(reg_.SaveDwordValue(HKCU, kDontLoad, "desk.cpl", 1).ok());
  Open();
  EXPECT_EQ(Box("Check6").value(), 1);
  Box("Check6").UserClick();
  EXPECT_EQ(TypeOf(api_, HKCR, "lnkfile", "IsShortcut"), regtype::kSz);
  Open();
  EXPECT_EQ(Box("Check6").value(), 0);
  Box("Check6").UserClick();
  EXPECT_EQ(reg_.ValuePresence(HKCR, "lnkfile", "IsShortcut"), Presence::kMissing);

  // List marks show presence without writing: the number another tool stored
  // stays a number until the user toggles the item.
  forms::ListControl& list = page_->form().list("List1");
  ASSERT_EQ(list.items(), (std::vector<std::string>{"access.cpl", "desk.cpl"}));
  EXPECT_FALSE(list.checked(0));
  EXPECT_TRUE(list.checked(1));
  EXPECT_EQ(TypeOf(api_, HKCU, kDontLoad, "desk.cpl"), regtype::kDword);
  list.UserToggle(0);
  EXPECT_EQ(reg_.GetStringValue(HKCU, kDontLoad, "access.cpl"), "No");
  list.UserToggle(1);
  EXPECT_EQ(reg_.ValuePresence(HKCU, kDontLoad, "desk.cpl"), Presence::kMissing);
}

TEST_F(SettingPageTest, KeyRowCreatesAndDeletesWholeKeys) {
  Open();
  EXPECT_EQ(Box("Check7").value(), 0);
  Box("Check7").UserClick();
  EXPECT_EQ(Text(HKCR, kEditText, ""), "Edit with Notepad");
  EXPECT_EQ(Text(HKCR, kCommand, ""), "notepad.exe %1");
  Open();
  EXPECT_EQ(Box("Check7").value(), 1);

  // The child goes first; a parent that has other subkeys stays, silently.
  EXPECT_TRUE(reg_.SaveStringValue(HKCR, std::string(kEditText) + "\\other", "", "x").ok());
  Box("Check7").UserClick();
  EXPECT_FALSE(api_.KeyExists(HKCR, kCommand));
  EXPECT_TRUE(api_.KeyExists(HKCR, kEditText));
  EXPECT_TRUE(reg_.DeleteKey(HKCR, std::string(kEditText) + "\\other").ok());
  Box("Check7").UserClick();
  Box("Check7").UserClick();
  EXPECT_FALSE(api_.KeyExists(HKCR, kEditText));
}

TEST_F(SettingPageTest, TextRowsWriteTheWholeTextOnEveryChange) {
  QuietenSelfCheckingRows(reg_);
  api_.writes.clear();
  Open();
  EXPECT_TRUE(api_.writes.empty()) << "an absent text must stay absent";
  forms::TextBox& owner = page_->form().text("Text1");
  owner.UserEdit("A");
  owner.UserEdit("Ab");
  EXPECT_EQ(api_.writes, (std::vector<std::string>{"set Owner", "set Owner"}));
  owner.UserEdit("");
  EXPECT_EQ(reg_.ValuePresence(HKLM, kKey, "Owner"), Presence::kThere);

  EXPECT_TRUE(reg_.SaveStringValue(HKLM, kKey, "Owner", "Ann").ok());
  EXPECT_TRUE(reg_.SaveExpandStringValue(HKCU, kKey, "Folder", "%USERPROFILE%\\Desktop").ok());
  api_.writes.clear();
  Open();
  EXPECT_EQ(page_->form().text("Text1").text(), "Ann");
  EXPECT_EQ(page_->form().text("Text2").text(), "%USERPROFILE%\\Desktop");
  EXPECT_EQ(api_.writes, (std::vector<std::string>{"set Owner", "set Folder"}));
  EXPECT_EQ(TypeOf(api_, HKCU, kKey, "Folder"), regtype::kExpandSz);
}

TEST_F(SettingPageTest, LimitedAccountSeesMachineWideControlsDisabledAfterLoading) {
  // Without a list of machine-wide controls the account is never asked.
  api_.SetMachineWideReadOnly(true);
  api_.writes.clear();
  Open();
  EXPECT_EQ(AccountChecks(), 0);
  EXPECT_TRUE(Box("Check2").enabled());

  api_.SetMachineWideReadOnly(false);
  QuietenSelfCheckingRows(reg_);
  EXPECT_TRUE(reg_.SaveDwordValue(HKLM, kKey, "Inverted", 0).ok());
  EXPECT_TRUE(reg_.SaveStringValue(HKLM, kKey, "Owner", "Ann").ok());
  api_.SetMachineWideReadOnly(true);
  api_.writes.clear();
  Open(InvalidNumber::kShowChecked, /*machine_wide=*/true);
  EXPECT_EQ(AccountChecks(), 1);
  EXPECT_FALSE(Box("Check2").enabled());
  EXPECT_EQ(Box("Check2").value(), 1);
  EXPECT_FALSE(page_->form().text("Text1").enabled());
  EXPECT_EQ(page_->form().text("Text1").text(), "Ann");
  EXPECT_FALSE(page_->form().control("Image1").enabled());  // bound to nothing

  // The rest works; a machine-wide write that is refused is told, and the
  // box shows again what is stored.
  Box("Check1").UserClick();
  EXPECT_EQ(Number("Number"), 1);
  Box("Check6").UserClick();
  EXPECT_EQ(Box("Check6").value(), 0);
  EXPECT_EQ(fakes_.messages.shown().size(), 1u);
  EXPECT_EQ(reg_.ValuePresence(HKCR, "lnkfile", "IsShortcut"), Presence::kThere);

  api_.SetMachineWideReadOnly(false);
  Open(InvalidNumber::kShowChecked, /*machine_wide=*/true);
  EXPECT_TRUE(Box("Check2").enabled());
  EXPECT_TRUE(page_->form().text("Text1").enabled());
  EXPECT_TRUE(page_->form().control("Image1").enabled());
}

TEST_F(SettingPageTest, DraggingAndQuietChanges) {
  Open();
  EXPECT_EQ(Box("Check3").caption(), "Word");  // captions come from the rows
  if (page_->form().on_mouse_down) page_->form().on_mouse_down(1);
  EXPECT_TRUE(host_.drags.empty()) << "only draggable pages drag";

  Open(InvalidNumber::kShowChecked, false, /*draggable=*/true);
  page_->form().on_mouse_down(2);
  EXPECT_TRUE(host_.drags.empty()) << "only the left button drags";
  page_->form().on_mouse_down(1);
  EXPECT_EQ(host_.drags, std::vector<std::string>{"frmTest"});

  api_.writes.clear();
  page_->Quietly([&] { Box("Check1").SetValue(1); });
  EXPECT_TRUE(api_.writes.empty());

  // After an action that failed half-way, every box shows what is stored
  // again, and nothing is written for it.
  page_->form().on_action_failed();
  EXPECT_EQ(Box("Check1").value(), 0);
  EXPECT_TRUE(api_.writes.empty());
}

TEST_F(SettingPageTest, RowsBuiltAtRunTime) {
  // Keys that depend on a version chosen elsewhere.
  const std::string key = std::string(kKey) + "\\" + "11.0";
  const SettingRow rows[] = {pages::Number("Check1", "Versioned", HKCU, key.c_str(), "Number")};
  EXPECT_TRUE(reg_.SaveDwordValue(HKCU, key, "Number", 1).ok());
  constexpr ControlSpec kBox[] = {{"Check1", ControlKind::kCheckBox, "", {}}};
  const PageSpec empty{.name = "frmTest", .caption = "Test", .width = 6000, .height = 5000,
                       .rows = {}, .controls = kBox};
  SettingPage page(context_, empty);
  page.AddRows(rows);
  page.Load();
  EXPECT_EQ(page.form().check("Check1").value(), 1);
  page.form().check("Check1").UserClick();
  EXPECT_EQ(reg_.GetDwordValue(HKCU, key, "Number", -99), 0);
  EXPECT_EQ(Number("Number"), -99);
}

TEST_F(SettingPageTest, SliderRowsShowTheNearestEndAndWriteOnlyOnTheUsersScroll) {
  const SettingRow rows[] = {Position("Slider1", HKCU, kKey, "Cache", 64, 1024)};
  const PageSpec decl{.name = "frmTest", .caption = "Test", .width = 6000, .height = 5000,
                      .rows = rows};
  auto open = [&] {
    auto page = std::make_unique<SettingPage>(context_, decl);
    api_.writes.clear();
    page->Load();
    return page;
  };
  EXPECT_TRUE(reg_.SaveDwordValue(HKCU, kKey, "Cache", 2000).ok());
  auto page = open();
  forms::Slider& slider = page->form().slider("Slider1");
  EXPECT_EQ(slider.value(), 1024);
  EXPECT_TRUE(api_.writes.empty()) << "loading never writes a position";
  EXPECT_EQ(Number("Cache"), 2000);
  slider.UserScroll(100);
  EXPECT_EQ(Number("Cache"), 100);
  slider.UserScroll(5000);
  EXPECT_EQ(Number("Cache"), 1024);

  // Absent, or stored as text: read as 0, shown at the start, left as it is.
  EXPECT_TRUE(reg_.SaveStringValue(HKCU, kKey, "Cache", "512").ok());
  page = open();
  EXPECT_EQ(page->form().slider("Slider1").value(), 64);
  EXPECT_TRUE(api_.writes.empty());
  EXPECT_EQ(Text(HKCU, kKey, "Cache"), "512");
}

}  // namespace
}  // namespace kdw::pages
