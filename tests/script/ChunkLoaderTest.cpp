#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "platform/file/FileIndex.h"
#include "script/lua/Auxlib.h"
#include "script/lua/State.h"
#include "tests/script/ChunkBuilder.h"
#include "tests/script/ChunkText.h"
#include "tests/script/ScriptState.h"
#include "tests/support/PackWriter.h"
#include "tests/support/TestFileLayer.h"

namespace {

class ScriptChunkLoader : public ::testing::Test {
 protected:
  TestFileLayer files;
  ScriptState state;
  lua_State* L = state.L();

  // The first byte-string constant of the chunk on top.
  std::string FirstString() {
    const Proto* p = static_cast<LClosure*>(clvalue(L->top - 1))->p;
    for (int i = 0; i < p->sizek; i++) {
      if (ttisstring(&p->k[i])) return std::string(svalue(&p->k[i]), tsvalue(&p->k[i])->len);
    }
    return "<none>";
  }

  // The message on top up to its second colon ("chunk:line").
  std::string Position() {
    const std::string message = lua_tostring(L, -1) != nullptr ? lua_tostring(L, -1) : "";
    return message.substr(0, message.find(':', message.find(':') + 1));
  }
};

TEST_F(ScriptChunkLoader, TextFilesLoseTheirCarriageReturns) {
  files.WriteAsset("text.lua", "return \"a\rb\"\r\n");
  files.WriteAsset("empty.lua", "");
  BuildFileIndex();
  ASSERT_EQ(luaL_loadfile(L, "text.lua"), 0) << lua_tostring(L, -1);
  EXPECT_EQ(lua_gettop(L), 1) << "only the chunk is left";
  EXPECT_EQ(FirstString(), "ab");
  EXPECT_EQ(luaL_loadfile(L, "empty.lua"), 0);
}

TEST_F(ScriptChunkLoader, FilesThatStartWithNoTextAreReadInBinaryMode) {
  const std::string source = "return '\\r\\n'";  // the constant holds CR LF
  ASSERT_EQ(luaL_loadbuffer(L, source.data(), source.size(), "=source"), 0);
  files.WriteAsset("compiled.luc", DumpChunk(L, TopProto(L)));
  lua_pop(L, 1);
  files.WriteAsset("wide.lua", "\xFF\xFE" + Utf16(u"x = 1\r\ny = = 2"));
  BuildFileIndex();
  ASSERT_EQ(luaL_loadfile(L, "compiled.luc"), 0) << lua_tostring(L, -1);
  EXPECT_EQ(FirstString(), "\r\n") << "every byte kept";
  EXPECT_EQ(luaL_loadfile(L, "wide.lua"), LUA_ERRSYNTAX);
  EXPECT_EQ(Position(), "wide.lua:2") << "read as UTF-16LE up to the error: " << lua_tostring(L, -1);
}

TEST_F(ScriptChunkLoader, LongAndPackedFilesAreReadWhole) {
  std::string longText;
  for (int i = 1; i <= 300; i++) longText += "x = " + std::to_string(i) + "\n";
  files.WriteAsset("long.lua", longText + "y = = 1\n");
  PackWriter pack;
  pack.Add("scripts/packed.lua", "x = 1\r\n= 2\r\n");
  files.WriteAsset("scripts.vqp", pack.Bytes());
  BuildFileIndex();
  EXPECT_EQ(luaL_loadfile(L, "long.lua"), LUA_ERRSYNTAX);
  EXPECT_EQ(Position(), "long.lua:301");
  EXPECT_EQ(luaL_loadfile(L, "Scripts/Packed.lua"), LUA_ERRSYNTAX);
  EXPECT_EQ(Position(), "Scripts/Packed.lua:2");
  EXPECT_EQ(lua_gettop(L), 2) << "one message for each, no chunk name left behind";
}

TEST_F(ScriptChunkLoader, AFileThatCannotBeOpenedGivesAFileError) {
  lua_pushstring(L, "below");
  BuildFileIndex();
  errno = EACCES;  // stale: not the reason of this failure
  ASSERT_EQ(luaL_loadfile(L, "missing.lua"), LUA_ERRFILE);
  EXPECT_STREQ(lua_tostring(L, -1), "cannot read missing.lua: no such file");
  EXPECT_EQ(lua_gettop(L), 2) << "the message above what was there";
  ASSERT_EQ(luaL_loadfile(L, "user:missing.lua"), LUA_ERRFILE);
  EXPECT_EQ(std::string(lua_tostring(L, -1)),
            std::string("cannot read user:missing.lua: ") + strerror(ENOENT))
      << "the operating system's reason when it gave one";
}

TEST_F(ScriptChunkLoader, AFailedAllocationAnywhereInLoadingIsAMemoryErrorStatus) {
  files.WriteAsset("chunk.lua", "local t = {1, 2, 3}; return t[2] .. 'x'");
  BuildFileIndex();
  lua_pushstring(L, "below");
  for (int fail = 1;; fail++) {
    state.Allocator().failAt = state.Allocator().allocations + fail;
    const int status = luaL_loadfile(L, "chunk.lua");
    state.Allocator().failAt = 0;
    ASSERT_EQ(lua_gettop(L), 2) << "one result above what was there";
    if (status == 0) break;  // this load made fewer allocations
    EXPECT_EQ(status, LUA_ERRMEM) << "allocation " << fail;
    EXPECT_STREQ(lua_tostring(L, -1), "not enough memory") << "allocation " << fail;
    lua_pop(L, 1);
  }
}

TEST_F(ScriptChunkLoader, NoFileNameGivesAFileErrorInsteadOfStandardInput) {
  ASSERT_EQ(luaL_loadfile(L, nullptr), LUA_ERRFILE);
  EXPECT_EQ(lua_gettop(L), 1);
  EXPECT_EQ(std::string(lua_tostring(L, -1)).rfind("cannot read stdin: ", 0), 0u);
}

TEST_F(ScriptChunkLoader, BuffersLoadUnderTheirName) {
  ASSERT_EQ(luaL_loadbuffer(L, "return 'x\0y'", 12, "=buffer"), 0);
  EXPECT_EQ(FirstString(), std::string("x\0y", 3));
  EXPECT_EQ(luaL_loadbuffer(L, "return +", 8, "=buffer"), LUA_ERRSYNTAX);
  EXPECT_EQ(Position(), "buffer:1");
}

// --- Running chunks ------------------------------------------------------------------

std::vector<std::string> gAlerts;

int RecordAlert(lua_State* L) {
  gAlerts.push_back(lua_tostring(L, 1));
  return 0;
}

TEST_F(ScriptChunkLoader, DostringLeavesAllResults) {
  lua_pushstring(L, "below");
  ASSERT_EQ(lua_dostring(L, "return 1, 'two', nil"), 0);
  ASSERT_EQ(lua_gettop(L), 4);
  EXPECT_EQ(lua_tonumber(L, 2), 1);
  EXPECT_STREQ(lua_tostring(L, 3), "two");
  EXPECT_TRUE(lua_isnil(L, 4));
}

TEST_F(ScriptChunkLoader, FailuresGoToTheAlertFunction) {
  lua_register(L, "_ALERT", RecordAlert);
  gAlerts.clear();
  const struct {
    const char* text;
    int status;
  } cases[] = {{"x = = 1", LUA_ERRSYNTAX}, {"local a\nundefined()", LUA_ERRRUN}};
  for (const auto& c : cases) EXPECT_EQ(lua_dostring(L, c.text), c.status) << c.text;
  EXPECT_EQ(lua_dobuffer(L, "error_here()", 12, "=buffer"), LUA_ERRRUN);
  EXPECT_EQ(lua_gettop(L), 0) << "the messages are gone";
  ASSERT_EQ(gAlerts.size(), 3u);
  EXPECT_EQ(gAlerts[0].rfind("[string \"x = = 1\"]:1: ", 0), 0u) << gAlerts[0];
  EXPECT_EQ(gAlerts[1], "[string \"local a...\"]:2: attempt to call global `undefined' (a nil value)");
  EXPECT_EQ(gAlerts[2], "buffer:1: attempt to call global `error_here' (a nil value)");
}

TEST_F(ScriptChunkLoader, WithoutAnAlertFunctionFailuresGoToStandardError) {
  lua_pushstring(L, "below");
  testing::internal::CaptureStderr();
  EXPECT_EQ(lua_dobuffer(L, "oops()", 6, "=quiet"), LUA_ERRRUN);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "quiet:1: attempt to call global `oops' (a nil value)\n");
  EXPECT_EQ(lua_gettop(L), 1);
}

}  // namespace
