// A window host for native tests: it shows nothing and records what the forms
// asked of it.
#pragma once

#include <string>
#include <vector>

#include "forms/form.h"

namespace kdw::forms {

class FakeHost : public FormHost {
 public:
  void Show(Form& form, Form* frame) override {
    form.SetHost(this);
    shown.push_back(form.name());
    (void)frame;
  }
  void ShowModal(Form& form, Form& owner) override {
    form.SetHost(this);
    modal.push_back(form.name());
    if (on_modal) on_modal(form);
    (void)owner;
  }
  void Destroy(Form& form) override {
    form.SetHost(nullptr);
    destroyed.push_back(form.name());
  }
  void Resize(Form& form) override { resized.push_back(form.name()); }
  void PopupMenu(Form& form, MenuItem& menu) override {
    (void)form;
    popups.push_back(menu.name());
  }
  int ContextMenu(Form& form, Control& control, const std::vector<std::string>& items) override {
    (void)form;
    menus.push_back({control.name(), items});
    return menu_choice;
  }
  void ShowHelpPopup(Form& form, Control& control, const std::string& text) override {
    (void)form;
    help.push_back({control.name(), text});
  }
  void SetFocus(Form& form, Control& control) override {
    (void)form;
    focused = control.name();
  }
  void BeginDrag(Form& form) override { drags.push_back(form.name()); }
  std::uintptr_t WindowOf(const Form& form) const override {
    (void)form;
    return 0;
  }
  void Quit() override { ++quits; }

  // Lets a test work a modal form while it is "open".
  std::function<void(Form&)> on_modal;

  // The item the user picks from every shortcut menu; -1 closes it unpicked.
  int menu_choice = -1;
  struct ShownMenu {
    std::string control;
    std::vector<std::string> items;
  };
  std::vector<ShownMenu> menus;
  struct ShownHelp {
    std::string control;
    std::string text;
  };
  std::vector<ShownHelp> help;

  std::vector<std::string> shown, modal, destroyed, resized, popups, drags;
  std::string focused;
  int quits = 0;
};

}  // namespace kdw::forms
