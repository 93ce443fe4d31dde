#pragma once

namespace GamePlay {

// One big explosion, which clears the tower one ring per step.
class IPieceExplosion {
 public:
  virtual ~IPieceExplosion() = default;
  // One step; true when the explosion has finished.
  virtual bool Explode() = 0;
};

}  // namespace GamePlay
