#pragma once

#include <cstdint>
#include <map>
#include <memory>

#include "game/gui/sound/TSoundEvent.h"
#include "game/rules/control/ISoundFactoryView.h"
#include "platform/text/TString.h"
#include "platform/time/TClock.h"

namespace GUI {

class ILoopMusic;
class TMusicBank;

// The game's one sound player. Each game event plays the sound the string
// table names for it (every file below "music/") in the effects group; the
// level and menu music loop in the music group, at most one of them at a
// time. It keeps the music and effects volumes and the global sound switch,
// applied to the sound manager's volume groups (2 music, 0 and 100 effects),
// and gives the scripts "PlayClickSound" and "PlayMainmenuBackground".
class TSoundFactory final : public GamePlay::ISoundFactoryView {
 public:
  static constexpr int32_t kMusicGroup = 2;
  static constexpr int32_t kDefaultGroup = 0;
  static constexpr int32_t kEffectsGroup = 100;
  // The shortest time between two starts of the gear's sound.
  static constexpr uint32_t kGearInterval = 101;

  // The game's factory, made on first use.
  static TSoundFactory& Instance();
  // Registers the script functions on the window manager's script and loads
  // every sound and the music bank. Only Instance and tests make one.
  TSoundFactory();
  ~TSoundFactory() override;
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
  bool IsSoundActive() const { return mEnabled; }

  // The level's music, unless a level's music plays already; the menu's stops.
  void StartMusic(const GamePlay::TLevelKey& level) override;
  // The menu's music ("Mainmenu Sound"), unless it plays already; a level's stops.
  void PlayMainmenuBackground();

  void PlayClick() override { PlaySound("Click Sound"); }
  void PlayRingRotate() override { PlaySound("Ring Rotate Sound"); }
  void PlayRingSnap() override { PlaySound("Ring Snap Sound"); }
  void PlayPowerUpCreation() override { PlaySound("PowerUp Creation"); }
  void PlayPieceFall() override { PlaySound("Piece Fall Sound"); }
  void OnMatchFound() override {}
  void PlaySmallBomb() override { PlaySound("Small Bomb"); }
  void PlayBigBomb() override { PlaySound("Big Bomb"); }
  void PlayTimeBomb() override { PlaySound("Time Bomb"); }
  void PlayRingBomb() override { PlaySound("Ring Bomb"); }
  void OnColorBomb() override {}
  void PlayColorChange() override { PlaySound("Color Change"); }
  // Groups of 3, 4 and 5 have a sound; others play nothing.
  void PlayMatch(int32_t n) override { PlaySound(TString::Format("Match %d", n)); }
  void PlayBlockerTurn() override { PlaySound("Blocker Turn"); }
  void PlayBlockerBreak() override { PlaySound("Blocker Break"); }
  void PlayBlockerBroken() override { PlaySound("Blocker Broken"); }
  // Colours 0 to 5 and 9 (the white jug) have a sound; others play nothing.
  void PlayJugFill(int32_t colour) override;
  void PlayJugFull() override { PlaySound("Jug Full"); }
  // The gear's sound is short and never looped, so nothing needs to stop it.
  void StartGearRotating() override { PlayGearRotating(); }
  void StopGearRotating() override {}
  void PlayLockExplode() override { PlaySound("Lock Explode"); }
  void PlayGearExplode() override { PlaySound("Gear Explode"); }
  // Loops from the first start until the stop; starts between do nothing.
  void StartAlmostTimeOut() override;
  void StopAlmostTimeOut() override;

  // At most one start per kGearInterval, counted from the first request.
  void PlayGearRotating();
  // At most two instances at once.
  void PlayBlockerBlocked() { PlaySound("Blocker Blocked", 1); }
  void PlayExpertBanner() { PlaySound("Expert Banner"); }
  // Once each until StopAllSounds, heard only while sound is on.
  void PlayFireQuote() { PlayOnce("Fire Quote"); }
  void PlayExpertTransition() { PlayOnce("Expert Transition"); }
  void PlayChangeWorld() { PlayDirect(mChangeWorld); }
  // The click that a button makes; a click outlives StopAllSounds.
  void PlayClickSound() { PlayDirect(mClick); }
  // Every event's sound but the click stops; once-only events may play again.
  void StopAllSounds();

  // Stops the music and lets go of every sound. The factory outlives the
  // sound manager, so the game calls this at shut-down while it still exists.
  void ReleaseSounds();

 private:
  void RegisterScriptFunctions();
  void LoadSounds();
  void LoadEvent(const TString& key, const TString& label);
  TSoundEvent* FindEvent(const TString& key);
  // One instance of the event, not looped; with a limit, only while no more
  // than `limit` counted instances play.
  void PlaySound(const TString& key, int32_t limit = -1);
  void PlayCounted(TSoundEvent& event, int32_t limit);
  void PlayOnce(const TString& key);
  void PlayDirect(const std::shared_ptr<TSound>& sound);
  float GroupVolume(int32_t volume) const { return mEnabled ? static_cast<float>(volume) / 1000.0f : 0.0f; }

  std::map<TString, TSoundEvent> mEvents;
  std::unique_ptr<TMusicBank> mMusicBank;
  std::unique_ptr<ILoopMusic> mLevelMusic;
  std::unique_ptr<ILoopMusic> mMenuMusic;
  std::shared_ptr<TSound> mClick;
  std::shared_ptr<TSound> mUnlock;
  std::shared_ptr<TSound> mWorldComplete;
  std::shared_ptr<TSound> mWorldCompleteFlash;
  std::shared_ptr<TSound> mChangeWorld;
  int32_t mMusicVolume = 1000;
  int32_t mEffectsVolume = 1000;
  bool mEnabled = true;
  float mBackgroundRate = 0.0f;
  TClock mGearClock;
  bool mGearRequested = false;
};

}  // namespace GUI
