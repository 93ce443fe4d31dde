#pragma once

namespace GUI {

// Draws one graphic at a stage of its animation, t running from 0 to 1.
class IGraphicAnimControl {
 public:
  virtual ~IGraphicAnimControl() = default;
  virtual void Apply(float t) = 0;
};

}  // namespace GUI
