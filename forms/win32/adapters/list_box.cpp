// List box and file list: a plain list window. Picking an item is the
// model's user selection. Items may hold tab-separated columns at the
// model's tab stops; the list scrolls sideways to its widest item.
#include <algorithm>
#include <vector>

#include "forms/form.h"
#include "forms/win32/adapters/adapters.h"
#include "forms/win32/adapters/list_adapter.h"
#include "platform/win32_handles.h"

namespace kdw::forms::adapters {
namespace {

class ListBoxAdapter final : public ListAdapter {
 public:
  using ListAdapter::ListAdapter;

  void Create(const Placement& place) override {
    CreateWindowOf("LISTBOX",
                   LBS_NOTIFY | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP | LBS_NOINTEGRALHEIGHT |
                       LBS_USETABSTOPS,
                   WS_EX_CLIENTEDGE, "", place);
    if (!hwnd() || model().tab_stops().empty()) return;
    // Tab stops are given to the list in quarters of its own font's average
    // character width, which it measures as below; the system font's would
    // put the columns elsewhere than the labels above them.
    const int base = std::max(1, AverageCharWidth());
    std::vector<INT> units;
    for (int twips : model().tab_stops()) units.push_back((TwipsToPixels(twips) * 4 + base / 2) / base);
    SendMessageA(hwnd(), LB_SETTABSTOPS, units.size(), reinterpret_cast<LPARAM>(units.data()));
  }

  void Command(int code) override {
    if (code == LBN_SELCHANGE)
      model().UserSelect(static_cast<int>(SendMessageA(hwnd(), LB_GETCURSEL, 0, 0)));
    if (code == LBN_DBLCLK && SendMessageA(hwnd(), LB_GETCURSEL, 0, 0) >= 0)
      model().UserDoubleClick();
  }

  int ContextItem(const POINT* point, RECT* area) override {
    int item = -1;
    if (point) {
      POINT inside = *point;
      ScreenToClient(hwnd(), &inside);
      const LRESULT hit = SendMessageA(hwnd(), LB_ITEMFROMPOINT, 0, MAKELPARAM(inside.x, inside.y));
      if (HIWORD(hit)) return -1;  // below the last item
      item = LOWORD(hit);
    } else {
      item = static_cast<int>(SendMessageA(hwnd(), LB_GETCARETINDEX, 0, 0));
    }
    RECT place;
    if (item < 0 || SendMessageA(hwnd(), LB_GETITEMRECT, static_cast<WPARAM>(item),
                                 reinterpret_cast<LPARAM>(&place)) == LB_ERR)
      return -1;
    MapWindowPoints(hwnd(), nullptr, reinterpret_cast<POINT*>(&place), 2);
    *area = place;
    return item;
  }

 private:
  void Fill(std::size_t first) override {
    if (first == 0) SendMessageA(hwnd(), LB_RESETCONTENT, 0, 0);
    const auto& items = model().items();
    for (std::size_t i = first; i < items.size(); ++i)
      SendMessageA(hwnd(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(items[i].c_str()));
    SendMessageA(hwnd(), LB_SETHORIZONTALEXTENT, WidestItem(), 0);
  }

  void ShowIndex(int index) override {
    SendMessageA(hwnd(), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
  }

  // Runs `measure` on the screen's device context with the list's font
  // selected; 0 when there is no such context.
  template <class Measure>
  int InListFont(Measure measure) const {
    const UniqueScreenDc dc(GetDC(nullptr));
    if (!dc) return 0;
    HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageA(hwnd(), WM_GETFONT, 0, 0));
    HGDIOBJ old = font ? SelectObject(dc.get(), font) : nullptr;
    const int measured = measure(dc.get());
    if (old) SelectObject(dc.get(), old);
    return measured;
  }

  int AverageCharWidth() const {
    static constexpr char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    return InListFont([](HDC dc) {
      SIZE size = {};
      GetTextExtentPoint32A(dc, kLetters, 52, &size);
      return (size.cx / 26 + 1) / 2;
    });
  }

  // The pixel width of the widest item, columns included, measured on the
  // screen in the list's font.
  int WidestItem() const {
    std::vector<INT> stops;
    for (int twips : model().tab_stops()) stops.push_back(TwipsToPixels(twips));
    return InListFont([&](HDC dc) {
      int widest = 0;
      for (const auto& item : model().items()) {
        const DWORD size = GetTabbedTextExtentA(dc, item.c_str(), static_cast<int>(item.size()),
                                                static_cast<int>(stops.size()),
                                                stops.empty() ? nullptr : stops.data());
        widest = std::max(widest, static_cast<int>(LOWORD(size)));
      }
      return widest + 8;
    });
  }
};

}  // namespace

std::unique_ptr<ControlAdapter> MakeListBox(ControlSite& site, Control& control, int id) {
  return std::make_unique<ListBoxAdapter>(site, control, id);
}

}  // namespace kdw::forms::adapters
