// The window tree: linking and unlinking children, hit testing, names,
// coordinates, walks over the children and deletion.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/windows/core/WindowTree.h"
#include "windows/kinds/TModalWindow.h"
#include "windows/core/TWindowSpider.h"

namespace {

std::string NameOf(const WindowTree& tree, const TWindow* window) {
  if (!window) return "none";
  if (window == tree.root) return "root";
  return window->GetName().CStr();
}

TEST(WindowTree, APointFindsTheDeepestVisibleWindowFrontFirstWithEdgesIncluded) {
  struct Case {
    float x, y;
    int32_t depth;
    const char* window;
    float localX, localY;
  };
  const Case cases[] = {
      {50, 50, -1, "root", 50, 50},       // nothing but the root; the hidden window covers it
      {100, 100, -1, "a", 0, 0},          // the top-left corner of a
      {160, 160, -1, "a1", 50, 50},       // the bottom-right corner of a1
      {400, 300, -1, "b1", 100, 100},     // a's corner, but b lies in front and b1's corner is there
      {350, 250, -1, "b1", 50, 50},       // a and b overlap: b was added later
      {175, 175, -1, "a2", 5, 5},         // a2 lies in front of a1
      {601, 300, -1, "root", 601, 300},   // one past b's right edge
      {110, 110, 1, "a", 10, 10},         // one level down at most
      {110, 110, 0, "root", 110, 110},    // no level down
      {110, 110, 2, "a1", 0, 0},
  };
  WindowTree tree;
  for (const Case& c : cases) {
    TVec2 point(c.x, c.y);
    TWindow* found = tree.root->FindWindowAt(point, c.depth);
    EXPECT_EQ(NameOf(tree, found), c.window) << c.x << "," << c.y << " depth " << c.depth;
    EXPECT_EQ(point.x, c.localX) << c.x << "," << c.y;
    EXPECT_EQ(point.y, c.localY) << c.x << "," << c.y;
  }
  EXPECT_EQ(tree.root->ChildAt(TVec2(700, 550)), tree.root) << "a hidden child is never hit";
}

TEST(WindowTree, FindChildComparesNamesExactlyFrontFirstWithinTheDepth) {
  struct Case {
    const char* name;
    int32_t depth;
    const char* window;
  };
  const Case cases[] = {
      {"", 0, "root"},        // depth 0 compares the window's own name only
      {"a", 0, "none"},       {"a", 1, "a"},  {"a1", 1, "none"}, {"a1", 2, "a1"}, {"a1", -1, "a1"},
      {"twin", -1, "b1"},     // b lies in front of a, so b's twin is met first
      {"h1", -1, "h1"},       // names are found in hidden windows too
      {"A1", -1, "none"},     // case matters
      {"nowhere", -1, "none"},
  };
  WindowTree tree;
  for (TWindow* twin : {tree.a2, tree.b1}) twin->SetName("twin");
  for (const Case& c : cases) {
    TWindow* found = tree.root->FindChild(c.name, c.depth);
    std::string name = found == tree.a2 ? "a2" : found == tree.b1 ? "b1" : NameOf(tree, found);
    EXPECT_EQ(name, c.window) << c.name << " depth " << c.depth;
  }
}

TEST(WindowTree, AChildIsLinkedInFrontAndGrowsItsParentsRightAndBottomAsStored) {
  FakePlatform platform;
  TWindow parent;
  parent.SetPosition(50, 50);
  parent.SetSize(100, 100);
  AddRecordingChild(parent, "inside", TRect(0, 0, 40, 40));
  EXPECT_EQ(parent.GetRect(), TRect(50, 50, 150, 150));
  RecordingWindow* wide = AddRecordingChild(parent, "wide", TRect(20, 20, 180, 90));
  // The child's right edge (in the parent's coordinates) against the parent's
  // (in its own parent's): 180 > 150.
  EXPECT_EQ(parent.GetRect(), TRect(50, 50, 180, 150));
  EXPECT_EQ(parent.GetChildren().front(), wide);
  EXPECT_EQ(wide->GetParent(), &parent);
}

class FailingInit : public TWindow {
 public:
  bool Init() override {
    ++inits;
    return false;
  }
  int inits = 0;
};

TEST(WindowTree, AChildWhoseInitFailsIsUnlinkedAndStaysWithTheCaller) {
  FakePlatform platform;
  TWindow parent;
  auto failing = std::make_unique<FailingInit>();
  FailingInit* raw = failing.get();
  std::unique_ptr<TWindow> child = std::move(failing);
  EXPECT_FALSE(parent.AddChild(child, true));
  ASSERT_EQ(child.get(), raw) << "handed back to the caller";
  EXPECT_EQ(raw->inits, 1);
  EXPECT_EQ(raw->GetParent(), nullptr);
  EXPECT_TRUE(parent.GetChildren().empty());
  EXPECT_TRUE(parent.AddChild(child, false)) << "without Init nothing can fail";
  EXPECT_EQ(child, nullptr);
  EXPECT_EQ(raw->inits, 1);
}

TEST(WindowTree, RemoveChildDirtiesTheParentWhereTheChildWasAndHandsItBack) {
  WindowTree tree;
  std::unique_ptr<TWindow> removed = tree.a->RemoveChild(tree.a1);
  ASSERT_EQ(removed.get(), tree.a1);
  EXPECT_EQ(tree.a1->GetParent(), nullptr);
  EXPECT_FALSE(tree.a->HasChild(tree.a1));
  EXPECT_EQ(tree.a->GetDirtyRects(), std::vector<TRect>{TRect(10, 10, 60, 60)});
  EXPECT_EQ(tree.root->GetDirtyRects(), std::vector<TRect>{TRect(110, 110, 160, 160)});
  EXPECT_EQ(tree.b->RemoveChild(tree.a2), nullptr) << "not a child of b";
  EXPECT_EQ(tree.a2->GetParent(), tree.a) << "a stays its parent";
}

TEST(WindowTree, CoordinatesConvertThroughEveryAncestor) {
  WindowTree tree;
  EXPECT_EQ(tree.a2->GetScreenRect(), TRect(170, 170, 250, 220));
  EXPECT_EQ(tree.a2->GetClientRect(), TRect(0, 0, 80, 50));
  TVec2 local = tree.a2->ScreenToLocal(TVec2(175, 180));
  EXPECT_EQ(local.x, 5);
  EXPECT_EQ(local.y, 10);
  TVec2 screen = tree.a2->LocalToScreen(local);
  EXPECT_EQ(screen.x, 175);
  EXPECT_EQ(screen.y, 180);
  TVec2 inParent = tree.a2->LocalToParent(TVec2(1, 2));
  EXPECT_EQ(inParent.x, 71);
  EXPECT_EQ(inParent.y, 72);
  EXPECT_EQ(tree.a2->RectToParent(TRect(0, 0, 10, 10)), TRect(70, 70, 80, 80));
  EXPECT_EQ(tree.a2->LocalToScreen(TRect(0, 0, 10, 10)), TRect(170, 170, 180, 180));
}

TEST(WindowTree, SetPositionDirtiesTheOldAndTheNewPlace) {
  WindowTree tree;
  tree.a1->SetPosition(200, 100);
  EXPECT_EQ(tree.a1->GetRect(), TRect(200, 100, 250, 150));
  EXPECT_EQ(tree.a->GetDirtyRects(), std::vector<TRect>{TRect(10, 10, 250, 150)});
  EXPECT_EQ(tree.a1->GetDirtyRects(), std::vector<TRect>{TRect(0, 0, 50, 50)});
}

TEST(WindowTree, SetSizeDropsThePendingDirtyAreaAndDirtiesTheWholeNewArea) {
  WindowTree tree;
  TRect corner(0, 0, 5, 5);
  tree.a1->Invalidate(&corner);
  tree.a1->SetSize(20, 30);
  EXPECT_EQ(tree.a1->GetRect(), TRect(10, 10, 30, 40));
  EXPECT_EQ(tree.a1->GetDirtyRects(), std::vector<TRect>{TRect(0, 0, 20, 30)});
  EXPECT_EQ(tree.a->GetDirtyRects(), std::vector<TRect>{TRect(10, 10, 60, 60)}) << "the old place";
}

// Unlinks (and deletes at once) a child other than the one visited.
class UnlinkOther : public TWindowSpider {
 public:
  UnlinkOther(TWindow& parent, TWindow* other) : mParent(parent), mOther(other) {}
  bool Visit(TWindow& child) override {
    visited.push_back(child.GetName().CStr());
    if (mOther) mParent.RemoveChild(std::exchange(mOther, nullptr));
    return true;
  }
  std::vector<std::string> visited;

