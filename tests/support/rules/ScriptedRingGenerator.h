#pragma once

#include <cstdint>
#include <deque>
#include <map>

#include "game/rules/tower/IRingGenerator.h"

namespace GamePlay {
class IPieceFactory;
}

// A ring generator that hands out the colours queued for each column, made
// by the piece factory; a column with nothing queued gets the null piece,
// which leaves its cell vacant.
class ScriptedRingGenerator final : public GamePlay::IRingGenerator {
 public:
  ScriptedRingGenerator(GamePlay::IPieceFactory* pieces, uint32_t rings, uint32_t slots = 12)
      : mPieces(pieces), mRings(rings), mSlots(slots) {}

  GamePlay::ITowerModel* tower = nullptr;  // as attached
  int deliveriesCounted = 0;
  std::map<int32_t, std::deque<int32_t>> queued;  // column -> colours

  void SetTower(GamePlay::ITowerModel* attached) override { tower = attached; }
  uint32_t GetRingCount() override { return mRings; }
  int32_t GetThird() override { return -1; }
  uint32_t GetSlotCount() override { return mSlots; }
  GamePlay::TPiecePtr NextPiece(int32_t column) override;
  void CountDelivery() override { ++deliveriesCounted; }

 private:
  GamePlay::IPieceFactory* mPieces;
  uint32_t mRings;
  uint32_t mSlots;
};
