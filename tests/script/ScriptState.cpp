#include "tests/script/ScriptState.h"

#include <cstdlib>
#include <vector>

#include <gtest/gtest.h>

#include "script/lua/Calls.h"
#include "script/lua/Function.h"
#include "script/lua/NumberText.h"
#include "script/lua/Strings.h"
#include "tests/script/ChunkText.h"

void* TestAllocator::Alloc(void* ud, void* block, size_t oldsize, size_t newsize, int reserved,
                           uint32_t allockind) {
  auto* self = static_cast<TestAllocator*>(ud);
  EXPECT_EQ(reserved, 0);
  self->lastKind = allockind;
  if (newsize == 0) {
    self->liveBytes -= oldsize;
    free(block);
    return nullptr;
  }
  if (newsize > self->largestRequest) self->largestRequest = newsize;
  if (self->failAll || ++self->allocations == self->failAt) return nullptr;
  void* result = realloc(block, newsize);
  if (result != nullptr) self->liveBytes += newsize - oldsize;
  return result;
}

ScriptState::ScriptState() : mL(luaE_open(TestAllocator::Alloc, &mAllocator)) {
  if (mL == nullptr) ADD_FAILURE() << "the interpreter did not open";
}

ScriptState::~ScriptState() {
  if (mL != nullptr) lua_close(mL);
  EXPECT_EQ(mAllocator.liveBytes, 0u) << "closing released every block";
}

namespace {

void callfunction(lua_State* L, void* ud) {
  (*static_cast<const std::function<void(lua_State*)>*>(ud))(L);
}

}  // namespace

int RunProtected(lua_State* L, const std::function<void(lua_State*)>& f) {
  return luaD_rawrunprotected(L, callfunction, const_cast<std::function<void(lua_State*)>*>(&f));
}

std::string TopString(lua_State* L) {
  const TObject* top = L->top - 1;
  if (!ttisstring(top)) return "<not a string>";
  return std::string(svalue(top), tsvalue(top)->len);
}

TObject NumberValue(lua_Number n) {
  TObject o;
  setnvalue(&o, n);
  return o;
}

TObject StringValue(lua_State* L, const std::string& text) {
  TObject o;
  setsvalue(&o, luaS_newlstr(L, text.data(), text.size()));
  return o;
}

TObject WideValue(lua_State* L, const std::u16string& text) {
  const std::vector<lua_WChar> units(text.begin(), text.end());
  TObject o;
  setwsvalue(&o, luaS_newlwstr(L, units.data(), units.size()));
  return o;
}

std::string ValueText(lua_State* L, const TObject* o) {
  switch (ttype(o)) {
    case LUA_TNIL:
      return "nil";
    case LUA_TBOOLEAN:
      return bvalue(o) ? "true" : "false";
    case LUA_TNUMBER: {
      TObject copy = *o;
      luaV_tostring(L, &copy);
      return svalue(&copy);
    }
    case LUA_TSTRING:
      return "\"" + std::string(svalue(o), tsvalue(o)->len) + "\"";
    case LUA_TWSTRING: {
      std::string text;
      for (size_t i = 0; i < tsvalue(o)->len; i++) text += static_cast<char>(wsvalue(o)[i]);
      return "L\"" + text + "\"";
    }
    default:
      return luaT_typenames[ttype(o)];
  }
}

void PushCFunction(lua_State* L, lua_CFunction f) {
  setclvalue(L->top, luaF_newCclosure(L, 0));
  static_cast<CClosure*>(clvalue(L->top))->f = f;
  incr_top(L);
}

void PushNumber(lua_State* L, lua_Number n) {
  setnvalue(L->top, n);
  incr_top(L);
}

void PushString(lua_State* L, const char* text) {
  setsvalue(L->top, luaS_new(L, text));
  incr_top(L);
}

namespace {

struct CallArgs {
  int nargs;
  int nresults;
};

void docall(lua_State* L, void* ud) {
  const CallArgs* args = static_cast<const CallArgs*>(ud);
  luaD_call(L, L->top - (args->nargs + 1), args->nresults);
}

}  // namespace

int PCall(lua_State* L, int nargs, int nresults, ptrdiff_t errfunc) {
  CallArgs args{nargs, nresults};
  return luaD_pcall(L, docall, &args, savestack(L, L->top - (nargs + 1)), errfunc);
}

int LoadSource(lua_State* L, const std::string& source, const char* chunkname) {
  ChunkText text({source});
  text.Stream()->name = chunkname;
  return luaD_protectedparser(L, text.Stream(), 0);
}

std::string RunChunk(lua_State* L, const std::string& source) {
  const ptrdiff_t oldtop = savestack(L, L->top);
  int status = LoadSource(L, source);
  if (status == 0) status = PCall(L, 0, LUA_MULTRET);
  const StkId top = restorestack(L, oldtop);  // the stack may have moved
  std::string shown;
  if (status != 0) {
    shown = "error: " + TopString(L);
  } else {
    for (StkId o = top; o < L->top; o++) shown += (o > top ? " " : "") + ValueText(L, o);
  }
  L->top = top;
  return shown;
}

std::string CallFailure(lua_State* L, lua_CFunction f) {
  const ptrdiff_t oldtop = savestack(L, L->top);
  PushCFunction(L, f);
  const int status = PCall(L, 0, 0);
  const std::string message = status != 0 ? TopString(L) : "";
  L->top = restorestack(L, oldtop);
  return message;
}
