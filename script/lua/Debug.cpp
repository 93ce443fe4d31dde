#include "script/lua/Debug.h"

#include <cstring>

#include "script/lua/Calls.h"
#include "script/lua/Function.h"
#include "script/lua/OpCodes.h"
#include "script/lua/Table.h"
#include "script/lua/VirtualMachine.h"

namespace {

Proto* runningproto(CallInfo* ci) {
  return static_cast<LClosure*>(clvalue(ci->base - 1))->p;
}

// The instruction the call record is at: the running one for the frame the
// machine runs, the call for a frame that called another.
int currentpc(CallInfo* ci) {
  if (!isLua(ci)) return -1;
  if (ci->state & CI_HASFRAME) ci->savedpc = *ci->pc;
  return static_cast<int>(ci->savedpc - runningproto(ci)->code) - 1;
}

// --- Symbolic execution -------------------------------------------------------------

// One pass over a prototype's code up to lastpc that checks every
// instruction (so a loaded chunk cannot make the machine read or jump outside
// its prototype) and records the last instruction that set register `reg'.
// With reg = NO_REG it checks the whole code and follows no jump.
class CodeWalk {
 public:
  CodeWalk(const Proto* p, int lastpc, int reg) : mP(p), mLastPc(lastpc), mReg(reg) {}

  // True when the code passed; lastSetter() is then the instruction found,
  // or -1.
  bool Run() {
    if (!CheckPrototype()) return false;
    for (int pc = 0; pc < mLastPc; pc++) {
      if (!CheckInstruction(pc)) return false;
    }
    return true;
  }

  int lastSetter() const { return mLast; }

 private:
  bool CheckPrototype() const {
    return mP->sizecode > 0 && mP->maxstacksize <= MAXSTACK &&
           mP->numparams + (mP->is_vararg != 0) <= mP->maxstacksize &&
           (mP->sizelineinfo == mP->sizecode || mP->sizelineinfo == 0) &&
           GET_OPCODE(mP->code[mP->sizecode - 1]) == OP_RETURN && mLastPc <= mP->sizecode;
  }

  bool IsRegister(int r) const { return r >= 0 && r < mP->maxstacksize; }
  bool IsRK(int r) const { return ISK(r) ? r - MAXSTACK < mP->sizek : IsRegister(r); }
  bool IsTarget(int pc) const { return pc >= 0 && pc < mP->sizecode; }

  void Sets(int pc, bool affected) {
    if (affected) mLast = pc;
  }

  // Modes of the operands, and a test's jump.
  bool CheckOperands(int pc, Instruction i) const {
    const OpCode op = GET_OPCODE(i);
    if (!IsRegister(GETARG_A(i))) return false;
    switch (getOpMode(op)) {
      case iABC:
        if (testOpMode(op, OpModeBreg) && !IsRegister(GETARG_B(i))) return false;
        if (testOpMode(op, OpModeBrk) && !IsRK(GETARG_B(i))) return false;
        if (testOpMode(op, OpModeCrk) && !IsRK(GETARG_C(i))) return false;
        break;
      case iABx:
        if (testOpMode(op, OpModeK) && GETARG_Bx(i) >= mP->sizek) return false;
        break;
      case iAsBx:
        if (!IsTarget(pc + 1 + GETARG_sBx(i))) return false;
        break;
    }
    if (testOpMode(op, OpModeT)) {
      return pc + 2 < mP->sizecode && GET_OPCODE(mP->code[pc + 1]) == OP_JMP;
    }
    return true;
  }

  // An instruction that leaves an open list of results (all of a call's
  // results, up to the top) is followed by one that takes them.
  bool CheckOpenResults(int pc) const {
    const Instruction next = mP->code[pc + 1];
    switch (GET_OPCODE(next)) {
      case OP_CALL:
      case OP_TAILCALL:
      case OP_RETURN:
        return GETARG_B(next) == 0;
      case OP_SETLISTO:
        return true;
      default:
        return false;
    }
  }

  // An instruction that takes an open list comes right after the call that
  // left it, and its own registers lie below the results.
  bool TakesOpenResults(int pc, Instruction i) const {
    if (pc == 0) return false;
    const Instruction producer = mP->code[pc - 1];
    const OpCode op = GET_OPCODE(producer);
    if ((op != OP_CALL && op != OP_TAILCALL) || GETARG_C(producer) != 0) return false;
    const int a = GETARG_A(i);
    return GET_OPCODE(i) == OP_RETURN ? a <= GETARG_A(producer) : a < GETARG_A(producer);
  }

  bool CheckCall(int pc, Instruction i) {
    const int a = GETARG_A(i);
    const int b = GETARG_B(i);
    const int c = GETARG_C(i);
    if (b == 0 ? !TakesOpenResults(pc, i) : !IsRegister(a + b - 1)) return false;
    if (c == 0 ? !CheckOpenResults(pc) : c > 1 && !IsRegister(a + c - 2)) return false;
    Sets(pc, mReg >= a);
    return true;
  }

