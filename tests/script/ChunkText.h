#pragma once

#include <functional>
#include <string>
#include <vector>

#include "script/lua/Stream.h"

// The text of a chunk in memory, handed to a stream block by block. Blocks
// that split a character (or a 16-bit unit) are how readers behave.
class ChunkText {
 public:
  // `wide' marks the stream as UTF-16LE text, as the chunk loader does after
  // consuming the byte-order mark.
  explicit ChunkText(std::vector<std::string> blocks, bool wide = false);
  ChunkText(const ChunkText&) = delete;
  ChunkText& operator=(const ChunkText&) = delete;

  ZIO* Stream() { return &mZ; }

 private:
  static const char* Read(lua_State* L, void* ud, size_t* size);

  std::vector<std::string> mBlocks;
  size_t mNext = 0;
  ZIO mZ;
};

// UTF-16LE bytes of text (no byte-order mark).
std::string Utf16(const std::u16string& text);
// text cut into blocks of `size' bytes (the last may be shorter).
std::vector<std::string> Blocks(const std::string& text, size_t size);
// text cut in two at `cut'.
std::vector<std::string> CutAt(const std::string& text, size_t cut);

struct LexState;

// Runs f protected over a lexer reading text under the chunk name. Returns the
// status; the message of an error goes to *error. The stack top is as before.
int RunLexer(lua_State* L, ChunkText& text, const char* chunkname,
             const std::function<void(LexState*)>& f, std::string* error);
