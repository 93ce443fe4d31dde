// The loading screen over a dialog of its own: the slices of about 10 ms,
// the percentage and the menu phase, nothing to load, and the end that
// prepares the graphics once and closes the dialog through its button.
#include "game/gui/screens/TLoadingScreenWindow.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "game/gui/effects/TGraphicRegistry.h"
#include "platform/text/Log.h"
#include "platform/xml/TStringTable.h"
#include "tests/game/gui/effects/ProbeGraphic.h"
#include "tests/game/gui/screens/PressCount.h"
#include "tests/game/gui/screens/SlowFetch.h"
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

namespace GUI {
namespace {

constexpr uint32_t kPreloadActions = 78;

// The loading dialog as the script builds it: "loadingText", the hidden
// close button and the loading window, in a dialog on top of the screen.
class LoadingScreenTest : public testing::Test {
 protected:
  LoadingScreenTest() {
    SetLogFolder(mLogs.Path().c_str());
    fonts.InstallOn(platform);
    WriteStringTable(files, "strings.xml", {{"LoadingLabel", "Loading %1%"}});
    strings.Load("strings.xml");
    platform.stringTable = &strings;
    platform.windowManager = &manager;
    manager.SetRootWindow(std::make_unique<TScreen>());
    auto dialogWindow = std::make_unique<TModalWindow>();
    dialog = dialogWindow.get();
    dialog->SetSize(800, 600);
    manager.PushModal(std::move(dialogWindow));
    text = Add(std::make_unique<TText>(), "loadingText");
    text->Setup("", 400, 40, 0, SyntheticFonts::kName, 10, TColor(1.0f, 1.0f, 1.0f, 1.0f));
    button = Add(std::make_unique<TButton>(TButton::kPush), "hiddenCloseButton");
    button->SetAction(std::make_unique<PressCount>(presses));
    screen = Add(std::make_unique<TLoadingScreenWindow>(), "loadingScreen");
    ForgetRegistry();
  }
  ~LoadingScreenTest() override { ForgetRegistry(); }

  template <class Window>
  Window* Add(std::unique_ptr<Window> owned, const char* name) {
    Window* added = owned.get();
    added->SetName(name);
    std::unique_ptr<TWindow> child = std::move(owned);
    dialog->AddChild(child, true);
    return added;
  }

  // The registry lives as long as the process: each test starts it empty.
  static void ForgetRegistry() {
    TGraphicRegistry& registry = TGraphicRegistry::Instance();
    while (!registry.FetchNext()) {
    }
    registry.Clear();
    registry.SetMenuPhase(0.0f);
  }

  // PostCreate as the script runs it, with the preload list's actions (there
  // are no pictures here) traded for the given number of 3 ms fetches.
  void PostCreateWithFetches(int count) {
    screen->PostCreate();
    TGraphicRegistry& registry = TGraphicRegistry::Instance();
    ASSERT_EQ(registry.GetFetchQueue().size(), kPreloadActions);
    ForgetRegistry();
    QueueFetches(count);
  }
  void QueueFetches(int count) { QueueSlowFetches(TGraphicRegistry::Instance(), count, 3, &prepared); }
  size_t Queued() const { return TGraphicRegistry::Instance().GetFetchQueue().size(); }
  std::string Shown() const { return text->GetLabel().CStr(); }

  FakeClock clock;
  TestFileLayer files;
  SyntheticFonts fonts;
  TStringTable strings;
  FakePlatform platform;
  TWindowManager manager;
  TModalWindow* dialog = nullptr;
  TText* text = nullptr;
  TButton* button = nullptr;
  TLoadingScreenWindow* screen = nullptr;
  int presses = 0;
  std::vector<std::string> prepared;

