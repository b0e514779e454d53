#include "pages/office/outlook_page.h"

#include "pages/layout.h"
#include "pages/office/office_dialog.h"

namespace kdw::pages {
namespace {

using forms::ControlKind;

// Two prefixes: the policies Outlook obeys, and its own preferences. The two
// "Security" keys are different keys.
constexpr const char* kSecurityPolicy =
    "Software\\Policies\\Microsoft\\Office\\<version>\\Outlook\\Security";
constexpr const char* kMessagingPolicy =
    "Software\\Policies\\Microsoft\\Office\\<version>\\Outlook\\InstantMessaging";
constexpr const char* kRpc = "Software\\Microsoft\\Office\\<version>\\Outlook\\RPC";
constexpr const char* kPreferences = "Software\\Microsoft\\Office\\<version>\\Outlook\\Preferences";
constexpr const char* kPst = "Software\\Microsoft\\Office\\<version>\\Outlook\\PST";
constexpr const char* kToday = "Software\\Microsoft\\Office\\<version>\\Outlook\\Today";
constexpr const char* kSecurity = "Software\\Microsoft\\Office\\<version>\\Outlook\\Security";

constexpr int kWidth = kDialogWidth;
constexpr int kButton = kDialogButton;
constexpr Column kChecks{kMargin, kDialogBodyTop, kWidth - 2 * kMargin};
constexpr int kTodayLabel = kChecks.Bottom(5) + 180;
constexpr int kTodayBox = kTodayLabel + kLineHeight + 30;
constexpr int kFolderLabel = kTodayBox + kTextHeight + 120;
constexpr int kFolderBox = kFolderLabel + kLineHeight + 30;
constexpr int kBrowseLeft = kWidth - kMargin - kButton;
constexpr int kBrowseTop = kFolderBox + kTextHeight / 2 - kButton / 2;
constexpr int kHeight = kBrowseTop + kButton + 120;

// In load order: the two paths, then the boxes.
constexpr SettingRow kRows[] = {
    Text("Text1", HKCU, kToday, "Url").At({kMargin, kTodayBox, kWidth - 2 * kMargin, kTextHeight})
        .Explained(Effect::kImmediately,
                   "Web page or HTML file shown as Outlook Today instead of the built-in summary "
                   "of mail, calendar and tasks. Takes effect the next time Outlook starts."),
    Text("Text2", HKCU, kSecurity, "OutlookSecureTempFolder")
        .At({kMargin, kFolderBox, kBrowseLeft - 60 - kMargin, kTextHeight})
        .Explained(Effect::kImmediately,
                   "Folder where Outlook places the copies of attachments the user opens, instead "
                   "of its hidden random folder. Takes effect the next time Outlook starts."),
    // Checked stores 0: Outlook then forgets passwords. Never set counts as
    // 0, so the box opens checked and stores its 0.
    Inverted("Check1", "Disable Password Caching for Outlook Internet Mail ", HKCU,
             kSecurityPolicy, "EnableRememberPw")
        .At(kChecks.Line(0))
        .Explained(Effect::kImmediately,
                   "Checked (stores 0), Outlook does not save passwords of POP3 and IMAP accounts, "
                   "so the user types them each session; unchecked (1) Remember password works. "
                   "Takes effect the next time Outlook starts."),
    Number("Check2", "Disable Secondary Credentials Dialog Box", HKCU, kRpc, "DisablePWDialog")
        .At(kChecks.Line(1))
        .Explained(Effect::kImmediately,
                   "Outlook no longer pops up a second box asking for other logon credentials when "
                   "connecting to the Exchange server fails with the first ones. Takes effect the "
                   "next time Outlook starts."),
    Number("Check3", "Disable Windows Messenger", HKCU, kMessagingPolicy, "ForceDisableIM")
        .At(kChecks.Line(2))
        .Explained(Effect::kImmediately,
                   "Outlook stops using Windows Messenger: contacts' online status is not shown "
                   "and Messenger is not started by Outlook. Takes effect the next time Outlook "
                   "starts."),
    Number("Check4", "Minimize Outlook to System Tray ", HKCU, kPreferences, "MinToTray")
        .At(kChecks.Line(3))
        .Explained(Effect::kImmediately,
                   "When minimized, Outlook shrinks to an icon in the notification area instead of "
                   "a taskbar button. Takes effect the next time Outlook starts."),
    Number("Check5", "Remove Deleted Information", HKCU, kPst, "PSTNullFreeOnClose")
        .At(kChecks.Line(4))
        .Explained(Effect::kImmediately,
                   "When a personal folders (.pst) file is closed, Outlook overwrites the space of "
                   "deleted items so they cannot be recovered from the file; closing takes longer. "
                   "Takes effect the next time Outlook starts."),
};

constexpr forms::ControlSpec kUnbound[] = {
    {"Label1", ControlKind::kLabel, "Modify the Outlook Today Location:",
     {kMargin, kTodayLabel, kWidth - 2 * kMargin, kLineHeight}},
    {"Label2", ControlKind::kLabel, "Set the Temporary Attachment Directory:",
     {kMargin, kFolderLabel, kWidth - 2 * kMargin, kLineHeight}},
    {"Image3", ControlKind::kCommandButton, "Browse", {kBrowseLeft, kBrowseTop, kButton, kButton},
     "", 0, "ADD05", "Choose a folder"},
};

const std::vector<forms::ControlSpec> kControls =
    DialogControls({"Label3", "Outlook Restrictions"}, kRows, kUnbound);

// The prompt is the program's own, spelling and all.
constexpr BrowseButton kBrowse[] = {
    {"Image3", "Text2", "Choose a temporary directory for the attachements."}};

class OutlookPage : public OfficeDialog {
 public:
  OutlookPage(Context& context, const std::string& version_text)
      : OfficeDialog(context, kOutlookPage, version_text) {}
};

}  // namespace

const PageSpec kOutlookPage = DialogSpec("frmOutlook", kHeight, kControls, kRows, kBrowse);

std::unique_ptr<forms::FormController> MakeOutlookDialog(Context& context,
                                                         const std::string& version_text) {
  return std::make_unique<OutlookPage>(context, version_text);
}

std::unique_ptr<forms::FormController> MakeOutlookPage(Context& context) {
  return MakeOutlookDialog(context, StoredOfficeVersion(context.registry));
}

}  // namespace kdw::pages
