// The Lua table reader: entries with their key kinds in traversal order,
// skipped keys, typed reads with their defaults, and the stack left as found.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "game/gui/scenes/LuaTableReader.h"
#include "platform/text/Log.h"
#include "tests/support/TempFolder.h"
#include "windows/script/TLuaTable.h"
#include "windows/script/TScript.h"

namespace GUI {
namespace {

class LuaTableReaderTest : public testing::Test {
 protected:
  LuaTableReaderTest() { SetLogFolder(mLogs.Path().c_str()); }

  // The global t after running the text.
  std::unique_ptr<TLuaTable> TableOf(const char* text) {
    script.DoLuaString(text);
    return script.GetTable("t");
  }
  // The one entry of the table whose key reads as the text.
  static TLuaTableEntry EntryNamed(const std::vector<TLuaTableEntry>& entries, const char* name) {
    for (const TLuaTableEntry& entry : entries) {
      if (entry.keyName == name) return entry;
    }
    ADD_FAILURE() << "no entry " << name;
    return {};
  }

  TScript script;

 private:
  TempFolder mLogs;
};

// How each entry was read: "n:<number>" or "s:<name>".
std::vector<std::string> EntryKeysOf(const std::vector<TLuaTableEntry>& entries) {
  std::vector<std::string> keys;
  for (const TLuaTableEntry& entry : entries) {
    keys.push_back(IsNumberKey(entry) ? "n:" + std::to_string(static_cast<int>(entry.keyNumber))
                                      : "s:" + std::string(entry.keyName.CStr()));
  }
  return keys;
}

TEST_F(LuaTableReaderTest, ListItemsAndNamedFieldsAreEachListedOnceWithTheirKind) {
  const auto table = TableOf("t = {5, 6, 7, name = 'x', flag = true}");
  std::vector<std::string> keys = EntryKeysOf(ReadLuaTableEntries(table.get()));
  ASSERT_EQ(keys.size(), 5u);
  EXPECT_EQ(std::vector<std::string>(keys.begin(), keys.begin() + 3), (std::vector<std::string>{"n:1", "n:2", "n:3"}))
      << "list items first, in index order";
  std::sort(keys.begin() + 3, keys.end());
  EXPECT_EQ(keys[3], "s:flag");
  EXPECT_EQ(keys[4], "s:name");
}

TEST_F(LuaTableReaderTest, BooleanAndTableKeysAreSkipped) {
  const auto table = TableOf("t = {[true] = 1, [false] = 2, [{}] = 3, kept = 4}");
  EXPECT_EQ(EntryKeysOf(ReadLuaTableEntries(table.get())), (std::vector<std::string>{"s:kept"}));
}

// A numeric string read as the number would be looked up under the number,
// which holds another value or none.
TEST_F(LuaTableReaderTest, ANumericStringKeyStaysANameAndFindsItsOwnValue) {
  const auto table = TableOf("t = {['10'] = 'text', [10] = 'number'}");
  const std::vector<TLuaTableEntry> entries = ReadLuaTableEntries(table.get());
  ASSERT_EQ(entries.size(), 2u);
  const TLuaTableEntry named = EntryNamed(entries, "10");
  EXPECT_FALSE(IsNumberKey(named));
  EXPECT_EQ(GetEntryString(named), "text");
  for (const TLuaTableEntry& entry : entries) {
    if (IsNumberKey(entry)) {
      EXPECT_EQ(GetEntryString(entry), "number");
    }
  }
}

TEST_F(LuaTableReaderTest, VectorsReadItemsOneAndTwoWithZeroForWhatIsMissing) {
  const auto table = TableOf("t = {both = {10, 20}, one = {10}, none = {}, text = 'x', fraction = {2.9, -3.7}}");
  const std::vector<TLuaTableEntry> entries = ReadLuaTableEntries(table.get());
  const std::vector<std::pair<const char*, std::pair<float, float>>> cases = {
      {"both", {10.0f, 20.0f}}, {"one", {10.0f, 0.0f}}, {"none", {0.0f, 0.0f}}, {"text", {0.0f, 0.0f}}};
  for (const auto& [name, expected] : cases) {
    const TVec2 vector = GetEntryVec2(EntryNamed(entries, name));
    EXPECT_EQ(vector.x, expected.first) << name;
    EXPECT_EQ(vector.y, expected.second) << name;
  }
  EXPECT_EQ(GetEntryIntPair(EntryNamed(entries, "fraction")), (std::pair<int32_t, int32_t>{2, -3}));
  EXPECT_EQ(GetEntryIntPair(EntryNamed(entries, "text")), (std::pair<int32_t, int32_t>{0, 0}));
}

TEST_F(LuaTableReaderTest, TypedReadsGiveTheirDefaultsForValuesOfAnotherKind) {
  const auto table = TableOf("t = {number = 2.5, numeric = '7', word = 'abc', yes = true, sub = {1}, no = false}");
  const std::vector<TLuaTableEntry> entries = ReadLuaTableEntries(table.get());
  EXPECT_EQ(GetEntryNumber(EntryNamed(entries, "number")), 2.5);
  EXPECT_EQ(GetEntryNumber(EntryNamed(entries, "numeric")), 7.0);
  EXPECT_EQ(GetEntryNumber(EntryNamed(entries, "word")), 0.0);
  EXPECT_EQ(GetEntryString(EntryNamed(entries, "word")), "abc");
  EXPECT_EQ(GetEntryString(EntryNamed(entries, "sub")), "");
  EXPECT_TRUE(GetEntryBool(EntryNamed(entries, "yes")));
  EXPECT_FALSE(GetEntryBool(EntryNamed(entries, "no")));
  EXPECT_NE(GetEntryTable(EntryNamed(entries, "sub")), nullptr);
  EXPECT_EQ(GetEntryTable(EntryNamed(entries, "word")), nullptr);
}

TEST_F(LuaTableReaderTest, ReadsLeaveTheStackAsTheyFoundIt) {
  const auto table = TableOf("t = {{1, 2}, name = 'x'}");
  lua_State* L = script.GetState();
  const int height = lua_gettop(L);
  for (const TLuaTableEntry& entry : ReadLuaTableEntries(table.get())) {
    GetEntryTable(entry);
    GetEntryNumber(entry);
    GetEntryString(entry);
    GetEntryBool(entry);
    GetEntryVec2(entry);
    GetEntryIntPair(entry);
  }
  EXPECT_EQ(lua_gettop(L), height);
}

TEST(LuaTableReader, ANullTableHasNoEntries) { EXPECT_TRUE(ReadLuaTableEntries(nullptr).empty()); }

}  // namespace
}  // namespace GUI
