// Message boxes: text, title and the Win32 style flags in, the button pressed
// out. The constants carry the Win32 values under names that cannot clash
// with the macros of <windows.h>.
#pragma once

#include <cstdint>
#include <string>

#include "platform/handles.h"

namespace kdw {

namespace mb {
// Buttons (MB_OK ...).
constexpr std::uint32_t kOk = 0x0;
constexpr std::uint32_t kOkCancel = 0x1;
constexpr std::uint32_t kAbortRetryIgnore = 0x2;
constexpr std::uint32_t kYesNoCancel = 0x3;
constexpr std::uint32_t kYesNo = 0x4;
constexpr std::uint32_t kRetryCancel = 0x5;
constexpr std::uint32_t kButtonsMask = 0xF;
// Icons (MB_ICONSTOP ...).
constexpr std::uint32_t kIconStop = 0x10;
constexpr std::uint32_t kIconError = 0x10;
constexpr std::uint32_t kIconQuestion = 0x20;
constexpr std::uint32_t kIconExclamation = 0x30;
constexpr std::uint32_t kIconInformation = 0x40;
constexpr std::uint32_t kIconMask = 0xF0;
// The button Enter presses (MB_DEFBUTTON2 ...); the first when none is named.
constexpr std::uint32_t kDefaultButton2 = 0x100;
constexpr std::uint32_t kDefaultButton3 = 0x200;
constexpr std::uint32_t kDefaultButtonMask = 0xF00;
// Results (IDOK ...).
constexpr int kIdOk = 1;
constexpr int kIdCancel = 2;
constexpr int kIdAbort = 3;
constexpr int kIdRetry = 4;
constexpr int kIdIgnore = 5;
constexpr int kIdYes = 6;
constexpr int kIdNo = 7;

// The result of the first (leftmost) button of the style's button set.
int FirstButton(std::uint32_t style);
// The result of the style's default button: what Enter gives.
int DefaultButton(std::uint32_t style);
}  // namespace mb

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // MessageBoxA: a modal message owned by `owner` (0: none); the id of the
  // button pressed (mb::kIdOk ...).
  virtual int Show(WindowHandle owner, const std::string& text, const std::string& title,
                   std::uint32_t style) = 0;
};

}  // namespace kdw
