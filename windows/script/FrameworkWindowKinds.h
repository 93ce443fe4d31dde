#pragma once

#include <cstdint>
#include <memory>

#include "media/text/TFontState.h"
#include "platform/text/TString.h"
#include "script/lua/Lua.h"

class TButton;
class TText;
class TWindow;
class TWindowScript;
class TWindowTableScope;

// The Lua functions that build the framework's own window kinds from window
// tables: "CreateWindow", "CreateButton", "CreateBitmap", "CreateText" and
// "CreateTextEdit". Each takes the
// window table, reads its keys through the script's readers (a key the table
// lacks comes from the default style's chain), builds the window and attaches
// it under the current window (TWindowScript::AttachWindow). A window kind
// with a factory is made by the factory the window manager keeps under the
// table's "factory" (the kind's own name by default), which must make a
// window of the kind's class; without one the kind's class is made.
//
// A Lua error (a memory error, say) may unwind any of these functions: what
// they made is owned by RAII objects until it is attached.
class TFrameworkWindowKinds {
 public:
  explicit TFrameworkWindowKinds(TWindowScript& script);

  // Defines the functions as globals of the script's state.
  void Register();

 private:
  int CreateWindow(lua_State* L);
  int CreateButton(lua_State* L);
  int CreateBitmap(lua_State* L);
  int CreateText(lua_State* L);
  int CreateTextEdit(lua_State* L);

  // The window of a kind made by its factory, or by makeOwn when the window
  // manager has no factory of that name. Null when the factory made none,
  // or made one of another class (deleted, logged).
  template <class Kind, class MakeOwn>
  std::unique_ptr<Kind> MakeWindow(const char* defaultFactory, const char* kindName, MakeOwn makeOwn);
  std::unique_ptr<TWindow> MakeByFactory(const TString& factoryName, bool& found);

  void SetUpButton(TButton& button);
  // One image per layer from "graphics"; a layer whose item is missing shows
  // the image of the layer before.
  void AddLayerImages(TButton& button);
  void SetCommand(TButton& button);
  // The table's "cleanup" runs the button's Init, while the button lives.
  void SetCleanup(const TWindowTableScope& table, TButton& button);

  // The "font" table; the default font when there is none.
  TFontState ReadFont();
  // The label as the user is shown it: looked up in the string table when
  // labels are translated.
  TString TranslateLabel(const TString& label) const;
  // A text window of zero width or height is left empty (logged): false.
  bool SetUpText(TText& text, const TString& label, int32_t flags, const TFontState& font);

  int32_t ReadInteger(const char* key, int32_t fallback);

  TWindowScript& mScript;
};
