// The two dialog wrappers the pages share: the open-file dialog (`DialogBox`
// module) and the browse-for-folder dialog (`DirBox`).
#pragma once

#include <cstddef>
#include <string>

#include "platform/handles.h"

namespace kdw {

class FileDialogs {
 public:
  virtual ~FileDialogs() = default;
  // GetOpenFileNameA with the filter ("Bitmap Pictures (*.bmp)|*.bmp"), the
  // title and the initial folder: the chosen file's full path, or the empty
  // text on Cancel or any failure.
  virtual std::string ShowOpenFileDialog(WindowHandle owner, const std::string& filter,
                                         const std::string& title,
                                         const std::string& initial_folder) = 0;
  // GetSaveFileNameA with the filter, the title and the extension a name
  // typed without one is given ("reg"); asks before replacing a file. The
  // chosen path, or the empty text on Cancel or any failure.
  virtual std::string ShowSaveFileDialog(WindowHandle owner, const std::string& filter,
                                         const std::string& title,
                                         const std::string& extension) = 0;
  // SHBrowseForFolderA from the desktop with `message` above the tree: the
  // chosen folder's path, or the empty text on Cancel or any failure.
  virtual std::string DirBox(WindowHandle owner, const std::string& message) = 0;
};

// Step 1 of ShowOpenFileDialog: appends "|" unless the filter ends with one,
// then turns every "|" into a NUL character. The result's c_str() therefore
// ends in the double NUL the dialog needs.
std::string OpenFileDialogFilter(const std::string& filter);

// The characters of a text buffer before its first NUL (all of them when it
// has none).
std::string TextBeforeNul(const char* buffer, std::size_t size);

}  // namespace kdw
