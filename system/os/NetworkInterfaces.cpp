#include "system/os/NetworkInterfaces.h"

#include <algorithm>
#include <ifaddrs.h>
#include <linux/if_packet.h>
#include <net/if.h>
#include <utility>

namespace sys {
namespace {

NetworkInterfaceSource& Source() {
  static NetworkInterfaceSource source;
  return source;
}

NetworkInterface FromPacketAddress(const ifaddrs& entry) {
  const auto* link = reinterpret_cast<const sockaddr_ll*>(entry.ifa_addr);
  NetworkInterface found;
  found.name = entry.ifa_name ? entry.ifa_name : "";
  found.index = static_cast<unsigned>(link->sll_ifindex);
  found.loopback = (entry.ifa_flags & IFF_LOOPBACK) != 0;
  size_t length = std::min<size_t>(link->sll_halen, sizeof link->sll_addr);
  found.hardwareAddress.assign(link->sll_addr, link->sll_addr + length);
  return found;
}

bool IdentifiesMachine(const NetworkInterface& candidate) {
  const auto& address = candidate.hardwareAddress;
  return !candidate.loopback && address.size() == HardwareAddress{}.size() &&
         std::any_of(address.begin(), address.end(), [](uint8_t byte) { return byte != 0; });
}

}  // namespace

std::vector<NetworkInterface> ReadNetworkInterfaces() {
  std::vector<NetworkInterface> found;
  ifaddrs* list = nullptr;
  if (getifaddrs(&list) != 0) return found;
  for (const ifaddrs* entry = list; entry; entry = entry->ifa_next) {
    if (entry->ifa_addr && entry->ifa_addr->sa_family == AF_PACKET) found.push_back(FromPacketAddress(*entry));
  }
  freeifaddrs(list);
  return found;
}

void SetNetworkInterfaceSource(NetworkInterfaceSource source) { Source() = std::move(source); }

std::optional<HardwareAddress> MachineHardwareAddress() {
  std::vector<NetworkInterface> interfaces = Source() ? Source()() : ReadNetworkInterfaces();
  const NetworkInterface* chosen = nullptr;
  for (const NetworkInterface& candidate : interfaces) {
    if (IdentifiesMachine(candidate) && (!chosen || candidate.index < chosen->index)) chosen = &candidate;
  }
  if (!chosen) return std::nullopt;
  HardwareAddress address;
  std::copy(chosen->hardwareAddress.begin(), chosen->hardwareAddress.end(), address.begin());
  return address;
}

}  // namespace sys
