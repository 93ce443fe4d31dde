#pragma once

#include <cstdarg>
#include <cstddef>
#include <cstdint>

// Public types and constants of the script interpreter: what the program, the
// script host and the libraries see. The interpreter's inner structures live in
// the other headers of this folder.
//
// Facts every part of the interpreter relies on:
// - A raised error is a C++ exception (LuaError, Calls.h) aimed at the
//   innermost recovery point of the raising state and caught by
//   luaD_rawrunprotected; std::bad_alloc there becomes LUA_ERRMEM. Never use
//   setjmp/longjmp: host functions may hold objects with destructors.
// - Texts become numbers only through luaO_str2d/luaO_wstr2d (NumberText.h),
//   which accept exactly the dialect's numerals ("0x10", "inf" and "nan" are
//   not numbers as byte text); numbers become texts only through
//   luaO_number2str ("%.14g" as in the "C" locale); numbers become 32-bit
//   integers only through luaO_num2bits (Object.h).
// - Hashes are unsigned 32-bit; table sizes, main positions, collisions and
//   rehash are fixed (Table.h), so the order of `next` is reproducible.
//   Setting a value to nil keeps its key as a dead slot until the next rehash.
// - In memory everything follows the 64-bit host (TObject is 16 bytes, a boxed
//   pointer holds a host pointer); stored formats keep their own sizes.
// - Every allocation goes through luaM_realloc (Memory.h) and is counted.
// - The collector runs only at check points (luaC_checkGC, Collector.h): code
//   between two check points may hold unanchored objects. luaC_setstress
//   makes every check point collect, to find references that are not held.
// - Stack slots move when the stack grows: keep offsets (savestack), not
//   pointers, across anything that can push or call.

struct lua_State;
struct lua_Debug;

typedef double lua_Number;
// One unit of a wide string: 16 bits, host order (little-endian).
typedef uint16_t lua_WChar;

typedef int (*lua_CFunction)(lua_State* L);
typedef void (*lua_Hook)(lua_State* L, lua_Debug* ar);
// Hands out the next block of a chunk and its size; null or size 0 ends it.
typedef const char* (*lua_Chunkreader)(lua_State* L, void* ud, size_t* size);
// Takes the next piece of a chunk being written; its result is not examined.
typedef int (*lua_Chunkwriter)(lua_State* L, const void* p, size_t size, void* ud);
// The interpreter's allocator: a new size of 0 releases the block (and the
// result is ignored); otherwise the block is resized, null meaning failure.
// `reserved` is always 0; `allockind` is 1 while a text buffer grows, else 0.
typedef void* (*lua_Alloc)(void* ud, void* block, size_t oldsize, size_t newsize,
                           int reserved, uint32_t allockind);

// Type tags, as lua_type reports them.
inline constexpr int LUA_TNONE = -1;
inline constexpr int LUA_TNIL = 0;
inline constexpr int LUA_TBOOLEAN = 1;
inline constexpr int LUA_TLIGHTUSERDATA = 2;
inline constexpr int LUA_TNUMBER = 3;
inline constexpr int LUA_TSTRING = 4;
inline constexpr int LUA_TTABLE = 5;
inline constexpr int LUA_TFUNCTION = 6;
inline constexpr int LUA_TUSERDATA = 7;
inline constexpr int LUA_TTHREAD = 8;
inline constexpr int LUA_TWSTRING = 9;

// Results of protected operations.
inline constexpr int LUA_ERRRUN = 1;
inline constexpr int LUA_ERRFILE = 2;
inline constexpr int LUA_ERRSYNTAX = 3;
inline constexpr int LUA_ERRMEM = 4;
inline constexpr int LUA_ERRERR = 5;

inline constexpr int LUA_MULTRET = -1;
// Size of a chunk name shortened for messages, terminator included.
inline constexpr int LUA_IDSIZE = 60;
// Free stack slots guaranteed to a C function.
inline constexpr int LUA_MINSTACK = 20;

lua_State* lua_open();
// Closes the whole interpreter, whichever of its threads is given.
void lua_close(lua_State* L);

