#pragma once

#include <cstdint>
#include <memory>

#include "media/TMatrix4.h"
#include "platform/types/TColor.h"

class TTexture;
struct TVertexList;

// Where the display puts the mouse pointer, in display pixels; x is -1 while
// the display knows no position.
struct TMousePosition {
  int32_t x = -1;
  int32_t y = -1;
};

// The framework's display: the platform owns exactly one and forwards every
// drawing call to it, guarding the 2D and 3D drawing states itself. These are
// the operations the platform calls, in the order of the display's table of
// operations; the display adds the rest (materials, lights, texture data,
// picking) beside them.
class TDisplayHandler {
 public:
  virtual ~TDisplayHandler() = default;

  // An empty reference unbinds the texture stage.
  virtual void SetTexture(const std::shared_ptr<TTexture>& texture) = 0;
  virtual bool Begin2d() = 0;
  virtual void End2d() = 0;
  virtual bool Begin3d() = 0;
  virtual void End3d() = 0;
  // Opens the display or changes its mode. `force` repeats a set-up of the
  // mode in use and runs while the program is inactive; `quiet` suppresses
  // the fallback's message boxes; `embedded` says a host window holds the game.
  virtual void SetDisplay(int32_t width, int32_t height, bool fullScreen, bool force, bool quiet,
                          bool embedded) = 0;
  // Whether the change was made.
  virtual bool SetFullScreen(bool fullScreen) = 0;
  virtual bool IsFullScreen() = 0;
  // Starts a frame; false when the display cannot draw now. `hideCursor`
  // takes the software cursor off the picture first.
  virtual bool BeginDraw(bool hideCursor) = 0;
  virtual void EndDraw(bool present) = 0;
  // A colour fill; right -1 reaches the right edge of the display.
  virtual void DrawRect(int32_t left, int32_t top, int32_t right, int32_t bottom, const TColor& colour,
                        TTexture* target) = 0;
  virtual void GetViewport(int32_t& left, int32_t& top, int32_t& right, int32_t& bottom) = 0;
  virtual void PushViewport(int32_t left, int32_t top, int32_t right, int32_t bottom) = 0;
  // Draws a vertex list as the given primitive; a display without 3D draws nothing.
  virtual void DrawVertices(int32_t, TVertexList*) {}
  virtual int32_t PopViewport() = 0;
  virtual bool PushRenderTarget(const std::shared_ptr<TTexture>& target) = 0;
  virtual bool PopRenderTarget() = 0;
  // Whether drawing can happen now; a lost display answers false until restored.
  virtual bool IsReady() = 0;
  virtual bool IsFlipDone() = 0;
  virtual void ReportOutOfVideoMemory() = 0;
  // Reads the desktop's size and colours again (the desktop's displays changed).
  virtual void GetDesktopMode() = 0;
  // Forgets the frames counted since the last restore (the window was minimised).
  virtual void ResetWorkingCount() = 0;
  // Brings a lost display back, or sets it up anew.
  virtual void Restore() = 0;
  virtual void SetWorldTransform(const TMatrix4& matrix) = 0;
  virtual void SetViewTransform(const TMatrix4& matrix) = 0;
  virtual void SetProjectionTransform(const TMatrix4& matrix) = 0;
  virtual void SetBlendMode(int32_t mode) = 0;
  virtual void SetTextureFilter(int32_t mode) = 0;
  virtual void SetZWrite(bool on) = 0;
  virtual void GetWorldTransform(TMatrix4& matrix) = 0;
  virtual void GetViewTransform(TMatrix4& matrix) = 0;
  virtual void GetProjectionTransform(TMatrix4& matrix) = 0;
  virtual void SetCullMode(int32_t mode) = 0;
  // Takes the software cursor off the screen (the pointer left the window).
  virtual void UpdateCursorBounds() = 0;
  // Moves the software cursor to the point, (-1, -1) meaning where the
  // pointer is now; returns the position, x -1 when none is known. Called
  // from the cursor poll thread.
  virtual TMousePosition UpdateMouse(int32_t x, int32_t y) = 0;
  // Reads the window's place on the screen again (the pointer entered it).
  virtual void OnWindowMoved() = 0;
  virtual TMousePosition GetMousePos() = 0;
  // Asked when the window wants its cursor: true when the display draws the
  // cursor itself, so the window shows none.
  virtual bool UpdateSystemCursor() = 0;
  virtual bool SetMouseImage(const std::shared_ptr<TTexture>& texture, int32_t hotX, int32_t hotY) = 0;
  // Settles how render targets are drawn on this device; runs once.
  virtual void TestRenderTarget() {}
};
