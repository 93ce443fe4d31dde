#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "tests/media/display/OpenDisplayRig.h"

using sys::gfx::PixelLayout;

namespace {

class DisplayStatesTest : public OpenDisplayRig {
 protected:
  // A frame in 2D drawing, its background filled with `background`.
  void BeginFrame(uint32_t background) {
    ASSERT_TRUE(display->BeginDraw(false));
    ASSERT_TRUE(display->Begin2d());
    platform.in2d = true;
    display->DrawRect(0, 0, -1, -1, Colour(background), nullptr);
  }
  static TColor Colour(uint32_t argb) {
    auto channel = [argb](int shift) { return static_cast<float>((argb >> shift) & 0xFF) / 255.0f; };
    return TColor(channel(16), channel(8), channel(0), channel(24));
  }
};

struct BlendCase {
  int32_t mode;
  // The result of one channel from the texel's channel, its alpha and the background's channel, 0 to 1.
  float (*formula)(float texel, float alpha, float background);
};

class BlendModeTest : public DisplayStatesTest, public testing::WithParamInterface<BlendCase> {};

TEST_P(BlendModeTest, OneTexelOverABackgroundFollowsTheModesFormula) {
  constexpr uint32_t kTexel = 0x80C06040;
  constexpr uint32_t kBackground = 0xFF2090E0;
  std::shared_ptr<TTexture> texture = MakeTexture(1, 1, PixelLayout::A8R8G8B8);
  display->DrawRect(0, 0, 1, 1, Colour(kTexel), texture.get());
  BeginFrame(kBackground);
  display->SetTexture(texture);
  display->SetBlendMode(GetParam().mode);
  DrawQuad(0, 0, 16, 16);
  display->EndDraw(false);
  uint32_t result = ColourAt(Back(), 8, 8);
  float alpha = static_cast<float>(kTexel >> 24) / 255.0f;
  for (int shift : {16, 8, 0}) {
    float texel = static_cast<float>((kTexel >> shift) & 0xFF) / 255.0f;
    float background = static_cast<float>((kBackground >> shift) & 0xFF) / 255.0f;
    float expected = std::min(1.0f, GetParam().formula(texel, alpha, background)) * 255.0f;
    EXPECT_NEAR(static_cast<float>((result >> shift) & 0xFF), expected, 1.01f)
        << "mode " << GetParam().mode << ", channel at bit " << shift;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Modes, BlendModeTest,
    testing::Values(BlendCase{0, [](float t, float a, float b) { return t * a + b * (1 - a); }},
                    BlendCase{1, [](float t, float, float) { return t; }},
                    BlendCase{2, [](float t, float, float b) { return t + b; }},
                    BlendCase{3, [](float t, float a, float b) { return t * a + b; }},
                    BlendCase{4, [](float t, float a, float b) { return t * (1 - a) + b * (1 - t); }}),
    [](const testing::TestParamInfo<BlendCase>& info) { return "Mode" + std::to_string(info.param.mode); });

TEST_F(DisplayStatesTest, BlendModesOutsideTheTableChangeNothing) {
  display->Begin2d();
  display->SetBlendMode(3);
  const sys::gfx::RenderStates before = Device().States();
  for (int32_t mode : {5, -1, 100}) {
    display->SetBlendMode(mode);
    EXPECT_TRUE(Device().States() == before) << mode;
  }
}

TEST_F(DisplayStatesTest, BlendModeZeroTakesAlphaFromTheVertexOnlyIn2d) {
  platform.in2d = true;
  display->SetBlendMode(0);
  EXPECT_EQ(Device().States().stage.alphaArg2, sys::gfx::TextureArg::Diffuse);
  EXPECT_FALSE(Device().States().specularEnable);
  platform.in2d = false;
  display->SetBlendMode(0);
  EXPECT_EQ(Device().States().stage.alphaArg2, sys::gfx::TextureArg::Current);
  EXPECT_TRUE(Device().States().specularEnable) << "the device shades specular colour per vertex";
}

TEST_F(DisplayStatesTest, TwoDAndThreeDSetTheirStates) {
  ASSERT_TRUE(display->Begin2d());
  const sys::gfx::RenderStates& states = Device().States();
  EXPECT_FALSE(states.depthEnable || states.depthWriteEnable || states.specularEnable || states.clipping);
  EXPECT_EQ(states.cullMode, sys::gfx::CullMode::None);
  EXPECT_EQ(states.stage.addressU, sys::gfx::TextureAddress::Clamp);
  EXPECT_EQ(states.stage.alphaArg2, sys::gfx::TextureArg::Diffuse);
  ASSERT_TRUE(display->Begin3d());
  EXPECT_TRUE(states.depthEnable && states.depthWriteEnable && states.specularEnable && states.clipping);
  EXPECT_EQ(states.cullMode, sys::gfx::CullMode::CounterClockwise);
  EXPECT_EQ(states.stage.addressV, sys::gfx::TextureAddress::Wrap);
}

TEST_F(DisplayStatesTest, TheDxDisplayBegins3dWithoutChangingAnything) {
  TDxDisplayHandler dx(adapter);
  ASSERT_TRUE(OpenDisplay(dx, 640, 480, false));
  const sys::gfx::RenderStates before = dx.GetData().mDevice->States();
  EXPECT_TRUE(dx.Begin3d());
  EXPECT_TRUE(dx.GetData().mDevice->States() == before);
}

TEST_F(DisplayStatesTest, TextureStatesMapTheirModes) {
  const sys::gfx::RenderStates& states = Device().States();
  display->SetTextureAddress(0, 7);
  EXPECT_EQ(states.stage.addressU, sys::gfx::TextureAddress::Clamp);
  EXPECT_EQ(states.stage.addressV, sys::gfx::TextureAddress::Clamp);
  display->SetTextureAddress(2, 1);
  EXPECT_EQ(states.stage.addressU, sys::gfx::TextureAddress::Mirror);
  EXPECT_EQ(states.stage.addressV, sys::gfx::TextureAddress::Wrap);
  display->SetTextureFilter(0);
  EXPECT_EQ(states.stage.minFilter, sys::gfx::TextureFilter::Point);
  EXPECT_EQ(states.stage.magFilter, sys::gfx::TextureFilter::Point);
  display->SetTextureFilter(2);
  EXPECT_EQ(states.stage.magFilter, sys::gfx::TextureFilter::Point) << "other values change nothing";
  display->SetCullMode(2);
  EXPECT_EQ(states.cullMode, sys::gfx::CullMode::Clockwise);
  display->SetCullMode(9);
  EXPECT_EQ(states.cullMode, sys::gfx::CullMode::None);
  display->SetZEnable(false);
  display->SetZWrite(false);
  EXPECT_FALSE(states.depthEnable || states.depthWriteEnable);
}

TEST_F(DisplayStatesTest, ShadeModeZeroDrawsFlat) {
  display->SetShadeMode(0);
  EXPECT_EQ(Device().States().shadeMode, sys::gfx::ShadeMode::Flat);
  BeginFrame(0xFF000000);
  display->SetTexture(nullptr);
  std::vector<sys::gfx::TransformedVertex> quad = Quad(0, 0, 32, 32, 0xFFFF0000);
  quad[2].diffuse = 0xFF0000FF;
  Draw(quad);
  display->EndDraw(false);
  EXPECT_EQ(ColourAt(Back(), 30, 30), 0xFFFF0000u);
  EXPECT_EQ(ColourAt(Back(), 2, 2), 0xFFFF0000u);
  display->SetShadeMode(2);
  EXPECT_EQ(Device().States().shadeMode, sys::gfx::ShadeMode::Gouraud);
}

TEST_F(DisplayStatesTest, TexturesBindToTheStageAndEnd2dUnbinds) {
  std::shared_ptr<TTexture> texture = MakeTexture(8, 8, PixelLayout::X8R8G8B8);
  display->SetTexture(texture);
  EXPECT_EQ(Device().GetTexture(), texture->GetData()->GetSurface());
  EXPECT_EQ(Data().mBoundTexture, texture);
  display->SetTexture(nullptr);
  EXPECT_EQ(Device().GetTexture(), nullptr);
  EXPECT_EQ(Data().mBoundTexture, nullptr);
  display->SetTexture(texture);
  display->End2d();
  EXPECT_EQ(Device().GetTexture(), nullptr);
}

TEST_F(DisplayStatesTest, AFillWithRightMinusOneReachesTheDisplaysEdge) {
  display->DrawRect(0, 0, -1, -1, TColor(0.0f, 0.0f, 0.0f, 1.0f), nullptr);
  display->DrawRect(790, 590, -1, -1, TColor(1.0f, 0.0f, 0.0f, 1.0f), nullptr);
  EXPECT_EQ(ColourAt(Back(), 799, 599), 0xFFFF0000u);
  EXPECT_EQ(ColourAt(Back(), 790, 590), 0xFFFF0000u);
  EXPECT_EQ(ColourAt(Back(), 789, 599), 0xFF000000u);
  EXPECT_EQ(CountNot(Back(), 0xFF000000u), 100);
  display->DrawRect(-20, -20, 5000, 5000, TColor(0.0f, 1.0f, 0.0f, 1.0f), nullptr);
  EXPECT_EQ(CountNot(Back(), 0xFF00FF00u), 0);
}

TEST_F(DisplayStatesTest, AFillOfATextureStaysInsideTheTexture) {
  std::shared_ptr<sys::gfx::Surface> surface = MakeSurface(16, 16, PixelLayout::A8R8G8B8);
  std::shared_ptr<TTexture> small = TextureOver(surface);
  surface->Fill(nullptr, 0);
  display->DrawRect(0, 0, -1, -1, TColor(0.0f, 0.0f, 1.0f, 0.5f), small.get());
  EXPECT_EQ(CountNot(*surface, 0x7F0000FF), 0) << "the whole texture";

  std::shared_ptr<sys::gfx::Surface> large = MakeSurface(1024, 8, PixelLayout::X8R8G8B8);
  large->Fill(nullptr, 0);
  display->DrawRect(0, 0, 2000, 8, TColor(1.0f, 1.0f, 1.0f, 1.0f), TextureOver(large).get());
  EXPECT_EQ(ColourAt(*large, 1023, 7), 0xFFFFFFFFu) << "past the display's width";
}

TEST_F(DisplayStatesTest, AFillScaledWithTheGameLandsAtTheScale) {
  platform.embedded = true;
  platform.displayScale = 0.5f;
  Open();
  ASSERT_EQ(Back().Width(), 400);
  display->DrawRect(0, 0, -1, -1, TColor(0.0f, 0.0f, 0.0f, 1.0f), nullptr);
  display->DrawRect(100, 100, 200, 200, TColor(1.0f, 1.0f, 1.0f, 1.0f), nullptr);
  EXPECT_EQ(ColourAt(Back(), 50, 50), 0xFFFFFFFFu);
  EXPECT_EQ(ColourAt(Back(), 99, 99), 0xFFFFFFFFu);
  EXPECT_EQ(CountNot(Back(), 0xFF000000u), 50 * 50);
}

TEST_F(DisplayStatesTest, OutOfVideoMemoryOfADeviceCallIsReported) {
  adapter->Force(sys::gfx::AdapterOperation::SetTexture, sys::gfx::Result::OutOfVideoMemory);
  display->SetTexture(nullptr);
  EXPECT_EQ(OutOfVideoMemoryReports(), 1);
  adapter->Force(sys::gfx::AdapterOperation::ColorFill, sys::gfx::Result::OutOfVideoMemory);
  display->DrawRect(0, 0, 8, 8, TColor(1.0f, 1.0f, 1.0f, 1.0f), nullptr);
  EXPECT_EQ(OutOfVideoMemoryReports(), 2);
}

}  // namespace
