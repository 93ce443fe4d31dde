#pragma once

#include <memory>
#include <utility>
#include <vector>

#include "game/gui/views/TViewGraphics.h"
#include "game/rules/pieces/IPieceViewFactory.h"
#include "game/rules/powerups/IPowerUpViewFactory.h"

namespace GamePlay {
class ITowerModel;
class TLevelSettings;
}

namespace GUI {

class IEffect;
class TArcadeWindow;
class TBpmFlasher;
class IVanishingSounds;
class TGraphicRegistry;
class TNullPieceView;
class TTowerMeasurement;
class TTowerViewImpl;

// Where the rules get a view for every piece and power-up they make, and the
// play window its tower view. Made once per level, after the graphics
// registry has loaded: it looks up the views' pictures once, for all the
// views it makes. It owns the tower's measurement, which the tower view
// hands out. A piece view stands where the tower view says, so piece views
// are made only once the tower view is: before that every piece gets the
// null view, with a log line.
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
  // Where vanishing pieces' animations play their sounds: the game's sound
  // factory unless set; sounds (not null) outlives the factory's views.
  void SetVanishingSounds(IVanishingSounds* sounds) { mVanishingSounds = sounds; }
  const TViewGraphics& GetGraphics() const { return mGraphics; }
  // The tower view of the level, centred on (400, 300). It must be made
  // before any piece view, since each view keeps the tower view it is given.
  std::unique_ptr<TTowerViewImpl> CreateTowerView(TArcadeWindow* playWindow,
                                                  const GamePlay::TLevelSettings& settings);

  GamePlay::TPieceViewPtr GetNullView() override;
  // A colour outside the six gets the null view, with a log line: colours
  // come from the level's files.
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
  // The view of a bomb, colour change, lock or gear; none for any other
  // power-up, which the rules accept. A power-up holds its view weakly, so
  // the factory keeps each view for as long as its power-up lives.
  std::shared_ptr<GamePlay::IPowerUpView> CreatePowerUpView(
      const std::shared_ptr<GamePlay::IPowerUp>& powerUp) override;

  // The glow over a standard piece of the ring about to be delivered; the
  // null view for any other piece, or when the level shows no such glow.
  GamePlay::TPieceViewPtr CreateGrowView(const GamePlay::TPiecePtr& piece);
  // The mark over a standard piece or a blocker the tutorial points at,
  // strong when it alerts (a blocker's alert pulses with the beat); the
  // null view for any other piece.
  GamePlay::TPieceViewPtr CreateHighlightView(const GamePlay::TPiecePtr& piece, bool alert);

  // The blast of the power-up a vanishing piece carries (a bomb or a colour
  // change), made once per piece; null for any other piece, for a lock or
  // a gear, and for a piece whose blast was made already. The slot is the
  // cell's, which the blast does not need.
  std::unique_ptr<IEffect> CreateExplosionEffect(int32_t ring, int32_t slot,
                                                 const GamePlay::TPiecePtr& piece);
  // The burst of every blocker, lock and gear the model has started to
  // break, in the model's order, added to the list; the model's list is
  // emptied.
  void CreateBreakEffects(std::vector<std::unique_ptr<IEffect>>& effects,
                          GamePlay::ITowerModel& model);

 private:
  // The view of the piece a passing or vanishing piece wraps.
  static GamePlay::TPieceViewPtr WrappedView(const GamePlay::TPiecePtr& piece);
  bool CanPlacePieces(const char* maker) const;
  // The graphic and scale of the blast of a power-up; false for one that
  // has none.
  bool FindBlast(const GamePlay::TPowerUpPtr& powerUp, TViewGraphics::Graphic& graphic,
                 float& scale) const;
  GamePlay::TPieceViewPtr CreateIndicator(const GamePlay::TPiecePtr& piece,
                                          TViewGraphics::Graphic graphic, bool strong,
                                          bool pulsing);
  std::shared_ptr<GamePlay::IPowerUpView> KeepPowerUpView(
      const std::shared_ptr<GamePlay::IPowerUp>& powerUp, TViewGraphics::Graphic graphic,
      TViewGraphics::Graphic glow);

  TGraphicRegistry* mRegistry;
  bool mRingHighlight;
  float mPieceAnimationSpeed;
  std::shared_ptr<TNullPieceView> mNullView;
  TBpmFlasher* mFlasher;
  std::unique_ptr<TTowerMeasurement> mMeasurement;
  TViewGraphics mGraphics;
  TTowerViewImpl* mTowerView = nullptr;  // owned by the play window
  IVanishingSounds* mVanishingSounds;
  std::vector<std::pair<std::weak_ptr<GamePlay::IPowerUp>, std::shared_ptr<GamePlay::IPowerUpView>>>
      mPowerUpViews;
};

}  // namespace GUI
