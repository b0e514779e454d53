// The journal undoes this run's changes to the exact state before them:
// types and bytes, absent values, keys made and keys removed.
#include "registry/journal.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "registry/memory_registry.h"

namespace kdw {
namespace {

constexpr char kKey[] = "Software\\Journal";

class JournalTest : public ::testing::Test {
 protected:
  JournalTest() {
    // What was there before the program started: odd data included.
    SetRaw(HKCU, kKey, "Number", regtype::kDword, {7, 0, 0, 0});
    SetRaw(HKCU, kKey, "Blob", regtype::kBinary, {0, 1, 2, 255});
    SetRaw(HKCU, kKey, "Text", regtype::kSz, {'a', 0, 'b', 0});  // a NUL inside
    SetRaw(HKCU, kKey, "Wrong", regtype::kSz, {'1', 0});  // text where a number belongs
    SetRaw(HKCU, "Software\\Journal\\Leaf", "Kept", regtype::kMultiSz, {'x', 0, 'y', 0, 0});
    SetRaw(HKLM, "Software\\Policy", "Machine", regtype::kDword, {1, 0, 0, 0});
  }

  void SetRaw(Hive hive, const std::string& key, const std::string& name, ValueType type,
              std::vector<std::uint8_t> data) {
    RegKey handle = 0;
    memory.CreateKey(hive, key, &handle);
    memory.SetValue(handle, name, type, data.data(), static_cast<std::uint32_t>(data.size()));
    memory.CloseKey(handle);
  }

  // Everything the tests touch, as stored, read around the journal.
  struct State {
    std::vector<StoredValue> values;
    std::vector<bool> keys;
    bool operator==(const State&) const = default;
  };
  State Snapshot() const {
    State state;
    for (const char* name : {"Number", "Blob", "Text", "Wrong", "New"})
      state.values.push_back(direct.Read(HKCU, kKey, name));
    state.values.push_back(direct.Read(HKCU, "Software\\Journal\\Leaf", "Kept"));
    state.values.push_back(direct.Read(HKCU, "Software\\Made\\Deeper", "Inner"));
    state.values.push_back(direct.Read(HKLM, "Software\\Policy", "Machine"));
    for (const char* key : {"Software\\Journal\\Leaf", "Software\\Made", "Software\\Made\\Deeper"})
      state.keys.push_back(direct.KeyExists(HKCU, key));
    return state;
  }

