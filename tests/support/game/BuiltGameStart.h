#pragma once

#include "tests/support/BuiltDataFolder.h"
#include "tests/support/TempFolder.h"
#include "tests/support/game/ForkedGame.h"

// A start of the game over the data folder the build made, with per-user
// folders of its own that every start through it shares.
struct BuiltGameStart {
  BuiltGameStart() {
    start.programFolder = BuiltDataFolder::ProgramFolder();
    start.home = home.Path();
  }

  TempFolder home;
  GameStart start;
};
