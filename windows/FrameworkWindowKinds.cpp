#include "windows/FrameworkWindowKinds.h"

#include "media/TTexture.h"
#include "platform/TPlatform.h"
#include "platform/text/Log.h"
#include "windows/LuaBinding.h"
#include "windows/TButton.h"
#include "windows/TImage.h"
#include "windows/TLuaTable.h"
#include "windows/TWindowManager.h"
#include "windows/TWindowScript.h"
#include "windows/TWindowStyle.h"
#include "windows/TWindowTableScope.h"
#include "windows/WindowBinding.h"

namespace {

TWindowManager* WindowManager() {
  TPlatform* platform = TPlatform::Instance();
  return platform ? platform->GetWindowManager() : nullptr;
}

}  // namespace

TFrameworkWindowKinds::TFrameworkWindowKinds(TWindowScript& script) : mScript(script) {}

void TFrameworkWindowKinds::Register() {
  lua_State* L = mScript.GetState();
  BindMethod(L, "CreateWindow", this, &TFrameworkWindowKinds::CreateWindow);
  BindMethod(L, "CreateButton", this, &TFrameworkWindowKinds::CreateButton);
  BindMethod(L, "CreateBitmap", this, &TFrameworkWindowKinds::CreateBitmap);
}

// ---- Making a window of a kind.

template <class Kind, class MakeOwn>
std::unique_ptr<Kind> TFrameworkWindowKinds::MakeWindow(const char* defaultFactory, const char* kindName,
                                                       MakeOwn makeOwn) {
  const TString factoryName = mScript.GetString("factory", defaultFactory);
  bool found = false;
  std::unique_ptr<TWindow> window = MakeByFactory(factoryName, found);
  if (!found) return makeOwn();
  if (!window) return nullptr;
  if (!window->IsKindOf(Kind::ClassId())) {
    LogPrintf("The factory \"%s\" made a window that is no %s: not supported", factoryName.CStr(), kindName);
    return nullptr;
  }
  return std::unique_ptr<Kind>(static_cast<Kind*>(window.release()));
}

std::unique_ptr<TWindow> TFrameworkWindowKinds::MakeByFactory(const TString& factoryName, bool& found) {
  TWindowManager* manager = WindowManager();
  TWindowFactory* factory = manager ? manager->GetFactory(factoryName) : nullptr;
  found = factory != nullptr;
  if (!factory) return nullptr;
  lua_State* L = mScript.GetState();
  lua_pushvalue(L, -1);
  const TWindowStyle style(mScript, std::make_unique<TLuaTable>(L));
  return factory->Create(style);
}

int32_t TFrameworkWindowKinds::ReadInteger(const char* key, int32_t fallback) {
  return LuaNumberToInt(mScript.GetNumber(key, fallback));
}

// ---- Plain windows.

int TFrameworkWindowKinds::CreateWindow(lua_State* L) {
  if (!TWindowTableScope::HasWindowTable(L, "CreateWindow")) return 0;
  TWindowTableScope table(mScript, L);
  std::unique_ptr<TWindow> window = MakeWindow<TWindow>("_window", "TWindow", [] { return std::make_unique<TWindow>(); });
  mScript.AttachWindow(std::move(window));
  return 0;
}

// ---- Buttons.

int TFrameworkWindowKinds::CreateButton(lua_State* L) {
  if (!TWindowTableScope::HasWindowTable(L, "CreateButton")) return 0;
  TWindowTableScope table(mScript, L);
  const int32_t kind = ReadInteger("type", TButton::kPush);
  std::unique_ptr<TButton> button = MakeWindow<TButton>("_button", "TButton", [kind] { return std::make_unique<TButton>(kind); });
  if (!button) return 0;
  SetUpButton(*button);
  AddLayerImages(*button);
  auto* attached = static_cast<TButton*>(mScript.AttachWindow(std::move(button)));
  if (!attached) return 0;
  SetCommand(*attached);
  attached->SetLayer(TLayeredWindow::kAllLayers);
  SetCleanup(table, *attached);
  return 0;
}

