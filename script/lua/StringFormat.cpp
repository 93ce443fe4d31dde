// string.format: C formatting of numbers and strings item by item, the
// quoting conversions "%q" and "%Q", "%B" for truth values and "%b" for the
// raw bytes of a number.

#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "script/lua/Auxlib.h"
#include "script/lua/FormatArguments.h"
#include "script/lua/Object.h"
#include "script/lua/StringLib.h"

namespace {

constexpr char L_ESC = '%';
constexpr const char* FLAGS = "-+ #0";
// Longest item, from '%' to the conversion letter.
constexpr size_t MAX_FORMAT = 20;
// Room for one formatted item: widths and precisions have at most two digits.
constexpr size_t MAX_ITEM = 512;

// One format item as the C library takes it: "%", flags, width, precision
// and the conversion letter.
struct FormatItem {
  char form[MAX_FORMAT + 1];
  bool hasprecision = false;
};

// Reads flags, at most two width digits and a precision of at most two
// digits from strfrmt; returns where the conversion letter stands (the
// format's terminating zero when it ends there).
const char* scanformat(lua_State* L, const char* strfrmt, FormatItem* item) {
  const char* p = strfrmt;
  while (*p != '\0' && strchr(FLAGS, *p) != nullptr) p++;
  if (isdigit(uchar(*p))) p++;
  if (isdigit(uchar(*p))) p++;
  if (*p == '.') {
    p++;
    item->hasprecision = true;
    if (isdigit(uchar(*p))) p++;
    if (isdigit(uchar(*p))) p++;
  }
  if (isdigit(uchar(*p))) luaL_error(L, "invalid format (width or precision too long)");
  const size_t length = static_cast<size_t>(p - strfrmt) + 2;  // with '%' and the letter
  if (length > MAX_FORMAT) luaL_error(L, "invalid format (too long)");
  item->form[0] = L_ESC;
  memcpy(item->form + 1, strfrmt, length - 1);
  item->form[length] = '\0';
  return p;
}

// "%q": the bytes between double quotes, with a backslash before a double
// quote, a backslash or a newline, and a zero byte as "\000".
void addquoted(lua_State* L, luaL_Buffer* b, int arg) {
  size_t l;
  const char* s = luaL_checklstring(L, arg, &l);
  luaL_putchar(b, '"');
  for (size_t i = 0; i < l; i++) {
    switch (s[i]) {
      case '"':
      case '\\':
      case '\n':
        luaL_putchar(b, '\\');
        luaL_putchar(b, s[i]);
        break;
      case '\0':
        luaL_addlstring(b, "\\000", 4);
        break;
      default:
        luaL_putchar(b, s[i]);
        break;
    }
  }
  luaL_putchar(b, '"');
}

// One character of "%Q": c is a byte, or a 16-bit unit when hexdigits is 4.
void addcquoted(luaL_Buffer* b, unsigned c, int hexdigits) {
  static const char kControls[] = "abtnvfr";  // for 7..13
  if (c >= 7 && c <= 13) {
    luaL_putchar(b, '\\');
    luaL_putchar(b, kControls[c - 7]);
  } else if (c == '"' || c == '\\') {
    luaL_putchar(b, '\\');
    luaL_putchar(b, static_cast<char>(c));
  } else if (c < 256 && isprint(static_cast<int>(c))) {
    luaL_putchar(b, static_cast<char>(c));
  } else {
    char escape[8];
    snprintf(escape, sizeof escape, "\\x%0*x", hexdigits, c);
    luaL_addstring(b, escape);
  }
}

// "%Q": text that the lexer reads back as the same byte string, or as the
// same wide string after an L.
void addcquotedstring(lua_State* L, luaL_Buffer* b, int arg) {
  if (lua_type(L, arg) == LUA_TWSTRING) {
    size_t l;
    const lua_WChar* units = lua_towstring(L, arg);
    l = lua_strlen(L, arg);
    luaL_addlstring(b, "L\"", 2);
    for (size_t i = 0; i < l; i++) addcquoted(b, units[i], 4);
  } else {
    size_t l;
    const char* s = luaL_checklstring(L, arg, &l);
    luaL_putchar(b, '"');
    for (size_t i = 0; i < l; i++) addcquoted(b, static_cast<unsigned>(uchar(s[i])), 2);
  }
  luaL_putchar(b, '"');
}

// "%B": a truth value or nil.
void addboolean(lua_State* L, luaL_Buffer* b, int arg) {
  if (!lua_isnil(L, arg) && !lua_isboolean(L, arg)) luaL_typerror(L, arg, "boolean");
  luaL_addstring(b, lua_toboolean(L, arg) ? "true" : "false");
}

// "%b" and its size letter: the raw bytes of the number in host order
// (little-endian). An unknown size letter adds nothing.
void addrawnumber(luaL_Buffer* b, lua_Number n, char size) {
  const uint32_t bits = luaO_num2bits(n);
  switch (size) {
    case 'F': {
      char bytes[sizeof(double)];
      memcpy(bytes, &n, sizeof bytes);
      luaL_addlstring(b, bytes, sizeof bytes);
      break;
    }
    case 'f': {
      const float f = static_cast<float>(n);
      char bytes[sizeof(float)];
      memcpy(bytes, &f, sizeof bytes);
      luaL_addlstring(b, bytes, sizeof bytes);
      break;
    }
    case 'd':
    case 'w':
    case 'b': {
      const size_t count = size == 'd' ? 4 : size == 'w' ? 2 : 1;
      for (size_t i = 0; i < count; i++) luaL_putchar(b, static_cast<char>(bits >> (8 * i)));
      break;
    }
    default:
      break;
  }
}

}  // namespace

