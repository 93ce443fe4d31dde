#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "game/rules/pieces/TBlockedPiece.h"
#include "game/rules/pieces/TCounterPiece.h"
#include "game/rules/pieces/TDisappearingPiece.h"
#include "game/rules/pieces/TFallingPiece.h"
#include "game/rules/pieces/TMovingPiece.h"
#include "game/rules/pieces/TPowerUpPiece.h"
#include "game/rules/pieces/TRaisingPiece.h"
#include "game/rules/pieces/TStandardPiece.h"
#include "tests/support/FakeClock.h"
#include "tests/support/rules/KitPieceFactory.h"
#include "tests/support/rules/KitPowerUps.h"
#include "tests/support/rules/NullPieceViews.h"
#include "tests/support/rules/RecordingGameRecords.h"
#include "tests/support/rules/RecordingSoundView.h"

namespace GamePlay {
namespace {

constexpr int32_t kRed = 0;
constexpr int32_t kBlue = 5;

using Strings = std::vector<std::string>;

TPiecePtr Standard(int32_t colour, TPowerUpPtr powerUp = nullptr) {
  auto piece = std::make_shared<TStandardPiece>(colour);
  piece->ClearPowerUp(std::move(powerUp));
  return piece;
}
TPiecePtr Blocked(TPiecePtr inner, bool breakable = true, ISoundFactoryView* sound = nullptr,
                  IMetricsRecorder* metrics = nullptr) {
  return std::make_shared<TBlockedPiece>(std::move(inner), breakable, sound, metrics);
}
TPiecePtr Counter(TPiecePtr inner, float start = 30) {
  return std::make_shared<TCounterPiece>(std::move(inner), start);
}
TPiecePtr Disappearing(TPiecePtr inner, TPowerUpPtr extra = nullptr) {
  return std::make_shared<TDisappearingPiece>(std::move(inner), std::move(extra));
}
TPiecePtr Falling(TPiecePtr inner) { return std::make_shared<TFallingPiece>(std::move(inner), 1, 3); }
TPiecePtr Moving(TPiecePtr inner) { return std::make_shared<TMovingPiece>(std::move(inner), 3, 2); }
TPiecePtr Raising(TPiecePtr inner) { return std::make_shared<TRaisingPiece>(std::move(inner), 7); }
TPiecePtr PowerUpPiece(int32_t colour) {
  return std::make_shared<TPowerUpPiece>(colour, nullptr, nullptr);
}

class PieceTest : public testing::Test {
 protected:
  FakeClock clock;
  RecordingGameRecords records;
  RecordingSoundView sound;
  NullPieceViewFactory views;
};

struct MatchCase {
  std::string name;
  std::function<TPiecePtr()> make;
  bool matchesRed;
};

void PrintTo(const MatchCase& c, std::ostream* out) { *out << c.name; }

class RedPieceMatches : public testing::TestWithParam<MatchCase> {};

TEST_P(RedPieceMatches, TheSameWayRound) {
  TPiecePtr red = Standard(kRed);
  TPiecePtr other = GetParam().make();
  EXPECT_EQ(red->Matches(*other), GetParam().matchesRed);
  EXPECT_EQ(other->Matches(*red), GetParam().matchesRed);
}

INSTANTIATE_TEST_SUITE_P(
    Pieces, RedPieceMatches,
    testing::Values(
        MatchCase{"Red", [] { return Standard(kRed); }, true},
        MatchCase{"Blue", [] { return Standard(kBlue); }, false},
        MatchCase{"BlockerAroundRed", [] { return Blocked(Standard(kRed)); }, true},
        MatchCase{"BlockerAroundBlue", [] { return Blocked(Standard(kBlue)); }, false},
        MatchCase{"PlainBlocker", [] { return Blocked(nullptr); }, false},
        MatchCase{"CounterAroundRed", [] { return Counter(Blocked(Standard(kRed))); }, true},
        MatchCase{"DisappearingRed", [] { return Disappearing(Standard(kRed)); }, true},
        MatchCase{"FallingRed", [] { return Falling(Standard(kRed)); }, false},
        MatchCase{"MovingRed", [] { return Moving(Standard(kRed)); }, false},
        MatchCase{"RaisingRed", [] { return Raising(Standard(kRed)); }, false},
        MatchCase{"RedPowerUpPiece", [] { return PowerUpPiece(kRed); }, false},
        MatchCase{"NullPiece", [] { return std::make_shared<TNullPiece>(); }, false},
        MatchCase{"EmptyPiece", [] { return std::make_shared<TEmptyPiece>(); }, false}),
    [](const testing::TestParamInfo<MatchCase>& info) { return info.param.name; });

TEST(PieceMatches, TwoBlockersAroundLikePiecesMatch) {
  TPiecePtr a = Blocked(Standard(kBlue));
  TPiecePtr b = Counter(Blocked(Standard(kBlue)));
  EXPECT_TRUE(a->Matches(*b));
  EXPECT_FALSE(Blocked(nullptr)->Matches(*Blocked(nullptr)));
}

struct AnswerCase {
  std::string name;
  std::function<TPiecePtr()> make;
  bool isVoid;
  int32_t colour;
  bool settled;
  bool triggered;
};

void PrintTo(const AnswerCase& c, std::ostream* out) { *out << c.name; }

class PieceAnswers : public testing::TestWithParam<AnswerCase> {};

TEST_P(PieceAnswers, ForItsKind) {
  TPiecePtr piece = GetParam().make();
  EXPECT_EQ(piece->IsVoid(), GetParam().isVoid);
  EXPECT_EQ(piece->GetColour(), GetParam().colour);
  EXPECT_EQ(piece->IsSettled(), GetParam().settled);
  EXPECT_EQ(piece->IsTriggered(), GetParam().triggered);
}

INSTANTIATE_TEST_SUITE_P(
    Pieces, PieceAnswers,
    testing::Values(
        AnswerCase{"NullIsVoidWithColourZero", [] { return std::make_shared<TNullPiece>(); }, true,
                   0, true, true},
        AnswerCase{"EmptyIsColourless", [] { return std::make_shared<TEmptyPiece>(); }, false, -1,
                   true, true},
        AnswerCase{"Standard", [] { return Standard(3); }, false, 3, true, true},
        AnswerCase{"PowerUpPieceAwaitsItsTrigger", [] { return PowerUpPiece(2); }, false, 2, true,
                   false},
        AnswerCase{"WholeBlockerIsUnsettled", [] { return Blocked(Standard(4)); }, false, 4, false,
                   false},
        AnswerCase{"UnbreakableBlocker", [] { return Blocked(Standard(4), false); }, false, 4,
                   false, false},
        AnswerCase{"PlainBlockerIsColourless", [] { return Blocked(nullptr); }, false, -1, false,
                   false},
        AnswerCase{"Counter", [] { return Counter(Blocked(Standard(1))); }, false, 1, true, true},
        AnswerCase{"Disappearing", [] { return Disappearing(Standard(2)); }, false, 2, true, true},
        AnswerCase{"Falling", [] { return Falling(Standard(5)); }, false, 5, true, true}),
    [](const testing::TestParamInfo<AnswerCase>& info) { return info.param.name; });

TEST(PieceInner, DecoratorsHandOutTheirInnerPieceOthersThemselves) {
  TPiecePtr red = Standard(kRed);
  EXPECT_EQ(red->GetInner(), red) << "a piece hands out a shared pointer to itself";
  EXPECT_EQ(Blocked(red)->GetInner(), red);
  EXPECT_EQ(Falling(red)->GetInner(), red);
  TPiecePtr null = std::make_shared<TNullPiece>();
  EXPECT_EQ(null->GetInner(), null);
}

TEST_F(PieceTest, BreakableBlockerCracksThenBreaks) {
  TPiecePtr piece = Blocked(Standard(kRed), true, &sound, &records);
  auto& blocker = static_cast<TBlockedPiece&>(*piece);
  blocker.Hit(0.5f);
  EXPECT_FALSE(piece->IsSettled());
  blocker.Hit(0.5f);
  EXPECT_EQ(sound.played, Strings({"PlayBlockerBreak", "PlayBlockerBroken"}));
  EXPECT_TRUE(piece->IsSettled());
  EXPECT_TRUE(piece->IsTriggered());
  EXPECT_EQ(records.blockersBroken, 1u);
}

TEST_F(PieceTest, UnbreakableBlockerNeverChanges) {
  TPiecePtr piece = Blocked(Standard(kRed), false, &sound, &records);
  auto& blocker = static_cast<TBlockedPiece&>(*piece);
  blocker.Hit(5);
  EXPECT_FLOAT_EQ(blocker.GetProgress(), 0);
  EXPECT_TRUE(sound.played.empty());
  EXPECT_FALSE(piece->IsSettled());
  EXPECT_EQ(records.blockersBroken, 0u);
}

TEST_F(PieceTest, HitOfNothingIsSilent) {
  TPiecePtr piece = Blocked(Standard(kRed), true, &sound, &records);
  static_cast<TBlockedPiece&>(*piece).Hit(0);
  EXPECT_TRUE(sound.played.empty());
}

TEST(TCounterPiece, CountsDownInTenthsAndStopsAtZero) {
  TPiecePtr piece = Counter(Blocked(Standard(kRed)), 30);
  auto& counter = static_cast<TCounterPiece&>(*piece);
  const int32_t expected[] = {10, 6, 3, 0, 0};
  for (int32_t value : expected) {
    EXPECT_EQ(counter.GetCounterValue(), value);
    counter.Tick(10);
  }
  EXPECT_FLOAT_EQ(counter.GetRemaining(), 0);
  EXPECT_EQ(static_cast<TCounterPiece&>(*Counter(nullptr, 0)).GetCounterValue(), 0)
      << "a counter started at nothing shows 0";
}

TEST(TCounterPiece, OnlyCountsDown) {
  TPiecePtr piece = Counter(Blocked(Standard(kRed)), 30);
  auto& counter = static_cast<TCounterPiece&>(*piece);
  counter.Tick(10);
  for (float amount : {-1e30f, -std::numeric_limits<float>::infinity(),
                       std::numeric_limits<float>::quiet_NaN(), 0.0f}) {
    counter.Tick(amount);
    EXPECT_FLOAT_EQ(counter.GetRemaining(), 20) << amount;
    EXPECT_EQ(counter.GetCounterValue(), 6) << amount;
  }
  counter.Tick(std::numeric_limits<float>::infinity());
  EXPECT_EQ(counter.GetCounterValue(), 0);
}

TEST(TFallingPiece, LandsExactlyOnItsRing) {
  TFallingPiece quick(Standard(kRed), 0, 40);
  quick.Step(0.2f);
  EXPECT_TRUE(quick.IsDone());
  EXPECT_EQ(quick.GetFallOffset(), 40.0f);

  TFallingPiece piece(Standard(kRed), 2, 5);
  int steps = 0;
  while (!piece.IsDone() && steps < 1000) {
    piece.Step(0.01f);
    ++steps;
  }
  EXPECT_EQ(steps, 6) << "2 + 1000 t^2 reaches 5 at t = 0.055";
  EXPECT_EQ(piece.GetFallOffset(), 5.0f);
  piece.Step(0.01f);
  EXPECT_EQ(piece.GetFallOffset(), 5.0f) << "a landed piece stays";
}

struct MoveCase {
  int32_t from, to;
};

class TMovingPieceMove : public testing::TestWithParam<MoveCase> {};

TEST_P(TMovingPieceMove, EndsOnItsRingAfterTwoHalfSteps) {
  TMovingPiece piece(Standard(kRed), GetParam().from, GetParam().to);
  EXPECT_FLOAT_EQ(piece.GetPosition(), static_cast<float>(GetParam().from));
  piece.Step(0.5f);
  EXPECT_FALSE(piece.IsDone());
  EXPECT_FLOAT_EQ(piece.GetPosition(), (GetParam().from + GetParam().to) / 2.0f);
  piece.Step(0.5f);
  EXPECT_TRUE(piece.IsDone());
  EXPECT_FLOAT_EQ(piece.GetPosition(), static_cast<float>(GetParam().to));
}

INSTANTIATE_TEST_SUITE_P(Moves, TMovingPieceMove,
                         testing::Values(MoveCase{5, 4}, MoveCase{0, -1}, MoveCase{4, 5}),
                         [](const testing::TestParamInfo<MoveCase>& info) {
                           return "From" + std::to_string(info.param.from) + "To" +
                                  (info.param.to < 0 ? "Above" : std::to_string(info.param.to));
                         });

TEST(TRaisingPiece, RisesUntilItsProgressIsFull) {
  TRaisingPiece piece(Standard(kRed), 7);
  piece.Step(0.5f);
  EXPECT_FALSE(piece.IsDone());
  EXPECT_FLOAT_EQ(piece.GetRaiseOffset(), 0.5f);
  piece.Step(0.5f);
  EXPECT_TRUE(piece.IsDone());
  EXPECT_EQ(piece.GetTargetRing(), 7);
}

TEST(TransientPieces, PassJugMarkAndPowerUpToTheirInnerPiece) {
  TPiecePtr red = Standard(kRed);
  auto powerUp = std::make_shared<RecordingPowerUp>();
  for (const TPiecePtr& piece : {Falling(red), Moving(red), Raising(red), Disappearing(red)}) {
    piece->SetJugMark({-1, 3});
    EXPECT_EQ(red->GetJugMark(), TIntPair(-1, 3));
    piece->ClearPowerUp(powerUp);
    EXPECT_EQ(red->GetPowerUp(), powerUp);
    EXPECT_EQ(piece->GetPowerUp(), powerUp);
    red->SetJugMark({0, 0});
    red->ClearPowerUp(nullptr);
  }
}

TEST(Blockers, KeepNoJugMarkAndCarryNoPowerUp) {
  TPiecePtr red = Standard(kRed);
  TPiecePtr blocker = Blocked(red);
  blocker->SetJugMark({-1, -1});
  blocker->ClearPowerUp(std::make_shared<RecordingPowerUp>());
  EXPECT_EQ(blocker->GetJugMark(), TIntPair(0, 0));
  EXPECT_EQ(red->GetJugMark(), TIntPair(0, 0));
  EXPECT_EQ(blocker->GetPowerUp(), nullptr);
  EXPECT_EQ(red->GetPowerUp(), nullptr);
}

TEST(PieceOffsets, EveryPieceKeepsItsOwn) {
  TPiecePtr red = Standard(kRed);
  TPiecePtr falling = Falling(red);
  falling->SetOffset(3, -4);
  EXPECT_EQ(falling->GetOffset(), TIntPair(3, -4));
  EXPECT_EQ(red->GetOffset(), TIntPair(0, 0));
}

TEST(PieceRemoval, SetsOffTheCarriedPowerUp) {
  auto powerUp = std::make_shared<RecordingPowerUp>();
  Standard(kRed, powerUp)->OnRemoved(2, 7, nullptr);
  EXPECT_EQ(powerUp->activations, Strings({"2 7"}));

  TPiecePtr piece = PowerUpPiece(kBlue);
  piece->ClearPowerUp(powerUp);
  piece->OnRemoved(4, 1, nullptr);
  EXPECT_EQ(piece->GetColour(), -1) << "a power-up piece loses its colour as it goes";
  EXPECT_EQ(powerUp->activations, Strings({"2 7", "4 1"}));

  Blocked(Standard(kRed, powerUp))->OnRemoved(0, 0, nullptr);
  Standard(kRed)->OnRemoved(0, 0, nullptr);
  EXPECT_EQ(powerUp->activations.size(), 2u) << "blockers and bare pieces set nothing off";
}

TEST_F(PieceTest, ColourChangeBringsAFreshViewAndStartsTheClock) {
  KitPieceFactory factory(&views);
  auto piece = std::make_shared<TStandardPiece>(kRed);
  piece->SetView(views.CreateStandardView(piece));
  TPieceViewPtr oldView = piece->GetView();
  clock.Advance(100);
  piece->ChangeColour(kBlue, &factory);
  EXPECT_EQ(piece->GetColour(), kBlue);
  EXPECT_NE(piece->GetView(), oldView);
  EXPECT_EQ(views.made, Strings({"CreateStandardView", "CreateStandardView"}));
  ASSERT_NE(piece->GetClock(), nullptr);
  clock.Advance(30);
  EXPECT_EQ(piece->GetClock()->GetTime(), 30u);
  piece->ResetClock();
  EXPECT_EQ(piece->GetClock(), nullptr);
}

TEST_F(PieceTest, ColourChangeReachesThroughDecoratorsButNotPowerUpPieces) {
  KitPieceFactory factory(&views);
  TPiecePtr red = Standard(kRed);
  Counter(Blocked(red))->ChangeColour(kBlue, &factory);
  EXPECT_EQ(red->GetColour(), kBlue);
  TPiecePtr powerUpPiece = PowerUpPiece(kRed);
  powerUpPiece->ChangeColour(kBlue, &factory);
  EXPECT_EQ(powerUpPiece->GetColour(), kRed);
}

TEST_F(PieceTest, PowerUpPieceArrivalIsHeardAndCounted) {
  TPowerUpPiece piece(kRed, &sound, &records);
  EXPECT_EQ(piece.GetClock(), nullptr);
  piece.StartTimer();
  clock.Advance(40);
  ASSERT_NE(piece.GetClock(), nullptr);
  EXPECT_EQ(piece.GetClock()->GetTime(), 40u);
  EXPECT_EQ(sound.played, Strings({"PlayPowerUpCreation"}));
  EXPECT_EQ(records.powerUpsTriggered, 1u);
  piece.SetTriggered(true);
  EXPECT_TRUE(piece.IsTriggered());
}

TEST(TDisappearingPiece, CollectsEveryPowerUpOnce) {
  auto carried = std::make_shared<RecordingPowerUp>();
  auto extra = std::make_shared<RecordingPowerUp>();
  auto later = std::make_shared<RecordingPowerUp>();
  TPiecePtr first = Disappearing(Standard(kRed, carried), extra);
  auto& once = static_cast<TDisappearingPiece&>(*first);
  EXPECT_EQ(once.GetCarriedPowerUps(), (std::vector<TPowerUpPtr>{extra, carried}));

  TPiecePtr second = Disappearing(first, later);
  auto& twice = static_cast<TDisappearingPiece&>(*second);
  EXPECT_EQ(twice.GetCarriedPowerUps(), (std::vector<TPowerUpPtr>{later, carried, extra}))
      << "the inner piece's power-up is reached twice but carried once";
  EXPECT_TRUE(static_cast<TDisappearingPiece&>(*Disappearing(Standard(kRed)))
                  .GetCarriedPowerUps()
                  .empty());
}

TEST(TDisappearingPiece, FinishesByItselfWhenItsFadeRunsOut) {
  TPiecePtr piece = Disappearing(Standard(kRed));
  auto& vanishing = static_cast<TDisappearingPiece&>(*piece);
  for (int i = 0; i < 99; ++i) vanishing.Advance();
  EXPECT_FALSE(piece->IsVoid());
  EXPECT_GT(vanishing.GetFade(), 0);
  vanishing.Advance();
  EXPECT_TRUE(piece->IsVoid());
  EXPECT_TRUE(vanishing.GetDisappearFlag());
  EXPECT_EQ(vanishing.GetFade(), 0);
}

TEST_F(PieceTest, DrawnPieceIsFinishedByItsDrawer) {
  TPiecePtr piece = Disappearing(Standard(kRed));
  piece->SetView(views.CreateDisappearingView(piece, nullptr));
  piece->GetView()->DrawInPlace();
  EXPECT_FALSE(piece->IsVoid());
  clock.Advance(440);
  piece->GetView()->DrawInPlace();
  EXPECT_TRUE(piece->IsVoid()) << "well before the fade runs out";
}

TEST(TDisappearingPiece, GathersOnItsTarget) {
  TPiecePtr middle = Disappearing(Standard(kRed));
  TPiecePtr other = Disappearing(Standard(kRed));
  auto& target = static_cast<TDisappearingPiece&>(*middle);
  target.SetTarget(middle);
  EXPECT_EQ(target.GetTargetPiece(), middle);
  auto& follower = static_cast<TDisappearingPiece&>(*other);
  follower.SetTarget(middle);
  EXPECT_EQ(follower.GetTargetPiece(), middle);
  follower.SetTarget(Standard(kRed));
  EXPECT_EQ(follower.GetTargetPiece(), nullptr) << "only a disappearing piece is a target";
  std::weak_ptr<IPiece> watch = middle;
  middle.reset();
  other.reset();
  EXPECT_TRUE(watch.expired()) << "a piece that is its own target is not kept alive by it";
}

}  // namespace
}  // namespace GamePlay
