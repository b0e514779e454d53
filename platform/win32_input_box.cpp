// The one-line input box as a real dialog, made from a template built in
// memory so that the program needs no resource script.
#include <windows.h>

#include <vector>

#include "platform/design_name.h"
#include "platform/win32_platform.h"

namespace kdw {
namespace {

constexpr WORD kPromptId = 100;
constexpr WORD kTextId = 101;

struct Control {
  WORD id;
  const char* name;
};
constexpr Control kControls[] = {{kPromptId, kInputPromptName},
                                 {kTextId, kInputTextName},
                                 {IDOK, kInputOkName},
                                 {IDCANCEL, kInputCancelName}};

struct InputState {
  const std::string* prompt;
  const std::string* title;
  const std::string* default_text;
  HWND owner;
  std::string answer;
  bool confirmed = false;
};

// Writes a DLGTEMPLATE and its DLGITEMTEMPLATEs into WORDs (texts in UTF-16,
// each item on a DWORD boundary), as DialogBoxIndirect reads them.
class TemplateWriter {
 public:
  void Dialog(DWORD style, short cx, short cy, WORD item_count, WORD point_size,
              const wchar_t* font) {
    Dword(style);
    Dword(0);  // extended style
    words_.push_back(item_count);
    Coordinates(0, 0, cx, cy);
    words_.push_back(0);  // no menu
    words_.push_back(0);  // the standard dialog class
    words_.push_back(0);  // caption: set at WM_INITDIALOG, from ANSI text
    words_.push_back(point_size);
    Text(font);
  }

  // `window_class` is a predefined class atom: 0x80 button, 0x81 edit, 0x82 static.
  void Item(DWORD style, DWORD ex_style, short x, short y, short cx, short cy, WORD id,
            WORD window_class, const wchar_t* text) {
    if (words_.size() % 2) words_.push_back(0);
    Dword(style | WS_CHILD | WS_VISIBLE);
    Dword(ex_style);
    Coordinates(x, y, cx, cy);
    words_.push_back(id);
    words_.push_back(0xFFFF);
    words_.push_back(window_class);
    Text(text);
    words_.push_back(0);  // no creation data
  }

  const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

 private:
  void Dword(DWORD value) {
    words_.push_back(LOWORD(value));
    words_.push_back(HIWORD(value));
  }
  void Coordinates(short x, short y, short cx, short cy) {
    for (short value : {x, y, cx, cy}) words_.push_back(static_cast<WORD>(value));
  }
  void Text(const wchar_t* text) {
    while (*text) words_.push_back(static_cast<WORD>(*text++));
    words_.push_back(0);
  }

  std::vector<WORD> words_;
};

constexpr WORD kButtonClass = 0x80;
constexpr WORD kEditClass = 0x81;
constexpr WORD kStaticClass = 0x82;

TemplateWriter MakeTemplate() {
  // Dialog units; the classic input box: prompt at the left, the buttons at
  // the right, the text box across the bottom.
  TemplateWriter writer;
  writer.Dialog(DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU, 240, 80, 4, 8,
                L"MS Shell Dlg");
  writer.Item(SS_LEFT | SS_NOPREFIX, 0, 7, 7, 168, 44, kPromptId, kStaticClass, L"");
  writer.Item(ES_LEFT | ES_AUTOHSCROLL | WS_TABSTOP | WS_GROUP, WS_EX_CLIENTEDGE, 7, 59, 226, 13,
              kTextId, kEditClass, L"");
  writer.Item(BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, 0, 183, 7, 50, 14, IDOK, kButtonClass,
              L"OK");
  writer.Item(BS_PUSHBUTTON | WS_TABSTOP, 0, 183, 25, 50, 14, IDCANCEL, kButtonClass, L"Cancel");
  return writer;
}

// Centres the dialog on its owner when that is a visible, restored window,
// otherwise on the screen's work area; it stays inside the work area.
void Centre(HWND dialog, HWND owner) {
  RECT work;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  RECT around = work;
  if (owner && IsWindowVisible(owner) && !IsIconic(owner)) GetWindowRect(owner, &around);
  RECT box;
  GetWindowRect(dialog, &box);
  const LONG width = box.right - box.left;
  const LONG height = box.bottom - box.top;
  LONG x = around.left + (around.right - around.left - width) / 2;
  LONG y = around.top + (around.bottom - around.top - height) / 2;
  if (x + width > work.right) x = work.right - width;
  if (y + height > work.bottom) y = work.bottom - height;
  if (x < work.left) x = work.left;
  if (y < work.top) y = work.top;
  SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::string WindowText(HWND window) {
  const int length = GetWindowTextLengthA(window);
  if (length <= 0) return "";
  std::vector<char> buffer(static_cast<std::size_t>(length) + 1);
  const int copied = GetWindowTextA(window, buffer.data(), length + 1);
  return std::string(buffer.data(), copied > 0 ? copied : 0);
}

INT_PTR CALLBACK InputDialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_INITDIALOG: {
      auto* state = reinterpret_cast<InputState*>(lparam);
      SetWindowLongPtrA(dialog, DWLP_USER, lparam);
      SetWindowTextA(dialog, state->title->c_str());
      SetDlgItemTextA(dialog, kPromptId, state->prompt->c_str());
      const HWND text = GetDlgItem(dialog, kTextId);
      SetWindowTextA(text, state->default_text->c_str());
      for (const Control& control : kControls)
        SetDesignName(GetDlgItem(dialog, control.id), control.name);
      Centre(dialog, state->owner);
      if (!state->owner) SetForegroundWindow(dialog);
      SendMessageA(text, EM_SETSEL, 0, -1);
      SetFocus(text);
      return FALSE;  // the focus is set
    }
    case WM_COMMAND: {
      auto* state = reinterpret_cast<InputState*>(GetWindowLongPtrA(dialog, DWLP_USER));
      if (LOWORD(wparam) == IDOK) {
        state->answer = WindowText(GetDlgItem(dialog, kTextId));
        state->confirmed = true;
        EndDialog(dialog, IDOK);
        return TRUE;
      }
      if (LOWORD(wparam) == IDCANCEL) {  // Cancel, Esc and the close box
        EndDialog(dialog, IDCANCEL);
        return TRUE;
      }
      break;
    }
    case WM_DESTROY:
      // The controls still exist while their parent handles WM_DESTROY.
      for (const Control& control : kControls) RemoveDesignName(GetDlgItem(dialog, control.id));
      break;
  }
  return FALSE;
}

}  // namespace

std::string Win32InputBox::Ask(WindowHandle owner, const std::string& prompt,
                               const std::string& title, const std::string& default_text) {
  static const TemplateWriter dialog_template = MakeTemplate();
  InputState state{&prompt, &title, &default_text, reinterpret_cast<HWND>(owner), {}, false};
  const INT_PTR result =
      DialogBoxIndirectParamA(GetModuleHandleA(nullptr), dialog_template.get(), state.owner,
                              InputDialogProc, reinterpret_cast<LPARAM>(&state));
  return result == IDOK && state.confirmed ? state.answer : "";
}

}  // namespace kdw
