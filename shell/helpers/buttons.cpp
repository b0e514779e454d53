#include "shell/helpers/buttons.h"

#include <cstddef>

namespace kdw {
namespace {

constexpr char kModule[] = "modCloseBtn::";

[[noreturn]] void Raise(const std::string& procedure, const std::string& text) {
  const std::string source = kModule + procedure;
  throw RaisedError(errnum::kUserDefined, source, source + text);
}

// The record in its first, 44-byte form (without hbmpItem), which every
// Windows version accepts.
constexpr UINT kMenuItemInfoSize = offsetof(MENUITEMINFOA, hbmpItem);

MENUITEMINFOA MenuItemRecord(UINT mask) {
  MENUITEMINFOA mii{};
  mii.cbSize = kMenuItemInfoSize;
  mii.fMask = mask;
  return mii;
}

}  // namespace

void SetSystemMenuItemState(HWND window, UINT normal_id, UINT disabled_id, bool enable,
                            const std::string& procedure) {
  if (!IsWindow(window)) Raise(procedure, "() - Invalid Window Handle");
  HMENU menu = GetSystemMenu(window, FALSE);

  const UINT current_id = enable ? disabled_id : normal_id;
  const UINT new_id = enable ? normal_id : disabled_id;

  char type_data[80] = {};
  MENUITEMINFOA item = MenuItemRecord(MIIM_STATE);
  item.dwTypeData = type_data;
  item.cch = sizeof type_data;
  if (!GetMenuItemInfoA(menu, current_id, FALSE, &item)) {
    Raise(procedure, "() - Menu Item Not Found");
  }

  MENUITEMINFOA id_change = MenuItemRecord(MIIM_ID);
  id_change.wID = new_id;
  if (!SetMenuItemInfoA(menu, current_id, FALSE, &id_change)) {
    Raise(procedure, "() - Error encountered changing ID");
  }

  // MFS_GRAYED: both the grey look and the disabled bit.
  MENUITEMINFOA state_change = MenuItemRecord(MIIM_STATE);
  state_change.fState = enable ? (item.fState & ~UINT{MFS_GRAYED}) : (item.fState | MFS_GRAYED);
  if (!SetMenuItemInfoA(menu, new_id, FALSE, &state_change)) {
    Raise(procedure, "() - Error encountered changing state");
  }

  // Repaints the caption with the button's new look.
  SendMessageA(window, WM_NCACTIVATE, static_cast<WPARAM>(-1), 0);
}

void EnableMaxButton(HWND window, bool enable) {
  SetSystemMenuItemState(window, SC_MAXIMIZE, kDisabledMaximizeId, enable, "EnableMaxButton");

  LONG style = GetWindowLongA(window, GWL_STYLE);
  style = enable ? (style | WS_MAXIMIZEBOX) : (style & ~LONG{WS_MAXIMIZEBOX});
  SetWindowLongA(window, GWL_STYLE, style);

  // Re-attaching a child window to its own parent makes it take up the new
  // style. Only a child: for a top-level window GetParent answers the
  // owner, and attaching to it would turn an owned popup into a child.
  if (style & WS_CHILD) SetParent(window, GetParent(window));
  // A window not shown yet draws its frame from its style when it shows;
  // telling it now would cost a frame change for nothing (tens of
  // milliseconds under Wine).
  if (IsWindowVisible(window)) {
    SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED);
  }
}

}  // namespace kdw
