// The window functions that scripts call: windows found by name in the
// dialog or under the current window, their labels, images, places and
// commands, the focus, dialogs pushed, cleared and popped, messages made and
// posted, strings, the timer, the clipboard and movies.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "media/texture/TTexture.h"
#include "platform/asset/TAssetManager.h"
#include "platform/time/TTask.h"
#include "platform/xml/TStringTable.h"
#include "tests/support/StringTableFile.h"
#include "tests/support/SizedTexture.h"
#include "tests/support/SyntheticFont.h"
#include "tests/support/windows/RecordingWindow.h"
#include "tests/windows/script/WindowFunctionsKit.h"
#include "windows/kinds/TButton.h"
#include "windows/kinds/TImage.h"
#include "windows/kinds/TLayeredWindow.h"
#include "windows/core/TMessage.h"
#include "windows/kinds/TModalWindow.h"
#include "windows/kinds/TText.h"

namespace {

using Texts = std::vector<std::string>;

template <class Kind>
Kind* AddChild(TWindow& parent, std::unique_ptr<Kind> window, const char* name) {
  Kind* added = window.get();
  added->SetName(name);
  std::unique_ptr<TWindow> child = std::move(window);
  parent.AddChild(child, false);
  return added;
}

const TColor kWhiteLabel(1.0f, 1.0f, 1.0f, 1.0f);

// The root holds a text "title" ("Welcome"), a button "ok" labelled "OK", an
// image "pic" and a plain window "panel" (100 x 50 at 10 20).
class WindowScriptFunctionsTest : public WindowFunctionsKit {
 protected:
  WindowScriptFunctionsTest() {
    fonts.InstallOn(w.kit.platform);
    title = AddText(*w.root, "title", "Welcome");
    button = AddChild(*w.root, std::make_unique<TButton>(TButton::kPush), "ok");
    AddText(*button, "label", "OK");
    image = AddChild(*w.root, std::make_unique<TImage>(), "pic");
    panel = AddChild(*w.root, std::make_unique<TWindow>(), "panel");
    panel->SetSize(100, 50);
    panel->SetPosition(10, 20);
  }
  // The text windows go before their fonts.
  ~WindowScriptFunctionsTest() override {
    w.root->DeleteChildren();
    w.manager.DeletePending();
  }

  static TText* AddText(TWindow& parent, const char* name, const char* label) {
    TText* text = AddChild(parent, std::make_unique<TText>(), name);
    text->Setup(label, 200, 20, 0, SyntheticFonts::kName, 5, kWhiteLabel);
    return text;
  }

