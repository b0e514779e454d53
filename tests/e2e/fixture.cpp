#include "tests/e2e/fixture.h"

#include <cstdio>
#include <cstring>

#include "platform/design_name.h"

namespace kdw::e2e {

std::string g_exe;
std::string g_stand_in;

std::optional<Stored> Read(HKEY hive, const char* key, const char* name) {
  HKEY handle = nullptr;
  if (RegOpenKeyExA(hive, key, 0, KEY_READ, &handle) != ERROR_SUCCESS) return std::nullopt;
  char data[512] = {};
  DWORD type = 0, size = sizeof data;
  const LONG rc = RegQueryValueExA(handle, name, nullptr, &type, reinterpret_cast<BYTE*>(data),
                                   &size);
  RegCloseKey(handle);
  if (rc != ERROR_SUCCESS) return std::nullopt;
  return Stored{type, std::string(data, size)};
}

std::optional<std::string> ReadText(HKEY hive, const char* key, const char* name) {
  auto stored = Read(hive, key, name);
  if (!stored) return std::nullopt;
  return std::string(stored->data.c_str());
}

std::optional<DWORD> ReadDword(HKEY hive, const char* key, const char* name) {
  auto stored = Read(hive, key, name);
  if (!stored || stored->type != REG_DWORD || stored->data.size() != 4) return std::nullopt;
  DWORD value;
  memcpy(&value, stored->data.data(), 4);
  return value;
}

void WriteDword(HKEY hive, const char* key, const char* name, DWORD value) {
  HKEY handle;
  RegCreateKeyA(hive, key, &handle);
  RegSetValueExA(handle, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), 4);
  RegCloseKey(handle);
}

void WriteString(HKEY hive, const char* key, const char* name, const std::string& value) {
  HKEY handle;
  RegCreateKeyA(hive, key, &handle);
  RegSetValueExA(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                 static_cast<DWORD>(value.size() + 1));
  RegCloseKey(handle);
}

void Delete(HKEY hive, const char* key, const char* name) {
  HKEY handle;
  if (RegOpenKeyExA(hive, key, 0, KEY_WRITE, &handle) != ERROR_SUCCESS) return;
  RegDeleteValueA(handle, name);
  RegCloseKey(handle);
}

void WriteRaw(HKEY hive, const char* key, const char* name, const Stored& stored) {
  HKEY handle;
  RegCreateKeyA(hive, key, &handle);
  RegSetValueExA(handle, name, 0, stored.type, reinterpret_cast<const BYTE*>(stored.data.data()),
                 static_cast<DWORD>(stored.data.size()));
  RegCloseKey(handle);
}

void Kdw3Test::SetUp() {
  Touch(HKEY_LOCAL_MACHINE, "Software\\Kelmor\\Deskwarden", "Owner");
  WriteString(HKEY_LOCAL_MACHINE, "Software\\Kelmor\\Deskwarden", "Owner", "E2E Owner");
}

void Kdw3Test::TearDown() {
  program.Stop();
  for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
    if (it->stored) {
      WriteRaw(it->hive, it->key.c_str(), it->name.c_str(), *it->stored);
    } else {
      Delete(it->hive, it->key.c_str(), it->name.c_str());
    }
  }
  saved_.clear();
}

void Kdw3Test::Touch(HKEY hive, const char* key, const char* name) {
  saved_.push_back({hive, key, name, Read(hive, key, name)});
  Delete(hive, key, name);
}

HWND Kdw3Test::StartToMainWindow() {
  EXPECT_TRUE(program.Start());
  HWND main = program.WaitForForm("frmMain");
  EXPECT_NE(nullptr, main);
  EXPECT_NE(nullptr, program.WaitFor("frmWelcome"));
  return main;
}

HWND Kdw3Test::GoToWithFind(const std::string& typed, const char* form, const char* control) {
  HWND main = program.WaitForForm("frmMain");
  if (!main || !BringToFront(main)) return nullptr;
  PressCtrl('F');
  HWND find = program.WaitForForm("frmFind");
  HWND text = find ? FindByDesignName(find, "Text1") : nullptr;
  // Typed keys go where the focus is, so the box must have it first.
  if (!text || Until([&] { return FocusOf(find); }, text) != text) return nullptr;
  TypeLetters(typed);
  if (Until(TextOf(text), typed) != typed) return nullptr;
  Press(VK_RETURN);
  if (!program.WaitGone("frmFind")) return nullptr;
  HWND target = program.WaitFor(form) ? InForm(form, control) : nullptr;
  return target && Until([&] { return FocusOf(main); }, target) == target ? target : nullptr;
}

HWND Kdw3Test::InForm(const char* form, const char* control) const {
  HWND window = program.Find(form);
  return window ? FindByDesignName(window, control) : nullptr;
}

}  // namespace kdw::e2e

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: kdw3_e2e path\\to\\kdw3.exe [path\\to\\stand_in.exe]\n");
    return 2;
  }
  kdw::e2e::g_exe = kdw::e2e::WindowsPath(argv[1]);
  if (argc > 2) kdw::e2e::g_stand_in = kdw::e2e::WindowsPath(argv[2]);
  return RUN_ALL_TESTS();
}
