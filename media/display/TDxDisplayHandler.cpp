#include "media/display/TDxDisplayHandler.h"

#include "media/display/DisplayRules.h"
#include "media/texture/TDxTextureData.h"
#include "platform/TPlatform.h"

using sys::gfx::Result;

namespace {

// A device needs this much room for the longer side of a texture over the
// shorter, or it is treated as taking square textures only.
constexpr int32_t kLeastTextureAspectRatio = 64;

}  // namespace

TDxDisplayHandler::TDxDisplayHandler(std::shared_ptr<sys::gfx::Adapter> adapter)
    : mData(std::make_unique<TDxDisplayHandlerData>(std::move(adapter))) {
  ReadSettings();
}

TDxDisplayHandler::~TDxDisplayHandler() = default;

void TDxDisplayHandler::GetScreenOrigin(int32_t& x, int32_t& y) { mData->mContext->GetScreenOrigin(x, y); }

void TDxDisplayHandler::AdoptDevice() {
  TDxDisplayHandlerData& data = *mData;
  data.mDirectDraw = data.mContext->GetDirectDraw();
  data.mBackBuffer = data.mContext->GetBackBuffer();
  data.mDevice = data.mContext->GetDevice();
  if (!data.mDevice) return;
  const sys::gfx::Device3dCaps& caps = data.mContext->GetDeviceDescription();
  data.mSeparateTextureMemories = caps.separateTextureMemories;
  data.mNoSpecularGouraud = !caps.specularGouraudRgb;
  data.mSquareTexturesOnly = caps.squareTexturesOnly || caps.maxTextureAspectRatio < kLeastTextureAspectRatio;
  auto screen = std::make_shared<TDxDisplayHandlerData::SRenderTarget>();
  screen->surface = data.mDevice->GetRenderTarget();
  screen->rect = data.mDisplayRect;
  data.mRenderTargets.clear();
  data.mRenderTargets.push_front(std::move(screen));
  SetInitialStates();
}

// Lit, depth-tested and alpha-blended drawing with a modulating stage and
// an alpha test that drops what is wholly transparent.
void TDxDisplayHandler::SetInitialStates() {
  sys::gfx::RenderStates& states = mData->mDevice->States();
  states.ambient = 0xFFFFFFFF;
  states.depthEnable = true;
  states.depthWriteEnable = true;
  states.lighting = true;
  states.normalizeNormals = true;
  states.specularEnable = true;
  states.sourceBlend = sys::gfx::BlendFactor::SourceAlpha;
  states.destinationBlend = sys::gfx::BlendFactor::InverseSourceAlpha;
  states.blendEnable = true;
  SetModulatingStage(states.stage);
  states.stage.mipFilter = sys::gfx::MipFilter::Point;
  states.alphaTestEnable = true;
  states.alphaReference = 1;
  states.alphaFunction = sys::gfx::AlphaCompare::GreaterEqual;
  SetShadeMode(2);
}

void TDxDisplayHandler::SetModulatingStage(sys::gfx::TextureStage& stage) {
  stage.colourArg1 = sys::gfx::TextureArg::Texture;
  stage.colourArg2 = sys::gfx::TextureArg::Current;
  stage.colourOp = sys::gfx::TextureOp::Modulate;
  stage.alphaArg1 = sys::gfx::TextureArg::Texture;
  stage.alphaArg2 = sys::gfx::TextureArg::Current;
  stage.alphaOp = sys::gfx::TextureOp::Modulate;
  stage.magFilter = sys::gfx::TextureFilter::Linear;
  stage.minFilter = sys::gfx::TextureFilter::Linear;
}

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

// The cursor is the device context's.
void TDxDisplayHandler::UpdateCursorBounds() { mData->mContext->HideMouse(); }

TMousePosition TDxDisplayHandler::UpdateMouse(int32_t x, int32_t y) { return mData->mContext->UpdateMouse(x, y, false); }

void TDxDisplayHandler::OnWindowMoved() { mData->mContext->RefreshClientRect(); }

TMousePosition TDxDisplayHandler::GetMousePos() { return mData->mContext->GetMousePos(); }

// A cursor the display draws (or none at all) leaves the window without
// the system arrow.
bool TDxDisplayHandler::UpdateSystemCursor() {
  TPlatform* platform = TPlatform::Instance();
  const bool noArrow = mData->mContext->IsCursorShown() || (platform && !platform->IsCursorEnabled());
  if (noArrow && platform) platform->RequestSystemCursor(false);
  return noArrow;
}

bool TDxDisplayHandler::SetMouseImage(const std::shared_ptr<TTexture>& texture, int32_t hotX, int32_t hotY) {
  return mData->mContext->SetMouseImage(texture, hotX, hotY);
}

// Texture data works on the display the platform has installed.
std::unique_ptr<TTextureData> TDxDisplayHandler::CreateTextureData() { return std::make_unique<TDxTextureData>(); }

