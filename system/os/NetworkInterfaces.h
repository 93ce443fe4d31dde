#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace sys {

struct NetworkInterface {
  std::string name;
  unsigned index = 0;
  bool loopback = false;
  std::vector<uint8_t> hardwareAddress;  // empty when the interface has none
};

using HardwareAddress = std::array<uint8_t, 6>;
using NetworkInterfaceSource = std::function<std::vector<NetworkInterface>()>;

// The machine's network interfaces with their link-layer addresses (getifaddrs).
std::vector<NetworkInterface> ReadNetworkInterfaces();

// Replaces where MachineHardwareAddress learns the interfaces, for tests; an
// empty source restores ReadNetworkInterfaces.
void SetNetworkInterfaceSource(NetworkInterfaceSource source);

// The address that identifies this machine: the 6-byte hardware address of the
// non-loopback interface with the lowest index whose address is not all zero.
// Empty when there is no such interface.
std::optional<HardwareAddress> MachineHardwareAddress();

}  // namespace sys
