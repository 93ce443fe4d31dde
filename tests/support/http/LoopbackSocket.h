#pragma once

#include <cstdint>

// A TCP socket bound to 127.0.0.1 at `port`, or at a port the system picks
// when it is 0; the port is stored in `port`. -1 when none can be had.
int BindLoopbackSocket(uint16_t& port);
