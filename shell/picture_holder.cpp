#include "shell/picture_holder.h"

#include <array>

namespace kdw::shell {
namespace {

using forms::ControlKind;
using forms::ControlSpec;

constexpr ControlSpec Picture(const char* name, const char* picture, int index) {
  return {name, ControlKind::kImage, "", {(index % 5) * 540, (index / 5) * 540, 480, 480}, "", 0,
          picture};
}

constexpr std::array<ControlSpec, 20> kControls = {
    Picture("Image1", "ADD01", 0),   Picture("Image2", "ADD02", 1),
    Picture("Image3", "ADD03", 2),   Picture("Image4", "ADD04", 3),
    Picture("Image5", "ADD05", 4),   Picture("Image6", "ADD06", 5),
    Picture("Image7", "ADD07", 6),   Picture("Image8", "ADD08", 7),
    Picture("Image9", "ADD09", 8),   Picture("Image10", "ADD10", 9),
    Picture("Image11", "ADD11", 10), Picture("Image12", "ADD12", 11),
    Picture("Image13", "ADD13", 12), Picture("Image14", "ADD14", 13),
    Picture("Image15", "ADD15", 14), Picture("Image16", "ADD16", 15),
    Picture("Image17", "ADD17", 16), Picture("Image18", "ADD18", 17),
    Picture("Image19", "ADD19", 18), Picture("Image20", "ADD20", 19),
};

const forms::FormSpec kSpec = {"frmAdd", "Additional Icons and Menus", forms::FormStyle::kHidden,
                               2760, 2340, kControls};

}  // namespace

const forms::FormSpec& FrmAddSpec() { return kSpec; }

void PictureHolder::Form_Load() {
  loaded_ = true;
  forms::Control& image3 = form_.control("Image3");
  form_.SetSize(image3.rect().width, image3.rect().height);
  image3.MoveTo(0, 0);
  context_.host.Show(form_, nullptr);
  context_.shape_form(form_, image3.picture(), 0xFFFFFF);
}

std::string PictureHolder::Picture(int image) {
  if (!loaded_) Form_Load();
  const forms::Control* control = form_.find("Image" + std::to_string(image));
  return control ? control->picture() : std::string();
}

}  // namespace kdw::shell
