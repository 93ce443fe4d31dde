#pragma once

#include <cstdarg>
#include <cstddef>
#include <cstdint>

#include "script/lua/Limits.h"
#include "script/lua/Lua.h"

// The interpreter's value representation: the tagged value TObject and the
// collectable objects it can point at. Every collectable object starts with
// the common header GCObject (next, tt, marked). Variable-sized objects keep
// their trailing data directly after their struct (getstr, getudata,
// upvalues(), upvals()), allocated in one block through the memory entry.

// Collectable kinds that never appear in a value.
inline constexpr int LUA_TPROTO = 10;
inline constexpr int LUA_TUPVAL = 11;
// Tag of a table key whose value became nil and whose object the collector
// no longer keeps: the key keeps its pointer for `next`, but it is neither a
// live key nor collectable, so nothing reads the object through it.
inline constexpr int LUA_TDEADKEY = 12;
// Number of per-type metatable entries (tags 0..10).
inline constexpr int NUM_TYPEMETA = 11;

struct GCObject;
struct LString;
struct Udata;
struct Table;
struct Closure;
struct Proto;
struct UpVal;

union Value {
  GCObject* gc;
  void* p;
  lua_Number n;
  int b;
};

struct TObject {
  int tt;
  Value value;
};

// Stack slot.
typedef TObject* StkId;

// Bits of GCObject::marked.
inline constexpr lu_byte MARKBIT = 1 << 0;
inline constexpr lu_byte FINALIZEDBIT = 1 << 1;  // userdata: its "__gc" ran, or it has none
inline constexpr lu_byte KEYWEAKBIT = 1 << 1;    // table: weak keys
inline constexpr lu_byte VALUEWEAKBIT = 1 << 2;  // table: weak values
inline constexpr lu_byte FIXEDBIT = 1 << 4;      // never collected

struct GCObject {
  GCObject* next;
  lu_byte tt;
  lu_byte marked;
};

// Interned byte string (tag 4) or wide string (tag 9). The characters follow
// the struct: len bytes and a zero byte, or len 16-bit units and a zero unit.
// (Named LString because TString is the framework's own text class.)
struct LString : GCObject {
  lu_byte reserved;  // byte strings: index of a reserved word of the lexer, else 0
  lu_hash hash;
  uint32_t len;   // below MAX_SIZET
  lu_hash chain;  // chooses its chain of the string table (see stringtable)
};

inline char* getstr(LString* ts) { return reinterpret_cast<char*>(ts + 1); }
inline const char* getstr(const LString* ts) { return reinterpret_cast<const char*>(ts + 1); }
inline lua_WChar* getwstr(LString* ts) { return reinterpret_cast<lua_WChar*>(ts + 1); }
inline const lua_WChar* getwstr(const LString* ts) {
  return reinterpret_cast<const lua_WChar*>(ts + 1);
}

// Full userdata (tag 7). The data block follows the struct. `len` is even for
// a data block of that size; the odd value 1 marks a boxed pointer, whose data
// block holds one host pointer.
struct alignas(std::max_align_t) Udata : GCObject {
  Table* metatable;  // never null
  size_t len;
};

inline constexpr size_t BOXED_POINTER_LEN = 1;

inline void* getudata(Udata* u) { return u + 1; }
inline bool isboxedpointer(const Udata* u) { return (u->len & 1) != 0; }
// The address a userdata stands for as a C pointer: the boxed pointer, else
// its data block.
inline void* udataaddress(Udata* u) {
  return isboxedpointer(u) ? *static_cast<void**>(getudata(u)) : getudata(u);
}
// Bytes of the data block actually allocated behind the struct.
inline size_t udatablocksize(const Udata* u) {
  return isboxedpointer(u) ? sizeof(void*) : u->len;
}

struct LocVar {
  LString* varname;
  int startpc;  // first instruction where the variable is active
  int endpc;    // first instruction where it is dead
};

