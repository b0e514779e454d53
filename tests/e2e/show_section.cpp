// Starts kdw3.exe, opens one section by its function key and keeps the
// program up for a while, so that a screenshot can be taken:
//   show_section.exe path\to\kdw3.exe F4 [seconds]
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/e2e/driver.h"

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: show_section kdw3.exe F<n> [seconds]\n");
    return 2;
  }
  kdw::e2e::Program program(kdw::e2e::WindowsPath(argv[1]));
  if (!program.Start()) return 1;
  HWND main = program.WaitForForm("frmMain");
  if (!main) return 1;
  const int key = std::atoi(argv[2] + 1);
  if (key >= 1 && key <= 12) kdw::e2e::PressKey(main, VK_F1 + key - 1);
  kdw::e2e::Settle(1000);
  std::printf("ready\n");
  std::fflush(stdout);
  Sleep(static_cast<DWORD>((argc > 3 ? std::atoi(argv[3]) : 10) * 1000));
  return 0;
}
