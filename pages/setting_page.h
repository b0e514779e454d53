// The engine every setting page is built on. A page is declared once: its
// form (name, caption, size), its rows (the bound controls, in load order,
// each with its place on the form) and a short list of the controls bound to
// nothing (labels, frames, pictures, buttons, the lists whose items are rows).
// Loading gives each bound control its stored state in code, so the
// control's own event writes that state back at once; each later change by
// the user writes at once too. Page code adds its own handlers around that.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/context.h"
#include "forms/form.h"
#include "forms/form_controller.h"
#include "pages/key_mark.h"
#include "pages/layout.h"
#include "pages/setting_row.h"

namespace kdw::pages {

// What a number row shows for a stored number that is no check box state
// (anything but 0, 1 and 2).
enum class InvalidNumber {
  // Checked, as Windows reads any non-zero policy as on; nothing is written
  // back, so the stored number survives until the user clicks the box.
  kShowChecked,
  // The box keeps its design state (unchecked) and nothing is written.
  kLeaveAlone,
};

// A control bound to nothing that a limited account finds disabled, as it
// does the rows marked MachineWide: `MachineWide({"Image4", ...})`.
constexpr forms::ControlSpec MachineWide(forms::ControlSpec control) {
  return control.MachineWide();
}

// Stands in an entry picker's rows for the entry chosen in its list.
inline constexpr char kEntryMark[] = "<entry>";

// An entry a picker's list offers.
struct PickerEntry {
  const char* item;               // as the list shows it
  const char* name = nullptr;     // what kEntryMark stands for in keys and values; the item if null
  const char* caption = nullptr;  // what it stands for in the rows' captions; the item if null
  const char* data = "";          // what the page's own code keeps with the entry

  constexpr const char* Name() const { return name ? name : item; }
  constexpr const char* Caption() const { return caption ? caption : item; }
};

// A list whose current item chooses an entry (a key or a value), and the
// text rows that show it: their keys or values, and their captions, hold
// kEntryMark. Picking an entry shows its rows and writes nothing; a picker
// that edits stores what is typed in a row under the entry chosen. The
// rows' text boxes are declared among the page's controls.
struct EntryPicker {
  const char* list;
  std::span<const SettingRow> rows;
  // Empty: the page lists the entries, each item its own name, and the rows
  // stand for every value of their key.
  std::span<const PickerEntry> entries = {};
  bool edits = true;
  // Showing an entry writes what it shows back, as loading a row does.
  bool writes_back = false;
  // Search takes the user to the list rather than to the rows' boxes (it
  // does so anyway for a picker without declared entries).
  bool found_at_list = false;
};

// Where a browse button's file dialog starts.
enum class StartIn { kAnywhere, kProgramFolder };

// A button that fills a text box from a dialog: a folder, or with a filter
// a file. Cancel changes nothing; the box's own Change stores what it then
// holds.
struct BrowseButton {
  const char* button;
  const char* box;
  const char* prompt;        // the folder dialog's prompt, or the file dialog's title
  const char* filter = "";   // "Icons (*.ico)|*.ico": a file, not a folder
  StartIn start = StartIn::kAnywhere;
  bool name_only = false;    // the file's name, without its folder
  bool needs_entry = false;  // refused until the page's picker has an entry chosen
};

// A tab of a page's tab strip and the container it shows.
struct TabPage {
  const char* caption;
  const char* container;
};

struct PageSpec;
using PageMaker = std::unique_ptr<forms::FormController> (*)(Context& context);

// A button that opens a dialog page modally; each opening loads it afresh.
struct DialogOpener {
  const char* button;
  const PageSpec* dialog;
  PageMaker make;
  // A limited account is told it may not, and the dialog stays closed.
  bool administrators_only = false;
};

struct PageSpec {
  const char* name;     // the form: "frmPanel"
  const char* caption;  // its title: "Control Panel"
  int width;            // outer size, twips
  int height;
  // In load order. The table must outlive the page (pages use static tables).
  std::span<const SettingRow> rows;
  // The controls bound to nothing, each in its container.
  std::span<const forms::ControlSpec> controls = {};
  forms::FormStyle style = forms::FormStyle::kMdiChild;
  InvalidNumber invalid_number = InvalidNumber::kShowChecked;
  // Pressing the mouse on the page background drags the page.
  bool draggable = false;
  // Rows whose keys hold `key_mark`: the page binds them at run time, to
  // what the mark stands for then.
  std::span<const SettingRow> marked_rows = {};
  const KeyMark* key_mark = nullptr;
  const EntryPicker* picker = nullptr;
  std::span<const BrowseButton> browse = {};
  std::span<const DialogOpener> dialogs = {};
  // The button that closes a dialog page.
  const char* close_button = "";
  // A tab strip whose tabs each show one container, the first at the start.
  const char* tab_strip = "";
  std::span<const TabPage> tabs = {};
  // Shown maximized inside the main window, and kept so.
  bool always_maximized = false;
};

// A dialog a page opens: no title bar, moved by its background. Width and
// height are those inside the window's edges.
// `close` is its close button.
constexpr PageSpec BorderlessDialog(const char* name, int width, int height,
                                    std::span<const SettingRow> rows,
                                    std::span<const forms::ControlSpec> controls,
                                    const char* close = "Image1") {
  return PageSpec{.name = name,
                  .caption = "",
                  .width = width + kChromeWidth,
                  .height = height + kChromeHeight,
                  .rows = rows,
                  .controls = controls,
                  .style = forms::FormStyle::kBorderless,
                  .draggable = true,
                  .close_button = close};
}

// The form's whole control list: the unbound controls and the rows' controls,
// each container followed by what it holds (unbound first, then the rows in
// table order), which is also the keyboard's Tab order.
std::vector<forms::ControlSpec> ControlsOf(const PageSpec& page);

class SettingPage : public forms::FormController {
 public:
  SettingPage(Context& context, const PageSpec& page);
  // A page whose key mark stands for `mark_name` whatever is stored (the
  // empty text: for nothing); its marked rows are bound at once.
  SettingPage(Context& context, const PageSpec& page, const std::string& mark_name);

