#include "windows/FrameworkFactories.h"

#include "windows/LuaBinding.h"
#include "windows/TButton.h"
#include "windows/TWindowManager.h"
#include "windows/TWindowStyle.h"

std::unique_ptr<TWindow> TButtonFactory::Create(const TWindowStyle& style) {
  return std::make_unique<TButton>(LuaNumberToInt(style.GetNumber("type", TButton::kPush)));
}

void RegisterFrameworkFactories(TWindowManager& manager) {
  manager.SetFactory("_button", std::make_unique<TButtonFactory>());
}
