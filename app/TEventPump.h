#pragma once

#include <atomic>
#include <cstdint>

#include "platform/types/TEvent.h"

class TDisplayHandler;
class TSoundManager;
struct TMousePosition;
namespace sys {
struct Message;
class Window;
}  // namespace sys

// What the event pump reaches of the platform object that owns it.
class IEventPumpOwner {
 public:
  // Null before the window is made.
  virtual sys::Window* GetMainWindow() const = 0;
  // Null without a display or without sound.
  virtual TDisplayHandler* GetDisplayHandler() const = 0;
  virtual TSoundManager* GetSoundManager() const = 0;
  // While the window manager is suspended (a movie plays) clicks are never swallowed.
  virtual bool IsWindowManagerSuspended() const = 0;
  // Inside a host window, or under the test harness.
  virtual bool IsEmbedded() const = 0;
  virtual bool IsScreensaver() const = 0;
  virtual bool HasHostWindow() const = 0;
  // The host mode of "-pq=": the host decides about full screen.
  virtual bool HostDecidesFullScreen() const = 0;
  virtual bool IsFullScreen() = 0;
  virtual bool SetFullScreen(bool fullScreen) = 0;
  // Asks a display that cannot draw to restore itself.
  virtual void Restore() = 0;
  // The platform tasks' timed pass.
  virtual void RunIdleTasks() = 0;
  virtual int64_t SendToHost(uint32_t message, uint64_t first, int64_t second) = 0;

 protected:
  ~IEventPumpOwner() = default;
};

// The main window's procedure and the event pump over it. The procedure
// records what happened in the flags below; the pump turns the flags and the
// window's queue into one event per call, each flag reported once, in a fixed
// order, before any message. Main thread only, except where a field says
// otherwise.
class TEventPump {
 public:
  explicit TEventPump(IEventPumpOwner& owner) : mOwner(owner) {}
  TEventPump(const TEventPump&) = delete;
  TEventPump& operator=(const TEventPump&) = delete;

  // The window procedure: true when the message was handled.
  bool HandleWindowMessage(const sys::Message& message);
  // Fills exactly one event. With the queue empty it does the idle work,
  // reports idle and waits up to 1 ms for input. Without a window: quit.
  void GetEvent(TEvent* event);
  // True once after a repaint was asked for.
  bool ConsumeRepaintRequest();

  // Flags recorded by the window procedure, each reported once by the pump.
  bool mDisplayChanged = false;    // set by the display after it changed mode
  std::atomic<bool> mShown{true};  // false while minimised; read by the display off the main thread
  bool mShownChangePending = false;
  bool mPaintPending = false;
  bool mAppActive = true;
  bool mActivationChanged = false;
  bool mCloseRequested = false;
  bool mMouseLeft = false;
  bool mRepaintRequested = false;  // kept for the window manager's ConsumeRepaintRequest
  bool mOverlayOn = false;         // Alt+F1: the version and frame-rate overlay

  bool mClickSwallowArmed = false;
  uint32_t mClickSwallowStamp = 0;
  bool mHoverArmed = false;
  bool mLeaveArmed = false;
  // Screensaver mode: the first pointer position seen.
  bool mFirstPointerKnown = false;
  int32_t mFirstPointerX = 0;
  int32_t mFirstPointerY = 0;

 private:
  void OnMouseMoved();
  void OnMouseLeft();
  bool OnHostMessage(const sys::Message& message);
  void SetShown(bool shown);
  void SetAppActive(bool active);

  bool WaitForHost(TEvent& event);
  bool ReportFlag(TEvent& event);
  void IdlePass(TEvent& event);
  void BringToFront();
  // Fills the event for a message taken from the queue; false when the
  // message must not reach the window procedure.
  bool MapMessage(const sys::Message& message, TEvent& event);
  void MapButtonDown(const sys::Message& message, TEvent& event);
  void MapButtonUp(const sys::Message& message, TEvent& event);
  void MapKeyDown(const sys::Message& message, TEvent& event);
  void MapAltKeyDown(const sys::Message& message, TEvent& event);
  bool MapScreensaverMessage(const sys::Message& message, TEvent& event);
  bool SwallowsClick(bool buttonUp);
  void SetPointerToMouse(const sys::Message& message, TEvent& event);
  TMousePosition MousePosition();

  IEventPumpOwner& mOwner;
};
