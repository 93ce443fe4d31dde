#include "online/THostBridge.h"

#include "system/os/TickCount.h"

namespace {

constexpr uint32_t kPauseCommand = 4;

// The host's resume commands, and its start of a new session.
bool EndsHostPause(uint32_t command) {
  return command == 5 || command == 6 || command == 7 || command == 9 || command == 10;
}

}  // namespace

THostBridge& THostBridge::Instance() {
  static THostBridge bridge;
  return bridge;
}

void THostBridge::EnableHostBridge() {
  std::lock_guard lock(mMutex);
  mEnabled = true;
}

void THostBridge::HandleHostCommand(uint32_t command) {
  std::lock_guard lock(mMutex);
  if (!mEnabled) return;
  if (command == kPauseCommand) {
    BeginHostPause();
  } else if (EndsHostPause(command)) {
    EndHostPause();
  }
}

void THostBridge::SendSessionReady() {
  std::lock_guard lock(mMutex);
  if (!mEnabled || mSessionReadySent) return;
  mSessionReadySent = true;
  BeginHostPause();
}

bool THostBridge::IsHostPaused() {
  std::lock_guard lock(mMutex);
  return mEnabled && mHostPaused;
}

uint32_t THostBridge::GetHostPausedTime() {
  std::lock_guard lock(mMutex);
  if (!mEnabled) return 0;
  // The pause under way counts at once, so that game time stands still during
  // it rather than running on and jumping back when it ends.
  uint32_t current = mHostPaused ? sys::TickCount() - mPauseStart : 0;
  return mPausedTotal + current;
}

void THostBridge::BeginHostPause() {
  if (mHostPaused) return;
  mHostPaused = true;
  mPauseStart = sys::TickCount();
}

void THostBridge::EndHostPause() {
  if (!mHostPaused) return;
  mHostPaused = false;
  mPausedTotal += sys::TickCount() - mPauseStart;
  mPauseStart = 0;
}

void EnableHostBridge() { THostBridge::Instance().EnableHostBridge(); }
void HandleHostCommand(uint32_t command) { THostBridge::Instance().HandleHostCommand(command); }
void SendSessionReady() { THostBridge::Instance().SendSessionReady(); }
bool IsHostPaused() { return THostBridge::Instance().IsHostPaused(); }
uint32_t GetHostPausedTime() { return THostBridge::Instance().GetHostPausedTime(); }

void THostBridge::SendGameReady(const TString&) {}

void THostBridge::SendGameEnd() {}

void THostBridge::SendCustomEvent() {}

void THostBridge::SendScoreSubmit(int32_t) {}

void THostBridge::SendScoreBroadcast(int32_t) {}
