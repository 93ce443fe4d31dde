#include "script/lua/Object.h"

#include <bit>
#include <cstring>
#include <string>

#include "script/lua/Calls.h"
#include "script/lua/NumberText.h"
#include "script/lua/Strings.h"

const TObject luaO_nilobject = {LUA_TNIL, {nullptr}};

const char* const luaT_typenames[] = {"nil",      "boolean",  "userdata", "number",
                                      "string",   "table",    "function", "userdata",
                                      "thread",   "wstring",  "proto",    "upval"};

int luaO_rawequalObj(const TObject* t1, const TObject* t2) {
  if (ttype(t1) != ttype(t2)) return 0;
  switch (ttype(t1)) {
    case LUA_TNIL:
      return 1;
    case LUA_TNUMBER:
      return nvalue(t1) == nvalue(t2);
    case LUA_TBOOLEAN:
      return bvalue(t1) == bvalue(t2);
    case LUA_TLIGHTUSERDATA:
      return pvalue(t1) == pvalue(t2);
    default:
      return gcvalue(t1) == gcvalue(t2);
  }
}

int luaO_log2(unsigned int x) {
  return static_cast<int>(std::bit_width(x)) - 1;
}

int luaO_int2fb(unsigned int x) {
  int exponent = 0;
  while (x >= 8) {
    x = (x + 1) >> 1;
    exponent++;
  }
  return (exponent << 3) | static_cast<int>(x);
}

size_t luaO_fb2int(int x) {
  const int exponent = (x >> 3) & 0x3f;
  const size_t mantissa = static_cast<size_t>(x & 7);
  if (exponent >= 40) return SIZE_MAX;  // far beyond any table size
  return mantissa << exponent;
}

namespace {

void appendnumber(std::string& out, lua_Number n) {
  char text[LUAI_MAXNUMBER2STR];
  out.append(text, luaO_number2str(n, text));
}

}  // namespace

const char* luaO_pushvfstring(lua_State* L, const char* fmt, va_list argp) {
  std::string out;
  for (const char* p = fmt; *p != '\0'; p++) {
    if (*p != '%') {
      out += *p;
      continue;
    }
    switch (*++p) {
      case 's': {
        const char* s = va_arg(argp, const char*);
        out += s != nullptr ? s : "(null)";
        break;
      }
      case 'c': {
        const char c = static_cast<char>(va_arg(argp, int));
        if (c != '\0') out += c;
        break;
      }
      case 'd':
        appendnumber(out, static_cast<lua_Number>(va_arg(argp, int)));
        break;
      case 'f':
        appendnumber(out, static_cast<lua_Number>(va_arg(argp, lua_Number)));
        break;
      case '\0':  // a lone '%' at the end stays as it is
        out += '%';
        p--;
        break;
      case '%':
        out += '%';
        break;
      default:  // an unknown conversion is copied as written
        out += '%';
        out += *p;
        break;
    }
  }
  LString* ts = luaS_newlstr(L, out.data(), out.size());
  setsvalue(L->top, ts);
  incr_top(L);
  return getstr(ts);
}

const char* luaO_pushfstring(lua_State* L, const char* fmt, ...) {
  va_list argp;
  va_start(argp, fmt);
  const char* msg = luaO_pushvfstring(L, fmt, argp);
  va_end(argp);
  return msg;
}

namespace {

// Copies count bytes of text to out and terminates them; returns the end.
char* copyclipped(char* out, const char* text, size_t count) {
  memcpy(out, text, count);
  out[count] = '\0';
  return out + count;
}

size_t roomafter(size_t bufflen, size_t reserved) {
  return bufflen > reserved ? bufflen - reserved : 0;
}

}  // namespace

void luaO_chunkid(char* out, const char* source, size_t bufflen) {
  if (bufflen == 0) return;
  if (*source == '=') {  // the name as given, cut to the buffer
    const size_t len = strnlen(source + 1, bufflen - 1);
    copyclipped(out, source + 1, len);
  } else if (*source == '@') {  // a file name: keep its last part
    source++;
    const size_t room = roomafter(bufflen, sizeof(" `...' "));
    const size_t len = strlen(source);
    if (len > room) {
      out = copyclipped(out, "...", 3);
      source += len - room;
    }
    copyclipped(out, source, strlen(source));
  } else {  // [string "first line..."]
    const size_t room = roomafter(bufflen, sizeof(" [string \"...\"] "));
    size_t len = strcspn(source, "\n");
    if (len > room) len = room;
    out = copyclipped(out, "[string \"", 9);
    out = copyclipped(out, source, len);
    if (source[len] != '\0') out = copyclipped(out, "...", 3);
    copyclipped(out, "\"]", 2);
  }
}
