#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "script/lua/Calls.h"
#include "script/lua/Debug.h"
#include "script/lua/NumberText.h"
#include "script/lua/Strings.h"
#include "script/lua/Table.h"
#include "script/lua/VirtualMachine.h"
#include "tests/script/ScriptState.h"

// The machine's operations on values as the C interface calls them: from C,
// so messages carry no position.

namespace {

// "__index" that answers with its key.
int AnswerKey(lua_State* L) {
  setobj(L->top, L->base + 1);
  incr_top(L);
  return 1;
}

// "__index" that grows the stack far beyond its size before answering.
int GrowThenAnswerKey(lua_State* L) {
  luaD_checkstack(L, 2000);
  return AnswerKey(L);
}

// Does nothing (a "__newindex" that stores nothing).
int Ignore(lua_State*) { return 0; }

// Answers true (an order or equality metamethod).
int AnswerTrue(lua_State* L) {
  setbvalue(L->top, 1);
  incr_top(L);
  return 1;
}

int AnswerFalse(lua_State* L) {
  setbvalue(L->top, 0);
  incr_top(L);
  return 1;
}

// "__concat" that answers with the number of its arguments.
int CountArguments(lua_State* L) {
  setnvalue(L->top, static_cast<lua_Number>(L->top - L->base));
  incr_top(L);
  return 1;
}

class ScriptGenericOperations : public ::testing::Test {
 protected:
  ScriptState state;
  lua_State* L = state.L();

  TObject Num(lua_Number n) { return NumberValue(n); }
  TObject Str(const std::string& text) { return StringValue(L, text); }
  TObject WStr(const std::u16string& text) { return WideValue(L, text); }
  TObject Tab(Table* t) {
    TObject o;
    sethvalue(&o, t);
    return o;
  }
  TObject Fn(lua_CFunction f) {
    PushCFunction(L, f);
    return *--L->top;
  }
  TObject Thread() {
    TObject o;
    setthvalue(&o, L);
    return o;
  }
  // A new table kept in the registry, so collections during calls keep it.
  Table* NewTable(size_t narray = 0) {
    Table* t = luaH_new(L, narray, 0);
    const TObject v = Tab(t);
    setobj(luaH_setnum(L, hvalue(registry(L)), ++mAnchors), &v);
    return t;
  }
  void Set(Table* t, const TObject& key, const TObject& value) {
    setobj(luaH_set(L, t, &key), &value);
  }
  // A table whose metatable holds the one event.
  Table* WithMeta(const char* event, const TObject& handler) {
    Table* t = NewTable();
    t->metatable = NewTable();
    Set(t->metatable, Str(event), handler);
    return t;
  }

  // Runs f protected and returns the error message, or "" without error.
  std::string ErrorOf(const std::function<void(lua_State*)>& f) {
    const StkId top = L->top;
    const int status = RunProtected(L, f);
    if (status == 0) {
      L->top = top;
      return "";
    }
    EXPECT_EQ(status, LUA_ERRRUN);
    std::string msg = TopString(L);
    L->top = top;
    return msg;
  }

  // The value of t[key], read through the machine, as text.
  std::string Get(const TObject& t, const TObject& key) {
    std::string result;
    const std::string error = ErrorOf([&](lua_State* L) {
      StkId val = L->top;
      setobj(L->top, &t);
      incr_top(L);
      luaV_gettable(L, val, &key, val);
      result = Show(L->top - 1);
    });
    return error.empty() ? result : "error: " + error;
  }

  // Concatenates the operands through the machine.
  std::string Concat(const std::vector<TObject>& operands) {
    std::string result;
    const std::string error = ErrorOf([&](lua_State* L) {
      for (const TObject& o : operands) {
        setobj(L->top, &o);
        incr_top(L);
      }
      const int n = static_cast<int>(operands.size());
      luaV_concat(L, n, static_cast<int>(L->top - L->base) - 1);
      result = Show(L->top - n);
    });
    return error.empty() ? result : "error: " + error;
  }

  std::string Show(const TObject* o) { return ValueText(L, o); }

