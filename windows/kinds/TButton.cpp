#include "windows/kinds/TButton.h"

#include <algorithm>
#include <cstring>

#include "media/sound/TSound.h"
#include "media/texture/TTexture.h"
#include "windows/core/TMessage.h"
#include "windows/kinds/TModalWindow.h"
#include "windows/kinds/TText.h"
#include "windows/core/TWindowManager.h"
#include "windows/script/TWindowScript.h"

namespace {

// Mask pixels whose blue, green and red all stay below this are holes.
constexpr uint8_t kMaskThreshold = 20;
constexpr int32_t kBytesPerPixel = 4;

// The window itself or its first dialog-boundary ancestor; the outermost
// ancestor without one.
TWindow* DialogOf(TWindow* window) {
  while (!(window->GetFlags() & kWindowDialogBoundary) && window->GetParent()) window = window->GetParent();
  return window;
}

}  // namespace

bool TButton::LuaAction::Execute(TButton& button) {
  TWindowManager* manager = PlatformWindowManager();
  auto message = std::make_unique<TMessage>(kMessageLuaAction, TString("LuaAction:") + button.GetName(), nullptr);
  if (manager) manager->SendToScript(std::move(message), mFunction.get());
  return true;
}

TClassId TButton::ClassId() {
  static const char id = 0;
  return &id;
}

TButton* TButton::Cast(TWindow* window) {
  return window && window->IsKindOf(ClassId()) ? static_cast<TButton*>(window) : nullptr;
}

TButton::TButton(int32_t kind) : TLayeredWindow(kind != kPush ? 4 : 3), mKind(kind) {}

TButton::~TButton() { OnCaptureLost(); }

bool TButton::IsKindOf(TClassId id) const { return id == ClassId() || TLayeredWindow::IsKindOf(id); }

bool TButton::Init() {
  SetState(kNormal);
  return true;
}

void TButton::SetState(int32_t state) {
  const int32_t old = mState;
  mState = state;
  OnStateChange(state, old);
}

void TButton::OnStateChange(int32_t state, int32_t old) {
  if (state != old && state != kPressed) PlaySound(state);
  if (state != kClicked) SetLayer(LayerOf(state));
}

uint32_t TButton::LayerOf(int32_t state) const {
  if (mKind == kPush) return static_cast<uint32_t>(state);
  const bool checked = IsChecked();
  switch (state) {
    case kNormal: return checked ? 1 : 0;
    case kPressed: return checked ? 0 : 1;
    default: return checked ? 3 : 2;
  }
}

void TButton::PlaySound(int32_t state) {
  if (state < 0 || state >= static_cast<int32_t>(mSounds.size())) return;
  if (mSounds[state] && IsVisible()) mSounds[state]->Play(false);
}

void TButton::SetSound(int32_t state, const TString& name) {
  if (state < 0 || state >= static_cast<int32_t>(mSounds.size())) return;
  mSounds[state] = TSound::Get(name, true, 0);
}

std::shared_ptr<TSound> TButton::GetSound(int32_t state) const {
  return state >= 0 && state < static_cast<int32_t>(mSounds.size()) ? mSounds[state] : nullptr;
}

void TButton::SetFlags(uint32_t bits) {
  if (bits & kSetBeginsGroup) AddFlags(kWindowBeginsGroup);
  if (bits & kSetSendToParent) mButtonFlags |= kSendToParent;
  if (bits & kSetClose) mButtonFlags |= kClose;
  if (bits & kSetDefault) mButtonFlags |= kDefault;
}

void TButton::SetMask(const std::shared_ptr<TTexture>& texture) {
  mMask.clear();
  mMaskWidth = 0;
  mMaskHeight = 0;
  void* pixels = nullptr;
  int32_t lockedWidth = 0;
  int32_t lockedHeight = 0;
  int32_t pitch = 0;
  if (!texture || !texture->Lock(&pixels, &lockedWidth, &lockedHeight, &pitch)) return;
  const int32_t width = std::min(texture->GetWidth(), lockedWidth);
  const int32_t height = std::min(texture->GetHeight(), lockedHeight);
  const int32_t rowBytes = width * kBytesPerPixel;
  if (pixels && width > 0 && height > 0 && pitch >= rowBytes) {
    mMask.resize(static_cast<size_t>(rowBytes) * static_cast<size_t>(height));
    const auto* source = static_cast<const uint8_t*>(pixels);
    for (int32_t row = 0; row < height; ++row) {
      std::memcpy(&mMask[static_cast<size_t>(row) * rowBytes], source + static_cast<ptrdiff_t>(row) * pitch,
                  static_cast<size_t>(rowBytes));
    }
    mMaskWidth = width;
    mMaskHeight = height;
  }
  texture->Unlock();
}

