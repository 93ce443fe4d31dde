#include "windows/core/TMessage.h"

TClassId TMessage::ClassId() {
  static const char id = 0;
  return &id;
}

TString TMessage::CloseName(uint32_t serial) { return TString::Format("%8x", serial); }
