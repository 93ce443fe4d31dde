#pragma once

#include <cstdint>
#include <deque>
#include <vector>

#include "game/rules/tower/IRandomSource.h"

// A random source that gives the numbers queued, each taken modulo the bound
// asked for, and 0 once the queue is empty. It writes down every bound.
class ScriptedRandomSource final : public GamePlay::IRandomSource {
 public:
  explicit ScriptedRandomSource(std::deque<int32_t> numbers = {}) : queued(std::move(numbers)) {}

  std::deque<int32_t> queued;
  std::vector<int32_t> bounds;

  int32_t NextBelow(int32_t bound) override;
};
