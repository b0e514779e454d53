// A whole shell over the in-process registry and the platform fakes.
#pragma once

#include <gtest/gtest.h>

#include "forms/fake_host.h"
#include "platform/fake_drives.h"
#include "platform/fake_session.h"
#include "platform/fake_system_status.h"
#include "platform/fakes.h"
#include "platform/openssl_crypto.h"
#include "registry/memory_registry.h"
#include "registry/journal.h"
#include "shell/general.h"
#include "shell/startup.h"

namespace kdw::shell {

class ShellTest : public ::testing::Test {
 protected:
  ShellTest() {
    // Wired as the program wires it: changes through the journal, the
    // account probe around it.
    context.journal = &journal;
    context.probe_registry = &direct;
    // The machine as it was before the program started.
    EXPECT_TRUE(direct.SaveStringValue(HKLM, "Software\\Microsoft\\Windows NT\\CurrentVersion",
                           "ProductName", "Microsoft Windows XP").ok());
    EXPECT_TRUE(direct.SaveStringValue(HKLM, kProductKey, "Owner", "Jane Owner").ok());
  }

  // Starts the program as far as its first window.
  bool Start() { return application.Main(); }
  MainWindow& main() { return *application.main_window(); }
  const ShownMessage& LastMessage() const { return messages.shown().back(); }

  MemoryRegistry memory;
  RegistryJournal journal{memory};
  Registry registry{journal};
  Registry direct{memory};
  forms::FakeHost host;
  FakeMessageBoxes messages;
  FakeInputBox input;
  FakeProcessStarter processes;
  FakeFileSystem files;
  OpenSslCrypto crypto;
  FakeFileDialogs dialogs;
  FakePerformanceCounters counters;
  FakePowerStatus power;
  FakeSessionControl session;
  FakeProcessList process_list;
  FakeDrives drives;
  Context context{registry, host,    messages, input,   processes, files,
                  dialogs,  crypto,  counters, power,   session,   process_list,
                  drives};
  Application application{context};
};

}  // namespace kdw::shell
