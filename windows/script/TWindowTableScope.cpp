#include "windows/script/TWindowTableScope.h"

#include <exception>

#include "platform/text/Log.h"
#include "windows/script/TScript.h"

bool TWindowTableScope::HasWindowTable(lua_State* L, const char* function) {
  if (lua_istable(L, 1)) return true;
  LogPrintf("%s: no window table", function);
  return false;
}

TWindowTableScope::TWindowTableScope(TScript& script, lua_State* L)
    : mHost(script.GetState()), mCaller(L), mHeight(lua_gettop(mHost)), mUncaught(std::uncaught_exceptions()) {
  lua_pushvalue(L, 1);
  if (L != mHost) lua_xmove(L, mHost, 1);
}

// An error raised on the host's stack leaves its object on top, where the
// protected call that catches it looks; that call restores the stack itself.
TWindowTableScope::~TWindowTableScope() {
  if (mCaller == mHost && std::uncaught_exceptions() > mUncaught) return;
  lua_settop(mHost, mHeight);
}

void TWindowTableScope::PushTable() const { lua_pushvalue(mHost, mHeight + 1); }
