#include "pages/setting_page.h"

#include <algorithm>
#include <charconv>
#include <string>
#include <string_view>

namespace kdw::pages {
namespace {

bool InStateRange(std::int32_t number) { return number >= 0 && number <= 2; }

// A whole decimal number, blanks around it allowed; anything else is no number.
bool ParseNumber(const std::string& text, std::int32_t* number) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string::npos) return false;
  const auto last = text.find_last_not_of(' ') + 1;
  const char* begin = text.data() + first;
  const char* end = text.data() + last;
  auto [ptr, error] = std::from_chars(begin, end, *number);
  return error == std::errc() && ptr == end;
}

}  // namespace

std::vector<forms::ControlSpec> ControlsOf(const PageSpec& page) {
  std::vector<forms::ControlSpec> all;
  // Depth first from the form: what a container holds follows it at once.
  std::function<void(const char*)> add_contents = [&](const char* container) {
    std::vector<forms::ControlSpec> here;
    for (const forms::ControlSpec& control : page.controls) {
      if (std::string_view(control.container) == container) here.push_back(control);
    }
    for (const SettingRow& row : page.rows) {
      if (row.list_item || std::string_view(row.container) != container) continue;
      const forms::ControlKind kind = row.load == LoadRule::kText       ? forms::ControlKind::kTextBox
                                      : row.load == LoadRule::kPosition ? forms::ControlKind::kSlider
                                                                        : forms::ControlKind::kCheckBox;
      here.push_back({.name = row.control,
                      .kind = kind,
                      .caption = row.caption,
                      .rect = row.rect,
                      .container = row.container,
                      .flags = row.flags,
                      .tooltip = row.tooltip});
    }
    for (const forms::ControlSpec& control : here) {
      all.push_back(control);
      add_contents(control.name);
    }
  };
  add_contents("");
  return all;
}

SettingPage::SettingPage(Context& context, const PageSpec& page)
    : context_(context),
      spec_(page),
      controls_(ControlsOf(page)),
      form_(forms::FormSpec{.name = page.name,
                            .caption = page.caption,
                            .style = page.style,
                            .width = page.width,
                            .height = page.height,
                            .controls = controls_}) {
  AddRows(page.rows);
  // An action that failed half-way leaves no box showing what was never
  // stored: every row shows the registry again, writing nothing.
  form_.on_action_failed = [this] {
    Quietly([this] {
      for (const Bound& bound : bound_) LoadRow(*bound.row);
    });
  };
  if (page.draggable) {
    // The left button on the background moves the page like its caption.
    form_.on_mouse_down = [this](int button) {
      if (button == 1) context_.host.BeginDrag(form_);
    };
  }
}

void SettingPage::AddRows(std::span<const SettingRow> rows) {
  for (const SettingRow& row : rows) Bind(row);
}

void SettingPage::Bind(const SettingRow& row) {
  if (row.load == LoadRule::kText) {
    bound_.push_back({&row, -1});
    form_.text(row.control).on_change = [this, &row] {
      if (!quiet_) WriteRow(row);
    };
    return;
  }
  if (row.load == LoadRule::kPosition) {
    bound_.push_back({&row, -1});
    form_.slider(row.control).on_scroll = [this, &row] {
      if (!quiet_) WriteRow(row);
    };
    return;
  }
  if (row.list_item) {
    forms::ListControl& list = form_.list(row.control);
    bound_.push_back({&row, list.count()});
    list.AddItem(row.caption);
    // One handler per list, found again by the item whose mark changed.
    const std::string name = row.control;
    list.on_item_check = [this, name](int index) {
      if (quiet_) return;
      if (const SettingRow* item_row = RowOf(name, index)) WriteRow(*item_row);
    };
    return;
  }
  bound_.push_back({&row, -1});
  forms::CheckBox& box = form_.check(row.control);
  box.on_click = [this, &row] {
    if (!quiet_) WriteRow(row);
  };
}

void SettingPage::Load() {
  // Every key the load reads is opened once, however many rows it holds.
  const Registry::KeepKeysOpen keep(context_.registry);
  ++loading_;
  try {
    BeforeRows();
    for (const Bound& bound : bound_) {
      if (!bound.row->loads_last) LoadRow(*bound.row);
    }
    for (const Bound& bound : bound_) {
      if (bound.row->loads_last) LoadRow(*bound.row);
    }
    AfterRows();
    ApplyAccountRule();
  } catch (...) {
    --loading_;
    throw;
  }
  --loading_;
}

void SettingPage::LoadRows(std::span<const SettingRow> rows) {
  for (const SettingRow& row : rows) LoadRow(row);
}

