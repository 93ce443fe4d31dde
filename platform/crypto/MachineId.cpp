#include "platform/crypto/MachineId.h"

#include <cstring>

#include "platform/crypto/Guid.h"
#include "platform/text/Log.h"
#include "system/os/NetworkInterfaces.h"

namespace {

std::array<uint8_t, 6> AddressFromGuid() {
  uint32_t words[4];
  CreateGuid(words);
  std::array<uint8_t, 6> address;
  std::memcpy(address.data(), words, address.size());
  return address;
}

}  // namespace

TString MachineIdFromAddress(const std::array<uint8_t, 6>& address) {
  uint8_t a[8];
  std::memcpy(a, address.data(), 6);
  a[6] = a[3];
  a[7] = a[4];
  TString id;
  for (int i = 0; i < 8; ++i) {
    uint8_t x = a[i] ^ a[(i + 1) % 8];
    id += static_cast<char>(64 + (x & 31));
    id += static_cast<char>(66 + i + (x >> 5));
  }
  return id;
}

TString GetMachineId() {
  std::optional<sys::HardwareAddress> address = sys::MachineHardwareAddress();
  if (address) return MachineIdFromAddress(*address);
  LogPrintf("GetMachineId: no network hardware address; the id comes from a fresh GUID");
  return MachineIdFromAddress(AddressFromGuid());
}