  MemoryRegistry memory;
  Registry direct{memory};
  RegistryJournal journal{memory};
  Registry registry{journal};
};

TEST_F(JournalTest, UndoPutsEveryKindOfChangeBackExactly) {
  const State before = Snapshot();
  EXPECT_TRUE(registry.SaveDwordValue(HKCU, kKey, "Number", 1).ok());
  EXPECT_TRUE(registry.SaveDwordValue(HKCU, kKey, "Number", 2).ok());  // only the first change is noted
  EXPECT_TRUE(registry.DeleteValue(HKCU, kKey, "Blob").ok());
  EXPECT_TRUE(registry.SaveStringValue(HKCU, kKey, "Text", "plain").ok());
  EXPECT_TRUE(registry.SaveDwordValue(HKCU, kKey, "Wrong", 1).ok());
  EXPECT_TRUE(registry.SaveStringValue(HKCU, kKey, "New", "made now").ok());
  EXPECT_TRUE(registry.SaveStringValue(HKCU, "Software\\Made\\Deeper", "Inner", "two keys made").ok());
  EXPECT_TRUE(registry.DeleteValue(HKCU, "Software\\Journal\\Leaf", "Kept").ok());
  EXPECT_TRUE(registry.SaveDwordValue(HKLM, "Software\\Policy", "Machine", 0).ok());
  // A key removed with a value the program never touched: both come back.
  SetRaw(HKCU, "Software\\Journal\\Leaf", "Kept", regtype::kMultiSz, {'x', 0, 'y', 0, 0});
  EXPECT_TRUE(registry.DeleteKey(HKCU, "Software\\Journal\\Leaf").ok());
  ASSERT_NE(Snapshot(), before);

  EXPECT_EQ(journal.Changed(), 11);  // 8 values, the two keys made and the one removed
  const RegistryJournal::UndoResult result = journal.Undo();
  EXPECT_TRUE(result.failed.empty());
  EXPECT_EQ(Snapshot(), before);
  EXPECT_EQ(journal.Changed(), 0);
  EXPECT_EQ(memory.OpenHandleCount(), 0u);

  // Noted states stay the first ones: a later change is undone to them too.
  EXPECT_TRUE(registry.SaveDwordValue(HKCU, kKey, "Number", 9).ok());
  journal.Undo();
  EXPECT_EQ(Snapshot(), before);
}

TEST_F(JournalTest, WritingBackTheSameDataIsNoChange) {
  EXPECT_TRUE(registry.SaveDwordValue(HKCU, kKey, "Number", 7).ok());
  EXPECT_TRUE(registry.SaveDwordValue(HKCU, kKey, "Number", 3).ok());
  EXPECT_TRUE(registry.SaveDwordValue(HKCU, kKey, "Number", 7).ok());  // changed and changed back
  EXPECT_TRUE(registry.DeleteValue(HKCU, kKey, "Absent").ok());
  EXPECT_EQ(journal.Changed(), 0);
  const RegistryJournal::UndoResult result = journal.Undo();
  EXPECT_EQ(result.values + result.keys, 0);
}

TEST_F(JournalTest, WhatCannotBePutBackIsNamedAndTheRestIsRestored) {
  EXPECT_TRUE(registry.SaveDwordValue(HKCU, kKey, "Number", 1).ok());
  EXPECT_TRUE(registry.SaveDwordValue(HKLM, "Software\\Policy", "Machine", 0).ok());
  memory.SetMachineWideReadOnly(true);

  const RegistryJournal::UndoResult result = journal.Undo();
  EXPECT_EQ(result.values, 1);
  ASSERT_EQ(result.failed.size(), 1u);
  EXPECT_EQ(result.failed[0], "HKEY_LOCAL_MACHINE\\Software\\Policy\\Machine");
  EXPECT_EQ(direct.GetDwordValue(HKCU, kKey, "Number"), 7);
  EXPECT_EQ(journal.Changed(), 1);  // still to be done
}

TEST_F(JournalTest, AKeyMadeInThisRunThatNowHoldsOthersValuesStays) {
  EXPECT_TRUE(registry.SaveStringValue(HKCU, "Software\\Made", "Mine", "x").ok());
  SetRaw(HKCU, "Software\\Made", "Theirs", regtype::kSz, {'y', 0});
  const RegistryJournal::UndoResult result = journal.Undo();
  EXPECT_FALSE(direct.Read(HKCU, "Software\\Made", "Mine").present);
  EXPECT_TRUE(direct.Read(HKCU, "Software\\Made", "Theirs").present);
  ASSERT_EQ(result.failed.size(), 1u);
  EXPECT_EQ(result.failed[0], "HKEY_CURRENT_USER\\Software\\Made");
}

TEST_F(JournalTest, WhileHeldNothingReachesTheRegistryAndNothingIsNoted) {
  {
    RegistryJournal::Hold hold(journal);
    // Each refusal reaches the caller.
    const RegStatus refused(regerr::kAccessDenied);
    EXPECT_EQ(registry.SaveDwordValue(HKCU, kKey, "Number", 1), refused);
    EXPECT_EQ(registry.SaveStringValue(HKCU, "Software\\Made", "Mine", "x"), refused);
    EXPECT_EQ(registry.DeleteValue(HKCU, kKey, "Blob"), refused);
    EXPECT_EQ(registry.DeleteKey(HKCU, "Software\\Journal\\Leaf"), refused);
  }
  EXPECT_EQ(direct.GetDwordValue(HKCU, kKey, "Number"), 7);
  EXPECT_FALSE(direct.KeyExists(HKCU, "Software\\Made"));
  EXPECT_TRUE(direct.Read(HKCU, kKey, "Blob").present);
  EXPECT_TRUE(direct.KeyExists(HKCU, "Software\\Journal\\Leaf"));
  EXPECT_TRUE(journal.entries().empty());
  EXPECT_TRUE(registry.SaveDwordValue(HKCU, kKey, "Number", 1).ok());
  EXPECT_EQ(direct.GetDwordValue(HKCU, kKey, "Number"), 1);
}

TEST_F(JournalTest, KeysOpenedByHandleAndOddPathsAreTheSameKey) {
  RegKey parent = 0;
  journal.OpenKey(HKCU, "software", &parent);
  RegKey child = 0;
  journal.CreateKey(parent, "JOURNAL\\\\", &child);
  const std::uint8_t data[] = {5, 0, 0, 0};
  journal.SetValue(child, "number", regtype::kDword, data, 4);
  journal.CloseKey(child);
  journal.CloseKey(parent);
  EXPECT_TRUE(registry.SaveDwordValue(HKCU, kKey, "Number", 6).ok());
  ASSERT_EQ(journal.entries().size(), 1u);
  journal.Undo();
  EXPECT_EQ(direct.GetDwordValue(HKCU, kKey, "Number"), 7);
}

}  // namespace
}  // namespace kdw
