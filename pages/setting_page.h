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
  // What the page's own code binds beside its rows.
  std::span<const PageValue> values = {};
};

// A dialog a page opens: no title bar, moved by its background. Width and
// height are those inside the window's edges.
constexpr PageSpec BorderlessDialog(const char* name, int width, int height,
                                    std::span<const SettingRow> rows,
                                    std::span<const forms::ControlSpec> controls) {
  return PageSpec{.name = name,
                  .caption = "",
                  .width = width + kChromeWidth,
                  .height = height + kChromeHeight,
                  .rows = rows,
                  .controls = controls,
                  .style = forms::FormStyle::kBorderless,
                  .draggable = true};
}

// The form's whole control list: the unbound controls and the rows' controls,
// each container followed by what it holds (unbound first, then the rows in
// table order), which is also the keyboard's Tab order.
std::vector<forms::ControlSpec> ControlsOf(const PageSpec& page);

class SettingPage : public forms::FormController {
 public:
  SettingPage(Context& context, const PageSpec& page);

  forms::Form& form() override { return form_; }
  const PageSpec& decl() const { return spec_; }
  // Form_Load, the same for every page: the page's BeforeRows, every row
  // (in table order, those marked LoadsLast after the others), the page's
  // AfterRows, then the account rule over every machine-wide control, bound
  // or not. Each key it reads is opened once; a refused write-back is told
  // apart from a refused change.
  void Load() final;

  // Loads rows a page binds at run time (see AddRows); shows again what is
  // stored for one row.
  void LoadRows(std::span<const SettingRow> rows);
  void LoadRow(const SettingRow& row);

  // Writes the row for its control's current state (a check box's Click, a
  // check-list item's ItemCheck, a text box's Change). When Windows refuses
  // it, the control shows again what is stored and one message says so; a
  // text box keeps what was typed.
  void WriteRow(const SettingRow& row);

  // Whether a write of the page's own code went through; when it did not,
  // tells the user which setting Windows refused and why (not while
  // loading). The caller puts its controls back.
  bool Wrote(RegStatus status, const std::string& setting);
  // The same for a write of what is typed in a text box, which keeps what
  // was typed: the message comes once, not at every keystroke, until a
  // write of that box goes through again.
  bool WroteTyped(const std::string& box, RegStatus status, const std::string& setting);
  bool loading() const { return loading_ > 0; }

  // Runs a change of control state with the rows' handlers silenced: nothing
  // is written for it.
  void Quietly(const std::function<void()>& change);

  // The row bound to a control (and check-list item), or null.
  const SettingRow* RowOf(const std::string& control, int item = -1) const;
  // A check-list row's item index; -1 for any other row.
  int ItemOf(const SettingRow& row) const;

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

  template <class T = forms::Control>
  std::vector<T*> UseAll(std::span<const char* const> names) {
    std::vector<T*> controls;
    for (const char* name : names) controls.push_back(&Use<T>(name));
    return controls;
  }

  // Page-specific action of a picture, button or label.
  void OnClick(const std::string& control, std::function<void()> handler);

  // Loads a dialog this page opens and shows it modally, owned by the main
  // window; returns once the dialog is closed. Each opening loads afresh.
  // Without a main window (tests) the dialog is loaded only.
  void ShowDialog(std::unique_ptr<forms::FormController> dialog);
  // Unloads this form: a dialog's close button.
  void Close();

  const Registry& registry() const { return context_.registry; }
  Context& context() { return context_; }

 private:
  struct Bound {
    const SettingRow* row;
    int item;  // -1 for a whole control
  };

  // What a page does on loading beyond its rows: filling lists and reports
  // the rows' states depend on, before them; showing what its own code
  // reads, after them.
  virtual void BeforeRows() {}
  virtual void AfterRows() {}

  void ApplyAccountRule();
  void Bind(const SettingRow& row);
  void ShowNumber(forms::CheckBox& box, std::int32_t number);
  RegStatus Store(const SettingRow& row);
  RegStatus Apply(const SettingRow& row, const WriteAction& action, int state);
  int StateOf(const SettingRow& row) const;
  const Bound* Find(const SettingRow& row) const;

  Context& context_;
  const PageSpec& spec_;
  std::vector<forms::ControlSpec> controls_;
  forms::Form form_;
  std::vector<Bound> bound_;
  int quiet_ = 0;
  int loading_ = 0;
  // Text boxes whose last write was refused and told.
  std::vector<std::string> refused_texts_;
};

// Makes a page that is its table and nothing more.
template <const PageSpec& page>
std::unique_ptr<forms::FormController> MakeTablePage(Context& context) {
  return std::make_unique<SettingPage>(context, page);
}

}  // namespace kdw::pages
