// Group Policy templates made from the catalogue: kdw3.admx with its
// en-US\kdw3.adml for the newer Group Policy editors, and kdw3.adm for the
// editor of Windows XP itself. They describe the settings (where each is
// kept and what each state stores); they hold no data of this machine.
#pragma once

#include <string>

#include "pages/settings_index.h"

namespace kdw::shell {

struct PolicyTemplates {
  std::string admx;  // UTF-8 XML
  std::string adml;  // UTF-8 XML, the English texts
  std::string adm;   // system code page, CRLF line ends
};

// Every catalogued setting a template can express, a category per section
// (and within it per Office version and per dialog). Office settings come
// once for each Office version, whichever is chosen now.
PolicyTemplates MakePolicyTemplates();

// Why a template leaves the setting out; null when it describes it.
const char* LeftOutOfTemplates(const pages::IndexedSetting& setting);


}  // namespace kdw::shell
