// The changes of this session that Windows has not put to work yet: those
// the journal finds different from the start of the session, whose
// settings take effect only when Explorer starts again, at the next log on
// or after Windows restarts.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "pages/setting_row.h"
#include "registry/journal.h"

namespace kdw::shell {

struct WaitingChange {
  std::string section;
  std::string caption;
  pages::Effect effect;
};

class WaitingChanges {
 public:
  // In the catalogue's order, each setting once however many of its values
  // changed. A value put back as it was, or a change made twice over, is
  // no change.
  std::vector<WaitingChange> List(const RegistryJournal& journal, const Registry& registry) const;
  // Explorer has started again: what it reads now is in effect, until the
  // next change of it.
  void ExplorerRestarted(const RegistryJournal& journal);

 private:
  // "hive|key|name" (folded) to what it held when Explorer last restarted.
  std::map<std::string, StoredValue> explorer_saw_;
};

// One line for the main window: "2 changes take effect at the next log on;
// 1 when Explorer restarts." Empty when nothing waits.
std::string WaitingLine(const std::vector<WaitingChange>& waiting);

}  // namespace kdw::shell
