#pragma once

#include <cstdint>
#include <mutex>

#include "platform/host/IHostBridge.h"
#include "platform/text/TString.h"

// The bridge to a host program that embeds the game window (a portal's shell
// or a web page's player). It is off until the host-mode switches turn it on,
// and does nothing while off. It keeps the time during which the host held
// the game paused, which game time leaves out.
//
// Host commands handled so far: 4 begins a host pause; 5, 6, 7, 9 and 10 end
// it. Telling the session-ready notice to the host begins one as well.
class THostBridge final : public IHostBridge {
 public:
  // The process-wide bridge behind the free functions below.
  static THostBridge& Instance();

  void EnableHostBridge() override;
  void HandleHostCommand(uint32_t command) override;
  void SendSessionReady() override;
  bool IsHostPaused() override;
  uint32_t GetHostPausedTime() override;

  // The game's notices to the host: the game mode it plays, the end of the
  // game, a custom event (the download link in a portal) and the total score
  // when it is submitted and when it changes. The host protocol that carries
  // them is not there yet: for now they tell nothing, on or off.
  void SendGameReady(const TString& gameMode);
  void SendScoreSubmit(int32_t score);
  void SendScoreBroadcast(int32_t score);
  void SendGameEnd();
  void SendCustomEvent();

 private:
  void BeginHostPause();
  void EndHostPause();

  // The event pump and the window procedure run on the main thread, but game
  // time, which asks for the paused time, is also read by the cursor thread.
  std::mutex mMutex;
  bool mEnabled = false;
  bool mSessionReadySent = false;
  bool mHostPaused = false;
  uint32_t mPauseStart = 0;   // system tick at which the pause under way began
  uint32_t mPausedTotal = 0;  // ms of the pauses that have ended
};

// The bridge's operations on the process-wide bridge.
void EnableHostBridge();
void HandleHostCommand(uint32_t command);
void SendSessionReady();
bool IsHostPaused();
uint32_t GetHostPausedTime();
