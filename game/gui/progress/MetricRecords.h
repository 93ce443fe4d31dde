#pragma once

#include <cstdint>

#include "game/gui/progress/TMetricDataMgr.h"

// The records of play: the session at its end, a level at its end, and the
// furthest levels when a mark of total play is passed.
namespace GamePlay {

// "SessionData": version, session time, its Journey and Zen time, whether
// Zen mode is unlocked, and a reserved 0.
class TSessionData final : public TMetricDataMgr::TMetricData {
 public:
  explicit TSessionData(const TMetrics& metrics);
  TString GetName() const override { return "SessionData"; }

 private:
  TString Version() const;
  TString SessionTime() const;
  TString JourneyTime() const;
  TString ZenTime() const;
  TString ZenModeUnlocked() const;
  TString Reserved() const { return "0"; }
};

// "LevelCompleteJourney" or "LevelCompleteZen" of the current level: the
// level, its time, whether it failed, its score and its ten counters.
class TLevelComplete final : public TMetricDataMgr::TMetricData {
 public:
  TLevelComplete(const TMetrics& metrics, bool failed);
  TString GetName() const override;

 private:
  TString Level() const;
  TString LevelTime() const;
  TString Failed() const { return mFailed ? "1" : "0"; }
  TString LevelScore() const;
  template <size_t kCount>
  TString Counter() const;

  bool mFailed;
};

// "Progress-" and the mark: the furthest Journey and Zen levels and the
// total time of each mode.
class TProgressMetric final : public TMetricDataMgr::TMetricData {
 public:
  TProgressMetric(const TMetrics& metrics, int32_t mark);
  TString GetName() const override { return TString::Format("Progress-%02d", mMark); }

 private:
  TString FurthestJourneyLevel() const;
  TString TotalJourneyTime() const;
  TString FurthestZenLevel() const;
  TString TotalZenTime() const;

  int32_t mMark;
};

}  // namespace GamePlay
