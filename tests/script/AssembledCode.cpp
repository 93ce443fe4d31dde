#include "tests/script/AssembledCode.h"

#include "script/lua/Function.h"
#include "script/lua/Memory.h"
#include "script/lua/Strings.h"

namespace {

template <class T>
void copyvector(lua_State* L, const std::vector<T>& from, T*& to, int& size) {
  size = static_cast<int>(from.size());
  to = luaM_newvector<T>(L, from.size());
  for (size_t i = 0; i < from.size(); i++) to[i] = from[i];
}

}  // namespace

Proto* Assemble(lua_State* L, const Assembly& assembly) {
  Proto* p = luaF_newproto(L);
  p->source = luaS_new(L, "=forged");
  copyvector(L, assembly.code, p->code, p->sizecode);
  copyvector(L, assembly.constants, p->k, p->sizek);
  copyvector(L, assembly.nested, p->p, p->sizep);
  const int lines = assembly.sizelineinfo < 0 ? p->sizecode : assembly.sizelineinfo;
  copyvector(L, std::vector<int>(static_cast<size_t>(lines), 1), p->lineinfo, p->sizelineinfo);
  p->maxstacksize = static_cast<lu_byte>(assembly.maxstacksize);
  p->nups = static_cast<lu_byte>(assembly.nups);
  p->numparams = static_cast<lu_byte>(assembly.numparams);
  return p;
}

Instruction Jump(OpCode op, int a, int offset) {
  Instruction i = CREATE_ABx(op, a, 0);
  SETARG_sBx(i, offset);
  return i;
}
