// The pop-up "What's This?" shows, styled as the system's context help: a
// small window with a thin border on the info-tip colours, its text wrapped
// inside a margin, beside what it explains and wholly on the screen. Its
// window text is the text, so screen readers read it. A key press or a
// click on it closes it and gives the keyboard back; so does a click
// anywhere else, which takes the activation from it. It holds no capture
// and runs no loop of its own.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "platform/win32_handles.h"

namespace kdw::forms {

class HelpPopup {
 public:
  explicit HelpPopup(HINSTANCE instance);
  ~HelpPopup();
  HelpPopup(const HelpPopup&) = delete;
  HelpPopup& operator=(const HelpPopup&) = delete;

  // Shows `text` just below `beside` (screen), or above it where below
  // has no room, owned by `owner`; in place of one shown already.
  void Show(HWND owner, const RECT& beside, const std::string& text);
  // The pop-up's window, null while none shows.
  HWND hwnd() const { return hwnd_; }

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT Handle(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  // Lays the text out in lines; the size the window needs for them.
  SIZE Layout(const std::string& text, const RECT& work);
  void Paint();
  // Destroys the window shown, if any, without giving anything back.
  void Destroy();
  // The help font, or the GUI font where it could not be made.
  HGDIOBJ Font() const;
  // Closes the pop-up; `give_back` hands the activation and the keyboard
  // back to where they were before it showed.
  void Close(bool give_back);

  HINSTANCE instance_;
  HWND hwnd_ = nullptr;
  HWND owner_ = nullptr;
  HWND focus_ = nullptr;
  bool closing_ = false;
  UniqueFont font_;
  int line_height_ = 0;
  std::vector<std::string> lines_;
};

}  // namespace kdw::forms
