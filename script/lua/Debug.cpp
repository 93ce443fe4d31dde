#include "script/lua/Debug.h"

#include "script/lua/Calls.h"
#include "script/lua/VirtualMachine.h"

namespace {

Proto* runningproto(CallInfo* ci) {
  return static_cast<LClosure*>(clvalue(ci->base - 1))->p;
}

int currentpc(CallInfo* ci) {
  if (!isLua(ci)) return -1;
  if (ci->state & CI_HASFRAME) ci->savedpc = *ci->pc;
  return static_cast<int>(ci->savedpc - runningproto(ci)->code) - 1;
}

}  // namespace

int luaG_currentline(CallInfo* ci) {
  int pc = currentpc(ci);
  if (pc < 0) return -1;
  const Proto* p = runningproto(ci);
  return p->lineinfo != nullptr && pc < p->sizelineinfo ? p->lineinfo[pc] : 0;
}

void luaG_errormsg(lua_State* L) {
  if (L->errfunc != 0) {
    StkId errfunc = restorestack(L, L->errfunc);
    if (!ttisfunction(errfunc)) luaD_throw(L, LUA_ERRERR);
    setobj(L->top, L->top - 1);  // the message becomes the argument
    setobj(L->top - 1, errfunc);
    incr_top(L);
    luaD_call(L, L->top - 2, 1);
  }
  luaD_throw(L, LUA_ERRRUN);
}

void luaG_typeerror(lua_State* L, const TObject* o, const char* operation) {
  luaG_runerror(L, "attempt to %s a %s value", operation, luaT_typenames[ttype(o)]);
}

void luaG_concaterror(lua_State* L, const TObject* p1, const TObject* p2, bool wide) {
  const bool p1joins = ttisstring(p1) || (wide && ttiswstring(p1));
  luaG_typeerror(L, p1joins ? p2 : p1, "concatenate");
}

void luaG_aritherror(lua_State* L, const TObject* p1, const TObject* p2) {
  TObject converted;
  luaG_typeerror(L, luaV_tonumber(p1, &converted) == nullptr ? p1 : p2, "perform arithmetic on");
}

void luaG_ordererror(lua_State* L, const TObject* p1, const TObject* p2) {
  const char* t1 = luaT_typenames[ttype(p1)];
  const char* t2 = luaT_typenames[ttype(p2)];
  if (t1[2] == t2[2]) luaG_runerror(L, "attempt to compare two %s values", t1);
  luaG_runerror(L, "attempt to compare %s with %s", t1, t2);
}

void luaG_runerror(lua_State* L, const char* fmt, ...) {
  va_list argp;
  va_start(argp, fmt);
  const char* msg = luaO_pushvfstring(L, fmt, argp);
  va_end(argp);
  CallInfo* ci = L->ci;
  if (isLua(ci)) {
    char chunk[LUA_IDSIZE];
    const LString* source = runningproto(ci)->source;
    luaO_chunkid(chunk, source != nullptr ? getstr(source) : "?", sizeof chunk);
    luaO_pushfstring(L, "%s:%d: %s", chunk, luaG_currentline(ci), msg);
  }
  luaG_errormsg(L);
}
