#include "script/lua/VirtualMachine.h"

#include <algorithm>
#include <cstring>
#include <functional>

#include "script/lua/Calls.h"
#include "script/lua/Collector.h"
#include "script/lua/Debug.h"
#include "script/lua/Function.h"
#include "script/lua/Metamethods.h"
#include "script/lua/NumberText.h"
#include "script/lua/OpCodes.h"
#include "script/lua/Strings.h"
#include "script/lua/Table.h"

namespace {

// Calls the metamethod f with (p1, p2) and returns its first result. The
// arguments are written above the top before the stack is checked (the
// slots above stack_last allow it), since growing the stack would leave p1
// and p2 pointing at the old one.
TObject callTMres(lua_State* L, const TObject* f, const TObject* p1, const TObject* p2) {
  setobj(L->top, f);
  setobj(L->top + 1, p1);
  setobj(L->top + 2, p2);
  luaD_checkstack(L, 3);
  L->top += 3;
  luaD_call(L, L->top - 3, 1);
  L->top--;
  return *L->top;
}

// Calls the metamethod f with (p1, p2, p3) for no result.
void callTM(lua_State* L, const TObject* f, const TObject* p1, const TObject* p2,
            const TObject* p3) {
  setobj(L->top, f);
  setobj(L->top + 1, p1);
  setobj(L->top + 2, p2);
  setobj(L->top + 3, p3);
  luaD_checkstack(L, 4);
  L->top += 4;
  luaD_call(L, L->top - 4, 0);
}

}  // namespace

const TObject* luaV_tonumber(const TObject* obj, TObject* n) {
  lua_Number num;
  if (ttisnumber(obj)) return obj;
  if ((ttisstring(obj) && luaO_str2d(svalue(obj), &num)) ||
      (ttiswstring(obj) && luaO_wstr2d(wsvalue(obj), &num))) {
    setnvalue(n, num);
    return n;
  }
  return nullptr;
}

// --- Indexing and assignment ------------------------------------------------------

void luaV_gettable(lua_State* L, const TObject* t, const TObject* key, StkId val) {
  const ptrdiff_t valr = savestack(L, val);
  for (int loop = 0; loop <= MAXTAGLOOP; loop++) {
    const TObject* tm;
    if (ttistable(t)) {
      Table* h = hvalue(t);
      const TObject* v = luaH_fastget(h, key);
      if (!ttisnil(v) || (tm = fasttm(L, h->metatable, TM_INDEX)) == nullptr) {
        setobj(restorestack(L, valr), v);
        return;
      }
    } else if (ttisnil(tm = luaT_gettmbyobj(L, t, TM_INDEX))) {
      luaG_typeerror(L, t, "index");
    }
    if (ttisfunction(tm)) {
      const TObject result = callTMres(L, tm, t, key);
      setobj(restorestack(L, valr), &result);
      return;
    }
    t = tm;  // index the metamethod's value in t's place
  }
  luaG_runerror(L, "loop in gettable");
}

void luaV_settable(lua_State* L, const TObject* t, const TObject* key, const TObject* val) {
  for (int loop = 0; loop <= MAXTAGLOOP; loop++) {
    const TObject* tm;
    if (ttistable(t)) {
      Table* h = hvalue(t);
      TObject* slot = luaH_set(L, h, key);
      if (!ttisnil(slot) || (tm = fasttm(L, h->metatable, TM_NEWINDEX)) == nullptr) {
        setobj(slot, val);  // nil leaves the key as a dead slot
        return;
      }
    } else if (ttisnil(tm = luaT_gettmbyobj(L, t, TM_NEWINDEX))) {
      luaG_typeerror(L, t, "index");
    }
    if (ttisfunction(tm)) {
      // A new key the metamethod did not fill stays behind as a dead slot,
      // which `next` skips.
      callTM(L, tm, t, key, val);
      return;
    }
    t = tm;  // assign into the metamethod's value in t's place
  }
  luaG_runerror(L, "loop in settable");
}

// --- Metamethods of two operands ----------------------------------------------------

