#include "windows/script/TLuaMessage.h"

#include <cstring>

#include "windows/script/LuaBinding.h"

namespace {

constexpr char kMessageMetatable[] = "vqMessageMetatable";

void DeleteMessage(TMessage* message) { delete message; }

// message, key -> "type" as a number, "name" as a string, nil for any other
// key; nothing for a value that is no message.
int IndexMessage(lua_State* L) {
  const TMessage* message = ToMessage(L, 1);
  if (message == nullptr) return 0;
  const char* key = lua_type(L, 2) == LUA_TSTRING ? lua_tostring(L, 2) : "";
  if (std::strcmp(key, "type") == 0) {
    lua_pushnumber(L, message->GetType());
  } else if (std::strcmp(key, "name") == 0) {
    PushString(L, message->GetName());
  } else {
    lua_pushnil(L);
  }
  return 1;
}

void PushMessageMetatableEntry(lua_State* L) {
  lua_pushstring(L, kMessageMetatable);
  lua_rawget(L, LUA_REGISTRYINDEX);
}

}  // namespace

TClassId TLuaMessageWrapper::ClassId() {
  static const char id = 0;
  return &id;
}

std::unique_ptr<TLuaMessageWrapper> TLuaMessageWrapper::FromStackTop(lua_State* L) {
  const TMessage* boxed = ToMessage(L, -1);
  if (boxed == nullptr) {
    lua_pop(L, 1);
    return nullptr;
  }
  return std::unique_ptr<TLuaMessageWrapper>(new TLuaMessageWrapper(L, *boxed));
}

TLuaMessageWrapper::TLuaMessageWrapper(lua_State* L, const TMessage& boxed)
    : TMessage(boxed.GetType(), boxed.GetName(), boxed.GetTarget()), mLuaMessage(L) {}

bool TLuaMessageWrapper::IsKindOf(TClassId id) const { return id == ClassId() || TMessage::IsKindOf(id); }

void PushMessageMetatable(lua_State* L) {
  PushMessageMetatableEntry(L);
  if (lua_istable(L, -1)) return;
  lua_pop(L, 1);
  lua_newtable(L);
  PushFunction(L, DeleteMessage);
  SetRawField(L, "__gc");
  lua_pushcfunction(L, IndexMessage);
  SetRawField(L, "__index");
  // getmetatable answers false, so no script reaches "__gc" to delete a
  // message that is still in use.
  lua_pushboolean(L, 0);
  SetRawField(L, "__metatable");
  lua_pushstring(L, kMessageMetatable);
  lua_pushvalue(L, -2);
  lua_rawset(L, LUA_REGISTRYINDEX);
}

void PushMessage(lua_State* L, std::unique_ptr<TMessage> message) {
  // Everything that can fail for want of memory happens while the message
  // is still held here.
  PushMessageMetatable(L);
  lua_pushboxedpointer(L, message.get());
  message.release();
  lua_insert(L, -2);
  lua_setmetatable(L, -2);
}

void PushMessageToLua(lua_State* L, std::unique_ptr<TMessage> message) {
  if (message->IsKindOf(TLuaMessageWrapper::ClassId())) {
    static_cast<const TLuaMessageWrapper&>(*message).PushLuaMessage();
    return;
  }
  message->SetTarget(nullptr);
  PushMessage(L, std::move(message));
}

TMessage* ToMessage(lua_State* L, int index) {
  if (lua_type(L, index) != LUA_TUSERDATA) return nullptr;
  if (index < 0 && index > LUA_REGISTRYINDEX) index += lua_gettop(L) + 1;
  if (!lua_getmetatable(L, index)) return nullptr;
  PushMessageMetatableEntry(L);
  const bool isMessage = lua_rawequal(L, -1, -2) != 0;
  lua_pop(L, 2);
  return isMessage ? static_cast<TMessage*>(lua_touserdata(L, index)) : nullptr;
}
