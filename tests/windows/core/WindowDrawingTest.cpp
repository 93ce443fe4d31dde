// Drawing the window tree: the order of Draw calls, the viewports around each
// window, and the snapshot modes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/windows/core/WindowTree.h"
#include "windows/kinds/TModalWindow.h"

namespace {

using Calls = std::vector<std::string>;

TEST(WindowDrawing, DrawsBackToFrontInsideEachWindowsViewportLeavingOutHiddenAndModalChildren) {
  WindowTree tree;
  std::unique_ptr<TWindow> modal = std::make_unique<TModalWindow>();
  modal->SetSize(50, 50);
  tree.a->AddChild(modal, false);
  tree.Settle();
  tree.root->Invalidate();
  tree.manager.Frame();
  EXPECT_EQ(tree.Calls(), (Calls{"BeginDraw 0",
                                 "PushViewport 0 0 800 600",
                                 "PushViewport 100 100 400 300",
                                 "Draw a",
                                 "PushViewport 110 110 160 160",
                                 "Draw a1",
                                 "PopViewport",
                                 "PushViewport 170 170 250 220",
                                 "Draw a2",
                                 "PopViewport",
                                 "PopViewport",
                                 "PushViewport 300 200 600 500",
                                 "Draw b",
                                 "PushViewport 300 200 400 300",
                                 "Draw b1",
                                 "PopViewport",
                                 "PopViewport",
                                 "PopViewport",
                                 "EndDraw 1"}));
}

TEST(WindowDrawing, AWindowIsDrawnOnlyWhenItNeedsDrawingAndItsViewportIsCutToItsParents) {
  WindowTree tree;
  RecordingWindow* overhang = AddRecordingChild(*tree.b, "overhang", TRect(250, 250, 400, 400), &tree.platform.journal);
  tree.Settle();
  overhang->Invalidate();
  tree.manager.PropagateDirty();
  EXPECT_TRUE(tree.b->DrawTree());
  EXPECT_EQ(tree.Calls(), (Calls{"PushViewport 300 200 600 500", "Draw b", "PushViewport 300 200 400 300",
                                 "PopViewport", "PushViewport 550 450 600 500", "Draw overhang", "PopViewport",
                                 "PopViewport"}))
      << "b1, outside the dirty area, is not drawn; the overhang is cut to b's viewport";
  EXPECT_TRUE(overhang->GetDirtyRects().empty());
  EXPECT_FALSE(overhang->GetFlags() & kWindowNeedsDrawing);
  EXPECT_FALSE(tree.hidden->DrawTree()) << "a hidden window is not drawn";
}

TEST(WindowDrawing, TheSnapshotPassDrawsTheSnapshotMembersFromTheRootDownAndMarksThem) {
  WindowTree tree;
  tree.a->AddFlags(kWindowSnapshotMember);
  tree.a1->AddFlags(kWindowSnapshotMember);
  tree.b1->AddFlags(kWindowSnapshotMember);  // its parent b is no member
  tree.root->Invalidate();
  tree.manager.PropagateDirty();
  EXPECT_TRUE(tree.root->DrawTree(kDrawSnapshot)) << "the root, which has no parent, starts the snapshot";
  EXPECT_EQ(tree.Calls(), (Calls{"PushViewport 0 0 800 600", "PushViewport 100 100 400 300", "Draw a",
                                 "PushViewport 110 110 160 160", "Draw a1", "PopViewport", "PopViewport",
                                 "PopViewport"}));
  for (TWindow* window : {static_cast<TWindow*>(tree.root), static_cast<TWindow*>(tree.a), static_cast<TWindow*>(tree.a1)}) {
    EXPECT_TRUE(window->GetFlags() & kWindowInSnapshot) << window->GetName().CStr();
  }
  for (TWindow* window : {tree.a2, tree.b, tree.b1}) {
    EXPECT_FALSE(window->GetFlags() & kWindowInSnapshot) << window->GetName().CStr();
  }
  tree.platform.journal.Clear();
  EXPECT_FALSE(tree.root->DrawTree(kDrawOverSnapshot)) << "what went into the snapshot is not drawn over it";
  EXPECT_TRUE(tree.b->DrawTree(kDrawOverSnapshot));
  EXPECT_EQ(tree.Calls(), (Calls{"PushViewport 300 200 600 500", "Draw b", "PushViewport 300 200 400 300",
                                 "Draw b1", "PopViewport", "PopViewport"}));
}

}  // namespace
