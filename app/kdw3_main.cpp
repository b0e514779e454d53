// kdw3: wiring only. Everything here hands the Win32 implementations to the
// shell and plugs the pages into the main window.
#include <windows.h>

#include "forms/win32/win32_host.h"
#include "pages/page_context.h"
#include "pages/shell/start_menu_page.h"
#include "platform/win32_platform.h"
#include "registry/registry.h"
#include "registry/win32_registry.h"
#include "shell/general.h"
#include "shell/helpers/buttons.h"
#include "shell/helpers/raised_error.h"
#include "shell/startup.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  kdw::Win32RegistryApi registry_api;
  const kdw::Registry registry(registry_api);
  kdw::forms::Win32Host host(instance);
  kdw::Win32MessageBoxes messages;
  kdw::Win32InputBox input;
  kdw::Win32ProcessStarter processes;
  kdw::Win32FileSystem files;
  kdw::Win32Crypto crypto;

  kdw::shell::Services services{registry, host, messages, input, processes, files, crypto};
  services.disable_max_button = [&host](kdw::forms::Form& form) {
    try {
      kdw::EnableMaxButton(reinterpret_cast<HWND>(host.WindowOf(form)), false);
    } catch (const kdw::RaisedError&) {
      // The window keeps its maximize button; its size is held fixed anyway.
    }
  };

  kdw::pages::PageContext pages{registry, host};
  pages.limited_account = [&registry] { return kdw::shell::IsLimitedAccount(registry); };

  kdw::shell::Application application(services);
  application.on_main_window_created = [&](kdw::shell::MainWindow& main) {
    pages.main_form = &main.form();
    main.SetPageFactory("frmStart", [&pages] { return kdw::pages::MakeStartMenuPage(pages); });
  };
  if (!application.Main()) return 0;
  return host.Run();
}
