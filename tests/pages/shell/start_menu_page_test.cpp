// frmStart end to end through its control models.
#include "pages/shell/start_menu_page.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/pages/page_test.h"

namespace kdw::pages {
namespace {

using test::RecordingRegistry;
using test::TypeOf;

constexpr const char* kPolicies = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
constexpr const char* kNonEnum = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\NonEnum";
constexpr const char* kAdvanced = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";
constexpr const char* kMyComputer = "{20D04FE0-3AEA-1069-A2D8-08002B30309D}";

class StartMenuPageTest : public test::PageTest {
 protected:
  StartMenuPageTest() : PageTest(MakeStartMenuPage) {}
  // Finds a box the way a user does: by what it says.
  forms::CheckBox& Box(const std::string& caption) {
    for (const auto& control : page_->form().controls()) {
      if (control->kind() == forms::ControlKind::kCheckBox && control->caption() == caption) {
        return dynamic_cast<forms::CheckBox&>(*control);
      }
    }
    throw std::out_of_range(caption);
  }
  std::vector<forms::CheckBox*> Boxes() {
    std::vector<forms::CheckBox*> boxes;
    for (const auto& control : page_->form().controls()) {
      if (auto* box = dynamic_cast<forms::CheckBox*>(control.get())) boxes.push_back(box);
    }
    return boxes;
  }
};

TEST_F(StartMenuPageTest, EmptyPolicyKeyLoadsAllUncheckedAndWritesNothing) {
  RegKey key = 0;
  api_.CreateKey(HKCU, kPolicies, &key);
  api_.CloseKey(key);
  api_.writes.clear();

  forms::Form& form = Open();
  EXPECT_EQ(form.name(), "frmStart");
  EXPECT_EQ(form.caption(), "Start Menu and Taskbar");
  ASSERT_EQ(Boxes().size(), 18u);
  for (forms::CheckBox* box : Boxes()) EXPECT_EQ(box->value(), 0) << box->name();
  EXPECT_TRUE(api_.writes.empty());
  EXPECT_FALSE(api_.KeyExists(HKCU, kNonEnum));
  EXPECT_FALSE(api_.KeyExists(HKCU, kAdvanced));
}

TEST_F(StartMenuPageTest, EveryStoredStateIsShownAndWrittenBackUnchanged) {
  // Every row is under HKCU: a limited account is never asked about, and
  // every box stays enabled.
  EXPECT_TRUE(reg_.SaveDwordValue(HKCU, kPolicies, "NoRun", 1).ok());
  EXPECT_TRUE(reg_.SaveDwordValue(HKCU, kPolicies, "LockTaskbar", 2).ok());
  EXPECT_TRUE(reg_.SaveDwordValue(HKCU, kNonEnum, kMyComputer, 1).ok());
  EXPECT_TRUE(reg_.SaveDwordValue(HKCU, kPolicies, "NoClose", 5).ok());
  api_.SetMachineWideReadOnly(true);  // a limited account
  api_.writes.clear();
  Open();
  EXPECT_EQ(Box("Hide Run from Start Menu").value(), 1);
  EXPECT_EQ(Box("Lock the Taskbar").value(), 2);
  EXPECT_EQ(Box("Hide My Computer from Start Menu").value(), 1);
  EXPECT_EQ(Box("Hide Shut Down").value(), 1);
  EXPECT_EQ(api_.writes, (std::vector<std::string>{"set LockTaskbar", std::string("set ") +
                                                   kMyComputer, "set NoRun"}))
      << "load order, and no write for the out-of-range NoClose";
  EXPECT_EQ(reg_.GetDwordValue(HKCU, kPolicies, "LockTaskbar"), 2);
  EXPECT_EQ(reg_.GetDwordValue(HKCU, kPolicies, "NoClose"), 5);
  EXPECT_EQ(std::count(api_.writes.begin(), api_.writes.end(), "set Account"), 0)
      << "the account type is never asked";
  for (forms::CheckBox* box : Boxes()) EXPECT_TRUE(box->enabled()) << box->name();
}

TEST_F(StartMenuPageTest, HideRunWritesAtOnceAndUncheckingKeepsTheValue) {
  Open();
  forms::CheckBox& run = Box("Hide Run from Start Menu");
  EXPECT_EQ(run.name(), "Check14");
  run.UserClick();
  EXPECT_EQ(reg_.GetDwordValue(HKCU, kPolicies, "NoRun", -1), 1);
  run.UserClick();
  EXPECT_EQ(reg_.GetDwordValue(HKCU, kPolicies, "NoRun", -1), 0);
  EXPECT_EQ(TypeOf(api_, HKCU, kPolicies, "NoRun"), regtype::kDword);
}

TEST_F(StartMenuPageTest, RowsOutsideThePolicyKey) {
  // My Computer: the NonEnum key is created and the value is named by the
  // class identifier, braces included.
  Open();
  Box("Hide My Computer from Start Menu").UserClick();
  EXPECT_EQ(reg_.GetDwordValue(HKCU, kNonEnum, kMyComputer, -1), 1);
  EXPECT_EQ(reg_.ValuePresence(HKCU, kNonEnum, "20D04FE0-3AEA-1069-A2D8-08002B30309D"), Presence::kMissing);

  // Balloon tips, direct sense: absent and 0 both show unchecked.
  EXPECT_EQ(Box("Enable Balloon Tips").value(), 0);
  EXPECT_TRUE(reg_.SaveDwordValue(HKCU, kAdvanced, "EnableBalloonTips", 0).ok());
  Open();
  EXPECT_EQ(Box("Enable Balloon Tips").value(), 0);
  Box("Enable Balloon Tips").UserClick();
  EXPECT_EQ(reg_.GetDwordValue(HKCU, kAdvanced, "EnableBalloonTips", -1), 1);
}

TEST_F(StartMenuPageTest, TaskbarFrameHoldsItsFiveBoxesAndEverythingFits) {
  forms::Form& form = Open();
  EXPECT_EQ(form.control("Frame1").caption(), "Taskbar");
  std::vector<std::string> in_frame;
  for (const auto& control : form.controls()) {
    if (control->container() == "Frame1") in_frame.push_back(control->caption());

    // Inside its container (frames have their caption at the top edge).
    const forms::Rect& r = control->rect();
    const int width = control->container().empty() ? form.width() - 240
                                                   : form.control(control->container()).rect().width;
    const int height = control->container().empty()
                           ? form.height() - 450
                           : form.control(control->container()).rect().height;
    EXPECT_GE(r.left, 0) << control->name();
    EXPECT_GE(r.top, 0) << control->name();
    EXPECT_LE(r.left + r.width, width) << control->name();
    EXPECT_LE(r.top + r.height, height) << control->name();
  }
  EXPECT_EQ(in_frame, (std::vector<std::string>{"Disable Tray Items", "Lock the Taskbar",
                                                "Hide Taskbar Clock", "Enable Balloon Tips",
                                                "Clear Recent Docs when Windows Exits"}));
}

}  // namespace
}  // namespace kdw::pages
