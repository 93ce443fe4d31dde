#pragma once

// The sound manager as the platform drives it: made and initialised at
// start-up, told when the program is shown, hidden, activated or
// deactivated, asked to hand out the end notices of finished sounds on every
// idle pass of the event pump, and deleted at shut-down (which stops its
// thread). Sounds, streams and volumes are the sound manager's own.
class TSoundManager {
 public:
  virtual ~TSoundManager() = default;

  // Starts the sound thread and opens the sound device; true when sound
  // plays. A second call answers true at once when the first succeeded.
  virtual bool Init() = 0;
  // False pauses every playing stream; true resumes those it paused.
  virtual void SetActive(bool active) = 0;
  // Main thread: releases finished streams and calls their end notices.
  virtual void DispatchNotifications() = 0;
};
