#include "system/window/SdlWindow.h"

#include <algorithm>
#include <cstring>

#include "system/os/LayerLog.h"
#include "system/window/CodePage1252.h"
#include "system/window/DisplayLoss.h"
#include "system/window/FramePresentation.h"
#include "system/window/SdlKeys.h"

namespace sys {
namespace {

// Drivers that draw nowhere a person could see.
bool IsHeadlessDriver(const char* driver) {
  return !driver || std::strcmp(driver, "dummy") == 0 || std::strcmp(driver, "offscreen") == 0;
}

MouseButton ButtonFromSdl(uint8_t button, bool& known) {
  known = true;
  switch (button) {
    case SDL_BUTTON_LEFT: return MouseButton::Left;
    case SDL_BUTTON_RIGHT: return MouseButton::Right;
    case SDL_BUTTON_MIDDLE: return MouseButton::Middle;
    case SDL_BUTTON_X1: return MouseButton::Extra1;
    case SDL_BUTTON_X2: return MouseButton::Extra2;
  }
  known = false;
  return MouseButton::Left;
}

uint32_t MessageBoxFlags(MessageBoxIcon icon) {
  switch (icon) {
    case MessageBoxIcon::Warning: return SDL_MESSAGEBOX_WARNING;
    case MessageBoxIcon::Error: return SDL_MESSAGEBOX_ERROR;
    case MessageBoxIcon::None: break;
  }
  return SDL_MESSAGEBOX_INFORMATION;
}

// Left Alt with a key types nothing (the key is a command); right Alt and
// Control with Alt are how many layouts type characters.
bool TypingIsCommand() {
  SDL_Keymod modifiers = SDL_GetModState();
  return (modifiers & KMOD_LALT) && !(modifiers & KMOD_CTRL);
}

InputEvent Pointer(InputKind kind, int32_t x, int32_t y) {
  InputEvent input;
  input.kind = kind;
  input.x = x;
  input.y = y;
  return input;
}

InputEvent Simple(InputKind kind) {
  InputEvent input;
  input.kind = kind;
  return input;
}

}  // namespace

bool OpenSdlVideo() {
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) == 0) return true;
  WriteLog("Cannot open the display: %s", SDL_GetError());
  return false;
}

void CloseSdlVideo() { SDL_QuitSubSystem(SDL_INIT_VIDEO); }

bool ShowSdlMessageBox(SDL_Window* owner, const std::string& titleUtf8, const std::string& textUtf8,
                       MessageBoxIcon icon) {
  if (!OpenSdlVideo()) return false;
  bool shown = !IsHeadlessDriver(SDL_GetCurrentVideoDriver()) &&
               SDL_ShowSimpleMessageBox(MessageBoxFlags(icon), titleUtf8.c_str(), textUtf8.c_str(), owner) == 0;
  CloseSdlVideo();
  return shown;
}

std::unique_ptr<SdlWindow> SdlWindow::Create(const std::string& titleUtf8, int32_t width, int32_t height) {
  if (!OpenSdlVideo()) return nullptr;
  SDL_Window* window = SDL_CreateWindow(titleUtf8.c_str(), 0, 0, width, height, SDL_WINDOW_HIDDEN);
  if (!window) {
    WriteLog("Cannot create the main window: %s", SDL_GetError());
    CloseSdlVideo();
    return nullptr;
  }
  SDL_StartTextInput();
  ChooseFramePresentation();
  WatchForDisplayLoss(window);
  return std::unique_ptr<SdlWindow>(new SdlWindow(window));
}

SdlWindow::SdlWindow(SDL_Window* window) : mWindow(window) { RefreshGeometry(); }

// After the display went away the window and the video subsystem are left to
// the end of the process: SDL would wait for ever for the window to be hidden.
SdlWindow::~SdlWindow() {
  if (IsDisplayLost()) return;
  SDL_DestroyWindow(mWindow);
  CloseSdlVideo();
}

void SdlWindow::ReadInput(std::vector<InputEvent>& out) {
  SDL_PumpEvents();
  SDL_Event event;
  while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0) Translate(event, out);
  if (TakeDisplayLoss()) out.push_back(Simple(InputKind::CloseRequested));
  RefreshGeometry();
}

void SdlWindow::WaitForInput(uint32_t milliseconds) {
  SDL_PumpEvents();
  if (SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0) return;
  SDL_WaitEventTimeout(nullptr, static_cast<int>(milliseconds));
}

