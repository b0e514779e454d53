#include "pages/drives/drive_panel_page.h"

#include <array>
#include <string>

#include "base/keys.h"
#include "pages/layout.h"

namespace kdw::pages {
namespace {

using forms::ControlKind;

constexpr const char* kExplorer = keys::kExplorerPolicies;
constexpr const char* kNoDrives = "NoDrives";

// The boxes' design names, A to Z: X and Y are "xCh" and "yCh".
constexpr std::array<const char*, 26> kLetterBoxes = {
    "a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k", "l", "m",
    "n", "o", "p", "q", "r", "s", "t", "u", "v", "w", "xCh", "yCh", "z"};

// Four columns, the letters running down each: A-G, H-M, N-S, T-Z.
constexpr int kColumnFirst[] = {0, 7, 13, 19, 26};
constexpr int kColumnWidth = 840;
constexpr int kBoxesTop = 600;
constexpr int kPitch = 300;
constexpr int kContentWidth = kMargin + 4 * kColumnWidth;
constexpr int kContentHeight = kBoxesTop + 7 * kPitch + 120;

constexpr forms::Rect BoxPlace(int letter) {
  int column = 0;
  while (letter >= kColumnFirst[column + 1]) ++column;
  return {kMargin + column * kColumnWidth, kBoxesTop + (letter - kColumnFirst[column]) * kPitch,
          kColumnWidth - 60, kLineHeight};
}

constexpr auto MakeControls() {
  std::array<forms::ControlSpec, 28> controls{};
  controls[0] = {"Label1", ControlKind::kLabel, "Hide Drives", {kMargin, 150, 2400, kLineHeight},
                 "", forms::kBoldFont};
  // Pressed as a button too, so that the keyboard can close the panel.
  controls[1] = {"Image2", ControlKind::kCommandButton, "Close",
                 {kContentWidth - 480, 60, 480, 480}, "", 0, "BTN_CANCEL", "Close"};
  constexpr const char* kCaptions[26] = {
      "A:\\", "B:\\", "C:\\", "D:\\", "E:\\", "F:\\", "G:\\", "H:\\", "I:\\",
      "J:\\", "K:\\", "L:\\", "M:\\", "N:\\", "O:\\", "P:\\", "Q:\\", "R:\\",
      "S:\\", "T:\\", "U:\\", "V:\\", "W:\\", "X:\\", "Y:\\", "Z:\\"};
  for (int i = 0; i < 26; ++i) {
    controls[static_cast<std::size_t>(i) + 2] = {kLetterBoxes[static_cast<std::size_t>(i)],
                                                  ControlKind::kCheckBox, kCaptions[i],
                                                  BoxPlace(i)};
  }
  return controls;
}
constexpr auto kControls = MakeControls();

// One mask, a bit a letter (A the lowest), that the boxes show and change.
constexpr PageValue kValues[] = {{"a", "Hide Drives", HKCU, kExplorer, kNoDrives}};

class DrivePanel : public SettingPage {
 public:
  explicit DrivePanel(Context& context) : SettingPage(context, kDrivePanelPage) {
    for (int i = 0; i < 26; ++i) {
      box(i).on_click = [this, i] {
        if (!loading() && !reverting_) LetterClicked(i);
      };
    }
    OnClick("Image2", [this] { Close(); });
  }

  // Showing the mask writes nothing; only a stored mask the panel cannot
  // show is reset, after the user is told.
  void AfterRows() override {
    const std::int32_t mask = registry().GetDwordValue(HKCU, kExplorer, kNoDrives, 0);
    if (IsDriveMask(mask)) {
      for (int i = 0; i < 26; ++i) box(i).SetValue((mask >> i) & 1);
    } else {
      context().messages.Show(context().Owner(),
                              "Error - Kelmor Deskwarden will show all drives, after, you can "
                              "hide any drive you want.",
                              kTitle, mb::kOk | mb::kIconInformation);
      Wrote(registry().SaveDwordValue(HKCU, kExplorer, kNoDrives, 0), kValues[0].caption);
    }
  }

 private:
  forms::CheckBox& box(int letter) { return *boxes_[static_cast<std::size_t>(letter)]; }

  // The mask is read afresh, so that what another program changed since
  // the panel opened survives in every other bit.
  void LetterClicked(int letter) {
    std::int32_t mask = registry().GetDwordValue(HKCU, kExplorer, kNoDrives, 0);
    const std::int32_t bit = std::int32_t{1} << letter;
    mask = box(letter).value() == 1 ? (mask | bit) : (mask & ~bit);
    if (!Wrote(registry().SaveDwordValue(HKCU, kExplorer, kNoDrives, mask), kValues[0].caption)) {
      reverting_ = true;
      box(letter).SetValue(box(letter).value() == 1 ? 0 : 1);
      reverting_ = false;
    }
  }

  bool reverting_ = false;
  std::vector<forms::CheckBox*> boxes_ = UseAll<forms::CheckBox>(kLetterBoxes);
};

}  // namespace

// No title bar: the panel is moved by its background.
const PageSpec kDrivePanelPage{
    .name = "frmDrv",
    .caption = "Hide Drives",
    .width = kContentWidth + kMargin + kChromeWidth,
    .height = kContentHeight + kChromeHeight,
    .rows = {},
    .controls = kControls,
    .style = forms::FormStyle::kBorderless,
    .draggable = true,
    .values = kValues,
};

std::unique_ptr<forms::FormController> MakeDrivePanelPage(Context& context) {
  return std::make_unique<DrivePanel>(context);
}

}  // namespace kdw::pages
