// One adapter per control kind; kinds that share a window class share one.
// MakeAdapter (factory.cpp) picks among these by the control's kind.
#pragma once

#include <memory>

#include "forms/win32/control_adapter.h"

namespace kdw::forms::adapters {

using Maker = std::unique_ptr<ControlAdapter> (*)(ControlSite& site, Control& control, int id);

std::unique_ptr<ControlAdapter> MakeCheckBox(ControlSite& site, Control& control, int id);
std::unique_ptr<ControlAdapter> MakeTextBox(ControlSite& site, Control& control, int id);
std::unique_ptr<ControlAdapter> MakeLabel(ControlSite& site, Control& control, int id);
std::unique_ptr<ControlAdapter> MakeFrame(ControlSite& site, Control& control, int id);
// Picture boxes and shapes: drawn by the form, no window.
std::unique_ptr<ControlAdapter> MakeDrawnBox(ControlSite& site, Control& control, int id);
std::unique_ptr<ControlAdapter> MakeComboBox(ControlSite& site, Control& control, int id);
std::unique_ptr<ControlAdapter> MakeImageCombo(ControlSite& site, Control& control, int id);
// List boxes and file lists.
std::unique_ptr<ControlAdapter> MakeListBox(ControlSite& site, Control& control, int id);
std::unique_ptr<ControlAdapter> MakeCheckList(ControlSite& site, Control& control, int id);
std::unique_ptr<ControlAdapter> MakeSlider(ControlSite& site, Control& control, int id);
std::unique_ptr<ControlAdapter> MakeTabStrip(ControlSite& site, Control& control, int id);
std::unique_ptr<ControlAdapter> MakeImage(ControlSite& site, Control& control, int id);
std::unique_ptr<ControlAdapter> MakeCommandButton(ControlSite& site, Control& control, int id);
std::unique_ptr<ControlAdapter> MakeLine(ControlSite& site, Control& control, int id);
std::unique_ptr<ControlAdapter> MakeTimer(ControlSite& site, Control& control, int id);

}  // namespace kdw::forms::adapters
