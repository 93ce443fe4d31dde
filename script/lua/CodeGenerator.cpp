#include "script/lua/CodeGenerator.h"

#include <cstdlib>

#include "script/lua/Function.h"
#include "script/lua/Table.h"

namespace {

// --- Vectors of the prototype ------------------------------------------------

template <class T>
void trimvector(lua_State* L, T*& v, int& size, int used) {
  luaM_reallocvector(L, v, static_cast<size_t>(size), static_cast<size_t>(used));
  size = used;
}

// --- Registers -------------------------------------------------------------------

// Releases a register holding a temporary; locals and constants stay.
void freereg(FuncState* fs, int reg) {
  if (reg >= fs->nactvar && reg < MAXSTACK) fs->freereg--;
}

void freeexp(FuncState* fs, const expdesc* e) {
  if (e->k == VNONRELOC) freereg(fs, e->info);
}

// --- Constants -------------------------------------------------------------------

// The index of the constant whose lookup key is key, adding value on first use.
int addk(FuncState* fs, const TObject* key, const TObject* value) {
  const TObject* known = luaH_get(fs->h, key);
  if (ttisnumber(known)) return static_cast<int>(nvalue(known));
  Proto* f = fs->f;
  luaK_growvector(fs, f->k, fs->nk, f->sizek, MAXARG_Bx, "constant table overflow");
  setobj(&f->k[fs->nk], value);
  setnvalue(luaH_set(fs->L, fs->h, key), fs->nk);
  return fs->nk++;
}

// Nil cannot be a key: its entry is keyed by the lookup table itself.
int nilK(FuncState* fs) {
  TObject key;
  TObject value;
  sethvalue(&key, fs->h);
  setnilvalue(&value);
  return addk(fs, &key, &value);
}

// --- Jumps -------------------------------------------------------------------------

// The target of the jump at pc, or NO_JUMP at the end of a list.
int getjump(FuncState* fs, int pc) {
  const int offset = GETARG_sBx(fs->f->code[pc]);
  return offset == NO_JUMP ? NO_JUMP : pc + 1 + offset;
}

void fixjump(FuncState* fs, int pc, int dest) {
  const int offset = dest - (pc + 1);
  if (abs(offset) > MAXARG_sBx) luaX_syntaxerror(fs->ls, "control structure too long");
  SETARG_sBx(fs->f->code[pc], offset);
}

// The instruction that decides whether the jump at pc is taken: the test
// before it, or the jump itself.
Instruction* getjumpcontrol(FuncState* fs, int pc) {
  Instruction* pi = &fs->f->code[pc];
  if (pc >= 1 && testOpMode(GET_OPCODE(*(pi - 1)), OpModeT)) return pi - 1;
  return pi;
}

// Whether some jump of the list does not already carry the value it stands for
// (it is not an OP_TEST that jumps when its value equals cond).
bool needvalue(FuncState* fs, int list, int cond) {
  for (; list != NO_JUMP; list = getjump(fs, list)) {
    const Instruction i = *getjumpcontrol(fs, list);
    if (GET_OPCODE(i) != OP_TEST || GETARG_C(i) != cond) return true;
  }
  return false;
}

// An OP_TEST copies its value into reg when it jumps; NO_REG: copies nothing
// new (the value stays where it is).
void patchtestreg(Instruction* i, int reg) {
  SETARG_A(*i, reg == NO_REG ? GETARG_B(*i) : reg);
}

// Points every jump of the list at its target: an OP_TEST that jumps on true
// goes to ttarget (copying its value to treg), one that jumps on false to
// ftarget (value to freg), any other jump to dtarget.
void patchlistaux(FuncState* fs, int list, int ttarget, int treg, int ftarget, int freg,
                  int dtarget) {
  while (list != NO_JUMP) {
    const int next = getjump(fs, list);
    Instruction* i = getjumpcontrol(fs, list);
    if (GET_OPCODE(*i) != OP_TEST) {
      fixjump(fs, list, dtarget);
    } else if (GETARG_C(*i)) {
      patchtestreg(i, treg);
      fixjump(fs, list, ttarget);
    } else {
      patchtestreg(i, freg);
      fixjump(fs, list, ftarget);
    }
    list = next;
  }
}

// Lands the jumps waiting for the current pc on it.
void dischargejpc(FuncState* fs) {
  patchlistaux(fs, fs->jpc, fs->pc, NO_REG, fs->pc, NO_REG, fs->pc);
  fs->jpc = NO_JUMP;
}

int condjump(FuncState* fs, OpCode op, int a, int b, int c) {
  luaK_codeABC(fs, op, a, b, c);
  return luaK_jump(fs);
}

// A comparison whose sense is turned around.
void invertjump(FuncState* fs, expdesc* e) {
  Instruction* pc = getjumpcontrol(fs, e->info);
  SETARG_A(*pc, !GETARG_A(*pc));
}

int codelabel(FuncState* fs, int a, int b, int jump) {
  luaK_getlabel(fs);
  return luaK_codeABC(fs, OP_LOADBOOL, a, b, jump);
}

bool hasjumps(const expdesc* e) { return e->t != e->f; }

// --- Values into registers ----------------------------------------------------

void discharge2reg(FuncState* fs, expdesc* e, int reg) {
  luaK_dischargevars(fs, e);
  switch (e->k) {
    case VNIL:
      luaK_nil(fs, reg, 1);
      break;
    case VFALSE:
    case VTRUE:
      luaK_codeABC(fs, OP_LOADBOOL, reg, e->k == VTRUE, 0);
      break;
    case VK:
      luaK_codeABx(fs, OP_LOADK, reg, e->info);
      break;
    case VRELOCABLE:
      SETARG_A(getcode(fs, e), reg);
      break;
    case VNONRELOC:
      if (reg != e->info) luaK_codeABC(fs, OP_MOVE, reg, e->info, 0);
      break;
    default:  // VVOID or VJMP: nothing to move
      return;
  }
  e->info = reg;
  e->k = VNONRELOC;
}

void discharge2anyreg(FuncState* fs, expdesc* e) {
  if (e->k != VNONRELOC) {
    luaK_reserveregs(fs, 1);
    discharge2reg(fs, e, fs->freereg - 1);
  }
}

// The value of e, with its jump lists resolved, in register reg.
void exp2reg(FuncState* fs, expdesc* e, int reg) {
  discharge2reg(fs, e, reg);
  if (e->k == VJMP) luaK_concat(fs, &e->t, e->info);
  if (hasjumps(e)) {
    int loadfalse = NO_JUMP;
    int loadtrue = NO_JUMP;
    if (needvalue(fs, e->t, 1) || needvalue(fs, e->f, 0)) {
      const int skip = e->k == VJMP ? NO_JUMP : luaK_jump(fs);
      loadfalse = codelabel(fs, reg, 0, 1);
      loadtrue = codelabel(fs, reg, 1, 0);
      luaK_patchtohere(fs, skip);
    }
    const int end = luaK_getlabel(fs);
    patchlistaux(fs, e->f, loadfalse, NO_REG, end, reg, loadfalse);
    patchlistaux(fs, e->t, end, reg, loadtrue, NO_REG, loadtrue);
  }
  e->f = e->t = NO_JUMP;
  e->info = reg;
  e->k = VNONRELOC;
}

// --- Conditions ----------------------------------------------------------------

// A test of e followed by a jump taken when e's truth equals cond.
int jumponcond(FuncState* fs, expdesc* e, int cond) {
  if (e->k == VRELOCABLE) {
    const Instruction ie = getcode(fs, e);
    if (GET_OPCODE(ie) == OP_NOT) {  // test the operand of `not' instead
      fs->pc--;
      return condjump(fs, OP_TEST, NO_REG, GETARG_B(ie), !cond);
    }
  }
  discharge2anyreg(fs, e);
  freeexp(fs, e);
  return condjump(fs, OP_TEST, NO_REG, e->info, cond);
}

void codenot(FuncState* fs, expdesc* e) {
  luaK_dischargevars(fs, e);
  switch (e->k) {
    case VNIL:
    case VFALSE:
      e->k = VTRUE;
      break;
    case VK:
    case VTRUE:
      e->k = VFALSE;
      break;
    case VJMP:
      invertjump(fs, e);
      break;
    default:  // VRELOCABLE or VNONRELOC
      discharge2anyreg(fs, e);
      freeexp(fs, e);
      e->info = luaK_codeABC(fs, OP_NOT, 0, e->info, 0);
      e->k = VRELOCABLE;
      break;
  }
  const int t = e->f;
  e->f = e->t;
  e->t = t;
}

// --- Operators --------------------------------------------------------------------

void codebinop(FuncState* fs, expdesc* res, BinOpr op, int o1, int o2) {
  if (op <= OPR_POW) {
    const OpCode opc = static_cast<OpCode>(op - OPR_ADD + OP_ADD);
    res->info = luaK_codeABC(fs, opc, 0, o1, o2);
    res->k = VRELOCABLE;
    return;
  }
  // ~= == < <= > >=: a test followed by a jump taken when the test holds.
  static constexpr OpCode kCompare[] = {OP_EQ, OP_EQ, OP_LT, OP_LE, OP_LT, OP_LE};
  int cond = 1;
  if (op >= OPR_GT) {  // a > b is b < a; a >= b is b <= a
    const int swap = o1;
    o1 = o2;
    o2 = swap;
  } else if (op == OPR_NE) {
    cond = 0;
  }
  res->info = condjump(fs, kCompare[op - OPR_NE], cond, o1, o2);
  res->k = VJMP;
}

// Gives `to' the kind and value of `from' (not its jump lists).
void takeover(expdesc* to, const expdesc* from) {
  to->k = from->k;
  to->info = from->info;
  to->aux = from->aux;
}

}  // namespace

