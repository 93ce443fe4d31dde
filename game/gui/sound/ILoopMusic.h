#pragma once

namespace GUI {

// A music player: plays from Start until it is deleted, which stops it.
class ILoopMusic {
 public:
  virtual ~ILoopMusic() = default;
  virtual void Start() = 0;
};

}  // namespace GUI
