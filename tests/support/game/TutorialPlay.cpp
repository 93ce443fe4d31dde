#include "tests/support/game/TutorialPlay.h"

#include "game/gui/play/TArcadeWindow.h"
#include "game/gui/views/TTutorialMsgViewImpl.h"
#include "game/rules/tower/ITowerModel.h"
#include "tests/support/game/GameDriver.h"
#include "tests/support/game/RingPoints.h"

namespace {

constexpr uint32_t kTutorialStepMs = 80;
constexpr int kTutorialMostSteps = 400;
constexpr int kTutorialMoveAttempts = 20;
constexpr uint32_t kTutorialAfterMoveMs = 1000;

// Drags a ring one slot the way the model says lines up a match.
void DragAMatch(GameDriver& driver, GUI::TArcadeWindow& window) {
  GamePlay::ITowerModel& model = *window.GetTowerModel();
  int32_t ring = 0;
  float slots = 1.0f;
  for (int32_t candidate = static_cast<int32_t>(model.GetRingCount()) - 1; candidate >= 0; --candidate) {
    for (int32_t steps : {1, -1}) {
      if (!model.PredictMatches({{candidate, steps}}).empty()) {
        ring = candidate;
        slots = static_cast<float>(steps);
      }
    }
  }
  const GamePlay::TPoint from = GUI::PointOnRing(window, ring, 0);
  const GamePlay::TPoint to = GUI::PointOnRing(window, ring, slots);
  driver.Drag(from.x, from.y, to.x, to.y);
}

}  // namespace

bool WaitForTutorialDialog(GameDriver& driver, GUI::TTutorialMsgViewImpl& messages) {
  for (int step = 0; step < kTutorialMostSteps && messages.GetFade() < 1.0f; ++step) {
    driver.AdvanceTime(kTutorialStepMs);
  }
  return messages.GetFade() >= 1.0f;
}

void ClickTutorialContinue(GameDriver& driver, GUI::TTutorialMsgViewImpl& messages) {
  const TRect button = messages.GetContinueButtonRect();
  driver.ClickAt((button.left + button.right) / 2, (button.top + button.bottom) / 2);
}

bool DragMatchesUntilADialogWaits(GameDriver& driver, GUI::TArcadeWindow& window,
                                  GUI::TTutorialMsgViewImpl& messages) {
  for (int attempt = 0; attempt < kTutorialMoveAttempts && !messages.IsWaitingForClick(); ++attempt) {
    DragAMatch(driver, window);
    driver.AdvanceTime(kTutorialAfterMoveMs);
  }
  return messages.IsWaitingForClick();
}
