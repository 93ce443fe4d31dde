#include <gtest/gtest.h>

#include <algorithm>

#include "media/text/TVqMiniVecDraw.h"
#include "tests/support/DevicePlatform.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/MvecWriter.h"
#include "tests/support/TextureHandle.h"

namespace {

using Offsets = TVqMiniVecDraw::Offsets;

void ExpectOffsets(const Offsets& actual, float spanStart, float spanEnd, float row) {
  EXPECT_FLOAT_EQ(actual.spanStart, spanStart);
  EXPECT_FLOAT_EQ(actual.spanEnd, spanEnd);
  EXPECT_FLOAT_EQ(actual.row, row);
}

int CountStarting(const std::vector<std::string>& calls, const std::string& start) {
  return static_cast<int>(std::count_if(calls.begin(), calls.end(), [&](const std::string& call) {
    return call.starts_with(start);
  }));
}

TEST(VecCalibration, TrialsWalkAGridOfQuarterPixelOffsets) {
  ExpectOffsets(TVqMiniVecDraw::TrialOffsets(0), -1.0f, -1.0f, 0.0f);
  ExpectOffsets(TVqMiniVecDraw::TrialOffsets(127), -0.25f, 0.75f, 0.75f);
  ExpectOffsets(TVqMiniVecDraw::TrialOffsets(1), -1.0f, -0.75f, 0.0f);
  ExpectOffsets(TVqMiniVecDraw::TrialOffsets(8), -0.75f, -1.0f, 0.0f);
  ExpectOffsets(TVqMiniVecDraw::TrialOffsets(32), -1.0f, -1.0f, 0.25f);
}

TEST(VecCalibration, OnOurDeviceFindsTheMiddleOfTheExactTrials) {
  DevicePlatform platform(64, 64);
  TVqMiniVecDraw renderer(platform.Textures());
  ExpectOffsets(renderer.GetOffsets(), 0.25f, 0.25f, 0.25f);
  renderer.Calibrate();
  // Our line rule lights the centres in [start, end) on the nearest row:
  // exact for a start in (-1, 0], an end in (-1, 0] and a row below 0.5.
  ExpectOffsets(renderer.GetOffsets(), -0.5f, -0.5f, 0.0f);
  EXPECT_EQ(renderer.GetBatchSize(), 256);
  const std::vector<std::string> calls = platform.Calls();
  EXPECT_EQ(CountStarting(calls, "PushRenderTarget"), 1);
  EXPECT_EQ(CountStarting(calls, "DrawVertices 2 3 256"), 2);

  // A one-pixel span now lights just its pixel.
  renderer.SetColor(1, TColor(1.0f, 1.0f, 1.0f, 1.0f), 1.0f);
  ASSERT_TRUE(renderer.Begin(0, 0, nullptr, nullptr));
  renderer.DrawOutline(MvecProgram().NewShape().Fill(1, 1).Rectangle(20, 20, 21, 21).End().Bytes(), 4.0f, 4.0f);
  renderer.End();
  for (int32_t y = 18; y <= 23; ++y) {
    for (int32_t x = 18; x <= 23; ++x) {
      const bool lit = (DevicePlatform::ColourAt(platform.Screen(), x, y) & 0xFFFFFF) != 0;
      EXPECT_EQ(lit, x == 20 && y == 20) << x << ", " << y;
    }
  }
}

TEST(VecCalibration, ATargetThatShowsNothingRunsTwiceAndKeepsTheFixedOffsets) {
  DevicePlatform platform(64, 64);
  platform.drawsNothing = true;
  TVqMiniVecDraw renderer(platform.Textures());
  renderer.Calibrate();
  ExpectOffsets(renderer.GetOffsets(), -0.75f, -0.75f, 0.25f);
  EXPECT_EQ(renderer.GetBatchSize(), 64);
  const std::vector<std::string> calls = platform.Calls();
  EXPECT_EQ(CountStarting(calls, "PushRenderTarget"), 2);
  EXPECT_EQ(CountStarting(calls, "DrawVertices 2 3 256"), 2);
  EXPECT_EQ(CountStarting(calls, "DrawVertices 2 3 64"), 8);
}

// Textures that fail where the test says.
class FailingTextures final : public TVecTextures {
 public:
  bool make = true, lock = true;

  std::shared_ptr<TTexture> CreateRenderTarget(int32_t, int32_t) override {
    return make ? TextureHandle() : nullptr;
  }
  bool Lock(TTexture&, TVecPixels&) override { return lock; }
  void Unlock(TTexture&) override {}
};

TEST(VecCalibration, FailuresLeaveTheFixedOffsetsAfterOneRun) {
  for (const char* failure : {"no texture", "push refused", "lock refused"}) {
    FakePlatform platform;
    auto textures = std::make_unique<FailingTextures>();
    textures->make = std::string(failure) != "no texture";
    textures->lock = std::string(failure) != "lock refused";
    platform.renderTarget = std::string(failure) != "push refused";
    TVqMiniVecDraw renderer(std::move(textures));
    renderer.Calibrate();
    ExpectOffsets(renderer.GetOffsets(), -0.75f, -0.75f, 0.25f);
    EXPECT_EQ(renderer.GetBatchSize(), 256) << failure;
    EXPECT_LE(CountStarting(platform.Calls(), "PushRenderTarget"), 1) << failure;
  }
}

}  // namespace
