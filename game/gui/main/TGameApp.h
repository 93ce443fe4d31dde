#pragma once

#include <cstdint>
#include <map>
#include <memory>

#include "game/gui/progress/TLevelStatusTable.h"
#include "game/gui/progress/TMetrics.h"
#include "game/rules/level/IPlayMode.h"
#include "game/rules/level/TGameRecords.h"
#include "game/rules/level/TLevelKey.h"
#include "game/rules/scoring/ILevelStatus.h"
#include "platform/text/TString.h"

class TPrefs;
class TVqHiscores;
namespace GamePlay {
class ISoundFactoryView;
class TMedalTargets;
}  // namespace GamePlay

// The game's application object, one per process. It owns the preferences,
// the hiscore client, the metrics recorder, the medal targets and the level
// status table; it holds the sound factory, the game mode, the portal mode
// and the play flags; and it keeps the players in the preferences. The rules
// reach it only through the records it hands down.
class TGameApp final : public GamePlay::IPlayMode, public GamePlay::ILevelStatus {
 public:
  // The game's built-in key for the preferences and the hiscore client.
  static constexpr const char* kEncryptionKey = "Tz3NqWp7HcMA";
  static constexpr const char* kJourneyKey = "quorvane_gamemode_adv";
  static constexpr const char* kZenKey = "quorvane_gamemode_zen";
  static constexpr const char* kWebJourneyKey = "quorvane_webjourney";
  static constexpr const char* kWebZenKey = "quorvane_webzen";

  static TGameApp& Instance();
  ~TGameApp() override;
  TGameApp(const TGameApp&) = delete;
  TGameApp& operator=(const TGameApp&) = delete;

  // Sets the game up for a run from its command line: a fresh player "Web",
  // count mode, the web Journey mode, a fresh level status table and
  // metrics recorder.
  void Init(const TString& commandLine);
  // Ends the run: the preferences are saved and the metrics recorder goes,
  // its records appended to "user:metrics.txt" and its totals stored. It
  // goes before the windows, so they ask for it at each report.
  void Shutdown();

  // Null outside Init .. Shutdown.
  TPrefs* GetPrefs() const { return mPrefs.get(); }
  TVqHiscores* GetHiscores() const { return mHiscores.get(); }
  GamePlay::TMetrics* GetMetrics() const { return mMetrics.get(); }
  TLevelStatusTable* GetLevelStatusTable() const { return mLevelStatusTable.get(); }
  // What the rules of a level report to and ask of the game: the metrics
  // (null outside Init .. Shutdown), the world data and this object.
  GamePlay::TGameRecords GetGameRecords();
  // Not owned; null until the game main hands it over.
  void SetSoundFactory(GamePlay::ISoundFactoryView* soundFactory) { mSoundFactory = soundFactory; }
  GamePlay::ISoundFactoryView* GetSoundFactory() const { return mSoundFactory; }

  // The command line: "url=" the download link, "-anon " the hiscore mode,
  // "-msn" and "-aol" the portal mode.
  void ParseCommandLine(const TString& commandLine);
  // The text after the key up to the next blank (a blank right after the key
  // is skipped); "" when the key is missing. The search is case-sensitive.
  static TString GetCommandLineValue(const TString& commandLine, const char* key);
  static bool HasCommandLineSwitch(const TString& commandLine, const char* key);
  // 0, 1 or 2 becomes the hiscore mode; anything else changes nothing.
  void SetHiscoreMode(int32_t mode);
  // 0 online, 1 anonymous, 2 local.
  int32_t GetHiscoreMode() const { return mHiscoreMode; }
  // Anonymous wins over local.
  static int32_t ChooseHiscoreMode(bool anonymous, bool local);
  const TString& GetDownloadLink() const { return mDownloadLink; }
  // 0 none, 1 "-msn", 2 "-aol".
  int32_t GetPortalMode() const { return mPortalMode; }

