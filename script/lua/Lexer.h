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

// The lexer reads a chunk from a stream, byte by byte or, when the stream is
// marked wide (UTF-16LE text), one 16-bit unit at a time, and hands the parser
// one token at a time with one token of look-ahead. Every error it raises is a
// syntax error (LUA_ERRSYNTAX) whose message names the chunk, the line and the
// text near which it happened; nothing is left of the compilation but the
// state stays usable.

struct FuncState;

// Value of a token: the number of TK_NUMBER; the interned byte string of
// TK_NAME and TK_STRING; the interned wide string of TK_WSTRING.
union SemInfo {
  lua_Number r;
  LString* ts;
};

struct Token {
  int token;
  SemInfo seminfo;
};

// One per compilation, on the C stack of the compiling call.
struct LexState {
  int current;    // character under the cursor (a byte or a 16-bit unit), EOZ at the end
  int linenumber;
  int lastline;   // line of the last token consumed
  Token t;        // current token
  Token lookahead;  // TK_EOS when empty
  FuncState* fs;  // function being compiled
  lua_State* L;
  ZIO* z;
  Mbuffer* buff;  // text of the token being read
  size_t nbuff;   // bytes of it in buff
  bool widebuff;  // buff holds 16-bit units (a wide string)
  LString* source;  // chunk name
  int nestlevel;  // syntax nesting depth, counted by the parser
};

// Starts reading the chunk of z (the first character is read; a first line
// starting with '#' is skipped up to its line feed).
void luaX_setinput(lua_State* L, LexState* ls, ZIO* z, LString* source);
// Reads the next token and returns its number, its value in *seminfo.
int luaX_lex(LexState* ls, SemInfo* seminfo);
// Makes the next token current (the look-ahead first, when there is one).
void luaX_next(LexState* ls);
// Reads the token after the current one into the look-ahead.
void luaX_lookahead(LexState* ls);

// "chunk:line: msg near `token'", where token is the text of the current
// token: its characters for a name, string or number, else its printable name.
[[noreturn]] void luaX_syntaxerror(LexState* ls, const char* msg);
// Raises "too many <what> (limit=<limit>)" when value exceeds limit.
void luaX_checklimit(LexState* ls, int value, int limit, const char* what);
// Printable name of a token; a single character is pushed as a string.
const char* luaX_token2str(LexState* ls, int token);
