#include "forms/win32/form_menus.h"

#include <string>

namespace kdw::forms {
namespace {

// Menu command ids start here, clear of the controls' ids.
constexpr UINT kFirstMenuId = 20000;

// A menu item's caption with its shortcut shown at the right.
std::string MenuText(const MenuItem& item) {
  std::string text = item.caption();
  const std::string keys = item.shortcut().Text();
  if (!keys.empty()) {
    text += '\t';
    text += keys;
  }
  return text;
}

}  // namespace

void FormMenus::Build(Form& form, std::function<HWND()> window) {
  if (form.menu_items().empty()) return;
  window_ = std::move(window);
  bar_.reset(CreateMenu());
  next_id_ = kFirstMenuId;
  for (MenuItem* top : form.menu_bar()) Add(*top, top->visible() ? bar_.get() : nullptr);
  if (!keys_.empty())
    accelerators_.reset(CreateAcceleratorTableA(keys_.data(), static_cast<int>(keys_.size())));
  keys_.clear();
}

// Adds the item to the menu `into`; a top-level item without one becomes a
// pop-up of its own.
void FormMenus::Add(MenuItem& item, HMENU into) {
  if (item.separator()) {
    AppendMenuA(into, MF_SEPARATOR, 0, nullptr);
    return;
  }
  const UINT id = next_id_++;
  by_id_[id] = &item;
  const std::string text = MenuText(item);
  if (!item.children().empty()) {
    UniqueMenu popup(CreatePopupMenu());
    for (MenuItem* child : item.children()) Add(*child, popup.get());
    popups_[&item] = popup.get();
    if (into) {
      // From here the menu it joins destroys it.
      AppendMenuA(into, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup.release()),
                  text.c_str());
    } else {
      loose_popups_.push_back(std::move(popup));
    }
  } else {
    AppendMenuA(into, MF_STRING, id, text.c_str());
  }
  if (into) NameItem(item, into, static_cast<UINT>(GetMenuItemCount(into) - 1));
  const Shortcut& shortcut = item.shortcut();
  if (shortcut.kind == Shortcut::kFunction) {
    keys_.push_back({FVIRTKEY, static_cast<WORD>(VK_F1 + shortcut.key - 1), static_cast<WORD>(id)});
  } else if (shortcut.kind == Shortcut::kCtrl) {
    keys_.push_back({FVIRTKEY | FCONTROL, static_cast<WORD>(shortcut.key), static_cast<WORD>(id)});
  }
  item.AttachView([this](MenuItem& changed) { CaptionChanged(changed); });
}

void FormMenus::NameItem(const MenuItem& item, HMENU into, UINT position) {
  places_[&item] = {into, position};
  UniqueGlobalAtom name(GlobalAddAtomA(item.name().c_str()));
  MENUITEMINFOA info = {};
  info.cbSize = sizeof info;
  info.fMask = MIIM_DATA;
  info.dwItemData = name.get();
  SetMenuItemInfoA(into, position, TRUE, &info);
  names_.push_back(std::move(name));
}

void FormMenus::CaptionChanged(const MenuItem& item) const {
  auto place = places_.find(&item);
  if (place == places_.end()) return;
  std::string caption = MenuText(item);
  MENUITEMINFOA info = {};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STRING;
  info.dwTypeData = caption.data();
  SetMenuItemInfoA(place->second.first, place->second.second, TRUE, &info);
  if (HWND window = window_()) DrawMenuBar(window);
}

bool FormMenus::Click(UINT id) const {
  auto item = by_id_.find(id);
  if (item == by_id_.end()) return false;
  item->second->UserClick();
  return true;
}

void FormMenus::Popup(const MenuItem& menu, HWND window) const {
  auto it = popups_.find(&menu);
  if (it == popups_.end() || !window) return;
  POINT cursor;
  GetCursorPos(&cursor);
  SetForegroundWindow(window);
  TrackPopupMenu(it->second, TPM_LEFTALIGN | TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, window,
                 nullptr);
  // Lets the menu close when the user clicks elsewhere.
  PostMessageA(window, WM_NULL, 0, 0);
}

void FormMenus::Release() {
  accelerators_.reset();
  loose_popups_.clear();
  names_.clear();
}

}  // namespace kdw::forms
