#pragma once

#include <cstddef>

#include "script/lua/Lua.h"

// The pattern matcher of the string library (find, gfind, gsub). A pattern is
// zero-terminated: a zero byte ends it. Its items are single characters,
// '.', character classes ("%a", "%d"... and their upper-case complements),
// sets "[...]", each optionally followed by '*', '+', '-' or '?'; "%bxy"
// balanced text, "%f[set]" frontiers, "%1".."%9" back references, captures
// "(...)" and position captures "()", and '$' anchoring at the end. Errors in
// the pattern are raised as run-time errors of the calling function.

inline constexpr int LUA_MAXCAPTURES = 32;

// The state of one match attempt over the subject [src_init, src_end). The
// subject must have a readable byte at src_end (interned strings end with a
// zero byte), since frontiers and balances look at it.
struct MatchState {
  const char* src_init;
  const char* src_end;
  lua_State* L;
  int level;       // captures opened so far
  int matchdepth;  // nested matching steps still allowed
  struct {
    const char* init;
    ptrdiff_t len;  // a length, or CAP_UNFINISHED / CAP_POSITION
  } capture[LUA_MAXCAPTURES];
};

// Prepares ms for matching within the subject [s, s + len).
void luaI_initmatch(MatchState* ms, lua_State* L, const char* s, size_t len);
// Matches the pattern p at s: the end of the match, or null when it fails.
// Clears the captures first.
const char* luaI_match(MatchState* ms, const char* s, const char* p);
// Pushes the captures of the last successful match, or the whole match
// [s, e) when there are none and s is given; returns how many it pushed.
int luaI_pushcaptures(MatchState* ms, const char* s, const char* e);
// Pushes capture `digit` ('1'..'9') of the last successful match;
// "invalid capture index" when it does not exist.
void luaI_pushcapture(MatchState* ms, int digit);
