#pragma once

#include <cstdint>

#include "tests/support/game/TowerBot.h"
#include "tests/support/rules/LevelRig.h"

// The tower bot at a rig's level: whenever the tower is at rest it picks
// the best turn and drags it over three updates: press, move, release.
class RigBot {
 public:
  explicit RigBot(LevelRig& rig) : mRig(rig) {}

  // Looks for a move when the bot is not dragging and the tower is at rest.
  void Plan();
  // The input of the planned drag due before the next update.
  void Act();
  int64_t Searches() const { return mBot.searches; }

  int64_t moves = 0;

 private:
  enum class TInput { None, Press, Move, Release };

  LevelRig& mRig;
  TowerBot mBot;
  TInput mNext = TInput::None;
  TBotMove mMove;
};

// How a level that the bot played ended.
enum class TBotOutcome { Won, TimeUp, NoMove, Unfinished };

struct TBotRun {
  TBotOutcome outcome = TBotOutcome::Unfinished;
  int64_t updates = 0;
  int64_t moves = 0;
};

// The bot plays the rig's level until the play ends or the updates run out.
TBotRun PlayWithBot(LevelRig& rig, int64_t mostUpdates);
const char* OutcomeName(TBotOutcome outcome);
