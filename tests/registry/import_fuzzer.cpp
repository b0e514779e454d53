// libFuzzer targets (scripts/fuzz-import.sh): any bytes as a .reg file
// (built with KDW_FUZZ_REG) or as a policy file (KDW_FUZZ_POL). A reader
// gives either changes or a reason, never both; the reason names a line or
// byte inside the file; and what it read, written again by our own writer,
// is read back as the same values.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "registry/policy_file.h"
#include "registry/policy_reader.h"
#include "registry/reg_file.h"
#include "registry/reg_import.h"

namespace {

using namespace kdw;

void Require(bool condition) {
  if (!condition) __builtin_trap();
}

// The number after `prefix` at the start of the reason.
std::size_t Where(const std::string& error, const char* prefix) {
  const std::string start(prefix);
  Require(error.compare(0, start.size(), start) == 0);
  const std::size_t colon = error.find(": ", start.size());
  Require(colon != std::string::npos && colon > start.size());
  return std::stoul(error.substr(start.size(), colon - start.size()));
}

std::vector<RegistryChange> SetValues(const std::vector<RegistryChange>& changes) {
  std::vector<RegistryChange> set;
  for (const RegistryChange& change : changes) {
    if (change.kind == RegistryChange::kSetValue) set.push_back(change);
  }
  return set;
}

// Text data with its one terminating NUL taken off: the .reg formatter
// writes plain text without one as "text", which regedit stores with one.
std::vector<std::uint8_t> Unterminated(const RegistryChange& change) {
  std::vector<std::uint8_t> data = change.data;
  if (change.type == regtype::kSz && !data.empty() && data.back() == 0) data.pop_back();
  return data;
}

void RequireSameValues(const std::vector<RegistryChange>& a, const std::vector<RegistryChange>& b,
                       bool terminated_alike) {
  Require(a.size() == b.size());
  for (std::size_t i = 0; i < a.size(); ++i) {
    Require(a[i].hive == b[i].hive && a[i].key == b[i].key && a[i].name == b[i].name);
    Require(a[i].type == b[i].type);
    Require(terminated_alike ? a[i].data == b[i].data : Unterminated(a[i]) == Unterminated(b[i]));
  }
}

#if defined(KDW_FUZZ_REG)
void Check(const std::vector<std::uint8_t>& bytes) {
  const ReadChanges read = ReadRegFile(bytes);
  if (!read.ok()) {
    Require(read.changes.empty());
    const std::size_t line = Where(read.error, "line ");
    std::size_t lines = 1;
    for (const std::uint8_t byte : bytes) lines += byte == '\n';
    Require(line >= 1 && line <= lines);
    return;
  }
  // Each value as a key of its own; the formatter leaves out a name that
  // holds a NUL, CR or LF, so those are not expected back.
  std::vector<RegFileKey> keys;
  std::vector<RegistryChange> carried;
  for (const RegistryChange& change : SetValues(read.changes)) {
    keys.push_back({change.hive, change.key, false, {{change.name, true, change.type, change.data}}});
    const std::string names = change.key + change.name;
    if (names.find_first_of(std::string("\0\r\n", 3)) == std::string::npos) carried.push_back(change);
  }
  const std::string text = FormatRegFile(keys);
  const ReadChanges again = ReadRegFile(std::vector<std::uint8_t>(text.begin(), text.end()));
  Require(again.ok());
  RequireSameValues(SetValues(again.changes), carried, false);
}
#elif defined(KDW_FUZZ_POL)
void Check(const std::vector<std::uint8_t>& bytes) {
  const ReadChanges read = ReadPolicyFile(bytes, HKLM);
  if (!read.ok()) {
    Require(read.changes.empty());
    Require(Where(read.error, "byte ") <= bytes.size());
    return;
  }
  PolicyFile file;
  for (const RegistryChange& change : SetValues(read.changes))
    file.SetValue(change.key, change.name, change.type, change.data);
  const ReadChanges again = ReadPolicyFile(file.bytes(), HKLM);
  Require(again.ok());
  RequireSameValues(SetValues(again.changes), SetValues(read.changes), true);
}
#else
#error "build with KDW_FUZZ_REG or KDW_FUZZ_POL"
#endif

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Check(std::vector<std::uint8_t>(data, data + size));
  return 0;
}
