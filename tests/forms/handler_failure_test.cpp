// A handler that throws: the user is told once, the form shows what is
// stored, and the next event is served as usual.
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>

#include "forms/fake_host.h"
#include "forms/handler_failure.h"
#include "platform/fakes.h"

namespace kdw::forms {
namespace {

constexpr ControlSpec kControls[] = {
    {"Check1", ControlKind::kCheckBox, "Hide the clock", {120, 120, 2000, 240}},
    {"Timer1", ControlKind::kTimer, "", {}, "", 0, "", "", 1000},
};
const FormSpec kPage = {"frmPage", "Page", FormStyle::kMdiChild, 6000, 5000, kControls};
constexpr WindowHandle kOwner = 0x1234;

const char kFirstLine[] =
    "Kelmor Deskwarden met an internal error and could not finish this action.";

// A page in small: the box shows a stored value, and its click stores the
// new state, failing while `refuse` is set, after the box has changed.
class FailingPage : public ::testing::Test {
 protected:
  void SetUp() override {
    host.Show(form, nullptr);
    form.check("Check1").on_click = [this] {
      if (refuse) throw std::runtime_error("Access is denied.");
      stored = form.check("Check1").value();
    };
    form.on_action_failed = [this] {
      ++put_back;
      form.check("Check1").SetValue(stored);
    };
  }
  // What the window procedure does with a user's click.
  void UserClick(HandlerFailureReport& report) {
    try {
      form.check("Check1").UserClick();
    } catch (...) {
      report.Tell(std::current_exception(), &form, kOwner);
    }
  }

  FakeHost host;
  Form form{kPage};
  FakeMessageBoxes messages;
  HandlerFailureReport report{messages};
  bool refuse = true;
  int stored = 0;
  int put_back = 0;
};

TEST_F(FailingPage, TellsOnceWithTheErrorAndTheFormShowsWhatIsStored) {
  UserClick(report);
  ASSERT_EQ(1u, messages.shown().size());
  const ShownMessage& shown = messages.shown()[0];
  EXPECT_EQ(std::string(kFirstLine) + "\n\nAccess is denied.", shown.text);
  EXPECT_EQ("Kelmor Deskwarden", shown.title);
  EXPECT_EQ(mb::kOk | mb::kIconStop, shown.style);
  EXPECT_EQ(kOwner, shown.owner);
  EXPECT_EQ(0, form.check("Check1").value()) << "the box shows what is stored, not the click";

  // The next click is served as any other.
  refuse = false;
  UserClick(report);
  EXPECT_EQ(1, stored);
  EXPECT_EQ(1u, messages.shown().size());

  // What is no standard error has nothing more to say; a form that cannot
  // even go back ends nothing.
  form.check("Check1").on_click = [] { throw 42; };
  form.on_action_failed = [] { throw std::runtime_error("cannot read the key"); };
  UserClick(report);
  ASSERT_EQ(2u, messages.shown().size());
  EXPECT_EQ(kFirstLine, messages.shown()[1].text);
}

// A box whose own loop serves more events while it shows, as a real one
// does: `meanwhile` runs in it.
class BusyMessageBoxes : public FakeMessageBoxes {
 public:
  int Show(WindowHandle owner, const std::string& text, const std::string& title,
           std::uint32_t style) override {
    const int answer = FakeMessageBoxes::Show(owner, text, title, style);
    if (meanwhile) meanwhile();
    return answer;
  }
  std::function<void()> meanwhile;
};

TEST_F(FailingPage, WhatFailsWhileTheMessageShowsAddsNoSecondOne) {
  BusyMessageBoxes busy;
  HandlerFailureReport busy_report(busy);
  form.timer("Timer1").on_timer = [] { throw std::runtime_error("from a tick"); };
  busy.meanwhile = [&] {
    try {
      form.timer("Timer1").Fire();
    } catch (...) {
      busy_report.Tell(std::current_exception(), &form, kOwner);
    }
  };
  UserClick(busy_report);
  ASSERT_EQ(1u, busy.shown().size());
  EXPECT_NE(std::string::npos, busy.shown()[0].text.find("Access is denied."));
  EXPECT_EQ(2, put_back) << "each failed handler's form goes back";

  // A form that goes while its message shows is not asked afterwards.
  busy.meanwhile = [&] { busy_report.Forget(form); };
  UserClick(busy_report);
  EXPECT_EQ(2u, busy.shown().size());
  EXPECT_EQ(2, put_back);
}

}  // namespace
}  // namespace kdw::forms