namespace {

// The metamethod of p1 for the event, else of p2; only a function counts (a
// per-type table found for a value that is not a table is no metamethod).
// Calls it with (p1, p2) and stores its result at res; false when neither
// operand has one.
bool callbinTM(lua_State* L, const TObject* p1, const TObject* p2, StkId res, TMS event) {
  const TObject* tm = luaT_gettmbyobj(L, p1, event);
  if (!ttisfunction(tm)) tm = luaT_gettmbyobj(L, p2, event);
  if (!ttisfunction(tm)) return false;
  const ptrdiff_t resr = savestack(L, res);
  const TObject result = callTMres(L, tm, p1, p2);
  setobj(restorestack(L, resr), &result);
  return true;
}

}  // namespace

// --- Concatenation ------------------------------------------------------------------

namespace {

enum class JoinMode { Bytes, Wide };

// The topmost byte or wide string among the operands decides.
JoinMode joinmode(StkId first, int total) {
  for (StkId o = first + total - 1; o >= first; o--) {
    if (ttiswstring(o)) return JoinMode::Wide;
    if (ttisstring(o)) return JoinMode::Bytes;
  }
  return JoinMode::Bytes;
}

bool isjoinedkind(const TObject* o, JoinMode mode) {
  return mode == JoinMode::Wide ? ttiswstring(o) : ttisstring(o);
}

// A string of the mode's kind, or a number, which joins as its "%.14g" text
// (widened in wide mode) without being interned on its own; a string of the
// other kind does not join.
bool isjoinable(const TObject* o, JoinMode mode) { return ttisnumber(o) || isjoinedkind(o, mode); }

// Writes the text of the joinable operand o at `out` (which has room for a
// number's text); returns the units written.
size_t writeoperand(const TObject* o, JoinMode mode, char* out) {
  const size_t unitsize = mode == JoinMode::Wide ? sizeof(lua_WChar) : 1;
  if (!ttisnumber(o)) {
    const LString* ts = tsvalue(o);
    memcpy(out, getstr(ts), ts->len * unitsize);
    return ts->len;
  }
  char text[LUAI_MAXNUMBER2STR];
  const size_t len = luaO_number2str(nvalue(o), text);
  if (mode == JoinMode::Bytes) {
    memcpy(out, text, len);
  } else {
    for (size_t i = 0; i < len; i++) {
      const lua_WChar unit = static_cast<unsigned char>(text[i]);
      memcpy(out + i * sizeof unit, &unit, sizeof unit);
    }
  }
  return len;
}

// Joins the n operands that end below top into top - n. The length is
// counted in units of the mode's kind (a number counts as the longest text it
// can have) and checked before anything is allocated.
void joinstrings(lua_State* L, StkId top, int n, JoinMode mode) {
  size_t room = 0;
  for (int i = n; i > 0; i--) {
    const TObject* o = top - i;
    room += ttisnumber(o) ? LUAI_MAXNUMBER2STR : tsvalue(o)->len;
    if (room > MAX_SIZET) luaG_runerror(L, "string size overflow");
  }
  const size_t unitsize = mode == JoinMode::Wide ? sizeof(lua_WChar) : 1;
  char* buffer = luaZ_openspace(L, &G(L)->buff, room * unitsize);
  size_t units = 0;
  for (int i = n; i > 0; i--) units += writeoperand(top - i, mode, buffer + units * unitsize);
  if (mode == JoinMode::Wide) {
    setwsvalue(top - n,
               luaS_newlwstr(L, reinterpret_cast<const lua_WChar*>(buffer), units));
  } else {
    setsvalue(top - n, luaS_newlstr(L, buffer, units));
  }
}

// An operand that adds nothing to the text before it.
bool isemptystring(const TObject* o) { return !ttisnumber(o) && tsvalue(o)->len == 0; }

// The most common join, a short byte string or number with another, made in
// a buffer on the C stack; false when the two operands at first are not such.
bool joinshort(lua_State* L, StkId first) {
  constexpr size_t kShort = 64;
  const auto isshort = [](const TObject* o) {
    return ttisnumber(o) || (ttisstring(o) && tsvalue(o)->len <= kShort);
  };
  if (!isshort(first) || !isshort(first + 1)) return false;
  char text[2 * std::max<size_t>(kShort, LUAI_MAXNUMBER2STR)];
  const size_t left = writeoperand(first, JoinMode::Bytes, text);
  const size_t len = left + writeoperand(first + 1, JoinMode::Bytes, text + left);
  setsvalue(first, luaS_newlstr(L, text, len));
  return true;
}

}  // namespace

