#pragma once

#include <cstdint>

#include "game/rules/pieces/TStandardPieceFactory.h"

namespace GamePlay {
class IMetricsRecorder;
class ISoundFactoryView;
}

// The game's piece factory with six colours in use and no energy from
// bombs, whose colours in use a test may change at any time.
class KitPieceFactory final : public GamePlay::TStandardPieceFactory {
 public:
  explicit KitPieceFactory(GamePlay::IPieceViewFactory* views,
                           GamePlay::ISoundFactoryView* sound = nullptr,
                           GamePlay::IMetricsRecorder* metrics = nullptr)
      : TStandardPieceFactory(6, views, sound, metrics, 0.0f) {}

  int32_t GetColoursInUse() override { return coloursInUse; }

  // The level's "Number of pieces in used".
  int32_t coloursInUse = 6;
};
