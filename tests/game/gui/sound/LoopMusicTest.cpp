#include <gtest/gtest.h>

#include <map>

#include "game/gui/sound/TLoopMusic.h"
#include "game/gui/sound/TMusicBank.h"
#include "tests/game/gui/sound/GameSoundKit.h"

namespace {

using GUI::TLoopMusic;
using GUI::TMusicBank;

// The bank's pieces, each of its own sound, and a few codes.
class LoopMusicTest : public testing::Test {
 protected:
  void SetUp() override {
    for (const char* file : {"intro.ogg", "outro.ogg", "t1.ogg", "t2.ogg", "t3.ogg"})
      heard[file] = kit.WriteSound(file, GameSoundKit::kPieceSeconds, seed++);
    kit.WriteMusicTable({{"Intro", "intro.ogg"},
                         {"Outro", "outro.ogg"},
                         {"M1", "t1.ogg"},
                         {"M2", "t2.ogg"},
                         {"M3", "t3.ogg"},
                         {"World02_03", "I12O"},
                         {"Zen01", "1"},
                         {"Zen02", "2"},
                         {"Zen03", "3"},
                         {"Zen04", "I3"}});
  }

  std::vector<int16_t> Heard(std::initializer_list<const char*> pieces) {
    std::vector<int16_t> joined;
    for (const char* piece : pieces) joined.insert(joined.end(), heard[piece].begin(), heard[piece].end());
    return joined;
  }
  size_t Seconds(double seconds) const { return size_t(seconds * SoundRig::kSamplesPerSecond); }

