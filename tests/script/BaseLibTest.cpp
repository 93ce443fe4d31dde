#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "platform/file/FileIndex.h"
#include "script/lua/Auxlib.h"
#include "script/lua/Collector.h"
#include "script/lua/Lualib.h"
#include "tests/script/ScriptState.h"
#include "tests/support/TestFileLayer.h"

namespace {

class ScriptBaseLib : public ::testing::Test {
 protected:
  ScriptBaseLib() { luaL_openlibs(L); }

  // What the chunk writes to the standard output, or "error: " and the
  // message when it fails.
  std::string Printed(const std::string& source) {
    fflush(stdout);
    testing::internal::CaptureStdout();
    const std::string result = RunChunk(L, source);
    fflush(stdout);
    const std::string out = testing::internal::GetCapturedStdout();
    return result.rfind("error: ", 0) == 0 ? result : out;
  }

  ScriptState state;
  lua_State* L = state.L();
};

struct BaseLibCase {
  const char* source;
  const char* shown;  // RunChunk's result, or what the chunk printed
};

void ExpectCases(lua_State* L, const BaseLibCase* begin, const BaseLibCase* end) {
  for (const BaseLibCase* c = begin; c != end; c++) {
    EXPECT_EQ(RunChunk(L, c->source), c->shown) << c->source;
  }
}

// --- print ------------------------------------------------------------------------

const BaseLibCase kPrintCases[] = {
    {"print(L\"x\" .. '')", "error: test:1: attempt to concatenate a wstring value"},
    {"print(L\"wide\", 1)", "wide\t1\n"},
    {"print()", "\n"},
    // Units become UTF-8: 0xE9 takes two bytes, 0x263A three.
    {"print(L\"\\xE9\\x263A\")", "\xC3\xA9\xE2\x98\xBA\n"},
    // A surrogate pair is one character of four bytes.
    {"print(L\"\\xD83D\\xDE00\")", "\xF0\x9F\x98\x80\n"},
    // A surrogate without its partner is U+FFFD, wherever it stands.
    {"print(L\"a\\xD83Db\", L\"\\xDE00\", L\"\\xDE00\\xD83D\")",
     "a\xEF\xBF\xBD" "b\t\xEF\xBF\xBD\t\xEF\xBF\xBD\xEF\xBF\xBD\n"},
    // The script's own conversions are used.
    {"tostring = function(v) return '<' .. type(v) .. '>' end print(1, 'a', {})",
     "<number>\t<string>\t<table>\n"},
    {"towstring = function(v) return 42 end print(L\"x\")", "42\n"},
    {"tostring = function() return {} end print(1)",
     "error: test:1: `tostring' must return a string to `print'"},
    {"towstring = function(v) return 'bytes' end print(L\"w\")",
     "error: test:1: `tostring' must return a string to `print'"},
};

TEST_F(ScriptBaseLib, PrintWritesBytesAndWideStringsAsUtf8) {
  for (const BaseLibCase& c : kPrintCases) EXPECT_EQ(Printed(c.source), c.shown) << c.source;
}

TEST_F(ScriptBaseLib, PrintWritesEveryByteOfAByteString) {
  EXPECT_EQ(Printed("print(nil, false, 'a\\0b')"), std::string("nil\tfalse\ta\0b\n", 14));
}

TEST_F(ScriptBaseLib, PrintWritesALongWideStringWhole) {
  const std::string out = Printed("local w = L\"\"\n"
                                  "for i = 1, 1000 do w = w .. L\"\\x263A\" end\n"
                                  "print(w)");
  std::string expected;
  for (int i = 0; i < 1000; i++) expected += "\xE2\x98\xBA";
  EXPECT_EQ(out, expected + "\n");
}

// --- Conversions ----------------------------------------------------------------------

const BaseLibCase kConversionCases[] = {
    // tostring: wide strings keep the low byte of every unit.
    {"return tostring(L\"A\\x263A\")", "\"A:\""},
    {"return tostring(L\"\"), tostring(12.5), tostring(nil), tostring(true)",
     "\"\" \"12.5\" \"nil\" \"true\""},
    {"local t = setmetatable({}, {__tostring = function() return 'T' end}) return tostring(t)",
     "\"T\""},
    {"getmetatable(1).__tostring = function(n) return 'n' .. n end "
     "local s = tostring(3) getmetatable(1).__tostring = nil return s",
     "\"n3\""},
    // towstring: bytes of 128 and above are zero-extended, as the lexer reads them.
    {"return towstring('\\xE9') == L\"\\xE9\", towstring('\\xE9') == L\"\\xFFE9\"", "true false"},
    {"return towstring('ab'), towstring(''), towstring(12.5), towstring(L\"w\")",
     "L\"ab\" L\"\" L\"12.5\" L\"w\""},
    {"return towstring(nil), type(towstring(nil))", "\"nil\" \"string\""},
    {"return towstring(true)", "error: test:1: bad argument #1 to `towstring' (value expected)"},
    {"return towstring()", "error: test:1: bad argument #1 to `towstring' (value expected)"},
    {"return type(towstring({})), type(towstring(print)), type(towstring(newproxy()))",
     "\"wstring\" \"wstring\" \"wstring\""},
    // tonumber in base 10 takes any value.
    {"return tonumber('0x10'), tonumber(L\"0x10\"), tonumber(' 12 '), tonumber({}), tonumber('1e2')",
     "nil 16 12 nil 100"},
    {"return tonumber()", "error: test:1: bad argument #1 to `tonumber' (value expected)"},
    // Other bases: the unsigned 32-bit result, saturated, a minus wrapping round.
    {"return tonumber('ff', 16), tonumber('FF', 16), tonumber('0xff', 16), tonumber('z', 36)",
     "255 255 255 35"},
    {"return tonumber('ffffffff', 16), tonumber('100000000', 16), tonumber('ffffffffff', 16)",
     "4294967295 4294967295 4294967295"},
    {"return tonumber('-1', 16), tonumber('-10', 2), tonumber('+7', 8), tonumber(' 7 ', 8)",
     "4294967295 4294967294 7 7"},
    {"return tonumber('8', 8), tonumber('', 16), tonumber('0x', 16), tonumber('1 2', 16)",
     "nil nil nil nil"},
    // Wide text is narrowed to its low bytes: 0x0131 reads as the digit 1.
    {"return tonumber(17, 8), tonumber(L\"ff\", 16), tonumber(L\"\\x0131\\x0130\", 2)",
     "15 255 2"},
    {"return tonumber(L\"\\x1FF\", 16)", "nil"},
    {"local w = L\"\" for i = 1, 100 do w = w .. L\"1\" end return tonumber(w, 2)", "nil"},
    {"return tonumber('1', 37)", "error: test:1: bad argument #2 to `tonumber' (base out of range)"},
    {"return tonumber('1', 1)", "error: test:1: bad argument #2 to `tonumber' (base out of range)"},
    {"return tonumber({}, 16)", "error: test:1: bad argument #1 to `tonumber' (string expected, got table)"},
};

TEST_F(ScriptBaseLib, ConvertValuesToTextAndNumbers) {
  ExpectCases(L, std::begin(kConversionCases), std::end(kConversionCases));
}

TEST_F(ScriptBaseLib, ShowOtherValuesByTypeAndAddress) {
  const char* const sources[] = {"return tostring({})", "return tostring(print)",
                                 "return tostring(coroutine.create(function() end))",
                                 "return tostring(newproxy())"};
  const char* const prefixes[] = {"\"table: 0x", "\"function: 0x", "\"thread: 0x",
                                  "\"userdata: 0x"};
  for (int i = 0; i < 4; i++) {
    EXPECT_EQ(RunChunk(L, sources[i]).rfind(prefixes[i], 0), 0u) << sources[i];
    const std::string wide = std::string("return towstring(") + (sources[i] + 16);
    EXPECT_EQ(RunChunk(L, wide).rfind(std::string("L") + prefixes[i], 0), 0u) << wide;
  }
  // A boxed pointer shows the pointer it holds.
  int anything = 0;
  lua_pushboxedpointer(L, &anything);
  lua_setglobal(L, "boxed");
  char expected[64];
  snprintf(expected, sizeof expected, "\"userdata: %p\"", static_cast<void*>(&anything));
  EXPECT_EQ(RunChunk(L, "return tostring(boxed)"), expected);
}

// --- Errors ------------------------------------------------------------------------------

const BaseLibCase kErrorCases[] = {
    {"error('m')", "error: test:1: m"},
    {"error('m', 0)", "error: m"},
    {"error(5)", "error: test:1: 5"},
    {"local function f() error('m', 2) end\n\nf()", "error: test:3: m"},
    {"local ok, e = pcall(error, {}) return type(e)", "\"table\""},
    {"local ok, e = pcall(error) return e", "\"bad argument #1 to `error' (value expected)\""},
    // A wide message gets a wide position.
    {"local ok, e = pcall(function() error(L\"w\") end) return e", "L\"test:1: w\""},
    {"local function f() error(L\"w\", 2) end\nlocal ok, e = pcall(function()\nf() end) return e",
     "L\"test:3: w\""},
    {"local ok, e = pcall(error, L\"w\") return e", "L\"w\""},
    {"assert(false)", "error: test:1: assertion failed!"},
    {"assert(nil, 'said so')", "error: test:1: said so"},
    {"return assert(1, 2, 3)", "1 2 3"},
    {"return pcall(function(...) return arg.n end, 1, 2)", "true 2"},
    {"return xpcall(function() error('x') end, function(m) return 'handled ' .. m end)",
     "false \"handled test:1: x\""},
    {"return xpcall(function() return 1, 2 end, print)", "true 1 2"},
};

TEST_F(ScriptBaseLib, ErrorsCarryThePositionOfTheLevelAsked) {
  ExpectCases(L, std::begin(kErrorCases), std::end(kErrorCases));
}

// --- Metatables, environments, tables --------------------------------------------------------

const BaseLibCase kMetatableCases[] = {
    {"local t = {} return getmetatable(t) == getmetatable({}), getmetatable(t) ~= nil", "true true"},
    {"return getmetatable(1) == getmetatable(2), getmetatable(1) ~= getmetatable('x')", "true true"},
    {"return getmetatable(nil)", "nil"},
    {"local t = setmetatable({}, {__metatable = 'locked'}) return getmetatable(t)", "\"locked\""},
    {"local t = setmetatable({}, {__metatable = 1}) setmetatable(t, {})",
     "error: test:1: cannot change a protected metatable"},
    {"setmetatable({}, 1)", "error: test:1: bad argument #2 to `setmetatable' (nil or table expected)"},
    {"setmetatable(1, {})", "error: test:1: bad argument #1 to `setmetatable' (table expected, got number)"},
    {"local t = setmetatable({}, {}) setmetatable(t, nil) return getmetatable(t) == getmetatable({})",
     "true"},
    {"return getfenv() == _G, getfenv(0) == _G, getfenv(print) == _G", "true true true"},
    {"local f = function() return x end setfenv(f, {x = 7}) return f(), getfenv(f).x", "7 7"},
    {"local function f() setfenv(1, {y = 3}) return y end return f()", "3"},
    {"getfenv(-1)", "error: test:1: bad argument #1 to `getfenv' (level must be non-negative)"},
    {"getfenv(50)", "error: test:1: bad argument #1 to `getfenv' (invalid level)"},
    {"local function f() return getfenv(2) end local function g() return f() end\n"
     "local e = g() return e",
     "error: test:1: no function environment for tail call at level 2"},
    {"local f = function() end setfenv(f, setmetatable({}, {})) "
     "getfenv(f).__fenv = 'p' return getfenv(f)",
     "\"p\""},
    {"local f = function() end setfenv(f, {__fenv = 1}) setfenv(f, {})",
     "error: test:1: `setfenv' cannot change a protected environment"},
    {"setfenv(print, {})", "error: test:1: `setfenv' cannot change environment of given function"},
    {"setfenv(1, 2)", "error: test:1: bad argument #2 to `setfenv' (table expected, got number)"},
    // Level 0 replaces the thread's globals, which new chunks get.
    {"local g = _G setfenv(0, {marker = 1}) local m = loadstring('return marker')() "
     "setfenv(0, g) return m, marker",
     "1 nil"},
};

TEST_F(ScriptBaseLib, ReadAndProtectMetatablesAndEnvironments) {
  ExpectCases(L, std::begin(kMetatableCases), std::end(kMetatableCases));
}

const BaseLibCase kTableCases[] = {
    {"local s = 0 for i, v in ipairs({5, 6, nil, 8}) do s = s + i * v end return s", "17"},
    {"local n = 0 for k, v in pairs({a = 1, b = 2, 3}) do n = n + v end return n", "6"},
    {"return next({}), next({7})", "nil 1 7"},
    {"local step = ipairs({}) return step({}, 2147483647), step({5, 6}, 1)", "nil 2 6"},
    {"return next({}, 1)", "error: invalid key for `next'"},
    {"return unpack({1, 2, n = 3})", "1 2 nil"},
    {"return unpack({n = 5000})",
     "error: test:1: stack overflow (table too big to unpack)"},
    {"return unpack(1)", "error: test:1: bad argument #1 to `unpack' (table expected, got number)"},
    {"local t = setmetatable({}, {__index = function() return 'meta' end}) "
     "return t.x, rawget(t, 'x')",
     "\"meta\" nil"},
    {"local t = setmetatable({}, {__newindex = function() end}) "
     "t.a = 1 rawset(t, 'b', 2) return t.a, t.b",
     "nil 2"},
    {"return rawequal('a', 'a'), rawequal({}, {}), rawequal(L\"a\", 'a')", "true false false"},
    {"return rawget({}, nil)", "nil"},
    {"rawset({}, nil, 1)", "error: table index is nil"},
    {"rawequal(1)", "error: test:1: bad argument #2 to `rawequal' (value expected)"},
    {"return type(1), type(L\"\"), type(nil), type(print)",
     "\"number\" \"wstring\" \"nil\" \"function\""},
    {"type()", "error: test:1: bad argument #1 to `type' (value expected)"},
};

TEST_F(ScriptBaseLib, WalkAndReachIntoTables) {
  ExpectCases(L, std::begin(kTableCases), std::end(kTableCases));
}

// --- Library set-up -------------------------------------------------------------------------

TEST_F(ScriptBaseLib, OpensNoMathIoOsOrDebugLibrary) {
  EXPECT_EQ(RunChunk(L, "return _VERSION, _G == getfenv(), type(_LOADED), next(_LOADED)"),
            "\"Lua 5.0.2\" true \"table\" nil");
  EXPECT_EQ(RunChunk(L, "return math, io, os, debug"), "nil nil nil nil");
  EXPECT_EQ(RunChunk(L, "local n = 0 for k in pairs(coroutine) do n = n + 1 end return n"), "5");
  EXPECT_EQ(lua_gettop(L), 0) << "the opener leaves the stack as it was";
}

TEST_F(ScriptBaseLib, PublishesThePerTypeMetatablesInTheRegistry) {
  const char* const keys[] = {"_boolean", "_lightuserdata", "_number", "_string", "_table",
                              "_function", "_userdata", "_thread", "_wstring"};
  for (int tag = LUA_TBOOLEAN; tag <= LUA_TWSTRING; tag++) {
    lua_pushstring(L, keys[tag - 1]);
    lua_rawget(L, LUA_REGISTRYINDEX);
    lua_gettypemetatable(L, tag);
    EXPECT_TRUE(lua_istable(L, -2)) << keys[tag - 1];
    // The string library, opened later, replaced the per-type table of
    // strings but not its registry entry.
    EXPECT_EQ(lua_rawequal(L, -1, -2) != 0, tag != LUA_TSTRING) << keys[tag - 1];
    lua_pop(L, 2);
  }
  lua_gettypemetatable(L, LUA_TSTRING);
  lua_getglobal(L, "string");
  EXPECT_TRUE(lua_rawequal(L, -1, -2));
  lua_pop(L, 2);
  lua_pushstring(L, "_nil");
  lua_rawget(L, LUA_REGISTRYINDEX);
  EXPECT_TRUE(lua_isnil(L, -1));
  lua_pop(L, 1);
  // The registry holds the same table: a field set through it is seen by values.
  lua_pushstring(L, "_number");
  lua_rawget(L, LUA_REGISTRYINDEX);
  lua_pushstring(L, "marker");
  lua_pushnumber(L, 9);
  lua_rawset(L, -3);
  lua_pop(L, 1);
  EXPECT_EQ(RunChunk(L, "return (5).marker"), "9");
}

TEST_F(ScriptBaseLib, NewproxyMakesUserdataThatMayShareAMetatable) {
  EXPECT_EQ(RunChunk(L, "local p = newproxy(true) local q = newproxy(p) "
                        "return type(p), getmetatable(p) == getmetatable(q), "
                        "getmetatable(p) ~= getmetatable(newproxy(true))"),
            "\"userdata\" true true");
  EXPECT_EQ(RunChunk(L, "return getmetatable(newproxy()) == getmetatable(newproxy(false))"),
            "true");
  EXPECT_EQ(RunChunk(L, "newproxy({})"),
            "error: test:1: bad argument #1 to `newproxy' (boolean or proxy expected)");
  EXPECT_EQ(RunChunk(L, "newproxy(newproxy())"),
            "error: test:1: bad argument #1 to `newproxy' (boolean or proxy expected)");
}

TEST_F(ScriptBaseLib, CollectorControlCountsInKilobytes) {
  EXPECT_EQ(RunChunk(L, "local count, threshold = gcinfo() return count > 0, threshold >= count"),
            "true true");
  EXPECT_EQ(RunChunk(L, "collectgarbage(100000) local c, t = gcinfo() collectgarbage() return t"),
            "100000");
}

// --- Coroutines ----------------------------------------------------------------------------

const BaseLibCase kCoroutineCases[] = {
    {"local co = coroutine.create(function(a, b) local c = coroutine.yield(a + b) return c * 2 end)\n"
     "local r = {coroutine.resume(co, 1, 2)}\n"
     "local s = coroutine.status(co)\n"
     "return r[1], r[2], s, coroutine.resume(co, 10)",
     "true 3 \"suspended\" true 20"},
    {"local co = coroutine.create(function() end) coroutine.resume(co) "
     "return coroutine.status(co), coroutine.resume(co)",
     "\"dead\" false \"cannot resume dead coroutine\""},
    {"local co co = coroutine.create(function() return coroutine.status(co) end) "
     "return coroutine.resume(co)",
     "true \"running\""},
    {"local co co = coroutine.create(function() return coroutine.resume(co) end) "
     "return coroutine.resume(co)",
     "true false \"cannot resume non-suspended coroutine\""},
    {"local co = coroutine.create(function() error('e') end) "
     "return coroutine.resume(co), coroutine.status(co)",
     "false \"dead\""},
    {"local co = coroutine.create(function() error('e') end) return coroutine.resume(co)",
     "false \"test:1: e\""},
    {"coroutine.resume(1)", "error: test:1: bad argument #1 to `resume' (coroutine expected)"},
    {"coroutine.status({})", "error: test:1: bad argument #1 to `status' (coroutine expected)"},
    {"coroutine.create(print)", "error: test:1: bad argument #1 to `create' (Lua function expected)"},
    {"coroutine.wrap(1)", "error: test:1: bad argument #1 to `wrap' (Lua function expected)"},
    {"coroutine.yield()", "error: attempt to yield across metamethod/C-call boundary"},
    {"local f = coroutine.wrap(function(x) local y = coroutine.yield(x * 2) return y + 1 end) "
     "return f(4), f(10)",
     "8 11"},
    // The re-raise puts the caller's position before a text message, wide ones included.
    {"local f = coroutine.wrap(function() error('e', 0) end)\nf()", "error: test:2: e"},
    {"local f = coroutine.wrap(function() error(L\"e\", 0) end)\nlocal ok, e = pcall(function()\n"
     "f() end) return e",
     "L\"test:3: e\""},
    {"local f = coroutine.wrap(function() error({}) end) local ok, e = pcall(f) return type(e)",
     "\"table\""},
    {"local f = coroutine.wrap(function() end) f() f()",
     "error: test:1: cannot resume dead coroutine"},
    {"local co = coroutine.create(function() pcall(coroutine.yield) end) "
     "return coroutine.resume(co)",
     "true"},
    {"local co = coroutine.create(function() return pcall(coroutine.yield, 1) end) "
     "return coroutine.resume(co)",
     "true false \"attempt to yield across metamethod/C-call boundary\""},
};

TEST_F(ScriptBaseLib, CoroutinesResumeYieldAndReportTheirStatus) {
  ExpectCases(L, std::begin(kCoroutineCases), std::end(kCoroutineCases));
}

// Every value a library function makes must be reachable before the next
// allocation: with a collection at every check point, one that is not is
// freed while in use (and the sanitizer reports it).
TEST_F(ScriptBaseLib, GiveTheSameResultsWhenTheCollectorRunsAtEveryCheckPoint) {
  luaC_setstress(L, true);
  ExpectCases(L, std::begin(kConversionCases), std::end(kConversionCases));
  ExpectCases(L, std::begin(kErrorCases), std::end(kErrorCases));
  ExpectCases(L, std::begin(kMetatableCases), std::end(kMetatableCases));
  ExpectCases(L, std::begin(kTableCases), std::end(kTableCases));
  ExpectCases(L, std::begin(kCoroutineCases), std::end(kCoroutineCases));
}

// --- Loading ------------------------------------------------------------------------------

class ScriptBaseLibFiles : public ScriptBaseLib {
 protected:
  ScriptBaseLibFiles() {
    files.WriteAsset("mods/counter.lua",
                     "loads = (loads or 0) + 1\nreturn {name = _REQUIREDNAME}\n");
    files.WriteAsset("mods/silent.lua", "silentran = true\n");
    files.WriteAsset("mods/broken.lua", "return +\n");
    files.WriteAsset("mods/fails.lua", "error('inside')\n");
    files.WriteAsset("plain.lua", "return 'p', 2\n");
    BuildFileIndex();
  }

