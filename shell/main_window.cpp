#include "shell/main_window.h"

#include <vector>

#include "base/keys.h"
#include "pages/catalogue.h"
#include "shell/general.h"
#include "shell/password.h"
#include "shell/startup.h"
#include "shell/tools.h"
#include "shell/welcome.h"

namespace kdw::shell {

const std::array<Section, 10> kSections = {{
    {"Drives", "frmDrives", "menuDrives", forms::Fkey(1), 5, false},
    {"Internet Explorer", "frmInternet", "menuIE", forms::Fkey(2), 6, false},
    {"Control Panel", "frmPanel", "menuPanel", forms::Fkey(3), 4, false},
    {"Start Menu", "frmStart", "menuStart", forms::Fkey(4), 10, false},
    {"Media Player", "frmWMP", "menuPlayer", forms::Fkey(5), 12, false},
    {"Computer Info", "frmInfos", "menuInfo", forms::Fkey(6), 8, false},
    {"Logon", "frmLogon", "menuLogon", forms::Fkey(7), 7, true},
    {"Other Functions", "frmOthers", "menuOther", forms::Fkey(8), 14, false},
    {"Programs Rest.", "frmPrograms", "menuRest", forms::Fkey(9), 9, false},
    {"Microsoft Office", "frmOffice", "menuOffice", forms::Fkey(11), 13, false},
}};

const Section* SectionOfPage(const std::string& page) {
  for (const Section& section : kSections) {
    if (page == section.page) return &section;
  }
  return nullptr;
}

namespace {

using forms::ControlKind;
using forms::ControlSpec;
using forms::MenuSpec;

constexpr int kPanel = 2400;  // width of the left panel, twips

constexpr ControlSpec kControls[] = {
    {"Picture2", ControlKind::kPictureBox, "", {60, 60, kPanel - 60, 1020}},
    {"Image1", ControlKind::kImage, "", {120, 240, 540, 540}, "Picture2", 0, "ADD11"},
    {"Label2", ControlKind::kLabel, "Welcome", {780, 390, 1500, 255}, "Picture2",
     forms::kBoldFont},
    {"Label1", ControlKind::kLabel, "Choose a category:", {60, 1200, kPanel - 60, 240}},
    {"Combo1", ControlKind::kComboBox, "", {60, 1440, kPanel - 60, 315}},
    {"Command1", ControlKind::kCommandButton, "Help", {60, 1920, 720, 660}, "", 0, "BTN_HELP",
     "Help and Support"},
    {"Command2", ControlKind::kCommandButton, "Power", {870, 1920, 720, 660}, "", 0,
     "BTN_POWER", "Log Off, Restart or Shut Down"},
    {"Command3", ControlKind::kCommandButton, "Recommended", {1680, 1920, 720, 660}, "", 0,
     "BTN_RECOMMENDED", "Recommended Settings"},
    {"Line1", ControlKind::kLine, "", {60, 2700, kPanel - 60, 30}},
    {"Picture3", ControlKind::kPictureBox, "", {60, 2820, kPanel - 60, 2280}},
    {"Timer1", ControlKind::kTimer, "", {}, "Picture3", 0, "", "", 1000},
    {"Label3", ControlKind::kLabel, "Account Type: Administrator", {90, 120, 2160, 240},
     "Picture3"},
    {"Label4", ControlKind::kLabel, kCpuUsageUnknown, {90, 420, 2160, 240}, "Picture3"},
    {"Line3", ControlKind::kLine, "", {90, 720, 2160, 30}, "Picture3"},
    {"Picture1", ControlKind::kPictureBox, "", {60, 840, 2220, 1320}, "Picture3"},
    {"Timer2", ControlKind::kTimer, "", {}, "Picture1", 0, "", "", 1000},
    {"Image2", ControlKind::kImage, "", {90, 90, 480, 480}, "Picture1"},
    // Two lines high: "Battery was removed." does not fit on one.
    {"Label5", ControlKind::kLabel, "Error........", {660, 90, 1500, 510}, "Picture1"},
    {"Command4", ControlKind::kCommandButton, "Refresh Windows", {90, 750, 2040, 420},
     "Picture1"},
    // Which changes of this session still wait for Windows; empty when none
    // does. A click lists them.
    {"Label6", ControlKind::kLabel, "", {60, 5160, kPanel - 60, 600}},
};

constexpr MenuSpec kHeadMenus[] = {
    {"menu", "", ""},
    {"menuOptions", "&Settings", "menu", forms::Ctrl('S')},
    {"line", "-", "menu"},
    {"menuHelp", "Help and Support", "menu"},
    {"menuUpdates", "Check for Updates", "menu", forms::Ctrl('U')},
    {"menuAbout", "About", "menu", forms::Fkey(12)},
    {"line2", "-", "menu"},
    {"menuExit", "E&xit", "menu", forms::Ctrl('Q')},
};

constexpr MenuSpec kTailMenus[] = {
    {"menuTools", "Tools", ""},
    {"menuFind", "Find Setting...", "menuTools", forms::Ctrl('F')},
    {"menuExport", "Export Settings...", "menuTools", forms::Ctrl('E')},
    {"menuExportGpo", "Export for Group Policy...", "menuTools"},
    {"menuTemplates", "Save Policy Templates...", "menuTools"},
    {"menuImport", "Import Settings...", "menuTools", forms::Ctrl('I')},
    {"line3", "-", "menuTools"},
    {"menuUndo", "Undo Changes of This Session", "menuTools", forms::Ctrl('Z')},
    {"menuWaiting", "Changes Waiting...", "menuTools", forms::Ctrl('W')},
    {"menuReboot", "", "", forms::kNoShortcut, false},
    {"menLogOff", "Log Off", "menuReboot"},
    {"menuRestart", "Restart", "menuReboot"},
    {"menuShut", "Shut Down", "menuReboot"},
};

// The menus, with a Sections item for each section, as the table has it.
std::vector<MenuSpec> Menus() {
  std::vector<MenuSpec> menus(std::begin(kHeadMenus), std::end(kHeadMenus));
  menus.push_back({"menuSections", "Sections", ""});
  for (const Section& section : kSections) {
    menus.push_back({section.menu, section.name, "menuSections", section.shortcut});
  }
  menus.insert(menus.end(), std::begin(kTailMenus), std::end(kTailMenus));
  return menus;
}
const std::vector<MenuSpec> kMenus = Menus();

const forms::FormSpec kSpec = {
    "frmMain", "Kelmor Deskwarden", forms::FormStyle::kMdiFrame, kMainWidth, kMainHeight,
    kControls, kMenus,
    // The child area: right of the panel, as far as the client area goes.
    {kPanel + 60, 0, 0, 0}};



}  // namespace

MainWindow::MainWindow(Context& context)
    : context_(context),
      form_(kSpec),
      pictures_(context),
      status_(context.counters, context.power),
      explorer_(context.process_list) {
  context_.main_form = &form_;
  form_.list("Combo1").on_click = [this] { Combo1_Click(); };
  form_.control("Command1").on_click = [this] { Command1_Click(); };
  form_.control("Command2").on_click = [this] { Command2_Click(); };
  form_.control("Command3").on_click = [this] { Command3_Click(); };
  form_.control("Command4").on_click = [this] { Command4_Click(); };
  form_.timer("Timer1").on_timer = [this] { Timer1_Timer(); };
  form_.timer("Timer2").on_timer = [this] { Timer2_Timer(); };
  form_.on_resize = [this] { MDIForm_Resize(); };
  form_.on_close_request = [this] { MDIForm_Unload(); };
  for (const Section& section : kSections)
    form_.menu(section.menu).on_click = [this, &section] { OpenSection(section); };
  form_.menu("menuAbout").on_click = [this] { menuAbout_Click(); };
  form_.menu("menuHelp").on_click = [this] { Command1_Click(); };
  form_.menu("menuUpdates").on_click = [this] { menuUpdates_Click(); };
  form_.menu("menuOptions").on_click = [this] { menuOptions_Click(); };
  form_.menu("menuExit").on_click = [this] { menuExit_Click(); };
  form_.menu("menuFind").on_click = [this] { menuFind_Click(); };
  form_.menu("menuExport").on_click = [this] { menuExport_Click(); };
  form_.menu("menuExportGpo").on_click = [this] { menuExportGpo_Click(); };
  form_.menu("menuTemplates").on_click = [this] { menuTemplates_Click(); };
  form_.menu("menuImport").on_click = [this] { menuImport_Click(); };
  form_.menu("menuUndo").on_click = [this] { menuUndo_Click(); };
  form_.menu("menuWaiting").on_click = [this] { ShowWaiting(); };
  form_.control("Label6").on_click = [this] { ShowWaiting(); };
  if (context_.journal) context_.journal->on_change = [this] { UpdateWaiting(); };
  const int commands[] = {0, 2, 1};  // log off, restart, shut down
  const char* items[] = {"menLogOff", "menuRestart", "menuShut"};
  for (int i = 0; i < 3; ++i) {
    form_.menu(items[i]).on_click = [this, command = commands[i]] { ExitWindows(command); };
  }
}

MainWindow::~MainWindow() {
  if (context_.main_form == &form_) context_.main_form = nullptr;
  if (context_.journal) context_.journal->on_change = nullptr;
}

void MainWindow::SetPageFactory(const std::string& page, PageFactory factory) {
  factories_[page] = std::move(factory);
}

void MainWindow::Load() {
  context_.disable_max_button(form_);
  auto& list = form_.list("Combo1");
  for (const Section& section : kSections) list.AddItem(section.name);
  form_.menu("menu").SetCaption(context_.registry.GetStringValue(
      HKCU, keys::kExplorer, "Logon User Name"));
  MarkStartupStep("maximize button, section list, user name");
  ShowChild(std::make_unique<WelcomeForm>(context_.registry), 11, "Welcome");
  if (context_.Limited())
    form_.control("Label3").SetCaption("Account Type: Limited User");
  MarkStartupStep("account probe");
}

void MainWindow::UnloadActiveChild() {
  if (!child_) return;
  child_->Unload();
  context_.host.Destroy(child_->form());
  child_.reset();
}

void MainWindow::ShowChild(std::unique_ptr<forms::FormController> child, int picture,
                           const std::string& name) {
  if (child) {
    child_ = std::move(child);
    try {
      child_->Load();
      // The page's own close box unloads it like any section change.
      child_->form().on_close_request = [this] { UnloadActiveChild(); };
      context_.host.Show(child_->form(), &form_);
    } catch (...) {
      // A page that cannot load leaves the child area empty.
      child_.reset();
    }
  }
  MarkStartupStep("first page (welcome form)");
  form_.control("Image1").SetPicture(pictures_.Picture(picture));
  form_.control("Label2").SetCaption(name);
  MarkStartupStep("pictures (frmAdd)");
}

void MainWindow::OpenSection(const Section& section) {
  UnloadActiveChild();
  if (section.administrators_only && context_.Limited()) {
    context_.messages.Show(context_.host.WindowOf(form_),
                            "Sorry, you need to be an administrator to access this section.",
                            kTitle, mb::kIconStop | mb::kOk);
    return;
  }
  std::unique_ptr<forms::FormController> page;
  try {
    auto factory = factories_.find(section.page);
    if (factory != factories_.end() && factory->second) {
      page = factory->second();
    } else if (const pages::PageEntry* entry = pages::FindPage(section.page)) {
      page = entry->make(context_);
    }
  } catch (...) {
    // Each step of opening a section goes on past its own failure: no page,
    // but the section's name and picture still change. Nothing may leave
    // the window procedure.
    page.reset();
  }
  ShowChild(std::move(page), section.picture, section.name);
}

void MainWindow::Combo1_Click() {
  const std::string text = form_.list("Combo1").text();
  for (const Section& section : kSections) {
    if (section.name == text) return OpenSection(section);
  }
}

void MainWindow::menuAbout_Click() {
  UnloadActiveChild();
  ShowChild(std::make_unique<WelcomeForm>(context_.registry), 11, "Welcome");
}

void MainWindow::Command1_Click() {
  const std::string help = context_.files.ProgramFolder() + "\\kdwhelp.exe";
  if (FileFound(context_.files, help)) {
    context_.processes.Start(help, sw::kShowNormal);
    return;
  }
  context_.messages.Show(
      context_.host.WindowOf(form_),
      std::string("Sorry, in order to reduce the size of the download, we took out the Help "
                  "files.\r\nTo obtain the help files, you can download them from our web "
                  "site: ") +
          kWebSite,
      kTitle, mb::kIconInformation | mb::kOk);
}

void MainWindow::Command2_Click() {
  context_.host.PopupMenu(form_, form_.menu("menuReboot"));
}

void MainWindow::Command3_Click() {
  context_.messages.Show(context_.host.WindowOf(form_),
                          "Recomended Settings:\r\n"
                          "1- Create a password.\r\n"
                          "2- Disable Windows Registry\r\n"
                          "3- Hide last user name\r\n"
                          "4- Disable Windows Task Manager\r\n"
                          "5- Force Classic View in Control Panel\r\n"
                          "6- Restrict access/Hide to C:\\\r\n"
                          "7- Lock Windows Media Player Skin",
                          kTitle, mb::kIconInformation | mb::kOk);
}

void MainWindow::menuUpdates_Click() {
  const std::string program_files = context_.registry.GetStringValue(
      HKLM, keys::kWindowsVersion, "ProgramFilesDir");
  const std::string page = std::string(kWebSite) + "/updates";
  // Quoted: an unquoted path with spaces could start another program.
  const std::string command =
      "\"" + program_files + "\\Internet Explorer\\iexplore.exe\" " + page;
  if (!context_.processes.Start(command, sw::kShowMaximized)) {
    context_.messages.Show(context_.host.WindowOf(form_),
                            "The web browser could not be started.\r\nTo check for updates, "
                            "please visit " + page,
                            kTitle, mb::kIconExclamation | mb::kOk);
  }
}

void MainWindow::menuOptions_Click() {
  CreateOrChangePassword(context_, context_.host.WindowOf(form_));
}

void MainWindow::menuExit_Click() { MDIForm_Unload(); }

void MainWindow::Timer1_Timer() {
  status_.Timer1_Timer();
  form_.control("Label4").SetCaption(status_.processor_text());
}

void MainWindow::Timer2_Timer() {
  status_.Timer2_Timer();
  form_.control("Label5").SetCaption(status_.battery_text());
  if (status_.battery_picture() != 0) {
    form_.control("Image2").SetPicture(pictures_.Picture(status_.battery_picture()));
  }
}

void MainWindow::Command4_Click() { RefreshWindows(); }

void MainWindow::ExitWindows(int command) { clsShutDown(context_.session).ExitWindows(command); }

void MainWindow::MDIForm_Unload() {
  UnloadActiveChild();
  context_.host.Quit();
}

void MainWindow::MDIForm_Resize() {
  if (form_.minimized()) return;
  if (form_.height() != kMainHeight) form_.SetSize(form_.width(), kMainHeight);
  if (form_.width() != kMainWidth) form_.SetSize(kMainWidth, form_.height());
}

}  // namespace kdw::shell
