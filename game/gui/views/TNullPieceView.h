#pragma once

#include "game/rules/pieces/IPieceView.h"

namespace GUI {

// The view of an empty cell and of a piece that has no look of its own:
// it draws nothing, stays nowhere and answers every question with nothing.
// One object is shared by all such pieces.
class TNullPieceView final : public GamePlay::IPieceView {
 public:
  float GetAngle() override { return 0; }
  void SetCell(int32_t, int32_t, bool) override {}
  GamePlay::TPoint GetCentre() override { return {}; }
  int32_t GetRing() override { return 0; }
  TVec2 GetScreenPos() override { return {}; }
  float GetScaleX() override { return 0; }
  float GetScaleY() override { return 0; }
  void Draw(const TVec2&, float, float, float, float) override {}
  void DrawInPlace() override {}
  void DrawPowerUpLayer(bool) override {}
  bool IsTransient() override { return false; }
};

}  // namespace GUI
