// The drawing states of the display, the texture stage and colour fills.
#include <algorithm>

#include "media/display/DisplayRules.h"
#include "media/display/TDxDisplayHandler.h"
#include "media/texture/TTexture.h"
#include "platform/TPlatform.h"

using sys::gfx::BlendFactor;
using sys::gfx::Result;
using sys::gfx::TextureArg;
using sys::gfx::TextureOp;

namespace {

std::shared_ptr<sys::gfx::Surface> SurfaceOf(const TTexture* texture) {
  TTextureData* data = texture ? texture->GetData() : nullptr;
  return data ? data->GetSurface() : nullptr;
}

// One channel of 0 to 1 into the bits of its mask, scaled to their range.
uint32_t ChannelInto(float value, uint32_t mask) {
  sys::gfx::ChannelShape shape = sys::gfx::ShapeOf(mask);
  if (shape.bits == 0) return 0;
  uint32_t largest = (shape.bits >= 32 ? 0xFFFFFFFFu : (1u << shape.bits) - 1);
  float clamped = std::clamp(value, 0.0f, 1.0f);
  return static_cast<uint32_t>(clamped * static_cast<float>(largest)) << shape.shift;
}

uint32_t PixelOf(const TColor& colour, const sys::gfx::PixelFormat& format) {
  return ChannelInto(colour.r, format.redMask) | ChannelInto(colour.g, format.greenMask) |
         ChannelInto(colour.b, format.blueMask) | ChannelInto(colour.a, format.alphaMask);
}

sys::gfx::TextureAddress AddressOf(int32_t mode) {
  switch (mode) {
    case 1: return sys::gfx::TextureAddress::Wrap;
    case 2: return sys::gfx::TextureAddress::Mirror;
  }
  return sys::gfx::TextureAddress::Clamp;
}

bool PlatformIsIn2d() {
  TPlatform* platform = TPlatform::Instance();
  return platform && platform->IsIn2d();
}

}  // namespace

void TDxDisplayHandler::SetTexture(const std::shared_ptr<TTexture>& texture) {
  if (!IsReady()) return;
  if (texture && !texture->GetData()) return;
  mData->mBoundTexture = texture;
  CheckVideoMemory(mData->mDevice->SetTexture(SurfaceOf(texture.get())));
}

bool TDxDisplayHandler::Begin2d() {
  if (!mData->mDevice) return false;
  sys::gfx::RenderStates& states = mData->mDevice->States();
  SetModulatingStage(states.stage);
  states.stage.alphaArg2 = TextureArg::Diffuse;  // the vertex's alpha
  SetTextureAddress(0, 0);
  states.sourceBlend = BlendFactor::SourceAlpha;
  states.destinationBlend = BlendFactor::InverseSourceAlpha;
  states.blendEnable = true;
  states.depthEnable = false;
  states.specularEnable = false;
  states.cullMode = sys::gfx::CullMode::None;
  states.depthWriteEnable = false;
  states.clipping = false;
  return true;
}

void TDxDisplayHandler::End2d() {
  if (mData->mDevice) CheckVideoMemory(mData->mDevice->SetTexture(nullptr));
}

// Mode 0 blends by the texture's alpha (by the vertex alpha too in 2D), 1
// draws opaque, 2 adds, 3 adds by alpha, 4 inverts.
void TDxDisplayHandler::SetBlendMode(int32_t mode) {
  if (!mData->mDevice || mode < 0 || mode > 4) return;
  sys::gfx::RenderStates& states = mData->mDevice->States();
  sys::gfx::TextureStage& stage = states.stage;
  stage.colourArg1 = TextureArg::Texture;
  stage.colourOp = TextureOp::Modulate;
  stage.alphaArg1 = TextureArg::Texture;
  stage.alphaOp = TextureOp::Modulate;
  states.blendEnable = mode != 1;
  switch (mode) {
    case 0:
      states.sourceBlend = BlendFactor::SourceAlpha;
      states.destinationBlend = BlendFactor::InverseSourceAlpha;
      stage.colourArg2 = TextureArg::Current;
      if (PlatformIsIn2d()) {
        stage.alphaArg2 = TextureArg::Diffuse;
        states.specularEnable = false;
      } else {
        if (!mData->mNoSpecularGouraud) states.specularEnable = true;
        stage.alphaArg2 = TextureArg::Current;
      }
      break;
    case 1:
      states.textureFactor = 0xFFFFFFFF;
      stage.alphaArg1 = TextureArg::Factor;
      stage.alphaOp = TextureOp::SelectArg1;
      break;
    case 2:
      states.sourceBlend = BlendFactor::One;
      states.destinationBlend = BlendFactor::One;
      break;
    case 3:
      states.sourceBlend = BlendFactor::SourceAlpha;
      states.destinationBlend = BlendFactor::One;
      break;
    case 4:
      states.sourceBlend = BlendFactor::InverseSourceAlpha;
      states.destinationBlend = BlendFactor::InverseSourceColour;
      break;
  }
}

void TDxDisplayHandler::SetTextureFilter(int32_t mode) {
  if (!mData->mDevice || (mode != 0 && mode != 1)) return;
  sys::gfx::TextureFilter filter = mode == 0 ? sys::gfx::TextureFilter::Point : sys::gfx::TextureFilter::Linear;
  mData->mDevice->States().stage.minFilter = filter;
  mData->mDevice->States().stage.magFilter = filter;
}

void TDxDisplayHandler::SetTextureAddress(int32_t u, int32_t v) {
  if (!mData->mDevice) return;
  mData->mDevice->States().stage.addressU = AddressOf(u);
  mData->mDevice->States().stage.addressV = AddressOf(v);
}

void TDxDisplayHandler::SetZWrite(bool on) {
  if (mData->mDevice) mData->mDevice->States().depthWriteEnable = on;
}

void TDxDisplayHandler::SetZEnable(bool on) {
  if (mData->mDevice) mData->mDevice->States().depthEnable = on;
}

void TDxDisplayHandler::SetShadeMode(int32_t mode) {
  if (!mData->mDevice) return;
  mData->mDevice->States().shadeMode = mode == 2 ? sys::gfx::ShadeMode::Gouraud : sys::gfx::ShadeMode::Flat;
}

// A fill of the back buffer stays inside the display rectangle, one of a
// texture inside the texture; negative right and bottom edges reach the
// far edge.
void TDxDisplayHandler::DrawRect(int32_t left, int32_t top, int32_t right, int32_t bottom, const TColor& colour,
                                 TTexture* target) {
  if (!mData->mDevice) return;
  std::shared_ptr<sys::gfx::Surface> surface = target ? SurfaceOf(target) : mData->mBackBuffer;
  if (!surface) return;
  int32_t width = target ? surface->Width() : mData->mDisplayRect.Width();
  int32_t height = target ? surface->Height() : mData->mDisplayRect.Height();
  left = std::clamp(left, 0, width);
  top = std::clamp(top, 0, height);
  right = right < 0 ? width : std::min(right, width);
  bottom = bottom < 0 ? height : std::min(bottom, height);
  if (left > right || top > bottom) return;
  sys::gfx::Rect area{left, top, right, bottom};
  float scale = 1.0f;
  if (!target && DrawsScaled(scale)) {
    auto scaled = [scale](int32_t edge) { return static_cast<int32_t>(static_cast<float>(edge) * scale); };
    area = sys::gfx::Rect{scaled(left), scaled(top), scaled(right), scaled(bottom)};
  }
  CheckVideoMemory(surface->Fill(&area, PixelOf(colour, surface->Format())));
}
