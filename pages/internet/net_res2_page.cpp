#include "pages/internet/net_res2_page.h"

#include <string>

#include "pages/layout.h"

namespace kdw::pages {
namespace {

using forms::ControlKind;

constexpr const char* kControlPanel =
    "Software\\Policies\\Microsoft\\Internet Explorer\\Control Panel";

// The close button on top; below it the tab strip, inside which the two
// groups lie on top of each other, each in two columns.
constexpr int kButton = 480;
constexpr int kColumnWidth = 4000;
constexpr Column kLeft{kMargin, kMargin, kColumnWidth};
constexpr Column kRight{2 * kMargin + kColumnWidth, kMargin, kColumnWidth};
constexpr int kGroupWidth = 2 * kColumnWidth + 3 * kMargin;
constexpr int kGroupHeight = kLeft.Bottom(9) + kMargin;
constexpr int kTabRow = 360;  // the tabs above the groups
constexpr int kTabsTop = 60 + kButton + 60;
constexpr int kTabsWidth = kGroupWidth + 2 * kMargin;
constexpr int kTabsHeight = kTabRow + kGroupHeight + kMargin;
constexpr int kWidth = kTabsWidth + 2 * kMargin;  // inside the dialog
constexpr int kHeight = kTabsTop + kTabsHeight + kMargin;

// Every switch stores its state as the number; several value names hold
// spaces or an underscore, exactly as the browser reads them.
constexpr SettingRow Lock(const char* control, const char* caption, const char* value,
                          const char* group, forms::Rect where) {
  return Number(control, caption, HKCU, kControlPanel, value).In(group, where);
}

constexpr SettingRow kRows[] = {
    Lock("Check1", "Remove General Tab", "GeneralTab", "Picture1", kLeft.Line(0))
        .Explained(Effect::kImmediately,
                   "Internet Options opens without its General tab, hiding home page, temporary "
                   "files, history, colour, font and accessibility settings. Takes effect the next "
                   "time Internet Explorer starts."),
    Lock("Check2", "Remove Security Tab", "SecurityTab", "Picture1", kLeft.Line(1))
        .Explained(Effect::kImmediately,
                   "The Security tab, where zones and their levels are set, is removed from "
                   "Internet Options. Takes effect the next time Internet Explorer starts."),
    Lock("Check3", "Remove Content Tab", "ContentTab", "Picture1", kLeft.Line(2))
        .Explained(Effect::kImmediately,
                   "Hides the Content tab: Content Advisor, certificates, AutoComplete and profile "
                   "settings can no longer be reached. Takes effect the next time Internet "
                   "Explorer starts."),
    Lock("Check4", "Remove Connections Tab", "ConnectionsTab", "Picture1", kLeft.Line(3))
        .Explained(Effect::kImmediately,
                   "Takes away the Connections tab, so dial-up, VPN, LAN and proxy settings cannot "
                   "be viewed or changed there. Takes effect the next time Internet Explorer "
                   "starts."),
    Lock("Check5", "Remove Programs Tab", "ProgramsTab", "Picture1", kLeft.Line(4))
        .Explained(Effect::kImmediately,
                   "The Programs tab with the mail, news, HTML editor and default-browser choices "
                   "no longer appears. Takes effect the next time Internet Explorer starts."),
    Lock("Check6", "Remove Privacy Tab", "PrivacyTab", "Picture1", kLeft.Line(5))
        .Explained(Effect::kImmediately,
                   "Leaves out the Privacy tab, where the cookie level and per-site cookie rules "
                   "are chosen. Takes effect the next time Internet Explorer starts."),
    Lock("Check7", "Remove Advanced Tab", "AdvancedTab", "Picture1", kLeft.Line(6))
        .Explained(Effect::kImmediately,
                   "The Advanced tab and its list of browsing, security and multimedia options "
                   "disappear from the dialog. Takes effect the next time Internet Explorer "
                   "starts."),
    // Temporary Internet files: "Settings" here, "Cache" for Check26.
    Lock("Check8", "Prevent Temporary Internet Files Changes", "Settings", "Picture1",
         kLeft.Line(7))
        .Explained(Effect::kImmediately,
                   "On the General tab the Settings button for temporary Internet files is "
                   "unavailable, so cache size, folder and page-check frequency stay as set. Takes "
                   "effect the next time Internet Explorer starts."),
    Lock("Check9", "Disable Internet Connection Wizard", "Connwiz Admin Lock", "Picture1",
         kLeft.Line(8))
        .Explained(Effect::kImmediately,
                   "The Internet Connection Wizard refuses to run, so the user cannot create a new "
                   "Internet connection with it. Takes effect the next time Internet Explorer "
                   "starts."),
    Lock("Check10", "Disable \"Save Password\"", "FormSuggest Passwords", "Picture1",
         kRight.Line(0))
        .Explained(Effect::kImmediately,
                   "Locks the option that lets AutoComplete remember user names and passwords on "
                   "web forms, so the user cannot change it in Internet Options. Takes effect the "
                   "next time Internet Explorer starts."),
    Lock("Check11", "Disable Forms AutoComplete", "FormSuggest", "Picture1", kRight.Line(1))
        .Explained(Effect::kImmediately,
                   "Locks the AutoComplete choice for web forms in Internet Options, so the user "
                   "cannot change whether earlier form entries are suggested. Takes effect the "
                   "next time Internet Explorer starts."),
    Lock("Check12", "Prevent Changes to Privacy Settings", "Privacy Settings", "Picture1",
         kRight.Line(2))
        .Explained(Effect::kImmediately,
                   "The privacy slider, per-site cookie rules and the Import and Advanced buttons "
                   "on the Privacy tab become unavailable. Takes effect the next time Internet "
                   "Explorer starts."),
    Lock("Check13", "Prevent Adding Site to any Zone", "SecAddSites", "Picture1", kRight.Line(3))
        .Explained(Effect::kImmediately,
                   "Sites can no longer be added to or removed from the Local intranet, Trusted or "
                   "Restricted zones. Takes effect the next time Internet Explorer starts."),
    Lock("Check14", "Prevent Changing Security Levels for Internet Zone", "SecChangeSettings",
         "Picture1", kRight.Line(4))
        .Explained(Effect::kImmediately,
                   "The security level slider and Custom Level button are locked; this covers "
                   "every zone, not only the Internet zone the caption names. Takes effect the "
                   "next time Internet Explorer starts."),
    Lock("Check15", "Prevent Changing Publisher Certificate", "CertifPub", "Picture1",
         kRight.Line(5))
        .Explained(Effect::kImmediately,
                   "The list of software publishers the user trusts can no longer be changed "
                   "through the Publishers button. Takes effect the next time Internet Explorer "
                   "starts."),
    Lock("Check16", "Prevent Changing Site Certificate", "CertifSite", "Picture1", kRight.Line(6))
        .Explained(Effect::kImmediately,
                   "Certificate settings for web sites and certification authorities cannot be "
                   "changed by the user. Takes effect the next time Internet Explorer starts."),
    Lock("Check17", "Prevent Changing Personal Certificate", "CertifPers", "Picture1",
         kRight.Line(7))
        .Explained(Effect::kImmediately,
                   "The user's own certificates cannot be imported, removed or otherwise changed "
                   "from Internet Options. Takes effect the next time Internet Explorer starts."),

    Lock("Check18", "Prevent Connection Settings Changes", "Connection Settings", "Picture2",
         kLeft.Line(0))
        .Explained(Effect::kImmediately,
                   "Everything on the Connections tab becomes read-only: dial-up entries, dialing "
                   "choices and LAN settings. Takes effect the next time Internet Explorer starts."),
    Lock("Check19", "Disable Connection Wizard", "Connection Wizard", "Picture2", kLeft.Line(1))
        .Explained(Effect::kImmediately,
                   "The Setup button on the Connections tab, which starts the new-connection "
                   "wizard, is disabled. Takes effect the next time Internet Explorer starts."),
    Lock("Check20", "Prevent Home Page Settings Changes", "HomePage", "Picture2", kLeft.Line(2))
        .Explained(Effect::kImmediately,
                   "The home page box and its Use Current, Use Default and Use Blank buttons are "
                   "locked, so the start page set by the administrator stays. Takes effect the "
                   "next time Internet Explorer starts."),
    Lock("Check21", "Prevent Rating Changes", "Ratings", "Picture2", kLeft.Line(3))
        .Explained(Effect::kImmediately,
                   "Content Advisor cannot be switched on, off or reconfigured by the user. Takes "
                   "effect the next time Internet Explorer starts."),
    Lock("Check22", "Prevent Profiles Changes", "Profiles", "Picture2", kLeft.Line(4))
        .Explained(Effect::kImmediately,
                   "The My Profile button on the Content tab is disabled, so the personal "
                   "information offered to sites cannot be edited. Takes effect the next time "
                   "Internet Explorer starts."),
    Lock("Check23", "Prevent Proxy Settings Changes", "Proxy", "Picture2", kLeft.Line(5))
        .Explained(Effect::kImmediately,
                   "Proxy server address, port and bypass list in LAN settings are locked as "
                   "configured. Takes effect the next time Internet Explorer starts."),
    Lock("Check24", "Prevent Changes to Advanced Settings", "Advanced", "Picture2", kLeft.Line(6))
        .Explained(Effect::kImmediately,
                   "Each option on the Advanced tab is greyed out: the tab still shows, but "
                   "nothing on it can be changed. Takes effect the next time Internet Explorer "
                   "starts."),
    Lock("Check25", "Prevent Changes to Auto Configuration", "Autoconfig", "Picture2",
         kLeft.Line(7))
        .Explained(Effect::kImmediately,
                   "Automatic detection of settings and the configuration script address in LAN "
                   "settings cannot be changed. Takes effect the next time Internet Explorer "
                   "starts."),
    Lock("Check26", "Prevent Changes to Temporary Files", "Cache", "Picture2", kLeft.Line(8))
        .Explained(Effect::kImmediately,
                   "Locks the temporary Internet files settings themselves (disk space, location, "
                   "page checking) against change. Takes effect the next time Internet Explorer "
                   "starts."),
    Lock("Check27", "Prevent Changes to Security Certificates", "Certificates", "Picture2",
         kRight.Line(0))
        .Explained(Effect::kImmediately,
                   "The Certificates buttons on the Content tab are disabled, so certificates "
                   "cannot be imported, viewed or removed there. Takes effect the next time "
                   "Internet Explorer starts."),
    Lock("Check28", "Prevent Color Changes", "Colors", "Picture2", kRight.Line(1))
        .Explained(Effect::kImmediately,
                   "The Colors button on the General tab is disabled; text and background colours "
                   "stay as set. Takes effect the next time Internet Explorer starts."),
    Lock("Check29", "Prevent Font Changes", "Fonts", "Picture2", kRight.Line(2))
        .Explained(Effect::kImmediately,
                   "Blocks the Fonts button, so the fonts used for pages without their own cannot "
                   "be changed. Takes effect the next time Internet Explorer starts."),
    Lock("Check30", "Prevent Language Changes", "Languages", "Picture2", kRight.Line(3))
        .Explained(Effect::kImmediately,
                   "The Languages button is disabled, so the language preference sent to web sites "
                   "stays as set. Takes effect the next time Internet Explorer starts."),
    Lock("Check31", "Prevent Link Changes", "Links", "Picture2", kRight.Line(4))
        .Explained(Effect::kImmediately,
                   "Colours of visited and unvisited links, and hover colour, can no longer be "
                   "changed. Takes effect the next time Internet Explorer starts."),
    Lock("Check32", "Prevent Default Browser Check Changes", "Check_If_Default", "Picture2",
         kRight.Line(5))
        .Explained(Effect::kImmediately,
                   "The Programs tab's option to check whether Internet Explorer is the default "
                   "browser is locked in its current state. Takes effect the next time Internet "
                   "Explorer starts."),
    Lock("Check33", "Prevent Messaging Changes", "Messaging", "Picture2", kRight.Line(6))
        .Explained(Effect::kImmediately,
                   "The e-mail, newsgroup and Internet call programs chosen on the Programs tab "
                   "cannot be changed. Takes effect the next time Internet Explorer starts."),
    Lock("Check34", "Prevent Wallet Settings Changes", "Wallet", "Picture2", kRight.Line(7))
        .Explained(Effect::kImmediately,
                   "Payment and address (Wallet) settings reached from the Content tab can no "
                   "longer be changed. Takes effect the next time Internet Explorer starts."),
};

constexpr forms::Rect kGroup{kMargin, kTabRow, kGroupWidth, kGroupHeight};

constexpr forms::ControlSpec kControls[] = {
    {"Image1", ControlKind::kCommandButton, "Close",
     {kWidth - kMargin - kButton, 60, kButton, kButton}, "", 0, "BTN_CANCEL", "Close"},
    {"TabStrip1", ControlKind::kTabStrip, "", {kMargin, kTabsTop, kTabsWidth, kTabsHeight}},
    {"Picture1", ControlKind::kPictureBox, "", kGroup, "TabStrip1"},
    {"Picture2", ControlKind::kPictureBox, "", kGroup, "TabStrip1"},
};

// The first tab is selected at the start: its group shows.
constexpr TabPage kTabs[] = {{"1st Section", "Picture1"}, {"2nd Section", "Picture2"}};

constexpr PageSpec WithTabs(PageSpec page) {
  page.tab_strip = "TabStrip1";
  page.tabs = kTabs;
  return page;
}

}  // namespace

const PageSpec kNetRes2Page =
    WithTabs(BorderlessDialog("frmNetRes2", kWidth, kHeight, kRows, kControls));

std::unique_ptr<forms::FormController> MakeNetRes2Page(Context& context) {
  return MakeTablePage<kNetRes2Page>(context);
}

}  // namespace kdw::pages