 private:
  int mAnchors = 0;
};

TEST_F(ScriptGenericOperations, IndexingReachesMetamethodsAndPerTypeTables) {
  Table* perTypeStrings = hvalue(&G(L)->typemeta[LUA_TSTRING]);
  Set(perTypeStrings, Str("upper"), Num(42));
  Table* fallback = NewTable();
  Set(fallback, Str("x"), Num(9));
  Table* plain = NewTable();
  Set(plain, Str("x"), Num(1));
  TObject userdata;
  setuvalue(&userdata, luaS_newudata(L, 4));
  const struct {
    TObject value;
    const char* expected;
  } cases[] = {
      {Tab(plain), "1"},
      {Tab(NewTable()), "nil"},
      {Tab(WithMeta("__index", Tab(fallback))), "9"},
      {Tab(WithMeta("__index", Fn(AnswerKey))), "\"x\""},
      {Num(5), "nil"},  // the per-type table of numbers is empty
      {Str("abc"), "nil"},
      {luaO_nilobject, "error: attempt to index a nil value"},
      {userdata, "error: attempt to index a userdata value"},
  };
  for (const auto& c : cases) EXPECT_EQ(Get(c.value, Str("x")), c.expected) << Show(&c.value);
  EXPECT_EQ(Get(Str("abc"), Str("upper")), "42") << "a string finds its per-type table's fields";
}

TEST_F(ScriptGenericOperations, IndexingStopsAfterAHundredRedirections) {
  for (const int redirections : {100, 101}) {
    std::vector<Table*> chain;
    for (int i = 0; i <= redirections; i++) chain.push_back(NewTable());
    for (int i = 0; i < redirections; i++) {
      chain[i]->metatable = NewTable();
      Set(chain[i]->metatable, Str("__index"), Tab(chain[i + 1]));
    }
    Set(chain.back(), Str("x"), Num(3));
    EXPECT_EQ(Get(Tab(chain.front()), Str("x")),
              redirections <= MAXTAGLOOP ? "3" : "error: loop in gettable");
  }
}

TEST_F(ScriptGenericOperations, AMetamethodThatMovesTheStackStillDeliversItsResult) {
  const TObject t = Tab(WithMeta("__index", Fn(GrowThenAnswerKey)));
  const int before = L->stacksize;
  EXPECT_EQ(Get(t, Str("key")), "\"key\"");
  EXPECT_GT(L->stacksize, before) << "the stack was reallocated during the call";
}

TEST_F(ScriptGenericOperations, AnIndexMetamethodAddedAfterACachedMissIsSeen) {
  Table* t = NewTable();
  t->metatable = NewTable();
  EXPECT_EQ(Get(Tab(t), Str("x")), "nil");
  ASSERT_NE(t->metatable->flags & (1u << TM_INDEX), 0) << "the miss is cached";
  const TObject meta = Tab(t->metatable);
  const TObject key = Str("__index");
  const TObject handler = Fn(AnswerKey);
  ASSERT_EQ(ErrorOf([&](lua_State* L) { luaV_settable(L, &meta, &key, &handler); }), "");
  EXPECT_EQ(Get(Tab(t), Str("x")), "\"x\"");

  Table* list = NewTable(4);  // the store below lands in the array part
  t->metatable = list;
  EXPECT_EQ(Get(Tab(t), Str("x")), "nil");
  setobj(luaH_setnum(L, list, 1), &handler);
  EXPECT_EQ(list->flags, 0) << "a list store forgets the cache as well";
}

TEST_F(ScriptGenericOperations, AssignmentGoesThroughNewindex) {
  Table* target = NewTable();
  Table* ignoring = WithMeta("__newindex", Fn(Ignore));
  Table* redirecting = WithMeta("__newindex", Tab(target));
  Table* plain = NewTable();
  const TObject key = Str("k");
  const TObject value = Num(7);
  auto assign = [&](const TObject& t) {
    return ErrorOf([&](lua_State* L) { luaV_settable(L, &t, &key, &value); });
  };

  EXPECT_EQ(assign(Tab(plain)), "");
  EXPECT_EQ(nvalue(luaH_get(plain, &key)), 7);

  EXPECT_EQ(assign(Tab(ignoring)), "");
  TObject slots[2];
  setnilvalue(&slots[0]);
  EXPECT_EQ(luaH_next(L, ignoring, slots), 0) << "a key nobody stored is not seen by next";

  EXPECT_EQ(assign(Tab(redirecting)), "");
  EXPECT_TRUE(ttisnil(luaH_get(redirecting, &key)));
  EXPECT_EQ(nvalue(luaH_get(target, &key)), 7);

  EXPECT_EQ(assign(Str("abc")), "");
  EXPECT_EQ(nvalue(luaH_get(hvalue(&G(L)->typemeta[LUA_TSTRING]), &key)), 7)
      << "a string's field is stored in its per-type table";

  EXPECT_EQ(assign(luaO_nilobject), "attempt to index a nil value");
  TObject userdata;
  setuvalue(&userdata, luaS_newudata(L, 4));
  EXPECT_EQ(assign(userdata), "attempt to index a userdata value");

  Table* loop = NewTable();
  loop->metatable = NewTable();
  Set(loop->metatable, Str("__newindex"), Tab(loop));
  Set(loop, key, Num(1));  // an existing key is stored at once
  EXPECT_EQ(assign(Tab(loop)), "");
  Table* endless = NewTable();
  endless->metatable = NewTable();
  Table* other = NewTable();
  other->metatable = endless->metatable;
  Set(endless->metatable, Str("__newindex"), Tab(other));
  Set(other->metatable, Str("__newindex"), Tab(other));
  EXPECT_EQ(assign(Tab(endless)), "loop in settable");
}

TEST_F(ScriptGenericOperations, ConcatenationJoinsInTheModeOfTheTopmostString) {
  Table* joinable = WithMeta("__concat", Fn(CountArguments));
  const struct {
    std::vector<TObject> operands;
    const char* expected;
  } cases[] = {
      {{Str("a"), Num(1), Str("b")}, "\"a1b\""},
      {{WStr(u"a"), Num(1), WStr(u"b")}, "L\"a1b\""},
      {{Num(1), Num(2.5)}, "\"12.5\""},
      {{Num(1), WStr(u"")}, "L\"1\""},  // an empty right operand leaves the left one
      {{Str("x"), Str("")}, "\"x\""},
      {{WStr(u"a"), Str("b")}, "error: attempt to concatenate a wstring value"},
      {{Str("a"), WStr(u"b")}, "error: attempt to concatenate a wstring value"},
      {{WStr(u"a"), Tab(NewTable())}, "error: attempt to concatenate a table value"},
      {{Num(1), Tab(NewTable()), WStr(u"b")}, "error: attempt to concatenate a table value"},
      {{Tab(NewTable()), Str("a")}, "error: attempt to concatenate a table value"},
      {{Str("a"), Tab(joinable)}, "2"},
      {{Str("a"), Str("b"), Tab(joinable)}, "\"a2\""},
      {{WStr(u"a"), Str("b"), Num(3)}, "error: attempt to concatenate a wstring value"},
  };
  for (const auto& c : cases) {
    std::string operands;
    for (const TObject& o : c.operands) operands += Show(&o) + " ";
    EXPECT_EQ(Concat(c.operands), c.expected) << operands;
  }
}

TEST_F(ScriptGenericOperations, ConcatenationChecksTheTotalLengthBeforeAllocating) {
  const TObject left = Str("left");
  const TObject right = Str("right");
  const TObject wleft = WStr(u"left");
  const TObject wright = WStr(u"right");
  // Claimed lengths whose sum passes the limit; nothing reads the characters
  // before the check.
  for (const TObject* o : {&left, &right, &wleft, &wright}) tsvalue(o)->len = 3000000000u;
  EXPECT_EQ(Concat({left, right}), "error: string size overflow");
  EXPECT_EQ(Concat({wleft, wright}), "error: string size overflow");
  tsvalue(&left)->len = 4;
  tsvalue(&right)->len = 5;
  tsvalue(&wleft)->len = 4;
  tsvalue(&wright)->len = 5;
}

TEST_F(ScriptGenericOperations, OrderOfValues) {
  Table* ordered1 = WithMeta("__lt", Fn(AnswerTrue));
  Table* ordered2 = NewTable();
  ordered2->metatable = ordered1->metatable;
  Table* lessEqual = WithMeta("__le", Fn(AnswerFalse));
  Table* lessEqual2 = NewTable();
  lessEqual2->metatable = lessEqual->metatable;
  const struct {
    TObject l, r;
    bool lessEqual;  // test <= instead of <
    const char* expected;
  } cases[] = {
      {Num(1), Num(2), false, "true"},
      {Num(2), Num(2), true, "true"},
      {Str("a"), Str("b"), false, "true"},
      {Str(std::string("a\0b", 3)), Str(std::string("a\0c", 3)), false, "true"},
      {Str("a"), Str(std::string("a\0", 2)), false, "true"},
      {Str(std::string("a\0", 2)), Str("a"), true, "false"},
      {Tab(ordered1), Tab(ordered2), false, "true"},
      {Tab(ordered1), Tab(ordered2), true, "false"},  // not (r < l)
      {Tab(lessEqual), Tab(lessEqual2), true, "false"},
      {Num(1), Str("2"), false, "error: attempt to compare number with string"},
      {luaO_nilobject, luaO_nilobject, false, "error: attempt to compare two nil values"},
      {Thread(), Str("x"), false, "error: attempt to compare two thread values"},
      {Tab(NewTable()), Tab(NewTable()), false, "error: attempt to compare two table values"},
      {WStr(u"a"), WStr(u"b"), false, "error: attempt to call a table value"},
  };
  for (const auto& c : cases) {
    int result = -1;
    const std::string error = ErrorOf([&](lua_State* L) {
      result = c.lessEqual ? luaV_lessequal(L, &c.l, &c.r) : luaV_lessthan(L, &c.l, &c.r);
    });
    const std::string shown = error.empty() ? (result ? "true" : "false") : "error: " + error;
    EXPECT_EQ(shown, c.expected) << Show(&c.l) << (c.lessEqual ? " <= " : " < ") << Show(&c.r);
  }
}

TEST_F(ScriptGenericOperations, EqualityUsesASharedEqMetamethod) {
  Table* a = WithMeta("__eq", Fn(AnswerTrue));
  Table* b = NewTable();
  b->metatable = a->metatable;
  Table* c = WithMeta("__eq", Fn(AnswerTrue));  // another function
  Table* d = NewTable();
  const struct {
    TObject l, r;
    bool expected;
  } cases[] = {
      {Tab(a), Tab(b), true},          {Tab(a), Tab(c), false},
      {Tab(d), Tab(NewTable()), false}, {WStr(u"ab"), WStr(u"ab"), true},
      {Str("ab"), Str("ab"), true},    {Num(0), Num(-0.0), true},
  };
  for (const auto& e : cases) {
    int result = -1;
    EXPECT_EQ(ErrorOf([&](lua_State* L) { result = luaV_equal(L, &e.l, &e.r); }), "");
    EXPECT_EQ(result, e.expected ? 1 : 0) << Show(&e.l) << " == " << Show(&e.r);
  }
  const TObject s = Str("ab");
  const TObject w = WStr(u"ab");
  EXPECT_EQ(luaV_equal(L, &s, &w), 0) << "a byte string never equals a wide string";
}

TEST_F(ScriptGenericOperations, NumbersFromTextOfEitherKind) {
  const struct {
    TObject value;
    bool converts;
    lua_Number expected;
  } cases[] = {
      {Num(1.5), true, 1.5},         {Str(" 10 "), true, 10},    {WStr(u"0x10"), true, 16},
      {Str("0x10"), false, 0},       {WStr(u"1e2"), true, 100},  {Str("1a"), false, 0},
      {Tab(NewTable()), false, 0},
  };
  for (const auto& c : cases) {
    TObject out;
    const TObject* n = luaV_tonumber(&c.value, &out);
    ASSERT_EQ(n != nullptr, c.converts) << Show(&c.value);
    if (n != nullptr) {
      EXPECT_EQ(nvalue(n), c.expected);
    }
  }
}

}  // namespace
