#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "system/window/Message.h"
#include "system/window/Picture.h"
#include "system/window/PixelRect.h"

namespace sys {

// What the desktop reports about the main window, before the layer turns it
// into messages.
enum class InputKind : uint8_t {
  PointerMoved,
  PointerEntered,
  PointerLeft,
  ButtonPressed,
  ButtonReleased,
  KeyPressed,
  KeyReleased,
  Text,  // typed text, UTF-8
  FocusGained,
  FocusLost,
  Minimised,
  Restored,
  Exposed,  // part of the window must be drawn again
  CloseRequested,
  DisplayChanged,
};

struct InputEvent {
  InputKind kind = InputKind::Exposed;
  int32_t x = 0;  // pointer events: client coordinates
  int32_t y = 0;
  MouseButton button = MouseButton::Left;
  uint32_t virtualKey = 0;  // key events, see VirtualKeys.h
  uint32_t modifiers = 0;   // key events: KeyModifier bits
  std::string text;
};

enum class MessageBoxIcon : uint8_t { None, Warning, Error };

// The desktop's side of the main window: where its input comes from and what
// it can be told to do. SDL provides the real one; tests script a fake.
class NativeWindow {
 public:
  virtual ~NativeWindow() = default;

  // Appends what happened since the last call; never blocks.
  virtual void ReadInput(std::vector<InputEvent>& out) = 0;
  // Returns when input arrives or the time is up.
  virtual void WaitForInput(uint32_t milliseconds) = 0;

  virtual void SetTitle(const std::string& utf8) = 0;
  virtual void Show() = 0;
  // Restores a minimised window, puts it above the others and gives it focus.
  virtual void Raise() = 0;
  virtual void TakeFocus() = 0;
  // While on, the pointer keeps reporting to this window outside its area.
  virtual void SetMouseCapture(bool on) = 0;
  virtual void ShowCursor(bool visible) = 0;
  virtual void WarpCursor(int32_t x, int32_t y) = 0;
  virtual bool SetClipboard(const std::string& utf8) = 0;
  // False when the clipboard holds no text or cannot be read.
  virtual bool GetClipboard(std::string& utf8) = 0;
  // A message box that belongs to this window; returns when it is closed.
  // False when there is no display to show it on.
  virtual bool ShowMessageBox(const std::string& titleUtf8, const std::string& textUtf8,
                              MessageBoxIcon icon) = 0;

  // Geometry, in desktop pixels. The readers are safe from any thread; the
  // rest belongs to the main thread.
  virtual void GetClientSize(int32_t& width, int32_t& height) const = 0;
  virtual void SetClientSize(int32_t width, int32_t height) = 0;
  // The top-left corner of the window's frame.
  virtual void GetPosition(int32_t& x, int32_t& y) const = 0;
  virtual void SetPosition(int32_t x, int32_t y) = 0;
  // The top-left corner of the client area.
  virtual void GetClientOrigin(int32_t& x, int32_t& y) const = 0;
  virtual void GetDesktopSize(int32_t& width, int32_t& height) const = 0;
  // The desktop less its panels and task bars.
  virtual PixelRect GetWorkArea() const = 0;
  // Covers the whole desktop, without changing the desktop's mode.
  virtual void SetDesktopFullScreen(bool on) = 0;
  virtual bool IsDesktopFullScreen() const = 0;
  virtual void SetAlwaysOnTop(bool on) = 0;

  // Shows a frame in the client area: at its own size in the top-left
  // corner, or, on the desktop full screen, fitted between black bars (see
  // FrameFit). While a fitted frame shows, the client area is the frame:
  // its size is the frame's, pointer positions are reported in frame pixels
  // and WarpCursor takes frame pixels. Main thread.
  virtual void ShowFrame(const FrameView& frame) = 0;
  // The client area as last shown; false before anything was shown.
  virtual bool ReadShownPicture(Picture& out) const = 0;
};

}  // namespace sys