  SyntheticFonts fonts;
  TText* title = nullptr;
  TButton* button = nullptr;
  TImage* image = nullptr;
  TWindow* panel = nullptr;
};

struct Answer {
  const char* expression;
  const char* expected;
};

TEST_F(WindowScriptFunctionsTest, CallsAnswerAsTheirTableSays) {
  const Answer answers[] = {
      {"GetLabel('title')", "Welcome"},
      {"GetLabel('ok')", "OK"},
      {"GetLabel('nothing')", "nothing_is_not_found"},
      {"GetLabel('pic')", "pic_is_not_a_TText_window_or_TButton"},
      {"GetLabel('panel')", "panel_is_not_a_TText_window_or_TButton"},
      {"CreateNamedMessage(7, 'hello').type", "7"},
      {"CreateNamedMessage(7, 'hello').name", "hello"},
      {"CreateNamedMessage(2.9, 'x').type", "2"},
      {"CreateNamedMessage(-2.9, 'x').type", "-2"},
      {"CreateNamedMessage(0, 'x').target", "nil"},
      {"CreateCloseMessage().type", "1"},
      {"ImageLoaded('pic')", "false"},
      {"ImageLoaded('panel')", "false"},
      {"ImageLoaded('nothing')", "false"},
      {"StartMovie('')", "false"},
      {"StartMovie('intro.swf')", "false"},
      {"IsMoviePlaying()", "false"},
  };
  for (const Answer& answer : answers) EXPECT_EQ(Eval(answer.expression), answer.expected) << answer.expression;
  EXPECT_EQ(Eval("CreateCloseMessage().name"), TMessage::CloseName(w.root->GetSerial()).CStr());
}

TEST_F(WindowScriptFunctionsTest, NamesAreFoundAnywhereInTheDialogAndOnlyThere) {
  TWindow* deep = AddChild(*panel, std::make_unique<TImage>(), "deep");
  EXPECT_EQ(Eval("GetLabel('deep')"), "deep_is_not_a_TText_window_or_TButton");
  Run("PushModal('dialog')");
  EXPECT_EQ(Eval("GetLabel('deep')"), "deep_is_not_found") << "below the top dialog only";
  EXPECT_NE(deep->GetParent(), nullptr);
}

TEST_F(WindowScriptFunctionsTest, SetLabelChangesTextWindowsOnly) {
  Run("SetLabel('title', 'Goodbye')");
  EXPECT_EQ(title->GetLabel(), "Goodbye");
  Run("SetLabel('ok', 'Cancel') SetLabel('pic', 'text') SetLabel('panel', 'text') SetLabel('nothing', 'text')");
  EXPECT_EQ(button->GetLabel(), "OK") << "a button's label is its own text window's";
  EXPECT_EQ(Eval("GetLabel('pic')"), "pic_is_not_a_TText_window_or_TButton");
  Run("SetLabel('label', 'Cancel')");
  EXPECT_EQ(Eval("GetLabel('ok')"), "Cancel") << "that text window is found by its name";
  EXPECT_TRUE(Log().empty());
}

TEST_F(WindowScriptFunctionsTest, SetBitmapShowsTheImageAtTheScaleAndResizesTheWindow) {
  auto texture = std::make_shared<SizedTexture>(40, 20);
  w.kit.platform.assetManager->Register("art/face.png:tex", texture);
  Run("_SetBitmap('pic', 'art\\\\face.png', 0.5)");
  EXPECT_EQ(image->GetTexture(), texture);
  EXPECT_FLOAT_EQ(image->GetScale(), 0.5f);
  EXPECT_EQ(image->GetWidth(), 20);
  EXPECT_EQ(image->GetHeight(), 10);
  EXPECT_EQ(Eval("ImageLoaded('pic')"), "true");

  Run("_SetBitmap('panel', 'art/face.png', 1)");
  EXPECT_EQ(panel->GetWidth(), 100) << "not an image window";
}

struct Place {
  int32_t x;
  int32_t y;
  TRect expected;
};

TEST_F(WindowScriptFunctionsTest, SetPositionResolvesCodedCoordinatesAndKeepsTheSize) {
  const Place places[] = {
      {30, 40, TRect(30, 40, 130, 90)},
      {80000, 80000, TRect(350, 275, 450, 325)},     // centred in 800 x 600
      {80010, 79990, TRect(360, 265, 460, 315)},     // moved from the centre
      {-10, -20, TRect(790, 580, 890, 630)},         // from the far edges
      {160000 - 10, 160000, TRect(790, 600, 890, 650)},
  };
  for (const Place& place : places) {
    Run("SetPosition('panel', " + std::to_string(place.x) + ", " + std::to_string(place.y) + ")");
    EXPECT_EQ(panel->GetRect(), place.expected) << place.x << " " << place.y;
  }
  Run("SetPosition('nothing', 1, 1)");
  EXPECT_EQ(panel->GetRect(), places[4].expected);
}

TEST_F(WindowScriptFunctionsTest, PopWindowKeepsTheLastWindow) {
  w.script->PushWindow(panel);
  Run("PopWindow()");
  EXPECT_EQ(w.script->GetWindowStack(), std::vector<TWindow*>{w.root});
  Run("PopWindow() PopWindow()");
  EXPECT_EQ(w.script->GetWindowStack(), std::vector<TWindow*>{w.root});
}

TEST_F(WindowScriptFunctionsTest, WindowStackDepthCountsTheCurrentWindowStack) {
  EXPECT_EQ(Eval("WindowStackDepth()"), "1");
  w.script->PushWindow(panel);
  w.script->PushWindow(button);
  EXPECT_EQ(Eval("WindowStackDepth()"), "3");
  Run("PopWindow()");
  EXPECT_EQ(Eval("WindowStackDepth()"), "2");
}

// Counts the calls of its PostCreate.
class PostCreateCounter : public TLayeredWindow {
 public:
  PostCreateCounter() : TLayeredWindow(3) {}
  void PostCreate() override { ++calls; }
  int calls = 0;
};

TEST_F(WindowScriptFunctionsTest, DoSelectLayerAndPostCreateActOnTheCurrentWindow) {
  PostCreateCounter* layers = AddChild(*w.root, std::make_unique<PostCreateCounter>(), "layers");
  w.script->PushWindow(layers);
  Run("DoSelectLayer(2) PostCreate('ignored')");
  EXPECT_EQ(layers->GetLayer(), 2u);
  EXPECT_EQ(layers->calls, 1);
  Run("DoSelectLayer(7)");
  EXPECT_EQ(layers->GetLayer(), 2u) << "no such layer";
  w.script->PushWindow(panel);
  Run("DoSelectLayer(1) PostCreate()");
  EXPECT_EQ(layers->GetLayer(), 2u) << "the current window is no layered window";
  EXPECT_EQ(layers->calls, 1);
}

TEST_F(WindowScriptFunctionsTest, RealSetFocusFocusesTheWindowUnderTheCurrentWindowOrNone) {
  RecordingWindow* field = AddRecordingChild(*panel, "field", TRect(0, 0, 10, 10), &journal);
  Run("RealSetFocus('field')");
  EXPECT_EQ(w.manager.GetFocus(), field);
  EXPECT_EQ(journal.Entries(), Texts{"OnFocus field"});
  Run("RealSetFocus('nothing')");
  EXPECT_EQ(w.manager.GetFocus(), nullptr);
}

TEST_F(WindowScriptFunctionsTest, PushModalPushesANamedDialogAndAnswersItsCloseName) {
  const std::string closeName = Eval("PushModal('settings')");
  TWindow* top = w.manager.GetTopModal();
  ASSERT_NE(top, w.root);
  EXPECT_TRUE(top->IsKindOf(TModalWindow::ClassId()));
  EXPECT_EQ(top->GetName(), "settings");
  EXPECT_EQ(top->GetParent(), w.root);
  EXPECT_EQ(closeName, TMessage::CloseName(top->GetSerial()).CStr());
  EXPECT_EQ(closeName.size(), 8u);
  EXPECT_EQ(w.script->GetWindowStack(), std::vector<TWindow*>{top});
  EXPECT_EQ(Eval("CreateCloseMessage().name"), closeName);
}

// Counts its deletion.
class CountedTask : public TTask {
 public:
  explicit CountedTask(int& deletions) : mDeletions(deletions) {}
  ~CountedTask() override { ++mDeletions; }
  bool IsReady(TTaskPass) override { return false; }
  bool Step() override { return true; }

