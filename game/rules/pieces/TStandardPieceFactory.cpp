#include "game/rules/pieces/TStandardPieceFactory.h"

#include "game/rules/pieces/IPieceViewFactory.h"
#include "game/rules/pieces/TBlockedPiece.h"
#include "game/rules/pieces/TCounterPiece.h"
#include "game/rules/pieces/TDisappearingPiece.h"
#include "game/rules/pieces/TFallingPiece.h"
#include "game/rules/pieces/TMovingPiece.h"
#include "game/rules/pieces/TPowerUpPiece.h"
#include "game/rules/pieces/TRaisingPiece.h"
#include "game/rules/pieces/TStandardPiece.h"

namespace GamePlay {

namespace {

TPiecePtr WithView(TPiecePtr piece, TPieceViewPtr view) {
  piece->SetView(std::move(view));
  return piece;
}

}  // namespace

TStandardPieceFactory::TStandardPieceFactory(int32_t coloursInUse, IPieceViewFactory* views,
                                             ISoundFactoryView* sound, IMetricsRecorder* metrics,
                                             float energyRateFromBomb)
    : mNullPiece(std::make_shared<TNullPiece>()),
      mEmptyPiece(std::make_shared<TEmptyPiece>()),
      mColoursInUse(coloursInUse),
      mViews(views),
      mSound(sound),
      mMetrics(metrics),
      mEnergyRateFromBomb(energyRateFromBomb) {
  mNullPiece->SetView(views->GetNullView());
  mEmptyPiece->SetView(views->GetNullView());
}

TPiecePtr TStandardPieceFactory::CreateStandard(int32_t colour, TPowerUpPtr powerUp) {
  auto piece = std::make_shared<TStandardPiece>(colour);
  piece->ClearPowerUp(std::move(powerUp));
  return WithView(piece, mViews->CreateStandardView(piece));
}

TPiecePtr TStandardPieceFactory::CreateDisappearing(const TPiecePtr& piece,
                                                    const TPowerUpPtr& cause, ITowerModel* tower) {
  auto made = std::make_shared<TDisappearingPiece>(piece, cause);
  return WithView(made, mViews->CreateDisappearingView(made, tower));
}

TPiecePtr TStandardPieceFactory::CreateFalling(const TPiecePtr& piece, int32_t fromRing,
                                               int32_t toRing) {
  auto made = std::make_shared<TFallingPiece>(piece, fromRing, toRing);
  return WithView(made, mViews->CreateFallingView(made));
}

TPiecePtr TStandardPieceFactory::CreateRaising(const TPiecePtr& piece, int32_t ring) {
  auto made = std::make_shared<TRaisingPiece>(piece, ring);
  return WithView(made, mViews->CreateRaisingView(made));
}

TPiecePtr TStandardPieceFactory::CreateMoving(const TPiecePtr& piece, int32_t fromRing,
                                              int32_t toRing) {
  auto made = std::make_shared<TMovingPiece>(piece, fromRing, toRing);
  return WithView(made, mViews->CreateMovingView(made));
}

TPiecePtr TStandardPieceFactory::CreatePowerUpPiece(int32_t colour, TPowerUpPtr powerUp) {
  auto made = std::make_shared<TPowerUpPiece>(colour, mSound, mMetrics);
  made->ClearPowerUp(std::move(powerUp));
  return WithView(made, mViews->CreatePowerUpPieceView(made));
}

TPiecePtr TStandardPieceFactory::CreateBlocked(int32_t colour, bool breakable) {
  colour = LevelColour(colour);
  TPiecePtr inner = colour == IPiece::kNoColour ? nullptr : CreateStandard(colour, nullptr);
  auto made = std::make_shared<TBlockedPiece>(inner, breakable, mSound, mMetrics);
  return WithView(made, mViews->CreateBlockedView(made, colour));
}

TPiecePtr TStandardPieceFactory::CreateCounter(int32_t colour, float start) {
  auto made = std::make_shared<TCounterPiece>(CreateBlocked(LevelColour(colour), true), start);
  return WithView(made, mViews->CreateCounterView(made));
}

int32_t TStandardPieceFactory::LevelColour(int32_t colour) {
  int32_t coloursInUse = GetColoursInUse();
  if (colour != IPiece::kNoColour && colour >= coloursInUse) return coloursInUse - 1;
  return colour;
}

}  // namespace GamePlay
