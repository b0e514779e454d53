#include "shell/waiting_form.h"

#include <algorithm>
#include <string>

namespace kdw::shell {
namespace {

using forms::ControlKind;
using forms::ControlSpec;

constexpr int kWidth = 8400;  // outer
constexpr int kInner = kWidth - 240;
constexpr int kButtonWidth = 1800;
constexpr int kButtonsTop = 3840;

constexpr ControlSpec kControls[] = {
    {"Label1", ControlKind::kLabel,
     "These changes are stored; Windows puts them to work only at the moment shown:",
     {120, 120, kInner - 240, 240}},
    {"List1", ControlKind::kListBox, "", {120, 420, kInner - 240, 3300}},
    {"Command1", ControlKind::kCommandButton, "Refresh Windows",
     {120, kButtonsTop, kButtonWidth, 360}},
    {"Command2", ControlKind::kCommandButton, "Log Off",
     {120 + kButtonWidth + 120, kButtonsTop, kButtonWidth, 360}},
    {"Command3", ControlKind::kCommandButton, "Close",
     {kInner - 120 - 1095, kButtonsTop, 1095, 360}},
};

const forms::FormSpec kWaitingForm = {"frmWaiting", "Changes Waiting", forms::FormStyle::kDialog,
                                      kWidth, kButtonsTop + 360 + 120 + 450, kControls};

// Where the list's columns start: the section, the caption, when.
const std::vector<int> kColumns = {1800, 5400};

bool Any(const std::vector<WaitingChange>& waiting, pages::Effect effect) {
  return std::any_of(waiting.begin(), waiting.end(),
                     [&](const WaitingChange& change) { return change.effect == effect; });
}

}  // namespace

WaitingForm::WaitingForm(Context& context, std::function<std::vector<WaitingChange>()> list,
                         Actions actions)
    : context_(context), form_(kWaitingForm), list_(std::move(list)), actions_(std::move(actions)) {
  form_.list("List1").SetTabStops(kColumns);
  form_.control("Command1").on_click = [this] { Command1_Click(); };
  form_.control("Command2").on_click = [this] {
    context_.host.Destroy(form_);
    if (actions_.log_off) actions_.log_off();
  };
  form_.control("Command3").on_click = [this] { context_.host.Destroy(form_); };
}

void WaitingForm::Load() {
  const std::vector<WaitingChange> waiting = list_();
  std::vector<std::string> lines;
  for (const WaitingChange& change : waiting) {
    lines.push_back(change.section + "\t" + change.caption + "\t" + pages::WhenText(change.effect));
  }
  if (lines.empty()) lines.push_back("Nothing is waiting: every change is in effect.");
  form_.list("List1").SetItems(std::move(lines));
  // Each way is offered where it puts something to work.
  form_.control("Command1").SetEnabled(Any(waiting, pages::Effect::kExplorerRestart));
  form_.control("Command2").SetEnabled(Any(waiting, pages::Effect::kNextLogon));
}

// Explorer's changes leave the list once it has restarted.
void WaitingForm::Command1_Click() {
  if (actions_.refresh_windows && actions_.refresh_windows()) Load();
}

}  // namespace kdw::shell
