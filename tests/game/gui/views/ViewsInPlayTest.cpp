// A level of our data played by the bot with the game's view factory, every
// piece's view drawn each frame as the tower view will: matched pieces play
// their vanishing animations (sparks to the jugs, off blockers), the pieces
// above them fall through their falling views and settle, and play goes on. Marks made over pieces the next update takes
// away are drawn after it; under the sanitizers no view reads a piece that
// has gone.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <memory>
#include <vector>

#include "game/rules/pieces/PieceAs.h"
#include "game/rules/pieces/TDisappearingPiece.h"
#include "game/rules/pieces/TFallingPiece.h"
#include "game/rules/tower/TTower.h"
#include "tests/game/gui/views/BlockerLevelTest.h"
#include "tests/support/rules/RigBot.h"

namespace GUI {
namespace {

using GamePlay::IPiece;
using GamePlay::TPiecePtr;

constexpr int kPlayUpdates = 3000;  // half a minute of play
constexpr int kSettleUpdates = 500;
// The longest vanishing animation, a bomb's, in 10 ms frames: drawn from the
// frame it starts to the one it ends on.
constexpr int kLongestVanishingFrames = 51;

// What the frames showed.
struct SeenInPlay {
  int vanishing = 0;         // pieces seen vanishing
  int falling = 0;           // frames with a falling piece
  int longestVanishing = 0;  // frames one piece was seen still vanishing
  int sparks = 0;            // sparks drawn
  std::map<const IPiece*, std::weak_ptr<IPiece>> vanishingNow;
  std::map<const IPiece*, int> vanishingFrames;
};

class ViewsInPlayTest : public BlockerLevelTest {
 protected:
  // As the tower view's piece pass: every view is told its cell, then each
  // is drawn in place, from the outermost ring in.
  void DrawTower(SeenInPlay& seen) {
    journal.clear();
    bool falling = false;
    std::map<const IPiece*, std::weak_ptr<IPiece>> vanishing;
    GamePlay::TTower& tower = *rig->tower;
    const auto rings = static_cast<int32_t>(tower.GetRingCount());
    for (int32_t ring = 0; ring < rings; ++ring) {
      for (int32_t slot = 0; slot < 12; ++slot)
        tower.GetPiece(ring, slot)->GetView()->SetCell(ring, slot, false);
    }
    for (int32_t ring = rings - 1; ring >= 0; --ring) {
      for (int32_t slot = 0; slot < 12; ++slot) {
        TPiecePtr piece = tower.GetPiece(ring, slot);
        auto* gone = GamePlay::PieceAs<GamePlay::TDisappearingPiece>(piece.get());
        if (gone && !gone->GetDisappearFlag()) vanishing[piece.get()] = piece;
        falling = falling || GamePlay::PieceAs<GamePlay::TFallingPiece>(piece.get());
        piece->GetView()->DrawInPlace();
      }
    }
    seen.falling += falling ? 1 : 0;
    for (const RecordedDraw& draw : journal) {
      if (draw.name.starts_with("sprites/piece-spark-") && draw.name != "sprites/piece-spark-a8")
        ++seen.sparks;
    }
    for (const auto& [key, piece] : vanishing) {
      if (!seen.vanishingNow.count(key)) ++seen.vanishing;
      seen.longestVanishing = std::max(seen.longestVanishing, ++seen.vanishingFrames[key]);
    }
    for (const auto& [key, piece] : seen.vanishingNow) {
      if (!vanishing.count(key)) seen.vanishingFrames.erase(key);
    }
    seen.vanishingNow = std::move(vanishing);
  }

  // Highlight marks over every piece of the lowest ring, which the coming
  // update may take away.
  std::vector<GamePlay::TPieceViewPtr> MarkLowestRing() {
    std::vector<GamePlay::TPieceViewPtr> marks;
    const int32_t lowest = static_cast<int32_t>(rig->tower->GetRingCount()) - 1;
    for (int32_t slot = 0; slot < 12; ++slot) {
      if (TPiecePtr piece = rig->tower->GetPiece(lowest, slot)) {
        marks.push_back(factory.CreateHighlightView(piece, slot % 2 == 0));
        marks.push_back(factory.CreateGrowView(piece));
      }
    }
    return marks;
  }

};

TEST_F(ViewsInPlayTest, MatchedPiecesVanishAndThoseAboveFallAndSettle) {
  SeenInPlay seen;
  RigBot bot(*rig);
  for (int update = 0; update < kPlayUpdates; ++update) {
    bot.Plan();
    bot.Act();
    std::vector<GamePlay::TPieceViewPtr> marks = MarkLowestRing();
    rig->Update();
    for (const GamePlay::TPieceViewPtr& mark : marks) mark->DrawInPlace();
    DrawTower(seen);
  }
  for (int update = 0; update < kSettleUpdates && !IsAtRest(); ++update) {
    rig->Update();
    DrawTower(seen);
  }
  EXPECT_GT(seen.vanishing, 0) << "no match in " << bot.moves << " moves";
  EXPECT_GT(seen.longestVanishing, 1) << "the vanishing is played over frames";
  EXPECT_LE(seen.longestVanishing, kLongestVanishingFrames) << "and ends with its animation";
  EXPECT_GT(seen.sparks, 0);
  EXPECT_TRUE(std::any_of(sounds.played.begin(), sounds.played.end(),
                          [](const std::string& sound) { return sound.starts_with("Jug Fill"); }))
      << "a match's target reaches its jug";
  EXPECT_GT(seen.falling, 0);
  EXPECT_TRUE(IsAtRest()) << "the tower settles and the input locks come free";
  EXPECT_TRUE(seen.vanishingNow.empty());
  EXPECT_GT(rig->records.blockersAndGearsShown, 0u) << "the level's blockers were shown";
  EXPECT_FALSE(journal.empty()) << "the settled tower is drawn";
}

}  // namespace
}  // namespace GUI
