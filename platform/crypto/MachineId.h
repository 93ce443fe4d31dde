#pragma once

#include <array>
#include <cstdint>

#include "platform/text/TString.h"

// The machine id: 16 characters derived from the machine's network hardware
// address, stored by start-up as the "computerid" setting. Without a usable
// address the id comes from the first six bytes of a fresh GUID (and so
// differs between runs).
TString GetMachineId();

// The id of one 6-byte address. With a[6] = a[3] and a[7] = a[4], each
// x = a[i] XOR a[(i + 1) mod 8] gives the characters 64 + (x AND 31) and
// 66 + i + (x >> 5): even positions hold characters 64 to 95, odd ones 66 to 80.
TString MachineIdFromAddress(const std::array<uint8_t, 6>& address);
