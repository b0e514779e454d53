// List box and file list: a plain list window. Picking an item is the
// model's user selection.
#include "forms/win32/adapters/adapters.h"
#include "forms/win32/adapters/list_adapter.h"

namespace kdw::forms::adapters {
namespace {

class ListBoxAdapter final : public ListAdapter {
 public:
  using ListAdapter::ListAdapter;

  void Create(const Placement& place) override {
    CreateWindowOf("LISTBOX", LBS_NOTIFY | WS_VSCROLL | WS_TABSTOP | LBS_NOINTEGRALHEIGHT,
                   WS_EX_CLIENTEDGE, "", place);
  }

  void Command(int code) override {
    if (code == LBN_SELCHANGE)
      model().UserSelect(static_cast<int>(SendMessageA(hwnd(), LB_GETCURSEL, 0, 0)));
  }

 private:
  void Fill() override {
    SendMessageA(hwnd(), LB_RESETCONTENT, 0, 0);
    for (const auto& item : model().items())
      SendMessageA(hwnd(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
  }

  void ShowIndex(int index) override {
    SendMessageA(hwnd(), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
  }
};

}  // namespace

std::unique_ptr<ControlAdapter> MakeListBox(ControlSite& site, Control& control, int id) {
  return std::make_unique<ListBoxAdapter>(site, control, id);
}

}  // namespace kdw::forms::adapters
