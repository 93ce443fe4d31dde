#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "script/lua/State.h"

// An allocator that counts, remembers the allocation kind it was last handed
// and fails on request.
struct TestAllocator {
  size_t liveBytes = 0;
  int allocations = 0;  // successful allocations and growths
  int failAt = 0;       // the allocation with this number fails (0: none)
  bool failAll = false;
  uint32_t lastKind = 0;
  size_t largestRequest = 0;

  static void* Alloc(void* ud, void* block, size_t oldsize, size_t newsize, int reserved,
                     uint32_t allockind);
};

// An interpreter over a TestAllocator, closed at the end of the test.
class ScriptState {
 public:
  ScriptState();
  ~ScriptState();
  ScriptState(const ScriptState&) = delete;
  ScriptState& operator=(const ScriptState&) = delete;

  lua_State* L() const { return mL; }
  TestAllocator& Allocator() { return mAllocator; }

 private:
  TestAllocator mAllocator;
  lua_State* mL;
};

// Runs f protected; returns the status (0 when nothing was raised).
int RunProtected(lua_State* L, const std::function<void(lua_State*)>& f);
// The byte string on top of the stack, or "<not a string>".
std::string TopString(lua_State* L);

// Values for building test data.
TObject NumberValue(lua_Number n);
TObject StringValue(lua_State* L, const std::string& text);
TObject WideValue(lua_State* L, const std::u16string& text);

// A value as tests show it: nil, true, 12.5, "text" (byte string), L"text"
// (wide string, low bytes), or the type name of any other value.
std::string ValueText(lua_State* L, const TObject* o);

void PushCFunction(lua_State* L, lua_CFunction f);
void PushNumber(lua_State* L, lua_Number n);
void PushString(lua_State* L, const char* text);
// Compiles source as a text chunk under the chunk name and pushes its
// function, or the message; returns the status.
int LoadSource(lua_State* L, const std::string& source, const char* chunkname = "=test");

// Compiles and runs the chunk (named "test") and shows its results as
// ValueText separated by blanks, or "error: " and the message.
std::string RunChunk(lua_State* L, const std::string& source);

// Calls f without arguments, protected: its error message, or "" when it
// returned. The stack is left as it was.
std::string CallFailure(lua_State* L, lua_CFunction f);

// Calls the function below the nargs arguments on top, protected, with the
// error handler at stack offset errfunc (0: none); returns the status.
int PCall(lua_State* L, int nargs, int nresults, ptrdiff_t errfunc = 0);
