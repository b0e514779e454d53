// A control's shortcut menu: the items its form offers, and for a text box
// the box's own editing commands below them, enabled and carried out as the
// system's edit box does its own.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace kdw::forms {

// Whether the window is a text box (the system's edit box).
bool IsEditBox(HWND window);

// Shows the menu at `at` (screen) and waits for the user; the index of the
// item chosen, -1 for none or for an editing command (carried out here).
// `owner` is the form window that receives the menu's messages.
int TrackContextMenu(HWND owner, HWND control, POINT at, const std::vector<std::string>& items);

}  // namespace kdw::forms
