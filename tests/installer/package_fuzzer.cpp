// libFuzzer target (scripts/fuzz-installer.sh): any bytes as kdwsetup's own
// file. The index never points outside the package, and the load over the
// fakes ends in one of its outcomes, having copied exactly the indexed bytes.
// The first input byte chooses whether the rest gets a matching seal, so that
// the copy loop is reached behind the checksum too.
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <map>

#include "installer/installer.h"
#include "installer/package.h"
#include "platform/fakes.h"
#include "platform/openssl_crypto.h"
#include "registry/memory_registry.h"

namespace {

using namespace kdw;
using namespace kdw::installer;

void Require(bool condition) {
  if (!condition) __builtin_trap();
}

std::string Folded(const std::string& name) {
  std::string folded = name;
  for (char& c : folded) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return folded;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static OpenSslCrypto crypto;
  if (size == 0) return 0;
  Bytes package(data + 1, data + size);
  if (data[0] & 1) {
    Sha256Digest digest;
    Require(crypto.Sha256(package, digest));
    const std::string block = SealedClosingBlock(digest);
    package.insert(package.end(), block.begin(), block.end());
  }

  const auto entries = ReadPackageIndex(package);
  if (entries) {
    Require(!entries->empty());
    std::uint64_t end = package.size() - kClosingBlockLength - kCountLength;
    for (const PackageEntry& entry : *entries) {
      Require(entry.offset + entry.size + kHeaderLength == end);  // packed back to back
      Require(ReadNameField(entry.name).has_value());
      end = entry.offset;
    }
  }
  const Seal seal = CheckSeal(package, crypto);

  MemoryRegistry api;
  const Registry registry(api);
  static_cast<void>(registry.SaveStringValue(HKLM, kWindowsKey, kSystemRootValue, "C:\\WINDOWS"));
  FakeFileSystem files;
  files.SetProgramFolder("C:\\Setup");
  files.SetProgramName("kdwsetup");
  files.AddFile("C:\\Setup\\kdwsetup.exe", package);
  files.AddFolder("C:\\WINDOWS\\System32");
  FakeMessageBoxes messages;  // the copy question, unanswered, gets Abort
  const Outcome outcome = Installer(registry, messages, files, crypto).Load();

  const bool damaged = !entries || seal == Seal::kBroken;
  Require((outcome == Outcome::kDamaged) == damaged);
  Require(messages.shown().size() == 1);
  if (damaged) Require(files.ListFiles("C:\\WINDOWS\\System32", "*").empty());
  if (outcome != Outcome::kInstalled) return 0;
  // The last entry of a name is the one left in place.
  std::map<std::string, const PackageEntry*> last;
  for (const PackageEntry& entry : *entries) last[Folded(entry.name)] = &entry;
  for (const auto& [name, entry] : last) {
    const auto begin = package.begin() + static_cast<std::ptrdiff_t>(entry->offset);
    const auto copied = files.Contents("C:\\WINDOWS\\System32\\" + entry->name);
    Require(copied && *copied == Bytes(begin, begin + static_cast<std::ptrdiff_t>(entry->size)));
  }
  Require(files.ListFiles("C:\\WINDOWS\\System32", "*").size() == last.size());
  return 0;
}
