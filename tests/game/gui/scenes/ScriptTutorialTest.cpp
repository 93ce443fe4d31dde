// The scripted tutorials: what each attribute does when its event starts
// and ends, how the runner moves from event to event (delays on game time,
// clicks awaited, pieces vanishing, "StartNow"), and scripts naming places
// outside the tower.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "game/gui/scenes/TScriptTutorial.h"
#include "game/rules/control/TClockProxyRegistry.h"
#include "game/rules/pieces/PieceAs.h"
#include "game/rules/pieces/TDisappearingPiece.h"
#include "game/rules/pieces/TPowerUpPiece.h"
#include "platform/file/FileIndex.h"
#include "platform/text/Log.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestFileLayer.h"
#include "tests/support/rules/KitPieceFactory.h"
#include "tests/support/rules/KitPowerUps.h"
#include "tests/support/rules/KitTower.h"
#include "tests/support/rules/NullPieceViews.h"
#include "tests/support/rules/RecordingScoringModel.h"
#include "tests/support/rules/RecordingSoundView.h"
#include "tests/support/rules/StubTowerControl.h"
#include "tests/support/rules/StubTowerView.h"

namespace GUI {
namespace {

std::string JoinTutorialCalls(const std::vector<std::string>& calls) {
  std::string text;
  for (const std::string& call : calls) text += (text.empty() ? "" : ",") + call;
  return text;
}

// A message view that writes down what the tutorial asks of it
// ("ShowDialog 2 modal end", "ShowOverlay 400 300 hand").
class RecordingMsgView final : public GamePlay::ITutorialMsgView {
 public:
  std::vector<std::string> calls;
  bool showing = false;
  bool waitingForClick = false;

  void ShowDialog(const std::vector<GamePlay::TDialogItem>& items, bool modal, bool endsLevel) override {
    std::ostringstream call;
    call << "ShowDialog " << items.size() << (modal ? " modal" : "") << (endsLevel ? " end" : "");
    for (const GamePlay::TDialogItem& item : items) {
      call << " " << item.position.x << ":" << item.position.y << ":" << item.text.CStr();
    }
    calls.push_back(call.str());
  }
  void AddOverlay(const TString& name) override { calls.push_back(std::string("AddOverlay ") + name.CStr()); }
  void ShowOverlay(const TVec2& position, const TString& name) override {
    std::ostringstream call;
    call << "ShowOverlay " << position.x << " " << position.y << " " << name.CStr();
    calls.push_back(call.str());
  }
  void HideOverlay() override { calls.push_back("HideOverlay"); }
  void HideDialog() override { calls.push_back("HideDialog"); }
  bool IsShowing() override { return showing; }
  bool IsWaitingForClick() override { return waitingForClick; }
  void OnMouseDown(const TVec2&) override {}
  void OnMouseUp(const TVec2&) override {}
  void SetListener(GamePlay::IScriptTutorialView*) override {}
  void SetTowerView(GamePlay::ITowerView*) override {}
  void SetModel(GamePlay::ITowerModel*) override {}
  void Draw() override {}
};

class ScriptTutorialTest : public testing::Test {
 protected:
  ScriptTutorialTest() {
    SetLogFolder(mLogs.Path().c_str());
    setup.scoring = &scoring;
    setup.powerUpFactory = &powerUps;
    setup.sound = &sound;
    kit = std::make_unique<KitTower>(pieces, setup,
                                     std::vector<std::string>{"000000000000", "P00000000000", "000000000000"});
    control.model = kit->tower.get();
  }
  ~ScriptTutorialTest() override {
    GamePlay::TClockProxyRegistry::Instance().ResumeAll();
    GamePlay::TClockProxyRegistry::Instance().SetSuspended(false);
  }

