// From vertices to pixels on the device: primitive assembly and its checks,
// culling by winding, transforms with row vectors, clipping and lighting.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "system/gfx/Matrix4.h"
#include "tests/system/gfx3d/Device3dRig.h"
#include "tests/system/gfx3d/RasterKit.h"

namespace {

using namespace sys::gfx;

constexpr uint32_t kOpaqueBlack = 0xFF000000;
constexpr uint32_t kOpaqueRed = 0xFFFF0000;

class GeometryTest : public Device3dRig {
 protected:
  void SetUp() override {
    Device3dRig::SetUp();
    device3d->States().depthEnable = false;
    ASSERT_EQ(device3d->Clear(kClearTarget, kOpaqueBlack, 1), Result::Ok);
    ASSERT_EQ(device3d->BeginScene(), Result::Ok);
  }

  // Untransformed positions are pixels: x right, y down, z as given.
  void UsePixelProjection() {
    device3d->SetTransform(TransformKind::Projection, OrthoOffCentreLeftHanded(0, kSide, kSide, 0, 0, 1));
  }

  // Which pixels are not black, as a picture of '#' and '.'.
  std::string Picture() {
    std::string picture;
    for (int32_t y = 0; y < kSide; ++y) {
      for (int32_t x = 0; x < kSide; ++x) picture += ColourAt(*target, x, y) == kOpaqueBlack ? '.' : '#';
      picture += '\n';
    }
    return picture;
  }
};

TEST_F(GeometryTest, CountsAndIndicesAreCheckedBeforeAnythingIsDrawn) {
  const auto quad = ScreenQuad(-0.5f, -0.5f, 7.5f, 7.5f, kOpaqueRed);
  struct Case {
    const char* name;
    PrimitiveType type;
    uint32_t vertexCount;
    std::vector<uint16_t> indices;  // empty: not indexed
    Result expected;
  };
  const Case cases[] = {
      {"list of one triangle", PrimitiveType::TriangleList, 3, {}, Result::Ok},
      {"list of four vertices", PrimitiveType::TriangleList, 4, {}, Result::InvalidArgument},
      {"fan of two", PrimitiveType::TriangleFan, 2, {}, Result::InvalidArgument},
      {"strip of none", PrimitiveType::TriangleStrip, 0, {}, Result::InvalidArgument},
      {"odd line list", PrimitiveType::LineList, 3, {}, Result::InvalidArgument},
      {"index past the vertices", PrimitiveType::TriangleList, 4, {0, 1, 4}, Result::InvalidArgument},
      {"indices of a whole triangle", PrimitiveType::TriangleList, 4, {0, 2, 3}, Result::Ok},
      {"indices of half a line", PrimitiveType::LineList, 4, {0}, Result::InvalidArgument},
      {"more vertices than indices reach", PrimitiveType::TriangleList, 70000, {0, 1, 2}, Result::InvalidArgument},
  };
  std::vector<TransformedVertex> vertices(70000, quad[0]);
  std::copy(quad.begin(), quad.end(), vertices.begin());
  for (const Case& c : cases) {
    const Result result =
        c.indices.empty()
            ? device3d->DrawPrimitive(c.type, VertexLayout::Transformed, vertices.data(), c.vertexCount)
            : device3d->DrawIndexedPrimitive(c.type, VertexLayout::Transformed, vertices.data(), c.vertexCount,
                                             c.indices.data(), static_cast<uint32_t>(c.indices.size()));
    EXPECT_EQ(result, c.expected) << c.name;
    if (c.expected != Result::Ok) {
      EXPECT_EQ(CountNot(*target, kOpaqueBlack), 0) << c.name;
    }
    ASSERT_EQ(device3d->Clear(kClearTarget, kOpaqueBlack, 1), Result::Ok);
  }
}

TEST_F(GeometryTest, ListsStripsAndFansCoverTheSameQuad) {
  const auto corner = [](float x, float y) { return Screen(x, y, kOpaqueRed); };
  const TransformedVertex tl = corner(3.5f, 2.5f), tr = corner(20.5f, 2.5f), br = corner(20.5f, 9.5f),
                          bl = corner(3.5f, 9.5f);
  const std::vector<TransformedVertex> list = {tl, tr, br, tl, br, bl};
  const std::vector<TransformedVertex> strip = {tl, tr, bl, br};
  const std::vector<TransformedVertex> fan = {tl, tr, br, bl};
  const std::vector<uint16_t> indices = {0, 1, 2, 0, 2, 3};
  device3d->States().cullMode = CullMode::CounterClockwise;
  std::string expected;
  auto check = [&](const char* name, Result result) {
    ASSERT_EQ(result, Result::Ok) << name;
    const std::string picture = Picture();
    if (expected.empty()) expected = picture;
    EXPECT_EQ(picture, expected) << name;
    ASSERT_EQ(device3d->Clear(kClearTarget, kOpaqueBlack, 1), Result::Ok);
  };
  check("list", device3d->DrawPrimitive(PrimitiveType::TriangleList, VertexLayout::Transformed, list.data(), 6));
  check("strip", device3d->DrawPrimitive(PrimitiveType::TriangleStrip, VertexLayout::Transformed, strip.data(), 4));
  check("fan", device3d->DrawPrimitive(PrimitiveType::TriangleFan, VertexLayout::Transformed, fan.data(), 4));
  check("indexed", device3d->DrawIndexedPrimitive(PrimitiveType::TriangleList, VertexLayout::Transformed, fan.data(),
                                                  4, indices.data(), 6));
  EXPECT_EQ(std::count(expected.begin(), expected.end(), '#'), 17 * 7);
}

TEST_F(GeometryTest, ACentreOnALeftEdgeIsDrawnInEitherWindingAndEveryPrimitive) {
  // The edge from (-3, 27) to (27, 1) passes through the centre of pixel
  // (12, 14) and is the triangle's left edge there.
  const rasterkit::GridPoint grid[3] = {{0, 29 * rasterkit::kGridSteps},
                                        {-3 * rasterkit::kGridSteps, 27 * rasterkit::kGridSteps},
                                        {27 * rasterkit::kGridSteps, 1 * rasterkit::kGridSteps}};
  std::string expected;
  for (int32_t y = 0; y < kSide; ++y) {
    for (int32_t x = 0; x < kSide; ++x) expected += rasterkit::Covers(grid[0], grid[1], grid[2], x, y) ? '#' : '.';
    expected += '\n';
  }
  ASSERT_EQ(expected[14 * (kSide + 1) + 12], '#');
  const TransformedVertex a = Screen(0, 29, kOpaqueRed), b = Screen(-3, 27, kOpaqueRed), c = Screen(27, 1, kOpaqueRed);
  struct Case {
    const char* name;
    PrimitiveType type;
    std::vector<TransformedVertex> vertices;
  };
  const Case cases[] = {
      {"list", PrimitiveType::TriangleList, {a, b, c}},
      {"list, other winding", PrimitiveType::TriangleList, {a, c, b}},
      {"fan", PrimitiveType::TriangleFan, {a, b, c}},
      {"fan, other winding", PrimitiveType::TriangleFan, {b, a, c}},
      {"strip", PrimitiveType::TriangleStrip, {a, b, c}},
      {"strip, other winding", PrimitiveType::TriangleStrip, {c, b, a}},
      {"strip, as its second triangle", PrimitiveType::TriangleStrip, {a, a, c, b}},
  };
  device3d->States().cullMode = CullMode::None;
  for (const Case& k : cases) {
    ASSERT_EQ(device3d->DrawPrimitive(k.type, VertexLayout::Transformed, k.vertices.data(),
                                      static_cast<uint32_t>(k.vertices.size())),
              Result::Ok)
        << k.name;
    EXPECT_EQ(Picture(), expected) << k.name;
    ASSERT_EQ(device3d->Clear(kClearTarget, kOpaqueBlack, 1), Result::Ok);
  }
}

TEST_F(GeometryTest, CullingDropsTheWindingItNamesOnTheScreen) {
  const auto clockwise = ScreenQuad(0.5f, 0.5f, 8.5f, 8.5f, kOpaqueRed);
  const std::vector<TransformedVertex> counterClockwise(clockwise.rbegin(), clockwise.rend());
  struct Case {
    CullMode mode;
    bool clockwiseShows, counterClockwiseShows;
  };
  const Case cases[] = {
      {CullMode::None, true, true},
      {CullMode::Clockwise, false, true},
      {CullMode::CounterClockwise, true, false},
  };
  for (const Case& c : cases) {
    device3d->States().cullMode = c.mode;
    ASSERT_EQ(DrawFan(clockwise), Result::Ok);
    EXPECT_EQ(ColourAt(*target, 4, 4) == kOpaqueRed, c.clockwiseShows) << static_cast<int>(c.mode);
    ASSERT_EQ(device3d->Clear(kClearTarget, kOpaqueBlack, 1), Result::Ok);
    ASSERT_EQ(DrawFan(counterClockwise), Result::Ok);
    EXPECT_EQ(ColourAt(*target, 4, 4) == kOpaqueRed, c.counterClockwiseShows) << static_cast<int>(c.mode);
    ASSERT_EQ(device3d->Clear(kClearTarget, kOpaqueBlack, 1), Result::Ok);
  }
}

std::vector<ColouredVertex> ColouredQuad(float left, float top, float right, float bottom, uint32_t diffuse) {
  auto corner = [&](float x, float y) { return ColouredVertex{x, y, 0.5f, 0, diffuse, 0, 0, 0}; };
  return {corner(left, top), corner(right, top), corner(right, bottom), corner(left, bottom)};
}

TEST_F(GeometryTest, UntransformedVerticesGoThroughWorldViewProjectionAsRowVectors) {
  UsePixelProjection();
  device3d->States().cullMode = CullMode::None;
  const auto quad = ColouredQuad(-0.5f, -0.5f, 5.5f, 3.5f, kOpaqueRed);
  ASSERT_EQ(device3d->DrawPrimitive(PrimitiveType::TriangleFan, VertexLayout::Coloured, quad.data(), 4), Result::Ok);
  const std::string untransformed = Picture();
  ASSERT_EQ(device3d->Clear(kClearTarget, kOpaqueBlack, 1), Result::Ok);
  ASSERT_EQ(DrawFan(ScreenQuad(-0.5f, -0.5f, 5.5f, 3.5f, kOpaqueRed)), Result::Ok);
  EXPECT_EQ(Picture(), untransformed);

  // Scale by 2, then move by (10, 4): the translation sits in the last row.
  ASSERT_EQ(device3d->Clear(kClearTarget, kOpaqueBlack, 1), Result::Ok);
  Matrix4 world;
  world.m[0][0] = world.m[1][1] = 2;
  world.m[3][0] = 10, world.m[3][1] = 4;
  device3d->SetTransform(TransformKind::World, world);
  EXPECT_EQ(device3d->GetTransform(TransformKind::World), world);
  ASSERT_EQ(device3d->DrawPrimitive(PrimitiveType::TriangleFan, VertexLayout::Coloured, quad.data(), 4), Result::Ok);
  for (int32_t y = 0; y < kSide; ++y) {
    for (int32_t x = 0; x < kSide; ++x) {
      const bool inside = x >= 9 && x < 21 && y >= 3 && y < 11;
      ASSERT_EQ(ColourAt(*target, x, y) == kOpaqueRed, inside) << x << ", " << y;
    }
  }
}

TEST_F(GeometryTest, CameraAndPerspectiveBuildersPlaceAPointWhereExpected) {
  // Looking along +z from z = -10; a point at distance 20 straight ahead
  // lands in the middle at depth far / (far - near) (1 - near / 20).
  const Matrix4 view = LookAtLeftHanded({0, 0, -10}, {0, 0, 0}, {0, 1, 0});
  const Matrix4 projection = PerspectiveFovLeftHanded(std::numbers::pi_v<float> / 2, 1, 1, 100);
  const Matrix4 toClip = Multiply(view, projection);
  auto project = [&](float x, float y, float z) {
    const float clip[4] = {x * toClip.m[0][0] + y * toClip.m[1][0] + z * toClip.m[2][0] + toClip.m[3][0],
                           x * toClip.m[0][1] + y * toClip.m[1][1] + z * toClip.m[2][1] + toClip.m[3][1],
                           x * toClip.m[0][2] + y * toClip.m[1][2] + z * toClip.m[2][2] + toClip.m[3][2],
                           x * toClip.m[0][3] + y * toClip.m[1][3] + z * toClip.m[2][3] + toClip.m[3][3]};
    return std::array<float, 3>{clip[0] / clip[3], clip[1] / clip[3], clip[2] / clip[3]};
  };
  const auto ahead = project(0, 0, 10);
  EXPECT_NEAR(ahead[0], 0, 1e-6);
  EXPECT_NEAR(ahead[1], 0, 1e-6);
  EXPECT_NEAR(ahead[2], 100.0 / 99 * (1 - 1.0 / 20), 1e-5);
  // 90 degrees of view: a point as far up as it is ahead is on the edge.
  EXPECT_NEAR(project(0, 20, 10)[1], 1, 1e-5);
  EXPECT_NEAR(project(-20, 0, 10)[0], -1, 1e-5);
}

TEST_F(GeometryTest, TrianglesAreClippedAtTheNearPlane) {
  device3d->SetTransform(TransformKind::View, LookAtLeftHanded({0, 0, 0}, {0, 0, 1}, {0, 1, 0}));
  device3d->SetTransform(TransformKind::Projection, PerspectiveFovLeftHanded(std::numbers::pi_v<float> / 2, 1, 1, 100));
  device3d->States().cullMode = CullMode::None;
  // A floor reaching from behind the camera far ahead: only its part beyond
  // the near plane shows, in the lower half.
  const std::vector<ColouredVertex> floor = {
      {-5, -1, -5, 0, kOpaqueRed, 0, 0, 0}, {5, -1, -5, 0, kOpaqueRed, 0, 0, 0}, {5, -1, 50, 0, kOpaqueRed, 0, 0, 0},
      {-5, -1, 50, 0, kOpaqueRed, 0, 0, 0}};
  ASSERT_EQ(device3d->DrawPrimitive(PrimitiveType::TriangleFan, VertexLayout::Coloured, floor.data(), 4), Result::Ok);
  EXPECT_EQ(ColourAt(*target, 16, 31), kOpaqueRed);
  EXPECT_EQ(ColourAt(*target, 16, 17), kOpaqueRed);
  EXPECT_EQ(ColourAt(*target, 16, 10), kOpaqueBlack);
  // Wholly behind the camera: nothing.
  ASSERT_EQ(device3d->Clear(kClearTarget, kOpaqueBlack, 1), Result::Ok);
  const std::vector<ColouredVertex> behind = {
      {-5, -1, -5, 0, kOpaqueRed, 0, 0, 0}, {5, -1, -5, 0, kOpaqueRed, 0, 0, 0}, {0, 3, -2, 0, kOpaqueRed, 0, 0, 0}};
  ASSERT_EQ(device3d->DrawPrimitive(PrimitiveType::TriangleList, VertexLayout::Coloured, behind.data(), 3), Result::Ok);
  EXPECT_EQ(CountNot(*target, kOpaqueBlack), 0);
}

class LightingTest : public GeometryTest {
 protected:
  // One lit quad over the whole target facing the camera (normal towards -z)
  // and the colour it gets.
  uint32_t LitColour() {
    UsePixelProjection();
    device3d->States().cullMode = CullMode::None;
    auto corner = [](float x, float y) { return LitVertex{x, y, 0.5f, 0, 0, -1, 0, 0}; };
    const std::vector<LitVertex> quad = {corner(-1, -1), corner(33, -1), corner(33, 33), corner(-1, 33)};
    EXPECT_EQ(device3d->DrawPrimitive(PrimitiveType::TriangleFan, VertexLayout::Lit, quad.data(), 4), Result::Ok);
    return ColourAt(*target, 16, 16);
  }

