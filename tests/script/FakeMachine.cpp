#include "tests/script/FakeMachine.h"

#include "script/lua/Calls.h"
#include "script/lua/Function.h"
#include "script/lua/Memory.h"
#include "script/lua/Strings.h"

namespace {

int wanted(Instruction call) { return static_cast<int>((call >> 6) & 0x1ff) - 1; }

}  // namespace

StkId FakeExecute(lua_State* L) {
  const ptrdiff_t entry = L->ci - L->base_ci;
  for (;;) {
    CallInfo* ci = L->ci;
    StkId base = L->base;
    LClosure* cl = static_cast<LClosure*>(clvalue(base - 1));
    const Instruction i = *ci->savedpc++;
    const int a = static_cast<int>(i >> 24);
    const int b = static_cast<int>((i >> 15) & 0x1ff);
    switch (i & 0x3f) {
      case OP_MOVE:
        setobj(base + a, base + b);
        break;
      case OP_GETUPVAL:
        setobj(base + a, cl->upvals()[b]->v);
        break;
      case OP_CALL: {
        StkId ra = base + a;
        if (b != 0) L->top = ra + b;
        StkId first = luaD_precall(L, ra);
        if (first == nullptr) break;         // a Lua function: its frame runs next
        if (first > L->top) return nullptr;  // the C function yielded
        luaD_poscall(L, wanted(i), first);
        if (wanted(i) >= 0) L->top = L->ci->top;
        break;
      }
      case OP_RETURN: {
        StkId ra = base + a;
        if (b != 0) L->top = ra + b - 1;
        luaF_close(L, base);
        if (L->ci - L->base_ci == entry) return ra;
        const int results = wanted(*((ci - 1)->savedpc - 1));
        luaD_poscall(L, results, ra);
        if (results >= 0) L->top = L->ci->top;
        break;
      }
    }
  }
}

FakeMachine::FakeMachine() { luaD_execute = FakeExecute; }
FakeMachine::~FakeMachine() { luaD_execute = nullptr; }

Proto* MakeProto(lua_State* L, const std::vector<Instruction>& code, int maxstacksize,
                 int numparams, bool vararg) {
  Proto* p = luaF_newproto(L);
  p->source = luaS_new(L, "=fake");
  p->code = luaM_newvector<Instruction>(L, code.size());
  p->sizecode = static_cast<int>(code.size());
  for (size_t i = 0; i < code.size(); i++) p->code[i] = code[i];
  p->maxstacksize = static_cast<lu_byte>(maxstacksize);
  p->numparams = static_cast<lu_byte>(numparams);
  p->is_vararg = vararg ? 1 : 0;
  return p;
}

LClosure* MakeLuaFunction(lua_State* L, Proto* p, int nupvalues) {
  LClosure* cl = static_cast<LClosure*>(luaF_newLclosure(L, nupvalues, gt(L)));
  cl->p = p;
  return cl;
}
