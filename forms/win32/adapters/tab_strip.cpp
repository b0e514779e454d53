// Tab strip: a tab control. A tab the user picks is the model's selection.
#include "forms/win32/adapters/adapters.h"
#include "forms/win32/adapters/list_adapter.h"

namespace kdw::forms::adapters {
namespace {

class TabStripAdapter final : public TypedAdapter<TabStrip> {
 public:
  using TypedAdapter::TypedAdapter;

  void Create(const Placement& place) override {
    CreateWindowOf(WC_TABCONTROLA, WS_TABSTOP | WS_CLIPSIBLINGS, 0, "", place);
  }

  void Notify(const NMHDR& header) override {
    if (header.code == TCN_SELCHANGE)
      model().Select(static_cast<int>(SendMessageA(hwnd(), TCM_GETCURSEL, 0, 0)));
  }

 private:
  void PushState() override {
    const auto& tabs = model().tabs();
    if (shown_.Changed(tabs)) {
      SendMessageA(hwnd(), TCM_DELETEALLITEMS, 0, 0);
      for (std::size_t i = 0; i < tabs.size(); ++i) {
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>(tabs[i].c_str());
        SendMessageA(hwnd(), TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
      }
    }
    SendMessageA(hwnd(), TCM_SETCURSEL, static_cast<WPARAM>(model().selected()), 0);
  }

  ShownTexts shown_;
};

}  // namespace

std::unique_ptr<ControlAdapter> MakeTabStrip(ControlSite& site, Control& control, int id) {
  return std::make_unique<TabStripAdapter>(site, control, id);
}

}  // namespace kdw::forms::adapters
