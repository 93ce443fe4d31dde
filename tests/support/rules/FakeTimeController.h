#pragma once

#include <vector>

#include "game/rules/control/ITimeController.h"

// A level timer whose elapsed fraction the test sets; added time is written
// down, not applied.
class FakeTimeController final : public GamePlay::ITimeController {
 public:
  float elapsed = 0;
  std::vector<float> added;
  std::vector<ITimeBoostHandler*> handlers;

  float GetRate() override { return elapsed; }
  void AddTime(float fraction) override { added.push_back(fraction); }
  void AddTimeBoostHandler(ITimeBoostHandler* handler) override { handlers.push_back(handler); }
  void RemoveTimeBoostHandler(ITimeBoostHandler* handler) override { std::erase(handlers, handler); }
};
