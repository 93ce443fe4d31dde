// The graphics registry: the order of its fetch queue, fetching one action
// at a time, what each kind of action makes of the pictures, lookups by
// name, the rule that a name known before loading stops the preload, and
// preparing every pending graphic inside 2D drawing.
#include "game/gui/effects/TGraphicRegistry.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "game/gui/effects/TAnimGraphic.h"
#include "game/gui/effects/TStaticGraphic.h"
#include "tests/game/gui/effects/GraphicPixelRig.h"
#include "tests/game/gui/effects/ProbeGraphic.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/TempFolder.h"

namespace GUI {
namespace {

// A queued action of a given cost that notes, by name, that it ran.
class NotingFetch final : public TFetchAction {
 public:
  NotingFetch(TGraphicRegistry& registry, const std::string& name, uint32_t cost, std::vector<std::string>& fetched)
      : TFetchAction(registry, name.c_str()), mCost(cost), mFetched(fetched) {}
  void Fetch() override { mFetched.push_back(GetName().CStr()); }
  uint32_t GetCost() const override { return mCost; }

 private:
  uint32_t mCost;
  std::vector<std::string>& mFetched;
};

std::vector<std::string> QueuedNames(const TGraphicRegistry& registry) {
  std::vector<std::string> names;
  for (const auto& action : registry.GetFetchQueue()) names.emplace_back(action->GetName().CStr());
  return names;
}

struct FetchOrderCase {
  const char* name;
  // Queued in this order, each with its cost: the name's last character.
  std::vector<std::string> queued;
  std::vector<std::string> ordered;
};

class FetchOrder : public testing::TestWithParam<FetchOrderCase> {};

TEST_P(FetchOrder, SingleImagesAndCostlierActionsTakeTurnsEachInItsOwnOrder) {
  TGraphicRegistry registry;
  std::vector<std::string> fetched;
  for (const std::string& name : GetParam().queued) {
    registry.AddFetch(std::make_unique<NotingFetch>(registry, name, static_cast<uint32_t>(name.back() - '0'), fetched));
  }
  registry.OrderFetches();
  EXPECT_EQ(QueuedNames(registry), GetParam().ordered);
  EXPECT_TRUE(fetched.empty()) << "ordering fetches nothing";
}

INSTANTIATE_TEST_SUITE_P(
    Queues, FetchOrder,
    testing::Values(FetchOrderCase{"Empty", {}, {}},
                    FetchOrderCase{"SingleImagesOnly", {"c1", "a1", "b1"}, {"c1", "a1", "b1"}},
                    FetchOrderCase{"CostlierOnly", {"c3", "a2", "b5"}, {"c3", "a2", "b5"}},
                    FetchOrderCase{"MoreSingleImages", {"a1", "b1", "c1", "x3", "y2"}, {"a1", "x3", "b1", "y2", "c1"}},
                    FetchOrderCase{"MoreCostlier", {"x3", "a1", "y2", "z4", "w2", "b1"},
                                   {"a1", "x3", "b1", "y2", "z4", "w2"}},
                    FetchOrderCase{"CostZeroIsNoSingleImage", {"z0", "a1"}, {"a1", "z0"}}),
    [](const testing::TestParamInfo<FetchOrderCase>& info) { return std::string(info.param.name); });

TEST(GraphicRegistryFetchNext, RunsTheHeadOnceAndReportsWhenTheQueueIsEmpty) {
  TGraphicRegistry registry;
  std::vector<std::string> fetched;
  EXPECT_TRUE(registry.FetchNext()) << "an empty queue";
  EXPECT_TRUE(fetched.empty());
  registry.AddFetch(std::make_unique<NotingFetch>(registry, "first", 1, fetched));
  registry.AddFetch(std::make_unique<NotingFetch>(registry, "last", 4, fetched));
  EXPECT_FALSE(registry.FetchNext());
  EXPECT_EQ(fetched, std::vector<std::string>{"first"});
  EXPECT_TRUE(registry.FetchNext()) << "the last action";
  EXPECT_EQ(fetched, (std::vector<std::string>{"first", "last"}));
  EXPECT_TRUE(registry.FetchNext());
  EXPECT_EQ(fetched.size(), 2u) << "nothing runs twice";
}

class GraphicRegistryTest : public testing::Test {
 protected:
  GraphicRegistryTest() { SetLogFolder(mLogs.Path().c_str()); }
  std::string LogText() const { return ReadWholeFile(GetLogPath().CStr()); }

