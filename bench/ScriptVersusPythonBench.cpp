// The script dialect against Python: each program runs as a script chunk in
// an interpreter with the standard libraries and, in the same iteration, as
// its Python twin (the same algorithm) in a `python3` process. Each side times
// only its algorithm: the chunk's run here, the twin's `main()` in Python
// itself, so neither start-up nor compilation counts. Times are CPU times of
// the running thread or process, so other work on the machine does not skew
// the ratio, and the ratio compares the fastest run of each side, which
// interference from other work on the machine cannot make faster. The
// benchmark's time is the script's; the counter "ratio" is script time /
// Python time (below 1: the dialect is faster), judged against the ratio each
// program should reach; "gc_pause_ms" is the longest collection pause of one
// more run of the script.

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <limits>
#include <string>

#include "bench/support/SpeedGoals.h"
#include "script/lua/Calls.h"
#include "script/lua/Lualib.h"
#include "script/lua/State.h"

extern char** environ;

namespace {

// CPU seconds of the calling thread.
double ThreadSeconds() {
  timespec now;
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

struct Program {
  const char* script;  // a chunk run with the standard libraries
  const char* python;  // the body of the twin's `def main():`, indented
};

// --- Python ----------------------------------------------------------------------------

// The twin's seconds as it measured them, or a negative value when it failed.
double RunPython(const char* body) {
  const std::string code = std::string("import time\ndef main():\n") + body +
                           "start = time.process_time()\nmain()\n"
                           "print(time.process_time() - start)\n";
  int pipefd[2];
  if (pipe(pipefd) != 0) return -1;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipefd[1], 1);
  posix_spawn_file_actions_addclose(&actions, pipefd[0]);
  const char* argv[] = {"python3", "-c", code.c_str(), nullptr};
  pid_t pid;
  const int spawned = posix_spawnp(&pid, "python3", &actions, nullptr,
                                   const_cast<char* const*>(argv), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(pipefd[1]);
  std::string out;
  char chunk[256];
  for (ssize_t n; (n = read(pipefd[0], chunk, sizeof chunk)) > 0;) out.append(chunk, n);
  close(pipefd[0]);
  if (spawned != 0) return -1;
  int status = 0;
  waitpid(pid, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || out.empty()) return -1;
  return strtod(out.c_str(), nullptr);
}

// --- The dialect -----------------------------------------------------------------------

// An allocator with the default allocator's work that watches the collector:
// a collection is due when the bytes in use reach the threshold, and it ends
// by setting a new one. The pause is timed from the allocation that reaches
// the threshold to the first allocation after the new threshold, so it is an
// upper bound of the time the script stood still; like the runs, it counts
// the thread's CPU time, which other work on the machine does not lengthen.
// The timed runs use the default allocator itself, whose small blocks come
// from the interpreter's own slabs (which an allocator of our own would
// bypass); one more run under this watch finds the longest pause.
//
// The new threshold may equal the old one: a program that builds and drops
// the same trees over and over can hold the same bytes at every collection,
// and a watch that waited for a change would take a run of such collections,
// with the script's work between them, for one pause. So the watch clears
// the threshold once it is reached: the collection due still comes at the
// next check point, and any threshold it sets is not 0 (it is at least the
// bytes that stay).
struct PauseWatch {
  global_State* g = nullptr;
  bool collecting = false;
  double start = 0;
  double longest = 0;

  static void* Alloc(void* ud, void* block, size_t oldsize, size_t newsize, int, uint32_t) {
    static_cast<PauseWatch*>(ud)->Watch(oldsize, newsize);
    if (newsize == 0) {
      free(block);
      return nullptr;
    }
    return realloc(block, newsize);
  }

  void Watch(size_t oldsize, size_t newsize) {
    if (g == nullptr) return;  // still opening
    if (collecting) {
      if (g->GCthreshold == 0) return;  // the collection has not ended
      const double pause = ThreadSeconds() - start;
      if (pause > longest) longest = pause;
      collecting = false;
    }
    if (g->nblocks + newsize - oldsize >= g->GCthreshold) {
      collecting = true;
      start = ThreadSeconds();
      g->GCthreshold = 0;
    }
  }
};

const char* readsource(lua_State*, void* ud, size_t* size) {
  const char** text = static_cast<const char**>(ud);
  if (*text == nullptr) return nullptr;
  *size = strlen(*text);
  const char* block = *text;
  *text = nullptr;
  return block;
}

void callchunk(lua_State* L, void*) { luaD_call(L, L->top - 1, 0); }

// Runs the program once in a fresh interpreter, under the watch when one is
// given; the seconds of the run, or a negative value when it failed.
double RunScript(const char* script, PauseWatch* watch) {
  lua_State* L = watch != nullptr ? luaE_open(PauseWatch::Alloc, watch) : lua_open();
  if (L == nullptr) return -1;
  if (watch != nullptr) watch->g = G(L);
  luaL_openlibs(L);
  const char* text = script;
  ZIO z;
  luaZ_init(&z, readsource, &text, "=bench");
  double seconds = -1;
  if (luaD_protectedparser(L, &z, 0) == 0) {
    const double start = ThreadSeconds();
    const int status = luaD_pcall(L, callchunk, nullptr, savestack(L, L->top - 1), 0);
    if (status == 0) seconds = ThreadSeconds() - start;
  }
  if (watch != nullptr) watch->g = nullptr;
  lua_close(L);
  return seconds;
}

void RunVersusPython(benchmark::State& state, const Program& program) {
  double scriptSeconds = std::numeric_limits<double>::max();
  double pythonSeconds = std::numeric_limits<double>::max();
  for (auto _ : state) {
    const double script = RunScript(program.script, nullptr);
    const double python = RunPython(program.python);
    if (script < 0 || python < 0) {
      state.SkipWithError(script < 0 ? "the script failed" : "the Python twin failed");
      return;
    }
    state.SetIterationTime(script);
    scriptSeconds = std::min(scriptSeconds, script);
    pythonSeconds = std::min(pythonSeconds, python);
  }
  PauseWatch watch;
  RunScript(program.script, &watch);
  state.counters["script_min_ms"] = scriptSeconds * 1000;
  state.counters["python_min_ms"] = pythonSeconds * 1000;
  state.counters["ratio"] = scriptSeconds / pythonSeconds;
  state.counters["gc_pause_ms"] = watch.longest * 1000;
}

// --- The programs ----------------------------------------------------------------------

const Program kFib = {
    "local function fib(n) if n < 2 then return n end return fib(n - 1) + fib(n - 2) end\n"
    "result = fib(30)\n",
    "    def fib(n):\n"
    "        if n < 2: return n\n"
    "        return fib(n - 1) + fib(n - 2)\n"
    "    return fib(30)\n"};

const Program kArray = {
    "local t = {}\n"
    "for i = 1, 3000000 do t[i] = i end\n"
    "local stats = {sum = 0, count = 0}\n"
    "for i = 1, 3000000 do\n"
    "  stats.sum = stats.sum + t[i]\n"
    "  stats.count = stats.count + 1\n"
    "end\n",
    "    t = []\n"
    "    for i in range(1, 3000001): t.append(i)\n"
    "    stats = {'sum': 0, 'count': 0}\n"
    "    for i in range(3000000):\n"
    "        stats['sum'] = stats['sum'] + t[i]\n"
    "        stats['count'] = stats['count'] + 1\n"};

const Program kFloat = {
    "local sum = 0.0\n"
    "for i = 1, 5000000 do\n"
    "  local f = i * 0.5\n"
    "  sum = sum + f * f / (f + 1.0) - 0.25\n"
    "end\n",
    "    total = 0.0\n"
    "    for i in range(1, 5000001):\n"
    "        f = i * 0.5\n"
    "        total = total + f * f / (f + 1.0) - 0.25\n"};

const Program kConcat = {
    "local parts = {}\n"
    "for i = 1, 1000000 do parts[i] = 'item' .. i end\n"
    "local joined = table.concat(parts, ',')\n",
    "    parts = []\n"
    "    for i in range(1, 1000001): parts.append('item' + str(i))\n"
    "    joined = ','.join(parts)\n"};

const Program kTrees = {
    "local function bottomup(depth)\n"
    "  if depth == 0 then return {} end\n"
    "  depth = depth - 1\n"
    "  return {bottomup(depth), bottomup(depth)}\n"
    "end\n"
    "local function check(tree)\n"
    "  if tree[1] then return 1 + check(tree[1]) + check(tree[2]) end\n"
    "  return 1\n"
    "end\n"
    "local maxdepth = 14\n"
    "check(bottomup(maxdepth + 1))\n"
    "local longlived = bottomup(maxdepth)\n"
    "local iterations = 1\n"
    "for d = 1, maxdepth + 4 do iterations = iterations * 2 end\n"
    "for depth = 4, maxdepth, 2 do\n"
    "  iterations = iterations / 4\n"
    "  local total = 0\n"
    "  for i = 1, iterations do total = total + check(bottomup(depth)) end\n"
    "end\n"
    "check(longlived)\n",
    "    def bottomup(depth):\n"
    "        if depth == 0: return []\n"
    "        depth = depth - 1\n"
    "        return [bottomup(depth), bottomup(depth)]\n"
    "    def check(tree):\n"
    "        if tree: return 1 + check(tree[0]) + check(tree[1])\n"
    "        return 1\n"
    "    maxdepth = 14\n"
    "    check(bottomup(maxdepth + 1))\n"
    "    longlived = bottomup(maxdepth)\n"
    "    iterations = 1\n"
    "    for d in range(maxdepth + 4): iterations = iterations * 2\n"
    "    for depth in range(4, maxdepth + 1, 2):\n"
    "        iterations = iterations // 4\n"
    "        total = 0\n"
    "        for i in range(iterations): total = total + check(bottomup(depth))\n"
    "    check(longlived)\n"};

const Program kMethods = {
    "local Point = {}\n"
    "Point.__index = Point\n"
    "function Point.new(x, y) return setmetatable({x = x, y = y}, Point) end\n"
    "function Point:move(dx, dy) self.x = self.x + dx; self.y = self.y + dy end\n"
    "function Point:length2() return self.x * self.x + self.y * self.y end\n"
    "local p = Point.new(0, 0)\n"
    "local acc = 0\n"
    "for i = 1, 2000000 do\n"
    "  p:move(1, 2)\n"
    "  acc = acc + p:length2()\n"
    "end\n",
    "    class Point:\n"
    "        def __init__(self, x, y):\n"
    "            self.x = x\n"
    "            self.y = y\n"
    "        def move(self, dx, dy):\n"
    "            self.x = self.x + dx\n"
    "            self.y = self.y + dy\n"
    "        def length2(self):\n"
    "            return self.x * self.x + self.y * self.y\n"
    "    p = Point(0, 0)\n"
    "    acc = 0\n"
    "    for i in range(2000000):\n"
    "        p.move(1, 2)\n"
    "        acc = acc + p.length2()\n"};

// The goals: joined strings and binary trees as fast as Python or better;
// the others no slower than they were measured when those goals were set.
const SpeedGoals kGoals{
    {"BM_RecursiveFib30", "ratio", Goal::kAtMost, 0.60},
    {"BM_ArrayFillAndSum", "ratio", Goal::kAtMost, 0.40},
    {"BM_FloatLoop", "ratio", Goal::kAtMost, 0.30},
    {"BM_MillionStringsConcat", "ratio", Goal::kAtMost, 1.0},
    {"BM_BinaryTrees", "ratio", Goal::kAtMost, 0.8},
    {"BM_MethodCalls", "ratio", Goal::kAtMost, 0.55},
};

void BM_RecursiveFib30(benchmark::State& state) { RunVersusPython(state, kFib); }
void BM_ArrayFillAndSum(benchmark::State& state) { RunVersusPython(state, kArray); }
void BM_FloatLoop(benchmark::State& state) { RunVersusPython(state, kFloat); }
void BM_MillionStringsConcat(benchmark::State& state) { RunVersusPython(state, kConcat); }
void BM_BinaryTrees(benchmark::State& state) { RunVersusPython(state, kTrees); }
void BM_MethodCalls(benchmark::State& state) { RunVersusPython(state, kMethods); }

// As many runs as the minimum time asks for (a smoke run makes one), so the
// fastest of them is steadier the longer the benchmark is given.
BENCHMARK(BM_RecursiveFib30)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ArrayFillAndSum)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FloatLoop)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MillionStringsConcat)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BinaryTrees)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MethodCalls)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
