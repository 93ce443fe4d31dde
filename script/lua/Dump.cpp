#include "script/lua/Dump.h"

#include "script/lua/ChunkFormat.h"

namespace {

static_assert(sizeof(int) == sizeof(chunk_int) && sizeof(lua_Number) == 8,
              "ints and numbers are written as they lie in memory");

struct DumpState {
  lua_State* L;
  lua_Chunkwriter writer;
  void* data;
};

void dumpblock(DumpState* D, const void* block, size_t size) {
  D->writer(D->L, block, size, D->data);
}

void dumpbyte(DumpState* D, int x) {
  const unsigned char b = static_cast<unsigned char>(x);
  dumpblock(D, &b, 1);
}

void dumpint(DumpState* D, int x) {
  const chunk_int i = x;
  dumpblock(D, &i, sizeof i);
}

void dumpsize(DumpState* D, size_t x) {
  const chunk_size s = static_cast<chunk_size>(x);
  dumpblock(D, &s, sizeof s);
}

void dumpnumber(DumpState* D, lua_Number x) { dumpblock(D, &x, sizeof x); }

template <class T>
void dumpvector(DumpState* D, const T* v, int n) {
  dumpint(D, n);
  if (n > 0) dumpblock(D, v, static_cast<size_t>(n) * sizeof(T));
}

// The terminating zero (byte or unit) is written with the characters.
void dumpstring(DumpState* D, const LString* s) {
  if (s == nullptr) {
    dumpsize(D, 0);
    return;
  }
  dumpsize(D, s->len + 1);
  const size_t unitsize = s->tt == LUA_TWSTRING ? sizeof(lua_WChar) : 1;
  dumpblock(D, getstr(s), (s->len + 1) * unitsize);
}

void dumplocals(DumpState* D, const Proto* f) {
  dumpint(D, f->sizelocvars);
  for (int i = 0; i < f->sizelocvars; i++) {
    dumpstring(D, f->locvars[i].varname);
    dumpint(D, f->locvars[i].startpc);
    dumpint(D, f->locvars[i].endpc);
  }
}

void dumpupvalues(DumpState* D, const Proto* f) {
  dumpint(D, f->sizeupvalues);
  for (int i = 0; i < f->sizeupvalues; i++) dumpstring(D, f->upvalues[i]);
}

void dumpfunction(DumpState* D, const Proto* f, const LString* parentsource);

void dumpconstants(DumpState* D, const Proto* f) {
  dumpint(D, f->sizek);
  for (int i = 0; i < f->sizek; i++) {
    const TObject* o = &f->k[i];
    dumpbyte(D, ttype(o));
    switch (ttype(o)) {
      case LUA_TNUMBER:
        dumpnumber(D, nvalue(o));
        break;
      case LUA_TSTRING:
      case LUA_TWSTRING:
        dumpstring(D, tsvalue(o));
        break;
      default:  // nil: nothing follows
        break;
    }
  }
}

void dumpnested(DumpState* D, const Proto* f) {
  dumpint(D, f->sizep);
  for (int i = 0; i < f->sizep; i++) dumpfunction(D, f->p[i], f->source);
}

void dumpfunction(DumpState* D, const Proto* f, const LString* parentsource) {
  dumpstring(D, f->source == parentsource ? nullptr : f->source);
  dumpint(D, f->lineDefined);
  dumpbyte(D, f->nups);
  dumpbyte(D, f->numparams);
  dumpbyte(D, f->is_vararg);
  dumpbyte(D, f->maxstacksize);
  dumpvector(D, f->lineinfo, f->sizelineinfo);
  dumplocals(D, f);
  dumpupvalues(D, f);
  dumpconstants(D, f);
  dumpnested(D, f);
  dumpvector(D, f->code, f->sizecode);
}

void dumpheader(DumpState* D) {
  dumpblock(D, LUA_SIGNATURE, LUA_SIGNATURE_SIZE);
  dumpbyte(D, VERSION);
  dumpbyte(D, luaU_endianness());
  for (const ChunkSize& size : CHUNK_SIZES) dumpbyte(D, size.value);
  dumpnumber(D, TEST_NUMBER);
}

}  // namespace

void luaU_dump(lua_State* L, const Proto* f, lua_Chunkwriter writer, void* data) {
  DumpState D{L, writer, data};
  dumpheader(&D);
  dumpfunction(&D, f, nullptr);
}
