// The pause dialog's window: the caption of the paused level, Escape as a
// press of "returnGame", the focus it takes, its update task and its Lua
// function once the window is gone.
#include "game/gui/screens/TPauseWindow.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "game/gui/main/TGameApp.h"
#include "platform/text/Log.h"
#include "tests/game/gui/screens/PressCount.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/SyntheticFont.h"
#include "tests/support/TempFolder.h"
#include "windows/core/TWindowManager.h"
#include "windows/kinds/TModalWindow.h"
#include "windows/kinds/TScreen.h"
#include "windows/kinds/TText.h"
#include "windows/script/TWindowScript.h"

namespace GUI {
namespace {

// The pause dialog as our script builds it: "LevelText", "returnGame" and
// the pause window, in a dialog on top of the screen, with a window script
// for the window's Lua function.
class PauseWindowTest : public testing::Test {
 protected:
  PauseWindowTest() {
    SetLogFolder(mLogs.Path().c_str());
    fonts.InstallOn(platform);
    platform.windowManager = &manager;
    manager.SetRootWindow(std::make_unique<TScreen>());
    manager.SetScript(std::make_unique<TWindowScript>());
    auto dialogWindow = std::make_unique<TModalWindow>();
    dialog = dialogWindow.get();
    dialog->SetSize(800, 600);
    manager.PushModal(std::move(dialogWindow));
    caption = Add(std::make_unique<TText>(), "LevelText");
    caption->Setup("", 400, 40, 0, SyntheticFonts::kName, 10, TColor(1.0f, 1.0f, 1.0f, 1.0f));
    returnGame = Add(std::make_unique<TButton>(TButton::kPush), "returnGame");
    returnGame->SetPosition(10, 10);
    returnGame->SetSize(100, 40);
    returnGame->SetAction(std::make_unique<PressCount>(presses));
    pause = Add(std::make_unique<TPauseWindow>(), "pauseWindow");
  }

  ~PauseWindowTest() override {
    TGameApp::Instance().SetTutorialMode(false);
    if (manager.GetTopModal() == dialog) manager.PopModal();
    manager.DeletePending();
  }

  template <class Window>
  Window* Add(std::unique_ptr<Window> owned, const char* name) {
    Window* added = owned.get();
    added->SetName(name);
    std::unique_ptr<TWindow> child = std::move(owned);
    dialog->AddChild(child, true);
    return added;
  }

  void RunLua(const std::string& text) { manager.GetScript()->DoLuaString(text.c_str(), -1); }
  std::string Caption() const { return caption->GetLabel().CStr(); }

  FakeClock clock{1000};
  SyntheticFonts fonts;
  FakePlatform platform;
  TWindowManager manager;
  TModalWindow* dialog = nullptr;
  TText* caption = nullptr;
  TButton* returnGame = nullptr;
  TPauseWindow* pause = nullptr;
  int presses = 0;

 private:
  TempFolder mLogs;
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

TEST_F(PauseWindowTest, PostCreateShowsTheCaptionAndTakesTheFocus) {
  pause->SetCurrentLevel(2, 3);
  caption->SetLabel("stale");
  pause->PostCreate();
  EXPECT_EQ(Caption(), "LEVEL 12");
  EXPECT_EQ(manager.GetFocus(), pause);
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
  std::unique_ptr<TWindow> removed = dialog->RemoveChild(pause);
  removed.reset();
  caption->SetLabel("kept");
  RunLua("gAnswer = SetCurrentLevelForPause(3, 4)");
  EXPECT_EQ(Caption(), "kept");
}

TEST_F(PauseWindowTest, TheUpdateTaskEndsWithItsWindow) {
  pause->OnCreated();
  auto gone = std::make_unique<TGameUpdatePauseWindow>(*pause);
  EXPECT_TRUE(gone->Step());
  std::unique_ptr<TWindow> removed = dialog->RemoveChild(pause);
  removed.reset();
  EXPECT_FALSE(gone->Step());
  clock.Advance(10);
  dialog->RunTasks(TTaskPass::Timed);
}

}  // namespace
}  // namespace GUI
