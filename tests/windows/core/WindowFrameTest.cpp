// Frames: what is drawn, into which target, and when nothing is.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "media/texture/TTexture.h"
#include "tests/windows/core/WindowTree.h"
#include "windows/kinds/TModalWindow.h"

namespace {

using Calls = std::vector<std::string>;

// The draws and targets of a frame, without the viewports.
Calls Drawing(const WindowTree& tree) {
  Calls drawing;
  for (const std::string& call : tree.Calls()) {
    if (call.rfind("Viewport") == std::string::npos) drawing.push_back(call);
  }
  return drawing;
}

// The tree with a dialog on top of the root, holding one window.
struct DialogTree : WindowTree {
  DialogTree() {
    auto pushed = std::make_unique<TModalWindow>();
    dialog = pushed.get();
    manager.PushModal(std::move(pushed));
    field = AddRecordingChild(*dialog, "field", TRect(10, 10, 20, 20), &platform.journal);
    Settle();
  }
  TModalWindow* dialog = nullptr;
  RecordingWindow* field = nullptr;
};

TEST(WindowFrames, EveryModalLayerIsDrawnFromTheBottomUnlessOnlyTheTopOneIs) {
  DialogTree tree;
  tree.root->Invalidate();
  tree.manager.Frame();
  EXPECT_EQ(Drawing(tree), (Calls{"BeginDraw 0", "Draw a", "Draw a1", "Draw a2", "Draw b", "Draw b1", "Draw field",
                                  "EndDraw 1"}))
      << "the whole root: a full redraw";
  tree.platform.journal.Clear();
  tree.manager.SetTopModalOnly(true);
  tree.a->Invalidate();
  tree.field->Invalidate();
  tree.manager.Frame();
  EXPECT_EQ(Drawing(tree), (Calls{"BeginDraw 1", "Draw field", "EndDraw 1"}));
}

TEST(WindowFrames, WhileSuspendedEventsAreRoutedAndMessagesDispatchedButNothingIsDrawn) {
  DialogTree tree;
  tree.field->takes = {kEventLeftDown};
  tree.manager.SetSuspended(true);
  tree.field->Invalidate();
  tree.manager.HandleEvent(TEvent{.type = kEventLeftDown, .x = 15, .y = 15});
  tree.manager.HandleEvent(TEvent{.type = kEventIdle});
  EXPECT_EQ(tree.Calls(), Calls{"OnMouseDown field 5 5"});
  tree.manager.SetSuspended(false);
  tree.manager.HandleEvent(TEvent{.type = kEventIdle});
  EXPECT_TRUE(tree.platform.journal.Contains("Draw field"));
}

TEST(WindowFrames, OverlaysAreDrawnLastOverTheRootWhereTheyLie) {
  WindowTree tree;
  RecordingWindow overlay("overlay", TRect(350, 250, 450, 350), &tree.platform.journal);
  tree.manager.AddOverlay(&overlay);
  tree.Settle();
  tree.a1->Invalidate();
  tree.manager.Frame();
  EXPECT_EQ(Drawing(tree), (Calls{"BeginDraw 1", "Draw a", "Draw a1", "Draw a2", "Draw b", "Draw b1", "Draw overlay",
                                  "EndDraw 1"}))
      << "the root is dirtied under the overlay, so a, a2, b and b1 there are drawn again too";
  tree.manager.RemoveOverlay(&overlay);
}

TEST(WindowFrames, TheSnapshotTakesTheLowerLayersAndTheTopOneIsDrawnOverIt) {
  DialogTree tree;
  tree.a->AddFlags(kWindowSnapshotMember);
  tree.manager.SetSnapshot(std::make_shared<TTexture>(nullptr));
  tree.root->Invalidate();
  tree.manager.Frame();
  // The root copies the snapshot in 2D drawing ("Begin2d", "End2d").
  EXPECT_EQ(Drawing(tree), (Calls{"PushRenderTarget", "Begin2d", "End2d", "Draw a", "PopRenderTarget", "BeginDraw 0",
                                  "Begin2d", "End2d", "Draw a1", "Draw a2", "Draw b", "Draw b1", "Draw field",
                                  "EndDraw 1"}))
      << "a shows in the snapshot, which the root shows; the rest of the root's tree is drawn over it";
  EXPECT_TRUE(tree.a->GetFlags() & kWindowInSnapshot);
  tree.platform.journal.Clear();
  tree.manager.Frame();
  EXPECT_FALSE(tree.a->GetFlags() & kWindowInSnapshot) << "every frame starts without snapshot marks";
  EXPECT_TRUE(tree.Calls().empty());

  tree.platform.renderTarget = false;
  tree.field->Invalidate();
  tree.manager.Frame();
  EXPECT_EQ(Drawing(tree), (Calls{"PushRenderTarget", "BeginDraw 1", "Begin2d", "End2d", "Draw field", "EndDraw 1"}));
  tree.platform.journal.Clear();
  tree.manager.HandleEvent(TEvent{.type = kEventDisplayChanged});
  EXPECT_EQ(tree.manager.GetSnapshot(), nullptr) << "a new display drops the snapshot";
}

TEST(WindowFrames, AFailedBeginDrawStillEndsTheFullRedraw) {
  WindowTree tree;
  tree.root->Invalidate();
  ASSERT_TRUE(tree.manager.IsFullRedrawRequested());
  tree.platform.beginDraw = false;
  tree.manager.Frame();
  EXPECT_FALSE(tree.manager.IsFullRedrawRequested());
  EXPECT_EQ(Drawing(tree), Calls{"BeginDraw 0"});
}

}  // namespace
