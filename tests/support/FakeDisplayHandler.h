#pragma once

#include <atomic>
#include <string>

#include "media/TDisplayHandler.h"
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

  void SetTexture(const std::shared_ptr<TTexture>&) override { Record("SetTexture"); }
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
  bool SetFullScreen(bool on) override;
  bool IsFullScreen() override { return fullScreen; }
  bool BeginDraw(bool hideCursor) override;
  void EndDraw(bool present) override;
  void DrawRect(int32_t left, int32_t top, int32_t right, int32_t bottom, const TColor& colour,
                TTexture* target) override;
  void GetViewport(int32_t& left, int32_t& top, int32_t& right, int32_t& bottom) override;
  void PushViewport(int32_t left, int32_t top, int32_t right, int32_t bottom) override;
  void DrawVertices(int32_t primitiveType, TVertexList*) override;
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
  bool IsReady() override { return ready; }
  bool IsFlipDone() override { return flipDone; }
  void ReportOutOfVideoMemory() override { Record("ReportOutOfVideoMemory"); }
  void GetDesktopMode() override { Record("GetDesktopMode"); }
  void ResetWorkingCount() override { Record("ResetWorkingCount"); }
  void Restore() override { Record("Restore"); }
  void SetWorldTransform(const TMatrix4&) override { Record("SetWorldTransform"); }
  void SetViewTransform(const TMatrix4&) override { Record("SetViewTransform"); }
  void SetProjectionTransform(const TMatrix4&) override { Record("SetProjectionTransform"); }
  void SetBlendMode(int32_t mode) override { Record("SetBlendMode " + std::to_string(mode)); }
  void SetTextureFilter(int32_t mode) override { Record("SetTextureFilter " + std::to_string(mode)); }
  void SetZWrite(bool on) override { Record(on ? "SetZWrite 1" : "SetZWrite 0"); }
  void GetWorldTransform(TMatrix4&) override { Record("GetWorldTransform"); }
  void GetViewTransform(TMatrix4&) override { Record("GetViewTransform"); }
  void GetProjectionTransform(TMatrix4&) override { Record("GetProjectionTransform"); }
  void SetCullMode(int32_t mode) override { Record("SetCullMode " + std::to_string(mode)); }
  void UpdateCursorBounds() override { Record("UpdateCursorBounds"); }
  TMousePosition UpdateMouse(int32_t x, int32_t y) override;
  void OnWindowMoved() override { Record("OnWindowMoved"); }
  TMousePosition GetMousePos() override { return mouse; }
  bool UpdateSystemCursor() override {
    Record("UpdateSystemCursor");
    return drawsCursor;
  }
  bool SetMouseImage(const std::shared_ptr<TTexture>& texture, int32_t hotX, int32_t hotY) override;
  void TestRenderTarget() override { Record("TestRenderTarget"); }

  CallJournal ownJournal;

 private:
  void Record(const std::string& call) { mJournal->Add(call); }

  CallJournal* mJournal;
};
