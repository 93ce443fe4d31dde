#pragma once

#include <memory>
#include <utility>

#include "game/gui/effects/IGraphicAnimControl.h"
#include "platform/types/TVec2.h"

namespace GUI {

class IGraphic;

// The graphic at twice its size, moving in a straight line from one point
// to another; before the start it stands at the first, after the end at the
// second.
class TPosTransControl final : public IGraphicAnimControl {
 public:
  TPosTransControl(std::shared_ptr<IGraphic> graphic, const TVec2& from, const TVec2& to);
  void Apply(float t) override;

 private:
  std::shared_ptr<IGraphic> mGraphic;
  TVec2 mFrom;
  TVec2 mTo;
};

// The graphic at twice its size, wiped in (show-up) or out (disappearing)
// from left to right in 100 strips; the strip the wipe is in fades across.
class TGraphicWipeControl : public IGraphicAnimControl {
 public:
  static constexpr int kStripCount = 100;
  void Apply(float t) override;

 protected:
  TGraphicWipeControl(std::shared_ptr<IGraphic> graphic, const TVec2& position, bool showUp);

 private:
  std::shared_ptr<IGraphic> mGraphic;
  TVec2 mPosition;
  bool mShowUp;
};

class TGraphicShowUpControl final : public TGraphicWipeControl {
 public:
  TGraphicShowUpControl(std::shared_ptr<IGraphic> graphic, const TVec2& position)
      : TGraphicWipeControl(std::move(graphic), position, true) {}
};

class TGraphicDisappearingControl final : public TGraphicWipeControl {
 public:
  TGraphicDisappearingControl(std::shared_ptr<IGraphic> graphic, const TVec2& position)
      : TGraphicWipeControl(std::move(graphic), position, false) {}
};

}  // namespace GUI
