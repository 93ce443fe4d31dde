// Text windows: set-up and labels, invalidation of the whole text, links
// that press buttons, hover and capture, scrolling, and drawing. With the
// synthetic font at 5 pixels every line is 5 pixels high.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "media/text/TTextLayout.h"
#include "media/text/TVqMiniVecDraw.h"
#include "platform/text/Log.h"
#include "system/gfx/PixelFormat.h"
#include "tests/support/DevicePlatform.h"
#include "tests/support/SyntheticFont.h"
#include "tests/support/TempFolder.h"
#include "tests/support/windows/LinkPoint.h"
#include "tests/windows/kinds/TextDialogTree.h"
#include "windows/kinds/TButton.h"
#include "windows/core/TMessage.h"
#include "windows/kinds/TModalWindow.h"
#include "windows/kinds/TText.h"

namespace {

using Texts = std::vector<std::string>;
const TColor kWhiteText(1.0f, 1.0f, 1.0f, 1.0f);
constexpr int32_t kSize = 5;

// The dialog holds a text window "text" at (20, 30) in front of a
// recording window "back"; the log goes to a folder of its own.
struct TextTree : TextDialogTree {
  TextTree() {
    back = AddRecordingChild(*dialog, "back", TRect(0, 0, 400, 300), &platform.journal);
    text = AddText(*dialog, 20, 30);
    SetLogFolder(logs.Path().c_str());
    Settle();
  }

  TText* AddText(TWindow& parent, int32_t x, int32_t y) {
    TText* added = Add(parent, std::make_unique<TText>());
    added->SetName("text");
    added->SetPosition(x, y);
    return added;
  }

  bool SetUp(const std::string& label, int32_t width = 100, int32_t height = 40) {
    return text->Setup(label.c_str(), width, height, 0, SyntheticFonts::kName, kSize, kWhiteText);
  }

  TButton* AddButton(const char* name) {
    TButton* button = Add(*dialog, std::make_unique<TButton>(TButton::kPush));
    button->SetName(name);
    button->SetPosition(300, 250);
    button->SetSize(40, 20);
    return button;
  }

  // A mouse event at a point of the text window.
  void Mouse(int32_t type, const TVec2& local) {
    const TVec2 screen = text->LocalToScreen(local);
    manager.HandleEvent(TEvent{.type = type, .x = static_cast<int32_t>(screen.x), .y = static_cast<int32_t>(screen.y)});
  }

  void Click(const TVec2& down, const TVec2& up) {
    Mouse(kEventLeftDown, down);
    Mouse(kEventLeftUp, up);
    manager.DispatchMessages();
  }

  int LayoutPasses() const { return platform.journal.Count("GetFont fonts/default.mvec"); }
  bool Dirty(const TWindow* window) const { return manager.IsDirty(window); }
  bool Captured() const {
    const std::vector<TWindow*>& captures = manager.GetCaptures();
    return std::find(captures.begin(), captures.end(), text) != captures.end();
  }
  std::string Log() const { return ReadWholeFile(GetLogPath().CStr()); }

