// Speed of the script machine: calls, loops, arithmetic, table access and
// concatenation, each in a chunk compiled once and run per iteration.

#include <benchmark/benchmark.h>

#include <string>

#include "script/lua/Calls.h"
#include "script/lua/Lua.h"

namespace {

struct Source {
  const std::string* text;
  bool given;
};

const char* readsource(lua_State*, void* ud, size_t* size) {
  Source* source = static_cast<Source*>(ud);
  if (source->given) return nullptr;
  source->given = true;
  *size = source->text->size();
  return source->text->data();
}

void callchunk(lua_State* L, void*) { luaD_call(L, L->top - 1, 0); }

// Compiles the chunk once, then runs it once per iteration.
void RunChunk(benchmark::State& state, const std::string& text) {
  lua_State* L = lua_open();
  Source source{&text, false};
  ZIO z;
  luaZ_init(&z, readsource, &source, "=bench");
  if (luaD_protectedparser(L, &z, 0) != 0) {
    state.SkipWithError("the chunk does not compile");
    lua_close(L);
    return;
  }
  for (auto _ : state) {
    setobj(L->top, L->top - 1);
    incr_top(L);
    if (luaD_pcall(L, callchunk, nullptr, savestack(L, L->top - 1), 0) != 0) {
      state.SkipWithError("the chunk failed");
      break;
    }
  }
  lua_close(L);
}

void BM_RecursiveCalls(benchmark::State& state) {
  RunChunk(state,
           "local function fib(n) if n < 2 then return n end return fib(n-1) + fib(n-2) end\n"
           "fib(20)");
}
BENCHMARK(BM_RecursiveCalls)->Unit(benchmark::kMillisecond);

void BM_NumericLoop(benchmark::State& state) {
  RunChunk(state,
           "local s = 0\n"
           "for i = 1, 1000000 do s = s + i * 2 - (i & 7) end");
}
BENCHMARK(BM_NumericLoop)->Unit(benchmark::kMillisecond);

void BM_TableAccess(benchmark::State& state) {
  RunChunk(state,
           "local t = {}\n"
           "for i = 1, 100000 do t[i] = i end\n"
           "local o = {x = 0}\n"
           "for i = 1, 100000 do o.x = o.x + t[i] end");
}
BENCHMARK(BM_TableAccess)->Unit(benchmark::kMillisecond);

void BM_Concatenation(benchmark::State& state) {
  RunChunk(state,
           "for i = 1, 10000 do local s = 'item ' .. i .. ': ' .. i * 2 end");
}
BENCHMARK(BM_Concatenation)->Unit(benchmark::kMillisecond);

}  // namespace
