#include "windows/script/WindowScriptFunctions.h"

#include <cstdint>

#include "media/texture/TTexture.h"
#include "platform/TPlatform.h"
#include "platform/text/Log.h"
#include "platform/time/GameTime.h"
#include "platform/xml/TStringTable.h"
#include "script/lua/Auxlib.h"
#include "windows/script/LuaBinding.h"
#include "windows/kinds/TButton.h"
#include "windows/kinds/TImage.h"
#include "windows/kinds/TLayeredWindow.h"
#include "windows/script/TLuaMessage.h"
#include "windows/script/TLuaObjectWrapper.h"
#include "windows/core/TMessage.h"
#include "windows/kinds/TModalWindow.h"
#include "windows/kinds/TMoviePlayer.h"
#include "windows/kinds/TText.h"
#include "windows/core/TWindow.h"
#include "windows/core/TWindowManager.h"
#include "windows/script/TWindowScript.h"
#include "windows/core/WindowCoordinates.h"

namespace {

TWindow* TopModal() {
  TWindowManager* manager = PlatformWindowManager();
  return manager ? manager->GetTopModal() : nullptr;
}

template <class Kind>
Kind* As(TWindow* window) {
  return window && window->IsKindOf(Kind::ClassId()) ? static_cast<Kind*>(window) : nullptr;
}

bool StringToClipboard(const TString& text) {
  TPlatform* platform = TPlatform::Instance();
  return platform && platform->SetClipboardText(text);
}

// The platform's game time in milliseconds, read where the platform reads
// it, so that it runs with the time-outs of HandleGetMessage.
int GetTimer() { return static_cast<int>(GetGameTime()); }

std::unique_ptr<TMessage> CreateNamedMessage(int type, const TString& name) {
  return std::make_unique<TMessage>(type, name, nullptr);
}

// Lua "_GetString": the string-table text of the key with up to five
// arguments filled in.
TString GetString(const TString& key, const TString& a1, const TString& a2, const TString& a3, const TString& a4,
                  const TString& a5) {
  TPlatform* platform = TPlatform::Instance();
  TStringTable* table = platform ? platform->GetStringTable() : nullptr;
  if (!table) {
    LogPrintf("_GetString: no string table for %s", key.CStr());
    return TStringTable::kMissing;
  }
  return table->GetString(key, a1, a2, a3, a4, a5);
}

// The time-out argument of HandleGetMessage in milliseconds.
uint32_t TimeOut(lua_State* L) {
  const int32_t milliseconds = lua_isnumber(L, 1) ? LuaNumberToInt(lua_tonumber(L, 1)) : 0;
  return milliseconds > 0 ? static_cast<uint32_t>(milliseconds) : 0;
}

// Puts the value at the index on top of the host's stack, where wrappers keep
// what they hold: a script may call from a coroutine of its own.
void MoveToHost(lua_State* L, int index, lua_State* host) {
  lua_pushvalue(L, index);
  if (L != host) lua_xmove(L, host, 1);
}

}  // namespace

TWindowScriptFunctions::TWindowScriptFunctions(TWindowScript& script) : mScript(script) { Bind(); }

TWindowScriptFunctions::~TWindowScriptFunctions() = default;

void TWindowScriptFunctions::Bind() {
  lua_State* L = mScript.GetState();
  using Self = TWindowScriptFunctions;
  BindMethod(L, "PostCreate", this, &Self::PostCreate);
  BindMethod(L, "GetLabel", this, &Self::GetLabel);
  BindMethod(L, "SetLabel", this, &Self::SetLabel);
  BindMethod(L, "_SetBitmap", this, &Self::SetBitmap);
  BindMethod(L, "SetPosition", this, &Self::SetPosition);
  BindMethod(L, "SetCommand", this, &Self::SetCommand);
  BindFunction(L, "GetTimer", GetTimer);
  BindMethod(L, "DoSelectLayer", this, &Self::DoSelectLayer);
  BindMethod(L, "PopWindow", this, &Self::PopWindow);
  BindMethod(L, "WindowStackDepth", this, &Self::WindowStackDepth);
  BindMethod(L, "RealSetFocus", this, &Self::RealSetFocus);
  BindFunction(L, "StringToClipboard", StringToClipboard);
  BindMethod(L, "UpdateWindow", this, &Self::UpdateWindow);
  BindMethod(L, "PushModal", this, &Self::PushModal);
  BindMethod(L, "ClearModalChildren", this, &Self::ClearModalChildren);
  BindMethod(L, "DoPopModal", this, &Self::DoPopModal);
  BindMethod(L, "HandleGetMessage", this, &Self::HandleGetMessage);
  BindFunction(L, "CreateNamedMessage", CreateNamedMessage);
  BindMethod(L, "CreateCloseMessage", this, &Self::CreateCloseMessage);
  BindMethod(L, "PostMessage", this, &Self::PostMessage);
  BindMethod(L, "PostMessageToParent", this, &Self::PostMessageToParent);
  BindFunction(L, "_GetString", GetString);
  BindMethod(L, "StartMovie", this, &Self::StartMovie);
  BindMethod(L, "IsMoviePlaying", this, &Self::IsMoviePlaying);
  BindMethod(L, "StopMovie", this, &Self::StopMovie);
  BindMethod(L, "ImageLoaded", this, &Self::ImageLoaded);
  BindMethod(L, "DestroyWindow", this, &Self::DestroyWindow);
}

