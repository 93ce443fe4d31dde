#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "windows/script/TWindowScript.h"

// A window script that notes the messages that reach it, "type name" (with
// " and a command" when a Lua command came with it), and lets them go
// instead of queueing them for the scripts.
class RecordingWindowScript : public TWindowScript {
 public:
  void QueueMessage(std::unique_ptr<TMessage> message, TLuaFunction* function) override;

  std::vector<std::string> received;
};
