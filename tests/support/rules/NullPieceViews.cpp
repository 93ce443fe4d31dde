#include "tests/support/rules/NullPieceViews.h"

#include "tests/support/rules/DisappearingDrawerStandIn.h"

using GamePlay::TPiecePtr;
using GamePlay::TPieceViewPtr;

void NullPieceView::SetCell(int32_t newRing, int32_t newSlot, bool newLifted) {
  ring = newRing;
  slot = newSlot;
  lifted = newLifted;
}

TPieceViewPtr NullPieceViewFactory::Make(const std::string& kind) {
  made.push_back(kind);
  return std::make_shared<NullPieceView>(kind);
}

TPieceViewPtr NullPieceViewFactory::CreateStandardView(const TPiecePtr&) {
  return Make("CreateStandardView");
}

TPieceViewPtr NullPieceViewFactory::CreatePowerUpPieceView(const TPiecePtr&) {
  return Make("CreatePowerUpPieceView");
}

TPieceViewPtr NullPieceViewFactory::CreateDisappearingView(const TPiecePtr& piece,
                                                           GamePlay::ITowerModel*) {
  made.push_back("CreateDisappearingView");
  return std::make_shared<DisappearingDrawerStandIn>(piece);
}

TPieceViewPtr NullPieceViewFactory::CreateFallingView(const TPiecePtr&) {
  return Make("CreateFallingView");
}

TPieceViewPtr NullPieceViewFactory::CreateRaisingView(const TPiecePtr&) {
  return Make("CreateRaisingView");
}

TPieceViewPtr NullPieceViewFactory::CreateMovingView(const TPiecePtr&) {
  return Make("CreateMovingView");
}

TPieceViewPtr NullPieceViewFactory::CreateBlockedView(const TPiecePtr&, int32_t colour) {
  return Make("CreateBlockedView " + std::to_string(colour));
}

TPieceViewPtr NullPieceViewFactory::CreateCounterView(const TPiecePtr&) {
  return Make("CreateCounterView");
}

std::shared_ptr<GamePlay::IPowerUpView> NullPieceViewFactory::CreatePowerUpView(
    const std::shared_ptr<GamePlay::IPowerUp>&) {
  made.push_back("CreatePowerUpView");
  return std::make_shared<NullPowerUpView>();
}
