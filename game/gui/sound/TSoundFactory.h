#pragma once

#include <cstdint>

#include "game/rules/control/ISoundFactoryView.h"

namespace GUI {

// The game's one sound player: the music and effects volumes and the global
// sound switch, applied to the sound manager's volume groups (2 music, 0 and
// 100 effects). The sounds of the events are not loaded yet, so the event
// operations play nothing.
class TSoundFactory final : public GamePlay::ISoundFactoryView {
 public:
  static constexpr int32_t kMusicGroup = 2;
  static constexpr int32_t kDefaultGroup = 0;
  static constexpr int32_t kEffectsGroup = 100;

  static TSoundFactory& Instance();
  TSoundFactory(const TSoundFactory&) = delete;
  TSoundFactory& operator=(const TSoundFactory&) = delete;

  // Switching re-applies both volumes: silence while off.
  void SetSoundEnabled(bool enabled) override;
  bool IsSoundEnabled() override { return mEnabled; }
  // Thousandths; the group volume is the value / 1000 while sound is on.
  void SetMusicVolume(int32_t volume) override;
  void SetEffectsVolume(int32_t volume) override;
  int32_t GetMusicVolume() override { return mMusicVolume; }
  int32_t GetEffectsVolume() override { return mEffectsVolume; }
  bool IsSoundActive() { return mEnabled; }

  void StartMusic(const GamePlay::TLevelKey&) override {}
  void PlayClick() override {}
  void PlayRingRotate() override {}
  void PlayRingSnap() override {}
  void PlayPowerUpCreation() override {}
  void PlayPieceFall() override {}
  void OnMatchFound() override {}
  void PlaySmallBomb() override {}
  void PlayBigBomb() override {}
  void PlayTimeBomb() override {}
  void PlayRingBomb() override {}
  void OnColorBomb() override {}
  void PlayColorChange() override {}
  void PlayMatch(int32_t) override {}
  void PlayBlockerTurn() override {}
  void PlayBlockerBreak() override {}
  void PlayBlockerBroken() override {}
  void PlayJugFill(int32_t) override {}
  void PlayJugFull() override {}
  void StartGearRotating() override {}
  void PlayLockExplode() override {}
  void PlayGearExplode() override {}
  void StartAlmostTimeOut() override {}
  void StopAlmostTimeOut() override {}
  void StopGearRotating() override {}

 private:
  TSoundFactory() = default;
  ~TSoundFactory() override = default;

  float GroupVolume(int32_t volume) const { return mEnabled ? static_cast<float>(volume) / 1000.0f : 0.0f; }

  int32_t mMusicVolume = 1000;
  int32_t mEffectsVolume = 1000;
  bool mEnabled = true;
};

}  // namespace GUI
