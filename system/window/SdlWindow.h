#pragma once

#include <SDL.h>

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "system/window/FrameFit.h"
#include "system/window/NativeWindow.h"
#include "system/window/Window.h"

namespace sys {

// The main window on the desktop, over SDL. SDL is used from the main thread
// only. The video subsystem stays open while a window lives; SDL's own
// signal handling is off, so SIGINT and SIGTERM reach the window layer. A
// display that goes away is read as a close request.
class SdlWindow final : public NativeWindow {
 public:
  // A hidden window of that client size, not resizable by the user; null
  // with a log line when the desktop refuses it.
  static std::unique_ptr<SdlWindow> Create(const std::string& titleUtf8, int32_t width, int32_t height);
  ~SdlWindow() override;
  SdlWindow(const SdlWindow&) = delete;
  SdlWindow& operator=(const SdlWindow&) = delete;

  void ReadInput(std::vector<InputEvent>& out) override;
  void WaitForInput(uint32_t milliseconds) override;
  void SetTitle(const std::string& utf8) override;
  void Show() override;
  void Raise() override;
  void TakeFocus() override;
  void SetMouseCapture(bool on) override;
  void ShowCursor(bool visible) override;
  void WarpCursor(int32_t x, int32_t y) override;
  bool SetClipboard(const std::string& utf8) override;
  bool GetClipboard(std::string& utf8) override;
  bool ShowMessageBox(const std::string& titleUtf8, const std::string& textUtf8,
                      MessageBoxIcon icon) override;
  void GetClientSize(int32_t& width, int32_t& height) const override;
  void SetClientSize(int32_t width, int32_t height) override;
  void GetPosition(int32_t& x, int32_t& y) const override;
  void SetPosition(int32_t x, int32_t y) override;
  void GetClientOrigin(int32_t& x, int32_t& y) const override;
  void GetDesktopSize(int32_t& width, int32_t& height) const override;
  PixelRect GetWorkArea() const override;
  void SetDesktopFullScreen(bool on) override;
  bool IsDesktopFullScreen() const override;
  void SetAlwaysOnTop(bool on) override;
  void ShowFrame(const FrameView& frame) override;
  bool ReadShownPicture(Picture& out) const override;

  SDL_Window* Handle() const { return mWindow; }
  // Turns one SDL event into what the layer reads; events of other windows
  // and kinds the layer does not use add nothing.
  void Translate(const SDL_Event& event, std::vector<InputEvent>& out) const;

 private:
  // What the geometry readers report, refreshed on the main thread.
  struct Geometry {
    int32_t clientWidth = 0;
    int32_t clientHeight = 0;
    int32_t originX = 0;
    int32_t originY = 0;
    int32_t borderLeft = 0;
    int32_t borderTop = 0;
    int32_t desktopWidth = 0;
    int32_t desktopHeight = 0;
    PixelRect workArea;
    bool fullScreen = false;
  };

  explicit SdlWindow(SDL_Window* window);
  void TranslateWindowEvent(const SDL_WindowEvent& event, std::vector<InputEvent>& out) const;
  void RefreshGeometry();
  Geometry ReadGeometry() const;
  // Client positions to frame pixels while a fitted frame is shown.
  void MapPointer(InputEvent& input) const;
  void ForgetFittedFrame();

  SDL_Window* mWindow;
  mutable std::mutex mGeometryMutex;
  Geometry mGeometry;
  FrameFit mFit;
  bool mFrameShown = false;
  bool mFrameFitted = false;  // the last frame was shown on the desktop full screen
  // The fitted frame's size, which the client area reports; guarded by
  // mGeometryMutex.
  int32_t mFittedWidth = 0;
  int32_t mFittedHeight = 0;
  std::vector<uint32_t> mStaging;  // the fitted frame, for window surfaces of other formats
};

// Opens SDL's video subsystem (counted: each open needs one close), with
// SDL's signal handling off. False with a log line when it cannot.
bool OpenSdlVideo();
void CloseSdlVideo();
// Shows an SDL message box; false when there is no display to show it on.
bool ShowSdlMessageBox(SDL_Window* owner, const std::string& titleUtf8, const std::string& textUtf8,
                       MessageBoxIcon icon);

constexpr char kMainWindowTitle[] = "Velmartis";
constexpr int32_t kMainWindowWidth = 480;
constexpr int32_t kMainWindowHeight = 360;

// The program's main window: hidden until shown, with the given client size
// and Windows-1252 caption; null with a log line when it cannot be made.
// `host` is the window that embeds the game, if any.
std::unique_ptr<Window> CreateMainWindow(HostWindow* host = nullptr,
                                         const std::string& title = kMainWindowTitle,
                                         int32_t width = kMainWindowWidth,
                                         int32_t height = kMainWindowHeight);

}  // namespace sys