  void SetMaterial() {
    Material material;
    material.diffuse = {1.0f, 0.5f, 0.25f, 1};
    material.ambient = {0.5f, 0.5f, 0.5f, 1};
    device3d->SetMaterial(material);
  }

  void Shine(const Light& light) {
    device3d->SetLight(3, light);
    ASSERT_EQ(device3d->LightEnable(3, true), Result::Ok);
  }
};

// Each channel within 1 of the expected colour.
testing::AssertionResult Near(uint32_t actual, uint32_t expected) {
  for (int shift = 0; shift < 32; shift += 8) {
    const int difference = static_cast<int>((actual >> shift) & 0xFF) - static_cast<int>((expected >> shift) & 0xFF);
    if (std::abs(difference) > 1) {
      return testing::AssertionFailure() << std::hex << actual << " is not near " << expected;
    }
  }
  return testing::AssertionSuccess();
}

Light White(LightType type) {
  Light light;
  light.type = type;
  light.diffuse = {1, 1, 1, 1};
  light.range = 100;
  return light;
}

TEST_F(LightingTest, DirectionalLightFollowsTheAngleToTheNormal) {
  SetMaterial();
  Light light = White(LightType::Directional);
  light.direction = {0, 0, 1};
  Shine(light);
  EXPECT_EQ(LitColour(), 0xFFFF8040u);
  light.direction = {std::sin(std::numbers::pi_v<float> / 3), 0, std::cos(std::numbers::pi_v<float> / 3)};
  Shine(light);
  EXPECT_TRUE(Near(LitColour(), 0xFF804020u));  // cos 60 degrees halves it
  light.direction = {0, 0, -1};  // from behind the quad
  Shine(light);
  EXPECT_EQ(LitColour(), kOpaqueBlack);
}

TEST_F(LightingTest, AmbientLightingWithoutLightsAndUnlitWithoutLighting) {
  SetMaterial();
  device3d->States().ambient = 0xFF808080;
  EXPECT_EQ(LitColour(), 0xFF404040u);
  device3d->States().lighting = false;
  EXPECT_EQ(LitColour(), 0xFFFFFFFFu);
}

TEST_F(LightingTest, PointAndSpotLightsReachOnlyWithinTheirRangeAndCone) {
  SetMaterial();
  struct Case {
    const char* name;
    LightType type;
    float range;
    float theta, phi;
    uint32_t expected;
  };
  // The light sits 1000 in front of the middle of the quad, pointing at it,
  // so that every corner, lit on its own, sees it almost head on.
  const Case cases[] = {
      {"point in range", LightType::Point, 2000, 0, 0, 0xFFFF8040},
      {"point out of range", LightType::Point, 500, 0, 0, kOpaqueBlack},
      {"spot with the quad in its inner cone", LightType::Spot, 2000, 0.5f, 1.0f, 0xFFFF8040},
      {"spot pointing past the middle", LightType::Spot, 2000, 0.02f, 0.04f, kOpaqueBlack},
  };
  for (const Case& c : cases) {
    Light light = White(c.type);
    light.position = {16, 16, -999.5f};
    light.direction = {0, 0, 1};
    if (c.name == std::string("spot pointing past the middle")) light.direction = {0.5f, 0, 1};
    light.range = c.range;
    light.theta = c.theta;
    light.phi = c.phi;
    Shine(light);
    EXPECT_TRUE(Near(LitColour(), c.expected)) << c.name;
    ASSERT_EQ(device3d->Clear(kClearTarget, kOpaqueBlack, 1), Result::Ok);
  }
}

TEST_F(LightingTest, OnlyLightsThatWereSetCanBeEnabledAndAtMostEight) {
  EXPECT_EQ(device3d->LightEnable(0, true), Result::InvalidArgument);
  for (uint32_t index = 0; index < 9; ++index) device3d->SetLight(index, White(LightType::Directional));
  for (uint32_t index = 0; index < 8; ++index) EXPECT_EQ(device3d->LightEnable(index, true), Result::Ok);
  EXPECT_EQ(device3d->LightEnable(8, true), Result::InvalidArgument);
  EXPECT_EQ(device3d->LightEnable(0, false), Result::Ok);
  EXPECT_EQ(device3d->LightEnable(8, true), Result::Ok);
}

}  // namespace
