#include "platform/asset/TAssetManager.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

// An asset that records its release and restore calls in a shared journal.
class FakeAsset : public TAsset {
 public:
  FakeAsset(std::string name, std::vector<std::string>* journal) : mName(std::move(name)), mJournal(journal) {}
  void Release() override {
    mJournal->push_back("release " + mName);
    if (mOnRelease) mOnRelease();
  }
  void Restore() override { mJournal->push_back("restore " + mName); }
  void OnRelease(std::function<void()> action) { mOnRelease = std::move(action); }

 private:
  std::string mName;
  std::vector<std::string>* mJournal;
  std::function<void()> mOnRelease;
};

// A second kind of asset with a class id of its own.
class OtherAsset : public TAsset {
 public:
  static TClassId ClassId() {
    static const char id = 0;
    return &id;
  }
  bool IsKindOf(TClassId id) const override { return id == ClassId() || TAsset::IsKindOf(id); }
};

class TAssetManagerTest : public testing::Test {
 protected:
  std::shared_ptr<FakeAsset> Make(const std::string& name) {
    auto asset = std::make_shared<FakeAsset>(name, &mJournal);
    mManager.Register(name.c_str(), asset);
    return asset;
  }

  TAssetManager mManager;
  std::vector<std::string> mJournal;
};

TEST_F(TAssetManagerTest, FindsLiveAssetsByNameWithoutKeepingThemAlive) {
  auto texture = Make("texture");
  EXPECT_EQ(mManager.Find("texture"), texture);
  EXPECT_EQ(texture.use_count(), 1) << "the manager holds no strong reference";

  texture.reset();
  EXPECT_EQ(mManager.Find("texture"), nullptr);
  EXPECT_EQ(mManager.Find("never registered"), nullptr);
}

TEST_F(TAssetManagerTest, RegisteringAgainReplacesTheEntry) {
  auto first = Make("sound");
  auto second = Make("sound");
  EXPECT_EQ(mManager.Find("sound"), second);
  EXPECT_EQ(mManager.GetCount(), 1);

  mManager.Remove("sound");
  EXPECT_EQ(mManager.Find("sound"), nullptr);
}

TEST_F(TAssetManagerTest, ReleaseAllSweepsExpiredAndLookedUpEntries) {
  auto kept = Make("kept");
  Make("dropped");  // its only owner is gone at once
  mManager.Find("looked up");
  EXPECT_EQ(mManager.GetCount(), 3) << "a lookup leaves an empty entry until the next sweep";

  mManager.ReleaseAll();
  EXPECT_EQ(mManager.GetCount(), 1);
  EXPECT_EQ(mJournal, std::vector<std::string>{"release kept"});
}

TEST_F(TAssetManagerTest, ReleaseAndRestoreReachEveryLiveAssetInNameOrder) {
  auto b = Make("b"), c = Make("c"), a = Make("a");
  Make("expired");
  mManager.ReleaseAll();
  mManager.RestoreAll();
  EXPECT_EQ(mJournal, (std::vector<std::string>{"release a", "release b", "release c", "restore a", "restore b",
                                                "restore c"}));
}

TEST_F(TAssetManagerTest, RestoreAllSkipsExpiredEntriesAndWithNoLiveAssetsDoesNothing) {
  Make("gone");
  mManager.RestoreAll();
  EXPECT_TRUE(mJournal.empty());
  EXPECT_EQ(mManager.GetCount(), 1) << "only ReleaseAll sweeps";
}

// A release may drop the last outside owner of an asset whose destructor takes
// its own entry out of the manager, while the manager is walking its entries.
TEST_F(TAssetManagerTest, AssetsDroppedDuringReleaseMayRemoveTheirEntries) {
  struct SelfRemoving : FakeAsset {
    SelfRemoving(TAssetManager* manager, std::vector<std::string>* journal)
        : FakeAsset("a", journal), mManager(manager) {}
    ~SelfRemoving() override { mManager->Remove("a"); }
    TAssetManager* mManager;
  };
  auto first = std::make_shared<SelfRemoving>(&mManager, &mJournal);
  mManager.Register("a", first);
  auto second = Make("b");
  first->OnRelease([&first] { first.reset(); });

  mManager.ReleaseAll();
  EXPECT_EQ(mJournal, (std::vector<std::string>{"release a", "release b"}));
  EXPECT_EQ(first, nullptr);
  EXPECT_EQ(mManager.GetCount(), 1);
  EXPECT_EQ(mManager.Find("b"), second);
}

TEST_F(TAssetManagerTest, FoundAssetsAreCastOnlyToTheirOwnKind) {
  auto fake = Make("fake");
  auto other = std::make_shared<OtherAsset>();
  mManager.Register("other", other);

  EXPECT_EQ(mManager.FindAs<OtherAsset>("other"), other);
  EXPECT_EQ(mManager.FindAs<OtherAsset>("fake"), nullptr);
  EXPECT_EQ(mManager.FindAs<FakeAsset>("other"), nullptr);
  EXPECT_EQ(mManager.FindAs<OtherAsset>("missing"), nullptr);
}

TEST(TAsset, KindTestsAcceptTheOwnAndTheBaseClass) {
  OtherAsset other;
  EXPECT_TRUE(other.IsKindOf(TAsset::ClassId()));
  EXPECT_TRUE(other.IsKindOf(OtherAsset::ClassId()));
  EXPECT_FALSE(std::make_shared<TAsset>()->IsKindOf(OtherAsset::ClassId()));
}

TEST(TAsset, HandsOutSharedPointersToItself) {
  auto asset = std::make_shared<OtherAsset>();
  std::shared_ptr<TAsset> self = asset->shared_from_this();
  EXPECT_EQ(self, asset);
  EXPECT_EQ(asset.use_count(), 2);
}

}  // namespace
