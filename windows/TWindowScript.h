#pragma once

#include <memory>

#include "windows/TScript.h"

class TMessage;

// The script on which every screen is built: windows are created from Lua
// tables through it. The window manager owns the one script of the program,
// which is also a task of the platform. It gives its state the message
// metatable, keeps whether scripted text labels are looked up in the
// platform's string table, and takes the messages meant for the scripts.
class TWindowScript : public TScript {
 public:
  TWindowScript();

  // Returns the previous setting.
  bool SetTranslateLabels(bool on);
  // Takes a message that no window took, for the scripts to read. Until the
  // scripts' message queues exist, the message ends here.
  virtual void QueueMessage(std::unique_ptr<TMessage> message);

 private:
  bool mTranslateLabels = false;
};