TWindow* TWindowScriptFunctions::FindInDialog(const TString& name) const {
  TWindow* top = TopModal();
  return top ? top->FindChild(name) : nullptr;
}

TImage* TWindowScriptFunctions::FindImage(const TString& name) const { return As<TImage>(FindInDialog(name)); }

// ---- Windows by name.

void TWindowScriptFunctions::PostCreate(const TString&) {
  if (TWindow* window = mScript.GetWindow()) window->PostCreate();
}

TString TWindowScriptFunctions::GetLabel(const TString& name) {
  TWindow* window = FindInDialog(name);
  if (!window) return name + "_is_not_found";
  if (TText* text = TText::Cast(window)) return text->GetLabel();
  if (TButton* button = TButton::Cast(window)) return button->GetLabel();
  return name + "_is_not_a_TText_window_or_TButton";
}

void TWindowScriptFunctions::SetLabel(const TString& name, const TString& label) {
  if (TText* text = TText::Cast(FindInDialog(name))) text->SetLabel(label);
}

void TWindowScriptFunctions::SetBitmap(const TString& name, const TString& imageName, float scale) {
  if (TImage* image = FindImage(name)) image->SetTexture(TTexture::Get(imageName, 0), nullptr, scale);
}

void TWindowScriptFunctions::SetPosition(const TString& name, int x, int y) {
  TWindow* window = FindInDialog(name);
  if (!window) return;
  int64_t left = x;
  int64_t top = y;
  int64_t width = window->GetWidth();
  int64_t height = window->GetHeight();
  ResolveAxis(window->GetParent(), TAxis::kHorizontal, false, false, left, width);
  ResolveAxis(window->GetParent(), TAxis::kVertical, false, false, top, height);
  window->SetPosition(ClampPosition(left), ClampPosition(top));
}

int TWindowScriptFunctions::SetCommand(lua_State* L) {
  TButton* button = TButton::Cast(FindInDialog(lua_binding::Argument<TString>::Read(L, 1)));
  if (!button) return 0;
  lua_State* host = mScript.GetState();
  MoveToHost(L, 2, host);
  button->SetAction(std::make_unique<TButton::LuaAction>(std::make_unique<TLuaFunction>(host)));
  return 0;
}

bool TWindowScriptFunctions::ImageLoaded(const TString& name) {
  TImage* image = FindImage(name);
  return image && image->GetTexture();
}

void TWindowScriptFunctions::DestroyWindow(const TString& name) {
  TWindow* current = mScript.GetWindow();
  TWindow* window = current ? current->FindChild(name) : nullptr;
  if (!window || !window->GetParent()) return;
  std::unique_ptr<TWindow> removed = window->GetParent()->RemoveChild(window);
  if (TWindowManager* manager = PlatformWindowManager()) manager->DeferDelete(std::move(removed));
}

// ---- The current window, the focus and the dialogs.

void TWindowScriptFunctions::DoSelectLayer(int layer) {
  if (TLayeredWindow* layered = As<TLayeredWindow>(mScript.GetWindow())) layered->SetLayer(static_cast<uint32_t>(layer));
}

void TWindowScriptFunctions::PopWindow() { mScript.PopWindow(); }

int TWindowScriptFunctions::WindowStackDepth() { return static_cast<int>(mScript.GetWindowStack().size()); }

