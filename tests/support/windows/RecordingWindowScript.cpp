#include "tests/support/windows/RecordingWindowScript.h"

#include "windows/TMessage.h"

void RecordingWindowScript::QueueMessage(std::unique_ptr<TMessage> message) {
  received.push_back(std::to_string(message->GetType()) + " " + message->GetName().CStr());
}
