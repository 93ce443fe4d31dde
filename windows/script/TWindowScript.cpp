#include "windows/script/TWindowScript.h"

#include <algorithm>
#include <cstring>

#include "platform/text/Log.h"
#include "script/lua/Auxlib.h"
#include "windows/kinds/FrameworkFactories.h"
#include "windows/script/FrameworkWindowKinds.h"
#include "windows/script/LuaBinding.h"
#include "windows/script/TLuaMessage.h"
#include "windows/script/TLuaObjectWrapper.h"
#include "windows/core/TMessage.h"
#include "windows/core/TWindow.h"
#include "windows/core/TWindowManager.h"
#include "windows/script/TWindowTableScope.h"
#include "windows/core/WindowCoordinates.h"
#include "windows/script/WindowLibraryChunk.h"
#include "windows/script/WindowScriptFunctions.h"

namespace {

// What appends the value of a transfer global to the scripts' queue and
// empties the global; compiled once.
constexpr char kQueueMessageText[] = "table.insert(gMessageQueue,gMessageToQueue); gMessageToQueue=nil;";
constexpr char kQueueCommandText[] = "table.insert(gCommandQueue,gMessageCommand); gMessageCommand=nil;";

// The text compiled into a function; null, logged, when it does not compile.
std::unique_ptr<TLuaFunction> Compile(lua_State* L, const char* text) {
  if (luaL_loadbuffer(L, text, std::strlen(text), text) != 0) {
    LogPrintf("Cannot compile %s: %s", text, LuaText(L, -1));
    lua_pop(L, 1);
    return nullptr;
  }
  return std::make_unique<TLuaFunction>(L);
}

// The Lua constructor of a window type, the type name in all three places.
constexpr char kTypeConstructor[] =
    "function %s( table )\tCreating( '%s', table );\ttable.create=GenericCreate;\ttable.typename='%s';\n"
    "\treturn Window(table);end;";

bool IsNameStart(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; }
bool IsNameChar(char c) { return IsNameStart(c) || (c >= '0' && c <= '9'); }

// Letters, digits and underscores, not starting with a digit: nothing that
// would change the Lua text it is pasted into. Reserved words pass here and
// fail to compile.
bool IsPlainName(const TString& name) {
  if (name.IsEmpty() || !IsNameStart(name.CharAt(0))) return false;
  for (int index = 1; index < name.Length(); ++index) {
    if (!IsNameChar(name.CharAt(index))) return false;
  }
  return true;
}

// The root keeps the display's size: a child far out of it would push every
// dialog centred in it off the screen. Windows below it grow.
bool MayGrow(const TWindow& parent) {
  TWindowManager* manager = PlatformWindowManager();
  return !manager || manager->GetRootWindow() != &parent;
}

// The parent takes in the child where it now lies.
void GrowParentAround(TWindow& parent, const TWindow& child) {
  if (!MayGrow(parent)) return;
  const TRect& place = child.GetRect();
  if (place.right > parent.GetWidth() || place.bottom > parent.GetHeight()) {
    parent.SetSize(std::max(place.right, parent.GetWidth()), std::max(place.bottom, parent.GetHeight()));
  }
}

// Its failure reaches "_ALERT"; the script goes on without it.
void RunWindowLibrary(lua_State* L) {
  const std::string_view chunk = WindowLibraryChunk();
  const int height = lua_gettop(L);
  lua_dobuffer(L, chunk.data(), chunk.size(), "gScreenInit");
  lua_settop(L, height);
}

}  // namespace

TWindowScript::TWindowScript() : mFrameworkKinds(std::make_unique<TFrameworkWindowKinds>(*this)) {
  lua_State* L = GetState();
  BindMethod(L, "GenericCreate", this, &TWindowScript::GenericCreate);
  mFrameworkKinds->Register();
  if (TWindowManager* manager = PlatformWindowManager()) RegisterFrameworkFactories(*manager);
  PushMessageMetatable(L);
  lua_pop(L, 1);
  mQueueMessage = Compile(L, kQueueMessageText);
  mQueueCommand = Compile(L, kQueueCommandText);
  mFunctions = std::make_unique<TWindowScriptFunctions>(*this);
  RunWindowLibrary(L);
}

TWindowScript::~TWindowScript() = default;

// ---- The current-window stack.

void TWindowScript::PushWindow(TWindow* window) {
  if (window) mWindows.push_back(window);
}

void TWindowScript::SetWindow(TWindow* window) {
  mWindows.clear();
  PushWindow(window);
}

void TWindowScript::PopWindow() {
  if (mWindows.size() > 1) mWindows.pop_back();
}

void TWindowScript::PopThrough(TWindow* window) {
  auto topmost = std::find(mWindows.rbegin(), mWindows.rend(), window);
  if (topmost != mWindows.rend()) mWindows.erase(std::prev(topmost.base()), mWindows.end());
}

void TWindowScript::ForgetWindow(TWindow* window) {
  mWindows.erase(std::remove(mWindows.begin(), mWindows.end(), window), mWindows.end());
}

// ---- Window types.

bool TWindowScript::AddWindowType(const TString& name, TWindowCreator creator) {
  if (!IsPlainName(name)) {
    LogPrintf("AddWindowType: \"%s\" is not a plain name", name.CStr());
    return false;
  }
  lua_State* L = GetState();
  const TString text = TString::Format(kTypeConstructor, name.CStr(), name.CStr(), name.CStr());
  const int height = lua_gettop(L);
  int status = luaL_loadbuffer(L, text.CStr(), text.Length(), name.CStr());
  if (status == 0) status = lua_pcall(L, 0, 0, 0);
  if (status != 0) LogPrintf("AddWindowType: cannot define %s: %s", name.CStr(), LuaText(L, -1));
  lua_settop(L, height);
  if (status != 0) return false;
  mWindowTypes[name] = creator;
  return true;
}

