#include "script/lua/Undump.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "script/lua/Calls.h"
#include "script/lua/ChunkFormat.h"
#include "script/lua/Debug.h"
#include "script/lua/Function.h"
#include "script/lua/Memory.h"
#include "script/lua/OpCodes.h"
#include "script/lua/Strings.h"

namespace {

// Deeper than the compiler ever nests functions.
constexpr int MAXFUNCTIONDEPTH = 200;

// Fewest bytes a stored function or local variable can take: what the count
// of them is checked against.
constexpr size_t MINFUNCTIONBYTES =
    sizeof(chunk_size) + sizeof(chunk_int) + 4 + 6 * sizeof(chunk_int);
constexpr size_t MINLOCALBYTES = sizeof(chunk_size) + 2 * sizeof(chunk_int);

struct LoadState {
  lua_State* L;
  Mbuffer* b;        // the whole chunk, then room for converting wide strings
  size_t size;       // bytes of the chunk
  size_t pos;        // next byte to read
  bool swap;         // the chunk was written in the other byte order
  const char* name;  // the chunk as messages name it
};

// Raises the formatted message as the loading call's error. It bypasses the
// error handler of an enclosing protected call: the handler is for errors of
// running code, and running it here would collect the half-read chunk.
[[noreturn]] __attribute__((format(printf, 2, 3))) void loaderror(lua_State* L, const char* fmt,
                                                                  ...) {
  va_list argp;
  va_start(argp, fmt);
  luaO_pushvfstring(L, fmt, argp);
  va_end(argp);
  luaD_throw(L, LUA_ERRRUN);
}

[[noreturn]] void badcode(LoadState* S) { loaderror(S->L, "bad code in %s", S->name); }

const char* messagename(const char* chunkname) {
  if (*chunkname == '@' || *chunkname == '=') return chunkname + 1;
  if (*chunkname == LUA_SIGNATURE[0]) return "binary string";
  return chunkname;
}

// Gathers the rest of the stream in b; returns its size.
size_t readstream(lua_State* L, ZIO* z, Mbuffer* b) {
  size_t size = 0;
  while (luaZ_lookahead(z) != EOZ) {
    const size_t n = z->n;
    if (size + n > luaZ_sizebuffer(b))
      luaZ_openspace(L, b, std::max(size + n, 2 * luaZ_sizebuffer(b)));
    memcpy(luaZ_buffer(b) + size, z->p, n);
    z->p += n;
    z->n = 0;
    size += n;
  }
  return size;
}

void needbytes(LoadState* S, size_t count, size_t itemsize) {
  if (count > (S->size - S->pos) / itemsize) {
    loaderror(S->L, "unexpected end of file in %s", S->name);
  }
}

// The next n bytes of the chunk; valid until the buffer grows.
const char* take(LoadState* S, size_t n) {
  needbytes(S, n, 1);
  const char* p = luaZ_buffer(S->b) + S->pos;
  S->pos += n;
  return p;
}

template <class T>
T readscalar(LoadState* S) {
  unsigned char bytes[sizeof(T)];
  memcpy(bytes, take(S, sizeof bytes), sizeof bytes);
  if (S->swap) std::reverse(bytes, bytes + sizeof bytes);
  T x;
  memcpy(&x, bytes, sizeof x);
  return x;
}

int readbyte(LoadState* S) { return static_cast<unsigned char>(*take(S, 1)); }
int readint(LoadState* S) { return readscalar<chunk_int>(S); }
size_t readsize(LoadState* S) { return readscalar<chunk_size>(S); }
lua_Number readnumber(LoadState* S) { return readscalar<double>(S); }

int readcount(LoadState* S) {
  const int n = readint(S);
  if (n < 0) loaderror(S->L, "bad integer in %s", S->name);
  return n;
}

// A count of items of at least itemsize bytes each, all of which must fit in
// what remains of the chunk.
int readcount(LoadState* S, size_t itemsize) {
  const int n = readcount(S);
  needbytes(S, static_cast<size_t>(n), itemsize);
  return n;
}

LString* readstring(LoadState* S) {
  const size_t n = readsize(S);
  if (n == 0) return nullptr;
  const char* text = take(S, n);
  return luaS_newlstr(S->L, text, n - 1);
}

// A string that must be there: a name or a constant.
LString* readpresentstring(LoadState* S) {
  LString* s = readstring(S);
  if (s == nullptr) badcode(S);
  return s;
}

// The units are copied behind the chunk in the buffer, where they are aligned,
// and put in this machine's order there.
LString* readwstring(LoadState* S) {
  const size_t n = readsize(S);
  if (n == 0) badcode(S);
  needbytes(S, n, sizeof(lua_WChar));
  const size_t bytes = n * sizeof(lua_WChar);
  const size_t from = S->pos;
  S->pos += bytes;
  const size_t to = (S->size + 1) & ~size_t{1};
  char* buffer = luaZ_openspace(S->L, S->b, to + bytes);
  memcpy(buffer + to, buffer + from, bytes);
  if (S->swap) {
    for (size_t i = 0; i < bytes; i += 2) std::swap(buffer[to + i], buffer[to + i + 1]);
  }
  return luaS_newlwstr(S->L, reinterpret_cast<const lua_WChar*>(buffer + to), n - 1);
}

// A vector gets its size once it is allocated, and references in it are
// cleared first, so a half-read prototype is always fit to be freed.
void readlines(LoadState* S, Proto* f) {
  const int n = readcount(S, sizeof(chunk_int));
  f->lineinfo = luaM_newvector<int>(S->L, n);
  f->sizelineinfo = n;
  for (int i = 0; i < n; i++) f->lineinfo[i] = readint(S);
}

void readlocals(LoadState* S, Proto* f) {
  const int n = readcount(S, MINLOCALBYTES);
  f->locvars = luaM_newvector<LocVar>(S->L, n);
  std::fill_n(f->locvars, n, LocVar{});
  f->sizelocvars = n;
  for (int i = 0; i < n; i++) {
    f->locvars[i].varname = readpresentstring(S);
    f->locvars[i].startpc = readint(S);
    f->locvars[i].endpc = readint(S);
  }
}

void readupvalues(LoadState* S, Proto* f) {
  const int n = readcount(S);
  if (n != 0 && n != f->nups) {
    loaderror(S->L, "bad nupvalues in %s: read %d; expected %d", S->name, n, f->nups);
  }
  needbytes(S, static_cast<size_t>(n), sizeof(chunk_size));
  f->upvalues = luaM_newvector<LString*>(S->L, n);
  std::fill_n(f->upvalues, n, nullptr);
  f->sizeupvalues = n;
  for (int i = 0; i < n; i++) f->upvalues[i] = readpresentstring(S);
}

void readconstants(LoadState* S, Proto* f) {
  const int n = readcount(S, 1);
  f->k = luaM_newvector<TObject>(S->L, n);
  for (int i = 0; i < n; i++) setnilvalue(&f->k[i]);
  f->sizek = n;
  for (int i = 0; i < n; i++) {
    TObject* o = &f->k[i];
    const int type = readbyte(S);
    switch (type) {
      case LUA_TNIL:
        break;
      case LUA_TNUMBER:
        setnvalue(o, readnumber(S));
        break;
      case LUA_TSTRING:
        setsvalue(o, readpresentstring(S));
        break;
      case LUA_TWSTRING:
        setwsvalue(o, readwstring(S));
        break;
      default:
        loaderror(S->L, "bad constant type (%d) in %s", type, S->name);
    }
  }
}

Proto* readfunction(LoadState* S, LString* parentsource, int depth);

void readnested(LoadState* S, Proto* f, int depth) {
  const int n = readcount(S, MINFUNCTIONBYTES);
  f->p = luaM_newvector<Proto*>(S->L, n);
  std::fill_n(f->p, n, nullptr);
  f->sizep = n;
  for (int i = 0; i < n; i++) f->p[i] = readfunction(S, f->source, depth + 1);
}

void readcode(LoadState* S, Proto* f) {
  const int n = readcount(S, sizeof(Instruction));
  f->code = luaM_newvector<Instruction>(S->L, n);
  f->sizecode = n;
  for (int i = 0; i < n; i++) f->code[i] = readscalar<Instruction>(S);
}

Proto* readfunction(LoadState* S, LString* parentsource, int depth) {
  if (depth > MAXFUNCTIONDEPTH) badcode(S);
  Proto* f = luaF_newproto(S->L);
  LString* source = readstring(S);
  f->source = source != nullptr ? source : parentsource;
  f->lineDefined = readint(S);
  f->nups = static_cast<lu_byte>(readbyte(S));
  f->numparams = static_cast<lu_byte>(readbyte(S));
  f->is_vararg = static_cast<lu_byte>(readbyte(S));
  f->maxstacksize = static_cast<lu_byte>(readbyte(S));
  readlines(S, f);
  readlocals(S, f);
  readupvalues(S, f);
  readconstants(S, f);
  readnested(S, f, depth);
  readcode(S, f);
  if (!luaG_checkcode(f)) badcode(S);
  return f;
}

void readheader(LoadState* S) {
  if (memcmp(take(S, LUA_SIGNATURE_SIZE), LUA_SIGNATURE, LUA_SIGNATURE_SIZE) != 0) {
    loaderror(S->L, "bad signature in %s", S->name);
  }
  const int version = readbyte(S);
  if (version > VERSION) {
    loaderror(S->L, "%s too new: read version %d.%d; expected at most %d.%d", S->name, version >> 4,
              version & 15, VERSION >> 4, VERSION & 15);
  }
  if (version < VERSION) {
    loaderror(S->L, "%s too old: read version %d.%d; expected at least %d.%d", S->name,
              version >> 4, version & 15, VERSION >> 4, VERSION & 15);
  }
  S->swap = readbyte(S) != luaU_endianness();
  for (const ChunkSize& size : CHUNK_SIZES) {
    const int read = readbyte(S);
    if (read != size.value) {
      loaderror(S->L, "virtual machine mismatch in %s: size of %s is %d but read %d", S->name,
                size.name, size.value, read);
    }
  }
  if (std::trunc(readnumber(S)) != std::trunc(TEST_NUMBER)) {
    loaderror(S->L, "unknown number format in %s", S->name);
  }
}

}  // namespace

Proto* luaU_undump(lua_State* L, ZIO* z, Mbuffer* buff) {
  LoadState S{L, buff, 0, 0, false, messagename(zname(z))};
  S.size = readstream(L, z, buff);
  readheader(&S);
  // A main function written without a source is named after the chunk.
  Proto* f = readfunction(&S, luaS_new(L, zname(z)), 0);
  // The loader wraps the main function in a closure without upvalues.
  if (f->nups != 0) badcode(&S);
  return f;
}