 private:
  int& mDeletions;
};

TEST_F(WindowScriptFunctionsTest, ClearModalChildrenEmptiesTheTopDialog) {
  Run("PushModal('dialog')");
  auto* dialog = static_cast<TModalWindow*>(w.manager.GetTopModal());
  TWindow* child = AddChild(*dialog, std::make_unique<TWindow>(), "child");
  dialog->SetPosition(5, 6);
  int deletions = 0;
  dialog->AddTask(std::make_unique<CountedTask>(deletions));
  Run("ClearModalChildren()");
  EXPECT_TRUE(dialog->GetChildren().empty());
  EXPECT_EQ(child->GetParent(), nullptr) << "unlinked, deleted at the next event";
  EXPECT_EQ(deletions, 1);
  EXPECT_EQ(dialog->GetRect(), TRect(0, 0, 0, 0));
  w.manager.DeletePending();
}

TEST_F(WindowScriptFunctionsTest, DoPopModalPopsDialogsButNeverTheRoot) {
  Run("PushModal('dialog') DoPopModal()");
  EXPECT_EQ(w.manager.GetTopModal(), w.root);
  EXPECT_EQ(w.script->GetWindowStack(), std::vector<TWindow*>{w.root});
  Run("DoPopModal()");
  EXPECT_EQ(w.manager.GetTopModal(), w.root);
  EXPECT_EQ(Log(), Texts{"DoPopModal: no dialog above the root"});
}

TEST_F(WindowScriptFunctionsTest, DestroyWindowUnlinksTheWindowForDeletionAtTheNextEvent) {
  TWindow* inner = AddChild(*panel, std::make_unique<TWindow>(), "inner");
  Run("DestroyWindow('inner') DestroyWindow('nothing')");
  EXPECT_FALSE(panel->HasChild(inner));
  EXPECT_EQ(inner->GetParent(), nullptr);
  w.manager.DeletePending();
  EXPECT_EQ(panel->FindChild("inner"), nullptr);
}

TEST_F(WindowScriptFunctionsTest, UpdateWindowInvalidatesTheWholeDialog) {
  w.manager.PropagateDirty();
  Run("UpdateWindow()");
  EXPECT_TRUE(w.manager.IsDirty(w.root));
}

TEST_F(WindowScriptFunctionsTest, PostMessageToParentIsDeliveredAtTheParentOfTheTopDialog) {
  auto middle = std::make_unique<RecordingWindow>("middle", TRect(0, 0, 800, 600), &journal);
  middle->takesMessages = true;
  w.manager.PushModal(std::move(middle));
  journal.Clear();
  Run("PushModal('top') PostMessageToParent(CreateNamedMessage(0, 'up'))");
  EXPECT_TRUE(journal.Entries().empty()) << "queued, not sent";
  w.manager.DispatchMessages();
  EXPECT_EQ(journal.Entries(), Texts{"HandleMessage middle 0 up"});
}

TEST_F(WindowScriptFunctionsTest, GetStringFillsInTheArgumentsOfTheStringTable) {
  WriteStringTable(w.kit.files, "strings.xml", {{"greet", "Hello %1%, %2%!"}, {"plain", "Plain"}});
  TStringTable table;
  ASSERT_TRUE(table.Load("strings.xml"));
  w.kit.platform.stringTable = &table;
  EXPECT_EQ(Eval("_GetString('greet', 'Ann', 3)"), "Hello Ann, 3!");
  EXPECT_EQ(Eval("_GetString('plain')"), "Plain");
  w.kit.platform.stringTable = nullptr;
  EXPECT_EQ(Eval("_GetString('plain')"), TStringTable::kMissing);
  EXPECT_EQ(Log(), Texts{"_GetString: no string table for plain"});
}

TEST_F(WindowScriptFunctionsTest, GetTimerIsTheGameTime) {
  w.kit.clock.Advance(1234);
  EXPECT_EQ(Eval("GetTimer()"), "1234");
}

TEST_F(WindowScriptFunctionsTest, StringToClipboardCopiesToTheDesktopsClipboard) {
  EXPECT_EQ(Eval("StringToClipboard('copied')"), "true");
  EXPECT_EQ(w.kit.platform.clipboard, "copied");
  w.kit.platform.clipboardWorks = false;
  EXPECT_EQ(Eval("StringToClipboard('again')"), "false");
  EXPECT_EQ(w.kit.platform.clipboard, "copied");
}

TEST_F(WindowScriptFunctionsTest, AMovieThatCannotStartLeavesFramesDrawing) {
  EXPECT_EQ(Eval("StartMovie('')"), "false");
  EXPECT_TRUE(Log().empty()) << "an empty name starts nothing";
  EXPECT_EQ(Eval("StartMovie('intro.swf')"), "false");
  EXPECT_EQ(Log(), Texts{"Movie intro.swf not played: no movie host"});
  EXPECT_EQ(Eval("IsMoviePlaying()"), "false");
  Run("StopMovie()");
  EXPECT_FALSE(w.manager.IsSuspended());
  w.kit.platform.journal.Clear();
  w.root->Invalidate();
  w.manager.Frame();
  const Texts calls = w.kit.platform.Calls();
  EXPECT_NE(std::find(calls.begin(), calls.end(), "EndDraw 1"), calls.end()) << "frames go on";
}

}  // namespace
