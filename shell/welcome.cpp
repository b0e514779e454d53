#include "shell/welcome.h"

#include <array>

#include "shell/general.h"

namespace kdw::shell {
namespace {

using forms::ControlKind;
using forms::ControlSpec;

constexpr std::array<ControlSpec, 10> kControls = {{
    {"Image1", ControlKind::kImage, "", {240, 240, 480, 480}, "", 0, "PIC_WELCOME1"},
    {"Label1", ControlKind::kLabel, "Welcome to Kelmor Deskwarden v3.0", {900, 300, 5200, 420},
     "", forms::kSerifFont | forms::kLargeFont | forms::kBoldFont},
    {"Line1", ControlKind::kLine, "", {240, 900, 5900, 30}},
    {"Label2", ControlKind::kLabel, "This copy of Kelmor Deskwarden is registered to:",
     {240, 1140, 5900, 255}},
    {"Text1", ControlKind::kTextBox, "", {240, 1440, 5900, 285}, "",
     forms::kReadOnly | forms::kFormBackground | forms::kBoldFont},
    {"Text2", ControlKind::kTextBox, "Text2", {240, 1800, 5900, 285}, "",
     forms::kReadOnly | forms::kFormBackground},
    {"Shape1", ControlKind::kShape, "", {240, 2280, 5900, 1560}},
    {"Label3", ControlKind::kLabel, "", {360, 2400, 5660, 1320}},
    {"Image2", ControlKind::kImage, "", {240, 4020, 480, 480}, "", 0, "PIC_WELCOME2"},
    {"Label4", ControlKind::kLabel, "", {900, 4140, 5200, 255}},
}};

const forms::FormSpec kSpec = {"frmWelcome", "Welcome", forms::FormStyle::kMdiChild, 6480, 5040,
                               kControls};

constexpr char kLegalNotice[] =
    "Warning: this program changes Windows settings stored in the registry. Every change "
    "takes effect at once and cannot be undone from here. Some settings take effect only "
    "after Windows Explorer is restarted or you log on again. This program is protected by "
    "copyright law; unauthorized copying or distribution of it is prohibited.";
constexpr char kMakerLine[] = "Kelmor Deskwarden v3.0 - made by Kelmor";

}  // namespace

WelcomeForm::WelcomeForm(const Registry& registry) : registry_(registry), form_(kSpec) {}

void WelcomeForm::Load() {
  form_.control("Label3").SetCaption(kLegalNotice);
  form_.control("Label4").SetCaption(kMakerLine);
  form_.text("Text1").SetText(registry_.GetStringValue(HKLM, kProductKey, "Owner"));
  form_.text("Text2").SetText("");
}

}  // namespace kdw::shell
