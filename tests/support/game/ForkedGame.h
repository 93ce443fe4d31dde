#pragma once

#include <string>

#include "tests/support/game/GameDriver.h"

// How a game is started: its command line, the folder that holds its data
// folder "assets" (the program's own when empty) and, when not empty, the
// folder that takes the per-user folders in place of the caller's.
struct GameStart {
  std::string commandLine = "--multiple";
  std::string programFolder;
  std::string home;
  // Shown in a real window on the display as well (see GameDriver).
  bool onScreen = false;
  // Run before the script (see GameDriver::SetOpening).
  GameScript opening;
  // A child still running after this long is taken to hang and is ended.
  // Well above what a whole game takes on a busy machine (every frame is
  // drawn in software under the sanitizers, up to two minutes a game).
  unsigned mostSeconds = 300;
};

// How a game started by PlayGame ended: the program's exit code (-1 when it
// did not exit by itself) and the failures the script noted, one a line.
struct GameRun {
  int exitCode = -1;
  std::string failures;
};

// Plays one whole game, start-up to shut-down, in a child process of its
// own: the game's process-wide objects live once per process. The child
// runs on a fake clock over a fake desktop, the script taking its turns
// between passes of the loop.
GameRun PlayGame(const GameStart& start, const GameScript& script);
