#pragma once

#include <set>
#include <vector>

#include "game/rules/tower/TCell.h"

namespace GamePlay {

// A matched group of cells, in ring order, then slot order.
using TCellGroup = std::set<TCell>;
// The groups of one match pass, in the order found.
using TGroupList = std::vector<TCellGroup>;

}  // namespace GamePlay
