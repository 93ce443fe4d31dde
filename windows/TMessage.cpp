#include "windows/TMessage.h"

TClassId TMessage::ClassId() {
  static const char id = 0;
  return &id;
}

TMessage::TMessage(int32_t type, const TString& name, TWindow* target)
    : mType(type), mName(name), mTarget(target) {}

bool TMessage::IsKindOf(TClassId id) const { return id == ClassId(); }

TMessage::~TMessage() = default;

