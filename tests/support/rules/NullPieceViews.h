#pragma once

#include <memory>
#include <string>
#include <vector>

#include "game/rules/pieces/IPieceViewFactory.h"
#include "game/rules/powerups/IPowerUpViewFactory.h"

// A piece view that draws nothing and only remembers the cell it was told.
class NullPieceView : public GamePlay::IPieceView {
 public:
  explicit NullPieceView(std::string kind = "null") : kind(std::move(kind)) {}

  const std::string kind;  // the maker that made it
  int32_t ring = -1;
  int32_t slot = -1;
  bool lifted = false;

  float GetAngle() override { return 0; }
  void SetCell(int32_t newRing, int32_t newSlot, bool newLifted) override;
  GamePlay::TPoint GetCentre() override { return {}; }
  int32_t GetRing() override { return ring; }
  TVec2 GetScreenPos() override { return {}; }
  float GetScaleX() override { return 1; }
  float GetScaleY() override { return 1; }
  void Draw(const TVec2&, float, float, float, float) override {}
  void DrawInPlace() override {}
  void DrawPowerUpLayer(bool) override {}
  bool IsTransient() override { return false; }
};

class NullPowerUpView final : public GamePlay::IPowerUpView {
 public:
  void Draw(bool, int32_t, const TVec2&, float, float, float, float) override {}
};

// Makes null views for every piece and power-up (a drawer stand-in for a
// disappearing piece) and writes down each request, e.g. "CreateBlockedView -1".
class NullPieceViewFactory final : public GamePlay::IPieceViewFactory,
                                   public GamePlay::IPowerUpViewFactory {
 public:
  std::vector<std::string> made;

  GamePlay::TPieceViewPtr GetNullView() override { return mNullView; }
  GamePlay::TPieceViewPtr CreateStandardView(const GamePlay::TPiecePtr&) override;
  GamePlay::TPieceViewPtr CreatePowerUpPieceView(const GamePlay::TPiecePtr&) override;
  GamePlay::TPieceViewPtr CreateDisappearingView(const GamePlay::TPiecePtr&,
                                                 GamePlay::ITowerModel*) override;
  GamePlay::TPieceViewPtr CreateFallingView(const GamePlay::TPiecePtr&) override;
  GamePlay::TPieceViewPtr CreateRaisingView(const GamePlay::TPiecePtr&) override;
  GamePlay::TPieceViewPtr CreateMovingView(const GamePlay::TPiecePtr&) override;
  GamePlay::TPieceViewPtr CreateBlockedView(const GamePlay::TPiecePtr&, int32_t colour) override;
  GamePlay::TPieceViewPtr CreateCounterView(const GamePlay::TPiecePtr&) override;
  std::shared_ptr<GamePlay::IPowerUpView> CreatePowerUpView(
      const std::shared_ptr<GamePlay::IPowerUp>&) override;

 private:
  GamePlay::TPieceViewPtr Make(const std::string& kind);

  GamePlay::TPieceViewPtr mNullView = std::make_shared<NullPieceView>();
};