  // Writes the events as the tutorial's script and loads it.
  std::unique_ptr<TScriptTutorial> Load(const std::string& events) {
    files.WriteAsset("tutorials/tutorial9901.lua", "Tutorial = { " + events + " }");
    BuildFileIndex();
    return std::make_unique<TScriptTutorial>("tutorials/tutorial9901.lua", &towerView, &control, &messages);
  }
  // What the tutorial has done so far, then forgotten.
  std::string TakeCalls() {
    std::ostringstream text;
    text << "ctl[" << JoinTutorialCalls(control.events) << "] view[" << JoinTutorialCalls(towerView.events)
         << "] msg[" << JoinTutorialCalls(messages.calls) << "] hl[";
    for (const GamePlay::TCell& cell : towerView.highlights) text << cell.ring << ":" << cell.slot << " ";
    text << "] hover " << towerView.hover.ring << ":" << towerView.hover.slot << " bombs " << control.flag;
    control.events.clear();
    towerView.events.clear();
    messages.calls.clear();
    return text.str();
  }
  std::string LogText() const { return ReadWholeFile(GetLogPath().CStr()); }
  std::string CurrentName(const TScriptTutorial& tutorial) const {
    const ScriptTutorial::TTutorialEvent* event = tutorial.GetRunner()->GetCurrentEvent();
    return event ? event->GetName().CStr() : "(none)";
  }

  FakePlatform platform;
  FakeClock clock;
  TestFileLayer files;
  NullPieceViewFactory views;
  KitPieceFactory pieces{&views};
  RecordingScoringModel scoring;
  RecordingPowerUpFactory powerUps;
  RecordingSoundView sound;
  GamePlay::TTowerSetup setup;
  std::unique_ptr<KitTower> kit;
  StubTowerView towerView{3};
  StubTowerControl control{nullptr, &towerView};
  RecordingMsgView messages;

