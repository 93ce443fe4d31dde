#include "tests/support/rules/ScriptedRandomSource.h"

int32_t ScriptedRandomSource::NextBelow(int32_t bound) {
  bounds.push_back(bound);
  if (queued.empty()) return 0;
  int32_t number = queued.front();
  queued.pop_front();
  return number % bound;
}
