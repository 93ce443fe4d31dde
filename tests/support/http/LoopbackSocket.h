#pragma once

#include <cstdint>

// A TCP socket bound to 127.0.0.1 at a port the system picks, which it
// stores in `port`; -1 when none can be had.
int BindLoopbackSocket(uint16_t& port);
