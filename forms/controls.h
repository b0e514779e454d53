// Models of the controls the forms are made of. A model holds the state a
// page works with (a check box's 0/1/2, a text, a list index, the enabled
// flag) and raises the control's events. The rules the whole program leans on
// live here, once:
//  - setting a state in code raises the same event as the user's change;
//    setting the same state again raises nothing;
//  - a user's click on a check box gives 1 from 0 or 2, and 0 from 1;
//  - a slider's Scroll comes only from the user;
//  - each keystroke in a text box is one Change with the whole text.
// A window host attaches a view to each model and is told of every change,
// so that it can show it without raising a second event.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace kdw::forms {

enum class ControlKind {
  kCheckBox,
  kTextBox,
  kLabel,
  kFrame,
  kPictureBox,
  kComboBox,  // drop-down list, no typing
  kListBox,
  kCheckList,  // list box with a check box beside each item
  kSlider,
  kTabStrip,
  kImage,  // picture, may serve as a button
  kCommandButton,
  kFileList,  // the files of a folder that match a pattern
  kImageCombo,
  kTimer,
  kLine,
  kShape,
};

// Position and size in twips, relative to the container.
struct Rect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

// Style bits of a control's declaration.
enum ControlFlags : unsigned {
  kMultiLine = 1u << 0,
  kPassword = 1u << 1,  // every character shown as "x"
  kReadOnly = 1u << 2,
  kSerifFont = 1u << 3,  // "Times New Roman"
  kBoldFont = 1u << 4,
  kLargeFont = 1u << 5,
  kFormBackground = 1u << 6,  // a text box that reads like a label
  kBorderless = 1u << 7,
  kDisabled = 1u << 8,
  // A command button showing its picture to the left of its caption, not
  // the picture alone.
  kCaptionAndPicture = 1u << 9,
  // A read-only text box that the Delete key empties (its only edit).
  kDeleteEmpties = 1u << 10,
};

class Control;

// What the window host attaches to a model to be told of changes.
class ControlView {
 public:
  virtual ~ControlView() = default;
  virtual void ModelChanged(Control& control) = 0;
};

class Control {
 public:
  Control(std::string name, ControlKind kind, std::string caption, Rect rect,
          std::string container, unsigned flags);
  virtual ~Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  const std::string& name() const { return name_; }
  ControlKind kind() const { return kind_; }
  const Rect& rect() const { return rect_; }
  // Moves the control within its container; for forms not shown yet (the
  // host places windows once, when it makes them).
  void MoveTo(int left, int top) {
    rect_.left = left;
    rect_.top = top;
  }
  const std::string& container() const { return container_; }
  unsigned flags() const { return flags_; }

  const std::string& caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  bool enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  bool visible() const { return visible_; }
  void SetVisible(bool visible);
  // The name of a picture resource; empty for none.
  const std::string& picture() const { return picture_; }
  void SetPicture(const std::string& picture);
  const std::string& tooltip() const { return tooltip_; }
  void SetTooltip(const std::string& tooltip) { tooltip_ = tooltip; }

  void AttachView(ControlView* view) { view_ = view; }

  // Pictures, buttons and labels react to a click of the mouse.
  std::function<void()> on_click;
  // Mouse button pressed over the control: 1 left, 2 right, 4 middle.
  std::function<void(int button)> on_mouse_down;
  // The user clicks the control (a picture or a button).
  virtual void UserClick();
  // The user asks for the control's shortcut menu: a right click, Shift+F10
  // or the menu key. For a list, the item it was asked over (the item with
  // the focus, from the keyboard), -1 for none; -1 for every other kind. A
  // control without a handler keeps the window's own menu, if it has one.
  std::function<void(int item)> on_context_menu;
  void UserContextMenu(int item = -1) {
    if (on_context_menu) on_context_menu(item);
  }

 protected:
  void Changed();
  static void Raise(const std::function<void()>& handler) {
    if (handler) handler();
  }

 private:
  std::string name_;
  ControlKind kind_;
  std::string caption_;
  Rect rect_;
  std::string container_;
  unsigned flags_;
  bool enabled_ = true;
  bool visible_ = true;
  std::string picture_;
  std::string tooltip_;
  ControlView* view_ = nullptr;
};

class CheckBox : public Control {
 public:
  using Control::Control;
  // 0 unchecked, 1 checked, 2 grayed.
  int value() const { return value_; }
  // Raises Click when the state changes.
  void SetValue(int value);
  void UserClick() override;

 private:
  int value_ = 0;
};

