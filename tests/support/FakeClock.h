#pragma once

#include <cstdint>

// Drives time by hand: while it lives the system tick reads a value that only
// Advance moves (or a sleep, which moves it by the time slept at once), and
// game time starts at the given value. One at a time.
class FakeClock {
 public:
  explicit FakeClock(uint32_t gameTime = 0);
  ~FakeClock();
  FakeClock(const FakeClock&) = delete;
  FakeClock& operator=(const FakeClock&) = delete;

  void Advance(uint32_t milliseconds);
  uint32_t Ticks() const;
  // The rules advance in updates of 10 ms each.
  void Update(int updates = 1) { Advance(10 * updates); }
};
