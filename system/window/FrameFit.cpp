#include "system/window/FrameFit.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace sys {
namespace {

int32_t Clamp(int32_t value, int32_t low, int32_t high) { return std::max(low, std::min(value, high)); }

void FillBlack(uint8_t* row, int32_t from, int32_t to) {
  if (to > from) std::memset(row + 4 * static_cast<size_t>(from), 0, 4 * static_cast<size_t>(to - from));
}

}  // namespace

FrameFit FrameFit::Of(int32_t clientWidth, int32_t clientHeight, int32_t frameWidth, int32_t frameHeight,
                      bool scaleToFit) {
  FrameFit fit;
  fit.frameWidth = frameWidth;
  fit.frameHeight = frameHeight;
  fit.width = frameWidth;
  fit.height = frameHeight;
  if (!scaleToFit || frameWidth <= 0 || frameHeight <= 0) return fit;
  // Whichever side fills the client area first sets the scale.
  int64_t wideByHeight = static_cast<int64_t>(clientHeight) * frameWidth;
  int64_t wideByWidth = static_cast<int64_t>(clientWidth) * frameHeight;
  if (wideByHeight <= wideByWidth) {
    fit.height = clientHeight;
    fit.width = static_cast<int32_t>(wideByHeight / frameHeight);
  } else {
    fit.width = clientWidth;
    fit.height = static_cast<int32_t>(wideByWidth / frameWidth);
  }
  fit.x = (clientWidth - fit.width) / 2;
  fit.y = (clientHeight - fit.height) / 2;
  return fit;
}

void FrameFit::ToFrame(int32_t& px, int32_t& py) const {
  if (width <= 0 || height <= 0) return;
  px = Clamp(static_cast<int32_t>(static_cast<int64_t>(px - x) * frameWidth / width), 0, frameWidth - 1);
  py = Clamp(static_cast<int32_t>(static_cast<int64_t>(py - y) * frameHeight / height), 0, frameHeight - 1);
}

void FrameFit::FromFrame(int32_t& px, int32_t& py) const {
  if (frameWidth <= 0 || frameHeight <= 0) return;
  // The middle of the client pixels that show this frame pixel.
  px = x + static_cast<int32_t>((2 * static_cast<int64_t>(px) + 1) * width / (2 * frameWidth));
  py = y + static_cast<int32_t>((2 * static_cast<int64_t>(py) + 1) * height / (2 * frameHeight));
}

void DrawFittedFrame(const FrameView& frame, const FrameFit& fit, uint8_t* client, int32_t clientPitch,
                     int32_t clientWidth, int32_t clientHeight) {
  int32_t left = Clamp(fit.x, 0, clientWidth);
  int32_t right = Clamp(fit.x + fit.width, left, clientWidth);
  bool sameSize = fit.width == frame.width && fit.height == frame.height;
  std::vector<int32_t> sourceColumn;
  if (!sameSize) {
    sourceColumn.resize(static_cast<size_t>(right - left));
    for (int32_t x = left; x < right; ++x) {
      sourceColumn[static_cast<size_t>(x - left)] =
          static_cast<int32_t>((2 * static_cast<int64_t>(x - fit.x) + 1) * frame.width / (2 * fit.width));
    }
  }
  for (int32_t y = 0; y < clientHeight; ++y) {
    uint8_t* row = client + static_cast<size_t>(y) * static_cast<size_t>(clientPitch);
    int32_t inFrame = y - fit.y;
    if (inFrame < 0 || inFrame >= fit.height || left == right) {
      FillBlack(row, 0, clientWidth);
      continue;
    }
    FillBlack(row, 0, left);
    FillBlack(row, right, clientWidth);
    int32_t sourceY = sameSize ? inFrame
                               : static_cast<int32_t>((2 * static_cast<int64_t>(inFrame) + 1) * frame.height /
                                                      (2 * fit.height));
    const uint8_t* source = frame.pixels + static_cast<size_t>(sourceY) * static_cast<size_t>(frame.pitch);
    if (sameSize) {
      std::memcpy(row + 4 * static_cast<size_t>(left), source + 4 * static_cast<size_t>(left - fit.x),
                  4 * static_cast<size_t>(right - left));
      continue;
    }
    for (int32_t x = left; x < right; ++x) {
      size_t column = static_cast<size_t>(sourceColumn[static_cast<size_t>(x - left)]);
      std::memcpy(row + 4 * static_cast<size_t>(x), source + 4 * column, 4);
    }
  }
}

}  // namespace sys
