#pragma once

namespace GamePlay {

// Told by the tower control of every ring turn the player completes (the
// counter pieces of a level that counts turns run down with them).
class IRingTurnListener {
 public:
  virtual ~IRingTurnListener() = default;
  virtual void OnRingTurned() = 0;
};

}  // namespace GamePlay
