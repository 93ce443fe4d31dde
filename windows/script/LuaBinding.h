#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <tuple>
#include <type_traits>
#include <utility>

#include "platform/text/TString.h"
#include "script/lua/Lua.h"
#include "windows/script/TLuaMessage.h"

// Native functions made callable from Lua. Each is a C closure with one
// upvalue, a userdata holding the target object and the function to call; a
// marshalling routine chosen by the function's signature reads the arguments
// from stack index 1 on and pushes the result. One line binds a function:
//
//   BindMethod(L, "SetLabel", this, &TWindowScript::SetLabel);
//
// Arguments: TString (the text, "" for a value without one), int (truncated
// toward zero, 32-bit), float, double, bool (Lua truth: false only for nil and
// false), TMessage* (ToMessage). Results: void, bool, int, float, double,
// TString, std::unique_ptr<TMessage> (PushMessage).
// A function of the raw form int(lua_State*) reads its own arguments and
// returns its result count; called straight from script code it may end with
// `return lua_yield(L, n)`. A Lua error raised inside a native function
// unwinds it as a C++ exception: what it owns must be held by RAII objects
// until it hands it over.

// Pushes a text as a byte string.
void PushString(lua_State* L, const TString& text);
// The text of a value, or a fixed placeholder for a value without one (so a
// table or function never reaches a "%s" as a null pointer). A number is
// turned into a string in its slot, as lua_tostring does.
const char* LuaText(lua_State* L, int index);
// A number as a script integer: truncated toward zero, the low 32 bits kept;
// 0 for NaN and for numbers too large to truncate.
int32_t LuaNumberToInt(lua_Number number);

namespace lua_binding {

template <class T>
struct Argument;

template <>
struct Argument<TString> {
  static TString Read(lua_State* L, int index) {
    const char* text = lua_tostring(L, index);
    return TString(text != nullptr ? text : "");
  }
};
template <>
struct Argument<const TString&> : Argument<TString> {};
template <>
struct Argument<int> {
  static int Read(lua_State* L, int index) { return LuaNumberToInt(lua_tonumber(L, index)); }
};
template <>
struct Argument<float> {
  static float Read(lua_State* L, int index) { return static_cast<float>(lua_tonumber(L, index)); }
};
template <>
struct Argument<double> {
  static double Read(lua_State* L, int index) { return lua_tonumber(L, index); }
};
template <>
struct Argument<bool> {
  static bool Read(lua_State* L, int index) { return lua_toboolean(L, index) != 0; }
};
template <>
struct Argument<TMessage*> {
  static TMessage* Read(lua_State* L, int index) { return ToMessage(L, index); }
};

inline void PushResult(lua_State* L, bool value) { lua_pushboolean(L, value); }
inline void PushResult(lua_State* L, int value) { lua_pushnumber(L, value); }
inline void PushResult(lua_State* L, double value) { lua_pushnumber(L, value); }
inline void PushResult(lua_State* L, const TString& text) { PushString(L, text); }
inline void PushResult(lua_State* L, std::unique_ptr<TMessage> message) { PushMessage(L, std::move(message)); }
// A pointer would silently turn into a boolean: messages are handed over as
// std::unique_ptr, texts as TString.
template <class T>
void PushResult(lua_State* L, T* pointer) = delete;

template <class R, class... Args>
constexpr bool kIsRaw = std::is_same_v<R, int> && std::is_same_v<std::tuple<Args...>, std::tuple<lua_State*>>;

// Reads the arguments, calls, pushes the result; returns the result count.
template <class R, class... Args, class Call, size_t... I>
int Marshal(lua_State* L, Call&& call, std::index_sequence<I...>) {
  if constexpr (kIsRaw<R, Args...>) {
    return call(L);
  } else if constexpr (std::is_void_v<R>) {
    call(Argument<Args>::Read(L, static_cast<int>(I) + 1)...);
    return 0;
  } else {
    PushResult(L, call(Argument<Args>::Read(L, static_cast<int>(I) + 1)...));
    return 1;
  }
}

template <class Record>
Record& UpvalueRecord(lua_State* L) {
  return *static_cast<Record*>(lua_touserdata(L, lua_upvalueindex(1)));
}

template <class Target, class Method>
struct MethodRecord {
  Target* target;
  Method method;
};

template <class R, class... Args>
struct FunctionRecord {
  R (*function)(Args...);
};

template <class Target, class Method, class R, class... Args>
int CallMethod(lua_State* L) {
  auto& record = UpvalueRecord<MethodRecord<Target, Method>>(L);
  return Marshal<R, Args...>(
      L, [&](auto&&... arguments) -> R { return (record.target->*record.method)(std::forward<decltype(arguments)>(arguments)...); },
      std::index_sequence_for<Args...>());
}

template <class R, class... Args>
int CallFunction(lua_State* L) {
  auto& record = UpvalueRecord<FunctionRecord<R, Args...>>(L);
  return Marshal<R, Args...>(L, record.function, std::index_sequence_for<Args...>());
}

// Pushes a closure over a new userdata holding the record.
template <class Record>
void PushClosure(lua_State* L, lua_CFunction call, const Record& record) {
  static_assert(std::is_trivially_destructible_v<Record>, "the collector frees the block without a destructor");
  new (lua_newuserdata(L, sizeof(Record))) Record(record);
  lua_pushcclosure(L, call, 1);
}

}  // namespace lua_binding

// Pushes a member function of target, bound to it, as a Lua function.
template <class Target, class R, class... Args>
void PushMethod(lua_State* L, Target* target, R (Target::*method)(Args...)) {
  using Method = R (Target::*)(Args...);
  using Record = lua_binding::MethodRecord<Target, Method>;
  lua_binding::PushClosure(L, &lua_binding::CallMethod<Target, Method, R, Args...>, Record{target, method});
}

template <class Target, class R, class... Args>
void PushMethod(lua_State* L, Target* target, R (Target::*method)(Args...) const) {
  using Method = R (Target::*)(Args...) const;
  using Record = lua_binding::MethodRecord<Target, Method>;
  lua_binding::PushClosure(L, &lua_binding::CallMethod<Target, Method, R, Args...>, Record{target, method});
}

// Pushes a free function as a Lua function.
template <class R, class... Args>
void PushFunction(lua_State* L, R (*function)(Args...)) {
  using Record = lua_binding::FunctionRecord<R, Args...>;
  lua_binding::PushClosure(L, &lua_binding::CallFunction<R, Args...>, Record{function});
}

// Globals read and written without metamethods, so that neither raises an
// error whatever a script did to the table of globals.
void PushGlobal(lua_State* L, const char* name);
// Pops the value on top into the global of that name.
void SetGlobal(lua_State* L, const char* name);
// Pops the value on top into the field of that name of the table below it,
// without metamethods.
void SetRawField(lua_State* L, const char* key);

// Sets the global of that name to the bound function.
template <class Target, class R, class... Args>
void BindMethod(lua_State* L, const char* name, Target* target, R (Target::*method)(Args...)) {
  PushMethod(L, target, method);
  SetGlobal(L, name);
}

template <class Target, class R, class... Args>
void BindMethod(lua_State* L, const char* name, Target* target, R (Target::*method)(Args...) const) {
  PushMethod(L, target, method);
  SetGlobal(L, name);
}

template <class R, class... Args>
void BindFunction(lua_State* L, const char* name, R (*function)(Args...)) {
  PushFunction(L, function);
  SetGlobal(L, name);
}
