// The tutorials' message box: dialogs fading in over the field, the
// continue button of a modal dialog and its clicks, the game clocks held
// while a modal dialog shows, the end of the level after an ending dialog,
// and the overlay.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "game/gui/effects/TGraphicRegistry.h"
#include "game/gui/views/TTutorialMsgViewImpl.h"
#include "game/rules/control/TClockProxyRegistry.h"
#include "media/text/TTextLayout.h"
#include "tests/game/gui/views/ViewTestKit.h"
#include "tests/support/FakeClock.h"
#include "tests/support/rules/CountingTutorialView.h"
#include "tests/support/rules/KitPieceFactory.h"
#include "tests/support/rules/KitTower.h"
#include "tests/support/rules/NullPieceViews.h"
#include "tests/support/rules/RecordingScoringModel.h"
#include "tests/support/rules/RecordingSoundView.h"
#include "tests/support/rules/StubTowerView.h"

namespace GUI {
namespace {

constexpr int32_t kButtonWidth = 100;
constexpr int32_t kButtonHeight = 40;
const TVec2 kFirstItem(300, 200);
// The continue button's centre under the first item.
const TVec2 kOnButton(300, 284);
const TVec2 kOffButton(300, 400);

bool SamePlace(const TVec2& a, const TVec2& b) { return a.x == b.x && a.y == b.y; }

bool ClocksHeld() { return GamePlay::TClockProxyRegistry::Instance().IsSuspended(); }

class TutorialMsgViewTest : public testing::Test {
 protected:
  TutorialMsgViewTest() {
    registry.Register("backgrounds/longdialog",
                      std::make_shared<RecordingGraphic>("dialog", &journal, 1, 400, 200));
    registry.Register("sprites/tutorials/cont-btn-up", std::make_shared<RecordingGraphic>(
                                                           "up", &journal, 1, kButtonWidth, kButtonHeight));
    registry.Register("sprites/tutorials/cont-btn-down", std::make_shared<RecordingGraphic>(
                                                             "down", &journal, 1, kButtonWidth, kButtonHeight));
    registry.Register("overlays/hand", std::make_shared<RecordingGraphic>("hand", &journal, 1));
    view = std::make_unique<TTutorialMsgViewImpl>(&registry);
    view->SetListener(&listener);
  }
  ~TutorialMsgViewTest() override { GamePlay::TClockProxyRegistry::Instance().SetSuspended(false); }

  void Show(const std::string& text, bool modal, bool endsLevel = false) {
    view->ShowDialog({{kFirstItem, text.c_str()}}, modal, endsLevel);
  }
  // Draws after the given time and answers the names drawn.
  std::vector<std::string> DrawAfter(uint32_t milliseconds) {
    clock.Advance(milliseconds);
    journal.clear();
    view->Draw();
    return DrawnNames(journal);
  }
  // Brings the front dialog to full fade.
  void FadeIn() {
    DrawAfter(0);
    DrawAfter(TTutorialMsgViewImpl::kFadeMilliseconds + 10);
  }
  void Click(const TVec2& down, const TVec2& up) {
    view->OnMouseDown(down);
    view->OnMouseUp(up);
  }

