// The one-line input dialog: a prompt, a title and a default text in, the
// typed text out.
#pragma once

#include <string>

#include "platform/handles.h"

namespace kdw {

// The design names the Win32 input box gives its controls (window property
// "Name", a global atom), so that a test in another process can find them.
inline constexpr char kInputPromptName[] = "InputPrompt";
inline constexpr char kInputTextName[] = "InputText";
inline constexpr char kInputOkName[] = "InputOK";
inline constexpr char kInputCancelName[] = "InputCancel";

class InputBox {
 public:
  virtual ~InputBox() = default;
  // Shows the dialog modally, owned by `owner` (0: none). OK (or Enter) gives
  // the text in the box; Cancel (or Esc, or closing the dialog) gives the
  // empty text, as the classic input box does.
  virtual std::string Ask(WindowHandle owner, const std::string& prompt, const std::string& title,
                          const std::string& default_text) = 0;
};

}  // namespace kdw
