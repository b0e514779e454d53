#include "shell/password.h"

#include <array>

#include "platform/password_hash.h"
#include "shell/general.h"

namespace kdw::shell {
namespace {

using forms::ControlKind;
using forms::ControlSpec;

constexpr std::array<ControlSpec, 5> kControls = {{
    {"Image1", ControlKind::kImage, "", {240, 240, 480, 480}, "", 0, "PIC_LOCK"},
    {"Label1", ControlKind::kLabel, "To continue, please enter your password:",
     {900, 300, 3600, 255}},
    {"Text1", ControlKind::kTextBox, "", {900, 660, 3600, 300}, "", forms::kPassword},
    {"Command1", ControlKind::kCommandButton, "OK", {2280, 1140, 1050, 600}, "", 0, "BTN_OK",
     "OK"},
    {"Command2", ControlKind::kCommandButton, "Cancel", {3450, 1140, 1050, 600}, "", 0,
     "BTN_CANCEL", "Cancel"},
}};

const forms::FormSpec kSpec = {"frmPass", "Welcome to Kelmor Deskwarden",
                               forms::FormStyle::kTopLevel, 4920, 2400, kControls};

constexpr int kEnter = 13;
constexpr int kEscape = 27;

std::string StoredPassword(const Registry& registry) {
  return registry.GetStringValue(HKLM, kProductKey, kPassValue);
}

}  // namespace

PasswordPrompt::PasswordPrompt(Context& context, std::function<void()> open_main_window)
    : context_(context), open_main_window_(std::move(open_main_window)), form_(kSpec) {
  form_.control("Command1").on_click = [this] { Command1_Click(); };
  form_.control("Command2").on_click = [this] { Command2_Click(); };
  form_.text("Text1").on_key_down = [this](int key) { Text1_KeyDown(key); };
  // The close box (or Alt+F4) leaves the program as Cancel does: the prompt
  // is its only window, so closing it alone would leave nothing to show.
  form_.on_close_request = [this] { Command2_Click(); };
}

void PasswordPrompt::Command1_Click() {
  const std::string typed = form_.text("Text1").text();
  if (PasswordMatches(context_.crypto, StoredPassword(context_.registry), typed)) {
    open_main_window_();
    context_.host.Destroy(form_);
    return;
  }
  const int answer = context_.messages.Show(
      context_.host.WindowOf(form_), "Password is incorrect. Would you like to try again?",
      kTitle, mb::kIconStop | mb::kRetryCancel);
  if (answer == mb::kIdCancel) {
    context_.host.Quit();
    return;
  }
  form_.text("Text1").SetText("");
  context_.host.SetFocus(form_, form_.text("Text1"));
}

void PasswordPrompt::Command2_Click() { context_.host.Quit(); }

void PasswordPrompt::Text1_KeyDown(int key) {
  if (key == kEnter) {
    Command1_Click();
  } else if (key == kEscape) {
    context_.host.Quit();
  }
}

void CreateOrChangePassword(Context& context, WindowHandle owner) {
  const Registry& registry = context.registry;
  const bool changing = !StoredPassword(registry).empty();
  if (changing) {
    const std::string old = context.input.Ask(owner, "Enter your old password.", kTitle, "");
    if (!PasswordMatches(context.crypto, StoredPassword(registry), old)) return;
  }
  const char* create_title = "Kelmor Deskwarden - Create Password";
  const std::string first =
      context.input.Ask(owner, "Please enter your new password.", create_title, "");
  const std::string second =
      context.input.Ask(owner, "Please confirm your new password.", create_title, "");
  if (first != second) {
    context.messages.Show(
        owner, "Password confirmation does not match with your new password.\r\nPlease try again.",
        kTitle, mb::kIconStop | mb::kOk);
    return;
  }
  // Never the password itself: a limited account can read HKLM. Nothing
  // typed twice removes the password.
  std::string record;
  if (!first.empty()) {
    auto made = MakePasswordRecord(context.crypto, first);
    if (!made) {
      context.messages.Show(owner,
                             "The password could not be stored: this computer could not "
                             "protect it.\r\nThe old password stays in force.",
                             kTitle, mb::kIconStop | mb::kOk);
      return;
    }
    record = *made;
  }
  if (!registry.SaveStringValue(HKLM, kProductKey, kPassValue, record).ok()) {
    context.messages.Show(owner,
                           "The password could not be stored. You need to be an administrator "
                           "to change it.\r\nThe old password stays in force.",
                           kTitle, mb::kIconStop | mb::kOk);
    return;
  }
  context.messages.Show(owner, changing ? "Password created" : "Password created.", kTitle,
                         mb::kIconInformation | mb::kOk);
}

}  // namespace kdw::shell
