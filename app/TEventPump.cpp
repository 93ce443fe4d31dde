#include "app/TEventPump.h"

#include "media/display/TDisplayHandler.h"
#include "media/sound/TSoundManager.h"
#include "platform/host/IHostBridge.h"
#include "platform/time/GameTime.h"
#include "system/gfx/Screen.h"
#include "system/window/VirtualKeys.h"
#include "system/window/Window.h"

namespace {

using sys::MessageKind;
using sys::MouseButton;

// A press this soon after the press that activated the window belongs to that
// press: the click that activates the window does not reach the game.
constexpr uint32_t kClickSwallowTime = 400;
constexpr uint32_t kIdleWait = 1;  // ms
// Messages of the host window.
constexpr uint32_t kHostCommand = 1024;
constexpr uint32_t kHostForward = 1026;
constexpr uint32_t kKeyModifiers = kEventShift | kEventControl | kEventExtendedKey;
// The window layer's key modifier bits are the event's.
static_assert(uint32_t{kEventShift} == sys::kModifierShift && uint32_t{kEventControl} == sys::kModifierControl &&
              uint32_t{kEventAlt} == sys::kModifierAlt && uint32_t{kEventExtendedKey} == sys::kModifierExtended);

bool Take(bool& flag) {
  bool was = flag;
  flag = false;
  return was;
}

TEvent Event(int32_t type, int32_t value = 0, uint32_t modifiers = 0) {
  return TEvent{.type = type, .value = value, .modifiers = modifiers};
}

void SetOtherButton(TEvent& event, int32_t value) {
  event.type = kEventOtherButton;
  event.value = value;
}

bool IsExtraButton(MouseButton button) { return button == MouseButton::Extra1 || button == MouseButton::Extra2; }

}  // namespace

// ---- Window procedure: records what happened for the pump.

bool TEventPump::HandleWindowMessage(const sys::Message& message) {
  TDisplayHandler* display = mOwner.GetDisplayHandler();
  switch (message.kind) {
    case MessageKind::Size: SetShown(!message.minimised); return false;
    case MessageKind::Activation: SetAppActive(message.active); return false;
    case MessageKind::CloseRequest: mCloseRequested = true; return true;
    case MessageKind::MouseActivation:
      if (!mOwner.IsEmbedded()) {
        mClickSwallowArmed = true;
        mClickSwallowStamp = GetGameTime();
      }
      return false;
    case MessageKind::CursorRequest: return display && display->UpdateSystemCursor();
    case MessageKind::DisplayChange:
      if (!mShown && display) display->GetDesktopMode();
      return false;
    case MessageKind::Paint:
      mRepaintRequested = true;
      mPaintPending = true;
      return false;
    case MessageKind::MouseMove: OnMouseMoved(); return false;
    case MessageKind::MouseLeave: OnMouseLeft(); return true;
    case MessageKind::HostMessage: return OnHostMessage(message);
    default: return false;
  }
}

void TEventPump::OnMouseMoved() {
  sys::Window& window = *mOwner.GetMainWindow();
  if (TDisplayHandler* display = mOwner.GetDisplayHandler()) {
    if (!mLeaveArmed) display->OnWindowMoved();
    display->GetMousePos();  // the display reads the pointer's new place
  }
  if (!mLeaveArmed) {
    window.TrackLeave();
    mLeaveArmed = true;
  }
  if (!mHoverArmed) {
    window.TrackHover();
    mHoverArmed = true;
  }
}

void TEventPump::OnMouseLeft() {
  if (TDisplayHandler* display = mOwner.GetDisplayHandler()) display->UpdateCursorBounds();
  mHoverArmed = false;
  mMouseLeft = true;
  mLeaveArmed = false;
}

bool TEventPump::OnHostMessage(const sys::Message& message) {
  if (message.code == kHostCommand) {
    GetHostBridge().HandleHostCommand(static_cast<uint32_t>(message.hostFirst));
    return true;
  }
  if (message.code == kHostForward) {
    mOwner.SendToHost(kHostForward, message.hostFirst, message.hostSecond);
    return true;
  }
  return false;
}

// A change and its undoing before the pump looks cancel out.
void TEventPump::SetShown(bool shown) {
  if (TSoundManager* sound = mOwner.GetSoundManager()) sound->SetActive(shown);
  if (mShown == shown) return;
  mShownChangePending = !mShownChangePending;
  mShown = shown;
}

void TEventPump::SetAppActive(bool active) {
  if (active == mAppActive) return;
  mAppActive = active;
  mActivationChanged = true;
  if (TSoundManager* sound = mOwner.GetSoundManager()) sound->SetActive(active);
}

// ---- Event pump.

