// Check list: a one-column list view with a check box beside each item. A
// mark the user changes is the model's ItemCheck; an item the user selects
// is the model's user selection.
#include "forms/win32/adapters/adapters.h"
#include "forms/win32/adapters/list_adapter.h"

namespace kdw::forms::adapters {
namespace {

class CheckListAdapter final : public ListAdapter {
 public:
  using ListAdapter::ListAdapter;

  void Create(const Placement& place) override {
    CreateWindowOf(WC_LISTVIEWA,
                   LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_TABSTOP,
                   WS_EX_CLIENTEDGE, "", place);
    if (!hwnd()) return;
    SendMessageA(hwnd(), LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT,
                 LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    LVCOLUMNA column = {};
    column.mask = LVCF_WIDTH;
    column.cx = place.width - GetSystemMetrics(SM_CXVSCROLL) - 4;
    SendMessageA(hwnd(), LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
  }

  void Notify(const NMHDR& header) override {
    if (header.code != LVN_ITEMCHANGED) return;
    const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
    if (!(change.uChanged & LVIF_STATE) || change.iItem < 0) return;
    if ((change.uNewState ^ change.uOldState) & LVIS_STATEIMAGEMASK) {
      // State image 2 is the checked box, 1 the empty one.
      const bool checked = ((change.uNewState & LVIS_STATEIMAGEMASK) >> 12) == 2;
      model().SetChecked(change.iItem, checked);
    }
    if ((change.uNewState & LVIS_SELECTED) && !(change.uOldState & LVIS_SELECTED))
      model().UserSelect(change.iItem);
  }

  int ContextItem(const POINT* point, RECT* area) override {
    int item = -1;
    if (point) {
      LVHITTESTINFO hit = {};
      hit.pt = *point;
      ScreenToClient(hwnd(), &hit.pt);
      item = static_cast<int>(SendMessageA(hwnd(), LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
      if (!(hit.flags & LVHT_ONITEM)) return -1;
    } else {
      item = static_cast<int>(SendMessageA(hwnd(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
    }
    RECT place = {};
    place.left = LVIR_BOUNDS;
    if (item < 0 || !SendMessageA(hwnd(), LVM_GETITEMRECT, static_cast<WPARAM>(item),
                                  reinterpret_cast<LPARAM>(&place)))
      return -1;
    MapWindowPoints(hwnd(), nullptr, reinterpret_cast<POINT*>(&place), 2);
    *area = place;
    return item;
  }

 private:
  void Fill(std::size_t first) override {
    if (first == 0) SendMessageA(hwnd(), LVM_DELETEALLITEMS, 0, 0);
    for (int i = static_cast<int>(first); i < model().count(); ++i) {
      LVITEMA item = {};
      item.mask = LVIF_TEXT;
      item.iItem = i;
      item.pszText = const_cast<char*>(model().items()[static_cast<std::size_t>(i)].c_str());
      SendMessageA(hwnd(), LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
  }

  // The marks go with the current item: both are item states here.
  void ShowIndex(int index) override {
    for (int i = 0; i < model().count(); ++i) {
      LVITEMA item = {};
      item.stateMask = LVIS_STATEIMAGEMASK | LVIS_SELECTED | LVIS_FOCUSED;
      item.state = INDEXTOSTATEIMAGEMASK(model().checked(i) ? 2 : 1) |
                   (i == index ? LVIS_SELECTED | LVIS_FOCUSED : 0);
      SendMessageA(hwnd(), LVM_SETITEMSTATE, static_cast<WPARAM>(i),
                   reinterpret_cast<LPARAM>(&item));
    }
  }
};

}  // namespace

std::unique_ptr<ControlAdapter> MakeCheckList(ControlSite& site, Control& control, int id) {
  return std::make_unique<CheckListAdapter>(site, control, id);
}

}  // namespace kdw::forms::adapters