// --- Prototypes -------------------------------------------------------------------

void luaK_openfunction(LexState* ls, FuncState* fs) {
  lua_State* L = ls->L;
  Proto* f = luaF_newproto(L);
  fs->f = f;
  fs->prev = ls->fs;
  fs->ls = ls;
  fs->L = L;
  ls->fs = fs;
  fs->pc = 0;
  fs->lasttarget = 0;
  fs->jpc = NO_JUMP;
  fs->freereg = 0;
  fs->nk = 0;
  fs->np = 0;
  fs->nlocvars = 0;
  fs->nactvar = 0;
  fs->bl = nullptr;
  fs->h = luaH_new(L, 0, 0);
  f->source = ls->source;
  f->maxstacksize = 2;  // registers 0 and 1 are always valid
}

void luaK_closefunction(LexState* ls) {
  lua_State* L = ls->L;
  FuncState* fs = ls->fs;
  Proto* f = fs->f;
  luaK_codeABC(fs, OP_RETURN, 0, 1, 0);
  trimvector(L, f->code, f->sizecode, fs->pc);
  trimvector(L, f->lineinfo, f->sizelineinfo, fs->pc);
  trimvector(L, f->k, f->sizek, fs->nk);
  trimvector(L, f->p, f->sizep, fs->np);
  trimvector(L, f->locvars, f->sizelocvars, fs->nlocvars);
  trimvector(L, f->upvalues, f->sizeupvalues, f->nups);
  ls->fs = fs->prev;
}