int str_format(lua_State* L) {
  size_t sfl;
  const char* strfrmt = luaL_checklstring(L, 1, &sfl);
  const char* strfrmt_end = strfrmt + sfl;
  FormatArguments args(L, 2);
  luaL_Buffer b;
  luaL_buffinit(L, &b);
  while (strfrmt < strfrmt_end) {
    if (*strfrmt != L_ESC) {
      luaL_putchar(&b, *strfrmt++);
      continue;
    }
    if (*++strfrmt == L_ESC) {
      luaL_putchar(&b, *strfrmt++);
      continue;
    }
    if (isdigit(uchar(*strfrmt)) && *(strfrmt + 1) == '$') {
      luaL_error(L, "obsolete option (d$) to `format'");
    }
    FormatItem item;
    strfrmt = scanformat(L, strfrmt, &item);
    char buff[MAX_ITEM];
    const char letter = strfrmt < strfrmt_end ? *strfrmt++ : '\0';
    switch (letter) {
      case 'c':
      case 'd':
      case 'i':
        snprintf(buff, sizeof buff, item.form, luaL_checkint(L, args.Next("number")));
        break;
      case 'o':
      case 'u':
      case 'x':
      case 'X':
        snprintf(buff, sizeof buff, item.form,
                 static_cast<unsigned>(luaO_num2bits(luaL_checknumber(L, args.Next("number")))));
        break;
      case 'e':
      case 'E':
      case 'f':
      case 'g':
      case 'G':
        snprintf(buff, sizeof buff, item.form, luaL_checknumber(L, args.Next("number")));
        break;
      case 'q':
        addquoted(L, &b, args.Next("string"));
        continue;
      case 'Q':
        addcquotedstring(L, &b, args.Next("string"));
        continue;
      case 'B':
        addboolean(L, &b, args.Next("boolean"));
        continue;
      case 'b': {
        if (strfrmt >= strfrmt_end) luaL_error(L, "invalid option to `format'");
        const char size = *strfrmt++;
        addrawnumber(&b, luaL_checknumber(L, args.Next("number")), size);
        continue;
      }
      case 's': {
        const int arg = args.Next("string");
        size_t l;
        const char* s = luaL_checklstring(L, arg, &l);
        if (!item.hasprecision && l >= 100) {
          // Too long to format with a width of two digits: added whole.
          lua_pushvalue(L, arg);
          luaL_addvalue(&b);
          continue;
        }
        snprintf(buff, sizeof buff, item.form, s);
        break;
      }
      default:
        luaL_error(L, "invalid option to `format'");
    }
    luaL_addlstring(&b, buff, strlen(buff));
  }
  luaL_pushresult(&b);
  return 1;
}
