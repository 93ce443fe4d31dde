// Texture data: loading images into surfaces, masks, palettes, release and
// restore.
#include "media/texture/TDxTextureData.h"

#include <algorithm>
#include <cstring>

#include "media/display/DisplayRules.h"
#include "media/texture/JpegDecoder.h"
#include "media/texture/OpenFile.h"
#include "media/texture/PngDecoder.h"
#include "media/texture/RiffPalette.h"
#include "media/texture/TDecodedImage.h"
#include "media/display/TDxDisplayHandler.h"
#include "platform/TPlatform.h"
#include "platform/file/FileIndex.h"
#include "platform/text/Log.h"
#include "system/gfx/Surface.h"

using sys::gfx::Result;

namespace {

constexpr char kDefaultPalette[] = "default";

bool HasImageExtension(const TString& name) { return name.Find(".png") >= 0 || name.Find(".jpg") >= 0; }

// By the name's extension; indices and the palette file only for PNG files.
bool DecodeImage(const TString& fileName, const TString& paletteName, bool indices, TDecodedImage& image) {
  if (fileName.Find(".png") >= 0) return DecodePng(fileName, paletteName, indices, image);
  if (fileName.Find(".jpg") >= 0) return DecodeJpeg(fileName, image);
  LogPrintf("TDxTextureData::Load: %s is no PNG or JPEG file", fileName.CStr());
  return false;
}

int32_t PowerOfTwoAtLeast(int32_t side) {
  int32_t power = 1;
  while (power < side) power *= 2;
  return power;
}

uint32_t EntryValue(const TPaletteEntry& entry) {
  return uint32_t{entry.alpha} << 24 | uint32_t{entry.red} << 16 | uint32_t{entry.green} << 8 | entry.blue;
}

}  // namespace

TDxDisplayHandler* InstalledDxDisplay() {
  TPlatform* platform = TPlatform::Instance();
  return platform ? dynamic_cast<TDxDisplayHandler*>(platform->GetDisplayHandler()) : nullptr;
}

TDxTextureData::~TDxTextureData() { DropSurface(); }

// A depth buffer made for a render texture goes with it.
void TDxTextureData::DropSurface() {
  if (!mSurface) return;
  std::shared_ptr<sys::gfx::Surface> depth;
  if (mSurface->GetAttachedSurface(sys::gfx::kCapsDepthBuffer, depth) == Result::Ok) mSurface->DetachSurface(*depth);
  mSurface.reset();
  mLockBuffer.clear();
  mLockBuffered = false;
}

void TDxTextureData::Release() { DropSurface(); }

void TDxTextureData::Restore() {
  TDxDisplayHandler* display = InstalledDxDisplay();
  if (!mImageName.IsEmpty()) {
    const char* mask = mMaskName.IsEmpty() ? nullptr : mMaskName.CStr();
    if (Load(mImageName.CStr(), mask)) return;
    if (mask) {
      LogPrintf("TDxTextureData::Restore: Failed to restore from file %s and %s.", mImageName.CStr(), mask);
    } else {
      LogPrintf("TDxTextureData::Restore: Failed to restore from file %s.", mImageName.CStr());
    }
  } else {
    if (CreateSurface(mWidth, mHeight)) return;
    LogPrintf("TDxTextureData::Restore: Failed to make a surface of %d x %d.", mWidth, mHeight);
  }
  if (display) display->MarkBroken();
}

bool TDxTextureData::Load(const char* name, const char* mask) {
  if (!name) return false;
  const TString passed = name;
  const TTextureOptions options = ParseTextureOptions(passed);
  mFlags = options.Apply(mFlags);
  if (!FileExists(options.fileName)) return LoadWithExtension(options.fileName, options.optionText, mask);
  TDecodedImage image;
  if (!DecodeImage(options.fileName, options.paletteName, (mFlags & kPalettized) != 0, image)) return false;
  if (options.fileName.Find(".png") >= 0 && (mFlags & kAutomaticAlpha)) {
    mFlags = image.hasAlpha ? (mFlags | kAlpha) : (mFlags & ~kAlpha);
  }
  if (mask) {
    switch (ApplyMask(mask, image)) {
      case MaskResult::Applied: break;
      case MaskResult::Failed: return false;
      case MaskResult::Missing: return LoadWithMaskExtension(name, mask);
    }
  }
  if (!MakeSurfaceFor(image) || !Fill(image, options.fileName)) return false;
  if (mask) mMaskName = mask;
  mImageName = passed;
  return true;
}

// A name without an extension is looked for as a PNG file, then as a JPEG
// file, with the options it came with.
bool TDxTextureData::LoadWithExtension(const TString& fileName, const TString& optionText, const char* mask) {
  if (HasImageExtension(fileName)) {
    LogPrintf("TDxTextureData::Load: no file %s", fileName.CStr());
    return false;
  }
  if (Load((fileName + ".png" + optionText).CStr(), mask)) return true;
  return Load((fileName + ".jpg" + optionText).CStr(), mask);
}

