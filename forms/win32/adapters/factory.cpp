#include "forms/win32/adapters/adapters.h"

namespace kdw::forms {
namespace {

adapters::Maker MakerFor(ControlKind kind) {
  using namespace adapters;
  switch (kind) {
    case ControlKind::kCheckBox: return MakeCheckBox;
    case ControlKind::kTextBox: return MakeTextBox;
    case ControlKind::kLabel: return MakeLabel;
    case ControlKind::kFrame: return MakeFrame;
    case ControlKind::kPictureBox: return MakeDrawnBox;
    case ControlKind::kComboBox: return MakeComboBox;
    case ControlKind::kListBox: return MakeListBox;
    case ControlKind::kCheckList: return MakeCheckList;
    case ControlKind::kSlider: return MakeSlider;
    case ControlKind::kTabStrip: return MakeTabStrip;
    case ControlKind::kImage: return MakeImage;
    case ControlKind::kCommandButton: return MakeCommandButton;
    case ControlKind::kFileList: return MakeListBox;
    case ControlKind::kImageCombo: return MakeImageCombo;
    case ControlKind::kTimer: return MakeTimer;
    case ControlKind::kLine: return MakeLine;
    case ControlKind::kShape: return MakeDrawnBox;
  }
  // -Wswitch names any kind missing above; a value outside the enumeration
  // shows as a label.
  return MakeLabel;
}

}  // namespace

std::unique_ptr<ControlAdapter> MakeAdapter(ControlSite& site, Control& control, int id) {
  return MakerFor(control.kind())(site, control, id);
}

}  // namespace kdw::forms