  bool CheckClosure(int pc, Instruction i) const {
    const int index = GETARG_Bx(i);
    if (index >= mP->sizep) return false;
    const int nup = mP->p[index]->nups;
    if (pc + nup >= mP->sizecode) return false;
    for (int j = 1; j <= nup; j++) {
      const OpCode op = GET_OPCODE(mP->code[pc + j]);
      if (op != OP_GETUPVAL && op != OP_MOVE) return false;
    }
    return true;
  }

  // Follows a forward jump that does not pass lastpc, when looking for a
  // register's origin.
  void Jump(int& pc, int offset) const {
    const int dest = pc + 1 + offset;
    if (mReg != NO_REG && pc < dest && dest <= mLastPc) pc += offset;
  }

  bool CheckInstruction(int& pc) {
    const Instruction i = mP->code[pc];
    if (GET_OPCODE(i) >= NUM_OPCODES) return false;
    if (!CheckOperands(pc, i)) return false;
    const OpCode op = GET_OPCODE(i);
    const int a = GETARG_A(i);
    const int b = GETARG_B(i);
    const int c = GETARG_C(i);
    if (testOpMode(op, OpModesetA)) Sets(pc, a == mReg);
    switch (op) {
      case OP_LOADBOOL:
        return c == 0 || pc + 2 < mP->sizecode;
      case OP_LOADNIL:
        Sets(pc, a <= mReg && mReg <= b);
        return true;
      case OP_GETUPVAL:
      case OP_SETUPVAL:
        return b < mP->nups;
      case OP_GETGLOBAL:
      case OP_SETGLOBAL:
        return ttisstring(&mP->k[GETARG_Bx(i)]);
      case OP_SELF:
        Sets(pc, mReg == a + 1);
        return IsRegister(a + 1);
      case OP_CONCAT:
        return c < MAXSTACK && b < c;
      case OP_TFORLOOP:
        Sets(pc, mReg >= a);
        return IsRegister(a + c + 5);
      case OP_FORLOOP:
        Jump(pc, GETARG_sBx(i));
        return IsRegister(a + 2);
      case OP_TFORPREP:
        Jump(pc, GETARG_sBx(i));
        return IsRegister(a + 1);
      case OP_JMP:
        Jump(pc, GETARG_sBx(i));
        return true;
      case OP_CALL:
      case OP_TAILCALL:
        return CheckCall(pc, i);
      case OP_RETURN:
        return b == 0 ? TakesOpenResults(pc, i) : b == 1 || IsRegister(a + b - 2);
      case OP_SETLIST:
        return IsRegister(a + (GETARG_Bx(i) & (LFIELDS_PER_FLUSH - 1)) + 1);
      case OP_SETLISTO:
        return TakesOpenResults(pc, i);
      case OP_CLOSURE:
        return CheckClosure(pc, i);
      default:
        return true;
    }
  }

