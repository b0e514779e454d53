#include "forms/form.h"

#include <stdexcept>

namespace kdw::forms {
namespace {

std::unique_ptr<Control> MakeControl(const ControlSpec& decl) {
  std::string name = decl.name, caption = decl.caption, container = decl.container;
  std::unique_ptr<Control> control;
  switch (decl.kind) {
    case ControlKind::kCheckBox:
      control = std::make_unique<CheckBox>(name, decl.kind, caption, decl.rect, container,
                                           decl.flags);
      break;
    case ControlKind::kTextBox: {
      auto box = std::make_unique<TextBox>(name, decl.kind, "", decl.rect, container, decl.flags);
      // The design text is the box's first text; no event, nobody listens yet.
      box->SetText(caption);
      control = std::move(box);
      break;
    }
    case ControlKind::kComboBox:
    case ControlKind::kListBox:
    case ControlKind::kCheckList:
    case ControlKind::kFileList:
    case ControlKind::kImageCombo:
      control = std::make_unique<ListControl>(name, decl.kind, caption, decl.rect, container,
                                              decl.flags);
      break;
    case ControlKind::kSlider:
      control = std::make_unique<Slider>(name, decl.kind, caption, decl.rect, container,
                                         decl.flags);
      break;
    case ControlKind::kTabStrip:
      control = std::make_unique<TabStrip>(name, decl.kind, caption, decl.rect, container,
                                           decl.flags);
      break;
    case ControlKind::kTimer:
      control = std::make_unique<Timer>(name, container, decl.interval);
      break;
    default:
      control = std::make_unique<Control>(name, decl.kind, caption, decl.rect, container,
                                          decl.flags);
      break;
  }
  control->SetPicture(decl.picture);
  control->SetTooltip(decl.tooltip);
  return control;
}

}  // namespace

std::string Shortcut::Text() const {
  std::string text;
  if (kind == kFunction) {
    text = 'F';
    text += std::to_string(key);
  } else if (kind == kCtrl) {
    text = "Ctrl+";
    text += static_cast<char>(key);
  }
  return text;
}

MenuItem::MenuItem(const MenuSpec& decl, MenuItem* parent)
    : name_(decl.name),
      caption_(decl.caption),
      shortcut_(decl.shortcut),
      visible_(decl.visible),
      parent_(parent) {}

void MenuItem::SetCaption(const std::string& caption) {
  if (caption == caption_) return;
  caption_ = caption;
  if (view_) view_(*this);
}

Form::Form(const FormSpec& decl)
    : name_(decl.name),
      caption_(decl.caption),
      style_(decl.style),
      width_(decl.width),
      height_(decl.height),
      child_area_(decl.child_area) {
  for (const auto& control_spec : decl.controls) {
    auto control = MakeControl(control_spec);
    by_name_[control->name()] = control.get();
    controls_.push_back(std::move(control));
  }
  std::map<std::string, MenuItem*> menus;
  for (const auto& menu_spec : decl.menus) {
    MenuItem* parent = *menu_spec.parent ? menus.at(menu_spec.parent) : nullptr;
    auto item = std::make_unique<MenuItem>(menu_spec, parent);
    menus[item->name()] = item.get();
    if (parent) {
      parent->AddChild(item.get());
    } else {
      menu_bar_.push_back(item.get());
    }
    menu_items_.push_back(std::move(item));
  }
}

// A form that goes while its windows are up takes them along, so the host
// never holds on to a model that is gone.
Form::~Form() {
  if (host_) host_->Destroy(*this);
}

void Form::SetSize(int width, int height) {
  if (width == width_ && height == height_) return;
  width_ = width;
  height_ = height;
  if (host_) host_->Resize(*this);
}

void Form::WindowResized(int width, int height, WindowState state) {
  window_state_ = state;
  if (state != WindowState::kMinimized) {
    width_ = width;
    height_ = height;
  }
  if (on_resize) on_resize();
}

void Form::SetWindowState(WindowState state) {
  if (state == window_state_) return;
  window_state_ = state;
  if (host_) host_->ApplyWindowState(*this);
}

Control* Form::find(const std::string& name) const {
  auto it = by_name_.find(name);
  return it == by_name_.end() ? nullptr : it->second;
}

Control& Form::control(const std::string& name) const {
  if (Control* found = find(name)) return *found;
  throw std::out_of_range(name_ + " has no control " + name);
}

MenuItem& Form::menu(const std::string& name) const {
  for (const auto& item : menu_items_) {
    if (item->name() == name) return *item;
  }
  throw std::out_of_range(name_ + " has no menu " + name);
}

}  // namespace kdw::forms
