#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "windows/TWindowScript.h"

// A window script that notes the messages that reach it, "type name", and
// lets them go as the real one does until its queues exist.
class RecordingWindowScript : public TWindowScript {
 public:
  void QueueMessage(std::unique_ptr<TMessage> message) override;

  std::vector<std::string> received;
};
