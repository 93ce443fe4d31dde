#pragma once

#include "script/lua/Lua.h"

// Keeps a Lua value alive for native code and reaches it again: the value
// lives in the registry under the wrapper's own address, one entry per
// wrapper, for exactly as long as the wrapper. A wrapper must not outlive its
// state.
class TLuaObjectWrapper {
 public:
  // Takes the value on top of the stack and pops it (nil from an empty stack).
  explicit TLuaObjectWrapper(lua_State* L);
  virtual ~TLuaObjectWrapper();
  TLuaObjectWrapper(const TLuaObjectWrapper&) = delete;
  TLuaObjectWrapper& operator=(const TLuaObjectWrapper&) = delete;

  // Pushes the value.
  void Push() const;
  lua_State* GetState() const { return mState; }

 protected:
  lua_State* mState;
};

// A wrapped function.
class TLuaFunction : public TLuaObjectWrapper {
 public:
  using TLuaObjectWrapper::TLuaObjectWrapper;

  // Calls the function without arguments, protected, with the global
  // "_ALERT" as its error handler, and leaves the stack as it was. The status
  // of the call; 0 (and nothing done) when the value is no function.
  int Call();
};
