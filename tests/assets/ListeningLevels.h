#pragma once

// The levels a listening check holds the built sounds to, in 16-bit sample
// units.
inline constexpr double kAudibleRms = 300;  // about -40 dB below full scale
inline constexpr int kAtRest = 330;         // 1% of full scale
