#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "script/lua/Object.h"

// Precompiled chunks written field by field for tests, in either byte order,
// independently of the dump writer: valid chunks to compare the writer with,
// and forged ones for the reader to reject.

struct ConstantSpec {
  int type = LUA_TNIL;  // the type byte written; nothing follows for nil or an unknown type
  double number = 0;
  std::string text;
  std::u16string wide;
  std::optional<uint32_t> count;  // written in place of a string's real count
};

ConstantSpec NilK();
ConstantSpec NumberK(double n);
ConstantSpec StringK(std::string text);
ConstantSpec WideK(std::u16string units);
// Only the type byte, whatever the type.
ConstantSpec TypeOnlyK(int type);

struct LocalSpec {
  std::optional<std::string> name;
  int startpc;
  int endpc;
};

// One function. The count fields, when set, are written in place of the real
// count of their list.
struct FunctionSpec {
  std::optional<std::string> source;
  int lineDefined = 0;
  int nups = 0;
  int numparams = 0;
  int isVararg = 0;
  int maxStackSize = 2;
  std::vector<int> lines;
  std::vector<LocalSpec> locals;
  std::vector<std::optional<std::string>> upvalueNames;
  std::vector<ConstantSpec> constants;
  std::vector<FunctionSpec> nested;
  std::vector<Instruction> code;  // empty: a single return
  std::optional<int32_t> lineCount, localCount, upvalueCount, constantCount, nestedCount, codeCount;
};

class ChunkBuilder {
 public:
  explicit ChunkBuilder(bool bigEndian = false) : mBigEndian(bigEndian) {}

  ChunkBuilder& Byte(int b);
  ChunkBuilder& Int(int32_t x);
  ChunkBuilder& Size(uint32_t x);
  ChunkBuilder& Number(double x);
  ChunkBuilder& Word(uint32_t x);
  ChunkBuilder& String(const std::optional<std::string>& text);
  ChunkBuilder& WideString(const std::u16string& units);
  // A byte or wide string under the given count, whatever its length.
  ChunkBuilder& CountedString(uint32_t count, const std::string& text);
  ChunkBuilder& CountedWideString(uint32_t count, const std::u16string& units);
  // The header this machine writes, with the byte-order byte of the builder.
  ChunkBuilder& Header();
  ChunkBuilder& Function(const FunctionSpec& f);

  const std::string& Bytes() const { return mBytes; }

 private:
  ChunkBuilder& Scalar(uint64_t x, int size);

  bool mBigEndian;
  std::string mBytes;
};

// Header and main function.
std::string Chunk(const FunctionSpec& main, bool bigEndian = false);

// Loads bytes as a precompiled chunk named `name`, handed to the reader in
// blocks of `blocksize` bytes (0: one block). Returns the status; the loaded
// function or the error message is left on top of the stack.
int LoadChunk(lua_State* L, const std::string& bytes, const char* name = "=chunk",
              size_t blocksize = 0);
// The prototype of the function on top of the stack.
Proto* TopProto(lua_State* L);
// What luaU_dump writes for f.
std::string DumpChunk(lua_State* L, const Proto* f);
