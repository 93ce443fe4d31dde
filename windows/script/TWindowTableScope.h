#pragma once

#include "script/lua/Lua.h"

class TScript;

// The window table that a Lua function of the window script gets as its
// first argument, put on top of the host's own stack, where the named-value
// readers look (also when a script calls from a coroutine of its own). It
// stays there while the scope lasts; the scope then restores the host's
// stack height, also when a Lua error unwinds the function from a coroutine.
class TWindowTableScope {
 public:
  // Whether the function's first argument is a table; logs that the
  // function got none when it is not.
  static bool HasWindowTable(lua_State* L, const char* function);

  // L is the state the function was called on.
  TWindowTableScope(TScript& script, lua_State* L);
  ~TWindowTableScope();
  TWindowTableScope(const TWindowTableScope&) = delete;
  TWindowTableScope& operator=(const TWindowTableScope&) = delete;

  // Pushes the table on top of the host's stack again.
  void PushTable() const;

 private:
  lua_State* mHost;
  lua_State* mCaller;
  int mHeight;
  int mUncaught;
};
