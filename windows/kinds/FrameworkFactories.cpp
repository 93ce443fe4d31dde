#include "windows/kinds/FrameworkFactories.h"

#include "windows/script/LuaBinding.h"
#include "windows/kinds/TButton.h"
#include "windows/kinds/TText.h"
#include "windows/kinds/TTextEdit.h"
#include "windows/core/TWindowManager.h"
#include "windows/kinds/TWindowStyle.h"

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