// --- Emitting -----------------------------------------------------------------------

int luaK_code(FuncState* fs, Instruction i, int line) {
  Proto* f = fs->f;
  dischargejpc(fs);
  luaK_growvector(fs, f->code, fs->pc, f->sizecode, MAX_INT, "code size overflow");
  f->code[fs->pc] = i;
  luaK_growvector(fs, f->lineinfo, fs->pc, f->sizelineinfo, MAX_INT, "code size overflow");
  f->lineinfo[fs->pc] = line;
  return fs->pc++;
}

int luaK_codeABC(FuncState* fs, OpCode o, int a, int b, int c) {
  return luaK_code(fs, CREATE_ABC(o, a, b, c), fs->ls->lastline);
}

int luaK_codeABx(FuncState* fs, OpCode o, int a, int bx) {
  return luaK_code(fs, CREATE_ABx(o, a, bx), fs->ls->lastline);
}

int luaK_codeAsBx(FuncState* fs, OpCode o, int a, int sbx) {
  return luaK_codeABx(fs, o, a, sbx + MAXARG_sBx);
}

void luaK_fixline(FuncState* fs, int line) { fs->f->lineinfo[fs->pc - 1] = line; }

// --- Registers --------------------------------------------------------------------

void luaK_checkstack(FuncState* fs, int n) {
  const int newstack = fs->freereg + n;
  if (newstack > fs->f->maxstacksize) {
    if (newstack >= MAXSTACK) luaX_syntaxerror(fs->ls, "function or expression too complex");
    fs->f->maxstacksize = static_cast<lu_byte>(newstack);
  }
}

