#include "tests/support/windows/RecordingWindowScript.h"

#include "windows/core/TMessage.h"

void RecordingWindowScript::QueueMessage(std::unique_ptr<TMessage> message, TLuaFunction* function) {
  std::string entry = message ? std::to_string(message->GetType()) + " " + message->GetName().CStr() : "none";
  if (function) entry += " and a command";
  received.push_back(entry);
}
