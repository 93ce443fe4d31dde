#include "media/texture/JpegDecoder.h"

#include <csetjmp>
#include <cstddef>
#include <cstdint>
#include <cstdio>
// jpeglib.h needs size_t and FILE declared first.
#include <jerror.h>
#include <jpeglib.h>

#include "media/texture/OpenFile.h"
#include "platform/text/Log.h"

namespace {

constexpr long kMaxLibraryMemory = 16L << 20;
constexpr int32_t kPixelBytes = 4;
constexpr int32_t kReadBlockBytes = 4096;
// Real progressive images have about ten scans; a file of thousands of tiny
// scans would keep the decoder busy for minutes.
constexpr int kMaxScans = 500;

// The library's error manager with the recovery point its errors jump to.
// Plain data only: an error leaves every frame up to the recovery point by a
// long jump.
struct JpegErrors {
  jpeg_error_mgr manager;
  jmp_buf recovery;
  const char* name;
  char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void OnError(j_common_ptr cinfo) {
  JpegErrors* errors = reinterpret_cast<JpegErrors*>(cinfo->err);
  errors->manager.format_message(cinfo, errors->message);
  std::longjmp(errors->recovery, 1);
}

// Ends the decode with a message of our own, as the library's errors do.
[[noreturn]] void Abandon(j_common_ptr cinfo, const char* why) {
  JpegErrors* errors = reinterpret_cast<JpegErrors*>(cinfo->err);
  std::snprintf(errors->message, sizeof errors->message, "%s", why);
  std::longjmp(errors->recovery, 1);
}

void WatchScans(j_common_ptr cinfo) {
  if (reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number > kMaxScans) {
    Abandon(cinfo, "too many scans");
  }
}

// Warnings and traces go to the log instead of the standard error stream.
void OnMessage(j_common_ptr cinfo) {
  JpegErrors* errors = reinterpret_cast<JpegErrors*>(cinfo->err);
  char text[JMSG_LENGTH_MAX];
  errors->manager.format_message(cinfo, text);
  LogPrintf("JPEG warning in %s: %s", errors->name, text);
}

// Reads the compressed data through the file layer in blocks.
struct FileSource {
  jpeg_source_mgr manager;
  TFile* file;
  bool startOfFile;
  JOCTET block[kReadBlockBytes];
};

FileSource* SourceOf(j_decompress_ptr cinfo) { return reinterpret_cast<FileSource*>(cinfo->src); }

void InitSource(j_decompress_ptr cinfo) { SourceOf(cinfo)->startOfFile = true; }

// A file that ends early gets an end-of-image marker, so that what came
// decodes and the rest of the image reads as missing.
boolean FillInputBuffer(j_decompress_ptr cinfo) {
  FileSource* source = SourceOf(cinfo);
  int32_t got = FileRead(source->file, source->block, kReadBlockBytes);
  if (got <= 0) {
    if (source->startOfFile) ERREXIT(cinfo, JERR_INPUT_EMPTY);
    WARNMS(cinfo, JWRN_JPEG_EOF);
    source->block[0] = 0xFF;
    source->block[1] = JPEG_EOI;
    got = 2;
  }
  source->manager.next_input_byte = source->block;
  source->manager.bytes_in_buffer = static_cast<size_t>(got);
  source->startOfFile = false;
  return TRUE;
}

void SkipInputData(j_decompress_ptr cinfo, long count) {
  if (count <= 0) return;
  jpeg_source_mgr* manager = cinfo->src;
  while (count > static_cast<long>(manager->bytes_in_buffer)) {
    count -= static_cast<long>(manager->bytes_in_buffer);
    FillInputBuffer(cinfo);
  }
  manager->next_input_byte += count;
  manager->bytes_in_buffer -= static_cast<size_t>(count);
}

void TermSource(j_decompress_ptr) {}

// Recovery points. The library leaves a failing call by a long jump to the
// point set last, so each call that may fail is made from one of these small
// functions, which hold nothing that needs destroying.

bool Create(j_decompress_ptr cinfo, JpegErrors& errors) {
  if (setjmp(errors.recovery)) return false;
  jpeg_create_decompress(cinfo);
  return true;
}

bool ReadHeader(j_decompress_ptr cinfo, JpegErrors& errors) {
  if (setjmp(errors.recovery)) return false;
  jpeg_read_header(cinfo, TRUE);
  return true;
}

bool Start(j_decompress_ptr cinfo, JpegErrors& errors) {
  if (setjmp(errors.recovery)) return false;
  jpeg_start_decompress(cinfo);
  return true;
}

bool ReadRows(j_decompress_ptr cinfo, JpegErrors& errors, uint8_t* pixels, size_t rowBytes) {
  if (setjmp(errors.recovery)) return false;
  while (cinfo->output_scanline < cinfo->output_height) {
    JSAMPROW row = pixels + cinfo->output_scanline * rowBytes;
    jpeg_read_scanlines(cinfo, &row, 1);
  }
  jpeg_finish_decompress(cinfo);
  return true;
}

// One decode: owns the decompressor, reads from an open file.
class JpegReader {
 public:
  JpegReader(TFile* file, const TString& name) : mName(name) {
    mInfo.err = jpeg_std_error(&mErrors.manager);
    mErrors.manager.error_exit = OnError;
    mErrors.manager.output_message = OnMessage;
    mErrors.name = mName.CStr();
    mCreated = Create(&mInfo, mErrors);
    if (!mCreated) return;
    mInfo.mem->max_memory_to_use = kMaxLibraryMemory;
    mProgress.progress_monitor = WatchScans;
    mInfo.progress = &mProgress;
    mSource.manager.init_source = InitSource;
    mSource.manager.fill_input_buffer = FillInputBuffer;
    mSource.manager.skip_input_data = SkipInputData;
    mSource.manager.resync_to_restart = jpeg_resync_to_restart;
    mSource.manager.term_source = TermSource;
    mSource.manager.bytes_in_buffer = 0;
    mSource.manager.next_input_byte = nullptr;
    mSource.file = file;
    mInfo.src = &mSource.manager;
  }
  ~JpegReader() {
    if (mCreated) jpeg_destroy_decompress(&mInfo);
  }
  JpegReader(const JpegReader&) = delete;
  JpegReader& operator=(const JpegReader&) = delete;