// Function prototype (kind 10).
struct Proto : GCObject {
  TObject* k;  // constants
  Instruction* code;
  Proto** p;      // nested prototypes
  int* lineinfo;  // source line of each instruction
  LocVar* locvars;
  LString** upvalues;  // upvalue names
  LString* source;
  int sizeupvalues;
  int sizek;
  int sizecode;
  int sizelineinfo;
  int sizep;
  int sizelocvars;
  int lineDefined;
  GCObject* gclist;
  lu_byte nups;
  lu_byte numparams;
  lu_byte is_vararg;
  lu_byte maxstacksize;
};

// Upvalue (kind 11): points at a stack slot while open, at `value` once closed.
// Open upvalues live only on their thread's `openupval` list (ordered by stack
// level, highest first) and are linked to the collector's list when closed.
struct UpVal : GCObject {
  TObject* v;
  TObject value;
};

// Function (tag 6): a C closure or a Lua closure.
struct Closure : GCObject {
  lu_byte isC;
  lu_byte nupvalues;
  GCObject* gclist;
};

struct CClosure : Closure {
  lua_CFunction f;
  TObject* upvalues() { return reinterpret_cast<TObject*>(this + 1); }
};

struct LClosure : Closure {
  Proto* p;
  TObject g;  // environment (table of globals)
  UpVal** upvals() { return reinterpret_cast<UpVal**>(this + 1); }
};

struct Node {
  TObject i_key;
  TObject i_val;
  Node* next;
};

// Table (tag 5): an array part for the keys 1..sizearray and a hash part of
// 2^lsizenode nodes (the shared dummy node when empty).
struct Table : GCObject {
  lu_byte flags;  // bit n set: metamethod event n known to be absent
  lu_byte lsizenode;
  Table* metatable;  // never null: the default metatable when none was set
  TObject* array;
  Node* node;
  Node* firstfree;  // every node above it is in use
  GCObject* gclist;
  int sizearray;
};

inline Node* gnode(Table* t, int i) { return &t->node[i]; }
inline TObject* gkey(Node* n) { return &n->i_key; }
inline TObject* gval(Node* n) { return &n->i_val; }
inline int sizenode(const Table* t) { return 1 << t->lsizenode; }

// --- Tags and values -------------------------------------------------------

inline int ttype(const TObject* o) { return o->tt; }
inline bool ttisnil(const TObject* o) { return o->tt == LUA_TNIL; }
inline bool ttisnumber(const TObject* o) { return o->tt == LUA_TNUMBER; }
inline bool ttisstring(const TObject* o) { return o->tt == LUA_TSTRING; }
inline bool ttiswstring(const TObject* o) { return o->tt == LUA_TWSTRING; }
inline bool ttistable(const TObject* o) { return o->tt == LUA_TTABLE; }
inline bool ttisfunction(const TObject* o) { return o->tt == LUA_TFUNCTION; }
inline bool ttisboolean(const TObject* o) { return o->tt == LUA_TBOOLEAN; }
inline bool ttisuserdata(const TObject* o) { return o->tt == LUA_TUSERDATA; }
inline bool ttisthread(const TObject* o) { return o->tt == LUA_TTHREAD; }
inline bool ttislightuserdata(const TObject* o) { return o->tt == LUA_TLIGHTUSERDATA; }
inline bool iscollectable(const TObject* o) {
  return o->tt >= LUA_TSTRING && o->tt <= LUA_TWSTRING;
}

