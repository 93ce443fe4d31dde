#pragma once

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
