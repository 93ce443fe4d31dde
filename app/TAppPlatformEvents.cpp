// The platform's main window procedure and its event pump.
#include "media/TDisplayHandler.h"
#include "media/TSoundManager.h"
#include "platform/host/IHostBridge.h"
#include "app/TAppPlatform.h"
#include "system/window/VirtualKeys.h"
#include "system/window/Window.h"
#include "windows/TWindowManager.h"

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

bool TAppPlatform::HandleWindowMessage(const sys::Message& message) {
  TPlatformData& data = *mData;
  TDisplayHandler* display = GetDisplayHandler();
  switch (message.kind) {
    case MessageKind::Size: SetShown(!message.minimised); return false;
    case MessageKind::Activation: SetAppActive(message.active); return false;
    case MessageKind::CloseRequest: data.mCloseRequested = true; return true;
    case MessageKind::MouseActivation:
      if (!data.mEmbedded) {
        data.mClickSwallowArmed = true;
        data.mClickSwallowStamp = GetTime();
      }
      return false;
    case MessageKind::CursorRequest: return display && display->UpdateSystemCursor();
    case MessageKind::DisplayChange:
      if (!data.mShown && display) display->GetDesktopMode();
      return false;
    case MessageKind::Paint:
      data.mRepaintRequested = true;
      data.mPaintPending = true;
      return false;
    case MessageKind::MouseMove: OnMouseMoved(); return false;
    case MessageKind::MouseLeave: OnMouseLeft(); return true;
    case MessageKind::HostMessage: return OnHostMessage(message);
    default: return false;
  }
}

void TAppPlatform::OnMouseMoved() {
  TPlatformData& data = *mData;
  sys::Window& window = *GetMainWindow();
  if (TDisplayHandler* display = GetDisplayHandler()) {
    if (!data.mLeaveArmed) display->OnWindowMoved();
    display->GetMousePos();  // the display reads the pointer's new place
  }
  if (!data.mLeaveArmed) {
    window.TrackLeave();
    data.mLeaveArmed = true;
  }
  if (!data.mHoverArmed) {
    window.TrackHover();
    data.mHoverArmed = true;
  }
}

void TAppPlatform::OnMouseLeft() {
  if (TDisplayHandler* display = GetDisplayHandler()) display->UpdateCursorBounds();
  mData->mHoverArmed = false;
  mData->mMouseLeft = true;
  mData->mLeaveArmed = false;
}

bool TAppPlatform::OnHostMessage(const sys::Message& message) {
  if (message.code == kHostCommand) {
    GetHostBridge().HandleHostCommand(static_cast<uint32_t>(message.hostFirst));
    return true;
  }
  if (message.code == kHostForward) {
    SendToHost(kHostForward, message.hostFirst, message.hostSecond);
    return true;
  }
  return false;
}

// A change and its undoing before the pump looks cancel out.
void TAppPlatform::SetShown(bool shown) {
  if (TSoundManager* sound = GetSoundManager()) sound->SetActive(shown);
  if (mData->mShown == shown) return;
  mData->mShownChangePending = !mData->mShownChangePending;
  mData->mShown = shown;
}

void TAppPlatform::SetAppActive(bool active) {
  if (active == mData->mAppActive) return;
  mData->mAppActive = active;
  mData->mActivationChanged = true;
  if (TSoundManager* sound = GetSoundManager()) sound->SetActive(active);
}

// ---- Event pump.

