#include "windows/script/TScript.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <string>

#include "platform/TPlatform.h"
#include "platform/asset/TAssetManager.h"
#include "platform/file/FileIndex.h"
#include "platform/text/Log.h"
#include "script/lua/Auxlib.h"
#include "script/lua/Lualib.h"
#include "windows/script/LuaBinding.h"
#include "windows/script/TLuaTable.h"
#include "windows/script/TScriptCode.h"

namespace {

constexpr char kFallbackSearchPath[] = "assets/?;../?;?";
// Wraps a call for later: a closure without parameters that calls f with the
// first six arguments.
constexpr char kGetClosureText[] =
    "function GetClosure( f, ... ) return function() f( arg[1], arg[2], arg[3], arg[4], arg[5], arg[6] ); end; end";
constexpr uint32_t kTaskStopped = UINT32_MAX;

TString& SearchPath() {
  static TString path("assets/?;?;../?;../../?");
  return path;
}

// "_ALERT": logs its argument and gives it back, so that as the error
// handler of a protected call it keeps the error object for the caller.
int Alert(lua_State* L) {
  lua_settop(L, 1);
  lua_pushvalue(L, 1);  // a number turns into text in this copy only
  LogPrintf("Lua error: %s", LuaText(L, 2));
  lua_settop(L, 1);
  return 1;
}

void DebugOut(const TString&) {}

// "DumpTable": logs each key and value of a table with their type names.
int DumpTable(lua_State* L) {
  luaL_checktype(L, 1, LUA_TTABLE);
  lua_settop(L, 1);
  lua_pushnil(L);
  while (lua_next(L, 1)) {
    // Texts of copies: a number key turned into a string in place would
    // lose its place in the traversal.
    lua_pushvalue(L, 2);
    lua_pushvalue(L, 3);
    LogPrintf("%s[%s] - %s[%s]", LuaText(L, 4), lua_typename(L, lua_type(L, 2)), LuaText(L, 5),
              lua_typename(L, lua_type(L, 3)));
    lua_settop(L, 2);
  }
  return 0;
}

// Calls the function under its one argument on top, protected, without
// results; a failure is logged under the function's name.
void CallHandler(lua_State* L, const char* name) {
  if (lua_pcall(L, 1, 0, 0) != 0) {
    LogPrintf("%s failed: %s", name, LuaText(L, -1));
    lua_pop(L, 1);
  }
}

// An empty search path stands for the default one.
const char* UsableSearchPath(const TString& searchPath) {
  return searchPath.IsEmpty() ? kFallbackSearchPath : searchPath.CStr();
}

int WriteChunk(lua_State*, const void* bytes, size_t size, void* buffer) {
  static_cast<std::string*>(buffer)->append(static_cast<const char*>(bytes), size);
  return 0;
}

std::shared_ptr<TScriptCode> CompileScript(const TString& fileName, const TString& searchPath, TString* error) {
  LuaStatePtr state(lua_open());
  if (!state) {
    if (error != nullptr) *error = "not enough memory";
    return nullptr;
  }
  lua_State* L = state.get();
  lua_pushstring(L, UsableSearchPath(searchPath));
  SetGlobal(L, "LUA_PATH");
  if (luaL_loadfile(L, fileName.CStr()) != 0) {
    if (error != nullptr) *error = LuaText(L, -1);
    return nullptr;
  }
  std::string chunk;
  lua_dump(L, WriteChunk, &chunk);
  if (chunk.size() > INT32_MAX) {
    if (error != nullptr) *error = TString::Format("%s: compiled chunk too large", fileName.CStr());
    return nullptr;
  }
  return std::make_shared<TScriptCode>(chunk.data(), static_cast<int32_t>(chunk.size()));
}

TAssetManager* Assets() {
  TPlatform* platform = TPlatform::Instance();
  return platform != nullptr ? platform->GetAssetManager() : nullptr;
}

// Steps a host without owning it.
class THostTask final : public TTask {
 public:
  explicit THostTask(std::shared_ptr<TScript*> host) : mHost(std::move(host)) {}
  // A task whose host is gone is ready at once, to end.
  bool IsReady(TTaskPass pass) override { return *mHost == nullptr || (*mHost)->IsReady(pass); }
  bool Step() override { return *mHost != nullptr && (*mHost)->Step(); }

 private:
  std::shared_ptr<TScript*> mHost;
};

}  // namespace

TString GetScriptSearchPath() { return SearchPath(); }

void SetScriptSearchPath(const TString& path) { SearchPath() = path; }

// --- Set-up ---------------------------------------------------------------------------