// The mask's red becomes the image's alpha when both have the same side. An
// image of palette indices has no alpha to take it.
TDxTextureData::MaskResult TDxTextureData::ApplyMask(const char* mask, TDecodedImage& image) {
  const TString maskName = mask;
  if (!FileExists(maskName)) return MaskResult::Missing;
  TDecodedImage maskImage;
  if (!DecodeImage(maskName, "", false, maskImage)) return MaskResult::Failed;
  if (maskImage.side != image.side) return MaskResult::Applied;
  if (mFlags & kPalettized) {
    LogPrintf("TDxTextureData::Load: the mask %s is ignored for palette indices", mask);
    return MaskResult::Applied;
  }
  const size_t count = static_cast<size_t>(image.side) * static_cast<size_t>(image.side);
  for (size_t i = 0; i < count; ++i) image.pixels[i * 4 + 3] = maskImage.pixels[i * 4 + 2];
  return MaskResult::Applied;
}

// A mask named without its extension is looked for as a JPEG file, then as a
// PNG file; a JPEG file that is not there is a step of that search, not a
// problem to report.
bool TDxTextureData::LoadWithMaskExtension(const char* name, const char* mask) {
  const TString maskName = mask;
  if (HasImageExtension(maskName)) {
    LogPrintf("TDxTextureData::Load: no mask file %s", mask);
    return false;
  }
  const TString jpegMask = maskName + ".jpg";
  if (FileExists(jpegMask) && Load(name, jpegMask.CStr())) return true;
  return Load(name, (maskName + ".png").CStr());
}

// The surface is as wide as the decoded square and as high as the smallest
// power of two that holds the image, or square where the device needs it.
bool TDxTextureData::MakeSurfaceFor(const TDecodedImage& image) {
  TDxDisplayHandler* display = InstalledDxDisplay();
  const bool square = display && display->RequiresSquareTextures() && !(mFlags & kSimple);
  const int32_t width = image.side;
  const int32_t height = square ? image.side : PowerOfTwoAtLeast(image.height);
  if (!CreateSurface(width, height)) return false;
  mMarginX = (width - image.width) / 2;
  mMarginY = (height - image.height) / 2;
  mWidth = image.width;
  mHeight = image.height;
  return true;
}

bool TDxTextureData::Fill(const TDecodedImage& image, const TString& fileName) {
  if (mFlags & kPalettized) return FillPalettized(image, fileName);
  return CopyIn(image.pixels.get(), image.side, true);
}

// The indices go in row by row, the image's palette becomes the surface's
// and, read back from it, the "default" palette. A device step that fails
// leaves the surface as it is.
bool TDxTextureData::FillPalettized(const TDecodedImage& image, const TString& fileName) {
  if (!image.palette) {
    LogPrintf("TDxTextureData::Load: %s has no palette for its indices", fileName.CStr());
    return false;
  }
  TDxDisplayHandler* display = InstalledDxDisplay();
  sys::gfx::Device* device = display ? display->GetData().mDirectDraw : nullptr;
  if (!device || !mSurface) return true;
  PaletteTable entries{};
  for (int i = 0; i < kPaletteEntries; ++i) entries[static_cast<size_t>(i)] = EntryValue(image.palette[i]);
  std::shared_ptr<sys::gfx::Palette> palette;
  if (device->CreatePalette(entries, palette) != Result::Ok || mSurface->SetPalette(palette) != Result::Ok) {
    return true;
  }
  sys::gfx::LockedPixels locked;
  if (Result result = mSurface->Lock(nullptr, locked); result != Result::Ok) {
    CheckVideoMemory(result);
    return true;
  }
  const size_t rowBytes = static_cast<size_t>(std::min(image.side, locked.width));
  for (int32_t y = 0; y < std::min(image.height, locked.height); ++y) {
    std::memcpy(locked.bits + static_cast<size_t>(y) * static_cast<size_t>(locked.pitch),
                image.pixels.get() + static_cast<size_t>(y) * static_cast<size_t>(image.side), rowBytes);
  }
  PaletteTable readBack{};
  if (palette->GetEntries(0, sys::gfx::Palette::kEntries, readBack.data()) == Result::Ok) {
    mNamedPalettes[kDefaultPalette] = readBack;
    mCurrentPalette = &mNamedPalettes[kDefaultPalette];
  }
  mSurface->Unlock();
  return true;
}

// A palette file read once is kept by its name; it colours only the copies
// made through the palette, never the surface's own palette.
void TDxTextureData::ActivatePalette(const TString& name) {
  if (!(mFlags & kPalettized)) return;
  if (mNamedPalettes.find(name) == mNamedPalettes.end()) {
    OpenFile file(FileOpen(name, kFileReadBinary));
    if (!file) return;
    std::shared_ptr<sys::gfx::Palette> surfacePalette;
    PaletteTable table{};
    if (mSurface && mSurface->GetPalette(surfacePalette) == Result::Ok) table = surfacePalette->Snapshot();
    std::vector<TRiffPaletteEntry> colours;
    if (ReadRiffPalette(file.get(), colours)) {
      for (size_t i = 0; i < colours.size(); ++i) {
        const TRiffPaletteEntry& colour = colours[i];
        table[i] = (table[i] & 0xFF000000u) | uint32_t{colour.red} << 16 | uint32_t{colour.green} << 8 | colour.blue;
      }
      mNamedPalettes[name] = table;
    }
  }
  auto found = mNamedPalettes.find(name);
  if (found == mNamedPalettes.end()) {
    LogPrintf("Unable to activate palette: %s", name.CStr());
    return;
  }
  mCurrentPalette = &found->second;
}
