#pragma once

#include "platform/text/TString.h"

namespace GamePlay {

// The closing animation of a level as the rules see it: the panel that
// shows an awarded quote, faded in step by step by the end-of-level flow.
class IEndLevelAnimationView {
 public:
  virtual ~IEndLevelAnimationView() = default;

  // Takes the panel's texts and starts it from nothing.
  virtual void Start(const TString& title, const TString& quote) = 0;
  // One step of the fade-in; true once it has gone past the end.
  virtual bool Advance() = 0;
  virtual bool IsDone() = 0;
  virtual void SkipToEnd() = 0;
};

}  // namespace GamePlay
