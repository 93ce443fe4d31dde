#include "game/gui/views/TDAPViewDrawerBased.h"

#include <algorithm>

namespace GUI {

TDAPViewDrawerBased::TDAPViewDrawerBased(GamePlay::ITowerView* towerView,
                                         TViewGraphics::Graphic graphic)
    : mTowerView(towerView), mGraphic(std::move(graphic)) {
  mClock.Reset();
  mClock.Start();
}

float TDAPViewDrawerBased::GetRemaining() const {
  const float elapsed =
      static_cast<float>(mClock.GetTime()) / static_cast<float>(GetDuration());
  return 1.0f - std::min(elapsed, 1.0f);
}

// Weights that add up to a hair over 1 would still find a phase at the very
// end: once the time has run out no phase draws.
void TDAPViewDrawerBased::Draw(GamePlay::TDisappearingPiece& piece, const TVec2& pos,
                               float alpha, float scaleX, float scaleY, float rotation) {
  const float remaining = GetRemaining();
  float reached = 0.0f;
  for (TPhase& phase : mPhases) {
    if (remaining <= 0.0f) break;
    reached += phase.weight;
    if (1.0f - reached < remaining) {
      const float u = (remaining - (1.0f - reached)) / phase.weight;
      phase.handler->Invoke(piece, u, pos, alpha, scaleX, scaleY, rotation);
      break;
    }
  }
  for (const auto& child : mChildren) child->Draw(piece, pos, alpha, scaleX, scaleY, rotation);
}

void TDAPViewDrawerBased::SetCell(int32_t ring, int32_t slot) {
  mRing = ring;
  mSlot = slot;
  for (const auto& child : mChildren) child->SetCell(ring, slot);
}

bool TDAPViewDrawerBased::IsFinished() {
  if (GetRemaining() > 0.0f) return false;
  return std::all_of(mChildren.begin(), mChildren.end(),
                     [](const auto& child) { return child->IsFinished(); });
}

void TDAPViewDrawerBased::AddChild(std::unique_ptr<IDAPViewDrawer> child) {
  mChildren.push_back(std::move(child));
}

}  // namespace GUI
