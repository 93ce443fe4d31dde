// The fade-in task: an image window starts transparent with its children
// hidden, its alpha rises by speed x 0.02 per 10 ms of its own clock and
// its children show again at full alpha (500 / speed ms); the listeners hear
// each step's progress; a plain window's children are never hidden while
// its progress still runs to 1; a fade from the top dialog's list; a window
// closed, or its dialog popped, in the middle of its fade.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "game/gui/effects/TFadeInTask.h"
#include "platform/text/Log.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/TempFolder.h"
#include "windows/core/TWindowManager.h"
#include "windows/kinds/TImage.h"
#include "windows/kinds/TModalWindow.h"
#include "windows/kinds/TScreen.h"

namespace GUI {
namespace {

// Notes every progress it hears.
struct HeardProgress final : IFadeInListener {
  void OnFadeProgress(float progress) override { heard.push_back(progress); }
  std::vector<float> heard;
};

// A dialog over the root screen holding the window that fades, with two
// children, "title" and "button", and one the screen hid, "spare".
class FadeInTaskTest : public testing::Test {
 protected:
  FadeInTaskTest() {
    SetLogFolder(logs.Path().c_str());
    platform.windowManager = &manager;
    manager.SetRootWindow(std::make_unique<TScreen>());
    auto owned = std::make_unique<TModalWindow>();
    dialog = owned.get();
    dialog->SetSize(800, 600);
    manager.PushModal(std::move(owned));
  }

  ~FadeInTaskTest() override {
    if (manager.GetTopModal() == dialog) manager.PopModal();
    manager.DeletePending();
  }

  template <class TKind>
  TKind* AddFading() {
    auto owned = std::make_unique<TKind>();
    TKind* window = owned.get();
    std::unique_ptr<TWindow> child = std::move(owned);
    dialog->AddChild(child, true);
    for (const char* name : {"title", "button", "spare"}) {
      auto grandchild = std::make_unique<TWindow>();
      grandchild->SetName(name);
      window->AddChild(grandchild, true);
    }
    window->FindChild("spare")->ClearFlags(kWindowVisible);
    return window;
  }

  TFadeInTask& Fade(TWindow& window, float speed) {
    TFadeInTask* task = TFadeInTask::AddToTopModal(window, speed);
    EXPECT_NE(task, nullptr);
    task->AddListener(listener);
    return *task;
  }

  // Steps of 10 ms of game time, each running the dialog's timed tasks.
  void Step(int steps = 1, uint32_t stepMs = 10) {
    for (int k = 0; k < steps; ++k) {
      clock.Advance(stepMs);
      dialog->RunTasks(TTaskPass::Timed);
    }
  }

  static std::vector<std::string> Shown(TWindow& window) {
    std::vector<std::string> shown;
    for (TWindow* child : window.GetChildren()) {
      if (child->IsVisible()) shown.push_back(child->GetName().CStr());
    }
    return shown;
  }

  TempFolder logs;
  FakeClock clock{1000};
  FakePlatform platform;
  TWindowManager manager;
  TModalWindow* dialog = nullptr;
  HeardProgress listener;
};

const std::vector<std::string> kFadedChildren = {"button", "title"};

TEST_F(FadeInTaskTest, AnImageFadesInOverFiveHundredMsDividedByTheSpeed) {
  struct Case {
    float speed;
    int steps;
  };
  for (const Case c : {Case{1.0f, 50}, Case{2.0f, 25}, Case{0.5f, 100}}) {
    auto* image = AddFading<TImage>();
    Fade(*image, c.speed);
    EXPECT_FLOAT_EQ(image->GetAlpha(), 0.0f) << c.speed;
    EXPECT_TRUE(Shown(*image).empty()) << c.speed;
    Step(c.steps - 1);
    EXPECT_LT(image->GetAlpha(), 1.0f) << c.speed;
    EXPECT_GT(image->GetAlpha(), 0.9f) << c.speed;
    EXPECT_TRUE(Shown(*image).empty()) << c.speed << ": still hidden one step before the end";
    Step();
    EXPECT_FLOAT_EQ(image->GetAlpha(), 1.0f) << c.speed;
    EXPECT_EQ(Shown(*image), kFadedChildren) << c.speed << ": the hidden spare stays hidden";
    Step(10);
    EXPECT_EQ(listener.heard.size(), static_cast<size_t>(c.steps)) << c.speed << ": no step after the end";
    listener.heard.clear();
    dialog->ClearTasks();
  }
}

TEST_F(FadeInTaskTest, ListenersHearEveryStepsProgressUpToOne) {
  auto* image = AddFading<TImage>();
  Fade(*image, 2.0f);
  Step(25);
  ASSERT_EQ(listener.heard.size(), 25u);
  for (size_t k = 0; k + 1 < listener.heard.size(); ++k) {
    EXPECT_NEAR(listener.heard[k], 0.04f * static_cast<float>(k + 1), 1e-5f) << k;
  }
  EXPECT_FLOAT_EQ(listener.heard.back(), 1.0f);
}

// The fade goes by its own clock: a step that comes late makes up for the
// steps that did not come.
TEST_F(FadeInTaskTest, ALateStepMovesTheFadeByTheTimeGoneBy) {
  auto* image = AddFading<TImage>();
  Fade(*image, 1.0f);
  Step();
  Step(1, 30);
  ASSERT_EQ(listener.heard.size(), 2u);
  EXPECT_NEAR(listener.heard[1], 0.02f + 0.06f, 1e-5f);
  EXPECT_NEAR(image->GetAlpha(), 0.02f, 1e-5f) << "the alpha lags the progress by one step";
}

TEST_F(FadeInTaskTest, APlainWindowShowsAtOnceWhileItsProgressRunsToOne) {
  auto* plain = AddFading<TWindow>();
  Fade(*plain, 1.0f);
  EXPECT_EQ(Shown(*plain), kFadedChildren);
  Step(25);
  EXPECT_EQ(Shown(*plain), kFadedChildren);
  Step(25);
  ASSERT_EQ(listener.heard.size(), 50u);
  EXPECT_FLOAT_EQ(listener.heard.back(), 1.0f);
  EXPECT_EQ(Shown(*plain), kFadedChildren);
}

TEST_F(FadeInTaskTest, WithoutAWindowManagerThereIsNoFade) {
  TImage orphan;
  platform.windowManager = nullptr;
  EXPECT_EQ(TFadeInTask::AddToTopModal(orphan, 1.0f), nullptr);
  platform.windowManager = &manager;
  EXPECT_FLOAT_EQ(orphan.GetAlpha(), 1.0f);
  EXPECT_NE(ReadWholeFile(GetLogPath().CStr()).find("no dialog on top"), std::string::npos);
}

// Under the sanitizers: the task never reaches the window or dialog gone.
TEST_F(FadeInTaskTest, AWindowClosedMidFadeEndsItsFade) {
  auto* image = AddFading<TImage>();
  Fade(*image, 1.0f);
  Step(10);
  std::unique_ptr<TWindow> closed = dialog->RemoveChild(image);
  closed.reset();
  Step(10);
  EXPECT_EQ(listener.heard.size(), 10u);
}

TEST_F(FadeInTaskTest, ADialogPoppedMidFadeTakesItsFadeAlong) {
  auto* image = AddFading<TImage>();
  Fade(*image, 1.0f);
  Step(10);
  manager.PopModal();
  manager.DeletePending();
  clock.Advance(100);
  platform.tasks.DoTasks(TTaskPass::Timed);
  EXPECT_EQ(listener.heard.size(), 10u);
}

}  // namespace
}  // namespace GUI
