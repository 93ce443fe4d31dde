#pragma once

#include <memory>

#include "media/display/TDisplayHandler.h"
#include "media/display/TDxDisplayHandlerData.h"

class TPlatform;
namespace sys {
class Window;
}  // namespace sys

// The display over our display device: modes, frames, drawing states,
// viewports and render targets. Its 3D operations do nothing; the 3D display
// derived from it fills them in. Main thread only, but for UpdateMouse.
class TDxDisplayHandler : public TDisplayHandler {
 public:
  explicit TDxDisplayHandler(std::shared_ptr<sys::gfx::Adapter> adapter);
  ~TDxDisplayHandler() override;

  TDxDisplayHandlerData& GetData() { return *mData; }
  // The top-left corner of the window's client area on the screen.
  void GetScreenOrigin(int32_t& x, int32_t& y);
  // Takes the objects of the mode the device context has just created: the
  // device, its facts, the screen as the one render target, and the
  // drawing states every set-up starts from.
  void AdoptDevice();
  // Makes the device draw into `to` instead of `from`; the display
  // rectangle and the viewport become `to`'s. A refusal is logged (and at
  // 16 bits breaks the display), never returned.
  void SwitchRenderTarget(const std::shared_ptr<sys::gfx::Surface>& from,
                          const std::shared_ptr<sys::gfx::Surface>& to);

  bool IntersectTriangle(const TVec3&, const TVec3&, const TVec3&, const TVec3&, const TVec3&, float&,
                         TVec3&) override {
    return false;
  }
  void SetTexture(const std::shared_ptr<TTexture>& texture) override;
  void SetMaterial(const TMaterial&) override {}
  void SetLight(int32_t, const TLight*) override {}
  TString& GetDeviceName(TString& out) override;
  bool Begin2d() override;
  void End2d() override;
  bool Begin3d() override { return true; }
  void End3d() override {}
  void SetDisplay(int32_t width, int32_t height, bool fullScreen, bool force, bool quiet, bool embedded) override;
  void GetDisplaySize(int32_t& width, int32_t& height, bool& fullScreen) override;
  bool SetFullScreen(bool fullScreen) override;
  bool IsFullScreen() override { return mData->mFullScreen; }
  bool BeginDraw(bool keepPicture) override;
  void EndDraw(bool present) override;
  int32_t PresentRect(const TRect& destination, const TRect& source) override;
  void DrawRect(int32_t left, int32_t top, int32_t right, int32_t bottom, const TColor& colour,
                TTexture* target) override;
  void SetViewport(int32_t left, int32_t top, int32_t right, int32_t bottom) override;
  void GetViewport(int32_t& left, int32_t& top, int32_t& right, int32_t& bottom) override;
  void PushViewport(int32_t left, int32_t top, int32_t right, int32_t bottom) override;
  int32_t PopViewport() override;
  bool PushRenderTarget(const std::shared_ptr<TTexture>& target) override;
  bool PopRenderTarget() override;
  bool IsDrawingToScreen() override;
  bool IsReady() override;
  bool IsFlipDone() override;
  void MarkBroken() override;
  void ReportOutOfVideoMemory() override;
  void GetDesktopMode() override;
  void ResetWorkingCount() override { mData->mWorkingCount = 0; }
  void Restore() override;
  void SetShadeMode(int32_t mode) override;
  void SetWorldTransform(const TMatrix4&) override {}
  void SetViewTransform(const TMatrix4&) override {}
  void SetProjectionTransform(const TMatrix4&) override {}
  void SetBlendMode(int32_t mode) override;
  void SetTextureFilter(int32_t mode) override;
  void SetTextureAddress(int32_t u, int32_t v) override;
  void SetZWrite(bool on) override;
  void SetZEnable(bool on) override;
  void SetLookAt(const TVec3&, const TVec3&, const TVec3&) override {}
  void SetPerspective(float, float, float, float) override {}
  void SetOrthoProjection(float, float) override {}
  void GetWorldTransform(TMatrix4&) override {}
  void GetViewTransform(TMatrix4&) override {}
  void GetProjectionTransform(TMatrix4&) override {}
  void SetCullMode(int32_t) override {}
  void SetAmbientLight(const TColor&) override {}
  void UpdateCursorBounds() override;
  TMousePosition UpdateMouse(int32_t x, int32_t y) override;
  void OnWindowMoved() override;
  TMousePosition GetMousePos() override;
  bool UpdateSystemCursor() override;
  bool SetMouseImage(const std::shared_ptr<TTexture>& texture, int32_t hotX, int32_t hotY) override;
  bool RequiresSquareTextures() override { return mData->mSquareTexturesOnly; }
  std::unique_ptr<TTextureData> CreateTextureData() override;
  // Once a device is there: settles the offset at which textures are drawn.
  void TestRenderTarget() override;

 protected:
  // Texture colour and alpha times the current ones, filtered linearly.
  static void SetModulatingStage(sys::gfx::TextureStage& stage);
  // Sets the device's viewport to the rectangle, kept inside the display
  // rectangle and scaled as the game draws.
  sys::gfx::Result ApplyViewport(const TRect& viewport);

  std::unique_ptr<TDxDisplayHandlerData> mData;

 private:
  void SetInitialStates();
  // "LowMemoryVideo" of the display settings file; false when it is missing.
  void ReadSettings();
  // The steps of SetDisplay.
  void FollowHost(TPlatform& platform, sys::Window& window, bool fullScreen, bool& embedded);
  bool DesktopRefusesWindow(TPlatform& platform);
  bool WindowNeedsFullScreen(TPlatform& platform, int32_t width, int32_t height);
  void SetWindowStyle(sys::Window& window, bool fullScreen);
  void ForgetMode(int32_t width, int32_t height, bool fullScreen);
  void FallBack(TPlatform& platform, sys::Window& window, int32_t width, int32_t height, bool fullScreen,
                bool quiet);
  void ShowSetUp(sys::Window& window, bool fullScreen, bool embedded);
  TRect ScreenRect() const;
  bool RegainScreen(TPlatform& platform);
};
