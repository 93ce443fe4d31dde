// Runs script files one after the other in one interpreter with the standard
// libraries, as the script host opens its own:
//
//   scriptrun [--dump] [--gc-stress] [--alloc-sweep] FILE...
//
// The current folder stands for the program folder: FILE, and every file a
// script loads (`require`, `dofile`, `loadfile`), is a logical name of the
// file layer, found below "assets" there (or "::path" for any file on disk).
// `print` writes to standard output. Exits 0 when every file ran to its end;
// otherwise writes the error to standard error and exits 1.
//
// --dump: every file is compiled, written as a precompiled chunk, and that
// chunk is loaded and run in its place, as the script host runs its scripts.
// --gc-stress: the collector runs at every check point, so a value that the
// interpreter or a library fails to keep reachable is freed while in use.
// --alloc-sweep: the files run once for every allocation they make, each
// time in a fresh interpreter whose allocator refuses that one allocation
// (the Nth of the run, for N = 1, 2, ... until a run makes fewer). Every such
// run must end in the memory error ("not enough memory"); their output is
// dropped. Exits 0 and names the count when all did, else writes the first
// that did not and exits 1. Under the sanitizers this shows that no failed
// allocation crashes, leaks or corrupts anything on its way out.

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/file/FileIndex.h"
#include "script/lua/Auxlib.h"
#include "script/lua/BaseLib.h"
#include "script/lua/Collector.h"
#include "script/lua/Lualib.h"
#include "script/lua/Memory.h"
#include "script/lua/State.h"
#include "system/os/Paths.h"

namespace {

struct Options {
  bool throughdump = false;
  bool gcstress = false;
  bool allocsweep = false;
  int firstfile = 1;
};

Options readoptions(int argc, char** argv) {
  Options options;
  for (; options.firstfile < argc; options.firstfile++) {
    const std::string argument = argv[options.firstfile];
    if (argument == "--dump") {
      options.throughdump = true;
    } else if (argument == "--gc-stress") {
      options.gcstress = true;
    } else if (argument == "--alloc-sweep") {
      options.allocsweep = true;
    } else {
      break;
    }
  }
  return options;
}

int appendpiece(lua_State*, const void* p, size_t size, void* ud) {
  static_cast<std::string*>(ud)->append(static_cast<const char*>(p), size);
  return 0;
}

// Replaces the compiled function on top with the one loaded from its dump.
int reloadfromdump(lua_State* L, const char* chunkname) {
  std::string dump;
  lua_dump(L, appendpiece, &dump);
  lua_pop(L, 1);
  return luaL_loadbuffer(L, dump.data(), dump.size(), chunkname);
}

// Loads and runs one file, through its dump when asked; returns the status
// (the error object on top after an error).
int runfile(lua_State* L, const char* name, bool throughdump) {
  int status = luaL_loadfile(L, name);
  if (status == 0 && throughdump) {
    const std::string chunkname = std::string("@") + name;
    status = reloadfromdump(L, chunkname.c_str());
  }
  if (status != 0) return status;
  return lua_pcall(L, 0, 0, 0);
}

// The error object on top as text: wide text as UTF-8.
std::string errortext(lua_State* L) {
  if (lua_iswstring(L, -1)) return luaB_utf8(lua_towstring(L, -1), lua_strlen(L, -1));
  if (const char* text = lua_tostring(L, -1)) return text;
  return std::string("(error object is a ") + lua_typename(L, lua_type(L, -1)) + " value)";
}

void reporterror(lua_State* L) {
  fflush(stdout);
  fprintf(stderr, "%s\n", errortext(L).c_str());
}

// Runs the files in L until one fails; returns the status.
int runfiles(lua_State* L, const Options& options, int argc, char** argv) {
  int status = 0;
  for (int i = options.firstfile; i < argc && status == 0; i++) {
    status = runfile(L, argv[i], options.throughdump);
  }
  return status;
}

// --- Allocation-failure sweep ------------------------------------------------------

// The default allocator, refusing allocation number `refuse` (counted from 1
// once armed; 0 refuses none). Releases always succeed.
struct RefusingAllocator {
  bool armed = false;
  long counted = 0;
  long refuse = 0;

  static void* Alloc(void* ud, void* block, size_t oldsize, size_t newsize, int reserved,
                     uint32_t allockind) {
    RefusingAllocator* self = static_cast<RefusingAllocator*>(ud);
    if (newsize > 0 && self->armed && ++self->counted == self->refuse) return nullptr;
    return luaM_defaultalloc(nullptr, block, oldsize, newsize, reserved, allockind);
  }
};

// What one run of the sweep came to.
struct SweepRun {
  bool opened = false;
  bool reached = false;  // the refused allocation came
  int status = 0;
  std::string message;
};

SweepRun runrefusing(long refuse, const Options& options, int argc, char** argv) {
  RefusingAllocator allocator;
  allocator.refuse = refuse;
  SweepRun run;
  lua_State* L = luaE_open(RefusingAllocator::Alloc, &allocator);
  if (L == nullptr) return run;
  run.opened = true;
  luaC_setstress(L, options.gcstress);
  luaL_openlibs(L);
  allocator.armed = true;
  run.status = runfiles(L, options, argc, argv);
  run.reached = allocator.counted >= refuse;
  if (run.status != 0) run.message = errortext(L);
  allocator.armed = false;
  lua_close(L);
  return run;
}

int sweep(const Options& options, int argc, char** argv) {
  // The scripts' output is dropped while the runs go on.
  fflush(stdout);
  const int savedout = dup(1);
  const int nowhere = open("/dev/null", O_WRONLY);
  dup2(nowhere, 1);
  close(nowhere);
  long refuse = 1;
  SweepRun run;
  for (;; refuse++) {
    run = runrefusing(refuse, options, argc, argv);
    if (!run.opened || !run.reached || run.status != LUA_ERRMEM) break;
  }
  fflush(stdout);
  dup2(savedout, 1);
  close(savedout);
  if (!run.opened) {
    fputs("scriptrun: cannot open an interpreter\n", stderr);
    return 1;
  }
  if (run.reached) {
    fprintf(stderr, "scriptrun: with allocation %ld refused the run ended in status %d: %s\n",
            refuse, run.status, run.message.c_str());
    return 1;
  }
  printf("%ld allocations, each refused in its own run: every run ended in the memory error\n",
         refuse - 1);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const Options options = readoptions(argc, argv);
  if (options.firstfile >= argc) {
    fputs("usage: scriptrun [--dump] [--gc-stress] [--alloc-sweep] FILE...\n", stderr);
    return 1;
  }
  SetProgramFolder(sys::CurrentFolder().c_str());
  BuildFileIndex();
  if (options.allocsweep) return sweep(options, argc, argv);
  lua_State* L = lua_open();
  if (L == nullptr) {
    fputs("scriptrun: cannot open an interpreter\n", stderr);
    return 1;
  }
  luaC_setstress(L, options.gcstress);
  luaL_openlibs(L);
  const int status = runfiles(L, options, argc, argv);
  if (status != 0) reporterror(L);
  lua_close(L);
  return status == 0 ? 0 : 1;
}
