#include "registry/win32_registry.h"

#include <windows.h>

namespace kdw {
namespace {

HKEY ToHkey(RegKey key) { return reinterpret_cast<HKEY>(key); }

}  // namespace

long Win32RegistryApi::OpenKey(RegKey parent, const std::string& path, RegKey* result) {
  HKEY key = nullptr;
  const long rc = RegOpenKeyA(ToHkey(parent), path.c_str(), &key);
  *result = rc == ERROR_SUCCESS ? reinterpret_cast<RegKey>(key) : 0;
  return rc;
}

long Win32RegistryApi::CreateKey(RegKey parent, const std::string& path, RegKey* result) {
  HKEY key = nullptr;
  const long rc = RegCreateKeyA(ToHkey(parent), path.c_str(), &key);
  *result = rc == ERROR_SUCCESS ? reinterpret_cast<RegKey>(key) : 0;
  return rc;
}

long Win32RegistryApi::QueryValue(RegKey key, const std::string& name, ValueType* type,
                                  std::uint8_t* data, std::uint32_t* size) {
  DWORD win_type = 0;
  DWORD win_size = size ? *size : 0;
  const long rc = RegQueryValueExA(ToHkey(key), name.c_str(), nullptr, &win_type, data,
                                   size ? &win_size : nullptr);
  if (type) *type = static_cast<ValueType>(win_type);
  if (size) *size = win_size;
  return rc;
}

long Win32RegistryApi::SetValue(RegKey key, const std::string& name, ValueType type,
                                const std::uint8_t* data, std::uint32_t size) {
  return RegSetValueExA(ToHkey(key), name.c_str(), 0, TypeNumber(type), data, size);
}

long Win32RegistryApi::DeleteValue(RegKey key, const std::string& name) {
  return RegDeleteValueA(ToHkey(key), name.c_str());
}

long Win32RegistryApi::DeleteKey(RegKey parent, const std::string& path) {
  return RegDeleteKeyA(ToHkey(parent), path.c_str());
}

long Win32RegistryApi::CloseKey(RegKey key) { return RegCloseKey(ToHkey(key)); }

long Win32RegistryApi::EnumValue(RegKey key, std::uint32_t index, std::string* name) {
  // A value name is at most 16,383 characters.
  char buffer[16384];
  DWORD length = sizeof buffer;
  const long rc =
      RegEnumValueA(ToHkey(key), index, buffer, &length, nullptr, nullptr, nullptr, nullptr);
  if (rc == ERROR_SUCCESS) name->assign(buffer, length);
  return rc;
}

}  // namespace kdw
