#include <cctype>

#include "platform/fakes.h"

namespace kdw {
namespace {

bool EndsWithSeparator(const std::string& path) {
  return !path.empty() && (path.back() == '\\' || path.back() == '/');
}

// The comparison key of a path: lower case, backslashes, no trailing one.
std::string Fold(const std::string& path) {
  std::string key;
  key.reserve(path.size());
  for (char c : path) {
    key += c == '/' ? '\\' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  while (!key.empty() && key.back() == '\\') key.pop_back();
  return key;
}

std::string LastPart(const std::string& path) {
  std::string trimmed = path;
  while (EndsWithSeparator(trimmed)) trimmed.pop_back();
  const auto cut = trimmed.find_last_of("\\/");
  return cut == std::string::npos ? trimmed : trimmed.substr(cut + 1);
}

bool IsDriveRoot(const std::string& key) {
  return key.size() == 2 && key[1] == ':' && std::isalpha(static_cast<unsigned char>(key[0]));
}

bool HasWildcard(const std::string& name) { return name.find_first_of("*?") != std::string::npos; }

// "*" any run of characters, "?" any one character; both texts folded.
bool WildcardMatch(const char* pattern, const char* name) {
  if (*pattern == '\0') return *name == '\0';
  if (*pattern == '*') {
    for (const char* rest = name;; ++rest) {
      if (WildcardMatch(pattern + 1, rest)) return true;
      if (*rest == '\0') return false;
    }
  }
  if (*name == '\0') return false;
  return (*pattern == '?' || *pattern == *name) && WildcardMatch(pattern + 1, name + 1);
}

bool IsNormal(std::uint32_t attributes) {
  return (attributes & (fileattr::kDirectory | fileattr::kHidden | fileattr::kSystem)) == 0;
}

}  // namespace

const FakeFileSystem::Entry* FakeFileSystem::Find(const std::string& key) const {
  const auto it = entries_.find(key);
  return it == entries_.end() ? nullptr : &it->second;
}

bool FakeFileSystem::FolderExists(const std::string& key) const {
  if (key.empty() || IsDriveRoot(key)) return true;
  const Entry* entry = Find(key);
  return entry && entry->folder;
}

bool FakeFileSystem::IsNormalFile(const std::string& path) {
  if (path.empty() || EndsWithSeparator(path)) return false;
  const std::string key = Fold(path);
  const std::string folder = FolderOfPath(key);
  const std::string pattern = key.substr(folder.empty() ? 0 : folder.size() + 1);
  if (!HasWildcard(pattern)) {
    const Entry* entry = Find(key);
    return entry && !entry->folder && IsNormal(entry->attributes);
  }
  for (const auto& [entry_key, entry] : entries_) {
    if (entry.folder || !IsNormal(entry.attributes) || FolderOfPath(entry_key) != folder) {
      continue;
    }
    const std::string name = entry_key.substr(folder.empty() ? 0 : folder.size() + 1);
    if (WildcardMatch(pattern.c_str(), name.c_str())) return true;
  }
  return false;
}

std::vector<std::string> FakeFileSystem::ListFiles(const std::string& folder,
                                                   const std::string& pattern) {
  std::vector<std::string> names;
  const std::string folder_key = Fold(folder);
  const std::string folded_pattern = Fold(pattern);
  for (const auto& [entry_key, entry] : entries_) {
    if (entry.folder || !IsNormal(entry.attributes) || FolderOfPath(entry_key) != folder_key) {
      continue;
    }
    const std::string name = entry_key.substr(folder_key.empty() ? 0 : folder_key.size() + 1);
    if (WildcardMatch(folded_pattern.c_str(), name.c_str())) names.push_back(entry.name);
  }
  SortFileNames(names);
  return names;
}

bool FakeFileSystem::ReadWholeFile(const std::string& path, Bytes& bytes) {
  bytes.clear();
  if (EndsWithSeparator(path)) return false;
  const Entry* entry = Find(Fold(path));
  if (!entry || entry->folder) return false;
  bytes = entry->bytes;
  return true;
}

bool FakeFileSystem::WriteWholeFile(const std::string& path, const Bytes& bytes) {
  if (path.empty() || EndsWithSeparator(path)) return false;
  const std::string key = Fold(path);
  if (!FolderExists(FolderOfPath(key))) return false;
  if (auto refused = refusals_.find(key); refused != refusals_.end() && refused->second > 0) {
    --refused->second;
    return false;
  }
  if (const Entry* existing = Find(key)) {
    if (existing->folder || (existing->attributes & fileattr::kReadOnly)) return false;
  }
  entries_[key] = Entry{LastPart(path), bytes, fileattr::kArchive, false};
  ++write_count_;
  return true;
}

// In memory a write cannot stop halfway: it already happens whole or not at all.
bool FakeFileSystem::ReplaceWholeFile(const std::string& path, const Bytes& bytes) {
  return WriteWholeFile(path, bytes);
}

bool FakeFileSystem::MakeFolder(const std::string& path) {
  const std::string key = Fold(path);
  if (key.empty()) return false;
  if (const Entry* existing = Find(key)) return existing->folder;
  if (IsDriveRoot(key)) return true;
  if (!FolderExists(FolderOfPath(key))) return false;
  if (auto refused = refusals_.find(key); refused != refusals_.end() && refused->second > 0) {
    --refused->second;
    return false;
  }
  entries_[key] = Entry{LastPart(path), {}, fileattr::kDirectory, true};
  return true;
}

void FakeFileSystem::RefuseWrites(const std::string& path, int count) {
  refusals_[Fold(path)] = count;
}

void FakeFileSystem::AddFile(const std::string& path, const Bytes& bytes,
                             std::uint32_t attributes) {
  const std::string key = Fold(path);
  const std::string folder = FolderOfPath(path);
  if (!FolderExists(Fold(folder))) AddFolder(folder);
  entries_[key] = Entry{LastPart(path), bytes, attributes & ~fileattr::kDirectory, false};
}

void FakeFileSystem::AddFile(const std::string& path, const std::string& text,
                             std::uint32_t attributes) {
  AddFile(path, Bytes(text.begin(), text.end()), attributes);
}

void FakeFileSystem::AddFolder(const std::string& path, std::uint32_t attributes) {
  std::string trimmed = path;
  while (EndsWithSeparator(trimmed)) trimmed.pop_back();
  const std::string key = Fold(trimmed);
  if (key.empty() || IsDriveRoot(key)) return;
  const std::string parent = FolderOfPath(trimmed);
  if (!FolderExists(Fold(parent))) AddFolder(parent);
  entries_[key] = Entry{LastPart(trimmed), {}, attributes | fileattr::kDirectory, true};
}

void FakeFileSystem::Remove(const std::string& path) {
  const std::string key = Fold(path);
  for (auto it = entries_.begin(); it != entries_.end();) {
    const bool below = it->first.size() > key.size() &&
                       it->first.compare(0, key.size(), key) == 0 && it->first[key.size()] == '\\';
    it = it->first == key || below ? entries_.erase(it) : std::next(it);
  }
}

bool FakeFileSystem::Exists(const std::string& path) const {
  const std::string key = Fold(path);
  return IsDriveRoot(key) || Find(key) != nullptr;
}

bool FakeFileSystem::IsFolder(const std::string& path) const {
  const std::string key = Fold(path);
  return !key.empty() && FolderExists(key);
}

std::optional<Bytes> FakeFileSystem::Contents(const std::string& path) const {
  const Entry* entry = Find(Fold(path));
  if (!entry || entry->folder) return std::nullopt;
  return entry->bytes;
}

std::string FakeFileSystem::TextContents(const std::string& path) const {
  const auto bytes = Contents(path);
  return bytes ? std::string(bytes->begin(), bytes->end()) : std::string();
}

std::uint32_t FakeFileSystem::Attributes(const std::string& path) const {
  const Entry* entry = Find(Fold(path));
  return entry ? entry->attributes : 0;
}

}  // namespace kdw