void TWindowScriptFunctions::RealSetFocus(const TString& name) {
  TWindowManager* manager = PlatformWindowManager();
  if (!manager) return;
  TWindow* current = mScript.GetWindow();
  manager->SetFocus(current ? current->FindChild(name) : nullptr);
}

void TWindowScriptFunctions::UpdateWindow() {
  if (TWindow* top = TopModal()) top->Invalidate();
}

TString TWindowScriptFunctions::PushModal(const TString& name) {
  TWindowManager* manager = PlatformWindowManager();
  if (!manager) {
    LogPrintf("PushModal: no window manager for %s", name.CStr());
    return "";
  }
  auto dialog = std::make_unique<TModalWindow>();
  dialog->SetName(name);
  const uint32_t serial = dialog->GetSerial();
  if (!manager->PushModal(std::move(dialog))) {
    LogPrintf("PushModal: dialog %s not opened", name.CStr());
    return "";
  }
  return TMessage::CloseName(serial);
}

void TWindowScriptFunctions::ClearModalChildren() {
  TWindow* top = TopModal();
  if (!top) return;
  if (TModalWindow* modal = TModalWindow::Cast(top)) modal->ClearTasks();
  top->DeleteChildren();
  top->SetSize(0, 0);
  top->SetPosition(0, 0);
}

void TWindowScriptFunctions::DoPopModal() {
  TWindowManager* manager = PlatformWindowManager();
  TWindow* top = manager ? manager->GetTopModal() : nullptr;
  // The root has no window below it; popping it would leave nothing to draw in.
  if (!top || !top->GetParent()) {
    LogPrintf("DoPopModal: no dialog above the root");
    return;
  }
  manager->PopModal();
}

// ---- Messages.

int TWindowScriptFunctions::HandleGetMessage(lua_State* L) {
  // Only the coroutine the host resumes gets the messages: a wait set up for
  // another one would hand them to the host's coroutine wherever it yields.
  if (L != mScript.GetState()) {
    return luaL_error(L, "HandleGetMessage: only the screen's coroutine may wait for messages");
  }
  // Raises the dialect's own error before anything changes.
  if (!lua_isyieldable(L)) return lua_yield(L, 0);
  if (lua_gettop(L) == 1) {
    mScript.Start(TimeOut(L), false, true, false);
  } else {
    mScript.Stop();
  }
  return mScript.WaitForMessage(L);
}

std::unique_ptr<TMessage> TWindowScriptFunctions::CreateCloseMessage() {
  TWindow* current = mScript.GetWindow();
  if (!current) LogPrintf("CreateCloseMessage: no current window");
  return std::make_unique<TMessage>(kMessageClose, current ? TMessage::CloseName(current->GetSerial()) : TString(""),
                                    nullptr);
}

int TWindowScriptFunctions::PostMessage(lua_State* L) {
  PostCopy(L, "PostMessage", false);
  return 0;
}

int TWindowScriptFunctions::PostMessageToParent(lua_State* L) {
  PostCopy(L, "PostMessageToParent", true);
  return 0;
}

void TWindowScriptFunctions::PostCopy(lua_State* L, const char* function, bool toParent) {
  if (!ToMessage(L, 1)) {
    LogPrintf("%s: %s is not a message", function, lua_typename(L, lua_type(L, 1)));
    return;
  }
  TWindowManager* manager = PlatformWindowManager();
  TWindow* top = manager ? manager->GetTopModal() : nullptr;
  if (!manager || (toParent && !top)) {
    LogPrintf("%s: no dialog to post to", function);
    return;
  }
  lua_State* host = mScript.GetState();
  MoveToHost(L, 1, host);
  std::unique_ptr<TLuaMessageWrapper> copy = TLuaMessageWrapper::FromStackTop(host);
  if (toParent) copy->SetTarget(top->GetParent());
  manager->PostMessage(std::move(copy));
}

// ---- Movies.

bool TWindowScriptFunctions::StartMovie(const TString& fileName) {
  if (fileName.IsEmpty()) return false;
  StopMovie();
  mMovie = std::make_unique<TMoviePlayer>(fileName);
  if (mMovie->Start(false)) return true;
  mMovie.reset();
  return false;
}

bool TWindowScriptFunctions::IsMoviePlaying() { return mMovie && mMovie->IsPlaying(); }

void TWindowScriptFunctions::StopMovie() { mMovie.reset(); }
