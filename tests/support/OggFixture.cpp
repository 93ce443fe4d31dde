#include "tests/support/OggFixture.h"

#include <vorbis/vorbisenc.h>
#include <vorbis/vorbisfile.h>

#include <cmath>
#include <cstring>
#include <random>

namespace {

void TakePages(ogg_stream_state& stream, std::string& out, bool flush) {
  ogg_page page;
  while (flush ? ogg_stream_flush(&stream, &page) : ogg_stream_pageout(&stream, &page)) {
    out.append(reinterpret_cast<const char*>(page.header), size_t(page.header_len));
    out.append(reinterpret_cast<const char*>(page.body), size_t(page.body_len));
  }
}

size_t ReadMemory(void* into, size_t size, size_t count, void* source) {
  auto& memory = *static_cast<OggMemory*>(source);
  const size_t bytes = std::min(size * count, memory.bytes->size() - memory.position);
  std::memcpy(into, memory.bytes->data() + memory.position, bytes);
  memory.position += bytes;
  return bytes / size;
}

}  // namespace

std::string EncodeOgg(int channels, int rate, double seconds, uint32_t seed) {
  vorbis_info info;
  vorbis_info_init(&info);
  vorbis_encode_init_vbr(&info, channels, rate, 0.1f);
  vorbis_comment comment;
  vorbis_comment_init(&comment);
  vorbis_dsp_state dsp;
  vorbis_analysis_init(&dsp, &info);
  vorbis_block block;
  vorbis_block_init(&dsp, &block);
  ogg_stream_state stream;
  ogg_stream_init(&stream, int(seed));

  std::string out;
  ogg_packet header;
  ogg_packet commentHeader;
  ogg_packet codeHeader;
  vorbis_analysis_headerout(&dsp, &comment, &header, &commentHeader, &codeHeader);
  ogg_stream_packetin(&stream, &header);
  ogg_stream_packetin(&stream, &commentHeader);
  ogg_stream_packetin(&stream, &codeHeader);
  TakePages(stream, out, true);

  std::mt19937 noise(seed);
  const long frames = std::lround(seconds * rate);
  long done = 0;
  bool ended = false;
  while (!ended) {
    const int chunk = int(std::min<long>(1024, frames - done));
    if (chunk > 0) {
      float** buffer = vorbis_analysis_buffer(&dsp, chunk);
      for (int i = 0; i < chunk; ++i) {
        const double t = double(done + i) / rate;
        for (int c = 0; c < channels; ++c)
          buffer[c][i] = float(0.4 * std::sin(2 * M_PI * (220 + 300 * t + 50 * c) * t) +
                               0.05 * (double(noise() % 2001) / 1000.0 - 1.0));
      }
      done += chunk;
    }
    vorbis_analysis_wrote(&dsp, chunk > 0 ? chunk : 0);
    while (vorbis_analysis_blockout(&dsp, &block) == 1) {
      vorbis_analysis(&block, nullptr);
      vorbis_bitrate_addblock(&block);
      ogg_packet packet;
      while (vorbis_bitrate_flushpacket(&dsp, &packet)) {
        ogg_stream_packetin(&stream, &packet);
        TakePages(stream, out, false);
        if (packet.e_o_s) ended = true;
      }
    }
    if (chunk <= 0) ended = true;
  }
  TakePages(stream, out, true);
  ogg_stream_clear(&stream);
  vorbis_block_clear(&block);
  vorbis_dsp_clear(&dsp);
  vorbis_comment_clear(&comment);
  vorbis_info_clear(&info);
  return out;
}

std::vector<int16_t> DecodeOgg(const std::string& bytes) {
  OggMemory memory{&bytes};
  OggVorbis_File file;
  std::vector<int16_t> samples;
  if (!OpenOggInMemory(memory, file)) return samples;
  char buffer[4096];
  int section = 0;
  long got = 0;
  int errors = 0;
  while ((got = ov_read(&file, buffer, sizeof buffer, 0, 2, 1, &section)) != 0) {
    if (got < 0 && ++errors > 16) break;
    if (got < 0) continue;
    const size_t at = samples.size();
    samples.resize(at + size_t(got) / 2);
    std::memcpy(samples.data() + at, buffer, size_t(got));
  }
  ov_clear(&file);
  return samples;
}

std::vector<int16_t> AsMixed(const std::vector<int16_t>& samples, int channels, int rate) {
  const size_t frames = samples.size() / size_t(channels);
  const uint64_t step = (uint64_t(rate) << 32) / 44100;
  std::vector<int16_t> mixed;
  for (uint64_t position = 0; (position >> 32) < frames; position += step) {
    const size_t at = size_t(position >> 32);
    const int32_t weight = int32_t((position >> 17) & 0x7FFF);
    for (int out = 0; out < 2; ++out) {
      const int channel = channels == 1 ? 0 : out;
      const int32_t from = samples[at * size_t(channels) + size_t(channel)];
      const int32_t to = at + 1 < frames ? samples[(at + 1) * size_t(channels) + size_t(channel)] : 0;
      mixed.push_back(int16_t(from + (((to - from) * weight) >> 15)));
    }
  }
  return mixed;
}

bool OpenOggInMemory(OggMemory& memory, OggVorbis_File& file) {
  return ov_open_callbacks(&memory, &file, nullptr, 0, ov_callbacks{ReadMemory, nullptr, nullptr, nullptr}) >= 0;
}
