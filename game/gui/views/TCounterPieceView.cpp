#include "game/gui/views/TCounterPieceView.h"

#include <cmath>
#include <utility>

#include "game/rules/control/TClockProxyRegistry.h"
#include "game/rules/pieces/PieceAs.h"
#include "game/rules/pieces/TCounterPiece.h"

namespace GUI {

namespace {

constexpr uint32_t kCounterPulsePerCount = 400;  // ms of the pulse's period per count shown
constexpr uint32_t kCounterFramesPulsing = 5;    // frames below this one pulse

// The white's alpha: 0.5 at the start of each period, 0 halfway through.
float CounterPulseAlpha(uint32_t clock, int32_t count) {
  if (count <= 0) return 0.0f;
  const uint32_t period = static_cast<uint32_t>(count) * kCounterPulsePerCount;
  const float phase = static_cast<float>(clock % period) - static_cast<float>(period) / 2;
  return std::fabs(phase / static_cast<float>(period));
}

}  // namespace

TCounterPieceView::TCounterPieceView(std::shared_ptr<IGraphic> digits,
                                     std::shared_ptr<IGraphic> white,
                                     const GamePlay::TPiecePtr& piece,
                                     GamePlay::ITowerView* towerView)
    : TCellPieceView(piece, towerView),
      mDigits(std::move(digits)),
      mWhite(std::move(white)),
      mPulseClock(GamePlay::TClockProxyRegistry::Instance().CreateClockProxy()) {
  mPulseClock->Stop();
  mPulseClock->Start();
}

void TCounterPieceView::Draw(const TVec2& pos, float alpha, float scaleX, float scaleY,
                             float rotation) {
  GamePlay::TPiecePtr piece = Piece();
  auto* counter = GamePlay::PieceAs<GamePlay::TCounterPiece>(piece.get());
  if (!counter) return;
  // The counter wraps a blocker; what shows is the piece inside that.
  if (GamePlay::TPiecePtr blocker = counter->GetInner()) {
    GamePlay::TPiecePtr inner = blocker->GetInner();
    GamePlay::TPieceViewPtr view = inner && inner != blocker ? inner->GetView() : nullptr;
    if (view) view->Draw(pos, alpha, scaleX, scaleY, rotation);
  }
  const int32_t count = counter->GetCounterValue();
  const uint32_t frame = count > 0 ? static_cast<uint32_t>(count - 1) : 0;
  if (mDigits) {
    mDigits->SetFrame(frame);
    mDigits->DrawScaled(pos, alpha, scaleX, scaleY, rotation);
  }
  if (frame < kCounterFramesPulsing && mWhite) {
    mWhite->DrawScaled(pos, CounterPulseAlpha(mPulseClock->GetTime(), count), scaleX, scaleY,
                       rotation);
  }
}

}  // namespace GUI
