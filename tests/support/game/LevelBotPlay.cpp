#include "tests/support/game/LevelBotPlay.h"

#include <optional>

#include "app/TAppPlatform.h"
#include "game/gui/play/TArcadeWindow.h"
#include "game/gui/progress/TWorldData.h"
#include "game/rules/control/ITowerControl.h"
#include "game/rules/control/TInputLocks.h"
#include "game/rules/scoring/TLevelResult.h"
#include "tests/support/FakeNativeWindow.h"
#include "tests/support/game/GameDriver.h"
#include "tests/support/game/RingPoints.h"
#include "tests/support/game/TowerBot.h"

namespace {

// Game time between two looks at a tower that is not at rest.
constexpr uint32_t kSettleLook = 50;
// Game time the pointer takes over each slot of a drag.
constexpr uint32_t kDragSlot = 20;

bool PlayEnded(GUI::TArcadeWindow& window) {
  return window.GetTowerControl()->GetInputLocks()->IsLocked(GamePlay::TInputLock::EndOfPlay);
}

// Grabs the ring straight above the centre and moves round it slot by slot,
// so that the pointer stays on the ring all the way.
void DragTurn(GameDriver& driver, GUI::TArcadeWindow& window, const TBotMove& move) {
  const GamePlay::TPoint from = GUI::PointOnRing(window, move.ring, 0);
  driver.Desktop().MoveTo(from.x, from.y);
  driver.Desktop().Press(sys::MouseButton::Left, from.x, from.y);
  driver.AdvanceTime(kDragSlot);
  const int32_t way = move.steps > 0 ? 1 : -1;
  GamePlay::TPoint to = from;
  for (int32_t slot = way; slot != move.steps + way; slot += way) {
    to = GUI::PointOnRing(window, move.ring, static_cast<float>(slot));
    driver.Desktop().MoveTo(to.x, to.y);
    driver.AdvanceTime(kDragSlot);
  }
  driver.Desktop().Release(sys::MouseButton::Left, to.x, to.y);
  driver.AdvanceTime(kDragSlot);
}

}  // namespace

TLevelBotRun PlayLevelWithBot(GameDriver& driver, uint32_t mostMilliseconds) {
  TLevelBotRun run;
  TowerBot bot;
  if (!driver.Platform()) return run;
  const uint32_t start = driver.Platform()->GetTime();
  while (driver.Platform() && driver.Platform()->GetTime() - start < mostMilliseconds) {
    auto* window = GUI::TArcadeWindow::Cast(driver.FindWindow("playWindow"));
    GamePlay::ITowerModel* tower = GamePlay::TWorldData::Instance().GetLevelResult().tower;
    if (!window || !tower || !window->GetTowerControl()) break;
    if (PlayEnded(*window)) {
      run.ended = true;
      break;
    }
    std::optional<TBotMove> move;
    if (GUI::TArcadeWindow::AreGameClocksRunning() && TowerBot::IsAtRest(*tower, *window->GetTowerControl())) {
      move = bot.ChooseMove(*tower);
    }
    if (move) {
      DragTurn(driver, *window, *move);
      ++run.moves;
    } else {
      driver.AdvanceTime(kSettleLook);
    }
  }
  return run;
}
