// What every end-to-end test of kdw3.exe starts from: the program to drive,
// the registry read and written through advapi32 directly, and a fixture
// that puts back every value a test touched, so the tests leave the prefix
// a person uses as it was.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/e2e/driver.h"

namespace kdw::e2e {

// kdw3.exe, as this program was told on its command line, and a harmless
// program that tests may start under another name (the second argument).
extern std::string g_exe;
extern std::string g_stand_in;

struct Stored {
  DWORD type;
  std::string data;
  bool operator==(const Stored&) const = default;
};

std::optional<Stored> Read(HKEY hive, const char* key, const char* name);
// A value's text up to its first NUL, whatever its type; nothing when absent.
std::optional<std::string> ReadText(HKEY hive, const char* key, const char* name);
std::optional<DWORD> ReadDword(HKEY hive, const char* key, const char* name);
// Readers for Until: the value as it is at each call.
inline auto DwordOf(HKEY hive, const char* key, const char* name) {
  return [=] { return ReadDword(hive, key, name); };
}
inline auto TextOf(HKEY hive, const char* key, const char* name) {
  return [=] { return ReadText(hive, key, name); };
}
void WriteDword(HKEY hive, const char* key, const char* name, DWORD value);
void WriteString(HKEY hive, const char* key, const char* name, const std::string& value);
void WriteRaw(HKEY hive, const char* key, const char* name, const Stored& stored);
void Delete(HKEY hive, const char* key, const char* name);

class Kdw3Test : public ::testing::Test {
 protected:
  // The owner is known, so the program starts without asking for one.
  void SetUp() override;
  // Ends the program, then puts back every value touched.
  void TearDown() override;

  // Remembers the value as it is now and removes it; TearDown puts it back.
  void Touch(HKEY hive, const char* key, const char* name);
  // Starts the program as far as its main window with the welcome form.
  HWND StartToMainWindow();
  // Ctrl+F in the main window, `typed` typed into Find and Enter, all with
  // real keys: the control of `form` that Find took the keyboard to; null
  // when a step did not come about.
  HWND GoToWithFind(const std::string& typed, const char* form, const char* control);
  // A control of a form, by design names: the main window has a Label2 too.
  HWND InForm(const char* form, const char* control) const;
  std::string Label2() { return Text(program.Find("Label2")); }

  Program program{g_exe};

 private:
  struct Saved {
    HKEY hive;
    std::string key;
    std::string name;
    std::optional<Stored> stored;
  };
  std::vector<Saved> saved_;
};

}  // namespace kdw::e2e
