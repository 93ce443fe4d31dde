// Viewports and render targets of the display.
#include <algorithm>
#include <atomic>

#include "media/display/DisplayRules.h"
#include "media/display/TDxDisplayHandler.h"
#include "media/texture/TTexture.h"
#include "platform/TPlatform.h"
#include "platform/text/Log.h"

using sys::gfx::Result;

namespace {

int32_t Rounded(float value) { return static_cast<int32_t>(value + 0.5f); }

// The refusal of a render target of alpha at another depth is told once a run.
std::atomic<bool> gAlphaDepthRefusalLogged{false};

}  // namespace

Result TDxDisplayHandler::ApplyViewport(const TRect& viewport) {
  const int32_t width = mData->mDisplayRect.Width();
  const int32_t height = mData->mDisplayRect.Height();
  int32_t left = std::max(viewport.left, 0);
  int32_t top = std::max(viewport.top, 0);
  int32_t right = std::max(viewport.right, left);
  int32_t bottom = std::max(viewport.bottom, top);
  if (left >= width) left = width - 1;
  if (top >= height) top = height - 1;
  right = std::min(right, width);
  bottom = std::min(bottom, height);
  sys::gfx::Viewport3d applied{left, top, right - left, bottom - top, 0.0f, 1.0f};
  float scale = 1.0f;
  if (DrawsScaled(scale)) {
    applied.x = Rounded(static_cast<float>(applied.x) * scale);
    applied.y = Rounded(static_cast<float>(applied.y) * scale);
    applied.width = Rounded(static_cast<float>(applied.width) * scale);
    applied.height = Rounded(static_cast<float>(applied.height) * scale);
    applied.width = std::min(applied.width, Rounded(static_cast<float>(width) * scale) - applied.x);
    applied.height = std::min(applied.height, Rounded(static_cast<float>(height) * scale) - applied.y);
  }
  return mData->mDevice->SetViewport(applied);
}

void TDxDisplayHandler::SetViewport(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  if (!mData->mDevice) return;
  mData->mViewport = TRect(left, top, right, bottom);
  Result applied = ApplyViewport(mData->mViewport);
  if (applied == Result::Ok) return;
  CheckVideoMemory(applied);
  LogPrintf("Bad viewport: %d, %d, %d, %d", left, top, right, bottom);
}

void TDxDisplayHandler::GetViewport(int32_t& left, int32_t& top, int32_t& right, int32_t& bottom) {
  left = mData->mViewport.left;
  top = mData->mViewport.top;
  right = mData->mViewport.right;
  bottom = mData->mViewport.bottom;
}

void TDxDisplayHandler::PushViewport(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  mData->mViewports.push_front(mData->mViewport);
  SetViewport(left, top, right, bottom);
}

// A pop without its push changes nothing.
int32_t TDxDisplayHandler::PopViewport() {
  if (mData->mViewports.empty()) {
    LogPrintf("PopViewport without a pushed viewport");
    return ResultCode(Result::Failed);
  }
  mData->mViewport = mData->mViewports.front();
  mData->mViewports.pop_front();
  if (!mData->mDevice) return ResultCode(Result::NoObject);
  Result applied = ApplyViewport(mData->mViewport);
  CheckVideoMemory(applied);
  return ResultCode(applied);
}

// The display rectangle becomes the target's size at the drawing scale. A
// viewport the device refuses leaves the rectangle as it was.
void TDxDisplayHandler::SwitchRenderTarget(const std::shared_ptr<sys::gfx::Surface>& from,
                                           const std::shared_ptr<sys::gfx::Surface>& to) {
  TDxDisplayHandlerData& data = *mData;
  if (from == to || !to || !data.mDevice) return;
  CheckVideoMemory(data.mDevice->SetRenderTarget(to));
  const TRect kept = data.mDisplayRect;
  float scale = 1.0f;
  DrawsScaled(scale);
  data.mDisplayRect = TRect(0, 0, Rounded(static_cast<float>(to->Width()) / scale),
                            Rounded(static_cast<float>(to->Height()) / scale));
  data.mViewport = data.mDisplayRect;
  Result applied = ApplyViewport(data.mViewport);
  if (applied == Result::Ok) return;
  data.mDisplayRect = kept;
  CheckVideoMemory(applied);
  LogPrintf("Bad viewport in switching render target!");
  data.mViewport = data.mDisplayRect;
  applied = ApplyViewport(data.mViewport);
  if (applied == Result::Ok) return;
  data.mDisplayRect = kept;
  CheckVideoMemory(applied);
  if (applied != Result::CurrentlyNotAvailable) return;
  uint32_t bitCount = to->Format().bitCount;
  if (bitCount == 16) {
    LogPrintf("Failed to SetRenderTarget with bit depth 16");
    data.mContext->SetUse32BitRenderTextures();
    MarkBroken();
  } else if (!gAlphaDepthRefusalLogged.exchange(true)) {
    LogPrintf("Failed to SetRenderTarget with alpha bit depth %u", bitCount);
  }
}

// Drawing into a texture is a scene of its own, so it starts only between
// frames; when its scene cannot begin, drawing stays on the target before.
bool TDxDisplayHandler::PushRenderTarget(const std::shared_ptr<TTexture>& target) {
  TDxDisplayHandlerData& data = *mData;
  if (!data.mDevice || data.mBroken || data.mRenderTargets.empty()) return false;
  TTextureData* textureData = target ? target->GetData() : nullptr;
  if (!textureData || !(textureData->mFlags & TTextureData::kRenderTarget)) return false;
  std::shared_ptr<sys::gfx::Surface> surface = textureData->GetSurface();
  if (!surface) return false;
  if (data.mInScene) {
    LogPrintf("PushRenderTarget refused inside a frame");
    return false;
  }
  std::shared_ptr<sys::gfx::Surface> previous = data.mRenderTargets.front()->surface;
  SwitchRenderTarget(previous, surface);
  auto entry = std::make_shared<TDxDisplayHandlerData::SRenderTarget>();
  entry->surface = surface;
  entry->rect = TRect(0, 0, target->GetWidth(), target->GetHeight());
  data.mRenderTargets.push_front(std::move(entry));
  if (BeginDraw(false)) return true;
  data.mRenderTargets.pop_front();
  SwitchRenderTarget(surface, previous);
  return false;
}

bool TDxDisplayHandler::PopRenderTarget() {
  TDxDisplayHandlerData& data = *mData;
  if (data.mRenderTargets.size() < 2) {
    LogPrintf("PopRenderTarget without a pushed render target");
    return false;
  }
  EndDraw(false);
  std::shared_ptr<TDxDisplayHandlerData::SRenderTarget> popped = data.mRenderTargets.front();
  data.mRenderTargets.pop_front();
  SwitchRenderTarget(popped->surface, data.mRenderTargets.front()->surface);
  return true;
}

bool TDxDisplayHandler::IsDrawingToScreen() { return mData->mRenderTargets.size() == 1; }
