// Runs script files one after the other in one interpreter, opened as the
// script host opens its own: `scriptrun [--dump] FILE...`. `print` writes to
// standard output. Exits 0 when every file ran to its end; otherwise writes
// the error to standard error and exits 1. With --dump every file is
// compiled, written as a precompiled chunk, and that chunk is loaded and run
// in its place, as the script host runs its scripts.

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "script/lua/Calls.h"
#include "script/lua/Dump.h"
#include "script/lua/Function.h"
#include "script/lua/NumberText.h"
#include "script/lua/Strings.h"
#include "script/lua/Table.h"

namespace {

// One value as `print' shows it.
void writevalue(const TObject* o) {
  switch (ttype(o)) {
    case LUA_TNIL:
      fputs("nil", stdout);
      break;
    case LUA_TBOOLEAN:
      fputs(bvalue(o) ? "true" : "false", stdout);
      break;
    case LUA_TNUMBER: {
      char text[LUAI_MAXNUMBER2STR];
      fwrite(text, 1, luaO_number2str(nvalue(o), text), stdout);
      break;
    }
    case LUA_TSTRING:
      fwrite(svalue(o), 1, tsvalue(o)->len, stdout);
      break;
    case LUA_TWSTRING:  // the low byte of every unit
      for (size_t i = 0; i < tsvalue(o)->len; i++) fputc(wsvalue(o)[i] & 0xFF, stdout);
      break;
    case LUA_TUSERDATA:
      printf("userdata: %p", udataaddress(uvalue(o)));
      break;
    case LUA_TLIGHTUSERDATA:
      printf("userdata: %p", pvalue(o));
      break;
    default:
      printf("%s: %p", luaT_typenames[ttype(o)], static_cast<void*>(gcvalue(o)));
      break;
  }
}

int print(lua_State* L) {
  for (StkId o = L->base; o < L->top; o++) {
    if (o > L->base) fputc('\t', stdout);
    writevalue(o);
  }
  fputc('\n', stdout);
  return 0;
}

void setglobalfunction(lua_State* L, const char* name, lua_CFunction f) {
  CClosure* cl = static_cast<CClosure*>(luaF_newCclosure(L, 0));
  cl->f = f;
  TObject key;
  setsvalue(&key, luaS_new(L, name));
  setclvalue(luaH_set(L, hvalue(gt(L)), &key), cl);
}

struct Source {
  std::string bytes;
  bool given = false;
};

const char* readsource(lua_State*, void* ud, size_t* size) {
  Source* source = static_cast<Source*>(ud);
  if (source->given) return nullptr;
  source->given = true;
  *size = source->bytes.size();
  return source->bytes.data();
}

void callchunk(lua_State* L, void*) { luaD_call(L, L->top - 1, 0); }

int appendpiece(lua_State*, const void* p, size_t size, void* ud) {
  static_cast<std::string*>(ud)->append(static_cast<const char*>(p), size);
  return 0;
}

// Replaces the compiled function on top with the one loaded from its dump.
int reloadfromdump(lua_State* L, const std::string& chunkname) {
  Source dump;
  luaU_dump(L, static_cast<LClosure*>(clvalue(L->top - 1))->p, appendpiece, &dump.bytes);
  L->top--;
  ZIO z;
  luaZ_init(&z, readsource, &dump, chunkname.c_str());
  return luaD_protectedparser(L, &z, 1);
}

// Compiles and runs one file, through its dump when asked; returns the status
// (the error object on top after an error).
int runfile(lua_State* L, const char* path, bool throughdump) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    luaO_pushfstring(L, "cannot read %s", path);
    return LUA_ERRFILE;
  }
  Source source{std::string(std::istreambuf_iterator<char>(file), {})};
  const std::string chunkname = std::string("@") + path;
  ZIO z;
  luaZ_init(&z, readsource, &source, chunkname.c_str());
  const bool precompiled = !source.bytes.empty() && source.bytes[0] == '\033';
  int status = luaD_protectedparser(L, &z, precompiled ? 1 : 0);
  if (status == 0 && throughdump) status = reloadfromdump(L, chunkname);
  if (status != 0) return status;
  return luaD_pcall(L, callchunk, nullptr, savestack(L, L->top - 1), 0);
}

}  // namespace

int main(int argc, char** argv) {
  const bool throughdump = argc > 1 && std::string(argv[1]) == "--dump";
  const int first = throughdump ? 2 : 1;
  if (argc <= first) {
    fputs("usage: scriptrun [--dump] FILE...\n", stderr);
    return 1;
  }
  lua_State* L = lua_open();
  if (L == nullptr) {
    fputs("scriptrun: cannot open an interpreter\n", stderr);
    return 1;
  }
  setglobalfunction(L, "print", print);
  int status = 0;
  for (int i = first; i < argc && status == 0; i++) status = runfile(L, argv[i], throughdump);
  if (status != 0) {
    fflush(stdout);
    const TObject* error = L->top - 1;
    if (ttisstring(error)) {
      fprintf(stderr, "%s\n", svalue(error));
    } else {
      fprintf(stderr, "(error object is a %s value)\n", luaT_typenames[ttype(error)]);
    }
  }
  lua_close(L);
  return status == 0 ? 0 : 1;
}
