// The start screen window on its own: pages of pictures turned by clicks
// until the last presses "nextButton", pictures that do not load left
// out, a level without an entry showing the empty text, clicks on a text
// doing nothing but taken, and its Lua function doing nothing once the
// window is gone.
#include "game/gui/screens/TStartScreenWindow.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "media/texture/TTexture.h"
#include "platform/file/FileIndex.h"
#include "tests/game/gui/screens/ButtonPresses.h"
#include "tests/game/gui/screens/ScreenDialogRig.h"
#include "tests/media/texture/ImageFiles.h"
#include "tests/support/DisplayOpening.h"
#include "tests/support/TestFileLayer.h"
#include "windows/kinds/TButton.h"
#include "windows/kinds/TImage.h"
#include "windows/kinds/TText.h"

namespace GUI {
namespace {

constexpr const char* kStartScreensWithOneText =
    "<Workbook><Table>"
    "<Row><Cell><Data>World02_05</Data></Cell><Cell><Data>Mind the locks.</Data></Cell></Row>"
    "<Row><Cell><Data>World02_06</Data></Cell><Cell><Data>@missing/one;missing/two</Data></Cell></Row>"
    "<Row><Cell><Data>World03_01</Data></Cell><Cell><Data>@pages/one; pages/two; pages/three</Data></Cell></Row>"
    "<Row><Cell><Data>World03_02</Data></Cell><Cell><Data>@pages/one;missing/one;pages/three</Data></Cell></Row>"
    "</Table></Workbook>";

// The start screen's dialog: "ContentText", "nextButton" and the window.
class StartScreenWindowTest : public ScreenDialogRig {
 protected:
  StartScreenWindowTest() {
    files.WriteAsset("levels/startscreens.xml", kStartScreensWithOneText);
    PngPicture pixel;
    pixel.rows = {0x20, 0x40, 0x60, 0xFF};
    for (const char* page : {"pages/one", "pages/two", "pages/three"}) {
      files.WriteAsset(std::string(page) + ".png", PngBytes(pixel));
    }
    BuildFileIndex();
    background = Add(std::make_unique<TImage>(), "background");
    content = AddText("ContentText");
    content->SetLabel("before");
    next = Add(std::make_unique<TButton>(TButton::kPush), "nextButton");
    next->SetAction(std::make_unique<ButtonPresses>(presses));
    screen = Add(std::make_unique<TStartScreenWindow>(), "startScreen");
  }

  std::string Content() const { return content->GetLabel().CStr(); }
  bool Shows(const char* page) const {
    const std::shared_ptr<TTexture> picture = TTexture::Get(page, 0);
    return picture && background->GetTexture() == picture;
  }

  TestFileLayer files;
  FakeDesktopDisplay display{platform};
  TImage* background = nullptr;
  TText* content = nullptr;
  TButton* next = nullptr;
  TStartScreenWindow* screen = nullptr;
  int presses = 0;
};

TEST_F(StartScreenWindowTest, TwoClicksTurnThreePicturesAndTheThirdPressesNext) {
  RunLua("SetCurrentLevelToStartScreen(3, 1)");
  ASSERT_TRUE(screen->IsImageMode());
  EXPECT_EQ(screen->GetPageCount(), 3u);
  EXPECT_TRUE(Shows("pages/one"));
  EXPECT_TRUE(screen->OnMouseDown(10, 10));
  EXPECT_TRUE(Shows("pages/two"));
  EXPECT_TRUE(screen->OnMouseDown(10, 10));
  EXPECT_TRUE(Shows("pages/three"));
  EXPECT_EQ(presses, 0);
  EXPECT_TRUE(screen->OnMouseDown(10, 10));
  EXPECT_EQ(presses, 1);
  EXPECT_TRUE(Shows("pages/three")) << "the last page stays while the next screen comes";
  EXPECT_EQ(Content(), "before");
}

TEST_F(StartScreenWindowTest, APictureThatDoesNotLoadIsLeftOutOfThePages) {
  RunLua("SetCurrentLevelToStartScreen(3, 2)");
  ASSERT_TRUE(screen->IsImageMode());
  EXPECT_EQ(screen->GetPageCount(), 2u);
  EXPECT_TRUE(Shows("pages/one"));
  screen->OnMouseDown(10, 10);
  EXPECT_TRUE(Shows("pages/three"));
  screen->OnMouseDown(10, 10);
  EXPECT_EQ(presses, 1);
}

TEST_F(StartScreenWindowTest, ATextEntryIsShownAndClicksOnItAreTakenWithoutPressingNext) {
  RunLua("SetCurrentLevelToStartScreen(2, 5)");
  EXPECT_EQ(Content(), "Mind the locks.");
  EXPECT_FALSE(screen->IsImageMode());
  EXPECT_TRUE(screen->OnMouseDown(10, 10));
  EXPECT_TRUE(screen->OnMouseDown(10, 10));
  EXPECT_EQ(presses, 0);
}

TEST_F(StartScreenWindowTest, ALevelWithoutAnEntryShowsTheEmptyText) {
  RunLua("SetCurrentLevelToStartScreen(5, 2)");
  EXPECT_EQ(Content(), "");
  EXPECT_FALSE(screen->IsImageMode());
}

TEST_F(StartScreenWindowTest, AnImageEntryWithoutAnyPictureShowsAsText) {
  RunLua("SetCurrentLevelToStartScreen(2, 6)");
  EXPECT_FALSE(screen->IsImageMode());
  EXPECT_EQ(screen->GetPageCount(), 0u);
  EXPECT_EQ(Content(), "@missing/one;missing/two");
  EXPECT_TRUE(screen->OnMouseDown(10, 10));
  EXPECT_EQ(presses, 0);
}

TEST_F(StartScreenWindowTest, TheLuaFunctionDoesNothingOnceItsWindowIsGone) {
  Close(screen);
  RunLua("SetCurrentLevelToStartScreen(2, 5)");
  EXPECT_EQ(Content(), "before");
}

}  // namespace
}  // namespace GUI
