// One 800 x 600 frame shaped like the play screen, drawn by the 3D device as
// the 2D display code draws: a full-screen backdrop from a 1024 x 1024
// texture, 150 alpha-blended 64 x 64 sprites (30 % of them rotated), 40
// additive 128 x 128 glows, 20 panels and 2,000 short text spans in line
// lists of 256 vertices, and then a line of score text and a timer label in
// the game's font, laid out once and drawn each frame by the vector
// renderer as the game draws text. The same scene is drawn in the same run
// by SDL2's software renderer (SDL_RenderGeometry into a software
// renderer's surface), the text as the spans our renderer drew for it.
// Goals: 5 ms or less a frame on one core, and faster than SDL. The program
// runs from the repository's root, where the game's font lies.
#include <benchmark/benchmark.h>

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <random>
#include <vector>

#include "bench/support/SpeedGoals.h"
#include "media/display/TVertexList.h"
#include "media/text/TTextLayout.h"
#include "media/text/TVecFont.h"
#include "media/text/TVqMiniVecDraw.h"
#include "system/gfx/Device.h"
#include "system/gfx/Device3d.h"
#include "tests/support/FakePlatform.h"

namespace {

using namespace sys::gfx;
using Clock = std::chrono::steady_clock;

constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr double kFrameGoalMs = 5.0;

// Faster than SDL: a ratio below 1, which is at most the double just below it.
const SpeedGoals kGoals{
    {"PlayScreenFrame", "frame_ms", Goal::kAtMost, kFrameGoalMs},
    {"PlayScreenFrame", "ratio", Goal::kAtMost, std::nextafter(1.0, 0.0)},
};

// ---- the scene, shared by both renderers ------------------------------------

struct Picture {
  int32_t width, height;
  std::vector<uint32_t> argb;
};

Picture MakePicture(int32_t width, int32_t height, uint32_t (*texel)(int32_t, int32_t, int32_t, int32_t)) {
  Picture picture{width, height, std::vector<uint32_t>(static_cast<size_t>(width) * height)};
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) picture.argb[static_cast<size_t>(y) * width + x] = texel(x, y, width, height);
  }
  return picture;
}

uint32_t Backdrop(int32_t x, int32_t y, int32_t, int32_t) {
  return 0xFF000000u | static_cast<uint32_t>((x * 3) & 0xFF) << 16 | static_cast<uint32_t>((y * 5) & 0xFF) << 8 |
         static_cast<uint32_t>((x ^ y) & 0xFF);
}

// A round shape with a soft edge, coloured across.
uint32_t Sprite(int32_t x, int32_t y, int32_t w, int32_t h) {
  const double dx = (x + 0.5) / w * 2 - 1, dy = (y + 0.5) / h * 2 - 1;
  const double alpha = std::clamp((1 - std::sqrt(dx * dx + dy * dy)) * 4, 0.0, 1.0);
  return static_cast<uint32_t>(alpha * 255) << 24 | static_cast<uint32_t>(x * 4) << 16 | 0x8000 |
         static_cast<uint32_t>(y * 4);
}

uint32_t Glow(int32_t x, int32_t y, int32_t w, int32_t h) {
  const double dx = (x + 0.5) / w * 2 - 1, dy = (y + 0.5) / h * 2 - 1;
  const double alpha = std::clamp(1 - std::sqrt(dx * dx + dy * dy), 0.0, 1.0);
  return static_cast<uint32_t>(alpha * alpha * 255) << 24 | 0xFFC060;
}

uint32_t Panel(int32_t x, int32_t y, int32_t w, int32_t h) {
  const bool frame = x < 6 || y < 6 || x >= w - 6 || y >= h - 6;
  return frame ? 0xFFE0D0A0u : 0xB0203040u;
}

struct Quad {
  float x[4], y[4];  // corners clockwise from the top left
  float u0, v0, u1, v1;
  uint32_t colour;
};

struct Span {
  float x0, x1, y;
  uint32_t colour;
};

enum class Blend { Alpha, Additive };

struct Layer {
  const Picture* picture;
  Blend blend;
  std::vector<Quad> quads;
};

struct Scene {
  Picture backdrop = MakePicture(1024, 1024, Backdrop);
  Picture sprite = MakePicture(64, 64, Sprite);
  Picture glow = MakePicture(128, 128, Glow);
  Picture panel = MakePicture(256, 128, Panel);
  std::vector<Layer> layers;
  std::vector<Span> spans;

