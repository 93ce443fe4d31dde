// Opens the program's display and draws a test card through the platform's
// drawing operations: colour fills, the five blend modes side by side, a
// PNG image drawn scaled, rotated and clipped, and a picture drawn into a
// render texture and back. Runs until the window is closed.
//
//   displaycheck [--fullscreen] [--screenshot FILE]
//
// With --screenshot it writes the first frame the window showed as a PNG
// file and exits (1 when it cannot).
#include <cmath>
#include <cstring>
#include <cstdio>
#include <string>
#include <vector>

#include "app/RunFramework.h"
#include "app/TAppPlatform.h"
#include "media/texture/PngDecoder.h"
#include "media/display/TDx3dDisplayHandler.h"
#include "media/display/TVertexList.h"
#include "platform/file/FileIndex.h"
#include "system/gfx/PicturePng.h"
#include "system/gfx/raster/Vertex.h"
#include "system/window/Window.h"
#include "tests/support/FakeTextureData.h"

namespace {

using sys::gfx::TransformedVertex;

constexpr int32_t kWidth = 800;
constexpr int32_t kHeight = 600;
constexpr int32_t kTriangleFan = 6;
constexpr char kImageName[] = "user:displaycheck.png";

struct Options {
  bool fullScreen = false;
  std::string screenshot;
};
Options gOptions;
bool gScreenshotWritten = false;

TColor Colour(uint32_t rgb, float alpha = 1.0f) {
  return TColor(static_cast<float>((rgb >> 16) & 0xFF) / 255.0f, static_cast<float>((rgb >> 8) & 0xFF) / 255.0f,
                static_cast<float>(rgb & 0xFF) / 255.0f, alpha);
}

// A quad of screen vertices, its corners turned by `angle` about its middle,
// showing the texture's (u0, v0)-(u1, v1).
std::vector<TransformedVertex> Quad(float left, float top, float right, float bottom, uint32_t diffuse,
                                    float angle = 0, float u0 = 0, float v0 = 0, float u1 = 1, float v1 = 1) {
  const float cx = (left + right) / 2;
  const float cy = (top + bottom) / 2;
  const float c = std::cos(angle);
  const float s = std::sin(angle);
  auto at = [&](float x, float y, float u, float v) {
    const float dx = x - cx;
    const float dy = y - cy;
    return TransformedVertex{cx + dx * c - dy * s, cy + dx * s + dy * c, 0.5f, 1.0f, diffuse, 0xFF000000, u, v};
  };
  return {at(left, top, u0, v0), at(right, top, u1, v0), at(right, bottom, u1, v1), at(left, bottom, u0, v1)};
}

void Draw(TAppPlatform& platform, std::vector<TransformedVertex> quad) {
  TVertexList list;
  list.InitKind2(quad.data(), static_cast<int32_t>(quad.size()));
  platform.DrawVertices(kTriangleFan, &list);
}

// A surface of the display's device in 32-bit colour with alpha.
std::shared_ptr<sys::gfx::Surface> MakeSurface(TDxDisplayHandlerData& display, int32_t width, int32_t height,
                                               bool renderTarget) {
  sys::gfx::SurfaceDesc desc;
  desc.width = width;
  desc.height = height;
  desc.caps = sys::gfx::kCapsTexture;
  if (renderTarget) desc.caps |= sys::gfx::kCaps3dDevice;
  desc.format = sys::gfx::MakePixelFormat(renderTarget ? sys::gfx::PixelLayout::X8R8G8B8
                                                       : sys::gfx::PixelLayout::A8R8G8B8);
  std::shared_ptr<sys::gfx::Surface> surface;
  if (!display.mDirectDraw || display.mDirectDraw->CreateSurface(desc, surface) != sys::gfx::Result::Ok) {
    return nullptr;
  }
  return surface;
}

// A 64 x 64 target with a translucent rim, written as a PNG file and read
// back through the image decoder, as the game's images are.
std::shared_ptr<TTexture> LoadImage(TDxDisplayHandlerData& display) {
  constexpr int32_t kSide = 64;
  sys::Picture picture;
  picture.width = kSide;
  picture.height = kSide;
  for (int32_t y = 0; y < kSide; ++y) {
    for (int32_t x = 0; x < kSide; ++x) {
      const int32_t ring = static_cast<int32_t>(std::hypot(x - 31.5, y - 31.5)) / 6;
      const uint32_t colours[] = {0xFFFFFF, 0xE03030, 0xFFFFFF, 0x3060E0, 0xFFFFFF, 0x30A040};
      picture.pixels.push_back(0xFF000000 | colours[ring % 6]);
    }
  }
  if (!sys::gfx::WritePicturePng(picture, ResolvePath(kImageName).CStr())) return nullptr;
  TDecodedImage image;
  if (!DecodePng(kImageName, "", false, image)) return nullptr;
  std::shared_ptr<sys::gfx::Surface> surface = MakeSurface(display, image.side, image.side, false);
  sys::gfx::LockedPixels locked;
  if (!surface || surface->Lock(nullptr, locked) != sys::gfx::Result::Ok) return nullptr;
  for (int32_t y = 0; y < image.side; ++y) {
    std::memcpy(locked.bits + static_cast<size_t>(y) * static_cast<size_t>(locked.pitch),
                image.pixels.get() + static_cast<size_t>(y) * static_cast<size_t>(image.side) * 4,
                static_cast<size_t>(image.side) * 4);
  }
  surface->Unlock();
  return TextureOver(surface);
}

// Drawing into a render texture happens between frames.
std::shared_ptr<TTexture> DrawIntoRenderTexture(TAppPlatform& platform, TDxDisplayHandlerData& display) {
  std::shared_ptr<TTexture> target = TextureOver(MakeSurface(display, 128, 128, true), TTextureData::kRenderTarget);
  if (!target->GetData()->GetSurface()) return nullptr;
  platform.DrawRect(0, 0, -1, -1, Colour(0x202060), target);
  if (!platform.PushRenderTarget(target)) return nullptr;
  if (platform.Begin2d()) {
    platform.SetTexture(nullptr);
    Draw(platform, Quad(16, 16, 112, 112, 0xFFFFC020, 0.4f));
    Draw(platform, Quad(40, 40, 88, 88, 0xFF20C0FF, -0.4f));
    platform.End2d();
  }
  platform.PopRenderTarget();
  return target;
}

struct Card {
  std::shared_ptr<TTexture> image;
  std::shared_ptr<TTexture> rendered;
  std::shared_ptr<TTexture> translucent;
};

void DrawCard(TAppPlatform& platform, const Card& card) {
  if (!platform.BeginDraw(false)) return;
  // Colour fills: a grey ground and a row of bars.
  platform.DrawRect(0, 0, -1, -1, Colour(0x404040), nullptr);
  const uint32_t bars[] = {0xFFFFFF, 0xFFFF00, 0x00FFFF, 0x00FF00, 0xFF00FF, 0xFF0000, 0x0000FF, 0x000000};
  for (int32_t i = 0; i < 8; ++i) platform.DrawRect(i * 100, 0, i * 100 + 100, 80, Colour(bars[i]), nullptr);
  if (platform.Begin2d()) {
    // The blend modes 0 to 4 of one translucent orange over black and white stripes.
    for (int32_t mode = 0; mode < 5; ++mode) {
      const int32_t left = 20 + mode * 155;
      platform.SetTexture(nullptr);
      platform.SetBlendMode(1);
      Draw(platform, Quad(left, 100, left + 70, 240, 0xFF000000));
      Draw(platform, Quad(left + 70, 100, left + 140, 240, 0xFFFFFFFF));
      platform.SetTexture(card.translucent);
      platform.SetBlendMode(mode);
      Draw(platform, Quad(left + 20, 130, left + 120, 210, 0xFFFFFFFF));
    }
    platform.SetBlendMode(0);
    if (card.image) {
      platform.SetTexture(card.image);
      Draw(platform, Quad(20, 280, 84, 344, 0xFFFFFFFF));                 // as it is
      Draw(platform, Quad(110, 260, 270, 420, 0xFFFFFFFF));               // scaled
      Draw(platform, Quad(310, 280, 430, 400, 0xFFFFFFFF, 0.6f));         // rotated
      platform.PushViewport(480, 290, 560, 370);                          // clipped
      Draw(platform, Quad(460, 270, 620, 430, 0xFFFFFFFF));
      platform.PopViewport();
    }
    if (card.rendered) {
      platform.SetTexture(card.rendered);
      Draw(platform, Quad(620, 260, 780, 420, 0xFFFFFFFF));
    }
    platform.SetTexture(nullptr);
    platform.End2d();
  }
  platform.EndDraw(true);
}

bool WriteScreenshot(TAppPlatform& platform) {
  sys::Picture shown;
  if (!platform.GetMainWindow()->Native().ReadShownPicture(shown)) {
    std::fprintf(stderr, "displaycheck: the window showed no frame\n");
    return false;
  }
  return sys::gfx::WritePicturePng(shown, gOptions.screenshot);
}

void DisplayCheckMain(TAppPlatform* platform, const char*) {
  platform->SetWindowTitle("displaycheck");
  platform->SetDisplay(kWidth, kHeight, gOptions.fullScreen);
  auto* display = dynamic_cast<TDx3dDisplayHandler*>(platform->GetDisplayHandler());
  if (!display || !display->IsReady()) {
    std::fprintf(stderr, "displaycheck: the display did not open\n");
    return;
  }
  TDxDisplayHandlerData& data = display->GetData();
  Card card;
  card.image = LoadImage(data);
  card.rendered = DrawIntoRenderTexture(*platform, data);
  card.translucent = TextureOver(MakeSurface(data, 1, 1, false));
  platform->DrawRect(0, 0, 1, 1, Colour(0xFF8000, 0.5f), card.translucent);
  TEvent event;
  for (;;) {
    platform->GetEvent(&event);
    if (event.type == kEventQuit) return;
    if (event.type == kEventClose) platform->GetMainWindow()->PostQuit();
    if (event.type != kEventIdle && event.type != kEventPaint && event.type != kEventDisplayChanged) continue;
    DrawCard(*platform, card);
    if (!gOptions.screenshot.empty()) {
      gScreenshotWritten = WriteScreenshot(*platform);
      return;
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    if (argument == "--fullscreen") {
      gOptions.fullScreen = true;
    } else if (argument == "--screenshot" && i + 1 < argc) {
      gOptions.screenshot = argv[++i];
    } else {
      std::fprintf(stderr, "usage: displaycheck [--fullscreen] [--screenshot FILE]\n");
      return 2;
    }
  }
  const int exitCode = RunFramework("--multiple", DisplayCheckMain, true);
  if (exitCode != 0) return exitCode;
  return gOptions.screenshot.empty() || gScreenshotWritten ? 0 : 1;
}
