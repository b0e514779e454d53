// Find, export and undo, over the whole program with the in-process
// registry: the catalogue is every page's settings.
#include <algorithm>
#include <optional>

#include "base/text.h"
#include "pages/catalogue.h"
#include "pages/export.h"
#include "pages/settings_index.h"
#include "registry/policy_file.h"
#include "shell/find_form.h"
#include "shell/import.h"
#include "shell/main_window.h"
#include "shell/policy_templates.h"
#include "shell/tools.h"
#include "tests/forms/layout_check.h"
#include "tests/registry/pol_reader.h"
#include "tests/registry/reg_reader.h"
#include "tests/shell/shell_fixture.h"

namespace kdw::shell {
namespace {

constexpr char kPolicies[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";

constexpr char kWinlogon[] = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";

// Imports a read .reg file into `into` as regedit does.
void Import(const test::ReadRegFile& read, MemoryRegistry& into) {
  const Registry target(into);
  for (const RegFileKey& file_key : read.keys) {
    if (file_key.remove) {
      // Deepest first is not needed here: no removed key has subkeys left.
      EXPECT_TRUE(target.DeleteKey(static_cast<Hive>(file_key.hive), file_key.path).ok());
      continue;
    }
    RegKey handle = 0;
    into.CreateKey(file_key.hive, file_key.path, &handle);
    for (const RegFileValue& value : file_key.values) {
      if (!value.present) {
        into.DeleteValue(handle, value.name);
      } else {
        into.SetValue(handle, value.name, value.type, value.data.data(),
                      static_cast<std::uint32_t>(value.data.size()));
      }
    }
    into.CloseKey(handle);
  }
}

// The key a setting has in its policy file, and the file's hive.
std::string PolicyKey(const pages::IndexedSetting& setting) {
  return setting.hive == HKCR ? "Software\\Classes\\" + setting.key : setting.key;
}
Hive PolicyHive(const pages::IndexedSetting& setting) {
  return setting.hive == HKCU ? HKCU : HKLM;
}

// Applies a read policy file to the hive as Group Policy does: each entry's
// key is made, then its value set or its command carried out. A removed key
// goes with everything below it (here: every catalogued key).
void Apply(const test::ReadPolFile& file, Hive hive, MemoryRegistry& into,
           const std::vector<pages::IndexedSetting>& settings) {
  const Registry target(into);
  for (const test::PolEntry& entry : file.entries) {
    const std::string key = test::Narrow(entry.key);
    const std::string name = test::Narrow(entry.value);
    RegKey handle = 0;
    ASSERT_EQ(into.CreateKey(hive, key, &handle), 0) << key;
    if (FoldCase(name) == "**deletekeys") {
      for (const std::string& subkey : test::DeletedKeys(entry)) {
        const std::string removed = key + "\\" + subkey;
        std::vector<std::string> below;
        for (const pages::IndexedSetting& setting : settings) {
          std::string path = PolicyKey(setting);
          if (PolicyHive(setting) != hive || !SameName(path.substr(0, removed.size()), removed)) continue;
          for (; path.size() > removed.size(); path = path.substr(0, path.find_last_of('\\')))
            below.push_back(path);
        }
        std::sort(below.begin(), below.end(),
                  [](const auto& a, const auto& b) { return a.size() > b.size(); });
        below.push_back(removed);
        for (const std::string& path : below) EXPECT_TRUE(target.DeleteKey(hive, path).ok()) << path;
      }
    } else if (FoldCase(name) == "**delvals.") {
      for (const std::string& value : target.ValueNames(hive, key)) into.DeleteValue(handle, value);
    } else if (FoldCase(name).rfind("**del.", 0) == 0) {
      into.DeleteValue(handle, name.substr(6));
    } else {
      EXPECT_NE(name.rfind("**", 0), 0u) << "a command this program never writes: " << name;
      const Bytes data = test::NarrowData(entry);
      into.SetValue(handle, name, static_cast<ValueType>(entry.type), data.data(),
                    static_cast<std::uint32_t>(data.size()));
    }
    into.CloseKey(handle);
  }
}

std::string Text(const std::optional<Bytes>& bytes) {
  return bytes ? std::string(bytes->begin(), bytes->end()) : std::string("<no file>");
}

class ToolsTest : public ShellTest {
 protected:
  void SetUp() override { ASSERT_TRUE(Start()); }
  forms::Form& Child() { return main().active_child()->form(); }
  // Opens frmFind, types `text` into it and presses Enter.
  void FindAndEnter(const std::string& text) {
    host.on_modal = [&](forms::Form& find) {
      find.text("Text1").UserEdit(text);
      find.text("Text1").UserKeyDown(13);
    };
    main().menuFind_Click();
    host.on_modal = nullptr;
  }
  void MakeVariedState();
  static void MakeOtherState(Registry& target);
  void ExpectSameSettings(const Registry& target, bool all_hives = true);
};

TEST_F(ToolsTest, TheFilterLooksInCaptionValueAndPathWhateverTheCase) {
  const auto settings = pages::IndexSettings(registry);
  auto names = [&](const std::string& text) {
    std::vector<std::string> found;
    for (std::size_t i : MatchSettings(settings, text))
      found.push_back(SectionNameOf(settings[i]) + "|" + settings[i].caption);
    return found;
  };
  // By value name, section order first: the Start Menu before Other Functions.
  const auto run = names("norun");
  ASSERT_GE(run.size(), 2u);
  EXPECT_EQ(run[0], "Start Menu|Hide Run from Start Menu");
  EXPECT_NE(std::find(run.begin(), run.end(), "Other Functions|Disable Desktop Clean Up Wizard"),
            run.end());
  // By caption, by key path, and none.
  EXPECT_EQ(names("HIDE SHUT DOWN"), std::vector<std::string>{"Start Menu|Hide Shut Down"});
  EXPECT_FALSE(names("hkey_classes_root\\*\\shell\\edittext").empty());
  EXPECT_TRUE(names("no such setting anywhere").empty());
  EXPECT_EQ(MatchSettings(settings, "").size(), settings.size());
  // A dialog's setting is shown by the section of the page that opens it.
  for (const auto& setting : settings) {
    EXPECT_FALSE(SectionNameOf(setting).empty()) << setting.page->decl.name;
  }
}

TEST_F(ToolsTest, EnterOpensTheSectionWithTheFocusOnTheSettingsControl) {
  FindAndEnter("NoRun");
  EXPECT_EQ(host.modal.back(), "frmFind");
  EXPECT_EQ(Child().name(), "frmStart");
  EXPECT_EQ(host.focused, "Check14");
  EXPECT_EQ(main().form().control("Label2").caption(), "Start Menu");

  // A dialog's row: the button on the page that opens the dialog.
  EXPECT_TRUE(registry.SaveStringValue(HKLM, "Software\\Kelmor\\Deskwarden", "Office", "Office 2003").ok());
  FindAndEnter("NoPromptToForkDocuments");
  EXPECT_EQ(Child().name(), "frmOffice");
  EXPECT_EQ(host.focused, "Command3");

  // Closed without a choice: nothing opens.
  host.focused.clear();
  host.on_modal = [&](forms::Form& find) { find.text("Text1").UserKeyDown(27); };
  main().menuFind_Click();
  EXPECT_EQ(Child().name(), "frmOffice");
  EXPECT_TRUE(host.focused.empty());
}

TEST_F(ToolsTest, ALimitedAccountIsToldWhenTheSettingIsTheMachines) {
  memory.SetMachineWideReadOnly(true);
  FindAndEnter("DisableLockWorkstation");  // per user: reachable
  EXPECT_EQ(host.focused, "Check9");
  host.focused.clear();
  FindAndEnter("NukeOnDelete");  // HKLM: its box is disabled
  EXPECT_EQ(Child().name(), "frmOthers");
  EXPECT_TRUE(host.focused.empty());
  EXPECT_EQ(LastMessage().text, "Sorry, you need administrator rights to change this setting.");
}

// A state of many shapes: numbers, texts, odd types, absent values, the
// verb keys there.
void ToolsTest::MakeVariedState() {
  EXPECT_TRUE(registry.SaveDwordValue(HKCU, kPolicies, "NoRun", 1).ok());
  EXPECT_TRUE(registry.SaveStringValue(HKCU, kPolicies, "NoClose", "text \"quoted\" \\ here").ok());
  EXPECT_TRUE(registry.SaveStringValue(HKCR, "*\\shell\\EditText", "", "Edit with Notepad").ok());
  EXPECT_TRUE(registry.SaveStringValue(HKCU, kPolicies + std::string("\\DisallowRun"), "3", "game.exe").ok());
  const std::uint8_t odd[] = {1, 2, 3};
  RegKey key = 0;
  memory.CreateKey(HKLM, "Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon", &key);
  memory.SetValue(key, "LegalNoticeText", regtype::kBinary, odd, 3);
  memory.CloseKey(key);
}

// Another machine, with everything different from the varied state.
void ToolsTest::MakeOtherState(Registry& target) {
  EXPECT_TRUE(target.SaveDwordValue(HKCU, kPolicies, "NoRun", 0).ok());
  EXPECT_TRUE(target.SaveDwordValue(HKCU, kPolicies, "NoDesktop", 1).ok());  // absent here
  EXPECT_TRUE(target.SaveStringValue(HKCU, kPolicies + std::string("\\DisallowRun"), "7", "other.exe").ok());
  EXPECT_TRUE(target.SaveStringValue(HKCR, "*\\shell\\EditText\\command", "", "notepad.exe %1").ok());
}

// Every catalogued setting the same on the other machine as here (those of
// HKEY_USERS only where asked).
void ToolsTest::ExpectSameSettings(const Registry& target, bool all_hives) {
  for (const pages::IndexedSetting& setting : pages::IndexSettings(direct)) {
    if (setting.unresolved || (setting.hive == HKU && !all_hives)) continue;
    const std::string where = setting.key + "\\" + setting.value;
    EXPECT_EQ(target.KeyExists(setting.hive, setting.key),
              direct.KeyExists(setting.hive, setting.key) ||
                  setting.shape == pages::IndexedSetting::kValue)
        << where;
    if (setting.shape == pages::IndexedSetting::kAllValues) {
      EXPECT_EQ(target.ValueNames(setting.hive, setting.key),
                direct.ValueNames(setting.hive, setting.key))
          << where;
      continue;
    }
    EXPECT_EQ(target.Read(setting.hive, setting.key, setting.value),
              direct.Read(setting.hive, setting.key, setting.value))
        << where;
  }
}

TEST_F(ToolsTest, ImportingTheExportGivesBackEverySetting) {
  MakeVariedState();
  const std::string text = pages::ExportSettings(direct);
  ASSERT_EQ(text.rfind("REGEDIT4\r\n\r\n", 0), 0u);
  EXPECT_NE(text.find("[-HKEY_CLASSES_ROOT\\*\\shell\\EditText\\command]"), std::string::npos);
  EXPECT_NE(text.find("\"NoRun\"=dword:00000001\r\n"), std::string::npos);

  const test::ReadRegFile read = test::ReadRegText(text);
  ASSERT_TRUE(read.error.empty()) << read.error;

  // Another machine, with everything different: then the file is imported.
  MemoryRegistry other;
  Registry target(other);
  MakeOtherState(target);
  Import(read, other);
  ExpectSameSettings(target);
}

// The two policy files read back and applied to another machine, from a
// state of many shapes and from one with nothing set at all.
TEST_F(ToolsTest, ApplyingThePolicyFilesGivesBackEverySetting) {
  const auto settings = pages::IndexSettings(direct);
  for (const bool varied : {false, true}) {
    SCOPED_TRACE(varied ? "varied state" : "nothing set");
    if (varied) MakeVariedState();
    const pages::PolicyFiles files = pages::ExportPolicyFiles(direct, pages::Secrets::kIncluded);
    const test::ReadPolFile machine = test::ReadPolBytes(files.machine.bytes());
    const test::ReadPolFile user = test::ReadPolBytes(files.user.bytes());
    ASSERT_TRUE(machine.error.empty()) << machine.error;
    ASSERT_TRUE(user.error.empty()) << user.error;
    // Each file names every resolved setting of its hive, and none of the
    // other's; a setting of HKEY_USERS is in neither.
    for (const pages::IndexedSetting& setting : settings) {
      if (setting.unresolved) continue;
      if (setting.hive == HKU) {
        EXPECT_FALSE(test::Names(machine, setting.key, setting.value));
        EXPECT_FALSE(test::Names(user, setting.key, setting.value));
        continue;
      }
      const bool mine = PolicyHive(setting) == HKCU;
      EXPECT_TRUE(test::Names(mine ? user : machine, PolicyKey(setting), setting.value))
          << PolicyKey(setting) << "\\" << setting.value;
      if (setting.hive == HKCU) {
        EXPECT_FALSE(test::Names(machine, setting.key, setting.value)) << setting.key;
      }
    }

    MemoryRegistry other;
    Registry target(other);
    MakeOtherState(target);
    Apply(machine, HKLM, other, settings);
    Apply(user, HKCU, other, settings);
    ExpectSameSettings(target, false);
  }
  // The removed verb keys: one entry on the parent, none on what goes with it.
  EXPECT_TRUE(direct.DeleteKey(HKCR, "*\\shell\\EditText").ok());
  const test::ReadPolFile machine =
      test::ReadPolBytes(pages::ExportPolicyFiles(direct).machine.bytes());
  const test::PolEntry* removal =
      test::FindValue(machine, "Software\\Classes\\*\\shell", "**DeleteKeys");
  ASSERT_NE(removal, nullptr);
  const std::vector<std::string> removed = test::DeletedKeys(*removal);
  EXPECT_NE(std::find(removed.begin(), removed.end(), "EditText"), removed.end());
  EXPECT_EQ(test::FindValue(machine, "Software\\Classes\\*\\shell\\EditText", "**DeleteKeys"),
            nullptr);
}

TEST_F(ToolsTest, PolicyExportAsksForAFolderAndMakesItsTwoFolders) {
  files.AddFolder("C:\\GPO");
  dialogs.QueueDirBoxResult("C:\\GPO");
  EXPECT_TRUE(direct.SaveDwordValue(HKCU, kPolicies, "NoRun", 1).ok());
  main().menuExportGpo_Click();
  ASSERT_EQ(dialogs.dir_box_calls().size(), 1u);
  const pages::PolicyFiles expected = pages::ExportPolicyFiles(direct);
  EXPECT_EQ(files.Contents("C:\\GPO\\Machine\\Registry.pol"), expected.machine.bytes());
  EXPECT_EQ(files.Contents("C:\\GPO\\User\\Registry.pol"), expected.user.bytes());
  EXPECT_EQ(LastMessage().text,
            "The settings were exported to C:\\GPO\\Machine\\Registry.pol and "
            "C:\\GPO\\User\\Registry.pol.");

  // A drive's root comes with its backslash.
  dialogs.QueueDirBoxResult("D:\\");
  main().menuExportGpo_Click();
  EXPECT_TRUE(files.Contents("D:\\User\\Registry.pol").has_value());

  // A file that cannot be written is named, and the old one is kept whole.
  files.AddFile("C:\\GPO\\User\\Registry.pol", std::string("old"));
  files.RefuseWrites("C:\\GPO\\User\\Registry.pol", 1);
  dialogs.QueueDirBoxResult("C:\\GPO");
  main().menuExportGpo_Click();
  EXPECT_EQ(LastMessage().text,
            "The settings could not be written to C:\\GPO\\User\\Registry.pol.");
  EXPECT_EQ(LastMessage().style & mb::kIconMask, mb::kIconStop);
  EXPECT_EQ(Text(files.Contents("C:\\GPO\\User\\Registry.pol")), "old");

  // The password goes in only when the user says Yes; cancelled, nothing happens.
  EXPECT_TRUE(direct.SaveStringValue(HKLM, kWinlogon, "DefaultPassword", "hunter2").ok());
  for (const int answer : {mb::kIdNo, mb::kIdYes}) {
    dialogs.QueueDirBoxResult("C:\\GPO");
    messages.QueueAnswer(answer);
    main().menuExportGpo_Click();
    const test::ReadPolFile machine =
        test::ReadPolBytes(*files.Contents("C:\\GPO\\Machine\\Registry.pol"));
    EXPECT_EQ(test::Names(machine, kWinlogon, "DefaultPassword"), answer == mb::kIdYes);
  }
  const std::size_t shown = messages.shown().size();
  main().menuExportGpo_Click();
  EXPECT_EQ(messages.shown().size(), shown);
}

TEST_F(ToolsTest, TheCommandLineWritesThePolicyFilesWithoutAWindow) {
  const CommandLine command = ParseCommandLine("-EXPORT-GPO \"C:\\My GPO\" /with-secrets");
  EXPECT_EQ(command.action, CommandLine::kExportGpo);
  EXPECT_EQ(command.file, "C:\\My GPO");
  EXPECT_TRUE(command.with_secrets);

  std::string error;
  EXPECT_EQ(RunExportCommand(direct, files, command, &error), 1);
  EXPECT_EQ(error, "kdw3: there is no folder C:\\My GPO to write the policy files into");
  EXPECT_FALSE(files.Exists("C:\\My GPO"));

  files.AddFolder("C:\\My GPO");
  EXPECT_TRUE(direct.SaveStringValue(HKLM, kWinlogon, "DefaultPassword", "hunter2").ok());
  EXPECT_EQ(RunExportCommand(direct, files, command, &error), 0);
  const pages::PolicyFiles expected = pages::ExportPolicyFiles(direct, pages::Secrets::kIncluded);
  EXPECT_EQ(files.Contents("C:\\My GPO\\Machine\\Registry.pol"), expected.machine.bytes());
  EXPECT_EQ(files.Contents("C:\\My GPO\\User\\Registry.pol"), expected.user.bytes());

  files.RefuseWrites("C:\\My GPO\\Machine\\Registry.pol", 1);
  EXPECT_EQ(RunExportCommand(direct, files, ParseCommandLine("/export-gpo \"C:\\My GPO\""), &error),
            1);
  EXPECT_EQ(error, "kdw3: the settings could not be written to C:\\My GPO\\Machine\\Registry.pol");

  EXPECT_EQ(RunExportCommand(direct, files, ParseCommandLine("/export-gpo /with-secrets"), &error),
            1);
  EXPECT_EQ(error,
            "kdw3: /export-gpo needs the folder to write into: kdw3 /export-gpo DIR [/with-secrets]");
  EXPECT_EQ(ParseCommandLine("/export-gpox C:\\x").action, CommandLine::kRun);
}

TEST_F(ToolsTest, ExportAsksForAFileAndSaysWhatHappened) {
  dialogs.QueueSaveFileResult("C:\\Settings\\lab.reg");
  files.AddFolder("C:\\Settings");
  main().menuExport_Click();
  ASSERT_EQ(dialogs.save_file_calls().size(), 1u);
  EXPECT_EQ(dialogs.save_file_calls()[0].filter, "Registration Files (*.reg)|*.reg");
  const auto written = files.Contents("C:\\Settings\\lab.reg");
  ASSERT_TRUE(written.has_value());
  EXPECT_EQ(std::string(written->begin(), written->end()), pages::ExportSettings(direct));
  EXPECT_EQ(LastMessage().text, "The settings were exported to C:\\Settings\\lab.reg.");

  files.RefuseWrites("C:\\Settings\\lab.reg", 1);
  dialogs.QueueSaveFileResult("C:\\Settings\\lab.reg");
  main().menuExport_Click();
  EXPECT_EQ(LastMessage().text, "The settings could not be written to C:\\Settings\\lab.reg.");
  EXPECT_EQ(LastMessage().style & mb::kIconMask, mb::kIconStop);

  const std::size_t shown = messages.shown().size();
  main().menuExport_Click();  // cancelled
  EXPECT_EQ(messages.shown().size(), shown);
}

TEST_F(ToolsTest, TheCommandLineExportsWithoutAWindow) {
  EXPECT_EQ(ParseCommandLine("").action, CommandLine::kRun);
  EXPECT_EQ(ParseCommandLine("/other thing").action, CommandLine::kRun);
  EXPECT_EQ(ParseCommandLine("  /EXPORT").action, CommandLine::kUsage);
  const CommandLine quoted = ParseCommandLine("-export \"C:\\My Files\\lab.reg\"");
  EXPECT_EQ(quoted.action, CommandLine::kExport);
  EXPECT_EQ(quoted.file, "C:\\My Files\\lab.reg");

  files.AddFolder("C:\\My Files");
  std::string error;
  EXPECT_EQ(RunExportCommand(direct, files, quoted, &error), 0);
  EXPECT_TRUE(files.Contents("C:\\My Files\\lab.reg").has_value());
  files.RefuseWrites("C:\\My Files\\lab.reg", 1);
  EXPECT_EQ(RunExportCommand(direct, files, quoted, &error), 1);
  EXPECT_EQ(error, "kdw3: the settings could not be written to C:\\My Files\\lab.reg");
  EXPECT_EQ(RunExportCommand(direct, files, ParseCommandLine("/export"), &error), 1);
  EXPECT_FALSE(quoted.with_secrets);

  // "/with-secrets", in any case and on either side of the file name.
  EXPECT_TRUE(direct.SaveStringValue(HKLM, kWinlogon, "DefaultPassword", "hunter2").ok());
  for (const char* line : {"/export /with-secrets \"C:\\My Files\\lab.reg\"",
                           "/Export \"C:\\My Files\\lab.reg\" -WITH-SECRETS"}) {
    const CommandLine with = ParseCommandLine(line);
    EXPECT_TRUE(with.with_secrets) << line;
    EXPECT_EQ(with.file, "C:\\My Files\\lab.reg") << line;
    files.AddFile("C:\\My Files\\lab.reg", std::string("old"));
    EXPECT_EQ(RunExportCommand(direct, files, with, &error), 0);
    EXPECT_NE(Text(files.Contents("C:\\My Files\\lab.reg")).find("hunter2"), std::string::npos);
  }
  EXPECT_EQ(RunExportCommand(direct, files, quoted, &error), 0);
  EXPECT_EQ(Text(files.Contents("C:\\My Files\\lab.reg")).find("hunter2"), std::string::npos);
  EXPECT_EQ(ParseCommandLine("/export /with-secrets").action, CommandLine::kUsage);
}

// Below the list, the selected setting is explained as "What's This?"
// explains it on its page, word for word, following the selection; with
// nothing selected the pane is empty. Everything fits in the dialog.
TEST_F(ToolsTest, TheFindPaneExplainsTheSelectedSettingAsItsPageDoes) {
  // What the Start Menu page tells of its "Hide Run" box.
  std::string on_page;
  {
    auto page = pages::FindPage("frmStart")->make(context);
    page->Load();
    host.menu_choice = 0;
    page->form().check("Check14").UserContextMenu();
    ASSERT_EQ(host.help.size(), 1u);
    on_page = host.help[0].text;
  }
  EXPECT_NE(on_page.find("Takes effect when Windows Explorer restarts."), std::string::npos);
  EXPECT_NE(on_page.find(std::string("HKEY_CURRENT_USER\\") + kPolicies + "\\NoRun"), std::string::npos);

  host.on_modal = [&](forms::Form& find) {
    EXPECT_EQ(forms::ControlsOutside(find), std::vector<std::string>{});
    EXPECT_TRUE(find.text("Text3").flags() & forms::kReadOnly);
    find.text("Text1").UserEdit("norun");
    const std::string first = find.text("Text3").text();
    EXPECT_EQ(first, on_page);
    // Down moves to the next match, and the pane with it.
    find.text("Text1").UserKeyDown(40);
    const std::string second = find.text("Text3").text();
    EXPECT_NE(second, first);
    EXPECT_NE(second.find(find.text("Text2").text()), std::string::npos) << second;
    find.list("List1").UserSelect(0);
    EXPECT_EQ(find.text("Text3").text(), first);
    find.text("Text1").UserEdit("no such setting anywhere");
    EXPECT_EQ(find.text("Text3").text(), "");
    find.text("Text1").UserKeyDown(27);
  };
  main().menuFind_Click();
  host.on_modal = nullptr;
}

// Every secret of the catalogue, holding a sentinel, appears in no export
// unless asked for, and neither search nor its listing ever shows its data.
TEST_F(ToolsTest, SecretsShowTheirPlaceButNeverTheirData) {
  const std::string sentinel = "Pa55-sentinel-0xdeadbeef";
  std::vector<pages::IndexedSetting> secrets;
  for (const pages::IndexedSetting& setting : pages::IndexSettings(direct)) {
    if (!setting.secret) continue;
    secrets.push_back(setting);
    EXPECT_TRUE(direct.SaveStringValue(setting.hive, setting.key, setting.value, sentinel).ok());
  }
  // The automatic logon password, and nothing else.
  ASSERT_EQ(secrets.size(), 1u);
  EXPECT_EQ(secrets[0].value, "DefaultPassword");
  EXPECT_EQ(secrets[0].key, kWinlogon);

  EXPECT_EQ(pages::ExportSettings(direct).find(sentinel), std::string::npos);
  EXPECT_EQ(pages::ExportSettings(direct).find("\"DefaultPassword\""), std::string::npos);
  EXPECT_NE(pages::ExportSettings(direct, pages::Secrets::kIncluded)
                .find("\"DefaultPassword\"=\"" + sentinel + "\""),
            std::string::npos);

  const auto settings = pages::IndexSettings(direct);
  EXPECT_TRUE(MatchSettings(settings, sentinel).empty());  // search never reads data
  host.on_modal = [&](forms::Form& find) {
    find.text("Text1").UserEdit("defaultpassword");
    const auto& lines = find.list("List1").items();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find(RegistryPath(secrets[0])), std::string::npos) << lines[0];
    EXPECT_EQ(find.text("Text2").text(), RegistryPath(secrets[0]));
    for (const auto* control : {&find.text("Text1"), &find.text("Text2")})
      EXPECT_EQ(control->text().find(sentinel), std::string::npos);
    EXPECT_EQ(lines[0].find(sentinel), std::string::npos);
    find.text("Text1").UserKeyDown(27);
  };
  main().menuFind_Click();
  host.on_modal = nullptr;
  for (const ShownMessage& shown : messages.shown())
    EXPECT_EQ(shown.text.find(sentinel), std::string::npos) << shown.text;
}

TEST_F(ToolsTest, TheLogonPasswordIsExportedOnlyWhenTheUserSaysYes) {
  constexpr char kFile[] = "C:\\Settings\\lab.reg";
  files.AddFolder("C:\\Settings");
  auto export_answering = [&](int answer) {
    dialogs.QueueSaveFileResult(kFile);
    if (answer) messages.QueueAnswer(answer);
    main().menuExport_Click();
    return Text(files.Contents(kFile));
  };

  // No password stored: nothing to ask, nothing of it in the file.
  std::size_t shown = messages.shown().size();
  std::string text = export_answering(0);
  EXPECT_EQ(messages.shown().size(), shown + 1);  // only "exported to"
  EXPECT_EQ(text.find("DefaultPassword"), std::string::npos);

  EXPECT_TRUE(direct.SaveStringValue(HKLM, kWinlogon, "DefaultUserName", "kiosk").ok());
  EXPECT_TRUE(direct.SaveStringValue(HKLM, kWinlogon, "DefaultPassword", "hunter2").ok());
  shown = messages.shown().size();
  text = export_answering(0);  // Enter: the default button
  ASSERT_EQ(messages.shown().size(), shown + 2);
  const ShownMessage& asked = messages.shown()[shown];
  EXPECT_EQ(asked.text,
            "Include the automatic logon password? It is stored in the file in plain text.");
  EXPECT_EQ(asked.title, "Kelmor Deskwarden");
  EXPECT_EQ(asked.buttons(), mb::kYesNo);
  EXPECT_EQ(mb::DefaultButton(asked.style), mb::kIdNo);
  EXPECT_EQ(text, pages::ExportSettings(direct));
  EXPECT_EQ(text.find("hunter2"), std::string::npos);
  EXPECT_NE(text.find("\"DefaultUserName\"=\"kiosk\""), std::string::npos);

  text = export_answering(mb::kIdYes);
  EXPECT_EQ(text, pages::ExportSettings(direct, pages::Secrets::kIncluded));
  EXPECT_NE(text.find("\"DefaultPassword\"=\"hunter2\""), std::string::npos);

  // A cancelled file choice asks nothing.
  shown = messages.shown().size();
  main().menuExport_Click();
  EXPECT_EQ(messages.shown().size(), shown);
}

TEST_F(ToolsTest, AFileWithoutTheSecretLeavesTheStoredOneAlone) {
  EXPECT_TRUE(direct.SaveStringValue(HKLM, kWinlogon, "DefaultUserName", "kiosk").ok());
  EXPECT_TRUE(direct.SaveStringValue(HKLM, kWinlogon, "DefaultPassword", "hunter2").ok());
  MemoryRegistry other;
  Registry target(other);
  EXPECT_TRUE(target.SaveStringValue(HKLM, kWinlogon, "DefaultUserName", "someone").ok());
  EXPECT_TRUE(target.SaveStringValue(HKLM, kWinlogon, "DefaultPassword", "theirs").ok());

  const test::ReadRegFile without = test::ReadRegText(pages::ExportSettings(direct));
  ASSERT_TRUE(without.error.empty()) << without.error;
  Import(without, other);
  EXPECT_EQ(target.GetStringValue(HKLM, kWinlogon, "DefaultUserName"), "kiosk");
  EXPECT_EQ(target.GetStringValue(HKLM, kWinlogon, "DefaultPassword"), "theirs");
  // Nor is an absent one deleted or made.
  EXPECT_TRUE(target.DeleteValue(HKLM, kWinlogon, "DefaultPassword").ok());
  Import(without, other);
  EXPECT_EQ(target.ValuePresence(HKLM, kWinlogon, "DefaultPassword"), Presence::kMissing);

  // With it, the file carries the password across.
  Import(test::ReadRegText(pages::ExportSettings(direct, pages::Secrets::kIncluded)), other);
  EXPECT_EQ(target.GetStringValue(HKLM, kWinlogon, "DefaultPassword"), "hunter2");
}

TEST_F(ToolsTest, UndoPutsTheSessionBackAndShowsIt) {
  main().menuUndo_Click();
  EXPECT_EQ(LastMessage().text, "Nothing has been changed since Kelmor Deskwarden was started.");

  main().OpenSection(kSections[3]);  // Start Menu
  Child().check("Check14").UserClick();
  ASSERT_EQ(direct.GetDwordValue(HKCU, kPolicies, "NoRun"), 1);

  messages.QueueAnswer(mb::kIdNo);
  main().menuUndo_Click();
  EXPECT_EQ(direct.GetDwordValue(HKCU, kPolicies, "NoRun"), 1);

  messages.QueueAnswer(mb::kIdYes);
  main().menuUndo_Click();
  const auto& asked = messages.shown()[messages.shown().size() - 2];
  EXPECT_EQ(asked.text, "Undo every change made since Kelmor Deskwarden was started?");
  EXPECT_EQ(asked.style, mb::kIconQuestion | mb::kYesNo);
  EXPECT_FALSE(direct.Read(HKCU, kPolicies, "NoRun").present);
  EXPECT_EQ(LastMessage().text.rfind("1 value was restored", 0), 0u) << LastMessage().text;
  // The page is open again, showing what is stored, and wrote nothing back.
  EXPECT_EQ(Child().name(), "frmStart");
  EXPECT_EQ(Child().check("Check14").value(), 0);
  EXPECT_EQ(journal.Changed(), 0);
}

TEST_F(ToolsTest, UndoNamesWhatItCouldNotPutBack) {
  EXPECT_TRUE(registry.SaveDwordValue(HKLM, "Software\\Policies\\Test", "Machine", 1).ok());
  EXPECT_TRUE(registry.SaveDwordValue(HKCU, kPolicies, "NoRun", 1).ok());
  memory.SetMachineWideReadOnly(true);
  messages.QueueAnswer(mb::kIdYes);
  main().menuUndo_Click();
  EXPECT_NE(LastMessage().text.find("HKEY_LOCAL_MACHINE\\Software\\Policies\\Test\\Machine"),
            std::string::npos);
  EXPECT_EQ(LastMessage().style & mb::kIconMask, mb::kIconExclamation);
  EXPECT_FALSE(direct.Read(HKCU, kPolicies, "NoRun").present);
}

TEST_F(ToolsTest, TheAccountProbeIsNoChange) {
  for (int i = 0; i < 3; ++i) (void)context.Account();
  main().menuUndo_Click();
  EXPECT_EQ(LastMessage().text, "Nothing has been changed since Kelmor Deskwarden was started.");
}

// Tools > Save Policy Templates and "/templates DIR".
TEST_F(ToolsTest, ThePolicyTemplatesAreWrittenFromTheMenuAndTheCommandLine) {
  const PolicyTemplates expected = MakePolicyTemplates();
  const auto same = [&](const std::string& folder) {
    EXPECT_EQ(files.TextContents(folder + "kdw3.admx"), expected.admx);
    EXPECT_EQ(files.TextContents(folder + "en-US\\kdw3.adml"), expected.adml);
    EXPECT_EQ(files.TextContents(folder + "kdw3.adm"), expected.adm);
  };
  files.AddFolder("C:\\Templates");
  dialogs.QueueDirBoxResult("C:\\Templates");
  main().menuTemplates_Click();
  same("C:\\Templates\\");
  EXPECT_EQ(LastMessage().style & mb::kIconMask, mb::kIconInformation);
  files.RefuseWrites("C:\\Templates\\kdw3.adm", 1);
  dialogs.QueueDirBoxResult("C:\\Templates");
  main().menuTemplates_Click();
  EXPECT_EQ(LastMessage().text, "The policy templates could not be written to C:\\Templates\\kdw3.adm.");
  const std::size_t shown = messages.shown().size();
  main().menuTemplates_Click();  // cancelled
  EXPECT_EQ(messages.shown().size(), shown);

  std::string output, error;
  const auto run = [&](const std::string& arguments) {
    error.clear();
    return RunCommandLine(direct, files, ParseCommandLine(arguments), &output, &error);
  };
  EXPECT_EQ(run("/templates"), 1);
  EXPECT_EQ(error, "kdw3: /templates needs the folder to write into: kdw3 /templates DIR");
  EXPECT_EQ(run("-TEMPLATES \"D:\\No Such\""), 1);
  EXPECT_EQ(error, "kdw3: there is no folder D:\\No Such to write the policy templates into");
  EXPECT_FALSE(files.Exists("D:\\No Such"));
  files.AddFolder("D:\\GPO");
  files.RefuseWrites("D:\\GPO\\en-US\\kdw3.adml", 1);
  EXPECT_EQ(run("/templates D:\\GPO"), 1);
  EXPECT_EQ(error, "kdw3: the policy templates could not be written to D:\\GPO\\en-US\\kdw3.adml");
  EXPECT_EQ(run("/templates D:\\GPO\\"), 0);
  EXPECT_EQ(error, "");
  same("D:\\GPO\\");
  // Nothing printed and no message box: the command line shows no window.
  EXPECT_EQ(output, "");
  EXPECT_EQ(messages.shown().size(), shown);
}

// Runs "/import" with `arguments` against `target`: the exit code; what was
// printed in *out and *error.
int Import(const Registry& target, FakeFileSystem& files, const std::string& arguments,
           std::string* out, std::string* error) {
  out->clear();
  error->clear();
  return RunImportCommand(target, files, ParseCommandLine("/import " + arguments), out, error);
}

// A .reg file in the code page, as text.
std::string RegText(const std::string& body) { return "REGEDIT4\r\n\r\n" + body; }
const std::string kPoliciesKey = std::string("[HKEY_CURRENT_USER\\") + kPolicies + "]\r\n";

// Each export, read back by /import on another machine, gives back every
// setting; a preview before it writes nothing and one after it finds
// nothing left to change.
TEST_F(ToolsTest, ImportOfEachExportGivesBackEverySetting) {
  MakeVariedState();
  // A key row that is there with nothing in it: the file must make it.
  constexpr char kCommand[] = "*\\shell\\EditText\\command";
  RegKey made = 0;
  memory.CreateKey(HKCR, kCommand, &made);
  memory.CloseKey(made);
  const pages::PolicyFiles policy = pages::ExportPolicyFiles(direct, pages::Secrets::kIncluded);
  files.AddFile("C:\\Lab\\lab.reg", pages::ExportSettings(direct, pages::Secrets::kIncluded));
  files.AddFile("C:\\Lab\\Machine\\Registry.pol", policy.machine.bytes());
  files.AddFile("C:\\Lab\\User\\Registry.pol", policy.user.bytes());
  const std::vector<std::vector<std::string>> exports = {
      {"C:\\Lab\\lab.reg"}, {"C:\\Lab\\Machine\\Registry.pol", "C:\\Lab\\User\\Registry.pol"}};
  for (const auto& paths : exports) {
    SCOPED_TRACE(paths[0]);
    MemoryRegistry other;
    Registry target(other);
    MakeOtherState(target);
    EXPECT_TRUE(target.DeleteKey(HKCR, kCommand).ok());
    EXPECT_TRUE(target.DeleteKey(HKCR, "*\\shell\\EditText").ok());
    const std::string before = pages::ExportSettings(target, pages::Secrets::kIncluded);
    std::string out, error;
    for (const std::string& path : paths) {
      EXPECT_EQ(Import(target, files, "\"" + path + "\" /preview", &out, &error), 3) << error;
      EXPECT_NE(out.find(" would change; 0 entries left alone.\r\n"), std::string::npos) << out;
    }
    EXPECT_EQ(pages::ExportSettings(target, pages::Secrets::kIncluded), before);
    for (const std::string& path : paths) {
      EXPECT_EQ(Import(target, files, "\"" + path + "\"", &out, &error), 0) << error;
      EXPECT_TRUE(error.empty()) << error;
    }
    // The same file from both: every catalogued setting the same (keys of
    // absent values are not made, as they are by regedit).
    EXPECT_EQ(pages::ExportSettings(target, pages::Secrets::kIncluded),
              pages::ExportSettings(direct, pages::Secrets::kIncluded));
    for (const std::string& path : paths) {
      EXPECT_EQ(Import(target, files, "/PREVIEW \"" + path + "\"", &out, &error), 0) << out;
      EXPECT_EQ(out, "0 settings would change; 0 entries left alone.\r\n");
    }
  }
}

// A file with a fault anywhere is refused whole, its line or byte named:
// the good entries before the fault are not carried out either.
TEST_F(ToolsTest, ABadFileIsNamedAndNothingOfItIsWritten) {
  MakeVariedState();
  const std::string before = pages::ExportSettings(direct, pages::Secrets::kIncluded);
  const int changed = journal.Changed();
  files.AddFile("C:\\bad.reg",
                RegText(kPoliciesKey + "\"NoRun\"=dword:00000000\r\n\"NoClose\"=\"a\\tb\"\r\n"));
  Bytes cut = pages::ExportPolicyFiles(direct).user.bytes();
  cut.pop_back();
  files.AddFile("C:\\GPO\\User\\Registry.pol", cut);
  files.AddFile("C:\\GPO\\Registry.pol", pages::ExportPolicyFiles(direct).user.bytes());
  const std::string usage = "kdw3 /import FILE [/user|/machine] [/preview]";
  const struct {
    std::string arguments;
    std::string error;
  } cases[] = {
      {"C:\\bad.reg",
       "kdw3: C:\\bad.reg, line 5: a bad escape (only \\\\ and \\\" are known); nothing was changed"},
      {"C:\\GPO\\User\\Registry.pol", ""},  // the byte is the last entry's
      {"C:\\none.reg", "kdw3: C:\\none.reg cannot be read; nothing was changed"},
      {"C:\\GPO\\Registry.pol",
       "kdw3: say whether the policy file is for the current user or the machine: " + usage},
      {"/user /machine C:\\GPO\\Registry.pol",
       "kdw3: /import needs the file to read, and at most one of /user and /machine: " + usage},
      {"/preview", "kdw3: /import needs the file to read, and at most one of /user and /machine: " + usage},
  };
  for (const auto& bad : cases) {
    std::string out, error;
    EXPECT_EQ(Import(registry, files, bad.arguments, &out, &error), 1) << bad.arguments;
    if (bad.error.empty()) {
      EXPECT_EQ(error.rfind("kdw3: C:\\GPO\\User\\Registry.pol, byte ", 0), 0u) << error;
      EXPECT_NE(error.find(": an entry cut short by the end of the file; nothing was changed"),
                std::string::npos) << error;
    } else {
      EXPECT_EQ(error, bad.error);
    }
    EXPECT_TRUE(out.empty()) << out;
  }
  EXPECT_EQ(journal.Changed(), changed);

  // From the menu: the reason told, no preview, nothing written.
  dialogs.QueueOpenFileResult("C:\\bad.reg");
  main().menuImport_Click();
  EXPECT_EQ(LastMessage().text,
            "The file cannot be imported: C:\\bad.reg, line 5: a bad escape (only \\\\ and \\\" are "
            "known).\r\n\r\nNothing was changed.");
  EXPECT_EQ(LastMessage().style & mb::kIconMask, mb::kIconStop);
  EXPECT_TRUE(std::find(host.modal.begin(), host.modal.end(), "frmImport") == host.modal.end());
  EXPECT_EQ(journal.Changed(), changed);
  EXPECT_EQ(pages::ExportSettings(direct, pages::Secrets::kIncluded), before);

  // Named with /user, the policy file in a folder of no hive is read.
  std::string out, error;
  EXPECT_EQ(Import(direct, files, "C:\\GPO\\Registry.pol /user /preview", &out, &error), 0) << error;
}

// Entries outside the catalogue are listed and never written; a refused
// change is named, the others still made.
TEST_F(ToolsTest, ImportWritesOnlyCataloguedSettingsAndNamesRefusals) {
  files.AddFile("C:\\mixed.reg",
                RegText(kPoliciesKey + "\"NoRun\"=dword:00000001\r\n\"NotASetting\"=\"x\"\r\n" +
                        "[HKEY_LOCAL_MACHINE\\" + kWinlogon + "]\r\n\"DefaultUserName\"=\"kiosk\"\r\n" +
                        "[-HKEY_CURRENT_USER\\Software\\Other]\r\n"));
  EXPECT_TRUE(direct.SaveStringValue(HKCU, "Software\\Other", "Kept", "x").ok());
  std::string out, error;
  EXPECT_EQ(Import(direct, files, "C:\\mixed.reg /preview", &out, &error), 3);
  EXPECT_EQ(out,
            "Start Menu: Hide Run from Start Menu: (absent) -> 1\r\n"
            "Logon: DefaultUserName: (absent) -> \"kiosk\"\r\n"
            "Left alone (not a setting of this program): HKEY_CURRENT_USER\\" +
                std::string(kPolicies) + "\\NotASetting set\r\n" +
                "Left alone (not a setting of this program): HKEY_CURRENT_USER\\Software\\Other removed\r\n"
                "2 settings would change; 2 entries left alone.\r\n");

  memory.SetMachineWideReadOnly(true);
  EXPECT_EQ(Import(direct, files, "C:\\mixed.reg", &out, &error), 2);
  EXPECT_EQ(error, "kdw3: Windows refused 1 change: HKEY_LOCAL_MACHINE\\" + std::string(kWinlogon) +
                       "\\DefaultUserName (access is denied)");
  EXPECT_NE(out.find("1 change written; 2 entries left alone.\r\n"), std::string::npos) << out;
  EXPECT_EQ(direct.GetDwordValue(HKCU, kPolicies, "NoRun"), 1);
  EXPECT_FALSE(direct.Read(HKCU, kPolicies, "NotASetting").present);
  EXPECT_EQ(direct.GetStringValue(HKCU, "Software\\Other", "Kept"), "x");
}

TEST_F(ToolsTest, ImportShowsWhatChangesWritesOnOkAndUndoTakesItBack) {
  main().OpenSection(kSections[3]);  // Start Menu
  files.AddFile("C:\\lab.reg", RegText(kPoliciesKey + "\"NoRun\"=dword:00000001\r\n"
                                       "[HKEY_CURRENT_USER\\Software\\Other]\r\n\"Mine\"=\"x\"\r\n"));
  std::vector<std::string> lines;
  std::string heading, left_alone;
  auto answer = [&](const char* button) {
    host.on_modal = [&, button](forms::Form& form) {
      lines = form.list("List1").items();
      heading = form.control("Label1").caption();
      left_alone = form.control("Label2").caption();
      form.control(button).UserClick();
    };
    dialogs.QueueOpenFileResult("C:\\lab.reg");
    main().menuImport_Click();
    host.on_modal = nullptr;
  };
  answer("Command2");  // Cancel
  EXPECT_EQ(dialogs.open_file_calls().back().filter,
            "Registry Files (*.reg;*.pol)|*.reg;*.pol|Registration Files (*.reg)|*.reg|"
            "Policy Files (*.pol)|*.pol");
  EXPECT_EQ(host.modal.back(), "frmImport");
  EXPECT_EQ(lines, std::vector<std::string>{"Start Menu\tHide Run from Start Menu\t(absent)\t1"});
  EXPECT_EQ(heading, "The file would change 1 setting:");
  EXPECT_EQ(left_alone, "1 entry is not a setting of Kelmor Deskwarden and will be left alone.");
  EXPECT_EQ(journal.Changed(), 0);

  answer("Command1");  // OK
  EXPECT_EQ(direct.GetDwordValue(HKCU, kPolicies, "NoRun"), 1);
  EXPECT_FALSE(direct.KeyExists(HKCU, "Software\\Other"));
  EXPECT_EQ(LastMessage().text, "1 change was written.");
  EXPECT_EQ(Child().name(), "frmStart");
  EXPECT_EQ(Child().check("Check14").value(), 1);

  messages.QueueAnswer(mb::kIdYes);
  main().menuUndo_Click();
  EXPECT_FALSE(direct.Read(HKCU, kPolicies, "NoRun").present);

  // A policy file whose folder does not say is asked about: Yes is the
  // current user, No the machine; Cancel ends there.
  PolicyFile user;
  user.SetValue(kPolicies, "NoRun", regtype::kDword, Bytes{1, 0, 0, 0});
  files.AddFile("C:\\x\\Registry.pol", user.bytes());
  const std::size_t modals = host.modal.size();
  messages.QueueAnswer(mb::kIdCancel);
  dialogs.QueueOpenFileResult("C:\\x\\Registry.pol");
  main().menuImport_Click();
  EXPECT_EQ(host.modal.size(), modals);
  EXPECT_EQ(LastMessage().buttons(), mb::kYesNoCancel);
  messages.QueueAnswer(mb::kIdYes);
  host.on_modal = [&](forms::Form& form) {
    lines = form.list("List1").items();
    form.control("Command1").UserClick();
  };
  dialogs.QueueOpenFileResult("C:\\x\\Registry.pol");
  main().menuImport_Click();
  host.on_modal = nullptr;
  EXPECT_EQ(lines.size(), 1u);
  EXPECT_EQ(direct.GetDwordValue(HKCU, kPolicies, "NoRun"), 1);
}

}  // namespace
}  // namespace kdw::shell
