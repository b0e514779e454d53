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
    Policy("Check1", "Disable \"New Window\"", "NoFileNew", kLeft.Line(0))
        .Explained(Effect::kImmediately,
                   "The File > New > Window command and Ctrl+N stop working, so extra browser "
                   "windows cannot be opened from the menu. Takes effect the next time Internet "
                   "Explorer starts."),
    Policy("Check2", "Disable \"Open\"", "NoFileOpen", kLeft.Line(1))
        .Explained(Effect::kImmediately,
                   "File > Open is unavailable and Ctrl+O does nothing, so local files and typed "
                   "addresses cannot be opened through that dialog. Takes effect the next time "
                   "Internet Explorer starts."),
    Policy("Check3", "Disable \"Save As...\"", "NoBrowserSaveAs", kLeft.Line(2))
        .Explained(Effect::kImmediately,
                   "Web pages can no longer be saved to disk with File > Save As. Takes effect the "
                   "next time Internet Explorer starts."),
    Policy("Check4", "Disable \"Print\"", "NoPrinting", kLeft.Line(3))
        .Explained(Effect::kImmediately,
                   "Printing from the browser is turned off: Print, Print Preview and the Print "
                   "button cannot be used. Takes effect the next time Internet Explorer starts."),
    Policy("Check5", "Disable Navigation Buttons", "NoNavButtons", kLeft.Line(4))
        .Explained(Effect::kImmediately,
                   "Back and Forward are taken off the browser toolbar, leaving links and typed "
                   "addresses as the ways to move between pages. Takes effect the next time "
                   "Internet Explorer starts."),
    // The Internet zone's file download action: 3 disables, 0 enables; a
    // prompt (1) counts as disabled and is made so when the dialog opens,
    // after the browser's own policies.
    NonZero("Check6", "Disable Download", HKCU, kInternetZone, "1803", 3)
        .At(kLeft.Line(5))
        .LoadsLast()
        .Explained(Effect::kImmediately,
                   "Checked (3), files cannot be downloaded from Internet-zone sites; the user is "
                   "told the security settings forbid it. Unchecked stores 0, which allows "
                   "downloads. Takes effect the next time Internet Explorer starts."),
    Policy("Check7", "Disable Options", "NoBrowserOptions", kRight.Line(0))
        .Explained(Effect::kImmediately,
                   "Internet Options disappears from the browser's Tools menu; the Control Panel "
                   "copy of the dialog is not affected by this switch. Takes effect the next time "
                   "Internet Explorer starts."),
    Policy("Check8", "Disable Full Screen", "NoTheaterMode", kRight.Line(1))
        .Explained(Effect::kImmediately,
                   "The View > Full Screen command and F11 no longer switch the browser to "
                   "full-screen display. Takes effect the next time Internet Explorer starts."),
    Policy("Check9", "Disable \"Mail and News\"", "RestGoMenu", kRight.Line(2))
        .Explained(Effect::kImmediately,
                   "Removes the Mail and News commands from the browser's menus, so the mail and "
                   "news reader cannot be started from Internet Explorer. Takes effect the next "
                   "time Internet Explorer starts."),
    Policy("Check10", "Disable Context Menu", "NoBrowserContextMenu", kRight.Line(3))
        .Explained(Effect::kImmediately,
                   "Right-clicking inside a web page shows no shortcut menu, so commands such as "
                   "Save Picture As or View Source are not offered there. Takes effect the next "
                   "time Internet Explorer starts."),
    Policy("Check11", "Disable Favorites", "NoFavorites", kRight.Line(4))
        .Explained(Effect::kImmediately,
                   "The Favorites menu is hidden, so favorites can be neither opened nor added "
                   "from the menu bar. Takes effect the next time Internet Explorer starts."),
    Policy("Check12", "Disable Close", "NoBrowserClose", kRight.Line(5))
        .Explained(Effect::kImmediately,
                   "The user can no longer close browser windows with File > Close or the window's "
                   "close button. Takes effect the next time Internet Explorer starts."),
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
