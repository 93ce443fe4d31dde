#include "windows/FrameworkFactories.h"

#include "windows/LuaBinding.h"
#include "windows/TButton.h"
#include "windows/TText.h"
#include "windows/TTextEdit.h"
#include "windows/TWindowManager.h"
#include "windows/TWindowStyle.h"

std::unique_ptr<TWindow> TButtonFactory::Create(const TWindowStyle& style) {
  return std::make_unique<TButton>(LuaNumberToInt(style.GetNumber("type", TButton::kPush)));
}

std::unique_ptr<TWindow> TTextFactory::Create(const TWindowStyle&) { return std::make_unique<TText>(false); }

std::unique_ptr<TWindow> TTextEditFactory::Create(const TWindowStyle&) { return std::make_unique<TTextEdit>(); }

void RegisterFrameworkFactories(TWindowManager& manager) {
  manager.SetFactory("_button", std::make_unique<TButtonFactory>());
  manager.SetFactory("_text", std::make_unique<TTextFactory>());
  manager.SetFactory("_textedit", std::make_unique<TTextEditFactory>());
}
