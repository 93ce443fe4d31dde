#pragma once

#include <cstdint>

#include "game/rules/level/TLevelKey.h"

namespace GamePlay {

// The game's sounds, one operation per event of play. Volumes are thousandths
// (1000 = full).
class ISoundFactoryView {
 public:
  virtual ~ISoundFactoryView() = default;

  virtual void SetSoundEnabled(bool enabled) = 0;
  virtual bool IsSoundEnabled() = 0;
  virtual void SetMusicVolume(int32_t volume) = 0;
  virtual void SetEffectsVolume(int32_t volume) = 0;
  virtual int32_t GetMusicVolume() = 0;
  virtual int32_t GetEffectsVolume() = 0;
  // The music of a level.
  virtual void StartMusic(const TLevelKey& level) = 0;

  virtual void PlayClick() = 0;
  virtual void PlayRingRotate() = 0;
  virtual void PlayRingSnap() = 0;
  virtual void PlayPowerUpCreation() = 0;
  virtual void PlayPieceFall() = 0;
  // A hook without a sound of its own.
  virtual void OnMatchFound() = 0;
  virtual void PlaySmallBomb() = 0;
  virtual void PlayBigBomb() = 0;
  virtual void PlayTimeBomb() = 0;
  virtual void PlayRingBomb() = 0;
  // A hook without a sound.
  virtual void OnColorBomb() = 0;
  virtual void PlayColorChange() = 0;
  // The sound of a matched group of n pieces.
  virtual void PlayMatch(int32_t n) = 0;
  virtual void PlayBlockerTurn() = 0;
  virtual void PlayBlockerBreak() = 0;
  virtual void PlayBlockerBroken() = 0;
  // A jug of the colour filling; colour 9 is the jug of any colour.
  virtual void PlayJugFill(int32_t colour) = 0;
  virtual void PlayJugFull() = 0;
  virtual void StartGearRotating() = 0;
  virtual void PlayLockExplode() = 0;
  virtual void PlayGearExplode() = 0;
  // Looped until stopped.
  virtual void StartAlmostTimeOut() = 0;
  virtual void StopAlmostTimeOut() = 0;
  virtual void StopGearRotating() = 0;
};

}  // namespace GamePlay