int TWindowScript::GenericCreate(lua_State* L) {
  if (!TWindowTableScope::HasWindowTable(L, "GenericCreate")) return 0;
  TWindowTableScope table(*this, L);
  auto type = mWindowTypes.find(GetString("typename", ""));
  std::unique_ptr<TWindow> window;
  if (type != mWindowTypes.end() && type->second) window = type->second();
  if (window) {
    if (TWindow* attached = AttachWindow(std::move(window))) attached->OnCreated();
  }
  return 0;
}

// ---- Attaching.

TWindow* TWindowScript::AttachWindow(std::unique_ptr<TWindow> window) {
  if (!window) return nullptr;
  TWindow* parent = GetWindow();
  if (!parent) {
    LogPrintf("AttachWindow: no current window to attach to");
    return nullptr;
  }
  if (parent->GetDepth() >= kMaxWindowDepth) {
    LogPrintf("AttachWindow: refused below \"%s\": windows nest at most %d levels deep", parent->GetName().CStr(),
              kMaxWindowDepth);
    return nullptr;
  }
  TWindow* attached = window.get();
  if (!parent->AddChild(window, true)) return nullptr;
  int64_t x = ReadInteger("x", 0);
  int64_t y = ReadInteger("y", 0);
  PushWindow(attached);
  attached->SetName(GetString("name", ""));
  int64_t width = ReadInteger("w", attached->GetWidth());
  int64_t height = ReadInteger("h", attached->GetHeight());
  if (MayGrow(*parent)) GrowEmptyParent(*parent, x, y, width, height);
  const int64_t align = ReadInteger("align", 0);
  ResolveAxis(parent, TAxis::kHorizontal, align & kAlignCentreX, align & kAlignRight, x, width);
  ResolveAxis(parent, TAxis::kVertical, align & kAlignCentreY, align & kAlignBottom, y, height);
  attached->SetPosition(ClampPosition(x), ClampPosition(y));
  attached->SetSize(ClampExtent(width), ClampExtent(height));
  GrowParentAround(*parent, *attached);
  SetDialogSize(attached->GetWidth(), attached->GetHeight());
  if (mCreationObserver) mCreationObserver->WindowAttached(*attached);
  return attached;
}

int64_t TWindowScript::ReadInteger(const char* key, int32_t fallback) {
  return LuaNumberToInt(GetNumber(key, fallback));
}

// What "gDialogWidth = w; gDialogHeight = h;" would do, without compiling a
// text per window.
void TWindowScript::SetDialogSize(int32_t width, int32_t height) {
  lua_State* L = GetState();
  lua_pushnumber(L, width);
  SetGlobal(L, "gDialogWidth");
  lua_pushnumber(L, height);
  SetGlobal(L, "gDialogHeight");
}

// ---- Waiting for messages.

int TWindowScript::WaitForMessage(lua_State* L) {
  mWaitState = kWaitingForMessage;
  PushGlobal(L, "gYieldResult");
  return lua_yield(L, 1);
}

bool TWindowScript::DeferClosure() {
  if (mWaitState != kWaitingForMessage) return TScript::DeferClosure();
  lua_State* L = GetState();
  lua_pushnil(L);
  lua_insert(L, -2);
  const bool resumed = Resume(2) == 0;
  if (!resumed) mWaitState = kResumeFailed;
  return resumed;
}

// Whatever resumes the coroutine ends its wait, wherever it waited.
void TWindowScript::OnResume() { mWaitState = kNotWaiting; }

// ---- Messages and labels.

bool TWindowScript::SetTranslateLabels(bool on) {
  bool previous = mTranslateLabels;
  mTranslateLabels = on;
  return previous;
}

void TWindowScript::QueueMessage(std::unique_ptr<TMessage> message, TLuaFunction* function) {
  const bool suspended = IsSuspended();
  if (suspended && mWaitState == kWaitingForMessage) {
    ResumeWithMessage(std::move(message), function);
    return;
  }
  lua_State* L = GetState();
  if (message) {
    PushMessageToLua(L, std::move(message));
    Enqueue(mQueueMessage.get(), "gMessageToQueue");
  }
  if (!function) return;
  function->Push();
  if (suspended) {
    // A copy of its own: the call may replace the command that holds it.
    TLuaFunction(L).Call();
  } else {
    Enqueue(mQueueCommand.get(), "gMessageCommand");
  }
}

void TWindowScript::ResumeWithMessage(std::unique_ptr<TMessage> message, TLuaFunction* function) {
  lua_State* L = GetState();
  if (!message) message = std::make_unique<TMessage>(kMessageLuaAction, "", nullptr);
  PushMessageToLua(L, std::move(message));
  if (function) function->Push();
  if (Resume(function ? 2 : 1) != 0) mWaitState = kResumeFailed;
}

void TWindowScript::Enqueue(TLuaFunction* chunk, const char* transfer) {
  lua_State* L = GetState();
  SetGlobal(L, transfer);
  if (chunk && chunk->Call() == 0) return;
  LogPrintf("QueueMessage: %s not queued", transfer);
  lua_pushnil(L);
  SetGlobal(L, transfer);
}
