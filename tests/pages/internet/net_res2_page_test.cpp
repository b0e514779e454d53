// frmNetRes2 through its control models: the 34 value names, the two groups
// under the tab strip, and switching without touching the registry.
#include "pages/internet/net_res2_page.h"

#include <gtest/gtest.h>

#include "tests/pages/page_test.h"

namespace kdw::pages {
namespace {

constexpr const char* kControlPanel = "Software\\Policies\\Microsoft\\Internet Explorer\\Control Panel";

// In the order of the boxes, Check1 to Check34.
const char* const kValues[] = {
    "GeneralTab",          "SecurityTab",       "ContentTab",   "ConnectionsTab",
    "ProgramsTab",         "PrivacyTab",        "AdvancedTab",  "Settings",
    "Connwiz Admin Lock",  "FormSuggest Passwords", "FormSuggest", "Privacy Settings",
    "SecAddSites",         "SecChangeSettings", "CertifPub",    "CertifSite",
    "CertifPers",          "Connection Settings", "Connection Wizard", "HomePage",
    "Ratings",             "Profiles",          "Proxy",        "Advanced",
    "Autoconfig",          "Cache",             "Certificates", "Colors",
    "Fonts",               "Languages",         "Links",        "Check_If_Default",
    "Messaging",           "Wallet",
};

class NetRes2PageTest : public test::PageTest {
 protected:
  NetRes2PageTest() : PageTest(MakeNetRes2Page) {}
  static std::string Box(int n) { return "Check" + std::to_string(n); }
};

TEST_F(NetRes2PageTest, EachBoxWritesItsOwnValueNameExactly) {
  forms::Form& form = Open();
  EXPECT_TRUE(api_.writes.empty());
  for (int n = 1; n <= 34; ++n) {
    api_.writes.clear();
    form.check(Box(n)).UserClick();
    EXPECT_EQ(api_.writes, std::vector<std::string>{std::string("set ") + kValues[n - 1]}) << n;
    EXPECT_EQ(reg_.GetDwordValue(HKCU, kControlPanel, kValues[n - 1], -99), 1) << n;
  }
  EXPECT_EQ(form.check("Check9").caption(), "Disable Internet Connection Wizard");
  EXPECT_EQ(form.check("Check32").caption(), "Prevent Default Browser Check Changes");
}

TEST_F(NetRes2PageTest, StoredStatesLoadInOrderAndUncheckingStoresZero) {
  EXPECT_TRUE(reg_.SaveDwordValue(HKCU, kControlPanel, "Wallet", 2).ok());
  EXPECT_TRUE(reg_.SaveDwordValue(HKCU, kControlPanel, "GeneralTab", 1).ok());
  api_.writes.clear();
  forms::Form& form = Open();
  EXPECT_EQ(api_.writes, (std::vector<std::string>{"set GeneralTab", "set Wallet"}));
  EXPECT_EQ(form.check("Check34").value(), 2);
  form.check("Check1").UserClick();
  EXPECT_EQ(reg_.GetDwordValue(HKCU, kControlPanel, "GeneralTab", -99), 0);
}

TEST_F(NetRes2PageTest, TabsShowOneGroupAtATimeWithoutTouchingTheRegistry) {
  forms::Form& form = Open();
  forms::TabStrip& tabs = form.tabs("TabStrip1");
  ASSERT_EQ(tabs.tabs(), (std::vector<std::string>{"1st Section", "2nd Section"}));
  EXPECT_EQ(tabs.selected(), 0);
  forms::Control& first = form.control("Picture1");
  forms::Control& second = form.control("Picture2");
  EXPECT_TRUE(first.visible());
  EXPECT_FALSE(second.visible());
  EXPECT_EQ(form.control("Check17").container(), "Picture1");
  EXPECT_EQ(form.control("Check18").container(), "Picture2");

  api_.writes.clear();
  tabs.Select(1);
  EXPECT_FALSE(first.visible());
  EXPECT_TRUE(second.visible());
  tabs.Select(0);
  EXPECT_TRUE(first.visible());
  EXPECT_FALSE(second.visible());
  EXPECT_TRUE(api_.writes.empty());
}

TEST_F(NetRes2PageTest, EveryBoxEnabledForALimitedAccountAndTheDialogCloses) {
  api_.SetMachineWideReadOnly(true);
  forms::Form& form = Open();
  for (const auto& control : form.controls()) EXPECT_TRUE(control->enabled()) << control->name();
  form.on_mouse_down(1);
  form.control("Image1").UserClick();
  EXPECT_EQ(host_.drags, std::vector<std::string>{"frmNetRes2"});
  EXPECT_EQ(host_.destroyed, std::vector<std::string>{"frmNetRes2"});
}

}  // namespace
}  // namespace kdw::pages
