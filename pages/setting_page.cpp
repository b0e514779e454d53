#include "pages/setting_page.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "pages/whats_this.h"
#include "platform/file_system.h"

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

// List items, lists of choices and two-state buttons stand on controls the
// page declares; every other row makes its own.
bool MakesItsControl(const SettingRow& row) {
  return !row.list_item && !row.two_states && row.load != LoadRule::kChoice;
}

bool IsCheckBox(const SettingRow& row) {
  return MakesItsControl(row) && row.load != LoadRule::kText && row.load != LoadRule::kPosition;
}

constexpr int kDeleteKey = 46;
constexpr const char* kChooseAnItem = "Please choose an item.";
constexpr const char* kAdministratorsOnly =
    "Sorry, you need administrator rights to access this section.";

ValueType TextTypeOf(const SettingRow& row) {
  return row.kind == ValueKind::kExpandSz ? ValueType::kExpandSz : ValueType::kSz;
}

// A bit row's bit of the stored number: 1 set, 0 clear.
int BitOf(const SettingRow& row, const StoredValue& stored) {
  return static_cast<int>((static_cast<std::uint32_t>(DwordOf(stored)) >> row.number) & 1u);
}

// What a check shape shows for the stored data.
struct CheckState {
  bool checked = false;
  // Checked without its write-back: when that would replace data the row
  // cannot read, or would change nothing.
  bool no_write_back = false;
  // The stored number of a number row, which a box shows as its state.
  std::optional<std::int32_t> number;
};

// Nothing for number text that is no number at all.
std::optional<CheckState> CheckStateOf(const SettingRow& row, const StoredValue& stored) {
  CheckState state;
  switch (row.load) {
    case LoadRule::kNumber:
    case LoadRule::kStringNumber: {
      std::int32_t number = 0;
      if (row.load == LoadRule::kNumber) {
        number = DwordOf(stored);
      } else if (!ParseNumber(TextOf(stored, ValueType::kSz), &number)) {
        return std::nullopt;
      }
      state.number = number;
      state.checked = number != 0;
      break;
    }
    case LoadRule::kZeroChecks:
      state.checked = DwordOf(stored) == 0;
      // A missing value reads as 0 and is written back as 0; a value of
      // another type reads as 0 too, but the write-back would replace it.
      state.no_write_back = state.checked && stored.present && stored.type != ValueType::kDword;
      break;
    case LoadRule::kNonZeroChecks: {
      const std::int32_t number = DwordOf(stored);
      state.checked = number != 0;
      // A check box state (1, 2) is rewritten in the row's own shape; any
      // other number, the checked data among them, shows checked and stays
      // as stored until the user clicks.
      state.no_write_back = state.checked && !InStateRange(number);
      break;
    }
    case LoadRule::kNumberEquals:
      state.checked = DwordOf(stored) == row.number;
      break;
    case LoadRule::kStringEquals:
      state.checked = TextOf(stored, TextTypeOf(row)) == row.literal;
      break;
    case LoadRule::kValuePresent:
      state.checked = PresenceOf(stored) == Presence::kThere;
      break;
    case LoadRule::kValueAbsent:
      // ValuePresence answers "Yes" for data longer than four bytes too: such
      // a value is there, and the write-back of a checked box would delete it.
      state.checked = !stored.present;
      // Deleting the missing value again would change nothing.
      state.no_write_back = state.checked && row.checked.kind == WriteKind::kDeleteValue;
      break;
    default:
      break;
  }
  return state;
}

}  // namespace

std::string MeaningOf(const SettingRow& row, const StoredValue& stored) {
  switch (row.load) {
    case LoadRule::kText:
      return TextOf(stored, TextTypeOf(row));
    case LoadRule::kChoice:
      return TextOf(stored, ValueType::kSz);
    case LoadRule::kPosition:
      return std::to_string(DwordOf(stored));
    case LoadRule::kBit:
      return std::to_string(BitOf(row, stored));
    default:
      break;
  }
  const std::optional<CheckState> state = CheckStateOf(row, stored);
  if (!state) return "";  // the box keeps its design state
  if (state->number) return std::to_string(*state->number);
  return state->checked ? "1" : "0";
}

