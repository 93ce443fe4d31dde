#pragma once

namespace GUI {

// Counts a blocker or a gear into the level's metrics the first time its
// view draws it, however often it is drawn after.
class TShownCounter {
 public:
  void CountOnce();

 private:
  bool mCounted = false;
};

}  // namespace GUI