  forms::Form& form() override { return form_; }
  const PageSpec& decl() const { return spec_; }
  // Form_Load, the same for every page: the page's BeforeRows, every row
  // (in table order, those marked LoadsLast after the others), the page's
  // AfterRows, then the account rule over every machine-wide control, bound
  // or not. Each key it reads is opened once; a refused write-back is told
  // apart from a refused change.
  void Load() final;

  // Shows again what is stored for one row.
  void LoadRow(const SettingRow& row);

  // Writes the row for its control's current state (a check box's Click, a
  // check-list item's ItemCheck, a text box's Change). When Windows refuses
  // it, the control shows again what is stored and one message says so; a
  // text box keeps what was typed.
  void WriteRow(const SettingRow& row);
  // Writes what the row's control shows, telling nothing: for a page's own
  // buttons that store several rows at once.
  RegStatus StoreShown(const SettingRow& row) { return Store(row); }

  // Whether a write of the page's own code went through; when it did not,
  // tells the user which setting Windows refused and why (not while
  // loading). The caller puts its controls back.
  bool Wrote(RegStatus status, const std::string& setting);
  // The same for a write of what is typed in a text box, which keeps what
  // was typed: the message comes once, not at every keystroke, until a
  // write of that box goes through again.
  bool WroteTyped(const std::string& box, RegStatus status, const std::string& setting);

  // Runs a change of control state with the rows' handlers silenced: nothing
  // is written for it.
  void Quietly(const std::function<void()>& change);

  // The row bound to a control (and check-list item), or null.
  const SettingRow* RowOf(const std::string& control, int item = -1) const;

  // Binds more rows, loaded after those bound before: for rows a page builds
  // at run time (keys that depend on a version chosen elsewhere). Their
  // controls must be on the form already. The rows and their texts must
  // outlive the page.
  void AddRows(std::span<const SettingRow> rows);

  // A control of the form, found when the page is built. Pages keep the
  // controls their handlers use as members made with it, so that a name
  // that is not on the form, or that names another kind of control, stops
  // the page from being built (the catalogue checks build every page)
  // rather than failing when a user clicks.
  template <class T = forms::Control>
  T& Use(const std::string& name) {
    T* found = dynamic_cast<T*>(&form_.control(name));
    if (!found) throw std::logic_error(std::string(spec_.name) + ": " + name + " is another kind of control");
    return *found;
  }