  TempFolder logs;
  RecordingWindow* back = nullptr;
  TText* text = nullptr;
};

TEST(TextWindow, SetUpWithAZeroWidthOrHeightLeavesItEmpty) {
  TextTree tree;
  EXPECT_FALSE(tree.SetUp("words", 0, 40));
  EXPECT_FALSE(tree.SetUp("words", 100, 0));
  EXPECT_EQ(tree.text->GetLayout(), nullptr);
  tree.text->SetLabel("more");
  EXPECT_STREQ(tree.text->GetLabel().CStr(), "");
  EXPECT_EQ(tree.text->GetWidth(), 0);

  ASSERT_TRUE(tree.SetUp("words", 100, 40));
  EXPECT_STREQ(tree.text->GetLabel().CStr(), "words");
  EXPECT_EQ(tree.text->GetRect(), TRect(20, 30, 120, 70));
  EXPECT_EQ(tree.text->GetLayout()->GetFontSize(), kSize);
}

TEST(TextWindow, TheSameLabelSetAgainIsNeitherLaidOutNorDrawnAgain) {
  TextTree tree;
  tree.SetUp("one");
  tree.Settle();
  tree.text->SetLabel("two");
  EXPECT_EQ(tree.LayoutPasses(), 1);
  EXPECT_TRUE(tree.Dirty(tree.text));
  tree.Settle();
  tree.text->SetLabel("two");
  EXPECT_EQ(tree.LayoutPasses(), 0);
  EXPECT_FALSE(tree.Dirty(tree.text));
}

TEST(TextWindow, ATextSetAfterAnEmptyOneIsDrawn) {
  TextTree tree;
  tree.SetUp("");
  tree.Settle();
  tree.text->SetLabel("now shown");
  EXPECT_TRUE(tree.Dirty(tree.text));
  tree.manager.Frame();
  EXPECT_EQ(tree.platform.journal.Count("Begin2d"), 1);
}

TEST(TextWindow, ASmallInvalidationOfAChildDirtiesTheWholeTextAndItsParent) {
  TextTree tree;
  tree.SetUp("words", 100, 40);
  RecordingWindow* child = AddRecordingChild(*tree.text, "child", TRect(50, 10, 90, 30), &tree.platform.journal);
  tree.Settle();
  const TRect small(0, 0, 5, 5);
  child->Invalidate(&small);
  EXPECT_EQ(tree.text->GetDirtyRects(), std::vector<TRect>{TRect(0, 0, 100, 40)});
  ASSERT_EQ(tree.dialog->GetDirtyRects().size(), 1u);
  EXPECT_EQ(tree.dialog->GetDirtyRects()[0], TRect(20, 30, 120, 70)) << "the whole text, in the dialog";
}

TEST(TextWindow, APartOfItDirtiedFromAboveRedrawsItWholeWithWhatLiesUnderIt) {
  TextTree tree;
  tree.SetUp("words", 100, 40);
  AddRecordingChild(*tree.text, "child", TRect(50, 10, 90, 30), &tree.platform.journal);
  tree.Settle();
  const TRect corner(0, 0, 25, 35);  // overlaps the text's top-left corner only
  tree.back->Invalidate(&corner);
  tree.manager.Frame();
  const Texts calls = tree.Calls();
  EXPECT_EQ(std::count(calls.begin(), calls.end(), "Draw child"), 1) << "the child, away from the corner, too";
}

struct LinkTree : TextTree {
  LinkTree() {
    SetUp("<a id='ok'>ok</a> and <a id='cancel'>cancel</a><br><a id='gone'>gone</a> <a id='plain'>plain</a>", 200,
          40);
    AddButton("ok");
    AddRecordingChild(*dialog, "plain", TRect(0, 0, 1, 1));
    Settle();
    script->received.clear();
  }
};

TEST(TextWindow, AClickOnALinkPressesTheButtonOfItsName) {
  LinkTree tree;
  const TVec2 ok = PointOnLink(*tree.text, "ok");
  tree.Click(ok, ok);
  EXPECT_EQ(tree.script->received, Texts{"3 ok"});
  EXPECT_EQ(tree.Log(), "");
}

TEST(TextWindow, AClickThatStartsOnOneLinkAndEndsOnAnotherPressesNothing) {
  LinkTree tree;
  tree.Click(PointOnLink(*tree.text, "cancel"), PointOnLink(*tree.text, "ok"));
  tree.Click(PointOnLink(*tree.text, "ok"), TVec2(199, 39));
  EXPECT_TRUE(tree.script->received.empty());
  const TVec2 ok = PointOnLink(*tree.text, "ok");
  tree.Click(ok, ok);
  EXPECT_EQ(tree.script->received, Texts{"3 ok"}) << "the pressed link was forgotten";
}

TEST(TextWindow, ALinkWithoutItsButtonIsLogged) {
  LinkTree tree;
  const TVec2 gone = PointOnLink(*tree.text, "gone");
  tree.Click(gone, gone);
  const TVec2 plain = PointOnLink(*tree.text, "plain");
  tree.Click(plain, plain);
  EXPECT_TRUE(tree.script->received.empty());
  EXPECT_NE(tree.Log().find("ERROR: Command window gone not found"), std::string::npos) << tree.Log();
  EXPECT_NE(tree.Log().find("ERROR: Command window plain not a derived class of TButton"), std::string::npos);
}

TEST(TextWindow, PressesAndReleasesAwayFromLinksAreNotTaken) {
  LinkTree tree;
  const TVec2 between = PointOnLink(*tree.text, "ok") + TVec2(8, 0);
  ASSERT_STREQ(tree.text->GetLayout()->GetLinkAt(between, 0).CStr(), "");
  tree.platform.journal.Clear();
  tree.Click(between, between);
  const TVec2 inBack = tree.text->LocalToScreen(between);
  const std::string at = " " + std::to_string(static_cast<int32_t>(inBack.x)) + " " +
                         std::to_string(static_cast<int32_t>(inBack.y));
  EXPECT_EQ(tree.Calls(), (Texts{"OnMouseDown back" + at, "OnMouseUp back" + at}))
      << "they fall through to the window behind";
}

TEST(TextWindow, HoverOverALinkLightsItAndTakesTheCaptureUntilThePointerLeaves) {
  LinkTree tree;
  const TVec2 ok = PointOnLink(*tree.text, "ok");
  tree.Mouse(kEventMouseMove, ok);
  EXPECT_STREQ(tree.text->GetLayout()->GetHighlightLink().CStr(), "ok");
  EXPECT_TRUE(tree.Captured());
  EXPECT_TRUE(tree.Dirty(tree.text));

  tree.Settle();
  tree.Mouse(kEventMouseMove, ok + TVec2(1, 0));
  EXPECT_FALSE(tree.Dirty(tree.text)) << "the same link lit again";

  tree.Mouse(kEventMouseMove, PointOnLink(*tree.text, "cancel"));
  EXPECT_STREQ(tree.text->GetLayout()->GetHighlightLink().CStr(), "cancel");
  EXPECT_TRUE(tree.Dirty(tree.text));

  tree.Settle();
  tree.Mouse(kEventMouseMove, TVec2(199, 39));
  EXPECT_STREQ(tree.text->GetLayout()->GetHighlightLink().CStr(), "");
  EXPECT_FALSE(tree.Captured()) << "off the links";
  EXPECT_TRUE(tree.Dirty(tree.text));
}

TEST(TextWindow, LosingTheCaptureDimsTheLink) {
  LinkTree tree;
  tree.Mouse(kEventMouseMove, PointOnLink(*tree.text, "ok"));
  tree.Settle();
  tree.manager.HandleEvent(TEvent{.type = kEventMouseLost});
  EXPECT_STREQ(tree.text->GetLayout()->GetHighlightLink().CStr(), "");
  EXPECT_FALSE(tree.Captured());
  EXPECT_TRUE(tree.Dirty(tree.text));
}

// Ten lines of 5 pixels in a box of 20: from the end, the sixth line (index
// 5) is the first whose height no longer fits.
TEST(TextWindow, RescaleScrollsFromTheFirstLineToWhereTheEndShows) {
  TextTree tree;
  tree.SetUp("0<br>1<br>2<br>3<br>4<br>5<br>6<br>7<br>8<br>9", 100, 20);
  ASSERT_EQ(tree.text->GetLayout()->GetLineCount(), 10);
  struct Case {
    float position;
    int32_t firstLine;
    bool redrawn;
  };
  const Case cases[] = {{1.0f, 5, true},  {1.0f, 5, false}, {0.5f, 2, true}, {0.0f, 0, true},
                        {2.0f, 10, true}, {NAN, 0, true},   {-1.0f, 0, false}};
  for (const Case& c : cases) {
    tree.Settle();
    tree.text->Rescale(c.position, 0);
    EXPECT_EQ(tree.text->GetLayout()->GetFirstLine(), c.firstLine) << c.position;
    EXPECT_EQ(tree.Dirty(tree.text), c.redrawn) << c.position;
  }
}

TEST(TextWindow, RescaleCountsTheLinesAtTheVerticalScaleWithTheSpacing) {
  TextTree tree;
  tree.SetUp("0<br>1<br>2<br>3<br>4<br>5<br>6<br>7<br>8<br>9", 100, 20);
  tree.text->SetScale(1.0f, 2.0f);
  tree.text->Rescale(1.0f, 0);
  EXPECT_EQ(tree.text->GetLayout()->GetFirstLine(), 7) << "lines of 10 pixels: two fit";
  tree.text->SetScale(1.0f, 1.0f);
  tree.text->SetLineSpacing(5);
  tree.text->Rescale(1.0f, 0);
  EXPECT_EQ(tree.text->GetLayout()->GetFirstLine(), 7) << "5 pixels of spacing: two fit";
}

TEST(TextWindow, AButtonsLabelIsTheTextOfItsLabelWindow) {
  TextTree tree;
  TButton* button = tree.AddButton("button");
  EXPECT_STREQ(button->GetLabel().CStr(), "") << "no label window";
  RecordingWindow* face = AddRecordingChild(*button, "face", TRect(0, 0, 40, 20));
  TText* label = tree.AddText(*face, 0, 0);
  label->SetName("label");
  EXPECT_STREQ(button->GetLabel().CStr(), "") << "not set up";
  label->Setup("Play", 40, 20, 0, SyntheticFonts::kName, kSize, kWhiteText);
  EXPECT_STREQ(button->GetLabel().CStr(), "Play") << "found below a child";
  face->SetName("label");
  EXPECT_STREQ(button->GetLabel().CStr(), "") << "the first window of the name is no text";
}

TEST(TextWindow, IsASnapshotMemberOnlyWhenMadeAsOne) {
  EXPECT_FALSE(TText().GetFlags() & kWindowSnapshotMember);
  EXPECT_TRUE(TText(true).GetFlags() & kWindowSnapshotMember);
  EXPECT_TRUE(TText().IsKindOf(TWindow::ClassId()));
}

// Drawn on our device: inside 2D drawing, at the window's place on the
// screen, with its scales and line spacing.
class TextWindowDrawing : public testing::Test {
 protected:
  TextWindowDrawing() : platform(kSide, kSide), renderer(platform.Textures()) {
    fonts.InstallOn(platform);
    renderer.Calibrate();
    platform.vecDraw = &renderer;
    platform.viewport = {0, 0, kSide, kSide};
  }

