#include "system/os/NetworkInterfaces.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using sys::HardwareAddress;
using sys::NetworkInterface;

NetworkInterface Interface(unsigned index, std::vector<uint8_t> address, bool loopback = false) {
  return NetworkInterface{"if" + std::to_string(index), index, loopback, std::move(address)};
}

const std::vector<uint8_t> kFirst = {0x02, 0xFC, 0, 0, 0, 0x01};
const std::vector<uint8_t> kSecond = {0x7E, 0xD8, 0x58, 0xE4, 0xC8, 0x4B};
const std::vector<uint8_t> kZero(6, 0);

class MachineHardwareAddressTest : public testing::Test {
 protected:
  void TearDown() override { sys::SetNetworkInterfaceSource({}); }

  std::optional<HardwareAddress> ChosenFrom(std::vector<NetworkInterface> interfaces) {
    sys::SetNetworkInterfaceSource([interfaces] { return interfaces; });
    return sys::MachineHardwareAddress();
  }
};

HardwareAddress Address(const std::vector<uint8_t>& bytes) {
  HardwareAddress address;
  std::copy(bytes.begin(), bytes.end(), address.begin());
  return address;
}

TEST_F(MachineHardwareAddressTest, LowestIndexedNonLoopbackInterfaceWithAnAddressWins) {
  struct Case {
    const char* what;
    std::vector<NetworkInterface> interfaces;
    std::optional<HardwareAddress> chosen;
  };
  const Case cases[] = {
      {"no interface", {}, std::nullopt},
      {"only loopback", {Interface(1, kZero, true)}, std::nullopt},
      {"loopback skipped even with an address", {Interface(1, kSecond, true), Interface(4, kFirst)}, Address(kFirst)},
      {"all-zero address skipped", {Interface(2, kZero), Interface(3, kSecond)}, Address(kSecond)},
      {"lowest index, not first listed", {Interface(9, kFirst), Interface(3, kSecond)}, Address(kSecond)},
      {"no address", {Interface(2, {}), Interface(5, kFirst)}, Address(kFirst)},
      {"not six bytes", {Interface(2, {1, 2, 3, 4}), Interface(3, std::vector<uint8_t>(20, 7))}, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(ChosenFrom(c.interfaces), c.chosen);
  }
}

TEST_F(MachineHardwareAddressTest, EmptySourceRestoresTheMachinesOwnInterfaces) {
  const std::vector<uint8_t> fake = {0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0xFF};
  ASSERT_EQ(ChosenFrom({Interface(1, fake)}), Address(fake));
  sys::SetNetworkInterfaceSource({});
  std::optional<HardwareAddress> chosen = sys::MachineHardwareAddress();
  if (!chosen) return;
  std::vector<NetworkInterface> real = sys::ReadNetworkInterfaces();
  EXPECT_TRUE(std::any_of(real.begin(), real.end(), [&](const NetworkInterface& i) {
    return !i.loopback && i.hardwareAddress.size() == 6 && Address(i.hardwareAddress) == *chosen;
  }));
}

TEST(NetworkInterfaces, ReadsTheLoopbackInterface) {
  std::vector<NetworkInterface> interfaces = sys::ReadNetworkInterfaces();
  auto loopback = std::find_if(interfaces.begin(), interfaces.end(),
                               [](const NetworkInterface& i) { return i.name == "lo"; });
  ASSERT_NE(loopback, interfaces.end());
  EXPECT_TRUE(loopback->loopback);
  EXPECT_GT(loopback->index, 0u);
}

}  // namespace
