// Every platform fake in one place, and a context made of them for the
// registry and the window host a test chooses.
#pragma once

#include "core/context.h"
#include "platform/fake_drives.h"
#include "platform/fake_session.h"
#include "platform/fake_system_status.h"
#include "platform/fakes.h"
#include "platform/openssl_crypto.h"

namespace kdw::test {

struct FakePlatform {
  FakeMessageBoxes messages;
  FakeInputBox input;
  FakeProcessStarter processes;
  FakeFileSystem files;
  FakeFileDialogs dialogs;
  OpenSslCrypto hasher;
  FakeCrypto crypto{hasher};
  FakePerformanceCounters counters;
  FakePowerStatus power;
  FakeSessionControl session;
  FakeProcessList process_list;
  FakeDrives drives;

  Context ContextFor(const Registry& registry, forms::FormHost& host) {
    return Context{registry, host,    messages, input,   processes,   files,
                   dialogs,  crypto,  counters, power,   session,     process_list,
                   drives};
  }
};

}  // namespace kdw::test
