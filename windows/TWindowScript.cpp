#include "windows/TWindowScript.h"

#include "windows/TMessage.h"

bool TWindowScript::SetTranslateLabels(bool on) {
  bool previous = mTranslateLabels;
  mTranslateLabels = on;
  return previous;
}

void TWindowScript::QueueMessage(std::unique_ptr<TMessage>) {}
