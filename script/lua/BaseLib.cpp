// The base library: the global functions every script has (luaopen_base,
// Lualib.h). It works through the C interface and the auxiliary library only.

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "script/lua/Auxlib.h"
#include "script/lua/BaseLib.h"
#include "script/lua/Lualib.h"
#include "script/lua/NumberText.h"

namespace {

constexpr const char* kVersion = "Lua 5.0.2";
// The table of loaded packages that `require` keeps.
constexpr const char* kLoadedTable = "_LOADED";
constexpr const char* kPathName = "LUA_PATH";
constexpr const char* kDefaultPath = "?;?.lua";
constexpr char kPathSeparator = ';';
constexpr char kPathMark = '?';
// Longest wide text `tonumber` converts in a base other than 10.
constexpr size_t kMaxBaseText = 99;

// --- Text ---------------------------------------------------------------------------

void appendutf8(std::string& out, uint32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

bool ishighsurrogate(uint32_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool islowsurrogate(uint32_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

}  // namespace

std::string luaB_utf8(const lua_WChar* units, size_t len) {
  constexpr uint32_t kReplacement = 0xFFFD;
  std::string out;
  out.reserve(len);
  for (size_t i = 0; i < len; i++) {
    const uint32_t u = units[i];
    if (ishighsurrogate(u) && i + 1 < len && islowsurrogate(units[i + 1])) {
      appendutf8(out, 0x10000 + ((u - 0xD800) << 10) + (units[i + 1] - 0xDC00));
      i++;
    } else if (ishighsurrogate(u) || islowsurrogate(u)) {
      appendutf8(out, kReplacement);
    } else {
      appendutf8(out, u);
    }
  }
  return out;
}

namespace {

// Pushes the byte string of the low byte of every unit of the wide string at idx.
void pushlowbytes(lua_State* L, int idx) {
  const lua_WChar* units = lua_towstring(L, idx);
  std::string bytes(lua_strlen(L, idx), '\0');
  for (size_t i = 0; i < bytes.size(); i++) bytes[i] = static_cast<char>(units[i] & 0xFF);
  lua_pushlstring(L, bytes.data(), bytes.size());
}

// "table: 0x..." and the like: the type name and the address the value
// stands for (a userdata's pointer, the object of a table, function or thread).
std::string addresstext(lua_State* L, int idx) {
  char text[64];
  snprintf(text, sizeof text, "%s: %p", lua_typename(L, lua_type(L, idx)), lua_topointer(L, idx));
  return text;
}

// --- Printing and conversions ---------------------------------------------------------

void writebytes(const char* bytes, size_t len) { fwrite(bytes, 1, len, stdout); }

int luaB_print(lua_State* L) {
  const int n = lua_gettop(L);
  // Whatever the script bound to these names is used.
  lua_getglobal(L, "towstring");
  lua_getglobal(L, "tostring");
  const int towstring = n + 1;
  const int tostring = n + 2;
  for (int i = 1; i <= n; i++) {
    const bool wide = lua_iswstring(L, i);
    lua_pushvalue(L, wide ? towstring : tostring);
    lua_pushvalue(L, i);
    lua_call(L, 1, 1);
    const void* text = wide ? static_cast<const void*>(lua_towstring(L, -1))
                            : static_cast<const void*>(lua_tostring(L, -1));
    if (text == nullptr) luaL_error(L, "`tostring' must return a string to `print'");
    if (i > 1) writebytes("\t", 1);
    if (wide) {
      const std::string utf8 = luaB_utf8(static_cast<const lua_WChar*>(text), lua_strlen(L, -1));
      writebytes(utf8.data(), utf8.size());
    } else {
      writebytes(static_cast<const char*>(text), lua_strlen(L, -1));
    }
    lua_pop(L, 1);
  }
  writebytes("\n", 1);
  return 0;
}

int luaB_tostring(lua_State* L) {
  luaL_checkany(L, 1);
  if (luaL_callmeta(L, 1, "__tostring")) return 1;
  switch (lua_type(L, 1)) {
    case LUA_TNIL:
      lua_pushstring(L, "nil");
      break;
    case LUA_TBOOLEAN:
      lua_pushstring(L, lua_toboolean(L, 1) ? "true" : "false");
      break;
    case LUA_TNUMBER:
      lua_pushvalue(L, 1);
      lua_tostring(L, -1);
      break;
    case LUA_TSTRING:
      lua_pushvalue(L, 1);
      break;
    case LUA_TWSTRING:
      pushlowbytes(L, 1);
      break;
    default:
      lua_pushstring(L, addresstext(L, 1).c_str());
      break;
  }
  return 1;
}

int luaB_towstring(lua_State* L) {
  switch (lua_type(L, 1)) {
    case LUA_TNIL:
      lua_pushstring(L, "nil");  // a byte string, as the wide form was never made
      break;
    case LUA_TNUMBER:
      lua_pushvalue(L, 1);
      lua_towstring(L, -1);
      break;
    case LUA_TSTRING:
      luaB_pushwidened(L, lua_tostring(L, 1), lua_strlen(L, 1));
      break;
    case LUA_TWSTRING:
      lua_pushvalue(L, 1);
      break;
    case LUA_TTABLE:
    case LUA_TFUNCTION:
    case LUA_TUSERDATA:
    case LUA_TTHREAD: {
      const std::string text = addresstext(L, 1);
      luaB_pushwidened(L, text.data(), text.size());
      break;
    }
    default:
      luaL_argerror(L, 1, "value expected");
  }
  return 1;
}

// The argument of `tonumber` in a base other than 10 as byte text, wide text
// narrowed to its low bytes; false when wide text is too long to be a numeral.
bool basetext(lua_State* L, std::string* text) {
  if (!lua_iswstring(L, 1)) {
    *text = luaL_checkstring(L, 1);
    return true;
  }
  const size_t len = lua_strlen(L, 1);
  if (len > kMaxBaseText) return false;
  const lua_WChar* units = lua_towstring(L, 1);
  for (size_t i = 0; i < len && (units[i] & 0xFF) != 0; i++) {
    *text += static_cast<char>(units[i] & 0xFF);
  }
  return true;
}

int luaB_tonumber(lua_State* L) {
  const int base = luaL_optint(L, 2, 10);
  if (base == 10) {
    luaL_checkany(L, 1);
    if (lua_isnumber(L, 1)) {
      lua_pushnumber(L, lua_tonumber(L, 1));
      return 1;
    }
  } else {
    std::string text;
    const bool convertible = basetext(L, &text);
    luaL_argcheck(L, base >= 2 && base <= 36, 2, "base out of range");
    uint32_t n = 0;
    if (convertible && luaO_str2u32(text.c_str(), base, &n)) {
      lua_pushnumber(L, n);
      return 1;
    }
  }
  lua_pushnil(L);
  return 1;
}

int luaB_type(lua_State* L) {
  luaL_checkany(L, 1);
  lua_pushstring(L, lua_typename(L, lua_type(L, 1)));
  return 1;
}

// --- Errors and protected calls -------------------------------------------------------

int luaB_error(lua_State* L) {
  const int level = luaL_optint(L, 2, 1);
  luaL_checkany(L, 1);
  lua_settop(L, 1);
  if (lua_isstring(L, 1) && level != 0) luaB_addposition(L, level);
  lua_error(L);
}

int luaB_assert(lua_State* L) {
  luaL_checkany(L, 1);
  if (!lua_toboolean(L, 1)) luaL_error(L, "%s", luaL_optstring(L, 2, "assertion failed!"));
  return lua_gettop(L);
}

int luaB_pcall(lua_State* L) {
  luaL_checkany(L, 1);
  const int status = lua_pcall(L, lua_gettop(L) - 1, LUA_MULTRET, 0);
  lua_pushboolean(L, status == 0);
  lua_insert(L, 1);
  return lua_gettop(L);
}

int luaB_xpcall(lua_State* L) {
  luaL_checkany(L, 2);
  lua_settop(L, 2);
  lua_insert(L, 1);  // the handler below the function
  const int status = lua_pcall(L, 0, LUA_MULTRET, 1);
  lua_pushboolean(L, status == 0);
  lua_replace(L, 1);
  return lua_gettop(L);
}

// --- Metatables and environments --------------------------------------------------------

int luaB_getmetatable(lua_State* L) {
  luaL_checkany(L, 1);
  if (!lua_getmetatable(L, 1)) {
    lua_pushnil(L);
    return 1;
  }
  luaL_getmetafield(L, 1, "__metatable");  // when present it stands in for the metatable
  return 1;
}

int luaB_setmetatable(lua_State* L) {
  const int t = lua_type(L, 2);
  luaL_checktype(L, 1, LUA_TTABLE);
  luaL_argcheck(L, t == LUA_TNIL || t == LUA_TTABLE, 2, "nil or table expected");
  if (luaL_getmetafield(L, 1, "__metatable")) luaL_error(L, "cannot change a protected metatable");
  lua_settop(L, 2);
  lua_setmetatable(L, 1);
  return 1;
}

// Pushes the function that argument 1 names: itself, or the function at
// that level of the call stack (default 1, the caller).
void pushfunction(lua_State* L) {
  if (lua_isfunction(L, 1)) {
    lua_pushvalue(L, 1);
    return;
  }
  const int level = luaL_optint(L, 1, 1);
  luaL_argcheck(L, level >= 0, 1, "level must be non-negative");
  lua_Debug ar;
  if (lua_getstack(L, level, &ar) == 0) luaL_argerror(L, 1, "invalid level");
  lua_getinfo(L, "f", &ar);
  if (lua_isnil(L, -1)) luaL_error(L, "no function environment for tail call at level %d", level);
}

// Pushes the environment of the function on top and its field "__fenv";
// true when that field protects the environment.
bool pushenvironment(lua_State* L) {
  lua_getfenv(L, -1);
  lua_pushstring(L, "__fenv");
  lua_rawget(L, -2);
  return !lua_isnil(L, -1);
}

int luaB_getfenv(lua_State* L) {
  pushfunction(L);
  if (!pushenvironment(L)) lua_pop(L, 1);  // the environment itself
  return 1;
}

int luaB_setfenv(lua_State* L) {
  luaL_checktype(L, 2, LUA_TTABLE);
  pushfunction(L);
  if (pushenvironment(L)) luaL_error(L, "`setfenv' cannot change a protected environment");
  lua_pop(L, 2);
  lua_pushvalue(L, 2);
  if (lua_isnumber(L, 1) && lua_tonumber(L, 1) == 0) {
    lua_replace(L, LUA_GLOBALSINDEX);  // level 0: the thread's globals
  } else if (lua_setfenv(L, -2) == 0) {
    luaL_error(L, "`setfenv' cannot change environment of given function");
  }
  return 0;
}

// --- Tables ------------------------------------------------------------------------------

int luaB_next(lua_State* L) {
  luaL_checktype(L, 1, LUA_TTABLE);
  lua_settop(L, 2);
  if (lua_next(L, 1)) return 2;
  lua_pushnil(L);
  return 1;
}

// Pushes the global function `name` as the loops' generator finds it: raw.
void pushrawglobal(lua_State* L, const char* name) {
  lua_pushstring(L, name);
  lua_rawget(L, LUA_GLOBALSINDEX);
}

int luaB_pairs(lua_State* L) {
  luaL_checktype(L, 1, LUA_TTABLE);
  pushrawglobal(L, "next");
  lua_pushvalue(L, 1);
  lua_pushnil(L);
  return 3;
}

int luaB_ipairs(lua_State* L) {
  const lua_Number i = lua_tonumber(L, 2);
  luaL_checktype(L, 1, LUA_TTABLE);
  if (i == 0 && lua_isnone(L, 2)) {  // the start of a loop
    pushrawglobal(L, "ipairs");
    lua_pushvalue(L, 1);
    lua_pushnumber(L, 0);
    return 3;
  }
  const lua_Number next = i + 1;
  lua_pushnumber(L, next);
  lua_rawgeti(L, 1, static_cast<int32_t>(luaO_num2bits(next)));
  return lua_isnil(L, -1) ? 0 : 2;
}

int luaB_unpack(lua_State* L) {
  luaL_checktype(L, 1, LUA_TTABLE);
  const int n = luaL_getn(L, 1);
  luaL_checkstack(L, n, "table too big to unpack");
  for (int i = 1; i <= n; i++) lua_rawgeti(L, 1, i);
  return n;
}

int luaB_rawequal(lua_State* L) {
  luaL_checkany(L, 1);
  luaL_checkany(L, 2);
  lua_pushboolean(L, lua_rawequal(L, 1, 2));
  return 1;
}

int luaB_rawget(lua_State* L) {
  luaL_checktype(L, 1, LUA_TTABLE);
  luaL_checkany(L, 2);
  lua_settop(L, 2);
  lua_rawget(L, 1);
  return 1;
}

int luaB_rawset(lua_State* L) {
  luaL_checktype(L, 1, LUA_TTABLE);
  luaL_checkany(L, 2);
  luaL_checkany(L, 3);
  lua_settop(L, 3);
  lua_rawset(L, 1);
  return 1;
}

// --- The collector ---------------------------------------------------------------------

int luaB_collectgarbage(lua_State* L) {
  lua_setgcthreshold(L, luaL_optint(L, 1, 0));
  return 0;
}

int luaB_gcinfo(lua_State* L) {
  lua_pushnumber(L, lua_getgccount(L));
  lua_pushnumber(L, lua_getgcthreshold(L));
  return 2;
}

// --- Loading -----------------------------------------------------------------------------

// The loaded chunk, or nil and the message below it.
int loadresult(lua_State* L, int status) {
  if (status == 0) return 1;
  lua_pushnil(L);
  lua_insert(L, -2);
  return 2;
}

int luaB_loadstring(lua_State* L) {
  size_t len = 0;
  const char* text = luaL_checklstring(L, 1, &len);
  const char* chunkname = luaL_optstring(L, 2, text);
  return loadresult(L, luaL_loadbuffer(L, text, len, chunkname));
}

int luaB_loadfile(lua_State* L) {
  const char* name = luaL_optstring(L, 1, nullptr);
  return loadresult(L, luaL_loadfile(L, name));
}

int luaB_dofile(lua_State* L) {
  const char* name = luaL_optstring(L, 1, nullptr);
  lua_settop(L, 1);
  if (luaL_loadfile(L, name) != 0) lua_error(L);
  lua_call(L, 0, LUA_MULTRET);
  return lua_gettop(L) - 1;
}

// --- require -------------------------------------------------------------------------------

// Pushes the search path: the global LUA_PATH when it is a string, else the
// environment variable of that name, else the default.
void pushpath(lua_State* L) {
  lua_getglobal(L, kPathName);
  if (lua_isstring(L, -1) && !lua_iswstring(L, -1)) {
    lua_tostring(L, -1);
    return;
  }
  lua_pop(L, 1);
  const char* path = getenv(kPathName);
  lua_pushstring(L, path != nullptr ? path : kDefaultPath);
}

// Pushes the file name of one path template with every mark replaced by the
// package name (at stack index 1).
void pushfilename(lua_State* L, const char* pattern, size_t len) {
  int pieces = 0;
  for (const char* mark; (mark = static_cast<const char*>(memchr(pattern, kPathMark, len)));) {
    luaL_checkstack(L, 3, "too many marks in a path component");
    lua_pushlstring(L, pattern, static_cast<size_t>(mark - pattern));
    lua_pushvalue(L, 1);
    len -= static_cast<size_t>(mark - pattern) + 1;
    pattern = mark + 1;
    pieces += 2;
  }
  lua_pushlstring(L, pattern, len);
  lua_concat(L, pieces + 1);
}

// Tries each template of the path at stack index 3 until a load ends other
// than with a file error; returns that status (the chunk or message on top).
int loadpackage(lua_State* L) {
  int status = LUA_ERRFILE;
  const char* path = lua_tostring(L, 3);
  const char* end = path + lua_strlen(L, 3);
  for (const char* pattern = path; status == LUA_ERRFILE && pattern < end;) {
    lua_settop(L, 3);
    const char* separator = static_cast<const char*>(
        memchr(pattern, kPathSeparator, static_cast<size_t>(end - pattern)));
    if (separator == nullptr) separator = end;
    pushfilename(L, pattern, static_cast<size_t>(separator - pattern));
    status = luaL_loadfile(L, lua_tostring(L, -1));
    pattern = separator + 1;
  }
  return status;
}

// Runs the loaded chunk on top with _REQUIREDNAME set to the package name and
// leaves its result (true for none) on top. The previous name comes back
// also when the chunk fails, whose error then goes on.
void runpackage(lua_State* L) {
  lua_getglobal(L, "_REQUIREDNAME");
  lua_insert(L, -2);
  lua_pushvalue(L, 1);
  lua_setglobal(L, "_REQUIREDNAME");
  const int status = lua_pcall(L, 0, 1, 0);
  lua_insert(L, -2);
  lua_setglobal(L, "_REQUIREDNAME");
  if (status != 0) lua_error(L);
  if (lua_isnil(L, -1)) {
    lua_pushboolean(L, 1);
    lua_replace(L, -2);
  }
}

int luaB_require(lua_State* L) {
  luaL_checkstring(L, 1);
  lua_settop(L, 1);
  pushrawglobal(L, kLoadedTable);
  if (!lua_istable(L, 2)) luaL_error(L, "`%s' is not a table", kLoadedTable);
  pushpath(L);
  lua_pushvalue(L, 1);
  lua_rawget(L, 2);
  if (lua_toboolean(L, -1)) return 1;  // loaded before
  const int status = loadpackage(L);
  if (status == LUA_ERRFILE) {
    luaL_error(L, "could not load package `%s' from path `%s'", lua_tostring(L, 1),
               lua_tostring(L, 3));
  }
  if (status != 0) {
    luaL_error(L, "error loading package `%s' (%s)", lua_tostring(L, 1), lua_tostring(L, -1));
  }
  runpackage(L);
  lua_pushvalue(L, 1);
  lua_pushvalue(L, -2);
  lua_rawset(L, 2);
  return 1;
}

// --- newproxy ------------------------------------------------------------------------------

// Userdata without data, for scripts that need a value with a "__gc". With
// true it gets a new metatable of its own, which the weak table in the
// upvalue records; with another proxy it shares that proxy's metatable.
int luaB_newproxy(lua_State* L) {
  lua_settop(L, 1);
  lua_newuserdata(L, 0);
  if (!lua_toboolean(L, 1)) return 1;
  if (lua_isboolean(L, 1)) {
    lua_newtable(L);
    lua_pushvalue(L, -1);
    lua_pushboolean(L, 1);
    lua_rawset(L, lua_upvalueindex(1));
  } else {
    bool validproxy = false;
    if (lua_getmetatable(L, 1)) {
      lua_rawget(L, lua_upvalueindex(1));
      validproxy = lua_toboolean(L, -1);
      lua_pop(L, 1);
    }
    luaL_argcheck(L, validproxy, 1, "boolean or proxy expected");
    lua_getmetatable(L, 1);
  }
  lua_setmetatable(L, 2);
  return 1;
}

const luaL_reg kBaseFunctions[] = {
    {"error", luaB_error},
    {"getmetatable", luaB_getmetatable},
    {"setmetatable", luaB_setmetatable},
    {"getfenv", luaB_getfenv},
    {"setfenv", luaB_setfenv},
    {"next", luaB_next},
    {"ipairs", luaB_ipairs},
    {"pairs", luaB_pairs},
    {"print", luaB_print},
    {"tonumber", luaB_tonumber},
    {"tostring", luaB_tostring},
    {"towstring", luaB_towstring},
    {"type", luaB_type},
    {"assert", luaB_assert},
    {"unpack", luaB_unpack},
    {"rawequal", luaB_rawequal},
    {"rawget", luaB_rawget},
    {"rawset", luaB_rawset},
    {"pcall", luaB_pcall},
    {"xpcall", luaB_xpcall},
    {"collectgarbage", luaB_collectgarbage},
    {"gcinfo", luaB_gcinfo},
    {"loadfile", luaB_loadfile},
    {"dofile", luaB_dofile},
    {"loadstring", luaB_loadstring},
    {"require", luaB_require},
    {nullptr, nullptr},
};

// Registry keys of the per-type metatables, by type tag (nil has none).
const char* const kTypeMetatableKeys[] = {
    nullptr,   "_boolean",  "_lightuserdata", "_number", "_string",
    "_table",  "_function", "_userdata",      "_thread", "_wstring",
};

// Sets the field `name` of the table on top to the value on top, popped.
void setfield(lua_State* L, const char* name) {
  lua_pushstring(L, name);
  lua_insert(L, -2);
  lua_rawset(L, -3);
}

void pushnewproxy(lua_State* L) {
  lua_newtable(L);  // its weak keys are the metatables proxies may share
  lua_pushvalue(L, -1);
  lua_setmetatable(L, -2);
  lua_pushstring(L, "k");
  setfield(L, "__mode");
  lua_pushcclosure(L, luaB_newproxy, 1);
}

void publishtypemetatables(lua_State* L) {
  for (int tag = LUA_TBOOLEAN; tag <= LUA_TWSTRING; tag++) {
    lua_pushstring(L, kTypeMetatableKeys[tag]);
    lua_gettypemetatable(L, tag);
    lua_rawset(L, LUA_REGISTRYINDEX);
  }
}

}  // namespace

void luaB_pushwidened(lua_State* L, const char* bytes, size_t len) {
  std::basic_string<lua_WChar> units(len, 0);
  for (size_t i = 0; i < len; i++) units[i] = static_cast<unsigned char>(bytes[i]);
  lua_pushlwstring(L, units.data(), len);
}

void luaB_addposition(lua_State* L, int level) {
  const bool wide = lua_iswstring(L, -1);
  luaL_where(L, level);
  if (wide) {
    luaB_pushwidened(L, lua_tostring(L, -1), lua_strlen(L, -1));
    lua_remove(L, -2);
  }
  lua_insert(L, -2);
  lua_concat(L, 2);
}

int luaopen_base(lua_State* L) {
  lua_pushvalue(L, LUA_GLOBALSINDEX);
  luaL_openlib(L, nullptr, kBaseFunctions, 0);
  lua_pushstring(L, kVersion);
  setfield(L, "_VERSION");
  pushnewproxy(L);
  setfield(L, "newproxy");
  lua_pushvalue(L, -1);
  setfield(L, "_G");
  luaB_opencoroutine(L);
  lua_pop(L, 1);
  lua_newtable(L);
  setfield(L, kLoadedTable);
  publishtypemetatables(L);
  return 1;
}
