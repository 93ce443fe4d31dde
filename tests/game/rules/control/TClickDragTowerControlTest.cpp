#include "game/rules/control/TClickDragTowerControl.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

#include "game/rules/control/IRingTurnListener.h"
#include "game/rules/powerups/TLinkPowerUps.h"
#include "tests/game/rules/RecordedTowerFixture.h"
#include "tests/support/rules/FakePieceJugs.h"
#include "tests/support/rules/RecordingPolicy.h"
#include "tests/support/rules/StubTowerView.h"

namespace GamePlay {
namespace {

using Strings = std::vector<std::string>;

constexpr float kPi = std::numbers::pi_v<float>;
constexpr float kSlotAngle = kPi / 6;
constexpr int32_t kRings = 5;
constexpr float kClickRate = 0.1f;
constexpr float kSnapRate = 0.1f;
constexpr float kClickDelayRate = 0.25f;
constexpr uint32_t kHighlightDelay = 300;
// Far from the centre, where whole pixels give the drag angle to a few
// millionths of a radian.
constexpr float kFarRadius = 100000;

// A full tower without matches: ring r holds colour (slot + r) mod 6 at each slot.
Strings PlainRings() {
  Strings rings;
  for (int32_t ring = 0; ring < kRings; ++ring) {
    std::string codes;
    for (int32_t slot = 0; slot < 12; ++slot) codes += static_cast<char>('0' + (slot + ring) % 6);
    rings.push_back(codes);
  }
  return rings;
}

// The point at the angle (clockwise from straight up) and radius round the
// stub view's centre.
TPoint At(float angle, float radius) {
  return {static_cast<int32_t>(std::lround(400 + radius * std::sin(angle))),
          static_cast<int32_t>(std::lround(300 - radius * std::cos(angle)))};
}

// In the middle of the ring's band, slots round from straight above the
// centre (the start of slot 0).
TPoint OnRing(int32_t ring, float slots = 0) {
  return At(slots * kSlotAngle, StubTowerMeasurement::kFirstBandInner +
                                    StubTowerMeasurement::kBandWidth * ring +
                                    StubTowerMeasurement::kBandWidth / 2);
}

// Counts what it is told.
class CountingTurnListener final : public IRingTurnListener {
 public:
  int turns = 0;
  void OnRingTurned() override { ++turns; }
};

class ClickDragTest : public RecordedTowerTest {
 protected:
  ~ClickDragTest() override { control.reset(); }

  // A tower out of its first fill (blockers hold), a fresh view and a
  // control on them.
  void Build(const Strings& rings = PlainRings()) {
    control.reset();
    view = StubTowerView{kRings};
    BuildTower(rings);
    for (uint32_t i = 0; i <= tower->GetRingCount(); ++i) tower->StepAllColumns(-1);
    MakeControl();
  }
  void MakeControl() {
    control = std::make_unique<TClickDragTowerControl>(
        kClickRate, kSnapRate, kClickDelayRate, kHighlightDelay, tower, &view, &sound, &records);
    control->SetTurnListener(&listener);
  }
  // A standard piece of the colour already there, carrying a lock or a gear.
  void Link(int32_t ring, char kind) {
    int32_t colour = tower->GetPiece(ring, 3)->GetColour();
    TPowerUpPtr link;
    if (kind == 'L') link = std::make_shared<TLockPowerUp>();
    if (kind == 'G') link = std::make_shared<TGearPowerUp>();
    tower->SetPiece(ring, 3, pieces.CreateStandard(colour, link));
  }
  // links: a character per ring from ring 0: "L" lock, "G" gear.
  void Links(const std::string& links) {
    for (int32_t ring = 0; ring < static_cast<int32_t>(links.size()); ++ring)
      Link(ring, links[ring]);
  }

  void Update(int updates = 1) {
    for (int i = 0; i < updates; ++i) {
      clock.Update();
      control->Update();
    }
  }
  // Runs updates until the snap animation has ended.
  void Settle() {
    for (int i = 0; i < 200 && Locked(TInputLock::RingAnimation); ++i) Update();
    ASSERT_FALSE(Locked(TInputLock::RingAnimation));
  }
  void Press(int32_t ring) { control->OnPress(OnRing(ring)); }
  // Moves the grabbed ring (grabbed straight above the centre) by slots,
  // positive clockwise.
  void MoveBy(float slots) { control->OnMove(At(slots * kSlotAngle, kFarRadius)); }
  void Drag(int32_t ring, float slots) {
    Press(ring);
    MoveBy(slots);
    control->OnRelease(At(slots * kSlotAngle, kFarRadius));
  }