void SettingPage::LoadRow(const SettingRow& row) {
  // One read of the row's value; every rule below looks at what it gave.
  const StoredValue stored = context_.registry.Read(row.hive, row.key, row.value);
  const ValueType text_type = row.kind == ValueKind::kExpandSz ? ValueType::kExpandSz : ValueType::kSz;
  if (row.load == LoadRule::kText) {
    const std::string text = TextOf(stored, text_type);
    forms::TextBox& box = form_.text(row.control);
    // Text stored with more after a NUL shows only in part; writing that part
    // back would lose the rest, so such a box is filled without a write.
    if (text.empty() || ReadsWhole(stored, text_type)) {
      box.SetText(text);
    } else {
      Quietly([&] { box.SetText(text); });
    }
    return;
  }
  if (row.load == LoadRule::kPosition) {
    // Setting a slider's position raises nothing: a stored number outside its
    // range shows at the nearest end and stays stored until the user scrolls.
    form_.slider(row.control).SetValue(DwordOf(stored));
    return;
  }

  bool checked = false;
  // A box checked without its write-back: when that would replace data the
  // row cannot read, or would change nothing.
  bool no_write_back = false;
  switch (row.load) {
    case LoadRule::kNumber:
    case LoadRule::kStringNumber: {
      std::int32_t number = 0;
      if (row.load == LoadRule::kNumber) {
        number = DwordOf(stored);
      } else if (!ParseNumber(TextOf(stored, ValueType::kSz), &number)) {
        return;  // no number at all: the box keeps its design state
      }
      if (!row.list_item) {
        ShowNumber(form_.check(row.control), number);
        return;
      }
      checked = number != 0;
      break;
    }
    case LoadRule::kZeroChecks:
      checked = DwordOf(stored) == 0;
      // A missing value reads as 0 and is written back as 0; a value of
      // another type reads as 0 too, but the write-back would replace it.
      no_write_back = checked && stored.present && stored.type != ValueType::kDword;
      break;
    case LoadRule::kNonZeroChecks: {
      const std::int32_t number = DwordOf(stored);
      checked = number != 0;
      // A check box state (1, 2) is rewritten in the row's own shape; any
      // other number, the checked data among them, shows checked and stays
      // as stored until the user clicks.
      no_write_back = checked && !InStateRange(number);
      break;
    }
    case LoadRule::kNumberEquals:
      checked = DwordOf(stored) == row.number;
      break;
    case LoadRule::kStringEquals:
      checked = TextOf(stored, text_type) == row.literal;
      break;
    case LoadRule::kValuePresent:
      checked = PresenceOf(stored) == Presence::kThere;
      break;
    case LoadRule::kValueAbsent:
      // ValuePresence answers "Yes" for data longer than four bytes too: such
      // a value is there, and the write-back of a checked box would delete it.
      checked = !stored.present;
      // Deleting the missing value again would change nothing.
      no_write_back = checked && row.checked.kind == WriteKind::kDeleteValue;
      break;
    case LoadRule::kText:
    case LoadRule::kPosition:
      break;
  }

  if (row.list_item) {
    // A list item's mark only shows what is stored: filling the list writes
    // nothing, so data another tool stored in another shape stays as it is.
    Quietly([&] { form_.list(row.control).SetChecked(ItemOf(row), checked); });
  } else if (no_write_back) {
    Quietly([&] { form_.check(row.control).SetValue(1); });
  } else {
    form_.check(row.control).SetValue(checked ? 1 : 0);
  }
}

void SettingPage::ShowNumber(forms::CheckBox& box, std::int32_t number) {
  if (InStateRange(number)) {
    box.SetValue(number);  // 1 and 2 are written back by the box's Click
    return;
  }
  if (spec_.invalid_number == InvalidNumber::kShowChecked) {
    Quietly([&] { box.SetValue(1); });
  }
}

void SettingPage::ApplyAccountRule() {
  std::vector<std::string> disabled;
  for (const forms::ControlSpec& control : spec_.controls) {
    if (control.machine_wide) disabled.push_back(control.name);
  }
  for (const Bound& bound : bound_) {
    if (bound.row->machine_wide) disabled.push_back(bound.row->control);
  }
  // Pages without machine-wide controls never ask.
  if (disabled.empty() || !context_.Limited()) return;
  for (const std::string& name : disabled) form_.control(name).SetEnabled(false);
}

const SettingPage::Bound* SettingPage::Find(const SettingRow& row) const {
  for (const Bound& bound : bound_) {
    if (bound.row == &row) return &bound;
  }
  return nullptr;
}

int SettingPage::ItemOf(const SettingRow& row) const {
  const Bound* bound = Find(row);
  return bound ? bound->item : -1;
}

