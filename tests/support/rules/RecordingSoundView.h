#pragma once

#include <string>
#include <vector>

#include "game/rules/control/ISoundFactoryView.h"

// A sound view that writes down every sound the rules ask for, by name
// ("PlayMatch 4"), and keeps the switch and volumes it is given.
class RecordingSoundView final : public GamePlay::ISoundFactoryView {
 public:
  std::vector<std::string> played;

  void SetSoundEnabled(bool enabled) override { mEnabled = enabled; }
  bool IsSoundEnabled() override { return mEnabled; }
  void SetMusicVolume(int32_t volume) override { mMusicVolume = volume; }
  void SetEffectsVolume(int32_t volume) override { mEffectsVolume = volume; }
  int32_t GetMusicVolume() override { return mMusicVolume; }
  int32_t GetEffectsVolume() override { return mEffectsVolume; }
  void StartMusic(const GamePlay::TLevelKey& level) override;

  void PlayClick() override { Note("PlayClick"); }
  void PlayRingRotate() override { Note("PlayRingRotate"); }
  void PlayRingSnap() override { Note("PlayRingSnap"); }
  void PlayPowerUpCreation() override { Note("PlayPowerUpCreation"); }
  void PlayPieceFall() override { Note("PlayPieceFall"); }
  void OnMatchFound() override { Note("OnMatchFound"); }
  void PlaySmallBomb() override { Note("PlaySmallBomb"); }
  void PlayBigBomb() override { Note("PlayBigBomb"); }
  void PlayTimeBomb() override { Note("PlayTimeBomb"); }
  void PlayRingBomb() override { Note("PlayRingBomb"); }
  void OnColorBomb() override { Note("OnColorBomb"); }
  void PlayColorChange() override { Note("PlayColorChange"); }
  void PlayMatch(int32_t n) override { Note("PlayMatch " + std::to_string(n)); }
  void PlayBlockerTurn() override { Note("PlayBlockerTurn"); }
  void PlayBlockerBreak() override { Note("PlayBlockerBreak"); }
  void PlayBlockerBroken() override { Note("PlayBlockerBroken"); }
  void PlayJugFill(int32_t colour) override { Note("PlayJugFill " + std::to_string(colour)); }
  void PlayJugFull() override { Note("PlayJugFull"); }
  void StartGearRotating() override { Note("StartGearRotating"); }
  void PlayLockExplode() override { Note("PlayLockExplode"); }
  void PlayGearExplode() override { Note("PlayGearExplode"); }
  void StartAlmostTimeOut() override { Note("StartAlmostTimeOut"); }
  void StopAlmostTimeOut() override { Note("StopAlmostTimeOut"); }
  void StopGearRotating() override { Note("StopGearRotating"); }

 private:
  void Note(std::string sound) { played.push_back(std::move(sound)); }

  bool mEnabled = true;
  int32_t mMusicVolume = 1000;
  int32_t mEffectsVolume = 1000;
};