// A new coroutine thread sharing the interpreter, pushed on L's stack.
lua_State* lua_newthread(lua_State* L);
// Starts the function below the nargs arguments on top of L's stack, or
// continues L after a yield with them as the results of the yielding call.
// Returns 0 (results on L's stack) or an error status (error object on it).
int lua_resume(lua_State* L, int nargs);
// Suspends the running coroutine with its top nresults values as the results
// of lua_resume; a C function returns what this returns.
int lua_yield(lua_State* L, int nresults);
// 1 when a C function running on L could yield now; lua_yield raises an
// error otherwise.
int lua_isyieldable(lua_State* L);
// 1 when L waits in a yield (its current call is above its base level and
// marked yielded), so that lua_resume continues it; 0 otherwise.
int lua_issuspended(lua_State* L);

// Number of units before the terminating zero unit.
size_t lua_wstrlen(const lua_WChar* units);

// --- Debug interface -----------------------------------------------------------
// Hooks are recorded in the state but nothing installs them, so none runs.

// What lua_getinfo reports of one function, by the letters asked for.
struct lua_Debug {
  int event;
  const char* name;      // n: the name the caller used, or null
  const char* namewhat;  // n: "global", "local", "field", "method", or ""
  const char* what;      // S: "Lua", "C", "main", or "tail" (dropped tail calls)
  const char* source;    // S
  int currentline;       // l: -1 for C functions
  int nups;              // u: number of upvalues
  int linedefined;       // S
  char short_src[LUA_IDSIZE];  // S: the source as messages show it
  int i_ci;  // private: the call record (0 for dropped tail calls)
};

// Finds the function `level' levels below the running one (0: the running
// function); dropped tail calls count as levels. Returns 0 when there is none.
int lua_getstack(lua_State* L, int level, lua_Debug* ar);
// Fills ar for the letters of `what': S, l, u, n, and f (pushes the
// function). A leading '>' takes the function from the top of the stack (and
// pops it) instead of ar's level. Returns 0 when `what' holds another letter.
int lua_getinfo(lua_State* L, const char* what, lua_Debug* ar);

// --- The C interface ------------------------------------------------------
//
// Every value a C function sees lives on the stack of its thread and is named
// by an index: 1 is the first argument (the base of the running function's
// frame), -1 the top value. Pseudo-indices name values off the stack:
// LUA_REGISTRYINDEX the registry, LUA_GLOBALSINDEX the thread's table of
// globals, lua_upvalueindex(n) upvalue n of the running C closure (no value
// when it has fewer), and lua_registryindex(n) (below -40000) the registry
// entry with the integer key n, read without metamethods (nil when absent;
// storing through it with lua_replace sets that registry entry).
//
// Push rule: a push writes the value at the top and then grows the stack when
// it is about to run out, so a C function may push past its LUA_MINSTACK
// guaranteed slots without lua_checkstack. A push can therefore move the
// stack: pointers into it do not survive a push.
//
// The functions that only read (types, conversions, comparisons without
// metamethods, lua_getmetatable) answer for an index that names no value as
// for an absent value (-1, 0 or null) and never raise errors. Functions that
// can run metamethods, allocate or call raise errors as the script would.

inline constexpr int LUA_REGISTRYINDEX = -10000;
inline constexpr int LUA_GLOBALSINDEX = -10001;
inline constexpr int lua_upvalueindex(int n) { return LUA_GLOBALSINDEX - n; }
// Below LUA_REGISTRYENTRIES: registry entries by integer key.
inline constexpr int LUA_REGISTRYENTRIES = -40000;
inline constexpr int lua_registryindex(int n) { return LUA_REGISTRYENTRIES - n; }

// Stack.
int lua_gettop(lua_State* L);
// A non-negative index makes it the new top (new slots are nil); a negative
// one counts from the top (-1 leaves it, -2 pops one value).
void lua_settop(lua_State* L, int idx);
void lua_pushvalue(lua_State* L, int idx);
void lua_remove(lua_State* L, int idx);
void lua_insert(lua_State* L, int idx);
// Pops the top value into the slot of idx. Only a table replaces the
// registry or the table of globals, and an upvalue the running C closure
// lacks takes nothing: the value is then dropped.
void lua_replace(lua_State* L, int idx);
// Makes room for size more values in the running frame; 0 when the frame
// would exceed 2048 slots.
int lua_checkstack(lua_State* L, int size);
// Pops n values from `from` and pushes them on `to`.
void lua_xmove(lua_State* from, lua_State* to, int n);