void luaK_reserveregs(FuncState* fs, int n) {
  luaK_checkstack(fs, n);
  fs->freereg += n;
}

void luaK_nil(FuncState* fs, int from, int n) {
  if (fs->pc > fs->lasttarget) {  // no jump lands on the current position
    Instruction* previous = &fs->f->code[fs->pc - 1];
    if (GET_OPCODE(*previous) == OP_LOADNIL) {
      const int pfrom = GETARG_A(*previous);
      const int pto = GETARG_B(*previous);
      if (pfrom <= from && from <= pto + 1) {  // the ranges touch or overlap
        if (from + n - 1 > pto) SETARG_B(*previous, from + n - 1);
        return;
      }
    }
  }
  luaK_codeABC(fs, OP_LOADNIL, from, from + n - 1, 0);
}

// --- Constants --------------------------------------------------------------------

int luaK_stringK(FuncState* fs, LString* s) {
  TObject o;
  setsvalue(&o, s);
  return addk(fs, &o, &o);
}

int luaK_wstringK(FuncState* fs, LString* ws) {
  TObject o;
  setwsvalue(&o, ws);
  return addk(fs, &o, &o);
}

int luaK_numberK(FuncState* fs, lua_Number r) {
  TObject o;
  setnvalue(&o, r);
  return addk(fs, &o, &o);
}

// --- Moving values ------------------------------------------------------------------

void luaK_setcallreturns(FuncState* fs, expdesc* e, int nresults) {
  if (e->k != VCALL) return;
  SETARG_C(getcode(fs, e), nresults + 1);
  if (nresults == 1) {
    e->k = VNONRELOC;
    e->info = GETARG_A(getcode(fs, e));
  }
}

void luaK_dischargevars(FuncState* fs, expdesc* e) {
  switch (e->k) {
    case VLOCAL:
      e->k = VNONRELOC;
      break;
    case VUPVAL:
      e->info = luaK_codeABC(fs, OP_GETUPVAL, 0, e->info, 0);
      e->k = VRELOCABLE;
      break;
    case VGLOBAL:
      e->info = luaK_codeABx(fs, OP_GETGLOBAL, 0, e->info);
      e->k = VRELOCABLE;
      break;
    case VINDEXED:
      freereg(fs, e->aux);
      freereg(fs, e->info);
      e->info = luaK_codeABC(fs, OP_GETTABLE, 0, e->info, e->aux);
      e->k = VRELOCABLE;
      break;
    case VCALL:
      luaK_setcallreturns(fs, e, 1);
      break;
    default:  // already a value
      break;
  }
}

void luaK_exp2nextreg(FuncState* fs, expdesc* e) {
  luaK_dischargevars(fs, e);
  freeexp(fs, e);
  luaK_reserveregs(fs, 1);
  exp2reg(fs, e, fs->freereg - 1);
}

