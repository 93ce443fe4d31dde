#pragma once

#include "windows/kinds/TButton.h"

namespace GUI {

// Counts the presses of the button it is given to, as a dialog's hidden
// close button would close the dialog.
class ButtonPresses final : public TButton::Action {
 public:
  explicit ButtonPresses(int& presses) : mPresses(presses) {}
  bool Execute(TButton&) override {
    ++mPresses;
    return false;
  }

 private:
  int& mPresses;
};

}  // namespace GUI
