#include "system/window/CloseSignals.h"

#include <atomic>

namespace sys {
namespace {

std::atomic<bool> gCloseRequested{false};

void OnCloseSignal(int) { gCloseRequested.store(true); }

}  // namespace

CloseSignals::CloseSignals() {
  struct sigaction action {};
  action.sa_handler = OnCloseSignal;
  action.sa_flags = SA_RESTART;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, &mPreviousInterrupt);
  sigaction(SIGTERM, &action, &mPreviousTerminate);
}

CloseSignals::~CloseSignals() {
  sigaction(SIGINT, &mPreviousInterrupt, nullptr);
  sigaction(SIGTERM, &mPreviousTerminate, nullptr);
}

bool CloseSignals::TakeRequest() { return gCloseRequested.exchange(false); }

}  // namespace sys