void SdlWindow::Translate(const SDL_Event& event, std::vector<InputEvent>& out) const {
  bool known = false;
  switch (event.type) {
    case SDL_MOUSEMOTION:
      out.push_back(Pointer(InputKind::PointerMoved, event.motion.x, event.motion.y));
      MapPointer(out.back());
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
      InputEvent input = Pointer(event.type == SDL_MOUSEBUTTONDOWN ? InputKind::ButtonPressed : InputKind::ButtonReleased,
                                 event.button.x, event.button.y);
      input.button = ButtonFromSdl(event.button.button, known);
      MapPointer(input);
      if (known) out.push_back(input);
      break;
    }
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
      KeyCode code = KeyCodeFromSdl(event.key.keysym);
      if (code.virtualKey == 0) break;
      InputEvent input = Simple(event.type == SDL_KEYDOWN ? InputKind::KeyPressed : InputKind::KeyReleased);
      input.virtualKey = code.virtualKey;
      input.modifiers = code.modifiers;
      out.push_back(input);
      break;
    }
    case SDL_TEXTINPUT:
      if (!TypingIsCommand()) {
        InputEvent input = Simple(InputKind::Text);
        input.text = event.text.text;
        out.push_back(input);
      }
      break;
    case SDL_WINDOWEVENT: TranslateWindowEvent(event.window, out); break;
    case SDL_DISPLAYEVENT: out.push_back(Simple(InputKind::DisplayChanged)); break;
    case SDL_QUIT: out.push_back(Simple(InputKind::CloseRequested)); break;
  }
}

void SdlWindow::TranslateWindowEvent(const SDL_WindowEvent& event, std::vector<InputEvent>& out) const {
  if (event.windowID != SDL_GetWindowID(mWindow)) return;
  switch (event.event) {
    case SDL_WINDOWEVENT_ENTER: out.push_back(Simple(InputKind::PointerEntered)); break;
    case SDL_WINDOWEVENT_LEAVE: out.push_back(Simple(InputKind::PointerLeft)); break;
    case SDL_WINDOWEVENT_FOCUS_GAINED: out.push_back(Simple(InputKind::FocusGained)); break;
    case SDL_WINDOWEVENT_FOCUS_LOST: out.push_back(Simple(InputKind::FocusLost)); break;
    case SDL_WINDOWEVENT_MINIMIZED: out.push_back(Simple(InputKind::Minimised)); break;
    case SDL_WINDOWEVENT_RESTORED: out.push_back(Simple(InputKind::Restored)); break;
    case SDL_WINDOWEVENT_EXPOSED: out.push_back(Simple(InputKind::Exposed)); break;
    case SDL_WINDOWEVENT_CLOSE: out.push_back(Simple(InputKind::CloseRequested)); break;
  }
}

void SdlWindow::SetTitle(const std::string& utf8) { SDL_SetWindowTitle(mWindow, utf8.c_str()); }

void SdlWindow::Show() { SDL_ShowWindow(mWindow); }

void SdlWindow::Raise() {
  if (SDL_GetWindowFlags(mWindow) & SDL_WINDOW_MINIMIZED) SDL_RestoreWindow(mWindow);
  SDL_ShowWindow(mWindow);
  SDL_RaiseWindow(mWindow);
}

void SdlWindow::TakeFocus() { SDL_SetWindowInputFocus(mWindow); }

void SdlWindow::SetMouseCapture(bool on) { SDL_CaptureMouse(on ? SDL_TRUE : SDL_FALSE); }

void SdlWindow::ShowCursor(bool visible) { SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE); }

void SdlWindow::WarpCursor(int32_t x, int32_t y) {
  if (mFrameFitted) mFit.FromFrame(x, y);
  SDL_WarpMouseInWindow(mWindow, x, y);
}

bool SdlWindow::SetClipboard(const std::string& utf8) { return SDL_SetClipboardText(utf8.c_str()) == 0; }

bool SdlWindow::GetClipboard(std::string& utf8) {
  if (!SDL_HasClipboardText()) return false;
  char* text = SDL_GetClipboardText();
  if (!text) return false;
  utf8 = text;
  SDL_free(text);
  return true;
}

bool SdlWindow::ShowMessageBox(const std::string& titleUtf8, const std::string& textUtf8, MessageBoxIcon icon) {
  return ShowSdlMessageBox(mWindow, titleUtf8, textUtf8, icon);
}

void SdlWindow::MapPointer(InputEvent& input) const {
  if (mFrameFitted) mFit.ToFrame(input.x, input.y);
}

void SdlWindow::RefreshGeometry() {
  Geometry geometry;
  SDL_GetWindowSize(mWindow, &geometry.clientWidth, &geometry.clientHeight);
  SDL_GetWindowPosition(mWindow, &geometry.originX, &geometry.originY);
  if (SDL_GetWindowBordersSize(mWindow, &geometry.borderTop, &geometry.borderLeft, nullptr, nullptr) != 0) {
    geometry.borderTop = geometry.borderLeft = 0;
  }
  int display = std::max(SDL_GetWindowDisplayIndex(mWindow), 0);
  SDL_Rect bounds{0, 0, 0, 0};
  SDL_GetDisplayBounds(display, &bounds);
  geometry.desktopWidth = bounds.w;
  geometry.desktopHeight = bounds.h;
  SDL_Rect usable = bounds;
  SDL_GetDisplayUsableBounds(display, &usable);
  geometry.workArea = PixelRect{usable.x, usable.y, usable.x + usable.w, usable.y + usable.h};
  geometry.fullScreen = (SDL_GetWindowFlags(mWindow) & SDL_WINDOW_FULLSCREEN_DESKTOP) == SDL_WINDOW_FULLSCREEN_DESKTOP;
  std::lock_guard guard(mGeometryMutex);
  mGeometry = geometry;
}

