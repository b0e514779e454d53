#include "registry/code_page.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace kdw {

#ifdef _WIN32

std::u16string Utf16FromCodePage(std::string_view text) {
  if (text.empty()) return {};
  const int length = static_cast<int>(text.size());
  const int size = MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
  if (size <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), length, wide.data(), size);
  return std::u16string(wide.begin(), wide.end());
}

bool CodePageFromUtf16(std::u16string_view text, std::string* out) {
  out->clear();
  if (text.empty()) return true;
  const std::wstring wide(text.begin(), text.end());
  const int length = static_cast<int>(wide.size());
  BOOL defaulted = FALSE;
  const int size = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), length, nullptr,
                                       0, nullptr, &defaulted);
  if (size <= 0 || defaulted) return false;
  out->assign(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), length, out->data(), size,
                      nullptr, &defaulted);
  return !defaulted;
}

#else

namespace {

// 0x80 to 0x9f; the five bytes 1252 leaves unassigned keep their own
// number, as Windows converts them.
constexpr char16_t kHigh[32] = {
    0x20ac, 0x0081, 0x201a, 0x0192, 0x201e, 0x2026, 0x2020, 0x2021,
    0x02c6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008d, 0x017d, 0x008f,
    0x0090, 0x2018, 0x2019, 0x201c, 0x201d, 0x2022, 0x2013, 0x2014,
    0x02dc, 0x2122, 0x0161, 0x203a, 0x0153, 0x009d, 0x017e, 0x0178};

}  // namespace

std::u16string Utf16FromCodePage(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    out += byte >= 0x80 && byte < 0xa0 ? kHigh[byte - 0x80] : static_cast<char16_t>(byte);
  }
  return out;
}

bool CodePageFromUtf16(std::u16string_view text, std::string* out) {
  out->clear();
  out->reserve(text.size());
  for (const char16_t c : text) {
    int byte = -1;
    if (c < 0x80 || (c >= 0xa0 && c < 0x100)) {
      byte = c;
    } else {
      for (int i = 0; i < 32; ++i) {
        if (kHigh[i] == c) byte = 0x80 + i;
      }
    }
    if (byte < 0) return false;
    *out += static_cast<char>(byte);
  }
  return true;
}

#endif

std::u16string Utf16FromLittleEndian(std::span<const std::uint8_t> bytes) {
  std::u16string wide;
  wide.reserve(bytes.size() / 2);
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
    wide += static_cast<char16_t>(bytes[i] | bytes[i + 1] << 8);
  return wide;
}

}  // namespace kdw
