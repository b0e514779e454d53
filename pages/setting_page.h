// The engine every setting page is built on: a form declaration plus a table
// of SettingRows. Loading gives each bound control its stored state in code,
// so the control's own event writes that state back at once; each later
// change by the user writes at once too. Page code adds its own handlers and
// controls around the table.
#pragma once

#include <functional>
#include <span>
#include <string>
#include <vector>

#include "forms/form.h"
#include "forms/form_controller.h"
#include "pages/page_context.h"
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

struct PageDefinition {
  const forms::FormSpec* form;
  // In load order. The table must outlive the page (pages use static tables).
  std::span<const SettingRow> rows;
  // Controls disabled for a limited account after loading. Pages without
  // this list never ask for the account type.
  std::span<const char* const> machine_wide = {};
  InvalidNumber invalid_number = InvalidNumber::kShowChecked;
  // Pressing the mouse on the page background drags the page.
  bool draggable = false;
};

class SettingPage : public forms::FormController {
 public:
  SettingPage(PageContext& context, const PageDefinition& page);

  forms::Form& form() override { return form_; }
  // Form_Load: every row in table order, then the account rule.
  void Load() override;

  // The pieces of Form_Load, for pages whose load does more in between.
  void LoadRows(std::span<const SettingRow> rows);
  void LoadRow(const SettingRow& row);
  void ApplyAccountRule();

  // Writes the row for its control's current state (a check box's Click, a
  // check-list item's ItemCheck, a text box's Change).
  void WriteRow(const SettingRow& row);

  // Runs a change of control state with the rows' handlers silenced: nothing
  // is written for it.
  void Quietly(const std::function<void()>& change);

  // The row bound to a control (and check-list item), or null.
  const SettingRow* RowOf(const std::string& control, int item = -1) const;

  // Binds more rows, loaded after those bound before: for rows a page builds
  // at run time (keys that depend on a version chosen elsewhere). The rows
  // and their texts must outlive the page.
  void AddRows(std::span<const SettingRow> rows);

  // Page-specific action of a picture, button or label.
  void OnClick(const std::string& control, std::function<void()> handler);

  const Registry& registry() const { return context_.registry; }
  PageContext& context() { return context_; }

 private:
  void Bind(const SettingRow& row);
  void ShowNumber(forms::CheckBox& box, std::int32_t number);
  void Apply(const SettingRow& row, const WriteAction& action, int state);
  int StateOf(const SettingRow& row) const;

  PageContext& context_;
  forms::Form form_;
  std::vector<std::span<const SettingRow>> tables_;
  std::span<const char* const> machine_wide_;
  InvalidNumber invalid_number_;
  int quiet_ = 0;
};

}  // namespace kdw::pages
