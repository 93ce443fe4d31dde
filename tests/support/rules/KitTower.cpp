#include "tests/support/rules/KitTower.h"

using namespace GamePlay;

TPiecePtr MakeKitPiece(KitPieceFactory& pieces, char code) {
  if (code >= '0' && code <= '5') return pieces.CreateStandard(code - '0', nullptr);
  if (code >= 'A' && code <= 'F') return pieces.CreateBlocked(code - 'A', true);
  if (code == 'Z') return pieces.CreateBlocked(IPiece::kNoColour, true);
  if (code == 'P') return pieces.CreatePowerUpPiece(IPiece::kNoColour, nullptr);
  if (code == 'e') return pieces.GetEmptyPiece();
  return pieces.GetNullPiece();
}

KitTower::KitTower(KitPieceFactory& pieces, TTowerSetup setup,
                   const std::vector<std::string>& rings, uint32_t generatorRings) {
  uint32_t count = static_cast<uint32_t>(rings.size());
  generator =
      std::make_unique<ScriptedRingGenerator>(&pieces, generatorRings ? generatorRings : count);
  setup.ringCount = count;
  setup.generator = generator.get();
  setup.pieceFactory = &pieces;
  tower = std::make_unique<TTower>(setup);
  for (int32_t ring = 0; ring < static_cast<int32_t>(count); ++ring) {
    for (int32_t slot = 0; slot < static_cast<int32_t>(rings[ring].size()); ++slot) {
      tower->SetPiece(ring, slot, MakeKitPiece(pieces, rings[ring][slot]));
    }
  }
}
