#pragma once

#include <cstdint>

// What the platform needs of the bridge to a host program that embeds the game
// window. The bridge itself lives in the online layer above the platform, so
// the program installs it here at start-up. While none is installed the
// platform sees a bridge that is off: queries answer false or 0, and commands
// and notices do nothing.
class IHostBridge {
 public:
  // Turns the bridge on (the host-mode switches of the command line).
  virtual void EnableHostBridge() = 0;
  // A command code the host window sent to the main window.
  virtual void HandleHostCommand(uint32_t command) = 0;
  // Called at the start of every event fetch; tells the host once per run that
  // the session is ready, which hands control to the host until it resumes.
  virtual void SendSessionReady() = 0;
  // True while the host keeps the game paused; the event pump then only pumps.
  virtual bool IsHostPaused() = 0;
  // Milliseconds the host has kept the game paused so far, the pause under
  // way included; game time subtracts it. May be asked from any thread.
  virtual uint32_t GetHostPausedTime() = 0;

 protected:
  ~IHostBridge() = default;
};

// Installs the bridge the platform talks to; null goes back to the bridge off.
// The bridge must outlive its installation.
void SetHostBridge(IHostBridge* bridge);
IHostBridge& GetHostBridge();
