#pragma once

#include "script/lua/State.h"

// Tokens of the lexer. Single-character tokens are their character code; the
// others start at FIRST_RESERVED, the 22 reserved words first, in this
// alphabetical order.
inline constexpr int FIRST_RESERVED = 257;

enum RESERVED {
  TK_AND = FIRST_RESERVED,
  TK_BREAK,
  TK_CONTINUE,
  TK_DO,
  TK_ELSE,
  TK_ELSEIF,
  TK_END,
  TK_FALSE,
  TK_FOR,
  TK_FUNCTION,
  TK_IF,
  TK_IN,
  TK_LOCAL,
  TK_NIL,
  TK_NOT,
  TK_OR,
  TK_REPEAT,
  TK_RETURN,
  TK_THEN,
  TK_TRUE,
  TK_UNTIL,
  TK_WHILE,
  TK_NAME,
  TK_CONCAT,
  TK_DOTS,
  TK_EQ,
  TK_GE,
  TK_LE,
  TK_NE,
  TK_NUMBER,
  TK_STRING,
  TK_WSTRING,
  TK_SHL,
  TK_SHR,
  TK_EOS
};

inline constexpr int NUM_RESERVED = TK_WHILE - FIRST_RESERVED + 1;

// Printable names of the tokens from FIRST_RESERVED on.
extern const char* const luaX_tokens[];

// Interns the reserved words, marks each with its index (1..NUM_RESERVED,
// token = FIRST_RESERVED - 1 + index) and fixes them.
void luaX_init(lua_State* L);
