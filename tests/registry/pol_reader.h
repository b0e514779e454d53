// A strict reader of registry policy files for the tests, written from the
// file format and not from the writer: it reads the entries back as Group
// Policy would and refuses anything it would read differently.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kdw::test {

struct PolEntry {
  std::u16string key;
  std::u16string value;
  std::uint32_t type = 0;
  std::vector<std::uint8_t> data;
};

struct ReadPolFile {
  std::vector<PolEntry> entries;
  std::string error;  // empty when the whole file was read
};

ReadPolFile ReadPolBytes(const std::vector<std::uint8_t>& bytes);

// UTF-16 back to single bytes, for text the tests write in ASCII or
// Latin-1; a character beyond becomes '?'.
std::string Narrow(const std::u16string& text);
// An entry's data as the "A" calls give it back: text types narrowed (their
// NULs kept), other types as they are.
std::vector<std::uint8_t> NarrowData(const PolEntry& entry);
// The list of a "**DeleteKeys" entry: its text up to the NUL, split at ';'.
std::vector<std::string> DeletedKeys(const PolEntry& entry);

// The last entry that sets `value` in `key` (names compared without regard
// to case), or null.
const PolEntry* FindValue(const ReadPolFile& file, const std::string& key,
                          const std::string& value);
// Whether the file says what becomes of the value: sets it, deletes it,
// deletes every value of its key, or removes its key or one above it.
bool Names(const ReadPolFile& file, const std::string& key, const std::string& value);

}  // namespace kdw::test
