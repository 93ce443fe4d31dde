#include "tests/script/ChunkText.h"

#include "script/lua/Lexer.h"
#include "script/lua/Strings.h"
#include "tests/script/ScriptState.h"

ChunkText::ChunkText(std::vector<std::string> blocks, bool wide) : mBlocks(std::move(blocks)) {
  luaZ_init(&mZ, Read, this, "=test");
  mZ.wide = wide ? 1 : 0;
}

const char* ChunkText::Read(lua_State*, void* ud, size_t* size) {
  auto* self = static_cast<ChunkText*>(ud);
  while (self->mNext < self->mBlocks.size()) {
    const std::string& block = self->mBlocks[self->mNext++];
    if (block.empty()) continue;  // an empty block would end the stream
    *size = block.size();
    return block.data();
  }
  return nullptr;
}

std::string Utf16(const std::u16string& text) {
  std::string bytes;
  for (char16_t unit : text) {
    bytes += static_cast<char>(unit & 0xFF);
    bytes += static_cast<char>(unit >> 8);
  }
  return bytes;
}

std::vector<std::string> Blocks(const std::string& text, size_t size) {
  std::vector<std::string> blocks;
  for (size_t i = 0; i < text.size(); i += size) blocks.push_back(text.substr(i, size));
  return blocks;
}

std::vector<std::string> CutAt(const std::string& text, size_t cut) {
  return {text.substr(0, cut), text.substr(cut)};
}

int RunLexer(lua_State* L, ChunkText& text, const char* chunkname,
             const std::function<void(LexState*)>& f, std::string* error) {
  Mbuffer buff;
  luaZ_initbuffer(&buff);
  const ptrdiff_t top = savestack(L, L->top);
  const int status = RunProtected(L, [&](lua_State* L) {
    LexState ls;
    ls.buff = &buff;
    luaX_setinput(L, &ls, text.Stream(), luaS_new(L, chunkname));
    f(&ls);
  });
  *error = status != 0 ? TopString(L) : "";
  L->top = restorestack(L, top);
  luaZ_freebuffer(L, &buff);
  return status;
}
