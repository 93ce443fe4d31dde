#pragma once

#include <cstdint>

// The game the data is made for: ten Journey worlds of five levels, and five
// Zen levels.
inline constexpr uint32_t kWorlds = 10;
inline constexpr uint32_t kLevelsPerWorld = 5;
inline constexpr uint32_t kZenLevels = 5;