  // Zen levels: counter pieces run down by ring turns instead of time.
  bool IsCountMode() const override { return mCountMode; }
  bool SetCountMode(bool on) { return mCountMode = on; }
  bool IsDisplayTimeMode() const { return mDisplayTimeMode; }
  // Makes every tutorial count as seen.
  bool SetNextToTutorial(bool skip) { return mSkipTutorials = skip; }
  // The game is playing the tutorial levels.
  bool IsTutorialMode() const override { return mTutorialMode; }
  bool SetTutorialMode(bool on) { return mTutorialMode = on; }
  bool IsTutorialSeen(const GamePlay::TLevelKey& level) const override;
  void SetTutorialSeen(const GamePlay::TLevelKey& level);
  // Whether the level takes its settings from its tutorial file.
  bool IsTutorialLevel(int32_t world, int32_t level);

  // Players, kept as the user sections of the preferences. -1 when none.
  int32_t GetCurrentUser() const;
  int32_t GetNumUsers() const;
  TString GetUserName(int32_t user) const;
  TString GetCurrentUserName() const { return GetUserName(GetCurrentUser()); }
  // Adds the player and makes it current.
  void AddUser(const TString& name);
  // An index at or past the number of players changes nothing.
  void SetCurrentUser(int32_t user);
  // Removes the player and makes the one before current (the last one when
  // the first went). A negative index does nothing.
  void DeleteUser(int32_t user);

  // Modes: the key of the pair (zen, web) goes to the hiscore client.
  void SetGameMode(bool zen, bool web);
  const TString& GetGameMode() const { return mGameMode; }
  void SetZenMode(bool zen) { SetGameMode(zen, true); }
  bool IsZenMode() const;
  bool IsWebMode() const;
  int32_t GetCurrentZenLevel() const;
  // True when some player has Zen mode unlocked.
  bool IsZenModeUnlocked() const;
  bool IsZenModeLocked() const { return false; }

  // Options.
  bool GetFullScreenOption() const;
  void SaveFullScreenOption();
  bool ToggleFullScreen();
  // Without a sound factory these do nothing (and the toggle answers false).
  bool ToggleMuteAllSound();
  void SaveVolumes();
  // The stored sound switch and volumes go to the sound factory.
  void LoadSoundOptions();

  // Progress flags of the current player.
  void SetCompletedJourneyMode(bool completed);
  bool IsCompletedJourneyMode() const;
  bool IsCompletedZenMode() const;
  void SetSubmittedJourneyMedal();
  void SetSubmittedExpertMedal();
  void SetSubmittedZenMedal();
  // Whether medals wait to be sent to the hiscore service: the game never
  // offers them of its own accord, so the answer is always no.
  bool AreMedalsWaiting() const { return false; }
  // Journey completed with the target score of every level reached.
  bool IsAllJourneyExpert() const;
  bool IsCheatMode() const;
  // The current player's progress goes into the world data.
  void LoadCurrentUserProgress();

  // Portal operations.
  bool IsAOL() const { return mPortalMode == 2; }
  void GameEnd();
  // The host hears of it in the "-msn" portal; elsewhere the link opens.
  void GoDownloadLink();

  // The best score of each level, kept in the global section.
  int32_t GetLevelHiscore(const GamePlay::TLevelKey& level);
  void SetLevelHiscore(const GamePlay::TLevelKey& level, int32_t score);

  // The level status table's, while there is one; without one the total
  // and every target are 0 and results are not kept. The target is the
  // level's expert target.
  int32_t GetTotalScore() const override;
  int32_t GetTargetScore(const GamePlay::TLevelKey& level) const override;
  void RecordLevelResult(int32_t levelScore, int32_t totalScore,
                         const GamePlay::TLevelKey& level) override;

 private:
  TGameApp();

  int32_t GetUserInt(const char* name, int32_t defaultValue) const;
  void SetUserInt(const char* name, int32_t value);

  GamePlay::ISoundFactoryView* mSoundFactory = nullptr;
  std::unique_ptr<TPrefs> mPrefs;
  std::unique_ptr<GamePlay::TMetrics> mMetrics;
  std::unique_ptr<TVqHiscores> mHiscores;
  TString mGameMode;
  int32_t mHiscoreMode = 0;
  bool mCountMode = false;
  bool mDisplayTimeMode = false;
  bool mSkipTutorials = false;
  bool mTutorialMode = false;
  std::unique_ptr<GamePlay::TMedalTargets> mMedalTargets;
  std::unique_ptr<TLevelStatusTable> mLevelStatusTable;
  std::map<TString, int32_t> mLevelHiscores;
  TString mDownloadLink;
  int32_t mPortalMode = 0;
};
