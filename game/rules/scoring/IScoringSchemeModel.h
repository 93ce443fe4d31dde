#pragma once

#include <cstdint>

namespace GamePlay {

// The points of every scoring event. m is the size of a match, c the combo
// count (matches in a row).
class IScoringSchemeModel {
 public:
  virtual ~IScoringSchemeModel() = default;

  virtual int32_t GetSinglePiece() = 0;
  virtual int32_t GetLockExplode() = 0;
  virtual int32_t GetGearExplode() = 0;
  // accepted: a jug took the bombed piece.
  virtual int32_t GetPieceBombBonus(bool accepted) = 0;
  virtual int32_t GetBlockerExplode() = 0;
  virtual int32_t GetComboMatch(int32_t m, int32_t c) = 0;
  // A match grown sideways within a ring.
  virtual int32_t GetSideMatch(int32_t m, int32_t c) = 0;
  virtual int32_t GetPowerUp() = 0;
  // Points for each power-up piece left at the end of a level.
  virtual int32_t GetPowerUpBonus() = 0;
  // Points for each second left at the end of a level.
  virtual float GetTimeBonus() = 0;
};

}  // namespace GamePlay
