#include "tests/script/ScriptState.h"

#include <cstdlib>

#include <gtest/gtest.h>

#include "script/lua/Calls.h"

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
