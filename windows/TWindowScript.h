#pragma once

#include <memory>

class TMessage;

// The script on which every screen is built: windows are created from Lua
// tables through it. The window manager owns the one script of the program.
// So far it keeps whether scripted text labels are looked up in the
// platform's string table, and takes the messages meant for the scripts.
class TWindowScript {
 public:
  TWindowScript() = default;
  virtual ~TWindowScript() = default;
  TWindowScript(const TWindowScript&) = delete;
  TWindowScript& operator=(const TWindowScript&) = delete;

  // Returns the previous setting.
  bool SetTranslateLabels(bool on);
  // Takes a message that no window took, for the scripts to read. Until the
  // scripts' message queues exist, the message ends here.
  virtual void QueueMessage(std::unique_ptr<TMessage> message);

 private:
  bool mTranslateLabels = false;
};
