#include "script/lua/VirtualMachine.h"

#include <cstring>

#include "script/lua/Calls.h"
#include "script/lua/Debug.h"
#include "script/lua/Metamethods.h"
#include "script/lua/NumberText.h"
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
      const TObject* v = luaH_get(h, key);
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

// True when o is a string of the mode's kind, after converting a number to
// one in place; a string of the other kind is not converted.
bool tojoinable(lua_State* L, TObject* o, JoinMode mode) {
  if (isjoinedkind(o, mode)) return true;
  return mode == JoinMode::Wide ? luaV_towstring(L, o) != 0 : luaV_tostring(L, o) != 0;
}

// Joins the n strings of one kind that end below top into top - n. The
// length is counted in units of that kind and checked before anything is
// allocated.
void joinstrings(lua_State* L, StkId top, int n, JoinMode mode) {
  size_t units = 0;
  for (int i = n; i > 0; i--) {
    units += tsvalue(top - i)->len;
    if (units > MAX_SIZET) luaG_runerror(L, "string size overflow");
  }
  const size_t unitsize = mode == JoinMode::Wide ? sizeof(lua_WChar) : 1;
  char* buffer = luaZ_openspace(L, &G(L)->buff, units * unitsize);
  size_t used = 0;
  for (int i = n; i > 0; i--) {
    const LString* ts = tsvalue(top - i);
    memcpy(buffer + used, getstr(ts), ts->len * unitsize);
    used += ts->len * unitsize;
  }
  if (mode == JoinMode::Wide) {
    setwsvalue(top - n,
               luaS_newlwstr(L, reinterpret_cast<const lua_WChar*>(buffer), units));
  } else {
    setsvalue(top - n, luaS_newlstr(L, buffer, units));
  }
}

}  // namespace

void luaV_concat(lua_State* L, int total, int last) {
  const JoinMode mode = joinmode(L->base + last - total + 1, total);
  do {
    StkId top = L->base + last + 1;
    int n = 2;  // operands joined in this pass
    if (!tojoinable(L, top - 2, mode) || !tojoinable(L, top - 1, mode)) {
      if (!callbinTM(L, top - 2, top - 1, top - 2, TM_CONCAT)) {
        luaG_concaterror(L, top - 2, top - 1, mode == JoinMode::Wide);
      }
    } else if (tsvalue(top - 1)->len > 0) {  // an empty right operand leaves the left one
      while (n < total && tojoinable(L, top - n - 1, mode)) n++;
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
