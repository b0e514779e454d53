#include "registry/registry.h"

#include <cstring>
#include <vector>

namespace kdw {

Registry::Stored ReadStoredValue(RegistryApi& api, RegKey key, const std::string& name) {
  Registry::Stored stored;
  // The value may grow between the size probe and the read: ask again.
  for (int attempt = 0; attempt < 8; ++attempt) {
    std::uint32_t type = regtype::kNone;
    std::uint32_t size = 0;
    if (api.QueryValue(key, name, &type, nullptr, &size) != regerr::kSuccess) return {};
    // One byte more than asked, so that string data read whole always ends
    // inside the buffer.
    std::vector<std::uint8_t> data(size + 1);
    std::uint32_t got = size + 1;
    const long rc = api.QueryValue(key, name, &type, data.data(), &got);
    if (rc == regerr::kMoreData) continue;
    if (rc != regerr::kSuccess) return {};
    data.resize(got);
    stored.present = true;
    stored.type = type;
    stored.data = std::move(data);
    return stored;
  }
  return {};
}

std::string Registry::ReadText(std::uint32_t hive, const std::string& key,
                               const std::string& name, const std::string& fallback,
                               std::uint32_t accepted_type) const {
  ScopedKey handle(api_);
  api_.OpenKey(hive, key, handle.out());

  std::uint32_t type = 0;
  std::uint32_t size = 0;
  if (api_.QueryValue(handle.get(), name, &type, nullptr, &size) != regerr::kSuccess ||
      type != accepted_type) {
    return fallback;
  }
  std::string buffer(size, ' ');
  std::uint32_t second_type = 0;
  auto* bytes = reinterpret_cast<std::uint8_t*>(buffer.data());
  // The value may have changed since the size probe; a failed read gives the
  // default rather than a buffer of blanks.
  if (api_.QueryValue(handle.get(), name, &second_type, bytes, &size) != regerr::kSuccess ||
      second_type != accepted_type) {
    return fallback;
  }
  const auto nul = buffer.find('\0');
  if (nul != std::string::npos) buffer.resize(nul);
  return buffer;
}

void Registry::WriteText(std::uint32_t hive, const std::string& key, const std::string& name,
                         const std::string& data, std::uint32_t type) const {
  ScopedKey handle(api_);
  api_.CreateKey(hive, key, handle.out());
  // The byte count of the text as stored, without a terminator.
  api_.SetValue(handle.get(), name, type, reinterpret_cast<const std::uint8_t*>(data.data()),
                static_cast<std::uint32_t>(data.size()));
}

std::string Registry::GetStringValue(std::uint32_t hive, const std::string& key,
                                     const std::string& name, const std::string& fallback) const {
  return ReadText(hive, key, name, fallback, regtype::kSz);
}

void Registry::SaveStringValue(std::uint32_t hive, const std::string& key,
                               const std::string& name, const std::string& data) const {
  WriteText(hive, key, name, data, regtype::kSz);
}

std::string Registry::GetExpandStringValue(std::uint32_t hive, const std::string& key,
                                           const std::string& name,
                                           const std::string& fallback) const {
  return ReadText(hive, key, name, fallback, regtype::kExpandSz);
}

void Registry::SaveExpandStringValue(std::uint32_t hive, const std::string& key,
                                     const std::string& name, const std::string& data) const {
  WriteText(hive, key, name, data, regtype::kExpandSz);
}

std::string Registry::GetMultiStringValue(std::uint32_t hive, const std::string& key,
                                          const std::string& name,
                                          const std::string& fallback) const {
  return ReadText(hive, key, name, fallback, regtype::kMultiSz);
}

bool Registry::ReadsWhole(std::uint32_t hive, const std::string& key, const std::string& name,
                          std::uint32_t type) const {
  ScopedKey handle(api_);
  api_.OpenKey(hive, key, handle.out());
  std::uint32_t stored_type = 0;
  std::uint32_t size = 0;
  if (api_.QueryValue(handle.get(), name, &stored_type, nullptr, &size) != regerr::kSuccess ||
      stored_type != type) {
    return false;
  }
  std::string buffer(size, ' ');
  if (api_.QueryValue(handle.get(), name, &stored_type,
                      reinterpret_cast<std::uint8_t*>(buffer.data()), &size) != regerr::kSuccess ||
      stored_type != type) {
    return false;
  }
  buffer.resize(size);
  // Terminating NULs are the text's end; a NUL with text after it is not.
  const auto end = buffer.find_last_not_of('\0');
  return end == std::string::npos || buffer.find('\0') > end;
}

bool Registry::IsStored(std::uint32_t hive, const std::string& key, const std::string& name,
                        std::uint32_t* type) const {
  ScopedKey handle(api_);
  api_.OpenKey(hive, key, handle.out());
  std::uint32_t stored_type = regtype::kNone;
  std::uint32_t size = 0;
  const bool stored =
      api_.QueryValue(handle.get(), name, &stored_type, nullptr, &size) == regerr::kSuccess;
  if (type) *type = stored ? stored_type : regtype::kNone;
  return stored;
}

std::int32_t Registry::GetDwordValue(std::uint32_t hive, const std::string& key,
                                     const std::string& name, std::int32_t fallback) const {
  ScopedKey handle(api_);
  api_.OpenKey(hive, key, handle.out());
  std::uint8_t bytes[4] = {};
  std::uint32_t type = 0;
  std::uint32_t size = sizeof bytes;
  if (api_.QueryValue(handle.get(), name, &type, bytes, &size) != regerr::kSuccess ||
      type != regtype::kDword) {
    return fallback;
  }
  std::uint32_t value = bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) |
                        (static_cast<std::uint32_t>(bytes[3]) << 24);
  return static_cast<std::int32_t>(value);
}

