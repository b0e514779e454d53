// What the Word, Outlook and Access dialogs share: they are opened by the
// Office page's buttons, take the Office version from that page's list when
// they open, and bind their rows to the keys of that version.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "core/context.h"
#include "forms/form.h"
#include "pages/office/office_version.h"
#include "pages/setting_page.h"

namespace kdw::pages {

// The dialogs share one width and one head: the Office picture and the
// dialog's name at the top left, the close button (`Image1`) at the top
// right. Their own controls stand below.
inline constexpr int kDialogWidth = 5400;  // inside
inline constexpr int kDialogButton = 480;  // a picture button
inline constexpr int kDialogBodyTop = 120 + kDialogButton + 120;

// The label that names a dialog, and its text.
struct DialogTitle {
  const char* label;
  const char* text;
};

// The form's controls: the head, the unbound ones and those of the rows as
// declared (keys still marked), so that captions and places are written
// once. All stand on the form itself, in the order they read.
std::vector<forms::ControlSpec> DialogControls(DialogTitle title, std::span<const SettingRow> rows,
                                               std::span<const forms::ControlSpec> unbound);

// A borderless dialog, dragged by its background, `height` high inside,
// whose rows (keys still marked) are bound to the version it opens for.
PageSpec DialogSpec(const char* name, int height, std::span<const forms::ControlSpec> controls,
                    std::span<const SettingRow> rows, std::span<const BrowseButton> browse = {});

class OfficeDialog : public SettingPage {
 public:
  // `version_text` is the Office page's list text ("Office 2003"). The
  // page's version rows are bound to that version; without a known version
  // none is: nothing is read or written under a key that names no Office.
  OfficeDialog(Context& context, const PageSpec& page, const std::string& version_text);

  void AfterRows() override;

 protected:
  bool has_version() const { return !MarkName().empty(); }
  // A declared key (with the version mark) for this dialog's version.
  std::string KeyOf(const char* key) const { return WithVersion(key, MarkName()); }
  // Shows the slider's position in a label, after loading and every scroll.
  void ShowsPosition(const char* slider, const char* label);
  void ShowPosition();

 private:
  forms::Slider* slider_ = nullptr;
  forms::Control* label_ = nullptr;
};

}  // namespace kdw::pages
