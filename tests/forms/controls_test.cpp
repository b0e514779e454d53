#include <gtest/gtest.h>

#include "forms/form.h"

namespace kdw::forms {
namespace {

constexpr ControlSpec kControls[] = {
    {"Frame1", ControlKind::kFrame, "Group", {100, 100, 3000, 2000}},
    {"Check1", ControlKind::kCheckBox, "Box", {120, 240, 2000, 240}, "Frame1"},
    {"Text1", ControlKind::kTextBox, "design text", {120, 600, 2000, 300}, "Frame1"},
    {"Combo1", ControlKind::kComboBox, "", {100, 2200, 2000, 300}},
    {"List1", ControlKind::kCheckList, "", {100, 2600, 2000, 1000}},
    {"Slider1", ControlKind::kSlider, "", {100, 3700, 2000, 300}},
    {"TabStrip1", ControlKind::kTabStrip, "", {100, 4100, 2000, 300}},
    {"Timer1", ControlKind::kTimer, "", {}, "", 0, "", "", 1000},
    {"Image1", ControlKind::kImage, "", {0, 0, 480, 480}, "", kDisabled, "ADD01", "Tip"},
};
constexpr MenuSpec kMenus[] = {
    {"menuFile", "&File", ""},
    {"menuOpen", "Open", "menuFile", Ctrl('O')},
    {"line", "-", "menuFile"},
    {"menuHidden", "", "", kNoShortcut, false},
    {"menuItem", "Item", "menuHidden", Fkey(11)},
};
const FormSpec kForm = {"frmTest", "Test", FormStyle::kMdiChild, 6000, 5000, kControls, kMenus};

TEST(Controls, CodeRaisesTheSameEventsAsTheUserButNotForTheSameState) {
  Form form(kForm);
  int clicks = 0, changes = 0, list_clicks = 0, tab_clicks = 0;
  auto& box = form.check("Check1");
  box.on_click = [&] { ++clicks; };
  box.SetValue(2);
  box.SetValue(2);
  EXPECT_EQ(1, clicks);
  box.UserClick();  // grayed gives checked
  EXPECT_EQ(1, box.value());
  box.UserClick();
  EXPECT_EQ(0, box.value());
  box.UserClick();
  EXPECT_EQ(1, box.value());
  EXPECT_EQ(4, clicks);
  box.SetEnabled(false);
  box.UserClick();
  EXPECT_EQ(1, box.value());
  EXPECT_EQ(4, clicks);

  auto& text = form.text("Text1");
  EXPECT_EQ("design text", text.text());
  text.on_change = [&] { ++changes; };
  text.UserEdit("d");
  text.UserEdit("de");
  text.SetText("de");
  EXPECT_EQ(2, changes);
  // Placing the caret changes no text and raises nothing; past the end it
  // stands after the last character.
  text.PlaceCaret(99);
  EXPECT_EQ(2u, text.caret());
  text.PlaceCaret(1);
  EXPECT_EQ(1u, text.caret());
  EXPECT_EQ(2u, text.caret_placements());
  EXPECT_EQ(2, changes);

  auto& combo = form.list("Combo1");
  combo.on_click = [&] { ++list_clicks; };
  combo.AddItem("a");
  combo.AddItem("b");
  EXPECT_EQ(-1, combo.list_index());
  EXPECT_EQ("", combo.text());
  combo.SetListIndex(1);
  combo.SetListIndex(1);
  combo.SetListIndex(5);  // outside the list: ignored
  EXPECT_EQ(1, list_clicks);
  EXPECT_EQ("b", combo.text());
  combo.UserSelect(1);  // the user's pick of the current item still clicks
  EXPECT_EQ(2, list_clicks);

  auto& tabs = form.tabs("TabStrip1");
  tabs.on_click = [&] { ++tab_clicks; };
  tabs.AddTab("One");
  tabs.AddTab("Two");
  tabs.Select(0);
  tabs.Select(1);
  EXPECT_EQ(1, tab_clicks);
}

TEST(Controls, CheckListMarksAndSliderMoves) {
  Form form(kForm);
  auto& list = form.list("List1");
  std::vector<int> checked;
  list.on_item_check = [&](int index) { checked.push_back(index); };
  list.AddItem("x");
  list.AddItem("y");
  list.SetChecked(1, true);
  list.SetChecked(1, true);
  list.UserToggle(0);
  list.SetChecked(7, true);
  EXPECT_EQ((std::vector<int>{1, 0}), checked);
  EXPECT_TRUE(list.checked(0));
  list.Clear();
  EXPECT_EQ(0, list.count());
  EXPECT_FALSE(list.checked(0));

  auto& slider = form.slider("Slider1");
  int scrolls = 0;
  slider.on_scroll = [&] { ++scrolls; };
  slider.SetRange(0, 4);
  slider.SetValue(3);
  EXPECT_EQ(0, scrolls);
  slider.SetValue(99);
  EXPECT_EQ(4, slider.value());
  slider.UserScroll(1);
  EXPECT_EQ(1, scrolls);
  EXPECT_EQ(1, slider.value());
}

TEST(Controls, DeclarationGivesContainersMenusAndDefaults) {
  Form form(kForm);
  EXPECT_EQ("Frame1", form.control("Check1").container());
  EXPECT_FALSE(form.control("Image1").enabled());
  EXPECT_EQ("Tip", form.control("Image1").tooltip());
  EXPECT_EQ("ADD01", form.control("Image1").picture());
  EXPECT_EQ(nullptr, form.find("Check99"));
  EXPECT_THROW(form.control("Check99"), std::out_of_range);
  EXPECT_THROW(form.check("Text1"), std::bad_cast);
  EXPECT_EQ(1000, form.timer("Timer1").interval());

  ASSERT_EQ(2u, form.menu_bar().size());
  EXPECT_FALSE(form.menu_bar()[1]->visible());
  EXPECT_EQ(2u, form.menu("menuFile").children().size());
  EXPECT_TRUE(form.menu("line").separator());
  EXPECT_EQ("Ctrl+O", form.menu("menuOpen").shortcut().Text());
  EXPECT_EQ("F11", form.menu("menuItem").shortcut().Text());
  int opened = 0;
  form.menu("menuOpen").on_click = [&] { ++opened; };
  form.menu("menuOpen").UserClick();
  EXPECT_EQ(1, opened);

  int timer = 0;
  form.timer("Timer1").on_timer = [&] { ++timer; };
  form.timer("Timer1").Fire();
  form.timer("Timer1").SetEnabled(false);
  form.timer("Timer1").Fire();
  EXPECT_EQ(1, timer);
}

TEST(Controls, TwipsAndPixels) {
  EXPECT_EQ(649, TwipsToPixels(9735));
  EXPECT_EQ(434, TwipsToPixels(6510));
  EXPECT_EQ(1, TwipsToPixels(8));
  EXPECT_EQ(0, TwipsToPixels(7));
  EXPECT_EQ(9735, PixelsToTwips(649));
}

}  // namespace
}  // namespace kdw::forms
