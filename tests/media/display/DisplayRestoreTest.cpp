// Frames over a lost display, and the display brought back: restored, or
// set up anew, with the waits for another program that holds the screen.
#include <gtest/gtest.h>

#include "platform/xml/TXmlNode.h"
#include "system/os/Sleep.h"
#include "tests/media/display/OpenDisplayRig.h"
#include "tests/support/TestFileLayer.h"

using sys::gfx::AdapterOperation;
using sys::gfx::Result;

namespace {

std::vector<uint32_t> gSleeps;
void RecordSleep(uint32_t milliseconds) { gSleeps.push_back(milliseconds); }

class DisplayRestoreTest : public OpenDisplayRig {
 protected:
  void SetUp() override {
    OpenDisplayRig::SetUp();
    gSleeps.clear();
    sys::SetSleepFunction(RecordSleep);
  }
  void TearDown() override { sys::SetSleepFunction(nullptr); }

  void Frames(int count) {
    for (int i = 0; i < count; ++i) {
      ASSERT_TRUE(display->BeginDraw(false));
      display->EndDraw(true);
    }
  }
  // How many set-ups ran since the display opened.
  int SetUps() const { return platform.journal.Count("MarkDisplayChanged") - 1; }
  int AssetRestores() const { return platform.journal.Count("RestoreAssets") - 1; }
};

struct LossCase {
  int framesBefore;  // frames drawn before the surfaces are lost
  bool setUpAnew;
};

class SurfaceLossTest : public DisplayRestoreTest, public testing::WithParamInterface<LossCase> {};

// The frame that finds the surfaces lost is the last counted.
TEST_P(SurfaceLossTest, AFrameThatFindsTheSurfacesLostRestoresThemOrSetsUpAnew) {
  Frames(GetParam().framesBefore);
  adapter->LoseVideoSurfaces();
  Frames(1);
  const bool anew = GetParam().setUpAnew;
  EXPECT_EQ(Logged("TPlatformData::Restore: Working count too small (" + std::to_string(GetParam().framesBefore + 1) +
                   "). Calling SetDisplay()"),
            anew);
  EXPECT_EQ(SetUps(), anew ? 1 : 0);
  EXPECT_EQ(AssetRestores(), 1) << "either way every asset is restored";
  EXPECT_EQ(Data().mWorkingCount, 0u);
  EXPECT_TRUE(display->IsReady());
  Frames(1);
  EXPECT_EQ(Data().mBackBuffer->IsLost(), Result::Ok);
}

INSTANTIATE_TEST_SUITE_P(Counts, SurfaceLossTest,
                         testing::Values(LossCase{0, true}, LossCase{1, true}, LossCase{2, false},
                                         LossCase{5, false}));

TEST_F(DisplayRestoreTest, ALostSceneIsRestoredAndBegunAgain) {
  Frames(3);
  adapter->Force(AdapterOperation::BeginScene, Result::SurfaceLost);
  EXPECT_TRUE(display->BeginDraw(false));
  EXPECT_TRUE(Logged("TPlatform::BeginDraw: DDERR_SURFACELOST on BeginScene"));
  EXPECT_EQ(AssetRestores(), 1);
  display->EndDraw(false);
  adapter->Force(AdapterOperation::BeginScene, Result::SurfaceLost);
  adapter->Force(AdapterOperation::BeginScene, Result::OutOfVideoMemory);
  platform.time = 777;
  EXPECT_FALSE(display->BeginDraw(false)) << "a scene that cannot begin after the restore";
  EXPECT_FALSE(Data().mInScene);
  EXPECT_TRUE(Data().mBroken);
  EXPECT_EQ(Data().mBrokenTime, 777u);
  EXPECT_EQ(OutOfVideoMemoryReports(), 1);
}

TEST_F(DisplayRestoreTest, AnotherProgramHoldingTheScreenEndsTheRestoreAfterOneWait) {
  Frames(3);
  display->MarkBroken();
  adapter->Force(AdapterOperation::TestCooperativeLevel, Result::ExclusiveModeAlreadySet);
  display->Restore();
  EXPECT_EQ(gSleeps, std::vector<uint32_t>{500});
  EXPECT_FALSE(display->IsReady()) << "still broken, for a later pass";
  EXPECT_EQ(platform.journal.Count("ReleaseAssets"), 2);
}

TEST_F(DisplayRestoreTest, AModeChangedUnderneathSetsUpAnewAfterFiveWaits) {
  Frames(3);
  display->MarkBroken();
  adapter->Force(AdapterOperation::TestCooperativeLevel, Result::WrongMode);
  display->Restore();
  EXPECT_EQ(gSleeps, std::vector<uint32_t>(5, 500));
  EXPECT_TRUE(Logged("Restore: Test Cooperative level failed. Calling SetDisplay"));
  EXPECT_EQ(SetUps(), 1);
  EXPECT_TRUE(display->IsReady());
}

TEST_F(DisplayRestoreTest, ALostExclusiveModeIsTakenAgainAndTheSurfacesRestored) {
  Frames(3);
  display->MarkBroken();
  adapter->Force(AdapterOperation::TestCooperativeLevel, Result::NoExclusiveMode);
  display->Restore();
  EXPECT_EQ(gSleeps, std::vector<uint32_t>{500});
  EXPECT_EQ(SetUps(), 0);
  EXPECT_EQ(AssetRestores(), 1);
  EXPECT_TRUE(display->IsReady());
}

TEST_F(DisplayRestoreTest, OtherRefusalsOfTheScreenEndTheRestoreAfterFiveWaits) {
  Frames(3);
  display->MarkBroken();
  adapter->Force(AdapterOperation::TestCooperativeLevel, Result::NoExclusiveMode);
  for (int i = 0; i < 5; ++i) adapter->Force(AdapterOperation::SetCooperativeLevel, Result::NoExclusiveMode);
  display->Restore();
  EXPECT_EQ(gSleeps.size(), 5u);
  EXPECT_EQ(SetUps(), 0);
  EXPECT_FALSE(display->IsReady());
}

TEST_F(DisplayRestoreTest, AnInactiveProgramWaitsForALaterPass) {
  Frames(3);
  display->MarkBroken();
  platform.active = false;
  adapter->Force(AdapterOperation::TestCooperativeLevel, Result::WrongMode);
  display->Restore();
  EXPECT_TRUE(gSleeps.empty());
  EXPECT_FALSE(display->IsReady());
  display->ResetWorkingCount();
  display->Restore();
  EXPECT_TRUE(Data().mBroken) << "too few frames, and nobody to see a new set-up";
  EXPECT_EQ(SetUps(), 0);
}

struct RestoreFailure {
  Result result;
  const char* log;
  int reports;
};

class RestoreFailureTest : public DisplayRestoreTest, public testing::WithParamInterface<RestoreFailure> {};

TEST_P(RestoreFailureTest, SurfacesThatCannotBeRestoredSetTheDisplayUpAnew) {
  Frames(3);
  display->MarkBroken();
  adapter->Force(AdapterOperation::RestoreAllSurfaces, GetParam().result);
  display->Restore();
  EXPECT_TRUE(Logged(GetParam().log));
  EXPECT_EQ(OutOfVideoMemoryReports(), GetParam().reports);
  EXPECT_EQ(SetUps(), 1);
  EXPECT_TRUE(display->IsReady());
}

INSTANTIATE_TEST_SUITE_P(
    Results, RestoreFailureTest,
    testing::Values(RestoreFailure{Result::WrongMode,
                                   "Restore: RestoreAllSurfaces resulted in DDERR_WRONGMODE. Calling SetDisplay.", 0},
                    RestoreFailure{Result::OutOfVideoMemory, "RestoreAllSurfaces failed!", 1},
                    RestoreFailure{Result::Failed, "RestoreAllSurfaces failed!", 0}));

TEST_F(DisplayRestoreTest, ADisplayWithoutItsObjectsIsSetUpAnewQuietly) {
  Data().mDirectDraw = nullptr;
  EXPECT_FALSE(display->IsReady());
  display->Restore();
  EXPECT_TRUE(Logged("TPlatformData::Restore: mDirectDraw NULL. Calling SetDisplay()"));
  EXPECT_EQ(SetUps(), 1);
  EXPECT_TRUE(display->IsReady());
}

TEST_F(DisplayRestoreTest, RunningOutOfVideoMemoryIsStoredOnceAndTheNextSetUpRunsAt16Bits) {
  TestFileLayer files;
  Open(800, 600, true);
  platform.time = 4321;
  display->ReportOutOfVideoMemory();
  EXPECT_TRUE(Data().mBroken);
  EXPECT_EQ(Data().mBrokenTime, 4321u);
  TXmlNode document;
  ASSERT_TRUE(document.ParseFile("common:display.xml"));
  ASSERT_NE(document.GetChild("Settings"), nullptr);
  EXPECT_STREQ(document.GetChild("Settings")->GetAttribute("LowMemoryVideo").CStr(), "1");
  std::remove(files.CommonPath("display.xml").c_str());
  display->ReportOutOfVideoMemory();
  EXPECT_FALSE(document.ParseFile("common:display.xml")) << "written once";

  display->Restore();
  EXPECT_TRUE(Logged("TPlatformData::Restore: mDirectDraw NULL. Calling SetDisplay()"));
  ASSERT_EQ(native->messageBoxes.size(), 1u);
  EXPECT_EQ(native->messageBoxes[0].rfind("Reconfiguring|Your video card doesn't have enough memory", 0), 0u);
  ASSERT_TRUE(display->IsReady());
  EXPECT_EQ(Data().mBackBuffer->Format().bitCount, 16u);
  display->Restore();
  EXPECT_EQ(native->messageBoxes.size(), 1u) << "the box is shown once";
}

TEST_F(DisplayRestoreTest, TheSettingWrittenIsReadByTheNextDisplay) {
  TestFileLayer files;
  display->ReportOutOfVideoMemory();
  display = std::make_unique<TDx3dDisplayHandler>(adapter);
  EXPECT_TRUE(Data().mLowMemoryVideo);
  EXPECT_FALSE(Data().mReconfigurePending);
}

// Full screen flips: without the copy a frame's back buffer holds the
// picture before the previous one.
TEST_F(DisplayRestoreTest, InFullScreenAFrameOverThePreviousPictureKeepsIt) {
  for (bool keepPicture : {true, false}) {
    Open(800, 600, true);
    auto frame = [this](bool keep, TRect area, const TColor& colour) {
      ASSERT_TRUE(display->BeginDraw(keep));
      display->DrawRect(area.left, area.top, area.right, area.bottom, colour, nullptr);
      display->EndDraw(true);
    };
    frame(false, TRect(0, 0, -1, -1), TColor(1.0f, 0.0f, 0.0f, 1.0f));
    frame(false, TRect(0, 0, -1, -1), TColor(0.0f, 0.0f, 1.0f, 1.0f));
    frame(keepPicture, TRect(100, 100, 200, 200), TColor(0.0f, 1.0f, 0.0f, 1.0f));
    sys::Picture shown;
    ASSERT_TRUE(native->ReadShownPicture(shown));
    const int32_t x = shown.width * 150 / 800;
    const int32_t y = shown.height * 150 / 600;
    EXPECT_EQ(shown.pixels[y * shown.width + x] & 0xFFFFFF, 0x00FF00u) << "the rectangle drawn";
    EXPECT_EQ(shown.pixels[10 * shown.width + 10] & 0xFFFFFF, keepPicture ? 0x0000FFu : 0xFF0000u)
        << (keepPicture ? "the previous picture around it" : "the picture before that");
  }
}

TEST_F(DisplayRestoreTest, AFlipStillUnderWayIsTheOnlyFlipNotDone) {
  adapter->Force(AdapterOperation::FlipStatus, Result::WasStillDrawing);
  EXPECT_FALSE(display->IsFlipDone());
  adapter->Force(AdapterOperation::FlipStatus, Result::SurfaceLost);
  EXPECT_TRUE(display->IsFlipDone());
  EXPECT_TRUE(display->IsFlipDone());
}

}  // namespace