  FakePlatform platform;
  TGraphicRegistry registry;

 private:
  TempFolder mLogs;
};

// The 47 single images and 31 costlier actions take turns for 62 actions;
// the 16 single images left over follow. Which names the list holds, in
// which order, the data folder's tests check against the pictures.
TEST_F(GraphicRegistryTest, PreloadQueuesSeventyEightActionsTakingTurnsByCost) {
  ASSERT_EQ(registry.Preload(), 78u);
  const auto& queue = registry.GetFetchQueue();
  ASSERT_EQ(queue.size(), 78u);
  for (size_t i = 0; i < queue.size(); ++i) {
    const bool single = queue[i]->GetCost() == 1;
    EXPECT_EQ(single, i >= 62 || i % 2 == 0) << i << ": " << queue[i]->GetName().CStr();
  }
  EXPECT_STREQ(queue.front()->GetName().CStr(), "sprites/piece-spark-a8");
  EXPECT_STREQ(queue[1]->GetName().CStr(), "sprites/piece-lock");
  EXPECT_STREQ(queue[61]->GetName().CStr(), "sprites/piece-spark-red");
  EXPECT_STREQ(queue.back()->GetName().CStr(), "sprites/piece-powerup-abomb-%d");
}

TEST_F(GraphicRegistryTest, ASecondPreloadAfterTheLoadQueuesNothingAndSaysNothing) {
  ASSERT_EQ(registry.Preload(), 78u);
  while (!registry.FetchNext()) {
  }
  registry.FetchAll();
  EXPECT_EQ(registry.Preload(), 0u);
  EXPECT_TRUE(registry.GetFetchQueue().empty());
  EXPECT_EQ(LogText().find("preload"), std::string::npos);
}

// The rule is kept, and the one lookup too early is told in the log.
TEST_F(GraphicRegistryTest, ALookupBeforeLoadingLeavesAnEmptyEntryThatStopsThePreload) {
  EXPECT_EQ(registry.GetGraphic("sprites/piece-red-%d"), nullptr);
  EXPECT_EQ(registry.Preload(), 0u);
  EXPECT_TRUE(registry.GetFetchQueue().empty());
  EXPECT_NE(LogText().find("Graphics preload skipped: 1 names were known before loading"), std::string::npos)
      << LogText();
  registry.Clear();
  EXPECT_EQ(registry.Preload(), 78u) << "after Clear the whole list is queued again";
}

TEST_F(GraphicRegistryTest, EverySplitOfANameFindsTheSameGraphic) {
  auto graphic = std::make_shared<ProbeGraphic>("red");
  const std::string name = "sprites/piece-red-%d";
  registry.Register(name.c_str(), graphic);
  for (size_t split = 0; split <= name.size(); ++split) {
    EXPECT_EQ(registry.GetGraphic(name.substr(0, split).c_str(), name.substr(split).c_str()), graphic) << split;
  }
  EXPECT_EQ(registry.GetGraphic(name.c_str()), graphic);
}

TEST_F(GraphicRegistryTest, RegisterReplacesAndCreateStaticNamesNothing) {
  auto first = std::make_shared<ProbeGraphic>("first");
  auto second = std::make_shared<ProbeGraphic>("second");
  registry.Register("name", first);
  registry.Register("name", second);
  EXPECT_EQ(registry.GetGraphic("name"), second);
  std::shared_ptr<IGraphic> made = registry.CreateStatic("backgrounds/black-1");
  EXPECT_NE(dynamic_cast<TStaticGraphic*>(made.get()), nullptr);
  EXPECT_EQ(registry.GetGraphic("backgrounds/black-1"), nullptr);
}

TEST_F(GraphicRegistryTest, AfterClearEveryLookupIsEmptyAndTheGraphicsAreGone) {
  int gone = 0;
  for (const char* name : {"a", "b", "c"}) {
    registry.Register(name, std::make_shared<ProbeGraphic>(name, nullptr, [&gone] { ++gone; }));
  }
  registry.CreateStatic("unnamed");
  registry.Clear();
  EXPECT_EQ(gone, 3) << "neither the name map nor the pending list holds them";
  for (const char* name : {"a", "b", "c", "unnamed"}) EXPECT_EQ(registry.GetGraphic(name), nullptr) << name;
}

TEST_F(GraphicRegistryTest, FetchAllPreparesEveryPendingGraphicOnceInOrderAndCompletesUntilCleared) {
  std::vector<std::string> prepared;
  registry.Register("b", std::make_shared<ProbeGraphic>("b", &prepared));
  registry.Register("a", std::make_shared<ProbeGraphic>("a", &prepared));
  std::vector<std::string> fetched;
  registry.AddFetch(std::make_unique<NotingFetch>(registry, "queued", 1, fetched));
  EXPECT_FALSE(registry.IsComplete());
  registry.FetchAll();
  EXPECT_EQ(prepared, (std::vector<std::string>{"b", "a"}));
  EXPECT_TRUE(registry.IsComplete());
  EXPECT_TRUE(fetched.empty()) << "queued actions stay queued";
  EXPECT_EQ(registry.GetFetchQueue().size(), 1u);
  registry.FetchAll();
  EXPECT_EQ(prepared.size(), 2u) << "the pending list was emptied";
  EXPECT_TRUE(registry.IsComplete());
  registry.Clear();
  EXPECT_FALSE(registry.IsComplete()) << "with its graphics gone it must load again";
}

struct TwoDCase {
  const char* name;
  bool in2d;       // 2D drawing open when FetchAll is called
  bool begin2d;    // what Begin2d answers
  std::vector<std::string> calls;
};

class FetchAllBracket : public testing::TestWithParam<TwoDCase> {};

TEST_P(FetchAllBracket, LeavesTwoDimensionalDrawingAsItFoundIt) {
  FakePlatform platform;
  platform.in2d = GetParam().in2d;
  platform.begin2d = GetParam().begin2d;
  TGraphicRegistry registry;
  std::vector<std::string> prepared;
  registry.Register("a", std::make_shared<ProbeGraphic>("a", &prepared));
  registry.FetchAll();
  EXPECT_EQ(platform.Calls(), GetParam().calls);
  EXPECT_EQ(prepared.size(), 1u);
  EXPECT_TRUE(registry.IsComplete());
}

INSTANTIATE_TEST_SUITE_P(States, FetchAllBracket,
                         testing::Values(TwoDCase{"Outside", false, true, {"Begin2d", "End2d"}},
                                         TwoDCase{"Inside", true, true, {}},
                                         TwoDCase{"RefusedBegin", false, false, {"Begin2d"}}),
                         [](const testing::TestParamInfo<TwoDCase>& info) { return std::string(info.param.name); });

// The colours of the left and the right half of a picture drawn.
using HalfColours = std::pair<uint32_t, uint32_t>;

// On the display: drawn pictures show which images each kind of action
// made its frames of.
class FetchKindTest : public GraphicPixelRig {
 protected:
  FetchKindTest() {
    Store("red", 16, 16, [](uint32_t, uint32_t) { return 0xFF0000u; });
    Store("green", 16, 16, [](uint32_t, uint32_t) { return 0x00FF00u; });
    Store("leftmask", 16, 16, [](uint32_t x, uint32_t) { return x < 8 ? 0xFFFFFFu : 0x000000u; });
    Store("rightmask", 16, 16, [](uint32_t x, uint32_t) { return x < 8 ? 0x000000u : 0xFFFFFFu; });
  }