bool TButton::IsOutside(int32_t x, int32_t y) {
  const int32_t width = GetWidth();
  const int32_t height = GetHeight();
  if (x < 0 || y < 0 || x > width || y > height || width <= 0 || height <= 0) {
    OnCaptureLost();
    return true;
  }
  if (mMaskWidth <= 0 || mMaskHeight <= 0) return false;
  const int64_t mx = static_cast<int64_t>(x) * mMaskWidth / width;
  const int64_t my = static_cast<int64_t>(y) * mMaskHeight / height;
  if (mx < mMaskWidth && my < mMaskHeight) {
    const uint8_t* pixel = &mMask[static_cast<size_t>((my * mMaskWidth + mx) * kBytesPerPixel)];
    if (pixel[0] >= kMaskThreshold || pixel[1] >= kMaskThreshold || pixel[2] >= kMaskThreshold) return false;
  }
  OnCaptureLost();
  return true;
}

bool TButton::OnMouseMove(int32_t x, int32_t y) {
  if (IsOutside(x, y)) return false;
  if (mState != kNormal) return true;
  SetState(kHover);
  if (TWindowManager* manager = PlatformWindowManager()) manager->SetCapture(this);
  return true;
}

bool TButton::OnMouseDown(int32_t x, int32_t y) {
  if (mState == kNormal) {
    if (TWindowManager* manager = PlatformWindowManager()) manager->SetCapture(this);
  }
  SetState(kPressed);
  IsOutside(x, y);
  return true;
}

void TButton::OnCaptureLost() {
  if (mState != kNormal) {
    if (TWindowManager* manager = PlatformWindowManager()) manager->ReleaseCapture(this);
  }
  SetState(kNormal);
}

bool TButton::OnMouseUp(int32_t x, int32_t y) {
  if (mState == kNormal || IsOutside(x, y)) return true;
  if (mState == kPressed) {
    OnStateChange(kClicked, kPressed);
    if (mSounds[kPressed] && IsVisible()) mSounds[kPressed]->Play(false);
    if (DoCommand()) return true;
  }
  if (mKind == kRadio) SetChecked(true);
  if (mKind == kCheck) SetChecked(!IsChecked());
  SetState(kHover);
  return true;
}

void TButton::SetChecked(bool checked) {
  if (mKind == kRadio && checked && GetParent()) UncheckGroup();
  if (checked) {
    mButtonFlags |= kChecked;
  } else {
    mButtonFlags &= ~static_cast<uint32_t>(kChecked);
  }
  SetState(mState);
}

// The group runs from the last group start up to this button (itself
// included), in creation order, to the next group start; without a start
// nothing is unchecked.
void TButton::UncheckGroup() {
  std::vector<TWindow*> siblings = GetParent()->GetChildren();
  std::reverse(siblings.begin(), siblings.end());
  const auto self = std::find(siblings.begin(), siblings.end(), this);
  if (self == siblings.end()) return;
  auto start = siblings.end();
  for (auto sibling = siblings.begin(); sibling != self + 1; ++sibling) {
    if ((*sibling)->GetFlags() & kWindowBeginsGroup) start = sibling;
  }
  if (start == siblings.end()) return;
  for (auto sibling = start; sibling != siblings.end(); ++sibling) {
    if (sibling != start && ((*sibling)->GetFlags() & kWindowBeginsGroup)) break;
    TButton* button = Cast(*sibling);
    if (button && button != this) button->SetChecked(false);
  }
}

TString TButton::GetLabel() {
  TText* label = TText::Cast(FindChild("label"));
  return label ? label->GetLabel() : TString("");
}

bool TButton::DoCommand() {
  TWindowManager* manager = PlatformWindowManager();
  if (!manager) return false;
  if (mButtonFlags & kClose) {
    if (TModalWindow* dialog = GetEnclosingModal()) {
      manager->PostMessage(std::make_unique<TMessage>(kMessageClose, TMessage::CloseName(dialog->GetSerial()), nullptr));
    }
    if (TWindowScript* script = manager->GetScript()) script->SetGlobalString("gReturnValue", GetName());
  }
  const bool toParent = (mButtonFlags & kSendToParent) != 0;
  TWindow* top = manager->GetTopModal();
  TWindow* target = toParent ? (top ? top->GetParent() : nullptr) : GetParent();
  auto command = std::make_unique<TMessage>(kMessageButtonPress, GetName(), target);
  if (mAction) {
    mAction->Execute(*this);
    if (DialogOf(this) != manager->GetTopModal()) {
      if (toParent) manager->PostMessage(std::move(command));
      return true;
    }
  }
  manager->PostMessage(std::move(command));
  return false;
}