void luaV_concat(lua_State* L, int total, int last) {
  if (total == 2 && joinshort(L, L->base + last - 1)) return;
  const JoinMode mode = joinmode(L->base + last - total + 1, total);
  do {
    StkId top = L->base + last + 1;
    int n = 2;  // operands joined in this pass
    if (!isjoinable(top - 2, mode) || !isjoinable(top - 1, mode)) {
      if (!callbinTM(L, top - 2, top - 1, top - 2, TM_CONCAT)) {
        luaG_concaterror(L, top - 2, top - 1, mode == JoinMode::Wide);
      }
    } else if (isemptystring(top - 1) && isjoinedkind(top - 2, mode)) {
      // an empty right operand leaves the left string as it is
    } else {
      while (n < total && isjoinable(top - n - 1, mode)) n++;
      joinstrings(L, top, n, mode);
    }
    total -= n - 1;
    last -= n - 1;
  } while (total > 1);
}

// --- Comparison ---------------------------------------------------------------------

namespace {

// Byte strings compare by the locale's collation, piece by piece between the
// zero bytes they may hold.
int comparestrings(const LString* ls, const LString* rs) {
  const char* l = getstr(ls);
  size_t ll = ls->len;
  const char* r = getstr(rs);
  size_t lr = rs->len;
  for (;;) {
    const int order = strcoll(l, r);
    if (order != 0) return order;
    const size_t piece = strlen(l);  // both are equal up to this zero byte
    if (piece == lr) return piece == ll ? 0 : 1;
    if (piece == ll) return -1;
    l += piece + 1;
    ll -= piece + 1;
    r += piece + 1;
    lr -= piece + 1;
  }
}

// The order metamethod both operands share, called with them: 1 or 0, or -1
// when there is none. It is called whatever it is: for values that are not
// tables or userdata it is their per-type table.
int callorderTM(lua_State* L, const TObject* p1, const TObject* p2, TMS event) {
  const TObject* tm1 = luaT_gettmbyobj(L, p1, event);
  if (ttisnil(tm1)) return -1;
  const TObject* tm2 = luaT_gettmbyobj(L, p2, event);
  if (!luaO_rawequalObj(tm1, tm2)) return -1;
  const TObject result = callTMres(L, tm1, p1, p2);
  return l_isfalse(&result) ? 0 : 1;
}

// The "__eq" metamethod two metatables share, or null.
const TObject* sharedeqTM(lua_State* L, Table* mt1, Table* mt2) {
  const TObject* tm1 = fasttm(L, mt1, TM_EQ);
  if (tm1 == nullptr) return nullptr;
  if (mt1 == mt2) return tm1;
  const TObject* tm2 = fasttm(L, mt2, TM_EQ);
  if (tm2 == nullptr || !luaO_rawequalObj(tm1, tm2)) return nullptr;
  return tm1;
}

}  // namespace

int luaV_lessthan(lua_State* L, const TObject* l, const TObject* r) {
  if (ttype(l) != ttype(r)) luaG_ordererror(L, l, r);
  if (ttisnumber(l)) return nvalue(l) < nvalue(r);
  if (ttisstring(l)) return comparestrings(tsvalue(l), tsvalue(r)) < 0;
  const int res = callorderTM(L, l, r, TM_LT);
  if (res == -1) luaG_ordererror(L, l, r);
  return res;
}

