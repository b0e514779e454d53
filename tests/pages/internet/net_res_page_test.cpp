// frmNetRes through its control models: the policy switches, the download
// switch loaded last and rewritten as 3, dragging and closing.
#include "pages/internet/net_res_page.h"

#include <gtest/gtest.h>

#include "tests/pages/page_test.h"

namespace kdw::pages {
namespace {

constexpr const char* kRestrictions = "Software\\Policies\\Microsoft\\Internet Explorer\\Restrictions";
constexpr const char* kZone = "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\Zones\\3";

class NetResPageTest : public test::PageTest {
 protected:
  NetResPageTest() : PageTest(MakeNetResPage) {}
  int Download() { return reg_.GetDwordValue(HKCU, kZone, "1803", -99); }
};

TEST_F(NetResPageTest, OpensBorderlessAndEmptyWithoutWriting) {
  forms::Form& form = Open();
  EXPECT_EQ(form.style(), forms::FormStyle::kBorderless);
  EXPECT_EQ(form.caption(), "");
  for (int n = 1; n <= 12; ++n) {
    EXPECT_EQ(form.check("Check" + std::to_string(n)).value(), 0) << n;
  }
  EXPECT_TRUE(api_.writes.empty());
}

TEST_F(NetResPageTest, PoliciesLoadFirstAndTheDownloadActionLast) {
  EXPECT_TRUE(reg_.SaveDwordValue(HKCU, kRestrictions, "NoFileNew", 1).ok());
  EXPECT_TRUE(reg_.SaveDwordValue(HKCU, kRestrictions, "NoBrowserClose", 2).ok());
  EXPECT_TRUE(reg_.SaveDwordValue(HKCU, kZone, "1803", 1).ok());
  api_.writes.clear();
  forms::Form& form = Open();
  EXPECT_EQ(api_.writes, (std::vector<std::string>{"set NoFileNew", "set NoBrowserClose", "set 1803"}));
  EXPECT_EQ(form.check("Check12").value(), 2);
  // A prompt counts as disabled and is made so.
  EXPECT_EQ(form.check("Check6").value(), 1);
  EXPECT_EQ(Download(), 3);
}

TEST_F(NetResPageTest, PolicyUncheckedStaysPresentAsZero) {
  EXPECT_TRUE(reg_.SaveDwordValue(HKCU, kRestrictions, "NoPrinting", 1).ok());
  forms::Form& form = Open();
  EXPECT_EQ(form.check("Check4").caption(), "Disable \"Print\"");
  EXPECT_EQ(form.check("Check4").value(), 1);
  form.check("Check4").UserClick();
  EXPECT_EQ(reg_.GetDwordValue(HKCU, kRestrictions, "NoPrinting", -99), 0);
}

TEST_F(NetResPageTest, DownloadSwitchWritesThreeOrZero) {
  EXPECT_TRUE(reg_.SaveDwordValue(HKCU, kZone, "1803", 0).ok());
  forms::Form& form = Open();
  EXPECT_EQ(form.check("Check6").value(), 0);
  form.check("Check6").UserClick();
  EXPECT_EQ(Download(), 3);
  form.check("Check6").UserClick();
  EXPECT_EQ(Download(), 0);
  form.check("Check6").SetValue(2);
  EXPECT_EQ(Download(), 3);
  // Any other action (a number no box state) shows checked and is kept
  // until the user clicks.
  EXPECT_TRUE(reg_.SaveDwordValue(HKCU, kZone, "1803", 0x10000).ok());
  api_.writes.clear();
  EXPECT_EQ(Open().check("Check6").value(), 1);
  EXPECT_TRUE(api_.writes.empty());
}

TEST_F(NetResPageTest, DragsByTheBackgroundClosesWithItsButtonForEveryAccount) {
  api_.SetMachineWideReadOnly(true);
  forms::Form& form = Open();
  for (const auto& control : form.controls()) EXPECT_TRUE(control->enabled()) << control->name();
  form.on_mouse_down(1);
  EXPECT_EQ(host_.drags, std::vector<std::string>{"frmNetRes"});
  form.control("Image1").UserClick();
  EXPECT_EQ(host_.destroyed, std::vector<std::string>{"frmNetRes"});
}

}  // namespace
}  // namespace kdw::pages
