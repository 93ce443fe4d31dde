// Invalidation: the dirty areas of a window and its ancestors, the manager's
// dirty set and full-redraw request; and the propagation of dirty areas down
// to the children before a frame is drawn.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/windows/core/WindowTree.h"

namespace {

using Rects = std::vector<TRect>;

TEST(WindowInvalidation, ClimbsToTheAncestorsUnlessAFlagOrAnEmptyEdgeStopsIt) {
  struct Case {
    const char* what;
    std::optional<TRect> rect;  // on a1; none: the whole window
    uint32_t a1Flags, aFlags;
    Rects a1Dirty, aDirty, rootDirty;
  };
  const Case cases[] = {
      {"a rectangle", TRect(0, 0, 10, 10), 0, 0, {TRect(0, 0, 10, 10)}, {TRect(10, 10, 20, 20)},
       {TRect(110, 110, 120, 120)}},
      {"the whole window", std::nullopt, 0, 0, {TRect(0, 0, 50, 50)}, {TRect(10, 10, 60, 60)},
       {TRect(110, 110, 160, 160)}},
      {"no upward invalidation", TRect(0, 0, 10, 10), kWindowNoUpwardInvalidation, 0, {TRect(0, 0, 10, 10)}, {}, {}},
      {"a parent that keeps it", TRect(0, 0, 10, 10), 0, kWindowNoUpwardInvalidation, {TRect(0, 0, 10, 10)},
       {TRect(10, 10, 20, 20)}, {}},
      {"a parent in the snapshot goes to the root on screen", TRect(0, 0, 10, 10), 0,
       kWindowNoUpwardInvalidation | kWindowInSnapshot, {TRect(0, 0, 10, 10)}, {TRect(10, 10, 20, 20)},
       {TRect(110, 110, 120, 120)}},
      {"right edge 0", TRect(-5, 0, 0, 10), 0, 0, {}, {}, {}},
      {"bottom edge 0", TRect(0, -5, 10, 0), 0, 0, {}, {}, {}},
  };
  for (const Case& c : cases) {
    WindowTree tree;
    tree.a1->AddFlags(c.a1Flags);
    tree.a->AddFlags(c.aFlags);
    if (c.rect) {
      tree.a1->Invalidate(&*c.rect);
    } else {
      tree.a1->Invalidate();
    }
    EXPECT_EQ(tree.a1->GetDirtyRects(), c.a1Dirty) << c.what;
    EXPECT_EQ(tree.a->GetDirtyRects(), c.aDirty) << c.what;
    EXPECT_EQ(tree.root->GetDirtyRects(), c.rootDirty) << c.what;
    for (TWindow* window : {static_cast<TWindow*>(tree.a1), static_cast<TWindow*>(tree.a), static_cast<TWindow*>(tree.root)}) {
      bool dirty = !window->GetDirtyRects().empty();
      EXPECT_EQ(tree.manager.IsDirty(window), dirty) << c.what << ": " << window->GetName().CStr();
      EXPECT_EQ((window->GetFlags() & kWindowNeedsDrawing) != 0, dirty) << c.what << ": " << window->GetName().CStr();
    }
    EXPECT_FALSE(tree.manager.IsFullRedrawRequested()) << c.what;
  }
}

TEST(WindowInvalidation, OnlyTheWholeRootAsksForAFullRedrawAndOnlyWhenTheOptionAllows) {
  struct Case {
    const char* what;
    bool whole;
    bool option;
    bool fullRedraw;
  };
  const Case cases[] = {
      {"the whole root", true, true, true},
      {"the root's area as a rectangle", false, true, false},
      {"the whole root with full redraws off", true, false, false},
  };
  for (const Case& c : cases) {
    WindowTree tree;
    tree.manager.SetOption(c.option);
    TRect area(0, 0, 800, 600);
    tree.root->Invalidate(c.whole ? nullptr : &area);
    EXPECT_EQ(tree.root->GetDirtyRects(), Rects{area}) << c.what;
    EXPECT_EQ(tree.manager.IsFullRedrawRequested(), c.fullRedraw) << c.what;
  }
}

TEST(WindowInvalidation, TheSameRectangleTwiceKeepsOneAndAnotherLeavesTheirUnion) {
  WindowTree tree;
  TRect first(0, 0, 10, 10);
  TRect second(20, 5, 30, 40);
  tree.a1->Invalidate(&first);
  tree.a1->Invalidate(&first);
  EXPECT_EQ(tree.a1->GetDirtyRects(), Rects{first});
  tree.a1->Invalidate(&second);
  EXPECT_EQ(tree.a1->GetDirtyRects(), Rects{TRect(0, 0, 30, 40)});
  EXPECT_EQ(tree.a->GetDirtyRects(), Rects{TRect(10, 10, 40, 50)});
}

// Always drawn whole, as a text is: any part of it that is dirtied grows to
// the whole window.
class EnlargingWindow : public RecordingWindow {
 public:
  using RecordingWindow::RecordingWindow;
  bool InvalidateRect(TRect* rect) override {
    if (rect) *rect = GetClientRect();
    return TWindow::InvalidateRect(rect);
  }
};

EnlargingWindow* AddEnlargingChild(TWindow& parent, const std::string& name, const TRect& rect) {
  std::unique_ptr<TWindow> child = std::make_unique<EnlargingWindow>(name, rect);
  auto* added = static_cast<EnlargingWindow*>(child.get());
  parent.AddChild(child, false);
  return added;
}

bool NeedsDrawing(const TWindow* window) { return (window->GetFlags() & kWindowNeedsDrawing) != 0; }

TEST(DirtyPropagation, AWholeDirtyWindowDirtiesItsWholeSubtree) {
  WindowTree tree;
  tree.a->Invalidate();
  tree.manager.PropagateDirty();
  EXPECT_EQ(tree.a1->GetDirtyRects(), Rects{TRect(0, 0, 50, 50)});
  EXPECT_EQ(tree.a2->GetDirtyRects(), Rects{TRect(0, 0, 80, 50)});
  EXPECT_TRUE(NeedsDrawing(tree.a1) && NeedsDrawing(tree.a2));
  EXPECT_EQ(tree.b1->GetDirtyRects(), Rects{TRect(0, 0, 100, 100)}) << "b1 lies under a's corner";
}

TEST(DirtyPropagation, APartlyDirtyWindowDirtiesTheChildrenUnderTheAreaOverTheirPart) {
  WindowTree tree;
  TRect area(0, 0, 30, 30);
  tree.a->Invalidate(&area);
  tree.manager.PropagateDirty();
  EXPECT_EQ(tree.a1->GetDirtyRects(), Rects{TRect(0, 0, 20, 20)});
  EXPECT_TRUE(NeedsDrawing(tree.a1));
  EXPECT_FALSE(NeedsDrawing(tree.a2));
  EXPECT_FALSE(NeedsDrawing(tree.b));
  EXPECT_FALSE(tree.manager.IsDirty(tree.a1)) << "the dirty set is empty after propagation";
}

TEST(DirtyPropagation, AChildThatEnlargesItsPartIsRedrawnWholeAndSoIsTheSiblingUnderIt) {
  WindowTree tree;
  TWindow* parent = AddRecordingChild(*tree.root, "parent", TRect(0, 0, 400, 400));
  EnlargingWindow* text = AddEnlargingChild(*parent, "text", TRect(100, 100, 300, 300));
  RecordingWindow* sibling = AddRecordingChild(*parent, "sibling", TRect(250, 250, 350, 350));
  tree.Settle();
  TRect area(90, 90, 150, 150);
  parent->Invalidate(&area);
  tree.manager.PropagateDirty();
  EXPECT_EQ(text->GetDirtyRects(), Rects{TRect(0, 0, 200, 200)});
  EXPECT_TRUE(NeedsDrawing(sibling)) << "under the enlarged area, outside the first one";
  EXPECT_EQ(parent->GetDirtyRects(), Rects{TRect(0, 0, 400, 400)}) << "the parent is redrawn whole";
}

// Dirties whole rows, as a text redraws whole lines: a second, different area
// grows in place and so climbs to the ancestors.
class RowWindow : public RecordingWindow {
 public:
  using RecordingWindow::RecordingWindow;
  bool InvalidateRect(TRect* rect) override {
    if (rect) *rect = TRect(0, rect->top, GetWidth(), rect->bottom);
    return TWindow::InvalidateRect(rect);
  }
};

// Dirties the window without telling its ancestors, as happens to a window
// dirtied while it kept its invalidations.
void InvalidateAlone(TWindow& window, const TRect& area) {
  window.AddFlags(kWindowNoUpwardInvalidation);
  window.Invalidate(&area);
  window.ClearFlags(kWindowNoUpwardInvalidation);
}

// An area that a window enlarges during propagation climbs to the ancestors;
// an ancestor propagated before that must push its grown area down again,
// whatever the order in which the windows were invalidated.
TEST(DirtyPropagation, AnAncestorThatGrowsAfterItsPropagationIsPropagatedAgain) {
  for (bool rootFirst : {true, false}) {
    WindowTree tree;
    TWindow* holder = AddRecordingChild(*tree.root, "holder", TRect(0, 0, 400, 400));
    std::unique_ptr<TWindow> rows = std::make_unique<RowWindow>("rows", TRect(100, 100, 300, 300));
    TWindow* text = rows.get();
    holder->AddChild(rows, false);
    RecordingWindow* front = AddRecordingChild(*tree.root, "front", TRect(250, 100, 500, 500));
    tree.Settle();
    TRect far(700, 500, 750, 550);
    if (rootFirst) tree.root->Invalidate(&far);
    InvalidateAlone(*text, TRect(0, 0, 200, 10));
    InvalidateAlone(*holder, TRect(90, 90, 150, 150));
    if (!rootFirst) tree.root->Invalidate(&far);
    tree.manager.PropagateDirty();
    EXPECT_EQ(text->GetDirtyRects(), Rects{TRect(0, 0, 200, 200)}) << "root first: " << rootFirst;
    EXPECT_EQ(tree.root->GetDirtyRects(), Rects{TRect(100, 100, 750, 550)}) << "root first: " << rootFirst;
    EXPECT_EQ(front->GetDirtyRects(), Rects{TRect(0, 0, 250, 400)}) << "root first: " << rootFirst;
  }
}

TEST(DirtyPropagation, AFrameDrawsTheRedrawnChildrenAfterTheirParent) {
  WindowTree tree;
  TRect area(0, 0, 30, 30);
  tree.a->Invalidate(&area);
  tree.manager.Frame();
  std::vector<std::string> draws;
  for (const std::string& call : tree.Calls()) {
    if (call.rfind("Draw ", 0) == 0) draws.push_back(call);
  }
  EXPECT_EQ(draws, (std::vector<std::string>{"Draw a", "Draw a1"}));
}

}  // namespace
