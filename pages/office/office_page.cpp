#include "pages/office/office_page.h"

#include <algorithm>
#include <iterator>
#include <vector>

#include "pages/layout.h"
#include "pages/office/access_page.h"
#include "pages/office/office_version.h"
#include "pages/office/outlook_page.h"
#include "pages/office/word_page.h"

namespace kdw::pages {
namespace {

using forms::ControlKind;

constexpr const char* kCommon = "Software\\Microsoft\\Office\\<version>\\Common";
constexpr const char* kGeneral = "Software\\Microsoft\\Office\\<version>\\Common\\General";
// A place's key is this and its name in the list, "Place1" to "Place10".
#define KDW_PLACES \
  "Software\\Microsoft\\Office\\<version>\\Common\\Open Find\\Places\\UserDefinedPlaces\\"

constexpr const char* kChooseFirst = "Please choose the Office version first.";

// The version line, the three switches, the places frame, the buttons.
constexpr int kWidth = 6600;  // inside
constexpr int kFullWidth = kWidth - 2 * kMargin;
constexpr int kButton = 480;
constexpr Column kChecks{kMargin, 600, kFullWidth};
constexpr int kPlacesTop = kChecks.Bottom(3) + 120;
// Inside the frame: the place list, then a label and a box a line.
constexpr int kFieldLeft = kMargin + 660;
constexpr int kBrowseLeft = kFullWidth - kMargin - kButton;
constexpr int kFieldWidth = kBrowseLeft - 120 - kFieldLeft;
constexpr int kNameTop = kFrameTop + 315 + 150;
constexpr int kPathTop = kNameTop + kTextHeight + 105;
constexpr int kBrowseTop = kPathTop + kTextHeight / 2 - kButton / 2;
constexpr int kFrameHeight = kBrowseTop + kButton + 120;
constexpr int kButtonsTop = kPlacesTop + kFrameHeight + 120;
constexpr int kCommandWidth = (kFullWidth - 2 * 120) / 3;
constexpr int kCommandHeight = 420;
constexpr int kHeight = kButtonsTop + kCommandHeight + 120;

constexpr int CommandLeft(int n) { return kMargin + n * (kCommandWidth + 120); }

// Bound when the page opens, to the version stored then.
constexpr SettingRow kChecksRows[] = {
    Number("Check1", "Block Linked Images", HKCU, kCommon, "BlockHTTPImages").At(kChecks.Line(0))
        .Explained(Effect::kImmediately,
                   "Office stops downloading pictures that documents and messages link to on web "
                   "servers and shows a placeholder instead. Takes effect the next time the Office "
                   "programs start."),
    // Checked stores 0, and a value never set counts as 0: the box opens
    // checked and stores its 0.
    Inverted("Check2", "Configure Office to Use the Standard System Font", HKCU, kGeneral,
             "UseOfficeUIFont")
        .At(kChecks.Line(1))
        .Explained(Effect::kImmediately,
                   "Checked (stores 0), Office menus and dialogs use the Windows system font; "
                   "unchecked (1) they use Office's own interface font. Takes effect the next time "
                   "the Office programs start."),
    // The caption ends in a blank, as it always has.
    Number("Check3", "Disable Document Editing Time Tracking ", HKCU, kGeneral, "NoTrack")
        .At(kChecks.Line(2))
        .Explained(Effect::kImmediately,
                   "Office stops counting how long each document has been edited, so the total "
                   "editing time property is not updated. Takes effect the next time the Office "
                   "programs start."),
};

constexpr forms::ControlSpec kVersionLine[] = {
    // The version is chosen for every user of the machine.
    MachineWide({"Label3", ControlKind::kLabel, "Office Version:", {kMargin, 165, 1320, kLineHeight}}),
    {"Combo2", ControlKind::kComboBox, "", {kMargin + 1380, 120, 2400, 315}},
};

constexpr forms::ControlSpec kPlacesAndButtons[] = {
    {"Frame1", ControlKind::kFrame, "Add Custom Places to the Office Dialog Box",
     {kMargin, kPlacesTop, kFullWidth, kFrameHeight}},
    {"Combo1", ControlKind::kComboBox, "", {kMargin, kFrameTop + 30, 2000, 315}, "Frame1"},
    {"Label1", ControlKind::kLabel, "Name:", {kMargin, kNameTop + 30, 600, kLineHeight}, "Frame1"},
    {"Text1", ControlKind::kTextBox, "", {kFieldLeft, kNameTop, kFieldWidth, kTextHeight}, "Frame1"},
    {"Label2", ControlKind::kLabel, "Path:", {kMargin, kPathTop + 30, 600, kLineHeight}, "Frame1"},
    {"Text2", ControlKind::kTextBox, "", {kFieldLeft, kPathTop, kFieldWidth, kTextHeight}, "Frame1"},
    {"Image3", ControlKind::kCommandButton, "Browse", {kBrowseLeft, kBrowseTop, kButton, kButton},
     "Frame1", 0, "ADD05", "Choose a path for the place"},
    {"Command3", ControlKind::kCommandButton, "Word Restrictions",
     {CommandLeft(0), kButtonsTop, kCommandWidth, kCommandHeight}},
    {"Command1", ControlKind::kCommandButton, "Outlook Restrictions",
     {CommandLeft(1), kButtonsTop, kCommandWidth, kCommandHeight}},
    {"Command2", ControlKind::kCommandButton, "Access Restrictions",
     {CommandLeft(2), kButtonsTop, kCommandWidth, kCommandHeight}},
};

// In the order they read, which is the Tab order.
std::vector<forms::ControlSpec> Controls() {
  std::vector<forms::ControlSpec> all(std::begin(kVersionLine), std::end(kVersionLine));
  for (const forms::ControlSpec& box : ControlsOf(PageSpec{.name = "", .caption = "", .width = 0,
                                                           .height = 0, .rows = kChecksRows})) {
    all.push_back(box);
  }
  all.insert(all.end(), std::begin(kPlacesAndButtons), std::end(kPlacesAndButtons));
  return all;
}
const std::vector<forms::ControlSpec> kControls = Controls();

// The version's display name, picked in its list; only an administrator
// may store it (HKLM).
constexpr SettingRow kRows[] = {
    Choice("Combo2", "Office Version", HKLM, kOfficeChoiceKey, kOfficeChoiceValue).MachineWide()
        .Explained(Effect::kImmediately,
                   "Chooses which Office release (XP, 2003 or 2007) the Office switches, custom "
                   "places and Word, Outlook and Access settings here apply to; Office itself "
                   "never reads it."),
};

// Each place's name and path, edited in the two boxes for the place the
// list shows.
constexpr PickerEntry kPlaces[] = {
    {"Place1", nullptr, "1"}, {"Place2", nullptr, "2"}, {"Place3", nullptr, "3"},
    {"Place4", nullptr, "4"}, {"Place5", nullptr, "5"}, {"Place6", nullptr, "6"},
    {"Place7", nullptr, "7"}, {"Place8", nullptr, "8"}, {"Place9", nullptr, "9"},
    {"Place10", nullptr, "10"},
};
constexpr SettingRow kPlaceRows[] = {
    Text("Text1", HKCU, KDW_PLACES "<entry>", "Name").Called("Custom Place <entry> Name")
        .Explained(Effect::kImmediately,
                   "Label of this custom place in the Places bar at the left of the Office Open "
                   "and Save As dialogs. Takes effect the next time the Office programs start."),
    Text("Text2", HKCU, KDW_PLACES "<entry>", "Path").Called("Custom Place <entry> Path")
        .Explained(Effect::kImmediately,
                   "Folder this custom place opens when it is clicked in an Office Open or Save As "
                   "dialog. Takes effect the next time the Office programs start."),
};
#undef KDW_PLACES
constexpr EntryPicker kPlacePicker{.list = "Combo1", .rows = kPlaceRows, .entries = kPlaces};

constexpr BrowseButton kBrowse[] = {{"Image3", "Text2", "Choose a path for your place."}};
constexpr DialogOpener kDialogs[] = {
    {"Command1", &kOutlookPage, MakeOutlookPage},
    {"Command2", &kAccessPage, MakeAccessPage, true},
    {"Command3", &kWordPage, MakeWordPage},
};

class OfficePage : public SettingPage {
 public:
  explicit OfficePage(Context& context) : SettingPage(context, kOfficePage) {}

  void BeforeRows() override {
    for (const char* name : kOfficeVersions) versions_.AddItem(name);
  }

 private:
  // The places and the dialogs work on the version the list shows.
  bool MarkReady() override {
    if (!OfficeVersionNumber(versions_.text()).empty()) return true;
    context().messages.Show(context().Owner(), kChooseFirst, kTitle, mb::kIconStop | mb::kOk);
    return false;
  }

  forms::ListControl& versions_ = Use<forms::ListControl>("Combo2");
};

}  // namespace

const PageSpec kOfficePage{
    .name = "frmOffice",
    .caption = "Microsoft Office",
    .width = kWidth + kChromeWidth,
    .height = kHeight + kChromeHeight,
    .rows = kRows,
    .controls = kControls,
    .marked_rows = kChecksRows,
    .key_mark = &kOfficeVersionMark,
    .picker = &kPlacePicker,
    .browse = kBrowse,
    .dialogs = kDialogs,
};

std::unique_ptr<forms::FormController> MakeOfficePage(Context& context) {
  return std::make_unique<OfficePage>(context);
}

}  // namespace kdw::pages
