// Runs script files one after the other in one interpreter with the standard
// libraries, as the script host opens its own:
//
//   scriptrun [--dump] [--gc-stress] FILE...
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

#include <cstdio>
#include <string>

#include "platform/file/FileIndex.h"
#include "script/lua/Auxlib.h"
#include "script/lua/BaseLib.h"
#include "script/lua/Collector.h"
#include "script/lua/Lualib.h"
#include "system/os/Paths.h"

namespace {

struct Options {
  bool throughdump = false;
  bool gcstress = false;
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

void reporterror(lua_State* L) {
  fflush(stdout);
  if (lua_iswstring(L, -1)) {
    const std::string text = luaB_utf8(lua_towstring(L, -1), lua_strlen(L, -1));
    fprintf(stderr, "%s\n", text.c_str());
  } else if (const char* text = lua_tostring(L, -1)) {
    fprintf(stderr, "%s\n", text);
  } else {
    fprintf(stderr, "(error object is a %s value)\n", lua_typename(L, lua_type(L, -1)));
  }
}

}  // namespace

int main(int argc, char** argv) {
  const Options options = readoptions(argc, argv);
  if (options.firstfile >= argc) {
    fputs("usage: scriptrun [--dump] [--gc-stress] FILE...\n", stderr);
    return 1;
  }
  SetProgramFolder(sys::CurrentFolder().c_str());
  BuildFileIndex();
  lua_State* L = lua_open();
  if (L == nullptr) {
    fputs("scriptrun: cannot open an interpreter\n", stderr);
    return 1;
  }
  luaC_setstress(L, options.gcstress);
  luaL_openlibs(L);
  int status = 0;
  for (int i = options.firstfile; i < argc && status == 0; i++) {
    status = runfile(L, argv[i], options.throughdump);
  }
  if (status != 0) reporterror(L);
  lua_close(L);
  return status == 0 ? 0 : 1;
}