  // The rows and columns where red shows: left, top, right, bottom (included).
  TRect Ink(TText& text) {
    platform.Screen().Fill(nullptr, 0xFF000000);
    platform.journal.Clear();
    text.Draw();
    TRect ink(kSide, kSide, -1, -1);
    for (int32_t y = 0; y < kSide; ++y) {
      for (int32_t x = 0; x < kSide; ++x) {
        if ((DevicePlatform::ColourAt(platform.Screen(), x, y) >> 16 & 0xFF) == 0) continue;
        ink = TRect(std::min(ink.left, x), std::min(ink.top, y), std::max(ink.right, x), std::max(ink.bottom, y));
      }
    }
    return ink;
  }

  static constexpr int32_t kSide = 128;
  DevicePlatform platform;
  SyntheticFonts fonts;
  TVqMiniVecDraw renderer;
};

TEST_F(TextWindowDrawing, DrawsAtItsPlaceWithItsScalesAndSpacing) {
  TText text;
  text.SetPosition(30, 40);
  ASSERT_TRUE(text.Setup("ab<br>cd", 80, 80, 0, SyntheticFonts::kName, 20, kWhiteText));
  const TRect plain = Ink(text);
  EXPECT_EQ(platform.Calls().front(), "Begin2d");
  EXPECT_EQ(platform.Calls().back(), "End2d");
  EXPECT_GE(plain.left, 30);
  EXPECT_GE(plain.top, 40);
  EXPECT_LT(plain.left, 40);

  text.SetScale(2.0f, 1.0f);
  const TRect wide = Ink(text);
  EXPECT_NEAR(wide.Width(), 2 * plain.Width(), 3);
  EXPECT_EQ(wide.Height(), plain.Height());

  text.SetScale(1.0f, 1.0f);
  text.SetLineSpacing(10);
  const TRect spaced = Ink(text);
  EXPECT_EQ(spaced.top, plain.top);
  EXPECT_EQ(spaced.bottom, plain.bottom + 10);
}

}  // namespace