std::vector<forms::ControlSpec> ControlsOf(const PageSpec& page) {
  std::vector<forms::ControlSpec> all;
  // Depth first from the form: what a container holds follows it at once.
  std::function<void(const char*)> add_contents = [&](const char* container) {
    std::vector<forms::ControlSpec> here;
    for (const forms::ControlSpec& control : page.controls) {
      if (std::string_view(control.container) == container) here.push_back(control);
    }
    for (const SettingRow& row : page.rows) {
      if (!MakesItsControl(row) || std::string_view(row.container) != container) continue;
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
  // Rows bound later, or only while their mark stands for something, are
  // explained meanwhile as declared.
  for (const SettingRow& row : page.marked_rows) OffersHelp(row.control);
  if (page.picker) {
    for (const SettingRow& row : page.picker->rows) OffersHelp(row.control);
  }
  // A slider has its row's range from the start, whenever the row is bound.
  for (const std::span<const SettingRow> rows : {page.rows, page.marked_rows}) {
    for (const SettingRow& row : rows) {
      if (row.load == LoadRule::kPosition) form_.slider(row.control).SetRange(row.slider_min, row.slider_max);
    }
  }
  BindKinds();
  BindBehaviours();
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

SettingPage::SettingPage(Context& context, const PageSpec& page, const std::string& mark_name)
    : SettingPage(context, page) {
  mark_name_ = mark_name;
  if (!mark_name.empty()) AddRows(marked_.Make(page.marked_rows, page.key_mark->mark, mark_name));
}

std::string SettingPage::MarkName() const {
  if (!spec_.key_mark) return "";
  return mark_name_ ? *mark_name_ : spec_.key_mark->current(context_.registry);
}

void SettingPage::AddRows(std::span<const SettingRow> rows) {
  for (const SettingRow& row : rows) Bind(row);
}

void SettingPage::Bind(const SettingRow& row) {
  OffersHelp(row.control);
  if (row.two_states && *row.two_states->partner) OffersHelp(row.two_states->partner);
  // The control's event that writes the row: a text box's Change, a
  // slider's Scroll, a list's or a check box's Click. None for a two-state
  // button, which turns the row.
  std::function<void()>* writes = nullptr;
  if (row.load == LoadRule::kText) {
    writes = &form_.text(row.control).on_change;
  } else if (row.load == LoadRule::kPosition) {
    writes = &form_.slider(row.control).on_scroll;
  } else if (row.two_states) {
    // Turned by a click, below.
  } else if (row.load == LoadRule::kChoice) {
    writes = &form_.list(row.control).on_click;
  } else if (row.list_item) {
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
  } else {
    writes = &form_.check(row.control).on_click;
  }
  bound_.push_back({&row, -1});
  if (writes) {
    *writes = [this, &row] {
      if (!quiet_) WriteRow(row);
    };
    return;
  }
  form_.control(row.control).on_click = [this, &row] { Turn(row); };
  if (*row.two_states->partner) form_.control(row.two_states->partner).on_click = [this, &row] { Turn(row); };
}

void SettingPage::Load() {
  // Every key the load reads is opened once, however many rows it holds.
  const Registry::KeepKeysOpen keep(context_.registry);
  ++loading_;
  try {
    BeforeRows();
    FillPicker();
    for (const Bound& bound : bound_) {
      if (!bound.row->loads_last) LoadRow(*bound.row);
    }
    for (const Bound& bound : bound_) {
      if (bound.row->loads_last) LoadRow(*bound.row);
    }
    LoadMarkedRows();
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
  // One read of the row's value; every rule looks at what it gave.
  const StoredValue stored = context_.registry.Read(row.hive, row.key, row.value);
  switch (row.load) {
    case LoadRule::kText:
      LoadText(row, stored);
      return;
    case LoadRule::kPosition:
      // Setting a slider's position raises nothing: a stored number outside
      // its range shows at the nearest end and stays stored until the user
      // scrolls.
      form_.slider(row.control).SetValue(DwordOf(stored));
      return;
    case LoadRule::kChoice:
      LoadChoice(row, stored);
      return;
    case LoadRule::kBit: {
      const int set = BitOf(row, stored);
      Quietly([&] { form_.check(row.control).SetValue(set); });
      return;
    }
    default:
      break;
  }
  const std::optional<CheckState> state = CheckStateOf(row, stored);
  if (!state) return;  // no number at all: the box keeps its design state
  if (state->number && !row.list_item && !row.two_states) {
    ShowNumber(form_.check(row.control), *state->number);
  } else if (row.two_states) {
    // A picture button only shows what is stored: nothing is written back.
    Find(row)->state = state->checked ? 1 : 0;
    ShowTwoStates(row, state->checked ? 1 : 0);
  } else if (row.list_item) {
    // A list item's mark only shows what is stored: filling the list writes
    // nothing, so data another tool stored in another shape stays as it is.
    Quietly([&] { form_.list(row.control).SetChecked(ItemOf(row), state->checked); });
  } else if (state->no_write_back) {
    Quietly([&] { form_.check(row.control).SetValue(1); });
  } else {
    form_.check(row.control).SetValue(state->checked ? 1 : 0);
  }
}

void SettingPage::LoadText(const SettingRow& row, const StoredValue& stored) {
  const ValueType type = TextTypeOf(row);
  const std::string text = TextOf(stored, type);
  forms::TextBox& box = form_.text(row.control);
  // Text stored with more after a NUL, or data of another type, shows only
  // in part or not at all; writing that back would lose the rest, so such a
  // box is filled without a write.
  if (!stored.present || ReadsWhole(stored, type)) {
    box.SetText(text);
  } else {
    Quietly([&] { box.SetText(text); });
  }
}

void SettingPage::LoadChoice(const SettingRow& row, const StoredValue& stored) {
  forms::ListControl& list = form_.list(row.control);
  const std::string text = TextOf(stored, ValueType::kSz);
  const auto& items = list.items();
  const auto found = text.empty() ? items.end() : std::find(items.begin(), items.end(), text);
  const int index = found == items.end() ? -1 : static_cast<int>(found - items.begin());
  // Selecting stores the same text again, unless it read only in part.
  if (index >= 0 && ReadsWhole(stored, ValueType::kSz)) {
    list.SetListIndex(index);
  } else {
    Quietly([&] { list.SetListIndex(index); });
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

SettingPage::Bound* SettingPage::Find(const SettingRow& row) {
  return const_cast<Bound*>(std::as_const(*this).Find(row));
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
  if (Wrote(status, NameOf(row))) {
    if (!loading_) Stored(row);
    return;
  }
  if (loading_) return;
  // The control shows again what the registry holds.
  Quietly([&] {
    if (IsCheckBox(row)) form_.check(row.control).SetValue(0);
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
  if (row.load == LoadRule::kChoice) {
    return reg.SaveStringValue(row.hive, row.key, row.value, form_.list(row.control).text());
  }
  if (row.load == LoadRule::kBit) {
    const std::uint32_t bit = 1u << row.number;
    std::uint32_t mask = static_cast<std::uint32_t>(reg.GetDwordValue(row.hive, row.key, row.value, 0));
    mask = StateOf(row) == 1 ? (mask | bit) : (mask & ~bit);
    return reg.SaveDwordValue(row.hive, row.key, row.value, static_cast<std::int32_t>(mask));
  }
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
  context_.host.ShowModal(dialog->form(), context_.main_form ? *context_.main_form : form_);
  dialog->Unload();
  // A dialog closed by its own button is gone already.
  if (dialog->form().host()) context_.host.Destroy(dialog->form());
}

void SettingPage::Close() { context_.host.Destroy(form_); }

// What a page's declaration asks of its form beyond the rows.
void SettingPage::BindBehaviours() {
  if (*spec_.close_button) OnClick(spec_.close_button, [this] { Close(); });
  for (const forms::ControlSpec& control : spec_.controls) {
    if (!(control.flags & forms::kDeleteEmpties)) continue;
    forms::TextBox& box = form_.text(control.name);
    box.on_key_down = [&box](int key) {
      if (key == kDeleteKey) box.SetText("");
    };
  }
  if (spec_.always_maximized) {
    form_.SetWindowState(forms::WindowState::kMaximized);
    // The page cannot be restored or minimized inside the main window.
    form_.on_resize = [this] {
      if (form_.window_state() != forms::WindowState::kMaximized) {
        form_.SetWindowState(forms::WindowState::kMaximized);
      }
    };
  }
  if (*spec_.tab_strip) {
    forms::TabStrip& strip = form_.tabs(spec_.tab_strip);
    for (const TabPage& tab : spec_.tabs) strip.AddTab(tab.caption);
    ShowTab();
    strip.on_click = [this] { ShowTab(); };
  }
}

// Only the selected tab's container shows.
void SettingPage::ShowTab() {
  const int selected = form_.tabs(spec_.tab_strip).selected();
  for (std::size_t i = 0; i < spec_.tabs.size(); ++i) {
    form_.control(spec_.tabs[i].container).SetVisible(static_cast<int>(i) == std::max(selected, 0));
  }
}

void SettingPage::BindKinds() {
  for (const BrowseButton& button : spec_.browse) {
    form_.text(button.box);  // a box of the wrong kind stops the page here
    OnClick(button.button, [this, &button] { Browse(button); });
  }
  for (const DialogOpener& opener : spec_.dialogs) {
    OnClick(opener.button, [this, &opener] { Open(opener); });
  }
  if (!spec_.picker) return;
  form_.list(spec_.picker->list).on_click = [this] { Pick(); };
  for (std::size_t i = 0; i < spec_.picker->rows.size(); ++i) {
    forms::TextBox& box = form_.text(spec_.picker->rows[i].control);
    if (spec_.picker->edits) box.on_change = [this, i] { TypedInPicked(i); };
  }
}

void SettingPage::Browse(const BrowseButton& button) {
  if (button.needs_entry && !PickedOrAsk()) return;
  std::string path;
  if (*button.filter) {
    const std::string start = button.start == StartIn::kProgramFolder ? context_.files.ProgramFolder() : "";
    path = context_.dialogs.ShowOpenFileDialog(context_.Owner(), button.filter, button.prompt, start);
  } else {
    path = context_.dialogs.DirBox(context_.Owner(), button.prompt);
  }
  if (path.empty()) return;
  form_.text(button.box).SetText(button.name_only ? FileNameOfPath(path) : path);
}

void SettingPage::Open(const DialogOpener& opener) {
  if (opener.administrators_only && context_.Limited()) {
    context_.messages.Show(context_.Owner(), kAdministratorsOnly, kTitle, mb::kIconStop | mb::kOk);
    return;
  }
  if (!MarkReady()) return;
  ShowDialog(opener.make(context_));
}

const PickerEntry* SettingPage::PickedEntry() const {
  if (!spec_.picker) return nullptr;
  const forms::ListControl& list = form_.list(spec_.picker->list);
  const int index = list.list_index();
  if (index < 0) return nullptr;
  const auto entries = spec_.picker->entries;
  if (!entries.empty()) return index < static_cast<int>(entries.size()) ? &entries[static_cast<std::size_t>(index)] : nullptr;
  listed_item_ = list.text();
  listed_entry_ = PickerEntry{listed_item_.c_str()};
  return &listed_entry_;
}

const PickerEntry* SettingPage::PickedOrAsk() {
  const PickerEntry* entry = PickedEntry();
  if (!entry) context_.messages.Show(context_.Owner(), kChooseAnItem, kTitle, mb::kIconError);
  return entry;
}

std::span<const SettingRow> SettingPage::PickedRows() { return MakePicked(picked_); }

std::span<const SettingRow> SettingPage::MakePicked(MarkedRows& made) const {
  made.Clear();
  const PickerEntry* entry = PickedEntry();
  if (!entry) return {};
  made.Make(spec_.picker->rows, kEntryMark, entry->Name(), entry->Caption());
  if (const KeyMark* mark = spec_.key_mark) {
    const std::string name = MarkName();
    if (name.empty()) {
      made.Clear();
      return {};
    }
    made.Also(mark->mark, name, name);
  }
  return made.rows();
}

void SettingPage::OffersHelp(const char* control) {
  const std::string name = control;
  form_.control(name).on_context_menu = [this, name](int item) { Explain(name, item); };
}

void SettingPage::Explain(const std::string& control, int item) {
  MarkedRows made;
  const SettingRow* row = ExplainedRow(control, item, made);
  if (!row) return;  // a list's empty space
  forms::Control& asked = form_.control(control);
  if (context_.host.ContextMenu(form_, asked, {kWhatsThis}) != 0) return;
  context_.host.ShowHelpPopup(form_, asked, WhatsThisText(*row));
}

const SettingRow* SettingPage::ExplainedRow(const std::string& control, int item,
                                            MarkedRows& made) const {
  const SettingRow* whole = nullptr;
  for (const Bound& bound : bound_) {
    const SettingRow& row = *bound.row;
    const bool partner = row.two_states && control == row.two_states->partner;
    if (control != row.control && !partner) continue;
    if (bound.item == item) return &row;
    if (bound.item < 0) whole = &row;  // a list of choices, whatever the item
  }
  if (whole) return whole;
  if (spec_.picker) {
    const std::span<const SettingRow> templates = spec_.picker->rows;
    const std::span<const SettingRow> picked = MakePicked(made);
    for (std::size_t i = 0; i < templates.size(); ++i) {
      if (control == templates[i].control) return picked.empty() ? &templates[i] : &picked[i];
    }
  }
  for (const SettingRow& row : spec_.marked_rows) {
    if (control == row.control) return &row;
  }
  return nullptr;
}

// Rows under the page's key mark are bound to what it stands for when the
// page opens, and keep that for as long as the page is open; while it
// stands for nothing they are neither read nor written, and wait disabled.
void SettingPage::LoadMarkedRows() {
  if (!spec_.key_mark || spec_.marked_rows.empty()) return;
  const std::string name = MarkName();
  if (name.empty()) {
    for (const SettingRow& row : spec_.marked_rows) form_.control(row.control).SetEnabled(false);
    return;
  }
  if (mark_name_) return;  // bound when the page was built, and loaded with the others
  const std::span<const SettingRow> rows = marked_.Make(spec_.marked_rows, spec_.key_mark->mark, name);
  AddRows(rows);
  LoadRows(rows);
}

// A picker's list not filled by its page offers the declared entries.
void SettingPage::FillPicker() {
  if (!spec_.picker) return;
  forms::ListControl& list = form_.list(spec_.picker->list);
  if (list.count() > 0) return;
  for (const PickerEntry& entry : spec_.picker->entries) list.AddItem(entry.item);
}

// Shows the chosen entry, or empty boxes with none; showing writes nothing.
void SettingPage::Pick() {
  if (!MarkReady()) return;
  const std::span<const SettingRow> rows = PickedRows();
  if (rows.empty()) {
    Quietly([&] {
      for (const SettingRow& row : spec_.picker->rows) form_.text(row.control).SetText("");
    });
    return;
  }
  ++picking_;
  try {
    if (spec_.picker->writes_back) {
      for (const SettingRow& row : rows) LoadRow(row);
    } else {
      Quietly([&] {
        for (const SettingRow& row : rows) LoadRow(row);
      });
    }
  } catch (...) {
    --picking_;
    throw;
  }
  --picking_;
}

void SettingPage::TypedInPicked(std::size_t index) {
  if (quiet_ || !MarkReady()) return;
  // While an entry shows, its rows are the ones made for it already.
  const std::span<const SettingRow> rows = picking_ ? picked_.rows() : PickedRows();
  if (index < rows.size()) WriteRow(rows[index]);
}

// Turned over only once the registry took it: refused, the button still
// tells the truth.
void SettingPage::Turn(const SettingRow& row) {
  Bound& bound = *Find(row);
  const int state = bound.state ? 0 : 1;
  if (!Wrote(Apply(row, state ? row.checked : row.unchecked, state), NameOf(row))) return;
  bound.state = state;
  ShowTwoStates(row, state);
  const TwoStates& looks = *row.two_states;
  // The button pressed may have gone: the keyboard stays with its partner.
  if (*looks.partner) context_.host.SetFocus(form_, form_.control(state ? looks.partner : row.control));
  Stored(row);
}

void SettingPage::ShowTwoStates(const SettingRow& row, int state) {
  const TwoStates& looks = *row.two_states;
  forms::Control& button = form_.control(row.control);
  if (*looks.partner) {
    button.SetVisible(!state);
    form_.control(looks.partner).SetVisible(state != 0);
    return;
  }
  const TwoStates::Look& look = state ? looks.on : looks.off;
  button.SetCaption(look.caption);
  button.SetPicture(look.picture);
}

}  // namespace kdw::pages