  GameSoundKit kit;
  std::map<std::string, std::vector<int16_t>> heard;
  uint32_t seed = 21;
};

TEST_F(LoopMusicTest, APlayListGoesRoundWithoutAGapAtAnyJoin) {
  TMusicBank bank;
  {
    TLoopMusic music(GamePlay::TLevelKey{2, 3}, bank);
    ASSERT_EQ(music.GetLength(), 4u);
    music.Start();
    kit.rig.Run(11600);
  }
  const std::vector<int16_t> expected = Heard({"intro.ogg", "t1.ogg", "t2.ogg", "outro.ogg", "intro.ogg"});
  ASSERT_GE(kit.rig.captured.size(), expected.size());
  EXPECT_EQ(FirstDifference(kit.rig.captured, expected), expected.size())
      << "the first difference, in seconds: "
      << double(FirstDifference(kit.rig.captured, expected)) / SoundRig::kSamplesPerSecond;
  EXPECT_EQ(GameSoundKit::Playing(kit.Music("intro.ogg")), 0) << "the player's end stopped the music";
  EXPECT_EQ(GameSoundKit::Playing(kit.Music("t1.ogg")), 0) << "and the piece queued after it";
}

TEST_F(LoopMusicTest, ASinglePieceCodePlaysOnceAndThenSilence) {
  TMusicBank bank;
  TLoopMusic music("3", bank);
  music.Start();
  kit.rig.Run(5000);
  const std::vector<int16_t>& piece = heard["t3.ogg"];
  EXPECT_EQ(FirstDifference(kit.rig.captured, piece), piece.size());
  EXPECT_EQ(kit.rig.captured.size(), Seconds(5.0));
  EXPECT_TRUE(std::all_of(kit.rig.captured.begin() + ptrdiff_t(piece.size()), kit.rig.captured.end(),
                          [](int16_t sample) { return sample == 0; }))
      << "nothing after the one piece";
  EXPECT_EQ(GameSoundKit::Starts(kit.Music("t3.ogg")), 1);
}

// What each code turns into: characters that name no piece, digits without
// a track and pieces whose file is missing are left out.
TEST_F(LoopMusicTest, CodesBecomePlayListsOfTheirPiecesOnly) {
  kit.WriteMusicTable({{"Intro", "intro.ogg"}, {"Outro", "gone.ogg"}, {"M1", "t1.ogg"}, {"M2", "t2.ogg"}});
  TMusicBank bank;
  EXPECT_TRUE(kit.Logged("OGG file not found: music/gone.ogg"));
  const std::shared_ptr<TSound> intro = kit.Music("intro.ogg");
  const std::shared_ptr<TSound> one = kit.Music("t1.ogg");
  const std::shared_ptr<TSound> two = kit.Music("t2.ogg");
  struct Case {
    const char* code;
    std::vector<std::shared_ptr<TSound>> list;
  };
  const Case cases[] = {
      {"I12O", {intro, one, two}},  // the outro did not load
      {"x1y2", {one, two}},
      {"i21", {intro, two, one}},
      {"1930", {one}},  // no tracks 9 and 3, and 0 is no track
      {"O", {}},
      {"#####", {}},
      {"", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.code);
    EXPECT_EQ(bank.MakePlayList(c.code), c.list);
  }
}

TEST_F(LoopMusicTest, KeysFindTheirLevelsCodeAndAZenKeyItsZenCode) {
  TMusicBank bank;
  EXPECT_STREQ(bank.GetCode({2, 3}).CStr(), "I12O");
  EXPECT_STREQ(bank.GetCode({0, 4}).CStr(), "I3") << "Zen04";
  EXPECT_STREQ(bank.GetCode({1, 1}).CStr(), TStringTable::kMissing) << "a level without a label";
  EXPECT_STREQ(bank.GetCode({0, 9}).CStr(), "") << "past the last Zen label";
  EXPECT_STREQ(bank.GetCode({11, 1}).CStr(), "") << "no such world";
  EXPECT_EQ(bank.GetTracks().size(), 3u);
  EXPECT_EQ(TLoopMusic(GamePlay::TLevelKey{0, 4}, bank).GetLength(), 2u);
}

TEST_F(LoopMusicTest, AnEmptyListPlaysNothingAndAGoneBankFailsNothing) {
  kit.WriteMusicTable({});
  TMusicBank bank;
  EXPECT_TRUE(bank.GetTracks().empty());
  TLoopMusic music(GamePlay::TLevelKey{2, 3}, bank);
  music.Start();
  kit.rig.Run(100);
  EXPECT_EQ(music.GetLength(), 0u);
  EXPECT_TRUE(std::all_of(kit.rig.captured.begin(), kit.rig.captured.end(), [](int16_t s) { return s == 0; }));
}

// Deleting the player stops it at once, wherever it is; a stop heard by its
// callback queues nothing, so nothing starts again.
TEST_F(LoopMusicTest, DeletingThePlayerStopsTheMusicAndNothingFollows) {
  TMusicBank bank;
  auto music = std::make_unique<TLoopMusic>("12", bank);
  music->Start();
  kit.rig.Run(3000);
  EXPECT_EQ(GameSoundKit::Playing(kit.Music("t2.ogg")), 1) << "track 2 plays, track 1 is queued after it";
  EXPECT_EQ(GameSoundKit::Playing(kit.Music("t1.ogg")), 1);
  music.reset();
  EXPECT_EQ(GameSoundKit::Playing(kit.Music("t1.ogg")), 0);
  EXPECT_EQ(GameSoundKit::Playing(kit.Music("t2.ogg")), 0);
  const size_t stopped = kit.rig.captured.size();
  kit.rig.Run(3000);
  EXPECT_TRUE(std::all_of(kit.rig.captured.begin() + ptrdiff_t(stopped) + ptrdiff_t(Seconds(0.05)),
                          kit.rig.captured.end(), [](int16_t s) { return s == 0; }));
}

// A piece stopped from outside (as StopAllSounds would) ends the round: the
// player hears the stop and queues nothing.
TEST_F(LoopMusicTest, APieceStoppedFromOutsideEndsTheRound) {
  TMusicBank bank;
  TLoopMusic music("12", bank);
  music.Start();
  kit.rig.Run(1000);
  kit.Music("t1.ogg")->Stop(-1);
  kit.rig.Run(5000);
  EXPECT_EQ(GameSoundKit::Playing(kit.Music("t1.ogg")), 0);
  EXPECT_EQ(GameSoundKit::Playing(kit.Music("t2.ogg")), 0);
  EXPECT_EQ(GameSoundKit::Starts(kit.Music("t1.ogg")), 1);
}

}  // namespace
