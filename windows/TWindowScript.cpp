#include "windows/TWindowScript.h"

#include "windows/TLuaMessage.h"
#include "windows/TMessage.h"

TWindowScript::TWindowScript() {
  PushMessageMetatable(GetState());
  lua_pop(GetState(), 1);
}

bool TWindowScript::SetTranslateLabels(bool on) {
  bool previous = mTranslateLabels;
  mTranslateLabels = on;
  return previous;
}

void TWindowScript::QueueMessage(std::unique_ptr<TMessage>) {}
