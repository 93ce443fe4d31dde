#pragma once

#include <cstdint>

// The local calendar date and wall-clock time, for what the program stamps
// with the moment it happened (log lines, records of play).
namespace sys {

struct LocalDateTime {
  int32_t year = 1970;
  int32_t month = 1;  // 1 to 12
  int32_t day = 1;    // 1 to 31
  int32_t hour = 0;
  int32_t minute = 0;
  int32_t second = 0;
  int32_t weekday = 4;  // 0 Sunday to 6 Saturday
};

LocalDateTime LocalNow();

// Replaces the local time for the whole process, so that tests fix the
// moment; null goes back to the system's clock and time zone. The source
// may be read from any thread.
using LocalTimeSource = LocalDateTime (*)();
void SetLocalTimeSource(LocalTimeSource source);

}  // namespace sys
