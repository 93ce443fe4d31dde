#pragma once

// A tower of the rules' test kit: real pieces with null views, a scripted
// ring generator and a recording scoring model, and ways to place pieces by
// code and read them back as text.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "game/rules/pieces/TBlockedPiece.h"
#include "game/rules/pieces/TDisappearingPiece.h"
#include "game/rules/pieces/TFallingPiece.h"
#include "game/rules/pieces/TMovingPiece.h"
#include "game/rules/pieces/TPowerUpPiece.h"
#include "game/rules/pieces/TRaisingPiece.h"
#include "game/rules/tower/TTower.h"
#include "tests/support/FakeClock.h"
#include "tests/support/rules/KitPieceFactory.h"
#include "tests/support/rules/NullPieceViews.h"
#include "tests/support/rules/RecordingGameRecords.h"
#include "tests/support/rules/RecordingScoringModel.h"
#include "tests/support/rules/RecordingSoundView.h"
#include "tests/support/rules/ScriptedRingGenerator.h"

namespace GamePlay {

inline constexpr int32_t kRed = 0;
inline constexpr int32_t kBlue = 5;

// One character per piece: "." vacant, "0" to "5" a piece of that colour,
// "A" to "F" an unbroken blocker around one, "Z" a plain blocker, "P" a
// power-up piece, "e" the empty piece, and for pieces in passage "v"
// falling, "^" moving, "r" raising, "x" disappearing.
inline char Describe(IPiece& piece) {
  if (piece.IsVoid()) return '.';
  if (dynamic_cast<TFallingPiece*>(&piece)) return 'v';
  if (dynamic_cast<TMovingPiece*>(&piece)) return '^';
  if (dynamic_cast<TRaisingPiece*>(&piece)) return 'r';
  if (dynamic_cast<TDisappearingPiece*>(&piece)) return 'x';
  if (dynamic_cast<TPowerUpPiece*>(&piece)) return 'P';
  if (dynamic_cast<TEmptyPiece*>(&piece)) return 'e';
  int32_t colour = piece.GetColour();
  if (dynamic_cast<TBlockedPiece*>(&piece))
    return colour < 0 ? 'Z' : static_cast<char>('A' + colour);
  return static_cast<char>('0' + colour);
}

class TowerTest : public testing::Test {
 protected:
  TTower& Build(uint32_t rings, TTowerSetup setup = {}) {
    generator = std::make_unique<ScriptedRingGenerator>(&pieces, rings);
    setup.ringCount = rings;
    setup.generator = generator.get();
    setup.pieceFactory = &pieces;
    setup.scoring = &scoring;
    setup.sound = &sound;
    setup.metrics = &records;
    setup.results = &records;
    tower = std::make_unique<TTower>(setup);
    return *tower;
  }

  TPiecePtr Make(char code) {
    if (code >= '0' && code <= '5') return pieces.CreateStandard(code - '0', nullptr);
    if (code >= 'A' && code <= 'F') return pieces.CreateBlocked(code - 'A', true);
    if (code == 'Z') return pieces.CreateBlocked(IPiece::kNoColour, true);
    return pieces.GetNullPiece();
  }
  // Fills a column from ring 0 down, one character per ring.
  void PlaceColumn(int32_t slot, const std::string& codes) {
    for (size_t ring = 0; ring < codes.size(); ++ring) {
      tower->SetPiece(static_cast<int32_t>(ring), slot, Make(codes[ring]));
    }
  }
  std::string Column(int32_t slot) {
    std::string text;
    for (uint32_t ring = 0; ring < tower->GetRingCount(); ++ring) {
      text += Describe(*tower->GetPiece(static_cast<int32_t>(ring), slot));
    }
    return text;
  }
  std::string Ring(int32_t ring) {
    std::string text;
    for (uint32_t slot = 0; slot < tower->GetSlotCount(); ++slot) {
      text += Describe(*tower->GetPiece(ring, static_cast<int32_t>(slot)));
    }
    return text;
  }
  // Takes the tower out of its first fill, after which blockers hold.
  void FinishFill() {
    for (uint32_t i = 0; i <= tower->GetRingCount(); ++i) tower->StepAllColumns(-1);
  }
  std::vector<IPiece*> Identities() {
    std::vector<IPiece*> identities;
    for (uint32_t ring = 0; ring < tower->GetRingCount(); ++ring) {
      for (uint32_t slot = 0; slot < tower->GetSlotCount(); ++slot) {
        identities.push_back(tower->GetPiece(ring, slot).get());
      }
    }
    return identities;
  }
  FakeClock clock;
  RecordingGameRecords records;
  RecordingSoundView sound;
  NullPieceViewFactory views;
  KitPieceFactory pieces{&views, &sound, &records};
  RecordingScoringModel scoring;
  std::unique_ptr<ScriptedRingGenerator> generator;
  std::unique_ptr<TTower> tower;
};

}  // namespace GamePlay
