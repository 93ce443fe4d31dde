#include "media/DisplayResults.h"

#include "platform/TPlatform.h"

void CheckVideoMemory(sys::gfx::Result result) {
  if (result != sys::gfx::Result::OutOfVideoMemory) return;
  if (TPlatform* platform = TPlatform::Instance()) platform->ReportOutOfVideoMemory();
}
