#include "tests/support/FakePlatform.h"

#include "media/TVertexList.h"

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

bool FakePlatform::Begin2d() {
  journal.Add("Begin2d");
  return begin2d;
}

void FakePlatform::SetTexture(const std::shared_ptr<TTexture>& texture) {
  journal.Add(texture ? "SetTexture" : "SetTexture none");
}

void FakePlatform::DrawVertices(int32_t primitiveType, TVertexList* vertices) {
  journal.Add("DrawVertices" + JournalNumbers({primitiveType, vertices->kind, vertices->count}));
}

bool FakePlatform::PushRenderTarget(const std::shared_ptr<TTexture>&) {
  journal.Add("PushRenderTarget");
  return pushRenderTarget;
}

bool FakePlatform::PopRenderTarget() {
  journal.Add("PopRenderTarget");
  return true;
}
