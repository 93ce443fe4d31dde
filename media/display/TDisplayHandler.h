#pragma once

#include <cstdint>
#include <memory>

#include "media/display/TLighting.h"
#include "media/display/TMatrix4.h"
#include "platform/text/TString.h"
#include "platform/types/TColor.h"
#include "platform/types/TRect.h"
#include "platform/types/TVec3.h"

class TTexture;
class TTextureData;
struct TVertexList;

// Where the display puts the mouse pointer, in display pixels; x is -1 while
// the display knows no position.
struct TMousePosition {
  int32_t x = -1;
  int32_t y = -1;
};

// The framework's display: the platform owns exactly one and forwards every
// drawing call to it, guarding the 2D and 3D drawing states itself; textures
// reach it for their device data. Until its first successful SetDisplay it
// has no device, and every drawing operation does nothing (false where a
// result is expected). Result codes are 0 for success.
class TDisplayHandler {
 public:
  virtual ~TDisplayHandler() = default;

  // Whether the ray from `origin` along `direction` meets the triangle a, b,
  // c in front of the origin; on a hit, the distance in units of `direction`
  // and the point met.
  virtual bool IntersectTriangle(const TVec3& origin, const TVec3& direction, const TVec3& a, const TVec3& b,
                                 const TVec3& c, float& distance, TVec3& point) = 0;
  // An empty reference unbinds the texture stage.
  virtual void SetTexture(const std::shared_ptr<TTexture>& texture) = 0;
  virtual void SetMaterial(const TMaterial& material) = 0;
  // Null turns the light off.
  virtual void SetLight(int32_t index, const TLight* light) = 0;
  virtual TString& GetDeviceName(TString& out) = 0;
  virtual bool Begin2d() = 0;
  virtual void End2d() = 0;
  virtual bool Begin3d() = 0;
  virtual void End3d() = 0;
  // Opens the display or changes its mode. `force` repeats a set-up of the
  // mode in use and runs while the program is inactive; `quiet` suppresses
  // the fallback's message boxes; `embedded` says a host window holds the game.
  virtual void SetDisplay(int32_t width, int32_t height, bool fullScreen, bool force, bool quiet,
                          bool embedded) = 0;
  virtual void GetDisplaySize(int32_t& width, int32_t& height, bool& fullScreen) = 0;
  // Whether the change was made.
  virtual bool SetFullScreen(bool fullScreen) = 0;
  virtual bool IsFullScreen() = 0;
  // Starts a frame; false when the display cannot draw now. With
  // `keepPicture` the frame draws over the previous picture, which full
  // screen copies into the back buffer without the software cursor.
  virtual bool BeginDraw(bool keepPicture) = 0;
  virtual void EndDraw(bool present) = 0;
  // Copies part of the last frame to the screen.
  virtual int32_t PresentRect(const TRect& destination, const TRect& source) = 0;
  // A colour fill of the back buffer, or of `target`; right or bottom -1
  // reaches the edge.
  virtual void DrawRect(int32_t left, int32_t top, int32_t right, int32_t bottom, const TColor& colour,
                        TTexture* target) = 0;
  virtual void SetViewport(int32_t left, int32_t top, int32_t right, int32_t bottom) = 0;
  virtual void GetViewport(int32_t& left, int32_t& top, int32_t& right, int32_t& bottom) = 0;
  virtual void PushViewport(int32_t left, int32_t top, int32_t right, int32_t bottom) = 0;
  // Draws a vertex list as the given primitive; a display without 3D draws nothing.
  virtual void DrawVertices(int32_t, TVertexList*) {}
  virtual void DrawIndexedVertices(int32_t, TVertexList*, const uint16_t*, int32_t) {}
  virtual int32_t PopViewport() = 0;
  // Drawing goes into the texture until the pop.
  virtual bool PushRenderTarget(const std::shared_ptr<TTexture>& target) = 0;
  virtual bool PopRenderTarget() = 0;
  virtual bool IsDrawingToScreen() = 0;
  // Whether drawing can happen now; a lost display answers false until restored.
  virtual bool IsReady() = 0;
  virtual bool IsFlipDone() = 0;
  // The display cannot draw until it is restored.
  virtual void MarkBroken() = 0;
  virtual void ReportOutOfVideoMemory() = 0;
  // Reads the desktop's size and colours again (the desktop's displays changed).
  virtual void GetDesktopMode() = 0;
  // Forgets the frames counted since the last restore (the window was minimised).
  virtual void ResetWorkingCount() = 0;
  // Brings a lost display back, or sets it up anew.
  virtual void Restore() = 0;
  // 1 flat, 2 Gouraud.
  virtual void SetShadeMode(int32_t mode) = 0;
  virtual void SetWorldTransform(const TMatrix4& matrix) = 0;
  virtual void SetViewTransform(const TMatrix4& matrix) = 0;
  virtual void SetProjectionTransform(const TMatrix4& matrix) = 0;
  // Modes 0 to 4: alpha blending, opaque, additive, additive by alpha, inverse.
  virtual void SetBlendMode(int32_t mode) = 0;
  // 0 point, 1 linear.
  virtual void SetTextureFilter(int32_t mode) = 0;
  // For each direction: 1 wrap, 2 mirror, anything else clamp.
  virtual void SetTextureAddress(int32_t u, int32_t v) = 0;
  virtual void SetZWrite(bool on) = 0;
  virtual void SetZEnable(bool on) = 0;
  virtual void SetLookAt(const TVec3& eye, const TVec3& target, const TVec3& up) = 0;
  // `aspect` is height over width; 0 takes the viewport's.
  virtual void SetPerspective(float nearPlane, float farPlane, float fovY, float aspect) = 0;
  virtual void SetOrthoProjection(float nearPlane, float farPlane) = 0;
  virtual void GetWorldTransform(TMatrix4& matrix) = 0;
  virtual void GetViewTransform(TMatrix4& matrix) = 0;
  virtual void GetProjectionTransform(TMatrix4& matrix) = 0;
  // 1 none, 2 clockwise, 3 counter-clockwise.
  virtual void SetCullMode(int32_t mode) = 0;
  virtual void SetAmbientLight(const TColor& colour) = 0;
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
  virtual bool RequiresSquareTextures() = 0;
  // The device side of a new texture; null when the display makes none.
  virtual std::unique_ptr<TTextureData> CreateTextureData() = 0;
  // Settles how render targets are drawn on this device; runs once.
  virtual void TestRenderTarget() {}
};
