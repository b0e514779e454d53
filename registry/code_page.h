// Text of the system code page (what every "A" call gives and takes) as
// UTF-16, for the files that Windows keeps in UTF-16 whatever the code page.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace kdw {

// Every byte is converted, NULs included, so data keeps its shape. On
// Windows the conversion is the system's own (CP_ACP); elsewhere the code
// page is taken to be 1252, the one of Western European systems, which maps
// every byte to one character.
std::u16string Utf16FromCodePage(std::string_view text);

// The way back, for files read in UTF-16: false when a character has no
// byte in the code page, since a stand-in ('?') would store other text
// than the file holds. NULs are kept.
bool CodePageFromUtf16(std::u16string_view text, std::string* out);

// UTF-16 as the files store it, low byte first; an odd last byte is no
// character and is left out.
std::u16string Utf16FromLittleEndian(std::span<const std::uint8_t> bytes);

}  // namespace kdw
