#pragma once

#include <cstdint>

namespace GamePlay {

// The score of a level, told of every scoring event of the rules.
class IScoringModel {
 public:
  virtual ~IScoringModel() = default;

  // A ring turned by one slot; scores nothing.
  virtual void OnRingTurned(int32_t ring) = 0;
  virtual void AddLockExplode() = 0;
  virtual void AddGearExplode() = 0;
  virtual void AddBlockerExplode() = 0;
};

}  // namespace GamePlay
