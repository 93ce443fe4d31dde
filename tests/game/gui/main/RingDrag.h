#pragma once

#include <cstdint>

#include "game/gui/play/TArcadeWindow.h"
#include "tests/support/game/RingPoints.h"
#include "tests/support/FakeNativeWindow.h"
#include "tests/support/game/GameDriver.h"

// A person's drag of a ring one slot round: the pointer grabs the ring
// straight above the centre and moves while game time goes on; a second
// after the release the game has taken it in.
inline void DragRingOneSlot(GameDriver& driver, GUI::TArcadeWindow& window, int32_t ring) {
  const GamePlay::TPoint from = GUI::PointOnRing(window, ring, 0);
  const GamePlay::TPoint to = GUI::PointOnRing(window, ring, 1);
  driver.Desktop().MoveTo(from.x, from.y);
  driver.Desktop().Press(sys::MouseButton::Left, from.x, from.y);
  driver.AdvanceTime(30);
  driver.Desktop().MoveTo(to.x, to.y);
  driver.AdvanceTime(30);
  driver.Desktop().Release(sys::MouseButton::Left, to.x, to.y);
  driver.AdvanceTime(1000);
}