  bool Locked(TInputLock lock) { return control->GetInputLocks()->IsLocked(lock); }
  // How many slots the ring stands turned to the right (-2 to 3), read from
  // the colours of the plain rings.
  int32_t TurnsOf(int32_t ring) {
    int32_t turns = ((ring - tower->GetPiece(ring, 0)->GetColour()) % 6 + 6) % 6;
    return turns > 3 ? turns - 6 : turns;
  }
  // The drawn angle in slots, in (-6, 6].
  float DrawnSlots(int32_t ring) {
    float angle = view.GetRingAngle(ring);
    if (angle > kPi) angle -= 2 * kPi;
    return angle / kSlotAngle;
  }
  int Played(const std::string& name) {
    return static_cast<int>(std::count(sound.played.begin(), sound.played.end(), name));
  }
  int Heard(const std::vector<std::string>& events, const std::string& name) {
    return static_cast<int>(std::count(events.begin(), events.end(), name));
  }

  StubTowerView view{kRings};
  CountingTurnListener listener;
  std::unique_ptr<TClickDragTowerControl> control;
};

// Dragging and snapping ----------------------------------------------------

struct DragCase {
  float slots;
  int32_t turns;
};

void PrintTo(const DragCase& c, std::ostream* out) { *out << c.slots << " slots"; }

class DragTable : public ClickDragTest, public testing::WithParamInterface<DragCase> {};

TEST_P(DragTable, ReleaseEndsAtTheNearestSlot) {
  const DragCase& c = GetParam();
  Build();
  Press(2);
  EXPECT_TRUE(Locked(TInputLock::RingDrag));
  MoveBy(c.slots);
  EXPECT_NEAR(DrawnSlots(2), c.slots, 1e-3);
  control->OnRelease(At(c.slots * kSlotAngle, kFarRadius));
  EXPECT_FALSE(Locked(TInputLock::RingDrag));
  EXPECT_TRUE(Locked(TInputLock::RingAnimation));
  Settle();

  EXPECT_EQ(TurnsOf(2), c.turns);
  EXPECT_EQ(view.GetRingAngle(2), 0.0f);
  EXPECT_FALSE(control->GetInputLocks()->IsAnyLocked());
  for (int32_t ring : {0, 1, 3, 4}) EXPECT_EQ(TurnsOf(ring), 0) << ring;
  int counted = c.turns != 0 ? 1 : 0;
  EXPECT_EQ(listener.turns, counted);
  EXPECT_EQ(records.ringTurns, static_cast<uint32_t>(counted));
  Strings turned = counted ? Strings{"OnRingTurned 2 " + std::to_string(c.turns)} : Strings{};
  EXPECT_EQ(view.events, turned);
  EXPECT_EQ(Played("PlayRingSnap"), 1);
}

INSTANTIATE_TEST_SUITE_P(BothWays, DragTable,
                         testing::Values(DragCase{0.3f, 0}, DragCase{0.7f, 1}, DragCase{1.3f, 1},
                                         DragCase{1.7f, 2}, DragCase{0.5f, 0}, DragCase{-0.3f, 0},
                                         DragCase{-0.7f, -1}, DragCase{-1.3f, -1},
                                         DragCase{-1.7f, -2}, DragCase{-0.5f, 0}));

TEST_F(ClickDragTest, TheSnapCommitsOnlyOnceItsDelayHasPassed) {
  Build();
  Drag(2, 0.9f);
  // 0.1 slot at 0.1 rad per update passes the slot in the first update;
  // the delay of 0.25 per update runs out in the fifth.
  Update(4);
  EXPECT_EQ(TurnsOf(2), 0);
  EXPECT_TRUE(Locked(TInputLock::RingAnimation));
  Update();
  EXPECT_EQ(TurnsOf(2), 1);
  EXPECT_FALSE(Locked(TInputLock::RingAnimation));
}

TEST_F(ClickDragTest, AClickWithoutDragTurnsNothingButHoldsInputUntilTheSnapEnds) {
  Build();
  Press(2);
  control->OnRelease(OnRing(2));
  EXPECT_TRUE(Locked(TInputLock::RingAnimation));
  // Turned one slot right in the tower and shown one slot back.
  EXPECT_EQ(TurnsOf(2), 1);
  EXPECT_NEAR(DrawnSlots(2), -1.0f, 1e-3);
  Press(1);
  EXPECT_FALSE(Locked(TInputLock::RingDrag));
  Settle();
  EXPECT_EQ(TurnsOf(2), 0);
  EXPECT_EQ(listener.turns, 0);
}

// Locks and gears ----------------------------------------------------------

TEST_F(ClickDragTest, LinkedRingsTurnOnceEachLocksAlongGearsAgainst) {
  struct Case {
    const char* links;
    int32_t ring;
    std::vector<int32_t> turns;  // per ring after a drag of one slot right
    bool gears;
  };
  const Case cases[] = {
      {"..L..", 2, {0, 0, 1, 1, 0}, false}, {"..L..", 3, {0, 0, 1, 1, 0}, false},
      {"..G..", 2, {0, 0, 1, -1, 0}, true}, {"..G..", 3, {0, 0, -1, 1, 0}, true},
      {".LG..", 1, {0, 1, 1, -1, 0}, true}, {"GGGG.", 4, {1, -1, 1, -1, 1}, true},
      {"LLLL.", 0, {1, 1, 1, 1, 1}, false},
  };
  for (const Case& c : cases) {
    sound.played.clear();
    scoring.events.clear();
    Build();
    Links(c.links);
    Press(c.ring);
    MoveBy(0.7f);
    for (int32_t ring = 0; ring < kRings; ++ring) {
      EXPECT_NEAR(DrawnSlots(ring), 0.7f * c.turns[ring], 1e-3) << c.links << " " << ring;
    }
    control->OnRelease(At(0.7f * kSlotAngle, kFarRadius));
    Settle();
    for (int32_t ring = 0; ring < kRings; ++ring) {
      EXPECT_EQ(TurnsOf(ring), c.turns[ring]) << c.links << " ring " << ring;
      // One turn of one slot each, in the tower as well.
      EXPECT_EQ(Heard(scoring.events, "OnRingTurned " + std::to_string(ring)),
                c.turns[ring] != 0 ? 1 : 0)
          << c.links << " ring " << ring;
    }
    EXPECT_EQ(Played("StartGearRotating") > 0, c.gears) << c.links;
  }
}

TEST_F(ClickDragTest, ARefusedLinkedRingChangesNoAngle) {
  Strings rings = PlainRings();
  rings[3][5] = 'A';  // an unbroken blocker holds ring 3
  Build(rings);
  Links("..L..");
  Press(2);
  ASSERT_TRUE(Locked(TInputLock::RingDrag));
  control->OnMove(OnRing(2, 0.7f));
  for (int32_t ring = 0; ring < kRings; ++ring) EXPECT_EQ(view.GetRingAngle(ring), 0.0f) << ring;
  EXPECT_EQ(Played("PlayRingRotate"), 0);
  EXPECT_EQ(view.marks[2], std::vector<int32_t>(12, kRingMarkBusyPressed));
  Update(5);
  EXPECT_EQ(Played("PlayBlockerTurn"), 1);  // once per press, not once per update

  control->OnRelease(OnRing(2, 0.7f));
  Settle();
  for (int32_t ring = 0; ring < kRings; ++ring) {
    EXPECT_EQ(TurnsOf(ring), 0) << ring;
    EXPECT_EQ(view.GetRingAngle(ring), 0.0f) << ring;
  }
  EXPECT_EQ(listener.turns, 0);
  EXPECT_FALSE(control->GetInputLocks()->IsAnyLocked());
}

// Presses ------------------------------------------------------------------

TEST_F(ClickDragTest, APressGrabsOnlyAFreeRingWhileNothingElseMoves) {
  struct Case {
    const char* name;
    std::function<void()> arrange;
    bool grabs;
  };
  const Case cases[] = {
      {"free ring", [] {}, true},
      {"input lock", [this] { control->GetInputLocks()->Lock(TInputLock::ScoringBusy); }, false},
      {"refused ring", [this] { control->AddRefusedRing(2); }, false},
      {"refused and cleared",
       [this] {
         control->AddRefusedRing(2);
         control->ClearRefusedRings();
       },
       true},
      {"other ring refused", [this] { control->AddRefusedRing(1); }, true},
      {"busy ring", [this] { tower->SetPiece(2, 4, pieces.CreateBlocked(1, true)); }, false},
      {"column can take a piece", [this] { tower->SetPiece(4, 6, pieces.GetNullPiece()); }, false},
  };
  for (const Case& c : cases) {
    Build();
    c.arrange();
    Press(2);
    EXPECT_EQ(Locked(TInputLock::RingDrag), c.grabs) << c.name;
    MoveBy(1.0f);
    EXPECT_EQ(view.GetRingAngle(2) != 0.0f, c.grabs) << c.name;
  }
}

TEST_F(ClickDragTest, APressBesideTheTowerGrabsNothing) {
  Build();
  control->OnPress({400, 300});
  control->OnPress({400, 10});
  EXPECT_FALSE(Locked(TInputLock::RingDrag));
  control->OnRelease({400, 10});
  EXPECT_FALSE(control->GetInputLocks()->IsAnyLocked());
}

TEST_F(ClickDragTest, RePressActsOnlyWhileTheButtonIsHeld) {
  Build();
  control->RePress(OnRing(2));
  EXPECT_FALSE(Locked(TInputLock::RingDrag));
  control->OnPress({0, 0});
  control->RePress(OnRing(2));
  EXPECT_TRUE(Locked(TInputLock::RingDrag));
}

TEST_F(ClickDragTest, AnotherLockDuringADragCancelsIt) {
  Build();
  Press(2);
  MoveBy(0.8f);
  control->GetInputLocks()->Lock(TInputLock::Explosion);
  MoveBy(0.9f);
  EXPECT_FALSE(Locked(TInputLock::RingDrag));
  EXPECT_EQ(view.GetRingAngle(2), 0.0f);
  control->GetInputLocks()->Unlock(TInputLock::Explosion);
  control->OnRelease(At(0.9f * kSlotAngle, kFarRadius));
  EXPECT_FALSE(control->GetInputLocks()->IsAnyLocked());
  EXPECT_EQ(TurnsOf(2), 0);
  EXPECT_EQ(listener.turns, 0);
}

TEST_F(ClickDragTest, ALockStillHeldAtTheReleaseDropsTheRing) {
  Build();
  Press(2);
  MoveBy(0.8f);
  control->GetInputLocks()->Lock(TInputLock::ScoringBusy);
  control->OnRelease(At(0.8f * kSlotAngle, kFarRadius));
  EXPECT_EQ(view.GetRingAngle(2), 0.0f);
  EXPECT_FALSE(Locked(TInputLock::RingDrag));
  EXPECT_FALSE(Locked(TInputLock::RingAnimation));
  EXPECT_EQ(TurnsOf(2), 0);
}

// The rotate sound ----------------------------------------------------------

TEST_F(ClickDragTest, RotateSoundPlaysAtMostEveryHundredMillisecondsFromTheFirstMove) {
  struct Case {
    uint32_t gap;
    int sounds;
  };
  for (const Case& c : {Case{50, 0}, Case{100, 0}, Case{101, 1}}) {
    sound.played.clear();
    Build();
    clock.Advance(1000);
    Press(2);
    MoveBy(0.2f);
    EXPECT_EQ(Played("PlayRingRotate"), 0) << "the first move, long after the control was built";
    clock.Advance(c.gap);
    MoveBy(0.4f);
    EXPECT_EQ(Played("PlayRingRotate"), c.sounds) << c.gap;
  }
}

TEST_F(ClickDragTest, EveryLevelKeepsItsOwnRotateSoundTime) {
  Build();
  clock.Advance(60000);
  Press(2);
  MoveBy(0.2f);
  clock.Advance(200);
  MoveBy(0.4f);
  ASSERT_EQ(Played("PlayRingRotate"), 1);
  control->OnRelease(At(0.4f * kSlotAngle, kFarRadius));

  sound.played.clear();
  Build();  // the next level: a new control with a new clock
  clock.Advance(1000);
  Press(2);
  MoveBy(0.2f);
  EXPECT_EQ(Played("PlayRingRotate"), 0) << "no time carried over from the last level's clock";
  clock.Advance(101);
  MoveBy(0.4f);
  EXPECT_EQ(Played("PlayRingRotate"), 1);
}

// Jugs, hover and highlight --------------------------------------------------

TEST_F(ClickDragTest, ThePointerPicksTheJugOfItsSlot) {
  FakePieceJugs jugs{TJugSetup{}};
  scoring.jugs = &jugs;
  Build();
  control->OnMove(OnRing(2, 4.5f));
  EXPECT_EQ(jugs.currentJug, 4);
  control->OnMove({0, 0});
  EXPECT_EQ(jugs.currentJug, -1);
}

TEST_F(ClickDragTest, ADragWorksOnALevelWithoutJugs) {
  Build();
  ASSERT_EQ(scoring.GetPieceJug(), nullptr);
  control->OnMove(OnRing(2, 4.5f));
  Drag(2, 1.7f);
  Settle();
  EXPECT_EQ(TurnsOf(2), 2);
}

TEST_F(ClickDragTest, ARingIsHighlightedOnceThePointerRestsOnIt) {
  Build();
  control->OnMove(OnRing(2));
  Update();
  EXPECT_EQ(view.marks[2][0], kRingMarkNone);
  clock.Advance(kHighlightDelay);
  Update();
  EXPECT_EQ(view.marks[2], std::vector<int32_t>(12, kRingMarkHover));
  control->OnMove(OnRing(3));
  Update();
  EXPECT_EQ(view.marks[2][0], kRingMarkNone);
  EXPECT_EQ(view.marks[3][0], kRingMarkNone);
  control->OnMove({0, 0});
  clock.Advance(kHighlightDelay);
  Update();
  for (int32_t ring = 0; ring < kRings; ++ring) EXPECT_EQ(view.marks[ring][0], kRingMarkNone);
}

TEST_F(ClickDragTest, ABusyRingIsMarkedAndPressingItSoundsOnce) {
  Strings rings = PlainRings();
  rings[2][5] = 'A';
  Build(rings);
  control->OnMove(OnRing(2));
  Update();
  EXPECT_EQ(view.marks[2][0], kRingMarkBusy);
  Press(2);
  Update(10);
  EXPECT_EQ(view.marks[2][0], kRingMarkBusyPressed);
  EXPECT_EQ(Played("PlayBlockerTurn"), 1);
  control->OnRelease(OnRing(2));
  control->OnMove(OnRing(2));
  Press(2);
  EXPECT_EQ(Played("PlayBlockerTurn"), 2);
}

TEST_F(ClickDragTest, ABusyRingIsSilentOnceTheLevelIsBeingLost) {
  Strings rings = PlainRings();
  rings[2][5] = 'A';
  Build(rings);
  view.loseFlowArmed = true;
  control->OnMove(OnRing(2));
  Press(2);
  Update(10);
  EXPECT_EQ(view.marks[2][0], kRingMarkBusyPressed);
  EXPECT_EQ(Played("PlayBlockerTurn"), 0);
}

// Queued moves ---------------------------------------------------------------

TEST_F(ClickDragTest, AQueuedMoveTurnsTheRingAndItsLinksStepByStep) {
  Build();
  Links("..L..");
  control->QueueMove(2, -2);
  Update();  // the move's clock starts
  Update(10);
  EXPECT_NEAR(DrawnSlots(2), -0.6f, 1e-3);
  EXPECT_NEAR(DrawnSlots(3), -0.6f, 1e-3);
  EXPECT_EQ(TurnsOf(2), 0);
  Update(23);
  EXPECT_EQ(TurnsOf(2), 0);
  EXPECT_TRUE(view.events.empty());
  Update();
  EXPECT_EQ(TurnsOf(2), -2);
  EXPECT_EQ(TurnsOf(3), -2);
  EXPECT_EQ(view.GetRingAngle(2), 0.0f);
  EXPECT_EQ(view.events, Strings{"OnMovesDone"});
  Update(5);
  EXPECT_EQ(view.events, Strings{"OnMovesDone"});
}

// The state check -------------------------------------------------------------

TEST_F(ClickDragTest, ATurnThatMakesARunStartsItsRemoval) {
  Strings rings = PlainRings();
  rings[2][0] = '0';  // turning ring 1 one slot right lines up 0, 0, 0 in slot 0
  Build(rings);
  Drag(1, 1.0f);
  Settle();
  EXPECT_TRUE(Locked(TInputLock::MatchRemoval));
  EXPECT_EQ(Played("OnMatchFound"), 1);
}

TEST_F(ClickDragTest, ATowerWithoutMovesEndsThePlayOnce) {
  Build();
  scoring.stuck = true;
  Update(3);
  EXPECT_EQ(view.events, Strings{"ShowNoMoveMessage"});
  EXPECT_EQ(scoring.Named("CommitTotal").size(), 1u);
  EXPECT_TRUE(Locked(TInputLock::EndOfPlay));
  Press(2);
  EXPECT_FALSE(Locked(TInputLock::RingDrag));
}

TEST_F(ClickDragTest, NothingIsCheckedWhileALockIsHeld) {
  Build();
  scoring.stuck = true;
  control->GetInputLocks()->Lock(TInputLock::StartUpDelivery);
  Update(3);
  EXPECT_TRUE(view.events.empty());
}

// The end of play ---------------------------------------------------------------

TEST_F(ClickDragTest, ThePlayEndsOnceWhicheverEndComesFirst) {
  struct Case {
    const char* name;
    std::function<void(ITowerControl&)> first;
    Strings viewEvents;
    size_t commits;
  };
  const Case cases[] = {
      {"time up", [](ITowerControl& c) { c.EndTimeUp(); }, {"ShowTimeUpMessage"}, 1},
      {"no move", [](ITowerControl& c) { c.EndNoMove(); }, {"ShowNoMoveMessage"}, 1},
      {"play", [](ITowerControl& c) { c.EndPlay(); }, {}, 1},
      {"level", [](ITowerControl& c) { c.EndLevel(); }, {"OnLevelEnd"}, 0},
  };
  for (const Case& c : cases) {
    scoring.events.clear();
    view.events.clear();
    Build();
    c.first(*control);
    // The level timer keeps calling once its time has run out.
    for (int i = 0; i < 5; ++i) control->EndTimeUp();
    control->EndNoMove();
    control->EndPlay();
    control->EndLevel();
    EXPECT_EQ(view.events, c.viewEvents) << c.name;
    EXPECT_EQ(scoring.Named("CommitTotal").size(), c.commits) << c.name;
    EXPECT_TRUE(Locked(TInputLock::EndOfPlay)) << c.name;
  }
}

// The policies -------------------------------------------------------------------

TEST_F(ClickDragTest, PoliciesRunInTheOrderAddedBeforeTheStateCheck) {
  Build();
  Strings log;
  const Strings order = {"start-up", "add-ring", "disappearing", "falling",
                         "raising",  "moving",   "timer"};
  for (const std::string& name : order) {
    control->AddSubController(std::make_unique<RecordingPolicy>(name, &log));
  }
  control->Update();
  control->Update();
  Strings twice = order;
  twice.insert(twice.end(), order.begin(), order.end());
  EXPECT_EQ(log, twice);
}

TEST_F(ClickDragTest, TheStateCheckSeesWhatThePoliciesLeft) {
  Build();
  scoring.stuck = true;
  TInputLocks* locks = control->GetInputLocks();
  locks->Lock(TInputLock::StartUpDelivery);
  Strings log;
  control->AddSubController(std::make_unique<RecordingPolicy>(
      "start-up", &log, [locks] { locks->Unlock(TInputLock::StartUpDelivery); }));
  control->AddSubController(std::make_unique<RecordingPolicy>(
      "timer", &log, [this, &log] { log.push_back(view.events.empty() ? "playing" : "ended"); }));
  control->Update();
  EXPECT_EQ(log, (Strings{"start-up", "timer", "playing"}));
  EXPECT_EQ(view.events, Strings{"ShowNoMoveMessage"});
}

TEST_F(ClickDragTest, TheAnimatorStepsBeforeThePolicies) {
  Build();
  TInputLocks* locks = control->GetInputLocks();
  Strings log;
  control->AddSubController(std::make_unique<RecordingPolicy>("policy", &log, [&log, locks] {
    log.push_back(locks->IsLocked(TInputLock::RingAnimation) ? "animating" : "settled");
  }));
  Drag(2, 0.9f);
  Update(5);  // the snap commits in the fifth update
  EXPECT_EQ(log.back(), "settled");
  EXPECT_EQ(log[log.size() - 3], "animating");
}

}  // namespace
}  // namespace GamePlay
