#include "tests/shell/shell_fixture.h"

namespace kdw::shell {
namespace {

TEST_F(ShellTest, FirstStartAsksForTheOwnerThenOpensTheMainWindow) {
  EXPECT_TRUE(registry.DeleteValue(HKLM, kProductKey, "Owner").ok());
  input.QueueAnswer("Sam");
  ASSERT_TRUE(Start());
  ASSERT_EQ(1u, input.asked().size());
  EXPECT_EQ("Enter this program's owner name.", input.asked()[0].prompt);
  EXPECT_EQ("Kelmor Deskwarden", input.asked()[0].title);
  EXPECT_EQ("Sam", registry.GetStringValue(HKLM, kProductKey, "Owner"));
  // frmAdd comes when the first picture is taken from it; it is never shown.
  EXPECT_EQ((std::vector<std::string>{"frmMain", "frmWelcome", "frmAdd"}), host.shown);
  EXPECT_TRUE(messages.shown().empty());
}

TEST_F(ShellTest, CancelledOwnerQuestionIsStoredEmptyAndAskedAgain) {
  EXPECT_TRUE(registry.DeleteValue(HKLM, kProductKey, "Owner").ok());
  input.QueueCancel();
  ASSERT_TRUE(Start());
  EXPECT_EQ(Presence::kThere, registry.ValuePresence(HKLM, kProductKey, "Owner"));
  Application again(context);
  input.QueueAnswer("Later");
  again.Main();
  EXPECT_EQ(2u, input.asked().size());
}

TEST_F(ShellTest, AnythingButWindowsXpIsRefusedAndTheProgramEnds) {
  for (const char* product : {"Microsoft Windows XP Professional", "microsoft windows xp", ""}) {
    EXPECT_TRUE(registry.SaveStringValue(HKLM, "Software\\Microsoft\\Windows NT\\CurrentVersion",
                             "ProductName", product).ok());
    Application application(context);
    EXPECT_FALSE(application.Main()) << product;
    EXPECT_EQ("Sorry, this application is only for Microsoft Windows XP", LastMessage().text);
    EXPECT_EQ(mb::kIconStop, LastMessage().icon());
    EXPECT_EQ(mb::kOk, LastMessage().buttons());
    EXPECT_EQ("Kelmor Deskwarden", LastMessage().title);
  }
  EXPECT_EQ(3, host.quits);
  EXPECT_TRUE(host.shown.empty());
}

TEST_F(ShellTest, AnEmptyPasswordOpensTheMainWindowASetOneThePrompt) {
  EXPECT_TRUE(registry.SaveStringValue(HKLM, kProductKey, "Pass", "").ok());
  ASSERT_TRUE(Start());
  EXPECT_EQ("frmMain", host.shown.at(0));

  EXPECT_TRUE(registry.SaveStringValue(HKLM, kProductKey, "Pass", "secret").ok());
  Application locked(context);
  host.shown.clear();
  ASSERT_TRUE(locked.Main());
  EXPECT_EQ((std::vector<std::string>{"frmPass"}), host.shown);
  EXPECT_EQ(nullptr, locked.main_window());
}

TEST_F(ShellTest, AccountDetectionLeavesNoProbeAndIgnoresALeftoverOne) {
  EXPECT_EQ(AccountType::kAdministrator, DetectAccountType(registry));
  EXPECT_STREQ("Administrator", AccountTypeName(context.Account()));
  EXPECT_EQ(Presence::kMissing, registry.ValuePresence(HKLM, kProbeKey, kProbeValue));
  EXPECT_TRUE(memory.KeyExists(HKLM, kProbeKey));

  // A probe left behind by a program that stopped half-way.
  EXPECT_TRUE(registry.SaveStringValue(HKLM, kProbeKey, kProbeValue, "Admin").ok());
  memory.SetMachineWideReadOnly(true);
  EXPECT_EQ(AccountType::kLimited, DetectAccountType(registry));
  EXPECT_STREQ("Limited", AccountTypeName(context.Account()));
  EXPECT_EQ("Admin", registry.GetStringValue(HKLM, kProbeKey, kProbeValue));
}

TEST_F(ShellTest, RunCommandShowsTheWindowAndSwallowsFailures) {
  processes.SetFailing(true);
  RunCommand(processes, "missing.exe");
  ASSERT_EQ(1u, processes.started().size());
  EXPECT_EQ(sw::kShow, processes.started()[0].show_command);
  EXPECT_TRUE(messages.shown().empty());
}

}  // namespace
}  // namespace kdw::shell