int SettingPage::StateOf(const SettingRow& row) const {
  if (row.list_item) return form_.list(row.control).checked(ItemOf(row)) ? 1 : 0;
  return form_.check(row.control).value();
}

void SettingPage::WriteRow(const SettingRow& row) {
  const RegStatus status = Store(row);
  if (row.load == LoadRule::kText) {
    WroteTyped(row.control, status, NameOf(row));
    return;
  }
  if (Wrote(status, NameOf(row)) || loading_) return;
  // The control shows again what the registry holds.
  Quietly([&] {
    if (!row.list_item && row.load != LoadRule::kPosition) form_.check(row.control).SetValue(0);
    LoadRow(row);
  });
}

bool SettingPage::Wrote(RegStatus status, const std::string& setting) {
  if (status.ok()) return true;
  // While loading, a refused write-back leaves the control showing what is
  // stored already: there is nothing to tell.
  if (loading_) return false;
  context_.messages.Show(context_.Owner(),
                         std::string(kTitle) + " could not change \"" + setting +
                             "\": " + DescribeRegError(status.code()) + ".",
                         kTitle, mb::kOk | mb::kIconExclamation);
  return false;
}

bool SettingPage::WroteTyped(const std::string& box, RegStatus status,
                             const std::string& setting) {
  const auto told = std::find(refused_texts_.begin(), refused_texts_.end(), box);
  if (status.ok()) {
    if (told != refused_texts_.end()) refused_texts_.erase(told);
    return true;
  }
  if (told == refused_texts_.end() && !loading_) {
    Wrote(status, setting);
    refused_texts_.push_back(box);
  }
  return false;
}

RegStatus SettingPage::Store(const SettingRow& row) {
  const Registry& reg = context_.registry;
  if (row.load == LoadRule::kText) {
    const std::string& text = form_.text(row.control).text();
    return row.kind == ValueKind::kExpandSz
               ? reg.SaveExpandStringValue(row.hive, row.key, row.value, text)
               : reg.SaveStringValue(row.hive, row.key, row.value, text);
  }
  if (row.load == LoadRule::kPosition) {
    return reg.SaveDwordValue(row.hive, row.key, row.value, form_.slider(row.control).value());
  }
  const int state = StateOf(row);
  const bool use_checked = state == 1 || (state != 0 && row.grayed_as_checked);
  return Apply(row, use_checked ? row.checked : row.unchecked, state);
}

RegStatus SettingPage::Apply(const SettingRow& row, const WriteAction& action, int state) {
  const Registry& reg = context_.registry;
  switch (action.kind) {
    case WriteKind::kNothing:
      return {};
    case WriteKind::kStateDword:
      return reg.SaveDwordValue(row.hive, row.key, row.value, state);
    case WriteKind::kStateText:
      return reg.SaveStringValue(row.hive, row.key, row.value, std::to_string(state));
    case WriteKind::kDword:
      return reg.SaveDwordValue(row.hive, row.key, row.value, action.number);
    case WriteKind::kString:
      return reg.SaveStringValue(row.hive, row.key, row.value, action.text);
    case WriteKind::kExpandString:
      return reg.SaveExpandStringValue(row.hive, row.key, row.value, action.text);
    case WriteKind::kDeleteValue:
      return reg.DeleteValue(row.hive, row.key, row.value);
    case WriteKind::kCreateKeys:
      for (const KeyDefault& key : action.keys) {
        if (RegStatus status = reg.SaveStringValue(row.hive, key.key, "", key.data); !status.ok())
          return status;
      }
      return {};
    case WriteKind::kDeleteKeys:
      for (const KeyDefault& key : action.keys) {
        if (RegStatus status = reg.DeleteKey(row.hive, key.key); !status.ok()) return status;
      }
      return {};
  }
  return {};
}

void SettingPage::Quietly(const std::function<void()>& change) {
  ++quiet_;
  try {
    change();
  } catch (...) {
    --quiet_;
    throw;
  }
  --quiet_;
}

const SettingRow* SettingPage::RowOf(const std::string& control, int item) const {
  for (const Bound& bound : bound_) {
    if (control == bound.row->control && bound.item == item) return bound.row;
  }
  return nullptr;
}

void SettingPage::OnClick(const std::string& control, std::function<void()> handler) {
  form_.control(control).on_click = std::move(handler);
}

void SettingPage::ShowDialog(std::unique_ptr<forms::FormController> dialog) {
  dialog->Load();
  if (context_.main_form) context_.host.ShowModal(dialog->form(), *context_.main_form);
}

void SettingPage::Close() { context_.host.Destroy(form_); }

}  // namespace kdw::pages
