// kdw3: wiring only. Everything here hands the Win32 implementations to the
// shell; the main window finds the pages in their catalogue.
#include <windows.h>

#include <cstdint>
#include <string>

#include "app/first_use_crypto.h"
#include "app/startup_steps.h"
#include "core/context.h"
#include "forms/win32/win32_host.h"
#include "platform/win32_drives.h"
#include "platform/win32_handles.h"
#include "platform/win32_platform.h"
#include "platform/win32_session.h"
#include "platform/win32_system_status.h"
#include "registry/journal.h"
#include "registry/registry.h"
#include "registry/win32_registry.h"
#include "shell/helpers/buttons.h"
#include "shell/helpers/raised_error.h"
#include "shell/helpers/transparent.h"
#include "shell/startup.h"
#include "shell/tools.h"

namespace {

// Text for whoever started the program: its standard output or error, or
// failing that the console it was started from.
void WriteStandard(DWORD which, const std::string& text) {
  if (text.empty()) return;
  HANDLE handle = GetStdHandle(which);
  if ((!handle || handle == INVALID_HANDLE_VALUE) && AttachConsole(ATTACH_PARENT_PROCESS)) {
    handle = GetStdHandle(which);
  }
  if (!handle || handle == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

// What the shell asks of real windows: a main window without its maximize
// button, and forms cut to the shape of a picture.
void AttachWindowShaping(kdw::Context& context, kdw::forms::Win32Host& host, HINSTANCE instance) {
  context.disable_max_button = [&host](kdw::forms::Form& form) {
    try {
      kdw::EnableMaxButton(reinterpret_cast<HWND>(host.WindowOf(form)), false);
    } catch (const kdw::RaisedError&) {
      // The window keeps its maximize button; its size is held fixed anyway.
    }
  };

  context.shape_form = [&host, instance](kdw::forms::Form& form, const std::string& picture,
                                         std::uint32_t transparent) {
    // A form without a window (the hidden picture holder) has nothing to cut.
    HWND window = reinterpret_cast<HWND>(host.WindowOf(form));
    if (!window) return;
    kdw::UniqueBitmap bitmap(LoadBitmapA(instance, picture.c_str()));
    if (!bitmap) return;
    try {
      kdw::clsTransparent().SetRegion(window, bitmap.get(), transparent);
    } catch (const kdw::RaisedError&) {
      // The window keeps its rectangle.
    }
  };
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR arguments, int) {
  kdw::app::StartStartupSteps();
  kdw::Win32RegistryApi registry_api;
  const kdw::Registry direct_registry(registry_api);

  const kdw::shell::CommandLine command = kdw::shell::ParseCommandLine(arguments ? arguments : "");
  if (command.action != kdw::shell::CommandLine::kRun) {
    kdw::Win32FileSystem files;
    std::string output;
    std::string error;
    const int code = kdw::shell::RunCommandLine(direct_registry, files, command, &output, &error);
    WriteStandard(STD_OUTPUT_HANDLE, output);
    if (code != 0 && !error.empty()) WriteStandard(STD_ERROR_HANDLE, error + "\r\n");
    return code;
  }

  // Every change the program makes passes through the journal, for undo.
  kdw::RegistryJournal journal(registry_api);
  const kdw::Registry registry(journal);
  kdw::forms::Win32Host host(instance);
  kdw::shell::MarkStartupStep("common controls, window classes");
  kdw::Win32MessageBoxes messages;
  host.TellHandlerFailures(messages);
  kdw::Win32InputBox input;
  kdw::Win32ProcessStarter processes;
  kdw::Win32FileSystem files;
  kdw::Win32FileDialogs dialogs;
  kdw::app::FirstUseCrypto crypto;
  kdw::Win32PerformanceCounters counters;
  kdw::Win32PowerStatus power;
  kdw::Win32SessionControl session;
  kdw::Win32ProcessList process_list;
  kdw::Win32Drives drives;
  kdw::shell::MarkStartupStep("platform services");

  kdw::Context context{registry, host,   messages, input,   processes, files,
                       dialogs,  crypto, counters, power,   session,   process_list,
                       drives};
  context.journal = &journal;
  context.probe_registry = &direct_registry;
  AttachWindowShaping(context, host, instance);

  kdw::shell::Application application(context);
  if (!application.Main()) return 0;
  kdw::app::EndStartupSteps();
  const int code = host.Run();
  kdw::app::WriteStartupSteps();
  return code;
}
