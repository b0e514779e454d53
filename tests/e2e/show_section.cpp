// Starts kdw3.exe, opens one section by its function key and keeps the
// program up for a while, so that a screenshot can be taken:
//   show_section.exe path\to\kdw3.exe F4 [seconds] [form/control[:key] ...]
// Each step after the seconds works one control of a form: a click, posted
// so that a modal dialog it opens does not hold this program up
// ("frmInternet/Command2"), or a virtual key pressed in it
// ("frmNetRes2/TabStrip1:39", the right arrow).
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/design_name.h"
#include "tests/e2e/driver.h"

namespace {

void Work(const kdw::e2e::Program& program, const std::string& step) {
  const auto slash = step.find('/');
  const auto colon = step.find(':');
  HWND form = slash == std::string::npos ? nullptr : program.WaitFor(step.substr(0, slash));
  HWND control =
      form ? kdw::FindByDesignName(form, step.substr(slash + 1, colon - slash - 1)) : nullptr;
  if (!control) {
    std::fprintf(stderr, "show_section: no %s\n", step.c_str());
    return;
  }
  if (colon == std::string::npos) {
    PostMessageA(control, BM_CLICK, 0, 0);
  } else {
    kdw::e2e::PressKey(control, static_cast<UINT>(std::atoi(step.c_str() + colon + 1)));
  }
  // A picture for people, not a test: time to draw what the step opened.
  Sleep(1000);
}

}  // namespace

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
  Sleep(1000);
  for (int i = 4; i < argc; ++i) Work(program, argv[i]);
  std::printf("ready\n");
  std::fflush(stdout);
  Sleep(static_cast<DWORD>((argc > 3 ? std::atoi(argv[3]) : 10) * 1000));
  return 0;
}
