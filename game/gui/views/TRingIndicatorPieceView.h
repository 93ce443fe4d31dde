#pragma once

#include "game/gui/effects/IGraphic.h"
#include "game/rules/pieces/IPieceView.h"
#include "game/rules/pieces/TPiecePtr.h"

namespace GamePlay {
class ITowerView;
}

namespace GUI {

class TBpmFlasher;

// A mark over a piece: the glow of a ring about to be delivered, or the
// highlight of a piece the tutorial points at. It stands wherever the marked
// piece's view stands. In place it is drawn pulsing with the beat, strong,
// or soft.
class TRingIndicatorPieceView final : public GamePlay::IPieceView {
 public:
  struct TEmphasis {
    bool strong = false;
    bool pulsing = false;
  };

  // marked is the marked piece's view (not null); the flasher may be null
  // (a pulse without a beat stays at its brightest) and outlives the view.
  TRingIndicatorPieceView(std::shared_ptr<IGraphic> graphic, GamePlay::TPieceViewPtr marked,
                          TBpmFlasher* flasher, GamePlay::ITowerView* towerView,
                          TEmphasis emphasis);

  float GetAngle() override { return mMarked->GetAngle(); }
  // A mark goes where its piece goes.
  void SetCell(int32_t, int32_t, bool) override {}
  GamePlay::TPoint GetCentre() override;
  int32_t GetRing() override { return mMarked->GetRing(); }
  TVec2 GetScreenPos() override { return mMarked->GetScreenPos(); }
  float GetScaleX() override;
  float GetScaleY() override;
  void Draw(const TVec2& pos, float alpha, float scaleX, float scaleY, float rotation) override;
  void DrawInPlace() override;
  void DrawPowerUpLayer(bool) override {}
  bool IsTransient() override { return false; }

 private:
  float InPlaceAlpha();

  std::shared_ptr<IGraphic> mGraphic;
  GamePlay::TPieceViewPtr mMarked;
  TBpmFlasher* mFlasher;
  GamePlay::ITowerView* mTowerView;
  TEmphasis mEmphasis;
};

}  // namespace GUI
