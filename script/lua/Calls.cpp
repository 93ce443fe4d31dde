#include "script/lua/Calls.h"

#include <cstdlib>
#include <new>

#include "script/lua/Memory.h"

void luaD_throw(lua_State* L, int errcode) {
  if (L->errorJmp != nullptr) {
    L->errorJmp->status = errcode;
    throw LuaError{L->errorJmp};
  }
  G(L)->panic(L);
  exit(EXIT_FAILURE);
}

int luaD_rawrunprotected(lua_State* L, Pfunc f, void* ud) {
  lua_longjmp point{L->errorJmp, 0};
  L->errorJmp = &point;
  try {
    f(L, ud);
  } catch (const LuaError& e) {
    if (e.point != &point) {  // aimed further out
      L->errorJmp = point.previous;
      throw;
    }
  } catch (const std::bad_alloc&) {
    point.status = LUA_ERRMEM;
  } catch (...) {
    L->errorJmp = point.previous;
    throw;
  }
  L->errorJmp = point.previous;
  return point.status;
}

void luaD_reallocstack(lua_State* L, int newsize) {
  StkId oldstack = L->stack;
  const int oldsize = L->stacksize;
  StkId stack = luaM_newvector<TObject>(L, static_cast<size_t>(newsize));
  const int kept = oldsize < newsize ? oldsize : newsize;
  for (int i = 0; i < kept; i++) setobj(&stack[i], &oldstack[i]);
  for (int i = kept; i < newsize; i++) setnilvalue(&stack[i]);
  auto relocate = [&](StkId p) { return stack + (p - oldstack); };
  L->top = relocate(L->top);
  L->base = relocate(L->base);
  for (GCObject* up = L->openupval; up != nullptr; up = up->next) {
    UpVal* u = static_cast<UpVal*>(up);
    u->v = relocate(u->v);
  }
  for (CallInfo* ci = L->base_ci; ci <= L->ci; ci++) {
    ci->top = relocate(ci->top);
    ci->base = relocate(ci->base);
  }
  L->stack = stack;
  L->stacksize = newsize;
  L->stack_last = stack + newsize - 1 - EXTRA_STACK;
  luaM_freearray(L, oldstack, static_cast<size_t>(oldsize));
}

void luaD_growstack(lua_State* L, int n) {
  if (n <= L->stacksize) {
    luaD_reallocstack(L, 2 * L->stacksize);
  } else {
    luaD_reallocstack(L, L->stacksize + n + EXTRA_STACK);
  }
}

void luaD_reallocCI(lua_State* L, int newsize) {
  CallInfo* old = L->base_ci;
  CallInfo* records = luaM_newvector<CallInfo>(L, static_cast<size_t>(newsize));
  const int used = static_cast<int>(L->ci - old) + 1;
  for (int i = 0; i < used; i++) records[i] = old[i];
  luaM_freearray(L, old, L->size_ci);
  L->base_ci = records;
  L->ci = records + used - 1;
  L->size_ci = static_cast<uint16_t>(newsize);
  L->end_ci = records + newsize;
}
