// Feeds arbitrary bytes to string.pack and string.unpack. The bytes up to the
// first zero byte are a format; after it, one byte gives the start position
// of unpack (1 + its value) and the rest is the data. unpack reads the data
// with the format; what it read is packed again with the same format; and the
// format packs arguments made of the data (the data as a byte string, its
// length, true, the data as a wide string, and again). Errors are expected;
// faults, leaks and hangs are not. Under a capped allocator.

#include <cstring>
#include <vector>

#include "fuzz/ScriptFuzzing.h"
#include "script/lua/Lualib.h"

namespace {

struct Input {
  const char* format;
  size_t formatsize;
  int init = 1;
  const char* data = "";
  size_t datasize = 0;
};

Input split(const uint8_t* bytes, size_t size) {
  const char* text = reinterpret_cast<const char*>(bytes);
  const void* zero = memchr(text, 0, size);
  Input input{text, zero != nullptr ? static_cast<size_t>(static_cast<const char*>(zero) - text)
                                    : size};
  if (input.formatsize + 1 < size) {
    input.init = 1 + bytes[input.formatsize + 1];
    input.data = text + input.formatsize + 2;
    input.datasize = size - input.formatsize - 2;
  }
  return input;
}

// Calls string.<name> with the stack's values from `first` on, protected;
// its results (or the error) replace them. Returns the status.
int callstring(lua_State* L, const char* name, int first) {
  lua_getglobal(L, "string");
  lua_pushstring(L, name);
  lua_rawget(L, -2);
  lua_remove(L, -2);
  lua_insert(L, first);
  return lua_pcall(L, lua_gettop(L) - first, LUA_MULTRET, 0);
}

void pushwide(lua_State* L, const Input& input) {
  std::vector<lua_WChar> units(input.datasize / 2 + 1);
  memcpy(units.data(), input.data, input.datasize / 2 * sizeof(lua_WChar));
  lua_pushlwstring(L, units.data(), input.datasize / 2);
}

int openstring(lua_State* L) {
  luaopen_string(L);
  return 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  scriptfuzzing::CappedInterpreter interpreter;
  lua_State* L = interpreter.L();
  if (L == nullptr) return 0;
  lua_pushcfunction(L, openstring);
  if (lua_pcall(L, 0, 0, 0) != 0) return 0;
  const Input input = split(bytes, size);

  lua_pushlstring(L, input.data, input.datasize);
  lua_pushlstring(L, input.format, input.formatsize);
  lua_pushnumber(L, input.init);
  if (callstring(L, "unpack", 1) == 0) {
    lua_pushlstring(L, input.format, input.formatsize);
    lua_replace(L, 1);  // in place of the position
    callstring(L, "pack", 1);
  }
  lua_settop(L, 0);

  lua_pushlstring(L, input.format, input.formatsize);
  for (int round = 0; round < 2; round++) {
    lua_pushlstring(L, input.data, input.datasize);
    lua_pushnumber(L, static_cast<lua_Number>(input.datasize));
    lua_pushboolean(L, 1);
    pushwide(L, input);
  }
  callstring(L, "pack", 1);
  return 0;
}
