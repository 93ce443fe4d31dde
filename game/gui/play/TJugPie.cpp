#include "game/gui/play/TJugPie.h"

#include "game/rules/tower/IPieceJugModel.h"

namespace GUI {

namespace {

constexpr float kFullJugFill = 70.0f;

}  // namespace

float TJugPie::GetFill(int32_t jug) const {
  if (!mJugs || jug < 0 || static_cast<uint32_t>(jug) >= mJugs->GetJugCount()) return 0.0f;
  return mJugs->GetFill(jug) * kFullJugFill;
}

}  // namespace GUI