  bool Read(TDecodedImage& image) {
    if (!mCreated) return FailInLibrary();
    if (!ReadHeader(&mInfo, mErrors)) return FailInLibrary();
    if (mInfo.jpeg_color_space != JCS_YCbCr && mInfo.jpeg_color_space != JCS_GRAYSCALE) {
      return Fail("Unsupported color conversion request");
    }
    image.width = static_cast<int32_t>(mInfo.image_width);
    image.height = static_cast<int32_t>(mInfo.image_height);
    image.side = ImageSide(mName, mInfo.image_width, mInfo.image_height);
    if (image.side == 0) return false;
    mInfo.out_color_space = JCS_EXT_BGRA;
    if (!Start(&mInfo, mErrors)) return FailInLibrary();
    if (mInfo.output_components != kPixelBytes || mInfo.output_width > static_cast<JDIMENSION>(image.side) ||
        mInfo.output_height > static_cast<JDIMENSION>(image.side)) {
      return Fail("the library gives no 4-byte pixels of the image's size");
    }
    image.pixels = AllocateImageBytes(mName, image.side, kPixelBytes);
    if (!image.pixels) return false;
    const size_t rowBytes = static_cast<size_t>(image.side) * kPixelBytes;
    return ReadRows(&mInfo, mErrors, image.pixels.get(), rowBytes) || FailInLibrary();
  }

 private:
  bool Fail(const char* what) {
    LogPrintf("Unable to decode JPEG %s: %s", mName.CStr(), what);
    return false;
  }
  bool FailInLibrary() { return Fail(mErrors.message); }

  const TString mName;
  JpegErrors mErrors{};
  FileSource mSource{};
  jpeg_progress_mgr mProgress{};
  jpeg_decompress_struct mInfo{};
  bool mCreated = false;
};

}  // namespace

bool DecodeJpeg(const TString& name, TDecodedImage& image) {
  image = TDecodedImage();
  OpenFile file(FileOpen(name, kFileReadBinary));
  if (!file) {
    LogPrintf("Unable to open image %s", name.CStr());
    return false;
  }
  TDecodedImage decoded;
  if (!JpegReader(file.get(), name).Read(decoded)) return false;
  image = std::move(decoded);
  return true;
}
