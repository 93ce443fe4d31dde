#include "script/lua/Lexer.h"

#include "script/lua/Strings.h"

const char* const luaX_tokens[] = {
    "and",   "break", "continue", "do",     "else", "elseif", "end",      "false",    "for",
    "function", "if", "in",       "local",  "nil",  "not",    "or",       "repeat",   "return",
    "then",  "true",  "until",    "while",  "*name", "..",    "...",      "==",       ">=",
    "<=",    "~=",    "*number",  "*string", "*wstring", "<<", ">>",      "<eof>",
};

static_assert(sizeof luaX_tokens / sizeof luaX_tokens[0] == TK_EOS - FIRST_RESERVED + 1);

void luaX_init(lua_State* L) {
  for (int i = 0; i < NUM_RESERVED; i++) {
    LString* ts = luaS_new(L, luaX_tokens[i]);
    luaS_fix(ts);
    ts->reserved = static_cast<lu_byte>(i + 1);
  }
}
