#pragma once

#include <atomic>
#include <string>

#include "media/display/TDisplayHandler.h"
#include "media/texture/TTextureData.h"
#include "platform/types/TRect.h"
#include "tests/support/CallJournal.h"

// A display without a device: it records every call the platform makes, by
// operation name (with its arguments where they matter), and answers as the
// test sets it up. The cursor poll thread calls UpdateMouse.
class FakeDisplayHandler final : public TDisplayHandler {
 public:
  // Calls go to the journal given, or to the fake's own.
  explicit FakeDisplayHandler(CallJournal* journal = nullptr) : mJournal(journal ? journal : &ownJournal) {}
  ~FakeDisplayHandler() override { mJournal->Add("~display"); }

  CallJournal& Journal() { return *mJournal; }
  // The calls of the main thread: the journal without the cursor poll thread's.
  std::vector<std::string> Calls() const;

  // Answers.
  std::atomic<bool> ready{true};
  bool fullScreen = false;
  bool fullScreenChanges = true;  // SetFullScreen makes the change
  bool begin2d = true;
  bool begin3d = true;
  bool beginDraw = true;
  bool flipDone = true;
  bool drawsCursor = false;  // UpdateSystemCursor's answer
  TRect viewport{0, 0, 800, 600};
  TMousePosition mouse{11, 22};
  std::atomic<int32_t> polledX{5};  // the x that UpdateMouse reports

  bool IntersectTriangle(const TVec3&, const TVec3&, const TVec3&, const TVec3&, const TVec3&, float&,
                         TVec3&) override {
    return false;
  }
  void SetTexture(const std::shared_ptr<TTexture>&) override { Record("SetTexture"); }
  void SetMaterial(const TMaterial&) override { Record("SetMaterial"); }
  void SetLight(int32_t index, const TLight*) override { Record("SetLight " + std::to_string(index)); }
  TString& GetDeviceName(TString& out) override { return out = "Fake display"; }
  bool Begin2d() override {
    Record("Begin2d");
    return begin2d;
  }
  void End2d() override { Record("End2d"); }
  bool Begin3d() override {
    Record("Begin3d");
    return begin3d;
  }
  void End3d() override { Record("End3d"); }
  void SetDisplay(int32_t width, int32_t height, bool fullScreen, bool force, bool quiet, bool embedded) override;
  void GetDisplaySize(int32_t& width, int32_t& height, bool& fullScreen) override;
  bool SetFullScreen(bool on) override;
  bool IsFullScreen() override { return fullScreen; }
  bool BeginDraw(bool keepPicture) override;
  void EndDraw(bool present) override;
  int32_t PresentRect(const TRect&, const TRect&) override {
    Record("PresentRect");
    return 0;
  }
  void DrawRect(int32_t left, int32_t top, int32_t right, int32_t bottom, const TColor& colour,
                TTexture* target) override;
  void SetViewport(int32_t left, int32_t top, int32_t right, int32_t bottom) override;
  void GetViewport(int32_t& left, int32_t& top, int32_t& right, int32_t& bottom) override;
  void PushViewport(int32_t left, int32_t top, int32_t right, int32_t bottom) override;
  void DrawVertices(int32_t primitiveType, TVertexList*) override;
  void DrawIndexedVertices(int32_t primitiveType, TVertexList*, const uint16_t*, int32_t count) override;
  int32_t PopViewport() override {
    Record("PopViewport");
    return 0;
  }
  bool PushRenderTarget(const std::shared_ptr<TTexture>&) override {
    Record("PushRenderTarget");
    return true;
  }
  bool PopRenderTarget() override {
    Record("PopRenderTarget");
    return true;
  }
  bool IsDrawingToScreen() override { return true; }
  bool IsReady() override { return ready; }
  bool IsFlipDone() override { return flipDone; }
  void MarkBroken() override { Record("MarkBroken"); }
  void ReportOutOfVideoMemory() override { Record("ReportOutOfVideoMemory"); }
  void GetDesktopMode() override { Record("GetDesktopMode"); }
  void ResetWorkingCount() override { Record("ResetWorkingCount"); }
  void Restore() override { Record("Restore"); }
  void SetShadeMode(int32_t mode) override { Record("SetShadeMode " + std::to_string(mode)); }
  void SetWorldTransform(const TMatrix4&) override { Record("SetWorldTransform"); }
  void SetViewTransform(const TMatrix4&) override { Record("SetViewTransform"); }
  void SetProjectionTransform(const TMatrix4&) override { Record("SetProjectionTransform"); }
  void SetBlendMode(int32_t mode) override { Record("SetBlendMode " + std::to_string(mode)); }
  void SetTextureFilter(int32_t mode) override { Record("SetTextureFilter " + std::to_string(mode)); }
  void SetTextureAddress(int32_t u, int32_t v) override { Record("SetTextureAddress" + JournalNumbers({u, v})); }
  void SetZWrite(bool on) override { Record(on ? "SetZWrite 1" : "SetZWrite 0"); }
  void SetZEnable(bool on) override { Record(on ? "SetZEnable 1" : "SetZEnable 0"); }
  void SetLookAt(const TVec3&, const TVec3&, const TVec3&) override { Record("SetLookAt"); }
  void SetPerspective(float, float, float, float) override { Record("SetPerspective"); }
  void SetOrthoProjection(float, float) override { Record("SetOrthoProjection"); }
  void GetWorldTransform(TMatrix4&) override { Record("GetWorldTransform"); }
  void GetViewTransform(TMatrix4&) override { Record("GetViewTransform"); }
  void GetProjectionTransform(TMatrix4&) override { Record("GetProjectionTransform"); }
  void SetCullMode(int32_t mode) override { Record("SetCullMode " + std::to_string(mode)); }
  void SetAmbientLight(const TColor&) override { Record("SetAmbientLight"); }
  void UpdateCursorBounds() override { Record("UpdateCursorBounds"); }
  TMousePosition UpdateMouse(int32_t x, int32_t y) override;
  void OnWindowMoved() override { Record("OnWindowMoved"); }
  TMousePosition GetMousePos() override { return mouse; }
  bool UpdateSystemCursor() override {
    Record("UpdateSystemCursor");
    return drawsCursor;
  }
  bool SetMouseImage(const std::shared_ptr<TTexture>& texture, int32_t hotX, int32_t hotY) override;
  bool RequiresSquareTextures() override { return false; }
  std::unique_ptr<TTextureData> CreateTextureData() override { return nullptr; }
  void TestRenderTarget() override { Record("TestRenderTarget"); }

  CallJournal ownJournal;

 private:
  void Record(const std::string& call) { mJournal->Add(call); }

  CallJournal* mJournal;
};
