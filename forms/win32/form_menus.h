// A form's menus: the menu bar, the pop-ups shown on their own, and the
// shortcut keys as an accelerator table. Each item carries its design name
// as a global atom in its item data, so another process can find it.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <utility>
#include <vector>

#include "forms/form.h"
#include "platform/win32_handles.h"

namespace kdw::forms {

class FormMenus {
 public:
  // Makes the menus of the form's items, nothing for a form without any.
  // `window` answers the form's window, whose bar is redrawn when a caption
  // changes.
  void Build(Form& form, std::function<HWND()> window);
  // The bar for the form's window, null for none.
  HMENU bar() const { return bar_.get(); }
  // The window holds the bar now and destroys it along with itself.
  void BarTaken() { (void)bar_.release(); }
  HACCEL accelerators() const { return accelerators_.get(); }
  // Clicks the item with this command id; false when no item has it.
  bool Click(UINT id) const;
  void Popup(const MenuItem& menu, HWND window) const;
  // Frees what the window did not take along: loose pop-ups, shortcuts and
  // the items' names. Call once the window is gone.
  void Release();

 private:
  void Add(MenuItem& item, HMENU into);
  void NameItem(const MenuItem& item, HMENU into, UINT position);
  void CaptionChanged(const MenuItem& item) const;

  std::function<HWND()> window_;
  UniqueMenu bar_;
  std::vector<UniqueMenu> loose_popups_;  // shown only as pop-up menus
  UniqueAccelerators accelerators_;
  std::vector<UniqueGlobalAtom> names_;
  std::vector<ACCEL> keys_;  // while building
  UINT next_id_ = 0;
  std::map<UINT, MenuItem*> by_id_;
  std::map<const MenuItem*, std::pair<HMENU, UINT>> places_;
  std::map<const MenuItem*, HMENU> popups_;
};

}  // namespace kdw::forms
