#include "tests/assets/BuiltSounds.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>

#include "platform/file/TFile.h"
#include "tests/support/OggFixture.h"

namespace {

constexpr int kLowestNote = -21;   // C3
constexpr int kHighestNote = 39;   // C8

// Power of one frequency over the window (Goertzel), the window tapered
// (Hann) so that neighbouring notes do not leak into each other.
double PowerAt(const std::vector<double>& window, double frequency, int rate) {
  const double coefficient = 2 * std::cos(2 * std::numbers::pi * frequency / rate);
  double previous = 0, beforePrevious = 0;
  for (double sample : window) {
    const double current = sample + coefficient * previous - beforePrevious;
    beforePrevious = previous;
    previous = current;
  }
  return previous * previous + beforePrevious * beforePrevious - coefficient * previous * beforePrevious;
}

// The first channel between the two times, tapered.
std::vector<double> Window(const BuiltSound& sound, double from, double to) {
  const size_t frames = sound.samples.size() / size_t(sound.channels);
  const size_t first = std::min(frames, size_t(from * sound.rate));
  const size_t last = std::min(frames, size_t(to * sound.rate));
  std::vector<double> window;
  for (size_t frame = first; frame < last; ++frame) {
    const double taper = 0.5 - 0.5 * std::cos(2 * std::numbers::pi * double(frame - first) / double(last - first));
    window.push_back(taper * sound.samples[frame * size_t(sound.channels)]);
  }
  return window;
}

std::vector<double> NotePowers(const BuiltSound& sound, double from, double to) {
  const std::vector<double> window = Window(sound, from, to);
  std::vector<double> powers;
  for (int note = kLowestNote; note <= kHighestNote; ++note)
    powers.push_back(PowerAt(window, 440.0 * std::pow(2.0, note / 12.0), sound.rate));
  return powers;
}

int EdgePeak(const std::vector<int16_t>& samples, size_t begin, size_t end) {
  int peak = 0;
  for (size_t at = begin; at < end; ++at) peak = std::max(peak, std::abs(int(samples[at])));
  return peak;
}

}  // namespace

BuiltSound LoadBuiltSound(const std::string& name, int32_t group) {
  BuiltSound built;
  built.sound = TSound::Get(name.c_str(), true, group);
  std::string bytes;
  if (!built.sound || !FileReadAll(name.c_str(), &bytes)) return built;
  built.samples = DecodeOgg(bytes);
  built.channels = built.sound->Data().Channels();
  built.rate = built.sound->Data().Rate();
  built.seconds = built.sound->Data().Length();
  return built;
}

SoundLevels MeasureLevels(const BuiltSound& sound) {
  SoundLevels levels;
  const std::vector<int16_t>& samples = sound.samples;
  if (samples.empty()) return levels;
  double sum = 0;
  for (int16_t sample : samples) sum += double(sample) * sample;
  levels.rms = std::sqrt(sum / double(samples.size()));
  levels.peak = EdgePeak(samples, 0, samples.size());
  const size_t edge = std::min(samples.size(), size_t(sound.rate / 1000 * sound.channels));
  levels.startPeak = EdgePeak(samples, 0, edge);
  levels.endPeak = EdgePeak(samples, samples.size() - edge, samples.size());
  return levels;
}

int LoudestNote(const BuiltSound& sound, double from, double to) {
  const std::vector<double> powers = NotePowers(sound, from, to);
  return kLowestNote + int(std::max_element(powers.begin(), powers.end()) - powers.begin());
}

double MeanNote(const BuiltSound& sound, double from, double to) {
  const std::vector<double> powers = NotePowers(sound, from, to);
  double weighted = 0, total = 0;
  for (size_t index = 0; index < powers.size(); ++index) {
    weighted += powers[index] * (kLowestNote + int(index));
    total += powers[index];
  }
  return total > 0 ? weighted / total : 0;
}