TScript::TScript(LuaStatePtr state) : mState(std::move(state)), mSelf(std::make_shared<TScript*>(this)) {
  Stop();
  if (!mState) mState.reset(lua_open());
  if (!mState) throw std::bad_alloc();
  OpenLibraries();
}

TScript::~TScript() {
  *mSelf = nullptr;
  // Wrappers hold registry entries of the state, which closes after them.
  DeletePendingWrappers();
}

void TScript::OpenLibraries() {
  lua_State* L = mState.get();
  luaopen_base(L);
  luaopen_string(L);
  luaopen_table(L);
  lua_settop(L, 0);
  lua_pushcfunction(L, Alert);
  SetGlobal(L, "_ALERT");
  BindFunction(L, "DebugOut", DebugOut);
  lua_pushcfunction(L, DumpTable);
  SetGlobal(L, "DumpTable");
  lua_pushlightuserdata(L, this);
  SetGlobal(L, "_SCRIPT");
  // `require` looks along the search path in force when the host was made,
  // never along whatever the environment's LUA_PATH says.
  lua_pushstring(L, UsableSearchPath(GetScriptSearchPath()));
  SetGlobal(L, "LUA_PATH");
}

void TScript::ReleaseLater(std::unique_ptr<TLuaObjectWrapper> wrapper) { mPendingRelease.push_back(std::move(wrapper)); }

void TScript::DeletePendingWrappers() { mPendingRelease.clear(); }

std::unique_ptr<TTask> TScript::MakeTask() { return std::make_unique<THostTask>(mSelf); }

TScript::StackMark TScript::Mark() const { return {lua_gettop(mState.get()), mFrameEpoch}; }

void TScript::Restore(const StackMark& mark) {
  if (mark.frameEpoch == mFrameEpoch) lua_settop(mState.get(), mark.height);
}

// --- Running files and texts ---------------------------------------------------------

std::shared_ptr<TScriptCode> TScript::GetScriptCode(const TString& fileName, const TString& searchPath,
                                                    TString* error) {
  TAssetManager* assets = Assets();
  if (assets != nullptr) {
    std::shared_ptr<TAsset> held = assets->Find(fileName);
    if (held && held->IsKindOf(TScriptCode::ClassId())) return std::static_pointer_cast<TScriptCode>(held);
  }
  std::shared_ptr<TScriptCode> code = CompileScript(fileName, searchPath, error);
  if (code && assets != nullptr) assets->Register(fileName, code);
  return code;
}

void TScript::AlertTop() {
  lua_State* L = mState.get();
  PushGlobal(L, "_ALERT");
  lua_insert(L, -2);
  CallHandler(L, "_ALERT");
}

bool TScript::RunScript(const TString& fileName) {
  if (fileName.IsEmpty() || !FileExists(fileName)) return false;
  lua_State* L = mState.get();
  const StackMark mark = Mark();
  TString error;
  std::shared_ptr<TScriptCode> code = GetScriptCode(fileName, GetScriptSearchPath(), &error);
  bool ran = false;
  if (!code) {
    PushString(L, error);
    AlertTop();
  } else if (luaL_loadbuffer(L, code->GetBytes(), code->GetLength(), fileName.CStr()) != 0) {
    AlertTop();
  } else {
    const int status = RunFunction(0, 1);
    if (status != 0) LogPrintf("Failed to run script %s: %d", fileName.CStr(), status);
    ran = status == 0;
  }
  Restore(mark);
  return ran;
}

void TScript::DoLuaString(const char* text, int length) {
  if (text == nullptr) return;
  if (length < 0) length = static_cast<int>(std::strlen(text));
  const StackMark mark = Mark();
  const TString chunkName(text, length);
  const char* stage = "parsing";
  int status = luaL_loadbuffer(mState.get(), text, length, chunkName.CStr());
  if (status == 0) {
    stage = "running";
    status = RunFunction(0, 1);
  }
  if (status != 0) ReportStringFailure(chunkName.CStr(), stage);
  Restore(mark);
}

void TScript::ReportStringFailure(const char* text, const char* stage) {
  lua_State* L = mState.get();
  const TString message = TString::Format("Lua Error: %s\n\twhen %s", LuaText(L, -1), stage);
  LogPrintf("DoLuaString %s %s", message.CStr(), text);
  PushGlobal(L, "LuaErrorMessage");
  if (lua_isnil(L, -1)) {
    lua_pop(L, 1);
    return;
  }
  PushString(L, message);
  CallHandler(L, "LuaErrorMessage");
}

// --- Calls and coroutines ------------------------------------------------------------

bool TScript::IsSuspended() const { return lua_issuspended(mState.get()) != 0; }

