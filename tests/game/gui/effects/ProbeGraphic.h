#pragma once

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "game/gui/effects/IGraphic.h"

namespace GUI {

// A graphic without a picture that notes its preparations, by name, in a
// list it shares with others, and runs a function of the test's as it goes.
class ProbeGraphic final : public IGraphic {
 public:
  explicit ProbeGraphic(std::string name, std::vector<std::string>* prepared = nullptr,
                        std::function<void()> onGone = {})
      : mName(std::move(name)), mPrepared(prepared), mOnGone(std::move(onGone)) {}
  ~ProbeGraphic() override {
    if (mOnGone) mOnGone();
  }

  void Prepare() override {
    if (mPrepared) mPrepared->push_back(mName);
  }
  bool IsPlaying() override { return false; }
  void SetPlaying(bool) override {}
  void SetLooping(bool) override {}
  bool IsLooping() override { return false; }
  void SetCrossFade(bool) override {}
  int32_t GetWidth() override { return 0; }
  int32_t GetHeight() override { return 0; }
  std::shared_ptr<TTexture> GetTexture() override { return nullptr; }
  uint32_t GetFrameCount() override { return 1; }
  uint32_t GetFrame() override { return 0; }
  uint32_t SetFrame(uint32_t) override { return 1; }
  void Draw(const TVec2&, float, float, float) override {}
  void DrawScaled(const TVec2&, float, float, float, float) override {}
  void DrawSlices(const TVec2&, const std::vector<TSliceAlphas>&, float) override {}
  std::shared_ptr<TTexture> GetFrameTexture() override { return nullptr; }
  void SetBlendMode(int32_t) override {}
  int32_t GetBlendMode() override { return 0; }

 private:
  std::string mName;
  std::vector<std::string>* mPrepared;
  std::function<void()> mOnGone;
};

}  // namespace GUI
