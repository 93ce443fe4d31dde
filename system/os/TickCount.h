#pragma once

#include <cstdint>

// The system's millisecond tick: a steady counter that wraps at 2^32, so it is
// read by differences (unsigned for spans, signed for ordering).
namespace sys {

uint32_t TickCount();

// Replaces the tick for the whole process, so that tests drive time by hand;
// null goes back to the steady clock. The source may be read from any thread.
using TickSource = uint32_t (*)();
void SetTickSource(TickSource source);

}  // namespace sys