int TScript::RunFunction(int argumentCount, int resultCount) {
  DeletePendingWrappers();
  if (argumentCount < 0 || lua_gettop(mState.get()) <= argumentCount) {
    LogPrintf("TScript::RunFunction: no function under %d arguments", argumentCount);
    return LUA_ERRRUN;
  }
  if (resultCount <= 1 && IsSuspended()) return RunDeferred(argumentCount, resultCount);
  return CallAndStart(argumentCount, resultCount);
}

int TScript::CallWithAlert(int argumentCount, int resultCount) {
  lua_State* L = mState.get();
  // A protected call cannot yield, so the frame stays and the index holds.
  const int handler = lua_gettop(L) - argumentCount;
  PushGlobal(L, "_ALERT");
  lua_insert(L, handler);
  const int status = lua_pcall(L, argumentCount, resultCount, handler);
  lua_remove(L, handler);
  return status;
}

int TScript::CallAndStart(int argumentCount, int resultCount) {
  const int status = CallWithAlert(argumentCount, resultCount);
  if (status != 0) {
    if (resultCount >= 2) {
      LogPrintf("TScript::RunFunction failure. Too many return results? (%d, FAILURE CODE %d)", resultCount,
                status);
    }
    return status;
  }
  if (resultCount == 1 && lua_isfunction(mState.get(), -1) && !IsSuspended()) StartCoroutine();
  return 0;
}

void TScript::PushClosureMaker() {
  lua_State* L = mState.get();
  PushGlobal(L, "GetClosure");
  if (!lua_isnil(L, -1)) return;
  lua_pop(L, 1);
  const int height = lua_gettop(L);
  lua_dostring(L, kGetClosureText);
  lua_settop(L, height);
  PushGlobal(L, "GetClosure");
}

int TScript::RunDeferred(int argumentCount, int resultCount) {
  lua_State* L = mState.get();
  PushClosureMaker();
  lua_insert(L, -(argumentCount + 2));
  const int status = CallWithAlert(argumentCount + 1, 1);
  if (status != 0) return status;
  // Kept off the stack: taking the call over resumes the coroutine, and the
  // frame the closure lay in goes with it.
  TLuaFunction closure(L);
  closure.Push();
  if (DeferClosure()) return 0;
  closure.Push();
  return CallAndStart(0, resultCount);
}

bool TScript::DeferClosure() {
  lua_pop(mState.get(), 1);
  return false;
}

void TScript::OnResume() {}

void TScript::StartCoroutine() {
  lua_State* L = mState.get();
  const int below = lua_gettop(L) - 1;
  if (GetTimeSinceDue() == kTaskStopped) Start(0, false, true, false);
  const int status = lua_resume(L, 0);
  if (status != 0) LogPrintf("lua_resume error: %s", LuaText(L, -1));
  if (status == 0 && IsSuspended()) {
    ++mFrameEpoch;
    lua_settop(L, 0);  // the yielded values
    return;
  }
  lua_settop(L, below);
  lua_pushnil(L);
}

int TScript::Resume(int argumentCount) {
  DeletePendingWrappers();
  lua_State* L = mState.get();
  if (!IsSuspended()) {
    // Resuming the base level would start whatever lies under the values.
    LogPrintf("lua_resume ERROR: %s", "cannot resume non-suspended coroutine");
    lua_settop(L, std::max(lua_gettop(L) - std::max(argumentCount, 0), 0));
    return LUA_ERRRUN;
  }
  OnResume();
  ++mFrameEpoch;
  const int status = lua_resume(L, argumentCount);
  if (status != 0) LogPrintf("lua_resume ERROR: %s", LuaText(L, -1));
  // What is left is the next yield's values, or, at the base level, what
  // the ended coroutine and its starters left behind.
  lua_settop(L, 0);
  return status;
}

bool TScript::Animate() {
  if (!IsSuspended() || Resume(0) != 0 || !IsSuspended()) Stop();
  return true;
}

// --- Reading values ------------------------------------------------------------------

bool TScript::LookUpChain(int nameIndex, bool followParents) {
  lua_State* L = mState.get();
  const int table = lua_gettop(L);
  // Brent's cycle check: compared with a table saved at growing distances,
  // a chain that comes back to a table it passed is caught within two rounds.
  const void* saved = lua_topointer(L, table);
  uint32_t span = 1;
  uint32_t steps = 0;
  for (;;) {
    lua_pushvalue(L, nameIndex);
    lua_rawget(L, table);
    if (!lua_isnil(L, -1)) return true;
    lua_pop(L, 1);
    if (!followParents) return false;
    lua_pushstring(L, "parent");
    lua_rawget(L, table);
    if (!lua_istable(L, -1)) {
      lua_pop(L, 1);
      return false;
    }
    lua_replace(L, table);
    const void* current = lua_topointer(L, table);
    if (current == saved) return false;
    if (++steps == span) {
      saved = current;
      span *= 2;
      steps = 0;
    }
  }
}