int luaV_lessequal(lua_State* L, const TObject* l, const TObject* r) {
  if (ttype(l) != ttype(r)) luaG_ordererror(L, l, r);
  if (ttisnumber(l)) return nvalue(l) <= nvalue(r);
  if (ttisstring(l)) return comparestrings(tsvalue(l), tsvalue(r)) <= 0;
  int res = callorderTM(L, l, r, TM_LE);
  if (res != -1) return res;
  res = callorderTM(L, r, l, TM_LT);  // a <= b as not (b < a)
  if (res == -1) luaG_ordererror(L, l, r);
  return !res;
}

int luaV_equalobj(lua_State* L, const TObject* t1, const TObject* t2) {
  if (luaO_rawequalObj(t1, t2)) return 1;
  const TObject* tm;
  if (ttistable(t1)) {
    tm = sharedeqTM(L, hvalue(t1)->metatable, hvalue(t2)->metatable);
  } else if (ttisuserdata(t1)) {
    tm = sharedeqTM(L, uvalue(t1)->metatable, uvalue(t2)->metatable);
  } else {
    return 0;  // other values are equal only when primitively equal
  }
  if (tm == nullptr) return 0;
  const TObject result = callTMres(L, tm, t1, t2);
  return !l_isfalse(&result);
}

// --- Instructions that leave the fast path ------------------------------------------

