// Command button: a push button with a caption, a picture, or both; a click is
// the model's click.
#include "forms/win32/adapters/adapters.h"

#include <string>

#include "platform/win32_handles.h"

namespace kdw::forms::adapters {
namespace {

class CommandButtonAdapter final : public ControlAdapter {
 public:
  using ControlAdapter::ControlAdapter;

  void Create(const Placement& place) override {
    DWORD style = BS_PUSHBUTTON | WS_TABSTOP;
    if (!control().picture().empty() && !with_caption()) style |= BS_BITMAP;
    CreateWindowOf("BUTTON", style, 0, control().caption(), place);
  }

  void Command(int code) override {
    if (code == BN_CLICKED) ButtonClicked();
  }

 private:
  void PushState() override {
    PushCaption();
    if (with_caption()) {
      PushPictureBesideCaption();
    } else if (HBITMAP picture = site_.Picture(control().picture())) {
      SendMessageA(hwnd(), BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture));
    }
  }

  bool with_caption() const { return control().flags() & kCaptionAndPicture; }

  // A button's picture beside its caption is an image list of one picture
  // (the common controls' way since version 6), its background left out.
  void PushPictureBesideCaption() {
    if (control().picture() == shown_picture_) return;
    shown_picture_ = control().picture();
    UniqueImageList images;
    BITMAP size = {};
    HBITMAP picture = site_.Picture(shown_picture_);
    if (picture && GetObjectA(picture, sizeof(size), &size)) {
      images.reset(ImageList_Create(size.bmWidth, size.bmHeight, ILC_COLOR24 | ILC_MASK, 1, 0));
      if (images.get()) ImageList_AddMasked(images.get(), picture, GetSysColor(COLOR_BTNFACE));
    }
    BUTTON_IMAGELIST list = {};
    list.himl = images.get();  // none: the caption alone
    list.margin = {4, 0, 4, 0};
    list.uAlign = BUTTON_IMAGELIST_ALIGN_LEFT;
    SendMessageA(hwnd(), BCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(&list));
    images_ = std::move(images);  // the button draws from it until replaced
  }

  std::string shown_picture_;
  UniqueImageList images_;
};

}  // namespace

std::unique_ptr<ControlAdapter> MakeCommandButton(ControlSite& site, Control& control, int id) {
  return std::make_unique<CommandButtonAdapter>(site, control, id);
}

}  // namespace kdw::forms::adapters
