#pragma once

#include <cstdint>

// The program's game time: milliseconds of the system tick since start, less
// the time a host program kept the game paused. It never runs backwards and
// stands still while the host pauses. Every TClock, and every TAnimTask
// without a clock of its own, runs on it; the platform object's GetTime
// answers it. Safe to read from any thread.
uint32_t GetGameTime();

// Lets game time go on from the given value at the current tick. The platform
// restarts it from 0 as it starts; tests restart it after faking the tick.
void RestartGameTime(uint32_t from = 0);
