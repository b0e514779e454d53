// What still waits for Windows, as the journal finds it: a change and its
// undoing, a click and a click back, the page's own write-back, and a
// restart of Explorer.
#include "shell/waiting_changes.h"

#include <gtest/gtest.h>

#include "forms/fake_host.h"
#include "registry/memory_registry.h"
#include "shell/waiting_form.h"
#include "tests/core/fake_platform.h"

namespace kdw::shell {
namespace {

constexpr const char* kExplorer = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
constexpr const char* kSystem = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";
constexpr const char* kBrowser = "Software\\Microsoft\\Internet Explorer\\Main";

class WaitingChangesTest : public ::testing::Test {
 protected:
  std::string Line() const { return WaitingLine(waiting_.List(journal_, reg_)); }

  MemoryRegistry api_;
  RegistryJournal journal_{api_};
  Registry reg_{journal_};
  WaitingChanges waiting_;
};

TEST_F(WaitingChangesTest, OnlyChangesThatTakeEffectLaterAreListedEachOnce) {
  EXPECT_EQ(Line(), "");
  // What opening a page writes back (0 where nothing was stored) changes
  // nothing a user would notice.
  EXPECT_TRUE(reg_.SaveDwordValue(HKCU, kExplorer, "NoRun", 0).ok());
  EXPECT_EQ(Line(), "");

  EXPECT_TRUE(reg_.SaveDwordValue(HKCU, kExplorer, "NoRun", 1).ok());
  EXPECT_TRUE(reg_.SaveDwordValue(HKLM, kSystem, "DontDisplayLastUserName", 1).ok());
  EXPECT_TRUE(reg_.SaveStringValue(HKCU, kBrowser, "Window Title", "Kiosk").ok());
  const auto waiting = waiting_.List(journal_, reg_);
  ASSERT_EQ(waiting.size(), 2u) << "the browser reads its title at once";
  EXPECT_EQ(waiting[0].section, "Start Menu");
  EXPECT_EQ(waiting[0].caption, "Hide Run from Start Menu");
  EXPECT_EQ(waiting[0].effect, pages::Effect::kExplorerRestart);
  EXPECT_EQ(waiting[1].caption, "Don't Remember Last User Name");
  EXPECT_EQ(Line(), "1 change takes effect at the next log on; 1 when Explorer restarts.");

  // A click and a click back, and the undoing of all, leave nothing.
  EXPECT_TRUE(reg_.SaveDwordValue(HKCU, kExplorer, "NoRun", 0).ok());
  EXPECT_EQ(Line(), "1 change takes effect at the next log on.");
  journal_.Undo();
  EXPECT_EQ(Line(), "");
}

TEST_F(WaitingChangesTest, ARestartOfExplorerPutsItsChangesToWorkUntilTheNextChange) {
  EXPECT_TRUE(reg_.SaveDwordValue(HKCU, kExplorer, "NoRun", 1).ok());
  EXPECT_TRUE(reg_.SaveDwordValue(HKCU, kExplorer, "NoClose", 1).ok());
  EXPECT_TRUE(reg_.SaveDwordValue(HKLM, kSystem, "DontDisplayLastUserName", 1).ok());
  EXPECT_EQ(Line(), "1 change takes effect at the next log on; 2 when Explorer restarts.");
  waiting_.ExplorerRestarted(journal_);
  EXPECT_EQ(Line(), "1 change takes effect at the next log on.");
  // Changed again after the restart: it waits again; put back as Explorer
  // last read it, it does not.
  EXPECT_TRUE(reg_.SaveDwordValue(HKCU, kExplorer, "NoRun", 2).ok());
  EXPECT_EQ(Line(), "1 change takes effect at the next log on; 1 when Explorer restarts.");
  EXPECT_TRUE(reg_.SaveDwordValue(HKCU, kExplorer, "NoRun", 1).ok());
  EXPECT_EQ(Line(), "1 change takes effect at the next log on.");
  // Back as it was when the session began is no change at all.
  EXPECT_TRUE(reg_.SaveDwordValue(HKCU, kExplorer, "NoClose", 0).ok());
  EXPECT_EQ(Line(), "1 change takes effect at the next log on.");
}

TEST_F(WaitingChangesTest, TheDialogOffersWhatPutsTheChangesToWork) {
  forms::FakeHost host;
  kdw::test::FakePlatform fakes;
  Context context = fakes.ContextFor(reg_, host);
  int refreshed = 0;
  int logged_off = 0;
  WaitingForm form(
      context, [this] { return waiting_.List(journal_, reg_); },
      {.refresh_windows = [&] {
         ++refreshed;
         waiting_.ExplorerRestarted(journal_);
         return true;
       },
       .log_off = [&] { ++logged_off; }});
  EXPECT_TRUE(reg_.SaveDwordValue(HKCU, kExplorer, "NoRun", 1).ok());
  form.Load();
  EXPECT_EQ(form.form().list("List1").items(),
            std::vector<std::string>{"Start Menu\tHide Run from Start Menu\twhen Windows Explorer restarts"});
  EXPECT_TRUE(form.form().control("Command1").enabled());
  EXPECT_FALSE(form.form().control("Command2").enabled()) << "nothing waits for a log on";

  form.form().control("Command1").UserClick();
  EXPECT_EQ(refreshed, 1);
  EXPECT_EQ(form.form().list("List1").items(),
            std::vector<std::string>{"Nothing is waiting: every change is in effect."});
  EXPECT_FALSE(form.form().control("Command1").enabled());
  EXPECT_EQ(logged_off, 0);
}

}  // namespace
}  // namespace kdw::shell
