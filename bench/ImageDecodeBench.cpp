// The image decoders against the bare libraries: a 1024 x 1024 RGBA PNG and a
// 1024 x 768 colour JPEG, decoded by our decoders from a file through the file
// layer into the square buffer, and by libpng or libjpeg from the same bytes
// in memory into a plain buffer of the image's size. Each iteration runs both
// sides; each side's figure is its fastest run, which other work on the
// machine cannot make faster. Counters: MB/s of decoded pixels (4 bytes
// each) for each side, and "ratio", our time over the library's (goal: 1.15
// or less).

#include <benchmark/benchmark.h>
#include <png.h>

#include <algorithm>
#include <chrono>
#include <csetjmp>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <memory>
#include <string>
// jpeglib.h needs size_t and FILE declared first.
#include <jpeglib.h>

#include "bench/BenchFolder.h"
#include "bench/support/SpeedGoals.h"
#include "media/texture/JpegDecoder.h"
#include "media/texture/PngDecoder.h"
#include "tests/media/texture/ImageFiles.h"

namespace {

using Clock = std::chrono::steady_clock;

const SpeedGoals kGoals{
    {"DecodeRgbaPng", "ratio", Goal::kAtMost, 1.15},
    {"DecodeColourJpeg", "ratio", Goal::kAtMost, 1.15},
};

double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

struct MemoryReader {
  const std::string* bytes;
  size_t at;
};

void ReadFromMemory(png_structp png, png_bytep out, size_t count) {
  MemoryReader* reader = static_cast<MemoryReader*>(png_get_io_ptr(png));
  if (count > reader->bytes->size() - reader->at) png_error(png, "Read Error");
  std::copy_n(reader->bytes->data() + reader->at, count, out);
  reader->at += count;
}

// libpng alone: the same bytes from memory into blue, green, red, alpha rows.
void LibraryDecodePng(const std::string& bytes) {
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) std::abort();
  MemoryReader reader{&bytes, 0};
  png_set_read_fn(png, &reader, ReadFromMemory);
  png_read_info(png, info);
  png_set_bgr(png);
  png_read_update_info(png, info);
  const size_t width = png_get_image_width(png, info);
  const size_t height = png_get_image_height(png, info);
  auto pixels = std::make_unique_for_overwrite<png_byte[]>(width * height * 4);
  auto rows = std::make_unique_for_overwrite<png_bytep[]>(height);
  for (size_t y = 0; y < height; y++) rows[y] = pixels.get() + y * width * 4;
  png_read_image(png, rows.get());
  png_read_end(png, nullptr);
  png_destroy_read_struct(&png, &info, nullptr);
  benchmark::DoNotOptimize(pixels.get());
}

// libjpeg alone: the same bytes from memory into blue, green, red, 255 rows.
void LibraryDecodeJpeg(const std::string& bytes) {
  jpeg_decompress_struct cinfo;
  jpeg_error_mgr errors;
  cinfo.err = jpeg_std_error(&errors);
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
  jpeg_read_header(&cinfo, TRUE);
  cinfo.out_color_space = JCS_EXT_BGRA;
  jpeg_start_decompress(&cinfo);
  const size_t rowBytes = static_cast<size_t>(cinfo.output_width) * 4;
  auto pixels = std::make_unique_for_overwrite<JSAMPLE[]>(rowBytes * cinfo.output_height);
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW row = pixels.get() + cinfo.output_scanline * rowBytes;
    jpeg_read_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  benchmark::DoNotOptimize(pixels.get());
}

template <class Ours, class Library>
void Compare(benchmark::State& state, double pixelBytes, Ours ours, Library library) {
  double oursFastest = std::numeric_limits<double>::max();
  double libraryFastest = std::numeric_limits<double>::max();
  for (auto _ : state) {
    Clock::time_point start = Clock::now();
    if (!ours()) {
      state.SkipWithError("our decoder failed");
      return;
    }
    oursFastest = std::min(oursFastest, SecondsSince(start));
    start = Clock::now();
    library();
    libraryFastest = std::min(libraryFastest, SecondsSince(start));
  }
  state.counters["ours_MBps"] = pixelBytes / oursFastest / 1e6;
  state.counters["library_MBps"] = pixelBytes / libraryFastest / 1e6;
  state.counters["ratio"] = oursFastest / libraryFastest;
}

void DecodeRgbaPng(benchmark::State& state) {
  BenchFolder folder;
  const std::string bytes = PngBytes({.width = 1024, .height = 1024, .rows = PictureSamples(1024, 1024, 4)});
  const TString name = ("::" + folder.Write("picture.png", bytes)).c_str();
  Compare(
      state, 1024.0 * 1024 * 4,
      [&] {
        TDecodedImage image;
        return DecodePng(name, "", false, image);
      },
      [&] { LibraryDecodePng(bytes); });
}
BENCHMARK(DecodeRgbaPng)->MinTime(1.0)->UseRealTime();

void DecodeColourJpeg(benchmark::State& state) {
  BenchFolder folder;
  const std::string bytes =
      JpegBytes({.width = 1024, .height = 768, .samples = PictureSamples(1024, 768, 3)});
  const TString name = ("::" + folder.Write("picture.jpg", bytes)).c_str();
  Compare(
      state, 1024.0 * 768 * 4,
      [&] {
        TDecodedImage image;
        return DecodeJpeg(name, image);
      },
      [&] { LibraryDecodeJpeg(bytes); });
}
BENCHMARK(DecodeColourJpeg)->MinTime(1.0)->UseRealTime();

}  // namespace
