#include "platform/crypto/MachineId.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/text/Log.h"
#include "system/os/NetworkInterfaces.h"
#include "tests/support/TempFolder.h"

namespace {

using Address = std::array<uint8_t, 6>;

// Even positions hold characters 64 to 95, odd positions 66 to 80.
bool HasMachineIdShape(const TString& id) {
  if (id.Length() != 16) return false;
  for (int i = 0; i < 16; ++i) {
    unsigned char c = static_cast<unsigned char>(id.CharAt(i));
    bool fits = i % 2 == 0 ? c >= 64 && c <= 95 : c >= 66 && c <= 80;
    if (!fits) return false;
  }
  return true;
}

TEST(MachineId, DerivedFromTheAddress) {
  const std::pair<Address, const char*> cases[] = {
      {{0, 0, 0, 0, 0, 0}, "@B@C@D@E@F@G@H@I"},
      {{0xAB, 0xAB, 0xAB, 0xAB, 0xAB, 0xAB}, "@B@C@D@E@F@G@H@I"},
      {{0x00, 0x11, 0x22, 0x33, 0x44, 0x55}, "QBSDQDWHQFFJWKDK"},
      {{0xFF, 0x00, 0xFF, 0x00, 0xFF, 0x00}, "_I_J_K_L_M@G_O@I"},
  };
  for (const auto& [address, id] : cases) {
    EXPECT_EQ(MachineIdFromAddress(address), id);
  }
}

TEST(MachineId, EveryAddressGivesCharactersInTheirRanges) {
  uint32_t state = 12345;
  for (int n = 0; n < 2000; ++n) {
    Address address;
    for (uint8_t& byte : address) {
      state = state * 1103515245 + 12345;
      byte = static_cast<uint8_t>(state >> 16);
    }
    TString id = MachineIdFromAddress(address);
    ASSERT_TRUE(HasMachineIdShape(id)) << id.CStr();
  }
}

class GetMachineIdTest : public testing::Test {
 protected:
  void TearDown() override { sys::SetNetworkInterfaceSource({}); }
  void UseInterfaces(std::vector<sys::NetworkInterface> interfaces) {
    sys::SetNetworkInterfaceSource([interfaces] { return interfaces; });
  }
};

TEST_F(GetMachineIdTest, TheSameAdapterAlwaysGivesTheSameId) {
  UseInterfaces({{"lo", 1, true, {0, 0, 0, 0, 0, 0}}, {"eth0", 2, false, {0x00, 0x11, 0x22, 0x33, 0x44, 0x55}}});
  EXPECT_EQ(GetMachineId(), "QBSDQDWHQFFJWKDK");
  EXPECT_EQ(GetMachineId(), "QBSDQDWHQFFJWKDK");
}

TEST_F(GetMachineIdTest, WithoutAnAdapterTheIdComesFromAFreshGuid) {
  TempFolder folder;
  SetLogFolder(folder.File("log").c_str());
  UseInterfaces({{"lo", 1, true, {0, 0, 0, 0, 0, 0}}});
  TString first = GetMachineId(), second = GetMachineId();
  EXPECT_TRUE(HasMachineIdShape(first)) << first.CStr();
  EXPECT_TRUE(HasMachineIdShape(second)) << second.CStr();
  EXPECT_NE(first, second);
  EXPECT_NE(ReadWholeFile(GetLogPath().CStr()).find("GetMachineId: no network hardware address"), std::string::npos);
}

TEST_F(GetMachineIdTest, ThisMachinesIdIsStableWhenItHasAnAdapter) {
  TString id = GetMachineId();
  EXPECT_TRUE(HasMachineIdShape(id)) << id.CStr();
  if (sys::MachineHardwareAddress()) {
    EXPECT_EQ(GetMachineId(), id);
  }
}

}  // namespace
