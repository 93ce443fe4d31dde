#include "game/gui/progress/TLevelStatusTable.h"

#include <algorithm>

#include "game/gui/main/TGameApp.h"
#include "game/gui/progress/SavedProgress.h"
#include "game/rules/level/TMedalTargets.h"
#include "online/THostBridge.h"
#include "online/TVqHiscores.h"
#include "platform/prefs/TPrefs.h"
#include "platform/text/Log.h"

namespace {

constexpr uint8_t kCompleted = 1;
constexpr uint8_t kTargetReached = 3;
constexpr const char* kDigitsEntry = "AdvGameData";

size_t DigitIndex(const GamePlay::TLevelKey& key) {
  return (key.world - 1) * GamePlay::kLevelsPerWorld + (key.level - 1);
}

// The current player's section; -1 when the preferences have no player.
int32_t CurrentPlayer(TGameApp& app) { return app.GetPrefs() ? app.GetCurrentUser() : -1; }

}  // namespace

TLevelStatusTable::TLevelStatusTable(const GamePlay::TMedalTargets* medalTargets, TVqHiscores* hiscores)
    : mHiscores(hiscores), mMedalTargets(medalTargets) {
  Reload();
}

void TLevelStatusTable::Reload() {
  mDigits.fill('\0');
  mTotalScore = 0;
  TGameApp& app = TGameApp::Instance();
  int32_t player = CurrentPlayer(app);
  if (player >= 0) {
    TPrefs& prefs = *app.GetPrefs();
    if (app.IsZenMode()) {
      mTotalScore = prefs.GetInt("ZenTotalScore", 0, player);
    } else {
      mTotalScore = prefs.GetInt("AdvTotalScore", 0, player);
      int size = prefs.GetData(kDigitsEntry, nullptr, 0, player);
      if (size == static_cast<int>(kDigitCount)) {
        prefs.GetData(kDigitsEntry, mDigits.data(), size, player);
      } else if (size >= 0) {
        LogPrintf("Level status: \"%s\" holds %d bytes instead of %zu; ignored", kDigitsEntry, size, kDigitCount);
      }
    }
  }
  mStatus.clear();
  for (uint32_t world = 1; world <= GamePlay::kJourneyWorlds; ++world) {
    for (uint32_t level = 1; level <= GamePlay::kLevelsPerWorld; ++level) {
      char digit = mDigits[DigitIndex({world, level})];
      mStatus[{world, level}] = digit == '\0' ? 0 : static_cast<uint8_t>(digit - '0');
    }
  }
}

int32_t TLevelStatusTable::GetTotalScore() {
  Reload();
  return mTotalScore;
}

int32_t TLevelStatusTable::GetLevelStatus(const GamePlay::TLevelKey& key) const {
  auto found = mStatus.find(key);
  return (found == mStatus.end() ? 0 : found->second) - 1;
}

int32_t TLevelStatusTable::GetExpertTarget(const GamePlay::TLevelKey& key) const {
  return mMedalTargets ? mMedalTargets->Find(key) : 0;
}

void TLevelStatusTable::RecordLevelResult(int32_t levelScore, int32_t totalScore,
                                          const GamePlay::TLevelKey& key) {
  mPending = std::make_unique<TPendingResult>(TPendingResult{levelScore, totalScore, key});
  if (key.world != 0) SetStatus(levelScore, key);
}

// Only the fifty Journey levels have a digit: the game-end screen (world 99)
// is scored like a level but has none.
void TLevelStatusTable::SetStatus(int32_t levelScore, const GamePlay::TLevelKey& key) {
  if (!GamePlay::IsJourneyLevel(key)) return;
  uint8_t status = GetExpertTarget(key) > levelScore ? kCompleted : kTargetReached;
  mStatus[key] = status;
  mDigits[DigitIndex(key)] = static_cast<char>('0' + status);
}

void TLevelStatusTable::CommitPendingResult() {
  if (!mPending) return;
  Commit(*mPending);
  THostBridge::Instance().SendScoreSubmit(mPending->totalScore);
  THostBridge::Instance().SendScoreBroadcast(mPending->totalScore);
  mPending.reset();
}

void TLevelStatusTable::Commit(const TPendingResult& result) {
  Reload();
  mTotalScore = result.totalScore;
  TGameApp& app = TGameApp::Instance();
  if (result.levelScore > app.GetLevelHiscore(result.key)) app.SetLevelHiscore(result.key, result.levelScore);
  if (result.key.world == 0) {
    CommitZenLevel(result.key.level);
  } else {
    SetStatus(result.levelScore, result.key);
    CommitFurthestLevel(result.key);
  }
  SaveResult();
}

// The next Zen level opens in the sub-mode played, and the furthest Zen level
// only moves forward.
void TLevelStatusTable::CommitZenLevel(uint32_t level) {
  TGameApp& app = TGameApp::Instance();
  TPrefs* prefs = app.GetPrefs();
  if (!prefs) return;
  int32_t player = CurrentPlayer(app);
  int32_t next = static_cast<int32_t>(level) + 1;
  if (player >= 0 && next > app.GetCurrentZenLevel()) {
    prefs->SetInt(app.IsCountMode() ? "ZenLevelCount" : "ZenLevelTime", next, player, false);
  }
  if (static_cast<int32_t>(level) > prefs->GetInt("LatestZenLevel", 1, TPrefs::kGlobalSection)) {
    prefs->SetInt("LatestZenLevel", static_cast<int32_t>(level), TPrefs::kGlobalSection, false);
  }
}

// Only Journey levels move the furthest Journey level, and only forward.
void TLevelStatusTable::CommitFurthestLevel(const GamePlay::TLevelKey& key) {
  TPrefs* prefs = TGameApp::Instance().GetPrefs();
  if (!prefs || !GamePlay::IsJourneyLevel(key)) return;
  GamePlay::TLevelKey furthest{static_cast<uint32_t>(prefs->GetInt("LatestJourneyWorldId", 1, TPrefs::kGlobalSection)),
                               static_cast<uint32_t>(prefs->GetInt("LatestJourneyLevelId", 1, TPrefs::kGlobalSection))};
  if (key <= furthest) return;
  prefs->SetInt("LatestJourneyWorldId", static_cast<int32_t>(key.world), TPrefs::kGlobalSection, false);
  prefs->SetInt("LatestJourneyLevelId", static_cast<int32_t>(key.level), TPrefs::kGlobalSection, false);
}

void TLevelStatusTable::SaveResult() {
  TGameApp& app = TGameApp::Instance();
  bool zen = app.IsZenMode();
  if (zen) mDigits.fill('\0');
  if (mHiscores) mHiscores->AddLocalScore(mTotalScore, true, zen ? TString("") : DigitText());
  TPrefs* prefs = app.GetPrefs();
  if (!prefs) return;
  int32_t player = CurrentPlayer(app);
  if (player >= 0 && zen) {
    prefs->SetInt("ZenTotalScore", mTotalScore, player, false);
  } else if (player >= 0) {
    prefs->SetInt("AdvTotalScore", mTotalScore, player, false);
    prefs->SetData(kDigitsEntry, mDigits.data(), static_cast<int>(kDigitCount), player, false);
  }
  prefs->Save();
}

TString TLevelStatusTable::DigitText() const {
  auto end = std::find(mDigits.begin(), mDigits.end(), '\0');
  return TString(mDigits.data(), static_cast<int>(end - mDigits.begin()));
}
