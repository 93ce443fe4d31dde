#pragma once

#include <string>
#include <vector>

#include "game/rules/scoring/IScoringObserver.h"

// A scoring observer that writes down what it hears ("OnScore 3 1 0 4 50 0"
// for size, combo, ring, slot, points and side; "OnLevelEnd"), and says it
// is busy when told to.
class RecordingScoringObserver final : public GamePlay::IScoringObserver {
 public:
  std::vector<std::string> heard;
  bool busy = false;

  void OnScore(int32_t size, int32_t combo, int32_t ring, int32_t slot, int32_t points,
               bool side) override {
    heard.push_back("OnScore " + std::to_string(size) + " " + std::to_string(combo) + " " +
                    std::to_string(ring) + " " + std::to_string(slot) + " " +
                    std::to_string(points) + " " + (side ? "1" : "0"));
  }
  void OnLevelEnd() override { heard.push_back("OnLevelEnd"); }
  bool IsBusy() override { return busy; }
};