namespace {

lua_Number numberarith(OpCode op, lua_Number b, lua_Number c) {
  switch (op) {
    case OP_ADD:
      return b + c;
    case OP_SUB:
      return b - c;
    case OP_MUL:
      return b * c;
    default:
      return b / c;
  }
}

// + - * / of operands that are not both numbers: numeric texts convert,
// else the operands' metamethod, else the arithmetic error.
void arith(lua_State* L, OpCode op, StkId ra, const TObject* rb, const TObject* rc) {
  TObject nb, nc;
  const TObject* b = luaV_tonumber(rb, &nb);
  const TObject* c = b != nullptr ? luaV_tonumber(rc, &nc) : nullptr;
  if (c == nullptr) {
    const TMS event = static_cast<TMS>(TM_ADD + (op - OP_ADD));  // in the same order
    if (!callbinTM(L, rb, rc, ra, event)) luaG_aritherror(L, rb, rc);
    return;
  }
  setnvalue(ra, numberarith(op, nvalue(b), nvalue(c)));
}

// ^ of operands that are not both numbers: when both convert, the global
// function "__pow" computes the power; else the operands' metamethod.
void power(lua_State* L, StkId ra, const TObject* rb, const TObject* rc) {
  TObject nb, nc;
  const TObject* b = luaV_tonumber(rb, &nb);
  const TObject* c = b != nullptr ? luaV_tonumber(rc, &nc) : nullptr;
  if (c == nullptr) {
    if (!callbinTM(L, rb, rc, ra, TM_POW)) luaG_aritherror(L, rb, rc);
    return;
  }
  const TObject* f =
      ttistable(gt(L)) ? luaH_getstr(hvalue(gt(L)), G(L)->tmname[TM_POW]) : &luaO_nilobject;
  if (!ttisfunction(f)) luaG_runerror(L, "`__pow' (`^' operator) is not a function");
  const ptrdiff_t rar = savestack(L, ra);
  const TObject result = callTMres(L, f, b, c);
  setobj(restorestack(L, rar), &result);
}

uint32_t bitop(OpCode op, uint32_t x, uint32_t y) {
  switch (op) {
    case OP_BAND:
      return x & y;
    case OP_BOR:
      return x | y;
    case OP_SHL:
      return x << (y & 31);  // counts modulo 32: a shift by 32 or more is undefined
    default:
      return x >> (y & 31);
  }
}

// The 32-bit operators take numbers only: no text converts and no
// metamethod is asked. Names the first operand that is not a number.
[[noreturn]] void bitoperror(lua_State* L, const TObject* rb, const TObject* rc) {
  luaG_typeerror(L, ttisnumber(rb) ? rc : rb, "perform arithmetic on");
}

void negate(lua_State* L, StkId ra, const TObject* rb) {
  TObject n;
  const TObject* v = luaV_tonumber(rb, &n);
  if (v != nullptr) {
    setnvalue(ra, -nvalue(v));
    return;
  }
  TObject nil;
  setnilvalue(&nil);
  if (!callbinTM(L, rb, &nil, ra, TM_UNM)) luaG_aritherror(L, rb, &nil);
}

// A method found without calling anything: in the table itself, or in the
// table that is its "__index"; else null.
const TObject* methodof(lua_State* L, const TObject* self, const TObject* key) {
  if (!ttistable(self)) return nullptr;
  Table* h = hvalue(self);
  const TObject* v = luaH_fastget(h, key);
  if (!ttisnil(v)) return v;
  const TObject* index = fasttm(L, h->metatable, TM_INDEX);
  if (index == nullptr) return v;
  if (!ttistable(index)) return nullptr;
  v = luaH_fastget(hvalue(index), key);
  return ttisnil(v) ? nullptr : v;
}

// A numeric text in a `for' limit or step becomes its number in place.
bool tonumberinplace(TObject* o) {
  TObject n;
  const TObject* v = luaV_tonumber(o, &n);
  if (v == nullptr) return false;
  setobj(o, v);
  return true;
}

// Steps a numeric `for' loop whose index, limit and step are at ra; true
// while the loop goes on.
bool forstep(lua_State* L, StkId ra) {
  if (!ttisnumber(ra)) luaG_runerror(L, "`for' initial value must be a number");
  if (!tonumberinplace(ra + 1)) luaG_runerror(L, "`for' limit must be a number");
  if (!tonumberinplace(ra + 2)) luaG_runerror(L, "`for' step must be a number");
  const lua_Number step = nvalue(ra + 2);
  const lua_Number index = nvalue(ra) + step;
  const lua_Number limit = nvalue(ra + 1);
  if (step > 0 ? index > limit : index < limit) return false;
  chgnvalue(ra, index);
  return true;
}

// Calls the generator of a generic `for' loop (ra: generator, state,
// control) above the loop's variables and moves its nvar results onto them.
void forcall(lua_State* L, int a, int nvar) {
  StkId ra = L->base + a;
  StkId cb = ra + nvar + 2;
  setobj(cb, ra);
  setobj(cb + 1, ra + 1);
  setobj(cb + 2, ra + 2);
  L->top = cb + 3;
  luaD_call(L, cb, nvar);
  L->top = L->ci->top;
  ra = L->base + a;
  cb = ra + nvar + 2;
  for (int j = 0; j < nvar; j++) setobj(ra + 2 + j, cb + j);
}

// Stores n list items above the table at ra under the keys first + 1 ..
// first + n. A table is required: a loaded chunk may name anything there.
void setlist(lua_State* L, StkId ra, int first, int n) {
  if (!ttistable(ra)) luaG_typeerror(L, ra, "index");
  Table* h = hvalue(ra);
  for (; n > 0; n--) setobj(luaH_setnum(L, h, first + n), ra + n);
}

// A closure of nested prototype `index' whose upvalues are named by the
// instructions at pc, which it passes.
Closure* makeclosure(lua_State* L, LClosure* cl, int index, StkId base, const Instruction*& pc) {
  Proto* p = cl->p->p[index];
  LClosure* ncl = static_cast<LClosure*>(luaF_newLclosure(L, p->nups, &cl->g));
  ncl->p = p;
  for (int j = 0; j < p->nups; j++, pc++) {
    if (GET_OPCODE(*pc) == OP_GETUPVAL) {
      ncl->upvals()[j] = cl->upvals()[GETARG_B(*pc)];
    } else {  // OP_MOVE: a local of the running function
      ncl->upvals()[j] = luaF_findupval(L, base + GETARG_B(*pc));
    }
  }
  return ncl;
}

// Replaces the frame of the running function by the frame that luaD_precall
// just made above it for a tail call: the called function and its frame move
// down, and the record counts one more call it no longer shows.
void replaceframe(lua_State* L, int a) {
  CallInfo* ci = L->ci - 1;
  StkId base = ci->base;
  StkId ra = base + a;
  if (L->openupval != nullptr) luaF_close(L, base);
  int moved = 0;
  for (; ra + moved < L->top; moved++) setobj(base + moved - 1, ra + moved);
  ci->top = L->top = base - 1 + moved;
  ci->savedpc = L->ci->savedpc;
  ci->tailcalls++;
  ci->state = CI_SAVEDPC;
  L->ci = ci;
  L->base = ci->base;
}

}  // namespace

