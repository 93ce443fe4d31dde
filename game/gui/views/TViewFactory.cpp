#include "game/gui/views/TViewFactory.h"

#include "game/gui/play/TTowerMeasurement.h"
#include "game/gui/play/TTowerViewImpl.h"
#include "game/gui/views/TNullPieceView.h"

namespace GUI {

namespace {

constexpr GamePlay::TPoint kTowerCentre{400, 300};

}  // namespace

TViewFactory::TViewFactory(TGraphicRegistry* registry, TBpmFlasher* flasher, bool ringHighlight,
                           float pieceAnimationSpeed)
    : mRegistry(registry),
      mRingHighlight(ringHighlight),
      mPieceAnimationSpeed(pieceAnimationSpeed),
      mNullView(std::make_shared<TNullPieceView>()),
      mFlasher(flasher),
      mMeasurement(std::make_unique<TTowerMeasurement>()),
      mGraphics(TViewGraphics::Fetch(*registry)) {}

TViewFactory::~TViewFactory() = default;

std::unique_ptr<TTowerViewImpl> TViewFactory::CreateTowerView(
    TArcadeWindow* playWindow, const GamePlay::TLevelSettings& settings) {
  auto view = std::make_unique<TTowerViewImpl>(playWindow, mRegistry, kTowerCentre, this, mFlasher,
                                                settings);
  mTowerView = view.get();
  return view;
}

GamePlay::TPieceViewPtr TViewFactory::GetNullView() { return mNullView; }

// Until the pieces have views of their own, every piece is drawn by the null
// view: the rules run the same, the tower shows no pieces.
GamePlay::TPieceViewPtr TViewFactory::CreateStandardView(const GamePlay::TPiecePtr&) {
  return GetNullView();
}

GamePlay::TPieceViewPtr TViewFactory::CreatePowerUpPieceView(const GamePlay::TPiecePtr&) {
  return GetNullView();
}

GamePlay::TPieceViewPtr TViewFactory::CreateDisappearingView(const GamePlay::TPiecePtr&,
                                                             GamePlay::ITowerModel*) {
  return GetNullView();
}

GamePlay::TPieceViewPtr TViewFactory::CreateFallingView(const GamePlay::TPiecePtr&) {
  return GetNullView();
}

GamePlay::TPieceViewPtr TViewFactory::CreateRaisingView(const GamePlay::TPiecePtr&) {
  return GetNullView();
}

GamePlay::TPieceViewPtr TViewFactory::CreateMovingView(const GamePlay::TPiecePtr&) {
  return GetNullView();
}

GamePlay::TPieceViewPtr TViewFactory::CreateBlockedView(const GamePlay::TPiecePtr&, int32_t) {
  return GetNullView();
}

GamePlay::TPieceViewPtr TViewFactory::CreateCounterView(const GamePlay::TPiecePtr&) {
  return GetNullView();
}

std::shared_ptr<GamePlay::IPowerUpView> TViewFactory::CreatePowerUpView(
    const std::shared_ptr<GamePlay::IPowerUp>&) {
  return nullptr;
}

}  // namespace GUI