  const Proto* mP;
  int mLastPc;
  int mReg;
  int mLast = -1;
};

// --- Names of values ----------------------------------------------------------------

const char* constantname(const Proto* p, int rk) {
  if (ISK(rk) && ttisstring(&p->k[rk - MAXSTACK])) return svalue(&p->k[rk - MAXSTACK]);
  return "?";
}

// What register reg holds at instruction pc: "local", "global", "field" or
// "method" with *name, or null when nothing useful is known.
const char* getobjname(const Proto* p, int pc, int reg, const char** name) {
  *name = luaF_getlocalname(p, reg + 1, pc);
  if (*name != nullptr) return "local";
  CodeWalk walk(p, pc, reg);
  if (!walk.Run() || walk.lastSetter() < 0) return nullptr;
  const int setter = walk.lastSetter();
  const Instruction i = p->code[setter];
  switch (GET_OPCODE(i)) {
    case OP_GETGLOBAL:
      *name = svalue(&p->k[GETARG_Bx(i)]);
      return "global";
    case OP_MOVE:  // a copy of a lower register: that register's origin
      if (GETARG_B(i) < GETARG_A(i)) return getobjname(p, setter, GETARG_B(i), name);
      return nullptr;
    case OP_GETTABLE:
      *name = constantname(p, GETARG_C(i));
      return "field";
    case OP_SELF:
      // The register above the method holds the object it was taken from.
      if (reg == GETARG_A(i) + 1) return getobjname(p, setter, GETARG_B(i), name);
      *name = constantname(p, GETARG_C(i));
      return "method";
    default:
      return nullptr;
  }
}

bool isinstack(CallInfo* ci, const TObject* o) { return o >= ci->base && o < ci->top; }

// The name under which the function of ci was called, from the calling
// instruction of its caller.
const char* getfuncname(CallInfo* ci, const char** name) {
  if ((isLua(ci) && ci->tailcalls > 0) || !isLua(ci - 1)) return nullptr;
  CallInfo* caller = ci - 1;
  const int pc = currentpc(caller);
  const Proto* p = runningproto(caller);
  const Instruction i = p->code[pc];
  const OpCode op = GET_OPCODE(i);
  if (op != OP_CALL && op != OP_TAILCALL && op != OP_TFORLOOP) return nullptr;
  return getobjname(p, pc, GETARG_A(i), name);
}

// A string key under which the table of globals holds f.
const char* globalname(lua_State* L, const TObject* f) {
  if (!ttistable(gt(L))) return nullptr;
  Table* globals = hvalue(gt(L));
  for (int i = 0; i < sizenode(globals); i++) {
    Node* n = gnode(globals, i);
    if (ttisstring(gkey(n)) && luaO_rawequalObj(gval(n), f)) return svalue(gkey(n));
  }
  return nullptr;
}

// --- Activation records -------------------------------------------------------------

void sourceinfo(lua_Debug* ar, const TObject* func) {
  if (!ttisfunction(func)) {  // a dropped tail call
    ar->source = "=(tail call)";
    ar->linedefined = -1;
    ar->what = "tail";
  } else if (clvalue(func)->isC) {
    ar->source = "=[C]";
    ar->linedefined = -1;
    ar->what = "C";
  } else {
    const Proto* p = static_cast<LClosure*>(clvalue(func))->p;
    ar->source = p->source != nullptr ? getstr(p->source) : "=?";
    ar->linedefined = p->lineDefined;
    ar->what = p->lineDefined == 0 ? "main" : "Lua";
  }
  luaO_chunkid(ar->short_src, ar->source, LUA_IDSIZE);
}

void nameinfo(lua_State* L, lua_Debug* ar, CallInfo* ci, const TObject* func) {
  ar->name = nullptr;
  ar->namewhat = ci != nullptr ? getfuncname(ci, &ar->name) : nullptr;
  if (ar->namewhat == nullptr && ttisfunction(func)) {
    ar->name = globalname(L, func);
    ar->namewhat = ar->name != nullptr ? "global" : nullptr;
  }
  if (ar->namewhat == nullptr) {
    ar->name = nullptr;
    ar->namewhat = "";
  }
}

}  // namespace

int lua_getstack(lua_State* L, int level, lua_Debug* ar) {
  CallInfo* ci = L->ci;
  for (; level > 0 && ci > L->base_ci; ci--) {
    level--;
    if (isLua(ci)) level -= ci->tailcalls;  // the calls it replaced
  }
  if (level > 0 || ci == L->base_ci) return 0;
  ar->i_ci = level < 0 ? 0 : static_cast<int>(ci - L->base_ci);
  return 1;
}

int lua_getinfo(lua_State* L, const char* what, lua_Debug* ar) {
  CallInfo* ci = nullptr;
  TObject func;
  if (*what == '>') {
    if (!ttisfunction(L->top - 1)) luaG_runerror(L, "value for `lua_getinfo' is not a function");
    func = *--L->top;
    what++;
  } else if (ar->i_ci != 0) {
    ci = L->base_ci + ar->i_ci;
    func = *(ci->base - 1);
  } else {
    setnilvalue(&func);
  }
  int status = 1;
  for (; *what != '\0'; what++) {
    switch (*what) {
      case 'S':
        sourceinfo(ar, &func);
        break;
      case 'l':
        ar->currentline = ci != nullptr ? luaG_currentline(ci) : -1;
        break;
      case 'u':
        ar->nups = ttisfunction(&func) ? clvalue(&func)->nupvalues : 0;
        break;
      case 'n':
        nameinfo(L, ar, ci, &func);
        break;
      case 'f':
        setobj(L->top, &func);
        incr_top(L);
        break;
      default:
        status = 0;
        break;
    }
  }
  return status;
}

bool luaG_checkcode(const Proto* p) { return CodeWalk(p, p->sizecode, NO_REG).Run(); }

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
  const char* name = nullptr;
  const char* kind = nullptr;
  CallInfo* ci = L->ci;
  if (isLua(ci) && isinstack(ci, o)) {
    kind = getobjname(runningproto(ci), currentpc(ci), static_cast<int>(o - ci->base), &name);
  }
  const char* type = luaT_typenames[ttype(o)];
  if (kind != nullptr) {
    luaG_runerror(L, "attempt to %s %s `%s' (a %s value)", operation, kind, name, type);
  }
  luaG_runerror(L, "attempt to %s a %s value", operation, type);
}

void luaG_concaterror(lua_State* L, const TObject* p1, const TObject* p2, bool wide) {
  const bool p1joins = ttisnumber(p1) || ttisstring(p1) || (wide && ttiswstring(p1));
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