void TAppPlatform::GetEvent(TEvent* event) {
  *event = Event(kEventNothing);
  sys::Window* window = GetMainWindow();
  if (!window) {
    *event = Event(kEventQuit);
    return;
  }
  if (WaitForHost(*event)) return;
  TDisplayHandler* display = GetDisplayHandler();
  if (display && !display->IsReady()) {
    if (window->TakeQuit()) {
      *event = Event(kEventQuit);
      return;
    }
    if (mData->mShown && !mData->mShownChangePending) Restore();
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
  if (message.kind == MessageKind::Paint) mData->mPaintPending = false;
}

// While the host keeps the game paused only messages are pumped.
bool TAppPlatform::WaitForHost(TEvent& event) {
  IHostBridge& bridge = GetHostBridge();
  bridge.SendSessionReady();
  sys::Window& window = *GetMainWindow();
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
bool TAppPlatform::ReportFlag(TEvent& event) {
  TPlatformData& data = *mData;
  if (Take(data.mDisplayChanged)) {
    event = Event(kEventDisplayChanged);
  } else if (Take(data.mShownChangePending)) {
    bool shown = data.mShown;
    if (!shown && GetDisplayHandler()) GetDisplayHandler()->ResetWorkingCount();
    event = Event(kEventActivation, shown ? 1 : 0);
  } else if (Take(data.mPaintPending)) {
    event = Event(kEventPaint);
  } else if (Take(data.mActivationChanged)) {
    event = Event(kEventActivation, data.mAppActive ? 1 : 0);
  } else if (Take(data.mCloseRequested)) {
    event = Event(kEventClose);
  } else if (Take(data.mMouseLeft)) {
    TMousePosition position = MousePosition();
    event = TEvent{.type = kEventMouseLost, .x = position.x, .y = position.y};
  } else {
    return false;
  }
  return true;
}

void TAppPlatform::IdlePass(TEvent& event) {
  TPlatformData& data = *mData;
  if (IsFullScreen() && data.mShown && !data.mShownChangePending) BringToFront();
  if (TSoundManager* sound = GetSoundManager()) sound->DispatchNotifications();
  data.mPlatformTasks.DoTasks(TTaskPass::Timed);
  event = Event(kEventIdle);
  GetMainWindow()->WaitForInput(kIdleWait);
}

// A full-screen game keeps itself in front.
void TAppPlatform::BringToFront() {
  sys::Window& window = *GetMainWindow();
  if (!window.IsActive()) window.Raise();
}

bool TAppPlatform::MapMessage(const sys::Message& message, TEvent& event) {
  TPlatformData& data = *mData;
  if (message.kind == MessageKind::Quit) {
    event = Event(kEventQuit);
    return false;
  }
  if (data.mScreensaver && MapScreensaverMessage(message, event)) return true;
  switch (message.kind) {
    case MessageKind::Paint:
      event = Event(kEventPaint);
      data.mHoverArmed = false;
      break;
    case MessageKind::MouseMove:
      event.type = kEventMouseMove;
      SetPointerToMouse(message, event);
      if (!data.mHoverArmed) {
        GetMainWindow()->TrackHover();
        data.mHoverArmed = true;
      }
      break;
    case MessageKind::ButtonDown:
      MapButtonDown(message, event);
      // Inside a host window the host answers the right button.
      return !(data.mEmbedded && message.button == MouseButton::Right);
    case MessageKind::ButtonUp:
      MapButtonUp(message, event);
      return !(data.mEmbedded && message.button == MouseButton::Right);
    case MessageKind::CaptureLost: event = Event(kEventMouseLost); break;
    case MessageKind::MouseHover:
      GetMainWindow()->TrackHover();
      data.mHoverArmed = true;
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

void TAppPlatform::MapButtonDown(const sys::Message& message, TEvent& event) {
  TPlatformData& data = *mData;
  if (SwallowsClick(false)) return;
  if (message.button == MouseButton::Left && data.mScreensaver) {
    event = Event(data.mEmbedded ? kEventNothing : kEventQuit);
    return;
  }
  sys::Window& window = *GetMainWindow();
  if (data.mHostWindow) window.TakeFocus();
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
void TAppPlatform::MapButtonUp(const sys::Message& message, TEvent& event) {
  TPlatformData& data = *mData;
  if (IsExtraButton(message.button) || SwallowsClick(true)) return;
  if (message.button == MouseButton::Left && data.mScreensaver) {
    event = Event(data.mEmbedded ? kEventNothing : kEventQuit);
    return;
  }
  GetMainWindow()->ReleaseCapture();
  SetPointerToMouse(message, event);
  switch (message.button) {
    case MouseButton::Left: event.type = kEventLeftUp; break;
    case MouseButton::Right: SetOtherButton(event, kButtonRightUp); break;
    default: SetOtherButton(event, kButtonMiddleUp); break;
  }
}

// Insert counts only as Shift+Insert, the paste key.
void TAppPlatform::MapKeyDown(const sys::Message& message, TEvent& event) {
  if (message.modifiers & sys::kModifierAlt) {
    MapAltKeyDown(message, event);
    return;
  }
  uint32_t modifiers = message.modifiers & kKeyModifiers;
  if (message.code == sys::vk::kInsert && (modifiers & ~kEventExtendedKey) != kEventShift) return;
  event = Event(kEventKeyDown, static_cast<int32_t>(message.code), modifiers);
}

// Alt+Enter switches between window and full screen (not inside a host
// window, unless the host decides it); Alt+F1 shows or hides the overlay.
void TAppPlatform::MapAltKeyDown(const sys::Message& message, TEvent& event) {
  if (message.code == sys::vk::kReturn) {
    if (mData->mEmbedded && !IsPqHostMode()) return;
    bool request = !IsFullScreen();
    SetFullScreen(request);
    event = Event(kEventFullScreen, IsFullScreen() ? 1 : 0, request ? 1 : 0);
    return;
  }
  if (message.code == sys::vk::kF1) {
    mData->mOverlayOn = !mData->mOverlayOn;
    return;
  }
  event = Event(kEventKeyDown, static_cast<int32_t>(message.code), kEventAlt | (message.modifiers & kKeyModifiers));
}

// A screensaver ends at the first key, left click or real pointer move; the
// keys and the left button do nothing else. Returns false for the messages it
// leaves to the usual map.
bool TAppPlatform::MapScreensaverMessage(const sys::Message& message, TEvent& event) {
  TPlatformData& data = *mData;
  int32_t quit = data.mEmbedded ? kEventNothing : kEventQuit;
  switch (message.kind) {
    case MessageKind::KeyDown:
    case MessageKind::KeyUp:
    case MessageKind::Character: event = Event(quit); return true;
    case MessageKind::MouseMove:
      if (!data.mFirstPointerKnown) {
        data.mFirstPointerKnown = true;
        data.mFirstPointerX = message.x;
        data.mFirstPointerY = message.y;
        return true;
      }
      if (message.x != data.mFirstPointerX && message.y != data.mFirstPointerY) event = Event(quit);
      return true;
    case MessageKind::MouseHover: return true;
    default: return false;
  }
}

bool TAppPlatform::SwallowsClick(bool buttonUp) {
  TPlatformData& data = *mData;
  if (!data.mClickSwallowArmed || data.mWindowManager->IsSuspended()) return false;
  if (buttonUp) data.mClickSwallowArmed = false;
  return GetTime() - data.mClickSwallowStamp < kClickSwallowTime;
}

void TAppPlatform::SetPointerToMouse(const sys::Message& message, TEvent& event) {
  if (GetDisplayHandler()) {
    TMousePosition position = MousePosition();
    event.x = position.x;
    event.y = position.y;
    return;
  }
  event.x = message.x;
  event.y = message.y;
}

// Where the display puts the pointer; without a display, where the window saw it last.
TMousePosition TAppPlatform::MousePosition() {
  if (TDisplayHandler* display = GetDisplayHandler()) return display->GetMousePos();
  TMousePosition position{0, 0};
  GetMainWindow()->GetCursorPosition(position.x, position.y);
  return position;
}
