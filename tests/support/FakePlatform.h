#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/TPlatform.h"
#include "platform/asset/TAssetManager.h"
#include "platform/time/TTaskList.h"
#include "tests/support/CallJournal.h"

// A platform face in place of the application's platform object, for the
// layers below it: installed while it lives, it records the frame and drawing
// calls it gets in the words of the fake display, and answers as the test
// sets it up. It holds no window manager of its own: the test hands it one.
class FakePlatform : public TPlatform {
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
  bool begin2d = true;
  bool pushRenderTarget = true;

  CallJournal journal;
  TTaskList tasks;
  std::unique_ptr<TAssetManager> assets = std::make_unique<TAssetManager>();

  TWindowManager* GetWindowManager() const override { return windowManager; }
  TTaskList* GetTaskList() override { return &tasks; }
  TAssetManager* GetAssetManager() const override { return assets.get(); }
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
  bool Begin2d() override;
  void End2d() override { journal.Add("End2d"); }
  void SetTexture(const std::shared_ptr<TTexture>& texture) override;
  void SetBlendMode(int32_t mode) override { journal.Add("SetBlendMode" + JournalNumbers({mode})); }
  // Recorded with the list's kind and vertex count.
  void DrawVertices(int32_t primitiveType, TVertexList* vertices) override;
  bool PushRenderTarget(const std::shared_ptr<TTexture>& target) override;
  bool PopRenderTarget() override;
};
