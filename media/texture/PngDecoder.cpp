#include "media/texture/PngDecoder.h"

#include <png.h>

#include <cstdint>
#include <cstdio>
#include <vector>

#include "media/texture/OpenFile.h"
#include "media/texture/RiffPalette.h"
#include "platform/text/Log.h"

namespace {

constexpr int kSignatureBytes = 8;
constexpr double kScreenGamma = 2.2;
constexpr int kRgbaBytes = 4;
constexpr int kIndexBytes = 1;

// What libpng's callbacks share with the decoder. Plain data only: the error
// handler leaves every frame up to the recovery point by a long jump.
struct PngSource {
  TFile* file;
  const char* name;
  char error[256];
};

[[noreturn]] void OnError(png_structp png, png_const_charp message) {
  PngSource* source = static_cast<PngSource*>(png_get_error_ptr(png));
  std::snprintf(source->error, sizeof source->error, "%s", message);
  png_longjmp(png, 1);
}

void OnWarning(png_structp png, png_const_charp message) {
  const PngSource* source = static_cast<const PngSource*>(png_get_error_ptr(png));
  LogPrintf("PNG warning in %s: %s", source->name, message);
}

void ReadFromFile(png_structp png, png_bytep bytes, size_t count) {
  PngSource* source = static_cast<PngSource*>(png_get_io_ptr(png));
  if (count > INT32_MAX ||
      FileRead(source->file, bytes, static_cast<int32_t>(count)) != static_cast<int32_t>(count)) {
    png_error(png, "Read Error");
  }
}

// Recovery points. libpng leaves a failing call by a long jump back to the
// function that set the point, so each call that may fail is made from one
// of these small functions, which hold nothing that needs destroying.

bool ReadInfo(png_structp png, png_infop info) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_sig_bytes(png, kSignatureBytes);
  png_read_info(png, info);
  return true;
}

bool SetPalette(png_structp png, png_infop info, const png_color* colours, int count) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_PLTE(png, info, colours, count);
  return true;
}

// Asks for blue, green, red, alpha pixels of 8 bits (or the palette's own
// indices) and updates the info to what reading will give.
bool SetTransforms(png_structp png, png_infop info, bool wantIndices) {
  if (setjmp(png_jmpbuf(png))) return false;
  const png_byte colourType = png_get_color_type(png, info);
  png_set_strip_16(png);
  if (colourType == PNG_COLOR_TYPE_PALETTE && !wantIndices) png_set_palette_to_rgb(png);
  if (colourType == PNG_COLOR_TYPE_GRAY && png_get_bit_depth(png, info) < 8) {
    png_set_expand_gray_1_2_4_to_8(png);
  }
  if (png_get_valid(png, info, PNG_INFO_tRNS) && !wantIndices) png_set_tRNS_to_alpha(png);
  if (colourType == PNG_COLOR_TYPE_GRAY || colourType == PNG_COLOR_TYPE_GRAY_ALPHA) {
    png_set_gray_to_rgb(png);
  }
  png_set_filler(png, 0xff, PNG_FILLER_AFTER);
  png_set_bgr(png);
  double fileGamma = 0;
  if (png_get_gAMA(png, info, &fileGamma)) png_set_gamma(png, kScreenGamma, fileGamma);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  return true;
}

bool ReadRows(png_structp png, png_infop info, png_bytepp rows) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_read_image(png, rows);
  png_read_end(png, info);
  return true;
}

// One decode: owns libpng's structures, reads from an open file.
class PngReader {
 public:
  PngReader(TFile* file, const TString& name) : mName(name), mSource{file, mName.CStr(), ""} {
    mPng = png_create_read_struct(PNG_LIBPNG_VER_STRING, &mSource, OnError, OnWarning);
    if (mPng) mInfo = png_create_info_struct(mPng);
    if (mInfo) png_set_read_fn(mPng, &mSource, ReadFromFile);
  }
  ~PngReader() {
    if (mPng) png_destroy_read_struct(&mPng, mInfo ? &mInfo : nullptr, nullptr);
  }
  PngReader(const PngReader&) = delete;
  PngReader& operator=(const PngReader&) = delete;

  bool Read(const TString& paletteName, bool wantIndices, TDecodedImage& image) {
    if (!mInfo) return Fail("the library could not be set up");
    if (!ReadInfo(mPng, mInfo)) return FailInLibrary();
    image.width = static_cast<int32_t>(png_get_image_width(mPng, mInfo));
    image.height = static_cast<int32_t>(png_get_image_height(mPng, mInfo));
    image.side = ImageSide(mName, png_get_image_width(mPng, mInfo), png_get_image_height(mPng, mInfo));
    if (image.side == 0) return false;
    if (png_get_valid(mPng, mInfo, PNG_INFO_PLTE)) {
      if (!ReplacePaletteColours(paletteName)) return FailInLibrary();
      image.palette = PaletteTable();
    }
    if (!SetTransforms(mPng, mInfo, wantIndices)) return FailInLibrary();
    if (!CheckLayout(wantIndices)) return false;
    image.hasAlpha = (png_get_color_type(mPng, mInfo) & PNG_COLOR_MASK_ALPHA) ||
                     (wantIndices && Translucent(image.palette.get()));
    return ReadPixels(wantIndices ? kIndexBytes : kRgbaBytes, image);
  }

