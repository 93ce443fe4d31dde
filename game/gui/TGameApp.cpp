#include "game/gui/TGameApp.h"

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

// Players' own records of the tutorials they have seen are not kept yet, so
// only skipping makes a tutorial count as seen.
bool TGameApp::IsTutorialSeen(const GamePlay::TLevelKey&) const { return mSkipTutorials; }