// Type tests.
int lua_type(lua_State* L, int idx);  // LUA_TNONE for an index without a value
const char* lua_typename(lua_State* L, int type);  // "no value" for LUA_TNONE
int lua_isnumber(lua_State* L, int idx);   // numbers and numeric byte or wide text
int lua_isstring(lua_State* L, int idx);   // strings, wide strings and numbers
int lua_iscfunction(lua_State* L, int idx);

// Comparisons.
int lua_rawequal(lua_State* L, int idx1, int idx2);
// The script's `<`, metamethods included; 0 when either index has no value.
int lua_lessthan(lua_State* L, int idx1, int idx2);

// Conversions.
lua_Number lua_tonumber(lua_State* L, int idx);
int lua_toboolean(lua_State* L, int idx);
// The bytes of a byte string; a number becomes a byte string in its slot.
// Null for every other value, wide strings included.
const char* lua_tostring(lua_State* L, int idx);
// Bytes of a byte string (numbers converted first), units of a wide string.
size_t lua_strlen(lua_State* L, int idx);
// The units of a wide string; a number becomes a wide string in its slot.
// Null for every other value, byte strings included.
const lua_WChar* lua_towstring(lua_State* L, int idx);
// A light userdata's pointer, a full userdata's data block, or the pointer a
// boxed pointer holds.
void* lua_touserdata(lua_State* L, int idx);
lua_State* lua_tothread(lua_State* L, int idx);
// Userdata as lua_touserdata; tables, functions and threads by address.
const void* lua_topointer(lua_State* L, int idx);

// Pushes.
void lua_pushnil(lua_State* L);
void lua_pushnumber(lua_State* L, lua_Number n);
void lua_pushlstring(lua_State* L, const char* s, size_t len);
void lua_pushstring(lua_State* L, const char* s);  // null pushes nil
// Formats as luaO_pushvfstring: "%s", "%c", "%d", "%f" (a lua_Number), "%%".
const char* lua_pushvfstring(lua_State* L, const char* fmt, va_list argp);
const char* lua_pushfstring(lua_State* L, const char* fmt, ...)
    __attribute__((format(printf, 2, 3)));
void lua_pushlwstring(lua_State* L, const lua_WChar* units, size_t len);
void lua_pushwstring(lua_State* L, const lua_WChar* units);  // null pushes nil
// A C closure over the n values on top, which it pops.
void lua_pushcclosure(lua_State* L, lua_CFunction fn, int n);
void lua_pushboolean(lua_State* L, int b);
void lua_pushlightuserdata(lua_State* L, void* p);
// A full userdata that holds p; lua_touserdata gives p back. Its metatable is
// the per-type metatable of userdata until lua_setmetatable replaces it.
void lua_pushboxedpointer(lua_State* L, void* p);

// Reading tables and metatables.
// Replaces the key on top by t[key], metamethods included (t at idx).
void lua_gettable(lua_State* L, int idx);
void lua_rawget(lua_State* L, int idx);
void lua_rawgeti(lua_State* L, int idx, int n);
void lua_newtable(lua_State* L);
// Pushes the metatable of the value at idx and returns 1: a table's or full
// userdata's own (the default metatable when none was set), else the
// per-type metatable of its type. Returns 0 and pushes nothing for nil and
// for an index without a value.
int lua_getmetatable(lua_State* L, int idx);
// Pushes a Lua function's environment, else the thread's table of globals.
void lua_getfenv(lua_State* L, int idx);
// Pushes the per-type metatable of a type tag; nil for tag 0 (nil has none)
// and for tags outside 0..10.
void lua_gettypemetatable(lua_State* L, int type);

