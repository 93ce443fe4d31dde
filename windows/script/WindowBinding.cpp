#include "windows/script/WindowBinding.h"

#include <new>

namespace {

constexpr char kLinkMetatable[] = "vqWindowLinkMetatable";

void PushLinkMetatableEntry(lua_State* L) {
  lua_pushstring(L, kLinkMetatable);
  lua_rawget(L, LUA_REGISTRYINDEX);
}

// The link held by the userdata at the index; null for any other value.
TWindowLink* ToLink(lua_State* L, int index) {
  if (lua_type(L, index) != LUA_TUSERDATA || !lua_getmetatable(L, index)) return nullptr;
  PushLinkMetatableEntry(L);
  const bool isLink = lua_rawequal(L, -1, -2) != 0;
  lua_pop(L, 2);
  return isLink ? static_cast<TWindowLink*>(lua_touserdata(L, index)) : nullptr;
}

int ReleaseLink(lua_State* L) {
  if (TWindowLink* link = ToLink(L, 1)) link->~TWindowLink();
  return 0;
}

void PushLinkMetatable(lua_State* L) {
  PushLinkMetatableEntry(L);
  if (lua_istable(L, -1)) return;
  lua_pop(L, 1);
  lua_newtable(L);
  lua_pushcfunction(L, ReleaseLink);
  SetRawField(L, "__gc");
  lua_pushboolean(L, 0);
  SetRawField(L, "__metatable");
  lua_pushstring(L, kLinkMetatable);
  lua_pushvalue(L, -2);
  lua_rawset(L, LUA_REGISTRYINDEX);
}

}  // namespace

namespace lua_binding {

// Whatever can fail for want of memory happens before the userdata holds
// the link, so the link is never left without a metatable to release it.
void PushWindowLink(lua_State* L, TWindowLink link) {
  PushLinkMetatable(L);
  new (lua_newuserdata(L, sizeof(TWindowLink))) TWindowLink(std::move(link));
  lua_insert(L, -2);
  lua_setmetatable(L, -2);
}

TWindow* LinkedWindow(lua_State* L) {
  const TWindowLink* link = ToLink(L, lua_upvalueindex(2));
  return link != nullptr && *link ? **link : nullptr;
}

}  // namespace lua_binding
