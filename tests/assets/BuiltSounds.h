#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "media/sound/TSound.h"

// A sound of the data folder the build made, as the game loads it and as
// the library decodes it.
struct BuiltSound {
  std::shared_ptr<TSound> sound;  // empty when the game cannot load it
  std::vector<int16_t> samples;   // interleaved
  int channels = 0;
  int rate = 0;
  double seconds = 0;
};

// Loads a file of the data folder ("music/..."), in memory, in a volume group.
BuiltSound LoadBuiltSound(const std::string& name, int32_t group);

// Levels in 16-bit sample units: over the whole sound, its loudest sample,
// and the loudest sample within the first and within the last millisecond
// (what a loop's join or a sound's start and end can click with).
struct SoundLevels {
  double rms = 0;
  int peak = 0;
  int startPeak = 0;
  int endPeak = 0;
};
SoundLevels MeasureLevels(const BuiltSound& sound);

// Pitch on the first channel between two times in seconds, measured on the
// equal-tempered notes from C3 to C8 (semitones from A4): the note with the
// most power, and the power-weighted mean note.
int LoudestNote(const BuiltSound& sound, double from, double to);
double MeanNote(const BuiltSound& sound, double from, double to);
