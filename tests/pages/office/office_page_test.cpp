// frmOffice through its control models: the version choice, the switches
// bound to the version of the opening, the place editor bound to the version
// shown now, and the three buttons.
#include "pages/office/office_page.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/pages/page_test.h"

namespace kdw::pages {
namespace {

using test::TypeOf;

constexpr const char* kChoice = "Software\\Kelmor\\Deskwarden";
constexpr const char* kChooseFirst = "Please choose the Office version first.";
std::string Office(const std::string& number, const std::string& rest) {
  return "Software\\Microsoft\\Office\\" + number + rest;
}
std::string Place(const std::string& number, const std::string& place) {
  return Office(number, "\\Common\\Open Find\\Places\\UserDefinedPlaces\\" + place);
}

class OfficePageTest : public test::PageTest {
 protected:
  OfficePageTest() : PageTest(MakeOfficePage) {}
  forms::Form& OpenWith(const std::string& version) {
    EXPECT_TRUE(reg_.SaveStringValue(HKLM, kChoice, "Office", version).ok());
    forms::Form& form = Open();
    api_.writes.clear();
    return form;
  }
  forms::Form& form() { return page_->form(); }
  // Writes other than the account probe's.
  std::vector<std::string> Writes() {
    std::vector<std::string> writes;
    std::copy_if(api_.writes.begin(), api_.writes.end(), std::back_inserter(writes),
                 [](const std::string& w) { return !w.ends_with(" Account"); });
    return writes;
  }
  std::size_t Messages(const std::string& text) {
    return std::count_if(fakes_.messages.shown().begin(), fakes_.messages.shown().end(),
                         [&](const ShownMessage& m) { return m.text == text; });
  }
};

TEST_F(OfficePageTest, TheStoredVersionIsPickedAndItsSwitchesLoad) {
  EXPECT_TRUE(reg_.SaveDwordValue(HKCU, Office("11.0", "\\Common"), "BlockHTTPImages", 1).ok());
  EXPECT_TRUE(reg_.SaveStringValue(HKLM, kChoice, "Office", "Office 2003").ok());
  forms::Form& form = Open();
  EXPECT_EQ(form.list("Combo2").text(), "Office 2003");
  EXPECT_EQ(form.list("Combo1").count(), 10);
  EXPECT_EQ(form.list("Combo1").items().back(), "Place10");
  EXPECT_EQ(form.check("Check1").value(), 1);
  // Never set: the inverted switch opens checked and stores its 0.
  EXPECT_EQ(form.check("Check2").value(), 1);
  EXPECT_EQ(reg_.GetDwordValue(HKCU, Office("11.0", "\\Common\\General"), "UseOfficeUIFont", -1), 0);
  EXPECT_EQ(form.check("Check3").caption(), "Disable Document Editing Time Tracking ");

  form.check("Check1").UserClick();
  EXPECT_EQ(reg_.GetDwordValue(HKCU, Office("11.0", "\\Common"), "BlockHTTPImages", -1), 0);
  form.check("Check2").UserClick();
  EXPECT_EQ(reg_.GetDwordValue(HKCU, Office("11.0", "\\Common\\General"), "UseOfficeUIFont", -1), 1);
  form.check("Check3").UserClick();
  EXPECT_EQ(reg_.GetDwordValue(HKCU, Office("11.0", "\\Common\\General"), "NoTrack", -1), 1);

  // Stored 1: the system font is not forced.
  Open();
  EXPECT_EQ(page_->form().check("Check2").value(), 0);

  // A name that is none of the three, even in another letter case, picks nothing.
  OpenWith("office 2003");
  EXPECT_EQ(page_->form().list("Combo2").list_index(), -1);
}

TEST_F(OfficePageTest, ANewVersionMovesThePlacesAtOnceAndTheSwitchesAtTheNextOpening) {
  OpenWith("Office 2003");
  form().list("Combo2").UserSelect(2);
  EXPECT_EQ(reg_.GetStringValue(HKLM, kChoice, "Office"), "Office 2007");

  form().check("Check1").UserClick();
  EXPECT_EQ(reg_.GetDwordValue(HKCU, Office("11.0", "\\Common"), "BlockHTTPImages", -1), 1);
  EXPECT_EQ(reg_.GetDwordValue(HKCU, Office("12.0", "\\Common"), "BlockHTTPImages", -1), -1);

  form().list("Combo1").UserSelect(0);
  form().text("Text1").UserEdit("Team");
  EXPECT_EQ(reg_.GetStringValue(HKCU, Place("12.0", "Place1"), "Name", "<none>"), "Team");
  EXPECT_FALSE(api_.KeyExists(HKCU, Place("11.0", "Place1")));

  Open();
  form().check("Check1").UserClick();
  EXPECT_EQ(reg_.GetDwordValue(HKCU, Office("12.0", "\\Common"), "BlockHTTPImages", -1), 1);
}

TEST_F(OfficePageTest, APlaceShowsWhatItHoldsAndOnlyEditsWriteIt) {
  EXPECT_TRUE(reg_.SaveStringValue(HKCU, Place("10.0", "Place3"), "Name", "Projects").ok());
  EXPECT_TRUE(reg_.SaveStringValue(HKCU, Place("10.0", "Place3"), "Path", "D:\\Projects").ok());
  OpenWith("Office XP");
  // Nothing picked yet: editing is ignored without a word.
  form().text("Text1").UserEdit("x");
  EXPECT_TRUE(Writes().empty());
  EXPECT_TRUE(fakes_.messages.shown().empty());

  form().list("Combo1").UserSelect(2);
  EXPECT_EQ(form().text("Text1").text(), "Projects");
  EXPECT_EQ(form().text("Text2").text(), "D:\\Projects");
  // Another place, with nothing stored: shown empty, and no key made for it.
  form().list("Combo1").UserSelect(3);
  EXPECT_EQ(form().text("Text1").text(), "");
  EXPECT_TRUE(Writes().empty());
  EXPECT_FALSE(api_.KeyExists(HKCU, Place("10.0", "Place4")));

  form().list("Combo1").UserSelect(2);
  form().text("Text2").UserEdit("D:\\Work");
  EXPECT_EQ(reg_.GetStringValue(HKCU, Place("10.0", "Place3"), "Path"), "D:\\Work");
  EXPECT_EQ(reg_.GetStringValue(HKCU, Place("10.0", "Place3"), "Name"), "Projects");

  // The folder dialog fills the path, which stores it; a cancelled one
  // leaves both alone.
  form().control("Image3").UserClick();
  EXPECT_EQ(fakes_.dialogs.dir_box_calls().back().message, "Choose a path for your place.");
  EXPECT_EQ(form().text("Text2").text(), "D:\\Work");
  fakes_.dialogs.QueueDirBoxResult("E:\\Shared");
  form().control("Image3").UserClick();
  EXPECT_EQ(reg_.GetStringValue(HKCU, Place("10.0", "Place3"), "Path"), "E:\\Shared");
}

TEST_F(OfficePageTest, WithoutAVersionNothingNamesAnOfficeThatIsNotThere) {
  forms::Form& form = Open();
  EXPECT_TRUE(Writes().empty());
  for (const char* name : {"Check1", "Check2", "Check3"}) {
    EXPECT_FALSE(form.control(name).enabled()) << name;
  }
  EXPECT_TRUE(form.control("Combo2").enabled());

  form.list("Combo1").UserSelect(0);
  EXPECT_EQ(Messages(kChooseFirst), 1u);
  form.text("Text1").UserEdit("a");
  form.text("Text1").UserEdit("ab");
  EXPECT_EQ(Messages(kChooseFirst), 3u) << "once per keystroke";
  for (const char* button : {"Command1", "Command2", "Command3"}) form.control(button).UserClick();
  EXPECT_EQ(Messages(kChooseFirst), 6u);
  EXPECT_TRUE(host_.modal.empty());
  EXPECT_TRUE(Writes().empty());
  const ShownMessage& last = fakes_.messages.shown().back();
  EXPECT_EQ(last.title, "Kelmor Deskwarden");
  EXPECT_EQ(last.style, mb::kIconStop | mb::kOk);

  // Picking a version lets the places and the dialogs work at once.
  form.list("Combo2").UserSelect(1);
  form.control("Command3").UserClick();
  EXPECT_EQ(host_.modal, std::vector<std::string>{"frmWord"});
}

TEST_F(OfficePageTest, TheButtonsOpenTheirDialogsForTheVersionShownNow) {
  OpenWith("Office 2003");
  form().list("Combo2").UserSelect(2);
  EXPECT_TRUE(reg_.SaveDwordValue(HKCU, Office("12.0", "\\Word\\Options"), "NoLiveScrolling", 1).ok());
  int live_scrolling = -1;
  host_.on_modal = [&](forms::Form& dialog) {
    if (dialog.name() == "frmWord") live_scrolling = dialog.check("Check4").value();
  };
  form().control("Command3").UserClick();
  form().control("Command1").UserClick();
  form().control("Command2").UserClick();
  EXPECT_EQ(live_scrolling, 1);
  const std::vector<std::string> dialogs{"frmWord", "frmOutlook", "frmAccess"};
  EXPECT_EQ(host_.modal, dialogs);
  // Each goes when it is closed: the next opening loads afresh.
  for (const std::string& name : dialogs) {
    EXPECT_NE(std::find(host_.destroyed.begin(), host_.destroyed.end(), name), host_.destroyed.end());
  }
}

TEST_F(OfficePageTest, ALimitedAccountKeepsTheChoiceAndIsRefusedAccess) {
  EXPECT_TRUE(reg_.SaveStringValue(HKLM, kChoice, "Office", "Office 2003").ok());
  api_.SetMachineWideReadOnly(true);
  forms::Form& form = Open();
  EXPECT_EQ(form.list("Combo2").text(), "Office 2003");
  EXPECT_FALSE(form.control("Combo2").enabled());
  EXPECT_FALSE(form.control("Label3").enabled());
  EXPECT_TRUE(form.control("Check1").enabled());

  form.control("Command2").UserClick();
  ASSERT_EQ(fakes_.messages.shown().size(), 1u);
  EXPECT_EQ(fakes_.messages.shown()[0].text,
            "Sorry, you need administrator rights to access this section.");
  EXPECT_EQ(fakes_.messages.shown()[0].style, mb::kIconStop | mb::kOk);
  EXPECT_TRUE(host_.modal.empty());
  // The other two hold per-user values only.
  form.control("Command1").UserClick();
  EXPECT_EQ(host_.modal, std::vector<std::string>{"frmOutlook"});
}

}  // namespace
}  // namespace kdw::pages
