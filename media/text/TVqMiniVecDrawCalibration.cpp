// The calibration of the span offsets: test spans drawn under 128 trial
// offsets into a render texture and read back.
#include <array>

#include "media/text/TVqMiniVecDraw.h"
#include "platform/TPlatform.h"
#include "platform/text/Log.h"

namespace {

constexpr int32_t kTextureWidth = 1024;
constexpr int32_t kTextureHeight = 512;
constexpr int32_t kTrialColumns = 4;  // pixels of the texture per trial
// Trials whose nine pixels all stayed black, beyond which the display
// probably dropped the large batches.
constexpr int32_t kMostTrialsBlank = 75;
constexpr TVqMiniVecDraw::Offsets kFixedOffsets{-0.75f, -0.75f, 0.25f};

// Trial i lights pixel (1 + 4i, 1) and (2 + 4i, 2).
int32_t TrialColumn(int32_t trial) { return 1 + kTrialColumns * trial; }

enum class TrialResult { Blank, Wrong, Exact };

// The 3 x 3 pixels from one left of and above the first test pixel: the
// two test pixels must be lit, the seven around them dark.
TrialResult ReadTrial(const TVecPixels& pixels, int32_t trial) {
  const int32_t column = TrialColumn(trial);
  if (column + 2 > pixels.width || pixels.height < 3) return TrialResult::Wrong;
  bool anyLit = false, asExpected = true;
  for (int32_t y = 0; y < 3; ++y) {
    const uint8_t* row = pixels.bits + static_cast<intptr_t>(y) * pixels.pitch;
    for (int32_t x = column - 1; x <= column + 1; ++x) {
      const uint8_t* pixel = row + static_cast<intptr_t>(x) * 4;
      const bool lit = (pixel[0] | pixel[1] | pixel[2]) != 0;
      const bool expected = (x == column && y == 1) || (x == column + 1 && y == 2);
      anyLit |= lit;
      asExpected &= lit == expected;
    }
  }
  if (!anyLit) return TrialResult::Blank;
  return asExpected ? TrialResult::Exact : TrialResult::Wrong;
}

// Trial offsets form a grid (start, end, row) of 4 x 8 x 4: an exact trial
// scores the exact trials next to it, so that the one kept lies deepest in
// the exact region, away from where rounding could tip a span over.
int32_t Score(const std::array<bool, TVqMiniVecDraw::kCalibrationTrials>& exact, int32_t trial) {
  const int32_t start = (trial / 8) % 4, end = trial % 8, row = trial / 32;
  auto exactAt = [&](int32_t s, int32_t e, int32_t r) {
    return s >= 0 && s < 4 && e >= 0 && e < 8 && r >= 0 && r < 4 && exact[r * 32 + s * 8 + e];
  };
  return exactAt(start - 1, end, row) + exactAt(start + 1, end, row) + exactAt(start, end - 1, row) +
         exactAt(start, end + 1, row) + exactAt(start, end, row - 1) + exactAt(start, end, row + 1);
}

}  // namespace

TVqMiniVecDraw::Offsets TVqMiniVecDraw::TrialOffsets(int32_t trial) {
  const int32_t start = (trial / 8) % 4, end = trial % 8, row = trial / 32;
  return {start * 0.25f - 1.0f, end * 0.25f - 1.0f, row * 0.25f};
}

void TVqMiniVecDraw::Calibrate() {
  for (;;) {
    int32_t blankTrials = 0;
    const int32_t best = RunCalibrationTrials(blankTrials);
    if (best >= 0) {
      mOffsets = TrialOffsets(best);
      LogPrintf("Vector drawing calibrated: trial %d, span start %.2f, span end %.2f, row %.2f", best,
                mOffsets.spanStart, mOffsets.spanEnd, mOffsets.row);
      return;
    }
    mOffsets = kFixedOffsets;
    LogPrintf("Vector drawing: no exact calibration trial (%d blank); fixed offsets", blankTrials);
    if (blankTrials <= kMostTrialsBlank || mBatchSize == kSmallBatchVertices) return;
    mBatchSize = kSmallBatchVertices;
  }
}

int32_t TVqMiniVecDraw::RunCalibrationTrials(int32_t& blankTrials) {
  blankTrials = 0;
  std::shared_ptr<TTexture> texture =
      mTextures ? mTextures->CreateRenderTarget(kTextureWidth, kTextureHeight) : nullptr;
  if (!texture) {
    LogPrintf("Vector drawing: no render texture to calibrate on");
    return -1;
  }
  if (!DrawCalibrationTrials(texture)) return -1;
  TVecPixels pixels;
  if (!mTextures->Lock(*texture, pixels)) {
    LogPrintf("Vector drawing: cannot read the calibration back");
    return -1;
  }
  std::array<bool, kCalibrationTrials> exact{};
  for (int32_t trial = 0; trial < kCalibrationTrials; ++trial) {
    const TrialResult result = ReadTrial(pixels, trial);
    blankTrials += result == TrialResult::Blank;
    exact[trial] = result == TrialResult::Exact;
  }
  mTextures->Unlock(*texture);
  int32_t best = -1, bestScore = -1;
  for (int32_t trial = 0; trial < kCalibrationTrials; ++trial) {
    if (!exact[trial]) continue;
    const int32_t score = Score(exact, trial);
    if (score > bestScore) best = trial, bestScore = score;
  }
  return best;
}

bool TVqMiniVecDraw::DrawCalibrationTrials(const std::shared_ptr<TTexture>& texture) {
  TPlatform* platform = TPlatform::Instance();
  if (!platform || !platform->PushRenderTarget(texture)) {
    LogPrintf("Vector drawing: cannot draw into the calibration texture");
    return false;
  }
  const bool began = platform->Begin2d();
  platform->DrawRect(0, 0, kTextureWidth, kTextureHeight, TColor(0.0f, 0.0f, 0.0f, 1.0f), texture);
  ColourSlot white;
  FillSlot(white, TColor(1.0f, 1.0f, 1.0f, 1.0f), 1.0f);
  const Offsets kept = mOffsets;
  for (int32_t trial = 0; trial < kCalibrationTrials; ++trial) {
    mOffsets = TrialOffsets(trial);
    AddTestSpan(4 + 16 * trial, 7 + 16 * trial, 4, white);
    AddTestSpan(8 + 16 * trial, 11 + 16 * trial, 8, white);
  }
  Flush();
  mOffsets = kept;
  if (began) platform->End2d();
  platform->PopRenderTarget();
  return true;
}

void TVqMiniVecDraw::AddTestSpan(int32_t startQuarter, int32_t endQuarter, int32_t rowQuarter,
                                 const ColourSlot& colour) {
  const int32_t pixel = startQuarter / 4;
  const int32_t quarters = endQuarter - startQuarter + 1;
  AddSpanVertices(static_cast<float>(pixel), static_cast<float>(pixel + 1), rowQuarter / 4,
                  colour.edgeLevels[quarters - 1]);
}
