// Message boxes, the open-file dialog and the browse-for-folder dialog.
#include <windows.h>
// after windows.h
#include <commdlg.h>
#include <objbase.h>
#include <shlobj.h>

#include <cstddef>
#include <vector>

#include "platform/win32_platform.h"

namespace kdw {
namespace {

HWND Hwnd(WindowHandle handle) { return reinterpret_cast<HWND>(handle); }

// The record at its pre-Windows 2000 size (OPENFILENAME_SIZE_VERSION_400A),
// up to and with lpTemplateName, which every Windows accepts: 76 bytes on
// 32-bit Windows, 136 on 64-bit, where pointers and handles are 8 bytes.
constexpr DWORD kOpenRecordSize = offsetof(OPENFILENAMEA, lpTemplateName) + sizeof(LPCSTR);
#ifdef _WIN64
static_assert(kOpenRecordSize == 136, "OPENFILENAMEA in its 64-bit pre-2000 form");
#else
static_assert(kOpenRecordSize == 76, "OPENFILENAMEA in its 32-bit pre-2000 form");
#endif

constexpr DWORD kOpenFlags = 0x1004;      // OFN_FILEMUSTEXIST | OFN_HIDEREADONLY
// OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOREADONLYRETURN
constexpr DWORD kSaveFlags = 0x8806;
constexpr UINT kBrowseFlags = 3;          // BIF_RETURNONLYFSDIRS | BIF_DONTGOBELOWDOMAIN
constexpr std::size_t kNameBuffer = 255;  // 254 spaces and the NUL
constexpr std::size_t kPathBuffer = 260;  // MAX_PATH

// SHBrowseForFolder wants COM on the calling thread; this balances its own
// initialisation and leaves one made by the program alone.
class ComScope {
 public:
  ComScope() : initialised_(SUCCEEDED(CoInitialize(nullptr))) {}
  ~ComScope() {
    if (initialised_) CoUninitialize();
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;

 private:
  bool initialised_;
};

// What the open and save dialogs' records share: the pre-2000 size, the
// owner, the filter, the file name buffer and the title.
OPENFILENAMEA FileRecord(WindowHandle owner, const std::string& filter, std::vector<char>& file,
                         const std::string& title) {
  OPENFILENAMEA record = {};
  record.lStructSize = kOpenRecordSize;
  record.hwndOwner = Hwnd(owner);
  record.lpstrFilter = filter.c_str();
  record.lpstrFile = file.data();
  record.nMaxFile = static_cast<DWORD>(file.size());
  record.lpstrTitle = title.c_str();
  return record;
}

}  // namespace

int Win32MessageBoxes::Show(WindowHandle owner, const std::string& text, const std::string& title,
                            std::uint32_t style) {
  return MessageBoxA(Hwnd(owner), text.c_str(), title.c_str(), style);
}

std::string Win32FileDialogs::ShowOpenFileDialog(WindowHandle owner, const std::string& filter,
                                                 const std::string& title,
                                                 const std::string& initial_folder) {
  const std::string filter_text = OpenFileDialogFilter(filter);
  std::vector<char> file(kNameBuffer, ' ');
  file.back() = '\0';
  std::vector<char> file_title(kNameBuffer, ' ');
  file_title.back() = '\0';

  OPENFILENAMEA record = FileRecord(owner, filter_text, file, title);
  record.hInstance = GetModuleHandleA(nullptr);
  record.nFilterIndex = 0;
  record.lpstrFileTitle = file_title.data();
  record.nMaxFileTitle = static_cast<DWORD>(file_title.size());
  record.lpstrInitialDir = initial_folder.c_str();
  record.Flags = kOpenFlags;
  if (!GetOpenFileNameA(&record)) return "";
  return TextBeforeNul(file.data(), file.size());
}

std::string Win32FileDialogs::ShowSaveFileDialog(WindowHandle owner, const std::string& filter,
                                                 const std::string& title,
                                                 const std::string& extension) {
  const std::string filter_text = OpenFileDialogFilter(filter);
  std::vector<char> file(kPathBuffer, '\0');
  OPENFILENAMEA record = FileRecord(owner, filter_text, file, title);
  record.nFilterIndex = 1;
  record.lpstrDefExt = extension.c_str();
  record.Flags = kSaveFlags;
  if (!GetSaveFileNameA(&record)) return "";
  return TextBeforeNul(file.data(), file.size());
}

std::string Win32FileDialogs::DirBox(WindowHandle owner, const std::string& message) {
  ComScope com;
  BROWSEINFOA record = {};
  record.hwndOwner = Hwnd(owner);
  record.pidlRoot = nullptr;  // the desktop
  record.lpszTitle = message.c_str();
  record.ulFlags = kBrowseFlags;
  LPITEMIDLIST item = SHBrowseForFolderA(&record);
  if (!item) return "";
  std::vector<char> path(kPathBuffer, ' ');
  // A folder without a file-system path leaves the buffer as it was; the
  // caller gets the empty text rather than 260 spaces.
  const bool found = SHGetPathFromIDListA(item, path.data());
  CoTaskMemFree(item);
  return found ? TextBeforeNul(path.data(), path.size()) : "";
}

}  // namespace kdw
