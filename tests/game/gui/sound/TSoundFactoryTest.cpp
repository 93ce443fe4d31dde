#include "game/gui/sound/TSoundFactory.h"

#include <gtest/gtest.h>

#include <memory>

#include "tests/game/gui/sound/GameSoundKit.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/FakeSoundManager.h"
#include "windows/core/TWindowManager.h"
#include "windows/script/TWindowScript.h"

namespace {

using GUI::TSoundFactory;

TEST(TSoundFactoryVolumes, VolumesReachTheirGroupsOnlyWhileSoundIsOn) {
  FakePlatform platform;
  FakeSoundManager sound;
  platform.soundManager = &sound;
  TSoundFactory factory;
  factory.SetSoundEnabled(false);
  factory.SetMusicVolume(700);
  EXPECT_EQ(factory.GetMusicVolume(), 700) << "kept while off";
  EXPECT_FLOAT_EQ(sound.GetVolume(TSoundFactory::kMusicGroup), 0.0f);
  factory.SetEffectsVolume(250);
  EXPECT_FLOAT_EQ(sound.GetVolume(TSoundFactory::kEffectsGroup), 0.0f);
  factory.SetSoundEnabled(true);
  EXPECT_FLOAT_EQ(sound.GetVolume(TSoundFactory::kMusicGroup), 0.7f);
  EXPECT_FLOAT_EQ(sound.GetVolume(TSoundFactory::kDefaultGroup), 0.25f);
  EXPECT_FLOAT_EQ(sound.GetVolume(TSoundFactory::kEffectsGroup), 0.25f);
  EXPECT_TRUE(factory.IsSoundActive());
}

// A factory over the kit's sounds: every label names a file of its own, the
// menu's music is track 1 and level (1, 1) plays track 1, level (2, 3)
// track 2.
class SoundFactoryTest : public testing::Test {
 protected:
  SoundFactoryTest() {
    kit.WriteGameStrings({{"Mainmenu Sound", "1"}, {"Rate of Background Sound", "0.5"}, {"Volume", "0.8"}});
    kit.WriteSound("t1.ogg", GameSoundKit::kPieceSeconds, 31);
    kit.WriteSound("t2.ogg", GameSoundKit::kPieceSeconds, 32);
    kit.WriteMusicTable({{"M1", "t1.ogg"}, {"M2", "t2.ogg"}, {"World01_01", "1"}, {"World02_03", "2"}});
    manager.SetScript(std::make_unique<TWindowScript>());
    kit.rig.platform.windowManager = &manager;
    factory = std::make_unique<TSoundFactory>();
  }
  ~SoundFactoryTest() override {
    factory.reset();
    kit.rig.platform.windowManager = nullptr;
  }

  std::shared_ptr<TSound> Effect(const char* label) { return kit.Effect(label); }

