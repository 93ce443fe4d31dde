#pragma once

#include <gtest/gtest.h>

#include <functional>

#include "game/rules/control/TInputLocks.h"

// The updates any cascade may take to come to rest with no input: matched
// pieces vanish in 100 updates, pieces fall through a tower in a few, and a
// new match waits 265 ms. Five such rounds and more.
inline constexpr int kRestingUpdates = 1000;

// Liveness of play: runs update (one 10 ms update of play with no input)
// until every input lock but the end-of-play lock is free after an update,
// at most maxUpdates times. Fails naming the locks still held at the end.
testing::AssertionResult LocksComeToRest(GamePlay::TInputLocks& locks,
                                         const std::function<void()>& update,
                                         int maxUpdates = kRestingUpdates);
