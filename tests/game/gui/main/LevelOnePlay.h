#pragma once

#include <cstdint>
#include <string>

#include "game/gui/play/TArcadeWindow.h"
#include "game/rules/pieces/IPiece.h"
#include "game/rules/tower/ITowerModel.h"
#include "tests/game/gui/main/ScenarioChecks.h"
#include "tests/support/game/GameDriver.h"

// What the scenarios that play level 1-1 share.

// From the title menu through the map into level 1-1, as a player would:
// its play window with the level set up, or null (noted) when it does not
// show.
inline GUI::TArcadeWindow* PlayLevelOneFromTheMenu(GameDriver& driver) {
  WaitForLoadedMenu(driver);
  driver.Click("playButton");
  driver.Check(driver.WaitForWindow("worldName") != nullptr, "the map shows");
  driver.Click("level1");
  GUI::TArcadeWindow* window = GUI::TArcadeWindow::Cast(driver.WaitForWindow("playWindow"));
  const bool played = window && window->GetTowerControl();
  driver.Check(played, "level 1-1 is played");
  return played ? window : nullptr;
}

// Each ring of the level's tower as a line of colour digits, "." for a cell
// without colour.
inline std::string TowerColours(GUI::TArcadeWindow& window) {
  GamePlay::ITowerModel& tower = *window.GetTowerModel();
  std::string lines;
  for (int32_t ring = 0; ring < static_cast<int32_t>(tower.GetRingCount()); ++ring) {
    for (int32_t slot = 0; slot < static_cast<int32_t>(tower.GetSlotCount()); ++slot) {
      const int32_t colour = tower.GetPiece(ring, slot)->GetColour();
      lines += colour < 0 ? '.' : static_cast<char>('0' + colour);
    }
    lines += '\n';
  }
  return lines;
}