 private:
  bool Fail(const char* what) {
    LogPrintf("Unable to decode PNG %s: %s", mName.CStr(), what);
    return false;
  }
  bool FailInLibrary() { return Fail(mSource.error); }

  // Colours of a RIFF palette file replace the image's palette colours in
  // order; a missing file or one that is no RIFF palette changes nothing.
  bool ReplacePaletteColours(const TString& paletteName) {
    if (paletteName.IsEmpty()) return true;
    OpenFile file(FileOpen(paletteName, kFileReadBinary));
    std::vector<TRiffPaletteEntry> entries;
    if (!file || !ReadRiffPalette(file.get(), entries)) {
      LogPrintf("Palette %s for %s is missing or no RIFF palette", paletteName.CStr(), mName.CStr());
      return true;
    }
    png_colorp colours = nullptr;
    int count = 0;
    png_get_PLTE(mPng, mInfo, &colours, &count);
    png_color replaced[PNG_MAX_PALETTE_LENGTH];
    for (int i = 0; i < count; i++) replaced[i] = colours[i];
    for (int i = 0; i < count && i < static_cast<int>(entries.size()); i++) {
      replaced[i] = {entries[i].red, entries[i].green, entries[i].blue};
    }
    return SetPalette(mPng, mInfo, replaced, count);
  }

  std::unique_ptr<TPaletteEntry[]> PaletteTable() {
    auto table = std::make_unique<TPaletteEntry[]>(kPaletteEntries);
    png_colorp colours = nullptr;
    int count = 0;
    png_get_PLTE(mPng, mInfo, &colours, &count);
    png_bytep alphas = nullptr;
    int alphaCount = 0;
    if (png_get_valid(mPng, mInfo, PNG_INFO_tRNS)) png_get_tRNS(mPng, mInfo, &alphas, &alphaCount, nullptr);
    for (int i = 0; i < kPaletteEntries; i++) {
      if (i < count) table[i] = {colours[i].blue, colours[i].green, colours[i].red, 0};
      table[i].alpha = i < alphaCount ? alphas[i] : 0xff;
    }
    return table;
  }

  static bool Translucent(const TPaletteEntry* palette) {
    for (int i = 0; palette && i < kPaletteEntries; i++) {
      if (palette[i].alpha < 0xff) return true;
    }
    return false;
  }

  // What reading will give must be what the buffer is made for.
  bool CheckLayout(bool wantIndices) {
    const png_byte colourType = png_get_color_type(mPng, mInfo);
    const png_byte depth = png_get_bit_depth(mPng, mInfo);
    if (wantIndices) {
      if (colourType == PNG_COLOR_TYPE_PALETTE && depth == 8) return true;
      return Fail("palette indices asked for, but it is no palette image of 8 bits");
    }
    if (depth == 8 && png_get_channels(mPng, mInfo) == kRgbaBytes) return true;
    return Fail("the library gives no 4-byte pixels for it");
  }

  bool ReadPixels(int32_t pixelBytes, TDecodedImage& image) {
    const size_t rowBytes = static_cast<size_t>(image.side) * static_cast<size_t>(pixelBytes);
    if (png_get_rowbytes(mPng, mInfo) > rowBytes) return Fail("its rows are longer than the image");
    image.pixels = AllocateImageBytes(mName, image.side, pixelBytes);
    if (!image.pixels) return false;
    std::vector<png_bytep> rows(static_cast<size_t>(image.height));
    for (size_t row = 0; row < rows.size(); row++) rows[row] = image.pixels.get() + row * rowBytes;
    return ReadRows(mPng, mInfo, rows.data()) || FailInLibrary();
  }

  const TString mName;
  PngSource mSource;
  png_structp mPng = nullptr;
  png_infop mInfo = nullptr;
};

}  // namespace

bool DecodePng(const TString& name, const TString& paletteName, bool wantIndices, TDecodedImage& image) {
  image = TDecodedImage();
  OpenFile file(FileOpen(name, kFileReadBinary));
  if (!file) {
    LogPrintf("Unable to open image %s", name.CStr());
    return false;
  }
  png_byte signature[kSignatureBytes];
  if (FileRead(file.get(), signature, kSignatureBytes) != kSignatureBytes ||
      png_sig_cmp(signature, 0, kSignatureBytes) != 0) {
    LogPrintf("Unable to decode PNG %s: no PNG signature", name.CStr());
    return false;
  }
  TDecodedImage decoded;
  if (!PngReader(file.get(), name).Read(paletteName, wantIndices, decoded)) return false;
  image = std::move(decoded);
  return true;
}
