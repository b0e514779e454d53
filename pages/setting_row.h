// One page control bound to one registry value. A page is a table of these,
// in load order, plus whatever little the page does beyond them.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "forms/controls.h"
#include "registry/registry_api.h"

namespace kdw::pages {

// The registry kind a row reads and writes. Text rows and string-equals rows
// read REG_EXPAND_SZ when the kind says so and REG_SZ otherwise.
enum class ValueKind {
  kDword,
  kSz,
  kExpandSz,
  kKey,     // the row creates or deletes whole keys
  kDelete,  // the row deletes its value in one of its states
};

// How the stored data become the control's state.
enum class LoadRule {
  kNumber,         // GetDwordValue (0): the number itself is the state
  kZeroChecks,     // GetDwordValue (0): checked when 0, so also when absent
  kNonZeroChecks,  // GetDwordValue (0): checked when not 0
  kNumberEquals,   // GetDwordValue (0): checked when equal to the row's number
  kStringEquals,   // string read (""): checked when equal to the row's literal
  kStringNumber,   // GetStringValue (""): decimal text of the state
  kValuePresent,   // ValuePresence: checked on "No" (the value is there)
  kValueAbsent,    // ValuePresence: checked on "Yes" (the value is missing)
  kText,           // text box: the text read; every change writes it whole
  // Slider: GetDwordValue (0) as its position, shown at the nearest end when
  // outside its range; only the user's scroll writes the position.
  kPosition,
  // One bit of a mask (the row's number is the bit): checked while it is
  // set. Showing writes nothing; a click reads the mask afresh and writes it
  // back with only that bit changed, so the other bits survive whatever
  // another program did to them meanwhile.
  kBit,
  // A list whose current item is the stored text (REG_SZ). Picking an item
  // stores it; the stored text selects its item, or none.
  kChoice,
};

// A key and the default value it is given, for rows that create whole keys.
struct KeyDefault {
  const char* key;
  const char* data = "";
};

enum class WriteKind {
  kNothing,
  kStateDword,     // the check box state (0, 1, 2) as REG_DWORD
  kStateText,      // the check box state as decimal REG_SZ ("0", "1", "2")
  kDword,          // a fixed number
  kString,         // a fixed REG_SZ text
  kExpandString,   // a fixed REG_EXPAND_SZ text
  kDeleteValue,    // removes the row's value (the key stays)
  kCreateKeys,     // gives each key its default value, in order
  kDeleteKeys,     // removes each key, in order (children before parents)
};

// What one state of a check box writes.
struct WriteAction {
  WriteKind kind = WriteKind::kNothing;
  std::int32_t number = 0;
  const char* text = "";
  std::span<const KeyDefault> keys = {};
};

constexpr WriteAction StoreState() { return {WriteKind::kStateDword}; }
constexpr WriteAction StoreStateText() { return {WriteKind::kStateText}; }
constexpr WriteAction StoreDword(std::int32_t number) { return {WriteKind::kDword, number}; }
constexpr WriteAction StoreString(const char* text) { return {WriteKind::kString, 0, text}; }
constexpr WriteAction StoreExpandString(const char* text) {
  return {WriteKind::kExpandString, 0, text};
}
constexpr WriteAction RemoveValue() { return {WriteKind::kDeleteValue}; }
constexpr WriteAction CreateKeys(std::span<const KeyDefault> keys) {
  return {WriteKind::kCreateKeys, 0, "", keys};
}
constexpr WriteAction RemoveKeys(std::span<const KeyDefault> keys) {
  return {WriteKind::kDeleteKeys, 0, "", keys};
}

// One bound control: the registry value, how it loads and what each state
// writes, and where the control stands on its form. Pages declare their rows
// with the shape helpers below and place them with At() and In().
struct TwoStates;

// When Windows puts a change of a setting to work: the program that reads
// it reads it at once (or at its own next start), or only when Windows
// Explorer starts again, when the user next logs on, or when Windows starts
// again.
enum class Effect : std::uint8_t {
  kUnknown,
  kImmediately,
  kExplorerRestart,
  kNextLogon,
  kWindowsRestart,
};

// How a person is told when: "at the next log on".
constexpr const char* WhenText(Effect effect) {
  switch (effect) {
    case Effect::kImmediately: return "immediately";
    case Effect::kExplorerRestart: return "when Windows Explorer restarts";
    case Effect::kNextLogon: return "at the next log on";
    case Effect::kWindowsRestart: return "after Windows restarts";
    case Effect::kUnknown: break;
  }
  return "at the next log on";  // never promise sooner than is known
}

// The same as a sentence for a reader. Taking effect "immediately" may still
// wait for the program that reads the setting to start again, which its
// explanation says; what it never needs is a restart of Explorer, a log on
// or a restart of Windows.
std::string EffectSentence(Effect effect);

struct SettingRow {
  const char* control;  // design name: "Check14", "Text2", "List1"
  // The check box's caption, or a check-list item's text. Empty for text
  // rows: their labels are plain controls of the form.
  const char* caption;
  Hive hive;
  const char* key;
  const char* value;  // "" is the key's default value
  ValueKind kind;
  LoadRule load;
  WriteAction checked = {};
  WriteAction unchecked = {};
  const char* literal = "";   // kStringEquals
  std::int32_t number = 0;    // kNumberEquals
  // A grayed box (only ever from a stored 2 or from code) writes the checked
  // data instead of the unchecked data. Only fixed-data rows care.
  bool grayed_as_checked = false;
  // A slider's range (kPosition): what the page lets the user choose, and
  // what a policy template allows.
  std::int32_t slider_min = 0;
  std::int32_t slider_max = 0;