  FakeClock clock;
  TGraphicRegistry registry;
  std::vector<RecordedDraw> journal;
  CountingTutorialView listener;
  std::unique_ptr<TTutorialMsgViewImpl> view;
};

struct FadeCase {
  bool modal;
  uint32_t since;
  float backgroundAlpha;
  std::vector<std::string> drawn;
};

// The fade takes 400 ms from the first draw; the button comes only once it
// is done, and only for a modal dialog.
TEST_F(TutorialMsgViewTest, DialogsFadeInAndOnlyAModalOneShowsItsButtonOnceFaded) {
  const std::vector<FadeCase> cases = {
      {true, 200, 0.35f, {"dialog"}},
      {true, 400, 0.7f, {"dialog", "up"}},
      {true, 1000, 0.7f, {"dialog", "up"}},
      {false, 200, 0.35f, {"dialog"}},
      {false, 1000, 0.7f, {"dialog"}},
  };
  for (const FadeCase& c : cases) {
    view = std::make_unique<TTutorialMsgViewImpl>(&registry);
    Show("Turn a ring", c.modal);
    DrawAfter(0);
    EXPECT_EQ(DrawAfter(c.since), c.drawn) << c.modal << " " << c.since;
    EXPECT_FLOAT_EQ(journal.front().alpha, c.backgroundAlpha) << c.modal << " " << c.since;
    EXPECT_TRUE(SamePlace(journal.front().pos, kFirstItem));
    EXPECT_EQ(std::string(view->GetTextBox().GetText().CStr()), "Turn a ring");
    EXPECT_EQ(ClocksHeld(), c.modal) << "only a modal dialog holds the game clocks";
    view->HideDialog();
  }
}

// The text fills the dialog less a 30-pixel margin all round, its lines
// centred in a centred block and large enough to read over the tower.
TEST_F(TutorialMsgViewTest, TheTextIsCentredInsideTheDialogAtAReadableSize) {
  const TTextLayout& box = view->GetTextBox();
  EXPECT_EQ(box.GetWidth(), 400 - 60);
  EXPECT_EQ(box.GetHeight(), 200 - 60);
  EXPECT_EQ(box.GetFlags(), TTextLayout::kCentreLines | TTextLayout::kCentreBlock);
  EXPECT_EQ(box.GetFontSize(), 20);
  EXPECT_EQ(std::string(box.GetFontName().CStr()), "fonts/palabi.mvec");
}

struct ClickCase {
  TVec2 down;
  TVec2 up;
  bool closes;
};

TEST_F(TutorialMsgViewTest, OnlyAPressAndReleaseOnTheButtonCloseTheDialog) {
  const std::vector<ClickCase> cases = {
      {kOnButton, kOnButton, true},
      {kOnButton, kOffButton, false},
      {kOffButton, kOnButton, false},
      {TVec2(250, 264), TVec2(350, 304), true},  // the corners of the hit rectangle
      {TVec2(249, 284), TVec2(249, 284), false},
  };
  for (const ClickCase& c : cases) {
    view = std::make_unique<TTutorialMsgViewImpl>(&registry);
    view->SetListener(&listener);
    listener.steps = 0;
    Show("Click on", true);
    FadeIn();
    EXPECT_EQ(view->GetContinueButtonRect(), TRect(250, 264, 350, 304));
    Click(c.down, c.up);
    EXPECT_EQ(view->IsShowing(), !c.closes) << c.down.x << "," << c.down.y;
    EXPECT_EQ(listener.steps, c.closes ? 1 : 0);
    EXPECT_FALSE(view->IsPressed());
  }
}

TEST_F(TutorialMsgViewTest, TheButtonIsDrawnDownWhilePressedAndClicksBeforeTheFadeDoNothing) {
  Show("Wait", true);
  DrawAfter(0);
  DrawAfter(100);
  Click(kOnButton, kOnButton);
  EXPECT_TRUE(view->IsShowing()) << "a click before the fade is done";
  DrawAfter(400);
  view->OnMouseDown(kOnButton);
  EXPECT_EQ(DrawAfter(10), (std::vector<std::string>{"dialog", "down"}));
}

TEST_F(TutorialMsgViewTest, ClosingOneOfTwoShowsTheNextAtOnceAndClosingTheLastLetsTheClocksRun) {
  Show("First", true);
  Show("Second", true);
  FadeIn();
  Click(kOnButton, kOnButton);
  DrawAfter(0);
  EXPECT_FLOAT_EQ(view->GetFade(), 1.0f);
  EXPECT_EQ(DrawnNames(journal), (std::vector<std::string>{"dialog", "up"}));
  EXPECT_EQ(std::string(view->GetTextBox().GetText().CStr()), "Second");
  EXPECT_TRUE(ClocksHeld());
  Click(kOnButton, kOnButton);
  EXPECT_FALSE(ClocksHeld());
  EXPECT_FLOAT_EQ(view->GetFade(), 0.0f);
  EXPECT_TRUE(DrawAfter(10).empty());
  EXPECT_EQ(listener.steps, 2);
}

TEST_F(TutorialMsgViewTest, OnlyAnEndingDialogTellsTheTowerViewTheLevelIsOver) {
  StubTowerView tower;
  view->SetTowerView(&tower);
  Show("Well done", true, false);
  FadeIn();
  Click(kOnButton, kOnButton);
  EXPECT_TRUE(tower.events.empty());
  Show("The end", true, true);
  FadeIn();
  Click(kOnButton, kOnButton);
  EXPECT_EQ(tower.events, (std::vector<std::string>{"OnLevelEnd"}));
}

TEST_F(TutorialMsgViewTest, AModalDialogReachingTheFrontHoldsTheClocks) {
  Show("Look", false);
  Show("Now click", true);
  FadeIn();
  EXPECT_FALSE(ClocksHeld());
  view->HideDialog();
  EXPECT_TRUE(ClocksHeld());
  EXPECT_TRUE(view->IsWaitingForClick());
}

// A model past its first fill starts each dialog as it is queued.
TEST_F(TutorialMsgViewTest, ANonModalDialogQueuedBehindAWaitingModalOneKeepsTheClocksHeld) {
  NullPieceViewFactory views;
  KitPieceFactory pieces(&views);
  RecordingScoringModel scoring;
  RecordingSoundView sound;
  GamePlay::TTowerSetup setup;
  setup.scoring = &scoring;
  setup.sound = &sound;
  KitTower kit(pieces, setup, {"000000000000"});
  kit.tower->StepAllColumns(0);
  kit.tower->StepAllColumns(0);
  ASSERT_FALSE(kit.tower->IsFilling());
  view->SetModel(kit.tower.get());
  Show("Wait for me", true);
  EXPECT_TRUE(ClocksHeld());
  Show("Meanwhile", false);
  EXPECT_TRUE(ClocksHeld());
}

TEST_F(TutorialMsgViewTest, ABoxDeletedWhileAModalDialogHoldsTheClocksLetsThemGo) {
  Show("Left behind", true);
  DrawAfter(0);
  ASSERT_TRUE(ClocksHeld());
  view.reset();
  EXPECT_FALSE(ClocksHeld());
}

TEST_F(TutorialMsgViewTest, TheOverlayIsDrawnOnlyWhileADialogShows) {
  view->AddOverlay("overlays/hand");
  view->ShowOverlay(TVec2(400, 300), "overlays/hand");
  EXPECT_TRUE(DrawAfter(10).empty());
  Show("See the hand", false);
  EXPECT_EQ(DrawAfter(10).back(), "hand");
  EXPECT_TRUE(SamePlace(journal.back().pos, TVec2(400, 300)));
  view->HideOverlay();
  EXPECT_EQ(DrawAfter(10), (std::vector<std::string>{"dialog"}));
}

TEST_F(TutorialMsgViewTest, AnOverlayNeverAddedIsNotShown) {
  view->ShowOverlay(TVec2(10, 10), "overlays/hand");
  Show("No hand", false);
  EXPECT_EQ(DrawAfter(10), (std::vector<std::string>{"dialog"}));
}

// Without items the button stands under the tower's centre, or under
// (400, 300) before the view knows a tower.
TEST_F(TutorialMsgViewTest, AModalDialogWithoutItemsPlacesItsButtonUnderTheCentre) {
  view->ShowDialog({}, true, false);
  FadeIn();
  EXPECT_EQ(view->GetContinueButtonRect(), TRect(350, 364, 450, 404));
  Click(TVec2(400, 384), TVec2(400, 384));
  EXPECT_FALSE(view->IsShowing());
}

TEST_F(TutorialMsgViewTest, AModalDialogWithoutItemsPlacesItsButtonUnderTheTowersCentre) {
  StubTowerView tower;
  tower.centre = {250, 200};
  view->SetTowerView(&tower);
  view->ShowDialog({}, true, false);
  FadeIn();
  EXPECT_EQ(view->GetContinueButtonRect(), TRect(200, 264, 300, 304));
  Click(TVec2(250, 284), TVec2(250, 284));
  EXPECT_FALSE(view->IsShowing());
}

}  // namespace
}  // namespace GUI
