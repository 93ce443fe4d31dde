#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "game/rules/control/IClockProxy.h"
#include "game/rules/scoring/IScoringObserver.h"
#include "platform/types/TRect.h"

class TTextLayout;

namespace GamePlay {
class ITowerView;
}

namespace GUI {

// The points of every score, popped up over the cell where they were won:
// each number pulses in size twice and fades out within two seconds of its
// own game clock, so pausing the game holds the popups. Numbers are drawn
// over the tower view's cells; before the play window hands it the tower
// view they age unseen. Main thread only.
class TComboViewImpl final : public GamePlay::IScoringObserver {
 public:
  static constexpr uint32_t kLifetimeMs = 2000;
  // The height of the box a number is drawn into; twice as wide, so that
  // scores of four digits and more stay on one line.
  static constexpr int32_t kBoxSize = 100;
  static constexpr int32_t kBoxWidth = 2 * kBoxSize;

  // One number on screen, in the order scored.
  struct TPopup {
    int32_t ring = 0;
    int32_t slot = 0;
    float progress = 0.0f;  // 0 when new, 1 at the end of its life
    int32_t points = 0;
    std::unique_ptr<GamePlay::IClockProxy> clock;
  };

  TComboViewImpl();
  ~TComboViewImpl() override;
  TComboViewImpl(const TComboViewImpl&) = delete;
  TComboViewImpl& operator=(const TComboViewImpl&) = delete;

  void OnScore(int32_t size, int32_t combo, int32_t ring, int32_t slot, int32_t points, bool side) override;
  void OnLevelEnd() override {}
  bool IsBusy() override { return false; }

  void SetTowerView(GamePlay::ITowerView* view) { mTowerView = view; }
  // Ages the popups, drops those past their life, draws the rest; in 2D
  // drawing, opened here when it is not open already.
  void Draw();

  const std::vector<TPopup>& GetPopups() const { return mPopups; }
  // The size pulse: up to 1 over the first 30 % of a life, down again by
  // 60 %, then up twice more, falling back to 0 at 80 %.
  static float Pulse(float progress);
  static float ScaleAt(float progress) { return 0.8f + 0.2f * Pulse(progress); }
  // The box a number is drawn into, centred on the point.
  static TRect BoxAround(const TVec2& point);

 private:
  void Update();
  void DrawPopup(const TPopup& popup);

  GamePlay::ITowerView* mTowerView = nullptr;
  std::unique_ptr<TTextLayout> mLayout;
  std::vector<TPopup> mPopups;
};

}  // namespace GUI
