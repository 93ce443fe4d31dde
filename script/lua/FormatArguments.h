#pragma once

#include "script/lua/Lua.h"

// The arguments that the items of a format consume one after the other
// (string.format, string.pack). Such functions build their result in a
// string buffer, which pushes partial results above the arguments, so an
// argument is present only when it was passed: the count is taken before
// the buffer starts.
class FormatArguments {
 public:
  // The first argument an item takes is `first`.
  FormatArguments(lua_State* L, int first);

  // The stack index of the next argument; when it was not passed, the
  // argument error "<tname> expected, got no value".
  int Next(const char* tname);

 private:
  lua_State* mL;
  int mCount;
  int mNext;
};
