#pragma once

#include <cstdint>

// Waiting for a while. Tests replace the wait, so that code which sleeps
// runs on their fake clock.
namespace sys {

void Sleep(uint32_t milliseconds);

// Replaces the wait for the whole process; null goes back to real sleeping.
using SleepFunction = void (*)(uint32_t milliseconds);
void SetSleepFunction(SleepFunction function);

}  // namespace sys
