// Everything the shell and the pages may use of the program and of Windows,
// handed in as interfaces: the Win32 implementations in the program, the
// in-process registry and the fakes in tests. One context serves both.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "forms/form.h"
#include "platform/crypto.h"
#include "platform/drives.h"
#include "platform/file_dialogs.h"
#include "platform/file_system.h"
#include "platform/input_box.h"
#include "platform/message_boxes.h"
#include "platform/process_starter.h"
#include "platform/session.h"
#include "platform/system_status.h"
#include "registry/account_type.h"
#include "registry/journal.h"
#include "registry/registry.h"

namespace kdw {

struct Context {
  const Registry& registry;
  forms::FormHost& host;
  MessageBoxes& messages;
  InputBox& input;
  ProcessStarter& processes;
  FileSystem& files;
  FileDialogs& dialogs;
  Crypto& crypto;
  PerformanceCounters& counters;
  PowerStatus& power;
  SessionControl& session;
  ProcessList& process_list;
  Drives& drives;

  // Greys the maximize button of a shown form's window.
  std::function<void(forms::Form&)> disable_max_button = [](forms::Form&) {};
  // Cuts a shown form's window to a picture (a bitmap resource), leaving
  // out every pixel of the transparent colour (0x00BBGGRR).
  std::function<void(forms::Form&, const std::string& picture, std::uint32_t transparent)>
      shape_form = [](forms::Form&, const std::string&, std::uint32_t) {};
  // The main window once it exists: the owner of the pages' modal dialogs
  // and of their messages.
  forms::Form* main_form = nullptr;

  // The journal every change of this run passes through, where there is
  // one: the program's undo works on it.
  RegistryJournal* journal = nullptr;
  // Where the account probe writes, when not `registry`: its write and
  // delete are no change of a setting, so they go around the journal.
  const Registry* probe_registry = nullptr;

  // Decided afresh at every call, by the write probe.
  AccountType Account() const {
    return DetectAccountType(probe_registry ? *probe_registry : registry);
  }
  bool Limited() const { return Account() == AccountType::kLimited; }
  // The window that owns a message of the main window or of a page.
  WindowHandle Owner() const { return main_form ? host.WindowOf(*main_form) : 0; }
};

// The title of every message the program shows.
inline constexpr char kTitle[] = "Kelmor Deskwarden";

}  // namespace kdw
