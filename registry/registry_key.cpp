#include "registry/registry_key.h"

#include <utility>

namespace kdw {
namespace {

// Most values the program reads are far shorter: one query reads them whole.
constexpr std::uint32_t kFirstBuffer = 256;
// A value that keeps growing between the queries is given up on.
constexpr int kAttempts = 8;

}  // namespace

RegistryKey RegistryKey::Open(RegistryApi& api, RegKey parent, const std::string& path) {
  RegKey handle = 0;
  const long rc = api.OpenKey(parent, path, &handle);
  return RegistryKey(&api, rc == regerr::kSuccess ? handle : 0, rc);
}

RegistryKey RegistryKey::Create(RegistryApi& api, RegKey parent, const std::string& path) {
  RegKey handle = 0;
  const long rc = api.CreateKey(parent, path, &handle);
  return RegistryKey(&api, rc == regerr::kSuccess ? handle : 0, rc);
}

RegistryKey::RegistryKey(RegistryKey&& other) noexcept
    : api_(other.api_),
      handle_(std::exchange(other.handle_, 0)),
      status_(other.status_) {}

RegistryKey& RegistryKey::operator=(RegistryKey&& other) noexcept {
  if (this != &other) {
    Close();
    api_ = other.api_;
    handle_ = std::exchange(other.handle_, 0);
    status_ = other.status_;
  }
  return *this;
}

RegistryKey::~RegistryKey() { Close(); }

void RegistryKey::Close() {
  if (handle_) api_->CloseKey(handle_);
  handle_ = 0;
}

StoredValue RegistryKey::Read(const std::string& name) const {
  if (!handle_) return {};
  std::vector<std::uint8_t> data(kFirstBuffer);
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    ValueType type = ValueType::kNone;
    auto size = static_cast<std::uint32_t>(data.size());
    const long rc = api_->QueryValue(handle_, name, &type, data.data(), &size);
    if (rc == regerr::kMoreData) {
      // One byte more than named, so that string data read whole always
      // ends inside the buffer.
      data.resize(static_cast<std::size_t>(size) + 1);
      continue;
    }
    if (rc != regerr::kSuccess) return {};
    data.resize(size);
    return {true, type, std::move(data)};
  }
  return {};
}

RegStatus RegistryKey::Write(const std::string& name, ValueType type,
                             std::span<const std::uint8_t> data) const {
  if (!handle_) return status();
  return RegStatus(
      api_->SetValue(handle_, name, type, data.data(), static_cast<std::uint32_t>(data.size())));
}

RegStatus RegistryKey::Delete(const std::string& name) const {
  if (!handle_) return RegStatus(status_ == regerr::kFileNotFound ? regerr::kSuccess : status_);
  const long rc = api_->DeleteValue(handle_, name);
  return RegStatus(rc == regerr::kFileNotFound ? regerr::kSuccess : rc);
}

std::vector<std::string> RegistryKey::ValueNames() const {
  std::vector<std::string> names;
  if (!handle_) return names;
  std::string name;
  for (std::uint32_t index = 0; api_->EnumValue(handle_, index, &name) == regerr::kSuccess;
       ++index) {
    names.push_back(name);
  }
  return names;
}

std::string DescribeRegError(long code) {
  switch (code) {
    case regerr::kFileNotFound:
      return "the key or value is not there";
    case regerr::kAccessDenied:
      return "access is denied";
    case regerr::kInvalidHandle:
    case regerr::kKeyDeleted:
      return "the key was removed while it was open";
    case regerr::kBadPathname:
      return "the key's path is not valid";
    default:
      return "Windows error " + std::to_string(code);
  }
}

}  // namespace kdw
