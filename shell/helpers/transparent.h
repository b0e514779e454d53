// Gives a form a non-rectangular shape cut out of its picture by one
// transparent colour, can keep that shape in a region file (the bytes of
// Windows' RGNDATA block), and lets the user drag a borderless form by its
// body.
#pragma once

#include <windows.h>

#include <string>

#include "platform/win32_handles.h"
#include "shell/helpers/raised_error.h"

namespace kdw {

class clsTransparent {
 public:
  clsTransparent() = default;
  clsTransparent(const clsTransparent&) = delete;
  clsTransparent& operator=(const clsTransparent&) = delete;

  // Shapes the form's window. With the name of an existing file the shape
  // is read from it; otherwise it is cut from the picture and, when a file
  // name is given, also saved there. The window owns the region afterwards.
  // Raises what RegionFromFile and SaveRegionDataToFile raise.
  void SetRegion(HWND form, HBITMAP picture, COLORREF transparent,
                 const std::string& file = "");

  // With the left button (1): lets Windows move the window as if its
  // caption had been pressed. Other buttons do nothing.
  void DragForm(HWND window, short button) const;

  // The picture's rectangle minus every pixel of the transparent colour;
  // none when no drawing surface could be made.
  UniqueRegion RegionFromPicture(HBITMAP picture, COLORREF transparent) const;

  // Writes the region made last to the file, replacing it. Raises with the
  // source "TransForm".
  void SaveRegionDataToFile(const std::string& file) const;

  // A region read from a region file. Raises with the source
  // "<program name>.cDIBSectionRegion" when the file is missing, unreadable
  // or not a region.
  UniqueRegion RegionFromFile(const std::string& file) const;

  HRGN region() const { return region_; }
  HWND form() const { return form_; }

 private:
  // The region made last, not owned: once handed to the window it is the
  // window's.
  HRGN region_ = nullptr;
  HWND form_ = nullptr;
};

}  // namespace kdw
