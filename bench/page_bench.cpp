// Cost of opening each page of the catalogue: mean wall time per open and
// registry calls per open, over the in-process registry everywhere and over
// the real registry on Windows (Wine). Usage: page_bench [opens]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "forms/fake_host.h"
#include "pages/catalogue.h"
#include "pages/export.h"
#include "pages/settings_index.h"
#include "platform/fake_drives.h"
#include "platform/fake_session.h"
#include "platform/fake_system_status.h"
#include "platform/fakes.h"
#include "registry/memory_registry.h"
#include "registry/registry.h"
#ifdef _WIN32
#include "platform/win32_drives.h"
#include "registry/win32_registry.h"
#endif

namespace {

// Passes every call through and counts it, by platform call.
class CountingRegistryApi : public kdw::RegistryApi {
 public:
  explicit CountingRegistryApi(kdw::RegistryApi& inner) : inner_(inner) {}

  long OpenKey(kdw::RegKey parent, const std::string& path, kdw::RegKey* result) override {
    ++opens;
    return inner_.OpenKey(parent, path, result);
  }
  long CreateKey(kdw::RegKey parent, const std::string& path, kdw::RegKey* result) override {
    ++creates;
    return inner_.CreateKey(parent, path, result);
  }
  long QueryValue(kdw::RegKey key, const std::string& name, kdw::ValueType* type,
                  std::uint8_t* data, std::uint32_t* size) override {
    ++queries;
    return inner_.QueryValue(key, name, type, data, size);
  }
  long SetValue(kdw::RegKey key, const std::string& name, kdw::ValueType type,
                const std::uint8_t* data, std::uint32_t size) override {
    ++sets;
    return inner_.SetValue(key, name, type, data, size);
  }
  long DeleteValue(kdw::RegKey key, const std::string& name) override {
    ++deletes;
    return inner_.DeleteValue(key, name);
  }
  long DeleteKey(kdw::RegKey parent, const std::string& path) override {
    ++deletes;
    return inner_.DeleteKey(parent, path);
  }
  long CloseKey(kdw::RegKey key) override {
    ++closes;
    return inner_.CloseKey(key);
  }

  long EnumValue(kdw::RegKey key, std::uint32_t index, std::string* name) override {
    ++queries;
    return inner_.EnumValue(key, index, name);
  }

  long total() const { return opens + creates + queries + sets + deletes + closes; }
  void Reset() { opens = creates = queries = sets = deletes = closes = 0; }

  long opens = 0, creates = 0, queries = 0, sets = 0, deletes = 0, closes = 0;

 private:
  kdw::RegistryApi& inner_;
};

// Pages ask nothing of these while they open; they only have to be there.
class NoCrypto : public kdw::Crypto {
 public:
  bool RandomBytes(std::size_t, kdw::Bytes&) override { return false; }
  bool Sha256(const kdw::Bytes&, kdw::Sha256Digest&) override { return false; }
};

struct Platform {
  kdw::forms::FakeHost host;
  kdw::FakeMessageBoxes messages;
  kdw::FakeInputBox input;
  kdw::FakeProcessStarter processes;
  kdw::FakeFileSystem files;
  kdw::FakeFileDialogs dialogs;
  NoCrypto crypto;
  kdw::FakePerformanceCounters counters;
  kdw::FakePowerStatus power;
  kdw::FakeSessionControl session;
  kdw::FakeProcessList process_list;
  // A floppy, a disk, a CD and a network drive; a run may bring the real ones.
  kdw::FakeDrives fake_drives = SomeDrives();
  kdw::Drives* drives = &fake_drives;

  static kdw::FakeDrives SomeDrives() {
    kdw::FakeDrives some = kdw::FakeDrives::TypicalMachine();
    some.AddDrive('A', kdw::drivetype::kRemovable);
    some.AddDrive('Z', kdw::drivetype::kRemote, kdw::DiskSpace{1, 4096, 1000, 250000},
                  "\\\\server\\share");
    return some;
  }

