#include "game/rules/pieces/TPieceSeqBomb.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "game/rules/pieces/TBlockedPiece.h"
#include "game/rules/pieces/TDisappearingPiece.h"
#include "tests/game/rules/RecordedTowerFixture.h"
#include "tests/support/rules/StubTowerControl.h"

namespace GamePlay {
namespace {

using Strings = std::vector<std::string>;

constexpr int32_t kStepTime = 100;  // a ring once more than 30 ms have passed
constexpr int kUpdatesPerStep = 4;

// Counts the times it is told that its explosions have ended.
class CountingEndHandler final : public TPieceSeqBomb::TEndEventHandler {
 public:
  explicit CountingEndHandler(int* ends) : mEnds(ends) {}
  void OnEnd() override { ++*mEnds; }

 private:
  int* mEnds;
};

// A power-up that, when its piece is blown up, starts clearing a colour on
// the same sequence, as a colour bomb does.
class ClearsAColour final : public RecordingPowerUp {
 public:
  ClearsAColour(TPieceSeqBomb** sequence, int32_t colour)
      : RecordingPowerUp(TPowerUpKind::ColorBomb), mSequence(sequence), mColour(colour) {}
  void Activate(int32_t, int32_t, ITowerModel*, TPowerUpPtr) override {
    (*mSequence)->StartRemoveColor(mColour, nullptr);
  }

 private:
  TPieceSeqBomb** mSequence;
  int32_t mColour;
};

class PieceSeqBombTest : public RecordedTowerTest {
 protected:
  void Build(const std::vector<std::string>& rings) {
    BuildTower(rings);
    control.model = tower;
    sequence = std::make_unique<TPieceSeqBomb>(&control, kStepTime);
  }
  // One 10 ms update.
  void Update() {
    clock.Update();
    sequence->Update();
  }
  // The updates that make one step of the explosions.
  void NextStep(int steps = 1) {
    for (int i = 0; i < steps * kUpdatesPerStep; ++i) Update();
  }
  // "x" for a cell that was blown up, else "-".
  std::string Blown(int32_t ring) {
    std::string text;
    for (int32_t slot = 0; slot < static_cast<int32_t>(tower->GetSlotCount()); ++slot) {
      text += dynamic_cast<TDisappearingPiece*>(tower->GetPiece(ring, slot).get()) ? 'x' : '-';
    }
    return text;
  }
  bool ExplosionLocked() { return control.locks.IsLocked(TInputLock::Explosion); }

