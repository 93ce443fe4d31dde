#pragma once

#include <memory>

#include "game/rules/pieces/TPieceBase.h"
#include "platform/time/TClock.h"

namespace GamePlay {

// A plain coloured piece, maybe carrying a power-up. Its clock, made when
// first needed, times the animation its view plays after a match or a change
// of colour.
class TStandardPiece final : public TPieceBase {
 public:
  explicit TStandardPiece(int32_t colour) : mColour(colour) {}

  // The same colour against another standard piece; anything else is asked
  // the other way round, so decorators answer through their inner piece.
  bool Matches(IPiece& other) override;
  void SetJugMark(TIntPair mark) override { mJugMark = mark; }
  TIntPair GetJugMark() override { return mJugMark; }
  void OnRemoved(int32_t ring, int32_t slot, ITowerModel* tower) override;
  int32_t GetColour() override { return mColour; }
  TPowerUpPtr GetPowerUp() override { return mPowerUp; }
  void ClearPowerUp(TPowerUpPtr powerUp) override { mPowerUp = std::move(powerUp); }
  // Takes the colour, gets a fresh view for it and starts the clock.
  void ChangeColour(int32_t colour, IPieceFactory* factory) override;

  // Null until started.
  TClock* GetClock() const { return mClock.get(); }
  // Makes the clock if missing and runs it from 0.
  void StartClock();
  void ResetClock() { mClock.reset(); }

 private:
  int32_t mColour;
  TPowerUpPtr mPowerUp;
  TIntPair mJugMark{0, 0};
  std::unique_ptr<TClock> mClock;
};

}  // namespace GamePlay
