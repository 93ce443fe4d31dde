#include "game/gui/effects/TStaticGraphic.h"

#include <algorithm>
#include <cmath>

#include "game/gui/effects/GraphicBlend.h"
#include "media/display/TDisplayHandler.h"
#include "media/display/TVertexList.h"
#include "media/texture/TTexture.h"
#include "system/gfx/raster/Vertex.h"

namespace GUI {

namespace {

using sys::gfx::TransformedVertex;

constexpr int32_t kTriangleList = 4;
constexpr uint32_t kWhite = 0x00FFFFFFu;
constexpr uint32_t kOpaqueBlackSpecular = 0xFF000000u;

uint32_t WhiteWithAlpha(float alpha) {
  const float clamped = std::clamp(alpha, 0.0f, 1.0f);
  return static_cast<uint32_t>(std::lround(clamped * 255.0f)) << 24 | kWhite;
}

TransformedVertex Corner(float x, float y, float u, float v, float alpha) {
  return {x, y, 0.0f, 1.0f, WhiteWithAlpha(alpha), kOpaqueBlackSpecular, u, v};
}

// How far across and down the texture's surface the image reaches: a
// surface may be larger than its image, and what lies beyond is no part of
// the picture.
TVec2 ImageExtent(const TTexture& texture) {
  const auto [surfaceWidth, surfaceHeight] = texture.GetSurfaceSize();
  if (surfaceWidth <= 0 || surfaceHeight <= 0) return TVec2(1.0f, 1.0f);
  return TVec2(static_cast<float>(texture.GetWidth()) / static_cast<float>(surfaceWidth),
               static_cast<float>(texture.GetHeight()) / static_cast<float>(surfaceHeight));
}

// Two triangles per strip: (top-left, top-right, bottom-left) and
// (top-right, bottom-right, bottom-left).
std::vector<TransformedVertex> SliceVertices(const TVec2& position, float width, float height, const TVec2& extent,
                                             const std::vector<TSliceAlphas>& slices) {
  const auto count = static_cast<float>(slices.size());
  const float left = position.x - width / 2.0f;
  const float top = position.y - height / 2.0f;
  const float bottom = position.y + height / 2.0f;
  std::vector<TransformedVertex> vertices;
  vertices.reserve(slices.size() * 6);
  for (size_t i = 0; i < slices.size(); ++i) {
    const float from = static_cast<float>(i) / count * extent.x;
    const float to = static_cast<float>(i + 1) / count * extent.x;
    const float x0 = left + static_cast<float>(i) * width / count;
    const float x1 = left + static_cast<float>(i + 1) * width / count;
    const TSliceAlphas& alphas = slices[i];
    const TransformedVertex topLeft = Corner(x0, top, from, 0.0f, alphas.topLeft);
    const TransformedVertex topRight = Corner(x1, top, to, 0.0f, alphas.topRight);
    const TransformedVertex bottomLeft = Corner(x0, bottom, from, extent.y, alphas.bottomLeft);
    const TransformedVertex bottomRight = Corner(x1, bottom, to, extent.y, alphas.bottomRight);
    vertices.insert(vertices.end(), {topLeft, topRight, bottomLeft, topRight, bottomRight, bottomLeft});
  }
  return vertices;
}

}  // namespace

TStaticGraphic::TStaticGraphic(const TString& imageName) : mTexture(TTexture::Get(imageName, 0)) {}

TStaticGraphic::TStaticGraphic(const TString& imageName, const TString& alphaName)
    : mTexture(TTexture::GetMasked(imageName, alphaName, false)) {}

int32_t TStaticGraphic::GetWidth() { return mTexture ? mTexture->GetWidth() : 0; }

int32_t TStaticGraphic::GetHeight() { return mTexture ? mTexture->GetHeight() : 0; }

void TStaticGraphic::Draw(const TVec2& position, float alpha, float scale, float rotation) {
  if (!mTexture) return;
  DrawInBlendMode(mBlendMode,
                  [&](TPlatform&) { mTexture->DrawScaled(&position, alpha, scale, rotation, nullptr, 0); });
}

void TStaticGraphic::DrawScaled(const TVec2& position, float alpha, float scaleX, float scaleY, float rotation) {
  if (!mTexture) return;
  DrawInBlendMode(mBlendMode, [&](TPlatform&) {
    mTexture->Draw(&position, alpha, scaleX, scaleY, rotation, nullptr, nullptr, 0, nullptr);
  });
}

void TStaticGraphic::DrawSlices(const TVec2& position, const std::vector<TSliceAlphas>& slices, float scale) {
  if (!mTexture || slices.empty()) return;
  DrawInBlendMode(mBlendMode, [&](TPlatform& platform) {
    if (TDisplayHandler* display = platform.GetDisplayHandler()) display->SetZWrite(false);
    platform.SetTexture(mTexture);
    const float width = static_cast<float>(mTexture->GetWidth()) * scale;
    const float height = static_cast<float>(mTexture->GetHeight()) * scale;
    std::vector<TransformedVertex> vertices = SliceVertices(position, width, height, ImageExtent(*mTexture), slices);
    TVertexList list;
    list.InitKind3(vertices.data(), static_cast<int32_t>(vertices.size()));
    platform.DrawVertices(kTriangleList, &list);
    list.Release();
  });
}

std::shared_ptr<IGraphic> MakeStaticGraphicWithAlpha(const TString& imageName, const TString& alphaName) {
  return std::make_shared<TStaticGraphic>(imageName, alphaName);
}

}  // namespace GUI
