// The parts of the platform layer that need no platform: small text rules
// shared by the Win32 implementations and the fakes.
#include <algorithm>
#include <array>
#include <cctype>
#include <string_view>

#include "platform/file_dialogs.h"
#include "platform/file_system.h"
#include "platform/message_boxes.h"

namespace kdw {

namespace {

// The style's buttons, left to right; 0 ends a shorter set.
std::array<int, 3> ButtonsOf(std::uint32_t style) {
  switch (style & mb::kButtonsMask) {
    case mb::kOkCancel:
      return {mb::kIdOk, mb::kIdCancel, 0};
    case mb::kAbortRetryIgnore:
      return {mb::kIdAbort, mb::kIdRetry, mb::kIdIgnore};
    case mb::kYesNoCancel:
      return {mb::kIdYes, mb::kIdNo, mb::kIdCancel};
    case mb::kYesNo:
      return {mb::kIdYes, mb::kIdNo, 0};
    case mb::kRetryCancel:
      return {mb::kIdRetry, mb::kIdCancel, 0};
    default:
      return {mb::kIdOk, 0, 0};
  }
}

}  // namespace

int mb::FirstButton(std::uint32_t style) { return ButtonsOf(style)[0]; }

int mb::DefaultButton(std::uint32_t style) {
  const std::array<int, 3> buttons = ButtonsOf(style);
  // A default past the last button falls back to the first, as MessageBox does.
  const std::size_t named = (style & kDefaultButtonMask) >> 8;
  return named < buttons.size() && buttons[named] != 0 ? buttons[named] : buttons[0];
}

std::string FolderOfPath(const std::string& path) {
  const auto cut = path.find_last_of("\\/");
  return cut == std::string::npos ? std::string() : path.substr(0, cut);
}

std::string FileNameOfPath(const std::string& path) {
  const auto cut = path.find_last_of("\\/");
  return cut == std::string::npos ? path : path.substr(cut + 1);
}

std::string OpenFileDialogFilter(const std::string& filter) {
  std::string result = filter;
  if (result.empty() || result.back() != '|') result += '|';
  std::replace(result.begin(), result.end(), '|', '\0');
  return result;
}

std::string TextBeforeNul(const char* buffer, std::size_t size) {
  const char* end = std::find(buffer, buffer + size, '\0');
  return std::string(buffer, end);
}

void SortFileNames(std::vector<std::string>& names) {
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    return std::lexicographical_compare(
        a.begin(), a.end(), b.begin(), b.end(), [](unsigned char x, unsigned char y) {
          return std::tolower(x) < std::tolower(y);
        });
  });
}

bool IsDeviceName(const std::string& file_name) {
  std::string base = file_name.substr(0, file_name.find('.'));
  while (!base.empty() && base.back() == ' ') base.pop_back();
  for (char& c : base) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  static constexpr std::array<std::string_view, 7> kDevices = {"CON",    "PRN",    "AUX",    "NUL",
                                                               "CLOCK$", "CONIN$", "CONOUT$"};
  if (std::find(kDevices.begin(), kDevices.end(), base) != kDevices.end()) return true;
  return base.size() == 4 && (base.starts_with("COM") || base.starts_with("LPT")) &&
         base[3] >= '1' && base[3] <= '9';
}

}  // namespace kdw
