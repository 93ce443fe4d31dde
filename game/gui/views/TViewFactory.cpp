#include "game/gui/views/TViewFactory.h"

#include <algorithm>

#include "game/gui/effects/TExplosionEffect.h"
#include "game/gui/play/TTowerMeasurement.h"
#include "game/gui/play/TTowerViewImpl.h"
#include "game/gui/views/IVanishingSounds.h"
#include "game/gui/views/TBlockedPieceView.h"
#include "game/gui/views/TCounterPieceView.h"
#include "game/gui/views/TDisappearingPieceView.h"
#include "game/gui/views/TNullPieceView.h"
#include "game/gui/views/TPassingPieceView.h"
#include "game/gui/views/TPowerUpPieceView.h"
#include "game/gui/views/TPowerUpViewImpl.h"
#include "game/gui/views/TRingIndicatorPieceView.h"
#include "game/gui/views/TStandardPieceView.h"
#include "game/rules/pieces/PieceAs.h"
#include "game/rules/pieces/TBlockedPiece.h"
#include "game/rules/pieces/TDisappearingPiece.h"
#include "game/rules/pieces/TStandardPiece.h"
#include "game/rules/powerups/TBigAreaBombPowerUp.h"
#include "game/rules/powerups/TChangeColorPowerUp.h"
#include "game/rules/powerups/TColorBombPowerUp.h"
#include "game/rules/powerups/TLinkPowerUps.h"
#include "game/rules/powerups/TTimeBombPowerUp.h"
#include "game/rules/tower/ITowerModel.h"
#include "platform/text/Log.h"

