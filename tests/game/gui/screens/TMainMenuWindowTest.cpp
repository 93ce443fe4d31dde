// The main menu over a dialog of its own: the hidden button pressed once
// before the pictures are loaded and never after, the greeting of the
// current player or of nobody, the buttons hidden when they do not apply,
// the fade-in that never hides a plain window's widgets, the phase moving
// on each update, the whole screen redrawn until "TurnOffDrawing", and the
// script's functions that outlive the menu.
#include "game/gui/screens/TMainMenuWindow.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "game/gui/effects/TFadeInTask.h"
#include "game/gui/effects/TGraphicRegistry.h"
#include "game/gui/main/TGameApp.h"
#include "platform/file/FileIndex.h"
#include "platform/text/Log.h"
#include "platform/xml/TStringTable.h"
#include "tests/game/gui/screens/ButtonPresses.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/StringTableFile.h"
#include "tests/support/SyntheticFont.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestFileLayer.h"
#include "windows/core/TWindowManager.h"
#include "windows/kinds/TButton.h"
#include "windows/kinds/TModalWindow.h"
#include "windows/kinds/TScreen.h"
#include "windows/kinds/TText.h"
#include "windows/script/TWindowScript.h"

namespace GUI {
namespace {

constexpr const char* kMenuButtons[] = {"MoreGames", "changeplayer", "zenButton", "viewhighscores", "playButton"};

// The menu dialog as the script builds it: the hidden close button in the
// dialog, the menu window with "welcome" and the menu's buttons, and the
// game's one player "Web" that every start makes.
class MainMenuTest : public testing::Test {
 protected:
  MainMenuTest() {
    SetLogFolder(mLogs.Path().c_str());
    fonts.InstallOn(platform);
    WriteStringTable(files, "strings.xml", {{"WelcomeLabel", "Welcome, %1%!"}});
    strings.Load("strings.xml");
    platform.stringTable = &strings;
    platform.windowManager = &manager;
    manager.SetRootWindow(std::make_unique<TScreen>());
    manager.SetScript(std::make_unique<TWindowScript>());
    auto dialogWindow = std::make_unique<TModalWindow>();
    dialog = dialogWindow.get();
    dialog->SetSize(800, 600);
    manager.PushModal(std::move(dialogWindow));
    closeButton = AddTo(*dialog, std::make_unique<TButton>(TButton::kPush), "hiddenCloseButton");
    closeButton->SetAction(std::make_unique<ButtonPresses>(presses));
    app.Init("");
  }
  ~MainMenuTest() override {
    app.Shutdown();
    ForgetMenuRegistry();
    manager.PopModal();
    manager.DeletePending();
  }

  template <class Window>
  static Window* AddTo(TWindow& parent, std::unique_ptr<Window> owned, const char* name) {
    Window* added = owned.get();
    added->SetName(name);
    std::unique_ptr<TWindow> child = std::move(owned);
    parent.AddChild(child, true);
    return added;
  }

  // The menu as a script makes it: created, its widgets added, then set up.
  TMainMenuWindow& OpenMenu() {
    menu = AddTo(*dialog, std::make_unique<TMainMenuWindow>(), "mainMenu");
    menu->OnCreated();
    welcome = AddTo(*menu, std::make_unique<TText>(), "welcome");
    welcome->Setup("unset", 400, 40, 0, SyntheticFonts::kName, 10, TColor(1.0f, 1.0f, 1.0f, 1.0f));
    for (const char* name : kMenuButtons) AddTo(*menu, std::make_unique<TButton>(TButton::kPush), name);
    menu->PostCreate();
    return *menu;
  }

  // The registry lives as long as the process: each test starts it empty
  // and not loaded, or as complete as the loading screen leaves it.
  static void ForgetMenuRegistry() {
    TGraphicRegistry& registry = TGraphicRegistry::Instance();
    while (!registry.FetchNext()) {
    }
    registry.Clear();
    registry.SetMenuPhase(0.0f);
  }
  static void LoadEverything() {
    ForgetMenuRegistry();
    TGraphicRegistry::Instance().FetchAll();
  }

  bool Shown(const char* name) const { return menu->FindChild(name)->IsVisible(); }
  std::string Welcome() const { return welcome->GetLabel().CStr(); }
  void RunScript(const char* text) { manager.GetScript()->DoLuaString(text); }
  void Step(int steps) {
    for (int k = 0; k < steps; ++k) {
      clock.Update();
      dialog->RunTasks(TTaskPass::Timed);
    }
  }

  FakeClock clock{1000};
  TestFileLayer files;
  SyntheticFonts fonts;
  TStringTable strings;
  FakePlatform platform;
  TWindowManager manager;
  TGameApp& app = TGameApp::Instance();
  TModalWindow* dialog = nullptr;
  TButton* closeButton = nullptr;
  TMainMenuWindow* menu = nullptr;
  TText* welcome = nullptr;
  int presses = 0;

