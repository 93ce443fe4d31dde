#pragma once

namespace GamePlay {

// One rule of play that the tower control runs in every 10 ms update.
class ITowerControlPolicy {
 public:
  virtual ~ITowerControlPolicy() = default;
  virtual void Update() = 0;
};

}  // namespace GamePlay
