// Find, export and undo of kdw3.exe under Wine: the export read back by
// Wine's own regedit, undo and find driven with real keys and the mouse.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "pages/settings_index.h"
#include "platform/design_name.h"
#include "registry/registry.h"
#include "registry/win32_registry.h"
#include "tests/e2e/fixture.h"
#include "tests/registry/pol_reader.h"

namespace kdw::e2e {
namespace {

using pages::IndexedSetting;

constexpr char kPolicies[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";

// Runs a program to its end: its exit code, and what it wrote to standard
// error in *error.
DWORD RunToEnd(const std::string& command_line, std::string* error = nullptr) {
  char folder[MAX_PATH], name[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  GetTempFileNameA(folder, "kdw", 0, name);
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  HANDLE file = CreateFileA(name, GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0,
                            nullptr);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdError = file;
  startup.hStdOutput = file;
  PROCESS_INFORMATION info = {};
  std::string command = command_line;
  DWORD code = 999;
  if (CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                     &startup, &info)) {
    WaitForSingleObject(info.hProcess, 60000);
    GetExitCodeProcess(info.hProcess, &code);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
  }
  CloseHandle(file);
  if (error) {
    std::ifstream in(name, std::ios::binary);
    error->assign(std::istreambuf_iterator<char>(in), {});
  }
  DeleteFileA(name);
  return code;
}

// Every catalogued setting as stored: a value's type and bytes, whether a
// key is there, a list key's every value.
struct State {
  std::vector<StoredValue> values;
  std::vector<bool> keys;
  std::vector<std::vector<std::pair<std::string, StoredValue>>> lists;
  bool operator==(const State&) const = default;
};

class ExportImport : public Kdw3Test {
 protected:
  ExportImport() : settings_(pages::IndexSettings(direct_)) {
    // Settings the pages never resolve without an Office version are out.
    std::erase_if(settings_, [](const IndexedSetting& s) { return s.unresolved; });
  }
  void SetUp() override {
    Kdw3Test::SetUp();
    original_ = Snapshot();
  }
  void TearDown() override {
    Apply(original_);
    EXPECT_EQ(Snapshot(), original_) << "the prefix is left as it was";
    Kdw3Test::TearDown();
  }

  State Snapshot() const {
    State state;
    for (const IndexedSetting& s : settings_) {
      switch (s.shape) {
        case IndexedSetting::kValue:
          state.values.push_back(direct_.Read(s.hive, s.key, s.value));
          break;
        case IndexedSetting::kKey:
          state.keys.push_back(direct_.KeyExists(s.hive, s.key));
          state.values.push_back(direct_.Read(s.hive, s.key, s.value));
          break;
        case IndexedSetting::kAllValues: {
          std::vector<std::pair<std::string, StoredValue>> list;
          for (const std::string& name : direct_.ValueNames(s.hive, s.key))
            list.emplace_back(name, direct_.Read(s.hive, s.key, name));
          state.lists.push_back(std::move(list));
          break;
        }
      }
    }
    return state;
  }

  // Makes the registry hold `state`: keys made parents first and removed
  // children first, values written or deleted, lists made exactly so.
  void Apply(const State& state) {
    std::size_t value = 0, key = 0, list = 0;
    std::vector<std::pair<const IndexedSetting*, bool>> keys;
    for (const IndexedSetting& s : settings_) {
      if (s.shape == IndexedSetting::kKey) keys.emplace_back(&s, state.keys[key++]);
    }
    std::stable_sort(keys.begin(), keys.end(), [](const auto& a, const auto& b) {
      return a.first->key.size() < b.first->key.size();
    });
    for (const auto& [s, present] : keys) {
      if (present) Make(s->hive, s->key);
    }
    for (const IndexedSetting& s : settings_) {
      if (s.shape == IndexedSetting::kAllValues) {
        const auto& wanted = state.lists[list++];
        for (const std::string& name : direct_.ValueNames(s.hive, s.key)) Put(s, name, {});
        for (const auto& [name, stored] : wanted) Put(s, name, stored);
        continue;
      }
      const StoredValue& stored = state.values[value++];
      if (s.shape == IndexedSetting::kKey && !direct_.KeyExists(s.hive, s.key)) continue;
      Put(s, s.value, stored);
    }
    for (auto it = keys.rbegin(); it != keys.rend(); ++it) {
      if (!it->second) RegDeleteKeyA(Root(it->first->hive), it->first->key.c_str());
    }
  }

  static HKEY Root(std::uint32_t hive) {
    return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG>(hive)));
  }
  static void Make(std::uint32_t hive, const std::string& key) {
    HKEY handle;
    if (RegCreateKeyA(Root(hive), key.c_str(), &handle) == ERROR_SUCCESS) RegCloseKey(handle);
  }
  static void Put(const IndexedSetting& s, const std::string& name, const StoredValue& stored) {
    if (!stored.present) {
      HKEY handle;
      if (RegOpenKeyExA(Root(s.hive), s.key.c_str(), 0, KEY_WRITE, &handle) != ERROR_SUCCESS)
        return;
      RegDeleteValueA(handle, name.c_str());
      RegCloseKey(handle);
      return;
    }
    HKEY handle;
    RegCreateKeyA(Root(s.hive), s.key.c_str(), &handle);
    RegSetValueExA(handle, name.c_str(), 0, TypeNumber(stored.type), stored.data.data(),
                   static_cast<DWORD>(stored.data.size()));
    RegCloseKey(handle);
  }

