#pragma once

namespace GamePlay {

// The scripted tutorial of a level, which advances when the rules report that
// the step the player was asked for is done.
class IScriptTutorialView {
 public:
  virtual ~IScriptTutorialView() = default;
  virtual void RequestNextStep() = 0;
};

}  // namespace GamePlay
