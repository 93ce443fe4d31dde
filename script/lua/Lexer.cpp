#include "script/lua/Lexer.h"

#include <cstring>
#include <string>

#include "script/lua/Calls.h"
#include "script/lua/NumberText.h"
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

namespace {

// Room for the chunk name in messages, terminator included.
constexpr size_t MAXSRC = 80;

// Characters are classified by their ASCII meaning only: a byte of 128 or
// more, or any 16-bit unit beyond ASCII, is neither a letter nor a digit nor
// white space, whatever the locale.
bool isdigitchar(int c) { return c >= '0' && c <= '9'; }
bool isletter(int c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool isnamechar(int c) { return isletter(c) || isdigitchar(c); }
bool isspacechar(int c) { return c == ' ' || (c >= '\t' && c <= '\r' && c != '\n'); }

int hexdigitvalue(int c) {
  if (isdigitchar(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// --- Reading characters ----------------------------------------------------

// The next character: a byte, or in a wide stream two bytes combined low byte
// first; a stream that ends inside a pair ends there.
int readchar(ZIO* z) {
  const int low = zgetc(z);
  if (!z->wide || low == EOZ) return low;
  const int high = zgetc(z);
  return high == EOZ ? EOZ : (low | (high << 8));
}

void advance(LexState* ls) { ls->current = readchar(ls->z); }

// --- The text buffer ---------------------------------------------------------

void startbuffer(LexState* ls, bool wide) {
  ls->nbuff = 0;
  ls->widebuff = wide;
}

void ensurespace(LexState* ls, size_t bytes) {
  const size_t needed = ls->nbuff + bytes;
  const size_t size = luaZ_sizebuffer(ls->buff);
  if (needed <= size) return;
  const size_t doubled = size < MAX_SIZET / 2 ? size * 2 : MAX_SIZET;
  luaZ_openspace(ls->L, ls->buff, needed > doubled ? needed : doubled);
}

// Appends a character: one byte (a 16-bit unit keeps its low byte) or, in a
// wide buffer, one 16-bit unit.
void save(LexState* ls, int c) {
  if (ls->widebuff) {
    const lua_WChar unit = static_cast<lua_WChar>(c);
    ensurespace(ls, sizeof unit);
    memcpy(luaZ_buffer(ls->buff) + ls->nbuff, &unit, sizeof unit);
    ls->nbuff += sizeof unit;
  } else {
    ensurespace(ls, 1);
    luaZ_buffer(ls->buff)[ls->nbuff++] = static_cast<char>(c);
  }
}

void saveandadvance(LexState* ls) {
  save(ls, ls->current);
  advance(ls);
}

// The buffer as text for a message. Units of a wide buffer below 256 stand
// for themselves, the others for '?'.
std::string buffertext(const LexState* ls) {
  const char* text = luaZ_buffer(ls->buff);
  if (ls->nbuff == 0) return std::string();
  if (!ls->widebuff) return std::string(text, strnlen(text, ls->nbuff));
  std::string narrow;
  for (size_t i = 0; i + 1 < ls->nbuff; i += sizeof(lua_WChar)) {
    lua_WChar unit;
    memcpy(&unit, text + i, sizeof unit);
    if (unit == 0) break;
    narrow += unit < 256 ? static_cast<char>(unit) : '?';
  }
  return narrow;
}

// --- Errors --------------------------------------------------------------------

[[noreturn]] void raiseerror(LexState* ls, const char* msg, const char* near) {
  char chunk[MAXSRC];
  luaO_chunkid(chunk, getstr(ls->source), sizeof chunk);
  luaO_pushfstring(ls->L, "%s:%d: %s near `%s'", chunk, ls->linenumber, msg, near);
  luaD_throw(ls->L, LUA_ERRSYNTAX);
}

// An error in the token being read, near the text read so far.
[[noreturn]] void lexerror(LexState* ls, const char* msg) {
  raiseerror(ls, msg, buffertext(ls).c_str());
}

// An error at the end of the stream, near "<eof>".
[[noreturn]] void eoferror(LexState* ls, const char* msg) {
  raiseerror(ls, msg, luaX_tokens[TK_EOS - FIRST_RESERVED]);
}

[[noreturn]] void charerror(LexState* ls, const char* msg, int c) {
  raiseerror(ls, msg, luaO_pushfstring(ls->L, "char(%d)", c));
}

void newline(LexState* ls) {
  advance(ls);
  ++ls->linenumber;
  luaX_checklimit(ls, ls->linenumber, MAX_INT, "lines in a chunk");
}

// --- Numbers -------------------------------------------------------------------

// "0x" and 1 to 8 hexadecimal digits; later digits start the next token. The
// digits form an unsigned 32-bit value read as a signed one.
void readhexnumeral(LexState* ls, SemInfo* seminfo) {
  saveandadvance(ls);  // the 'x'
  uint32_t value = 0;
  int digits = 0;
  for (int d; digits < 8 && (d = hexdigitvalue(ls->current)) >= 0; digits++) {
    value = value * 16 + static_cast<uint32_t>(d);
    saveandadvance(ls);
  }
  if (digits == 0) lexerror(ls, "malformed number");
  seminfo->r = static_cast<int32_t>(value);
}

void readdigits(LexState* ls) {
  while (isdigitchar(ls->current)) saveandadvance(ls);
}

// A numeral that starts with a digit, or after a point already read when
// leadingpoint is set.
void readnumeral(LexState* ls, bool leadingpoint, SemInfo* seminfo) {
  startbuffer(ls, false);
  if (leadingpoint) {
    save(ls, '.');
  } else if (ls->current == '0') {
    saveandadvance(ls);
    if (ls->current == 'x') {
      readhexnumeral(ls, seminfo);
      return;
    }
  }
  readdigits(ls);
  if (ls->current == '.') {
    saveandadvance(ls);
    if (ls->current == '.') {
      saveandadvance(ls);
      lexerror(ls, "ambiguous syntax (decimal point x string concatenation)");
    }
  }
  readdigits(ls);
  if (ls->current == 'e' || ls->current == 'E') {
    saveandadvance(ls);
    if (ls->current == '+' || ls->current == '-') saveandadvance(ls);
    readdigits(ls);
  }
  save(ls, '\0');
  ls->nbuff--;
  if (!luaO_str2d(luaZ_buffer(ls->buff), &seminfo->r)) lexerror(ls, "malformed number");
}

// --- Strings -------------------------------------------------------------------

// "\x" and up to maxdigits hexadecimal digits; without a digit the letter x.
void readhexescape(LexState* ls, int maxdigits) {
  advance(ls);  // the 'x'
  if (hexdigitvalue(ls->current) < 0) {
    save(ls, 'x');
    return;
  }
  int value = 0;
  for (int d, digits = 0; digits < maxdigits && (d = hexdigitvalue(ls->current)) >= 0; digits++) {
    value = value * 16 + d;
    advance(ls);
  }
  save(ls, value);
}

// "\" and 1 to 3 decimal digits: a byte value.
void readdecimalescape(LexState* ls) {
  int value = 0;
  for (int digits = 0; digits < 3 && isdigitchar(ls->current); digits++) {
    value = value * 10 + (ls->current - '0');
    advance(ls);
  }
  if (value > 255) lexerror(ls, "escape sequence too large");
  save(ls, value);
}

// The character after a backslash (the backslash is not kept).
void readescape(LexState* ls) {
  advance(ls);
  switch (ls->current) {
    case 'a': save(ls, '\a'); break;
    case 'b': save(ls, '\b'); break;
    case 'f': save(ls, '\f'); break;
    case 'n': save(ls, '\n'); break;
    case 'r': save(ls, '\r'); break;
    case 't': save(ls, '\t'); break;
    case 'v': save(ls, '\v'); break;
    case '\n':
      save(ls, '\n');
      newline(ls);
      return;
    case 'x':
      readhexescape(ls, ls->widebuff ? 4 : 2);
      return;
    case EOZ:
      return;  // reported as an unfinished string
    default:
      if (isdigitchar(ls->current)) {
        readdecimalescape(ls);
      } else {
        saveandadvance(ls);
      }
      return;
  }
  advance(ls);
}

// Reads up to the closing delimiter; the buffer then holds the literal with
// its delimiters (and a wide literal's 'L' before them).
void readquoted(LexState* ls, int delimiter) {
  saveandadvance(ls);
  while (ls->current != delimiter) {
    switch (ls->current) {
      case EOZ:
        eoferror(ls, "unfinished string");
      case '\n':
        lexerror(ls, "unfinished string");
      case '\\':
        readescape(ls);
        break;
      default:
        saveandadvance(ls);
        break;
    }
  }
  saveandadvance(ls);
}

void readstring(LexState* ls, int delimiter, SemInfo* seminfo) {
  startbuffer(ls, false);
  readquoted(ls, delimiter);
  seminfo->ts = luaS_newlstr(ls->L, luaZ_buffer(ls->buff) + 1, ls->nbuff - 2);
}

// L"...": the 'L' is read, the double quote is current.
void readwidestring(LexState* ls, SemInfo* seminfo) {
  startbuffer(ls, true);
  save(ls, 'L');
  readquoted(ls, '"');
  const size_t units = ls->nbuff / sizeof(lua_WChar);
  lua_WChar* text = reinterpret_cast<lua_WChar*>(luaZ_buffer(ls->buff));
  seminfo->ts = luaS_newlwstr(ls->L, text + 2, units - 3);
}

// [[ ... ]] with nested pairs; the opening "[[" has been read up to its second
// '['. A string keeps its text (without a line feed right after the opening),
// a comment (seminfo null) keeps nothing.
void readlongstring(LexState* ls, SemInfo* seminfo) {
  const bool keep = seminfo != nullptr;
  startbuffer(ls, false);
  auto keepandadvance = [&] {
    if (keep) save(ls, ls->current);
    advance(ls);
  };
  if (keep) save(ls, '[');
  keepandadvance();
  if (ls->current == '\n') newline(ls);
  int depth = 0;
  for (;;) {
    switch (ls->current) {
      case EOZ:
        eoferror(ls, keep ? "unfinished long string" : "unfinished long comment");
      case '[':
        keepandadvance();
        if (ls->current == '[') {
          depth++;
          keepandadvance();
        }
        break;
      case ']':
        keepandadvance();
        if (ls->current == ']') {
          if (depth == 0) {
            keepandadvance();
            if (keep) seminfo->ts = luaS_newlstr(ls->L, luaZ_buffer(ls->buff) + 2, ls->nbuff - 4);
            return;
          }
          depth--;
          keepandadvance();
        }
        break;
      case '\n':
        if (keep) save(ls, '\n');
        newline(ls);
        break;
      default:
        keepandadvance();
        break;
    }
  }
}

// --- Names ---------------------------------------------------------------------

// A name or a reserved word; a lone L directly followed by a double quote
// opens a wide string instead.
int readname(LexState* ls, SemInfo* seminfo) {
  startbuffer(ls, false);
  if (ls->current == 'L') {
    advance(ls);
    if (ls->current == '"') {
      readwidestring(ls, seminfo);
      return TK_WSTRING;
    }
    save(ls, 'L');
  }
  while (isnamechar(ls->current)) saveandadvance(ls);
  LString* ts = luaS_newlstr(ls->L, luaZ_buffer(ls->buff), ls->nbuff);
  if (ts->reserved > 0) return FIRST_RESERVED - 1 + ts->reserved;
  seminfo->ts = ts;
  return TK_NAME;
}

// --- Operators -----------------------------------------------------------------

// After `first', which is current: `two' when `second' follows it, else the
// single character.
int oneortwo(LexState* ls, int second, int two) {
  const int first = ls->current;
  advance(ls);
  if (ls->current != second) return first;
  advance(ls);
  return two;
}

// `<' or `>': a shift when doubled, the comparison with `=', else itself.
int angle(LexState* ls, int shift, int orequal) {
  const int first = ls->current;
  advance(ls);
  if (ls->current == first) {
    advance(ls);
    return shift;
  }
  if (ls->current == '=') {
    advance(ls);
    return orequal;
  }
  return first;
}

// `-' or a comment (skipped: returns 0).
int minusorcomment(LexState* ls) {
  advance(ls);
  if (ls->current != '-') return '-';
  advance(ls);
  if (ls->current == '[') {
    advance(ls);
    if (ls->current == '[') {
      readlongstring(ls, nullptr);
      return 0;
    }
  }
  while (ls->current != '\n' && ls->current != EOZ) advance(ls);
  return 0;
}

int dots(LexState* ls, SemInfo* seminfo) {
  advance(ls);
  if (ls->current == '.') {
    advance(ls);
    if (ls->current != '.') return TK_CONCAT;
    advance(ls);
    return TK_DOTS;
  }
  if (!isdigitchar(ls->current)) return '.';
  readnumeral(ls, true, seminfo);
  return TK_NUMBER;
}

int singlecharacter(LexState* ls) {
  const int c = ls->current;
  if (c >= 255) charerror(ls, "invalid wide char", c);
  if (c < ' ' || c == 127) charerror(ls, "invalid control char", c);
  advance(ls);
  return c;
}

}  // namespace

void luaX_setinput(lua_State* L, LexState* ls, ZIO* z, LString* source) {
  ls->L = L;
  ls->lookahead.token = TK_EOS;
  ls->z = z;
  ls->fs = nullptr;
  ls->linenumber = 1;
  ls->lastline = 1;
  ls->source = source;
  ls->nbuff = 0;
  ls->widebuff = false;
  advance(ls);
  if (ls->current == '#') {
    while (ls->current != '\n' && ls->current != EOZ) advance(ls);
  }
}

int luaX_lex(LexState* ls, SemInfo* seminfo) {
  for (;;) {
    switch (ls->current) {
      case '\n':
        newline(ls);
        continue;
      case '-':
        if (const int token = minusorcomment(ls); token != 0) return token;
        continue;
      case '[':
        advance(ls);
        if (ls->current != '[') return '[';
        readlongstring(ls, seminfo);
        return TK_STRING;
      case '=':
        return oneortwo(ls, '=', TK_EQ);
      case '~':
        return oneortwo(ls, '=', TK_NE);
      case '<':
        return angle(ls, TK_SHL, TK_LE);
      case '>':
        return angle(ls, TK_SHR, TK_GE);
      case '"':
      case '\'':
        readstring(ls, ls->current, seminfo);
        return TK_STRING;
      case '.':
        return dots(ls, seminfo);
      case EOZ:
        return TK_EOS;
      default:
        if (isspacechar(ls->current)) {
          advance(ls);
          continue;
        }
        if (isdigitchar(ls->current)) {
          readnumeral(ls, false, seminfo);
          return TK_NUMBER;
        }
        if (isletter(ls->current)) return readname(ls, seminfo);
        return singlecharacter(ls);
    }
  }
}

void luaX_next(LexState* ls) {
  ls->lastline = ls->linenumber;
  if (ls->lookahead.token != TK_EOS) {
    ls->t = ls->lookahead;
    ls->lookahead.token = TK_EOS;
  } else {
    ls->t.token = luaX_lex(ls, &ls->t.seminfo);
  }
}

void luaX_lookahead(LexState* ls) {
  ls->lookahead.token = luaX_lex(ls, &ls->lookahead.seminfo);
}

const char* luaX_token2str(LexState* ls, int token) {
  if (token < FIRST_RESERVED) return luaO_pushfstring(ls->L, "%c", token);
  return luaX_tokens[token - FIRST_RESERVED];
}

void luaX_syntaxerror(LexState* ls, const char* msg) {
  switch (ls->t.token) {
    case TK_NAME:
      raiseerror(ls, msg, getstr(ls->t.seminfo.ts));
    case TK_STRING:
    case TK_WSTRING:
    case TK_NUMBER:
      lexerror(ls, msg);
    default:
      raiseerror(ls, msg, luaX_token2str(ls, ls->t.token));
  }
}

void luaX_checklimit(LexState* ls, int value, int limit, const char* what) {
  if (value > limit) {
    luaX_syntaxerror(ls, luaO_pushfstring(ls->L, "too many %s (limit=%d)", what, limit));
  }
}
