#include "media/display/TDXContext.h"

#include <gtest/gtest.h>

#include <regex>

#include "tests/media/display/DisplayRig.h"

using sys::gfx::AdapterOperation;
using sys::gfx::Result;

namespace {

class TDXContextTest : public DisplayRig {
 protected:
  TDXContext& Context() {
    if (!mContext) mContext = std::make_unique<TDXContext>(adapter);
    return *mContext;
  }
  bool Windowed(int32_t width = 800, int32_t height = 600) {
    return Context().Create(window.get(), false, width, height, 32, 1);
  }
  bool FullScreen(int32_t width = 800, int32_t height = 600) {
    return Context().Create(window.get(), true, width, height, 32, 1);
  }
  void SetDesktop(int32_t width, int32_t height, int32_t colors) {
    DisplayRig::SetDesktop(width, height, colors);
    mContext.reset();
  }
  void SetDevice(const sys::gfx::Device3dCaps& caps) {
    sys::gfx::AdapterDevice device;
    device.identifier.driver = "quorvane";
    device.identifier.description = "Test display";
    device.identifier.vendorId = 0x10DE;
    device.identifier.guid = {0xA, 0xB, 0xC, 0xD};
    device.device3d = caps;
    config.devices = {device};
    MakeAdapter();
    mContext.reset();
  }

