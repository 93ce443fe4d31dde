// The pause dialog's window: the caption of the paused level, Escape as a
// press of "returnGame", the focus it takes, its update task and its Lua
// function once the window is gone.
#include "game/gui/screens/TPauseWindow.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "game/gui/effects/TFadeInTask.h"
#include "game/gui/main/TGameApp.h"
#include "platform/file/FileIndex.h"
#include "platform/types/TEvent.h"
#include "tests/game/gui/screens/ButtonPresses.h"
#include "tests/game/gui/screens/ScreenDialogRig.h"
#include "tests/support/TestFileLayer.h"
#include "windows/kinds/TText.h"

namespace GUI {
namespace {

// The pause dialog as our script builds it: "LevelText", "returnGame" and
// the pause window.
class PauseWindowTest : public ScreenDialogRig {
 protected:
  PauseWindowTest() {
    caption = AddText("LevelText");
    returnGame = Add(std::make_unique<TButton>(TButton::kPush), "returnGame");
    returnGame->SetPosition(10, 10);
    returnGame->SetSize(100, 40);
    returnGame->SetAction(std::make_unique<ButtonPresses>(presses));
    pause = Add(std::make_unique<TPauseWindow>(), "pauseWindow");
  }

  ~PauseWindowTest() override { TGameApp::Instance().SetTutorialMode(false); }

  std::string Caption() const { return caption->GetLabel().CStr(); }

  TText* caption = nullptr;
  TButton* returnGame = nullptr;
  TPauseWindow* pause = nullptr;
  int presses = 0;
};

TEST_F(PauseWindowTest, TheCaptionNumbersJourneyLevelsOnFromWorldToWorldAndZenLevelsAsTheyAre) {
  struct Case {
    const char* call;
    bool tutorialMode;
    const char* caption;
  };
  for (const Case c : {Case{"SetCurrentLevelForPause(3, 4)", false, "LEVEL 18"},
                       Case{"SetCurrentLevelForPause(1, 1)", false, "LEVEL 1"},
                       Case{"SetCurrentLevelForPause(5, 10)", false, "LEVEL 50"},
                       Case{"SetCurrentLevelForPause(7, 0)", false, "LEVEL 7"},
                       Case{"SetCurrentLevelForPause(3.9, 4.2)", false, "LEVEL 18"},
                       Case{"SetCurrentLevelForPause(3, 4)", true, ""}}) {
    TGameApp::Instance().SetTutorialMode(c.tutorialMode);
    RunLua(c.call);
    EXPECT_EQ(Caption(), c.caption) << c.call << " tutorial " << c.tutorialMode;
  }
}

TEST_F(PauseWindowTest, ALevelWithATutorialFileShowsNoCaption) {
  TestFileLayer files;
  files.WriteAsset("tutorials/tutorial0102.xml", "<Workbook/>");
  BuildFileIndex();
  RunLua("SetCurrentLevelForPause(2, 1)");
  EXPECT_EQ(Caption(), "");
  RunLua("SetCurrentLevelForPause(3, 1)");
  EXPECT_EQ(Caption(), "LEVEL 3");
}

TEST_F(PauseWindowTest, PostCreateShowsTheCaptionAndTakesTheFocus) {
  pause->SetCurrentLevel(2, 3);
  caption->SetLabel("stale");
  pause->PostCreate();
  EXPECT_EQ(Caption(), "LEVEL 12");
  EXPECT_EQ(manager.GetFocus(), pause);
}

TEST_F(PauseWindowTest, AClickOnTheDialogAwayFromItsButtonsLeavesTheFocusForEscape) {
  pause->PostCreate();
  manager.HandleEvent(TEvent{.type = kEventLeftDown, .x = 700, .y = 500});
  manager.HandleEvent(TEvent{.type = kEventLeftUp, .x = 700, .y = 500});
  EXPECT_EQ(manager.GetFocus(), pause);
  EXPECT_EQ(presses, 0);
}

TEST_F(PauseWindowTest, TheDialogFadesInWithin125Ms) {
  pause->PostCreate();
  ASSERT_NE(pause->GetFadeIn(), nullptr);
  for (int step = 0; step < 12; ++step) {
    clock.Advance(10);
    dialog->RunTasks(TTaskPass::Timed);
  }
  EXPECT_LT(pause->GetFadeIn()->GetProgress(), 1.0f) << "120 ms";
  clock.Advance(10);
  dialog->RunTasks(TTaskPass::Timed);
  EXPECT_FLOAT_EQ(pause->GetFadeIn()->GetProgress(), 1.0f) << "130 ms";
}

TEST_F(PauseWindowTest, EscapePressesReturnGameOnceAsAClickWould) {
  returnGame->OnMouseDown(20, 20);
  returnGame->OnMouseUp(20, 20);
  const int byClick = presses;
  ASSERT_EQ(byClick, 1);
  EXPECT_TRUE(pause->OnChar(27));
  EXPECT_EQ(presses - byClick, byClick);
  EXPECT_FALSE(pause->OnChar('a'));
  EXPECT_FALSE(pause->OnChar(13));
  EXPECT_EQ(presses, 2);
}

TEST_F(PauseWindowTest, TheLuaFunctionDoesNothingOnceItsWindowIsGone) {
  Close(pause);
  caption->SetLabel("kept");
  RunLua("gAnswer = SetCurrentLevelForPause(3, 4)");
  EXPECT_EQ(Caption(), "kept");
}

TEST_F(PauseWindowTest, TheUpdateTaskEndsWithItsWindow) {
  pause->OnCreated();
  auto gone = std::make_unique<TGameUpdatePauseWindow>(*pause);
  EXPECT_TRUE(gone->Step());
  Close(pause);
  EXPECT_FALSE(gone->Step());
  clock.Advance(10);
  dialog->RunTasks(TTaskPass::Timed);
}

}  // namespace
}  // namespace GUI
