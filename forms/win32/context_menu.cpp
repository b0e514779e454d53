#include "forms/win32/context_menu.h"

#include "platform/win32_handles.h"

namespace kdw::forms {
namespace {

// Editing commands have ids of their own, clear of the items' (1 up).
constexpr UINT kFirstEditId = 0x100;

struct EditCommand {
  const char* caption;  // null: a separator
  UINT message = 0;
  bool enabled = false;
};

// The edit box's menu as the system builds it: what cannot be done now is
// there, greyed.
std::vector<EditCommand> EditCommandsOf(HWND edit) {
  DWORD start = 0, end = 0;
  SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  const LONG style = GetWindowLongA(edit, GWL_STYLE);
  const bool read_only = style & ES_READONLY;
  const bool hidden = SendMessageA(edit, EM_GETPASSWORDCHAR, 0, 0) != 0;
  const bool selected = start != end;
  const DWORD length = static_cast<DWORD>(GetWindowTextLengthA(edit));
  return {
      {"&Undo", WM_UNDO, !read_only && SendMessageA(edit, EM_CANUNDO, 0, 0)},
      {nullptr},
      {"Cu&t", WM_CUT, selected && !read_only && !hidden},
      {"&Copy", WM_COPY, selected && !hidden},
      {"&Paste", WM_PASTE, !read_only && IsClipboardFormatAvailable(CF_TEXT)},
      {"&Delete", WM_CLEAR, selected && !read_only},
      {nullptr},
      {"Select &All", EM_SETSEL, length > 0 && !(start == 0 && end == length)},
  };
}

}  // namespace

bool IsEditBox(HWND window) {
  char window_class[16] = {};
  GetClassNameA(window, window_class, sizeof window_class);
  return lstrcmpiA(window_class, "Edit") == 0;
}

int TrackContextMenu(HWND owner, HWND control, POINT at, const std::vector<std::string>& items) {
  UniqueMenu menu(CreatePopupMenu());
  if (!menu) return -1;
  for (std::size_t i = 0; i < items.size(); ++i)
    AppendMenuA(menu.get(), MF_STRING, i + 1, items[i].c_str());
  std::vector<EditCommand> edits;
  if (control && IsEditBox(control)) {
    // As the box's own menu does: the box takes the keyboard first, so
    // that its selection shows and the commands work on it.
    if (GetFocus() != control) SetFocus(control);
    edits = EditCommandsOf(control);
    AppendMenuA(menu.get(), MF_SEPARATOR, 0, nullptr);
    for (std::size_t i = 0; i < edits.size(); ++i) {
      if (!edits[i].caption) {
        AppendMenuA(menu.get(), MF_SEPARATOR, 0, nullptr);
      } else {
        AppendMenuA(menu.get(), MF_STRING | (edits[i].enabled ? MF_ENABLED : MF_GRAYED),
                    kFirstEditId + i, edits[i].caption);
      }
    }
  }
  const UINT chosen = static_cast<UINT>(
      TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY | TPM_LEFTALIGN | TPM_TOPALIGN,
                     at.x, at.y, 0, owner, nullptr));
  if (chosen >= 1 && chosen <= items.size()) return static_cast<int>(chosen - 1);
  if (chosen >= kFirstEditId && chosen - kFirstEditId < edits.size() && IsWindow(control)) {
    const EditCommand& command = edits[chosen - kFirstEditId];
    if (command.message == EM_SETSEL) {
      SendMessageA(control, EM_SETSEL, 0, -1);
    } else {
      SendMessageA(control, command.message, 0, 0);
    }
  }
  return -1;
}

}  // namespace kdw::forms
