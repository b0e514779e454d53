// frmWord: its rows under the keys of the version it opens with, the text
// row under a number's name, the cache-size slider, closing and dragging.
#include "pages/office/word_page.h"

#include <gtest/gtest.h>

#include "tests/pages/page_test.h"

namespace kdw::pages {
namespace {

using test::TypeOf;

constexpr const char* kOptions = "Software\\Microsoft\\Office\\12.0\\Word\\Options";
constexpr const char* kGeneral = "Software\\Microsoft\\Office\\12.0\\Common\\General";

class WordPageTest : public test::PageTest {
 protected:
  // On its own the dialog takes the version stored as the choice.
  WordPageTest() : PageTest(MakeWordPage) {
    EXPECT_TRUE(reg_.SaveStringValue(HKLM, "Software\\Kelmor\\Deskwarden", "Office", "Office 2007").ok());
  }
  forms::Form& form() { return page_->form(); }
};

TEST_F(WordPageTest, TheSwitchesReadAndWriteUnderTheVersionsKeys) {
  EXPECT_TRUE(reg_.SaveStringValue(HKCU, kOptions, "NoWideTextPrinting", "1").ok());
  EXPECT_TRUE(reg_.SaveStringValue(HKCU, kGeneral, "Use AutoComplete", "yes").ok());
  Open();
  EXPECT_EQ(form().name(), "frmWord");
  EXPECT_EQ(form().check("Check2").value(), 1);
  EXPECT_EQ(form().check("Check3").value(), 0) << "only \"Yes\" exactly";

  form().check("Check2").UserClick();
  EXPECT_EQ(TypeOf(api_, HKCU, kOptions, "NoWideTextPrinting"), regtype::kSz);
  EXPECT_EQ(reg_.GetStringValue(HKCU, kOptions, "NoWideTextPrinting"), "0");
  form().check("Check3").UserClick();
  EXPECT_EQ(reg_.GetStringValue(HKCU, kGeneral, "Use AutoComplete"), "Yes");
  form().check("Check1").UserClick();
  EXPECT_EQ(reg_.GetDwordValue(HKCU, kOptions, "NoPromptToForkDocuments", -1), 1);
  form().check("Check4").UserClick();
  EXPECT_EQ(reg_.GetDwordValue(HKCU, kOptions, "NoLiveScrolling", -1), 1);
  EXPECT_FALSE(api_.KeyExists(HKCU, "Software\\Microsoft\\Office\\11.0"));

  // A limited account may change every control.
  api_.SetMachineWideReadOnly(true);
  Open();
  for (const auto& control : form().controls()) EXPECT_TRUE(control->enabled()) << control->name();
}

TEST_F(WordPageTest, TheSliderRunsFrom64To1024AndOnlyTheUserWritesIt) {
  Open();
  forms::Slider& slider = form().slider("Slider1");
  EXPECT_EQ(slider.min(), 64);
  EXPECT_EQ(slider.max(), 1024);
  EXPECT_EQ(slider.line_step(), 1);
  EXPECT_EQ(slider.page_step(), 5);
  // Absent reads as 0: shown at the left end, nothing stored.
  EXPECT_EQ(slider.value(), 64);
  EXPECT_EQ(form().control("Label3").caption(), "64");
  EXPECT_EQ(reg_.GetDwordValue(HKCU, kOptions, "CACHESIZE", -1), -1);

  slider.UserScroll(1024);
  EXPECT_EQ(reg_.GetDwordValue(HKCU, kOptions, "CACHESIZE", -1), 1024);
  EXPECT_EQ(form().control("Label3").caption(), "1024");
  slider.UserScroll(64);
  EXPECT_EQ(reg_.GetDwordValue(HKCU, kOptions, "CACHESIZE", -1), 64);

  // Beyond the right end: shown there, and kept until the user scrolls.
  EXPECT_TRUE(reg_.SaveDwordValue(HKCU, kOptions, "CACHESIZE", 4096).ok());
  Open();
  EXPECT_EQ(form().slider("Slider1").value(), 1024);
  EXPECT_EQ(reg_.GetDwordValue(HKCU, kOptions, "CACHESIZE", -1), 4096);
}

TEST_F(WordPageTest, ClosingAndDragging) {
  Open();
  api_.writes.clear();
  form().on_mouse_down(1);
  EXPECT_EQ(host_.drags, std::vector<std::string>{"frmWord"});
  form().control("Image1").UserClick();
  EXPECT_EQ(host_.destroyed, std::vector<std::string>{"frmWord"});
  EXPECT_TRUE(api_.writes.empty()) << "closing writes nothing";
  EXPECT_EQ(kWordPage.style, forms::FormStyle::kBorderless);
}

TEST_F(WordPageTest, WithoutAKnownVersionNothingIsReadOrWritten) {
  EXPECT_TRUE(reg_.SaveDwordValue(HKCU, "Software\\Microsoft\\Office\\\\Word\\Options", "NoLiveScrolling", 1).ok());
  page_ = MakeWordDialog(context_, "");
  page_->Load();
  api_.writes.clear();
  EXPECT_EQ(form().check("Check4").value(), 0);
  form().check("Check1").UserClick();
  form().slider("Slider1").UserScroll(500);
  EXPECT_TRUE(api_.writes.empty());
}

}  // namespace
}  // namespace kdw::pages