namespace GUI {

namespace {

constexpr GamePlay::TPoint kTowerCentre{400, 300};
constexpr float kPowerUpBlastMs = 800.0f;
constexpr float kBreakBurstMs = 250.0f;
constexpr float kBreakBurstScale = 3.0f;

template <class TPowerUpClass>
bool IsPowerUp(const GamePlay::TPowerUpPtr& powerUp) {
  return dynamic_cast<TPowerUpClass*>(powerUp.get()) != nullptr;
}

}  // namespace

TViewFactory::TViewFactory(TGraphicRegistry* registry, TBpmFlasher* flasher, bool ringHighlight,
                           float pieceAnimationSpeed)
    : mRegistry(registry),
      mRingHighlight(ringHighlight),
      mPieceAnimationSpeed(pieceAnimationSpeed),
      mNullView(std::make_shared<TNullPieceView>()),
      mFlasher(flasher),
      mMeasurement(std::make_unique<TTowerMeasurement>()),
      mGraphics(TViewGraphics::Fetch(*registry)),
      mVanishingSounds(&GameVanishingSounds()) {}

TViewFactory::~TViewFactory() = default;

std::unique_ptr<TTowerViewImpl> TViewFactory::CreateTowerView(
    TArcadeWindow* playWindow, const GamePlay::TLevelSettings& settings) {
  auto view = std::make_unique<TTowerViewImpl>(playWindow, mRegistry, kTowerCentre, this, mFlasher,
                                                settings);
  mTowerView = view.get();
  return view;
}

GamePlay::TPieceViewPtr TViewFactory::GetNullView() { return mNullView; }

bool TViewFactory::CanPlacePieces(const char* maker) const {
  if (mTowerView) return true;
  LogPrintf("View factory: %s before the tower view was made; the piece is not drawn", maker);
  return false;
}

GamePlay::TPieceViewPtr TViewFactory::WrappedView(const GamePlay::TPiecePtr& piece) {
  GamePlay::TPiecePtr inner = piece->GetInner();
  return inner && inner != piece ? inner->GetView() : nullptr;
}

GamePlay::TPieceViewPtr TViewFactory::CreateStandardView(const GamePlay::TPiecePtr& piece) {
  if (!CanPlacePieces("CreateStandardView")) return GetNullView();
  const int32_t colour = piece->GetColour();
  if (colour < 0 || colour >= static_cast<int32_t>(TViewGraphics::kColours)) {
    LogPrintf("View factory: a piece of colour %d has no picture; it is not drawn", colour);
    return GetNullView();
  }
  return std::make_shared<TStandardPieceView>(mGraphics.pieces[static_cast<size_t>(colour)],
                                              mGraphics.spark, piece, mTowerView);
}

GamePlay::TPieceViewPtr TViewFactory::CreatePowerUpPieceView(const GamePlay::TPiecePtr& piece) {
  if (!CanPlacePieces("CreatePowerUpPieceView")) return GetNullView();
  GamePlay::TPieceViewPtr inner =
      piece->GetColour() == GamePlay::IPiece::kNoColour ? nullptr : CreateStandardView(piece);
  return std::make_shared<TPowerUpPieceView>(std::move(inner), mGraphics.colourBomb, piece,
                                             mTowerView);
}

GamePlay::TPieceViewPtr TViewFactory::CreateDisappearingView(const GamePlay::TPiecePtr& piece,
                                                             GamePlay::ITowerModel* tower) {
  if (!CanPlacePieces("CreateDisappearingView")) return GetNullView();
  TVanishingPictures pictures{mGraphics.sparkByColour, mGraphics.filling,
                              mGraphics.areaBombByColour, mGraphics.edgeGlow};
  return std::make_shared<TDisappearingPieceView>(WrappedView(piece), std::move(pictures), tower,
                                                  piece, mTowerView, mVanishingSounds);
}

GamePlay::TPieceViewPtr TViewFactory::CreateFallingView(const GamePlay::TPiecePtr& piece) {
  if (!CanPlacePieces("CreateFallingView")) return GetNullView();
  return std::make_shared<TFallingPieceView>(WrappedView(piece), piece, mTowerView);
}

GamePlay::TPieceViewPtr TViewFactory::CreateRaisingView(const GamePlay::TPiecePtr& piece) {
  if (!CanPlacePieces("CreateRaisingView")) return GetNullView();
  return std::make_shared<TRaisingPieceView>(WrappedView(piece), piece, mTowerView);
}

GamePlay::TPieceViewPtr TViewFactory::CreateMovingView(const GamePlay::TPiecePtr& piece) {
  if (!CanPlacePieces("CreateMovingView")) return GetNullView();
  return std::make_shared<TMovingPieceView>(WrappedView(piece), piece, mTowerView);
}

// A blocker around a coloured piece shows that piece, drawn by its own view,
// in place of a picture of its own.
GamePlay::TPieceViewPtr TViewFactory::CreateBlockedView(const GamePlay::TPiecePtr& piece,
                                                        int32_t colour) {
  if (!CanPlacePieces("CreateBlockedView")) return GetNullView();
  TViewGraphics::Graphic base = colour == GamePlay::IPiece::kNoColour ? mGraphics.block : nullptr;
  return std::make_shared<TBlockedPieceView>(std::move(base), mGraphics.blockerAnim, piece,
                                             mTowerView);
}

GamePlay::TPieceViewPtr TViewFactory::CreateCounterView(const GamePlay::TPiecePtr& piece) {
  if (!CanPlacePieces("CreateCounterView")) return GetNullView();
  return std::make_shared<TCounterPieceView>(mGraphics.counter, mGraphics.white, piece,
                                             mTowerView);
}

// The ring form of a big-area bomb wins over its area form.
std::shared_ptr<GamePlay::IPowerUpView> TViewFactory::CreatePowerUpView(
    const std::shared_ptr<GamePlay::IPowerUp>& powerUp) {
  if (IsPowerUp<GamePlay::TColorBombPowerUp>(powerUp)) {
    return KeepPowerUpView(powerUp, mGraphics.colourBomb, nullptr);
  }
  if (IsPowerUp<GamePlay::TLockPowerUp>(powerUp)) {
    return KeepPowerUpView(powerUp, mGraphics.lock, mGraphics.lockGlow);
  }
  if (IsPowerUp<GamePlay::TGearPowerUp>(powerUp)) {
    return KeepPowerUpView(powerUp, mGraphics.gear, mGraphics.gearGlow);
  }
  if (auto* bomb = dynamic_cast<GamePlay::TBigAreaBombPowerUp*>(powerUp.get())) {
    const TViewGraphics::Graphic& graphic = bomb->IsRingForm()   ? mGraphics.ringBomb
                                            : bomb->IsAreaForm() ? mGraphics.areaBomb
                                                                 : mGraphics.clBomb;
    return KeepPowerUpView(powerUp, graphic, nullptr);
  }
  if (IsPowerUp<GamePlay::TTimeBombPowerUp>(powerUp)) {
    return KeepPowerUpView(powerUp, mGraphics.timeBomb, nullptr);
  }
  if (IsPowerUp<GamePlay::TChangeColorPowerUp>(powerUp)) {
    return KeepPowerUpView(powerUp, mGraphics.changeColour, nullptr);
  }
  return nullptr;
}

// Views whose power-ups have gone are let go as new ones come.
std::shared_ptr<GamePlay::IPowerUpView> TViewFactory::KeepPowerUpView(
    const std::shared_ptr<GamePlay::IPowerUp>& powerUp, TViewGraphics::Graphic graphic,
    TViewGraphics::Graphic glow) {
  std::erase_if(mPowerUpViews, [](const auto& kept) { return kept.first.expired(); });
  auto view = std::make_shared<TPowerUpViewImpl>(powerUp, std::move(graphic), std::move(glow),
                                                 mTowerView, mPieceAnimationSpeed);
  mPowerUpViews.emplace_back(powerUp, view);
  return view;
}

GamePlay::TPieceViewPtr TViewFactory::CreateIndicator(const GamePlay::TPiecePtr& piece,
                                                      TViewGraphics::Graphic graphic,
                                                      bool strong, bool pulsing) {
  GamePlay::TPieceViewPtr marked = piece->GetView();
  if (!marked || !CanPlacePieces("a ring indicator")) return GetNullView();
  return std::make_shared<TRingIndicatorPieceView>(std::move(graphic), std::move(marked), mFlasher,
                                                   mTowerView,
                                                   TRingIndicatorPieceView::TEmphasis{strong, pulsing});
}

GamePlay::TPieceViewPtr TViewFactory::CreateGrowView(const GamePlay::TPiecePtr& piece) {
  if (!mRingHighlight || !GamePlay::PieceAs<GamePlay::TStandardPiece>(piece.get())) {
    return GetNullView();
  }
  return CreateIndicator(piece, mGraphics.grow, false, false);
}

GamePlay::TPieceViewPtr TViewFactory::CreateHighlightView(const GamePlay::TPiecePtr& piece,
                                                          bool alert) {
  const bool standard = GamePlay::PieceAs<GamePlay::TStandardPiece>(piece.get()) != nullptr;
  const bool blocked = GamePlay::PieceAs<GamePlay::TBlockedPiece>(piece.get()) != nullptr;
  if (!standard && !blocked) return GetNullView();
  if (!alert) return CreateIndicator(piece, mGraphics.darken, false, false);
  if (standard) return CreateIndicator(piece, mGraphics.darken, true, false);
  return CreateIndicator(piece, mGraphics.alert, true, true);
}

// The power-up is the one the vanishing piece holds in its place: pieces a
// bomb takes with it carry that bomb too, but only its own cell bursts.
std::unique_ptr<IEffect> TViewFactory::CreateExplosionEffect(int32_t ring, int32_t,
                                                             const GamePlay::TPiecePtr& piece) {
  auto* vanishing = GamePlay::PieceAs<GamePlay::TDisappearingPiece>(piece.get());
  if (!vanishing || vanishing->IsEffectMade()) return nullptr;
  GamePlay::TPieceViewPtr view = piece->GetView();
  TViewGraphics::Graphic graphic;
  float scale = 0.0f;
  if (!view || !FindBlast(piece->GetPowerUp(), graphic, scale)) return nullptr;
  vanishing->SetEffectMade();
  return std::make_unique<TExplosionEffect>(ring, std::move(graphic), view->GetScreenPos(), scale,
                                            mMeasurement.get(), kPowerUpBlastMs);
}

bool TViewFactory::FindBlast(const GamePlay::TPowerUpPtr& powerUp, TViewGraphics::Graphic& graphic,
                             float& scale) const {
  if (IsPowerUp<GamePlay::TColorBombPowerUp>(powerUp)) {
    graphic = mGraphics.bombBlast;
    scale = 1.0f;
  } else if (IsPowerUp<GamePlay::TTimeBombPowerUp>(powerUp)) {
    graphic = mGraphics.orangeBlast;
    scale = 3.0f;
  } else if (IsPowerUp<GamePlay::TBigAreaBombPowerUp>(powerUp)) {
    graphic = mGraphics.bombBlast;
    scale = 3.0f;
  } else if (IsPowerUp<GamePlay::TChangeColorPowerUp>(powerUp)) {
    graphic = mGraphics.bombBlast;
    scale = 1.5f;
  } else {
    return false;
  }
  return true;
}

// A breaking piece without a view has no place on screen: it bursts nowhere.
void TViewFactory::CreateBreakEffects(std::vector<std::unique_ptr<IEffect>>& effects,
                                      GamePlay::ITowerModel& model) {
  GamePlay::TBreakingList& breaking = model.GetBreakingList();
  for (const auto& [ring, piece] : breaking) {
    GamePlay::TPieceViewPtr view = piece ? piece->GetView() : nullptr;
    if (!view) continue;
    effects.push_back(std::make_unique<TExplosionEffect>(ring, mGraphics.breaks, view->GetScreenPos(),
                                                         kBreakBurstScale, mMeasurement.get(),
                                                         kBreakBurstMs));
  }
  breaking.clear();
}

}  // namespace GUI