 private:
  TempFolder mLogs;
};

TEST_F(MainMenuTest, BeforeLoadingPostCreatePressesTheHiddenButtonOnce) {
  ForgetMenuRegistry();
  ASSERT_FALSE(TGraphicRegistry::Instance().IsComplete());
  OpenMenu();
  EXPECT_EQ(presses, 1);
  EXPECT_FALSE(closeButton->IsVisible());
  menu->Draw();
  Step(5);
  EXPECT_EQ(presses, 1) << "drawing and updating press nothing";
}

TEST_F(MainMenuTest, AfterLoadingTheHiddenButtonIsOnlyHidden) {
  LoadEverything();
  OpenMenu();
  menu->Draw();
  Step(5);
  EXPECT_EQ(presses, 0);
  EXPECT_FALSE(closeButton->IsVisible());
}

TEST_F(MainMenuTest, WelcomesTheCurrentPlayerByName) {
  LoadEverything();
  OpenMenu().RefreshMenu();
  EXPECT_EQ(Welcome(), "Welcome, Web!");
  EXPECT_TRUE(Shown("changeplayer"));
  app.AddUser("Ada");
  RunScript("SetWelcomeName()");
  EXPECT_EQ(Welcome(), "Welcome, Ada!") << "the script refreshes the greeting";
}

TEST_F(MainMenuTest, WithoutPlayersTheWelcomeIsEmptyAndChangePlayerHidden) {
  LoadEverything();
  app.DeleteUser(0);
  ASSERT_EQ(app.GetNumUsers(), 0);
  OpenMenu().RefreshMenu();
  EXPECT_EQ(Welcome(), "");
  EXPECT_FALSE(Shown("changeplayer"));
}

// Without a portal, only "MoreGames" depends on something: the file.
TEST_F(MainMenuTest, MoreGamesShowsOnlyWhenTheCrossSellFileExists) {
  LoadEverything();
  OpenMenu().RefreshMenu();
  EXPECT_FALSE(Shown("MoreGames"));
  for (const char* name : {"changeplayer", "zenButton", "viewhighscores", "playButton"}) {
    EXPECT_TRUE(Shown(name)) << name;
  }
  files.WriteAsset("xsell/xsell.xml", "<xsell/>");
  BuildFileIndex();
  OpenMenu().RefreshMenu();
  EXPECT_TRUE(Shown("MoreGames"));
}

// The portal mode stays for the rest of the process, so the menu of the
// "-msn" portal opens in a child process.
TEST_F(MainMenuTest, PortalModeOneHidesTheHiscoreButton) {
  LoadEverything();
  EXPECT_EXIT(
      {
        app.ParseCommandLine("-msn");
        OpenMenu();
        const bool hiscoresHidden = !Shown("viewhighscores") && Shown("playButton");
        std::_Exit(app.GetPortalMode() == 1 && hiscoresHidden ? 0 : 1);
      },
      testing::ExitedWithCode(0), "");
}

// A plain window has nothing to fade: its widgets show throughout.
TEST_F(MainMenuTest, TheFadeInRunsToOneWithTheWidgetsNeverHidden) {
  LoadEverything();
  OpenMenu();
  ASSERT_NE(menu->GetFadeIn(), nullptr);
  for (int step = 0; step < 50; ++step) {
    Step(1);
    for (const char* name : {"welcome", "playButton", "zenButton"}) ASSERT_TRUE(Shown(name)) << name << " at " << step;
  }
  EXPECT_FLOAT_EQ(menu->GetFadeIn()->GetProgress(), 1.0f) << "speed 1.0: 500 ms";
}

TEST_F(MainMenuTest, EachUpdateMovesTheMenuPhaseOn) {
  LoadEverything();
  TGraphicRegistry::Instance().SetMenuPhase(0.5f);
  OpenMenu();
  Step(10);
  EXPECT_NEAR(TGraphicRegistry::Instance().GetMenuPhase(), 0.5f + 10 * TMainMenuWindow::kPhasePerUpdate, 1e-6f);
}

TEST_F(MainMenuTest, DrawingInvalidatesTheRootUntilTurnedOff) {
  LoadEverything();
  OpenMenu();
  TWindow* root = manager.GetRootWindow();
  root->ClearFlags(kWindowNeedsDrawing);
  menu->Draw();
  EXPECT_TRUE(root->GetFlags() & kWindowNeedsDrawing);
  RunScript("TurnOffDrawing()");
  EXPECT_FALSE(menu->IsDrawingOn());
  root->ClearFlags(kWindowNeedsDrawing);
  menu->Draw();
  EXPECT_FALSE(root->GetFlags() & kWindowNeedsDrawing);
}

// The functions stay bound to the newest menu; once it is gone they answer
// false and touch nothing (the sanitizers watch the freed window).
TEST_F(MainMenuTest, TheScriptFunctionsDoNothingOnceTheMenuIsGone) {
  LoadEverything();
  OpenMenu();
  TMainMenuWindow* first = menu;
  OpenMenu();
  RunScript("TurnOffDrawing()");
  EXPECT_TRUE(first->IsDrawingOn()) << "bound to the newest menu";
  EXPECT_FALSE(menu->IsDrawingOn());
  manager.PopModal();
  manager.DeletePending();
  RunScript("a = SetWelcomeName() b = TurnOffDrawing()");
  EXPECT_FALSE(manager.GetScript()->GetBool("a", true));
  EXPECT_FALSE(manager.GetScript()->GetBool("b", true));
  auto again = std::make_unique<TModalWindow>();
  dialog = again.get();
  manager.PushModal(std::move(again));
}

}  // namespace
}  // namespace GUI
