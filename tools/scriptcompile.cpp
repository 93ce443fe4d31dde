// Compiles a script file into a precompiled chunk, as the build does for the
// scripts it keeps inside the program:
//
//   scriptcompile SOURCE CHUNK CHUNKNAME
//
// SOURCE is a file on disk (not a logical name). The chunk keeps its line
// information and takes CHUNKNAME as its source, so its error messages read
// as if the text had been loaded under that name. Exits 0 when CHUNK was
// written; otherwise writes the compiler's or the file's error to standard
// error and exits 1.

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "script/lua/Auxlib.h"
#include "script/lua/Lua.h"

namespace {

int appendpiece(lua_State*, const void* p, size_t size, void* ud) {
  static_cast<std::string*>(ud)->append(static_cast<const char*>(p), size);
  return 0;
}

bool readwhole(const char* path, std::string& text) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

bool writewhole(const char* path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  return !out.fail();
}

// Compiles the text into its chunk; false with the compiler's message.
bool compile(const std::string& text, const char* chunkname, std::string& chunk, std::string& error) {
  lua_State* L = lua_open();
  if (L == nullptr) {
    error = "cannot open an interpreter";
    return false;
  }
  const bool compiled = luaL_loadbuffer(L, text.data(), text.size(), chunkname) == 0;
  if (compiled) {
    lua_dump(L, appendpiece, &chunk);
  } else {
    const char* message = lua_tostring(L, -1);
    error = message != nullptr ? message : "(error object is not a string)";
  }
  lua_close(L);
  return compiled;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    fputs("usage: scriptcompile SOURCE CHUNK CHUNKNAME\n", stderr);
    return 1;
  }
  std::string text;
  if (!readwhole(argv[1], text)) {
    fprintf(stderr, "scriptcompile: cannot read %s\n", argv[1]);
    return 1;
  }
  std::string chunk;
  std::string error;
  if (!compile(text, argv[3], chunk, error)) {
    fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  if (!writewhole(argv[2], chunk)) {
    fprintf(stderr, "scriptcompile: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
