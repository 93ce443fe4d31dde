#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/types/TClassId.h"
#include "game/gui/screens/TFadeInWindows.h"
#include "windows/core/TWindowTask.h"

class TTexture;

namespace GUI {

// The game's last screen: it fades in and shows a slideshow of four
// pictures on its "screen" image.
class TGameEndWindow final : public TFadeInWindow {
 public:
  static TClassId ClassId();
  static std::unique_ptr<TWindow> Create();

  bool IsKindOf(TClassId id) const override;
  void PostCreate() override;
};

// The slideshow: every 2500 ms the next slide fills the screen (480 x 360
// pictures scaled to 800 x 600), from the first again after the last. A
// slide that failed to load is skipped. It ends with its window.
class TGameEmdTaskWindow final : public TWindowTask {
 public:
  static constexpr uint32_t kSlidePeriod = 2500;
  static constexpr float kSlideScale = 1.66666f;

  // The four "splash/upsell0N.jpg" pictures.
  static std::vector<std::shared_ptr<TTexture>> LoadSlides();

  TGameEmdTaskWindow(TWindow& window, std::vector<std::shared_ptr<TTexture>> slides);
  uint32_t GetCurrentSlide() const { return mCurrentSlide; }

 protected:
  bool Animate() override;

 private:
  std::vector<std::shared_ptr<TTexture>> mSlides;
  uint32_t mCurrentSlide = 0;
};

}  // namespace GUI
