#include "windows/script/FrameworkWindowKinds.h"

#include <cstring>

#include "media/texture/TTexture.h"
#include "platform/TPlatform.h"
#include "platform/text/Log.h"
#include "platform/xml/TStringTable.h"
#include "windows/script/LuaBinding.h"
#include "windows/kinds/TButton.h"
#include "windows/kinds/TImage.h"
#include "windows/script/TLuaTable.h"
#include "windows/kinds/TText.h"
#include "windows/kinds/TTextEdit.h"
#include "windows/core/TWindowManager.h"
#include "windows/script/TWindowScript.h"
#include "windows/kinds/TWindowStyle.h"
#include "windows/script/TWindowTableScope.h"
#include "windows/script/WindowBinding.h"
#include "windows/core/WindowCoordinates.h"

namespace {

constexpr char kDefaultFontName[] = "font.mvec";
constexpr int32_t kDefaultFontSize = 16;
constexpr int32_t kDefaultMaxLength = 10;
// Labels made only of these (prices, scores) are shown as they are.
constexpr char kNumberCharacters[] = "0123456789.";

bool IsNumberText(const TString& text) {
  for (int index = 0; index < text.Length(); ++index) {
    if (std::strchr(kNumberCharacters, text.CharAt(index)) == nullptr) return false;
  }
  return true;
}

// Raised on the calling state, for the calling script's protected call.
[[noreturn]] void RaiseFontError(lua_State* L, const char* message) {
  lua_pushstring(L, message);
  lua_error(L);
}

}  // namespace

TFrameworkWindowKinds::TFrameworkWindowKinds(TWindowScript& script) : mScript(script) {}

void TFrameworkWindowKinds::Register() {
  lua_State* L = mScript.GetState();
  BindMethod(L, "CreateWindow", this, &TFrameworkWindowKinds::CreateWindow);
  BindMethod(L, "CreateButton", this, &TFrameworkWindowKinds::CreateButton);
  BindMethod(L, "CreateBitmap", this, &TFrameworkWindowKinds::CreateBitmap);
  BindMethod(L, "CreateText", this, &TFrameworkWindowKinds::CreateText);
  BindMethod(L, "CreateTextEdit", this, &TFrameworkWindowKinds::CreateTextEdit);
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
  TWindowManager* manager = PlatformWindowManager();
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
  mScript.AttachWindow(MakeWindow<TWindow>("_window", "TWindow", [] { return std::make_unique<TWindow>(); }));
  return 0;
}

// ---- Buttons.

int TFrameworkWindowKinds::CreateButton(lua_State* L) {
  if (!TWindowTableScope::HasWindowTable(L, "CreateButton")) return 0;
  TWindowTableScope table(mScript, L);
  const int32_t kind = ReadInteger("type", TButton::kPush);
  std::unique_ptr<TButton> button =
      MakeWindow<TButton>("_button", "TButton", [kind] { return std::make_unique<TButton>(kind); });
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

// ---- Texts.

// The font is checked before anything is made, so that its errors leave
// nothing behind.
int TFrameworkWindowKinds::CreateText(lua_State* L) {
  if (!TWindowTableScope::HasWindowTable(L, "CreateText")) return 0;
  TWindowTableScope table(mScript, L);
  const TFontState font = ReadFont();
  if (font.name.IsEmpty()) RaiseFontError(L, "Font error: Font has no name!");
  if (font.size == 0) RaiseFontError(L, "Font error: Font has zero height!");
  const TString label = TranslateLabel(mScript.GetString("label", ""));
  const int32_t flags = ReadInteger("flags", ReadInteger("defflags", 0));
  const double rotation = mScript.GetNumber("rotation", 0);
  int64_t originX = ReadInteger("rotationOriginX", 0);
  int64_t originY = ReadInteger("rotationOriginY", 0);
  std::unique_ptr<TText> made = MakeWindow<TText>("_text", "TText", [] { return std::make_unique<TText>(false); });
  auto* text = static_cast<TText*>(mScript.AttachWindow(std::move(made)));
  if (!text) return 0;
  if (!SetUpText(*text, label, flags, font) || rotation == 0) return 0;
  PlaceCoordinate(originX, 0, text->GetWidth());
  PlaceCoordinate(originY, 0, text->GetHeight());
  text->SetRotation(static_cast<float>(rotation), ClampPosition(originX), ClampPosition(originY));
  return 0;
}

int TFrameworkWindowKinds::CreateTextEdit(lua_State* L) {
  if (!TWindowTableScope::HasWindowTable(L, "CreateTextEdit")) return 0;
  TWindowTableScope table(mScript, L);
  const TFontState font = ReadFont();
  const TString label = mScript.GetString("label", "");
  const bool password = mScript.GetBool("password", false);
  const int32_t maxLength = ReadInteger("length", kDefaultMaxLength);
  const TString ignore = mScript.GetString("ignore", "");
  const int32_t flags = ReadInteger("flags", 0);
  std::unique_ptr<TTextEdit> made =
      MakeWindow<TTextEdit>("_textedit", "TTextEdit", [] { return std::make_unique<TTextEdit>(); });
  if (!made) return 0;
  if (password) made->SetPassword(true);
  auto* edit = static_cast<TTextEdit*>(mScript.AttachWindow(std::move(made)));
  if (!edit) return 0;
  edit->Setup(label, edit->GetWidth(), edit->GetHeight(), flags, font.name, font.size, font.color);
  edit->SetMaxLength(maxLength);
  edit->SetIgnore(ignore);
  return 0;
}

// A "font" that is no table counts as missing; items of the wrong type in
// it count as missing too (no name, no size, no colour).
TFontState TFrameworkWindowKinds::ReadFont() {
  TFontState font{kDefaultFontName, kDefaultFontSize, TColor()};
  lua_State* L = mScript.GetState();
  if (!mScript.FindValue("font", true)) return font;
  if (lua_istable(L, -1)) return mScript.ReadFontState();
  lua_pop(L, 1);
  return font;
}

TString TFrameworkWindowKinds::TranslateLabel(const TString& label) const {
  if (!mScript.IsTranslatingLabels() || label.IsEmpty()) return label;
  if (label.CharAt(0) == '#') return label.Mid(1);
  if (IsNumberText(label)) return label;
  TPlatform* platform = TPlatform::Instance();
  const TStringTable* strings = platform ? platform->GetStringTable() : nullptr;
  return strings ? strings->GetString(label) : label;
}

bool TFrameworkWindowKinds::SetUpText(TText& text, const TString& label, int32_t flags, const TFontState& font) {
  if (text.Setup(label, text.GetWidth(), text.GetHeight(), flags, font.name, font.size, font.color)) return true;
  LogPrintf("ERROR: Attempting to create text window of size(0,0): named '%s', label '%s'", text.GetName().CStr(),
            label.CStr());
  return false;
}