  // The graphic the one queued action made.
  std::shared_ptr<IGraphic> Fetched(const char* name) {
    EXPECT_TRUE(registry.FetchNext());
    return registry.GetGraphic(name);
  }
  // The colours of the left and the right half of the current frame.
  HalfColours Shown(IGraphic& graphic) {
    DrawFrame([&] { graphic.Draw(TVec2(100, 100), 1.0f, 1.0f, 0.0f); });
    return {ScreenAt(94, 100), ScreenAt(105, 100)};
  }
  HalfColours ShownFrame(IGraphic& graphic, uint32_t index) {
    graphic.SetFrame(index);
    return Shown(graphic);
  }

  FakeClock clock;
  TGraphicRegistry registry;
};

TEST_F(FetchKindTest, AStaticGraphicOfTheImage) {
  registry.AddFetch("red");
  std::shared_ptr<IGraphic> graphic = Fetched("red");
  ASSERT_NE(dynamic_cast<TStaticGraphic*>(graphic.get()), nullptr);
  EXPECT_EQ(Shown(*graphic), HalfColours(kRigRed, kRigRed));
}

TEST_F(FetchKindTest, AStaticGraphicWithItsAlphaImage) {
  registry.AddFetch("red", TString("leftmask"));
  std::shared_ptr<IGraphic> graphic = Fetched("red");
  ASSERT_NE(dynamic_cast<TStaticGraphic*>(graphic.get()), nullptr);
  EXPECT_EQ(Shown(*graphic), HalfColours(kRigRed, kRigBlue));
}

TEST_F(FetchKindTest, AnAnimationOfFramesMaskedByOneAlphaImage) {
  registry.AddFetch("frames-%d", {"red", "green"}, TString("leftmask"));
  std::shared_ptr<IGraphic> graphic = Fetched("frames-%d");
  ASSERT_NE(dynamic_cast<TAnimGraphic*>(graphic.get()), nullptr);
  ASSERT_EQ(graphic->GetFrameCount(), 2u);
  EXPECT_EQ(ShownFrame(*graphic, 0), HalfColours(kRigRed, kRigBlue));
  EXPECT_EQ(ShownFrame(*graphic, 1), HalfColours(kRigGreen, kRigBlue));
}

TEST_F(FetchKindTest, AnAnimationOfOneColourImageMaskedByEachAlphaImage) {
  registry.AddFetch("spark", TString("green"), {"leftmask", "rightmask"});
  std::shared_ptr<IGraphic> graphic = Fetched("spark");
  ASSERT_NE(dynamic_cast<TAnimGraphic*>(graphic.get()), nullptr);
  ASSERT_EQ(graphic->GetFrameCount(), 2u);
  EXPECT_EQ(ShownFrame(*graphic, 0), HalfColours(kRigGreen, kRigBlue));
  EXPECT_EQ(ShownFrame(*graphic, 1), HalfColours(kRigBlue, kRigGreen));
}

// Ten frames a second over two frames: a run of 200 ms, by the graphic's
// own clock, however often it is drawn.
TEST_F(FetchKindTest, AFrameRateAboveZeroPlaysByAClock) {
  registry.AddFetch("clocked", {"red", "green"}, 10.0f);
  std::shared_ptr<IGraphic> graphic = Fetched("clocked");
  ASSERT_NE(dynamic_cast<TAnimGraphic*>(graphic.get()), nullptr);
  EXPECT_TRUE(graphic->IsPlaying());
  EXPECT_EQ(Shown(*graphic), HalfColours(kRigRed, kRigRed));
  EXPECT_EQ(Shown(*graphic), HalfColours(kRigRed, kRigRed)) << "a second draw at the same time shows the same frame";
  clock.Advance(100);
  EXPECT_EQ(Shown(*graphic), HalfColours(kRigGreen, kRigGreen));
}

TEST_F(FetchKindTest, AFrameRateOfZeroStandsStill) {
  registry.AddFetch("still", {"red", "green"}, 0.0f);
  std::shared_ptr<IGraphic> graphic = Fetched("still");
  ASSERT_NE(dynamic_cast<TAnimGraphic*>(graphic.get()), nullptr);
  EXPECT_FALSE(graphic->IsPlaying());
  EXPECT_EQ(Shown(*graphic), HalfColours(kRigRed, kRigRed));
  clock.Advance(100);
  EXPECT_EQ(Shown(*graphic), HalfColours(kRigRed, kRigRed));
}

TEST_F(FetchKindTest, AMissingImageStillRegistersAGraphicWithoutTexture) {
  registry.AddFetch("nothere");
  std::shared_ptr<IGraphic> graphic = Fetched("nothere");
  ASSERT_NE(graphic, nullptr);
  EXPECT_EQ(graphic->GetTexture(), nullptr);
  registry.AddFetch("half-%d", {"red", "nothere"}, 0.0f);
  std::shared_ptr<IGraphic> animation = Fetched("half-%d");
  ASSERT_NE(animation, nullptr);
  EXPECT_NE(animation->GetFrameTexture(), nullptr);
  animation->SetFrame(1);
  EXPECT_EQ(animation->GetFrameTexture(), nullptr) << "the missing frame";
}

}  // namespace
}  // namespace GUI
