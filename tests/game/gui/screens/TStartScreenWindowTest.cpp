// The start screen window on its own: a level without an entry shows the
// empty text, clicks on a text do nothing but are taken, and its Lua
// function does nothing once the window is gone.
#include "game/gui/screens/TStartScreenWindow.h"

#include <gtest/gtest.h>

#include <memory>

#include "platform/file/FileIndex.h"
#include "tests/game/gui/screens/ButtonPresses.h"
#include "tests/game/gui/screens/ScreenDialogRig.h"
#include "tests/support/TestFileLayer.h"
#include "windows/kinds/TButton.h"
#include "windows/kinds/TText.h"

namespace GUI {
namespace {

constexpr const char* kStartScreensWithOneText =
    "<Workbook><Table>"
    "<Row><Cell><Data>World02_05</Data></Cell><Cell><Data>Mind the locks.</Data></Cell></Row>"
    "<Row><Cell><Data>World02_06</Data></Cell><Cell><Data>@missing/one;missing/two</Data></Cell></Row>"
    "</Table></Workbook>";

// The start screen's dialog: "ContentText", "nextButton" and the window.
class StartScreenWindowTest : public ScreenDialogRig {
 protected:
  StartScreenWindowTest() {
    files.WriteAsset("levels/startscreens.xml", kStartScreensWithOneText);
    BuildFileIndex();
    content = AddText("ContentText");
    content->SetLabel("before");
    next = Add(std::make_unique<TButton>(TButton::kPush), "nextButton");
    next->SetAction(std::make_unique<ButtonPresses>(presses));
    screen = Add(std::make_unique<TStartScreenWindow>(), "startScreen");
  }

  std::string Content() const { return content->GetLabel().CStr(); }

  TestFileLayer files;
  TText* content = nullptr;
  TButton* next = nullptr;
  TStartScreenWindow* screen = nullptr;
  int presses = 0;
};

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
