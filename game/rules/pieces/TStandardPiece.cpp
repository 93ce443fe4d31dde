#include "game/rules/pieces/TStandardPiece.h"

#include "game/rules/pieces/IPieceFactory.h"
#include "game/rules/pieces/IPieceViewFactory.h"
#include "game/rules/powerups/IPowerUp.h"
#include "game/rules/pieces/PieceAs.h"

namespace GamePlay {

bool TStandardPiece::Matches(IPiece& other) {
  if (auto* standard = PieceAs<TStandardPiece>(&other)) return standard->mColour == mColour;
  return other.Matches(*this);
}

void TStandardPiece::OnRemoved(int32_t ring, int32_t slot, ITowerModel* tower) {
  if (mPowerUp) mPowerUp->Activate(ring, slot, tower, mPowerUp);
}

void TStandardPiece::ChangeColour(int32_t colour, IPieceFactory* factory) {
  mColour = colour;
  IPieceViewFactory* views = factory ? factory->GetPieceViewFactory() : nullptr;
  if (views) SetView(views->CreateStandardView(shared_from_this()));
  StartClock();
}

void TStandardPiece::StartClock() {
  if (!mClock) mClock = std::make_unique<TClock>();
  mClock->Reset();
  mClock->Start();
}

}  // namespace GamePlay