  StubTowerControl control;
  std::unique_ptr<TPieceSeqBomb> sequence;
};

TEST_F(PieceSeqBombTest, RemoveAllClearsOneRingPerStepFromTheBottom) {
  Build(std::vector<std::string>(8, "0123"));
  int ends = 0;
  sequence->StartRemoveColor(5, std::make_unique<CountingEndHandler>(&ends));
  sequence->StartRemoveAll();
  EXPECT_TRUE(ExplosionLocked());
  EXPECT_EQ(sequence->GetMode(), TPieceSeqBomb::TMode::RemoveAll);
  for (int32_t step = 0; step < 8; ++step) {
    int32_t ring = 7 - step;
    for (int i = 1; i < kUpdatesPerStep; ++i) Update();
    EXPECT_EQ(Blown(ring), "------------") << "not within 30 ms; step " << step;
    EXPECT_EQ(ends, 0);
    EXPECT_TRUE(ExplosionLocked());
    Update();
    EXPECT_EQ(Blown(ring), "xxxx--------") << "step " << step;
  }
  EXPECT_EQ(ends, 1) << "the handler runs after the last ring";
  EXPECT_FALSE(ExplosionLocked());
  EXPECT_EQ(sequence->GetMode(), TPieceSeqBomb::TMode::Idle);
  EXPECT_EQ(scoring.Named("ScoreBombedPiece").size(), 32u) << "each piece poured once";
  EXPECT_EQ(powerUps.codes, std::vector<int32_t>(32, IPowerUpFactory::kColourBomb));
}

TEST_F(PieceSeqBombTest, RemoveAllBreaksBlockersAndSparesPowerUpPieces) {
  Build({"0AP.", "1Z23"});
  auto removed = std::dynamic_pointer_cast<TDisappearingPiece>(
      pieces.CreateDisappearing(tower->GetPiece(1, 3), nullptr, tower));
  tower->SetPiece(1, 3, removed);
  sequence->StartRemoveAll();
  NextStep(2);
  EXPECT_EQ(Blown(0), "xx--" + std::string(8, '-'));
  EXPECT_EQ(Blown(1), "xxxx" + std::string(8, '-')) << "the plain blocker goes too";
  EXPECT_EQ(tower->GetPiece(1, 3), removed) << "already on its way out";
  EXPECT_EQ(scoring.Named("ScoreBombedPiece"),
            Strings({"ScoreBombedPiece 1 0 1", "ScoreBombedPiece 1 1 1", "ScoreBombedPiece 1 2 1",
                     "ScoreBombedPiece 0 0 1", "ScoreBombedPiece 0 1 1"}));
}

TEST_F(PieceSeqBombTest, RemoveColourTakesOnlyPlainPiecesOfItsColour) {
  Build({"2C2P", "1220", "2..0"});
  int ends = 0;
  sequence->StartRemoveColor(2, std::make_unique<CountingEndHandler>(&ends));
  EXPECT_EQ(sequence->GetMode(), TPieceSeqBomb::TMode::RemoveColour);
  NextStep(3);
  EXPECT_EQ(Blown(0), "x-x" + std::string(9, '-')) << "the blocker of that colour stays";
  EXPECT_EQ(Blown(1), "-xx" + std::string(9, '-'));
  EXPECT_EQ(Blown(2), "x" + std::string(11, '-'));
  EXPECT_EQ(scoring.Named("ScoreBombedPiece").size(), 5u);
  EXPECT_EQ(ends, 1);
  EXPECT_FALSE(ExplosionLocked());
}

TEST_F(PieceSeqBombTest, ClearingColourZeroLeavesVacantCellsAlone) {
  Build({"0..0"});
  sequence->StartRemoveColor(0, nullptr);
  NextStep();
  EXPECT_EQ(Blown(0), "x--x" + std::string(8, '-'));
  EXPECT_EQ(scoring.Named("ScoreBombedPiece"),
            Strings({"ScoreBombedPiece 0 0 1", "ScoreBombedPiece 0 3 1"}))
      << "a vacant cell reads colour 0 but holds no piece to pour";
}

TEST_F(PieceSeqBombTest, ExplosionsStepTogetherAndTheLastOneEndsTheSequence) {
  Build({"12", "12", "12"});
  int ends = 0;
  sequence->StartRemoveColor(1, std::make_unique<CountingEndHandler>(&ends));
  NextStep();
  EXPECT_EQ(Blown(2), "x-" + std::string(10, '-'));
  sequence->StartRemoveColor(2, std::make_unique<CountingEndHandler>(&ends));
  NextStep();
  EXPECT_EQ(Blown(1), "x-" + std::string(10, '-'));
  EXPECT_EQ(Blown(2), "xx" + std::string(10, '-')) << "the second starts on the bottom ring";
  NextStep();
  EXPECT_EQ(ends, 0) << "the first has finished, the second runs on";
  NextStep();
  EXPECT_EQ(Blown(0), "xx" + std::string(10, '-'));
  EXPECT_EQ(ends, 2) << "both handlers once, when all explosions are done";
}

TEST_F(PieceSeqBombTest, AnExplosionStartedDuringAStepRunsFromTheNextStep) {
  Build({"3333", "0000", "3333"});
  TPieceSeqBomb* running = nullptr;
  tower->SetPiece(2, 0, pieces.CreateStandard(1, std::make_shared<ClearsAColour>(&running, 3)));
  running = sequence.get();
  sequence->StartRemoveColor(1, nullptr);
  NextStep();
  EXPECT_EQ(Blown(2), "x---" + std::string(8, '-')) << "the colour bomb's piece";
  NextStep();
  EXPECT_EQ(Blown(2), "xxxx" + std::string(8, '-')) << "the clearing it started, bottom first";
  NextStep(2);
  EXPECT_EQ(Blown(0), "xxxx" + std::string(8, '-'));
  EXPECT_EQ(Blown(1), std::string(12, '-'));
  EXPECT_FALSE(ExplosionLocked());
}

TEST_F(PieceSeqBombTest, WithNothingRunningTheLockIsFreedAtTheNextUpdate) {
  Build({"0"});
  control.locks.Lock(TInputLock::Explosion);
  sequence->Update();
  EXPECT_FALSE(ExplosionLocked());
}

TEST_F(PieceSeqBombTest, ATowerWithoutRingsEndsAtTheFirstStep) {
  Build({});
  int ends = 0;
  sequence->StartRemoveColor(0, std::make_unique<CountingEndHandler>(&ends));
  NextStep();
  EXPECT_EQ(ends, 1);
  EXPECT_FALSE(ExplosionLocked());
}

}  // namespace
}  // namespace GamePlay
