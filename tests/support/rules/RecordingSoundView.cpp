#include "tests/support/rules/RecordingSoundView.h"

void RecordingSoundView::StartMusic(const GamePlay::TLevelKey& level) {
  Note("StartMusic " + std::to_string(level.world) + " " + std::to_string(level.level));
}
