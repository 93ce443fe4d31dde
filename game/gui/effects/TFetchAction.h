#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "platform/text/TString.h"

namespace GUI {

class TGraphicRegistry;

// One queued load of the graphics registry: Fetch makes the graphic and
// registers it under the action's name; the cost weighs the action when the
// queue is ordered (1 for a single image, the frame count for an animation).
class TFetchAction {
 public:
  TFetchAction(TGraphicRegistry& registry, TString name) : mRegistry(&registry), mName(std::move(name)) {}
  virtual ~TFetchAction() = default;
  TFetchAction(const TFetchAction&) = delete;
  TFetchAction& operator=(const TFetchAction&) = delete;

  virtual void Fetch() = 0;
  virtual uint32_t GetCost() const = 0;
  // The name the graphic is registered under.
  const TString& GetName() const { return mName; }

 protected:
  TGraphicRegistry& Registry() const { return *mRegistry; }

 private:
  TGraphicRegistry* mRegistry;
  TString mName;
};

// A static graphic of the image of the action's name.
class TFetchStatic final : public TFetchAction {
 public:
  using TFetchAction::TFetchAction;
  void Fetch() override;
  uint32_t GetCost() const override { return 1; }
};

// A static graphic of the image of the action's name, its alpha from a
// second image.
class TFetchStaticWithAlpha final : public TFetchAction {
 public:
  TFetchStaticWithAlpha(TGraphicRegistry& registry, TString name, TString alphaName)
      : TFetchAction(registry, std::move(name)), mAlphaName(std::move(alphaName)) {}
  void Fetch() override;
  uint32_t GetCost() const override { return 1; }

 private:
  TString mAlphaName;
};

// An animation whose frame i is frame image i masked by the one alpha image.
class TFetchAnimationWithAlpha final : public TFetchAction {
 public:
  TFetchAnimationWithAlpha(TGraphicRegistry& registry, TString name, TString alphaName, std::vector<TString> frames)
      : TFetchAction(registry, std::move(name)), mAlphaName(std::move(alphaName)), mFrames(std::move(frames)) {}
  void Fetch() override;
  uint32_t GetCost() const override { return static_cast<uint32_t>(mFrames.size()); }

 private:
  TString mAlphaName;
  std::vector<TString> mFrames;
};

// An animation whose frame i is the one colour image masked by alpha image i.
class TFetchAnimationWithAlphaList final : public TFetchAction {
 public:
  TFetchAnimationWithAlphaList(TGraphicRegistry& registry, TString name, std::vector<TString> alphaFrames,
                               TString colourName)
      : TFetchAction(registry, std::move(name)), mAlphaFrames(std::move(alphaFrames)),
        mColourName(std::move(colourName)) {}
  void Fetch() override;
  uint32_t GetCost() const override { return static_cast<uint32_t>(mAlphaFrames.size()); }

 private:
  std::vector<TString> mAlphaFrames;
  TString mColourName;
};

// An animation of frame images, playing by its own clock when the rate
// (frames per second) is above 0.
class TFetchAnimationWithFrameRate final : public TFetchAction {
 public:
  TFetchAnimationWithFrameRate(TGraphicRegistry& registry, TString name, float framesPerSecond,
                               std::vector<TString> frames)
      : TFetchAction(registry, std::move(name)), mFramesPerSecond(framesPerSecond), mFrames(std::move(frames)) {}
  void Fetch() override;
  uint32_t GetCost() const override { return static_cast<uint32_t>(mFrames.size()); }

 private:
  float mFramesPerSecond;
  std::vector<TString> mFrames;
};

}  // namespace GUI
