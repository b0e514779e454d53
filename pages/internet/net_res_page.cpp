#include "pages/internet/net_res_page.h"

#include "base/keys.h"
#include "pages/layout.h"

namespace kdw::pages {
namespace {

using forms::ControlKind;

constexpr const char* kRestrictions = "Software\\Policies\\Microsoft\\Internet Explorer\\Restrictions";
constexpr const char* kInternetZone = keys::kInternetZone;

// The picture and the close button on top; the switches in two columns of
// six below them, in their numbers' order.
constexpr int kButton = 480;
constexpr int kColumnWidth = 2700;
constexpr int kWidth = 2 * kColumnWidth + 3 * kMargin;  // inside the dialog
constexpr Column kLeft{kMargin, 60 + kButton + 120, kColumnWidth};
constexpr Column kRight{2 * kMargin + kColumnWidth, kLeft.top, kColumnWidth};
constexpr int kHeight = kLeft.Bottom(6) + kMargin;

constexpr SettingRow Policy(const char* control, const char* caption, const char* value,
                            forms::Rect where) {
  return Number(control, caption, HKCU, kRestrictions, value).At(where);
}

constexpr SettingRow kRows[] = {
    Policy("Check1", "Disable \"New Window\"", "NoFileNew", kLeft.Line(0)),
    Policy("Check2", "Disable \"Open\"", "NoFileOpen", kLeft.Line(1)),
    Policy("Check3", "Disable \"Save As...\"", "NoBrowserSaveAs", kLeft.Line(2)),
    Policy("Check4", "Disable \"Print\"", "NoPrinting", kLeft.Line(3)),
    Policy("Check5", "Disable Navigation Buttons", "NoNavButtons", kLeft.Line(4)),
    // The Internet zone's file download action: 3 disables, 0 enables; a
    // prompt (1) counts as disabled and is made so when the dialog opens,
    // after the browser's own policies.
    NonZero("Check6", "Disable Download", HKCU, kInternetZone, "1803", 3)
        .At(kLeft.Line(5))
        .LoadsLast(),
    Policy("Check7", "Disable Options", "NoBrowserOptions", kRight.Line(0)),
    Policy("Check8", "Disable Full Screen", "NoTheaterMode", kRight.Line(1)),
    Policy("Check9", "Disable \"Mail and News\"", "RestGoMenu", kRight.Line(2)),
    Policy("Check10", "Disable Context Menu", "NoBrowserContextMenu", kRight.Line(3)),
    Policy("Check11", "Disable Favorites", "NoFavorites", kRight.Line(4)),
    Policy("Check12", "Disable Close", "NoBrowserClose", kRight.Line(5)),
};

constexpr forms::ControlSpec kControls[] = {
    {"Image2", ControlKind::kImage, "", {kMargin, 60, kButton, kButton}, "", 0, "ADD06"},
    {"Image1", ControlKind::kCommandButton, "Close", {kWidth - kMargin - kButton, 60, kButton, kButton},
     "", 0, "BTN_CANCEL", "Close"},
};


}  // namespace

const PageSpec kNetResPage = BorderlessDialog("frmNetRes", kWidth, kHeight, kRows, kControls);

std::unique_ptr<forms::FormController> MakeNetResPage(Context& context) {
  return MakeTablePage<kNetResPage>(context);
}

}  // namespace kdw::pages
