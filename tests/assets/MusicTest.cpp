// The game's music, made by the build from recipes, and "music/music.xml",
// which names its pieces and the play code of every level: each piece loads
// as the loop player plays it (stereo at 44,100 Hz, so one hands over to the
// next without a gap), is 20 to 40 s long, sits below the effects, and
// starts and ends at rest so that no join clicks; every code plays pieces
// that exist and keeps playing.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/text/Log.h"
#include "platform/xml/TStringTable.h"
#include "tests/assets/BuiltSounds.h"
#include "tests/assets/GameShape.h"
#include "tests/assets/ListeningLevels.h"
#include "tests/support/BuiltDataFolder.h"
#include "tests/support/TempFolder.h"

namespace {

constexpr int kMusicGroup = 2;
constexpr int kBelowTheEffects = 16384;  // half of full scale; effects peak near 0.7

std::string Text(const TStringTable& table, const std::string& label) {
  return table.GetString(label.c_str()).CStr();
}

std::string LevelLabel(int world, int level) {
  char label[32];
  std::snprintf(label, sizeof label, "World%02d_%02d", world, level);
  return label;
}

std::string ZenLabel(int level) {
  char label[16];
  std::snprintf(label, sizeof label, "Zen%02d", level);
  return label;
}

class Music : public testing::Test {
 protected:
  void SetUp() override {
    SetLogFolder(mLogs.Path().c_str());
    mMusic.SetQuiet(true);
    ASSERT_TRUE(mMusic.Load("music/music.xml"));
    ASSERT_TRUE(mStrings.Load("strings.xml"));
    for (int track = 1; Text(mMusic, "M" + std::to_string(track)) != TStringTable::kMissing; ++track)
      mTracks.push_back(Text(mMusic, "M" + std::to_string(track)));
  }

  // Every piece's file, as the music bank reads them: the intro, the outro
  // and the tracks up to the first missing label.
  std::map<std::string, std::string> Pieces() const {
    std::map<std::string, std::string> pieces = {{"Intro", Text(mMusic, "Intro")},
                                                  {"Outro", Text(mMusic, "Outro")}};
    for (size_t index = 0; index < mTracks.size(); ++index) pieces["M" + std::to_string(index + 1)] = mTracks[index];
    return pieces;
  }

  // Every play code with its label: the Journey's levels, the Zen levels
  // and the main menu's (in "strings.xml").
  std::map<std::string, std::string> Codes() const {
    std::map<std::string, std::string> codes;
    for (uint32_t world = 1; world <= kWorlds; ++world)
      for (uint32_t level = 1; level <= kLevelsPerWorld; ++level)
        codes[LevelLabel(world, level)] = Text(mMusic, LevelLabel(world, level));
    for (uint32_t level = 1; level <= kZenLevels; ++level) codes[ZenLabel(level)] = Text(mMusic, ZenLabel(level));
    codes["Mainmenu Sound"] = Text(mStrings, "Mainmenu Sound");
    return codes;
  }

  // The pieces a code plays in turn; empty when it holds anything but the
  // intro, the outro and tracks that exist.
  std::vector<std::string> PlayList(const std::string& code) const {
    std::vector<std::string> list;
    for (char c : code) {
      if (c == 'I' || c == 'i') {
        list.push_back("Intro");
      } else if (c == 'O' || c == 'o') {
        list.push_back("Outro");
      } else if (c >= '1' && c <= '9' && size_t(c - '0') <= mTracks.size()) {
        list.push_back("M" + std::string(1, c));
      } else {
        return {};
      }
    }
    return list;
  }

  TempFolder mLogs;
  BuiltDataFolder mFolder;
  TStringTable mMusic;
  TStringTable mStrings;
  std::vector<std::string> mTracks;
};

// A code names a track by one digit, so there can be at most nine.
TEST_F(Music, FourToNineTracksFollowTheIntroAndOutro) {
  EXPECT_GE(mTracks.size(), 4u);
  EXPECT_LE(mTracks.size(), 9u);
  EXPECT_NE(Text(mMusic, "Intro"), TStringTable::kMissing);
  EXPECT_NE(Text(mMusic, "Outro"), TStringTable::kMissing);
}

TEST_F(Music, EveryPieceLoadsAsStereoOf20To40SecondsAtRestAtBothEnds) {
  for (const auto& [label, file] : Pieces()) {
    SCOPED_TRACE(label + ": " + file);
    const BuiltSound built = LoadBuiltSound("music/" + file, kMusicGroup);
    ASSERT_TRUE(built.sound);
    EXPECT_EQ(built.rate, 44100);
    EXPECT_EQ(built.channels, 2);
    EXPECT_GE(built.seconds, 20.0);
    EXPECT_LE(built.seconds, 40.0);
    const SoundLevels levels = MeasureLevels(built);
    EXPECT_GT(levels.rms, kAudibleRms);
    EXPECT_LT(levels.peak, kBelowTheEffects);
    EXPECT_LT(levels.startPeak, kAtRest);
    EXPECT_LT(levels.endPeak, kAtRest);
  }
}

// The sound factory sets the music group to this rate and the master volume
// to "Volume" when it loads; a missing label would read as 0 and silence
// the game.
TEST_F(Music, TheMusicGroupStartsQuieterThanTheEffects) {
  const float rate = mStrings.GetString("Rate of Background Sound").ToFloat();
  EXPECT_GT(rate, 0.0f);
  EXPECT_LT(rate, 1.0f);
  const float volume = mStrings.GetString("Volume").ToFloat();
  EXPECT_GT(volume, 0.0f);
  EXPECT_LE(volume, 1.0f);
}

// A list of one piece plays once and then stays silent, so every code
// names two pieces or more.
TEST_F(Music, EveryCodePlaysPiecesThatExistAndKeepsPlaying) {
  for (const auto& [label, code] : Codes()) {
    SCOPED_TRACE(label + ": " + code);
    EXPECT_GE(PlayList(code).size(), 2u);
  }
}

TEST_F(Music, EachWorldOfTheJourneyHasCodesOfItsOwn) {
  std::set<std::vector<std::string>> worlds;
  for (uint32_t world = 1; world <= kWorlds; ++world) {
    std::vector<std::string> codes;
    std::set<std::string> distinct;
    for (uint32_t level = 1; level <= kLevelsPerWorld; ++level) {
      codes.push_back(Text(mMusic, LevelLabel(world, level)));
      distinct.insert(codes.back());
    }
    EXPECT_GT(distinct.size(), 1u) << "world " << world;
    worlds.insert(codes);
  }
  EXPECT_EQ(worlds.size(), size_t(kWorlds));
}

}  // namespace
