#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/types/TClassId.h"
#include "windows/core/TWindow.h"

class TTexture;

namespace GUI {

// The window of the screen shown before a level: the level's entry of
// "levels/startscreens.xml" is either pictures, shown one page at a time in
// "background" and turned by a click until the last one presses
// "nextButton", or a text set into "ContentText" while clicks do nothing.
// The script chooses the level through "SetCurrentLevelToStartScreen",
// bound to the newest start screen and doing nothing once it is gone.
class TStartScreenWindow final : public TWindow {
 public:
  static TClassId ClassId();
  // The window as a start screen window, or null.
  static TStartScreenWindow* Cast(TWindow* window);
  // For the window manager's table of window types.
  static std::unique_ptr<TWindow> Create();

  // Registers "SetCurrentLevelToStartScreen" on the window manager's script.
  TStartScreenWindow();
  ~TStartScreenWindow() override;

  bool IsKindOf(TClassId id) const override;
  // Shows the next page, or past the last one presses "nextButton"; every
  // press counts as handled.
  bool OnMouseDown(int32_t x, int32_t y) override;

  // The Lua function: loads the entry of the key made of the two numbers,
  // in the order given. A level without an entry shows the empty text.
  // Pictures that fail to load are left out (logged); an image entry left
  // without a page shows as text.
  void SetCurrentLevel(int32_t first, int32_t second);

  bool IsImageMode() const { return mImageMode; }
  uint32_t GetCurrentPage() const { return mCurrentPage; }
  size_t GetPageCount() const { return mPages.size(); }

 private:
  void ShowPage();

  std::vector<std::shared_ptr<TTexture>> mPages;
  uint32_t mCurrentPage = 0;
  bool mImageMode = false;
};

}  // namespace GUI
