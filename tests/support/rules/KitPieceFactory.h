#pragma once

#include <cstdint>

#include "game/rules/IPieceFactory.h"
#include "game/rules/IPieceViewFactory.h"

namespace GamePlay {
class ISoundFactoryView;
}

// Makes real pieces, each with its view from the given view factory, and
// holds the level's shared null and empty pieces, as the game's piece
// factory does.
class KitPieceFactory final : public GamePlay::IPieceFactory {
 public:
  explicit KitPieceFactory(GamePlay::IPieceViewFactory* views,
                           GamePlay::ISoundFactoryView* sound = nullptr);

  GamePlay::TPiecePtr CreateStandard(int32_t colour, GamePlay::TPowerUpPtr powerUp) override;
  GamePlay::TPiecePtr GetNullPiece() override { return mNullPiece; }
  GamePlay::TPiecePtr GetEmptyPiece() override { return mEmptyPiece; }
  GamePlay::TPiecePtr CreateDisappearing(const GamePlay::TPiecePtr& piece,
                                         const GamePlay::TPowerUpPtr& cause,
                                         GamePlay::ITowerModel* tower) override;
  GamePlay::TPiecePtr CreateFalling(const GamePlay::TPiecePtr& piece, int32_t fromRing,
                                    int32_t toRing) override;
  GamePlay::TPiecePtr CreateRaising(const GamePlay::TPiecePtr& piece, int32_t ring) override;
  GamePlay::TPiecePtr CreateMoving(const GamePlay::TPiecePtr& piece, int32_t fromRing,
                                   int32_t toRing) override;
  GamePlay::TPiecePtr CreatePowerUpPiece(int32_t colour, GamePlay::TPowerUpPtr powerUp) override;
  GamePlay::TPiecePtr CreateBlocked(int32_t colour, bool breakable) override;
  GamePlay::TPiecePtr CreateCounter(int32_t colour, float start) override;
  GamePlay::IPieceViewFactory* GetPieceViewFactory() override { return mViews; }
  int32_t GetColoursInUse() override { return coloursInUse; }

  // The level's "Number of pieces in used".
  int32_t coloursInUse = 6;

 private:
  GamePlay::IPieceViewFactory* mViews;
  GamePlay::ISoundFactoryView* mSound;
  GamePlay::TPiecePtr mNullPiece;
  GamePlay::TPiecePtr mEmptyPiece;
};
