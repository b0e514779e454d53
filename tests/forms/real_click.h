// A real mouse click for Win32 tests: button down and up through the
// system's input queue, each event carrying the point itself in the
// normalized coordinates of an absolute move. A click sent after a bare
// SetCursorPos lands where the pointer was whenever a motion read late puts
// it back there first.
#pragma once

#include <windows.h>

namespace kdw::real_input {

inline bool SendClickAt(POINT point, bool right = false) {
  SetCursorPos(point.x, point.y);
  const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  const DWORD where = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  const DWORD flags[3] = {where, where | (right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN),
                          where | (right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP)};
  INPUT clicks[3] = {};
  for (int i = 0; i < 3; ++i) {
    clicks[i].type = INPUT_MOUSE;
    clicks[i].mi.dx = MulDiv(point.x, 65536, width) + 1;
    clicks[i].mi.dy = MulDiv(point.y, 65536, height) + 1;
    clicks[i].mi.dwFlags = flags[i];
  }
  return SendInput(3, clicks, sizeof(INPUT)) == 3;
}

}  // namespace kdw::real_input