void TFrameworkWindowKinds::SetUpButton(TButton& button) {
  if (mScript.GetBool("on", false)) button.SetChecked(true);
  button.SetName(mScript.GetString("name", ""));
  uint32_t flags = 0;
  if (mScript.GetBool("sendToParent", false)) flags |= TButton::kSetSendToParent;
  if (mScript.GetBool("beginGroup", false)) flags |= TButton::kSetBeginsGroup;
  if (mScript.GetBool("close", false)) flags |= TButton::kSetClose;
  if (mScript.GetBool("default", false)) flags |= TButton::kSetDefault;
  button.SetFlags(flags);
  const TString sound = mScript.GetString("sound", "");
  if (!sound.IsEmpty()) button.SetSound(TButton::kPressed, sound);
  const TString rollOverSound = mScript.GetString("rolloversound", "");
  if (!rollOverSound.IsEmpty()) button.SetSound(TButton::kHover, rollOverSound);
  const TString mask = mScript.GetString("mask", "");
  if (!mask.IsEmpty()) button.SetMask(TTexture::Get(mask, 0));
  button.SetTooltip(mScript.GetString("tooltip", ""));
}

// Items that are no text count as missing.
void TFrameworkWindowKinds::AddLayerImages(TButton& button) {
  lua_State* L = mScript.GetState();
  const float scale = static_cast<float>(mScript.GetNumber("scale", 1));
  if (!mScript.FindValue("graphics", true)) return;
  TWindow* current = nullptr;
  for (int32_t layer = 0; lua_istable(L, -1) && layer < button.GetLayerCount(); ++layer) {
    button.SetLayer(static_cast<uint32_t>(layer));
    lua_rawgeti(L, -1, layer + 1);
    if (lua_isstring(L, -1)) {
      auto image = std::make_unique<TImage>(true);
      image->SetName(TString::Format("image%d", layer));
      image->SetTexture(TTexture::Get(mScript.PopString(), 0), nullptr, scale);
      std::unique_ptr<TWindow> child = std::move(image);
      current = child.get();
      if (!button.AddChild(child, false)) current = nullptr;
    } else {
      lua_pop(L, 1);
      if (current) button.AddToCurrentLayer(current);
    }
  }
  lua_pop(L, 1);
}

void TFrameworkWindowKinds::SetCommand(TButton& button) {
  lua_State* L = mScript.GetState();
  if (!mScript.FindValue("command", true)) return;
  if (!lua_isfunction(L, -1)) {
    lua_pop(L, 1);
    return;
  }
  auto command = std::make_unique<TLuaFunction>(L);
  button.SetAction(std::make_unique<TButton::LuaAction>(std::move(command)));
}

void TFrameworkWindowKinds::SetCleanup(const TWindowTableScope& table, TButton& button) {
  lua_State* L = mScript.GetState();
  table.PushTable();
  lua_pushstring(L, "cleanup");
  PushWindowMethod(L, static_cast<TWindow*>(&button), &TWindow::Init);
  lua_rawset(L, -3);
  lua_pop(L, 1);
}

// ---- Bitmaps.

int TFrameworkWindowKinds::CreateBitmap(lua_State* L) {
  if (!TWindowTableScope::HasWindowTable(L, "CreateBitmap")) return 0;
  TWindowTableScope table(mScript, L);
  const TString imageName = mScript.GetString("image", "");
  const TString maskName = mScript.GetString("mask", "");
  const float scale = static_cast<float>(mScript.GetNumber("scale", 1));
  const bool alpha = mScript.GetBool("alpha", false);
  const bool mipmap = mScript.GetNumber("mipmap", 0) != 0;
  std::shared_ptr<TTexture> texture;
  if (!imageName.IsEmpty() && !maskName.IsEmpty()) {
    texture = TTexture::GetMasked(imageName, maskName, mipmap);
  } else if (!imageName.IsEmpty()) {
    texture = TTexture::Get(imageName, (mipmap ? TTexture::kMipmapBit : 0) | (alpha ? TTexture::kAlphaBit : 0));
  }
  auto bitmap = std::make_unique<TImage>(true);
  bitmap->SetTexture(std::move(texture), nullptr, scale);
  mScript.AttachWindow(std::move(bitmap));
  return 0;
}
