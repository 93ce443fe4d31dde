#pragma once

namespace GUI::ScriptAnim {

class TLayer;

// An item of a layer's timeline: an event, a loop or a change of one
// property. Times are milliseconds of the layer's clock.
class TLayerAttribute {
 public:
  // Brings the layer to the item's state at the time.
  virtual void Apply(TLayer& layer, float time) = 0;
  virtual bool IsActive(float time) = 0;
  // May start a further run of a loop, which then answers false.
  virtual bool IsFinished(float time) = 0;
  virtual float GetStart() = 0;
  virtual float GetEnd() = 0;
  virtual void Reset() = 0;

 protected:
  ~TLayerAttribute() = default;
};

}  // namespace GUI::ScriptAnim
