#include "game/gui/progress/TMetrics.h"

#include <charconv>
#include <string_view>
#include <vector>

#include "game/gui/main/TGameApp.h"
#include "game/gui/progress/MetricRecords.h"
#include "game/rules/control/TClockProxyRegistry.h"
#include "platform/prefs/TPrefs.h"
#include "platform/text/Log.h"

namespace GamePlay {
namespace {

constexpr uint32_t kMillisecondsPerMinute = 60000;
constexpr char kTotalPlayEntry[] = "TotalGamePlayTime";
constexpr char kTotalJourneyEntry[] = "TotalJourneyModeTime";
constexpr char kTotalZenEntry[] = "TotalZenModeTime";

TPrefs* MetricsPrefs() { return TGameApp::Instance().GetPrefs(); }

TString MarkEntryName(int32_t mark) { return TString::Format("Min%02dProcessMetricAdded", mark); }

// The totals are unsigned milliseconds, so that more than 2^31 of them
// (some 25 days of play) still read back as they were. Anything but a
// plain unsigned number counts as 0.
uint32_t ReadStoredTotal(const char* name) {
  TPrefs* prefs = MetricsPrefs();
  if (!prefs) return 0;
  TString text = prefs->GetValue(name, "0", TPrefs::kGlobalSection);
  std::string_view digits(text.CStr(), static_cast<size_t>(text.Length()));
  uint32_t value = 0;
  auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (error != std::errc() || end != digits.data() + digits.size()) {
    LogPrintf("The preference %s is not a time in milliseconds (%s); counting from 0", name, text.CStr());
    return 0;
  }
  return value;
}

void StoreTotalTime(const char* name, uint32_t value) {
  if (TPrefs* prefs = MetricsPrefs()) prefs->SetValue(name, TString::Format("%u", value), TPrefs::kGlobalSection, true);
}

bool IsMarkRecorded(int32_t mark) {
  TPrefs* prefs = MetricsPrefs();
  return prefs && prefs->GetInt(MarkEntryName(mark), 0, TPrefs::kGlobalSection) != 0;
}

void StoreMarkRecorded(int32_t mark) {
  if (TPrefs* prefs = MetricsPrefs()) prefs->SetInt(MarkEntryName(mark), 1, TPrefs::kGlobalSection, true);
}

// A running clock that shows the value from now on.
void StartClockFrom(TClock& clock, uint32_t value) {
  clock.Start();
  clock.SetTime(value);
}

}  // namespace

TMetrics::TMetrics() : mRecords(std::make_unique<TMetricDataMgr>()) {
  mSessionClock.Reset();
  mSessionClock.Start();
  mJourneySessionClock.Reset();
  mZenSessionClock.Reset();
  mLevelClock.Reset();
  StartClockFrom(mTotalClock, ReadStoredTotal(kTotalPlayEntry));
  StartClockFrom(mTotalJourneyClock, ReadStoredTotal(kTotalJourneyEntry));
  mTotalJourneyClock.Pause();
  StartClockFrom(mTotalZenClock, ReadStoredTotal(kTotalZenEntry));
  mTotalZenClock.Pause();
  for (int32_t mark : kMarks) mMarks[mark] = IsMarkRecorded(mark);
}

// The global pause of the game clocks must not reach a recorder that is
// gone, should a level outlive it.
TMetrics::~TMetrics() {
  TClockProxyRegistry& registry = TClockProxyRegistry::Instance();
  while (registry.GetMetrics() == this) registry.DetachMetrics(this);
  mRecords->Add(std::make_unique<TSessionData>(*this));
  mRecords->AppendTo(kFileName);
  mRecords->Clear();
  StoreTotals();
}

void TMetrics::StoreTotals() {
  StoreTotalTime(kTotalPlayEntry, mTotalClock.GetTime());
  StoreTotalTime(kTotalJourneyEntry, mTotalJourneyClock.GetTime());
  StoreTotalTime(kTotalZenEntry, mTotalZenClock.GetTime());
}

// Marks passed together are all recorded in the same pass.
void TMetrics::Tick() {
  ++mTicks;
  const uint32_t total = mTotalClock.GetTime();
  std::vector<int32_t> recorded;
  for (const auto& [mark, made] : mMarks) {
    if (made || total <= static_cast<uint32_t>(mark) * kMillisecondsPerMinute) continue;
    mRecords->Add(std::make_unique<TProgressMetric>(*this, mark));
    StoreMarkRecorded(mark);
    recorded.push_back(mark);
  }
  for (int32_t mark : recorded) mMarks[mark] = true;
}

void TMetrics::StartLevel(const TLevelKey& level, bool keepMode) {
  mLevelCounts.fill(0);
  mLevelClock.Reset();
  mLevelClock.Start();
  if (keepMode) return;
  StartModeClocks(level.world != 0);
  mCurrentLevel = std::make_unique<TLevelKey>(level);
}

void TMetrics::EndLevel() {
  mLevelClock.Reset();
  if (!mCurrentLevel) return;
  PauseModeClocks(mCurrentLevel->world != 0);
  mCurrentLevel.reset();
}

void TMetrics::AddLevelRecord(bool failed) {
  if (mCurrentLevel) mRecords->Add(std::make_unique<TLevelComplete>(*this, failed));
}

void TMetrics::EnterZenMenu() { StartModeClocks(false); }

void TMetrics::LeaveZenMenu() {
  if (!mCurrentLevel) PauseModeClocks(false);
}

void TMetrics::StartModeClocks(bool journey) {
  (journey ? mJourneySessionClock : mZenSessionClock).Start();
  (journey ? mTotalJourneyClock : mTotalZenClock).Start();
}

void TMetrics::PauseModeClocks(bool journey) {
  (journey ? mJourneySessionClock : mZenSessionClock).Pause();
  (journey ? mTotalJourneyClock : mTotalZenClock).Pause();
}

void TMetrics::OnScore(int32_t size, int32_t combo, int32_t, int32_t, int32_t, bool) {
  if (size >= 3) Count(kLargeScores);
  if (combo != 0) Count(kCombos);
}

}  // namespace GamePlay
