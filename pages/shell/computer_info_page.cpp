#include "pages/shell/computer_info_page.h"

#include "base/keys.h"
#include "pages/layout.h"

namespace kdw::pages {
namespace {

using forms::ControlKind;

constexpr const char* kCurrentVersion = keys::kWindowsNtVersion;
constexpr const char* kSystem = "Hardware\\Description\\System";
constexpr const char* kProcessor = "Hardware\\Description\\System\\CentralProcessor\\0";

constexpr int kWidth = 5400;
// The frames fill the page's client width, less a margin each side.
constexpr int kFrameWidth = kWidth - kChromeWidth - 2 * kMargin;
constexpr Column kText{kMargin, 300, 4300, 360, kTextHeight};
constexpr Column kInFrame{kMargin, kFrameTop, kFrameWidth - 2 * kMargin, 300};
constexpr int kCpuTop = kText.Bottom(2) + 120;
constexpr int kCpuHeight = kInFrame.Bottom(3) + 90;
constexpr int kBiosTop = kCpuTop + kCpuHeight + 60;
constexpr int kBiosHeight = kInFrame.Bottom(5) + 90;

constexpr SettingRow kRows[] = {
    Text("Text1", HKLM, kCurrentVersion, "RegisteredOwner").At(kText.Line(0)).MachineWide()
        .Explained(Effect::kImmediately,
                   "Name shown as the registered owner in System Properties and in programs' About "
                   "boxes; setup programs offer it as the default user name."),
    Text("Text2", HKLM, kCurrentVersion, "RegisteredOrganization").At(kText.Line(1)).MachineWide()
        .Explained(Effect::kImmediately,
                   "Organization printed under the owner's name in System Properties, About boxes "
                   "and installation wizards."),
};

constexpr forms::ControlSpec kControls[] = {
    {"Label1", ControlKind::kLabel, "Registered to:", {kMargin, 60, 3000, kLineHeight}},
    {"Image1", ControlKind::kImage, "", {kMargin + kFrameWidth - 480, 0, 480, 480}, "", 0, "ADD08"},
    {"Frame1", ControlKind::kFrame, "CPU", {kMargin, kCpuTop, kFrameWidth, kCpuHeight}},
    {"Label2", ControlKind::kLabel, "CPU:", kInFrame.Line(0), "Frame1"},
    {"Label3", ControlKind::kLabel, "Identifier:", kInFrame.Line(1), "Frame1"},
    {"Label4", ControlKind::kLabel, "Vendor Identifier:", kInFrame.Line(2), "Frame1"},
    {"Frame2", ControlKind::kFrame, "BIOS", {kMargin, kBiosTop, kFrameWidth, kBiosHeight}},
    {"Label5", ControlKind::kLabel, "Identifier:", kInFrame.Line(0), "Frame2"},
    {"Label6", ControlKind::kLabel, "System BIOS Version:", kInFrame.Line(1), "Frame2"},
    {"Label7", ControlKind::kLabel, "System BIOS Date:", kInFrame.Line(2), "Frame2"},
    {"Label8", ControlKind::kLabel, "Video BIOS Date:", kInFrame.Line(3), "Frame2"},
    {"Label9", ControlKind::kLabel, "Video BIOS Version:", kInFrame.Line(4), "Frame2"},
};

// An information line: its label shows the prefix and the value read.
struct InfoLine {
  const char* label;
  const char* prefix;
  const char* key;
  const char* value;
  bool multi;  // a list of strings, of which the first is shown
};

// The processor line says "CPU Name: " although its design caption is "CPU:".
constexpr InfoLine kInfoLines[] = {
    {"Label2", "CPU Name: ", kProcessor, "ProcessorNameString", false},
    {"Label3", "Identifier: ", kProcessor, "Identifier", false},
    {"Label4", "Vendor Identifier: ", kProcessor, "VendorIdentifier", false},
    {"Label5", "Identifier: ", kSystem, "Identifier", false},
    {"Label6", "System BIOS Version: ", kSystem, "SystemBiosVersion", true},
    {"Label7", "System BIOS Date: ", kSystem, "SystemBiosDate", false},
    {"Label8", "Video BIOS Date: ", kSystem, "VideoBiosDate", false},
    {"Label9", "Video BIOS Version: ", kSystem, "VideoBiosVersion", true},
};

class ComputerInfoPage : public SettingPage {
 public:
  explicit ComputerInfoPage(Context& context) : SettingPage(context, kComputerInfoPage) {
    for (const InfoLine& line : kInfoLines) labels_.push_back(&Use(line.label));
  }

  void AfterRows() override {
    for (std::size_t i = 0; i < std::size(kInfoLines); ++i) {
      const InfoLine& line = kInfoLines[i];
      const std::string text = line.multi ? registry().GetMultiStringValue(HKLM, line.key, line.value)
                                          : registry().GetStringValue(HKLM, line.key, line.value);
      labels_[i]->SetCaption(line.prefix + text);
    }
  }

 private:
  std::vector<forms::Control*> labels_;
};

}  // namespace

const PageSpec kComputerInfoPage{
    .name = "frmInfos",
    .caption = "Computer Informations",
    .width = kWidth,
    .height = kBiosTop + kBiosHeight + 60 + kChromeHeight,
    .rows = kRows,
    .controls = kControls,
};

std::unique_ptr<forms::FormController> MakeComputerInfoPage(Context& context) {
  return std::make_unique<ComputerInfoPage>(context);
}

}  // namespace kdw::pages
