#pragma once

namespace GUI {

// A short animation the tower view plays over the pieces: it keeps the
// effect while it is alive, draws it once a frame, and drops it once it has
// finished.
class IEffect {
 public:
  virtual ~IEffect() = default;
  virtual bool IsAlive() = 0;
  virtual bool IsFinished() = 0;
  virtual void Draw() = 0;
};

}  // namespace GUI