  TestFileLayer files;
};

const BaseLibCase kRequireCases[] = {
    {"LUA_PATH = 'mods/?.lua' local m = require('counter') "
     "return m.name, loads, require('counter') == m, loads, _LOADED.counter == m, _REQUIREDNAME",
     "\"counter\" 1 true 1 true nil"},
    {"LUA_PATH = 'x/?;mods/?.lua' return require('silent'), silentran, _LOADED.silent",
     "true true true"},
    {"LUA_PATH = 'x/?;y/?.lua' require('other')",
     "error: test:1: could not load package `other' from path `x/?;y/?.lua'"},
    {"LUA_PATH = 'mods/?.lua' _LOADED.given = 'mark' return require('given')", "\"mark\""},
    {"LUA_PATH = 'mods/?.lua' require('broken')",
     "error: test:1: error loading package `broken' (mods/broken.lua:1: unexpected symbol near "
     "`+')"},
    {"LUA_PATH = 'mods/?.lua' require('fails')", "error: mods/fails.lua:1: inside"},
    {"LUA_PATH = 'mods/?.lua' _REQUIREDNAME = 'outer' pcall(require, 'fails') "
     "return _REQUIREDNAME, _LOADED.fails",
     "\"outer\" nil"},
    {"_LOADED = 1 require('x')", "error: test:1: `_LOADED' is not a table"},
    {"require()", "error: test:1: bad argument #1 to `require' (string expected, got no value)"},
    {"return loadfile('plain.lua')()", "\"p\" 2"},
    {"return dofile('plain.lua')", "\"p\" 2"},
    {"return loadfile('missing.lua')", "nil \"cannot read missing.lua: no such file\""},
    {"dofile('missing.lua')", "error: cannot read missing.lua: no such file"},
    {"return loadfile('mods/broken.lua')",
     "nil \"mods/broken.lua:1: unexpected symbol near `+'\""},
    {"return pcall(loadstring('error(1)', 'named'))", "false \"[string \"named\"]:1: 1\""},
    {"return pcall(loadstring('error(1)'))", "false \"[string \"error(1)\"]:1: 1\""},
    {"return loadstring('x x')", "nil \"[string \"x x\"]:1: `=' expected near `x'\""},
    {"return loadstring('return +', '=given')", "nil \"given:1: unexpected symbol near `+'\""},
};

TEST_F(ScriptBaseLibFiles, RequireAndLoadFindFilesByLogicalNames) {
  ExpectCases(L, std::begin(kRequireCases), std::end(kRequireCases));
}

TEST_F(ScriptBaseLibFiles, RequireReplacesEveryMarkUpToWhatTheStackHolds) {
  const std::string marks(1100, '?');
  EXPECT_EQ(RunChunk(L, "LUA_PATH = '" + marks + "' require('x')"),
            "error: test:1: stack overflow (too many marks in a path component)");
  // Every mark of a template takes the name.
  EXPECT_EQ(RunChunk(L, "LUA_PATH = 'x;mod?/?ilent.lua' return require('s'), silentran"),
            "true true");
}

}  // namespace
