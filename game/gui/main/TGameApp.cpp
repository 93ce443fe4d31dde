#include "game/gui/main/TGameApp.h"

#include <cerrno>
#include <cstdlib>
#include <string>

#include "game/gui/main/GameLuaFunctions.h"
#include "game/gui/progress/SavedProgress.h"
#include "game/gui/progress/TWorldData.h"
#include "game/rules/control/TClockProxyRegistry.h"
#include "game/rules/control/ISoundFactoryView.h"
#include "game/rules/level/TLevelSettings.h"
#include "game/rules/level/TMedalTargets.h"
#include "online/THostBridge.h"
#include "online/TVqHiscores.h"
#include "platform/TPlatform.h"
#include "platform/prefs/TPrefs.h"
#include "platform/xml/TStringTable.h"
#include "windows/core/TWindowManager.h"

namespace {

constexpr int32_t kTargetReachedStatus = 2;

// A string-table value as a number; 0 without a table or the label.
double StringTableNumber(const char* label) {
  TPlatform* platform = TPlatform::Instance();
  TStringTable* table = platform ? platform->GetStringTable() : nullptr;
  return table ? std::atof(table->GetString(label).CStr()) : 0.0;
}

bool SettingIsNonZero(TPlatform* platform, const char* key) {
  return std::atoi(platform->GetSetting(key).CStr()) != 0;
}

// The whole text as a decimal number, a leading blank allowed.
bool ParseDecimal(const TString& text, int32_t* number) {
  const char* start = text.CStr();
  if (*start == ' ') ++start;
  char* end = nullptr;
  errno = 0;
  long value = std::strtol(start, &end, 10);
  if (end == start || *end != '\0' || errno != 0) return false;
  *number = static_cast<int32_t>(value);
  return value == *number;
}

TString HiscoreKey(const GamePlay::TLevelKey& level) {
  return TString::Format("HS%02u%02u", level.world, level.level);
}

TString TutorialKey(const GamePlay::TLevelKey& level) {
  return TString::Format("Tutorial%u%u", level.world, level.level);
}

}  // namespace

TGameApp& TGameApp::Instance() {
  static TGameApp app;
  return app;
}

// The key must be set before Init: the preferences and the hiscore client
// refuse to work without it. The clock registry is made first so that it
// outlives this object: when the process ends without the game main's
// shut-down (a library that calls exit), the metrics still owned here take
// themselves off the registry as they go.
TGameApp::TGameApp() {
  GamePlay::TClockProxyRegistry::Instance();
  if (TPlatform* platform = TPlatform::Instance()) {
    TWindowManager* manager = platform->GetWindowManager();
    if (manager && manager->GetScript()) RegisterGameLuaFunctions(*manager->GetScript(), *this);
    platform->SetSetting("encryptionkey", kEncryptionKey);
    mHiscoreMode = ChooseHiscoreMode(SettingIsNonZero(platform, "hiscoreanon"),
                                     SettingIsNonZero(platform, "hiscorelocal"));
  }
  mMedalTargets = std::make_unique<GamePlay::TMedalTargets>();
}

TGameApp::~TGameApp() = default;

int32_t TGameApp::ChooseHiscoreMode(bool anonymous, bool local) {
  if (anonymous) return 1;
  return local ? 2 : 0;
}

void TGameApp::Init(const TString& commandLine) {
  ParseCommandLine(commandLine);
  mPrefs = std::make_unique<TPrefs>(true);
  TPlatform* platform = TPlatform::Instance();
  mHiscores = std::make_unique<TVqHiscores>("quorvane", platform ? platform->GetVersionString() : TString(""), 0);
  if (GetCurrentUser() != -1) DeleteUser(GetCurrentUser());
  AddUser("Web");
  SetCurrentUser(GetCurrentUser());
  mCountMode = true;
  SetGameMode(false, true);
  mLevelHiscores.clear();
  mLevelStatusTable = std::make_unique<TLevelStatusTable>(mMedalTargets.get(), mHiscores.get());
  mMetrics = std::make_unique<GamePlay::TMetrics>();
}

void TGameApp::Shutdown() {
  if (mPrefs) mPrefs->Save();
  mMetrics.reset();
}

GamePlay::TGameRecords TGameApp::GetGameRecords() {
  return {mMetrics.get(), &GamePlay::TWorldData::Instance(), this, this};
}

void TGameApp::ParseCommandLine(const TString& commandLine) {
  mDownloadLink = GetCommandLineValue(commandLine, "url=");
  int32_t mode = 0;
  if (ParseDecimal(GetCommandLineValue(commandLine, "-anon "), &mode)) SetHiscoreMode(mode);
  if (HasCommandLineSwitch(commandLine, "-msn")) {
    mPortalMode = 1;
  } else if (HasCommandLineSwitch(commandLine, "-aol")) {
    mPortalMode = 2;
  }
}