  // Gives every catalogued setting that is not there data of its own, of
  // every type in turn; what is there already stays as the prefix has it.
  void Prepare() {
    State state = Snapshot();
    std::size_t value = 0, key = 0, list = 0;
    int n = 0;
    for (const IndexedSetting& s : settings_) {
      ++n;
      if (s.shape == IndexedSetting::kAllValues) {
        auto& entries = state.lists[list++];
        if (entries.empty()) entries.emplace_back("3", Text(ValueType::kSz, "game \"three\".exe"));
        continue;
      }
      if (s.shape == IndexedSetting::kKey) {
        // Every other key is made.
        if (n % 2) state.keys[key] = true;
        ++key;
      }
      StoredValue& stored = state.values[value++];
      if (stored.present) continue;
      switch (n % 5) {
        case 0: stored = Text(ValueType::kSz, "text with \\ and \" of " + std::to_string(n)); break;
        case 1: stored = Text(ValueType::kExpandSz, "%SystemRoot%\\" + std::to_string(n)); break;
        case 2: stored = {true, ValueType::kDword, {static_cast<std::uint8_t>(n), 0, 0, 0x80}}; break;
        case 3: stored = {true, ValueType::kBinary, {0, 1, 0xfe, static_cast<std::uint8_t>(n)}}; break;
        case 4: break;  // stays absent
      }
    }
    Apply(state);
  }

  static StoredValue Text(ValueType type, const std::string& text) {
    StoredValue stored{true, type, std::vector<std::uint8_t>(text.begin(), text.end())};
    stored.data.push_back(0);
    return stored;
  }

  // Turns every setting around: what is there goes, what is not comes.
  void Scramble() {
    State state = Snapshot();
    for (auto& stored : state.values) {
      stored = stored.present ? StoredValue{}
                              : StoredValue{true, ValueType::kDword, {0x39, 0x30, 0, 0}};
    }
    for (std::size_t i = 0; i < state.keys.size(); ++i) state.keys[i] = !state.keys[i];
    for (auto& entries : state.lists) {
      entries = {{"7", Text(ValueType::kSz, "other.exe")}};
    }
    Apply(state);
  }

