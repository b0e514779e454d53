// Everything the application shell asks of the world, handed in as
// interfaces: the Win32 ones in the program, fakes in the tests.
#pragma once

#include <functional>

#include "forms/form.h"
#include "platform/crypto.h"
#include "platform/file_system.h"
#include "platform/input_box.h"
#include "platform/message_boxes.h"
#include "platform/process_starter.h"
#include "registry/registry.h"

namespace kdw::shell {

struct Services {
  const Registry& registry;
  forms::FormHost& host;
  MessageBoxes& messages;
  InputBox& input;
  ProcessStarter& processes;
  FileSystem& files;
  Crypto& crypto;
  // Greys the maximize button of a shown form's window.
  std::function<void(forms::Form&)> disable_max_button = [](forms::Form&) {};
};

// The title of every message the program shows.
inline constexpr char kTitle[] = "Kelmor Deskwarden";
// The product's web site; its update page is this followed by "/updates".
inline constexpr char kWebSite[] = "http://www.kelmor.com/deskwarden";

}  // namespace kdw::shell
