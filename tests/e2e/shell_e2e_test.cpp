// The main window's live readings, "Refresh Windows" and the password
// prompt's close box and keyboard focus, under Wine.
#include <gtest/gtest.h>
#include <windows.h>
// after windows.h
#include <tlhelp32.h>

#include <string>
#include <vector>

#include "platform/design_name.h"
#include "tests/e2e/fixture.h"

namespace kdw::e2e {
namespace {

const char kProduct[] = "Software\\Kelmor\\Deskwarden";

class Shell : public Kdw3Test {
 protected:
  void SetUp() override {
    Kdw3Test::SetUp();
    Touch(HKEY_LOCAL_MACHINE, kProduct, "Pass");
  }
};

bool StartsWith(const std::string& text, const std::string& prefix) {
  return text.rfind(prefix, 0) == 0;
}

TEST_F(Shell, StatusPanelShowsProcessorAndBatteryReadingsAfterTwoSeconds) {
  ASSERT_NE(nullptr, StartToMainWindow());
  // Both unknown until the first readings, the processor's two seconds
  // after the start.
  std::string cpu, battery;
  EXPECT_TRUE(Eventually([&] {
    cpu = Text(InForm("frmMain", "Label4"));
    battery = Text(InForm("frmMain", "Label5"));
    return cpu != "CPU Usage: ????????" && battery != "Error........";
  })) << cpu << " / " << battery;
  ASSERT_TRUE(StartsWith(cpu, "CPU Usage: ")) << cpu;
  ASSERT_GT(cpu.size(), 13u) << cpu;
  EXPECT_EQ(" %", cpu.substr(cpu.size() - 2)) << cpu;
  const std::string number = cpu.substr(11, cpu.size() - 13);
  EXPECT_FALSE(number.empty());
  for (char c : number) EXPECT_TRUE(std::isdigit(static_cast<unsigned char>(c))) << cpu;

  EXPECT_TRUE(battery == "Battery was removed." ||
              (StartsWith(battery, "Battery Life: ") && battery.back() == '%'))
      << battery;
}

// The processes named explorer.exe in the order Windows lists them.
std::vector<DWORD> Explorers() {
  std::vector<DWORD> found;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return found;
  PROCESSENTRY32 entry = {};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
    std::string name = entry.szExeFile;
    name = name.substr(name.find_last_of('\\') + 1);
    for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (name == "explorer.exe") found.push_back(entry.th32ProcessID);
  }
  CloseHandle(snapshot);
  return found;
}

TEST_F(Shell, RefreshWindowsEndsTheExplorerListedLast) {
  ASSERT_FALSE(g_stand_in.empty()) << "the stand-in program's path is the second argument";
  // A harmless stand-in named EXPLORER.EXE: the only Explorer this test may end.
  char folder[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  const std::string copy = std::string(folder) + "kdw-e2e\\EXPLORER.EXE";
  CreateDirectoryA((std::string(folder) + "kdw-e2e").c_str(), nullptr);
  ASSERT_TRUE(CopyFileA(g_stand_in.c_str(), copy.c_str(), FALSE));
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION stand_in = {};
  std::string command = "\"" + copy + "\"";
  ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                             nullptr, &startup, &stand_in));

  ASSERT_NE(nullptr, StartToMainWindow());
  const std::vector<DWORD> explorers = Explorers();
  if (explorers.empty() || explorers.back() != stand_in.dwProcessId) {
    TerminateProcess(stand_in.hProcess, 0);
    CloseHandle(stand_in.hProcess);
    CloseHandle(stand_in.hThread);
    GTEST_SKIP() << "the stand-in is not the Explorer listed last; the session's own would go";
  }
  Click(InForm("frmMain", "Command4"));
  EXPECT_EQ(static_cast<DWORD>(WAIT_OBJECT_0), WaitForSingleObject(stand_in.hProcess, 5000));
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(stand_in.hProcess, &code);
  EXPECT_EQ(0u, code) << "ended by TerminateProcess with exit code 0";
  EXPECT_TRUE(program.running());
  TerminateProcess(stand_in.hProcess, 0);
  CloseHandle(stand_in.hProcess);
  CloseHandle(stand_in.hThread);
  DeleteFileA(copy.c_str());
}

TEST_F(Shell, KeysTypedAsThePromptOpensLandInItsBoxAndItsCloseBoxEndsTheProgram) {
  WriteString(HKEY_LOCAL_MACHINE, kProduct, "Pass", "legacy plain text");
  ASSERT_TRUE(program.Start());
  HWND prompt = program.WaitForForm("frmPass");
  ASSERT_NE(nullptr, prompt);
  HWND box = FindByDesignName(prompt, "Text1");
  ASSERT_NE(nullptr, box);
  // The keys go where the focus is: the box takes it as the prompt opens.
  ASSERT_EQ(box, Until([&] { return FocusOf(prompt); }, box));

  ASSERT_TRUE(BringToFront(prompt));
  TypeLetters("abc");
  EXPECT_EQ("abc", Until(TextOf(box), "abc"));

  PostMessageA(prompt, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_EQ(0u, program.WaitForExit(5000)) << "the program ends with its only window";
}

}  // namespace
}  // namespace kdw::e2e