int luaK_exp2anyreg(FuncState* fs, expdesc* e) {
  luaK_dischargevars(fs, e);
  if (e->k == VNONRELOC) {
    if (!hasjumps(e)) return e->info;
    if (e->info >= fs->nactvar) {  // a temporary: resolve the jumps into it
      exp2reg(fs, e, e->info);
      return e->info;
    }
  }
  luaK_exp2nextreg(fs, e);
  return e->info;
}

void luaK_exp2val(FuncState* fs, expdesc* e) {
  if (hasjumps(e)) {
    luaK_exp2anyreg(fs, e);
  } else {
    luaK_dischargevars(fs, e);
  }
}

int luaK_exp2RK(FuncState* fs, expdesc* e) {
  luaK_exp2val(fs, e);
  switch (e->k) {
    case VNIL:
      if (fs->nk + MAXSTACK <= MAXARG_C) {
        e->info = nilK(fs);
        e->k = VK;
        return e->info + MAXSTACK;
      }
      break;
    case VK:
      if (e->info + MAXSTACK <= MAXARG_C) return e->info + MAXSTACK;
      break;
    default:
      break;
  }
  return luaK_exp2anyreg(fs, e);
}

void luaK_storevar(FuncState* fs, expdesc* var, expdesc* e) {
  switch (var->k) {
    case VLOCAL:
      freeexp(fs, e);
      exp2reg(fs, e, var->info);
      return;
    case VUPVAL:
      luaK_codeABC(fs, OP_SETUPVAL, luaK_exp2anyreg(fs, e), var->info, 0);
      break;
    case VGLOBAL:
      luaK_codeABx(fs, OP_SETGLOBAL, luaK_exp2anyreg(fs, e), var->info);
      break;
    default:  // VINDEXED
      luaK_codeABC(fs, OP_SETTABLE, var->info, var->aux, luaK_exp2RK(fs, e));
      break;
  }
  freeexp(fs, e);
}

void luaK_self(FuncState* fs, expdesc* e, expdesc* key) {
  luaK_exp2anyreg(fs, e);
  freeexp(fs, e);
  const int func = fs->freereg;
  luaK_reserveregs(fs, 2);
  luaK_codeABC(fs, OP_SELF, func, e->info, luaK_exp2RK(fs, key));
  freeexp(fs, key);
  e->info = func;
  e->k = VNONRELOC;
}

void luaK_indexed(FuncState* fs, expdesc* t, expdesc* k) {
  t->aux = luaK_exp2RK(fs, k);
  t->k = VINDEXED;
}

// --- Jumps ----------------------------------------------------------------------------

int luaK_jump(FuncState* fs) {
  // Jumps waiting for this position go where this jump goes.
  const int waiting = fs->jpc;
  fs->jpc = NO_JUMP;
  int j = luaK_codeAsBx(fs, OP_JMP, 0, NO_JUMP);
  luaK_concat(fs, &j, waiting);
  return j;
}

void luaK_patchlist(FuncState* fs, int list, int target) {
  if (target == fs->pc) {
    luaK_patchtohere(fs, list);
  } else {
    patchlistaux(fs, list, target, NO_REG, target, NO_REG, target);
  }
}

void luaK_patchtohere(FuncState* fs, int list) {
  luaK_getlabel(fs);
  luaK_concat(fs, &fs->jpc, list);
}

void luaK_concat(FuncState* fs, int* l1, int l2) {
  if (l2 == NO_JUMP) return;
  if (*l1 == NO_JUMP) {
    *l1 = l2;
    return;
  }
  int list = *l1;
  for (int next; (next = getjump(fs, list)) != NO_JUMP;) list = next;
  fixjump(fs, list, l2);
}

int luaK_getlabel(FuncState* fs) {
  fs->lasttarget = fs->pc;
  return fs->pc;
}

