#pragma once

#include <cstddef>

namespace sys {

// Fills out with count bytes from the system's random source (getrandom);
// false when the system gives none.
bool RandomBytes(void* out, size_t count);

}  // namespace sys
