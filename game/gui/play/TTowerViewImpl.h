#pragma once

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "game/gui/effects/IEndLevelAnimation.h"
#include "game/gui/play/TDelayedAction.h"
#include "game/gui/play/TJugPie.h"
#include "game/gui/play/TTowerLayer.h"
#include "game/rules/level/TLevelKey.h"
#include "game/rules/tower/ITowerView.h"

namespace GamePlay {
class IPieceFactory;
class IScoringModel;
class IScriptTutorialView;
class ITowerModel;
class TLevelSettings;
}  // namespace GamePlay

namespace GUI {

class TArcadeWindow;
class TBpmFlasher;
class TDeliverFlasher;
class TGraphicRegistry;
class TViewFactory;

// The tower on screen: the angle each ring is drawn at, the marks,
// highlights, arrows and jugs over it, and how far the level has gone
// towards its end. Made per level by the view factory, then set up with the
// level's model in this order: SetPieceFactory, SetModel, SetUp,
// RereadJugModel, SetDeliverFlasher. Ring indices come from the rules and
// the tutorials: one outside the tower reads as angle 0 and unmarked, and
// changes nothing.
class TTowerViewImpl final : public GamePlay::ITowerView {
 public:
  TTowerViewImpl(TArcadeWindow* playWindow, TGraphicRegistry* registry, GamePlay::TPoint centre,
                 TViewFactory* viewFactory, TBpmFlasher* bpmFlasher,
                 const GamePlay::TLevelSettings& settings);
  ~TTowerViewImpl() override;
  TTowerViewImpl(const TTowerViewImpl&) = delete;
  TTowerViewImpl& operator=(const TTowerViewImpl&) = delete;

  void SetPieceFactory(GamePlay::IPieceFactory* factory) { mPieceFactory = factory; }
  // One angle of 0 per ring of the model.
  void SetModel(GamePlay::ITowerModel* model);
  // The layer over the tower is made here, sized from the model.
  void SetUp(GamePlay::IScoringModel* scoring, GamePlay::IScriptTutorialView* tutorial);
  // The scoring model makes its jugs anew when the level's jugs are set up;
  // nothing to read before SetUp.
  void RereadJugModel();
  void SetDeliverFlasher(TDeliverFlasher* flasher) { mDeliverFlasher = flasher; }

  // What the drawing reads; null before SetUp.
  const TTowerLayer* GetLayer() const { return mLayer.get(); }
  // The level's closing animation; without one a won level leads on at once.
  void SetEndLevelAnimation(std::unique_ptr<IEndLevelAnimation> animation) {
    mEndLevelAnimation = std::move(animation);
  }

  // The play window's drawing, before and after its front scene. The first
  // pass ends by running what the level's end has waiting, whose script may
  // replace the level and with it this view: nothing may follow it.
  void DrawFirstPass();
  void DrawSecondPass();

  GamePlay::TPoint GetCentre() override { return mCentre; }
  uint32_t GetTopRingIndex() override;
  GamePlay::ITowerMeasurementView* GetMeasurement() override;
  float GetRingAngle(int32_t ring) override;
  void SetRingAngle(int32_t ring, float angle) override;
  void SetRingMark(int32_t ring, int32_t value) override;
  void SetPieceMark(int32_t ring, int32_t slot, int32_t value) override;
  bool IsShowingMessage() override { return mLevelEnded; }
  bool IsLoseFlowArmed() override { return mLoseFlowArmed; }
  void ShowNoMoveMessage() override;
  void ShowTimeUpMessage() override;
  // The pieces left go off, and the won level leads on 1,000 ms later.
  void OnLevelEnd() override;
  void OnRingTurned(int32_t, int32_t) override {}
  void ResetHighlights() override;
  void AddHighlight(int32_t ring, int32_t slot, bool flag) override;
  bool SetHover(int32_t ring, int32_t slot) override;
  void ShowArrow(const std::vector<GamePlay::TArrow>& arrows) override;
  GamePlay::TCell GetHover() override;
  float GetJugFill(int32_t jug) override { return mJugPie->GetFill(jug); }
  void Invalidate() override {}
  void ShowPowerUpArea(int32_t ring, int32_t slot) override;
  GamePlay::IScriptTutorialView* GetScriptTutorial() override { return mScriptTutorial; }
  bool IsNoMoveShown() override { return mNoMoveShown; }
  bool IsTimeUpShown() override { return mTimeUpShown; }
  void OnMovesDone() override {}

 private:
  bool IsRing(int32_t ring) const;
  // A no-move or time-up message leads to losing the level, once.
  void EndWithMessage();
  GamePlay::TLevelKey GetLevelKey() const { return {mWorld, mLevel}; }
  bool TakesTutorialSettings() const;
  // After the level end: the won flow, at once or once the closing
  // animation's flash has run.
  void LeadOnFromTheWonLevel();
  void StopAlmostTimeOut();

  TArcadeWindow* mPlayWindow;
  TGraphicRegistry* mRegistry;
  GamePlay::ITowerModel* mModel = nullptr;
  GamePlay::IScoringModel* mScoring = nullptr;
  GamePlay::IPieceFactory* mPieceFactory = nullptr;
  TViewFactory* mViewFactory;
  TBpmFlasher* mBpmFlasher;
  GamePlay::IScriptTutorialView* mScriptTutorial = nullptr;
  std::unique_ptr<TJugPie> mJugPie;
  TDelayedAction mDelayedAction;
  std::unique_ptr<IEndLevelAnimation> mEndLevelAnimation;
  uint32_t mWorld;
  uint32_t mLevel;
  std::unique_ptr<TTowerLayer> mLayer;
  GamePlay::TPoint mCentre;
  bool mLevelEnded = false;
  bool mLoseFlowArmed = false;
  bool mNoMoveShown = false;
  bool mTimeUpShown = false;
  bool mTutorialLevel;
  std::vector<float> mRingAngles;
  TDeliverFlasher* mDeliverFlasher = nullptr;
};

}  // namespace GUI
