// The render-target test: which sub-pixel offset draws textures texel for
// texel on this device.
#include <cstring>

#include "media/display/TDxDisplayHandler.h"
#include "media/texture/TTexture.h"
#include "platform/TPlatform.h"

namespace {

constexpr int32_t kCell = 16;
constexpr int32_t kTrials = 10;
constexpr int32_t kRowWidth = 800;  // cells go on in the next row of 16 past this
constexpr int32_t kTargetWidth = 1024;
constexpr int32_t kTargetHeight = 512;
constexpr float kFirstOffset = -0.5f;
constexpr float kOffsetStep = 0.1f;

float OffsetOfTrial(int32_t trial) { return static_cast<float>(trial) * kOffsetStep + kFirstOffset; }
int32_t CellLeft(int32_t trial) { return (trial * kCell) % kRowWidth; }
int32_t CellTop(int32_t trial) { return (trial * kCell) / kRowWidth * kCell; }

// The pixels of a locked texture, 32 bits each.
struct LockedView {
  uint8_t* bits = nullptr;
  int32_t width = 0;
  int32_t height = 0;
  int32_t pitch = 0;

  uint8_t* At(int32_t x, int32_t y) const { return bits + static_cast<size_t>(y) * static_cast<size_t>(pitch) + x * 4; }
  bool Inside(int32_t x, int32_t y) const { return x >= 0 && y >= 0 && x < width && y < height; }
  bool Lock(TTexture& texture) {
    void* pixels = nullptr;
    if (!texture.Lock(&pixels, &width, &height, &pitch)) return false;
    bits = static_cast<uint8_t*>(pixels);
    return true;
  }
};

bool IsBlack(const uint8_t* pixel) { return pixel[0] == 0 && pixel[1] == 0 && pixel[2] == 0; }

// A white 16 x 16 texture with black top-left and bottom-right pixels.
std::shared_ptr<TTexture> MarkedCell(TPlatform& platform) {
  std::shared_ptr<TTexture> cell = TTexture::CreateBlank(kCell, kCell, false);
  if (!cell) return nullptr;
  platform.DrawRect(0, 0, kCell, kCell, TColor(1.0f, 1.0f, 1.0f, 1.0f), cell);
  LockedView view;
  if (view.Lock(*cell)) {
    std::memset(view.At(0, 0), 0, 3);
    std::memset(view.At(view.width - 1, view.height - 1), 0, 3);
    cell->Unlock();
  }
  return cell;
}

}  // namespace

// Each trial draws the marked cell with its own offset into a cell of a
// render texture that starts red; the first whose two black corners land
// exactly on the cell's corners settles the offset.
void TDxDisplayHandler::TestRenderTarget() {
  TDxDisplayHandlerData& data = *mData;
  TPlatform* platform = TPlatform::Instance();
  if (data.mRenderTargetTestDone || !data.mDevice || !platform) return;
  data.mRenderTargetTestDone = true;
  std::shared_ptr<TTexture> cell = MarkedCell(*platform);
  if (!cell) return;
  std::shared_ptr<TTexture> target = TTexture::CreateRenderTarget(kTargetWidth, kTargetHeight);
  if (!target) return;
  platform->DrawRect(0, 0, kTargetHeight, kTargetHeight, TColor(1.0f, 0.0f, 0.0f, 1.0f), target);
  if (platform->PushRenderTarget(target)) {
    // A block refused (one of the caller's is open) is not the test's to end.
    const bool began2d = platform->Begin2d();
    platform->SetTextureFilter(0);
    for (int32_t trial = 0; trial < kTrials; ++trial) {
      data.mPixelOffset = OffsetOfTrial(trial);
      const float half = static_cast<float>(kCell) / 2.0f;
      cell->DrawAt(static_cast<float>(CellLeft(trial)) + half, static_cast<float>(CellTop(trial)) + half, 1.0f, 1.0f,
                   0.0f, 0);
    }
    platform->SetTextureFilter(1);
    if (began2d) platform->End2d();
    platform->PopRenderTarget();
  }
  data.mPixelOffset = kFirstOffset;
  LockedView view;
  if (!view.Lock(*target)) return;
  for (int32_t trial = 0; trial < kTrials; ++trial) {
    const int32_t left = CellLeft(trial), top = CellTop(trial);
    const int32_t right = left + kCell - 1, bottom = top + kCell - 1;
    if (view.Inside(right, bottom) && IsBlack(view.At(left, top)) && IsBlack(view.At(right, bottom))) {
      data.mPixelOffset = OffsetOfTrial(trial);
      break;
    }
  }
  target->Unlock();
}
