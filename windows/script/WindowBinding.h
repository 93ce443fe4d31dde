#pragma once

#include <type_traits>
#include <utility>

#include "windows/script/LuaBinding.h"
#include "windows/core/TWindow.h"

// Lua functions bound to one window, such as the "cleanup" function of a
// scripted button or the functions a game window registers. A script may
// keep such a function long after its window went, so the function reaches
// the window through the window's link: once the window is gone, a call does
// nothing and answers false.
//
//   PushWindowMethod(L, button, &TWindow::Init);

namespace lua_binding {

// Pushes a userdata holding the link; the collector releases the link.
void PushWindowLink(lua_State* L, TWindowLink link);
// The window of the link in the running closure's second upvalue; null once
// it is gone.
TWindow* LinkedWindow(lua_State* L);

template <class Target, class R, class... Args>
struct WindowMethodRecord {
  R (Target::*method)(Args...);
};

template <class Target, class R, class... Args>
int CallWindowMethod(lua_State* L) {
  TWindow* window = LinkedWindow(L);
  if (window == nullptr) {
    lua_pushboolean(L, 0);
    return 1;
  }
  auto* target = static_cast<Target*>(window);
  auto& record = UpvalueRecord<WindowMethodRecord<Target, R, Args...>>(L);
  auto call = [&](auto&&... arguments) -> R {
    return (target->*record.method)(std::forward<decltype(arguments)>(arguments)...);
  };
  return Marshal<R, Args...>(L, call, std::index_sequence_for<Args...>());
}

}  // namespace lua_binding

// Pushes a member function of the window, bound to it through its link, as
// a Lua function.
template <class Target, class R, class... Args>
void PushWindowMethod(lua_State* L, Target* window, R (Target::*method)(Args...)) {
  static_assert(std::is_base_of_v<TWindow, Target>, "bound through a window's link");
  using Record = lua_binding::WindowMethodRecord<Target, R, Args...>;
  static_assert(std::is_trivially_destructible_v<Record>, "the collector frees the block without a destructor");
  new (lua_newuserdata(L, sizeof(Record))) Record{method};
  lua_binding::PushWindowLink(L, window->GetLink());
  lua_pushcclosure(L, &lua_binding::CallWindowMethod<Target, R, Args...>, 2);
}
