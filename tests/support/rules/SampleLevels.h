#pragma once

#include "tests/support/rules/LevelRig.h"

// Small levels that the whole-level tests play and the level fuzzers start
// from. Both deal their pieces from their piece tables.

// A Journey level of five rings whose only move (ring 3 one slot to the
// right) lines up colour 4 in column 4; the tower fills after three raised
// rings.
LevelFiles JourneyFiles();
// JourneyFiles with a sixth ring, dealt so that the pieces that fall after
// its match make a second match of the combo.
LevelFiles CascadeFiles();
// SnappyTuning, dealing from the piece tables.
LevelTuning SampleLevelTuning();