  Win32RegistryApi api_;
  Registry direct_{api_};
  std::vector<IndexedSetting> settings_;
  State original_;
};

TEST_F(ExportImport, RegeditGivesBackEveryCataloguedSettingFromTheExport) {
  ASSERT_GT(settings_.size(), 150u);
  Prepare();
  const State prepared = Snapshot();

  char folder[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  const std::string file = std::string(folder) + "kdw-e2e-export.reg";
  DeleteFileA(file.c_str());
  std::string error;
  // With the automatic logon password, which is a setting like the others here.
  ASSERT_EQ(0u, RunToEnd("\"" + g_exe + "\" /export \"" + file + "\" /with-secrets", &error))
      << error;
  EXPECT_TRUE(error.empty()) << error;

  Scramble();
  ASSERT_NE(Snapshot(), prepared);
  ASSERT_EQ(0u, RunToEnd("regedit.exe /s \"" + file + "\""));
  const State imported = Snapshot();
  DeleteFileA(file.c_str());

  // Each setting by itself, to name the one that differs.
  std::size_t value = 0;
  for (const IndexedSetting& s : settings_) {
    if (s.shape == IndexedSetting::kAllValues) continue;
    EXPECT_EQ(imported.values[value], prepared.values[value]) << s.key << "\\" << s.value;
    ++value;
  }
  EXPECT_EQ(imported.keys, prepared.keys);
  EXPECT_EQ(imported.lists, prepared.lists);
}

TEST_F(ExportImport, AFileThatCannotBeWrittenEndsWithOneAndSaysWhy) {
  std::string error;
  EXPECT_EQ(1u, RunToEnd("\"" + g_exe + "\" /export C:\\no\\such\\folder\\x.reg", &error));
  EXPECT_NE(error.find("could not be written to C:\\no\\such\\folder\\x.reg"), std::string::npos)
      << error;
}

// Reads a whole file; the empty list when it is not there.
std::vector<std::uint8_t> ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

TEST_F(ExportImport, ThePolicyFilesNameEveryCataloguedSettingOfTheirHive) {
  Prepare();
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string folder = std::string(temp) + "kdw-e2e-gpo";
  const std::string machine_file = folder + "\\Machine\\Registry.pol";
  const std::string user_file = folder + "\\User\\Registry.pol";
  CreateDirectoryA(folder.c_str(), nullptr);
  std::string error;
  ASSERT_EQ(0u, RunToEnd("\"" + g_exe + "\" /export-gpo \"" + folder + "\" /with-secrets", &error))
      << error;
  EXPECT_TRUE(error.empty()) << error;
  const test::ReadPolFile machine = test::ReadPolBytes(ReadFileBytes(machine_file));
  const test::ReadPolFile user = test::ReadPolBytes(ReadFileBytes(user_file));
  ASSERT_TRUE(machine.error.empty()) << machine.error;
  ASSERT_TRUE(user.error.empty()) << user.error;

  for (const IndexedSetting& s : settings_) {
    if (s.hive == HKU) continue;  // Group Policy has no file for it
    const std::string key = s.hive == HKCR ? "Software\\Classes\\" + s.key : s.key;
    const test::ReadPolFile& file = s.hive == HKCU ? user : machine;
    EXPECT_TRUE(test::Names(file, key, s.value)) << key << "\\" << s.value;
    // A value that is there comes with its type and the bytes Windows gives.
    const StoredValue stored = direct_.Read(s.hive, s.key, s.value);
    if (s.shape != IndexedSetting::kValue || !stored.present) continue;
    const test::PolEntry* entry = test::FindValue(file, key, s.value);
    ASSERT_NE(nullptr, entry) << key << "\\" << s.value;
    EXPECT_EQ(entry->type, TypeNumber(stored.type)) << key << "\\" << s.value;
    EXPECT_EQ(test::NarrowData(*entry), stored.data) << key << "\\" << s.value;
  }

  // A file that cannot be replaced is named, and the old one stays whole.
  SetFileAttributesA(user_file.c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(1u, RunToEnd("\"" + g_exe + "\" /export-gpo \"" + folder + "\"", &error));
  EXPECT_NE(error.find("could not be written to " + user_file), std::string::npos) << error;
  EXPECT_TRUE(test::ReadPolBytes(ReadFileBytes(user_file)).error.empty());
  SetFileAttributesA(user_file.c_str(), FILE_ATTRIBUTE_NORMAL);
  for (const std::string& file : {machine_file, user_file}) DeleteFileA(file.c_str());
  for (const std::string& made : {folder + "\\Machine", folder + "\\User", folder})
    RemoveDirectoryA(made.c_str());

  EXPECT_EQ(1u, RunToEnd("\"" + g_exe + "\" /export-gpo C:\\no\\such\\folder", &error));
  EXPECT_NE(error.find("there is no folder C:\\no\\such\\folder"), std::string::npos) << error;
}

// What the export wrote, read back by our own /import after every setting
// was turned around: the policy files give back every setting of their
// hives, the .reg file every setting; a preview first writes nothing and
// one after finds nothing left to change.
TEST_F(ExportImport, ImportGivesBackEveryCataloguedSettingFromEachExport) {
  Prepare();
  const State prepared = Snapshot();
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string folder = std::string(temp) + "kdw-e2e-import";
  const std::string reg_file = std::string(temp) + "kdw-e2e-import.reg";
  CreateDirectoryA(folder.c_str(), nullptr);
  std::string out;
  ASSERT_EQ(0u, RunToEnd("\"" + g_exe + "\" /export-gpo \"" + folder + "\" /with-secrets", &out)) << out;
  ASSERT_EQ(0u, RunToEnd("\"" + g_exe + "\" /export \"" + reg_file + "\" /with-secrets", &out)) << out;
  const std::vector<std::vector<std::string>> exports = {
      {folder + "\\Machine\\Registry.pol", folder + "\\User\\Registry.pol"}, {reg_file}};
  for (const auto& files : exports) {
    SCOPED_TRACE(files[0]);
    Scramble();
    const State scrambled = Snapshot();
    for (const std::string& file : files) {
      EXPECT_EQ(3u, RunToEnd("\"" + g_exe + "\" /import \"" + file + "\" /preview", &out)) << out;
    }
    ASSERT_EQ(Snapshot(), scrambled) << "a preview writes nothing";
    for (const std::string& file : files) {
      EXPECT_EQ(0u, RunToEnd("\"" + g_exe + "\" /import \"" + file + "\"", &out)) << out;
    }
    const State imported = Snapshot();
    // Each setting by itself, to name the one that differs; Group Policy
    // has no file for HKEY_USERS.
    const bool policy = files.size() == 2;
    std::size_t value = 0, key = 0, list = 0;
    for (const IndexedSetting& s : settings_) {
      const bool carried = !policy || s.hive != HKU;
      if (s.shape == IndexedSetting::kAllValues) {
        EXPECT_TRUE(!carried || imported.lists[list] == prepared.lists[list]) << s.key;
        ++list;
        continue;
      }
      if (s.shape == IndexedSetting::kKey) {
        EXPECT_TRUE(!carried || imported.keys[key] == prepared.keys[key]) << s.key;
        ++key;
      }
      if (carried) {
        EXPECT_EQ(imported.values[value], prepared.values[value]) << s.key << "\\" << s.value;
      }
      ++value;
    }
    for (const std::string& file : files) {
      EXPECT_EQ(0u, RunToEnd("\"" + g_exe + "\" /import \"" + file + "\" /preview", &out)) << out;
    }
  }
  for (const std::string& file : exports[0]) DeleteFileA(file.c_str());
  for (const std::string& made : {folder + "\\Machine", folder + "\\User", folder})
    RemoveDirectoryA(made.c_str());
  DeleteFileA(reg_file.c_str());
}

// The listing is the whole catalogue, a line a setting of eight fields, on
// standard output; nothing else is printed.
TEST_F(ExportImport, ListPrintsEveryCataloguedSettingOnALineOfItsOwn) {
  std::string out;
  ASSERT_EQ(0u, RunToEnd("\"" + g_exe + "\" /list", &out)) << out;
  std::size_t lines = 0;
  for (std::size_t start = 0, end; (end = out.find('\n', start)) != std::string::npos; start = end + 1) {
    const std::string line = out.substr(start, end - start);
    EXPECT_EQ(std::count(line.begin(), line.end(), '\t'), 7) << line;
    ++lines;
  }
  EXPECT_EQ(lines, pages::IndexSettings(direct_).size());
}

// A button of a message box, by its caption.
HWND ButtonOf(HWND box, const char* caption) { return FindWindowExA(box, nullptr, "Button", caption); }

class Tools : public Kdw3Test {
 protected:
  void SetUp() override {
    Kdw3Test::SetUp();
    Touch(HKEY_CURRENT_USER, kPolicies, "NoRun");
  }

  // Opens the Start Menu page from the keyboard; its "Hide Run" box, or null.
  HWND OpenRunBox() {
    HWND main = StartToMainWindow();
    if (!main || !BringToFront(main)) return nullptr;
    Press(VK_F4);
    if (!program.WaitFor("frmStart")) return nullptr;
    return InForm("frmStart", "Check14");
  }
};

TEST_F(Tools, ACheckBoxClickIsUndoneWithCtrlZ) {
  HWND box = OpenRunBox();
  ASSERT_NE(nullptr, box);
  ASSERT_TRUE(ClickAt(box));
  ASSERT_EQ(1u, Until(DwordOf(HKEY_CURRENT_USER, kPolicies, "NoRun"), 1u));

  PressCtrl('Z');
  HWND ask = program.WaitForDialog("Kelmor Deskwarden");
  ASSERT_NE(nullptr, ask);
  Click(ButtonOf(ask, "&Yes"));
  ASSERT_TRUE(Eventually([&] { return !IsWindow(ask); }));
  HWND told = program.WaitForDialog("Kelmor Deskwarden");
  ASSERT_NE(nullptr, told);
  Click(ButtonOf(told, "OK"));
  ASSERT_TRUE(Eventually([&] { return !IsWindow(told); }));
  EXPECT_FALSE(Until(DwordOf(HKEY_CURRENT_USER, kPolicies, "NoRun"), std::nullopt))
      << "absent stays absent";
  // The page is open again and shows it.
  HWND again = nullptr;
  ASSERT_TRUE(Eventually([&] { return again = InForm("frmStart", "Check14"); }));
  EXPECT_EQ(BST_UNCHECKED, Until(CheckOf(again), BST_UNCHECKED));
}

// A change Windows reads only at the next log on is told below the status
// frame until it is undone.
TEST_F(Tools, AChangeWaitingForTheNextLogOnIsToldUntilItIsUndone) {
  constexpr const char* kAdvanced = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";
  Touch(HKEY_CURRENT_USER, kAdvanced, "PersistBrowsers");
  HWND main = StartToMainWindow();
  ASSERT_TRUE(main && BringToFront(main));
  HWND line = InForm("frmMain", "Label6");
  ASSERT_NE(nullptr, line);
  Press(VK_F8);
  ASSERT_TRUE(program.WaitFor("frmOthers"));
  HWND box = nullptr;
  ASSERT_TRUE(Eventually([&] { return box = InForm("frmOthers", "Check2"); }));
  EXPECT_EQ(Until(TextOf(line), std::string()), "") << "opening a page changes nothing";
  ASSERT_TRUE(ClickAt(box));
  const std::string waiting = "1 change takes effect at the next log on.";
  EXPECT_EQ(Until(TextOf(line), waiting), waiting);

  PressCtrl('Z');
  HWND ask = program.WaitForDialog("Kelmor Deskwarden");
  ASSERT_NE(nullptr, ask);
  Click(ButtonOf(ask, "&Yes"));
  HWND told = nullptr;
  ASSERT_TRUE(Eventually([&] { return !IsWindow(ask) && (told = program.WaitForDialog("Kelmor Deskwarden")); }));
  Click(ButtonOf(told, "OK"));
  EXPECT_EQ(Until(TextOf(line), std::string()), "");
}

TEST_F(Tools, CtrlFTypingAndEnterPutTheFocusOnTheSetting) {
  HWND main = StartToMainWindow();
  ASSERT_NE(nullptr, main);
  HWND box = GoToWithFind("NoRun", "frmStart", "Check14");
  ASSERT_NE(nullptr, box);
  // The keyboard works the box from there.
  Press(VK_SPACE);
  EXPECT_EQ(1u, Until(DwordOf(HKEY_CURRENT_USER, kPolicies, "NoRun"), 1u));
}


// A key whose permissions deny setting values, as a domain's policy keys
// often are: for everyone, setting values and making subkeys are denied and
// all else allowed. Put back to allow everything when the test ends.
class DeniedKey {
 public:
  DeniedKey(HKEY hive, const char* path) : hive_(hive), path_(path) { Apply(true); }
  ~DeniedKey() { Apply(false); }
  DeniedKey(const DeniedKey&) = delete;
  DeniedKey& operator=(const DeniedKey&) = delete;
  void Lift() { Apply(false); }

 private:
  void Apply(bool deny) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(hive_, path_.c_str(), 0, nullptr, 0, WRITE_DAC, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
      return;
    SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
    PSID everyone = nullptr;
    AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone);
    alignas(DWORD) BYTE acl_bytes[256];
    auto* acl = reinterpret_cast<PACL>(acl_bytes);
    InitializeAcl(acl, sizeof acl_bytes, ACL_REVISION);
    if (deny) AddAccessDeniedAce(acl, ACL_REVISION, KEY_SET_VALUE | KEY_CREATE_SUB_KEY, everyone);
    AddAccessAllowedAce(acl, ACL_REVISION, KEY_ALL_ACCESS, everyone);
    SECURITY_DESCRIPTOR descriptor;
    InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
    SetSecurityDescriptorDacl(&descriptor, TRUE, acl, FALSE);
    RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &descriptor);
    FreeSid(everyone);
    RegCloseKey(key);
  }

  HKEY hive_;
  std::string path_;
};

// The text of a message box: its one static control that holds text.
std::string MessageText(HWND box) {
  for (HWND child = FindWindowExA(box, nullptr, "Static", nullptr); child;
       child = FindWindowExA(box, child, "Static", nullptr)) {
    const std::string text = Text(child);
    if (!text.empty()) return text;
  }
  return "";
}

TEST_F(Tools, ARefusedClickIsToldAndTheBoxShowsWhatIsStored) {
  DeniedKey denied(HKEY_CURRENT_USER, kPolicies);
  {
    // The permissions hold here as they will for the program.
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_ACCESS_DENIED,
              RegOpenKeyExA(HKEY_CURRENT_USER, kPolicies, 0, KEY_SET_VALUE, &key));
  }
  HWND box = OpenRunBox();
  ASSERT_NE(nullptr, box);
  ASSERT_TRUE(ClickAt(box));
  HWND told = program.WaitForDialog("Kelmor Deskwarden");
  ASSERT_NE(nullptr, told);
  EXPECT_EQ("Kelmor Deskwarden could not change \"Hide Run from Start Menu\": access is denied.",
            Until([&] { return MessageText(told); },
                  "Kelmor Deskwarden could not change \"Hide Run from Start Menu\": access is denied."));
  Click(ButtonOf(told, "OK"));
  ASSERT_TRUE(Eventually([&] { return !IsWindow(told); }));
  EXPECT_EQ(BST_UNCHECKED, Until(CheckOf(box), BST_UNCHECKED));
  EXPECT_FALSE(DwordOf(HKEY_CURRENT_USER, kPolicies, "NoRun")());

