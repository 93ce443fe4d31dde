#pragma once

#include <cstdint>
#include <memory>

#include "platform/text/TString.h"
#include "platform/types/TColor.h"
#include "platform/types/TRect.h"

class TAssetManager;
class TDisplayHandler;
class TSoundManager;
class TStringTable;
class TTask;
class TTaskList;
class TTexture;
class TVecFont;
class TVqMiniVecDraw;
class TWindowManager;
struct TVertexList;
namespace sys {
class Window;
}  // namespace sys

// The platform object as the layers below the application see it. The object
// itself assembles every framework layer, so it lives at the top (app/); this
// face holds only the operations that lower layers call on it, and Instance
// finds the one installed. Tests install a fake face in its place. Main
// thread only.
class TPlatform {
 public:
  // Null while no platform object is installed.
  static TPlatform* Instance();

  virtual TWindowManager* GetWindowManager() const = 0;
  // The platform tasks, run on every idle pass and every frame.
  virtual TTaskList* GetTaskList() = 0;
  // The registry of live assets by name (compiled scripts, loaded sounds...);
  // null when there is none.
  virtual TAssetManager* GetAssetManager() const = 0;
  // The texts the user sees, from "strings.xml"; null when it could not be
  // read.
  virtual TStringTable* GetStringTable() const = 0;

  // A frame, as the window manager draws it. BeginDraw is false when the
  // display cannot draw (or there is none); `keepPicture` lets the frame
  // draw over the previous picture.
  virtual bool BeginDraw(bool keepPicture) = 0;
  virtual void EndDraw(bool present) = 0;
  // A windowed frame waits for the flip of the one before; true without a display.
  virtual bool IsFlipDone() = 0;
  virtual bool IsFullScreen() = 0;
  // True once after a repaint was asked for.
  virtual bool ConsumeRepaintRequest() = 0;
  // 1 when mouse moves come as offsets, 0 when they come as positions.
  virtual int32_t GetMouseMode() const = 0;
  // Asks the event pump to report quit: the program ends with exit code 0.
  virtual void PostQuitRequest() = 0;

  virtual void PushViewport(int32_t left, int32_t top, int32_t right, int32_t bottom) = 0;
  virtual int32_t PopViewport() = 0;
  // An empty rectangle without a display.
  virtual void GetViewport(TRect& out) = 0;
  virtual void DrawRect(int32_t left, int32_t top, int32_t right, int32_t bottom, const TColor& colour,
                        const std::shared_ptr<TTexture>& texture) = 0;
  // Drawing goes into the texture until the pop; false when it cannot.
  virtual bool PushRenderTarget(const std::shared_ptr<TTexture>& target) = 0;
  virtual bool PopRenderTarget() = 0;

  // What sounds and the sound manager ask of the program they run in.
  // Null without sound, and while the sound manager is being deleted.
  virtual TSoundManager* GetSoundManager() const = 0;
  // A screensaver runs without sound.
  virtual bool IsScreensaver() const = 0;

  // What the display asks of the platform.
  // Null before the window is made.
  virtual sys::Window* GetMainWindow() const = 0;
  // Game time in milliseconds.
  virtual uint32_t GetTime() const = 0;
  // Whether the program is the active one; an inactive program draws no frames.
  virtual bool IsActive() const = 0;
  // Whether 2D drawing is open.
  virtual bool IsIn2d() const = 0;
  // Whether the game draws scaled, inside a host window; writes the scale
  // (1.0 unless a host window sets another).
  virtual bool GetDisplayScale(float& scale) const = 0;
  // A device call ran out of video memory: the display restarts at 16 bits.
  // The sound manager may call it from its thread.
  virtual void ReportOutOfVideoMemory() = 0;

  // What the display's set-up asks of the platform.
  // Inside a host window, or under the test harness.
  virtual bool IsEmbedded() const = 0;
  // Under the test harness ("--axtest"), which frames the window itself.
  virtual bool IsTestMode() const = 0;
  // A host window holds the game's window.
  virtual bool HasHostWindow() const = 0;
  // The host window the game started in has gone.
  virtual bool IsHostWindowLost() const = 0;
  // The host mode of "-pq=": the host decides about full screen.
  virtual bool HostDecidesFullScreen() const = 0;
  // While suspended (a movie plays) the window manager draws no frames.
  virtual bool IsWindowManagerSuspended() const = 0;
  // Every asset lets go of what it keeps on the display, or makes it anew
  // on a display that is ready.
  virtual void ReleaseAssets() = 0;
  virtual void RestoreAssets() = 0;
  // The display was set up anew: the event pump reports it once.
  virtual void MarkDisplayChanged() = 0;

  // What the vector-font renderer draws with besides the above: 2D drawing
  // with its blend mode and texture, and vertex lists.
  virtual bool Begin2d() = 0;
  virtual void End2d() = 0;
  virtual void SetTexture(const std::shared_ptr<TTexture>& texture) = 0;
  virtual void SetBlendMode(int32_t mode) = 0;
  virtual void DrawVertices(int32_t primitiveType, TVertexList* vertices) = 0;

  // What textures and the software cursor ask of the platform.
  // Null until a display is installed.
  virtual TDisplayHandler* GetDisplayHandler() const = 0;
  // 0 point, 1 linear.
  virtual void SetTextureFilter(int32_t mode) = 0;
  // Run at the first frame after the display's assets were restored; the
  // platform owns the task from then on.
  virtual void AddRestoreTask(std::unique_ptr<TTask> task) = 0;
  // Whether the main window is shown (not minimised). Any thread.
  virtual bool IsWindowShown() const = 0;
  // Whether the program shows a cursor image at all.
  virtual bool IsCursorEnabled() const = 0;
  // Shows or hides the system arrow at the main thread's next pass of the
  // event pump. Any thread.
  virtual void RequestSystemCursor(bool visible) = 0;

  // What text layouts ask of the platform: fonts by name from its font
  // cache (null when no font can be made), and the vector renderer, null
  // until the display set-up has made it.
  virtual TVecFont* GetFont(const TString& name) = 0;
  virtual TVqMiniVecDraw* GetVecDraw() = 0;

  // What text edits ask of the platform: the text on the clipboard, in
  // Windows-1252; "" when it holds none (or there is no window).
  virtual TString GetClipboardText() = 0;

  // What the window scripts ask of the platform.
  // Copies Windows-1252 text to the desktop's clipboard; false when it cannot.
  virtual bool SetClipboardText(const TString& text) = 0;

  // What the game's application object asks of the platform.
  // Settings: a missing key reads as "".
  virtual void SetSetting(const TString& key, const TString& value) = 0;
  virtual TString GetSetting(const TString& key) const = 0;
  // The program's version text.
  virtual TString GetVersionString() const = 0;
  // Asks for full screen or a window; true when the change was made.
  virtual bool SetFullScreen(bool fullScreen) = 0;
  // Opens an address in the desktop's browser (or the host's opener).
  virtual void OpenURL(const TString& address) = 0;

 protected:
  TPlatform() = default;
  // An object that goes while still installed leaves no dangling instance.
  virtual ~TPlatform();
  TPlatform(const TPlatform&) = delete;
  TPlatform& operator=(const TPlatform&) = delete;

  // Makes the object the one Instance returns; null installs none.
  static void Install(TPlatform* platform);
};
