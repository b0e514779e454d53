// The page of the section "Media Player": the player's start-up, CD and codec
// switches, its title and music library, DVD play, and its skin: the skins
// installed with the player, the one it must use and keep, and adding a skin
// file from elsewhere to the player's skin folder.
#pragma once

#include <memory>
#include <string>

#include "core/context.h"
#include "forms/form_controller.h"
#include "pages/setting_page.h"

namespace kdw::pages {

extern const PageSpec kMediaPlayerPage;
std::unique_ptr<forms::FormController> MakeMediaPlayerPage(Context& context);

// Whether a name typed for a new skin can be used: it becomes a file name in
// the skin folder, so it must be one name, not a path, hold no character a
// file name may not hold, and not be a name Windows keeps for a device.
bool IsUsableSkinName(const std::string& name);

}  // namespace kdw::pages
