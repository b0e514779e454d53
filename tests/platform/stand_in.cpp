// A harmless program for the session test to start under another name and
// end again. Should the test fail to end it, it goes by itself after a
// minute, with an exit code (3) that tells the two apart.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  Sleep(60000);
  return 3;
}