  kdw::Context ContextFor(const kdw::Registry& registry) {
    return {registry, host,   messages, input,   processes, files,
            dialogs,  crypto, counters, power,   session,   process_list,
            *drives};
  }
};

void Run(const kdw::pages::PageEntry& entry, const char* label, kdw::RegistryApi& api,
         int opens, kdw::Drives* drives = nullptr) {
  CountingRegistryApi counting(api);
  kdw::Registry registry(counting);
  Platform platform;
  if (drives) platform.drives = drives;
  kdw::Context context = platform.ContextFor(registry);

  using Clock = std::chrono::steady_clock;
  const auto start = Clock::now();
  for (int i = 0; i < opens; ++i) {
    auto page = entry.make(context);
    page->Load();
  }
  const double us = std::chrono::duration<double, std::micro>(Clock::now() - start).count();

  const double n = opens;
  std::printf("%-10s %-24s %10.1f us/open  %6.1f calls/open  (open %.0f, create %.0f, "
              "query %.0f, set %.0f, delete %.0f, close %.0f)\n",
              entry.decl.name, label, us / n, counting.total() / n, counting.opens / n,
              counting.creates / n, counting.queries / n, counting.sets / n,
              counting.deletes / n, counting.closes / n);
}

// The whole catalogue at once: listing every setting (what search filters)
// and writing them all as a .reg file (what export does).
void RunWholeCatalogue(const char* label, kdw::RegistryApi& api, int runs) {
  CountingRegistryApi counting(api);
  kdw::Registry registry(counting);
  using Clock = std::chrono::steady_clock;
  std::size_t settings = 0, bytes = 0;
  auto start = Clock::now();
  for (int i = 0; i < runs; ++i) settings = kdw::pages::IndexSettings(registry).size();
  const double index_us = std::chrono::duration<double, std::micro>(Clock::now() - start).count();
  counting.Reset();
  start = Clock::now();
  for (int i = 0; i < runs; ++i) bytes = kdw::pages::ExportSettings(registry).size();
  const double export_us = std::chrono::duration<double, std::micro>(Clock::now() - start).count();
  std::printf("%-35s index %zu settings %8.1f us; export %zu bytes %9.1f us, %6.1f calls\n",
              label, settings, index_us / runs, bytes, export_us / runs,
              static_cast<double>(counting.total()) / runs);
}

}  // namespace

int main(int argc, char** argv) {
  const int opens = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1000;
  std::printf("%d opens of each page\n", opens);

  for (const kdw::pages::PageEntry& entry : kdw::pages::Catalogue()) {
    kdw::MemoryRegistry empty;
    Run(entry, "memory, nothing stored", empty, opens);

    // Every check box ticked once through the page itself: each open then
    // also writes those rows back.
    kdw::MemoryRegistry all_set;
    {
      kdw::Registry seed(all_set);
      Platform platform;
      kdw::Context context = platform.ContextFor(seed);
      auto page = entry.make(context);
      page->Load();
      for (const auto& control : page->form().controls()) {
        if (control->kind() == kdw::forms::ControlKind::kCheckBox && control->enabled() &&
            dynamic_cast<kdw::forms::CheckBox&>(*control).value() == 0) {
          control->UserClick();
        }
      }
    }
    Run(entry, "memory, every box set", all_set, opens);

#ifdef _WIN32
    // The current user's own settings, as they are: the page writes back only
    // what it read, so nothing changes.
    kdw::Win32RegistryApi win32;
    kdw::Win32Drives real_drives;
    Run(entry, "win32 registry and drives", win32, opens, &real_drives);
#endif
  }
  kdw::MemoryRegistry empty;
  RunWholeCatalogue("whole catalogue, memory", empty, opens);
#ifdef _WIN32
  kdw::Win32RegistryApi win32;
  RunWholeCatalogue("whole catalogue, win32 registry", win32, opens);
#endif
  return 0;
}
