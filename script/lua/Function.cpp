#include "script/lua/Function.h"

#include "script/lua/Collector.h"
#include "script/lua/Memory.h"
#include "script/lua/State.h"

Closure* luaF_newCclosure(lua_State* L, int nelems) {
  CClosure* c = luaM_newobject<CClosure>(L, sizeCclosure(nelems));
  luaC_link(L, c, LUA_TFUNCTION);
  c->isC = 1;
  c->nupvalues = static_cast<lu_byte>(nelems);
  for (int i = 0; i < nelems; i++) setnilvalue(&c->upvalues()[i]);
  return c;
}

Closure* luaF_newLclosure(lua_State* L, int nelems, const TObject* e) {
  LClosure* c = luaM_newobject<LClosure>(L, sizeLclosure(nelems));
  luaC_link(L, c, LUA_TFUNCTION);
  c->isC = 0;
  c->nupvalues = static_cast<lu_byte>(nelems);
  setobj(&c->g, e);
  for (int i = 0; i < nelems; i++) c->upvals()[i] = nullptr;
  return c;
}

void luaF_freeclosure(lua_State* L, Closure* c) {
  const size_t size = c->isC ? sizeCclosure(c->nupvalues) : sizeLclosure(c->nupvalues);
  luaM_freeobject(L, c, size);
}

UpVal* luaF_findupval(lua_State* L, StkId level) {
  GCObject** pp = &L->openupval;
  for (UpVal* p; (p = static_cast<UpVal*>(*pp)) != nullptr && p->v >= level; pp = &p->next) {
    if (p->v == level) return p;
  }
  UpVal* v = luaM_newobject<UpVal>(L);
  v->tt = LUA_TUPVAL;
  v->v = level;
  v->next = *pp;
  *pp = v;
  return v;
}

void luaF_close(lua_State* L, StkId level) {
  for (UpVal* p; (p = static_cast<UpVal*>(L->openupval)) != nullptr && p->v >= level;) {
    setobj(&p->value, p->v);
    p->v = &p->value;
    L->openupval = p->next;
    luaC_link(L, p, LUA_TUPVAL);
  }
}

Proto* luaF_newproto(lua_State* L) {
  Proto* f = luaM_newobject<Proto>(L);
  luaC_link(L, f, LUA_TPROTO);
  return f;
}

void luaF_freeproto(lua_State* L, Proto* f) {
  luaM_freearray(L, f->code, static_cast<size_t>(f->sizecode));
  luaM_freearray(L, f->p, static_cast<size_t>(f->sizep));
  luaM_freearray(L, f->k, static_cast<size_t>(f->sizek));
  luaM_freearray(L, f->lineinfo, static_cast<size_t>(f->sizelineinfo));
  luaM_freearray(L, f->locvars, static_cast<size_t>(f->sizelocvars));
  luaM_freearray(L, f->upvalues, static_cast<size_t>(f->sizeupvalues));
  luaM_freeobject(L, f);
}

const char* luaF_getlocalname(const Proto* f, int local_number, int pc) {
  for (int i = 0; i < f->sizelocvars && f->locvars[i].startpc <= pc; i++) {
    if (pc < f->locvars[i].endpc) {
      local_number--;
      if (local_number == 0) return getstr(f->locvars[i].varname);
    }
  }
  return nullptr;
}