  Scene() {
    std::mt19937 random(2024);
    auto below = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
    auto axisQuad = [](float left, float top, float w, float h, float u1, float v1, uint32_t colour) {
      return Quad{{left, left + w, left + w, left}, {top, top, top + h, top + h}, 0, 0, u1, v1, colour};
    };
    // Texel-exact placement: whole pixels less half a pixel.
    layers.push_back({&backdrop, Blend::Alpha, {axisQuad(-0.5f, -0.5f, kWidth, kHeight, 800.0f / 1024, 600.0f / 1024, ~0u)}});
    Layer sprites{&sprite, Blend::Alpha, {}};
    for (int k = 0; k < 150; ++k) {
      const float left = below(kWidth - 64) - 0.5f, top = below(kHeight - 64) - 0.5f;
      Quad quad = axisQuad(left, top, 64, 64, 1, 1, ~0u);
      if (k % 10 < 3) {
        const float angle = below(628) / 100.0f, cx = left + 32, cy = top + 32;
        for (int c = 0; c < 4; ++c) {
          const float dx = quad.x[c] - cx, dy = quad.y[c] - cy;
          quad.x[c] = cx + std::cos(angle) * dx - std::sin(angle) * dy;
          quad.y[c] = cy + std::sin(angle) * dx + std::cos(angle) * dy;
        }
      }
      sprites.quads.push_back(quad);
    }
    layers.push_back(sprites);
    Layer glows{&glow, Blend::Additive, {}};
    for (int k = 0; k < 40; ++k) {
      glows.quads.push_back(axisQuad(below(kWidth - 128) - 0.5f, below(kHeight - 128) - 0.5f, 128, 128, 1, 1,
                                     0xC0FFFFFF));
    }
    layers.push_back(glows);
    Layer panels{&panel, Blend::Alpha, {}};
    for (int k = 0; k < 20; ++k) {
      panels.quads.push_back(axisQuad(below(kWidth - 256) - 0.5f, below(kHeight - 96) - 0.5f, 256, 96, 1, 0.75f, ~0u));
    }
    layers.push_back(panels);
    // Spans as the vector font draws them: inside pixel x of row y from
    // x - 0.75 to x + length - 0.75 at y + 0.25, with coverage in the alpha.
    for (int k = 0; k < 2000; ++k) {
      const float x = static_cast<float>(below(kWidth - 8)), y = static_cast<float>(below(kHeight));
      const uint32_t alpha = static_cast<uint32_t>(below(4) == 0 ? 17 * (1 + below(15)) : 255);
      spans.push_back({x - 0.75f, x + 1 + below(6) - 0.75f, y + 0.25f, alpha << 24 | 0xF0F0F0});
    }
  }
};

const Scene& TheScene() {
  static const Scene scene;
  return scene;
}

// ---- the text ---------------------------------------------------------------

const TVecFont& GameFont() {
  static const TVecFont font = [] {
    std::ifstream in("assets/fonts/default.mvec", std::ios::binary);
    return TVecFont(std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>()));
  }();
  return font;
}

// A platform face whose vector renderer draws on our device, as the display
// hands the renderer's line lists on; it keeps the first frame's spans for
// SDL to draw the same text. The renderer is not calibrated: its spans land
// a pixel right of where the display's calibration puts them, which costs
// the same.
class TextPlatform final : public FakePlatform {
 public:
  explicit TextPlatform(Device3d& device) : mDevice(device), mRenderer(nullptr) {
    recording = false;
    fonts["__DEFAULT"] = const_cast<TVecFont*>(&GameFont());
    vecDraw = &mRenderer;
    mRenderer.SetCopyAlpha(false);
    const TColor white(1.0f, 1.0f, 1.0f, 1.0f);
    mScore = TTextLayout::Create("Score <font color='#ffd040'>1,284,350</font>    Level 12    Combo x4", 600, 40, 0,
                                 nullptr, 24, white);
    mTimer = TTextLayout::Create("Time 02:47", 160, 32, 0, nullptr, 20, white);
  }

