#include "game/rules/level/PieceTableFile.h"

namespace GamePlay {

TString PieceTableFileName(const TLevelKey& key, bool tutorial) {
  if (key.world == 0) return TString::Format("levels/piecetable/piecezen%02u.txt", key.level);
  if (tutorial) return TString::Format("tutorials/tutorial%02u%02u.txt", key.world, key.level);
  return TString::Format("levels/piecetable/piece%02u%02u.txt", key.world, key.level);
}

}  // namespace GamePlay
