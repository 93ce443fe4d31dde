#include "script/lua/PatternMatch.h"

#include <cctype>
#include <cstring>

#include "script/lua/Auxlib.h"
#include "script/lua/StringLib.h"

namespace {

constexpr ptrdiff_t CAP_UNFINISHED = -1;
constexpr ptrdiff_t CAP_POSITION = -2;
constexpr char ESC = '%';

// Matching steps may nest this deep: every repetition, optional item and
// capture nests one step, so a long pattern of them would otherwise exhaust
// the C stack.
constexpr int MAXMATCHDEPTH = 200;

int checkcapture(MatchState* ms, int digit) {
  const int l = digit - '1';
  if (l < 0 || l >= ms->level || ms->capture[l].len == CAP_UNFINISHED) {
    luaL_error(ms->L, "invalid capture index");
  }
  return l;
}

int capturetoclose(MatchState* ms) {
  for (int level = ms->level - 1; level >= 0; level--) {
    if (ms->capture[level].len == CAP_UNFINISHED) return level;
  }
  luaL_error(ms->L, "invalid pattern capture");
}

// The end of the single-character item at p: a character, an escape or a set.
const char* classend(MatchState* ms, const char* p) {
  switch (*p++) {
    case ESC:
      if (*p == '\0') luaL_error(ms->L, "malformed pattern (ends with `%%')");
      return p + 1;
    case '[':
      if (*p == '^') p++;
      do {  // look for the closing ']'; the first character may be one
        if (*p == '\0') luaL_error(ms->L, "malformed pattern (missing `]')");
        if (*(p++) == ESC && *p != '\0') p++;  // an escape such as "%]"
      } while (*p != ']');
      return p + 1;
    default:
      return p;
  }
}

// Whether c belongs to the class letter cl ("%a" and so on); an upper-case
// class letter is the complement, any other letter stands for itself.
bool matchclass(int c, int cl) {
  bool res;
  switch (tolower(cl)) {
    case 'a': res = isalpha(c); break;
    case 'c': res = iscntrl(c); break;
    case 'd': res = isdigit(c); break;
    case 'l': res = islower(c); break;
    case 'p': res = ispunct(c); break;
    case 's': res = isspace(c); break;
    case 'u': res = isupper(c); break;
    case 'w': res = isalnum(c); break;
    case 'x': res = isxdigit(c); break;
    case 'z': res = (c == 0); break;
    default: return cl == c;
  }
  return isupper(cl) ? !res : res;
}

// Whether c belongs to the set that starts at p ('[') and ends at ec (']').
bool matchbracketclass(int c, const char* p, const char* ec) {
  bool sig = true;
  if (*(p + 1) == '^') {
    sig = false;
    p++;
  }
  while (++p < ec) {
    if (*p == ESC) {
      p++;
      if (matchclass(c, uchar(*p))) return sig;
    } else if (*(p + 1) == '-' && p + 2 < ec) {
      p += 2;
      if (uchar(*(p - 2)) <= c && c <= uchar(*p)) return sig;
    } else if (uchar(*p) == c) {
      return sig;
    }
  }
  return !sig;
}

bool singlematch(int c, const char* p, const char* ep) {
  switch (*p) {
    case '.': return true;
    case ESC: return matchclass(c, uchar(*(p + 1)));
    case '[': return matchbracketclass(c, p, ep - 1);
    default: return uchar(*p) == c;
  }
}

const char* match(MatchState* ms, const char* s, const char* p);

// "%bxy" at s: the end of the balanced text, or null.
const char* matchbalance(MatchState* ms, const char* s, const char* p) {
  if (*p == '\0' || *(p + 1) == '\0') luaL_error(ms->L, "unbalanced pattern");
  if (*s != *p) return nullptr;
  const char b = *p;
  const char e = *(p + 1);
  int cont = 1;
  while (++s < ms->src_end) {
    if (*s == e) {
      if (--cont == 0) return s + 1;
    } else if (*s == b) {
      cont++;
    }
  }
  return nullptr;
}

const char* maxexpand(MatchState* ms, const char* s, const char* p, const char* ep) {
  ptrdiff_t i = 0;
  while (s + i < ms->src_end && singlematch(uchar(*(s + i)), p, ep)) i++;
  for (; i >= 0; i--) {  // the longest repetition first
    const char* res = match(ms, s + i, ep + 1);
    if (res != nullptr) return res;
  }
  return nullptr;
}

const char* minexpand(MatchState* ms, const char* s, const char* p, const char* ep) {
  for (;;) {
    const char* res = match(ms, s, ep + 1);
    if (res != nullptr) return res;
    if (s < ms->src_end && singlematch(uchar(*s), p, ep)) {
      s++;
    } else {
      return nullptr;
    }
  }
}

const char* startcapture(MatchState* ms, const char* s, const char* p, ptrdiff_t what) {
  const int level = ms->level;
  if (level >= LUA_MAXCAPTURES) luaL_error(ms->L, "too many captures");
  ms->capture[level].init = s;
  ms->capture[level].len = what;
  ms->level = level + 1;
  const char* res = match(ms, s, p);
  if (res == nullptr) ms->level--;
  return res;
}

const char* endcapture(MatchState* ms, const char* s, const char* p) {
  const int l = capturetoclose(ms);
  ms->capture[l].len = s - ms->capture[l].init;
  const char* res = match(ms, s, p);
  if (res == nullptr) ms->capture[l].len = CAP_UNFINISHED;
  return res;
}

// A back reference "%1".."%9" at s.
const char* matchcapture(MatchState* ms, const char* s, int digit) {
  const int l = checkcapture(ms, digit);
  const ptrdiff_t len = ms->capture[l].len;
  if (len >= 0 && ms->src_end - s >= len &&
      memcmp(ms->capture[l].init, s, static_cast<size_t>(len)) == 0) {
    return s + len;
  }
  return nullptr;
}

// "%f[set]" at s: the pattern continues after the set when the character
// before s is outside the set and the one at s inside it.
const char* frontier(MatchState* ms, const char* s, const char* p) {
  if (*p != '[') luaL_error(ms->L, "missing `[' after `%%f' in pattern");
  const char* ep = classend(ms, p);
  const char previous = s == ms->src_init ? '\0' : *(s - 1);
  if (matchbracketclass(uchar(previous), p, ep - 1) || !matchbracketclass(uchar(*s), p, ep - 1)) {
    return nullptr;
  }
  return ep;
}

// One pattern item with its repetition suffix; tail steps loop instead of
// nesting.
const char* domatch(MatchState* ms, const char* s, const char* p) {
  for (;;) {
    switch (*p) {
      case '(':
        if (*(p + 1) == ')') return startcapture(ms, s, p + 2, CAP_POSITION);
        return startcapture(ms, s, p + 1, CAP_UNFINISHED);
      case ')':
        return endcapture(ms, s, p + 1);
      case '\0':
        return s;
      case '$':
        if (*(p + 1) == '\0') return s == ms->src_end ? s : nullptr;
        break;
      case ESC:
        if (*(p + 1) == 'b') {
          s = matchbalance(ms, s, p + 2);
          if (s == nullptr) return nullptr;
          p += 4;
          continue;
        }
        if (*(p + 1) == 'f') {
          p = frontier(ms, s, p + 2);
          if (p == nullptr) return nullptr;
          continue;
        }
        if (isdigit(uchar(*(p + 1)))) {
          s = matchcapture(ms, s, uchar(*(p + 1)));
          if (s == nullptr) return nullptr;
          p += 2;
          continue;
        }
        break;
      default:
        break;
    }
    const char* ep = classend(ms, p);
    const bool m = s < ms->src_end && singlematch(uchar(*s), p, ep);
    switch (*ep) {
      case '?': {
        const char* res = m ? match(ms, s + 1, ep + 1) : nullptr;
        if (res != nullptr) return res;
        p = ep + 1;
        continue;
      }
      case '*':
        return maxexpand(ms, s, p, ep);
      case '+':
        return m ? maxexpand(ms, s + 1, p, ep) : nullptr;
      case '-':
        return minexpand(ms, s, p, ep);
      default:
        if (!m) return nullptr;
        s++;
        p = ep;
        continue;
    }
  }
}

const char* match(MatchState* ms, const char* s, const char* p) {
  if (ms->matchdepth-- == 0) luaL_error(ms->L, "pattern too complex");
  const char* res = domatch(ms, s, p);
  ms->matchdepth++;
  return res;
}

void pushonecapture(MatchState* ms, int i) {
  const ptrdiff_t l = ms->capture[i].len;
  if (l == CAP_UNFINISHED) luaL_error(ms->L, "unfinished capture");
  if (l == CAP_POSITION) {
    lua_pushnumber(ms->L, static_cast<lua_Number>(ms->capture[i].init - ms->src_init + 1));
  } else {
    lua_pushlstring(ms->L, ms->capture[i].init, static_cast<size_t>(l));
  }
}

}  // namespace

void luaI_initmatch(MatchState* ms, lua_State* L, const char* s, size_t len) {
  ms->L = L;
  ms->src_init = s;
  ms->src_end = s + len;
  ms->level = 0;
  ms->matchdepth = MAXMATCHDEPTH;
}

const char* luaI_match(MatchState* ms, const char* s, const char* p) {
  ms->level = 0;
  ms->matchdepth = MAXMATCHDEPTH;
  return match(ms, s, p);
}

int luaI_pushcaptures(MatchState* ms, const char* s, const char* e) {
  luaL_checkstack(ms->L, ms->level, "too many captures");
  if (ms->level == 0 && s != nullptr) {
    lua_pushlstring(ms->L, s, static_cast<size_t>(e - s));
    return 1;
  }
  for (int i = 0; i < ms->level; i++) pushonecapture(ms, i);
  return ms->level;
}

void luaI_pushcapture(MatchState* ms, int digit) { pushonecapture(ms, checkcapture(ms, digit)); }
