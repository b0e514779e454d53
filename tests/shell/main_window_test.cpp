#include "tests/shell/shell_fixture.h"

#include <cstdio>

#include "pages/catalogue.h"
#include "tests/core/fake_platform.h"

namespace kdw::shell {
namespace {

// A page that counts how often it was made and loaded.
class CountingPage : public forms::FormController {
 public:
  explicit CountingPage(int* loads) : loads_(loads), form_(Declaration()) {}
  forms::Form& form() override { return form_; }
  void Load() override { ++*loads_; }
  static const forms::FormSpec& Declaration() {
    static const forms::FormSpec decl{"frmDrives", "Drives", forms::FormStyle::kMdiChild, 6000,
                                      5000, {}};
    return decl;
  }

 private:
  int* loads_;
  forms::Form form_;
};

class MainWindowTest : public ShellTest {
 protected:
  void SetUp() override {
    application.on_main_window_created = [this](MainWindow& window) {
      window.SetPageFactory("frmDrives", [this] { return std::make_unique<CountingPage>(&loads); });
    };
    ASSERT_TRUE(Start());
  }
  std::string Label(const char* name) { return main().form().control(name).caption(); }
  void Pick(const std::string& section) {
    auto& list = main().form().list("Combo1");
    for (int i = 0; i < list.count(); ++i) {
      if (list.items()[i] == section) list.UserSelect(i);
    }
  }
  int loads = 0;
};

TEST_F(MainWindowTest, LoadShowsWelcomeSectionsAndAccount) {
  auto& form = main().form();
  const auto& items = form.list("Combo1").items();
  ASSERT_EQ(10u, items.size());
  EXPECT_EQ("Drives", items.front());
  EXPECT_EQ("Microsoft Office", items.back());
  EXPECT_EQ(-1, form.list("Combo1").list_index());
  EXPECT_EQ("Welcome", Label("Label2"));
  EXPECT_EQ("ADD11", form.control("Image1").picture());
  EXPECT_EQ("Account Type: Administrator", Label("Label3"));
  EXPECT_EQ("frmWelcome", main().active_child()->form().name());
  EXPECT_EQ("Jane Owner", main().active_child()->form().text("Text1").text());
}

TEST_F(MainWindowTest, EveryPageOfTheCatalogueOpensFromItsOwnSection) {
  for (const pages::PageEntry& page : pages::Catalogue()) {
    if (*page.opened_by) {
      // A dialog: opened by a control of a page that a section opens.
      const pages::PageEntry* parent = pages::FindPage(page.opened_by);
      ASSERT_NE(nullptr, parent) << page.decl.name;
      EXPECT_EQ('\0', *parent->opened_by) << page.decl.name;
      Context& context = this->context;
      auto opener = parent->make(context);
      EXPECT_NE(nullptr, opener->form().find(page.opener)) << page.decl.name;
      continue;
    }
    int sections = 0;
    for (const Section& section : kSections) {
      if (page.decl.name != std::string(section.page)) continue;
      ++sections;
      Pick(section.name);
      ASSERT_NE(nullptr, main().active_child()) << section.name;
      EXPECT_EQ(page.decl.name, main().active_child()->form().name());
      EXPECT_EQ(section.name, Label("Label2"));
    }
    EXPECT_EQ(1, sections) << page.decl.name << " needs exactly one section";
  }
}

TEST(PictureHolderTest, LoadsWhenFirstAskedSizedToImage3AndShapedWithWhite) {
  MemoryRegistry memory;
  Registry registry{memory};
  forms::FakeHost host;
  kdw::test::FakePlatform fakes;
  Context context = fakes.ContextFor(registry, host);
  std::vector<std::string> shaped;
  context.shape_form = [&](forms::Form& form, const std::string& picture, std::uint32_t colour) {
    char text[64];
    std::snprintf(text, sizeof text, "%s %s %06X", form.name().c_str(), picture.c_str(), colour);
    shaped.push_back(text);
  };
  PictureHolder holder(context);
  EXPECT_FALSE(holder.loaded());
  EXPECT_TRUE(host.shown.empty());

  EXPECT_EQ("ADD05", holder.Picture(5));
  EXPECT_EQ("ADD17", holder.Picture(17));
  EXPECT_EQ("", holder.Picture(21));
  EXPECT_TRUE(holder.loaded());
  const forms::Control& image3 = holder.form().control("Image3");
  EXPECT_EQ(0, image3.rect().left);
  EXPECT_EQ(0, image3.rect().top);
  EXPECT_EQ(image3.rect().width, holder.form().width());
  EXPECT_EQ(image3.rect().height, holder.form().height());
  EXPECT_EQ(std::vector<std::string>{"frmAdd ADD03 FFFFFF"}, shaped) << "shaped once, at its load";
  EXPECT_EQ(std::vector<std::string>{"frmAdd"}, host.shown);
}

TEST_F(MainWindowTest, MenuCaptionIsTheLoggedOnUser) {
  EXPECT_TRUE(registry.SaveStringValue(HKCU, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer",
                           "Logon User Name", "jane").ok());
  Application other(context);
  other.Main();
  EXPECT_EQ("jane", other.main_window()->form().menu("menu").caption());
  EXPECT_EQ("", main().form().menu("menu").caption());
}

TEST_F(MainWindowTest, ChoosingASectionReplacesTheChildAndReloadsIt) {
  Pick("Drives");
  EXPECT_EQ("frmDrives", main().active_child()->form().name());
  EXPECT_EQ("Drives", Label("Label2"));
  EXPECT_EQ("ADD05", main().form().control("Image1").picture());
  EXPECT_EQ((std::vector<std::string>{"frmWelcome"}), host.destroyed);

  // The menu item opens it afresh, leaving the list alone.
  main().form().menu("menuDrives").UserClick();
  EXPECT_EQ(2, loads);
  EXPECT_EQ(2u, host.destroyed.size());

  // A section whose page gives nothing: the old page goes, the name and
  // picture change.
  main().SetPageFactory("frmOffice", [] { return std::unique_ptr<forms::FormController>(); });
  main().form().menu("menuOffice").UserClick();
  EXPECT_EQ(nullptr, main().active_child());
  EXPECT_EQ("Microsoft Office", Label("Label2"));
  EXPECT_EQ("ADD13", main().form().control("Image1").picture());

  main().form().menu("menuAbout").UserClick();
  EXPECT_EQ("frmWelcome", main().active_child()->form().name());
  EXPECT_EQ("Welcome", Label("Label2"));
}

// A page that fails while it is made, or while it loads.
class FailingPage : public CountingPage {
 public:
  using CountingPage::CountingPage;
  void Load() override { throw std::runtime_error("load failed"); }
};

TEST_F(MainWindowTest, APageThatFailsLeavesTheChildAreaEmptyAndTheProgramRunning) {
  main().SetPageFactory("frmDrives", []() -> std::unique_ptr<forms::FormController> {
    throw std::runtime_error("cannot make the page");
  });
  Pick("Drives");
  EXPECT_EQ(nullptr, main().active_child());
  EXPECT_EQ("Drives", Label("Label2"));
  EXPECT_EQ("ADD05", main().form().control("Image1").picture());

  main().SetPageFactory("frmDrives", [this] { return std::make_unique<FailingPage>(&loads); });
  main().form().menu("menuDrives").UserClick();
  EXPECT_EQ(nullptr, main().active_child());
  EXPECT_EQ("Drives", Label("Label2"));

  main().form().menu("menuStart").UserClick();
  ASSERT_NE(nullptr, main().active_child());
  EXPECT_EQ("frmStart", main().active_child()->form().name());
}

TEST_F(MainWindowTest, ClosingThePageByItsCloseBoxUnloadsIt) {
  Pick("Drives");
  main().active_child()->form().on_close_request();
  EXPECT_EQ(nullptr, main().active_child());
  EXPECT_EQ("frmDrives", host.destroyed.back());
  // Picking the item that is already current opens the page afresh.
  Pick("Drives");
  EXPECT_EQ(2, loads);
  Pick("Drives");
  EXPECT_EQ(3, loads);
  EXPECT_EQ("frmDrives", main().active_child()->form().name());
}

TEST_F(MainWindowTest, LimitedAccountIsRefusedLogonOnly) {
  memory.SetMachineWideReadOnly(true);
  Application limited(context);
  limited.on_main_window_created = application.on_main_window_created;
  limited.Main();
  MainWindow& window = *limited.main_window();
  EXPECT_EQ("Account Type: Limited User", window.form().control("Label3").caption());

  window.form().menu("menuDrives").UserClick();
  window.form().menu("menuLogon").UserClick();
  EXPECT_EQ(nullptr, window.active_child());
  EXPECT_EQ("Drives", window.form().control("Label2").caption());
  EXPECT_EQ("ADD05", window.form().control("Image1").picture());
  ASSERT_EQ(1u, messages.shown().size());
  EXPECT_EQ("Sorry, you need to be an administrator to access this section.",
            LastMessage().text);
  EXPECT_EQ(mb::kIconStop, LastMessage().icon());
  EXPECT_EQ("Kelmor Deskwarden", LastMessage().title);

  // Every other section still opens.
  window.form().menu("menuDrives").UserClick();
  EXPECT_NE(nullptr, window.active_child());
  memory.SetMachineWideReadOnly(false);
  main().form().menu("menuLogon").UserClick();
  EXPECT_EQ(1u, messages.shown().size());
  EXPECT_EQ("Logon", Label("Label2"));
}

TEST_F(MainWindowTest, ResizingSnapsBackUnlessMinimized) {
  auto& form = main().form();
  form.WindowResized(12000, 8000, false);
  EXPECT_EQ(kMainWidth, form.width());
  EXPECT_EQ(kMainHeight, form.height());
  host.resized.clear();
  form.WindowResized(kMainWidth, kMainHeight, false);
  EXPECT_TRUE(host.resized.empty());
  form.WindowResized(2000, 400, true);
  EXPECT_TRUE(host.resized.empty());
}

TEST_F(MainWindowTest, HelpStartsTheHelpProgramOrExplainsItsAbsence) {
  files.SetProgramFolder("C:\\Program Files\\Kelmor");
  main().form().control("Command1").UserClick();
  ASSERT_EQ(1u, messages.shown().size());
  EXPECT_EQ(
      "Sorry, in order to reduce the size of the download, we took out the Help files.\r\n"
      "To obtain the help files, you can download them from our web site: " +
          std::string(kWebSite),
      LastMessage().text);
  EXPECT_EQ(mb::kIconInformation, LastMessage().icon());

  files.AddFile("C:\\Program Files\\Kelmor\\kdwhelp.exe", "MZ");
  main().form().menu("menuHelp").UserClick();
  ASSERT_EQ(1u, processes.started().size());
  EXPECT_EQ("C:\\Program Files\\Kelmor\\kdwhelp.exe", processes.started()[0].command_line);
  EXPECT_EQ(sw::kShowNormal, processes.started()[0].show_command);
  EXPECT_EQ(1u, messages.shown().size());
}

TEST_F(MainWindowTest, UpdatesStartTheQuotedBrowserAndReportAFailure) {
  EXPECT_TRUE(registry.SaveStringValue(HKLM, "Software\\Microsoft\\Windows\\CurrentVersion",
                           "ProgramFilesDir", "C:\\Program Files").ok());
  main().form().menu("menuUpdates").UserClick();
  ASSERT_EQ(1u, processes.started().size());
  EXPECT_EQ("\"C:\\Program Files\\Internet Explorer\\iexplore.exe\" " + std::string(kWebSite) +
                "/updates",
            processes.started()[0].command_line);
  EXPECT_EQ(sw::kShowMaximized, processes.started()[0].show_command);
  EXPECT_TRUE(messages.shown().empty());

  processes.SetFailing(true);
  main().form().menu("menuUpdates").UserClick();
  ASSERT_EQ(1u, messages.shown().size());
  EXPECT_NE(std::string::npos, LastMessage().text.find("could not be started"));
}

TEST_F(MainWindowTest, RecommendedSettingsAndExit) {
  main().form().control("Command3").UserClick();
  EXPECT_EQ(
      "Recomended Settings:\r\n1- Create a password.\r\n2- Disable Windows Registry\r\n"
      "3- Hide last user name\r\n4- Disable Windows Task Manager\r\n"
      "5- Force Classic View in Control Panel\r\n6- Restrict access/Hide to C:\\\r\n"
      "7- Lock Windows Media Player Skin",
      LastMessage().text);
  main().form().control("Command2").UserClick();
  EXPECT_EQ((std::vector<std::string>{"menuReboot"}), host.popups);
  main().form().menu("menuExit").UserClick();
  EXPECT_EQ(1, host.quits);
}

}  // namespace
}  // namespace kdw::shell