  void DrawText() {
    mScore->Draw(TRect(20, 12, 620, 52), 1.0f, 0.0f);
    mTimer->Draw(TRect(640, 14, 800, 46), 1.0f, 0.0f);
    mCapturing = false;
  }
  const std::vector<Span>& Spans() const { return mSpans; }

  void SetTexture(const std::shared_ptr<TTexture>&) override { mDevice.SetTexture(nullptr); }
  void SetBlendMode(int32_t) override { mDevice.States().destinationBlend = BlendFactor::InverseSourceAlpha; }
  void DrawVertices(int32_t primitiveType, TVertexList* vertices) override {
    mDevice.DrawPrimitive(static_cast<PrimitiveType>(primitiveType), VertexLayout::Transformed, vertices->vertices,
                          static_cast<uint32_t>(vertices->count));
    if (!mCapturing) return;
    const auto* ends = static_cast<const TransformedVertex*>(vertices->vertices);
    for (int32_t k = 0; k + 1 < vertices->count; k += 2) {
      mSpans.push_back({ends[k].x, ends[k + 1].x, ends[k].y, ends[k].diffuse});
    }
  }

 private:
  Device3d& mDevice;
  TVqMiniVecDraw mRenderer;
  std::unique_ptr<TTextLayout> mScore, mTimer;
  bool mCapturing = true;
  std::vector<Span> mSpans;
};

double MedianMs(std::vector<double> samples) {
  std::sort(samples.begin(), samples.end());
  return samples[samples.size() / 2];
}

// ---- ours -------------------------------------------------------------------

class OurRenderer {
 public:
  explicit OurRenderer(bool plain) {
    AdapterConfig config;
    config.videoMemory = 1ull << 30;
    Device::Create(Adapter::Create(config), 0, mDevice);
    mTarget = MakeSurface(kWidth, kHeight, kCaps3dDevice | kCapsVideoMemory, PixelLayout::X8R8G8B8);
    Device3d::Create(*mDevice, Device3d::Enumerate(*mDevice).at(0).guid, mTarget, mDevice3d);
    if (!mDevice3d) return;
    mDevice3d->UsePlainShader(plain);
    mText = std::make_unique<TextPlatform>(*mDevice3d);
    const Scene& scene = TheScene();
    for (const Picture* picture : {&scene.backdrop, &scene.sprite, &scene.glow, &scene.panel}) {
      auto texture = MakeSurface(picture->width, picture->height, kCapsTexture | kCapsVideoMemory,
                                 picture == &scene.backdrop ? PixelLayout::X8R8G8B8 : PixelLayout::A8R8G8B8);
      LockedPixels pixels;
      texture->Lock(nullptr, pixels);
      for (int32_t y = 0; y < picture->height; ++y) {
        std::memcpy(pixels.bits + static_cast<size_t>(y) * pixels.pitch, &picture->argb[static_cast<size_t>(y) * picture->width],
                    4 * static_cast<size_t>(picture->width));
      }
      texture->Unlock();
      mTextures.push_back(texture);
    }
  }

  bool Ready() const { return mDevice3d != nullptr; }
  // The spans of the text, as the first frame drew them.
  const std::vector<Span>& TextSpans() const { return mText->Spans(); }

  void DrawFrame() {
    const Scene& scene = TheScene();
    mDevice3d->BeginScene();
    Set2dStates();
    for (size_t n = 0; n < scene.layers.size(); ++n) {
      const Layer& layer = scene.layers[n];
      mDevice3d->States().destinationBlend =
          layer.blend == Blend::Additive ? BlendFactor::One : BlendFactor::InverseSourceAlpha;
      mDevice3d->SetTexture(mTextures[n]);
      for (const Quad& quad : layer.quads) {
        TransformedVertex fan[4];
        const float u[4] = {quad.u0, quad.u1, quad.u1, quad.u0}, v[4] = {quad.v0, quad.v0, quad.v1, quad.v1};
        for (int c = 0; c < 4; ++c) fan[c] = {quad.x[c], quad.y[c], 0.1f, 0.5f, quad.colour, 0xFF000000, u[c], v[c]};
        mDevice3d->DrawPrimitive(PrimitiveType::TriangleFan, VertexLayout::Transformed, fan, 4);
      }
    }
    mDevice3d->SetTexture(nullptr);
    mDevice3d->States().destinationBlend = BlendFactor::InverseSourceAlpha;
    TransformedVertex batch[256];
    uint32_t count = 0;
    for (const Span& span : scene.spans) {
      batch[count++] = {span.x0, span.y, 0.1f, 0.5f, span.colour, 0, 0, 0};
      batch[count++] = {span.x1, span.y, 0.1f, 0.5f, span.colour, 0, 0, 0};
      if (count == 256) {
        mDevice3d->DrawPrimitive(PrimitiveType::LineList, VertexLayout::Transformed, batch, count);
        count = 0;
      }
    }
    if (count) mDevice3d->DrawPrimitive(PrimitiveType::LineList, VertexLayout::Transformed, batch, count);
    mText->DrawText();
    mDevice3d->EndScene();
  }

