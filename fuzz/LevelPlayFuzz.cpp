// Plays a whole level from arbitrary level files, as a damaged install would
// hand them to the game: the level's file, "levels/scores.xml",
// "levels/powerup.xml" and the piece table, then a play of drags, double
// clicks and waits (see LevelFuzzInput), through the tests' level rig. The
// level starts up, takes the moves, plays on to its end or a bound of
// updates, and is tallied.
#include <algorithm>
#include <cstdint>
#include <string_view>

#include "game/rules/scoring/TScoring.h"
#include "game/rules/tower/TTower.h"
#include "tests/support/rules/LevelFuzzInput.h"
#include "tests/support/rules/SampleLevels.h"

namespace {

using namespace GamePlay;

constexpr int kStartUpdates = 300;
constexpr int kUpdatesAfterMove = 10;
constexpr int kMostUpdates = 3000;  // half a minute of play
constexpr int kUpdatesAtTheEnd = 300;

class Player {
 public:
  Player(LevelRig& rig, std::string_view moves) : mRig(rig), mMoves(moves) {}

  void Play() {
    Run(kStartUpdates);
    for (size_t at = 0; at + 3 <= mMoves.size() && mUpdates < kMostUpdates; at += 3) {
      Move(static_cast<uint8_t>(mMoves[at]), static_cast<uint8_t>(mMoves[at + 1]),
           static_cast<uint8_t>(mMoves[at + 2]));
      Run(kUpdatesAfterMove);
    }
    Run(kUpdatesAtTheEnd);
    mRig.scoring->LevelEndTally();
    mRig.scoring->GetDisplayScore();
  }

 private:
  void Move(uint8_t kind, uint8_t first, uint8_t second) {
    int32_t rings = static_cast<int32_t>(mRig.tower->GetRingCount());
    int32_t slots = static_cast<int32_t>(mRig.tower->GetSlotCount());
    switch (static_cast<LevelFuzzMove>(kind % kLevelFuzzMoveKinds)) {
      case LevelFuzzMove::Drag:
        mRig.Drag(first % rings, static_cast<int8_t>(second) / 16.0f);
        break;
      case LevelFuzzMove::DoubleClick:
        mRig.DoubleClick(first % rings, second % slots);
        break;
      case LevelFuzzMove::Wait:
        Run(first * 256 + second);
        break;
    }
  }
  void Run(int updates) {
    updates = std::min(updates, kMostUpdates - mUpdates);
    mRig.Update(updates);
    mUpdates += updates;
  }

  LevelRig& mRig;
  std::string_view mMoves;
  int mUpdates = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  LevelFuzzInput input =
      SplitLevelFuzzInput(std::string_view(reinterpret_cast<const char*>(data), size));
  std::string_view play = input.play;
  bool zen = !play.empty() && (play.front() & 1);
  if (!play.empty()) play.remove_prefix(1);
  LevelRig rig(input.files, {zen ? 0u : 1u, 1}, SampleLevelTuning());
  if (rig.IsReady()) Player(rig, play).Play();
  return 0;
}
