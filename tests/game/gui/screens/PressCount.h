#pragma once

#include "windows/kinds/TButton.h"

namespace GUI {

// Counts the presses of the button it is given to.
class PressCount final : public TButton::Action {
 public:
  explicit PressCount(int& presses) : mPresses(presses) {}
  bool Execute(TButton&) override {
    ++mPresses;
    return false;
  }

 private:
  int& mPresses;
};

}  // namespace GUI
