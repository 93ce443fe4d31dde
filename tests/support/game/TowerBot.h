#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <vector>

namespace GamePlay {
class ITowerControl;
class ITowerModel;
}  // namespace GamePlay

// A drag of one ring: `steps` slots round, clockwise when positive.
struct TBotMove {
  int32_t ring = 0;
  int32_t steps = 0;
};

// Plays like a player who looks for the ring turn that feeds the jugs most,
// or else matches the most pieces: it tries every turn of every free ring
// (with the rings linked to it) with the tower's prediction and picks the
// best. A tower in which no turn matches is not searched again until it
// changes. It reads only the tower and its control, so the same bot plays
// a level assembled by a test and the level the running game shows.
class TowerBot {
 public:
  // Whether the tower takes a grab now: nothing locked, no combo running,
  // no column that can take a new piece.
  static bool IsAtRest(GamePlay::ITowerModel& tower, GamePlay::ITowerControl& control);

  // The best turn of the tower as it stands; none when no turn matches.
  std::optional<TBotMove> ChooseMove(GamePlay::ITowerModel& tower);

  int64_t searches = 0;

 private:
  std::map<int32_t, int32_t> FreeLinkedRings(GamePlay::ITowerModel& tower, int32_t ring);
  // codes: the tower's cell codes as they are before the turn.
  size_t Worth(GamePlay::ITowerModel& tower, const std::map<int32_t, int32_t>& linked, int32_t steps,
               const std::vector<int32_t>& codes);

  std::vector<int32_t> mFruitless;
};
