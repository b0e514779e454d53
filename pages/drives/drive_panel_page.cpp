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

constexpr forms::ControlSpec kControls[] = {
    {"Label1", ControlKind::kLabel, "Hide Drives", {kMargin, 150, 2400, kLineHeight}, "",
     forms::kBoldFont},
    // Pressed as a button too, so that the keyboard can close the panel.
    {"Image2", ControlKind::kCommandButton, "Close", {kContentWidth - 480, 60, 480, 480}, "", 0,
     "BTN_CANCEL", "Close"},
};

// One mask, a bit a letter (A the lowest), a box each.
constexpr auto kRows = [] {
  constexpr const char* kCaptions[26] = {
      "A:\\", "B:\\", "C:\\", "D:\\", "E:\\", "F:\\", "G:\\", "H:\\", "I:\\",
      "J:\\", "K:\\", "L:\\", "M:\\", "N:\\", "O:\\", "P:\\", "Q:\\", "R:\\",
      "S:\\", "T:\\", "U:\\", "V:\\", "W:\\", "X:\\", "Y:\\", "Z:\\"};
  std::array<SettingRow, 26> rows{};
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const int letter = static_cast<int>(i);
    rows[i] = Bit(kLetterBoxes[i], kCaptions[i], HKCU, kExplorer, kNoDrives, letter)
                  .At(BoxPlace(letter))
                  .Explained(Effect::kExplorerRestart,
                             "Each ticked letter disappears from My Computer, Explorer and the "
                             "Open and Save dialogs of programs. The drive is only hidden: a typed "
                             "path still reaches it, so combine it with blocking access where "
                             "that matters.");
  }
  return rows;
}();

class DrivePanel : public SettingPage {
 public:
  explicit DrivePanel(Context& context) : SettingPage(context, kDrivePanelPage) {}

  // A stored mask the panel cannot show is reset, after the user is told,
  // before the boxes show it.
  void BeforeRows() override {
    if (IsDriveMask(registry().GetDwordValue(HKCU, kExplorer, kNoDrives, 0))) return;
    context().messages.Show(context().Owner(),
                            "Error - Kelmor Deskwarden will show all drives, after, you can "
                            "hide any drive you want.",
                            kTitle, mb::kOk | mb::kIconInformation);
    Wrote(registry().SaveDwordValue(HKCU, kExplorer, kNoDrives, 0), "Hide Drives");
  }
};

}  // namespace

// No title bar: the panel is moved by its background.
const PageSpec kDrivePanelPage{
    .name = "frmDrv",
    .caption = "Hide Drives",
    .width = kContentWidth + kMargin + kChromeWidth,
    .height = kContentHeight + kChromeHeight,
    .rows = kRows,
    .controls = kControls,
    .style = forms::FormStyle::kBorderless,
    .draggable = true,
    .close_button = "Image2",
};

std::unique_ptr<forms::FormController> MakeDrivePanelPage(Context& context) {
  return std::make_unique<DrivePanel>(context);
}

}  // namespace kdw::pages
