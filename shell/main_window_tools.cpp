// The Tools menu of the main window: find a setting, export the settings
// (to a .reg file or to Group Policy files), undo this session's changes
// and tell which of them still wait for Windows.
#include <optional>

#include "base/text.h"
#include "pages/catalogue.h"
#include "pages/export.h"
#include "shell/find_form.h"
#include "shell/main_window.h"
#include "shell/tools.h"
#include "shell/waiting_form.h"

namespace kdw::shell {

void MainWindow::menuFind_Click() {
  FindForm find(context_, pages::IndexSettings(context_.registry));
  find.Load();
  context_.host.ShowModal(find.form(), form_);
  if (const pages::IndexedSetting* setting = find.chosen()) GoToSetting(*setting);
}

void MainWindow::GoToSetting(const pages::IndexedSetting& setting) {
  const std::string wanted = pages::ShownOn(*setting.page);
  const Section* section = SectionOfPage(wanted);
  if (!section) return;
  OpenSection(*section);
  // A section a limited account may not open has said so already.
  if (!child_ || child_->form().name() != wanted) return;
  forms::Form& page = child_->form();
  const std::string name = *setting.page->opened_by ? setting.page->opener : setting.control;
  forms::Control* control = page.find(name);
  if (!control) return;
  if (setting.item >= 0 && !*setting.page->opened_by) {
    if (auto* list = dynamic_cast<forms::ListControl*>(control)) list->SetListIndex(setting.item);
  }
  if (!control->enabled() && context_.Limited()) {
    context_.messages.Show(context_.host.WindowOf(form_),
                            "Sorry, you need administrator rights to change this setting.", kTitle,
                            mb::kIconStop | mb::kOk);
    return;
  }
  // A picture button that stands in for another while hidden is not there
  // to be reached: the page is open, and that is as far as it goes.
  if (control->visible()) context_.host.SetFocus(page, *control);
}

void MainWindow::menuExport_Click() {
  const std::uintptr_t owner = context_.host.WindowOf(form_);
  const std::string path = context_.dialogs.ShowSaveFileDialog(
      owner, "Registration Files (*.reg)|*.reg", "Export Settings", "reg");
  if (path.empty()) return;
  const pages::Secrets secrets = AskForSecrets();
  if (ExportSettingsTo(context_.registry, context_.files, path, secrets)) {
    context_.messages.Show(owner, "The settings were exported to " + path + ".", kTitle,
                            mb::kIconInformation | mb::kOk);
  } else {
    context_.messages.Show(owner, "The settings could not be written to " + path + ".", kTitle,
                            mb::kIconStop | mb::kOk);
  }
}

void MainWindow::menuExportGpo_Click() {
  const std::uintptr_t owner = context_.host.WindowOf(form_);
  const std::string folder = context_.dialogs.DirBox(
      owner, "Choose the folder for the Group Policy files (Machine and User are made in it).");
  if (folder.empty()) return;
  const pages::Secrets secrets = AskForSecrets();
  std::string failed;
  if (ExportPolicyFilesTo(context_.registry, context_.files, folder, secrets, &failed)) {
    context_.messages.Show(owner,
                           "The settings were exported to " + MachinePolicyFile(folder) + " and " +
                               UserPolicyFile(folder) + ".",
                           kTitle, mb::kIconInformation | mb::kOk);
  } else {
    context_.messages.Show(owner, "The settings could not be written to " + failed + ".", kTitle,
                           mb::kIconStop | mb::kOk);
  }
}

pages::Secrets MainWindow::AskForSecrets() {
  // The automatic logon password is kept in plain text, in the file too:
  // it goes in only when the user says so.
  if (pages::HasSecretToExport(context_.registry) &&
      context_.messages.Show(
          context_.host.WindowOf(form_),
          "Include the automatic logon password? It is stored in the file in plain text.", kTitle,
          mb::kIconQuestion | mb::kYesNo | mb::kDefaultButton2) == mb::kIdYes) {
    return pages::Secrets::kIncluded;
  }
  return pages::Secrets::kLeftOut;
}

void MainWindow::menuUndo_Click() {
  const std::uintptr_t owner = context_.host.WindowOf(form_);
  RegistryJournal* journal = context_.journal;
  if (!journal || journal->Changed() == 0) {
    context_.messages.Show(owner, "Nothing has been changed since Kelmor Deskwarden was started.",
                            kTitle, mb::kIconInformation | mb::kOk);
    return;
  }
  if (context_.messages.Show(owner, "Undo every change made since Kelmor Deskwarden was started?",
                             kTitle, mb::kIconQuestion | mb::kYesNo) != mb::kIdYes) {
    return;
  }
  const RegistryJournal::UndoResult result = journal->Undo();
  std::string text = Counted(result.values, "value was", "values were") + " restored";
  if (result.keys) text += ", " + Counted(result.keys, "key", "keys") + " made again or removed";
  ShowAfterChanges(text + ".", "These could not be restored", result.failed);
}

void MainWindow::ShowAfterChanges(std::string text, const char* failed_intro,
                                  const std::vector<std::string>& failed) {
  UpdateWaiting();
  // The section shown now, if a page is: the welcome form is none.
  const Section* shown = child_ ? SectionOfPage(child_->form().name()) : nullptr;
  if (shown) {
    // The page shows what is stored now, without writing back what it shows.
    std::optional<RegistryJournal::Hold> hold;
    if (context_.journal) hold.emplace(*context_.journal);
    OpenSection(*shown);
  }
  if (!failed.empty()) {
    text += "\r\n\r\n" + std::string(failed_intro) + "; only an administrator can change them:";
    for (const std::string& where : failed) text += "\r\n" + where;
  }
  context_.messages.Show(context_.host.WindowOf(form_), text, kTitle,
                         (failed.empty() ? mb::kIconInformation : mb::kIconExclamation) | mb::kOk);
}

void MainWindow::UpdateWaiting() {
  if (!context_.journal) return;
  form_.control("Label6").SetCaption(WaitingLine(waiting_.List(*context_.journal, context_.registry)));
}

bool MainWindow::RefreshWindows() {
  if (!explorer_.Refresh()) return false;
  if (context_.journal) waiting_.ExplorerRestarted(*context_.journal);
  UpdateWaiting();
  return true;
}

void MainWindow::ShowWaiting() {
  if (!context_.journal) return;
  WaitingForm waiting(
      context_, [this] { return waiting_.List(*context_.journal, context_.registry); },
      {.refresh_windows = [this] { return RefreshWindows(); },
       .log_off = [this] { ExitWindows(exit_command::kLogOff); }});
  waiting.Load();
  context_.host.ShowModal(waiting.form(), form_);
}

}  // namespace kdw::shell
