// Combo box: a drop-down list without typing. Picking an item is the model's
// user selection; setting the index in code only shows it.
#include "forms/win32/adapters/adapters.h"
#include "forms/win32/adapters/list_adapter.h"

namespace kdw::forms::adapters {

void ComboAdapter::CreateCombo(const char* window_class, const Placement& place) {
  Placement dropped = place;
  dropped.height += 200;  // room for the drop-down list
  CreateWindowOf(window_class, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0,
                 control().caption(), dropped);
}

void ComboAdapter::Command(int code) {
  if (code == CBN_SELCHANGE)
    model().UserSelect(static_cast<int>(SendMessageA(hwnd(), CB_GETCURSEL, 0, 0)));
}

void ComboAdapter::ShowIndex(int index) {
  SendMessageA(hwnd(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

namespace {

class ComboBoxAdapter final : public ComboAdapter {
 public:
  using ComboAdapter::ComboAdapter;

  void Create(const Placement& place) override { CreateCombo("COMBOBOX", place); }

 private:
  void Fill(std::size_t first) override {
    if (first == 0) SendMessageA(hwnd(), CB_RESETCONTENT, 0, 0);
    const auto& items = model().items();
    for (std::size_t i = first; i < items.size(); ++i)
      SendMessageA(hwnd(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(items[i].c_str()));
  }
};

}  // namespace

std::unique_ptr<ControlAdapter> MakeComboBox(ControlSite& site, Control& control, int id) {
  return std::make_unique<ComboBoxAdapter>(site, control, id);
}

}  // namespace kdw::forms::adapters
