#include "tests/script/ChunkBuilder.h"

#include <cstring>

#include "script/lua/Calls.h"
#include "script/lua/Dump.h"
#include "script/lua/OpCodes.h"
#include "tests/script/ChunkText.h"

ConstantSpec NilK() { return ConstantSpec{}; }

ConstantSpec NumberK(double n) {
  ConstantSpec k = TypeOnlyK(LUA_TNUMBER);
  k.number = n;
  return k;
}

ConstantSpec StringK(std::string text) {
  ConstantSpec k = TypeOnlyK(LUA_TSTRING);
  k.text = std::move(text);
  return k;
}

ConstantSpec WideK(std::u16string units) {
  ConstantSpec k = TypeOnlyK(LUA_TWSTRING);
  k.wide = std::move(units);
  return k;
}

ConstantSpec TypeOnlyK(int type) {
  ConstantSpec k;
  k.type = type;
  return k;
}

ChunkBuilder& ChunkBuilder::Scalar(uint64_t x, int size) {
  for (int i = 0; i < size; i++) {
    const int shift = 8 * (mBigEndian ? size - 1 - i : i);
    mBytes += static_cast<char>((x >> shift) & 0xff);
  }
  return *this;
}

ChunkBuilder& ChunkBuilder::Byte(int b) { return Scalar(static_cast<uint8_t>(b), 1); }
ChunkBuilder& ChunkBuilder::Int(int32_t x) { return Scalar(static_cast<uint32_t>(x), 4); }
ChunkBuilder& ChunkBuilder::Size(uint32_t x) { return Scalar(x, 4); }
ChunkBuilder& ChunkBuilder::Word(uint32_t x) { return Scalar(x, 4); }

ChunkBuilder& ChunkBuilder::Number(double x) {
  uint64_t bits;
  memcpy(&bits, &x, sizeof bits);
  return Scalar(bits, 8);
}

ChunkBuilder& ChunkBuilder::String(const std::optional<std::string>& text) {
  if (!text) return Size(0);
  return CountedString(static_cast<uint32_t>(text->size() + 1), *text);
}

ChunkBuilder& ChunkBuilder::WideString(const std::u16string& units) {
  return CountedWideString(static_cast<uint32_t>(units.size() + 1), units);
}

ChunkBuilder& ChunkBuilder::CountedString(uint32_t count, const std::string& text) {
  Size(count);
  mBytes += text;
  mBytes += '\0';
  return *this;
}

ChunkBuilder& ChunkBuilder::CountedWideString(uint32_t count, const std::u16string& units) {
  Size(count);
  for (char16_t unit : units) Scalar(unit, 2);
  return Scalar(0, 2);
}

ChunkBuilder& ChunkBuilder::Header() {
  mBytes += "\x1bLua\x50";
  Byte(mBigEndian ? 0 : 1);
  for (int size : {4, 4, 4, 6, 8, 9, 9, 8}) Byte(size);
  return Number(31415926.535897933);
}

namespace {

int32_t count(const std::optional<int32_t>& forced, size_t actual) {
  return forced ? *forced : static_cast<int32_t>(actual);
}

}  // namespace

ChunkBuilder& ChunkBuilder::Function(const FunctionSpec& f) {
  String(f.source);
  Int(f.lineDefined);
  Byte(f.nups).Byte(f.numparams).Byte(f.isVararg).Byte(f.maxStackSize);
  Int(count(f.lineCount, f.lines.size()));
  for (int line : f.lines) Int(line);
  Int(count(f.localCount, f.locals.size()));
  for (const LocalSpec& local : f.locals) String(local.name).Int(local.startpc).Int(local.endpc);
  Int(count(f.upvalueCount, f.upvalueNames.size()));
  for (const auto& name : f.upvalueNames) String(name);
  Int(count(f.constantCount, f.constants.size()));
  for (const ConstantSpec& k : f.constants) {
    Byte(k.type);
    if (k.type == LUA_TNUMBER) Number(k.number);
    if (k.type == LUA_TSTRING) {
      CountedString(k.count.value_or(static_cast<uint32_t>(k.text.size() + 1)), k.text);
    } else if (k.type == LUA_TWSTRING) {
      CountedWideString(k.count.value_or(static_cast<uint32_t>(k.wide.size() + 1)), k.wide);
    }
  }
  Int(count(f.nestedCount, f.nested.size()));
  for (const FunctionSpec& nested : f.nested) Function(nested);
  const std::vector<Instruction> code =
      f.code.empty() ? std::vector<Instruction>{CREATE_ABC(OP_RETURN, 0, 1, 0)} : f.code;
  Int(count(f.codeCount, code.size()));
  for (Instruction i : code) Word(i);
  return *this;
}

std::string Chunk(const FunctionSpec& main, bool bigEndian) {
  return ChunkBuilder(bigEndian).Header().Function(main).Bytes();
}

namespace {

int writepiece(lua_State*, const void* p, size_t size, void* ud) {
  static_cast<std::string*>(ud)->append(static_cast<const char*>(p), size);
  return 0;
}

}  // namespace

int LoadChunk(lua_State* L, const std::string& bytes, const char* name, size_t blocksize) {
  ChunkText text(blocksize == 0 ? std::vector<std::string>{bytes} : Blocks(bytes, blocksize));
  text.Stream()->name = name;
  return luaD_protectedparser(L, text.Stream(), 1);
}

Proto* TopProto(lua_State* L) { return static_cast<LClosure*>(clvalue(L->top - 1))->p; }

std::string DumpChunk(lua_State* L, const Proto* f) {
  std::string out;
  luaU_dump(L, f, writepiece, &out);
  return out;
}
