#pragma once

#include <cstddef>
#include <cstdint>

#include "script/lua/Lua.h"

// The auxiliary library: argument checks with uniform messages for C
// functions, library registration, table sizes, a string buffer that builds
// byte or wide strings, and chunk loading from files of the file layer and
// from memory. Everything here goes through the C interface (Lua.h).

// One entry of a library list, ended by an entry with a null name.
struct luaL_reg {
  const char* name;
  lua_CFunction func;
};

// With a name: finds the global table of that name or creates it, and sets
// every function of the list in it as a C closure over the nup values on top
// (which are popped); the library table is left on the stack. Without a name
// the table must lie below the nup values.
void luaL_openlib(lua_State* L, const char* libname, const luaL_reg* list, int nup);
// Pushes the field `event` of the metatable of the value at obj (per-type
// metatables included) and returns 1; 0 and nothing pushed when absent.
int luaL_getmetafield(lua_State* L, int obj, const char* event);
// Calls the metafield `event` with the value at obj and pushes its result: 1.
// 0 and nothing pushed when there is no such field.
int luaL_callmeta(lua_State* L, int obj, const char* event);

// Errors. Each raises a run-time error whose message starts with the position
// of the calling script line ("chunk:line: "), as luaL_where gives it.
// Pushes "chunk:line: " for the Lua function lvl levels up the call stack
// (0 the running function), or "" when that is no Lua function with a line.
void luaL_where(lua_State* L, int lvl);
[[noreturn]] int luaL_error(lua_State* L, const char* fmt, ...)
    __attribute__((format(printf, 2, 3)));
// "bad argument #narg to `name' (extramsg)"; a method's self argument gives
// "calling `name' on bad self (extramsg)".
[[noreturn]] int luaL_argerror(lua_State* L, int narg, const char* extramsg);
// The argument error "tname expected, got <type of the argument>".
[[noreturn]] int luaL_typerror(lua_State* L, int narg, const char* tname);

// Argument checks.
// "stack overflow (msg)" when the stack cannot grow by sz values.
void luaL_checkstack(lua_State* L, int sz, const char* msg);
void luaL_checktype(lua_State* L, int narg, int t);
// "value expected" for a missing argument.
void luaL_checkany(lua_State* L, int narg);
// A byte string or a number (converted in its slot); wide strings fail.
const char* luaL_checklstring(lua_State* L, int narg, size_t* len);
// As luaL_checklstring, or def for an absent or nil argument.
const char* luaL_optlstring(lua_State* L, int narg, const char* def, size_t* len);
// A wide string or a number (converted in its slot); *len in units.
const lua_WChar* luaL_checkwstring(lua_State* L, int narg, size_t* len);
// A number, or byte or wide text that reads as one.
lua_Number luaL_checknumber(lua_State* L, int narg);
lua_Number luaL_optnumber(lua_State* L, int narg, lua_Number def);
// luaL_checknumber and luaL_optnumber as 32-bit integers (truncated, the low
// 32 bits kept; 0 for NaN or out of range).
int luaL_checkint(lua_State* L, int narg);
int luaL_optint(lua_State* L, int narg, int def);

inline void luaL_argcheck(lua_State* L, bool cond, int narg, const char* extramsg) {
  if (!cond) luaL_argerror(L, narg, extramsg);
}
inline const char* luaL_checkstring(lua_State* L, int narg) {
  return luaL_checklstring(L, narg, nullptr);
}
inline const char* luaL_optstring(lua_State* L, int narg, const char* def) {
  return luaL_optlstring(L, narg, def, nullptr);
}

// Table sizes: the field "n" when it is a number, else the size recorded by
// luaL_setn in the registry's table of sizes (registry[2], weak keys), else
// the count of non-nil entries from 1 upwards.
int luaL_getn(lua_State* L, int t);
void luaL_setn(lua_State* L, int t, int n);

// Bytes read from a chunk file at a time, and the block of a string buffer.
inline constexpr int LUAL_BUFFERSIZE = 512;

// Chunks. Each returns 0 with the compiled chunk pushed, or an error status
// (LUA_ERRFILE, LUA_ERRSYNTAX, LUA_ERRMEM) with its message pushed; none
// raises an error.
// Loads a file by its logical name through the file layer. A file whose first
// byte is neither white space nor printable (a precompiled chunk, UTF-16LE
// text) is read in binary mode. A missing name gives LUA_ERRFILE: there is
// no standard input to read instead.
int luaL_loadfile(lua_State* L, const char* filename);
int luaL_loadbuffer(lua_State* L, const char* buff, size_t size, const char* name);
// Loads and runs a chunk with all its results; after a failure the message
// goes to the global function "_ALERT", else to the standard error stream,
// and is removed. Returns the status.
int lua_dobuffer(lua_State* L, const char* buff, size_t size, const char* name);
// lua_dobuffer over a text that is also the chunk's name.
int lua_dostring(lua_State* L, const char* text);

// --- String buffer ------------------------------------------------------------
//
// Collects text in its own block and pushes it as a partial result on the
// stack when the block is full, joining pending results as they pile up, so a
// function that builds a string leaves only the buffer's results above its
// own values until luaL_pushresult. A wide buffer holds 16-bit units (host
// order) and builds a wide string.

struct luaL_Buffer {
  char* p;       // next free byte of buffer
  int32_t lvl;   // partial results on the stack
  int32_t wide;  // 1 for a wide buffer
  lua_State* L;
  char buffer[LUAL_BUFFERSIZE];
};

void luaL_buffinit(lua_State* L, luaL_Buffer* B);
void luaL_wbuffinit(lua_State* L, luaL_Buffer* B);
// Flushes the block and returns it for writing up to LUAL_BUFFERSIZE bytes,
// which luaL_addsize then adds.
char* luaL_prepbuffer(luaL_Buffer* B);
void luaL_addlstring(luaL_Buffer* B, const char* s, size_t len);
void luaL_addstring(luaL_Buffer* B, const char* s);
void luaL_addlwstring(luaL_Buffer* B, const lua_WChar* units, size_t len);
// Adds the value on top (popped): a byte string or number to a byte buffer,
// a wide string or number to a wide buffer; any other value is an error.
void luaL_addvalue(luaL_Buffer* B);
// Pushes the whole text: "" (L"" for a wide buffer) when nothing was added.
void luaL_pushresult(luaL_Buffer* B);

inline void luaL_putchar(luaL_Buffer* B, char c) {
  if (B->p >= B->buffer + LUAL_BUFFERSIZE) luaL_prepbuffer(B);
  *B->p++ = c;
}
inline void luaL_addchar(luaL_Buffer* B, char c) { luaL_putchar(B, c); }
inline void luaL_addsize(luaL_Buffer* B, size_t n) { B->p += n; }
