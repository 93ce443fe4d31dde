#pragma once

#include <cstdint>
#include <memory>

#include "game/gui/TLevelStatusTable.h"
#include "game/gui/TMetrics.h"
#include "game/rules/level/TLevelKey.h"

// The game's application object, one per process: it owns the metrics
// recorder and the level status table and holds the play flags.
class TGameApp {
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

  // Zen levels: counter pieces run down by ring turns instead of time.
  bool IsCountMode() const { return mCountMode; }
  bool SetCountMode(bool on) { return mCountMode = on; }
  // Makes every tutorial count as seen.
  bool SetNextToTutorial(bool skip) { return mSkipTutorials = skip; }
  // The game is playing the tutorial levels.
  bool IsTutorialMode() const { return mTutorialMode; }
  bool SetTutorialMode(bool on) { return mTutorialMode = on; }
  bool IsTutorialSeen(const GamePlay::TLevelKey& level) const;

 private:
  TGameApp() = default;

  std::unique_ptr<GamePlay::TMetrics> mMetrics;
  std::unique_ptr<TLevelStatusTable> mLevelStatusTable;
  bool mCountMode = false;
  bool mSkipTutorials = false;
  bool mTutorialMode = false;
};
