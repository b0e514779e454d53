#include "platform/password_hash.h"
#include "shell/password.h"
#include "tests/shell/shell_fixture.h"

namespace kdw::shell {
namespace {

class PasswordTest : public ShellTest {
 protected:
  std::string Stored() { return registry.GetStringValue(HKLM, kProductKey, "Pass"); }
  void SetPassword(const std::string& password) {
    EXPECT_TRUE(registry.SaveStringValue(HKLM, kProductKey, "Pass",
                             *MakePasswordRecord(crypto, password)).ok());
  }
  PasswordPrompt& Prompt() {
    EXPECT_TRUE(Start());
    return *application.password_prompt();
  }
  void Type(PasswordPrompt& prompt, const std::string& text) {
    prompt.form().text("Text1").UserEdit(text);
  }
  void Dialogue() { CreateOrChangePassword(context, 0); }
};

TEST_F(PasswordTest, RightPasswordOpensTheMainWindowAndClosesThePrompt) {
  SetPassword("Secret");
  auto& prompt = Prompt();
  EXPECT_EQ(forms::kPassword, prompt.form().text("Text1").flags() & forms::kPassword);
  Type(prompt, "Secret");
  prompt.form().text("Text1").UserKeyDown(13);
  ASSERT_NE(nullptr, application.main_window());
  EXPECT_EQ((std::vector<std::string>{"frmPass"}), host.destroyed);
  EXPECT_TRUE(messages.shown().empty());
}

TEST_F(PasswordTest, WrongCaseIsRefusedAndRetryClearsTheEntry) {
  SetPassword("Secret");
  auto& prompt = Prompt();
  Type(prompt, "secret");
  messages.QueueAnswer(mb::kIdRetry);
  prompt.Command1_Click();
  ASSERT_EQ(1u, messages.shown().size());
  EXPECT_EQ("Password is incorrect. Would you like to try again?", LastMessage().text);
  EXPECT_EQ(mb::kIconStop, LastMessage().icon());
  EXPECT_EQ(mb::kRetryCancel, LastMessage().buttons());
  EXPECT_EQ("", prompt.form().text("Text1").text());
  EXPECT_EQ("Text1", host.focused);
  EXPECT_EQ(nullptr, application.main_window());
  EXPECT_EQ(0, host.quits);

  messages.QueueAnswer(mb::kIdCancel);
  prompt.Command1_Click();
  EXPECT_EQ(1, host.quits);
  EXPECT_EQ(nullptr, application.main_window());
}

TEST_F(PasswordTest, EscapeCancelAndTheCloseBoxEndTheProgram) {
  SetPassword("Secret");
  auto& prompt = Prompt();
  prompt.form().text("Text1").UserKeyDown(27);
  prompt.form().control("Command2").UserClick();
  ASSERT_TRUE(prompt.form().on_close_request);
  prompt.form().on_close_request();  // the close box, Alt+F4
  EXPECT_EQ(3, host.quits);
  EXPECT_EQ(nullptr, application.main_window());
}

TEST_F(PasswordTest, PlainTextPasswordOfAnEarlierVersionStillOpens) {
  EXPECT_TRUE(registry.SaveStringValue(HKLM, kProductKey, "Pass", "legacy").ok());
  auto& prompt = Prompt();
  Type(prompt, "legacy");
  prompt.Command1_Click();
  EXPECT_NE(nullptr, application.main_window());
}

TEST_F(PasswordTest, CreatingStoresAHashNeverThePassword) {
  input.QueueAnswer("n3w pass");
  input.QueueAnswer("n3w pass");
  Dialogue();
  ASSERT_EQ(2u, input.asked().size());
  EXPECT_EQ("Please enter your new password.", input.asked()[0].prompt);
  EXPECT_EQ("Please confirm your new password.", input.asked()[1].prompt);
  EXPECT_EQ("Kelmor Deskwarden - Create Password", input.asked()[1].title);
  EXPECT_EQ("Password created.", LastMessage().text);
  EXPECT_EQ(mb::kIconInformation, LastMessage().icon());
  EXPECT_TRUE(IsHashedRecord(Stored()));
  EXPECT_EQ(std::string::npos, Stored().find("n3w pass"));
  EXPECT_TRUE(PasswordMatches(crypto, Stored(), "n3w pass"));
}

// Windows XP before SP3 hashes with the bundled SHA-256: a password set there
// opens the prompt here, and one set here is checked there.
TEST_F(PasswordTest, RecordsAreTheSameWithTheBundledHash) {
  OpenSslCrypto bundled(Sha256Source::kBundled);
  EXPECT_TRUE(registry.SaveStringValue(HKLM, kProductKey, "Pass", *MakePasswordRecord(bundled, "Old XP")).ok());
  auto& prompt = Prompt();
  Type(prompt, "Old XP");
  prompt.Command1_Click();
  ASSERT_NE(nullptr, application.main_window());

  input.QueueAnswer("Old XP");
  input.QueueAnswer("SP2 box");
  input.QueueAnswer("SP2 box");
  Dialogue();
  EXPECT_EQ("Password created", LastMessage().text);
  EXPECT_TRUE(PasswordMatches(bundled, Stored(), "SP2 box"));
  EXPECT_FALSE(PasswordMatches(bundled, Stored(), "SP2 Box"));
}

TEST_F(PasswordTest, MismatchStoresNothing) {
  input.QueueAnswer("one");
  input.QueueAnswer("two");
  Dialogue();
  EXPECT_EQ("Password confirmation does not match with your new password.\r\nPlease try again.",
            LastMessage().text);
  EXPECT_EQ(mb::kIconStop, LastMessage().icon());
  EXPECT_EQ(Presence::kMissing, registry.ValuePresence(HKLM, kProductKey, "Pass"));
}

TEST_F(PasswordTest, ChangingNeedsTheOldPasswordAndUpgradesPlainText) {
  EXPECT_TRUE(registry.SaveStringValue(HKLM, kProductKey, "Pass", "old").ok());
  input.QueueAnswer("OLD");
  Dialogue();
  EXPECT_EQ(1u, input.asked().size());
  EXPECT_EQ("Enter your old password.", input.asked()[0].prompt);
  EXPECT_EQ("Kelmor Deskwarden", input.asked()[0].title);
  EXPECT_TRUE(messages.shown().empty());
  EXPECT_EQ("old", Stored());

  input.QueueAnswer("old");
  input.QueueAnswer("newer");
  input.QueueAnswer("newer");
  Dialogue();
  EXPECT_EQ("Password created", LastMessage().text);
  EXPECT_TRUE(IsHashedRecord(Stored()));
  EXPECT_TRUE(PasswordMatches(crypto, Stored(), "newer"));
}

TEST_F(PasswordTest, EnteringNothingTwiceRemovesThePassword) {
  SetPassword("gone soon");
  input.QueueAnswer("gone soon");
  input.QueueCancel();
  input.QueueCancel();
  Dialogue();
  EXPECT_EQ("Password created", LastMessage().text);
  EXPECT_EQ(Presence::kThere, registry.ValuePresence(HKLM, kProductKey, "Pass"));
  EXPECT_EQ("", Stored());
  Application next(context);
  next.Main();
  EXPECT_NE(nullptr, next.main_window());
}

TEST_F(PasswordTest, LimitedAccountIsToldThePasswordWasNotStored) {
  SetPassword("kept");
  const std::string before = Stored();
  memory.SetMachineWideReadOnly(true);
  input.QueueAnswer("kept");
  input.QueueAnswer("other");
  input.QueueAnswer("other");
  Dialogue();
  EXPECT_NE(std::string::npos, LastMessage().text.find("could not be stored"));
  EXPECT_EQ(mb::kIconStop, LastMessage().icon());
  EXPECT_EQ(before, Stored());
}

}  // namespace
}  // namespace kdw::shell
