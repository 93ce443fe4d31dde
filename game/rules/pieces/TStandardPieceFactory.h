#pragma once

#include <cstdint>

#include "game/rules/pieces/IPieceFactory.h"

namespace GamePlay {

class IMetricsRecorder;
class ISoundFactoryView;

// The piece factory of a level: every piece it makes gets its view from the
// piece view factory before it is handed out, and it holds the level's
// shared null and empty pieces. Its blockers and power-up pieces count into
// the metrics, which may be null.
class TStandardPieceFactory : public IPieceFactory {
 public:
  // coloursInUse: the level's "Number of pieces in used".
  TStandardPieceFactory(int32_t coloursInUse, IPieceViewFactory* views, ISoundFactoryView* sound,
                        IMetricsRecorder* metrics, float energyRateFromBomb);

  TPiecePtr CreateStandard(int32_t colour, TPowerUpPtr powerUp) override;
  TPiecePtr GetNullPiece() override { return mNullPiece; }
  TPiecePtr GetEmptyPiece() override { return mEmptyPiece; }
  TPiecePtr CreateDisappearing(const TPiecePtr& piece, const TPowerUpPtr& cause,
                               ITowerModel* tower) override;
  TPiecePtr CreateFalling(const TPiecePtr& piece, int32_t fromRing, int32_t toRing) override;
  TPiecePtr CreateRaising(const TPiecePtr& piece, int32_t ring) override;
  TPiecePtr CreateMoving(const TPiecePtr& piece, int32_t fromRing, int32_t toRing) override;
  TPiecePtr CreatePowerUpPiece(int32_t colour, TPowerUpPtr powerUp) override;
  // A colour at or above the colours in use becomes the last of them; -1
  // makes a plain blocker with no piece inside.
  TPiecePtr CreateBlocked(int32_t colour, bool breakable) override;
  TPiecePtr CreateCounter(int32_t colour, float start) override;
  IPieceViewFactory* GetPieceViewFactory() override { return mViews; }
  int32_t GetColoursInUse() override { return mColoursInUse; }

  float GetEnergyRateFromBomb() const { return mEnergyRateFromBomb; }

 private:
  int32_t LevelColour(int32_t colour);

  TPiecePtr mNullPiece;
  TPiecePtr mEmptyPiece;
  int32_t mColoursInUse;
  IPieceViewFactory* mViews;
  ISoundFactoryView* mSound;
  IMetricsRecorder* mMetrics;
  float mEnergyRateFromBomb;
};

}  // namespace GamePlay
