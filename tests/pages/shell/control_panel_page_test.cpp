// frmPanel through its control models: the .reg row, the hidden-items list,
// the two picture buttons and the account rule.
#include "pages/shell/control_panel_page.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/pages/page_test.h"

namespace kdw::pages {
namespace {

using test::RecordingRegistry;
using test::TypeOf;

constexpr const char* kExplorer = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
constexpr const char* kDontLoad = "Control Panel\\don't load";

class ControlPanelPageTest : public test::PageTest {
 protected:
  ControlPanelPageTest() : PageTest(MakeControlPanelPage) {}
  forms::ListControl& List() { return page_->form().list("List1"); }
  // Writes and deletes since the last look, the account probe's left out.
  std::vector<std::string> PageWrites() {
    std::vector<std::string> writes;
    for (const std::string& write : api_.writes) {
      if (write.find("Account") == std::string::npos) writes.push_back(write);
    }
    api_.writes.clear();
    return writes;
  }
  int IndexOf(const std::string& item) {
    const auto& items = List().items();
    return static_cast<int>(std::find(items.begin(), items.end(), item) - items.begin());
  }

};

TEST_F(ControlPanelPageTest, RegFileVerbIsComparedExactlyAndUncheckingLeavesItEmpty) {
  EXPECT_TRUE(reg_.SaveStringValue(HKCR, "regfile\\shell", "", "Edit").ok());
  api_.writes.clear();
  forms::Form& form = Open();
  EXPECT_EQ(form.check("Check13").caption(), "Avoid Accidental Registry Imports");
  EXPECT_EQ(form.check("Check13").value(), 0) << "\"Edit\" is not \"edit\"";
  EXPECT_TRUE(PageWrites().empty());

  form.check("Check13").UserClick();
  EXPECT_EQ(reg_.GetStringValue(HKCR, "regfile\\shell", ""), "edit");
  // HKCR is the machine's classes key: the verb lands there.
  EXPECT_EQ(reg_.GetStringValue(HKLM, "Software\\Classes\\regfile\\shell", ""), "edit");
  Open();
  EXPECT_EQ(page_->form().check("Check13").value(), 1);
  page_->form().check("Check13").UserClick();
  EXPECT_EQ(reg_.ValuePresence(HKCR, "regfile\\shell", ""), Presence::kThere);
  EXPECT_EQ(reg_.GetStringValue(HKCR, "regfile\\shell", "", "<none>"), "");
}

TEST_F(ControlPanelPageTest, HiddenItemsListInItsOrderWithTheFirstCurrent) {
  EXPECT_TRUE(reg_.SaveDwordValue(HKCU, kDontLoad, "joy.cpl", 1).ok());  // another tool's shape
  api_.writes.clear();
  Open();
  ASSERT_EQ(List().count(), 19);
  EXPECT_EQ(List().items().front(), "Accessibility Options");
  EXPECT_EQ(List().items()[1], "Add Hardware");
  EXPECT_EQ(List().items().back(), "Windows Firewall");
  EXPECT_EQ(List().list_index(), 0);
  EXPECT_TRUE(List().checked(IndexOf("Game Controllers")));
  for (int i = 0; i < List().count(); ++i) {
    if (i != IndexOf("Game Controllers")) {
      EXPECT_FALSE(List().checked(i)) << List().items()[i];
    }
  }
  EXPECT_TRUE(PageWrites().empty()) << "filling the list writes nothing";
  EXPECT_EQ(TypeOf(api_, HKCU, kDontLoad, "joy.cpl"), regtype::kDword);
}

TEST_F(ControlPanelPageTest, CheckingAnItemStoresNoAndUncheckingDeletesIt) {
  Open();
  EXPECT_FALSE(api_.KeyExists(HKCU, kDontLoad));
  const int display = IndexOf("Display");
  List().UserSelect(display);
  List().UserToggle(display);
  EXPECT_EQ(reg_.GetStringValue(HKCU, kDontLoad, "desk.cpl"), "No");
  EXPECT_EQ(TypeOf(api_, HKCU, kDontLoad, "desk.cpl"), regtype::kSz);
  List().UserToggle(display);
  EXPECT_EQ(reg_.ValuePresence(HKCU, kDontLoad, "desk.cpl"), Presence::kMissing);
  EXPECT_TRUE(api_.KeyExists(HKCU, kDontLoad));
}

TEST_F(ControlPanelPageTest, PicturesOpenTheCurrentItemAndResetTheView) {
  EXPECT_TRUE(reg_.SaveDwordValue(HKCU, kExplorer, "ForceClassicControlPanel", 1).ok());
  forms::Form& form = Open();
  EXPECT_EQ(form.check("Check2").value(), 1);

  form.control("Image1").UserClick();
  List().UserSelect(1);
  form.control("Image1").UserClick();
  ASSERT_EQ(fakes_.processes.started().size(), 2u);
  EXPECT_EQ(fakes_.processes.started()[0].command_line,
            "rundll32.exe shell32.dll,Control_RunDLL access.cpl");
  EXPECT_EQ(fakes_.processes.started()[1].command_line,
            "rundll32.exe shell32.dll,Control_RunDLL hdwwiz.cpl @1");
  EXPECT_EQ(fakes_.processes.started()[1].show_command, sw::kShow);

  form.control("Image5").UserClick();
  EXPECT_EQ(reg_.ValuePresence(HKCU, kExplorer, "ForceClassicControlPanel"), Presence::kMissing);
  EXPECT_EQ(form.check("Check2").value(), 1) << "the box shows the change at the next open";
}

TEST_F(ControlPanelPageTest, LimitedAccountKeepsTheListButNotTheMachineWideBoxes) {
  EXPECT_TRUE(reg_.SaveDwordValue(HKLM, "SYSTEM\\CurrentControlSet\\Control\\Print", "BeepEnabled", 1).ok());
  api_.SetMachineWideReadOnly(true);
  forms::Form& form = Open();
  EXPECT_FALSE(form.check("Check13").enabled());
  EXPECT_FALSE(form.check("Check14").enabled());
  EXPECT_EQ(form.check("Check14").value(), 1);
  EXPECT_TRUE(List().enabled());
  EXPECT_TRUE(form.check("Check1").enabled());
  List().UserToggle(0);
  EXPECT_EQ(reg_.GetStringValue(HKCU, kDontLoad, "access.cpl"), "No");
}

}  // namespace
}  // namespace kdw::pages
