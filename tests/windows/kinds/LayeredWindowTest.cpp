// Layered windows: which children belong to which layer, and which show.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "tests/windows/core/WindowTree.h"
#include "windows/kinds/TLayeredWindow.h"

namespace {

using Layer = std::vector<TWindow*>;

class LayeredWindowTest : public testing::Test {
 protected:
  LayeredWindowTest() {
    auto window = std::make_unique<TLayeredWindow>(3);
    layered = window.get();
    std::unique_ptr<TWindow> child = std::move(window);
    tree.root->AddChild(child, false);
    layered->SetPosition(10, 10);
    tree.Settle();
  }

  TWindow* Add(const char* name) {
    return AddRecordingChild(*layered, name, TRect(0, 0, 20, 20), &tree.platform.journal);
  }

  std::vector<bool> Shown(const Layer& windows) const {
    std::vector<bool> shown;
    for (const TWindow* window : windows) shown.push_back(window->IsVisible());
    return shown;
  }

  WindowTree tree;
  TLayeredWindow* layered = nullptr;
};

TEST_F(LayeredWindowTest, ChildrenJoinTheCurrentLayerAndSetLayerShowsOnlyThatLayer) {
  TWindow* first = Add("first");
  layered->SetLayer(1);
  TWindow* second = Add("second");
  layered->SetLayer(2);
  TWindow* third = Add("third");
  EXPECT_EQ(layered->GetLayerChildren(0), Layer{first});
  EXPECT_EQ(layered->GetLayerChildren(1), Layer{second});
  EXPECT_EQ(layered->GetLayerChildren(2), Layer{third});
  layered->SetLayer(1);
  EXPECT_EQ(Shown({first, second, third}), (std::vector<bool>{false, true, false}));
  layered->SetLayer(TLayeredWindow::kAllLayers);
  EXPECT_EQ(Shown({first, second, third}), (std::vector<bool>{true, false, false}))
      << "all layers current shows layer 0";
}

TEST_F(LayeredWindowTest, AChildAddedWhileAllLayersAreCurrentShowsInEveryLayer) {
  layered->SetLayer(TLayeredWindow::kAllLayers);
  TWindow* frame = Add("frame");
  for (uint32_t layer : {0u, 1u, 2u}) {
    EXPECT_EQ(layered->GetLayerChildren(static_cast<int32_t>(layer)), Layer{frame});
    layered->SetLayer(layer);
    EXPECT_TRUE(frame->IsVisible()) << "layer " << layer;
  }
}

TEST_F(LayeredWindowTest, ARemovedChildLeavesEveryLayer) {
  layered->SetLayer(TLayeredWindow::kAllLayers);
  TWindow* frame = Add("frame");
  layered->SetLayer(1);
  TWindow* other = Add("other");
  std::unique_ptr<TWindow> removed = layered->RemoveChild(frame);
  EXPECT_EQ(removed.get(), frame);
  EXPECT_EQ(layered->GetLayerChildren(0), Layer{});
  EXPECT_EQ(layered->GetLayerChildren(1), Layer{other});
  EXPECT_EQ(layered->GetLayerChildren(2), Layer{});
  layered->SetLayer(0);
  EXPECT_FALSE(other->IsVisible());
}

TEST_F(LayeredWindowTest, SettingTheCurrentLayerOrOneOutsideTheLayersDoesNothing) {
  TWindow* first = Add("first");
  tree.Settle();
  layered->SetLayer(0);
  EXPECT_TRUE(layered->GetDirtyRects().empty()) << "the current layer does not invalidate";
  layered->SetLayer(3);
  EXPECT_EQ(layered->GetLayer(), 0u);
  EXPECT_TRUE(first->IsVisible());
  EXPECT_TRUE(layered->GetDirtyRects().empty());
  layered->SetLayer(1);
  EXPECT_FALSE(layered->GetDirtyRects().empty());
}

TEST(LayeredWindow, TheClass) {
  TLayeredWindow layered(2);
  EXPECT_TRUE(layered.IsKindOf(TLayeredWindow::ClassId()));
  EXPECT_TRUE(layered.IsKindOf(TWindow::ClassId()));
  EXPECT_EQ(layered.GetLayerCount(), 2);
  EXPECT_EQ(layered.GetLayer(), 0u);
}

}  // namespace