  // Allowed again, the same click stores the value.
  denied.Lift();
  ASSERT_TRUE(ClickAt(box));
  EXPECT_EQ(1u, Until(DwordOf(HKEY_CURRENT_USER, kPolicies, "NoRun"), 1u));
  EXPECT_EQ(BST_CHECKED, Until(CheckOf(box), BST_CHECKED));
}

// The items of a list box, as it shows them.
std::vector<std::string> ListItems(HWND list) {
  std::vector<std::string> items;
  const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
  for (int i = 0; i < count; ++i) items.push_back(ListItemText(list, i));
  return items;
}

// Ctrl+I, the file named in the open dialog and Enter: frmImport once it
// shows, or null.
HWND ChooseImportFile(Program& program, const std::string& file) {
  PressCtrl('I');
  HWND open = program.WaitForDialog("Import Settings");
  if (!open) return nullptr;
  HWND name = GetDlgItem(open, 0x480);  // edt1
  if (!name) name = GetDlgItem(open, 0x47c);  // cmb13
  if (!name) return nullptr;
  SetText(name, file);
  if (!Eventually([&] { return GetForegroundWindow() == open; })) return nullptr;
  Press(VK_RETURN);
  return program.WaitForShownForm("frmImport");
}

TEST_F(Tools, CtrlIShowsThePreviewCancelWritesNothingOkWritesAndUndoTakesItBack) {
  constexpr char kOther[] = "Software\\Kelmor\\E2e Import";
  Touch(HKEY_CURRENT_USER, kOther, "Mine");
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string file = std::string(temp) + "kdw-e2e-ctrl-i.reg";
  {
    std::ofstream out(file, std::ios::binary);
    out << "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\" << kPolicies << "]\r\n\"NoRun\"=dword:00000001\r\n"
        << "[HKEY_CURRENT_USER\\" << kOther << "]\r\n\"Mine\"=\"never written\"\r\n";
  }
  HWND main = StartToMainWindow();
  ASSERT_TRUE(main && BringToFront(main));

  HWND preview = ChooseImportFile(program, file);
  ASSERT_NE(nullptr, preview);
  HWND list = FindByDesignName(preview, "List1");
  const std::vector<std::string> wanted = {"Start Menu\tHide Run from Start Menu\t(absent)\t1"};
  EXPECT_EQ(Until([&] { return ListItems(list); }, wanted), wanted);
  EXPECT_EQ(Text(FindByDesignName(preview, "Label2")),
            "1 entry is not a setting of Kelmor Deskwarden and will be left alone.");
  EXPECT_FALSE(ReadDword(HKEY_CURRENT_USER, kPolicies, "NoRun")) << "shown, not written";
  ASSERT_TRUE(ClickAt(FindByDesignName(preview, "Command2")));  // Cancel
  ASSERT_TRUE(program.WaitGone("frmImport"));
  EXPECT_FALSE(ReadDword(HKEY_CURRENT_USER, kPolicies, "NoRun"));

  ASSERT_TRUE(BringToFront(main));
  preview = ChooseImportFile(program, file);
  ASSERT_NE(nullptr, preview);
  ASSERT_TRUE(ClickAt(FindByDesignName(preview, "Command1")));  // OK
  HWND told = program.WaitForDialog("Kelmor Deskwarden");
  ASSERT_NE(nullptr, told);
  EXPECT_EQ("1 change was written.", Until([&] { return MessageText(told); }, "1 change was written."));
  Click(ButtonOf(told, "OK"));
  ASSERT_TRUE(Eventually([&] { return !IsWindow(told); }));
  EXPECT_EQ(1u, Until(DwordOf(HKEY_CURRENT_USER, kPolicies, "NoRun"), 1u));
  EXPECT_FALSE(ReadText(HKEY_CURRENT_USER, kOther, "Mine")) << "outside the catalogue";

  ASSERT_TRUE(BringToFront(main));
  PressCtrl('Z');
  HWND ask = program.WaitForDialog("Kelmor Deskwarden");
  ASSERT_NE(nullptr, ask);
  Click(ButtonOf(ask, "&Yes"));
  ASSERT_TRUE(Eventually([&] { return !IsWindow(ask) && (told = program.WaitForDialog("Kelmor Deskwarden")); }));
  Click(ButtonOf(told, "OK"));
  EXPECT_FALSE(Until(DwordOf(HKEY_CURRENT_USER, kPolicies, "NoRun"), std::nullopt));
  DeleteFileA(file.c_str());
}

}  // namespace
}  // namespace kdw::e2e
