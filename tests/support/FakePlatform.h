#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/TPlatform.h"
#include "platform/time/TTaskList.h"
#include "tests/support/CallJournal.h"

// A platform face in place of the application's platform object, for the
// layers below it: installed while it lives, it records the frame and drawing
// calls it gets in the words of the fake display, and answers as the test
// sets it up. It holds no window manager of its own: the test hands it one.
class FakePlatform final : public TPlatform {
 public:
  FakePlatform() { Install(this); }
  ~FakePlatform() override { Install(nullptr); }

  std::vector<std::string> Calls() const { return journal.Entries(); }

  // Answers.
  TWindowManager* windowManager = nullptr;
  TRect viewport{0, 0, 800, 600};
  bool fullScreen = false;
  bool flipDone = true;
  bool beginDraw = true;
  bool repaintRequested = false;
  sys::Window* mainWindow = nullptr;
  uint32_t time = 0;
  bool active = true;
  bool in2d = false;
  bool embedded = false;  // draws at displayScale
  float displayScale = 1.0f;

  CallJournal journal;
  TTaskList tasks;

  TWindowManager* GetWindowManager() const override { return windowManager; }
  TTaskList* GetTaskList() override { return &tasks; }
  bool BeginDraw(bool hideCursor) override;
  void EndDraw(bool present) override;
  bool IsFlipDone() override { return flipDone; }
  bool IsFullScreen() override { return fullScreen; }
  bool ConsumeRepaintRequest() override;
  void PushViewport(int32_t left, int32_t top, int32_t right, int32_t bottom) override;
  int32_t PopViewport() override;
  void GetViewport(TRect& out) override { out = viewport; }
  void DrawRect(int32_t left, int32_t top, int32_t right, int32_t bottom, const TColor& colour,
                const std::shared_ptr<TTexture>& texture) override;
  sys::Window* GetMainWindow() const override { return mainWindow; }
  uint32_t GetTime() const override { return time; }
  bool IsActive() const override { return active; }
  bool IsIn2d() const override { return in2d; }
  bool GetDisplayScale(float& scale) const override {
    scale = displayScale;
    return embedded;
  }
  void ReportOutOfVideoMemory() override { journal.Add("ReportOutOfVideoMemory"); }
};
