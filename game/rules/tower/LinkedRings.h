#pragma once

#include <cstdint>
#include <map>

namespace GamePlay {

class ITowerModel;

// The rings that turn when one ring turns, each with the way it turns: +1
// with the ring, -1 against it. A ring whose pieces carry a lock takes the
// ring below along the same way, one with a gear turns it the other way;
// the links chain on through the tower, up and down, each ring once.
// turnsGears tells whether some gear takes part (the gears are then heard
// turning).
std::map<int32_t, int32_t> FindLinkedRings(ITowerModel& tower, int32_t ring, bool& turnsGears);

}  // namespace GamePlay