 private:
  TWindow& mParent;
  TWindow* mOther;
};

TEST(WindowTree, AWalkOverTheChildrenSkipsThoseThatAVisitUnlinked) {
  WindowTree tree;
  AddRecordingChild(*tree.a, "a3", TRect(0, 0, 5, 5));
  UnlinkOther forwards(*tree.a, tree.a2);
  tree.a->ForEachChild(forwards);
  EXPECT_EQ(forwards.visited, (std::vector<std::string>{"a3", "a1"})) << "a2, unlinked and deleted, is skipped";
  UnlinkOther backwards(*tree.a, nullptr);
  tree.a->ForEachChild(backwards, true);
  EXPECT_EQ(backwards.visited, (std::vector<std::string>{"a1", "a3"}));
}

class StopAtSecond : public TWindowSpider {
 public:
  bool Visit(TWindow&) override { return ++visits < 2; }
  int visits = 0;
};

TEST(WindowTree, AWalkStopsWhenAVisitSaysSo) {
  WindowTree tree;
  StopAtSecond spider;
  tree.root->ForEachChild(spider);
  EXPECT_EQ(spider.visits, 2);
}

TEST(WindowTree, ClearFlagsKeepsTheMaskOverChildrenAndWithRecursionTheirDescendants) {
  WindowTree tree;
  for (TWindow* window : {tree.a, tree.a1, tree.b}) window->AddFlags(kWindowInSnapshot);
  TWindowClearFlags flat(~kWindowInSnapshot, false);
  tree.root->ForEachChild(flat);
  EXPECT_FALSE(tree.a->GetFlags() & kWindowInSnapshot);
  EXPECT_TRUE(tree.a1->GetFlags() & kWindowInSnapshot);
  TWindowClearFlags deep(~kWindowInSnapshot, true);
  tree.root->ForEachChild(deep);
  EXPECT_FALSE(tree.a1->GetFlags() & kWindowInSnapshot);
  EXPECT_TRUE(tree.a1->GetFlags() & kWindowVisible);
}

TEST(WindowTree, DeleteChildrenQueuesTheChildrenAndTheNextEventDeletesThem) {
  WindowTree tree;
  tree.manager.SetFocus(tree.a1);
  tree.manager.SetCapture(tree.a2);
  tree.manager.SetCapture(tree.b1);
  tree.a->DeleteChildren();
  EXPECT_TRUE(tree.a->GetChildren().empty());
  EXPECT_EQ(tree.a1->GetParent(), nullptr) << "unlinked, still alive";
  EXPECT_EQ(tree.manager.GetCaptures(), std::vector<TWindow*>{tree.b1}) << "a queued window holds no capture";
  tree.manager.DeletePending();
  EXPECT_EQ(tree.manager.GetFocus(), nullptr) << "the focus window went";
  EXPECT_TRUE(tree.manager.IsDirty(tree.root)) << "the top layer is redrawn whole";
  EXPECT_EQ(tree.root->GetDirtyRects(), std::vector<TRect>{TRect(0, 0, 800, 600)});
}

// Counts the calls that tell it to release what it holds for being shown.
class ReleaseCountingWindow : public TWindow {
 public:
  void ReleaseBeforeDeletion() override { ++releases; }
  int releases = 0;
};

ReleaseCountingWindow* AddReleaseCountingChild(TWindow& parent) {
  auto window = std::make_unique<ReleaseCountingWindow>();
  ReleaseCountingWindow* counting = window.get();
  std::unique_ptr<TWindow> child = std::move(window);
  parent.AddChild(child, false);
  return counting;
}

TEST(WindowTree, WindowsQueuedForDeletionReleaseAtOnceDescendantsIncluded) {
  WindowTree tree;
  ReleaseCountingWindow* child = AddReleaseCountingChild(*tree.a);
  ReleaseCountingWindow* grandchild = AddReleaseCountingChild(*tree.a1);
  ReleaseCountingWindow* elsewhere = AddReleaseCountingChild(*tree.b);
  tree.a->DeleteChildren();
  EXPECT_EQ(child->releases, 1);
  EXPECT_EQ(grandchild->releases, 1) << "below a queued window";
  EXPECT_EQ(elsewhere->releases, 0) << "a window that stays";
  tree.manager.DeletePending();
  EXPECT_EQ(elsewhere->releases, 0);
}

TEST(WindowTree, APoppedLayerReleasesAtOnce) {
  WindowTree tree;
  tree.manager.PushModal(std::make_unique<TModalWindow>());
  ReleaseCountingWindow* inside = AddReleaseCountingChild(*tree.manager.GetTopModal());
  tree.manager.PopModal();
  EXPECT_EQ(inside->releases, 1);
  tree.manager.DeletePending();
}

TEST(WindowTree, AWindowThatGoesLeavesNoTraceInTheManager) {
  WindowTree tree;
  tree.manager.SetFocus(tree.b1);
  tree.manager.SetCapture(tree.b);
  tree.manager.SetCapture(tree.b1);
  tree.b1->Invalidate();
  std::unique_ptr<TWindow> b = tree.root->RemoveChild(tree.b);
  b.reset();  // b1 goes with its parent, still linked to it
  EXPECT_EQ(tree.manager.GetFocus(), nullptr);
  EXPECT_TRUE(tree.manager.GetCaptures().empty());
  tree.manager.PropagateDirty();  // would reach b1 if the dirty set still held it
  EXPECT_EQ(tree.root->GetDirtyRects(), std::vector<TRect>{TRect(300, 200, 600, 500)});
}

}  // namespace
