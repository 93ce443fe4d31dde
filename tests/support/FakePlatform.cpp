#include "tests/support/FakePlatform.h"

bool FakePlatform::BeginDraw(bool hideCursor) {
  journal.Add(hideCursor ? "BeginDraw 1" : "BeginDraw 0");
  return beginDraw;
}

void FakePlatform::EndDraw(bool present) { journal.Add(present ? "EndDraw 1" : "EndDraw 0"); }

bool FakePlatform::ConsumeRepaintRequest() {
  bool requested = repaintRequested;
  repaintRequested = false;
  return requested;
}

void FakePlatform::PushViewport(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  journal.Add("PushViewport" + JournalNumbers({left, top, right, bottom}));
}

int32_t FakePlatform::PopViewport() {
  journal.Add("PopViewport");
  return 0;
}

void FakePlatform::DrawRect(int32_t left, int32_t top, int32_t right, int32_t bottom, const TColor& colour,
                            const std::shared_ptr<TTexture>& texture) {
  journal.Add(DrawRectEntry(left, top, right, bottom, colour.a, texture != nullptr));
}
