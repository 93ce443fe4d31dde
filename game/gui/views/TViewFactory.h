#pragma once

#include <memory>

#include "game/gui/views/TViewGraphics.h"
#include "game/rules/pieces/IPieceViewFactory.h"
#include "game/rules/powerups/IPowerUpViewFactory.h"

namespace GamePlay {
class TLevelSettings;
}

namespace GUI {

class TArcadeWindow;
class TBpmFlasher;
class TGraphicRegistry;
class TNullPieceView;
class TTowerMeasurement;
class TTowerViewImpl;

// Where the rules get a view for every piece and power-up they make, and the
// play window its tower view. Made once per level, after the graphics
// registry has loaded: it looks up the views' pictures once, for all the
// views it makes. It owns the tower's measurement, which the tower view
// hands out.
class TViewFactory final : public GamePlay::IPieceViewFactory,
                           public GamePlay::IPowerUpViewFactory {
 public:
  // registry (not null) and flasher are not owned and outlive the factory;
  // the two values are the level's "Ring Highlight" and "Piece Animation
  // Speed".
  TViewFactory(TGraphicRegistry* registry, TBpmFlasher* flasher, bool ringHighlight,
               float pieceAnimationSpeed);
  ~TViewFactory() override;
  TViewFactory(const TViewFactory&) = delete;
  TViewFactory& operator=(const TViewFactory&) = delete;

  TTowerMeasurement* GetMeasurement() { return mMeasurement.get(); }
  const TViewGraphics& GetGraphics() const { return mGraphics; }
  // The tower view of the level, centred on (400, 300). It must be made
  // before any piece view, since each view keeps the tower view it is given.
  std::unique_ptr<TTowerViewImpl> CreateTowerView(TArcadeWindow* playWindow,
                                                  const GamePlay::TLevelSettings& settings);

  GamePlay::TPieceViewPtr GetNullView() override;
  GamePlay::TPieceViewPtr CreateStandardView(const GamePlay::TPiecePtr& piece) override;
  GamePlay::TPieceViewPtr CreatePowerUpPieceView(const GamePlay::TPiecePtr& piece) override;
  GamePlay::TPieceViewPtr CreateDisappearingView(const GamePlay::TPiecePtr& piece,
                                                 GamePlay::ITowerModel* tower) override;
  GamePlay::TPieceViewPtr CreateFallingView(const GamePlay::TPiecePtr& piece) override;
  GamePlay::TPieceViewPtr CreateRaisingView(const GamePlay::TPiecePtr& piece) override;
  GamePlay::TPieceViewPtr CreateMovingView(const GamePlay::TPiecePtr& piece) override;
  GamePlay::TPieceViewPtr CreateBlockedView(const GamePlay::TPiecePtr& piece,
                                            int32_t colour) override;
  GamePlay::TPieceViewPtr CreateCounterView(const GamePlay::TPiecePtr& piece) override;
  // No power-up is drawn yet: every one gets no view, which the rules accept.
  std::shared_ptr<GamePlay::IPowerUpView> CreatePowerUpView(
      const std::shared_ptr<GamePlay::IPowerUp>& powerUp) override;

 private:
  TGraphicRegistry* mRegistry;
  bool mRingHighlight;
  float mPieceAnimationSpeed;
  std::shared_ptr<TNullPieceView> mNullView;
  TBpmFlasher* mFlasher;
  std::unique_ptr<TTowerMeasurement> mMeasurement;
  TViewGraphics mGraphics;
  TTowerViewImpl* mTowerView = nullptr;  // owned by the play window
};

}  // namespace GUI
