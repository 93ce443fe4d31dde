#include "game/gui/effects/TComboViewImpl.h"

#include <algorithm>

#include "game/gui/play/TCellLocator.h"
#include "game/rules/control/TClockProxyRegistry.h"
#include "media/text/TTextLayout.h"
#include "platform/TPlatform.h"

namespace GUI {

namespace {

constexpr int32_t kComboFontSize = 50;
constexpr int32_t kComboLayoutFlags = TTextLayout::kCentreLines | TTextLayout::kCentreBlock;

}  // namespace

TComboViewImpl::TComboViewImpl()
    : mLayout(TTextLayout::Create("", kBoxWidth, kBoxSize, kComboLayoutFlags, "fonts/palabi.mvec", kComboFontSize,
                                  TColor(1.0f, 1.0f, 1.0f, 1.0f))) {}

TComboViewImpl::~TComboViewImpl() { TTextLayout::Delete(mLayout); }

void TComboViewImpl::OnScore(int32_t, int32_t, int32_t ring, int32_t slot, int32_t points, bool) {
  TPopup popup;
  popup.ring = ring;
  popup.slot = slot;
  popup.points = points;
  popup.clock.reset(GamePlay::TClockProxyRegistry::Instance().CreateClockProxy());
  popup.clock->Stop();
  popup.clock->Start();
  mPopups.push_back(std::move(popup));
}

float TComboViewImpl::Pulse(float progress) {
  if (progress < 0.3f) return progress / 0.3f;
  if (progress < 0.6f) return 1.0f - (progress - 0.3f) / 0.3f;
  if (progress < 0.8f) return (progress - 0.6f) / 0.2f;
  return (progress - 0.8f) / 0.2f;
}

TRect TComboViewImpl::BoxAround(const TVec2& point) {
  const int32_t left = static_cast<int32_t>(point.x) - kBoxWidth / 2;
  const int32_t top = static_cast<int32_t>(point.y) - kBoxSize / 2;
  return TRect(left, top, left + kBoxWidth, top + kBoxSize);
}

void TComboViewImpl::Update() {
  for (TPopup& popup : mPopups) {
    popup.progress = static_cast<float>(popup.clock->GetTime()) / static_cast<float>(kLifetimeMs);
  }
  std::erase_if(mPopups, [](const TPopup& popup) { return popup.progress > 1.0f; });
}

void TComboViewImpl::Draw() {
  TPlatform* platform = TPlatform::Instance();
  if (!platform) return;
  const bool entered = !platform->IsIn2d() && platform->Begin2d();
  Update();
  if (mTowerView) {
    for (const TPopup& popup : mPopups) DrawPopup(popup);
  }
  if (entered) platform->End2d();
}

void TComboViewImpl::DrawPopup(const TPopup& popup) {
  TCellLocator place(mTowerView, false);
  place.Set(popup.ring, popup.slot, false);
  mLayout->SetText(TString::Format("%d", popup.points));
  const float scale = ScaleAt(popup.progress);
  mLayout->Draw(BoxAround(place.GetPosition()), scale, scale, 0.0f, TVec2(0, 0), 1.0f - popup.progress);
}

}  // namespace GUI