 private:
  TempFolder mLogs;
};

struct AttributeCase {
  std::string attribute;
  std::string atStart;
  std::string atEnd;
};

// The attribute's event is followed by an empty one and a last one, so
// that "Next" ends it and starts the empty one.
TEST_F(ScriptTutorialTest, EachAttributeActsWhenItsEventStartsAndEnds) {
  const std::string none = "ctl[] view[] msg[] hl[] hover 0:0 bombs 1";
  const std::vector<AttributeCase> cases = {
      {"Highlights = { {1, 2}, {3, 4, absolute = true}, {-1, -1} }",
       "ctl[] view[] msg[] hl[1:2 -1:-1 ] hover 0:0 bombs 1", none},
      {"Arrow = {3, 7}", "ctl[] view[] msg[] hl[] hover 3:7 bombs 1", none},
      {"Arrow = {-1, -1}", "ctl[] view[] msg[] hl[] hover -1:-1 bombs 1", none},
      {"FixArrow = {100, 200, r = 90}", "ctl[] view[ShowArrow 1] msg[] hl[] hover 0:0 bombs 1", none},
      {"FixArrows = { {1, 2}, {3, 4, r = 5} }", "ctl[] view[ShowArrow 2] msg[] hl[] hover 0:0 bombs 1", none},
      {"Dialog = { { {100, 120}, 'Hello' }, 'not a part' }",
       "ctl[] view[] msg[ShowDialog 1 100:120:Hello] hl[] hover 0:0 bombs 1",
       "ctl[] view[] msg[HideDialog] hl[] hover 0:0 bombs 1"},
      {"ModalDialog = { { {1, 2}, 'A' }, { {}, 'B' } }",
       "ctl[] view[] msg[ShowDialog 2 modal 1:2:A 0:0:B] hl[] hover 0:0 bombs 1",
       "ctl[] view[] msg[HideDialog] hl[] hover 0:0 bombs 1"},
      {"ModalDialogEndGame = { { {5, 6}, 'Bye' } }",
       "ctl[] view[] msg[ShowDialog 1 modal end 5:6:Bye] hl[] hover 0:0 bombs 1",
       "ctl[] view[] msg[HideDialog] hl[] hover 0:0 bombs 1"},
      {"LockRings = {1, 3}", "ctl[ClearRefusedRings,AddRefusedRing 0,AddRefusedRing 2] view[] msg[] hl[] hover 0:0 bombs 1",
       "ctl[ClearRefusedRings] view[] msg[] hl[] hover 0:0 bombs 1"},
      {"Overlay = 'hand'", "ctl[] view[] msg[ShowOverlay 400 300 hand] hl[] hover 0:0 bombs 1",
       "ctl[] view[] msg[HideOverlay] hl[] hover 0:0 bombs 1"},
      {"Overlay = { {10, 20}, 'hand' }", "ctl[] view[] msg[ShowOverlay 10 20 hand] hl[] hover 0:0 bombs 1",
       "ctl[] view[] msg[HideOverlay] hl[] hover 0:0 bombs 1"},
      {"MoveRing = {2, -3}", "ctl[QueueMove 1 -3] view[] msg[] hl[] hover 0:0 bombs 1", none},
      {"BombActivity = false", "ctl[] view[] msg[] hl[] hover 0:0 bombs 0", none},
      {"Unknown = 5, __eventname__ = 'x'", none, none},
  };
  for (const AttributeCase& c : cases) {
    SCOPED_TRACE(c.attribute);
    std::unique_ptr<TScriptTutorial> tutorial =
        Load("{ __type__ = 'Event', " + c.attribute + " }, { __type__ = 'Event' }, { __type__ = 'Event' }");
    messages.calls.clear();  // an overlay's picture is asked for as the script is read
    towerView.hover = {};
    towerView.highlights.clear();
    tutorial->Start();
    EXPECT_EQ(TakeCalls(), c.atStart);
    tutorial->RequestNextStep();
    tutorial->Update();
    EXPECT_EQ(TakeCalls(), c.atEnd);
  }
}

TEST_F(ScriptTutorialTest, AnOverlayHasItsPictureLoadedAsTheScriptIsRead) {
  std::unique_ptr<TScriptTutorial> tutorial = Load("{ __type__ = 'Event', Overlay = 'hand' }");
  EXPECT_EQ(messages.calls, (std::vector<std::string>{"AddOverlay hand"}));
}

TEST_F(ScriptTutorialTest, EliminationSwitchesTheTowersMatchCheck) {
  std::unique_ptr<TScriptTutorial> tutorial =
      Load("{ __type__ = 'Event', Elimination = 0 }, { __type__ = 'Event', Elimination = 2 }, { __type__ = 'Event' }");
  kit->tower->SetPiece(0, 0, MakeKitPiece(pieces, '1'));
  kit->tower->SetPiece(0, 1, MakeKitPiece(pieces, '1'));
  kit->tower->SetPiece(0, 2, MakeKitPiece(pieces, '1'));
  tutorial->Start();
  EXPECT_FALSE(kit->tower->CheckMatches());
  tutorial->RequestNextStep();
  tutorial->Update();
  EXPECT_TRUE(kit->tower->CheckMatches());
}

TEST_F(ScriptTutorialTest, EntriesThatAreNoEventsAreSkipped) {
  std::unique_ptr<TScriptTutorial> tutorial =
      Load("TargetPieces = { __type__ = 'Event', __eventname__ = 'target' }, 'text', 5, "
           "{ __type__ = 'Loop', __eventname__ = 'loop' }, { __eventname__ = 'untyped' }, "
           "{ __type__ = 'Event', __eventname__ = 'first' }, { __type__ = 'Event', __eventname__ = 'last' }");
  EXPECT_EQ(tutorial->GetRunner()->GetQueuedCount(), 2u);
  EXPECT_NE(LogText().find("an entry of type 'Loop' is no event"), std::string::npos);
  tutorial->Start();
  EXPECT_EQ(CurrentName(*tutorial), "first");
}

TEST_F(ScriptTutorialTest, WithoutAScriptThereIsNoRunnerAndNothingHappens) {
  TScriptTutorial missing("tutorials/tutorial9999.lua", &towerView, &control, &messages);
  TScriptTutorial none("", &towerView, &control, &messages);
  for (TScriptTutorial* tutorial : {&missing, &none}) {
    EXPECT_EQ(tutorial->GetRunner(), nullptr);
    tutorial->Start();
    tutorial->RequestNextStep();
    tutorial->Update();
  }
  EXPECT_EQ(TakeCalls(), "ctl[] view[] msg[] hl[] hover 0:0 bombs 1");
}

TEST_F(ScriptTutorialTest, ADelayRunsOnGameTimeAndEndsOnTheNextStepAfterIt) {
  std::unique_ptr<TScriptTutorial> tutorial = Load(
      "{ __type__ = 'Event', __eventname__ = 'slow', __delay__ = 2000.7 }, "
      "{ __type__ = 'Event', __eventname__ = 'then', Dialog = { { {1, 1}, 'x' } } }, { __type__ = 'Event' }");
  tutorial->Start();
  tutorial->RequestNextStep();
  tutorial->Update();
  EXPECT_EQ(CurrentName(*tutorial), "slow") << "the delay starts";
  clock.Advance(1500);
  GamePlay::TClockProxyRegistry::Instance().PauseAll();
  clock.Advance(5000);
  tutorial->Update();
  EXPECT_EQ(CurrentName(*tutorial), "slow") << "a pause stops the delay";
  GamePlay::TClockProxyRegistry::Instance().ResumeAll();
  clock.Advance(500);
  tutorial->Update();
  EXPECT_EQ(CurrentName(*tutorial), "slow") << "exactly 2000 ms is not past the delay";
  clock.Advance(1);
  tutorial->Update();
  EXPECT_EQ(CurrentName(*tutorial), "then");
}

TEST_F(ScriptTutorialTest, NothingMovesWhileAClickIsAwaitedAndAStepAskedForThenIsLost) {
  std::unique_ptr<TScriptTutorial> tutorial =
      Load("{ __type__ = 'Event', __eventname__ = 'a' }, { __type__ = 'Event', __eventname__ = 'b' }, "
           "{ __type__ = 'Event', __eventname__ = 'c' }");
  messages.waitingForClick = true;
  tutorial->Start();
  EXPECT_EQ(CurrentName(*tutorial), "(none)");
  messages.waitingForClick = false;
  tutorial->Start();
  messages.waitingForClick = true;
  tutorial->RequestNextStep();
  tutorial->Update();
  EXPECT_FALSE(tutorial->IsStepRequested());
  messages.waitingForClick = false;
  tutorial->Update();
  EXPECT_EQ(CurrentName(*tutorial), "a") << "the request was lost";
  tutorial->RequestNextStep();
  tutorial->Update();
  EXPECT_EQ(CurrentName(*tutorial), "b");
}

// The play window starts a tutorial before anything else; a step asked for
// before that finds no event to end and starts none.
TEST_F(ScriptTutorialTest, AStepAskedForBeforeTheStartDoesNothing) {
  std::unique_ptr<TScriptTutorial> tutorial =
      Load("{ __type__ = 'Event', __eventname__ = 'a', Dialog = { { {1, 1}, 'x' } } }, "
           "{ __type__ = 'Event', __eventname__ = 'b' }");
  tutorial->RequestNextStep();
  tutorial->Update();
  EXPECT_EQ(CurrentName(*tutorial), "(none)");
  EXPECT_EQ(tutorial->GetRunner()->GetQueuedCount(), 2u);
  EXPECT_EQ(TakeCalls(), "ctl[] view[] msg[] hl[] hover 0:0 bombs 1");
  tutorial->Start();
  EXPECT_EQ(CurrentName(*tutorial), "a");
}

TEST_F(ScriptTutorialTest, ARequestedStepWaitsForLocksAndVanishingPieces) {
  std::unique_ptr<TScriptTutorial> tutorial =
      Load("{ __type__ = 'Event', __eventname__ = 'a' }, { __type__ = 'Event', __eventname__ = 'b' }, "
           "{ __type__ = 'Event' }");
  tutorial->Start();
  tutorial->RequestNextStep();
  control.locks.Lock(GamePlay::TInputLock::RingAnimation);
  tutorial->Update();
  EXPECT_EQ(CurrentName(*tutorial), "a");
  control.locks.Unlock(GamePlay::TInputLock::RingAnimation);
  GamePlay::TPiecePtr plain = kit->tower->GetPiece(0, 3);
  kit->tower->SetPiece(0, 3, pieces.CreateDisappearing(plain, nullptr, kit->tower.get()));
  tutorial->Update();
  EXPECT_EQ(CurrentName(*tutorial), "a");
  EXPECT_TRUE(tutorial->IsStepRequested());
  kit->tower->SetPiece(0, 3, plain);
  tutorial->Update();
  EXPECT_EQ(CurrentName(*tutorial), "b");
}

TEST_F(ScriptTutorialTest, StartNowMovesOnAtTheFirstFreeFrame) {
  std::unique_ptr<TScriptTutorial> tutorial =
      Load("{ __type__ = 'Event', __eventname__ = 'StartNow' }, { __type__ = 'Event', __eventname__ = 'b' }, "
           "{ __type__ = 'Event' }");
  control.locks.Lock(GamePlay::TInputLock::StartUpDelivery);
  tutorial->Start();
  tutorial->Update();
  EXPECT_EQ(CurrentName(*tutorial), "StartNow");
  control.locks.Unlock(GamePlay::TInputLock::StartUpDelivery);
  tutorial->Update();
  EXPECT_EQ(CurrentName(*tutorial), "b");
}

TEST_F(ScriptTutorialTest, ExplodePowerUpSetsOffOnlyAPowerUpPiece) {
  auto powerUp = std::make_shared<RecordingPowerUp>();
  GamePlay::TPiecePtr carrier = kit->tower->GetPiece(1, 0);
  GamePlay::PieceAs<GamePlay::TPowerUpPiece>(carrier.get())->ClearPowerUp(powerUp);
  std::unique_ptr<TScriptTutorial> tutorial = Load(
      "{ __type__ = 'Event', ExplodePowerUp = {1, 1} }, { __type__ = 'Event', ExplodePowerUp = {2, 1} }, "
      "{ __type__ = 'Event' }, { __type__ = 'Event' }");
  tutorial->Start();
  EXPECT_FALSE(tutorial->IsStepRequested()) << "a plain piece";
  tutorial->RequestNextStep();
  tutorial->Update();
  EXPECT_TRUE(tutorial->IsStepRequested());
  EXPECT_TRUE(carrier->IsTriggered());
  EXPECT_NE(GamePlay::PieceAs<GamePlay::TDisappearingPiece>(kit->tower->GetPiece(1, 0).get()), nullptr);
}

TEST_F(ScriptTutorialTest, PlacesOutsideTheTowerAreSkippedWithALogLine) {
  std::unique_ptr<TScriptTutorial> tutorial = Load(
      "{ __type__ = 'Event', LockRings = {0, 2, 4}, MoveRing = {4, 1}, Highlights = { {3, 0}, {0, 12}, {2, 11} }, "
      "ExplodePowerUp = {2, 13}, Arrow = {2, 13} }, { __type__ = 'Event' }");
  tutorial->Start();
  EXPECT_EQ(TakeCalls(), "ctl[ClearRefusedRings,AddRefusedRing 1] view[] msg[] hl[2:11 ] hover 0:0 bombs 1");
  EXPECT_FALSE(tutorial->IsStepRequested());
  const std::string log = LogText();
  EXPECT_NE(log.find("LockRings: ring -1 is outside the tower"), std::string::npos);
  EXPECT_NE(log.find("MoveRing: ring 3 is outside the tower"), std::string::npos);
  EXPECT_NE(log.find("Highlights: slot 12 is outside the tower"), std::string::npos);
  EXPECT_NE(log.find("ExplodePowerUp: slot 12 is outside the tower"), std::string::npos);
  EXPECT_NE(log.find("Arrow: piece 2, 13 is outside the tower"), std::string::npos);
}

}  // namespace
}  // namespace GUI
