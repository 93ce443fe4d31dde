#include "online/THostBridge.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <utility>

#include "media/sound/TSoundManager.h"
#include "platform/TPlatform.h"
#include "system/os/TickCount.h"
#include "system/window/HostWindow.h"
#include "system/window/Window.h"

namespace {

// The message that carries texts to the host and commands from it.
constexpr uint32_t kHostMessage = 1024;
constexpr size_t kHostPieceSize = 8;
// Event texts are formatted into a buffer of this size.
constexpr size_t kHostTextSize = 260;
constexpr uint32_t kBroadcastInterval = 1000;
constexpr int32_t kMasterVolumeGroup = -1;

enum HostCommand : uint32_t {
  kQuitCommand = 1,
  kMuteCommand = 2,
  kUnmuteCommand = 3,
  kPauseCommand = 4,
  kNewSessionCommand = 7,
  kResumeRequestCommand = 8,
};

// The host's several ways of letting the game go on.
bool EndsHostPause(uint32_t command) { return command == 5 || command == 6 || command == 9 || command == 10; }

// The host-page mode of "-pq=": the page only wants the session running,
// and hears nothing.
bool IsHostPageMode() {
  TPlatform* platform = TPlatform::Instance();
  return platform && platform->HostDecidesFullScreen();
}

sys::Window* FindMainWindow() {
  TPlatform* platform = TPlatform::Instance();
  return platform ? platform->GetMainWindow() : nullptr;
}

sys::HostWindow* FindHost() {
  sys::Window* window = FindMainWindow();
  return window ? window->Host() : nullptr;
}

TSoundManager* FindSoundManager() {
  TPlatform* platform = TPlatform::Instance();
  return platform ? platform->GetSoundManager() : nullptr;
}

uint32_t LittleEndianWord(const unsigned char* bytes) {
  return static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
         static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
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
  if (!mEnabled) return;
  if (command == kQuitCommand) {
    mQuitRequested = true;
  } else if (command == kMuteCommand || command == kUnmuteCommand) {
    mHostMuted = command == kMuteCommand;
  } else if (command == kPauseCommand) {
    ReleaseCaptureForHostPage();
    BeginHostPause();
  } else if (EndsHostPause(command)) {
    EndHostPause();
  } else if (command == kNewSessionCommand) {
    StartNewSession();
  } else if (command == kResumeRequestCommand) {
    mResumeRequested = true;
  }
  // Known or not, a command may change what the sound must be.
  UpdateHostMute();
}

void THostBridge::SendSessionReady() {
  if (!mEnabled || mSessionReadySent) return;
  mSessionReadySent = true;
  PostToHost("SessionReady(\"<data></data>\")", true);
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

void THostBridge::SendScoreSubmit(int32_t score) {
  if (!mEnabled) return;
  PostScore("ScoreSubmit", score);
}

void THostBridge::SendScoreBroadcast(int32_t score) {
  if (!mEnabled || score == mLastBroadcastScore) return;
  uint32_t now = sys::TickCount();
  if (now - mLastBroadcastTick < kBroadcastInterval) return;
  mLastBroadcastScore = score;
  mLastBroadcastTick = now;
  PostScore("ScoreBroadcast", score);
}

void THostBridge::SendGameEnd() {
  if (!mEnabled) return;
  mSessionRunning = false;
  PostToHost("GameEnd(\"<gamedata></gamedata>\")", true);
}

void THostBridge::SendGameBreak() {
  if (!mEnabled) return;
  ++mBreakpoints;
  char text[kHostTextSize];
  std::snprintf(text, sizeof text, "GameBreak(\"<data><breakpoint>%d</breakpoint></data>\")", mBreakpoints);
  PostToHost(text, true);
}

void THostBridge::SendGameReady(const TString& gameMode) {
  if (!mEnabled) return;
  char text[kHostTextSize];
  std::snprintf(text, sizeof text, "GameReady(\"<data><mode>%s</mode></data>\")", gameMode.CStr());
  PostToHost(text, true);
}

void THostBridge::SendCustomEvent() {
  if (!mEnabled) return;
  PostToHost("CustomEvent(\"<gamedata>CustomEvent</gamedata>\")", false);
}

void THostBridge::SetGamePaused(bool paused) {
  if (!mEnabled || paused == mGamePaused) return;
  mGamePaused = paused;
  if (!mHostPaused) RunPlayTime(!paused);
  // The sound follows the game's pause at once, not only at the next event.
  UpdateHostMute();
}

bool THostBridge::TakeHostQuitRequest() { return std::exchange(mQuitRequested, false); }

bool THostBridge::TakeHostResumeRequest() { return std::exchange(mResumeRequested, false); }

void THostBridge::PostToHost(const char* text, bool beginPause) {
  if (IsHostPageMode()) {
    mSessionRunning = true;
    return;
  }
  PostWords(text, std::strlen(text) + 1);
  if (beginPause) BeginHostPause();
  UpdateHostMute();
}

// Scores and times travel as 32-bit values, as the host reads them.
void THostBridge::PostScore(const char* event, int32_t score) {
  char text[kHostTextSize];
  const auto seconds = static_cast<int32_t>(mPlayTime.GetTime() / 1000u);
  std::snprintf(text, sizeof text, "%s(\"<game><score>%d</score><time>%d</time></game>\")", event, score,
                seconds);
  PostToHost(text, false);
}

// The host reads up to the zero byte: the bytes after it in the last piece
// mean nothing and go as zeros.
void THostBridge::PostWords(const char* text, size_t size) {
  sys::HostWindow* host = FindHost();
  if (!host) return;
  for (size_t offset = 0; offset < size; offset += kHostPieceSize) {
    unsigned char piece[kHostPieceSize] = {};
    std::memcpy(piece, text + offset, std::min(kHostPieceSize, size - offset));
    host->Post(kHostMessage, LittleEndianWord(piece), LittleEndianWord(piece + 4));
  }
}

void THostBridge::BeginHostPause() {
  if (mHostPaused) return;
  {
    std::lock_guard lock(mMutex);
    mHostPaused = true;
    mPauseStart = sys::TickCount();
  }
  if (!mGamePaused) RunPlayTime(false);
}

void THostBridge::EndHostPause() {
  if (!mHostPaused) return;
  {
    std::lock_guard lock(mMutex);
    mHostPaused = false;
    mPausedTotal += sys::TickCount() - mPauseStart;
    mPauseStart = 0;
  }
  if (!mGamePaused) RunPlayTime(true);
}

void THostBridge::StartNewSession() {
  mSessionRunning = true;
  mLastBroadcastTick = 0;
  mLastBroadcastScore = 0;
  mGamePaused = false;
  mPlayTime.Reset();
  mPlayTime.Start();
  EndHostPause();
  mBreakpoints = 0;
}

// A host page that pauses the game takes the mouse back from it.
void THostBridge::ReleaseCaptureForHostPage() {
  if (!IsHostPageMode()) return;
  sys::Window* window = FindMainWindow();
  if (window && window->HasCapture()) window->ReleaseCapture();
}

// Silent while the host muted the game, the game or the host pauses it, or
// no session runs; the master volume the bridge found comes back afterwards.
// A master volume the game set while the bridge held it at 0 (the player's
// volume, read as the game starts) is the one to come back, and the silence
// holds.
void THostBridge::UpdateHostMute() {
  TSoundManager* sound = FindSoundManager();
  if (!sound) return;
  bool silent = mHostMuted || mGamePaused || mHostPaused || !mSessionRunning;
  if (silent) {
    const float master = sound->GetVolume(kMasterVolumeGroup);
    if (mBridgeMuted && master == 0.0f) return;
    mBridgeMuted = true;
    mSavedVolume = master;
    sound->SetVolume(0.0f);
  } else if (mBridgeMuted) {
    sound->SetVolume(mSavedVolume);
    mBridgeMuted = false;
    mSavedVolume = 0.0f;
  }
}

void THostBridge::RunPlayTime(bool run) {
  if (run) {
    mPlayTime.Start();
  } else {
    mPlayTime.Pause();
  }
}

void EnableHostBridge() { THostBridge::Instance().EnableHostBridge(); }
void HandleHostCommand(uint32_t command) { THostBridge::Instance().HandleHostCommand(command); }
void SendSessionReady() { THostBridge::Instance().SendSessionReady(); }
bool IsHostPaused() { return THostBridge::Instance().IsHostPaused(); }
uint32_t GetHostPausedTime() { return THostBridge::Instance().GetHostPausedTime(); }
