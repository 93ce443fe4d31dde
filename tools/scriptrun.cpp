// Runs script files one after the other in one interpreter, opened as the
// script host opens its own: `scriptrun FILE...`. `print` writes to standard
// output. Exits 0 when every file ran to its end; otherwise writes the error
// to standard error and exits 1.

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "script/lua/Calls.h"
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

// Compiles and runs one file; returns the status (the error object on top
// after an error).
int runfile(lua_State* L, const char* path) {
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
  const int status = luaD_protectedparser(L, &z, precompiled ? 1 : 0);
  if (status != 0) return status;
  return luaD_pcall(L, callchunk, nullptr, savestack(L, L->top - 1), 0);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    fputs("usage: scriptrun FILE...\n", stderr);
    return 1;
  }
  lua_State* L = lua_open();
  if (L == nullptr) {
    fputs("scriptrun: cannot open an interpreter\n", stderr);
    return 1;
  }
  setglobalfunction(L, "print", print);
  int status = 0;
  for (int i = 1; i < argc && status == 0; i++) status = runfile(L, argv[i]);
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