 private:
  std::shared_ptr<Surface> MakeSurface(int32_t width, int32_t height, uint32_t caps, PixelLayout layout) {
    SurfaceDesc desc;
    desc.width = width;
    desc.height = height;
    desc.caps = caps;
    desc.format = MakePixelFormat(layout);
    std::shared_ptr<Surface> surface;
    mDevice->CreateSurface(desc, surface);
    return surface;
  }

  // What the display sets for 2D drawing.
  void Set2dStates() {
    RenderStates& s = mDevice3d->States();
    s.stage.colourOp = TextureOp::Modulate;
    s.stage.colourArg1 = TextureArg::Texture;
    s.stage.colourArg2 = TextureArg::Current;
    s.stage.alphaOp = TextureOp::Modulate;
    s.stage.alphaArg1 = TextureArg::Texture;
    s.stage.alphaArg2 = TextureArg::Diffuse;
    s.stage.magFilter = s.stage.minFilter = TextureFilter::Linear;
    s.stage.addressU = s.stage.addressV = TextureAddress::Clamp;
    s.sourceBlend = BlendFactor::SourceAlpha;
    s.destinationBlend = BlendFactor::InverseSourceAlpha;
    s.blendEnable = true;
    s.alphaTestEnable = true;
    s.alphaFunction = AlphaCompare::GreaterEqual;
    s.alphaReference = 1;
    s.depthEnable = false;
    s.specularEnable = false;
    s.cullMode = CullMode::None;
  }

  std::unique_ptr<Device> mDevice;
  std::shared_ptr<Surface> mTarget;
  std::unique_ptr<Device3d> mDevice3d;
  std::vector<std::shared_ptr<Surface>> mTextures;
  std::unique_ptr<TextPlatform> mText;
};

// ---- SDL2's software renderer -----------------------------------------------

class SdlRenderer {
 public:
  explicit SdlRenderer(const std::vector<Span>& textSpans) : mSpans(TheScene().spans) {
    mSpans.insert(mSpans.end(), textSpans.begin(), textSpans.end());
    mSurface = SDL_CreateRGBSurfaceWithFormat(0, kWidth, kHeight, 32, SDL_PIXELFORMAT_ARGB8888);
    mRenderer = mSurface ? SDL_CreateSoftwareRenderer(mSurface) : nullptr;
    if (!mRenderer) return;
    const Scene& scene = TheScene();
    for (const Layer& layer : scene.layers) {
      const Picture& picture = *layer.picture;
      SDL_Texture* texture = SDL_CreateTexture(mRenderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC,
                                               picture.width, picture.height);
      SDL_UpdateTexture(texture, nullptr, picture.argb.data(), picture.width * 4);
      SDL_SetTextureBlendMode(texture, layer.blend == Blend::Additive ? SDL_BLENDMODE_ADD : SDL_BLENDMODE_BLEND);
      SDL_SetTextureScaleMode(texture, SDL_ScaleModeLinear);
      mTextures.push_back(texture);
    }
    SDL_SetRenderDrawBlendMode(mRenderer, SDL_BLENDMODE_BLEND);
  }
  ~SdlRenderer() {
    for (SDL_Texture* texture : mTextures) SDL_DestroyTexture(texture);
    if (mRenderer) SDL_DestroyRenderer(mRenderer);
    if (mSurface) SDL_FreeSurface(mSurface);
  }

  bool Ready() const { return mRenderer != nullptr; }

