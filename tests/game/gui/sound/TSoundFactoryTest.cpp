#include <gtest/gtest.h>

#include "game/gui/sound/TSoundFactory.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/FakeSoundManager.h"

namespace {

using GUI::TSoundFactory;

TEST(TSoundFactory, VolumesReachTheirGroupsOnlyWhileSoundIsOn) {
  FakePlatform platform;
  FakeSoundManager sound;
  platform.soundManager = &sound;
  TSoundFactory& factory = TSoundFactory::Instance();
  factory.SetSoundEnabled(true);
  factory.SetMusicVolume(500);
  factory.SetEffectsVolume(250);
  EXPECT_FLOAT_EQ(sound.GetVolume(TSoundFactory::kMusicGroup), 0.5f);
  EXPECT_FLOAT_EQ(sound.GetVolume(TSoundFactory::kDefaultGroup), 0.25f);
  EXPECT_FLOAT_EQ(sound.GetVolume(TSoundFactory::kEffectsGroup), 0.25f);
  factory.SetSoundEnabled(false);
  EXPECT_FLOAT_EQ(sound.GetVolume(TSoundFactory::kMusicGroup), 0.0f);
  EXPECT_FLOAT_EQ(sound.GetVolume(TSoundFactory::kEffectsGroup), 0.0f);
  EXPECT_EQ(factory.GetMusicVolume(), 500) << "the volumes are kept while off";
  factory.SetSoundEnabled(true);
  EXPECT_FLOAT_EQ(sound.GetVolume(TSoundFactory::kMusicGroup), 0.5f);
  factory.SetMusicVolume(1000);
  factory.SetEffectsVolume(1000);
}

}  // namespace
