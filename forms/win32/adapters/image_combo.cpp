// Image combo: a ComboBoxEx drop-down list whose items carry a small picture
// each, from the model's image list.
#include <algorithm>
#include <vector>

#include "forms/win32/adapters/adapters.h"
#include "forms/win32/adapters/list_adapter.h"
#include "platform/win32_handles.h"

namespace kdw::forms::adapters {
namespace {

class ImageComboAdapter final : public ComboAdapter {
 public:
  using ComboAdapter::ComboAdapter;

  void Create(const Placement& place) override { CreateCombo(WC_COMBOBOXEXA, place); }

 private:
  void PushState() override {
    if (shown_images_.Changed(model().image_list())) {
      ShowImages();
      shown_.Forget();  // the items take their images anew
    }
    // Items shown with another picture than the model's now are shown anew.
    std::vector<int> pictures;
    for (int i = 0; i < model().count(); ++i) pictures.push_back(model().image(i));
    if (pictures.size() < item_pictures_.size() ||
        !std::equal(item_pictures_.begin(), item_pictures_.end(), pictures.begin()))
      shown_.Forget();
    item_pictures_ = std::move(pictures);
    ComboAdapter::PushState();
  }

  void ShowImages() {
    UniqueImageList images(ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, 0, 4));
    for (const auto& name : model().image_list()) {
      const UniqueBitmap small(static_cast<HBITMAP>(
          LoadImageA(site_.instance(), name.c_str(), IMAGE_BITMAP, 16, 16, LR_DEFAULTCOLOR)));
      ImageList_AddMasked(images.get(), small.get(), GetSysColor(COLOR_BTNFACE));
    }
    // The window holds on to the list: the old one goes only once replaced.
    SendMessageA(hwnd(), CBEM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images.get()));
    images_ = std::move(images);
  }

  void Fill(std::size_t first) override {
    if (first == 0) SendMessageA(hwnd(), CB_RESETCONTENT, 0, 0);
    for (int i = static_cast<int>(first); i < model().count(); ++i) {
      COMBOBOXEXITEMA item = {};
      item.mask = CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE;
      item.iItem = i;
      item.iImage = item.iSelectedImage = model().image(i);
      item.pszText = const_cast<char*>(model().items()[static_cast<std::size_t>(i)].c_str());
      SendMessageA(hwnd(), CBEM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
  }

  ShownTexts shown_images_;
  std::vector<int> item_pictures_;
  UniqueImageList images_;
};

}  // namespace

std::unique_ptr<ControlAdapter> MakeImageCombo(ControlSite& site, Control& control, int id) {
  return std::make_unique<ImageComboAdapter>(site, control, id);
}

}  // namespace kdw::forms::adapters
