// The fit check every form's layout gets: the pages of the catalogue and
// the program's own dialogs alike.
#pragma once

#include <string>
#include <vector>

#include "forms/form.h"

namespace kdw::forms {

// The controls that do not lie wholly inside their container: a frame's
// own size, or for those on the form, its outer size less the caption and
// the borders. Each as "Check3 in Frame1" or "Text2 on the form".
inline std::vector<std::string> ControlsOutside(const Form& form) {
  constexpr int kChromeWidth = 240, kChromeHeight = 450;
  std::vector<std::string> outside;
  for (const auto& control : form.controls()) {
    if (control->kind() == ControlKind::kTimer) continue;
    const bool on_form = control->container().empty();
    const int width = on_form ? form.width() - kChromeWidth : form.control(control->container()).rect().width;
    const int height =
        on_form ? form.height() - kChromeHeight : form.control(control->container()).rect().height;
    const Rect& r = control->rect();
    if (r.left < 0 || r.top < 0 || r.left + r.width > width || r.top + r.height > height) {
      outside.push_back(control->name() +
                        (on_form ? std::string(" on the form") : " in " + control->container()));
    }
  }
  return outside;
}

}  // namespace kdw::forms
