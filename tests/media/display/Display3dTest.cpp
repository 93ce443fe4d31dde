#include <gtest/gtest.h>

#include <cmath>

#include "system/gfx/Matrix4.h"
#include "tests/media/display/OpenDisplayRig.h"

namespace {

class Display3dTest : public OpenDisplayRig {};

struct RayCase {
  const char* name;
  TVec3 origin;
  TVec3 direction;
  bool hit;
  float distance;
  TVec3 point;
};

class IntersectTriangleTest : public Display3dTest, public testing::WithParamInterface<RayCase> {};

// The triangle (0, 0, 5), (4, 0, 5), (0, 4, 5), facing the origin.
TEST_P(IntersectTriangleTest, FindsHitsInFrontOfTheRayOnly) {
  const RayCase& c = GetParam();
  float distance = -7;
  TVec3 point = Vec(-7, -7, -7);
  bool hit = display->IntersectTriangle(c.origin, c.direction, Vec(0, 0, 5), Vec(4, 0, 5), Vec(0, 4, 5), distance,
                                        point);
  ASSERT_EQ(hit, c.hit);
  if (!c.hit) return;
  EXPECT_NEAR(distance, c.distance, 1e-5f);
  EXPECT_NEAR(point.x, c.point.x, 1e-5f);
  EXPECT_NEAR(point.y, c.point.y, 1e-5f);
  EXPECT_NEAR(point.z, c.point.z, 1e-5f);
}

INSTANTIATE_TEST_SUITE_P(
    Rays, IntersectTriangleTest,
    testing::Values(RayCase{"Hit", Vec(1, 1, 0), Vec(0, 0, 1), true, 5, Vec(1, 1, 5)},
                    RayCase{"HitAtHalfSteps", Vec(1, 2, 1), Vec(0, 0, 2), true, 2, Vec(1, 2, 5)},
                    RayCase{"FromBehindTheOtherSide", Vec(1, 1, 9), Vec(0, 0, -1), true, 4, Vec(1, 1, 5)},
                    RayCase{"Parallel", Vec(1, 1, 0), Vec(1, 0, 0), false, 0, {}},
                    RayCase{"BehindTheOrigin", Vec(1, 1, 6), Vec(0, 0, 1), false, 0, {}},
                    RayCase{"LeftOfTheFirstEdge", Vec(-0.5f, 1, 0), Vec(0, 0, 1), false, 0, {}},
                    RayCase{"BelowTheSecondEdge", Vec(1, -0.5f, 0), Vec(0, 0, 1), false, 0, {}},
                    RayCase{"BeyondTheLongEdge", Vec(2.5f, 2.5f, 0), Vec(0, 0, 1), false, 0, {}}),
    [](const testing::TestParamInfo<RayCase>& info) { return std::string(info.param.name); });

TEST_F(Display3dTest, TransformsGoToTheDeviceAndComeBack) {
  TMatrix4 world;
  world.rows[3] = TVec4{5, 6, 7, 1};
  display->SetWorldTransform(world);
  TMatrix4 read;
  display->GetWorldTransform(read);
  EXPECT_EQ(read.rows[3].y, 6.0f);
  EXPECT_EQ(Device().GetTransform(sys::gfx::TransformKind::World).m[3][2], 7.0f);
  TMatrix4 projection;
  projection.rows[2].w = 1;
  display->SetProjectionTransform(projection);
  EXPECT_EQ(Data().mProjection.rows[2].w, 1.0f);
  display->GetProjectionTransform(read);
  EXPECT_EQ(read.rows[2].w, 1.0f);
}

TEST_F(Display3dTest, APerspectiveOfAspectZeroTakesTheViewports) {
  display->SetViewport(0, 0, 400, 300);
  display->SetPerspective(0.5f, 50.0f, 1.0f, 0);
  sys::gfx::Matrix4 expected = sys::gfx::PerspectiveFovLeftHanded(1.0f, 0.75f, 0.5f, 50.0f);
  EXPECT_EQ(Device().GetTransform(sys::gfx::TransformKind::Projection), expected);
  EXPECT_NEAR(expected.m[0][0], 0.75f / std::tan(0.5f), 1e-5f);
  EXPECT_EQ(Data().mNearPlane, 0.5f);
  EXPECT_EQ(Data().mFarPlane, 50.0f);
  EXPECT_EQ(Data().mProjection.rows[0].x, expected.m[0][0]);
  display->SetOrthoProjection(1.0f, 10.0f);
  EXPECT_EQ(Device().GetTransform(sys::gfx::TransformKind::Projection),
            sys::gfx::OrthoLeftHanded(400, 300, 1.0f, 10.0f));
  display->SetLookAt(Vec(0, 0, -5), Vec(0, 0, 0), Vec(0, 1, 0));
  EXPECT_EQ(Device().GetTransform(sys::gfx::TransformKind::View),
            sys::gfx::LookAtLeftHanded({0, 0, -5}, {0, 0, 0}, {0, 1, 0}));
}

TEST_F(Display3dTest, LightsMaterialAndAmbientReachTheDevice) {
  TMaterial material;
  material.diffuse = TColor(0.5f, 0.25f, 1.0f, 1.0f);
  material.power = 3;
  display->SetMaterial(material);
  EXPECT_EQ(Device().GetMaterial().diffuse.g, 0.25f);
  EXPECT_EQ(Device().GetMaterial().power, 3.0f);
  display->SetAmbientLight(TColor(1.0f, 0.5f, 0.0f, 1.0f));
  EXPECT_EQ(Device().States().ambient, 0xFFFF7F00u);
  TLight light;
  light.kind = TLight::kPoint;
  light.diffuse = TColor(1.0f, 1.0f, 1.0f, 1.0f);
  light.range = 10;
  light.constantAttenuation = 1;
  display->SetLight(0, &light);
  EXPECT_EQ(Device().LightEnable(0, true), sys::gfx::Result::Ok) << "the light was set";
  display->SetLight(0, nullptr);
  display->SetLight(-1, &light);
}

// A lit triangle drawn in 3D shows the material's colour under a white
// directional light shining straight at it.
TEST_F(Display3dTest, LitVerticesAreShadedByTheLights) {
  struct Lit {
    float x, y, z, nx, ny, nz, u, v;
  };
  display->SetWorldTransform(TMatrix4{});
  display->SetViewTransform(TMatrix4{});
  display->SetOrthoProjection(0.1f, 100.0f);
  TMaterial material;
  material.diffuse = TColor(0.0f, 1.0f, 0.0f, 1.0f);
  display->SetMaterial(material);
  display->SetAmbientLight(TColor(0.0f, 0.0f, 0.0f, 1.0f));
  TLight light;
  light.diffuse = TColor(1.0f, 1.0f, 1.0f, 1.0f);
  light.direction = Vec(0, 0, 1);
  display->SetLight(0, &light);
  display->DrawRect(0, 0, -1, -1, TColor(0.0f, 0.0f, 0.0f, 1.0f), nullptr);
  ASSERT_TRUE(display->BeginDraw(false));
  ASSERT_TRUE(display->Begin3d());
  display->SetCullMode(1);
  std::vector<Lit> triangle = {{-100, -100, 5, 0, 0, -1, 0, 0}, {0, 100, 5, 0, 0, -1, 0, 0}, {100, -100, 5, 0, 0, -1, 0, 0}};
  TVertexList list;
  list.kind = TVertexList::kLit;
  list.vertices = triangle.data();
  list.count = 3;
  display->DrawVertices(4, &list);
  display->EndDraw(false);
  EXPECT_EQ(ColourAt(Back(), 400, 300) & 0xFFFFFF, 0x00FF00u);
  EXPECT_TRUE(Device().States().lighting);
}

TEST_F(Display3dTest, IndexedVerticesDrawTheirIndices) {
  display->DrawRect(0, 0, -1, -1, TColor(0.0f, 0.0f, 0.0f, 1.0f), nullptr);
  std::vector<sys::gfx::TransformedVertex> corners = Quad(10, 10, 20, 20);
  TVertexList list;
  list.InitKind2(corners.data(), 4);
  const uint16_t indices[] = {0, 1, 2};
  ASSERT_TRUE(display->BeginDraw(false));
  display->Begin2d();
  display->DrawIndexedVertices(4, &list, indices, 3);
  display->DrawIndexedVertices(4, &list, nullptr, 3);
  display->EndDraw(false);
  EXPECT_EQ(ColourAt(Back(), 18, 12), 0xFFFFFFFFu) << "the triangle drawn";
  EXPECT_EQ(ColourAt(Back(), 12, 18), 0xFF000000u) << "the other half not";
  EXPECT_FALSE(Device().States().lighting);
}

TEST_F(Display3dTest, UnknownPrimitivesAndEmptyListsDrawNothing) {
  display->DrawRect(0, 0, -1, -1, TColor(0.0f, 0.0f, 0.0f, 1.0f), nullptr);
  ASSERT_TRUE(display->BeginDraw(false));
  display->Begin2d();
  Draw(Quad(0, 0, 100, 100), 9);
  TVertexList empty;
  empty.InitKind3(nullptr, 4);
  display->DrawVertices(6, &empty);
  std::vector<sys::gfx::TransformedVertex> quad = Quad(0, 0, 100, 100);
  TVertexList list;
  list.InitKind3(quad.data(), 4);
  list.SetCount(-2);
  display->DrawVertices(6, &list);
  list.Release();
  display->DrawVertices(6, &list);
  display->EndDraw(false);
  EXPECT_EQ(CountNot(Back(), 0xFF000000u), 0);
}

size_t Occurrences(const std::string& text, const std::string& line) {
  size_t count = 0;
  for (size_t at = text.find(line); at != std::string::npos; at = text.find(line, at + 1)) ++count;
  return count;
}

// Types the device does not draw (point lists 1, line strips 3) are refused
// with a log line for each type, once per display.
TEST_F(Display3dTest, PointListsAndLineStripsAreRefusedWithALineOncePerDisplay) {
  const std::string points = "Primitive type 1 refused";
  const std::string strips = "Primitive type 3 refused";
  for (int round = 1; round <= 2; ++round) {
    SCOPED_TRACE(round);
    if (round == 2) Open();
    display->DrawRect(0, 0, -1, -1, TColor(0.0f, 0.0f, 0.0f, 1.0f), nullptr);
    ASSERT_TRUE(display->BeginDraw(false));
    display->Begin2d();
    for (int32_t type : {1, 3, 1, 3}) Draw(Quad(0, 0, 100, 100), type);
    display->EndDraw(false);
    EXPECT_EQ(CountNot(Back(), 0xFF000000u), 0);
    EXPECT_EQ(Occurrences(LogText(), points), size_t(round));
    EXPECT_EQ(Occurrences(LogText(), strips), size_t(round));
  }
}

// While the game is drawn scaled, screen vertices land where they would
// if scaled by hand and drawn unscaled.
TEST_F(Display3dTest, ScreenVerticesDrawnScaledMatchScaledVerticesDrawnPlain) {
  auto drawFrame = [this](float left, float top, float right, float bottom) {
    display->DrawRect(0, 0, -1, -1, TColor(0.0f, 0.0f, 0.0f, 1.0f), nullptr);
    ASSERT_TRUE(display->BeginDraw(false));
    display->Begin2d();
    std::vector<sys::gfx::TransformedVertex> quad = Quad(left, top, right, bottom, 0xFFFF0000);
    quad[2].diffuse = 0xFF0000FF;
    Draw(quad);
    display->EndDraw(false);
  };
  Open(400, 300);
  drawFrame(50, 30, 151, 122);
  std::vector<uint32_t> plain = Pixels(Back());

  platform.embedded = true;
  platform.displayScale = 0.5f;
  Open(800, 600);
  ASSERT_EQ(Back().Width(), 400);
  display->SetWorldTransform(TMatrix4{});
  TMatrix4 view;
  view.rows[3] = TVec4{3, 4, 5, 1};
  display->SetViewTransform(view);
  drawFrame(100, 60, 302, 244);
  EXPECT_EQ(Pixels(Back()), plain);
  TMatrix4 after;
  display->GetViewTransform(after);
  EXPECT_EQ(after.rows[3].x, 3.0f) << "the matrices are set back";
  EXPECT_NE(CountNot(Back(), 0xFF000000u), 0);
}

}  // namespace
