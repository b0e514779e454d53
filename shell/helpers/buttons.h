// Greys out a caption button by moving its system-menu item to another
// command identifier, so that Windows no longer finds (and enables) it.
#pragma once

#include <windows.h>

#include <string>

#include "shell/helpers/raised_error.h"

namespace kdw {

// The identifier the maximize item carries while it is greyed.
inline constexpr UINT kDisabledMaximizeId = static_cast<UINT>(-11);

// Raises RaisedError (number 0x80040000, source "modCloseBtn::" + procedure)
// when the window is not one, the item is not found under the identifier it
// should have, or the menu refuses the change.
void SetSystemMenuItemState(HWND window, UINT normal_id, UINT disabled_id, bool enable,
                            const std::string& procedure);

// Greys (false) or restores (true) the maximize button and the system menu's
// Maximize item. Raises what SetSystemMenuItemState raises; then the style is
// left as it was.
void EnableMaxButton(HWND window, bool enable);

}  // namespace kdw
