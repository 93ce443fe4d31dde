#include "media/TDxDisplayHandler.h"

#include "media/DisplayResults.h"
#include "media/TTextureData.h"
#include "platform/TPlatform.h"

using sys::gfx::Result;

TDxDisplayHandler::TDxDisplayHandler(std::shared_ptr<sys::gfx::Adapter> adapter)
    : mData(std::make_unique<TDxDisplayHandlerData>(std::move(adapter))) {}

TDxDisplayHandler::~TDxDisplayHandler() = default;

void TDxDisplayHandler::GetScreenOrigin(int32_t& x, int32_t& y) { mData->mContext->GetScreenOrigin(x, y); }

TString& TDxDisplayHandler::GetDeviceName(TString& out) { return out = mData->mContext->GetDeviceName(); }

void TDxDisplayHandler::GetDisplaySize(int32_t& width, int32_t& height, bool& fullScreen) {
  width = mData->mDisplayRect.Width();
  height = mData->mDisplayRect.Height();
  fullScreen = mData->mFullScreen;
}

int32_t TDxDisplayHandler::PresentRect(const TRect& destination, const TRect& source) {
  if (!mData->mDevice) return ResultCode(Result::NoObject);
  sys::gfx::Rect to{destination.left, destination.top, destination.right, destination.bottom};
  sys::gfx::Rect from{source.left, source.top, source.right, source.bottom};
  return ResultCode(mData->mContext->PresentRect(&to, &from));
}

void TDxDisplayHandler::GetViewport(int32_t& left, int32_t& top, int32_t& right, int32_t& bottom) {
  left = mData->mViewport.left;
  top = mData->mViewport.top;
  right = mData->mViewport.right;
  bottom = mData->mViewport.bottom;
}

bool TDxDisplayHandler::IsReady() {
  if (mData->mBroken) return false;
  if (mData->mDirectDraw && mData->mBackBuffer && mData->mDevice) return true;
  MarkBroken();
  return false;
}

// Only a flip still under way keeps the answer false.
bool TDxDisplayHandler::IsFlipDone() {
  const std::shared_ptr<sys::gfx::Surface>& back = mData->mContext->GetBackBuffer();
  return !back || back->GetFlipStatus() != Result::WasStillDrawing;
}

void TDxDisplayHandler::MarkBroken() {
  mData->mBroken = true;
  if (TPlatform* platform = TPlatform::Instance()) mData->mBrokenTime = platform->GetTime();
}

void TDxDisplayHandler::GetDesktopMode() { mData->mContext->ReadDesktop(); }

// The set-up, restore, frames, drawing states, render targets, cursor and
// texture data of a display follow; without them the display has no device
// and does nothing.
void TDxDisplayHandler::SetDisplay(int32_t, int32_t, bool, bool, bool, bool) {}
bool TDxDisplayHandler::SetFullScreen(bool) { return false; }
void TDxDisplayHandler::ReportOutOfVideoMemory() {}
void TDxDisplayHandler::Restore() {}
void TDxDisplayHandler::SetTexture(const std::shared_ptr<TTexture>&) {}
bool TDxDisplayHandler::Begin2d() { return false; }
void TDxDisplayHandler::End2d() {}
bool TDxDisplayHandler::BeginDraw(bool) { return false; }
void TDxDisplayHandler::EndDraw(bool) {}
void TDxDisplayHandler::DrawRect(int32_t, int32_t, int32_t, int32_t, const TColor&, TTexture*) {}
void TDxDisplayHandler::SetViewport(int32_t, int32_t, int32_t, int32_t) {}
void TDxDisplayHandler::PushViewport(int32_t, int32_t, int32_t, int32_t) {}
int32_t TDxDisplayHandler::PopViewport() { return ResultCode(Result::NoObject); }
bool TDxDisplayHandler::PushRenderTarget(const std::shared_ptr<TTexture>&) { return false; }
bool TDxDisplayHandler::PopRenderTarget() { return false; }
bool TDxDisplayHandler::IsDrawingToScreen() { return mData->mRenderTargets.size() == 1; }
void TDxDisplayHandler::SetShadeMode(int32_t) {}
void TDxDisplayHandler::SetBlendMode(int32_t) {}
void TDxDisplayHandler::SetTextureFilter(int32_t) {}
void TDxDisplayHandler::SetTextureAddress(int32_t, int32_t) {}
void TDxDisplayHandler::SetZWrite(bool) {}
void TDxDisplayHandler::SetZEnable(bool) {}
void TDxDisplayHandler::UpdateCursorBounds() {}
TMousePosition TDxDisplayHandler::UpdateMouse(int32_t, int32_t) { return TMousePosition{}; }
void TDxDisplayHandler::OnWindowMoved() {}
TMousePosition TDxDisplayHandler::GetMousePos() { return TMousePosition{}; }
bool TDxDisplayHandler::UpdateSystemCursor() { return false; }
bool TDxDisplayHandler::SetMouseImage(const std::shared_ptr<TTexture>&, int32_t, int32_t) { return false; }
std::unique_ptr<TTextureData> TDxDisplayHandler::CreateTextureData() { return nullptr; }