class TextBox : public Control {
 public:
  using Control::Control;
  const std::string& text() const { return text_; }
  // Raises Change when the text changes.
  void SetText(const std::string& text);
  // One keystroke of the user, leaving the whole text given.
  void UserEdit(const std::string& text);
  // A key pressed in the box, before it is typed: its virtual-key code.
  std::function<void(int key)> on_key_down;
  std::function<void()> on_change;
  void UserKeyDown(int key) {
    if (on_key_down) on_key_down(key);
  }
  // Puts the caret before the character at `position` (after the last
  // character when past the end), selecting nothing. The window shows each
  // placement once; where the user moves the caret afterwards is the
  // window's own, and a new text puts it back at the start, as ever.
  void PlaceCaret(std::size_t position);
  // Where the program last placed the caret, and how often it has, so that
  // a window knows a placement it has not shown yet.
  std::size_t caret() const { return caret_; }
  unsigned caret_placements() const { return caret_placements_; }

 private:
  std::string text_;
  std::size_t caret_ = 0;
  unsigned caret_placements_ = 0;
};

// A list of texts with one current item: drop-down lists, list boxes, check
// lists, file lists and image combo boxes.
class ListControl : public Control {
 public:
  using Control::Control;
  const std::vector<std::string>& items() const { return items_; }
  int count() const { return static_cast<int>(items_.size()); }
  void AddItem(const std::string& item, int image = -1);
  void Clear();
  // Puts these items in place of all others at once, none current.
  void SetItems(std::vector<std::string> items);
  int image(int index) const;
  // The current item, -1 for none.
  int list_index() const { return list_index_; }
  // Raises Click when the index changes; an index outside the list is ignored.
  void SetListIndex(int index);
  // The user picks an item: Click comes even for the item already current,
  // so picking a section again opens it afresh.
  void UserSelect(int index);
  // The current item's text, or the empty text.
  std::string text() const;
  // List boxes: the user double-clicks an item (after it is selected).
  std::function<void()> on_double_click;
  void UserDoubleClick() { Raise(on_double_click); }
  // List boxes: where the columns of items holding tabs start, in twips
  // from the list's left edge. Set before the list is shown.
  const std::vector<int>& tab_stops() const { return tab_stops_; }
  void SetTabStops(std::vector<int> twips) { tab_stops_ = std::move(twips); }

  // Check marks, for check lists only.
  bool checked(int index) const;
  // Raises ItemCheck(index) when the mark changes.
  void SetChecked(int index, bool checked);
  void UserToggle(int index) { SetChecked(index, !checked(index)); }
  std::function<void(int index)> on_item_check;

  // File lists: the folder and the pattern ("*.wmz") whose files the page
  // lists (the file system is the page's to ask).
  const std::string& path() const { return path_; }
  void SetPath(const std::string& path) { path_ = path; }
  const std::string& pattern() const { return pattern_; }
  void SetPattern(const std::string& pattern) { pattern_ = pattern; }

  // Image combo boxes: the pictures the items' image numbers refer to.
  const std::vector<std::string>& image_list() const { return image_list_; }
  void SetImageList(std::vector<std::string> pictures);

 private:
  std::vector<std::string> items_;
  std::vector<int> images_;
  std::vector<bool> checks_;
  int list_index_ = -1;
  std::string path_;
  std::string pattern_ = "*.*";
  std::vector<std::string> image_list_;
  std::vector<int> tab_stops_;
};

class Slider : public Control {
 public:
  using Control::Control;
  int min() const { return min_; }
  int max() const { return max_; }
  void SetRange(int min, int max);
  int value() const { return value_; }
  // Silent, as for the slider control itself: only the user's move scrolls.
  void SetValue(int value);
  void UserScroll(int value);
  std::function<void()> on_scroll;
  // How far an arrow key and a page key move the thumb; a tick mark every
  // `ticks` positions, none for 0. Set before the slider is shown.
  int line_step() const { return line_step_; }
  int page_step() const { return page_step_; }
  int ticks() const { return ticks_; }
  void SetSteps(int line, int page, int ticks);

 private:
  int min_ = 0;
  int max_ = 10;
  int value_ = 0;
  int line_step_ = 1;
  int page_step_ = 0;  // 0: the control's own (a fifth of the range)
  int ticks_ = 1;
};

class TabStrip : public Control {
 public:
  using Control::Control;
  const std::vector<std::string>& tabs() const { return tabs_; }
  void AddTab(const std::string& caption);
  int selected() const { return selected_; }
  // Raises Click when the selected tab changes.
  void Select(int index);

 private:
  std::vector<std::string> tabs_;
  int selected_ = 0;
};

class Timer : public Control {
 public:
  Timer(std::string name, std::string container, int interval_ms);
  int interval() const { return interval_; }
  bool running() const { return enabled(); }
  std::function<void()> on_timer;
  void Fire() {
    if (enabled()) Raise(on_timer);
  }

 private:
  int interval_;
};

}  // namespace kdw::forms
