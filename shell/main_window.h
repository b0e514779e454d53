// frmMain: the MDI frame with the section list, the menus, the status panel
// and the child area in which the current section's page is shown.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "forms/form_controller.h"
#include "pages/export.h"
#include "pages/settings_index.h"
#include "shell/picture_holder.h"
#include "shell/session.h"
#include "shell/status_monitor.h"
#include "shell/general.h"
#include "shell/waiting_changes.h"

namespace kdw::shell {

using PageFactory = std::function<std::unique_ptr<forms::FormController>()>;

struct Section {
  const char* name;     // list text and Label2 caption
  const char* page;     // the page form's name
  const char* menu;     // the Sections menu item
  forms::Shortcut shortcut;
  int picture;          // ImageN of frmAdd
  bool administrators_only;
};

// In the order of the section list.
extern const std::array<Section, 10> kSections;

// The section that opens the page with that form name, or null.
const Section* SectionOfPage(const std::string& page);

// The fixed outer size of the main window, in twips.
inline constexpr int kMainWidth = 9735;
inline constexpr int kMainHeight = 6510;

class MainWindow : public forms::FormController {
 public:
  explicit MainWindow(Context& context);
  ~MainWindow() override;
  forms::Form& form() override { return form_; }

  // Sections open the catalogue's pages by their form names; a section
  // without a page opens nothing. This puts another factory in a page's
  // place (tests count loads with it).
  void SetPageFactory(const std::string& page, PageFactory factory);

  void Load() override;  // MDIForm_Load
  void MDIForm_Resize();
  void MDIForm_Unload();
  void Combo1_Click();
  void OpenSection(const Section& section);
  void menuAbout_Click();
  void Command1_Click();  // help
  void Command2_Click();  // power menu
  void Command3_Click();  // recommended settings
  void menuUpdates_Click();
  void menuOptions_Click();
  void menuExit_Click();
  void Timer1_Timer();  // processor usage
  void Timer2_Timer();  // battery
  void Command4_Click();  // "Refresh Windows"
  // Log off (0), shut down (1) or restart (2).
  void ExitWindows(int command);
  void menuFind_Click();
  void menuExport_Click();
  void menuExportGpo_Click();
  void menuTemplates_Click();
  void menuImport_Click();  // in main_window_import.cpp
  void menuUndo_Click();
  // The changes still waiting for Windows, in a dialog, and on one line.
  void ShowWaiting();
  void UpdateWaiting();
  // Restarts Explorer; whether it did (its changes are then in effect).
  bool RefreshWindows();
  // Opens the section that shows the setting and puts the keyboard on the
  // control that changes it (or on the button that opens its dialog).
  void GoToSetting(const pages::IndexedSetting& setting);

  // The page or welcome form shown in the child area, if any.
  forms::FormController* active_child() const { return child_.get(); }
  PictureHolder& pictures() { return pictures_; }


 private:
  void UnloadActiveChild();
  // Asks whether the automatic logon password goes into an export, when
  // one is stored.
  pages::Secrets AskForSecrets();
  void ShowChild(std::unique_ptr<forms::FormController> child, int picture,
                 const std::string& name);
  // After undo or an import: the waiting changes counted again, the page
  // shown (if any) opened again on what is stored, and `text` told with
  // the changes Windows refused, if any, listed after `failed_intro`.
  void ShowAfterChanges(std::string text, const char* failed_intro,
                        const std::vector<std::string>& failed);

  Context& context_;
  forms::Form form_;
  PictureHolder pictures_;
  StatusMonitor status_;
  RefreshExplorer explorer_;
  WaitingChanges waiting_;
  std::map<std::string, PageFactory> factories_;
  std::unique_ptr<forms::FormController> child_;
};

}  // namespace kdw::shell
