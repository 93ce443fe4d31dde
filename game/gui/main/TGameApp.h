#pragma once

#include <cstdint>
#include <memory>

#include "game/gui/progress/TLevelStatusTable.h"
#include "game/gui/progress/TMetrics.h"
#include "game/rules/level/IPlayMode.h"
#include "game/rules/level/TGameRecords.h"
#include "game/rules/level/TLevelKey.h"
#include "game/rules/scoring/ILevelStatus.h"

// The game's application object, one per process: it owns the metrics
// recorder and the level status table and holds the play flags. The rules
// reach it only through the records it hands down.
class TGameApp final : public GamePlay::IPlayMode, public GamePlay::ILevelStatus {
 public:
  static TGameApp& Instance();

  // Sets the game up for a run: count mode, a fresh level status table and
  // metrics recorder.
  void Init();
  // Ends the run: the metrics recorder goes.
  void Shutdown();

  // Null outside Init .. Shutdown.
  GamePlay::TMetrics* GetMetrics() const { return mMetrics.get(); }
  TLevelStatusTable* GetLevelStatusTable() const { return mLevelStatusTable.get(); }
  // What the rules of a level report to and ask of the game: the metrics
  // (null outside Init .. Shutdown), the world data and this object.
  GamePlay::TGameRecords GetGameRecords();

  // Zen levels: counter pieces run down by ring turns instead of time.
  bool IsCountMode() const override { return mCountMode; }
  bool SetCountMode(bool on) { return mCountMode = on; }
  // Makes every tutorial count as seen.
  bool SetNextToTutorial(bool skip) { return mSkipTutorials = skip; }
  // The game is playing the tutorial levels.
  bool IsTutorialMode() const override { return mTutorialMode; }
  bool SetTutorialMode(bool on) { return mTutorialMode = on; }
  bool IsTutorialSeen(const GamePlay::TLevelKey& level) const override;

  // The level status table's, while there is one; without one the total
  // and every target are 0 and results are not kept.
  int32_t GetTotalScore() const override;
  int32_t GetTargetScore(const GamePlay::TLevelKey& level) const override;
  void RecordLevelResult(int32_t levelScore, int32_t totalScore,
                         const GamePlay::TLevelKey& level) override;

 private:
  TGameApp() = default;

  std::unique_ptr<GamePlay::TMetrics> mMetrics;
  std::unique_ptr<TLevelStatusTable> mLevelStatusTable;
  bool mCountMode = false;
  bool mSkipTutorials = false;
  bool mTutorialMode = false;
};
