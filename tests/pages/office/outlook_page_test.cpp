// frmOutlook: the policy and the preference keys of the version it opens
// with, the inverted password row, the two paths and the folder dialog.
#include "pages/office/outlook_page.h"

#include <gtest/gtest.h>

#include "tests/pages/page_test.h"

namespace kdw::pages {
namespace {

constexpr const char* kSecurityPolicy =
    "Software\\Policies\\Microsoft\\Office\\11.0\\Outlook\\Security";
constexpr const char* kSecurity = "Software\\Microsoft\\Office\\11.0\\Outlook\\Security";
constexpr const char* kPreferences = "Software\\Microsoft\\Office\\11.0\\Outlook\\Preferences";

std::unique_ptr<forms::FormController> MakeFor2003(Context& context) {
  return MakeOutlookDialog(context, "Office 2003");
}

class OutlookPageTest : public test::PageTest {
 protected:
  OutlookPageTest() : PageTest(MakeFor2003) {}
  forms::Form& form() { return page_->form(); }
};

TEST_F(OutlookPageTest, AnEmptyRegistryOpensWithPasswordCachingDisabled) {
  Open();
  EXPECT_EQ(form().check("Check1").value(), 1);
  EXPECT_EQ(reg_.GetDwordValue(HKCU, kSecurityPolicy, "EnableRememberPw", -1), 0);
  for (const char* box : {"Check2", "Check3", "Check4", "Check5"}) {
    EXPECT_EQ(form().check(box).value(), 0) << box;
  }
  EXPECT_EQ(form().text("Text1").text(), "");
  EXPECT_EQ(form().text("Text2").text(), "");
  // Only the inverted row wrote anything.
  EXPECT_EQ(api_.writes, std::vector<std::string>{"set EnableRememberPw"});

  // Remembered passwords allowed: unchecked, and checking stores 0 again.
  EXPECT_TRUE(reg_.SaveDwordValue(HKCU, kSecurityPolicy, "EnableRememberPw", 1).ok());
  Open();
  EXPECT_EQ(form().check("Check1").value(), 0);
  form().check("Check1").UserClick();
  EXPECT_EQ(reg_.GetDwordValue(HKCU, kSecurityPolicy, "EnableRememberPw", -1), 0);

  EXPECT_TRUE(reg_.SaveDwordValue(HKCU, kPreferences, "MinToTray", 1).ok());
  Open();
  EXPECT_EQ(form().check("Check4").value(), 1);
  form().check("Check4").UserClick();
  EXPECT_EQ(reg_.GetDwordValue(HKCU, kPreferences, "MinToTray", -1), 0);
}

TEST_F(OutlookPageTest, TheAttachmentFolderGoesToThePreferencesSecurityKey) {
  Open();
  form().text("Text2").UserEdit("C:\\Temp\\Mail");
  EXPECT_EQ(reg_.GetStringValue(HKCU, kSecurity, "OutlookSecureTempFolder"), "C:\\Temp\\Mail");
  EXPECT_EQ(reg_.GetStringValue(HKCU, kSecurityPolicy, "OutlookSecureTempFolder", "<none>"),
            "<none>");
  form().text("Text1").UserEdit("file://C:/today.htm");
  EXPECT_EQ(reg_.GetStringValue(HKCU, "Software\\Microsoft\\Office\\11.0\\Outlook\\Today", "Url"),
            "file://C:/today.htm");

  // Cancelled: nothing changes; chosen: the box takes the folder and stores it.
  form().control("Image3").UserClick();
  EXPECT_EQ(fakes_.dialogs.dir_box_calls().back().message,
            "Choose a temporary directory for the attachements.");
  EXPECT_EQ(form().text("Text2").text(), "C:\\Temp\\Mail");
  fakes_.dialogs.QueueDirBoxResult("D:\\Attachments");
  form().control("Image3").UserClick();
  EXPECT_EQ(reg_.GetStringValue(HKCU, kSecurity, "OutlookSecureTempFolder"), "D:\\Attachments");
}

}  // namespace
}  // namespace kdw::pages