namespace kdw::shell {
namespace {

class StatusAndSessionTest : public ShellTest {
 protected:
  forms::Form& Started() {
    EXPECT_TRUE(Start());
    return main().form();
  }
};

TEST_F(StatusAndSessionTest, TimersShowProcessorAndBatteryReadings) {
  power.SetBatteryLifePercent(21);
  forms::Form& form = Started();
  EXPECT_EQ("CPU Usage: ????????", form.control("Label4").caption());
  EXPECT_EQ("Error........", form.control("Label5").caption()) << "no battery reading at load";
  // The first tick starts the query; a rate has no value at its first
  // collection.
  EXPECT_TRUE(counters.added_paths().empty()) << "the processor query started before the first tick";
  counters.QueueValue(0.0, pdh::kCStatusInvalidData);
  form.timer("Timer1").Fire();
  EXPECT_EQ("CPU Usage: ????????", form.control("Label4").caption());
  ASSERT_EQ(1u, counters.added_paths().size());
  EXPECT_NE(std::string::npos, counters.added_paths()[0].find("(_Total)"));

  counters.QueueValue(12.5, pdh::kCStatusValidData);
  form.timer("Timer1").Fire();
  EXPECT_EQ("CPU Usage: 13 %", form.control("Label4").caption());
  form.timer("Timer2").Fire();
  EXPECT_EQ("Battery Life: 21%", form.control("Label5").caption());
  EXPECT_EQ("ADD19", form.control("Image2").picture());

  power.SetBatteryLifePercent(255);
  form.timer("Timer2").Fire();
  EXPECT_EQ("Battery was removed.", form.control("Label5").caption());
  EXPECT_EQ("ADD16", form.control("Image2").picture());
}

TEST_F(StatusAndSessionTest, PowerMenuAsksProgramsToCloseAndRefreshEndsTheLastExplorer) {
  forms::Form& form = Started();
  form.menu("menuRestart").UserClick();
  form.menu("menLogOff").UserClick();
  form.menu("menuShut").UserClick();
  EXPECT_EQ((std::vector<std::string>{"EnableShutdownPrivilege", "ExitWindowsEx 0x12",
                                      "EnableShutdownPrivilege", "ExitWindowsEx 0x10",
                                      "EnableShutdownPrivilege", "ExitWindowsEx 0x11"}),
            session.calls());

  process_list.SetProcesses({{4, "System"},
                             {100, "C:\\WINDOWS\\Explorer.EXE"},
                             {200, "explorer.exe"},
                             {300, "notepad.exe"}});
  form.control("Command4").UserClick();
  EXPECT_EQ(std::vector<std::uint32_t>{200}, process_list.terminate_requests());
}

}  // namespace
}  // namespace kdw::shell
