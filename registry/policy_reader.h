// Reads a registry policy file ("Registry.pol", PReg version 1) back into
// the changes Group Policy makes of it in one hive: each entry's key made,
// then the entry carried out. Besides plain values it
// carries out the commands Group Policy knows by their value names:
// "**del.NAME", "**delvals." (also written "**DelVals."), "**DeleteValues"
// (a ';' list of names) and "**DeleteKeys" (a ';' list of subkeys). Other
// "**" commands come back as kNotCarriedOut, to be listed and left alone.
//
// The file gives no hive; the caller knows it from the folder the file
// lies in (Machine or User). Text (names, and the data of REG_SZ,
// REG_EXPAND_SZ and REG_MULTI_SZ) comes back in the system code page.
//
// Anything that cannot be read as the format says (a wrong signature or
// version, a missing bracket or separator, text data of an odd length, a
// size past the end of the file, a truncated entry) makes the whole file
// unread, with the byte offset named.
#pragma once

#include <cstdint>
#include <span>

#include "registry/registry_change.h"

namespace kdw {

ReadChanges ReadPolicyFile(std::span<const std::uint8_t> bytes, Hive hive);

}  // namespace kdw