void TEventPump::GetEvent(TEvent* event) {
  *event = Event(kEventNothing);
  sys::Window* window = mOwner.GetMainWindow();
  if (!window) {
    *event = Event(kEventQuit);
    return;
  }
  if (WaitForHost(*event)) return;
  // What the cursor poll thread drew reaches the window from here.
  sys::gfx::PresentChangedScreens();
  TDisplayHandler* display = mOwner.GetDisplayHandler();
  if (display && !display->IsReady()) {
    if (window->TakeQuit()) {
      *event = Event(kEventQuit);
      return;
    }
    if (mShown && !mShownChangePending) mOwner.Restore();
    // A lost or minimised display must not spin a core.
    window->WaitForInput(kIdleWait);
    return;
  }
  if (ReportFlag(*event)) return;
  sys::Message message;
  if (!window->TakeMessage(message)) {
    IdlePass(*event);
    return;
  }
  if (MapMessage(message, *event)) window->Deliver(message);
  // The paint just reported needs no second report from the flag it sets.
  if (message.kind == MessageKind::Paint) mPaintPending = false;
}

// While the host keeps the game paused only messages are pumped.
bool TEventPump::WaitForHost(TEvent& event) {
  IHostBridge& bridge = GetHostBridge();
  bridge.SendSessionReady();
  sys::Window& window = *mOwner.GetMainWindow();
  while (bridge.IsHostPaused()) {
    window.WaitForInput(kIdleWait);
    sys::Message message;
    if (!window.TakeMessage(message)) continue;
    if (message.kind == MessageKind::Quit) {
      event = Event(kEventQuit);
      return true;
    }
    window.Deliver(message);
  }
  return false;
}

// The flags the window procedure recorded, each reported once, in this order.
bool TEventPump::ReportFlag(TEvent& event) {
  if (Take(mDisplayChanged)) {
    event = Event(kEventDisplayChanged);
  } else if (Take(mShownChangePending)) {
    bool shown = mShown;
    TDisplayHandler* display = mOwner.GetDisplayHandler();
    if (!shown && display) display->ResetWorkingCount();
    event = Event(kEventActivation, shown ? 1 : 0);
  } else if (Take(mPaintPending)) {
    event = Event(kEventPaint);
  } else if (Take(mActivationChanged)) {
    event = Event(kEventActivation, mAppActive ? 1 : 0);
  } else if (Take(mCloseRequested)) {
    event = Event(kEventClose);
  } else if (Take(mMouseLeft)) {
    TMousePosition position = MousePosition();
    event = TEvent{.type = kEventMouseLost, .x = position.x, .y = position.y};
  } else {
    return false;
  }
  return true;
}

void TEventPump::IdlePass(TEvent& event) {
  if (mOwner.IsFullScreen() && mShown && !mShownChangePending) BringToFront();
  if (TSoundManager* sound = mOwner.GetSoundManager()) sound->DispatchNotifications();
  mOwner.RunIdleTasks();
  event = Event(kEventIdle);
  mOwner.GetMainWindow()->WaitForInput(kIdleWait);
}

// A full-screen game keeps itself in front.
void TEventPump::BringToFront() {
  sys::Window& window = *mOwner.GetMainWindow();
  if (!window.IsActive()) window.Raise();
}

bool TEventPump::MapMessage(const sys::Message& message, TEvent& event) {
  if (message.kind == MessageKind::Quit) {
    event = Event(kEventQuit);
    return false;
  }
  if (mOwner.IsScreensaver() && MapScreensaverMessage(message, event)) return true;
  switch (message.kind) {
    case MessageKind::Paint:
      event = Event(kEventPaint);
      mHoverArmed = false;
      break;
    case MessageKind::MouseMove:
      event.type = kEventMouseMove;
      SetPointerToMouse(message, event);
      if (!mHoverArmed) {
        mOwner.GetMainWindow()->TrackHover();
        mHoverArmed = true;
      }
      break;
    case MessageKind::ButtonDown:
      MapButtonDown(message, event);
      // Inside a host window the host answers the right button.
      return !(mOwner.IsEmbedded() && message.button == MouseButton::Right);
    case MessageKind::ButtonUp:
      MapButtonUp(message, event);
      return !(mOwner.IsEmbedded() && message.button == MouseButton::Right);
    case MessageKind::CaptureLost: event = Event(kEventMouseLost); break;
    case MessageKind::MouseHover:
      mOwner.GetMainWindow()->TrackHover();
      mHoverArmed = true;
      event.type = kEventHover;
      SetPointerToMouse(message, event);
      break;
    case MessageKind::KeyDown: MapKeyDown(message, event); break;
    case MessageKind::KeyUp:
      // A key let go while Alt is held is a system key: no event.
      if (!(message.modifiers & sys::kModifierAlt)) event = Event(kEventKeyUp, static_cast<int32_t>(message.code));
      break;
    case MessageKind::Character: event = Event(kEventCharacter, static_cast<int32_t>(message.code)); break;
    default: break;
  }
  return true;
}

