// Tasks that work for windows: the animation task, and the tie between a
// window and its tasks whichever of them goes first.
#include <gtest/gtest.h>

#include <memory>

#include "tests/support/FakeClock.h"
#include "tests/support/FakePlatform.h"
#include "windows/kinds/TModalWindow.h"
#include "windows/core/TWindowManager.h"
#include "windows/core/TWindowTask.h"

namespace {

// Counts the ticks of its animation; goes on while told to.
class Blinker : public TWindow {
 public:
  explicit Blinker(int& refreshes) : mRefreshes(refreshes) {}
  bool Refresh() override {
    ++mRefreshes;
    return keepGoing;
  }
  bool keepGoing = true;

 private:
  int& mRefreshes;
};

class WindowTasks : public testing::Test {
 protected:
  WindowTasks() { platform.windowManager = &manager; }

  // Makes a blinker inside the dialog, with its animation running every 200 ms.
  Blinker* AddBlinker(TWindow& parent) {
    auto blinker = std::make_unique<Blinker>(refreshes);
    Blinker* added = blinker.get();
    std::unique_ptr<TWindow> child = std::move(blinker);
    parent.AddChild(child, false);
    added->StartAnim(200, true, true, false);
    return added;
  }

  FakeClock clock;
  FakePlatform platform;
  TWindowManager manager;
  TModalWindow dialog;
  int refreshes = 0;
};

TEST_F(WindowTasks, TheAnimationRunsInTheEnclosingDialogsListAndRefreshesTheWindow) {
  Blinker* blinker = AddBlinker(dialog);
  dialog.RunTasks(TTaskPass::Timed);
  EXPECT_EQ(refreshes, 0);
  clock.Advance(200);
  dialog.RunTasks(TTaskPass::Timed);
  EXPECT_EQ(refreshes, 1);
  blinker->keepGoing = false;
  clock.Advance(200);
  dialog.RunTasks(TTaskPass::Timed);
  clock.Advance(200);
  dialog.RunTasks(TTaskPass::Timed);
  EXPECT_EQ(refreshes, 2) << "a Refresh that answers false ends the animation";
  TWindowAnim* again = blinker->GetAnim();
  EXPECT_NE(again, nullptr) << "a new one is made on demand";
}

TEST_F(WindowTasks, ClearingTheDialogsTasksThenDeletingTheWindowWritesIntoNoDeletedTask) {
  Blinker* blinker = AddBlinker(dialog);
  dialog.ClearTasks();
  std::unique_ptr<TWindow> removed = dialog.RemoveChild(blinker);
  removed.reset();
  clock.Advance(200);
  dialog.RunTasks(TTaskPass::Timed);
  EXPECT_EQ(refreshes, 0);
}

TEST_F(WindowTasks, DeletingTheWindowThenRunningOrClearingTheTasksReachesNoDeletedWindow) {
  Blinker* blinker = AddBlinker(dialog);
  dialog.RemoveChild(blinker).reset();
  clock.Advance(200);
  dialog.RunTasks(TTaskPass::Timed);
  EXPECT_EQ(refreshes, 0) << "the task ended without working";
  AddBlinker(dialog);
  dialog.RemoveChild(dialog.GetChildren().front()).reset();
  dialog.ClearTasks();
  EXPECT_EQ(refreshes, 0);
}

TEST_F(WindowTasks, AWindowOutsideAnyDialogKeepsItsAnimationUntilItIsLinkedUnderOne) {
  TWindow loose;
  Blinker* blinker = AddBlinker(loose);
  clock.Advance(200);
  dialog.RunTasks(TTaskPass::Timed);
  EXPECT_EQ(refreshes, 0) << "no list runs it yet";
  std::unique_ptr<TWindow> moved = loose.RemoveChild(blinker);
  std::unique_ptr<TWindow> holder = std::make_unique<TWindow>();
  holder->AddChild(moved, false);
  dialog.AddChild(holder, false);
  dialog.RunTasks(TTaskPass::Timed);
  EXPECT_EQ(refreshes, 1) << "linked under the dialog, the dialog runs it";
}

TEST_F(WindowTasks, AnUnlistedAnimationGoesWithItsWindow) {
  int refreshesOfLoose = 0;
  auto loose = std::make_unique<Blinker>(refreshesOfLoose);
  loose->StartAnim(10, true, true, false);
  loose.reset();  // the leak check finds the task if it stayed
  EXPECT_EQ(refreshesOfLoose, 0);
}

// A task of a window in the platform's list, as an update timer is.
class Update : public TWindowTask {
 public:
  Update(TWindow& window, int& updates) : TWindowTask(window), mUpdates(updates) { Start(10, true, true, false); }

 protected:
  bool Animate() override {
    GetWindow()->Invalidate();
    ++mUpdates;
    return true;
  }

 private:
  int& mUpdates;
};

TEST_F(WindowTasks, ATaskInThePlatformsListEndsOnceItsWindowIsGone) {
  int updates = 0;
  auto window = std::make_unique<TWindow>();
  platform.tasks.Add(std::make_unique<Update>(*window, updates));
  clock.Advance(10);
  platform.tasks.DoTasks(TTaskPass::Timed);
  EXPECT_EQ(updates, 1);
  window.reset();
  clock.Advance(10);
  platform.tasks.DoTasks(TTaskPass::Timed);
  EXPECT_EQ(updates, 1);
  auto other = std::make_unique<TWindow>();
  platform.tasks.Add(std::make_unique<Update>(*other, updates));
  platform.tasks.Clear();
  other.reset();  // writes into no deleted task
}

}  // namespace