  // Page-specific action of a picture, button or label.
  void OnClick(const std::string& control, std::function<void()> handler);

  // The picker's entry chosen now (null for none), and its rows made for it.
  const PickerEntry* PickedEntry() const;
  std::span<const SettingRow> PickedRows();
  // Unloads this form: a dialog's close button.
  void Close();

  const Registry& registry() const { return context_.registry; }
  Context& context() { return context_; }

 protected:
  // What the page's key mark stands for now (the empty text: for nothing).
  std::string MarkName() const;
  // The picker's entry chosen now; with none, tells the user to choose one
  // and gives null.
  const PickerEntry* PickedOrAsk();

 private:
  struct Bound {
    const SettingRow* row;
    int item;       // -1 for a whole control
    int state = 0;  // what a two-state button shows
  };

  // What a page does on loading beyond its rows: filling lists and reports
  // the rows' states depend on, before them; showing what its own code
  // reads, after them.
  virtual void BeforeRows() {}
  virtual void AfterRows() {}
  // Whether the rows under the page's key mark can be worked now: picking
  // an entry, typing in its rows and opening dialogs ask first. A page that
  // says no tells the user why.
  virtual bool MarkReady() { return true; }
  // After the user's change of a row was stored: for what the page shows
  // beside it.
  virtual void Stored(const SettingRow& row) { (void)row; }

  // Loads rows a page binds at run time (see AddRows).
  void LoadRows(std::span<const SettingRow> rows);
  // A check-list row's item index; -1 for any other row.
  int ItemOf(const SettingRow& row) const;
  // Loads a dialog this page opens and shows it modally, owned by the main
  // window (by this page without one); returns once the dialog is closed,
  // and unloads it. Each opening loads afresh.
  void ShowDialog(std::unique_ptr<forms::FormController> dialog);

  void BindKinds();
  void BindBehaviours();
  void ShowTab();
  void Browse(const BrowseButton& button);
  void Open(const DialogOpener& opener);
  void FillPicker();
  void LoadMarkedRows();
  void Pick();
  void TypedInPicked(std::size_t index);
  void Turn(const SettingRow& row);
  void ShowTwoStates(const SettingRow& row, int state);

  // Every control a row is bound to offers "What's This?" on its shortcut
  // menu, and the chosen item shows what the row's setting is.
  void OffersHelp(const char* control);
  void Explain(const std::string& control, int item);
  // The row whose setting a control (and item) stands for now: the row
  // bound, or while none is, the declared row with its mark; null for none.
  // Rows made for the picked entry go into `made`.
  const SettingRow* ExplainedRow(const std::string& control, int item, MarkedRows& made) const;
  std::span<const SettingRow> MakePicked(MarkedRows& made) const;

  void ApplyAccountRule();
  void Bind(const SettingRow& row);
  void ShowNumber(forms::CheckBox& box, std::int32_t number);
  void LoadText(const SettingRow& row, const StoredValue& stored);
  void LoadChoice(const SettingRow& row, const StoredValue& stored);
  RegStatus Store(const SettingRow& row);
  RegStatus Apply(const SettingRow& row, const WriteAction& action, int state);
  int StateOf(const SettingRow& row) const;
  const Bound* Find(const SettingRow& row) const;
  Bound* Find(const SettingRow& row);

  Context& context_;
  const PageSpec& spec_;
  std::vector<forms::ControlSpec> controls_;
  forms::Form form_;
  std::vector<Bound> bound_;
  int quiet_ = 0;
  int loading_ = 0;
  // Text boxes whose last write was refused and told.
  std::vector<std::string> refused_texts_;
  MarkedRows picked_;
  MarkedRows marked_;
  std::optional<std::string> mark_name_;
  int picking_ = 0;
  // The entry of a picker whose page lists the entries itself.
  mutable std::string listed_item_;
  mutable PickerEntry listed_entry_{""};
};

// What a control bound to the row would show for the stored data, as text:
// two data that read the same ("0" stored, or nothing) mean the same.
std::string MeaningOf(const SettingRow& row, const StoredValue& stored);

// Makes a page that is its table and nothing more.
template <const PageSpec& page>
std::unique_ptr<forms::FormController> MakeTablePage(Context& context) {
  return std::make_unique<SettingPage>(context, page);
}

}  // namespace kdw::pages
