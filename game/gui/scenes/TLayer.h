#pragma once

#include <memory>

#include "game/gui/effects/IGraphic.h"
#include "game/gui/scenes/TLayerTimeline.h"
#include "platform/text/TString.h"
#include "platform/types/TVec2.h"

namespace GUI::ScriptAnim {

// One picture of a scene with the properties it is drawn with and the
// timeline that changes them.
class TLayer {
 public:
  TLayer(const TString& fileName, std::shared_ptr<IGraphic> graphic)
      : mFileName(fileName), mGraphic(std::move(graphic)) {}

  // Moves the timeline on, then draws the picture unless it is too faint
  // or too small to see.
  void Draw(float alpha);

  void SetPos(const TVec2& position) { mPosition = position; }
  // At least 0.001.
  void SetScale(float scale);
  // Into 0 .. 1.
  void SetAlpha(float alpha);
  void SetRotation(float radians) { mRotation = radians; }

  const TString& GetFileName() const { return mFileName; }
  const TVec2& GetPos() const { return mPosition; }
  float GetScale() const { return mScale; }
  float GetAlpha() const { return mAlpha; }
  float GetRotation() const { return mRotation; }
  const std::shared_ptr<IGraphic>& GetGraphic() const { return mGraphic; }
  TLayerTimeline& GetTimeline() { return mTimeline; }

 private:
  TString mFileName;
  TVec2 mPosition;
  float mScale = 1.0f;
  float mAlpha = 1.0f;
  float mRotation = 0.0f;
  std::shared_ptr<IGraphic> mGraphic;
  TLayerTimeline mTimeline;
};

}  // namespace GUI::ScriptAnim