  GameSoundKit kit;
  TWindowManager manager;
  std::unique_ptr<TSoundFactory> factory;
};

TEST_F(SoundFactoryTest, LoadingSetsTheMusicGroupToTheRateAndTheMasterVolume) {
  EXPECT_FLOAT_EQ(kit.rig.manager->GetVolume(TSoundFactory::kMusicGroup), 0.5f * 0.8f);
  EXPECT_FLOAT_EQ(kit.rig.manager->GetVolume(TSoundFactory::kEffectsGroup), 0.8f);
  EXPECT_EQ(Effect("Click Sound")->Data().Group(), TSoundFactory::kEffectsGroup);
  EXPECT_TRUE(Effect("Click Sound")->Data().IsOpen()) << "loaded by the factory from music/";
}

// Each event operation plays the sound of its label once.
TEST_F(SoundFactoryTest, EveryEventPlaysTheSoundItsLabelNames) {
  struct Case {
    const char* label;
    std::function<void(TSoundFactory&)> play;
  };
  const Case cases[] = {
      {"Click Sound", [](TSoundFactory& f) { f.PlayClick(); }},
      {"Ring Rotate Sound", [](TSoundFactory& f) { f.PlayRingRotate(); }},
      {"Ring Snap Sound", [](TSoundFactory& f) { f.PlayRingSnap(); }},
      {"PowerUp Creation Sound", [](TSoundFactory& f) { f.PlayPowerUpCreation(); }},
      {"Piece Fall Sound", [](TSoundFactory& f) { f.PlayPieceFall(); }},
      {"Small Bomb Sound", [](TSoundFactory& f) { f.PlaySmallBomb(); }},
      {"Big Bomb Sound", [](TSoundFactory& f) { f.PlayBigBomb(); }},
      {"Time Bomb Sound", [](TSoundFactory& f) { f.PlayTimeBomb(); }},
      {"Ring Bomb Sound", [](TSoundFactory& f) { f.PlayRingBomb(); }},
      {"Color Change Bomb Sound", [](TSoundFactory& f) { f.PlayColorChange(); }},
      {"Match3 Sound", [](TSoundFactory& f) { f.PlayMatch(3); }},
      {"Match5 Sound", [](TSoundFactory& f) { f.PlayMatch(5); }},
      {"Blocker Turn Sound", [](TSoundFactory& f) { f.PlayBlockerTurn(); }},
      {"Blocker Break Sound", [](TSoundFactory& f) { f.PlayBlockerBreak(); }},
      {"Blocker Broken Sound", [](TSoundFactory& f) { f.PlayBlockerBroken(); }},
      {"Jug Fill 1", [](TSoundFactory& f) { f.PlayJugFill(0); }},
      {"Jug Fill 6", [](TSoundFactory& f) { f.PlayJugFill(5); }},
      {"Jug Fill White", [](TSoundFactory& f) { f.PlayJugFill(9); }},
      {"Jug Full Sound", [](TSoundFactory& f) { f.PlayJugFull(); }},
      {"Lock Explode Sound", [](TSoundFactory& f) { f.PlayLockExplode(); }},
      {"Gear Explode Sound", [](TSoundFactory& f) { f.PlayGearExplode(); }},
      {"Expert Banner Sound", [](TSoundFactory& f) { f.PlayExpertBanner(); }},
      {"Change World Effect", [](TSoundFactory& f) { f.PlayChangeWorld(); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    const int before = GameSoundKit::Starts(Effect(c.label));
    c.play(*factory);
    EXPECT_EQ(GameSoundKit::Starts(Effect(c.label)), before + 1);
  }
}

TEST_F(SoundFactoryTest, EventsWithoutASoundPlayNothing) {
  factory->PlayMatch(6);
  factory->PlayMatch(2);
  factory->PlayJugFill(6);
  factory->PlayJugFill(-1);
  factory->OnMatchFound();
  factory->OnColorBomb();
  for (const char* label : {"Match3 Sound", "Match4 Sound", "Match5 Sound", "Jug Fill 1", "Jug Fill 6",
                            "Jug Fill White", "Warning Sound", "Unlock Zen Mode", "Metamap Zoom In"})
    EXPECT_EQ(GameSoundKit::Starts(Effect(label)), 0) << label;
}

TEST_F(SoundFactoryTest, WithSoundOffEventsStartNothing) {
  factory->SetSoundEnabled(false);
  factory->PlayRingRotate();
  factory->PlayBlockerBlocked();
  factory->PlayGearRotating();
  factory->PlayClickSound();
  factory->PlayChangeWorld();
  kit.rig.Run(200);
  factory->PlayGearRotating();
  for (const char* label : {"Ring Rotate Sound", "Blocker Blocked Sound", "Gear Rotating Sound", "Click Sound",
                            "Change World Effect"})
    EXPECT_EQ(GameSoundKit::Starts(Effect(label)), 0) << label;
  factory->PlayFireQuote();
  EXPECT_EQ(GameSoundKit::Starts(Effect("Fire Quote Sound")), 1) << "silenced by its group's volume alone";
}

TEST_F(SoundFactoryTest, ACountedEventPlaysTwiceAtOnceAndAgainOnceAnInstanceEnds) {
  const std::shared_ptr<TSound> blocked = Effect("Blocker Blocked Sound");
  factory->PlayBlockerBlocked();
  factory->PlayBlockerBlocked();
  factory->PlayBlockerBlocked();
  EXPECT_EQ(GameSoundKit::Starts(blocked), 2) << "the third call finds two playing";
  blocked->Stop(blocked->Data().Handles().begin()->first);
  factory->PlayBlockerBlocked();
  EXPECT_EQ(GameSoundKit::Starts(blocked), 3) << "a stopped instance is no longer counted";
  kit.rig.Run(1500);
  EXPECT_EQ(GameSoundKit::Playing(blocked), 0);
  factory->PlayBlockerBlocked();
  factory->PlayBlockerBlocked();
  EXPECT_EQ(GameSoundKit::Starts(blocked), 5) << "instances that played out are no longer counted";
  factory->PlayBlockerBlocked();
  EXPECT_EQ(GameSoundKit::Starts(blocked), 5);
  factory->StopAllSounds();
  factory->PlayBlockerBlocked();
  factory->PlayBlockerBlocked();
  EXPECT_EQ(GameSoundKit::Starts(blocked), 7) << "StopAllSounds drops the counts";
}

TEST_F(SoundFactoryTest, TheGearStartsAtMostOncePer101Milliseconds) {
  const std::shared_ptr<TSound> gear = Effect("Gear Rotating Sound");
  std::vector<int> startedAt;
  for (int now = 0; now <= 600; now += 50) {
    const int before = GameSoundKit::Starts(gear);
    factory->StartGearRotating();
    if (GameSoundKit::Starts(gear) > before) startedAt.push_back(now);
    kit.rig.Run(50);
  }
  EXPECT_EQ(startedAt, (std::vector<int>{150, 300, 450, 600}));
  factory->StopGearRotating();
  kit.rig.Run(1500);
  EXPECT_EQ(GameSoundKit::Playing(gear), 0) << "never looped: nothing needs to stop it";
}

TEST_F(SoundFactoryTest, AlmostTimeOutLoopsFromItsFirstStartUntilItsStop) {
  const std::shared_ptr<TSound> alarm = Effect("Almost Time Out Sound");
  factory->StartAlmostTimeOut();
  factory->StartAlmostTimeOut();
  EXPECT_EQ(GameSoundKit::Starts(alarm), 1);
  kit.rig.Run(1500);
  EXPECT_EQ(GameSoundKit::Playing(alarm), 1) << "looped past its 0.3 seconds";
  factory->StopAlmostTimeOut();
  EXPECT_EQ(GameSoundKit::Playing(alarm), 0);
  factory->StartAlmostTimeOut();
  EXPECT_EQ(GameSoundKit::Starts(alarm), 2);
}

TEST_F(SoundFactoryTest, OnceOnlyEventsPlayOncePerLevel) {
  for (const char* label : {"Fire Quote Sound", "Expert Transition Sound"}) {
    SCOPED_TRACE(label);
    const auto play = [&] {
      if (std::string(label) == "Fire Quote Sound") factory->PlayFireQuote();
      else factory->PlayExpertTransition();
    };
    const int before = GameSoundKit::Starts(Effect(label));
    play();
    play();
    EXPECT_EQ(GameSoundKit::Starts(Effect(label)), before + 1);
    factory->StopAllSounds();
    play();
    EXPECT_EQ(GameSoundKit::Starts(Effect(label)), before + 2) << "the next level plays it again";
  }
}

TEST_F(SoundFactoryTest, StopAllSoundsSparesTheClick) {
  factory->PlayClick();
  factory->PlayClickSound();
  factory->PlayRingSnap();
  factory->StartAlmostTimeOut();
  factory->StopAllSounds();
  EXPECT_EQ(GameSoundKit::Playing(Effect("Click Sound")), 2);
  EXPECT_EQ(GameSoundKit::Playing(Effect("Ring Snap Sound")), 0);
  EXPECT_EQ(GameSoundKit::Playing(Effect("Almost Time Out Sound")), 0);
}

// Level music keeps playing through every frame's call; the menu's music
// replaces it, and the next level's call starts that level's music.
TEST_F(SoundFactoryTest, OneMusicAtATimeLevelMusicStaysUntilTheMenuTakesOver) {
  const std::shared_ptr<TSound> one = kit.Music("t1.ogg");
  const std::shared_ptr<TSound> two = kit.Music("t2.ogg");
  factory->StartMusic({1, 1});
  factory->StartMusic({1, 1});
  factory->StartMusic({2, 3});
  EXPECT_EQ(GameSoundKit::Starts(one), 1);
  EXPECT_EQ(GameSoundKit::Starts(two), 0) << "level (1, 1) keeps playing";
  factory->PlayMainmenuBackground();
  EXPECT_EQ(GameSoundKit::Playing(one), 1) << "the menu's music is track 1 afresh";
  EXPECT_EQ(GameSoundKit::Starts(one), 2);
  factory->PlayMainmenuBackground();
  EXPECT_EQ(GameSoundKit::Starts(one), 2) << "already playing";
  factory->StartMusic({2, 3});
  EXPECT_EQ(GameSoundKit::Playing(one), 0) << "the menu's music stops";
  EXPECT_EQ(GameSoundKit::Playing(two), 1);
  EXPECT_EQ(two->Data().Group(), TSoundFactory::kMusicGroup);
}

TEST_F(SoundFactoryTest, ReleasingStopsTheMusicAndLeavesNothingToPlay) {
  const std::shared_ptr<TSound> menuMusic = kit.Music("t1.ogg");
  const std::shared_ptr<TSound> ring = Effect("Ring Rotate Sound");
  factory->PlayMainmenuBackground();
  factory->ReleaseSounds();
  EXPECT_EQ(GameSoundKit::Playing(menuMusic), 0);
  factory->PlayRingRotate();
  factory->PlayClickSound();
  factory->StartMusic({1, 1});
  factory->PlayMainmenuBackground();
  factory->StopAllSounds();
  EXPECT_EQ(GameSoundKit::Starts(ring), 0);
  EXPECT_EQ(GameSoundKit::Starts(menuMusic), 1);
}

TEST_F(SoundFactoryTest, ScriptsPlayTheClickAndTheMenusMusic) {
  TWindowScript& script = *manager.GetScript();
  script.DoLuaString("PlayClickSound() PlayMainmenuBackground() PlayClickSound()");
  EXPECT_EQ(GameSoundKit::Starts(Effect("Click Sound")), 2);
  EXPECT_EQ(GameSoundKit::Playing(kit.Music("t1.ogg")), 1);
  script.DoLuaString("result = PlayClickSound(1, 2)");
  EXPECT_EQ(GameSoundKit::Starts(Effect("Click Sound")), 3) << "arguments are ignored";
  EXPECT_EQ(script.GetNumber("result", -1), -1) << "and nothing is returned";
}

// Labels missing from the string table: nothing loads, nothing plays,
// nothing fails.
TEST(SoundFactoryWithoutFiles, MissingLabelsPlayNothingAndFailNothing) {
  GameSoundKit kit;
  TWindowManager manager;
  manager.SetScript(std::make_unique<TWindowScript>());
  kit.rig.platform.windowManager = &manager;
  {
    TSoundFactory factory;
    manager.GetScript()->DoLuaString("PlayClickSound() PlayMainmenuBackground() ok = true");
    EXPECT_TRUE(manager.GetScript()->GetBool("ok", false));
    factory.PlayRingRotate();
    factory.PlayBlockerBlocked();
    factory.PlayFireQuote();
    factory.StartAlmostTimeOut();
    factory.StopAlmostTimeOut();
    factory.PlayGearRotating();
    factory.StartMusic({1, 1});
    factory.PlayChangeWorld();
    factory.StopAllSounds();
    kit.rig.Run(100);
    EXPECT_EQ(kit.rig.manager->GetPlayingCount(), 0u);
  }
  kit.rig.platform.windowManager = nullptr;
}

}  // namespace
