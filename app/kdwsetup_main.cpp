// kdwsetup: wiring only. The installer's load does all the work with the
// Win32 implementations and ends the program; its window is never shown.
#include <windows.h>

#include "installer/installer.h"
#include "platform/win32_platform.h"
#include "registry/registry.h"
#include "registry/win32_registry.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  kdw::Win32RegistryApi registry_api;
  const kdw::Registry registry(registry_api);
  kdw::Win32MessageBoxes messages;
  kdw::Win32FileSystem files;
  kdw::Win32Crypto crypto;

  kdw::installer::Installer installer(registry, messages, files, crypto);
  return static_cast<int>(installer.Load());
}
