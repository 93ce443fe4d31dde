// The C interface's calls, loading, dumping, collector control and errors.

#include "script/lua/Api.h"
#include "script/lua/Calls.h"
#include "script/lua/Collector.h"
#include "script/lua/Debug.h"
#include "script/lua/Dump.h"
#include "script/lua/Strings.h"

namespace {

// A precompiled chunk starts with this byte.
constexpr int kChunkSignature = 27;

// Largest KB count the collector reports, and the threshold from which on
// there is no limit: the counters scripts see are 32-bit byte counts.
constexpr lu_mem kMaxKB = 4194303;

int tokb(lu_mem bytes) { return static_cast<int>(bytes / 1024 < kMaxKB ? bytes / 1024 : kMaxKB); }

struct CallArgs {
  ptrdiff_t func;
  int nresults;
};

void protectedcall(lua_State* L, void* ud) {
  const CallArgs* args = static_cast<const CallArgs*>(ud);
  luaD_call(L, restorestack(L, args->func), args->nresults);
}

// Room for the results, which the call writes from the function's slot on.
void reserveresults(lua_State* L, int nresults) {
  if (nresults > 0) luaD_checkstack(L, nresults);
}

}  // namespace

void lua_call(lua_State* L, int nargs, int nresults) {
  reserveresults(L, nresults);
  luaD_call(L, L->top - (nargs + 1), nresults);
}

int lua_pcall(lua_State* L, int nargs, int nresults, int errfunc) {
  reserveresults(L, nresults);
  ptrdiff_t handler = 0;
  if (errfunc != 0) {
    StkId slot = luaA_stackslot(L, errfunc);
    if (slot != nullptr) handler = savestack(L, slot);
  }
  CallArgs args{savestack(L, L->top - (nargs + 1)), nresults};
  return luaD_pcall(L, protectedcall, &args, args.func, handler);
}

int lua_load(lua_State* L, lua_Chunkreader reader, void* data, const char* chunkname) {
  ZIO z;
  luaZ_init(&z, reader, data, chunkname != nullptr ? chunkname : "?");
  const int first = luaZ_lookahead(&z);
  return luaD_protectedparser(L, &z, first == kChunkSignature);
}

int lua_dump(lua_State* L, lua_Chunkwriter writer, void* data) {
  const TObject* o = luaA_indexAcceptable(L, -1);
  if (o == nullptr || !ttisfunction(o) || clvalue(o)->isC || clvalue(o)->nupvalues != 0) return 0;
  luaU_dump(L, static_cast<LClosure*>(clvalue(o))->p, writer, data);
  return 1;
}

int lua_getgcthreshold(lua_State* L) { return tokb(G(L)->GCthreshold); }

int lua_getgccount(lua_State* L) { return tokb(G(L)->nblocks); }

void lua_setgcthreshold(lua_State* L, int newthreshold) {
  // A negative threshold reads as a huge unsigned count: no limit either.
  const bool unlimited = newthreshold < 0 || static_cast<lu_mem>(newthreshold) > kMaxKB;
  G(L)->GCthreshold = unlimited ? MAX_LUMEM : static_cast<lu_mem>(newthreshold) * 1024;
  luaC_checkGC(L);
}

int lua_error(lua_State* L) { luaG_errormsg(L); }
