#include "tests/support/game/OnScreenDesktop.h"

OnScreenDesktop::OnScreenDesktop(std::unique_ptr<FakeNativeWindow> scripted, std::unique_ptr<sys::NativeWindow> shown)
    : mScripted(std::move(scripted)), mShown(std::move(shown)) {}

void OnScreenDesktop::ReadInput(std::vector<sys::InputEvent>& out) {
  // The real window's events are taken so that its desktop sees it answer.
  std::vector<sys::InputEvent> dropped;
  mShown->ReadInput(dropped);
  mScripted->ReadInput(out);
}

void OnScreenDesktop::SetTitle(const std::string& utf8) {
  mScripted->SetTitle(utf8);
  mShown->SetTitle(utf8);
}

void OnScreenDesktop::Show() {
  mScripted->Show();
  mShown->Show();
}

void OnScreenDesktop::SetClientSize(int32_t width, int32_t height) {
  mScripted->SetClientSize(width, height);
  mShown->SetClientSize(width, height);
}

void OnScreenDesktop::ShowFrame(const sys::FrameView& frame) {
  mScripted->ShowFrame(frame);
  mShown->ShowFrame(frame);
}