void TEventPump::MapButtonDown(const sys::Message& message, TEvent& event) {
  if (SwallowsClick(false)) return;
  if (message.button == MouseButton::Left && mOwner.IsScreensaver()) {
    event = Event(mOwner.IsEmbedded() ? kEventNothing : kEventQuit);
    return;
  }
  sys::Window& window = *mOwner.GetMainWindow();
  if (mOwner.HasHostWindow()) window.TakeFocus();
  window.SetCapture();
  SetPointerToMouse(message, event);
  switch (message.button) {
    case MouseButton::Left: event.type = kEventLeftDown; break;
    case MouseButton::Right: SetOtherButton(event, kButtonRightDown); break;
    case MouseButton::Middle: SetOtherButton(event, kButtonMiddleDown); break;
    case MouseButton::Extra1: SetOtherButton(event, kButtonExtra1Down); break;
    case MouseButton::Extra2: SetOtherButton(event, kButtonExtra2Down); break;
  }
}

// Releases of the extra buttons report nothing.
void TEventPump::MapButtonUp(const sys::Message& message, TEvent& event) {
  if (IsExtraButton(message.button) || SwallowsClick(true)) return;
  if (message.button == MouseButton::Left && mOwner.IsScreensaver()) {
    event = Event(mOwner.IsEmbedded() ? kEventNothing : kEventQuit);
    return;
  }
  mOwner.GetMainWindow()->ReleaseCapture();
  SetPointerToMouse(message, event);
  switch (message.button) {
    case MouseButton::Left: event.type = kEventLeftUp; break;
    case MouseButton::Right: SetOtherButton(event, kButtonRightUp); break;
    default: SetOtherButton(event, kButtonMiddleUp); break;
  }
}

// Insert counts only as Shift+Insert, the paste key.
void TEventPump::MapKeyDown(const sys::Message& message, TEvent& event) {
  if (message.modifiers & sys::kModifierAlt) {
    MapAltKeyDown(message, event);
    return;
  }
  uint32_t modifiers = message.modifiers & kKeyModifiers;
  if (message.code == sys::vk::kInsert && (modifiers & ~kEventExtendedKey) != kEventShift) return;
  event = Event(kEventKeyDown, static_cast<int32_t>(message.code), modifiers);
}

// Alt+Enter switches between window and full screen (not inside a host
// window, unless the host decides it); Alt+F1 shows or hides the overlay,
// and asks for a repaint: the overlay is drawn inside a frame, and on a
// still screen no frame would come to show the change.
void TEventPump::MapAltKeyDown(const sys::Message& message, TEvent& event) {
  if (message.code == sys::vk::kReturn) {
    if (mOwner.IsEmbedded() && !mOwner.HostDecidesFullScreen()) return;
    bool request = !mOwner.IsFullScreen();
    mOwner.SetFullScreen(request);
    event = Event(kEventFullScreen, mOwner.IsFullScreen() ? 1 : 0, request ? 1 : 0);
    return;
  }
  if (message.code == sys::vk::kF1) {
    mOverlayOn = !mOverlayOn;
    mRepaintRequested = true;
    return;
  }
  event = Event(kEventKeyDown, static_cast<int32_t>(message.code), kEventAlt | (message.modifiers & kKeyModifiers));
}

// A screensaver ends at the first key, left click or real pointer move; the
// keys and the left button do nothing else. Returns false for the messages it
// leaves to the usual map.
bool TEventPump::MapScreensaverMessage(const sys::Message& message, TEvent& event) {
  int32_t quit = mOwner.IsEmbedded() ? kEventNothing : kEventQuit;
  switch (message.kind) {
    case MessageKind::KeyDown:
    case MessageKind::KeyUp:
    case MessageKind::Character: event = Event(quit); return true;
    case MessageKind::MouseMove:
      if (!mFirstPointerKnown) {
        mFirstPointerKnown = true;
        mFirstPointerX = message.x;
        mFirstPointerY = message.y;
        return true;
      }
      if (message.x != mFirstPointerX && message.y != mFirstPointerY) event = Event(quit);
      return true;
    case MessageKind::MouseHover: return true;
    default: return false;
  }
}

bool TEventPump::ConsumeRepaintRequest() {
  bool requested = mRepaintRequested;
  mRepaintRequested = false;
  return requested;
}

bool TEventPump::SwallowsClick(bool buttonUp) {
  if (!mClickSwallowArmed || mOwner.IsWindowManagerSuspended()) return false;
  if (buttonUp) mClickSwallowArmed = false;
  return GetGameTime() - mClickSwallowStamp < kClickSwallowTime;
}

void TEventPump::SetPointerToMouse(const sys::Message& message, TEvent& event) {
  if (mOwner.GetDisplayHandler()) {
    TMousePosition position = MousePosition();
    event.x = position.x;
    event.y = position.y;
    return;
  }
  event.x = message.x;
  event.y = message.y;
}

// Where the display puts the pointer; without a display, where the window saw it last.
TMousePosition TEventPump::MousePosition() {
  if (TDisplayHandler* display = mOwner.GetDisplayHandler()) return display->GetMousePos();
  TMousePosition position{0, 0};
  mOwner.GetMainWindow()->GetCursorPosition(position.x, position.y);
  return position;
}