 private:
  TempFolder mLogs;
};

TEST_F(LoadingScreenTest, PostCreateQueuesThePreloadListAndHidesTheCloseButton) {
  ASSERT_TRUE(button->IsVisible());
  screen->PostCreate();
  EXPECT_EQ(Queued(), kPreloadActions);
  EXPECT_FALSE(button->IsVisible());
  EXPECT_EQ(presses, 0);
}

// 3, 6, 9 ms are under the budget; the fourth action ends the slice at 12.
TEST_F(LoadingScreenTest, OneUpdatePerformsFourActionsOfThreeMilliseconds) {
  PostCreateWithFetches(20);
  EXPECT_TRUE(screen->Update(10));
  EXPECT_EQ(Queued(), 16u);
  EXPECT_EQ(Shown(), "Loading 05%") << "4 of 78";
  EXPECT_TRUE(screen->Update(10));
  EXPECT_EQ(Queued(), 12u);
  EXPECT_EQ(Shown(), "Loading 10%") << "8 of 78";
  EXPECT_EQ(presses, 0);
}

// The window's own phase grows by the progress times 0.05 and is stored in
// the registry, whatever the registry held before.
TEST_F(LoadingScreenTest, TheMenuPhaseGrowsByTheProgressTimesAFiftieth) {
  PostCreateWithFetches(20);
  TGraphicRegistry::Instance().SetMenuPhase(7.0f);
  const float first = 4.0f / 78.0f * 0.05f;
  const float second = first + 8.0f / 78.0f * 0.05f;
  screen->Update(10);
  EXPECT_FLOAT_EQ(TGraphicRegistry::Instance().GetMenuPhase(), first);
  screen->Update(10);
  EXPECT_FLOAT_EQ(TGraphicRegistry::Instance().GetMenuPhase(), second);
}

TEST_F(LoadingScreenTest, AtTheEndEveryGraphicIsPreparedOnceAndTheButtonClosesTheDialog) {
  PostCreateWithFetches(10);
  int updates = 1;
  while (screen->Update(10)) ++updates;
  EXPECT_EQ(updates, 3) << "four, four, then two and the end";
  EXPECT_EQ(prepared.size(), 10u);
  EXPECT_TRUE(TGraphicRegistry::Instance().IsComplete());
  EXPECT_EQ(presses, 1);
  EXPECT_FALSE(screen->Update(10)) << "the task ends";
  EXPECT_EQ(prepared.size(), 10u) << "FetchAll ran once";
  EXPECT_EQ(presses, 1);
}

TEST_F(LoadingScreenTest, NothingToLoadClosesTheScreenOnTheFirstUpdate) {
  screen->PostCreate();
  ForgetRegistry();
  EXPECT_FALSE(screen->Update(10));
  EXPECT_EQ(presses, 1);
  EXPECT_TRUE(TGraphicRegistry::Instance().IsComplete());
}

// A registry that knew names before loading queues nothing: the total is 0,
// and whatever else the queue holds loads as if complete, without a
// division by it.
TEST_F(LoadingScreenTest, ATotalOfZeroCountsAsComplete) {
  TGraphicRegistry::Instance().Register("known", std::make_shared<ProbeGraphic>("known"));
  screen->PostCreate();
  EXPECT_EQ(Queued(), 0u);
  QueueFetches(6);
  EXPECT_TRUE(screen->Update(10));
  EXPECT_EQ(Shown(), "Loading 100%");
  EXPECT_FLOAT_EQ(TGraphicRegistry::Instance().GetMenuPhase(), 0.05f);
}

TEST_F(LoadingScreenTest, TheUpdateTaskRunsInTheTopDialogEveryTenMilliseconds) {
  screen->OnCreated();
  screen->PostCreate();
  ForgetRegistry();
  QueueFetches(10);
  dialog->RunTasks(TTaskPass::Timed);
  EXPECT_EQ(Queued(), 10u) << "not due yet";
  clock.Advance(10);
  dialog->RunTasks(TTaskPass::Timed);
  EXPECT_EQ(Queued(), 6u);
}

TEST_F(LoadingScreenTest, DrawingIsAnEmptyTwoDimensionalBracket) {
  platform.journal.Clear();
  screen->Draw();
  EXPECT_EQ(platform.Calls(), (std::vector<std::string>{"Begin2d", "End2d"}));
}

TEST(LoadingScreenWindowType, TheCreatorMakesALoadingScreen) {
  std::unique_ptr<TWindow> window = TLoadingScreenWindow::Create();
  EXPECT_NE(TLoadingScreenWindow::Cast(window.get()), nullptr);
  TWindow plain;
  EXPECT_EQ(TLoadingScreenWindow::Cast(&plain), nullptr);
}

}  // namespace
}  // namespace GUI
