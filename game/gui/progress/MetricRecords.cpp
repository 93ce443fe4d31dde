#include "game/gui/progress/MetricRecords.h"

#include "game/gui/main/TGameApp.h"
#include "game/gui/progress/TMetrics.h"
#include "platform/TPlatform.h"
#include "platform/prefs/TPrefs.h"

namespace GamePlay {
namespace {

// Times and counts are unsigned: past 2^31 they stay positive.
TString UnsignedMetricField(uint32_t value) { return TString::Format("%u", value); }

// A furthest-level entry of the global preferences; 1 without preferences.
int32_t FurthestLevelEntry(const char* name) {
  TPrefs* prefs = TGameApp::Instance().GetPrefs();
  return prefs ? prefs->GetInt(name, 1, TPrefs::kGlobalSection) : 1;
}

}  // namespace

TSessionData::TSessionData(const TMetrics& metrics) : TMetricData(metrics) {
  AddField(&TSessionData::Version);
  AddField(&TSessionData::SessionTime);
  AddField(&TSessionData::JourneyTime);
  AddField(&TSessionData::ZenTime);
  AddField(&TSessionData::ZenModeUnlocked);
  AddField(&TSessionData::Reserved);
}

TString TSessionData::Version() const {
  TPlatform* platform = TPlatform::Instance();
  return platform ? platform->GetVersionString() : TString("");
}

TString TSessionData::SessionTime() const { return UnsignedMetricField(Metrics().GetSessionTime()); }

TString TSessionData::JourneyTime() const { return UnsignedMetricField(Metrics().GetJourneySessionTime()); }

TString TSessionData::ZenTime() const { return UnsignedMetricField(Metrics().GetZenSessionTime()); }

TString TSessionData::ZenModeUnlocked() const {
  TGameApp& app = TGameApp::Instance();
  return app.GetPrefs() && app.IsZenModeUnlocked() ? "1" : "0";
}

TLevelComplete::TLevelComplete(const TMetrics& metrics, bool failed) : TMetricData(metrics), mFailed(failed) {
  AddField(&TLevelComplete::Level);
  AddField(&TLevelComplete::LevelTime);
  AddField(&TLevelComplete::Failed);
  AddField(&TLevelComplete::LevelScore);
  AddField(&TLevelComplete::Counter<TMetrics::kLargeScores>);
  AddField(&TLevelComplete::Counter<TMetrics::kCombos>);
  AddField(&TLevelComplete::Counter<TMetrics::kPowerUpsTriggered>);
  AddField(&TLevelComplete::Counter<TMetrics::kPowerUpsClicked>);
  AddField(&TLevelComplete::Counter<TMetrics::kLocksShown>);
  AddField(&TLevelComplete::Counter<TMetrics::kLocksBroken>);
  AddField(&TLevelComplete::Counter<TMetrics::kGearsAndBlockersShown>);
  AddField(&TLevelComplete::Counter<TMetrics::kGearsBroken>);
  AddField(&TLevelComplete::Counter<TMetrics::kBlockersBroken>);
  AddField(&TLevelComplete::Counter<TMetrics::kUnusedCount>);
}

// World 0 holds the Zen levels.
TString TLevelComplete::GetName() const {
  const TLevelKey* level = Metrics().GetCurrentLevel();
  return level && level->world != 0 ? "LevelCompleteJourney" : "LevelCompleteZen";
}

TString TLevelComplete::Level() const {
  const TLevelKey* level = Metrics().GetCurrentLevel();
  if (!level) return QuotedField("");
  if (level->world == 0) return QuotedField(TString::Format("%02u", level->level));
  return QuotedField(TString::Format("%02u-%02u", level->world, level->level));
}

TString TLevelComplete::LevelTime() const { return UnsignedMetricField(Metrics().GetLevelTime()); }

TString TLevelComplete::LevelScore() const { return TString::Format("%d", Metrics().GetLevelScore()); }

template <size_t kCount>
TString TLevelComplete::Counter() const {
  return UnsignedMetricField(Metrics().GetLevelCount(static_cast<TMetrics::LevelCount>(kCount)));
}

TProgressMetric::TProgressMetric(const TMetrics& metrics, int32_t mark) : TMetricData(metrics), mMark(mark) {
  AddField(&TProgressMetric::FurthestJourneyLevel);
  AddField(&TProgressMetric::TotalJourneyTime);
  AddField(&TProgressMetric::FurthestZenLevel);
  AddField(&TProgressMetric::TotalZenTime);
}

// The level number is not padded, as the records always wrote it.
TString TProgressMetric::FurthestJourneyLevel() const {
  return QuotedField(
      TString::Format("%02d-%0d", FurthestLevelEntry("LatestJourneyWorldId"), FurthestLevelEntry("LatestJourneyLevelId")));
}

TString TProgressMetric::TotalJourneyTime() const { return UnsignedMetricField(Metrics().GetTotalJourneyTime()); }

TString TProgressMetric::FurthestZenLevel() const {
  return QuotedField(TString::Format("%02d", FurthestLevelEntry("LatestZenLevel")));
}

TString TProgressMetric::TotalZenTime() const { return UnsignedMetricField(Metrics().GetTotalZenTime()); }

}  // namespace GamePlay