void Registry::SaveDwordValue(std::uint32_t hive, const std::string& key,
                              const std::string& name, std::int32_t data) const {
  ScopedKey handle(api_);
  api_.CreateKey(hive, key, handle.out());
  const auto value = static_cast<std::uint32_t>(data);
  const std::uint8_t bytes[4] = {static_cast<std::uint8_t>(value),
                                 static_cast<std::uint8_t>(value >> 8),
                                 static_cast<std::uint8_t>(value >> 16),
                                 static_cast<std::uint8_t>(value >> 24)};
  api_.SetValue(handle.get(), name, regtype::kDword, bytes, sizeof bytes);
}

std::string Registry::ValuePresence(std::uint32_t hive, const std::string& key,
                                    const std::string& name) const {
  ScopedKey handle(api_);
  api_.OpenKey(hive, key, handle.out());
  std::uint8_t bytes[4] = {};
  std::uint32_t type = 0;
  std::uint32_t size = sizeof bytes;
  return api_.QueryValue(handle.get(), name, &type, bytes, &size) == regerr::kSuccess ? "No"
                                                                                       : "Yes";
}

void Registry::DeleteValue(std::uint32_t hive, const std::string& key,
                           const std::string& name) const {
  ScopedKey handle(api_);
  api_.OpenKey(hive, key, handle.out());
  api_.DeleteValue(handle.get(), name);
}

void Registry::DeleteKey(std::uint32_t hive, const std::string& key) const {
  api_.DeleteKey(hive, key);
}

Registry::Stored Registry::ReadStored(std::uint32_t hive, const std::string& key,
                                      const std::string& name) const {
  ScopedKey handle(api_);
  if (api_.OpenKey(hive, key, handle.out()) != regerr::kSuccess) return {};
  return ReadStoredValue(api_, handle.get(), name);
}

bool Registry::KeyExists(std::uint32_t hive, const std::string& key) const {
  ScopedKey handle(api_);
  return api_.OpenKey(hive, key, handle.out()) == regerr::kSuccess;
}

std::vector<std::string> Registry::ValueNames(std::uint32_t hive, const std::string& key) const {
  ScopedKey handle(api_);
  std::vector<std::string> names;
  if (api_.OpenKey(hive, key, handle.out()) != regerr::kSuccess) return names;
  std::string name;
  for (std::uint32_t index = 0; api_.EnumValue(handle.get(), index, &name) == regerr::kSuccess;
       ++index) {
    names.push_back(name);
  }
  return names;
}

}  // namespace kdw
