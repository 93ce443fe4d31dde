#pragma once

#include <memory>
#include <string>
#include <vector>

#include "game/rules/tower/TTower.h"
#include "tests/support/rules/KitPieceFactory.h"
#include "tests/support/rules/ScriptedRingGenerator.h"

// The piece a test writes as one character: "." vacant, "0" to "5" a piece
// of that colour, "A" to "F" an unbroken breakable blocker around one, "Z" a
// plain blocker, "P" a power-up piece carrying nothing, "e" the empty piece.
GamePlay::TPiecePtr MakeKitPiece(KitPieceFactory& pieces, char code);

// A real tower over a scripted generator with its rings written as text,
// one character per cell from slot 0 on (see MakeKitPiece); cells left out
// are vacant. The setup gives the tower's other parts and values; its ring
// count, generator and piece factory are filled in here. The generator has
// generatorRings rings, or as many as the tower when that is 0.
class KitTower {
 public:
  KitTower(KitPieceFactory& pieces, GamePlay::TTowerSetup setup,
           const std::vector<std::string>& rings, uint32_t generatorRings = 0);

  std::unique_ptr<ScriptedRingGenerator> generator;
  std::unique_ptr<GamePlay::TTower> tower;
};