TString TGameApp::GetCommandLineValue(const TString& commandLine, const char* key) {
  std::string line = commandLine.CStr();
  size_t found = line.find(key);
  if (found == std::string::npos) return "";
  size_t start = found + std::char_traits<char>::length(key);
  if (start >= line.size()) return "";
  size_t end = line.find(' ', start + 1);
  return line.substr(start, end == std::string::npos ? std::string::npos : end - start).c_str();
}

bool TGameApp::HasCommandLineSwitch(const TString& commandLine, const char* key) {
  return std::string(commandLine.CStr()).find(key) != std::string::npos;
}

void TGameApp::SetHiscoreMode(int32_t mode) {
  if (mode >= 0 && mode <= 2) mHiscoreMode = mode;
}

bool TGameApp::IsTutorialSeen(const GamePlay::TLevelKey& level) const {
  return mSkipTutorials || GetUserInt(TutorialKey(level).CStr(), 0) != 0;
}

void TGameApp::SetTutorialSeen(const GamePlay::TLevelKey& level) { SetUserInt(TutorialKey(level).CStr(), 1); }

bool TGameApp::IsTutorialLevel(int32_t world, int32_t level) {
  return GamePlay::HasTutorialSettings({static_cast<uint32_t>(world), static_cast<uint32_t>(level)}, *this);
}

int32_t TGameApp::GetCurrentUser() const { return mPrefs ? mPrefs->GetInt("curuser", -1, TPrefs::kGlobalSection) : -1; }

int32_t TGameApp::GetNumUsers() const { return mPrefs ? mPrefs->GetUserCount() : 0; }

TString TGameApp::GetUserName(int32_t user) const { return mPrefs ? mPrefs->GetValue("name", "", user) : ""; }

void TGameApp::AddUser(const TString& name) {
  if (!mPrefs) return;
  int32_t user = GetNumUsers();
  mPrefs->SetValue("name", name, user, true);
  SetCurrentUser(user);
}

void TGameApp::SetCurrentUser(int32_t user) {
  if (!mPrefs || user >= GetNumUsers()) return;
  mPrefs->SetInt("curuser", user, TPrefs::kGlobalSection, false);
  if (user >= 0 && mHiscores) mHiscores->SetParameter(TVqHiscores::kPlayerName, GetUserName(user));
}

void TGameApp::DeleteUser(int32_t user) {
  if (!mPrefs || user < 0 || user >= GetNumUsers()) return;
  mPrefs->RemoveUser(user);
  SetCurrentUser(user - 1 >= 0 ? user - 1 : GetNumUsers() - 1);
}

void TGameApp::SetGameMode(bool zen, bool web) {
  if (web) {
    mGameMode = zen ? kWebZenKey : kWebJourneyKey;
  } else {
    mGameMode = zen ? kZenKey : kJourneyKey;
  }
  if (mHiscores) mHiscores->SetParameter(TVqHiscores::kGameMode, mGameMode);
  THostBridge::Instance().SendGameReady(mGameMode);
}

bool TGameApp::IsZenMode() const { return mGameMode == kWebZenKey || mGameMode == kZenKey; }

bool TGameApp::IsWebMode() const { return mGameMode == kWebZenKey || mGameMode == kWebJourneyKey; }

int32_t TGameApp::GetCurrentZenLevel() const { return GetUserInt(mCountMode ? "ZenLevelCount" : "ZenLevelTime", 0); }

bool TGameApp::IsZenModeUnlocked() const {
  for (int32_t user = 0; user < GetNumUsers(); ++user) {
    if (mPrefs->GetInt("zenmodelocked", 1, user) == 0) return true;
  }
  return false;
}

bool TGameApp::GetFullScreenOption() const {
  return GetUserInt("fullscreen", static_cast<int32_t>(StringTableNumber("Full Screen"))) != 0;
}

void TGameApp::SaveFullScreenOption() {
  TPlatform* platform = TPlatform::Instance();
  if (platform) SetUserInt("fullscreen", platform->IsFullScreen() ? 1 : 0);
}

bool TGameApp::ToggleFullScreen() {
  TPlatform* platform = TPlatform::Instance();
  if (!platform || !platform->SetFullScreen(!platform->IsFullScreen())) return false;
  SaveFullScreenOption();
  return true;
}

bool TGameApp::ToggleMuteAllSound() {
  if (!mSoundFactory) return false;
  bool enabled = !mSoundFactory->IsSoundEnabled();
  mSoundFactory->SetSoundEnabled(enabled);
  SetUserInt("enableallsound", enabled ? 1 : 0);
  return true;
}

