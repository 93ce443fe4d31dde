#pragma once

#include <cstdint>
#include <mutex>

#include "platform/host/IHostBridge.h"
#include "platform/text/TString.h"
#include "platform/time/TClock.h"

// The bridge to a host program that embeds the game window (a portal's shell
// or a web page's player). It is off until the host-mode switches turn it on,
// and does nothing while off. It tells the host the game's events as short
// texts, carries out the host's commands, keeps the sound silent while the
// host or the game wants it so, and keeps the time during which the host held
// the game paused, which game time leaves out.
//
// Host commands: 1 asks to quit, 2 and 3 mute and unmute, 4 begins a host
// pause, 5, 6, 9 and 10 end it, 7 starts a new session, 8 asks to resume.
class THostBridge final : public IHostBridge {
 public:
  // The process-wide bridge that the program installs for the platform and
  // the game tells its events.
  static THostBridge& Instance();

  void EnableHostBridge() override;
  void HandleHostCommand(uint32_t command) override;
  void SendSessionReady() override;
  bool IsHostPaused() override;
  uint32_t GetHostPausedTime() override;

  // The game's events. Those that hand control to the host (game end, break
  // point, game ready, session ready) begin a host pause.
  void SendScoreSubmit(int32_t score);
  // Tells the score only when it changed and a second has passed since the
  // last one told.
  void SendScoreBroadcast(int32_t score);
  void SendGameEnd();
  void SendGameBreak();
  void SendGameReady(const TString& gameMode);
  // The download link of a portal.
  void SendCustomEvent();

  // The play window tells whether its game clocks are paused or suspended:
  // the play time reported to the host leaves those spans out.
  void SetGamePaused(bool paused);
  // The host's requests to quit and to resume play, each answered once.
  bool TakeHostQuitRequest();
  bool TakeHostResumeRequest();

 private:
  // The text with its zero byte, in pieces of eight bytes, each posted as
  // two little-endian words.
  void PostToHost(const char* text, bool beginPause);
  void PostScore(const char* event, int32_t score);
  void PostWords(const char* text, size_t size);
  void BeginHostPause();
  void EndHostPause();
  void StartNewSession();
  void ReleaseCaptureForHostPage();
  void UpdateHostMute();
  // Starts or pauses the play-time clock.
  void RunPlayTime(bool run);

  // Game time, read by the cursor and sound threads too, asks for the paused
  // time: the fields it reads are written under the mutex. Everything else
  // is the main thread's alone, and nothing is called out to under the lock
  // (the play-time clock itself reads game time).
  std::mutex mMutex;
  bool mEnabled = false;
  bool mHostPaused = false;
  uint32_t mPauseStart = 0;   // system tick at which the pause under way began
  uint32_t mPausedTotal = 0;  // ms of the pauses that have ended

  bool mSessionReadySent = false;
  bool mQuitRequested = false;
  bool mResumeRequested = false;
  bool mHostMuted = false;
  bool mBridgeMuted = false;  // the bridge holds the master volume at 0
  bool mSessionRunning = false;
  bool mGamePaused = false;
  float mSavedVolume = 0.0f;  // the master volume before the bridge muted it
  int32_t mBreakpoints = 0;
  uint32_t mLastBroadcastTick = 0;
  int32_t mLastBroadcastScore = 0;
  TClock mPlayTime;
};

// The bridge's operations on the process-wide bridge.
void EnableHostBridge();
void HandleHostCommand(uint32_t command);
void SendSessionReady();
bool IsHostPaused();
uint32_t GetHostPausedTime();