SdlWindow::Geometry SdlWindow::ReadGeometry() const {
  std::lock_guard guard(mGeometryMutex);
  return mGeometry;
}

void SdlWindow::GetClientSize(int32_t& width, int32_t& height) const {
  std::lock_guard guard(mGeometryMutex);
  bool fitted = mGeometry.fullScreen && mFittedWidth > 0;
  width = fitted ? mFittedWidth : mGeometry.clientWidth;
  height = fitted ? mFittedHeight : mGeometry.clientHeight;
}

void SdlWindow::SetClientSize(int32_t width, int32_t height) {
  SDL_SetWindowSize(mWindow, width, height);
  RefreshGeometry();
}

void SdlWindow::GetPosition(int32_t& x, int32_t& y) const {
  Geometry geometry = ReadGeometry();
  x = geometry.originX - geometry.borderLeft;
  y = geometry.originY - geometry.borderTop;
}

void SdlWindow::SetPosition(int32_t x, int32_t y) {
  Geometry geometry = ReadGeometry();
  SDL_SetWindowPosition(mWindow, x + geometry.borderLeft, y + geometry.borderTop);
  RefreshGeometry();
}

void SdlWindow::GetClientOrigin(int32_t& x, int32_t& y) const {
  Geometry geometry = ReadGeometry();
  x = geometry.originX;
  y = geometry.originY;
}

void SdlWindow::GetDesktopSize(int32_t& width, int32_t& height) const {
  Geometry geometry = ReadGeometry();
  width = geometry.desktopWidth;
  height = geometry.desktopHeight;
}

PixelRect SdlWindow::GetWorkArea() const { return ReadGeometry().workArea; }

void SdlWindow::SetDesktopFullScreen(bool on) {
  if (SDL_SetWindowFullscreen(mWindow, on ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) != 0) {
    WriteLog("Cannot %s the desktop full screen: %s", on ? "enter" : "leave", SDL_GetError());
  }
  if (!on) ForgetFittedFrame();
  RefreshGeometry();
}

void SdlWindow::ForgetFittedFrame() {
  mFrameFitted = false;
  std::lock_guard guard(mGeometryMutex);
  mFittedWidth = 0;
  mFittedHeight = 0;
}

bool SdlWindow::IsDesktopFullScreen() const { return ReadGeometry().fullScreen; }

void SdlWindow::SetAlwaysOnTop(bool on) { SDL_SetWindowAlwaysOnTop(mWindow, on ? SDL_TRUE : SDL_FALSE); }

void SdlWindow::ShowFrame(const FrameView& frame) {
  SDL_Surface* surface = SDL_GetWindowSurface(mWindow);
  if (!surface) {
    WriteLog("Cannot draw into the main window: %s", SDL_GetError());
    return;
  }
  mFrameFitted = IsDesktopFullScreen();
  mFit = FrameFit::Of(surface->w, surface->h, frame.width, frame.height, mFrameFitted);
  {
    std::lock_guard guard(mGeometryMutex);
    mFittedWidth = mFrameFitted ? frame.width : 0;
    mFittedHeight = mFrameFitted ? frame.height : 0;
  }
  if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0) return;
  uint32_t format = surface->format->format;
  if (format == SDL_PIXELFORMAT_RGB888 || format == SDL_PIXELFORMAT_ARGB8888) {
    DrawFittedFrame(frame, mFit, static_cast<uint8_t*>(surface->pixels), surface->pitch, surface->w, surface->h);
  } else {
    mStaging.resize(static_cast<size_t>(surface->w) * static_cast<size_t>(surface->h));
    auto* staging = reinterpret_cast<uint8_t*>(mStaging.data());
    DrawFittedFrame(frame, mFit, staging, 4 * surface->w, surface->w, surface->h);
    SDL_ConvertPixels(surface->w, surface->h, SDL_PIXELFORMAT_RGB888, staging, 4 * surface->w, format,
                      surface->pixels, surface->pitch);
  }
  if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
  SDL_UpdateWindowSurface(mWindow);
  mFrameShown = true;
}

bool SdlWindow::ReadShownPicture(Picture& out) const {
  SDL_Surface* surface = mFrameShown ? SDL_GetWindowSurface(mWindow) : nullptr;
  if (!surface) return false;
  out.width = surface->w;
  out.height = surface->h;
  out.pixels.assign(static_cast<size_t>(surface->w) * static_cast<size_t>(surface->h), 0);
  if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0) return false;
  int converted = SDL_ConvertPixels(surface->w, surface->h, surface->format->format, surface->pixels,
                                    surface->pitch, SDL_PIXELFORMAT_RGB888, out.pixels.data(), 4 * surface->w);
  if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
  for (uint32_t& pixel : out.pixels) pixel |= 0xFF000000;
  return converted == 0;
}

std::unique_ptr<Window> CreateMainWindow(HostWindow* host, const std::string& title,
                                         int32_t width, int32_t height) {
  std::unique_ptr<SdlWindow> native = SdlWindow::Create(Utf8FromCp1252(title), width, height);
  if (!native) return nullptr;
  return std::make_unique<Window>(std::move(native), host);
}

}  // namespace sys
