#include "windows/TWindowScript.h"

#include "windows/TLuaMessage.h"

TWindowScript::TWindowScript() {
  PushMessageMetatable(GetState());
  lua_pop(GetState(), 1);
}

bool TWindowScript::SetTranslateLabels(bool on) {
  bool previous = mTranslateLabels;
  mTranslateLabels = on;
  return previous;
}
