// Tools > Save Policy Templates: the Group Policy templates describing
// every setting, written into a folder the user chooses.
#include "shell/main_window.h"
#include "shell/tools.h"

namespace kdw::shell {

void MainWindow::menuTemplates_Click() {
  const std::uintptr_t owner = context_.host.WindowOf(form_);
  const std::string folder = context_.dialogs.DirBox(
      owner, "Choose the folder for the policy templates (kdw3.admx, en-US\\kdw3.adml, kdw3.adm).");
  if (folder.empty()) return;
  std::string failed;
  if (WritePolicyTemplatesTo(context_.files, folder, &failed)) {
    context_.messages.Show(owner,
                           "The policy templates were saved to " + AdmxFile(folder) + ", " +
                               AdmlFile(folder) + " and " + AdmFile(folder) + ".",
                           kTitle, mb::kIconInformation | mb::kOk);
  } else {
    context_.messages.Show(owner, "The policy templates could not be written to " + failed + ".",
                           kTitle, mb::kIconStop | mb::kOk);
  }
}

}  // namespace kdw::shell
