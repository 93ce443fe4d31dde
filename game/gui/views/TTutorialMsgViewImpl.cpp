#include "game/gui/views/TTutorialMsgViewImpl.h"

#include "game/gui/effects/TGraphicRegistry.h"
#include "game/rules/control/IScriptTutorialView.h"
#include "game/rules/control/TClockProxyRegistry.h"
#include "game/rules/tower/ITowerModel.h"
#include "game/rules/tower/ITowerView.h"
#include "media/text/TTextLayout.h"
#include "platform/text/Log.h"

namespace GUI {
namespace {

constexpr int32_t kDialogTextMargin = 60;
// Lines centred in a block centred on the dialog, at a size read at a
// glance over the moving tower.
constexpr int32_t kDialogFontSize = 20;
constexpr int32_t kDialogLayoutFlags = TTextLayout::kCentreLines | TTextLayout::kCentreBlock;
constexpr char kDialogFont[] = "fonts/palabi.mvec";
// Where a dialog without items would stand, when no tower view says where
// the tower's centre is.
const TVec2 kMsgViewFallbackPlace(400.0f, 300.0f);

int32_t SizeOf(const std::shared_ptr<IGraphic>& graphic, int32_t (IGraphic::*size)()) {
  return graphic ? ((*graphic).*size)() : 0;
}

}  // namespace

TTutorialMsgViewImpl::TTutorialMsgViewImpl(TGraphicRegistry* registry)
    : mBackground(registry->GetGraphic("backgrounds/longdialog")),
      mButtonUp(registry->GetGraphic("sprites/tutorials/cont-btn-up")),
      mButtonDown(registry->GetGraphic("sprites/tutorials/cont-btn-down")),
      mTextWidth(SizeOf(mBackground, &IGraphic::GetWidth) - kDialogTextMargin),
      mTextHeight(SizeOf(mBackground, &IGraphic::GetHeight) - kDialogTextMargin),
      mRegistry(registry) {
  mTextBox = TTextLayout::Create("", mTextWidth, mTextHeight, kDialogLayoutFlags, kDialogFont,
                                 kDialogFontSize, TColor(0.0f, 0.0f, 0.0f, 1.0f));
}

// A level left while a modal dialog holds the game clocks must not leave
// the next level frozen.
TTutorialMsgViewImpl::~TTutorialMsgViewImpl() {
  if (mHoldingClocks) HoldClocks(false);
  TTextLayout::Delete(mTextBox);
}

bool TTutorialMsgViewImpl::IsModelFilling() { return mModel && mModel->IsFilling(); }

void TTutorialMsgViewImpl::HoldClocks(bool hold) {
  mHoldingClocks = hold;
  GamePlay::TClockProxyRegistry::Instance().SetSuspended(hold);
}

void TTutorialMsgViewImpl::StartFront() {
  if (mDialogs.front().modal) HoldClocks(true);
  mShown = true;
  mClock.Reset();
  mClock.Start();
}

// A dialog queued behind a shown modal one leaves the clocks held: they run
// again only once the queue is empty.
void TTutorialMsgViewImpl::ShowDialog(const std::vector<GamePlay::TDialogItem>& items, bool modal,
                                      bool endsLevel) {
  mDialogs.push_back({items, modal, endsLevel});
  if (!mModel || mModel->IsFilling()) return;
  HoldClocks(modal || mHoldingClocks);
  mShown = true;
  mClock.Reset();
  mClock.Start();
}

void TTutorialMsgViewImpl::AddOverlay(const TString& name) { mOverlays[name] = mRegistry->GetGraphic(name); }

void TTutorialMsgViewImpl::ShowOverlay(const TVec2& position, const TString& name) {
  const auto found = mOverlays.find(name);
  if (found == mOverlays.end()) {
    LogPrintf("Tutorial overlay '%s' was never added", name.CStr());
    return;
  }
  mOverlay = found->second;
  mOverlayPosition = position;
}

void TTutorialMsgViewImpl::HideOverlay() { mOverlay.reset(); }

void TTutorialMsgViewImpl::HideDialog() {
  if (mDialogs.empty()) return;
  const bool endsLevel = mDialogs.front().endsLevel;
  mDialogs.pop_front();
  if (!mDialogs.empty()) {
    // The next dialog shows at once at the fade reached; a modal one holds
    // the clocks as any modal dialog does.
    if (mDialogs.front().modal && !mHoldingClocks) HoldClocks(true);
    return;
  }
  HoldClocks(false);
  mFade = 0.0f;
  mShown = false;
  if (endsLevel && mTowerView) mTowerView->OnLevelEnd();
}

TVec2 TTutorialMsgViewImpl::ButtonPlace() {
  const TDialog& front = mDialogs.front();
  TVec2 place = kMsgViewFallbackPlace;
  if (!front.items.empty()) {
    place = front.items.front().position;
  } else if (mTowerView) {
    const GamePlay::TPoint centre = mTowerView->GetCentre();
    place = TVec2(static_cast<float>(centre.x), static_cast<float>(centre.y));
  }
  return TVec2(place.x, place.y + kButtonDrop);
}

TRect TTutorialMsgViewImpl::GetContinueButtonRect() {
  if (mDialogs.empty()) return TRect(0, 0, -1, -1);
  const TVec2 place = ButtonPlace();
  const int32_t width = SizeOf(mButtonUp, &IGraphic::GetWidth);
  const int32_t height = SizeOf(mButtonUp, &IGraphic::GetHeight);
  const auto left = static_cast<int32_t>(place.x - static_cast<float>(width) / 2.0f);
  const auto top = static_cast<int32_t>(place.y - static_cast<float>(height) / 2.0f);
  return TRect(left, top, left + width, top + height);
}

void TTutorialMsgViewImpl::OnMouseDown(const TVec2& point) {
  mPressed = false;
  if (mFade >= 1.0f && GetContinueButtonRect().Contains(point)) mPressed = true;
}

void TTutorialMsgViewImpl::OnMouseUp(const TVec2& point) {
  const bool pressed = mPressed;
  mPressed = false;
  if (!pressed || !IsWaitingForClick() || !GetContinueButtonRect().Contains(point)) return;
  HideDialog();
  if (mListener) mListener->RequestNextStep();
}

void TTutorialMsgViewImpl::AdvanceFade() {
  if (mFade >= 1.0f) return;
  mFade = static_cast<float>(mClock.GetTime()) / static_cast<float>(kFadeMilliseconds);
  if (mFade > 1.0f) {
    mFade = 1.0f;
    mClock.Reset();
  }
}

void TTutorialMsgViewImpl::DrawItem(const GamePlay::TDialogItem& item, bool withButton) {
  if (mBackground) mBackground->Draw(item.position, mFade * kBackgroundAlpha, 1.0f, 0.0f);
  mTextBox->SetText(item.text);
  const auto x = static_cast<int32_t>(item.position.x);
  const auto y = static_cast<int32_t>(item.position.y);
  const TRect box(x - mTextWidth / 2, y - mTextHeight / 2, x + mTextWidth / 2, y + mTextHeight / 2);
  mTextBox->Draw(box, 1.0f, 1.0f, 0.0f, TVec2(0, 0), mFade);
  if (!withButton) return;
  const std::shared_ptr<IGraphic>& button = mPressed ? mButtonDown : mButtonUp;
  if (button) button->Draw(TVec2(item.position.x, item.position.y + kButtonDrop), 1.0f, 1.0f, 0.0f);
}

void TTutorialMsgViewImpl::Draw() {
  if (!mDialogs.empty() && !IsModelFilling() && !mShown) StartFront();
  if (mFade == 0.0f && mDialogs.empty()) return;
  AdvanceFade();
  if (!mDialogs.empty()) {
    const TDialog& front = mDialogs.front();
    const bool withButton = mFade >= 1.0f && front.modal;
    for (const GamePlay::TDialogItem& item : front.items) DrawItem(item, withButton);
  }
  if (mOverlay) mOverlay->Draw(mOverlayPosition, 1.0f, 1.0f, 0.0f);
}

}  // namespace GUI
