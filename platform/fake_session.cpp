#include "platform/fake_session.h"

#include <algorithm>
#include <cstdio>

namespace kdw {

bool FakeSessionControl::EnableShutdownPrivilege() {
  calls_.push_back("EnableShutdownPrivilege");
  return !privilege_refused_;
}

bool FakeSessionControl::ExitWindowsEx(std::uint32_t flags) {
  char call[32];
  std::snprintf(call, sizeof call, "ExitWindowsEx 0x%X", static_cast<unsigned>(flags));
  calls_.push_back(call);
  // Windows refuses shut down and restart without the privilege; log off
  // needs none.
  return !privilege_refused_ || (flags & (ewx::kShutdown | ewx::kReboot)) == 0;
}

bool FakeProcessList::Terminate(std::uint32_t process_id) {
  terminate_requests_.push_back(process_id);
  const auto found = std::find_if(processes_.begin(), processes_.end(),
                                  [&](const ProcessEntry& p) { return p.id == process_id; });
  if (terminate_refused_ || found == processes_.end()) return false;
  processes_.erase(found);
  return true;
}

}  // namespace kdw
