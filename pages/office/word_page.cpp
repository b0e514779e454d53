#include "pages/office/word_page.h"

#include "pages/layout.h"
#include "pages/office/office_dialog.h"

namespace kdw::pages {
namespace {

using forms::ControlKind;

constexpr const char* kOptions = "Software\\Microsoft\\Office\\<version>\\Word\\Options";
constexpr const char* kGeneral = "Software\\Microsoft\\Office\\<version>\\Common\\General";

constexpr int kWidth = kDialogWidth;
constexpr Column kChecks{kMargin, kDialogBodyTop, kWidth - 2 * kMargin};
constexpr int kLabelTop = kChecks.Bottom(4) + 180;
constexpr int kSliderTop = kLabelTop + kLineHeight + 60;
constexpr int kSliderHeight = 420;
constexpr int kValueWidth = 600;
constexpr int kHeight = kSliderTop + kSliderHeight + 120;

// In load order: the slider, then the boxes.
constexpr SettingRow kRows[] = {
    Position("Slider1", HKCU, kOptions, "CACHESIZE", 64, 1024)
        .At({kMargin, kSliderTop, kWidth - 2 * kMargin - kValueWidth - 60, kSliderHeight})
        .Explained(Effect::kImmediately,
                   "Size of the cache Word keeps for documents opened from network drives (64 to "
                   "1024); a larger cache means fewer reads over the network. Takes effect the "
                   "next time Word starts."),
    Number("Check1", "Disable Multi-User Editing", HKCU, kOptions, "NoPromptToForkDocuments")
        .At(kChecks.Line(0))
        .Explained(Effect::kImmediately,
                   "Word stops offering its choices (read-only, a local copy, notification) when a "
                   "document is already open by another user. Takes effect the next time Word "
                   "starts."),
    // Stored as text under a name that sounds like a number, as Word reads it.
    Strings("Check2", "Enable Wide Text Printing", HKCU, kOptions, "NoWideTextPrinting", "1", "0")
        .At(kChecks.Line(1))
        .Explained(Effect::kImmediately,
                   "Checked stores \"1\", which makes Word print text without Unicode (wide) "
                   "characters, a fix for drivers that print boxes; so checked actually turns wide "
                   "printing OFF. Takes effect the next time Word starts."),
    // The value's name holds a space; it lives under the common key.
    Strings("Check3", "Use Auto-Complete in Word File Dialog Boxes ", HKCU, kGeneral,
            "Use AutoComplete", "Yes", "No")
        .At(kChecks.Line(2))
        .Explained(Effect::kImmediately,
                   "File names typed in the Office Open and Save As dialogs are completed from "
                   "earlier entries; the value is shared by all Office programs. Takes effect the "
                   "next time Word starts."),
    Number("Check4", "Disable Live Scrolling", HKCU, kOptions, "NoLiveScrolling")
        .At(kChecks.Line(3))
        .Explained(Effect::kImmediately,
                   "Word no longer redraws the page while the scroll box is dragged; the view "
                   "jumps to the new place when the mouse is released. Takes effect the next time "
                   "Word starts."),
};

constexpr forms::ControlSpec kUnbound[] = {
    {"Label1", ControlKind::kLabel, "Change the Cache Size for Network Word Documents:",
     {kMargin, kLabelTop, kWidth - 2 * kMargin, kLineHeight}},
    {"Label3", ControlKind::kLabel, "",
     {kWidth - kMargin - kValueWidth, kSliderTop + 90, kValueWidth, kLineHeight}},
};

const std::vector<forms::ControlSpec> kControls =
    DialogControls({"Label2", "Word Restrictions"}, kRows, kUnbound);

class WordPage : public OfficeDialog {
 public:
  WordPage(Context& context, const std::string& version_text)
      : OfficeDialog(context, kWordPage, version_text) {
    slider_.SetSteps(1, 5, 0);
    ShowsPosition("Slider1", "Label3");
  }

 private:
  forms::Slider& slider_ = Use<forms::Slider>("Slider1");
};

}  // namespace

const PageSpec kWordPage = DialogSpec("frmWord", kHeight, kControls, kRows);

std::unique_ptr<forms::FormController> MakeWordDialog(Context& context,
                                                      const std::string& version_text) {
  return std::make_unique<WordPage>(context, version_text);
}

std::unique_ptr<forms::FormController> MakeWordPage(Context& context) {
  return MakeWordDialog(context, StoredOfficeVersion(context.registry));
}

}  // namespace kdw::pages
