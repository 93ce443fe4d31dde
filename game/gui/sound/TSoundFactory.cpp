#include "game/gui/sound/TSoundFactory.h"

#include "media/sound/TSoundManager.h"
#include "platform/TPlatform.h"

namespace GUI {
namespace {

// Null without a platform or without sound.
TSoundManager* SoundManager() {
  TPlatform* platform = TPlatform::Instance();
  return platform ? platform->GetSoundManager() : nullptr;
}

}  // namespace

TSoundFactory& TSoundFactory::Instance() {
  static TSoundFactory factory;
  return factory;
}

void TSoundFactory::SetSoundEnabled(bool enabled) {
  mEnabled = enabled;
  SetMusicVolume(mMusicVolume);
  SetEffectsVolume(mEffectsVolume);
}

void TSoundFactory::SetMusicVolume(int32_t volume) {
  mMusicVolume = volume;
  if (TSoundManager* manager = SoundManager()) manager->SetGroupVolume(kMusicGroup, GroupVolume(volume));
}

void TSoundFactory::SetEffectsVolume(int32_t volume) {
  mEffectsVolume = volume;
  if (TSoundManager* manager = SoundManager()) {
    manager->SetGroupVolume(kDefaultGroup, GroupVolume(volume));
    manager->SetGroupVolume(kEffectsGroup, GroupVolume(volume));
  }
}

}  // namespace GUI
