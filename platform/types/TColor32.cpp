#include "platform/types/TColor32.h"

namespace {

uint8_t ChannelByte(float channel) {
  float scaled = channel * 255.0f;
  if (!(scaled > 0)) return 0;  // also not a number
  if (scaled >= 255) return 255;
  return static_cast<uint8_t>(scaled);
}

}  // namespace

TColor32::TColor32(const TColor& color)
    : TColor32(ChannelByte(color.r), ChannelByte(color.g), ChannelByte(color.b),
               ChannelByte(color.a)) {}