// Only true and false jump unconditionally: a plain jump has no value, so the
// exit takes the boolean. nil and the constants go through a test, which
// keeps their value for `and` and `or` (`nil and x` is nil, `1 or x` is 1).
void luaK_goiftrue(FuncState* fs, expdesc* e) {
  luaK_dischargevars(fs, e);
  int pc;
  switch (e->k) {
    case VK:
    case VTRUE:
      pc = NO_JUMP;  // always true: falls through
      break;
    case VFALSE:
      pc = luaK_jump(fs);  // always false: always jumps
      break;
    case VJMP:
      invertjump(fs, e);
      pc = e->info;
      break;
    default:
      pc = jumponcond(fs, e, 0);
      break;
  }
  luaK_concat(fs, &e->f, pc);
}

void luaK_goiffalse(FuncState* fs, expdesc* e) {
  luaK_dischargevars(fs, e);
  int pc;
  switch (e->k) {
    case VNIL:
    case VFALSE:
      pc = NO_JUMP;  // always false: falls through
      break;
    case VTRUE:
      pc = luaK_jump(fs);  // always true: always jumps
      break;
    case VJMP:
      pc = e->info;
      break;
    default:
      pc = jumponcond(fs, e, 1);
      break;
  }
  luaK_concat(fs, &e->t, pc);
}

// --- Operators --------------------------------------------------------------------------

void luaK_prefix(FuncState* fs, UnOpr op, expdesc* e) {
  if (op == OPR_NOT) {
    codenot(fs, e);
    return;
  }
  luaK_exp2val(fs, e);
  if (e->k == VK && ttisnumber(&fs->f->k[e->info])) {
    e->info = luaK_numberK(fs, -nvalue(&fs->f->k[e->info]));
    return;
  }
  luaK_exp2anyreg(fs, e);
  freeexp(fs, e);
  e->info = luaK_codeABC(fs, OP_UNM, 0, e->info, 0);
  e->k = VRELOCABLE;
}

void luaK_infix(FuncState* fs, BinOpr op, expdesc* v) {
  switch (op) {
    case OPR_AND:
      luaK_goiftrue(fs, v);
      luaK_patchtohere(fs, v->t);
      v->t = NO_JUMP;
      break;
    case OPR_OR:
      luaK_goiffalse(fs, v);
      luaK_patchtohere(fs, v->f);
      v->f = NO_JUMP;
      break;
    case OPR_CONCAT:
      luaK_exp2nextreg(fs, v);  // operands of OP_CONCAT are consecutive registers
      break;
    default:
      luaK_exp2RK(fs, v);
      break;
  }
}

void luaK_posfix(FuncState* fs, BinOpr op, expdesc* e1, expdesc* e2) {
  switch (op) {
    case OPR_AND:  // e1 was true: the value is e2's, and false exits of both
      luaK_dischargevars(fs, e2);
      luaK_concat(fs, &e1->f, e2->f);
      takeover(e1, e2);
      e1->t = e2->t;
      break;
    case OPR_OR:  // e1 was false: the value is e2's, and true exits of both
      luaK_dischargevars(fs, e2);
      luaK_concat(fs, &e1->t, e2->t);
      takeover(e1, e2);
      e1->f = e2->f;
      break;
    case OPR_CONCAT:
      luaK_exp2val(fs, e2);
      if (e2->k == VRELOCABLE && GET_OPCODE(getcode(fs, e2)) == OP_CONCAT) {
        // a .. (b .. c): one OP_CONCAT from e1's register on
        freeexp(fs, e1);
        SETARG_B(getcode(fs, e2), e1->info);
        e1->k = e2->k;
        e1->info = e2->info;
      } else {
        luaK_exp2nextreg(fs, e2);
        freeexp(fs, e2);
        freeexp(fs, e1);
        e1->info = luaK_codeABC(fs, OP_CONCAT, 0, e1->info, e2->info);
        e1->k = VRELOCABLE;
      }
      break;
    default: {
      const int o1 = luaK_exp2RK(fs, e1);
      const int o2 = luaK_exp2RK(fs, e2);
      freeexp(fs, e2);
      freeexp(fs, e1);
      codebinop(fs, e1, op, o1, o2);
      break;
    }
  }
}