  // Where the control stands, in twips of its container ("" is the form).
  // Check-list items stand in their list, which the form declares; their
  // item index is their place among the list's rows.
  forms::Rect rect = {};
  const char* container = "";
  unsigned flags = 0;  // forms::ControlFlags
  const char* tooltip = "";
  // Disabled for a limited account after loading; it still shows its state.
  bool machine_wide = false;
  // A command line the page starts for this row (a check-list item's program).
  const char* command = "";
  bool list_item = false;
  // Its data must not leave the machine unasked: exports leave it out unless
  // told otherwise, and listings show where it is, never what it holds.
  bool secret = false;
  // Read after the page's other rows (its write-back comes last).
  bool loads_last = false;
  // A picture button that shows the row's two states (see Toggle); its
  // buttons are declared among the page's controls.
  const TwoStates* two_states = nullptr;
  // What the setting does, for the user of the account it restricts (for
  // an inverted box, what checked means), and when a change takes effect.
  const char* explanation = "";
  Effect effect = Effect::kUnknown;

  constexpr SettingRow At(forms::Rect where) const {
    SettingRow row = *this;
    row.rect = where;
    return row;
  }
  constexpr SettingRow In(const char* frame, forms::Rect where) const {
    SettingRow row = At(where);
    row.container = frame;
    return row;
  }
  constexpr SettingRow MachineWide() const {
    SettingRow row = *this;
    row.machine_wide = true;
    return row;
  }
  constexpr SettingRow Flags(unsigned control_flags) const {
    SettingRow row = *this;
    row.flags = control_flags;
    return row;
  }
  constexpr SettingRow Tip(const char* text) const {
    SettingRow row = *this;
    row.tooltip = text;
    return row;
  }
  constexpr SettingRow Runs(const char* command_line) const {
    SettingRow row = *this;
    row.command = command_line;
    return row;
  }
  constexpr SettingRow Secret() const {
    SettingRow row = *this;
    row.secret = true;
    return row;
  }
  constexpr SettingRow LoadsLast() const {
    SettingRow row = *this;
    row.loads_last = true;
    return row;
  }
  // A caption for a row whose control has none of its own (a text box of
  // an entry picker), as search and messages name it.
  constexpr SettingRow Called(const char* name) const {
    SettingRow row = *this;
    row.caption = name;
    return row;
  }
  constexpr SettingRow Explained(Effect when, const char* text) const {
    SettingRow row = *this;
    row.effect = when;
    row.explanation = text;
    return row;
  }
  constexpr SettingRow GrayedAsChecked() const {
    SettingRow row = *this;
    row.grayed_as_checked = true;
    return row;
  }
};

// The common shapes, so that a page table reads like its description.

// The check box state stored as the number 0, 1 or 2.
constexpr SettingRow Number(const char* control, const char* caption, Hive hive,
                            const char* key, const char* value) {
  return {control, caption, hive, key, value, ValueKind::kDword, LoadRule::kNumber,
          StoreState(), StoreState()};
}

// The check box state stored as its decimal text ("0", "1" or "2", REG_SZ);
// text that is no number leaves the box as designed.
constexpr SettingRow NumberText(const char* control, const char* caption, Hive hive,
                                const char* key, const char* value) {
  return {control, caption, hive, key, value, ValueKind::kSz, LoadRule::kStringNumber,
          StoreStateText(), StoreStateText()};
}

// Checked stores 0, unchecked 1; a stored 0 (or nothing) checks the box.
constexpr SettingRow Inverted(const char* control, const char* caption, Hive hive,
                              const char* key, const char* value) {
  return {control, caption, hive, key, value, ValueKind::kDword, LoadRule::kZeroChecks,
          StoreDword(0), StoreDword(1)};
}

// Two fixed REG_SZ texts; checked when the stored text is exactly the first.
constexpr SettingRow Strings(const char* control, const char* caption, Hive hive,
                             const char* key, const char* value, const char* checked_text,
                             const char* unchecked_text) {
  return {control, caption, hive, key, value, ValueKind::kSz, LoadRule::kStringEquals,
          StoreString(checked_text), StoreString(unchecked_text), checked_text};
}

// Two fixed numbers; checked only when the stored number is the first.
constexpr SettingRow Numbers(const char* control, const char* caption, Hive hive,
                             const char* key, const char* value, std::int32_t checked_number,
                             std::int32_t unchecked_number) {
  return {control,          caption,       hive, key, value, ValueKind::kDword,
          LoadRule::kNumberEquals, StoreDword(checked_number), StoreDword(unchecked_number),
          "",               checked_number};
}

// A fixed number for every state but unchecked (a grayed box too), 0 for
// unchecked; any stored number but 0 checks the box.
constexpr SettingRow NonZero(const char* control, const char* caption, Hive hive,
                             const char* key, const char* value, std::int32_t checked_number) {
  return SettingRow{control, caption, hive, key, value, ValueKind::kDword, LoadRule::kNonZeroChecks,
                    StoreDword(checked_number), StoreDword(0)}
      .GrayedAsChecked();
}

// A fixed REG_SZ text while checked, no value while unchecked; checked when
// the value is there, whatever it holds.
constexpr SettingRow PresentString(const char* control, const char* caption, Hive hive,
                                   const char* key, const char* value, const char* text) {
  return {control, caption, hive, key, value, ValueKind::kDelete, LoadRule::kValuePresent,
          StoreString(text), RemoveValue()};
}

// A text box bound to a REG_SZ (or REG_EXPAND_SZ) value.
constexpr SettingRow Text(const char* control, Hive hive, const char* key,
                          const char* value, ValueKind kind = ValueKind::kSz) {
  return {control, "", hive, key, value, kind, LoadRule::kText};
}

// A slider bound to a REG_DWORD: its position from `min` to `max`, written
// on every step of the user's scroll and never by loading.
constexpr SettingRow Position(const char* control, Hive hive, const char* key,
                              const char* value, std::int32_t min, std::int32_t max) {
  SettingRow row = {control, "", hive, key, value, ValueKind::kDword, LoadRule::kPosition};
  row.slider_min = min;
  row.slider_max = max;
  return row;
}

// What a row is called where a person reads of it (search, messages): its
// caption, or for a text box or slider the name of its value.
inline std::string NameOf(const SettingRow& row) {
  if (*row.caption) return row.caption;
  return *row.value ? std::string(row.value) : std::string("(Default)");
}

// One bit of a REG_DWORD mask, shown by a check box of its own.
constexpr SettingRow Bit(const char* control, const char* caption, Hive hive, const char* key,
                         const char* value, int bit) {
  return {control, caption, hive, key, value, ValueKind::kDword, LoadRule::kBit, {}, {}, "", bit};
}

// A list (declared among the page's controls) whose current item is the
// stored REG_SZ text.
constexpr SettingRow Choice(const char* control, const char* caption, Hive hive, const char* key,
                            const char* value) {
  return {control, caption, hive, key, value, ValueKind::kSz, LoadRule::kChoice};
}

// How a two-state picture button looks in each state: one button whose
// caption and picture change, or, with a partner, two buttons lying on one
// another, the partner shown while the row is on.
struct TwoStates {
  struct Look {
    const char* caption = "";
    const char* picture = "";
  };
  Look off = {};
  Look on = {};
  const char* partner = "";
};

// A check shape shown as a picture button: a click turns the stored state
// over. Loading only shows; the buttons are declared among the controls.
constexpr SettingRow Toggle(SettingRow row, const TwoStates& looks) {
  row.two_states = &looks;
  return row;
}

// An item of a check list: any check shape, made an item of its list.
constexpr SettingRow Item(SettingRow row) {
  row.list_item = true;
  return row;
}

}  // namespace kdw::pages