// Writing tables and metatables.
// t[key] = value with key and value on top, both popped (t at idx).
void lua_settable(lua_State* L, int idx);
void lua_rawset(lua_State* L, int idx);
void lua_rawseti(lua_State* L, int idx, int n);
// Pops a table, or nil for the default metatable, and makes it the metatable
// of the table or full userdata at idx: 1. Other values keep theirs: 0.
int lua_setmetatable(lua_State* L, int idx);
// Pops a table and makes it the environment of the Lua function at idx: 1.
// 0 for C functions and other values.
int lua_setfenv(lua_State* L, int idx);
// Pops the top value; a table becomes the per-type metatable of the tag
// (1..10). Anything else is ignored.
void lua_settypemetatable(lua_State* L, int type);

// Loading and calling.
void lua_call(lua_State* L, int nargs, int nresults);
// Calls protected; errfunc 0 means no handler, else the stack index of one.
// Returns 0 or the error status with the error object on top.
int lua_pcall(lua_State* L, int nargs, int nresults, int errfunc);
// Compiles a chunk (precompiled when its first byte is ESC) and pushes it as
// a function, or returns LUA_ERRSYNTAX or LUA_ERRMEM with the message pushed.
// A null chunk name reads "?".
int lua_load(lua_State* L, lua_Chunkreader reader, void* data, const char* chunkname);
// Writes the Lua function without upvalues on top as a precompiled chunk
// through luaU_dump (Dump.h) and returns 1; 0 for any other value.
int lua_dump(lua_State* L, lua_Chunkwriter writer, void* data);

// The collector, counted in KB.
int lua_getgcthreshold(lua_State* L);
int lua_getgccount(lua_State* L);
// 4194304 KB or more means no limit; at or below the count it collects now.
void lua_setgcthreshold(lua_State* L, int newthreshold);

// Raises the value on top as an error.
[[noreturn]] int lua_error(lua_State* L);
// Pops a key and pushes the next key and its value of the table at idx: 1;
// 0 and nothing pushed after the last. A nil key starts the traversal.
int lua_next(lua_State* L, int idx);
// Replaces the top n values by their concatenation; 0 values push "".
void lua_concat(lua_State* L, int n);
// A full userdata of size bytes (its length rounded up to even), pushed.
void* lua_newuserdata(lua_State* L, size_t size);

// Shorthands.
inline void lua_pop(lua_State* L, int n) { lua_settop(L, -n - 1); }
inline void lua_pushcfunction(lua_State* L, lua_CFunction f) { lua_pushcclosure(L, f, 0); }
inline bool lua_isfunction(lua_State* L, int n) { return lua_type(L, n) == LUA_TFUNCTION; }
inline bool lua_istable(lua_State* L, int n) { return lua_type(L, n) == LUA_TTABLE; }
inline bool lua_islightuserdata(lua_State* L, int n) {
  return lua_type(L, n) == LUA_TLIGHTUSERDATA;
}
inline bool lua_isnil(lua_State* L, int n) { return lua_type(L, n) == LUA_TNIL; }
inline bool lua_isboolean(lua_State* L, int n) { return lua_type(L, n) == LUA_TBOOLEAN; }
inline bool lua_iswstring(lua_State* L, int n) { return lua_type(L, n) == LUA_TWSTRING; }
inline bool lua_isnone(lua_State* L, int n) { return lua_type(L, n) == LUA_TNONE; }
inline bool lua_isnoneornil(lua_State* L, int n) { return lua_type(L, n) <= LUA_TNIL; }
inline void lua_getregistry(lua_State* L) { lua_pushvalue(L, LUA_REGISTRYINDEX); }
inline void lua_getglobal(lua_State* L, const char* name) {
  lua_pushstring(L, name);
  lua_gettable(L, LUA_GLOBALSINDEX);
}
// Pops the top value into the global `name`.
inline void lua_setglobal(lua_State* L, const char* name) {
  lua_pushstring(L, name);
  lua_insert(L, -2);
  lua_settable(L, LUA_GLOBALSINDEX);
}
inline void lua_register(lua_State* L, const char* name, lua_CFunction f) {
  lua_pushcfunction(L, f);
  lua_setglobal(L, name);
}
