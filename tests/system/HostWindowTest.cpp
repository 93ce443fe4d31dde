#include "system/window/HostWindow.h"

#include <gtest/gtest.h>

#include "tests/support/FakeHostWindow.h"

namespace {

TEST(HostWindow, AHostIsFoundByItsHandleWhileItLives) {
  uint32_t handle = 0;
  {
    FakeHostWindow host(1024);
    FakeHostWindow other;
    handle = host.Handle();
    EXPECT_NE(handle, 0u);
    EXPECT_NE(handle, other.Handle());
    sys::HostWindow* found = sys::FindHostWindow(handle);
    ASSERT_EQ(found, &host);
    EXPECT_EQ(found->ClientWidth(), 1024);
    EXPECT_EQ(found->Send(1024, 1, 0), 1);
    found->Post(1024, 0x44434241, 0x48474645);
    ASSERT_EQ(host.received.size(), 2u);
    EXPECT_TRUE(host.received[0].sent);
    EXPECT_FALSE(host.received[1].sent);
    EXPECT_EQ(host.received[1].first, 0x44434241u);
  }
  EXPECT_EQ(sys::FindHostWindow(handle), nullptr) << "a closed host is gone";
  EXPECT_EQ(sys::FindHostWindow(0), nullptr);
}

}  // namespace
