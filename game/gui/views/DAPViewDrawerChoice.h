#pragma once

#include <memory>

#include "game/gui/views/IDAPViewDrawer.h"
#include "game/gui/views/TDAPDrawerContext.h"

namespace GUI {

// The animation a vanishing piece plays, by what it held and where its
// spark goes; none for a piece already done.
std::unique_ptr<IDAPViewDrawer> ChooseDAPViewDrawer(GamePlay::TDisappearingPiece& piece,
                                                    const TDAPDrawerContext& context);

}  // namespace GUI
