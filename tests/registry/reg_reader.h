// A strict reader of REGEDIT4 text for the tests: it reads a file the way
// regedit imports it (keys, removed keys, values, deleted values) and
// refuses anything regedit would read differently from what was meant.
#pragma once

#include <string>
#include <vector>

#include "registry/reg_file.h"

namespace kdw::test {

struct ReadRegFile {
  std::vector<RegFileKey> keys;
  std::string error;  // empty when the whole text was read
};

// A quoted "text" value comes back as type 1 with its NUL added, as an
// import stores it; dword: as type 4 with four little-endian bytes.
ReadRegFile ReadRegText(const std::string& text);

}  // namespace kdw::test
