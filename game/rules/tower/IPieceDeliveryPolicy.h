#pragma once

namespace GamePlay {

// One way of deciding when the tower takes a new ring of pieces. The add-ring
// policy advances each one every update and lets them deliver only while no
// input lock is held.
class IPieceDeliveryPolicy {
 public:
  virtual ~IPieceDeliveryPolicy() = default;
  virtual void Update() = 0;
  virtual void DeliverIfDue() = 0;
};

}  // namespace GamePlay
