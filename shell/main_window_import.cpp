// Tools > Import Settings...: a .reg or policy file read, its changes to
// catalogued settings shown in frmImport, and carried out through the
// journal on OK, so that undo takes the whole import back.
#include <utility>

#include "base/text.h"
#include "pages/settings_index.h"
#include "shell/import.h"
#include "shell/import_form.h"
#include "shell/main_window.h"

namespace kdw::shell {
namespace {

// The journal tells nobody of its changes while it lives (the waiting
// changes are counted once after the whole import, not after each write).
class QuietJournal {
 public:
  explicit QuietJournal(RegistryJournal* journal) : journal_(journal) {
    if (journal_) told_ = std::exchange(journal_->on_change, nullptr);
  }
  ~QuietJournal() {
    if (journal_) journal_->on_change = std::move(told_);
  }
  QuietJournal(const QuietJournal&) = delete;
  QuietJournal& operator=(const QuietJournal&) = delete;

 private:
  RegistryJournal* journal_;
  std::function<void()> told_;
};

ImportResult ApplyQuietly(RegistryJournal* journal, const Registry& registry,
                          const ImportPlan& plan) {
  const QuietJournal quiet(journal);
  return ApplyImport(registry, plan);
}

}  // namespace

void MainWindow::menuImport_Click() {
  const std::uintptr_t owner = context_.host.WindowOf(form_);
  const std::string path = context_.dialogs.ShowOpenFileDialog(
      owner, "Registry Files (*.reg;*.pol)|*.reg;*.pol|Registration Files (*.reg)|*.reg|"
             "Policy Files (*.pol)|*.pol",
      "Import Settings", "");
  if (path.empty()) return;
  std::optional<Hive> hive = PolicyHiveOf(path);
  if (IsPolicyFile(path) && !hive) {
    const int answer = context_.messages.Show(
        owner,
        "Apply this policy file to the current user? Its folder does not say whom it is for.\r\n\r\n"
        "No applies it to the machine.",
        kTitle, mb::kIconQuestion | mb::kYesNoCancel);
    if (answer == mb::kIdCancel) return;
    hive = answer == mb::kIdYes ? HKCU : HKLM;
  }
  Bytes bytes;
  if (!context_.files.ReadWholeFile(path, bytes)) {
    context_.messages.Show(owner, path + " cannot be read. Nothing was changed.", kTitle,
                           mb::kIconStop | mb::kOk);
    return;
  }
  const ReadChanges read = ReadImportFile(path, bytes, hive.value_or(HKCU));
  if (!read.ok()) {
    context_.messages.Show(owner,
                           "The file cannot be imported: " + path + ", " + read.error +
                               ".\r\n\r\nNothing was changed.",
                           kTitle, mb::kIconStop | mb::kOk);
    return;
  }
  const std::vector<pages::IndexedSetting> settings = pages::IndexSettings(context_.registry);
  const ImportPlan plan = PlanImport(settings, read.changes);
  ImportForm preview(context_, PreviewImport(context_.registry, settings, plan),
                     plan.left_alone.size());
  preview.Load();
  context_.host.ShowModal(preview.form(), form_);
  if (!preview.accepted()) return;

  const ImportResult result = ApplyQuietly(context_.journal, context_.registry, plan);
  ShowAfterChanges(
      Counted(static_cast<std::size_t>(result.written), "change was", "changes were") + " written.",
      "Windows refused these", result.refused);
}

}  // namespace kdw::shell