void TGameApp::SaveVolumes() {
  if (!mSoundFactory) return;
  SetUserInt("music", mSoundFactory->GetMusicVolume());
  SetUserInt("soundfx", mSoundFactory->GetEffectsVolume());
}

void TGameApp::LoadSoundOptions() {
  double musicRate = StringTableNumber("Rate of Background Sound");
  mDisplayTimeMode = StringTableNumber("Enable Time Mode") != 0.0;
  if (!mSoundFactory) return;
  bool enabled = GetUserInt("enableallsound", 1) == 1;
  int32_t effects = GetUserInt("soundfx", 1000);
  int32_t music = GetUserInt("music", static_cast<int32_t>(musicRate * 1000.0));
  mSoundFactory->SetSoundEnabled(enabled);
  mSoundFactory->SetEffectsVolume(effects);
  mSoundFactory->SetMusicVolume(music);
}

void TGameApp::SetCompletedJourneyMode(bool completed) { SetUserInt("CompletedJourneyMode", completed ? 1 : 0); }

bool TGameApp::IsCompletedJourneyMode() const { return GetUserInt("CompletedJourneyMode", 0) != 0; }

bool TGameApp::IsCompletedZenMode() const { return GetUserInt("CompletedZenMode", 0) != 0; }

void TGameApp::SetSubmittedJourneyMedal() { SetUserInt("SubmittedCompletedJourneyModeMedal", 1); }

void TGameApp::SetSubmittedExpertMedal() { SetUserInt("SubmittedCompletedExpertMedal", 1); }

void TGameApp::SetSubmittedZenMedal() { SetUserInt("SubmittedCompletedZenModeMedal", 1); }

bool TGameApp::IsAllJourneyExpert() const {
  if (!IsCompletedJourneyMode() || !mLevelStatusTable) return false;
  for (uint32_t world = 1; world <= GamePlay::kJourneyWorlds; ++world) {
    for (uint32_t level = 1; level <= GamePlay::kLevelsPerWorld; ++level) {
      if (mLevelStatusTable->GetLevelStatus({world, level}) != kTargetReachedStatus) return false;
    }
  }
  return true;
}

void TGameApp::LoadCurrentUserProgress() { GamePlay::TWorldData::Instance().LoadProgress(); }

bool TGameApp::IsCheatMode() const { return static_cast<int32_t>(StringTableNumber("Cheat Mode")) != 0; }

void TGameApp::GameEnd() {
  if (mPortalMode == 1) THostBridge::Instance().SendGameEnd();
}

void TGameApp::GoDownloadLink() {
  if (mPortalMode == 1) {
    THostBridge::Instance().SendCustomEvent();
  } else if (TPlatform* platform = TPlatform::Instance()) {
    platform->OpenURL(mDownloadLink);
  }
}

int32_t TGameApp::GetLevelHiscore(const GamePlay::TLevelKey& level) {
  TString key = HiscoreKey(level);
  auto cached = mLevelHiscores.find(key);
  if (cached != mLevelHiscores.end()) return cached->second;
  int32_t score = mPrefs ? mPrefs->GetInt(key, 0, TPrefs::kGlobalSection) : 0;
  mLevelHiscores[key] = score;
  return score;
}

void TGameApp::SetLevelHiscore(const GamePlay::TLevelKey& level, int32_t score) {
  mLevelHiscores.clear();
  if (mPrefs) mPrefs->SetInt(HiscoreKey(level), score, TPrefs::kGlobalSection, false);
}

int32_t TGameApp::GetTotalScore() const {
  return mLevelStatusTable ? mLevelStatusTable->GetTotalScore() : 0;
}

int32_t TGameApp::GetTargetScore(const GamePlay::TLevelKey& level) const {
  return mLevelStatusTable ? mLevelStatusTable->GetExpertTarget(level) : 0;
}

void TGameApp::RecordLevelResult(int32_t levelScore, int32_t totalScore,
                                 const GamePlay::TLevelKey& level) {
  if (mLevelStatusTable) mLevelStatusTable->RecordLevelResult(levelScore, totalScore, level);
}

// Without a current player the entries read as their defaults and are not
// kept: the store would take the player -1 for its global section.
int32_t TGameApp::GetUserInt(const char* name, int32_t defaultValue) const {
  int32_t user = GetCurrentUser();
  return user >= 0 ? mPrefs->GetInt(name, defaultValue, user) : defaultValue;
}

void TGameApp::SetUserInt(const char* name, int32_t value) {
  int32_t user = GetCurrentUser();
  if (user >= 0) mPrefs->SetInt(name, value, user, true);
}
