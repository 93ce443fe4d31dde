#include "system/gfx/TextureUtility.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "system/gfx/raster/PixelCodec.h"

namespace sys::gfx {
namespace {

int32_t PowerOfTwoAtLeast(int32_t side) {
  int32_t power = 1;
  while (power < side) power *= 2;
  return power;
}

// The largest power of two not above `limit` (1 for limits below 2).
int32_t PowerOfTwoAtMost(int32_t limit) {
  int32_t power = 1;
  while (power <= limit / 2) power *= 2;
  return power;
}

void FitSize(const Device3dCaps& caps, int32_t& width, int32_t& height) {
  width = PowerOfTwoAtLeast(width);
  height = PowerOfTwoAtLeast(height);
  if (caps.squareTexturesOnly) width = height = std::max(width, height);
  const int32_t widest = PowerOfTwoAtMost(caps.maxTextureWidth);
  const int32_t highest = PowerOfTwoAtMost(caps.maxTextureHeight);
  width = std::min(width, widest);
  height = std::min(height, highest);
  const int32_t ratio = std::max(1, caps.maxTextureAspectRatio);
  while (width / height > ratio && height < highest) height *= 2;
  while (height / width > ratio && width < widest) width *= 2;
}

PixelFormat ClosestFormat(const Device3dCaps& caps, const PixelFormat& asked) {
  const std::vector<PixelFormat>& offered = caps.textureFormats;
  if (offered.empty()) return asked;
  auto find = [&](auto fits) {
    auto found = std::find_if(offered.begin(), offered.end(), fits);
    return found == offered.end() ? nullptr : &*found;
  };
  if (const PixelFormat* same = find([&](const PixelFormat& f) { return f == asked; })) return *same;
  if (const PixelFormat* near = find([&](const PixelFormat& f) {
        return f.bitCount == asked.bitCount && f.HasAlpha() == asked.HasAlpha();
      })) {
    return *near;
  }
  if (const PixelFormat* alike = find([&](const PixelFormat& f) { return f.HasAlpha() == asked.HasAlpha(); })) {
    return *alike;
  }
  return offered.front();
}

// Level `level` of the chain that `texture` heads (held by the level above);
// null past its last.
Surface* LevelOf(Surface& texture, int32_t level) {
  Surface* at = &texture;
  for (int32_t n = 0; n < level; ++n) {
    std::shared_ptr<Surface> next;
    if (at->GetAttachedSurface(kCapsMipmap, next) != Result::Ok) return nullptr;
    at = next.get();
  }
  return at;
}

// Rows of 32-bit pixels `pitch` bytes apart into `area` of the surface, in
// its format: rows as they are into A8R8G8B8, without alpha into X8R8G8B8.
Result WriteArea(Surface& surface, const Rect& area, const uint8_t* pixels, size_t pitch) {
  LockedPixels locked;
  if (Result result = surface.Lock(&area, locked); result != Result::Ok) return result;
  const PixelLayout layout = LayoutOf(locked.format);
  const uint32_t bytes = locked.format.BytesPerPixel();
  const size_t rowBytes = static_cast<size_t>(locked.width) * 4;
  for (int32_t y = 0; y < locked.height; ++y) {
    const uint8_t* from = pixels + static_cast<size_t>(y) * pitch;
    uint8_t* to = locked.bits + static_cast<size_t>(y) * static_cast<size_t>(locked.pitch);
    if (layout == PixelLayout::A8R8G8B8) {
      std::memcpy(to, from, rowBytes);
    } else if (IsColourLayout(layout)) {
      for (int32_t x = 0; x < locked.width; ++x) StoreArgb(layout, to + x * bytes, ReadPixel(from + x * 4, 4));
    } else {
      for (int32_t x = 0; x < locked.width; ++x) {
        WritePixel(to + x * bytes, bytes, PixelFromArgb(locked.format, ReadPixel(from + x * 4, 4)));
      }
    }
  }
  return surface.Unlock();
}

Result WriteArea(Surface& surface, const Rect& area, const std::vector<uint32_t>& argb) {
  return WriteArea(surface, area, reinterpret_cast<const uint8_t*>(argb.data()),
                   static_cast<size_t>(area.Width()) * 4);
}

// Each pixel the average of the two by two (or fewer, at an odd edge)
// pixels it covers in the level above.
std::vector<uint32_t> HalveArea(const std::vector<uint32_t>& argb, int32_t width, int32_t height, int32_t newWidth,
                                int32_t newHeight) {
  std::vector<uint32_t> halved(static_cast<size_t>(newWidth) * static_cast<size_t>(newHeight));
  for (int32_t y = 0; y < newHeight; ++y) {
    for (int32_t x = 0; x < newWidth; ++x) {
      uint32_t sums[4] = {};
      uint32_t count = 0;
      for (int32_t sy = 2 * y; sy < std::min(2 * y + 2, height); ++sy) {
        for (int32_t sx = 2 * x; sx < std::min(2 * x + 2, width); ++sx) {
          const uint32_t pixel = argb[static_cast<size_t>(sy) * static_cast<size_t>(width) + static_cast<size_t>(sx)];
          for (int c = 0; c < 4; ++c) sums[c] += (pixel >> (8 * c)) & 0xFF;
          ++count;
        }
      }
      uint32_t average = 0;
      for (int c = 0; c < 4; ++c) average |= ((sums[c] + count / 2) / count) << (8 * c);
      halved[static_cast<size_t>(y) * static_cast<size_t>(newWidth) + static_cast<size_t>(x)] = average;
    }
  }
  return halved;
}

bool Inside(const Rect& area, const Surface& surface) {
  return !area.IsEmpty() && area.left >= 0 && area.top >= 0 && area.right <= surface.Width() &&
         area.bottom <= surface.Height();
}

}  // namespace

Result CreateTexture(Device& device, const Device3dCaps& caps, TextureRequest& request,
                     std::shared_ptr<Surface>& out) {
  if (request.width <= 0 || request.height <= 0 || request.levels < 0) return Result::InvalidArgument;
  TextureRequest made = request;
  FitSize(caps, made.width, made.height);
  made.format = ClosestFormat(caps, request.format);
  const int32_t chain = MipmapLevelsOf(made.width, made.height);
  made.levels = request.levels == 0 ? chain : std::min(request.levels, chain);
  SurfaceDesc desc;
  desc.width = made.width;
  desc.height = made.height;
  desc.caps = kCapsTexture | (caps.hardwareRasterization ? kCapsVideoMemory : kCapsSystemMemory);
  desc.format = made.format;
  desc.mipMapCount = made.levels;
  if (Result result = device.CreateSurface(desc, out); result != Result::Ok) return result;
  request = made;
  return Result::Ok;
}

Result LoadTextureFromMemory(Surface& texture, int32_t level, const uint8_t* pixels, int32_t pitch, const Rect& area) {
  if (!pixels || level < kAllLevels) return Result::InvalidArgument;
  const PixelFormat& format = texture.Format();
  if (!(format.flags & kPixelRgb) || format.IsPaletteIndexed()) return Result::InvalidPixelFormat;
  Surface* target = LevelOf(texture, std::max(level, 0));
  if (!target || !Inside(area, *target)) return Result::InvalidArgument;
  int32_t width = area.Width();
  int32_t height = area.Height();
  if (pitch == 0) pitch = width * 4;
  if (pitch < width * 4) return Result::InvalidArgument;
  if (Result result = WriteArea(*target, area, pixels, static_cast<size_t>(pitch));
      result != Result::Ok || level != kAllLevels || !LevelOf(texture, 1)) {
    return result;
  }
  std::vector<uint32_t> argb(static_cast<size_t>(width) * static_cast<size_t>(height));
  for (int32_t y = 0; y < height; ++y) {
    std::memcpy(argb.data() + static_cast<size_t>(y) * static_cast<size_t>(width),
                pixels + static_cast<size_t>(y) * static_cast<size_t>(pitch), static_cast<size_t>(width) * 4);
  }
  Rect levelArea = area;
  for (int32_t n = 1;; ++n) {
    target = LevelOf(texture, n);
    if (!target) return Result::Ok;
    const int32_t newWidth = std::max(1, width / 2);
    const int32_t newHeight = std::max(1, height / 2);
    argb = HalveArea(argb, width, height, newWidth, newHeight);
    width = newWidth;
    height = newHeight;
    levelArea = Rect{levelArea.left / 2, levelArea.top / 2, levelArea.left / 2 + width, levelArea.top / 2 + height};
    if (!Inside(levelArea, *target)) return Result::Ok;
    if (Result result = WriteArea(*target, levelArea, argb); result != Result::Ok) return result;
  }
}

}  // namespace sys::gfx
