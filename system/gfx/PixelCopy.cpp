#include "system/gfx/PixelCopy.h"

#include <cstring>
#include <vector>

namespace sys::gfx {
namespace {

// For each target position of a span, the source position it takes.
struct MappedSpan {
  int32_t first = 0;  // target positions [first, first + source.size())
  std::vector<int32_t> source;
  bool contiguous = true;  // source positions follow one another
};

MappedSpan MapSpan(int32_t toStart, int32_t toSize, int32_t fromStart, int32_t fromSize, int32_t clipStart,
             int32_t clipEnd, int32_t sourceLimit) {
  MappedSpan span;
  int32_t begin = std::max(toStart, clipStart);
  int32_t end = std::min(toStart + toSize, clipEnd);
  bool scaled = toSize != fromSize;
  for (int32_t position = begin; position < end; ++position) {
    int64_t offset = position - toStart;
    int32_t source = fromStart + (scaled ? static_cast<int32_t>((2 * offset + 1) * fromSize / (2 * toSize))
                                         : static_cast<int32_t>(offset));
    if (source < 0 || source >= sourceLimit) {
      if (!span.source.empty()) break;  // positions grow with the target: nothing further fits
      continue;
    }
    if (span.source.empty()) span.first = position;
    if (!span.source.empty() && source != span.source.back() + 1) span.contiguous = false;
    span.source.push_back(source);
  }
  return span;
}

uint32_t LowBits(uint32_t bitCount) { return bitCount >= 32 ? 0xFFFFFFFFu : (1u << bitCount) - 1; }

// Turns one source pixel value into the target's.
class Converter {
 public:
  Converter(const PixelFormat& source, const PixelFormat& target, const uint32_t* palette)
      : mSource(source), mTarget(target), mPalette(palette), mSame(source == target) {}

  uint32_t operator()(uint32_t pixel) const {
    if (mSame) return pixel;
    uint32_t argb = mSource.IsPaletteIndexed() ? mPalette[pixel & 0xFF] : ArgbFromPixel(mSource, pixel);
    return PixelFromArgb(mTarget, argb);
  }

 private:
  PixelFormat mSource;
  PixelFormat mTarget;
  const uint32_t* mPalette;
  bool mSame;
};

uint8_t* Row(const LockedPixels& plane, int32_t y) {
  return plane.bits + static_cast<size_t>(y) * static_cast<size_t>(plane.pitch);
}

}  // namespace

Result CheckCopy(const PixelFormat& source, const PixelFormat& target, bool sourceHasPalette) {
  if (source.IsDepth() || target.IsDepth()) return source == target ? Result::Ok : Result::Unsupported;
  if (target.IsPaletteIndexed()) return source.IsPaletteIndexed() ? Result::Ok : Result::Unsupported;
  if (source.IsPaletteIndexed() && !sourceHasPalette) return Result::NoPalette;
  return Result::Ok;
}

void FillPixels(const LockedPixels& target, const Rect& area, uint32_t pixel) {
  if (area.IsEmpty()) return;
  uint32_t bytes = target.format.BytesPerPixel();
  size_t rowBytes = static_cast<size_t>(area.Width()) * bytes;
  uint8_t* first = Row(target, area.top) + static_cast<size_t>(area.left) * bytes;
  // One row pixel by pixel, doubling what is written, then row by row.
  WritePixel(first, bytes, pixel);
  for (size_t done = bytes; done < rowBytes; done *= 2) {
    std::memcpy(first + done, first, std::min(done, rowBytes - done));
  }
  for (int32_t y = area.top + 1; y < area.bottom; ++y) {
    std::memcpy(Row(target, y) + static_cast<size_t>(area.left) * bytes, first, rowBytes);
  }
}

void CopyPixels(const LockedPixels& source, const Rect& from, const LockedPixels& target, const Rect& to,
                const Rect& clip, const CopyOptions& options) {
  MappedSpan columns = MapSpan(to.left, to.Width(), from.left, from.Width(), clip.left, clip.right, source.width);
  MappedSpan rows = MapSpan(to.top, to.Height(), from.top, from.Height(), clip.top, clip.bottom, source.height);
  if (columns.source.empty() || rows.source.empty()) return;
  uint32_t sourceBytes = source.format.BytesPerPixel();
  uint32_t targetBytes = target.format.BytesPerPixel();
  Converter convert(source.format, target.format, options.palette);
  uint32_t keyMask = source.format.ColourBits() ? source.format.ColourBits() : LowBits(source.format.bitCount);
  uint32_t keyLow = options.keyLow & keyMask;
  uint32_t keyHigh = options.keyHigh & keyMask;
  bool rawRows = source.format == target.format && columns.contiguous && !options.keyed;
  for (size_t row = 0; row < rows.source.size(); ++row) {
    const uint8_t* sourceRow = Row(source, rows.source[row]);
    uint8_t* targetRow = Row(target, rows.first + static_cast<int32_t>(row)) +
                         static_cast<size_t>(columns.first) * targetBytes;
    if (rawRows) {
      std::memcpy(targetRow, sourceRow + static_cast<size_t>(columns.source.front()) * sourceBytes,
                  columns.source.size() * sourceBytes);
      continue;
    }
    for (size_t column = 0; column < columns.source.size(); ++column) {
      uint32_t pixel = ReadPixel(sourceRow + static_cast<size_t>(columns.source[column]) * sourceBytes, sourceBytes);
      if (options.keyed && (pixel & keyMask) >= keyLow && (pixel & keyMask) <= keyHigh) continue;
      WritePixel(targetRow + column * targetBytes, targetBytes, convert(pixel));
    }
  }
}

}  // namespace sys::gfx
