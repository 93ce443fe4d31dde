#pragma once

#include <functional>

#include "platform/types/TVec2.h"

namespace GUI {

// The closing animation of a level as the tower view drives it: the banner
// shown at the level's end, the flash that hands over to the next screen
// once it has run, and the two drawings around the front scene; the score
// table over the play screen shows its quote sheet.
class IEndLevelAnimation {
 public:
  virtual ~IEndLevelAnimation() = default;

  // The flash starts; the callback runs once, when the flash has run its course.
  virtual void StartFlash(std::function<void()> callback) = 0;
  // The banner shows from now on; the flag is whether the level took tutorial settings.
  virtual void ShowBanner(bool tutorialSettings) = 0;
  // Behind the front scene: the banner and the flash.
  virtual void DrawFlash(const TVec2& position) = 0;
  // In front of it: the backdrop and the quote panel.
  virtual void DrawPanel(const TVec2& position) = 0;
  // The quote on its sheet of paper, for a window over the play screen to
  // show: the paper, the backdrop, the sparkles of an expert level and the
  // quote panel, whatever the play screen shows at the time.
  virtual void DrawQuoteSheet(const TVec2& position) = 0;
};

}  // namespace GUI
