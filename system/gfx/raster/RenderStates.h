#pragma once

#include <cstdint>

namespace sys::gfx {

enum class BlendFactor : uint8_t { Zero, One, SourceAlpha, InverseSourceAlpha, InverseSourceColour };
enum class AlphaCompare : uint8_t { Always, GreaterEqual };
enum class ShadeMode : uint8_t { Flat, Gouraud };
// Which winding is dropped, as seen on the target with y going down.
enum class CullMode : uint8_t { None, Clockwise, CounterClockwise };

enum class TextureOp : uint8_t { Modulate, SelectArg1, SelectArg2 };
// Current is the diffuse colour at the only stage there is.
enum class TextureArg : uint8_t { Texture, Diffuse, Current, Factor };
enum class TextureFilter : uint8_t { Point, Linear };
enum class MipFilter : uint8_t { None, Point };
enum class TextureAddress : uint8_t { Wrap, Mirror, Clamp };

// How the one texture stage combines its arguments and samples its texture.
struct TextureStage {
  TextureOp colourOp = TextureOp::Modulate;
  TextureArg colourArg1 = TextureArg::Texture;
  TextureArg colourArg2 = TextureArg::Current;
  TextureOp alphaOp = TextureOp::SelectArg1;
  TextureArg alphaArg1 = TextureArg::Texture;
  TextureArg alphaArg2 = TextureArg::Current;
  TextureFilter magFilter = TextureFilter::Point;
  TextureFilter minFilter = TextureFilter::Point;
  MipFilter mipFilter = MipFilter::None;
  TextureAddress addressU = TextureAddress::Wrap;
  TextureAddress addressV = TextureAddress::Wrap;

  bool operator==(const TextureStage&) const = default;
};

// Everything that decides how the next primitives are drawn, besides the
// target, the viewport, the texture and the transforms. Defaults are those
// of a freshly made device.
struct RenderStates {
  bool blendEnable = false;
  BlendFactor sourceBlend = BlendFactor::One;
  BlendFactor destinationBlend = BlendFactor::Zero;
  bool alphaTestEnable = false;
  AlphaCompare alphaFunction = AlphaCompare::Always;
  uint8_t alphaReference = 0;
  // The depth test passes when the new depth is less than or equal to the stored.
  bool depthEnable = false;
  bool depthWriteEnable = true;
  ShadeMode shadeMode = ShadeMode::Gouraud;
  CullMode cullMode = CullMode::CounterClockwise;
  bool specularEnable = false;
  bool lighting = true;
  bool normalizeNormals = false;
  // Clipping of transformed vertices against the near and far planes; without
  // it depths beyond the range are clamped. The viewport clips always.
  bool clipping = true;
  uint32_t ambient = 0;  // 0xAARRGGBB
  uint32_t textureFactor = 0xFFFFFFFF;
  TextureStage stage;

  bool operator==(const RenderStates&) const = default;
};

}  // namespace sys::gfx
