// The game's sound effects, made by the build from recipes: every label of
// the sound table resolves through "strings.xml" to a file under "music/"
// that the game's decoder opens, and what the file decodes to is a usable
// effect: short enough to be decoded in memory, audible, never clipped, and
// related in pitch where the game plays a family of them.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "platform/text/Log.h"
#include "platform/xml/TStringTable.h"
#include "tests/assets/BuiltSounds.h"
#include "tests/assets/ListeningLevels.h"
#include "tests/support/BuiltDataFolder.h"
#include "tests/support/TempFolder.h"

namespace {

constexpr int kRate = 44100;
constexpr int kEffectsGroup = 100;
constexpr int kBelowClipping = 32000;

struct Effect {
  const char* label;
  double longest;  // seconds
  bool loops;
};

// Every label the sound factory loads. Sounds the game starts again and
// again while the player drags (ring turns, gears) stay short so that they
// never pile up.
const Effect kEffects[] = {
    {"Click Sound", 0.2, false},
    {"Ring Rotate Sound", 0.2, false},
    {"Ring Snap Sound", 0.5, false},
    {"Blocker Turn Sound", 0.5, false},
    {"Gear Rotating Sound", 0.1, false},
    {"Match3 Sound", 2.0, false},
    {"Match4 Sound", 2.0, false},
    {"Match5 Sound", 2.0, false},
    {"Piece Fall Sound", 0.5, false},
    {"PowerUp Creation Sound", 2.0, false},
    {"Small Bomb Sound", 2.0, false},
    {"Big Bomb Sound", 2.0, false},
    {"Ring Bomb Sound", 2.0, false},
    {"Time Bomb Sound", 2.0, false},
    {"Color Change Bomb Sound", 2.0, false},
    {"Lock Explode Sound", 2.0, false},
    {"Gear Explode Sound", 2.0, false},
    {"Blocker Break Sound", 2.0, false},
    {"Blocker Broken Sound", 2.0, false},
    {"Blocker Blocked Sound", 2.0, false},
    {"Jug Fill 1", 2.0, false},
    {"Jug Fill 2", 2.0, false},
    {"Jug Fill 3", 2.0, false},
    {"Jug Fill 4", 2.0, false},
    {"Jug Fill 5", 2.0, false},
    {"Jug Fill 6", 2.0, false},
    {"Jug Fill White", 2.0, false},
    {"Jug Full Sound", 2.0, false},
    {"Almost Time Out Sound", 2.0, true},
    {"Warning Sound", 2.0, false},
    {"Expert Banner Sound", 2.0, false},
    {"Expert Transition Sound", 2.0, false},
    {"Fire Quote Sound", 2.0, false},
    {"Unlock Zen Mode", 2.0, false},
    {"Complete World Effect", 2.0, false},
    {"Complete World Flash Effect", 2.0, false},
    {"Change World Effect", 2.0, false},
    {"Metamap Zoom In", 2.0, false},
    {"Metamap Zoom Out", 2.0, false},
};

// The sounds the menus' window tables give their buttons, by file name.
const Effect kButtonSounds[] = {
    {"music/button-press.ogg", 0.2, false},
    {"music/button-over.ogg", 0.2, false},
};

class SoundEffects : public testing::Test {
 protected:
  void SetUp() override {
    SetLogFolder(mLogs.Path().c_str());
    ASSERT_TRUE(mStrings.Load("strings.xml"));
  }

  // The file a label names, as the sound factory asks for it.
  std::string FileOf(const char* label) const {
    return "music/" + std::string(mStrings.GetString(label).CStr());
  }

  BuiltSound Load(const char* label) const { return LoadBuiltSound(FileOf(label), kEffectsGroup); }

  static void ExpectUsable(const BuiltSound& built, const Effect& effect) {
    ASSERT_TRUE(built.sound);
    EXPECT_EQ(built.rate, kRate);
    EXPECT_TRUE(built.channels == 1 || built.channels == 2) << built.channels;
    EXPECT_GT(built.seconds, 0.03);
    EXPECT_LE(built.seconds, effect.longest);
    // Up to 2.0 s a sound opened in memory is decoded once, not while it plays.
    EXPECT_EQ(built.sound->Data().Decoder(), nullptr);
    const SoundLevels levels = MeasureLevels(built);
    EXPECT_GT(levels.rms, kAudibleRms);
    EXPECT_LT(levels.peak, kBelowClipping);
    if (effect.loops) {
      EXPECT_LT(levels.startPeak, kAtRest);
      EXPECT_LT(levels.endPeak, kAtRest);
    }
  }

  TempFolder mLogs;
  BuiltDataFolder mFolder;
  TStringTable mStrings;
};

TEST_F(SoundEffects, EveryLabelNamesAFileUnderMusicThatTheGameLoads) {
  for (const Effect& effect : kEffects) {
    SCOPED_TRACE(effect.label);
    const std::string file = mStrings.GetString(effect.label).CStr();
    ASSERT_NE(file, TStringTable::kMissing);
    EXPECT_TRUE(file.ends_with(".ogg")) << file;
    ExpectUsable(Load(effect.label), effect);
  }
}

TEST_F(SoundEffects, ButtonSoundsLoadByTheirFileNames) {
  for (const Effect& effect : kButtonSounds) {
    SCOPED_TRACE(effect.label);
    ExpectUsable(LoadBuiltSound(effect.label, kEffectsGroup), effect);
  }
}

TEST_F(SoundEffects, BiggerMatchesSoundHigher) {
  double previous = -100;
  for (const char* label : {"Match3 Sound", "Match4 Sound", "Match5 Sound"}) {
    SCOPED_TRACE(label);
    const BuiltSound built = Load(label);
    ASSERT_TRUE(built.sound);
    const double mean = MeanNote(built, 0, built.seconds);
    EXPECT_GT(mean, previous + 1);
    previous = mean;
  }
}

// Each colour's jug rings a note of its own, all of them notes of the C
// major chord (C, E and G, as semitones from A4 modulo 12: 3, 7 and 10).
TEST_F(SoundEffects, JugFillsRingDifferentNotesOfTheCMajorChord) {
  std::set<int> notes;
  for (int jug = 1; jug <= 6; ++jug) {
    const std::string label = "Jug Fill " + std::to_string(jug);
    SCOPED_TRACE(label);
    const BuiltSound built = Load(label.c_str());
    ASSERT_TRUE(built.sound);
    const int note = LoudestNote(built, 0.1, 0.4);
    const int pitchClass = ((note % 12) + 12) % 12;
    EXPECT_TRUE(pitchClass == 3 || pitchClass == 7 || pitchClass == 10) << note;
    notes.insert(note);
  }
  EXPECT_EQ(notes.size(), 6u);
}

}  // namespace
