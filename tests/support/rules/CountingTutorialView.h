#pragma once

#include "game/rules/control/IScriptTutorialView.h"

// A scripted tutorial that counts the steps the rules report done.
class CountingTutorialView final : public GamePlay::IScriptTutorialView {
 public:
  int steps = 0;

  void RequestNextStep() override { ++steps; }
};
