#pragma once

#include <cstdint>
#include <map>
#include <vector>

#include "tests/support/rules/LevelRig.h"

// Plays like a player who looks for the ring turn that feeds the jugs most,
// or else matches the most pieces: whenever the tower is at rest it tries every turn of every free
// ring (with the rings linked to it) with the tower's prediction, and drags
// the best one over three updates: press, move, release. A tower in which
// no turn matches is not searched again until it changes.
class TowerBot {
 public:
  explicit TowerBot(LevelRig& rig) : mRig(rig) {}

  // Looks for a move when the bot is not dragging and the tower is at rest.
  void Plan();
  // The input of the planned drag due before the next update.
  void Act();

  int64_t moves = 0;
  int64_t searches = 0;

 private:
  enum class TInput { None, Press, Move, Release };

  bool IsAtRest();
  bool ChooseMove();
  std::map<int32_t, int32_t> FreeLinkedRings(int32_t ring);
  // codes: the tower's cell codes as they are before the turn.
  size_t Worth(const std::map<int32_t, int32_t>& linked, int32_t steps,
               const std::vector<int32_t>& codes);

  LevelRig& mRig;
  TInput mNext = TInput::None;
  int32_t mRing = 0;
  int32_t mSteps = 0;
  std::vector<int32_t> mFruitless;
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
