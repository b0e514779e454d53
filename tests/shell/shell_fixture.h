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
#include "shell/general.h"
#include "shell/general.h"
#include "shell/startup.h"

namespace kdw::shell {

class ShellTest : public ::testing::Test {
 protected:
  ShellTest() {
    registry.SaveStringValue(HKLM, "Software\\Microsoft\\Windows NT\\CurrentVersion",
                             "ProductName", "Microsoft Windows XP");
    registry.SaveStringValue(HKLM, kProductKey, "Owner", "Jane Owner");
  }

  // Starts the program as far as its first window.
  bool Start() { return application.Main(); }
  MainWindow& main() { return *application.main_window(); }
  const ShownMessage& LastMessage() const { return messages.shown().back(); }

  MemoryRegistry memory;
  Registry registry{memory};
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