  std::unique_ptr<TDXContext> mContext;
};

TEST_F(TDXContextTest, AWindowedDeviceDrawsIntoTheBackBufferWithADepthBuffer) {
  ASSERT_TRUE(Windowed());
  ASSERT_NE(Context().GetDevice(), nullptr);
  EXPECT_EQ(Context().GetDevice()->GetRenderTarget(), Context().GetBackBuffer());
  std::shared_ptr<sys::gfx::Surface> depth;
  ASSERT_EQ(Context().GetBackBuffer()->GetAttachedSurface(sys::gfx::kCapsDepthBuffer, depth), Result::Ok);
  EXPECT_EQ(depth->Width(), 800);
  EXPECT_TRUE(depth->InVideoMemory()) << "a hardware device keeps it in video memory";
  EXPECT_EQ(Context().GetDepthFormat(), sys::gfx::MakePixelFormat(sys::gfx::PixelLayout::Depth16));
  EXPECT_TRUE(Context().IsHardware());
  EXPECT_TRUE(Context().GetDisplay().IsWindowed());
}

TEST_F(TDXContextTest, AFullScreenDeviceDrawsIntoTheFlippingChain) {
  ASSERT_TRUE(FullScreen(640, 480));
  EXPECT_FALSE(Context().GetDisplay().IsWindowed());
  EXPECT_EQ(Context().GetBackBuffer()->Width(), 640);
  EXPECT_TRUE(Context().GetBackBuffer()->Caps() & sys::gfx::kCapsBackBuffer);
}

TEST_F(TDXContextTest, AWindowNeedsADesktopLargerThanItself) {
  SetDesktop(800, 600, -1);
  EXPECT_FALSE(Windowed(800, 600));
  EXPECT_FALSE(Context().IsDesktopUnusable());
  EXPECT_TRUE(FullScreen(800, 600)) << "full screen does not need the desktop";
  SetDesktop(801, 601, -1);
  EXPECT_TRUE(Windowed(800, 600));
}

TEST_F(TDXContextTest, ADrawingScaleLetsTheWindowFillTheDesktop) {
  SetDesktop(800, 600, -1);
  platform.embedded = true;
  platform.displayScale = 0.5f;
  ASSERT_TRUE(Windowed(800, 600));
  EXPECT_EQ(Context().GetBackBuffer()->Width(), 400) << "the window is made at the scale";
  EXPECT_EQ(Context().GetBackBuffer()->Height(), 300);
}

TEST_F(TDXContextTest, FewColoursRefuseWindowsAndSixteenRefuseEverything) {
  SetDesktop(1024, 768, 256);
  EXPECT_FALSE(Windowed());
  EXPECT_TRUE(FullScreen());
  EXPECT_FALSE(Context().IsDesktopUnusable());
  SetDesktop(1024, 768, 16);
  EXPECT_FALSE(FullScreen());
  EXPECT_TRUE(Context().IsDesktopUnusable());
}

TEST_F(TDXContextTest, AWindowOutOfVideoMemoryMarksLowMemoryAndLeavesOnlyFullScreen) {
  adapter->Force(AdapterOperation::CreateSurface, Result::OutOfVideoMemory);
  EXPECT_FALSE(Windowed());
  EXPECT_TRUE(Context().HasLowVideoMemory());
  EXPECT_GE(OutOfVideoMemoryReports(), 1);
  EXPECT_FALSE(Windowed()) << "no window is tried again";
  EXPECT_TRUE(FullScreen());
}

TEST_F(TDXContextTest, OnlyAHardwareDeviceServesUnlessTheGameIsScaled) {
  sys::gfx::Device3dCaps software;
  software.hardwareRasterization = false;
  SetDevice(software);
  EXPECT_FALSE(Windowed());
  EXPECT_TRUE(Logged("TDXContext::Create failed! Could not find a hardware renderer."));
  platform.embedded = true;
  EXPECT_TRUE(Windowed());
  EXPECT_FALSE(Context().IsHardware());
  std::shared_ptr<sys::gfx::Surface> depth;
  ASSERT_EQ(Context().GetBackBuffer()->GetAttachedSurface(sys::gfx::kCapsDepthBuffer, depth), Result::Ok);
  EXPECT_FALSE(depth->InVideoMemory());
}

TEST_F(TDXContextTest, ADeviceThatCannotRenderAtTheDisplayDepthIsNotTaken) {
  sys::gfx::Device3dCaps sixteenOnly;
  sixteenOnly.renderBitCounts = {16};
  SetDevice(sixteenOnly);
  EXPECT_FALSE(Windowed()) << "the desktop has 32 bits";
  EXPECT_EQ(Context().GetDevice(), nullptr);
}

TEST_F(TDXContextTest, SmallTexturesFailTheDevice) {
  sys::gfx::Device3dCaps small;
  small.maxTextureWidth = 512;
  SetDevice(small);
  EXPECT_FALSE(Windowed());
  EXPECT_TRUE(Logged("TDXContext::Create - context does not support 1024x1024 textures! Failing!"));
  EXPECT_EQ(Context().GetDevice(), nullptr);
  EXPECT_EQ(Context().GetDirectDraw(), nullptr);
}

TEST_F(TDXContextTest, DeviceFailuresLeaveTheirMarksForTheNextSetUp) {
  adapter->Force(AdapterOperation::CreateDevice3d, Result::InvalidPixelFormat);
  EXPECT_FALSE(Windowed());
  EXPECT_EQ(Context().GetDesktopColors(), 32);
  Context().ReadDesktop();
  EXPECT_EQ(Context().GetDesktopColors(), -1);
}

TEST_F(TDXContextTest, TheDeviceReportHoldsTheIdentifierAndTheHexadecimalLines) {
  SetDevice(sys::gfx::Device3dCaps{});
  ASSERT_TRUE(Windowed());
  std::string report = Context().GetDeviceReport().CStr();
  EXPECT_NE(report.find("Device identifier:  \n  Driver: 'quorvane'\n  Description: 'Test display'\n"),
            std::string::npos);
  EXPECT_NE(report.find("  Vendor ID: 10de (4318)\n"), std::string::npos);
  EXPECT_NE(report.find("  GUID:      a:b:c:d\n"), std::string::npos);
  // Total and free video memory, eight bytes each; the device description, its GUID first.
  EXPECT_TRUE(std::regex_search(report, std::regex("\nDDCAPS: ([0-9A-F]{2}){16}\n")));
  EXPECT_TRUE(std::regex_search(report, std::regex("\nD3DDESC: 334E5651([0-9A-F]{2}){40,}\n$")));
  EXPECT_TRUE(Logged("Description: 'Test display'"));
  EXPECT_EQ(Context().GetDeviceName(), "Test display");
  ASSERT_TRUE(Windowed());
  std::string twice = Context().GetDeviceReport().CStr();
  EXPECT_EQ(twice.substr(0, report.size()), report) << "each creation appends its report";
  EXPECT_NE(twice.find("D3DDESC", report.size()), std::string::npos);
}

TEST_F(TDXContextTest, EachContextNamesItsMouseMutexFromAFreshGuid) {
  TDXContext other(adapter);
  std::regex pattern("TDXContextMouseMutex:[0-9a-f]+:[0-9a-f]+:[0-9a-f]+:[0-9a-f]+");
  EXPECT_TRUE(std::regex_match(Context().GetMouseMutexName(), pattern)) << Context().GetMouseMutexName();
  EXPECT_NE(Context().GetMouseMutexName(), other.GetMouseMutexName());
}

TEST_F(TDXContextTest, ReleasingTheDeviceRepaintsAndLetsTheScreenGo) {
  ASSERT_TRUE(FullScreen());
  EXPECT_TRUE(native->fullScreen);
  Context().ReleaseDevice();
  EXPECT_EQ(Context().GetDevice(), nullptr);
  EXPECT_EQ(Context().GetBackBuffer(), nullptr);
  EXPECT_FALSE(native->fullScreen);
  sys::Message message;
  ASSERT_TRUE(window->TakeMessage(message));
  EXPECT_EQ(message.kind, sys::MessageKind::Paint);
}

TEST_F(TDXContextTest, AHostWindowForcesAWindow) {
  sys::Window host(std::make_unique<FakeNativeWindow>());
  Context().SetExternalWindow(&host);
  ASSERT_TRUE(FullScreen());
  EXPECT_TRUE(Context().GetDisplay().IsWindowed());
}

}  // namespace