bool TScript::FindValue(const char* name, bool styleFallback) {
  lua_State* L = mState.get();
  const int top = lua_gettop(L);
  const bool inTable = top > 0 && lua_istable(L, top);
  lua_pushstring(L, name);
  const int nameIndex = top + 1;
  lua_pushvalue(L, inTable ? top : LUA_GLOBALSINDEX);
  bool found = LookUpChain(nameIndex, inTable && !styleFallback);
  if (!found && styleFallback) {
    lua_settop(L, nameIndex);
    PushGlobal(L, "gCurrentDefaultStyle");
    found = lua_istable(L, -1) && LookUpChain(nameIndex, true);
  }
  if (!found) {
    lua_settop(L, top);
    return false;
  }
  lua_replace(L, nameIndex);
  lua_settop(L, nameIndex);
  return true;
}

std::unique_ptr<TLuaTable> TScript::GetTable(const char* name) {
  lua_State* L = mState.get();
  if (!FindValue(name, true)) return nullptr;
  if (lua_istable(L, -1)) return std::make_unique<TLuaTable>(L);
  lua_pop(L, 1);
  return nullptr;
}

TString TScript::GetString(const char* name, const TString& fallback) {
  lua_State* L = mState.get();
  if (!FindValue(name, true)) return fallback;
  const char* text = lua_tostring(L, -1);
  TString result = text != nullptr ? TString(text) : fallback;
  lua_pop(L, 1);
  return result;
}

double TScript::GetNumber(const char* name, double fallback) {
  lua_State* L = mState.get();
  if (!FindValue(name, true)) return fallback;
  const double result = lua_isnumber(L, -1) ? lua_tonumber(L, -1) : fallback;
  lua_pop(L, 1);
  return result;
}

bool TScript::GetBool(const char* name, bool fallback) { return FindValue(name, true) ? PopBool() : fallback; }

bool TScript::PopBool() {
  lua_State* L = mState.get();
  if (lua_gettop(L) == 0) return false;
  bool value = false;
  switch (const int type = lua_type(L, -1)) {
    case LUA_TNIL:
      break;
    case LUA_TBOOLEAN:
      value = lua_toboolean(L, -1) != 0;
      break;
    case LUA_TNUMBER:
      value = lua_tonumber(L, -1) != 0;
      break;
    case LUA_TSTRING:
      LogPrintf("PopBool used on lua string %s", lua_tostring(L, -1));
      break;
    default:
      LogPrintf("PopBool used on a type that isn't a number, a boolean, or nil. (type: %d)", type);
  }
  lua_pop(L, 1);
  return value;
}

TString TScript::PopString() {
  lua_State* L = mState.get();
  if (lua_gettop(L) == 0) return TString();
  const char* text = lua_tostring(L, -1);
  TString result(text != nullptr ? text : "");
  lua_pop(L, 1);
  return result;
}

bool TScript::PushIndex(int item) {
  lua_State* L = mState.get();
  if (!lua_istable(L, -1)) return false;
  lua_rawgeti(L, -1, item);
  if (!lua_isnil(L, -1)) return true;
  lua_pop(L, 1);
  return false;
}

TColor TScript::ReadColor() {
  lua_State* L = mState.get();
  TColor color;
  if (lua_istable(L, -1)) {
    float* components[] = {&color.r, &color.g, &color.b, &color.a};
    for (int item = 1; item <= 4; ++item) {
      lua_rawgeti(L, -1, item);
      *components[item - 1] = static_cast<float>(lua_tonumber(L, -1));
      lua_pop(L, 1);
    }
  }
  if (lua_gettop(L) > 0) lua_pop(L, 1);
  return color;
}

TFontState TScript::ReadFontState() {
  lua_State* L = mState.get();
  TFontState font;
  font.size = 0;
  if (PushIndex(1)) font.name = PopString();
  if (PushIndex(2)) {
    font.size = LuaNumberToInt(lua_tonumber(L, -1));
    lua_pop(L, 1);
  }
  if (PushIndex(3)) font.color = ReadColor();
  if (lua_gettop(L) > 0) lua_pop(L, 1);
  return font;
}

void TScript::SetGlobalString(const char* name, const TString& value) {
  PushString(mState.get(), value);
  SetGlobal(mState.get(), name);
}
