#include "tests/support/rules/FakePieceJugs.h"

void FakePieceJugs::SetFill(int32_t jug, float fill) {
  if (IsJug(jug)) fills[jug] = fill;
}

bool FakePieceJugs::CanAccept(int32_t colour, int32_t, int32_t jug, int32_t& blockingRing) {
  if (!IsJug(jug) || (colours[jug] != colour && colours[jug] != kAnyColour)) return false;
  auto blocked = blockingRings.find(jug);
  blockingRing = blocked == blockingRings.end() ? -1 : blocked->second;
  return blockingRing == -1 && fills[jug] < 1.0f;
}

void FakePieceJugs::SetJugs(const std::vector<int32_t>& jugColours, float rate, bool flag) {
  colours = jugColours;
  fills.assign(colours.size(), 0.0f);
  energyRate = rate;
  rateFlag = flag;
}

bool FakePieceJugs::AddEnergy(int32_t colour, int32_t ring, int32_t jug, int32_t size,
                              int32_t& blockingRing) {
  if (!CanAccept(colour, ring, jug, blockingRing)) return false;
  poured.push_back(std::to_string(colour) + " " + std::to_string(ring) + " " +
                   std::to_string(jug) + " " + std::to_string(size));
  return fillsAll;
}
