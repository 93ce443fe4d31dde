#include "game/gui/main/TGameApp.h"

#include "game/gui/progress/TWorldData.h"

TGameApp& TGameApp::Instance() {
  static TGameApp app;
  return app;
}

void TGameApp::Init() {
  mCountMode = true;
  mLevelStatusTable = std::make_unique<TLevelStatusTable>();
  mMetrics = std::make_unique<GamePlay::TMetrics>();
}

void TGameApp::Shutdown() { mMetrics.reset(); }

GamePlay::TGameRecords TGameApp::GetGameRecords() {
  return {mMetrics.get(), &GamePlay::TWorldData::Instance(), this, this};
}

// Players' own records of the tutorials they have seen are not kept yet, so
// only skipping makes a tutorial count as seen.
bool TGameApp::IsTutorialSeen(const GamePlay::TLevelKey&) const { return mSkipTutorials; }

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
