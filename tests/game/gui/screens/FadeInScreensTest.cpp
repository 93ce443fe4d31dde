// The credits, the fading screen and the game's end: the version on the
// credits, layouts without their widgets, and the slideshow's timing, wrap
// and skipped slides.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "game/gui/screens/TFadeInWindows.h"
#include "game/gui/screens/TGameEndWindow.h"
#include "tests/game/gui/screens/ScreenDialogKit.h"
#include "tests/support/FakeClock.h"
#include "tests/support/SizedTexture.h"
#include "windows/kinds/TImage.h"
#include "windows/kinds/TText.h"

namespace GUI {
namespace {

class FadeInScreensTest : public testing::Test {
 protected:
  FadeInScreensTest() { rig.platform.versionString = "1.2.0.7"; }

  FakeClock clock{1000};
  ScreenDialogKit rig;
};

TEST_F(FadeInScreensTest, CreditsShowTheVersionAndALayoutWithoutItStillOpens) {
  TWindow* credits = rig.Add(TCreditWindow::Create(), "credits");
  TText* version = rig.Add(std::make_unique<TText>(), "VersionNumber", credits);
  version->Setup("", 200, 30, 0, SyntheticFonts::kName, 10, TColor(1.0f, 1.0f, 1.0f, 1.0f));
  credits->PostCreate();
  EXPECT_STREQ(version->GetLabel().CStr(), "1.2.0.7");

  TWindow* bare = rig.Add(TCreditWindow::Create(), "bareCredits");
  TWindow* notText = rig.Add(std::make_unique<TWindow>(), "VersionNumber", bare);
  bare->PostCreate();
  EXPECT_TRUE(notText->IsVisible());
  EXPECT_TRUE(bare->IsKindOf(TFadeInWindow::ClassId()));
}

class SlideshowTest : public FadeInScreensTest {
 protected:
  SlideshowTest() {
    end = rig.Add(TGameEndWindow::Create(), "gameEnd");
    screen = rig.Add(std::make_unique<TImage>(), "screen", end);
  }

  // Starts the slideshow over the slides, as the window does with its own.
  void StartSlideshow(std::vector<std::shared_ptr<TTexture>> slides) {
    auto task = std::make_unique<TGameEmdTaskWindow>(*end, std::move(slides));
    task->Start(TGameEmdTaskWindow::kSlidePeriod, true, true, false);
    rig.dialog->AddTask(std::move(task));
  }

  // Game time moves on in steps of 10 ms, the dialog's tasks running at each.
  void Play(uint32_t milliseconds) {
    for (uint32_t passed = 0; passed < milliseconds; passed += 10) {
      clock.Advance(10);
      rig.dialog->RunTasks(TTaskPass::Timed);
    }
  }

  std::vector<std::shared_ptr<TTexture>> MakeSlides() {
    std::vector<std::shared_ptr<TTexture>> slides;
    for (int i = 0; i < 4; ++i) slides.push_back(std::make_shared<SizedTexture>(480, 360));
    return slides;
  }

  TWindow* end = nullptr;
  TImage* screen = nullptr;
};

TEST_F(SlideshowTest, SlidesChangeEvery2500MsFillTheScreenAndWrapAfterTheFourth) {
  const std::vector<std::shared_ptr<TTexture>> slides = MakeSlides();
  StartSlideshow(slides);
  Play(2490);
  EXPECT_EQ(screen->GetTexture(), nullptr);
  Play(10);
  EXPECT_EQ(screen->GetTexture(), slides[0]);
  EXPECT_FLOAT_EQ(screen->GetScale(), 1.66666f);
  EXPECT_EQ(screen->GetWidth(), 800);
  EXPECT_EQ(screen->GetHeight(), 600);
  Play(7500);
  EXPECT_EQ(screen->GetTexture(), slides[3]);
  Play(2500);
  EXPECT_EQ(screen->GetTexture(), slides[0]);
}

TEST_F(SlideshowTest, SlidesThatFailedToLoadAreSkipped) {
  std::vector<std::shared_ptr<TTexture>> slides = MakeSlides();
  slides[1] = nullptr;
  StartSlideshow(slides);
  Play(2500);
  EXPECT_EQ(screen->GetTexture(), slides[0]);
  Play(2500);
  EXPECT_EQ(screen->GetTexture(), slides[2]);
  Play(2500);
  EXPECT_EQ(screen->GetTexture(), slides[3]);
}

TEST_F(SlideshowTest, NoSlidesAndNoScreenShowNothingAndTheShowEndsWithItsWindow) {
  StartSlideshow({nullptr, nullptr});
  Play(5000);
  EXPECT_EQ(screen->GetTexture(), nullptr);
  std::unique_ptr<TWindow> gone = rig.dialog->RemoveChild(end);
  gone.reset();
  Play(5000);
}

TEST_F(SlideshowTest, TheGameEndWindowStartsItsOwnShowOverTheShippedSlideNames) {
  end->PostCreate();
  Play(2500);
  // The test's data folder has no slides: nothing shows, nothing breaks.
  EXPECT_EQ(screen->GetTexture(), nullptr);
}

}  // namespace
}  // namespace GUI
