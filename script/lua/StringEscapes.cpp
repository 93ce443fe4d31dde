// string.lualex: the backslash escapes of a text replaced by the characters
// they stand for, as the lexer reads them in string literals. The byte form
// reads and writes bytes; the wide form reads the text as 16-bit
// little-endian units and writes its characters as such units.

#include <cstddef>
#include <cstdint>

#include "script/lua/Auxlib.h"
#include "script/lua/StringLib.h"

namespace {

// The characters of the text: bytes, or little-endian units. A lone byte that
// ends a wide text is no whole unit and is copied as it is.
class EscapedText {
 public:
  EscapedText(const char* text, size_t len, bool wide)
      : mText(reinterpret_cast<const unsigned char*>(text)),
        mLen(len),
        mWide(wide),
        mCount(wide ? len / 2 : len) {}

  bool Wide() const { return mWide; }
  size_t Count() const { return mCount; }
  unsigned At(size_t i) const {
    return mWide ? mText[2 * i] | (mText[2 * i + 1] << 8) : mText[i];
  }
  // The byte left over after the last unit of a wide text, or -1.
  int Trailer() const { return mWide && mLen % 2 != 0 ? mText[mLen - 1] : -1; }

 private:
  const unsigned char* mText;
  size_t mLen;
  bool mWide;
  size_t mCount;
};

int escapehexvalue(unsigned c) {
  if (c >= '0' && c <= '9') return static_cast<int>(c - '0');
  if (c >= 'a' && c <= 'f') return static_cast<int>(c - 'a' + 10);
  if (c >= 'A' && c <= 'F') return static_cast<int>(c - 'A' + 10);
  return -1;
}

bool isdecimal(unsigned c) { return c >= '0' && c <= '9'; }

// The control character of an escape letter, or -1.
int controlchar(unsigned c) {
  switch (c) {
    case 'a': return 7;
    case 'b': return 8;
    case 'f': return 12;
    case 'n': return 10;
    case 'r': return 13;
    case 't': return 9;
    case 'v': return 11;
    default: return -1;
  }
}

void addchar(luaL_Buffer* b, const EscapedText& text, unsigned c) {
  luaL_putchar(b, static_cast<char>(c & 0xFF));
  if (text.Wide()) luaL_putchar(b, static_cast<char>(c >> 8));
}

// Reads up to `limit` digits of `base` from position i on; returns the value
// and moves i past them.
unsigned readdigits(const EscapedText& text, size_t* i, int limit, int base) {
  unsigned value = 0;
  for (int n = 0; n < limit && *i < text.Count(); n++) {
    const unsigned c = text.At(*i);
    const int digit = base == 16 ? escapehexvalue(c) : isdecimal(c) ? static_cast<int>(c - '0') : -1;
    if (digit < 0) break;
    value = value * static_cast<unsigned>(base) + static_cast<unsigned>(digit);
    ++*i;
  }
  return value;
}

// The escape whose letter stands at *i (after the backslash): adds what it
// stands for and moves *i past what it used.
void addescape(luaL_Buffer* b, const EscapedText& text, size_t* i) {
  const unsigned c = text.At(*i);
  const int control = controlchar(c);
  if (control >= 0) {
    addchar(b, text, static_cast<unsigned>(control));
    ++*i;
  } else if (c == 'x') {
    ++*i;
    if (*i < text.Count() && escapehexvalue(text.At(*i)) >= 0) {
      addchar(b, text, readdigits(text, i, text.Wide() ? 4 : 2, 16));
    } else {
      addchar(b, text, 'x');
    }
  } else if (isdecimal(c)) {
    addchar(b, text, readdigits(text, i, 3, 10) & 0xFF);
  } else {
    addchar(b, text, c);
    ++*i;
  }
}

}  // namespace

int str_lualex(lua_State* L) {
  size_t len;
  const char* s = luaL_checklstring(L, 1, &len);
  const EscapedText text(s, len, luaL_optnumber(L, 2, 0) != 0);
  luaL_Buffer b;
  luaL_buffinit(L, &b);
  size_t i = 0;
  while (i < text.Count()) {
    const unsigned c = text.At(i++);
    if (c == '\\' && i < text.Count()) {
      addescape(&b, text, &i);
    } else {
      addchar(&b, text, c);  // a backslash that ends the text stays
    }
  }
  if (text.Trailer() >= 0) luaL_putchar(&b, static_cast<char>(text.Trailer()));
  luaL_pushresult(&b);
  return 1;
}
