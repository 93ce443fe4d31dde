#include "tests/support/FakeDisplayHandler.h"

std::vector<std::string> FakeDisplayHandler::Calls() const {
  std::vector<std::string> calls;
  for (const std::string& entry : mJournal->Entries()) {
    if (entry.rfind("UpdateMouse", 0) != 0) calls.push_back(entry);
  }
  return calls;
}

void FakeDisplayHandler::SetDisplay(int32_t width, int32_t height, bool fullScreen, bool force, bool quiet,
                                    bool embedded) {
  Record("SetDisplay" + JournalNumbers({width, height, fullScreen, force, quiet, embedded}));
}

void FakeDisplayHandler::GetDisplaySize(int32_t& width, int32_t& height, bool& isFullScreen) {
  width = viewport.Width();
  height = viewport.Height();
  isFullScreen = fullScreen;
}

bool FakeDisplayHandler::SetFullScreen(bool on) {
  Record(on ? "SetFullScreen 1" : "SetFullScreen 0");
  if (fullScreenChanges) fullScreen = on;
  return fullScreenChanges;
}

bool FakeDisplayHandler::BeginDraw(bool keepPicture) {
  Record(keepPicture ? "BeginDraw 1" : "BeginDraw 0");
  return beginDraw;
}

void FakeDisplayHandler::EndDraw(bool present) { Record(present ? "EndDraw 1" : "EndDraw 0"); }

void FakeDisplayHandler::DrawRect(int32_t left, int32_t top, int32_t right, int32_t bottom, const TColor& colour,
                                  TTexture* target) {
  Record(DrawRectEntry(left, top, right, bottom, colour.a, target != nullptr));
}

void FakeDisplayHandler::SetViewport(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  Record("SetViewport" + JournalNumbers({left, top, right, bottom}));
}

void FakeDisplayHandler::GetViewport(int32_t& left, int32_t& top, int32_t& right, int32_t& bottom) {
  left = viewport.left;
  top = viewport.top;
  right = viewport.right;
  bottom = viewport.bottom;
}

void FakeDisplayHandler::PushViewport(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  Record("PushViewport" + JournalNumbers({left, top, right, bottom}));
}

void FakeDisplayHandler::DrawVertices(int32_t primitiveType, TVertexList*) {
  Record("DrawVertices " + std::to_string(primitiveType));
}

void FakeDisplayHandler::DrawIndexedVertices(int32_t primitiveType, TVertexList*, const uint16_t*, int32_t count) {
  Record("DrawIndexedVertices" + JournalNumbers({primitiveType, count}));
}

TMousePosition FakeDisplayHandler::UpdateMouse(int32_t x, int32_t y) {
  Record("UpdateMouse" + JournalNumbers({x, y}));
  return TMousePosition{polledX.load(), 0};
}

bool FakeDisplayHandler::SetMouseImage(const std::shared_ptr<TTexture>& texture, int32_t hotX, int32_t hotY) {
  Record(std::string("SetMouseImage ") + (texture ? "image" : "none") + JournalNumbers({hotX, hotY}));
  return true;
}