inline GCObject* gcvalue(const TObject* o) { return o->value.gc; }
inline void* pvalue(const TObject* o) { return o->value.p; }
inline lua_Number nvalue(const TObject* o) { return o->value.n; }
inline int bvalue(const TObject* o) { return o->value.b; }
inline LString* tsvalue(const TObject* o) { return static_cast<LString*>(o->value.gc); }
inline Udata* uvalue(const TObject* o) { return static_cast<Udata*>(o->value.gc); }
inline Closure* clvalue(const TObject* o) { return static_cast<Closure*>(o->value.gc); }
inline Table* hvalue(const TObject* o) { return static_cast<Table*>(o->value.gc); }
inline const char* svalue(const TObject* o) { return getstr(tsvalue(o)); }
inline const lua_WChar* wsvalue(const TObject* o) { return getwstr(tsvalue(o)); }
inline bool l_isfalse(const TObject* o) {
  return ttisnil(o) || (ttisboolean(o) && bvalue(o) == 0);
}

inline void setnilvalue(TObject* o) { o->tt = LUA_TNIL; }
inline void setnvalue(TObject* o, lua_Number n) {
  o->tt = LUA_TNUMBER;
  o->value.n = n;
}
inline void chgnvalue(TObject* o, lua_Number n) { o->value.n = n; }
inline void setbvalue(TObject* o, int b) {
  o->tt = LUA_TBOOLEAN;
  o->value.b = b != 0;
}
inline void setpvalue(TObject* o, void* p) {
  o->tt = LUA_TLIGHTUSERDATA;
  o->value.p = p;
}
inline void setgcvalue(TObject* o, GCObject* gc, int tt) {
  o->tt = tt;
  o->value.gc = gc;
}
inline void setsvalue(TObject* o, LString* s) { setgcvalue(o, s, LUA_TSTRING); }
inline void setwsvalue(TObject* o, LString* s) { setgcvalue(o, s, LUA_TWSTRING); }
inline void setuvalue(TObject* o, Udata* u) { setgcvalue(o, u, LUA_TUSERDATA); }
inline void setclvalue(TObject* o, Closure* c) { setgcvalue(o, c, LUA_TFUNCTION); }
inline void sethvalue(TObject* o, Table* t) { setgcvalue(o, t, LUA_TTABLE); }
inline void setobj(TObject* dst, const TObject* src) { *dst = *src; }

// The shared nil that failed lookups return; never written.
extern const TObject luaO_nilobject;

// Type names indexed by tag ("userdata" for light and full userdata).
extern const char* const luaT_typenames[];

// Primitive equality: same tag and same number, boolean or object.
int luaO_rawequalObj(const TObject* t1, const TObject* t2);

// Integer part of the base-2 logarithm; -1 for 0.
int luaO_log2(unsigned int x);
// Floating-byte size hints of table constructors: int2fb encodes, fb2int
// decodes (saturating, so a hint that decodes above any table size stays
// above MAXASIZE instead of wrapping).
int luaO_int2fb(unsigned int x);
size_t luaO_fb2int(int x);

// The one conversion from a number to a 32-bit integer: truncated toward zero,
// the low 32 bits kept; NaN and values outside the signed 64-bit range give 0.
// Inline, since the machine's 32-bit operators use it on their fast path.
inline uint32_t luaO_num2bits(lua_Number n) {
  // The range test comes before the cast: converting a value outside the
  // target range is undefined behaviour.
  constexpr lua_Number kLimit = 9223372036854775808.0;  // 2^63
  if (!(n >= -kLimit && n < kLimit)) return 0;
  return static_cast<uint32_t>(static_cast<uint64_t>(static_cast<int64_t>(n)));
}

// Pushes a byte string made from a format that knows "%s" (a null text gives
// "(null)"), "%c", "%d" (an int, written as a number), "%f" (a lua_Number,
// "%.14g") and "%%"; returns its characters.
const char* luaO_pushvfstring(lua_State* L, const char* fmt, va_list argp);
const char* luaO_pushfstring(lua_State* L, const char* fmt, ...)
    __attribute__((format(printf, 2, 3)));

// Printable chunk name for messages, at most bufflen bytes with the terminator
// (bufflen of at least 20; messages use LUA_IDSIZE).
void luaO_chunkid(char* out, const char* source, size_t bufflen);
