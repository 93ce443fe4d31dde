// A minute of the game's own sounds as a player would hear them, through the
// manual device's capture tap: the title menu's music, a level's music with
// the effects of play over it, and the menu's music again once the level is
// left. The capture is written as a WAV file (16-bit stereo, 44,100 Hz) to
// the path in QUORVANE_SOUND_CAPTURE when that is set, so a person can
// listen to it or look at its spectrogram; the test itself checks that the
// music never falls silent, at its joins or where one music takes over from
// the other, and that an effect stands out over it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "game/gui/sound/TSoundFactory.h"
#include "platform/xml/TStringTable.h"
#include "tests/support/BuiltDataFolder.h"
#include "tests/support/SoundRig.h"

namespace {

constexpr uint32_t kCaptureSeconds = 60;
constexpr uint32_t kLevelStart = 24000;
constexpr uint32_t kLevelLeft = 48000;
constexpr uint32_t kFrameMs = 100;
constexpr uint32_t kWindowMs = 50;
// The encoder's priming opens the first piece with a few frames of silence;
// a gap anywhere else would be 10 ms or more.
constexpr size_t kEncoderPriming = 441;
constexpr size_t kGapFrames = 441;

void AppendLittleEndian(std::string& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(char((value >> (8 * i)) & 0xFF));
}

// A canonical 44-byte header over interleaved 16-bit stereo at 44,100 Hz.
void WriteWav(const std::string& path, const std::vector<int16_t>& samples) {
  const uint32_t dataBytes = uint32_t(samples.size() * 2);
  std::string wav = "RIFF";
  AppendLittleEndian(wav, 36 + dataBytes, 4);
  wav += "WAVEfmt ";
  AppendLittleEndian(wav, 16, 4);
  AppendLittleEndian(wav, 1, 2);  // PCM
  AppendLittleEndian(wav, 2, 2);
  AppendLittleEndian(wav, 44100, 4);
  AppendLittleEndian(wav, 44100 * 4, 4);
  AppendLittleEndian(wav, 4, 2);
  AppendLittleEndian(wav, 16, 2);
  wav += "data";
  AppendLittleEndian(wav, dataBytes, 4);
  for (int16_t sample : samples) AppendLittleEndian(wav, uint16_t(sample), 2);
  std::ofstream(path, std::ios::binary) << wav;
}

// The loudness of each stretch of kWindowMs, as root mean square.
std::vector<double> Loudness(const std::vector<int16_t>& samples) {
  const size_t window = SoundRig::kSamplesPerSecond * kWindowMs / 1000;
  std::vector<double> loudness;
  for (size_t start = 0; start + window <= samples.size(); start += window) {
    double sum = 0;
    for (size_t i = start; i < start + window; ++i) sum += double(samples[i]) * samples[i];
    loudness.push_back(std::sqrt(sum / double(window)));
  }
  return loudness;
}

// The longest run of frames that are silent on both channels, after `skip`.
size_t LongestSilence(const std::vector<int16_t>& samples, size_t skip) {
  size_t longest = 0;
  size_t run = 0;
  for (size_t frame = skip; frame * 2 + 1 < samples.size(); ++frame) {
    run = samples[frame * 2] == 0 && samples[frame * 2 + 1] == 0 ? run + 1 : 0;
    longest = std::max(longest, run);
  }
  return longest;
}

double MeanOver(const std::vector<double>& loudness, uint32_t fromMs, uint32_t toMs) {
  double sum = 0;
  for (uint32_t at = fromMs / kWindowMs; at < toMs / kWindowMs; ++at) sum += loudness[at];
  return sum / double((toMs - fromMs) / kWindowMs);
}

// What happens when in the level, by the time it happens at (milliseconds
// after the level's start, on frames of kFrameMs).
std::multimap<uint32_t, std::function<void(GUI::TSoundFactory&)>> LevelEvents() {
  std::multimap<uint32_t, std::function<void(GUI::TSoundFactory&)>> events;
  for (uint32_t at = 500; at < 12000; at += 1500) {
    events.emplace(at, [](GUI::TSoundFactory& f) { f.PlayRingRotate(); });
    events.emplace(at + 300, [](GUI::TSoundFactory& f) { f.PlayRingSnap(); });
  }
  for (uint32_t at = 2000, n = 3; at < 12000; at += 3000, n = n == 5 ? 3 : n + 1)
    events.emplace(at, [n](GUI::TSoundFactory& f) { f.PlayMatch(int32_t(n)); });
  events.emplace(6000, [](GUI::TSoundFactory& f) { f.PlayBigBomb(); });
  events.emplace(9000, [](GUI::TSoundFactory& f) { f.PlayJugFill(2); });
  events.emplace(12000, [](GUI::TSoundFactory& f) { f.PlayTimeBomb(); });
  events.emplace(16000, [](GUI::TSoundFactory& f) { f.StartAlmostTimeOut(); });
  events.emplace(21000, [](GUI::TSoundFactory& f) { f.StopAlmostTimeOut(); });
  return events;
}

TEST(SoundCapture, AMinuteOfMenuAndPlayKeepsItsMusicWithTheEffectsOverIt) {
  BuiltDataFolder data;
  SoundRig rig;
  TStringTable strings;
  ASSERT_TRUE(strings.Load("strings.xml"));
  rig.platform.stringTable = &strings;
  ASSERT_TRUE(rig.manager->Init());
  {
    GUI::TSoundFactory factory;
    factory.PlayMainmenuBackground();
    for (uint32_t at : {3000u, 6000u, 9000u}) {
      rig.Run(at - uint32_t(rig.captured.size() * 1000 / SoundRig::kSamplesPerSecond));
      factory.PlayClickSound();
    }
    rig.Run(kLevelStart - 9000);
    const auto events = LevelEvents();
    for (uint32_t at = 0; at < kLevelLeft - kLevelStart; at += kFrameMs) {
      factory.StartMusic({1, 1});
      for (auto [event, end] = events.equal_range(at); event != end; ++event) event->second(factory);
      rig.Run(kFrameMs);
    }
    factory.StopAllSounds();
    factory.PlayMainmenuBackground();
    rig.Run(kCaptureSeconds * 1000 - kLevelLeft);
  }
  ASSERT_EQ(rig.captured.size(), size_t(kCaptureSeconds) * SoundRig::kSamplesPerSecond);
  if (const char* path = std::getenv("QUORVANE_SOUND_CAPTURE")) WriteWav(path, rig.captured);

  EXPECT_LT(LongestSilence(rig.captured, kEncoderPriming), kGapFrames) << "the music fell silent";
  const std::vector<double> loudness = Loudness(rig.captured);
  const double musicAlone = MeanOver(loudness, kLevelStart + 13000, kLevelStart + 15900);
  const double withAlarm = MeanOver(loudness, kLevelStart + 17000, kLevelStart + 20900);
  EXPECT_GT(withAlarm, musicAlone * 1.2) << "the alarm loop is heard over the music";
}

}  // namespace
