#include "tests/support/FakePlatform.h"

#include "media/display/TDisplayHandler.h"
#include "media/display/TVertexList.h"

void FakePlatform::Record(const std::string& entry) {
  if (recording) journal.Add(entry);
}

bool FakePlatform::BeginDraw(bool keepPicture) {
  Record(keepPicture ? "BeginDraw 1" : "BeginDraw 0");
  return beginDraw;
}

void FakePlatform::EndDraw(bool present) { Record(present ? "EndDraw 1" : "EndDraw 0"); }

bool FakePlatform::ConsumeRepaintRequest() {
  bool requested = repaintRequested;
  repaintRequested = false;
  return requested;
}

void FakePlatform::PushViewport(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  if (recording) Record("PushViewport" + JournalNumbers({left, top, right, bottom}));
  viewportStack.push_back(viewport);
  viewport = TRect(left, top, right, bottom);
}

int32_t FakePlatform::PopViewport() {
  Record("PopViewport");
  if (!viewportStack.empty()) {
    viewport = viewportStack.back();
    viewportStack.pop_back();
  }
  return 0;
}

void FakePlatform::DrawRect(int32_t left, int32_t top, int32_t right, int32_t bottom, const TColor& colour,
                            const std::shared_ptr<TTexture>& texture) {
  Record(DrawRectEntry(left, top, right, bottom, colour.a, texture != nullptr));
  if (displayHandler) displayHandler->DrawRect(left, top, right, bottom, colour, texture.get());
}

void FakePlatform::PostQuitRequest() {
  ++quitRequests;
  Record("PostQuitRequest");
}

bool FakePlatform::PushRenderTarget(const std::shared_ptr<TTexture>& target) {
  Record(target ? "PushRenderTarget" : "PushRenderTarget none");
  return displayHandler ? displayHandler->PushRenderTarget(target) : renderTarget;
}

bool FakePlatform::PopRenderTarget() {
  Record("PopRenderTarget");
  return displayHandler ? displayHandler->PopRenderTarget() : true;
}


void FakePlatform::SetTextureFilter(int32_t mode) {
  Record("SetTextureFilter" + JournalNumbers({mode}));
  if (displayHandler) displayHandler->SetTextureFilter(mode);
}

void FakePlatform::ReleaseAssets() {
  Record("ReleaseAssets");
  if (assetManager) assetManager->ReleaseAll();
}

void FakePlatform::RestoreAssets() {
  Record("RestoreAssets");
  if (assetManager) assetManager->RestoreAll();
}

bool FakePlatform::Begin2d() {
  Record("Begin2d");
  if (!displayHandler) return begin2d;
  if (in2d) return false;
  in2d = displayHandler->Begin2d();
  return in2d;
}

void FakePlatform::End2d() {
  Record("End2d");
  if (!displayHandler) return;
  if (in2d) displayHandler->End2d();
  in2d = false;
}

void FakePlatform::SetTexture(const std::shared_ptr<TTexture>& texture) {
  Record(texture ? "SetTexture" : "SetTexture none");
  if (displayHandler) displayHandler->SetTexture(texture);
}

void FakePlatform::SetBlendMode(int32_t mode) {
  Record("SetBlendMode" + JournalNumbers({mode}));
  if (displayHandler) displayHandler->SetBlendMode(mode);
}

void FakePlatform::DrawVertices(int32_t primitiveType, TVertexList* vertices) {
  Record("DrawVertices" + JournalNumbers({primitiveType, vertices->kind, vertices->count}));
  if (displayHandler) displayHandler->DrawVertices(primitiveType, vertices);
}

TVecFont* FakePlatform::GetFont(const TString& name) {
  Record(std::string("GetFont ") + name.CStr());
  auto found = fonts.find(name.CStr());
  return found == fonts.end() ? nullptr : found->second;
}

bool FakePlatform::SetClipboardText(const TString& text) {
  if (!clipboardWorks) return false;
  clipboard = text.CStr();
  return true;
}

void FakePlatform::SetSetting(const TString& key, const TString& value) {
  settings[key.CStr()] = value.CStr();
}

TString FakePlatform::GetSetting(const TString& key) const {
  auto found = settings.find(key.CStr());
  return found == settings.end() ? TString("") : TString(found->second.c_str());
}

bool FakePlatform::SetFullScreen(bool on) {
  if (!fullScreenWorks) return false;
  fullScreen = on;
  return true;
}
