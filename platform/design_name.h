// Every window the program makes carries its design name ("Check10",
// "frmMain", "InputOK") in the window property "Name", as a global atom, so
// that a test in another process can find it. Win32 only.
#pragma once

#include <windows.h>

#include <string>

namespace kdw {

void SetDesignName(HWND window, const std::string& name);
// Removes the property and frees its atom; call before the window goes.
void RemoveDesignName(HWND window);
// The window's design name, or the empty text.
std::string DesignNameOf(HWND window);
// The first window below root (at any depth) with that design name, or null.
HWND FindByDesignName(HWND root, const std::string& name);

}  // namespace kdw
