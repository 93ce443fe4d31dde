#pragma once

#include <memory>

#include "platform/types/TClassId.h"
#include "script/lua/Lua.h"
#include "windows/script/TLuaObjectWrapper.h"
#include "windows/core/TMessage.h"

// Messages between the window system and Lua. Lua sees a message as a
// userdata boxing a pointer to a TMessage, whose metatable, the registry
// entry "vqMessageMetatable", answers the fields "type" and "name" and
// deletes the message when the collector frees the userdata.

// The Lua side of a message made by a script.
class TLuaMessage : public TLuaObjectWrapper {
 public:
  using TLuaObjectWrapper::TLuaObjectWrapper;
};

// A message the framework can post, copied from a Lua message: it keeps the
// Lua value (and so the message it boxes) alive while it travels.
class TLuaMessageWrapper : public TMessage {
 public:
  static TClassId ClassId();

  // Takes the message value on top of the stack and pops it; null (the value
  // popped all the same) when the value is no message.
  static std::unique_ptr<TLuaMessageWrapper> FromStackTop(lua_State* L);

  bool IsKindOf(TClassId id) const override;
  // Pushes the Lua message it was copied from.
  void PushLuaMessage() const { mLuaMessage.Push(); }

 private:
  TLuaMessageWrapper(lua_State* L, const TMessage& boxed);

  TLuaMessage mLuaMessage;
};

// Pushes the message as a Lua message; the Lua value owns it from now on.
void PushMessage(lua_State* L, std::unique_ptr<TMessage> message);
// Hands a message to Lua: a copy posted from Lua gives back the Lua message
// it came from, any other message is pushed itself and loses its target, a
// window that Lua cannot see and that may be gone when the message is posted
// again.
void PushMessageToLua(lua_State* L, std::unique_ptr<TMessage> message);
// The message boxed by the value at the index; null for every value that is
// not a userdata carrying the message metatable.
TMessage* ToMessage(lua_State* L, int index);
// Pushes the message metatable, building it and keeping it in the registry
// when the state has none yet.
void PushMessageMetatable(lua_State* L);
