#pragma once

#include <csignal>

namespace sys {

// While an object of this class lives, SIGINT and SIGTERM do not end the
// process: they are noted, and the window layer turns them into a close
// request, so Ctrl-C in a terminal closes the game the way its close box does
// and the game still saves.
class CloseSignals {
 public:
  CloseSignals();
  ~CloseSignals();
  CloseSignals(const CloseSignals&) = delete;
  CloseSignals& operator=(const CloseSignals&) = delete;

  // True once after each noted signal. Safe from any thread.
  static bool TakeRequest();

 private:
  struct sigaction mPreviousInterrupt {};
  struct sigaction mPreviousTerminate {};
};

}  // namespace sys
