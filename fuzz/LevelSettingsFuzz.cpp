// Feeds arbitrary bytes to the level settings as a level file: the highest
// level it defines is settled on, as a Journey and as a Zen level, every
// value the game reads is asked for, the settings are copied, and the
// level's blocker layout makes the pieces of every cell of its rows and
// beyond them.
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "game/rules/level/TBlockerLayout.h"
#include "game/rules/level/TLevelSettings.h"
#include "game/rules/pieces/TStandardPieceFactory.h"
#include "game/rules/powerups/TStandardPowerUpFactory.h"
#include "tests/support/FuzzFileLayer.h"
#include "tests/support/rules/NullPieceViews.h"

namespace {

using namespace GamePlay;

constexpr const char* kFileName = "levels/world01.xml";
constexpr uint32_t kSlots = 12;

void AskEveryValue(const TLevelSettings& settings) {
  settings.GetMaxRings();
  settings.GetNumberOfPiecesInUse();
  settings.GetNumberOfBlockers();
  for (int row = 0; row <= TBlockerLayout::kRowCount + 1; ++row) settings.GetBlockerRow(row);
  settings.GetPieceDeliveryFromTop();
  settings.GetPieceDeliveryWhenTopRingClear();
  settings.HasPieceJug();
  settings.HasSideMatch();
  settings.HasBlockerExplode();
  for (int32_t jug : settings.GetPieJugs()) {
    // A digit d is colour d - 1, whether or not a piece has that colour.
    if (jug != TLevelSettings::kAnyColourJug && (jug < -1 || jug > 7)) abort();
  }
  settings.GetNumberOfJugColors();
  settings.GetRemoveJugColor();
  settings.GetGemEnergyRate();
  settings.GetBombEnergyScale();
  settings.GetPieceEnergyRatio();
  settings.GetBlockerEnergyRatios();
  settings.GetCompleteDestroyedPieces();
  settings.GetLockAppearRate();
  settings.GetGearAppearRate();
  settings.GetLockMax();
  settings.GetGearMax();
  settings.GetPowerUpAppearRate();
  settings.GetInitialRaiseRingRate();
  settings.GetFinalRaiseRingRate();
  settings.GetCounterTimerRate();
  settings.GetGameTime();
  settings.GetCompleteJugTimeBoost();
  settings.GetTimeBonusScores();
  settings.GetClearBlockerBonus();
}

void LayOutBlockers(const TLevelSettings& settings, bool mappedDigits) {
  NullPieceViewFactory views;
  TStandardPieceFactory pieces(settings.GetNumberOfPiecesInUse(), &views, nullptr, nullptr, 0.0f);
  TStandardPowerUpFactory powerUps(&views, 1, 1, 0.01f);
  TBlockerLayout layout(settings, mappedDigits);
  for (uint32_t row = 0; row <= TBlockerLayout::kRowCount; ++row) {
    for (uint32_t column = 0; column <= kSlots; ++column) {
      layout.MakePiece(row, column, pieces, powerUps);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  WriteFuzzAsset(kFileName, FuzzText(data, size));
  for (uint32_t world : {1u, 0u}) {
    std::unique_ptr<TLevelSettings> settings =
        TLevelSettings::Load({world, TLevelSettings::kHighestLevel}, kFileName, false);
    if (!settings) continue;
    if (settings->GetMaxRings() < 1) abort();
    AskEveryValue(*settings);
    TLevelSettings copy(*settings);
    AskEveryValue(copy);
    LayOutBlockers(copy, world == 1);
  }
  return 0;
}
