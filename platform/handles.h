// Types every platform interface shares, free of <windows.h> so that the
// interfaces compile natively too.
#pragma once

#include <cstdint>
#include <vector>

namespace kdw {

// A window handle as a number (an HWND on Windows); 0 means no window.
using WindowHandle = std::uintptr_t;

// Raw file contents and other binary data.
using Bytes = std::vector<std::uint8_t>;

}  // namespace kdw
