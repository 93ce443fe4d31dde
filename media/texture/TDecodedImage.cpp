#include "media/texture/TDecodedImage.h"

#include "platform/text/Log.h"

int32_t ImageSide(const TString& name, int64_t width, int64_t height) {
  if (width < 1 || height < 1) {
    LogPrintf("Image %s has no pixels (%lld x %lld)", name.CStr(), static_cast<long long>(width),
              static_cast<long long>(height));
    return 0;
  }
  const int64_t larger = width > height ? width : height;
  if (larger > kMaxImageSide) {
    LogPrintf("Image %s is too large (%lld x %lld, at most %d on a side)", name.CStr(),
              static_cast<long long>(width), static_cast<long long>(height), kMaxImageSide);
    return 0;
  }
  int32_t side = 1;
  while (side < larger) side *= 2;
  return side;
}

TImageBytes AllocateImageBytes(const TString& name, int32_t side, int32_t bytesPerPixel) {
  const size_t count = static_cast<size_t>(side) * static_cast<size_t>(side);
  TImageBytes bytes(static_cast<uint8_t*>(std::calloc(count, static_cast<size_t>(bytesPerPixel))));
  if (!bytes) LogPrintf("Out of memory decoding image %s (side %d)", name.CStr(), side);
  return bytes;
}
