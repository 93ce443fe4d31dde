#pragma once

#include <cstdint>

namespace GamePlay {
class IPieceJugModel;
}

namespace GUI {

// The jugs in the centre of the tower, drawn from the scoring model's jug
// model; a level without jugs leaves the model null.
class TJugPie {
 public:
  void SetJugModel(GamePlay::IPieceJugModel* jugs) { mJugs = jugs; }
  // The jug's fill scaled to 70 for a full jug; 0 without jugs and for an
  // index outside them.
  float GetFill(int32_t jug) const;

 private:
  GamePlay::IPieceJugModel* mJugs = nullptr;
};

}  // namespace GUI