// --- Instruction loop ---------------------------------------------------------------

StkId luaV_execute(lua_State* L) {
  // The program counter is a local that the running record points at, so
  // errors read the current instruction.
  const Instruction* pc;
reentry:  // a Lua frame starts or continues: L->ci
  L->ci->pc = &pc;
  L->ci->state = CI_HASFRAME;
  pc = L->ci->savedpc;
  LClosure* cl = static_cast<LClosure*>(clvalue(L->base - 1));
  const TObject* k = cl->p->k;
  StkId base = L->base;
  auto RK = [&](int x) -> const TObject* { return ISK(x) ? k + (x - MAXSTACK) : base + x; };
  for (;;) {
    const Instruction i = *pc++;
    StkId ra = base + GETARG_A(i);
    // + - * / of instruction i, each opcode with its own copy of the number
    // case, so the machine takes no further branch on the operation.
    auto arithmetic = [&](auto operation) {
      const TObject* rb = RK(GETARG_B(i));
      const TObject* rc = RK(GETARG_C(i));
      if (ttisnumber(rb) && ttisnumber(rc)) {
        setnvalue(ra, operation(nvalue(rb), nvalue(rc)));
      } else {
        arith(L, GET_OPCODE(i), ra, rb, rc);
        base = L->base;
      }
    };
    // == < <= of instruction i, likewise: skips the jump that follows unless
    // the outcome is the one it names.
    auto comparison = [&](auto numbers, int (*values)(lua_State*, const TObject*, const TObject*)) {
      const TObject* rb = RK(GETARG_B(i));
      const TObject* rc = RK(GETARG_C(i));
      int holds;
      if (ttisnumber(rb) && ttisnumber(rc)) {
        holds = numbers(nvalue(rb), nvalue(rc));
      } else {
        holds = values(L, rb, rc);
        base = L->base;
      }
      if (holds != GETARG_A(i)) {
        pc++;  // skip the jump
      } else {
        pc += GETARG_sBx(*pc) + 1;  // take it
      }
    };
    switch (GET_OPCODE(i)) {
      case OP_MOVE:
        setobj(ra, base + GETARG_B(i));
        break;
      case OP_LOADK:
        setobj(ra, k + GETARG_Bx(i));
        break;
      case OP_LOADBOOL:
        setbvalue(ra, GETARG_B(i));
        if (GETARG_C(i)) pc++;
        break;
      case OP_LOADNIL:
        for (StkId r = ra; r <= base + GETARG_B(i); r++) setnilvalue(r);
        break;
      case OP_GETUPVAL:
        setobj(ra, cl->upvals()[GETARG_B(i)]->v);
        break;
      case OP_GETGLOBAL: {
        const TObject* key = k + GETARG_Bx(i);
        if (ttistable(&cl->g)) {
          const TObject* v = luaH_getstr(hvalue(&cl->g), tsvalue(key));
          if (!ttisnil(v)) {
            setobj(ra, v);
            break;
          }
        }
        luaV_gettable(L, &cl->g, key, ra);
        base = L->base;
        break;
      }
      case OP_GETTABLE: {
        StkId rb = base + GETARG_B(i);
        const TObject* key = RK(GETARG_C(i));
        if (ttistable(rb)) {
          Table* h = hvalue(rb);
          const TObject* v = luaH_fastget(h, key);
          if (!ttisnil(v) || fasttm(L, h->metatable, TM_INDEX) == nullptr) {
            setobj(ra, v);
            break;
          }
        }
        luaV_gettable(L, rb, key, ra);
        base = L->base;
        break;
      }
      case OP_SETGLOBAL:
        luaV_settable(L, &cl->g, k + GETARG_Bx(i), ra);
        base = L->base;
        break;
      case OP_SETUPVAL:
        setobj(cl->upvals()[GETARG_B(i)]->v, ra);
        break;
      case OP_SETTABLE: {
        const TObject* key = RK(GETARG_B(i));
        const TObject* val = RK(GETARG_C(i));
        if (ttistable(ra)) {
          // A key that holds a value takes the new one without metamethods,
          // and so does an empty array slot of a table without "__newindex":
          // no key that names a metamethod changes, so no cached absence
          // goes stale.
          Table* h = hvalue(ra);
          TObject* slot = luaH_arrayslot(h, key);
          const bool inarray = slot != nullptr;
          if (!inarray) slot = const_cast<TObject*>(luaH_fastget(h, key));
          if (!ttisnil(slot) || (inarray && fasttm(L, h->metatable, TM_NEWINDEX) == nullptr)) {
            setobj(slot, val);
            break;
          }
        }
        luaV_settable(L, ra, key, val);
        base = L->base;
        break;
      }
      case OP_NEWTABLE:
        sethvalue(ra, luaH_new(L, luaO_fb2int(GETARG_B(i)), GETARG_C(i)));
        luaC_checkGC(L);
        base = L->base;
        break;
      case OP_SELF: {
        StkId rb = base + GETARG_B(i);
        const TObject* key = RK(GETARG_C(i));
        setobj(ra + 1, rb);
        if (const TObject* method = methodof(L, rb, key)) {
          setobj(ra, method);
          break;
        }
        luaV_gettable(L, ra + 1, key, ra);
        base = L->base;
        break;
      }
      case OP_ADD:
        arithmetic(std::plus<lua_Number>());
        break;
      case OP_SUB:
        arithmetic(std::minus<lua_Number>());
        break;
      case OP_MUL:
        arithmetic(std::multiplies<lua_Number>());
        break;
      case OP_DIV:
        arithmetic(std::divides<lua_Number>());
        break;
      case OP_BAND:
      case OP_BOR:
      case OP_SHL:
      case OP_SHR: {
        const TObject* rb = RK(GETARG_B(i));
        const TObject* rc = RK(GETARG_C(i));
        if (!ttisnumber(rb) || !ttisnumber(rc)) bitoperror(L, rb, rc);
        setnvalue(ra, bitop(GET_OPCODE(i), luaO_num2bits(nvalue(rb)), luaO_num2bits(nvalue(rc))));
        break;
      }
      case OP_POW: {
        const TObject* rb = RK(GETARG_B(i));
        const TObject* rc = RK(GETARG_C(i));
        if (ttisnumber(rb) && ttisnumber(rc)) {
          setnvalue(ra, luaO_num2bits(nvalue(rb)) ^ luaO_num2bits(nvalue(rc)));
        } else {
          power(L, ra, rb, rc);
          base = L->base;
        }
        break;
      }
      case OP_UNM: {
        StkId rb = base + GETARG_B(i);
        if (ttisnumber(rb)) {
          setnvalue(ra, -nvalue(rb));
        } else {
          negate(L, ra, rb);
          base = L->base;
        }
        break;
      }
      case OP_NOT:
        setbvalue(ra, l_isfalse(base + GETARG_B(i)));
        break;
      case OP_CONCAT: {
        const int b = GETARG_B(i);
        const int c = GETARG_C(i);
        luaV_concat(L, c - b + 1, c);
        base = L->base;
        setobj(base + GETARG_A(i), base + b);
        luaC_checkGC(L);
        base = L->base;
        break;
      }
      case OP_JMP:
        pc += GETARG_sBx(i);
        break;
      case OP_EQ:
        comparison(std::equal_to<lua_Number>(), luaV_equal);
        break;
      case OP_LT:
        comparison(std::less<lua_Number>(), luaV_lessthan);
        break;
      case OP_LE:
        comparison(std::less_equal<lua_Number>(), luaV_lessequal);
        break;
      case OP_TEST: {
        StkId rb = base + GETARG_B(i);
        if (l_isfalse(rb) == (GETARG_C(i) != 0)) {
          pc++;
        } else {
          setobj(ra, rb);
          pc += GETARG_sBx(*pc) + 1;
        }
        break;
      }
      case OP_CALL:
      case OP_TAILCALL: {
        const int b = GETARG_B(i);
        if (b != 0) L->top = ra + b;  // else the previous call left the top
        StkId first = luaD_precall(L, ra);
        if (first == nullptr) {  // a Lua function: its frame is ready
          if (GET_OPCODE(i) == OP_CALL) {
            (L->ci - 1)->savedpc = pc;
            (L->ci - 1)->state = CI_SAVEDPC | CI_CALLING;
          } else {
            replaceframe(L, GETARG_A(i));
          }
          goto reentry;
        }
        if (first > L->top) {  // the C function yielded
          (L->ci - 1)->savedpc = pc;
          (L->ci - 1)->state = CI_SAVEDPC;
          return nullptr;
        }
        const int wanted = GETARG_C(i) - 1;
        luaD_poscall(L, wanted, first);
        if (wanted >= 0) L->top = L->ci->top;
        base = L->base;
        break;
      }
      case OP_RETURN: {
        const int b = GETARG_B(i);
        if (b != 0) L->top = ra + b - 1;
        // Upvalues open on locals of an enclosing frame stay open.
        if (L->openupval != nullptr && static_cast<UpVal*>(L->openupval)->v >= base) {
          luaF_close(L, base);
        }
        L->ci->state = CI_SAVEDPC;
        L->ci->savedpc = pc;
        CallInfo* caller = L->ci - 1;
        if (!(caller->state & CI_CALLING)) return ra;  // the frame that entered the loop
        const int wanted = GETARG_C(*(caller->savedpc - 1)) - 1;
        luaD_poscall(L, wanted, ra);
        if (wanted >= 0) L->top = L->ci->top;
        goto reentry;
      }
      case OP_FORLOOP:
        if (ttisnumber(ra) && ttisnumber(ra + 1) && ttisnumber(ra + 2)) {
          const lua_Number step = nvalue(ra + 2);
          const lua_Number index = nvalue(ra) + step;
          const lua_Number limit = nvalue(ra + 1);
          if (step > 0 ? index <= limit : index >= limit) {
            chgnvalue(ra, index);
            pc += GETARG_sBx(i);
          }
        } else if (forstep(L, ra)) {
          pc += GETARG_sBx(i);
        }
        break;
      case OP_TFORLOOP:
        forcall(L, GETARG_A(i), GETARG_C(i) + 1);
        base = L->base;
        if (ttisnil(base + GETARG_A(i) + 2)) {
          pc++;  // the loop ends
        } else {
          pc += GETARG_sBx(*pc) + 1;
        }
        break;
      case OP_TFORPREP:
        if (ttistable(ra)) {
          setobj(ra + 1, ra);
          const TObject* next = ttistable(gt(L))
                                    ? luaH_getstr(hvalue(gt(L)), luaS_new(L, "next"))
                                    : &luaO_nilobject;
          setobj(ra, next);
        }
        pc += GETARG_sBx(i);
        break;
      case OP_SETLIST:
      case OP_SETLISTO: {
        const int bx = GETARG_Bx(i);
        int n;
        if (GET_OPCODE(i) == OP_SETLIST) {
          n = (bx & (LFIELDS_PER_FLUSH - 1)) + 1;
        } else {
          n = static_cast<int>(L->top - ra) - 1;
          L->top = L->ci->top;
        }
        setlist(L, ra, bx - (bx & (LFIELDS_PER_FLUSH - 1)), n);
        break;
      }
      case OP_CLOSE:
        luaF_close(L, ra);
        break;
      case OP_CLOSURE:
        setclvalue(ra, makeclosure(L, cl, GETARG_Bx(i), base, pc));
        luaC_checkGC(L);
        base = L->base;
        break;
    }
  }
}
