// frmAccess: the run-time options (HKLM) and the undo levels (HKCU) of the
// version it opens with, the file dialogs, the clear buttons and the reset.
#include "pages/office/access_page.h"

#include <gtest/gtest.h>

#include "tests/pages/page_test.h"

namespace kdw::pages {
namespace {

using test::TypeOf;

constexpr const char* kRunTime = "Software\\Microsoft\\Office\\10.0\\Access\\Run-Time Options";
constexpr const char* kSettings = "Software\\Microsoft\\Office\\10.0\\Access\\Settings";

std::unique_ptr<forms::FormController> MakeForXp(Context& context) {
  return MakeAccessDialog(context, "Office XP");
}

class AccessPageTest : public test::PageTest {
 protected:
  AccessPageTest() : PageTest(MakeForXp) {}
  forms::Form& form() { return page_->form(); }
};

TEST_F(AccessPageTest, TheTextsLiveInTheMachinesRunTimeOptions) {
  EXPECT_TRUE(reg_.SaveStringValue(HKLM, kRunTime, "Titlebar", "Orders").ok());
  EXPECT_TRUE(reg_.SaveStringValue(HKLM, kRunTime, "Icon", "C:\\orders.ico").ok());
  Open();
  EXPECT_EQ(form().text("Text1").text(), "Orders");
  EXPECT_EQ(form().text("Text3").text(), "C:\\orders.ico");
  // The caret waits after the title's last character.
  EXPECT_EQ(form().text("Text1").caret(), 6u);
  EXPECT_EQ(form().text("Text1").caret_placements(), 1u);
  form().text("Text1").UserEdit("Orders 2");
  EXPECT_EQ(reg_.GetStringValue(HKLM, kRunTime, "Titlebar"), "Orders 2");

  // Picking a picture stores its full path at once; a cancelled dialog
  // changes nothing.
  fakes_.dialogs.QueueOpenFileResult("C:\\Pictures\\splash.bmp");
  form().control("Image2").UserClick();
  EXPECT_EQ(reg_.GetStringValue(HKLM, kRunTime, "StartupScreen"), "C:\\Pictures\\splash.bmp");
  const OpenFileDialogCall& call = fakes_.dialogs.open_file_calls().back();
  EXPECT_EQ(call.title, "Choose a picture to use as a Splash Screen - Kelmor Deskwarden");
  EXPECT_EQ(call.filter, "BMP Pictures (*.bmp)|*.bmp");
  form().control("Image4").UserClick();
  EXPECT_EQ(fakes_.dialogs.open_file_calls().back().filter, "Help Files (*.hlp)|*.hlp");
  EXPECT_EQ(reg_.GetStringValue(HKLM, kRunTime, "AppHelpFile", "<none>"), "<none>");

  // Clearing stores the empty text; the value stays.
  form().control("Image7").UserClick();
  EXPECT_EQ(TypeOf(api_, HKLM, kRunTime, "Icon"), regtype::kSz);
  EXPECT_EQ(reg_.GetStringValue(HKLM, kRunTime, "Icon", "<none>"), "");
}

TEST_F(AccessPageTest, TheUndoSliderAndItsReset) {
  Open();
  forms::Slider& slider = form().slider("Slider1");
  EXPECT_EQ(slider.min(), 1);
  EXPECT_EQ(slider.max(), 20);
  EXPECT_EQ(slider.page_step(), 5);
  EXPECT_EQ(slider.ticks(), 1);
  slider.UserScroll(20);
  EXPECT_EQ(reg_.GetDwordValue(HKCU, kSettings, "Number of Undos", -1), 20);
  EXPECT_EQ(form().control("Label6").caption(), "20");

  form().control("Image5").UserClick();
  EXPECT_EQ(reg_.ValuePresence(HKCU, kSettings, "Number of Undos"), Presence::kMissing);
  EXPECT_EQ(slider.value(), 1);
  EXPECT_EQ(form().control("Label6").caption(), "1");

  // Absent again: the slider at its start, nothing written for it.
  Open();
  EXPECT_EQ(form().slider("Slider1").value(), 1);
  EXPECT_EQ(reg_.ValuePresence(HKCU, kSettings, "Number of Undos"), Presence::kMissing);
}

TEST_F(AccessPageTest, WithoutAKnownVersionTheResetDeletesNothing) {
  EXPECT_TRUE(reg_.SaveDwordValue(HKCU, "Software\\Microsoft\\Office\\\\Access\\Settings", "Number of Undos", 7).ok());
  page_ = MakeAccessPage(context_);  // no choice stored
  page_->Load();
  api_.writes.clear();
  form().control("Image5").UserClick();
  form().slider("Slider1").UserScroll(3);
  EXPECT_TRUE(api_.writes.empty());
}

}  // namespace
}  // namespace kdw::pages
