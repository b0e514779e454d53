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
constexpr const char* kPlaces = KDW_PLACES;
constexpr int kPlaceCount = 10;

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
    Number("Check1", "Block Linked Images", HKCU, kCommon, "BlockHTTPImages").At(kChecks.Line(0)),
    // Checked stores 0, and a value never set counts as 0: the box opens
    // checked and stores its 0.
    Inverted("Check2", "Configure Office to Use the Standard System Font", HKCU, kGeneral,
             "UseOfficeUIFont")
        .At(kChecks.Line(1)),
    // The caption ends in a blank, as it always has.
    Number("Check3", "Disable Document Editing Time Tracking ", HKCU, kGeneral, "NoTrack")
        .At(kChecks.Line(2)),
};

constexpr forms::ControlSpec kVersionLine[] = {
    // The version is chosen for every user of the machine.
    MachineWide({"Label3", ControlKind::kLabel, "Office Version:", {kMargin, 165, 1320, kLineHeight}}),
    MachineWide({"Combo2", ControlKind::kComboBox, "", {kMargin + 1380, 120, 2400, 315}}),
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

// Only an administrator may store the version choice (HKLM).
constexpr const char* kCheckNames[] = {"Check1", "Check2", "Check3"};

// What the page's own code binds: the version choice, and each place's name
// and path, edited in the two boxes for the place the list shows.
#define KDW_PLACE(n)                                                                   \
  PageValue{"Text1", "Custom Place " #n " Name", HKCU, KDW_PLACES "Place" #n, "Name"}, \
      PageValue{"Text2", "Custom Place " #n " Path", HKCU, KDW_PLACES "Place" #n, "Path"}
constexpr PageValue kValues[] = {
    {"Combo2", "Office Version", HKLM, kOfficeChoiceKey, kOfficeChoiceValue},
    KDW_PLACE(1), KDW_PLACE(2), KDW_PLACE(3), KDW_PLACE(4), KDW_PLACE(5),
    KDW_PLACE(6), KDW_PLACE(7), KDW_PLACE(8), KDW_PLACE(9), KDW_PLACE(10),
};
#undef KDW_PLACE
#undef KDW_PLACES
static_assert(std::size(kValues) == 1 + 2 * kPlaceCount, "a name and a path for every place");

class OfficePage : public SettingPage {
 public:
  explicit OfficePage(Context& context) : SettingPage(context, kOfficePage) {
    places_.on_click = [this] { Combo1_Click(); };
    versions_.on_click = [this] { Combo2_Click(); };
    text1_.on_change = [this] { PlaceChanged(text1_, "Name"); };
    text2_.on_change = [this] { PlaceChanged(text2_, "Path"); };
    OnClick("Image3", [this] { Image3_Click(); });
    OnClick("Command1", [this] { Open(MakeOutlookDialog); });
    OnClick("Command2", [this] { Command2_Click(); });
    OnClick("Command3", [this] { Open(MakeWordDialog); });
  }

  void AfterRows() override {
    for (int n = 1; n <= kPlaceCount; ++n) places_.AddItem("Place" + std::to_string(n));
    for (const char* name : kOfficeVersions) versions_.AddItem(name);
    // Picking the stored entry stores the same name again.
    const std::string stored = StoredOfficeVersion(registry());
    version_ = OfficeVersionNumber(stored);
    if (!version_.empty()) {
      for (int i = 0; i < versions_.count(); ++i) {
        if (versions_.items()[i] == stored) versions_.SetListIndex(i);
      }
    }
    // The switches keep the version of this opening: a new choice reaches
    // them when the page is opened again. With none stored they would name
    // no Office at all, so they wait for one.
    if (version_.empty()) {
      for (forms::Control* box : version_boxes_) box->SetEnabled(false);
      return;
    }
    AddRows(checks_.Make(decl().marked_rows, kVersionMark, version_));
    LoadRows(checks_.rows());
  }

 private:
  // The version the list shows now, as a number: empty while none is picked.
  std::string ShownVersion() { return OfficeVersionNumber(versions_.text()); }

  bool VersionChosen() {
    if (!ShownVersion().empty()) return true;
    context().messages.Show(context().Owner(), kChooseFirst, kTitle, mb::kIconStop | mb::kOk);
    return false;
  }

  // The key of the place picked in the list, for the version shown now.
  std::string PlaceKey() {
    return WithVersion(kPlaces, ShownVersion()) + places_.text();
  }

  // Refused, the list goes back to the version stored.
  void Combo2_Click() {
    if (reverting_) return;
    if (Wrote(registry().SaveStringValue(HKLM, kOfficeChoiceKey, kOfficeChoiceValue, versions_.text()),
              kValues[0].caption)) {
      return;
    }
    const std::string stored = StoredOfficeVersion(registry());
    const auto& items = versions_.items();
    const auto found = std::find(items.begin(), items.end(), stored);
    reverting_ = true;
    versions_.SetListIndex(found == items.end() ? -1 : static_cast<int>(found - items.begin()));
    reverting_ = false;
  }

  // Shows what the place holds. Showing stores nothing: a place is only
  // written when its name or path is edited.
  void Combo1_Click() {
    if (!VersionChosen() || places_.list_index() < 0) return;
    const std::string key = PlaceKey();
    showing_ = true;
    text1_.SetText(registry().GetStringValue(HKCU, key, "Name"));
    text2_.SetText(registry().GetStringValue(HKCU, key, "Path"));
    showing_ = false;
  }

  void PlaceChanged(const forms::TextBox& box, const char* value) {
    if (showing_ || !VersionChosen()) return;
    if (places_.list_index() < 0) return;
    WroteTyped(box.name(), registry().SaveStringValue(HKCU, PlaceKey(), value, box.text()),
               places_.text() + " " + value);
  }

  void Image3_Click() {
    const std::string path = context().dialogs.DirBox(context().Owner(), "Choose a path for your place.");
    if (!path.empty()) text2_.SetText(path);
  }

  void Command2_Click() {
    if (context().Limited()) {
      context().messages.Show(context().Owner(),
                              "Sorry, you need administrator rights to access this section.", kTitle,
                              mb::kIconStop | mb::kOk);
      return;
    }
    Open(MakeAccessDialog);
  }

  // Shows a dialog modally, owned by the main window, for the version the
  // list shows now; closing it unloads it.
  void Open(OfficeDialogFactory make) {
    if (!VersionChosen()) return;
    std::unique_ptr<forms::FormController> dialog = make(context(), versions_.text());
    dialog->Load();
    forms::Form* owner = context().main_form ? context().main_form : &form();
    context().host.ShowModal(dialog->form(), *owner);
    dialog->Unload();
    context().host.Destroy(dialog->form());
  }

  std::string version_;  // of this opening, for the switches
  MarkedRows checks_;
  bool showing_ = false;
  bool reverting_ = false;

  forms::ListControl& places_ = Use<forms::ListControl>("Combo1");
  forms::ListControl& versions_ = Use<forms::ListControl>("Combo2");
  forms::TextBox& text1_ = Use<forms::TextBox>("Text1");
  forms::TextBox& text2_ = Use<forms::TextBox>("Text2");
  std::vector<forms::Control*> version_boxes_ = UseAll(kCheckNames);
};

}  // namespace

const PageSpec kOfficePage{
    .name = "frmOffice",
    .caption = "Microsoft Office",
    .width = kWidth + kChromeWidth,
    .height = kHeight + kChromeHeight,
    .rows = {},
    .controls = kControls,
    .marked_rows = kChecksRows,
    .key_mark = &kOfficeVersionMark,
    .values = kValues,
};

std::unique_ptr<forms::FormController> MakeOfficePage(Context& context) {
  return std::make_unique<OfficePage>(context);
}

}  // namespace kdw::pages
