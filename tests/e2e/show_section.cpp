// Starts kdw3.exe, opens one section by its function key and keeps the
// program up for a while, so that a screenshot can be taken:
//   show_section.exe path\to\kdw3.exe F4 [seconds] [form/control[:key] ...]
// "^F" in place of the function key presses Ctrl+F as the keyboard does.
// Each step after the seconds works one control of a form: a click, posted
// so that a modal dialog it opens does not hold this program up
// ("frmInternet/Command2"), a virtual key pressed in it
// ("frmNetRes2/TabStrip1:39", the right arrow), an item picked in a list
// ("frmOffice/Combo2#1"), a text put in a box ("frmFind/Text1=norun") or
// "What's This?" asked of it with a real right click ("frmStart/Check14?").
// A step "?Title=file" names the file in the open dialog of that title and
// chooses it ("?Import Settings=Z:\\tmp\\lab.reg"); a step "!x,y" clicks
// at that point of the main window ("!88,33" opens the Tools menu).
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/design_name.h"
#include "tests/e2e/driver.h"

namespace {

void Work(const kdw::e2e::Program& program, const std::string& step) {
  if (step[0] == '!') {
    // A real click at a point of the main window ("!88,33": the menu bar's
    // second item); another process cannot read the program's menus.
    HWND main = program.WaitForForm("frmMain");
    RECT rect;
    const auto comma = step.find(',');
    if (!main || comma == std::string::npos || !GetWindowRect(main, &rect)) {
      std::fprintf(stderr, "show_section: no %s\n", step.c_str());
      return;
    }
    kdw::e2e::BringToFront(main);
    kdw::e2e::ClickAtPoint({rect.left + std::atoi(step.c_str() + 1),
                            rect.top + std::atoi(step.c_str() + comma + 1)});
    Sleep(1000);
    return;
  }
  const auto slash = step.find('/');
  const auto how = step.find_first_of(":#=?", slash == std::string::npos ? 0 : slash);
  HWND form = slash == std::string::npos ? nullptr : program.WaitFor(step.substr(0, slash));
  HWND control =
      form ? kdw::FindByDesignName(form, step.substr(slash + 1, how - slash - 1)) : nullptr;
  if (!control) {
    std::fprintf(stderr, "show_section: no %s\n", step.c_str());
    return;
  }
  const std::string argument = how == std::string::npos ? "" : step.substr(how + 1);
  switch (how == std::string::npos ? ' ' : step[how]) {
    case ':': kdw::e2e::PressKey(control, static_cast<UINT>(std::atoi(argument.c_str()))); break;
    case '#': kdw::e2e::Pick(control, std::atoi(argument.c_str())); break;
    case '=': kdw::e2e::SetText(control, argument); break;
    case '?':
      kdw::e2e::BringToFront(GetAncestor(control, GA_ROOT));
      kdw::e2e::ClickAt(control, kdw::e2e::MouseButton::kRight);
      Sleep(1000);
      kdw::e2e::Press('W');  // the menu item's access key
      break;
    default: PostMessageA(control, BM_CLICK, 0, 0); break;
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
  if (argv[2][0] == '^' && argv[2][1]) {
    kdw::e2e::BringToFront(main);
    kdw::e2e::PressCtrl(static_cast<WORD>(std::toupper(static_cast<unsigned char>(argv[2][1]))));
  } else if (const int key = std::atoi(argv[2] + 1); key >= 1 && key <= 12) {
    kdw::e2e::PressKey(main, VK_F1 + key - 1);
  }
  Sleep(1000);
  for (int i = 4; i < argc; ++i) Work(program, argv[i]);
  std::printf("ready\n");
  std::fflush(stdout);
  Sleep(static_cast<DWORD>((argc > 3 ? std::atoi(argv[3]) : 10) * 1000));
  return 0;
}