  void DrawFrame() {
    const Scene& scene = TheScene();
    static const int indices[6] = {0, 1, 2, 0, 2, 3};
    for (size_t n = 0; n < scene.layers.size(); ++n) {
      for (const Quad& quad : scene.layers[n].quads) {
        const float u[4] = {quad.u0, quad.u1, quad.u1, quad.u0}, v[4] = {quad.v0, quad.v0, quad.v1, quad.v1};
        SDL_Vertex corners[4];
        for (int c = 0; c < 4; ++c) {
          // SDL puts pixel centres at half pixels.
          corners[c] = {{quad.x[c] + 0.5f, quad.y[c] + 0.5f}, Colour(quad.colour), {u[c], v[c]}};
        }
        SDL_RenderGeometry(mRenderer, mTextures[n], corners, 4, indices, 6);
      }
    }
    std::vector<SDL_Vertex> vertices;
    std::vector<int> spanIndices;
    for (size_t k = 0; k < mSpans.size(); ++k) {
      const Span& span = mSpans[k];
      const SDL_Color colour = Colour(span.colour);
      const float top = std::floor(span.y), left = std::ceil(span.x0), right = std::ceil(span.x1);
      const int first = static_cast<int>(vertices.size());
      vertices.push_back({{left, top}, colour, {0, 0}});
      vertices.push_back({{right, top}, colour, {0, 0}});
      vertices.push_back({{right, top + 1}, colour, {0, 0}});
      vertices.push_back({{left, top + 1}, colour, {0, 0}});
      for (int index : indices) spanIndices.push_back(first + index);
      if (k % 128 == 127 || k + 1 == mSpans.size()) {
        SDL_RenderGeometry(mRenderer, nullptr, vertices.data(), static_cast<int>(vertices.size()), spanIndices.data(),
                           static_cast<int>(spanIndices.size()));
        vertices.clear();
        spanIndices.clear();
      }
    }
    SDL_RenderFlush(mRenderer);
  }

 private:
  static SDL_Color Colour(uint32_t argb) {
    return {static_cast<Uint8>(argb >> 16), static_cast<Uint8>(argb >> 8), static_cast<Uint8>(argb),
            static_cast<Uint8>(argb >> 24)};
  }

  std::vector<Span> mSpans;  // the scene's and the text's
  SDL_Surface* mSurface = nullptr;
  SDL_Renderer* mRenderer = nullptr;
  std::vector<SDL_Texture*> mTextures;
};

template <typename Renderer>
double TimeFrames(Renderer& renderer, int frames) {
  std::vector<double> samples;
  for (int k = 0; k < frames; ++k) {
    const auto start = Clock::now();
    renderer.DrawFrame();
    samples.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
  }
  return MedianMs(samples);
}

// One frame per iteration after one to warm up; the median in ms.
double TimeIterations(benchmark::State& state, OurRenderer& renderer) {
  renderer.DrawFrame();
  std::vector<double> samples;
  for (auto _ : state) {
    const auto start = Clock::now();
    renderer.DrawFrame();
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    samples.push_back(ms);
    state.SetIterationTime(ms / 1000);
  }
  return MedianMs(samples);
}

// The frame with our SIMD shader, and in the same run SDL's; reports both
// and the ratio.
void PlayScreenFrame(benchmark::State& state) {
  OurRenderer ours(false);
  if (!ours.Ready()) {
    state.SkipWithError("a renderer could not be made");
    return;
  }
  ours.DrawFrame();
  SdlRenderer sdl(ours.TextSpans());
  if (!sdl.Ready()) {
    state.SkipWithError("a renderer could not be made");
    return;
  }
  sdl.DrawFrame();
  const double ourMs = TimeIterations(state, ours);
  const double sdlMs = TimeFrames(sdl, 15);
  const double ratio = ourMs / sdlMs;
  state.counters["frame_ms"] = ourMs;
  state.counters["sdl_ms"] = sdlMs;
  state.counters["ratio"] = ratio;
}
BENCHMARK(PlayScreenFrame)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(60);

// The same frame with the plain shader, which the SIMD one is held to.
void PlayScreenFramePlain(benchmark::State& state) {
  OurRenderer ours(true);
  if (!ours.Ready()) {
    state.SkipWithError("the renderer could not be made");
    return;
  }
  state.counters["frame_ms"] = TimeIterations(state, ours);
}
BENCHMARK(PlayScreenFramePlain)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace
