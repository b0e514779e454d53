// Writes the settings reference to the file named, as a machine with no
// settings stored yet would show it.
#include <cstdio>
#include <fstream>

#include "registry/memory_registry.h"
#include "shell/settings_reference.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: kdw_settings_reference FILE\n", stderr);
    return 2;
  }
  kdw::MemoryRegistry api;
  const kdw::Registry registry(api);
  std::ofstream out(argv[1], std::ios::binary);
  out << kdw::shell::SettingsReference(registry);
  out.close();
  if (!out) {
    std::fprintf(stderr, "kdw_settings_reference: %s could not be written\n", argv[1]);
    return 1;
  }
  return 0;
}
