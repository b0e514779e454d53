// Reads a .reg file back into the changes it asks for, as regedit would
// carry them out: keys made, keys removed ([-...]), values set, values
// removed ("name"=-). Both forms regedit writes are read: "REGEDIT4" in the
// system code page, and "Windows Registry Editor Version 5.00" in UTF-16LE
// with its byte-order mark (its text data, hex(1), hex(2) and hex(7), is
// UTF-16 too and comes back in the code page, as the "A" calls store it).
//
// The reader is strict: anything regedit might read otherwise than it was
// meant (an unknown escape, a value outside a key, hex that is not two
// digits, a removal of a whole root key) makes the whole file unread, with
// the line named, so an import never carries out half a file.
#pragma once

#include <cstdint>
#include <span>

#include "registry/registry_change.h"

namespace kdw {

ReadChanges ReadRegFile(std::span<const std::uint8_t> bytes);

// The root key of a name as a .reg file writes it ("HKEY_CURRENT_USER"),
// whatever the case; false for any other name.
bool HiveFromName(const std::string& name, Hive* hive);

}  // namespace kdw
